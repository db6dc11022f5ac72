// The order of a view sorted by names, as a Portuguese reader reads it, and the
// search for a beginning over it: the same under every locale of the process.
#include "store/TextOrder.h"
#include "store/TableView.h"
#include "support/TempDatabase.h"

#include <QCoreApplication>
#include <QLocale>
#include <QProcess>

#include <gtest/gtest.h>

#include <clocale>
#include <random>

namespace tiravo {
namespace {

// A guest list as it reads in alphabetical order. Two "Maria" rows and two
// spellings of "José" (one with the accent as a mark of its own) are equal
// to the collation and keep the order of their code units, then of Cod.
const QStringList kAlphabetical = {
    "Ana",    "Ana Maria", "Anabela",   "angela", "Angela",
    "Ângela", "Conceicao", "Conceição", "João",   QString::fromUtf8("Jose\u0301"),
    "José",   "Lívia",     "Lucas",     "Lúcia",  "Luís",
    "Maria",  "Maria",     "Sônia",     "Sophia", "Úrsula",
    "Zuleica"};

// Stored in an order of their own, so that the view's order is its own work.
const QStringList kStored = {"Zuleica",
                             "Maria",
                             "Úrsula",
                             "Luís",
                             "José",
                             "Sophia",
                             "Ângela",
                             "Lúcia",
                             "angela",
                             "Ana",
                             "Sônia",
                             "Conceição",
                             "Lívia",
                             "Anabela",
                             "Lucas",
                             "João",
                             "Angela",
                             "Conceicao",
                             QString::fromUtf8("Jose\u0301"),
                             "Ana Maria",
                             "Maria"};

void Store(test::TempDatabase& db, const QStringList& names) {
    for (const QString& name : names)
        db.exec(QStringLiteral("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) VALUES ('%1', "
                               "'AAAA', 1, 1)")
                    .arg(name));
}

// The names of the editor's pool view from its first row on, by Next.
QStringList ViewOrder(test::TempDatabase& db) {
    TableView view(db.connection(), {.table = "TbNome", .filter = "Ok=True", .sortKey = "Nome"});
    view.open();
    QStringList names;
    for (; !view.eof(); view.next())
        names << view.field("Nome").asString();
    return names;
}

TEST(TextOrder, AViewSortedByNameReadsLettersThenAccentsThenCase) {
    test::TempDatabase db;
    Store(db, kStored);
    EXPECT_EQ(ViewOrder(db), kAlphabetical);
    // Ties go by Cod: the second "Maria" stored is the second shown.
    TableView view(db.connection(), {.table = "TbNome", .filter = "Ok=True", .sortKey = "Nome"});
    view.open();
    EXPECT_EQ(view.field("Nome").asString(), "Ana");
    ASSERT_TRUE(view.locate("Nome", "Maria"));
    EXPECT_EQ(view.field("Cod").asInteger(), 2);
    view.next();
    EXPECT_EQ(view.field("Cod").asInteger(), 21);
}

struct Search {
    const char* typed;
    const char* found; // nullptr: no name begins so and the cursor stays
};

// The incremental search: letter case ignored, accents as written, the first
// match in the view's order.
TEST(TextOrder, ASearchForABeginningLandsOnTheFirstMatchInAlphabeticalOrder) {
    test::TempDatabase db;
    Store(db, kStored);
    TableView view(db.connection(), {.table = "TbNome", .filter = "Ok=True", .sortKey = "Nome"});
    view.open();
    const LocateOptions search{.caseInsensitive = true, .partialKey = true};
    const auto nome = static_cast<std::size_t>(view.fieldIndex("Nome"));
    const Search searches[] = {
        {"a", "Ana"},           {"ANA ", "Ana Maria"}, {"ang", "angela"},        {"âng", "Ângela"},
        {"ÂNG", "Ângela"},      {"con", "Conceicao"},  {"conceiç", "Conceição"}, {"jo", "João"},
        {"jose", "Jose\u0301"}, {"josé", "José"},      {"l", "Lívia"},           {"lu", "Lucas"},
        {"lú", "Lúcia"},        {"lui", nullptr},      {"luí", "Luís"},          {"so", "Sophia"},
        {"sô", "Sônia"},        {"u", nullptr},        {"ú", "Úrsula"},          {"zu", "Zuleica"},
        {"zz", nullptr},        {"", nullptr},
    };
    for (const Search& s : searches) {
        view.last();
        const bool found = view.locate("Nome", QString::fromUtf8(s.typed), search);
        EXPECT_EQ(found, s.found != nullptr) << s.typed;
        EXPECT_EQ(view.field("Nome").asString(), QString::fromUtf8(s.found ? s.found : "Zuleica"))
            << s.typed;
        if (!found)
            continue;
        // The first of its kind: nothing before it matches.
        for (int place = 0; place < view.recNo(); ++place) {
            const QString before = view.displayText(place, nome);
            EXPECT_FALSE(before.startsWith(QString::fromUtf8(s.typed), Qt::CaseInsensitive))
                << s.typed << " after " << before.toStdString();
        }
    }
}

// Sorted views of order keys and free slots go the short way; it must give
// what the collation gives.
TEST(TextOrder, PlainTextsSortTheWayTheCollationSortsThem) {
    std::mt19937 random(20261209);
    for (const char* alphabet : {"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ", "0123456789abcdefz"}) {
        const std::string letters(alphabet);
        QStringList texts;
        for (int i = 0; i < 300; ++i) {
            QString text;
            for (unsigned n = random() % 5; n > 0; --n)
                text += QChar(letters[random() % letters.size()]);
            texts << text;
        }
        const std::vector<QStringView> views(texts.begin(), texts.end());
        const std::vector<std::size_t> order = TextOrderOf(views);
        for (std::size_t i = 1; i < order.size(); ++i)
            ASSERT_LE(CompareTexts(views[order[i - 1]], views[order[i]]), 0)
                << texts[order[i - 1]].toStdString() << " " << texts[order[i]].toStdString();
    }
}

// Run as a child under the locale the parent chose: prints the view's order.
TEST(TextOrderUnderLocale, Child) {
    const QByteArray locale = qgetenv("TIRAVO_TEXT_ORDER_LOCALE");
    if (locale.isEmpty())
        GTEST_SKIP() << "run by TextOrder.TheOrderIsTheSameUnderEveryLocale";
    std::setlocale(LC_ALL, "");
    QLocale::setDefault(QLocale(QString::fromLatin1(locale)));
    test::TempDatabase db;
    Store(db, kStored);
    std::printf("\n@@%s@@\n", ViewOrder(db).join(u'|').toUtf8().constData());
}

TEST(TextOrder, TheOrderIsTheSameUnderEveryLocale) {
    for (const char* locale : {"C", "de_DE.UTF-8", "en_US.UTF-8", "sv_SE.UTF-8"}) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LANG", "LC_ALL", "LC_COLLATE", "LANGUAGE"})
            env.insert(QString::fromLatin1(name), QString::fromLatin1(locale));
        env.insert("TIRAVO_TEXT_ORDER_LOCALE", QString::fromLatin1(locale).section(u'.', 0, 0));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=TextOrderUnderLocale.Child"});
        ASSERT_TRUE(child.waitForFinished(60000)) << locale;
        const QString out = QString::fromUtf8(child.readAllStandardOutput());
        const qsizetype begin = out.indexOf("@@");
        const qsizetype end = out.indexOf("@@", begin + 2);
        ASSERT_TRUE(begin >= 0 && end > begin) << locale << out.toStdString();
        EXPECT_EQ(out.mid(begin + 2, end - begin - 2).split(u'|'), kAlphabetical) << locale;
    }
}

} // namespace
} // namespace tiravo
