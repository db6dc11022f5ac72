// "Fazer Sorteio" on the number screen over 3,000 available numbers and ten
// winners: the winner's post, the winners list read again, and the reshuffle
// of every number left in one batch.
#include "PowerCutKinds.h"

#include "draws/VantaNumero.h"
#include "platform/AppContext.h"
#include "platform/Random.h"
#include "store/Connection.h"
#include "support/TestServices.h"

#include <QPushButton>
#include <QTest>

namespace tiravo::powercut {

namespace {

constexpr int kAvailable = 3000;
constexpr int kDrawn = 10;
constexpr int kPlace = kDrawn + 1;
// A fresh key repeats the old one once in 456,976 rows: more rows on it than
// this were left behind by half a reshuffle.
constexpr int kByChance = 3;

class Draw final : public PowerCutKind {
public:
    QString name() const override { return QStringLiteral("draw and reshuffle of 3,000"); }

    void prepare(Connection& connection) override {
        // The winners are the numbers above the available ones, each at its
        // place; every available number waits on one old key.
        connection.execute(
            QStringLiteral(
                "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
                "INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo, Sorte) SELECT x, CASE WHEN x > %2 "
                "THEN 'wwww' ELSE 'kkkk' END, x <= %2, x > %2, CASE WHEN x > %2 THEN x - %2 END "
                "FROM n")
                .arg(kAvailable + kDrawn)
                .arg(kAvailable));
    }

    void work(Connection& connection, TestServices& fake) override {
        // Real entropy: a reshuffle by the fake would give every row the old
        // key's look-alike, and half a reshuffle could not be told.
        SystemRandom random;
        AppContext context(connection,
                           {fake.clock, fake.pause, fake.dialogs, fake.desktop, random});
        TFVantaNumero screen(nullptr, context);
        QTest::mouseClick(screen.Button5, Qt::LeftButton);
        // The winner heads "Premiados" at the next place.
        if (screen.QrySorte.active() && screen.QrySorte.recordCount() == kPlace &&
            screen.QrySorte.field(QStringLiteral("Sorte")).asInteger() == kPlace)
            winnerShown_ =
                static_cast<int>(screen.QrySorte.field(QStringLiteral("Numero")).asInteger());
        finished_ = fake.dialogs.asked().isEmpty();
    }

    bool reportedDone() const override { return winnerShown_ > 0 && finished_; }

    QStringList check(Connection& connection) const override {
        QStringList problems;
        const qint64 winnersIntact = CountOf(
            connection, QStringLiteral("Select count(*) From TbNumero Where Numero > %1 And Ok = 0 "
                                       "And Ativo = 1 And Ordem = 'wwww' And Sorte = Numero - %1")
                            .arg(kAvailable));
        if (winnersIntact != kDrawn)
            problems << QStringLiteral("%1 of the %2 earlier winners intact")
                            .arg(winnersIntact)
                            .arg(kDrawn);
        const qint64 newWinners =
            CountOf(connection,
                    QStringLiteral("Select count(*) From TbNumero Where Numero <= %1 And Ok = 0")
                        .arg(kAvailable));
        const qint64 soundWinner =
            CountOf(connection, QStringLiteral("Select count(*) From TbNumero Where Numero <= %1 "
                                               "And Ok = 0 And Ativo = 1 And Sorte = %2")
                                    .arg(kAvailable)
                                    .arg(kPlace));
        if (newWinners > 1 || newWinners != soundWinner)
            problems << QStringLiteral("%1 new winners, %2 of them at place %3")
                            .arg(newWinners)
                            .arg(soundWinner)
                            .arg(kPlace);
        if (winnerShown_ > 0 &&
            CountOf(connection, QStringLiteral("Select count(*) From TbNumero Where Numero = %1 "
                                               "And Ok = 0 And Sorte = %2")
                                    .arg(winnerShown_)
                                    .arg(kPlace)) != 1)
            problems << QStringLiteral("the winner shown, %1, is not stored").arg(winnerShown_);
        const qint64 oldKeys = CountOf(
            connection,
            QStringLiteral("Select count(*) From TbNumero Where Ok = 1 And Ordem = 'kkkk'"));
        const qint64 left = kAvailable - newWinners;
        const bool reshuffled = oldKeys <= kByChance;
        if (!reshuffled && oldKeys != left)
            problems << QStringLiteral("%1 of %2 numbers on the old key: half a reshuffle")
                            .arg(oldKeys)
                            .arg(left);
        if (reportedDone() && !reshuffled)
            problems << QStringLiteral(
                "the draw ended without a box, yet the reshuffle is not stored");
        if (reshuffled && newWinners == 0)
            problems << QStringLiteral("a reshuffle stored without its winner");
        const qint64 badKeys = CountOf(
            connection, QStringLiteral("Select count(*) From TbNumero Where length(Ordem) <> 4 "
                                       "Or Ordem GLOB '*[^a-z]*' Or Ok IS NULL"));
        if (badKeys > 0)
            problems << QStringLiteral("%1 rows without a key or a flag").arg(badKeys);
        return problems;
    }

private:
    int winnerShown_ = 0;
    bool finished_ = false;
};

} // namespace

std::unique_ptr<PowerCutKind> DrawCut() {
    return std::make_unique<Draw>();
}

} // namespace tiravo::powercut
