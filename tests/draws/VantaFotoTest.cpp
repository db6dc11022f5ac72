// The photo draw screen driven through its controls, over real photo files in
// a temporary folder: the frames a draw paints, what it stores, the column of
// winners, and its other commands.
#include "draws/VantaFoto.h"
#include "draws/IncluirFoto.h"
#include "support/ModalDriver.h"
#include "support/PoolRows.h"
#include "support/TestServices.h"
#include "widgets/CounterPanel.h"
#include "widgets/PictureBox.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

const QString kTeaser = QStringLiteral(":/pictures/teaser-photo.png");
const QString kFrame = QStringLiteral(":/pictures/frame-photo.png");

QStringList Column(const QString& column, test::TempDatabase& db) {
    return test::ColumnOf(db.connection(), column, QStringLiteral("TbFoto"));
}

class VantaFoto : public testing::Test {
protected:
    // 12:00:37: 37 skip steps.
    VantaFoto() { fake.clock.setTime(QTime(12, 0, 37)); }

    // A small JPEG of its own colour, named after its letter.
    QString photo(const QString& name) {
        const QString path = photos.filePath(name + QStringLiteral(".jpg"));
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(QColor::fromHsv(int(qHash(name) % 360), 200, 220));
        EXPECT_TRUE(image.save(path, "JPG"));
        return path;
    }

    // Available photos, keyed so that the pool lists them in this order.
    QStringList addInOrder(int count) {
        QStringList paths;
        for (int i = 0; i < count; ++i) {
            const QString path = photo(QString(QChar(u'A' + i)));
            test::AddPhoto(db, {path, QStringLiteral("k%1").arg(i, 3, 10, QLatin1Char('0'))});
            paths << path;
        }
        return paths;
    }

    std::unique_ptr<TFVantaFoto> open() {
        return std::make_unique<TFVantaFoto>(nullptr, fake.context(db.connection()));
    }

    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    static QStringList frames(const QStringList& shown, int milliseconds) {
        QStringList lines;
        for (const QString& picture : shown)
            lines << QStringLiteral("Image1=%1@%2").arg(picture).arg(milliseconds);
        return lines;
    }

    static QStringList column(TFVantaFoto& w) {
        return {w.Img1->pictureName(), w.Img2->pictureName(), w.Img3->pictureName(),
                w.Img4->pictureName(), w.Img5->pictureName(), w.Img6->pictureName()};
    }

    test::TempDatabase db;
    QTemporaryDir photos;
    TestServices fake;
};

// Seconds 0 to 7 give 10 steps when even and 11 when odd.
class TwoPhotoFlick : public VantaFoto, public testing::WithParamInterface<int> {};

TEST_P(TwoPhotoFlick, ShowsTheLastPhotoTwiceInEachCycleAndTheWinnerIsWhereTheStepsEnd) {
    const QStringList p = addInOrder(2);
    const QString a = p[0], b = p[1];
    const int second = GetParam();
    fake.clock.setTime(QTime(12, 0, second));
    auto w = open();
    EXPECT_EQ(w->Panel1->text(), "2");
    click(w->Button5);

    const bool even = second % 2 == 0; // 10 steps land on the first row, 11 on the second
    QStringList shown;
    for (int i = 0; i < 4; ++i)
        shown << (even ? QStringList{a, b, b} : QStringList{b, b, a});
    QStringList expected = frames(shown, 70);
    const QString winner = even ? a : b;
    expected << QStringLiteral("Image1=%1@1500").arg(kTeaser)
             << QStringLiteral("Image1=%1@100").arg(winner);
    EXPECT_EQ(fake.pause.summary(), expected);
    EXPECT_TRUE(fake.dialogs.asked().isEmpty());

    EXPECT_EQ(w->Image1->pictureName(), winner);
    EXPECT_EQ(w->Panel1->text(), "1");
    EXPECT_EQ(column(*w), QStringList({winner, "", "", "", "", ""}));
    EXPECT_EQ(w->QrySorte.recordCount(), 1);
    EXPECT_EQ(Column("Ok", db),
              even ? QStringList({"False", "True"}) : QStringList({"True", "False"}));
    EXPECT_EQ(Column("Sorte", db), even ? QStringList({"1", ""}) : QStringList({"", "1"}));
    EXPECT_EQ(fake.random.trace(), "riiii"); // the one photo left gets a new key
}

