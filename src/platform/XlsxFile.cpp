#include "platform/XlsxFile.h"

#include <QDir>
#include <QStringList>
#include <QXmlStreamReader>

#include <zip.h>

#include <memory>
#include <optional>

namespace tiravo {

namespace {

[[noreturn]] void NotAWorkbook() {
    throw SheetError(QStringLiteral("não é uma planilha XLSX"));
}

[[noreturn]] void Damaged() {
    throw SheetError(QStringLiteral("a planilha XLSX está danificada"));
}

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
    void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;
using Entry = std::unique_ptr<zip_file_t, EntryCloser>;

Archive OpenArchive(const QByteArray& bytes) {
    zip_error_t error;
    zip_error_init(&error);
    // The buffer is the caller's and outlives the archive.
    zip_source_t* source =
        zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    if (!source) {
        zip_error_fini(&error);
        NotAWorkbook();
    }
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        NotAWorkbook();
    }
    return Archive(archive);
}

// One XML part of the package read as a stream of tokens, unpacked a piece
// at a time, so that a part of any size takes little memory.
class PartReader {
public:
    PartReader(zip_t* archive, zip_int64_t index, qint64& budget) : budget_(budget) {
        entry_.reset(zip_fopen_index(archive, zip_uint64_t(index), 0));
        if (!entry_)
            Damaged();
    }

    // The next token; false after the end of the document.
    bool next() {
        for (;;) {
            const QXmlStreamReader::TokenType token = xml.readNext();
            if (token == QXmlStreamReader::EndDocument)
                return false;
            if (!xml.hasError()) {
                if (token == QXmlStreamReader::StartElement)
                    ++depth_;
                else if (token == QXmlStreamReader::EndElement && --depth_ == 0)
                    closed_ = true;
                return true;
            }
            if (xml.error() != QXmlStreamReader::PrematureEndOfDocumentError)
                Damaged();
            if (ended_) {
                // Fed piece by piece, the reader cannot know that the data
                // has ended: the document is whole once its root is closed.
                if (closed_)
                    return false;
                Damaged();
            }
            feed();
        }
    }

    QXmlStreamReader xml;

private:
    void feed() {
        char chunk[64 * 1024];
        const zip_int64_t got = zip_fread(entry_.get(), chunk, sizeof chunk);
        if (got < 0)
            Damaged();
        budget_ -= got;
        if (budget_ < 0)
            throw SheetError(SheetTooLargeText());
        if (got == 0)
            ended_ = true;
        else
            xml.addData(QByteArray(chunk, qsizetype(got)));
    }

    Entry entry_;
    qint64& budget_;
    bool ended_ = false;
    int depth_ = 0;
    bool closed_ = false;
};

// Part names are compared without regard to case, as the package format
// requires.
std::optional<zip_int64_t> FindPart(zip_t* archive, const QString& name) {
    const zip_int64_t index = zip_name_locate(archive, name.toUtf8().constData(), ZIP_FL_NOCASE);
    if (index < 0)
        return std::nullopt;
    return index;
}

QString Attribute(const QXmlStreamReader& xml, QLatin1String name) {
    return xml.attributes().value(name).toString();
}

struct Relationship {
    QString id;
    QString type;
    QString target; // a part name, resolved
};

// The part a relationship's target names, relative to the folder of the part
// that holds it, or from the package's root when it begins with '/'.
QString ResolvedTarget(const QString& folder, const QString& target) {
    if (target.startsWith(u'/'))
        return QDir::cleanPath(target.mid(1));
    return QDir::cleanPath(folder.isEmpty() ? target : folder + u'/' + target);
}

QString FolderOf(const QString& part) {
    const qsizetype slash = part.lastIndexOf(u'/');
    return slash < 0 ? QString() : part.left(slash);
}

// Where the relationships of `part` are kept: "xl/workbook.xml" has them in
// "xl/_rels/workbook.xml.rels", the package itself (empty) in "_rels/.rels".
QString RelationshipsPart(const QString& part) {
    const QString folder = FolderOf(part);
    const QString file = folder.isEmpty() ? part : part.mid(folder.size() + 1);
    return ResolvedTarget(folder, QStringLiteral("_rels/%1.rels").arg(file));
}

class Workbook {
public:
    explicit Workbook(const QByteArray& bytes) : archive_(OpenArchive(bytes)) {}

    SheetRows firstSheet() {
        const QString workbook = workbookPart();
        const std::optional<zip_int64_t> index = FindPart(archive_.get(), workbook);
        if (!index)
            NotAWorkbook();
        const QString sheetId = firstSheetId(*index);
        QString sheet;
        QString strings;
        for (const Relationship& relation : relationshipsOf(workbook)) {
            if (relation.id == sheetId)
                sheet = relation.target;
            if (relation.type.endsWith(QLatin1String("/sharedStrings")))
                strings = relation.target;
        }
        if (sheetId.isEmpty() || sheet.isEmpty())
            Damaged();
        const std::optional<zip_int64_t> sheetIndex = FindPart(archive_.get(), sheet);
        if (!sheetIndex)
            Damaged();
        if (!strings.isEmpty()) {
            const std::optional<zip_int64_t> stringsIndex = FindPart(archive_.get(), strings);
            if (!stringsIndex)
                Damaged();
            readSharedStrings(*stringsIndex);
        }
        return readSheet(*sheetIndex);
    }

private:
    // The workbook's part, as the package's own relationships name it.
    QString workbookPart() {
        for (const Relationship& relation : relationshipsOf(QString()))
            if (relation.type.endsWith(QLatin1String("/officeDocument")))
                return relation.target;
        NotAWorkbook();
    }

