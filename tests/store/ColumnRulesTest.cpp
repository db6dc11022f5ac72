// How texts and numbers become stored values, and how values read back.
#include "common/Error.h"
#include "store/Column.h"

#include <gtest/gtest.h>

#include <limits>

namespace tiravo {
namespace {

Column Make(ColumnType type, const char* name = "Ok", int width = 0) {
    return Column{QString::fromLatin1(name), type, width, false, {}};
}

QString MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.message();
    }
    return QStringLiteral("<no error>");
}

struct BooleanCase {
    const char* text;
    Value expected;
};

class BooleanText : public testing::TestWithParam<BooleanCase> {};

TEST_P(BooleanText, MatchesTheBeginningOfFalseThenTrue) {
    EXPECT_EQ(Make(ColumnType::Boolean).parseText(QString::fromUtf8(GetParam().text)),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, BooleanText,
                         testing::Values(BooleanCase{"T", true}, BooleanCase{"t", true},
                                         BooleanCase{"tr", true}, BooleanCase{"TRUE", true},
                                         BooleanCase{"F", false}, BooleanCase{"fAlS", false},
                                         BooleanCase{"False", false}, BooleanCase{"", Value{}}));

TEST(BooleanTextRefused, WithTheOperatorsMessage) {
    const Column ok = Make(ColumnType::Boolean);
    for (const char* text : {"x", "Trues", "yes", "1", " T"})
        EXPECT_EQ(MessageOf([&] { ok.parseText(QString::fromLatin1(text)); }),
                  QStringLiteral("'%1' is not a valid boolean value for field 'Ok'")
                      .arg(QString::fromLatin1(text)))
            << text;
}

TEST(IntegerText, EmptyIsNullAndWholeNumbersAreKept) {
    const Column number = Make(ColumnType::Integer, "Numero");
    EXPECT_EQ(number.parseText(QString()), Value{});
    EXPECT_EQ(number.parseText(QStringLiteral("-2147483648")), Value(std::int64_t{-2147483648}));
    EXPECT_EQ(number.parseText(QStringLiteral("2147483647")), Value(std::int64_t{2147483647}));
    for (const char* text : {"1.5", "abc", "12a", "--1"})
        EXPECT_EQ(MessageOf([&] { number.parseText(QString::fromLatin1(text)); }),
                  QStringLiteral("'%1' is not a valid integer value for field 'Numero'")
                      .arg(QString::fromLatin1(text)));
}

TEST(IntegerRange, IsCheckedNeverWrapped) {
    const Column sorte = Make(ColumnType::SmallInt, "Sorte");
    EXPECT_EQ(sorte.fit(std::int64_t{32767}), Value(std::int64_t{32767}));
    EXPECT_EQ(sorte.fit(std::int64_t{-32768}), Value(std::int64_t{-32768}));
    EXPECT_EQ(MessageOf([&] { sorte.fit(std::int64_t{32768}); }),
              QStringLiteral("'32768' is out of range for field 'Sorte' (-32768 to 32767)"));
    EXPECT_THROW(sorte.parseText(QStringLiteral("70000")), Error);
    EXPECT_THROW(Make(ColumnType::Integer).fit(std::int64_t{2147483648}), Error);
}

TEST(TextWidth, CutsLongTextsAndKeepsTheEmptyText) {
    const Column nome = Make(ColumnType::Text, "Nome", 40);
    const QString name45 = QString(45, u'a');
    EXPECT_EQ(std::get<QString>(nome.parseText(name45)), QString(40, u'a'));
    EXPECT_EQ(nome.parseText(QString()), Value(QString()));
    // A character outside the basic plane counts once and is never split.
    const QString wide = QString(3, u'b') + QString::fromUtf8("\xF0\x9F\x8E\xB2") + u'c';
    EXPECT_EQ(CutToWidth(wide, 4), QString(3, u'b') + QString::fromUtf8("\xF0\x9F\x8E\xB2"));
    EXPECT_EQ(CutToWidth(wide, 3), QString(3, u'b'));
}

TEST(ReadingAsText, FollowsTheDisplayFormat) {
    Column numero = Make(ColumnType::Integer, "Numero");
    EXPECT_EQ(numero.formatText(std::int64_t{7}), QStringLiteral("7"));
    numero.displayFormat = QStringLiteral("00");
    EXPECT_EQ(numero.formatText(std::int64_t{7}), QStringLiteral("07"));
    EXPECT_EQ(numero.formatText(std::int64_t{123}), QStringLiteral("123"));
    EXPECT_EQ(numero.formatText(std::int64_t{-7}), QStringLiteral("-07"));
    EXPECT_EQ(numero.formatText(std::numeric_limits<std::int64_t>::min()),
              QStringLiteral("-9223372036854775808"));
    EXPECT_EQ(numero.formatText(Value{}), QString());
    EXPECT_EQ(Make(ColumnType::Boolean).formatText(true), QStringLiteral("True"));
}

TEST(WrongKindOfValue, IsRefused) {
    EXPECT_THROW(Make(ColumnType::Boolean).fit(QStringLiteral("T")), Error);
    EXPECT_THROW(Make(ColumnType::Integer).fit(true), Error);
    EXPECT_THROW(Make(ColumnType::Text, "Nome", 4).fit(std::int64_t{3}), Error);
}

} // namespace
} // namespace tiravo