INSTANTIATE_TEST_SUITE_P(EvenAndOddSeconds, TwoPhotoFlick, testing::Values(0, 3, 6));

TEST_F(VantaFoto, FourPhotosFlickThroughACycleOfFiveFramesWhateverThePoolSize) {
    const QStringList p = addInOrder(4);
    fake.clock.setTime(QTime(12, 0, 9)); // nine steps: round twice, then to the second row
    auto w = open();
    click(w->Button5);

    const QString a = p[0], b = p[1], c = p[2], d = p[3];
    QStringList expected = frames({b, c, d, d, a, b, c, d, d, a, b, c}, 70);
    expected << QStringLiteral("Image1=%1@1500").arg(kTeaser)
             << QStringLiteral("Image1=%1@100").arg(d);
    EXPECT_EQ(fake.pause.summary(), expected);
    EXPECT_EQ(fake.pause.totalMilliseconds(), 12 * 70 + 1500 + 100);
    EXPECT_EQ(Column("Ok", db), QStringList({"True", "True", "True", "False"}));
    EXPECT_EQ(w->Img1->pictureName(), d);
}

TEST_F(VantaFoto, TheLastPhotoShowsAfterTwoSecondsAndThenThePoolIsEmpty) {
    const QString only = addInOrder(1).front();
    const QString old = photo(QStringLiteral("old"));
    test::AddPhoto(db, {old, "aaaa", false, 1});
    auto w = open();
    EXPECT_EQ(column(*w), QStringList({old, "", "", "", "", ""}));
    click(w->Button5);

    EXPECT_EQ(fake.pause.summary(), QStringList({QStringLiteral("Image1=%1@2000").arg(kTeaser),
                                                 QStringLiteral("Image1=%1@100").arg(only)}));
    EXPECT_EQ(Column("Sorte", db), QStringList({"2", "1"}));
    EXPECT_EQ(column(*w), QStringList({only, old, "", "", "", ""}));
    EXPECT_EQ(w->Panel1->text(), "0");
    EXPECT_EQ(fake.random.trace(), ""); // no reshuffle

    fake.pause.clear();
    click(w->Button5);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Notice),
              QStringList({"Você necessita ter cadastrado no mínimo UMA Foto!"}));
    EXPECT_TRUE(fake.pause.frames().isEmpty());
}

TEST_F(VantaFoto, TheSeventhDrawPushesTheFirstWinnerOutOfTheColumn) {
    addInOrder(7);
    auto w = open();
    for (int i = 0; i < 7; ++i)
        click(w->Button5);
    ASSERT_TRUE(fake.dialogs.asked().isEmpty());

    // The winners by place, from the file: the column shows the last six, newest on top.
    const QStringList paths = Column("Foto", db);
    const QStringList places = Column("Sorte", db);
    QStringList byPlace(7);
    for (int i = 0; i < 7; ++i)
        byPlace[places[i].toInt() - 1] = paths[i];
    const QStringList latestSix = {byPlace[6], byPlace[5], byPlace[4],
                                   byPlace[3], byPlace[2], byPlace[1]};
    EXPECT_EQ(column(*w), latestSix);
    // The pictures were copied down, not read again: they are the very same.
    EXPECT_EQ(w->Img1->picture().cacheKey(), w->Image1->picture().cacheKey());

    // A screen opened now fills its column from the winners list alike.
    auto again = open();
    EXPECT_EQ(column(*again), latestSix);
}

