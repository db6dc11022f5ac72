#include "support/Workbooks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <xlsxwriter.h>
#include <zip.h>

namespace tiravo::test {

void WriteWorkbook(const QString& path, const QList<QStringList>& rows,
                   const WorkbookOptions& options) {
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook_options settings = {};
    settings.constant_memory = options.inlineStrings ? LXW_TRUE : LXW_FALSE;
    lxw_workbook* workbook = workbook_new_opt(file.constData(), &settings);
    ASSERT_NE(workbook, nullptr);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    for (qsizetype r = 0; r < rows.size(); ++r) {
        for (qsizetype c = 0; c < rows[r].size(); ++c) {
            const QString& cell = rows[r][c];
            if (cell.isEmpty())
                continue;
            if (cell.startsWith(u'#'))
                worksheet_write_number(sheet, lxw_row_t(r), lxw_col_t(c), cell.mid(1).toDouble(),
                                       nullptr);
            else
                worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c), cell.toUtf8().constData(),
                                       nullptr);
        }
    }
    for (const QString& name : options.moreSheets) {
        lxw_worksheet* more = workbook_add_worksheet(workbook, name.toUtf8().constData());
        worksheet_write_string(more, 0, 0, name.toUtf8().constData(), nullptr);
    }
    ASSERT_EQ(workbook_close(workbook), LXW_NO_ERROR);
}

QByteArray ZipBytes(const ZipParts& parts) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("parts.zip"));
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    EXPECT_NE(archive, nullptr);
    if (!archive)
        return {};
    // The archive reads the contents when it is closed.
    std::vector<QByteArray> kept;
    kept.reserve(parts.size());
    for (const auto& [name, contents] : parts) {
        kept.push_back(contents);
        zip_source_t* source = zip_source_buffer(archive, kept.back().constData(),
                                                 zip_uint64_t(kept.back().size()), 0);
        EXPECT_GE(zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8), 0);
    }
    EXPECT_EQ(zip_close(archive), 0);
    QFile zipped(path);
    EXPECT_TRUE(zipped.open(QIODevice::ReadOnly));
    return zipped.readAll();
}

QByteArray ZipPart(const QByteArray& zip, const QString& name) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source =
        zip_source_buffer_create(zip.constData(), zip_uint64_t(zip.size()), 0, &error);
    zip_t* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        return {};
    }
    QByteArray contents;
    if (zip_file_t* part = zip_fopen(archive, name.toUtf8().constData(), 0)) {
        char chunk[4096];
        for (zip_int64_t got; (got = zip_fread(part, chunk, sizeof chunk)) > 0;)
            contents.append(chunk, qsizetype(got));
        zip_fclose(part);
    }
    zip_discard(archive);
    return contents;
}

ZipParts MinimalWorkbook(const QByteArray& sheet, const QByteArray& strings) {
    const QByteArray relations =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
        "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
    const QByteArray workbook =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<sheets><sheet name=\"Plan1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    QByteArray workbookRelations =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
        "Target=\"worksheets/sheet1.xml\"/>";
    if (!strings.isEmpty())
        workbookRelations +=
            "<Relationship Id=\"rId2\" "
            "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
            "sharedStrings\" Target=\"sharedStrings.xml\"/>";
    workbookRelations += "</Relationships>";
    ZipParts parts = {{QStringLiteral("_rels/.rels"), relations},
                      {QStringLiteral("xl/workbook.xml"), workbook},
                      {QStringLiteral("xl/_rels/workbook.xml.rels"), workbookRelations},
                      {QStringLiteral("xl/worksheets/sheet1.xml"), sheet}};
    if (!strings.isEmpty())
        parts.emplace_back(QStringLiteral("xl/sharedStrings.xml"), strings);
    return parts;
}

} // namespace tiravo::test