    // The relationships of `part` (of the package itself when empty).
    std::vector<Relationship> relationshipsOf(const QString& part) {
        const QString folder = FolderOf(part);
        std::vector<Relationship> relations;
        const std::optional<zip_int64_t> index = FindPart(archive_.get(), RelationshipsPart(part));
        if (!index) {
            if (part.isEmpty())
                NotAWorkbook();
            return relations;
        }
        PartReader reader(archive_.get(), *index, budget_);
        while (reader.next()) {
            if (reader.xml.isStartElement() && reader.xml.name() == u"Relationship")
                relations.push_back(
                    {Attribute(reader.xml, QLatin1String("Id")),
                     Attribute(reader.xml, QLatin1String("Type")),
                     ResolvedTarget(folder, Attribute(reader.xml, QLatin1String("Target")))});
        }
        return relations;
    }

    // The relationship of the first sheet the workbook lists: its attribute
    // "id" of the relationships' namespace, whatever its prefix.
    QString firstSheetId(zip_int64_t index) {
        PartReader reader(archive_.get(), index, budget_);
        while (reader.next()) {
            if (!reader.xml.isStartElement() || reader.xml.name() != u"sheet")
                continue;
            for (const QXmlStreamAttribute& attribute : reader.xml.attributes())
                if (attribute.name() == u"id" && !attribute.namespaceUri().isEmpty())
                    return attribute.value().toString();
            return {};
        }
        return {};
    }

    // The text of a string item: its runs joined, without the phonetic
    // readings that some languages add.
    void readSharedStrings(zip_int64_t index) {
        PartReader reader(archive_.get(), index, budget_);
        QString text;
        int phonetic = 0;
        bool inText = false;
        qsizetype characters = 0;
        while (reader.next()) {
            const QXmlStreamReader& xml = reader.xml;
            if (xml.isStartElement()) {
                if (xml.name() == u"si")
                    text.clear();
                else if (xml.name() == u"rPh")
                    ++phonetic;
                else if (xml.name() == u"t")
                    inText = phonetic == 0;
            } else if (xml.isEndElement()) {
                if (xml.name() == u"si") {
                    // Empty strings cost memory too: count them as cells.
                    characters += text.size();
                    if (characters > kMaxSheetCharacters || strings_.size() >= kMaxSheetCells)
                        throw SheetError(SheetTooLargeText());
                    strings_.append(text);
                } else if (xml.name() == u"rPh") {
                    --phonetic;
                } else if (xml.name() == u"t") {
                    inText = false;
                }
            } else if (xml.isCharacters() && inText) {
                text += xml.text();
            }
        }
    }

    SheetRows readSheet(zip_int64_t index) {
        PartReader reader(archive_.get(), index, budget_);
        SheetRows rows;
        bool inRow = false;
        qsizetype column = -1;
        QString type;
        QString value;
        bool collecting = false;
        int phonetic = 0;
        while (reader.next()) {
            const QXmlStreamReader& xml = reader.xml;
            if (xml.isStartElement()) {
                const QStringView name = xml.name();
                if (name == u"row") {
                    inRow = true;
                    column = -1;
                } else if (name == u"c" && inRow) {
                    // attributes() makes a copy: once for both.
                    const QXmlStreamAttributes attributes = xml.attributes();
                    column = ColumnOf(attributes.value(QLatin1String("r")), column + 1);
                    type = attributes.value(QLatin1String("t")).toString();
                    value.clear();
                } else if (name == u"rPh") {
                    ++phonetic;
                } else if ((name == u"v" || name == u"t") && inRow && phonetic == 0) {
                    // A formula's text (f) is not its value.
                    collecting = true;
                }
            } else if (xml.isEndElement()) {
                const QStringView name = xml.name();
                if (name == u"row" && inRow) {
                    rows.endRow();
                    inRow = false;
                } else if (name == u"c" && inRow) {
                    QString cell = cellText(type, value);
                    if (!cell.isEmpty())
                        rows.set(column, std::move(cell));
                } else if (name == u"rPh") {
                    --phonetic;
                } else if (name == u"v" || name == u"t") {
                    collecting = false;
                }
            } else if (xml.isCharacters() && collecting) {
                value += xml.text();
                if (value.size() > kMaxSheetCharacters)
                    throw SheetError(SheetTooLargeText());
            }
        }
        return rows;
    }

    QString cellText(const QString& type, const QString& value) const {
        if (type != u"s")
            return value;
        bool number = false;
        const qsizetype at = value.trimmed().toLongLong(&number);
        if (!number || at < 0 || at >= strings_.size())
            Damaged();
        return strings_.at(at);
    }

    // The column of a cell reference ("C7" is 2), or `next` when the cell
    // gives none; a sheet has at most 16,384 columns.
    static qsizetype ColumnOf(QStringView reference, qsizetype next) {
        qsizetype column = 0;
        qsizetype letters = 0;
        for (const QChar c : reference) {
            const char16_t u = c.toUpper().unicode();
            if (u < u'A' || u > u'Z')
                break;
            column = column * 26 + (u - u'A' + 1);
            if (++letters > 3)
                Damaged();
        }
        if (letters == 0)
            return next;
        if (column > 16384)
            Damaged();
        return column - 1;
    }

    Archive archive_;
    QStringList strings_;
    qint64 budget_ = kMaxXlsxUnpackedBytes;
};

} // namespace

SheetRows ParseXlsx(const QByteArray& bytes) {
    return Workbook(bytes).firstSheet();
}

} // namespace tiravo
