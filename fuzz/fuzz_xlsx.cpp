// The workbook reader of the name import: any package of parts gives rows or
// a SheetError that names what is wrong, never a crash or a hang. Mutated
// zip bytes seldom pass the archive's checksums, so an input that does not
// begin as a zip file ("PK") is the parts of a workbook, parted by NUL bytes
// (the package's relationships, the workbook, its relationships, the first
// sheet, the shared strings), packed here into a zip; one that does is read
// as it is.
#include "FuzzEntry.h"

#include "platform/XlsxFile.h"

#include <QByteArray>
#include <QList>

#include <zip.h>

namespace {

using namespace tiravo;

const char* const kParts[] = {"_rels/.rels", "xl/workbook.xml", "xl/_rels/workbook.xml.rels",
                              "xl/worksheets/sheet1.xml", "xl/sharedStrings.xml"};

// A zip of the parts, stored uncompressed; empty when libzip will not make it.
QByteArray Packed(const QList<QByteArray>& parts) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    QByteArray packed;
    if (!buffer) {
        zip_error_fini(&error);
        return packed;
    }
    zip_source_keep(buffer);
    if (zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error)) {
        for (qsizetype i = 0; i < parts.size() && i < qsizetype(std::size(kParts)); ++i) {
            zip_source_t* part =
                zip_source_buffer(archive, parts[i].constData(), zip_uint64_t(parts[i].size()), 0);
            const zip_int64_t index = zip_file_add(archive, kParts[i], part, 0);
            if (index < 0)
                zip_source_free(part);
            else
                zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
        }
        if (zip_close(archive) != 0)
            zip_discard(archive);
    }
    zip_error_fini(&error);
    if (zip_source_open(buffer) == 0) {
        char chunk[4096];
        for (zip_int64_t got; (got = zip_source_read(buffer, chunk, sizeof chunk)) > 0;)
            packed.append(chunk, qsizetype(got));
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    return packed;
}

void fuzzXlsx(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray workbook = bytes.startsWith("PK") ? bytes : Packed(bytes.split('\0'));
    try {
        const SheetRows sheet = ParseXlsx(workbook);
        qsizetype widest = 0;
        for (const QStringList& row : sheet.rows())
            widest = std::max(widest, row.size());
        fuzz::require(sheet.columnCount() == widest, "the widest row gives the count of columns");
        fuzz::require(widest <= 16384, "a sheet has at most 16,384 columns");
    } catch (const SheetError& error) {
        fuzz::require(error.message() == QStringLiteral("não é uma planilha XLSX") ||
                          error.message() == QStringLiteral("a planilha XLSX está danificada") ||
                          error.message() == SheetTooLargeText(),
                      "a refusal says what is wrong");
    }
}

} // namespace

TIRAVO_FUZZ_TARGET("xlsx", fuzzXlsx)
