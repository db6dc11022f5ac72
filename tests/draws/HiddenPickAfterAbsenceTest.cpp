// "Quem Será" after "Ganhador ausente...", on each draw screen: the absent
// entry keeps its entry (and a name its Ativo), yet no frame of a hidden pick
// shows it and no pick takes it, also after "Liberar Todos" and "Limpar
// Lista" were declined (each reads the pool view again). Once "Liberar
// Todos" puts it back, the frames show it again.
#include "draws/VantaFoto.h"
#include "draws/VantaNome.h"
#include "draws/VantaNumero.h"
#include "support/PoolRows.h"
#include "support/TestServices.h"
#include "widgets/DataGrid.h"
#include "widgets/PictureBox.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

using test::ColumnOf;

constexpr int kEntries = 10;

class PickAfterAbsence : public testing::Test {
protected:
    PickAfterAbsence() { fake.clock.setTime(QTime(12, 0, 37)); }

    // The winner chosen in `list` made absent through its menu.
    void markAbsent(DrawScreen& w, QWidget* list) {
        fake.dialogs.clear();
        emit list->customContextMenuRequested(QPoint(5, 5));
        w.WinnersMenu->hide();
        fake.dialogs.answerText("foi embora");
        w.WinnerAbsent->trigger();
    }

    // What the frames of hidden picks showed, pick after pick until the
    // screen refuses one for want of three entries; each at another time,
    // so that the picks land on different rows.
    QStringList pickUntilRefused(DrawScreen& w) {
        // Declined, they still read the pool view again.
        fake.dialogs.answerNo();
        w.Button3->click();
        fake.dialogs.answerNo();
        w.Button2->click();
        QStringList shown;
        for (int pick = 0; pick < kEntries; ++pick) {
            fake.clock.setTime(QTime(12, pick * 7 % 60, pick * 13 % 60));
            fake.pause.clear();
            fake.dialogs.clear();
            w.Button4->click();
            for (const Frame& frame : fake.pause.frames())
                shown << frame.shown;
            if (!fake.dialogs.texts(DialogKind::Notice).isEmpty())
                return shown;
        }
        ADD_FAILURE() << "the picks never ran out of entries";
        return shown;
    }

    // After "Liberar Todos" the absent entry is back: one pick's frames
    // cycle through the whole pool and show it.
    QStringList shownAfterRelease(DrawScreen& w) {
        fake.dialogs.clear();
        fake.dialogs.answerYes();
        w.Button3->click();
        fake.pause.clear();
        w.Button4->click();
        QStringList shown;
        for (const Frame& frame : fake.pause.frames())
            shown << frame.shown;
        return shown;
    }

    // Ok, Ativo and Sorte of `table`'s row `row` (in Cod order).
    QString stateOf(const QString& table, qsizetype row) {
        return QStringList({ColumnOf(db.connection(), "Ok", table)[row],
                            ColumnOf(db.connection(), "Ativo", table)[row],
                            ColumnOf(db.connection(), "Sorte", table)[row]})
            .join(u'|');
    }

    test::TempDatabase db;
    TestServices fake;
};

TEST_F(PickAfterAbsence, TheNumberScreenNeverPicksTheAbsentNumber) {
    for (int n = 1; n <= kEntries; ++n)
        db.exec(QStringLiteral("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) "
                               "VALUES (%1, 'k%2', 1, 0)")
                    .arg(n)
                    .arg(n, 3, 10, QLatin1Char('0')));
    TFVantaNumero w(nullptr, fake.context(db.connection()));
    w.Button5->click();
    w.Button5->click();
    ASSERT_TRUE(w.QrySorte.locate("Sorte", "1"));
    const int absent = int(w.QrySorte.field("Numero").asInteger());
    const QString shownAbsent = QStringLiteral("%1").arg(absent, 2, 10, QLatin1Char('0'));
    markAbsent(w, w.DBGrid1);
    const qsizetype row = absent - 1;
    ASSERT_EQ(stateOf("TbNumero", row), "|True|");

    const QStringList shown = pickUntilRefused(w);
    EXPECT_GT(shown.size(), 100);
    EXPECT_FALSE(shown.contains(shownAbsent)) << shownAbsent.toStdString();
    EXPECT_EQ(stateOf("TbNumero", row), "|True|");
    // One winner, the rest picked down to the two a pick refuses.
    EXPECT_EQ(ColumnOf(db.connection(), "Ok").count("False"), kEntries - 3);
    EXPECT_EQ(ColumnOf(db.connection(), "Ok").count("True"), 2);

    EXPECT_TRUE(shownAfterRelease(w).contains(shownAbsent));
}

