// "Sortear vários..." and Ctrl+Enter on the three draw screens: how many is
// asked, each draw of the batch is a draw of the screen in the file, the
// record marks them as one batch, the show is shorter, Esc stops after the
// draw that runs, and a summary follows.
#include "draws/model/DrawBatch.h"
#include "draws/BatchBoard.h"
#include "draws/BatchSummary.h"
#include "draws/VantaFoto.h"
#include "draws/VantaNome.h"
#include "draws/VantaNumero.h"
#include "draws/model/AbsentWinner.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PrizeDraw.h"
#include "draws/model/PrizePlan.h"
#include "draws/model/RecordChain.h"
#include "draws/model/RecordCheck.h"
#include "support/PoolRows.h"
#include "support/TestServices.h"
#include "widgets/CounterPanel.h"
#include "widgets/DataGrid.h"
#include "widgets/PictureBox.h"

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace tiravo {
namespace {

using test::ColumnOf;

enum class Pool { Numbers, Names, Photos };

void PrintTo(Pool pool, std::ostream* out) {
    *out << (pool == Pool::Numbers ? "numbers" : pool == Pool::Names ? "names" : "photos");
}

const PoolDescription& DescriptionOf(Pool pool) {
    return pool == Pool::Numbers ? NumberPool() : pool == Pool::Names ? NamePool() : PhotoPool();
}

class Batch : public testing::Test {
protected:
    // 12:00:37, as the other screen tests.
    Batch() { fake.clock.setTime(QTime(12, 0, 37)); }

    // `count` available entries of `pool`, and its screen.
    std::unique_ptr<DrawScreen> open(Pool pool, int count) {
        pool_ = pool;
        for (int n = 1; n <= count; ++n) {
            const QString key = QStringLiteral("k%1").arg(n, 4, 10, QLatin1Char('0'));
            if (pool == Pool::Numbers) {
                db.exec(QStringLiteral("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) "
                                       "VALUES (%1, '%2', 1, 0)")
                            .arg(n)
                            .arg(key));
            } else if (pool == Pool::Names) {
                db.exec(QStringLiteral("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) "
                                       "VALUES ('Nome %1', '%2', 1, 1)")
                            .arg(n)
                            .arg(key));
            } else {
                const QString path = photos.filePath(QStringLiteral("%1.jpg").arg(n));
                QImage image(32, 24, QImage::Format_RGB32);
                image.fill(QColor::fromHsv(n * 7 % 360, 200, 220));
                EXPECT_TRUE(image.save(path, "JPG"));
                test::AddPhoto(db, {path, key});
            }
        }
        AppContext& context = fake.context(db.connection());
        if (pool == Pool::Numbers)
            return std::make_unique<TFVantaNumero>(nullptr, context);
        if (pool == Pool::Names)
            return std::make_unique<TFVantaNome>(nullptr, context);
        return std::make_unique<TFVantaFoto>(nullptr, context);
    }

    QString table() const { return DescriptionOf(pool_).table; }

    // The places the file holds, lowest first.
    QList<int> places() {
        QList<int> stored;
        for (const QString& place : ColumnOf(db.connection(), "Sorte", table()))
            if (!place.isEmpty())
                stored << place.toInt();
        std::sort(stored.begin(), stored.end());
        return stored;
    }

    // The entry at `place` in the file, as the record names it.
    QString entryAt(int place) {
        const QStringList entries =
            ColumnOf(db.connection(), DescriptionOf(pool_).entryColumn, table());
        const qsizetype row =
            ColumnOf(db.connection(), "Sorte", table()).indexOf(QString::number(place));
        return row < 0 ? QString() : entries[row];
    }

    // The record rows of draws, oldest first.
    std::vector<RecordRow> drawRows() {
        std::vector<RecordRow> rows;
        for (const RecordRow& row : ReadRecord(db.connection()))
            if (row.place)
                rows.push_back(row);
        return rows;
    }

    // "Sortear vários..." from the winners menu, answered with `count`.
    void drawMany(DrawScreen& w, int count) {
        fake.dialogs.answerNumber(count);
        w.DrawMany->trigger();
    }

    static BatchSummary* summaryOf(DrawScreen& w) { return w.findChild<BatchSummary*>(); }

    // The frames of the teaser held for a draw's suspense or a single entry.
    int teasers() {
        int count = 0;
        for (const Frame& frame : fake.pause.frames())
            if (frame.shown.contains(QStringLiteral("teaser")) && frame.milliseconds >= 1000)
                ++count;
        return count;
    }

    test::TempDatabase db;
    QTemporaryDir photos;
    TestServices fake;
    Pool pool_ = Pool::Numbers;
};

class EveryPool : public Batch, public testing::WithParamInterface<Pool> {};

TEST_P(EveryPool, ABatchStoresItsWinnersAtConsecutivePlacesUnderOneMark) {
    const std::unique_ptr<DrawScreen> w = open(GetParam(), 12);
    QTest::mouseClick(w->Button5, Qt::LeftButton); // place 1, a single draw
    fake.pause.clear();
    fake.dialogs.clear();

    EXPECT_EQ(w->DrawMany->text(), "Sortear vários...");
    // The board lists the batch's winners as each is revealed, newest on top.
    QStringList boards;
    fake.pause.during = [&](const Frame& frame) {
        if (frame.milliseconds == 1000 && !frame.shown.contains(QStringLiteral("teaser")))
            if (auto* board = w->findChild<BatchBoard*>(); board && !board->isHidden())
                boards << board->text();
    };
    drawMany(*w, 4);
    fake.pause.during = nullptr;

    ASSERT_EQ(fake.dialogs.asked().size(), 1)
        << fake.dialogs.texts(DialogKind::Error).join("; ").toStdString();
    const AskedDialog& question = fake.dialogs.asked()[0];
    EXPECT_EQ(question.kind, DialogKind::NumberInput);
    EXPECT_EQ(question.text, "Quantos ganhadores sortear agora? (de 2 a 11) [2..11]");
    EXPECT_EQ(question.proposed, 10); // no plan
    EXPECT_EQ(places(), QList<int>({1, 2, 3, 4, 5}));
    EXPECT_EQ(w->Panel1->text(), "7");

    // One draw row each, the first naming itself, the others naming it; the
    // single draw before stays a plain draw without a count.
    const std::vector<RecordRow> rows = drawRows();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].action, "sorteio");
    EXPECT_FALSE(rows[0].count);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].action, "sorteio em lote");
        EXPECT_EQ(rows[i].count, rows[1].sequence);
        EXPECT_EQ(rows[i].place, std::int64_t(i + 1));
        EXPECT_EQ(rows[i].entry, entryAt(int(i + 1)));
    }
    // Each draw was the screen's own: the photo screen's column of winners
    // took every one, the newest on top.
    if (auto* photo = dynamic_cast<TFVantaFoto*>(w.get())) {
        EXPECT_EQ(photo->Img1->pictureName(), entryAt(5));
        EXPECT_EQ(photo->Img5->pictureName(), entryAt(1));
    }
    EXPECT_TRUE(CheckRecord(db.connection()).holds)
        << CheckRecord(db.connection()).problem.toStdString();

    // Only the first draw of the batch holds the teaser; every winner is
    // held for a second.
    EXPECT_EQ(teasers(), 1);
    ASSERT_EQ(boards.size(), 4);
    EXPECT_EQ(boards[0].count(u'\n'), 0);
    EXPECT_TRUE(boards[3].startsWith(QStringLiteral("5º  ")));
    EXPECT_EQ(boards[3].count(u'\n'), 3);
    EXPECT_TRUE(w->findChild<BatchBoard*>()->isHidden());

    // The summary stays until a key is pressed; Esc closes it, not the screen.
    BatchSummary* summary = summaryOf(*w);
    ASSERT_NE(summary, nullptr);
    EXPECT_FALSE(summary->isHidden());
    EXPECT_TRUE(summary->text().contains("Sorteio em lote: 4 ganhadores"));
    EXPECT_TRUE(summary->text().contains("3º"));
    EXPECT_FALSE(summary->text().contains("Prêmio"));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    EXPECT_TRUE(w->FormKeyDown(&escape));
    EXPECT_TRUE(summary->isHidden());
}

