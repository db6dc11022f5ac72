// CSV files as spreadsheets and people save them: separators found from the
// file, quotes, encodings, and the quote left open.
#include "platform/CsvFile.h"

#include <gtest/gtest.h>

namespace tiravo {
namespace {

QList<QStringList> Rows(const QByteArray& bytes) {
    return ParseCsv(bytes).rows();
}

struct Case {
    const char* what;
    QByteArray bytes;
    QList<QStringList> rows;
};

class CsvFileTest : public testing::TestWithParam<Case> {};

TEST_P(CsvFileTest, ReadsTheFieldsOfEachLine) {
    EXPECT_EQ(Rows(GetParam().bytes), GetParam().rows) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Files, CsvFileTest,
    testing::Values(
        Case{"semicolons, a header and Windows-1252 accents, as a Portuguese spreadsheet saves",
             "Nome;Telefone\r\nJo\xE3o Concei\xE7\xE3o;(11) 91234-5678\r\nMaria;\r\n",
             {{"Nome", "Telefone"},
              {QString::fromUtf8("João Conceição"), "(11) 91234-5678"},
              {"Maria", ""}}},
        Case{"commas, UTF-8 with a byte order mark",
             "\xEF\xBB\xBFNome,Cidade\nJo\xC3\xA3o,S\xC3\xA3o Paulo\n",
             {{"Nome", "Cidade"}, {QString::fromUtf8("João"), QString::fromUtf8("São Paulo")}}},
        Case{"tabs, and commas inside the names are no separator",
             "Silva, Maria\t1\nSouza, Ana\t2\n",
             {{"Silva, Maria", "1"}, {"Souza, Ana", "2"}}},
        Case{"a semicolon wins over commas that every line also holds",
             "Silva, Maria;1\nSouza, Ana;2\n",
             {{"Silva, Maria", "1"}, {"Souza, Ana", "2"}}},
        Case{"a comma in one name of a list makes no second column",
             "Ana\nBia\nSilva, Maria\nCaio\n",
             {{"Ana"}, {"Bia"}, {"Silva, Maria"}, {"Caio"}}},
        Case{"quotes carry separators, doubled quotes and line breaks",
             "Nome;Obs\r\n\"Souza; Ana\";\"diz \"\"oi\"\"\"\r\n\"Bia\r\nLima\";x\r\n",
             {{"Nome", "Obs"}, {"Souza; Ana", "diz \"oi\""}, {"Bia\r\nLima", "x"}}},
        Case{"blanks before an opening quote are dropped, a quote inside a field is kept",
             "\"Silva, Maria\", 1\nMaria \"Mia\" Lima, 2\n",
             {{"Silva, Maria", " 1"}, {"Maria \"Mia\" Lima", " 2"}}},
        Case{"what follows a closing quote is kept",
             "\"Ana\" Maria;1\nBia;2\n",
             {{"Ana Maria", "1"}, {"Bia", "2"}}},
        Case{"empty lines are no rows; a line of separators is",
             "\n\nAna;1\r\n\r\n;\r\nBia;2",
             {{"Ana", "1"}, {"", ""}, {"Bia", "2"}}},
        Case{"carriage returns alone end lines, as older Mac spreadsheets save",
             "Nome;Idade\rAna;30\rBia;31\r",
             {{"Nome", "Idade"}, {"Ana", "30"}, {"Bia", "31"}}},
        Case{"an empty file", "", {}}, Case{"a byte order mark alone", "\xEF\xBB\xBF", {}}),
    [](const testing::TestParamInfo<Case>& param) { return std::to_string(param.index); });

TEST(CsvFile, AQuoteLeftOpenNamesTheLineWhereItsFieldBegan) {
    const auto message = [](const QByteArray& bytes) {
        try {
            ParseCsv(bytes);
        } catch (const SheetError& error) {
            return error.message();
        }
        return QString("no error");
    };
    QByteArray lines;
    for (int i = 1; i <= 11; ++i)
        lines += "Nome " + QByteArray::number(i) + ";\"x\"\r\n";
    EXPECT_EQ(message(lines + "Nome 12;\"sem fecho\r\nNome 13;x\r\n"),
              "a linha 12 tem aspas sem fecho");
    // Lines inside an earlier quoted field count as lines of the file.
    EXPECT_EQ(message("Nome;Obs\n\"Ana\nde\nTal\";x\nBia;\"y"), "a linha 5 tem aspas sem fecho");
    EXPECT_EQ(message("Nome;Obs\r\"Ana\r\rx\";1\r\"aberto"), "a linha 5 tem aspas sem fecho");
}

TEST(CsvFile, TheSeparatorIsWhatMostRecordsAgreeOn) {
    EXPECT_EQ(CsvSeparatorOf("a;b;c\nd;e;f\n"), QChar(u';'));
    EXPECT_EQ(CsvSeparatorOf("a,b\nc,d\ne;f\n"), QChar(u','));
    EXPECT_EQ(CsvSeparatorOf("\"a;b\",c\n\"d;e\",f\n"), QChar(u','));
    EXPECT_EQ(CsvSeparatorOf("Ana\nBia\n"), QChar());
    EXPECT_EQ(CsvSeparatorOf(""), QChar());
}

TEST(CsvFile, AFileOfNothingButSeparatorsIsRefusedBeforeItFillsTheMemory) {
    // A few megabytes of ';' would be millions of empty cells.
    const QByteArray separators = QByteArray(5 * 1024 * 1024, ';') + "\n";
    try {
        ParseCsv(separators + separators);
        ADD_FAILURE() << "read";
    } catch (const SheetError& error) {
        EXPECT_EQ(error.message(), "a planilha é grande demais para uma lista de nomes");
    }
}

} // namespace
} // namespace tiravo
