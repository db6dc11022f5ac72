#include "platform/ErrorText.h"
#include "store/StoreError.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

namespace tiravo {
namespace {

struct ErrorTextCase {
    const char* message;
    const char* shown;
};

class ErrorBoxText : public testing::TestWithParam<ErrorTextCase> {};

TEST_P(ErrorBoxText, ClosesWithAPeriodOnlyAfterCharactersSortingAfterIt) {
    EXPECT_EQ(errorBoxText(QString::fromUtf8(GetParam().message)),
              QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    LastCharacter, ErrorBoxText,
    testing::Values(ErrorTextCase{"abc", "abc."}, ErrorTextCase{"abc.", "abc."},
                    ErrorTextCase{"abc!", "abc!"},                     // '!' < '.'
                    ErrorTextCase{"Unknown (.xyz)", "Unknown (.xyz)"}, // ')' < '.'
                    ErrorTextCase{"Nome -", "Nome -"},                 // '-' < '.'
                    ErrorTextCase{"Qual?", "Qual?."},                  // '?' > '.'
                    ErrorTextCase{"Erro 42", "Erro 42."}, ErrorTextCase{"a/", "a/."},
                    ErrorTextCase{"Falhou: ", "Falhou: "}, // a blank sorts first
                    ErrorTextCase{"Não há ação", "Não há ação."}, ErrorTextCase{"", ""}));

TEST(OperatorText, FailuresOfTheFileAreToldInPortugueseNamingItAndOthersKeepTheirText) {
    const QString file = QStringLiteral("/dados/Zodizi.db");
    const auto told = [&](int code) {
        return operatorText(StoreError(QStringLiteral("engine text"), code, file));
    };
    EXPECT_EQ(told(SQLITE_CANTOPEN),
              "O arquivo de dados /dados/Zodizi.db não pôde ser aberto. Verifique se ele existe e "
              "se este usuário pode lê-lo e criar arquivos na pasta dele.");
    EXPECT_EQ(told(SQLITE_READONLY),
              "O arquivo /dados/Zodizi.db está protegido contra gravação: nada foi gravado. Para "
              "gravar, libere a gravação do arquivo e abra o programa de novo.");
    EXPECT_EQ(told(SQLITE_FULL), "O disco de /dados/Zodizi.db está cheio: libere espaço e tente "
                                 "de novo. Nada foi gravado.");
    EXPECT_EQ(told(SQLITE_BUSY), "O arquivo /dados/Zodizi.db está em uso por outra cópia do "
                                 "programa: espere que ela termine o que está fazendo e tente de "
                                 "novo.");
    EXPECT_EQ(told(SQLITE_CORRUPT), "O arquivo /dados/Zodizi.db está danificado ou não é um banco "
                                    "de dados do Tiravo. Verifique-o com 'tiravo-db check'.");
    // The engine's finer codes belong to their families.
    EXPECT_EQ(told(SQLITE_CANTOPEN_ISDIR), told(SQLITE_CANTOPEN));
    EXPECT_EQ(told(SQLITE_READONLY_CANTLOCK), told(SQLITE_READONLY));
    EXPECT_EQ(told(SQLITE_BUSY_SNAPSHOT), told(SQLITE_BUSY));
    EXPECT_EQ(told(SQLITE_LOCKED), told(SQLITE_BUSY));
    EXPECT_EQ(told(SQLITE_NOTADB), told(SQLITE_CORRUPT));
    for (int code : {SQLITE_ERROR, SQLITE_IOERR_WRITE, SQLITE_CONSTRAINT, SQLITE_NOMEM})
        EXPECT_EQ(told(code), "engine text") << code;
    EXPECT_EQ(operatorText(StoreError(QStringLiteral("engine text"), SQLITE_FULL, QString())),
              "engine text");
    EXPECT_EQ(operatorText(Error(QStringLiteral("Field 'Nome' must have a value"))),
              "Field 'Nome' must have a value");
}

// The first box of a file that will not open at the start: where the file is
// and how to check it, whatever went wrong.
TEST(OpenFailureText, NamesTheFileAndTheCheckOnceWhateverWentWrong) {
    const QString file = QStringLiteral("/dados/Zodizi.db");
    const QString check =
        QStringLiteral("Para examiná-lo, execute 'tiravo-db check' num terminal.");
    // A disk error: the engine's words, then the file.
    EXPECT_EQ(openFailureText(StoreError("disk I/O error", SQLITE_IOERR_READ, file), file),
              "disk I/O error.\n\nO arquivo de dados é /dados/Zodizi.db. " + check);
    // Told already with its name: the check follows.
    EXPECT_EQ(openFailureText(StoreError("x", SQLITE_CANTOPEN, file), file),
              operatorText(StoreError("x", SQLITE_CANTOPEN, file)) + " " + check);
    EXPECT_EQ(openFailureText(Error("Could not find file '/dados/Zodizi.db'"), file),
              "Could not find file '/dados/Zodizi.db'. " + check);
    // A damaged file's text says it all already.
    EXPECT_EQ(openFailureText(StoreError("x", SQLITE_NOTADB, file), file),
              operatorText(StoreError("x", SQLITE_NOTADB, file)));
}

} // namespace
} // namespace tiravo
