// What the name import reads out of a file's bytes.
#include "draws/model/NameImport.h"

#include <gtest/gtest.h>

namespace tiravo {
namespace {

struct Case {
    const char* what;
    QByteArray bytes;
    QStringList names;
};

class NameImportTest : public testing::TestWithParam<Case> {};

TEST_P(NameImportTest, ReadsTheNamesOfTheText) {
    EXPECT_EQ(NamesToImport(GetParam().bytes), GetParam().names);
}

const QString kEighty = QString("0123456789").repeated(8);

INSTANTIATE_TEST_SUITE_P(
    Lines, NameImportTest,
    testing::Values(
        Case{"blanks, tabs and controls before a name, and whole blank lines, are skipped",
             QByteArray("  Maria\r\n\r\n \t \r\n\x01\x1F\x7FRita\n\n\n"),
             {"Maria", "Rita"}},
        Case{"trailing blanks stay, a tab is a blank and any other control goes",
             "Ana  Maria \t \nBia\t\nCa\x7F\x1Bio\xC2\x85Lima\n",
             {"Ana  Maria   ", "Bia ", "Caio Lima"}},
        Case{"invisible characters are no part of a name, and a line of them is an empty one",
             "\xE2\x80\x8B\xE2\x81\xA0\r\n\xEF\xBB\xBF\xE2\x80\x8B  Ana\xE2\x80\x8F "
             "\xE2\x80\xAERita\n",
             {"Ana Rita"}},
        Case{"an accent written apart from its letter is joined to it",
             "Joa\xCC\x83o\n",
             {QString::fromUtf8("João")}},
        Case{"a carriage return ends no line and is dropped",
             "Jo\rao\r\r\nBia\rCaio\r",
             {"Joao", "BiaCaio"}},
        Case{"the character 26 ends the file, even mid-line",
             "Ana\r\nBi\x1A"
             "a\r\nCaio\r\n",
             {"Ana", "Bi"}},
        Case{"nothing but blanks and breaks",
             " \r\n\t\n\x1A"
             "Ana",
             {}},
        Case{"a last line without a break", "Ana\nBia", {"Ana", "Bia"}},
        Case{"a long line keeps its first 80 characters",
             (kEighty + "abcdefghij" + "klmnopqrst").toLatin1() + "\nAna\n",
             {kEighty, "Ana"}},
        Case{"a byte-order mark is no part of the first name",
             "\xEF\xBB\xBF  Jo\xC3\xA3o\r\nConcei\xC3\xA7\xC3\xA3o\r\n",
             {QString::fromUtf8("João"), QString::fromUtf8("Conceição")}},
        Case{"bytes that are not UTF-8 are the Western code page",
             "Jo\xE3o\r\nConcei\xE7\xE3o",
             {QString::fromUtf8("João"), QString::fromUtf8("Conceição")}},
        Case{"a no-break space is a character of the name, not a blank",
             "\xA0"
             "Ana\n",
             {QString::fromUtf8("\u00A0Ana")}}),
    [](const testing::TestParamInfo<Case>& param) { return std::to_string(param.index); });

TEST(NameImport, CountsEightyCharactersNotUnitsOfText) {
    // A character outside the basic plane takes two units of the text.
    const QString kept = QString(79, u'a') + QString::fromUtf8("\xF0\x9F\x98\x80");
    EXPECT_EQ(NamesToImport((kept + "b").toUtf8()), QStringList{kept});
}

} // namespace
} // namespace tiravo
