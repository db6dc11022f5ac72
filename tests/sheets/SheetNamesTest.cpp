// Which rows and column of a spreadsheet the name import proposes, and what
// it says of a file without names.
#include "draws/model/SheetNames.h"
#include "common/Error.h"
#include "support/Workbooks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

SheetRows Sheet(const QList<QStringList>& rows) {
    SheetRows sheet;
    for (const QStringList& row : rows) {
        for (const QString& cell : row)
            sheet.append(cell);
        sheet.endRow();
    }
    return sheet;
}

struct Case {
    const char* what;
    QList<QStringList> rows;
    bool header;
    qsizetype proposed;
};

class ExamineSheetTest : public testing::TestWithParam<Case> {};

TEST_P(ExamineSheetTest, GuessesTheHeaderAndTheColumnOfNames) {
    const SheetColumns sheet = ExamineSheet(Sheet(GetParam().rows));
    EXPECT_EQ(sheet.header, GetParam().header) << GetParam().what;
    EXPECT_EQ(sheet.proposed, GetParam().proposed) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, ExamineSheetTest,
    testing::Values(
        Case{"a column headed Nome, wherever it stands",
             {{"Código", "Telefone", "Nome"}, {"17", "(11) 9123", "Ana"}},
             true,
             2},
        Case{"a heading in capitals and without its accent, or in English",
             {{"ID", "PARTICIPANTE"}, {"1", "Ana"}},
             true,
             1},
        Case{"words over figures: a Turma over 5A",
             {{"Turma", "Aluno"}, {"5A", "Ana"}, {"6B", "Bia"}},
             true,
             1},
        Case{"without a header, the first column of words",
             {{"17", "ana@exemplo.com", "Ana Lima"}, {"18", "bia@exemplo.com", "Bia"}},
             false,
             2},
        Case{"words over words: no sign of a header",
             {{"Funcionário", "Setor"}, {"Ana", "RH"}},
             false,
             0},
        Case{"a first row holding a figure is data", {{"1", "Ana"}, {"2", "Bia"}}, false, 1},
        Case{"nothing but figures: the first column", {{"1", "2"}, {"3", "4"}}, false, 0}),
    [](const testing::TestParamInfo<Case>& param) { return std::to_string(param.index); });

TEST(ExamineSheet, LeavesOutBlankRowsAndColumnsAndKeepsTheLettersOfTheRest) {
    const SheetColumns sheet = ExamineSheet(
        Sheet({{"", "Nome", " ", "Fone"}, {"", "", ""}, {"", "Ana", "", "1"}, {" ", "Bia"}}));
    EXPECT_EQ(sheet.rows, (QList<QStringList>{{"Nome", "Fone"}, {"Ana", "1"}, {"Bia", ""}}));
    EXPECT_EQ(sheet.columnCount, 2);
    EXPECT_EQ(sheet.sheetColumns, (QList<qsizetype>{1, 3}));
    EXPECT_TRUE(sheet.header);
    EXPECT_EQ(sheet.proposed, 0);
    EXPECT_EQ(NamesInColumn(sheet, {0, true}), QStringList({"Ana", "Bia"}));
    EXPECT_EQ(NamesInColumn(sheet, {0, false}), QStringList({"Nome", "Ana", "Bia"}));
}

TEST(IsNamesHeading, TakesTheFourWordsInAnyCaseAndAccent) {
    for (const char* heading : {"Nome", "nomes", " NAME ", "Participante", "Nómê", "PARTICIPANTE"})
        EXPECT_TRUE(IsNamesHeading(QString::fromUtf8(heading))) << heading;
    for (const char* heading : {"Nome completo", "Sobrenome", "Names", "", "Participantes"})
        EXPECT_FALSE(IsNamesHeading(QString::fromUtf8(heading))) << heading;
}

class ReadNamesFromFileTest : public testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // The names read, or the error's text.
    QString read(const QString& path, std::optional<NameColumn> answer = std::nullopt) {
        try {
            const std::optional<QStringList> names =
                ReadNamesFromFile(path, [&](const SheetColumns&) {
                    ++asked_;
                    return answer;
                });
            return names ? names->join(u'|') : QStringLiteral("(cancelled)");
        } catch (const Error& error) {
            return error.message();
        }
    }

    QTemporaryDir dir_;
    int asked_ = 0;
};

TEST_F(ReadNamesFromFileTest, OneColumnIsAListAndSeveralAskWhich) {
    // A text file is read line by line, semicolons and all, as always.
    EXPECT_EQ(read(write("nomes.txt", "Nome;Telefone\nAna;1\n")), "Nome;Telefone|Ana;1");
    EXPECT_EQ(read(write("nomes.csv", "Nome\r\n  Ana\r\n\r\nBia\r\n")), "Ana|Bia");
    EXPECT_EQ(read(write("nomes2.CSV", "Ana\r\nBia\r\n")), "Ana|Bia");
    EXPECT_EQ(asked_, 0);
    const QString both = write("dois.csv", "Nome;Telefone\nAna;1\n;2\nBia;3\n");
    EXPECT_EQ(read(both, NameColumn{0, true}), "Ana|Bia");
    EXPECT_EQ(read(both, NameColumn{1, false}), "Telefone|1|2|3");
    EXPECT_EQ(read(both), "(cancelled)");
    EXPECT_EQ(asked_, 3);
}

TEST_F(ReadNamesFromFileTest, AFileWithoutNamesSaysSoAndNamesTheFile) {
    const QString empty = write("vazia.csv", "\r\n;;\r\n");
    EXPECT_EQ(read(empty), QString("O arquivo \"%1\" não pode ser importado: a planilha está vazia")
                               .arg(QDir::toNativeSeparators(empty)));
    const QString headed = write("so-cabecalho.csv", "Nomes\r\n");
    EXPECT_EQ(read(headed),
              QString("O arquivo \"%1\" não pode ser importado: a planilha está vazia")
                  .arg(QDir::toNativeSeparators(headed)));
    const QString column = write("coluna.csv", "Nome;Fone\n;1\n;2\n");
    EXPECT_EQ(read(column, NameColumn{0, true}),
              QString("O arquivo \"%1\" não pode ser importado: a coluna escolhida está vazia")
                  .arg(QDir::toNativeSeparators(column)));
    const QString open = write("aberta.csv", "Nome;Fone\nAna;\"1\n");
    EXPECT_EQ(read(open),
              QString("O arquivo \"%1\" não pode ser importado: a linha 2 tem aspas sem fecho")
                  .arg(QDir::toNativeSeparators(open)));
    const QString fake = write("falsa.xlsx", "Nome;Fone\n");
    EXPECT_EQ(read(fake),
              QString("O arquivo \"%1\" não pode ser importado: não é uma planilha XLSX")
                  .arg(QDir::toNativeSeparators(fake)));
    EXPECT_EQ(asked_, 1); // only the sheet of two columns asks
}

} // namespace
} // namespace tiravo