// The second a batch holds a winner for, while the next draw's work begins.
bool IsWinnerHold(const Frame& frame) {
    return !frame.widget && frame.milliseconds == kBatchWinnerMilliseconds;
}

INSTANTIATE_TEST_SUITE_P(Pools, EveryPool,
                         testing::Values(Pool::Numbers, Pool::Names, Pool::Photos));

TEST_F(Batch, WithAPlanThePlacesFollowItAndTheSummaryNamesThePrizes) {
    const std::unique_ptr<DrawScreen> w = open(Pool::Names, 10);
    AddPrize(db.connection(), NamePool(), "Bicicleta", 2);
    AddPrize(db.connection(), NamePool(), "Rádio", 3);
    QTest::mouseClick(w->Button5, Qt::LeftButton);
    fake.dialogs.clear();

    // Every winner of the batch is revealed with its place and prize, those
    // without the suspense too.
    QStringList announced;
    fake.pause.during = [&](const Frame& frame) {
        if (IsWinnerHold(frame))
            if (auto* band = w->findChild<QLabel*>("LabelPremio"); band && !band->isHidden())
                announced << band->text();
    };
    drawMany(*w, 4);
    fake.pause.during = nullptr;
    EXPECT_EQ(announced, QStringList({"2º prêmio — Bicicleta", "3º prêmio — Rádio",
                                      "4º prêmio — Rádio", "5º prêmio — Rádio"}));
    ASSERT_EQ(fake.dialogs.asked().size(), 1);
    EXPECT_EQ(fake.dialogs.asked()[0].proposed, 4); // the places still without a winner
    EXPECT_EQ(places(), QList<int>({1, 2, 3, 4, 5}));
    EXPECT_TRUE(
        EveryPrizeDrawn(db.connection(), NamePool(), ReadPrizePlan(db.connection(), NamePool())));
    const QString summary = summaryOf(*w)->text();
    EXPECT_TRUE(summary.contains("Prêmio"));
    EXPECT_TRUE(summary.contains("Bicicleta"));
    EXPECT_EQ(summary.count("Rádio"), 3);
    EXPECT_TRUE(summary.contains(entryAt(2).toHtmlEscaped()));

    // Once every prize has a winner, the batch asks first, once; No draws
    // nothing, Yes goes on to how many.
    fake.dialogs.clear();
    fake.dialogs.answerNo();
    w->DrawMany->trigger();
    ASSERT_EQ(fake.dialogs.asked().size(), 1);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Confirmation),
              QStringList({kEveryPrizeDrawnQuestion}));
    EXPECT_EQ(places().size(), 5);
    fake.dialogs.clear();
    fake.dialogs.answerYes();
    fake.dialogs.answerNumber(2);
    w->DrawMany->trigger();
    ASSERT_EQ(fake.dialogs.asked().size(), 2);
    EXPECT_EQ(fake.dialogs.asked()[1].proposed, 5); // 10, but only 5 are left
    EXPECT_EQ(places().size(), 7);
}

