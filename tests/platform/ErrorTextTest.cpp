#include "platform/ErrorText.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace tiravo