TEST_F(VantaFoto, APhotoGoneFromDiskEndsTheDrawWhereItsFrameComesAndNoRowChanges) {
    const QStringList p = addInOrder(3);
    fake.clock.setTime(QTime(12, 0, 9)); // nine steps over three: the first row
    auto w = open();
    QFile::remove(p[2]);
    click(w->Button5);

    // Two frames show, the third photo's frame fails with the loader's own words.
    EXPECT_EQ(fake.pause.summary(), frames({p[0], p[1]}, 70));
    const QStringList errors = fake.dialogs.texts(DialogKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QDir::toNativeSeparators(p[2]))) << errors[0].toStdString();
    EXPECT_EQ(w->Image1->pictureName(), p[1]);
    EXPECT_EQ(Column("Ok", db), QStringList(3, "True"));
    EXPECT_EQ(Column("Sorte", db), QStringList(3, ""));
    EXPECT_EQ(Column("Ordem", db), QStringList({"k000", "k001", "k002"}));
    EXPECT_EQ(w->Panel1->text(), "3");
    EXPECT_EQ(column(*w), QStringList(6, ""));
    EXPECT_EQ(fake.random.trace(), "");
}

TEST_F(VantaFoto, APhotoGoneThatOnlyTheRevealReachesFailsAfterTheSuspense) {
    const QStringList p = addInOrder(21);
    fake.clock.setTime(QTime(12, 0, 8)); // frames show rows 9 to 20, the reveal row 21
    auto w = open();
    QFile::remove(p[20]);
    click(w->Button5);

    QStringList expected = frames(p.mid(8, 12), 70);
    expected << QStringLiteral("Image1=%1@1500").arg(kTeaser);
    EXPECT_EQ(fake.pause.summary(), expected);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error).size(), 1);
    EXPECT_EQ(w->Image1->pictureName(), kTeaser);
    EXPECT_EQ(Column("Ok", db), QStringList(21, "True"));
    EXPECT_EQ(w->Panel1->text(), "21");

    // Put back, the next draw starts from where the cursor stayed: on that row.
    photo(QStringLiteral("U"));
    fake.pause.clear();
    fake.clock.setTime(QTime(12, 0, 42)); // 42 steps: twice round 21
    click(w->Button5);
    EXPECT_EQ(fake.pause.frames().first().shown, p[20]);
    EXPECT_EQ(fake.pause.frames().last().shown, p[10]);
    EXPECT_EQ(Column("Ok", db).indexOf("False"), 10);
}

TEST_F(VantaFoto, ExcluirListaTurnsEveryRowIntoAFreeSlotKeepingOrdemAtivoAndSorte) {
    const QStringList p = addInOrder(3);
    db.exec("UPDATE TbFoto SET Ok = 0, Sorte = 4 WHERE Ordem = 'k001'"); // drawn
    db.exec("INSERT INTO TbFoto (Foto, Ordem, Ok, Ativo, Sorte) VALUES ('', 'zzzz', NULL, 1, 2)");
    auto w = open();
    ASSERT_EQ(w->Panel1->text(), "2");
    const QStringList shownColumn = column(*w);

    // No changes nothing, but the counter is set again.
    w->Panel1->setText("000");
    fake.dialogs.answerNo();
    click(w->Button2);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Confirmation),
              QStringList({"Tem Certeza Que deseja Limpar esta lista?"}));
    EXPECT_EQ(w->Panel1->text(), "2");
    EXPECT_EQ(Column("Foto", db), (QStringList{p[0], p[1], p[2], ""}));

    fake.dialogs.answerYes();
    click(w->Button2);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Notice),
              QStringList({"Banco de Dados zerado com sucesso!"}));
    EXPECT_EQ(Column("Foto", db), QStringList(4, ""));
    EXPECT_EQ(Column("Ok", db), QStringList(4, ""));
    EXPECT_EQ(Column("Ordem", db), QStringList({"k000", "k001", "k002", "zzzz"}));
    EXPECT_EQ(Column("Ativo", db), QStringList(4, "True"));
    EXPECT_EQ(Column("Sorte", db), QStringList({"", "4", "", "2"}));
    EXPECT_EQ(w->Panel1->text(), "0");
    EXPECT_EQ(w->QrySorte.recordCount(), 0);
    EXPECT_EQ(w->TbFoto.filter(), "Ok = True");
    EXPECT_EQ(column(*w), shownColumn); // untouched until the screen opens again

    // The next draw after a photo comes back numbers from 1 again.
    test::AddPhoto(db, {p[0], "new"});
    w->TbFoto.close();
    w->TbFoto.open();
    click(w->Button5);
    EXPECT_EQ(Column("Sorte", db)[4], "1");
}