TEST_F(PickAfterAbsence, TheNameScreenNeverPicksTheAbsentNameThoughItStaysActive) {
    for (int n = 1; n <= kEntries; ++n)
        db.exec(QStringLiteral("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) "
                               "VALUES ('Nome %1', 'k%2', 1, 1)")
                    .arg(n)
                    .arg(n, 3, 10, QLatin1Char('0')));
    TFVantaNome w(nullptr, fake.context(db.connection()));
    w.Button5->click();
    w.Button5->click();
    ASSERT_TRUE(w.QrySorte.locate("Sorte", "1"));
    const QString absent = w.QrySorte.field("Nome").asString();
    markAbsent(w, w.DBGrid1);
    const qsizetype row = ColumnOf(db.connection(), "Nome", "TbNome").indexOf(absent);
    ASSERT_EQ(stateOf("TbNome", row), "|True|");

    const QStringList shown = pickUntilRefused(w);
    EXPECT_GT(shown.size(), 100);
    EXPECT_FALSE(shown.contains(absent)) << absent.toStdString();
    EXPECT_EQ(stateOf("TbNome", row), "|True|");
    EXPECT_EQ(ColumnOf(db.connection(), "Ok", "TbNome").count("False"), kEntries - 3);
    EXPECT_EQ(ColumnOf(db.connection(), "Ok", "TbNome").count("True"), 2);

    EXPECT_TRUE(shownAfterRelease(w).contains(absent));
}

TEST_F(PickAfterAbsence, ThePhotoScreenNeverPicksTheAbsentPhoto) {
    QTemporaryDir photos;
    for (int i = 0; i < kEntries; ++i) {
        const QString path = photos.filePath(QStringLiteral("%1.jpg").arg(i));
        QImage image(32, 24, QImage::Format_RGB32);
        image.fill(QColor::fromHsv(i * 30, 200, 220));
        ASSERT_TRUE(image.save(path, "JPG"));
        test::AddPhoto(db, {path, QStringLiteral("k%1").arg(i, 3, 10, QLatin1Char('0'))});
    }
    TFVantaFoto w(nullptr, fake.context(db.connection()));
    w.Button5->click();
    w.Button5->click();
    // The newest winner heads the column: place 1 is the second picture.
    markAbsent(w, w.Img2);
    const qsizetype row = ColumnOf(db.connection(), "Ok", "TbFoto").indexOf("");
    ASSERT_GE(row, 0);
    const QString absent = ColumnOf(db.connection(), "Foto", "TbFoto")[row];
    ASSERT_EQ(stateOf("TbFoto", row), "|True|");

    const QStringList shown = pickUntilRefused(w);
    EXPECT_GT(shown.size(), 100);
    EXPECT_FALSE(shown.contains(absent)) << absent.toStdString();
    EXPECT_EQ(stateOf("TbFoto", row), "|True|");
    EXPECT_EQ(ColumnOf(db.connection(), "Ok", "TbFoto").count("False"), kEntries - 3);
    EXPECT_EQ(ColumnOf(db.connection(), "Ok", "TbFoto").count("True"), 2);

    EXPECT_TRUE(shownAfterRelease(w).contains(absent));
}

} // namespace
} // namespace tiravo
