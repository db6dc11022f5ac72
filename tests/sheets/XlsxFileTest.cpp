// Excel workbooks: made by the library the program writes them with, and by
// hand for what other programs write; and files that are no workbook.
#include "platform/XlsxFile.h"
#include "support/Workbooks.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

class XlsxFileTest : public testing::Test {
protected:
    QByteArray workbook(const QList<QStringList>& rows, const test::WorkbookOptions& options = {}) {
        const QString path = dir_.filePath(QStringLiteral("lista%1.xlsx").arg(++made_));
        test::WriteWorkbook(path, rows, options);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    static QString failure(const QByteArray& bytes) {
        try {
            ParseXlsx(bytes);
        } catch (const SheetError& error) {
            return error.message();
        }
        return QStringLiteral("no error");
    }

    QTemporaryDir dir_;
    int made_ = 0;
};

TEST_F(XlsxFileTest, ReadsTheFirstSheetsTextsAndNumbersInSharedOrInlineStrings) {
    const QList<QStringList> rows = {{"Nome", "Telefone", "Idade"},
                                     {"João Conceição", "(11) 91234-5678", "#42"},
                                     {"", "#11987654321", "#1.5"},
                                     {"Zoë \"Zê\" Ñandú; Silva", "", "#-3"}};
    const QList<QStringList> expected = {{"Nome", "Telefone", "Idade"},
                                         {"João Conceição", "(11) 91234-5678", "42"},
                                         {"", "11987654321", "1.5"},
                                         {"Zoë \"Zê\" Ñandú; Silva", "", "-3"}};
    for (const bool inlineStrings : {false, true}) {
        SCOPED_TRACE(inlineStrings ? "inline strings" : "shared strings");
        const SheetRows sheet = ParseXlsx(
            workbook(rows, {.inlineStrings = inlineStrings, .moreSheets = {"Outra", "Mais"}}));
        EXPECT_EQ(sheet.rows(), expected);
        EXPECT_EQ(sheet.columnCount(), 3);
    }
}

TEST_F(XlsxFileTest, ReadsWhatOtherProgramsWrite) {
    // Runs of rich text joined without their phonetic readings, cells placed
    // by their references (rows and columns skipped), cells without one in
    // turn, a formula's cached value, a prefixed namespace, a value with an
    // entity, and a row past the 26th column.
    const QByteArray strings =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"3\">"
        "<si><t>Nome</t></si>"
        "<si><r><rPr><b/></rPr><t xml:space=\"preserve\">Ana </t></r><r><t>Lima</t></r>"
        "<rPh sb=\"0\" eb=\"1\"><t>ana</t></rPh></si>"
        "<si><t>Bia &amp; Caio</t></si></sst>";
    const QByteArray sheet =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<x:worksheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<x:sheetData>"
        "<x:row r=\"2\"><x:c r=\"B2\" t=\"s\"><x:v>0</x:v></x:c></x:row>"
        "<x:row r=\"4\"><x:c r=\"B4\" t=\"s\"><x:v>1</x:v></x:c><x:c><x:v>7</x:v></x:c>"
        "<x:c r=\"E4\" t=\"str\"><x:f>A1&amp;\"x\"</x:f><x:v>calc</x:v></x:c></x:row>"
        "<x:row><x:c r=\"AB5\" t=\"inlineStr\"><x:is><x:t>longe</x:t></x:is></x:c>"
        "<x:c r=\"A5\" t=\"s\"><x:v>2</x:v></x:c></x:row>"
        "</x:sheetData></x:worksheet>";
    const SheetRows rows = ParseXlsx(test::ZipBytes(test::MinimalWorkbook(sheet, strings)));
    QStringList far(28);
    far[27] = "longe";
    far[0] = "Bia & Caio";
    EXPECT_EQ(rows.rows(),
              (QList<QStringList>{{"", "Nome"}, {"", "Ana Lima", "7", "", "calc"}, far}));
}

TEST_F(XlsxFileTest, FindsTheFirstSheetThroughTheRelationships) {
    // The first sheet listed is kept in a part of another name, given from
    // the package's root; the second listed is sheet1.xml.
    test::ZipParts parts = test::MinimalWorkbook(
        "<worksheet><sheetData><row><c t=\"inlineStr\"><is><t>segunda</t></is></c></row>"
        "</sheetData></worksheet>");
    parts[1].second =
        "<workbook xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<sheets><sheet name=\"A\" sheetId=\"2\" r:id=\"rId7\"/>"
        "<sheet name=\"B\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    parts[2].second =
        "<Relationships><Relationship Id=\"rId1\" Type=\"x/worksheet\" "
        "Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId7\" Type=\"x/worksheet\" "
        "Target=\"/xl/worksheets/Primeira.xml\"/></Relationships>";
    parts.emplace_back("xl/worksheets/primeira.xml",
                       "<worksheet><sheetData><row><c t=\"inlineStr\"><is><t>primeira</t></is>"
                       "</c></row></sheetData></worksheet>");
    EXPECT_EQ(ParseXlsx(test::ZipBytes(parts)).rows(), QList<QStringList>{{"primeira"}});
}

TEST_F(XlsxFileTest, RefusesWhatIsNoWorkbookAndWhatIsDamaged) {
    const QString notXlsx = "não é uma planilha XLSX";
    const QString damaged = "a planilha XLSX está danificada";
    EXPECT_EQ(failure(""), notXlsx);
    EXPECT_EQ(failure("Nome;Telefone\r\nAna;1\r\n"), notXlsx);
    // A document of another kind: a zip without a workbook.
    EXPECT_EQ(failure(test::ZipBytes({{"mimetype", "application/vnd.oasis.opendocument.text"},
                                      {"content.xml", "<office:document-content/>"}})),
              notXlsx);
    const QByteArray good = workbook({{"Ana"}, {"Bia"}});
    EXPECT_EQ(failure(good.left(good.size() / 2)), notXlsx);

    const auto with = [](const QByteArray& sheet, const QByteArray& strings = {}) {
        return test::ZipBytes(test::MinimalWorkbook(sheet, strings));
    };
    EXPECT_EQ(failure(with("<worksheet><sheetData><row><c><v>1</v></row></sheetData>")), damaged);
    EXPECT_EQ(failure(with("<worksheet><sheetData><row><c><v>1</v></c></row>")), damaged);
    EXPECT_EQ(failure(with("<worksheet><sheetData><row><c t=\"s\"><v>3</v></c></row>"
                           "</sheetData></worksheet>",
                           "<sst><si><t>um</t></si></sst>")),
              damaged);
    EXPECT_EQ(failure(with("<worksheet><sheetData><row><c r=\"XFE1\"><v>1</v></c></row>"
                           "</sheetData></worksheet>")),
              damaged);
    test::ZipParts missing = test::MinimalWorkbook("<worksheet/>");
    missing.pop_back();
    EXPECT_EQ(failure(test::ZipBytes(missing)), damaged);
}

TEST_F(XlsxFileTest, AWorkbookThatSwellsPastAnyListIsRefused) {
    // Compressed a thousandfold: a few kilobytes that would be millions of
    // cells.
    QByteArray cells;
    for (int i = 0; i < 2000; ++i)
        cells += "<c><v>1</v></c>";
    QByteArray sheet = "<worksheet><sheetData>";
    const QByteArray row = "<row>" + cells + "</row>";
    for (int i = 0; i < 2100; ++i)
        sheet += row;
    sheet += "</sheetData></worksheet>";
    const QByteArray zipped = test::ZipBytes(test::MinimalWorkbook(sheet));
    EXPECT_LT(zipped.size(), 1024 * 1024);
    try {
        ParseXlsx(zipped);
        ADD_FAILURE() << "read";
    } catch (const SheetError& error) {
        EXPECT_EQ(error.message(), "a planilha é grande demais para uma lista de nomes");
    }
}

} // namespace
} // namespace tiravo