TEST_F(VantaFoto, LiberarPutsEveryPhotoBackWithFreshKeysAndLeavesFreeSlotsAlone) {
    addInOrder(4);
    db.exec("INSERT INTO TbFoto (Foto, Ordem, Ok, Ativo) VALUES ('', 'free', NULL, 1)");
    auto w = open();
    fake.random.script({1, 2, 3, 4}); // the reshuffles' keys: "bcde"
    click(w->Button5);
    click(w->Button5);
    ASSERT_EQ(w->Panel1->text(), "2");
    const QStringList winningKeys = Column("Ordem", db);

    fake.random.script({24});
    const QString before = fake.random.trace();
    fake.dialogs.answerYes();
    click(w->Button3);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Notice),
              QStringList({"Lista de Fotos Liberada com Sucesso!!"}));
    EXPECT_EQ(Column("Ok", db), QStringList({"True", "True", "True", "True", ""}));
    // Every photo gets a key of its own after fresh entropy; the winners'
    // keys, which put them where the draw landed, are gone.
    EXPECT_EQ(Column("Ordem", db), QStringList({"yyyy", "yyyy", "yyyy", "yyyy", "free"}));
    EXPECT_EQ(fake.random.trace().mid(before.size()), QString("riiii").repeated(4));
    EXPECT_NE(Column("Ordem", db), winningKeys);
    EXPECT_EQ(Column("Sorte", db).count(""), 3); // places stay
    EXPECT_EQ(w->Panel1->text(), "4");
    EXPECT_EQ(w->QrySorte.recordCount(), 0);
    EXPECT_EQ(w->Image1->pictureName(), kTeaser);
    EXPECT_EQ(w->TbFoto.recNo(), 0);

    // No answers change nothing but the counter, the teaser and the list.
    fake.dialogs.clear();
    click(w->Button3);
    EXPECT_TRUE(fake.dialogs.texts(DialogKind::Notice).isEmpty());
}

TEST_F(VantaFoto, LiberarWithNoPhotoEndsSilentlyAndSeesPhotosAddedLater) {
    db.exec("INSERT INTO TbFoto (Foto, Ordem, Ok, Ativo) VALUES ('', 'free', NULL, 1)");
    auto w = open();
    w->Panel1->setText("000");
    fake.dialogs.answerYes();
    click(w->Button3);
    EXPECT_TRUE(fake.dialogs.texts(DialogKind::Notice).isEmpty());
    EXPECT_EQ(w->Panel1->text(), "000");

    // A drawn photo stored since (by the editor, or another program) is put
    // back by the next press: the rows are read afresh each time.
    test::AddPhoto(db, {photo(QStringLiteral("late")), "aaaa", false, 1});
    fake.dialogs.answerYes();
    click(w->Button3);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Notice),
              QStringList({"Lista de Fotos Liberada com Sucesso!!"}));
    EXPECT_EQ(w->Panel1->text(), "1");
}

