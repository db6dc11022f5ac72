// "Ganhador ausente..." on each draw screen's winners menu: the chosen winner
// leaves the list after a confirmation with an optional reason, is not drawn
// again until "Liberar Todos", and the next draw takes its place and prize.
#include "draws/VantaFoto.h"
#include "draws/VantaNome.h"
#include "draws/VantaNumero.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PrizePlan.h"
#include "draws/model/RecordChain.h"
#include "draws/model/RecordCheck.h"
#include "support/PoolRows.h"
#include "support/TestServices.h"
#include "widgets/DataGrid.h"
#include "widgets/PictureBox.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

using test::ColumnOf;

void RightClick(QWidget* list) {
    emit list->customContextMenuRequested(QPoint(5, 5));
}

void Click(QPushButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

class AbsentWinner : public testing::Test {
protected:
    AbsentWinner() { fake.clock.setTime(QTime(12, 0, 37)); }

    void addNames(int count) {
        for (int n = 1; n <= count; ++n)
            db.exec(QStringLiteral("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) "
                                   "VALUES ('Nome %1', 'k%2', 1, 1)")
                        .arg(n)
                        .arg(n, 3, 10, QLatin1Char('0')));
    }

    // The name held at `place` in the file, or nothing.
    QString nameAt(int place) {
        const QStringList names = ColumnOf(db.connection(), "Nome", "TbNome");
        const QStringList places = ColumnOf(db.connection(), "Sorte", "TbNome");
        const qsizetype row = places.indexOf(QString::number(place));
        return row < 0 ? QString() : names[row];
    }

    // Name, Ok, Ativo and Sorte of the row holding `name`.
    QString stateOf(const QString& name) {
        const qsizetype row = ColumnOf(db.connection(), "Nome", "TbNome").indexOf(name);
        if (row < 0)
            return QStringLiteral("(none)");
        return QStringList({ColumnOf(db.connection(), "Ok", "TbNome")[row],
                            ColumnOf(db.connection(), "Ativo", "TbNome")[row],
                            ColumnOf(db.connection(), "Sorte", "TbNome")[row]})
            .join(u'|');
    }

    test::TempDatabase db;
    TestServices fake;
};

TEST_F(AbsentWinner, ANameLeavesTheListAndTheNextDrawTakesItsPlaceAndPrize) {
    addNames(5);
    AddPrize(db.connection(), NamePool(), "Bicicleta", 2);
    AddPrize(db.connection(), NamePool(), "Rádio", 3);
    TFVantaNome w(nullptr, fake.context(db.connection()));
    for (int i = 0; i < 3; ++i)
        Click(w.Button5);
    const QString absent = nameAt(2);
    ASSERT_FALSE(absent.isEmpty());

    // Cancel leaves everything as it was.
    ASSERT_TRUE(w.QrySorte.locate("Sorte", "2"));
    RightClick(w.DBGrid1);
    EXPECT_EQ(w.WinnerAbsent->text(), "Ganhador ausente...");
    EXPECT_TRUE(w.WinnerAbsent->isEnabled());
    w.WinnersMenu->hide();
    fake.dialogs.clear();
    fake.dialogs.answerCancel();
    w.WinnerAbsent->trigger();
    EXPECT_EQ(w.QrySorte.recordCount(), 3);
    EXPECT_EQ(ReadRecord(db.connection()).back().action, "sorteio");

    ASSERT_TRUE(w.QrySorte.locate("Sorte", "2"));
    fake.dialogs.answerText("não compareceu");
    w.WinnerAbsent->trigger();
    ASSERT_EQ(fake.dialogs.asked().size(), 2);
    EXPECT_EQ(fake.dialogs.asked()[1].kind, DialogKind::TextInput);
    EXPECT_EQ(fake.dialogs.asked()[1].text,
              absent + " (2º lugar) está ausente? O lugar fica vago e o próximo sorteio o "
                       "preenche.\nMotivo (opcional):");
    // Out of the list, its name and Ativo kept, with neither Ok nor a place.
    EXPECT_EQ(w.QrySorte.recordCount(), 2);
    EXPECT_FALSE(w.QrySorte.locate("Nome", absent));
    EXPECT_EQ(stateOf(absent), "|True|");
    const RecordRow row = ReadRecord(db.connection()).back();
    EXPECT_EQ(row.action, "ausência");
    EXPECT_EQ(row.entry, absent + " — Bicicleta — motivo: não compareceu");
    EXPECT_EQ(row.place, 2);

    // The next draw names place 2 and its prize on the stage, and takes it.
    Click(w.Button5);
    const auto* label = w.findChild<QLabel*>("LabelPremio");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "2º prêmio — Bicicleta");
    EXPECT_FALSE(nameAt(2).isEmpty());
    EXPECT_NE(nameAt(2), absent);
    // Then the places go on; the absent name is never drawn.
    Click(w.Button5);
    EXPECT_EQ(label->text(), "4º prêmio — Rádio");
    Click(w.Button5); // the pool is empty now
    EXPECT_EQ(stateOf(absent), "|True|");
    EXPECT_EQ(w.QrySorte.recordCount(), 4);
    EXPECT_TRUE(CheckRecord(db.connection()).holds)
        << CheckRecord(db.connection()).problem.toStdString();

    // "Liberar Todos" brings it back with the winners.
    fake.dialogs.clear();
    fake.dialogs.answerYes();
    Click(w.Button3);
    EXPECT_EQ(stateOf(absent), "True|True|");
    EXPECT_EQ(w.TbNome.recordCount(), 5);
}