TEST_F(Batch, ItsFirstDrawFillsThePlaceAnAbsenceLeft) {
    const std::unique_ptr<DrawScreen> w = open(Pool::Names, 8);
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(w->Button5, Qt::LeftButton);
    auto& screen = static_cast<TFVantaNome&>(*w);
    ASSERT_TRUE(screen.QrySorte.locate("Sorte", "2"));
    const QString absent = screen.QrySorte.field("Nome").asString();
    ASSERT_TRUE(MarkAbsent(screen.QrySorte, NamePool(), QStringLiteral("saiu")));
    drawMany(*w, 2);
    EXPECT_EQ(places(), QList<int>({1, 2, 3, 4}));
    EXPECT_NE(entryAt(2), absent);
    const std::vector<RecordRow> rows = drawRows();
    EXPECT_EQ(rows[rows.size() - 2].place, 2);
    EXPECT_EQ(rows.back().place, 4);
    EXPECT_EQ(rows.back().count, rows[rows.size() - 2].sequence);
}

TEST_F(Batch, EscStopsItAfterTheDrawThatRuns) {
    const std::unique_ptr<DrawScreen> w = open(Pool::Numbers, 20);
    w->show();
    // Esc (and a click on "Limpar Lista") during the second draw's frames:
    // neither reaches the screen until that draw is stored.
    int reveals = 0;
    bool pressed = false;
    const auto escapeInSecondDraw = [&](const Frame& frame) {
        if (IsWinnerHold(frame))
            ++reveals;
        else if (reveals == 1 && !pressed) {
            pressed = true;
            QCoreApplication::postEvent(
                w.get(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
            QCoreApplication::postEvent(
                w.get(), new QKeyEvent(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier));
        }
    };
    fake.pause.during = escapeInSecondDraw;
    drawMany(*w, 6);
    fake.pause.during = nullptr;
    EXPECT_TRUE(pressed);
    EXPECT_EQ(reveals, 2);
    EXPECT_EQ(places(), QList<int>({1, 2}));
    EXPECT_EQ(drawRows().size(), 2u);
    EXPECT_EQ(w->Panel1->text(), "18");
    EXPECT_TRUE(summaryOf(*w)->text().contains("Sorteio em lote: 2 ganhadores"));
    // The screen took nothing of it: no error, and it was not closed.
    EXPECT_TRUE(fake.dialogs.texts(DialogKind::Error).isEmpty());
    EXPECT_TRUE(w->isVisible());

    // Esc during the last draw of a batch is the batch's too: the summary
    // and the screen stay once the batch has ended.
    reveals = 0;
    pressed = false;
    fake.pause.during = escapeInSecondDraw;
    drawMany(*w, 2);
    fake.pause.during = nullptr;
    QCoreApplication::processEvents();
    EXPECT_TRUE(pressed);
    EXPECT_EQ(places().size(), 4);
    EXPECT_TRUE(w->isVisible());
    ASSERT_FALSE(summaryOf(*w)->isHidden());
    EXPECT_TRUE(summaryOf(*w)->text().contains("Sorteio em lote: 2 ganhadores"));
}

TEST_F(Batch, EscWhileAWinnerIsHeldStopsBeforeTheNextDrawShowsAnything) {
    const std::unique_ptr<DrawScreen> w = open(Pool::Numbers, 20);
    w->show();
    // The next draw's keys are being written behind the first winner when
    // Esc comes: they are undone, and no frame of that draw is shown.
    int holds = 0;
    int framesAfterEsc = 0;
    fake.pause.during = [&](const Frame& frame) {
        if (holds > 0 && frame.widget)
            ++framesAfterEsc;
        if (IsWinnerHold(frame) && ++holds == 1) {
            QCoreApplication::postEvent(
                w.get(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
            QCoreApplication::postEvent(
                w.get(), new QKeyEvent(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier));
        }
    };
    drawMany(*w, 5);
    fake.pause.during = nullptr;
    QCoreApplication::processEvents();
    EXPECT_EQ(holds, 1);
    EXPECT_EQ(framesAfterEsc, 0);
    EXPECT_EQ(places(), QList<int>({1}));
    EXPECT_EQ(drawRows().size(), 1u);
    EXPECT_EQ(w->Panel1->text(), "19");
    EXPECT_TRUE(fake.dialogs.texts(DialogKind::Error).isEmpty());
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(summaryOf(*w)->text().contains("Sorteio em lote: 1 ganhador"));
    EXPECT_TRUE(CheckRecord(db.connection()).holds);
    // The pool is whole: the next batch draws on from where this one stopped.
    drawMany(*w, 3);
    EXPECT_EQ(places(), QList<int>({1, 2, 3, 4}));
}

TEST_F(Batch, ACountItCannotDrawIsRefusedAndDrawsNothing) {
    const std::unique_ptr<DrawScreen> w = open(Pool::Numbers, 5);
    drawMany(*w, 6);
    drawMany(*w, 1);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error),
              QStringList({"6 não é uma quantidade possível: sorteie de 2 a 5 de uma vez. "
                           "Nada foi sorteado.",
                           "1 não é uma quantidade possível: sorteie de 2 a 5 de uma vez. "
                           "Nada foi sorteado."}));
    EXPECT_EQ(fake.dialogs.asked()[0].proposed, 5);
    fake.dialogs.answerCancel();
    w->DrawMany->trigger();
    EXPECT_TRUE(places().isEmpty());
    EXPECT_TRUE(ReadRecord(db.connection()).empty());
    EXPECT_TRUE(fake.pause.frames().isEmpty());
    EXPECT_EQ(summaryOf(*w), nullptr);

    // Ctrl+Enter asks the same, from the main Enter and the keypad's.
    fake.dialogs.clear();
    QTest::keyClick(w.get(), Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(w.get(), Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(fake.dialogs.asked().size(), 2);
    EXPECT_EQ(fake.dialogs.asked().value(1).kind, DialogKind::NumberInput);

    // With one entry left there is no batch to make.
    for (int i = 0; i < 4; ++i)
        QTest::mouseClick(w->Button5, Qt::LeftButton);
    fake.dialogs.clear();
    w->DrawMany->trigger();
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Notice),
              QStringList({"Para sortear vários, são necessários no mínimo 2 disponíveis; há 1."}));
    EXPECT_EQ(places().size(), 4);
}

TEST_F(Batch, TheMenuWaitsWhileADrawRunsAndTheSummaryTurnsItsPages) {
    const std::unique_ptr<DrawScreen> w = open(Pool::Numbers, 40);
    auto& screen = static_cast<TFVantaNumero&>(*w);
    bool enabledDuring = true;
    fake.pause.duringNextFrame([&] {
        emit screen.DBGrid1->customContextMenuRequested(QPoint(5, 5));
        enabledDuring = w->DrawMany->isEnabled();
        w->WinnersMenu->hide();
    });
    drawMany(*w, 30);
    EXPECT_FALSE(enabledDuring);
    EXPECT_EQ(places().size(), 30);

    BatchSummary* summary = summaryOf(*w);
    ASSERT_GT(summary->pages(), 1);
    EXPECT_TRUE(summary->text().contains(QStringLiteral("Página 1 de %1").arg(summary->pages())));
    const QString first = summary->text();
    QTest::keyClick(w.get(), Qt::Key_PageDown);
    EXPECT_EQ(summary->page(), 1);
    EXPECT_FALSE(summary->isHidden());
    EXPECT_NE(summary->text(), first);
    QTest::keyClick(w.get(), Qt::Key_PageUp);
    QTest::keyClick(w.get(), Qt::Key_PageUp);
    EXPECT_EQ(summary->page(), 0);
    EXPECT_EQ(summary->text(), first);
    // Every winner is on one of the pages, each once; Page Down on the last
    // page (a clicker's "next") closes the summary, and draws nothing.
    QString all;
    for (int page = 0; page < summary->pages(); ++page) {
        EXPECT_FALSE(summary->isHidden()) << page;
        all += summary->text();
        QTest::keyClick(w.get(), Qt::Key_PageDown);
    }
    for (int place = 1; place <= 30; ++place)
        EXPECT_EQ(all.count(QStringLiteral(">%1º<").arg(place)), 1) << place;
    EXPECT_TRUE(summary->isHidden());
    EXPECT_EQ(places().size(), 30);
}

} // namespace
} // namespace tiravo