TEST_F(VantaFoto, HiddenPickFromTheKeyboardTakesAPhotoOutWithoutAPlace) {
    const QStringList p = addInOrder(5);
    auto w = open();
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    // Tab passes it by; the arrow keys stop on it.
    w->Button3->setFocus();
    QTest::keyClick(w->Button3, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w->Button5);
    w->Button3->setFocus();
    QTest::keyClick(w->Button3, Qt::Key_Down);
    ASSERT_EQ(QApplication::focusWidget(), w->Button4);
    QTest::keyClick(w->Button4, Qt::Key_Space);

    // 01/02/2024 12:00:37: 1 + 0 + 37 = 38 steps, then 50 frames of 100 ms.
    const QStringList summary = fake.pause.summary();
    ASSERT_EQ(summary.size(), 51);
    EXPECT_EQ(summary.at(49), QStringLiteral("Image1=%1@2000").arg(kTeaser));
    EXPECT_EQ(fake.pause.totalMilliseconds(), 50 * 100 + 2000);
    const QString winner = fake.pause.frames().last().shown;
    EXPECT_EQ(Column("Ok", db).count("False"), 1);
    EXPECT_EQ(Column("Ok", db).indexOf("False"), p.indexOf(winner));
    EXPECT_EQ(Column("Sorte", db), QStringList(5, ""));
    EXPECT_EQ(w->Panel1->text(), "4");
    EXPECT_EQ(fake.random.trace(), "");
    EXPECT_EQ(column(*w), QStringList(6, ""));

    // Escape closes.
    QTest::keyClick(w->Button5, Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(w->TbFoto.active());

    fake.pause.clear();
    db.exec("UPDATE TbFoto SET Ok = 0 WHERE Ordem <> 'k000'");
    auto few = open();
    click(few->Button4);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Notice).last(),
              "Você necessita ter cadastrado no mínimo três fotos!");
    EXPECT_TRUE(fake.pause.frames().isEmpty());
}

TEST_F(VantaFoto, AWinnersPhotoGoneAtOpeningIsReportedAndTheBoxesBelowStayEmpty) {
    QStringList winners;
    for (int place = 1; place <= 3; ++place) {
        winners << photo(QStringLiteral("w%1").arg(place));
        test::AddPhoto(db, {winners.last(), "aaaa", false, place});
    }
    addInOrder(2);
    QFile::remove(winners[1]);
    auto w = open();
    ASSERT_EQ(fake.dialogs.texts(DialogKind::Error).size(), 1);
    EXPECT_TRUE(
        fake.dialogs.texts(DialogKind::Error)[0].contains(QDir::toNativeSeparators(winners[1])));
    EXPECT_EQ(column(*w), QStringList({winners[2], "", "", "", "", ""}));
    EXPECT_EQ(w->Panel1->text(), "2");
    EXPECT_EQ(w->Image1->pictureName(), kTeaser);
}

TEST_F(VantaFoto, TheEditorOpensModallyAndThePoolIsReadAgainAfterIt) {
    auto w = open();
    w->show();
    addInOrder(2); // stored meanwhile, as the editor would
    bool sawEditor = false;
    test::OnNextModal([&](QDialog* modal) {
        sawEditor = qobject_cast<TFIncluirFoto*>(modal) != nullptr;
        modal->close();
    });
    click(w->Button1);
    EXPECT_TRUE(sawEditor);
    EXPECT_EQ(w->Panel1->text(), "2");
    EXPECT_EQ(w->QrySorte.recordCount(), 0);

    QTest::mouseClick(w->Image3, Qt::LeftButton);
    EXPECT_EQ(fake.desktop.opened, QStringList({"https://www.korvane.example/tiravo.htm"}));
    EXPECT_TRUE(fake.dialogs.asked().isEmpty());
}

TEST_F(VantaFoto, AnotherCopysWinnerJoinsTheColumnUnderTheNextWinner) {
    addInOrder(12);
    auto a = open();
    auto second = db.openSecond();
    TFVantaFoto b(nullptr, fake.context(*second));
    click(a->Button5);
    click(b.Button5);
    EXPECT_TRUE(fake.dialogs.asked().isEmpty());
    const QStringList places = Column("Sorte", db);
    EXPECT_EQ(places.count("1"), 1);
    EXPECT_EQ(places.count("2"), 1);
    // B's own winner on top, A's below it: the column shows the list as the
    // file holds it, not B's earlier column shifted down.
    const QStringList paths = Column("Foto", db);
    const QStringList shown = column(b);
    EXPECT_EQ(shown.at(0), paths.at(places.indexOf("2")));
    EXPECT_EQ(shown.at(1), paths.at(places.indexOf("1")));
    EXPECT_EQ(shown.mid(2), QStringList(4, QString()));
}

} // namespace
} // namespace tiravo