TEST_F(AbsentWinner, LimparListaEmptiesAnAbsentNameAsEveryOtherRow) {
    addNames(3);
    TFVantaNome w(nullptr, fake.context(db.connection()));
    Click(w.Button5);
    Click(w.Button5);
    const QString absent = nameAt(1);
    ASSERT_TRUE(w.QrySorte.locate("Sorte", "1"));
    RightClick(w.DBGrid1);
    w.WinnersMenu->hide();
    fake.dialogs.answerText(QString());
    w.WinnerAbsent->trigger();
    EXPECT_EQ(ReadRecord(db.connection()).back().entry, absent);
    fake.dialogs.answerYes();
    Click(w.Button2);
    // Each row a free slot: no name, not live.
    EXPECT_EQ(ColumnOf(db.connection(), "Ativo", "TbNome"),
              QStringList({"False", "False", "False"}));
    EXPECT_EQ(stateOf(absent), "(none)");
}

// The number screen's statements run over the whole table: an absent number
// is released, and cleared, with the rest.
TEST_F(AbsentWinner, TheNumberScreenReleasesAnAbsentNumberAndNeverDrawsItBefore) {
    test::AddNumbers(db, {{10, "k001"}, {20, "k002"}, {30, "k003"}});
    TFVantaNumero w(nullptr, fake.context(db.connection()));
    Click(w.Button5);
    ASSERT_TRUE(w.QrySorte.locate("Sorte", "1"));
    const QString absent = w.QrySorte.field("Numero").asString();
    RightClick(w.DBGrid1);
    w.WinnersMenu->hide();
    fake.dialogs.answerText("saiu");
    w.WinnerAbsent->trigger();
    EXPECT_EQ(w.QrySorte.recordCount(), 0);
    Click(w.Button5);
    Click(w.Button5);
    Click(w.Button5); // nothing left to draw
    const QStringList numbers = ColumnOf(db.connection(), "Numero");
    const qsizetype row = numbers.indexOf(absent);
    EXPECT_EQ(ColumnOf(db.connection(), "Ok")[row], "");
    // The two others took places 1 and 2.
    QStringList places = ColumnOf(db.connection(), "Sorte");
    places.sort();
    EXPECT_EQ(places, QStringList({"", "1", "2"}));
    fake.dialogs.answerYes();
    Click(w.Button3);
    EXPECT_EQ(ColumnOf(db.connection(), "Ok"), QStringList({"True", "True", "True"}));
}

TEST_F(AbsentWinner, ThePhotoScreenMarksThePictureRightClicked) {
    QTemporaryDir photos;
    QStringList paths;
    for (int i = 0; i < 4; ++i) {
        const QString path = photos.filePath(QStringLiteral("%1.jpg").arg(i));
        QImage image(32, 24, QImage::Format_RGB32);
        image.fill(QColor::fromHsv(i * 60, 200, 220));
        ASSERT_TRUE(image.save(path, "JPG"));
        paths << path;
        test::AddPhoto(db, {path, QStringLiteral("k%1").arg(i), i == 3, i < 3 ? i + 1 : 0});
    }
    TFVantaFoto w(nullptr, fake.context(db.connection()));
    EXPECT_EQ(w.Img2->pictureName(), paths[1]); // place 2, under place 3
    RightClick(w.Img2);
    w.WinnersMenu->hide();
    fake.dialogs.answerText(QString());
    w.WinnerAbsent->trigger();
    EXPECT_EQ(w.Img1->pictureName(), paths[2]);
    EXPECT_EQ(w.Img2->pictureName(), paths[0]);
    EXPECT_FALSE(w.Img3->hasPicture());
    EXPECT_EQ(ColumnOf(db.connection(), "Foto", "TbFoto")[1], paths[1]);
    EXPECT_EQ(ColumnOf(db.connection(), "Ok", "TbFoto")[1], "");
    // A picture with no winner under it chooses nothing.
    RightClick(w.Img5);
    w.WinnersMenu->hide();
    w.WinnerAbsent->trigger();
    // The one photo left is drawn to place 2.
    Click(w.Button5);
    EXPECT_EQ(ColumnOf(db.connection(), "Sorte", "TbFoto"), QStringList({"1", "", "3", "2"}));
    // "Liberar Todos" walks the rows that hold a photo: the absent one too.
    fake.dialogs.answerYes();
    Click(w.Button3);
    EXPECT_EQ(ColumnOf(db.connection(), "Ok", "TbFoto"),
              QStringList({"True", "True", "True", "True"}));
}

} // namespace
} // namespace tiravo
