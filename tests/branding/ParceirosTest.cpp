// The partners window: choosing and clearing the logos and the background,
// what a cancel or a bad file leaves, and the main window behind it.
#include "branding/Parceiros.h"
#include "PartnersSupport.h"
#include "draws/VantaNumero.h"
#include "store/TableView.h"
#include "widgets/PictureBox.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

const QString kBuiltIn = QStringLiteral(":/pictures/background.jpg");

struct StoredRow {
    int rows = 0;
    QString logo1, logo2, logo3, fundo;
    bool operator==(const StoredRow&) const = default;
    friend void PrintTo(const StoredRow& row, std::ostream* out) {
        *out << row.rows << " row(s): " << row.logo1.toStdString() << " | "
             << row.logo2.toStdString() << " | " << row.logo3.toStdString() << " | "
             << row.fundo.toStdString();
    }
};

StoredRow Stored(Connection& connection) {
    TableView view(connection, {.table = QStringLiteral("TbImage")});
    view.open();
    return {view.recordCount(), view.field("Logo1").asString(), view.field("Logo2").asString(),
            view.field("Logo3").asString(), view.field("TelaFundo").asString()};
}

class ParceirosTest : public testing::Test {
protected:
    void inPartners(const std::function<void(TFParceiros&)>& action) {
        app.inWindow(app.menu->ToolButton8, [&](QDialog* window) {
            auto* partners = qobject_cast<TFParceiros*>(window);
            ASSERT_NE(partners, nullptr);
            action(*partners);
        });
    }
    void storeRow(const QString& logo1, const QString& logo2, const QString& logo3,
                  const QString& fundo) {
        app.db.exec(QStringLiteral("INSERT INTO TbImage (Logo1, Logo2, Logo3, TelaFundo) "
                                   "VALUES ('%1', '%2', '%3', '%4')")
                        .arg(logo1, logo2, logo3, fundo));
    }
    StoredRow stored() { return Stored(app.db.connection()); }
    QStringList errors() const { return app.fakes.dialogs.texts(DialogKind::Error); }
    AskedDialog lastFileDialog() const {
        AskedDialog found{};
        for (const AskedDialog& asked : app.fakes.dialogs.asked())
            if (asked.kind == DialogKind::OpenFile)
                found = asked;
        return found;
    }

    test::LoggedInMenu app;
};

TEST_F(ParceirosTest, WindowHasItsDesignedLayoutAndFlatButtonsThatNeverTakeTheFocus) {
    inPartners([&](TFParceiros& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Parceiros"));
        EXPECT_EQ(w.size(), QSize(666, 503));
        EXPECT_EQ(w.font().pixelSize(), 11);
        const std::vector<std::tuple<QToolButton*, QString, QRect>> buttons = {
            {w.SpeedButton1, "Parceiro 1", {58, 32, 120, 25}},
            {w.SpeedButton2, "Parceiro 2", {273, 32, 120, 25}},
            {w.SpeedButton3, "Parceiro 3", {489, 32, 120, 25}},
            {w.SpeedButton4, "Limpar 1", {58, 248, 120, 25}},
            {w.SpeedButton5, "Limpar 2", {273, 248, 120, 25}},
            {w.SpeedButton6, "Limpar 3", {489, 248, 120, 25}},
            {w.SpeedButton7, "Incluir Imagen de Fundo", {48, 397, 150, 25}},
            {w.SpeedButton8, "Limpar Imagem de Fundo", {449, 397, 150, 25}}};
        for (const auto& [button, caption, place] : buttons) {
            EXPECT_EQ(button->text(), caption);
            EXPECT_EQ(button->geometry(), place) << caption.toStdString();
            EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
            EXPECT_TRUE(button->autoRaise());
            EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
        }
        // Centred on the screen, not over the main window.
        const QRect screen = w.screen()->availableGeometry();
        EXPECT_LE((w.frameGeometry().center() - screen.center()).manhattanLength(), 2);
    });
}

TEST_F(ParceirosTest, EmptyTableShowsEmptyPreviewsAndTheFirstChooseCreatesTheOneRow) {
    const QString logo = app.writePicture("logos/d'água um.png", {400, 300});
    const QString second = app.writePicture("logos/dois.bmp", {50, 40}, "BMP");
    app.fakes.dialogs.answerPath(logo);
    app.fakes.dialogs.answerPath(second);
    inPartners([&](TFParceiros& w) {
        for (PictureBox* box : {w.ImageLog1, w.ImageLog2, w.ImageLog3, w.ImageTelaFundo})
            EXPECT_FALSE(box->hasPicture());
        EXPECT_EQ(app.menu->Image1->pictureName(), kBuiltIn);

        w.SpeedButton2->click();
        EXPECT_EQ(w.ImageLog2->pictureName(), logo);
        EXPECT_EQ(w.ImageLog2->pictureRect(), QRect(0, 0, 200, 150)); // shrunk to fit
        EXPECT_EQ(stored(), (StoredRow{1, "", logo, "", ""}));

        w.SpeedButton3->click();
        EXPECT_EQ(w.ImageLog3->pictureRect(), QRect(75, 55, 50, 40)); // own size, centred
        EXPECT_EQ(stored(), (StoredRow{1, "", logo, second, ""}));
    });
    EXPECT_TRUE(errors().isEmpty());

    // One dialog for all four buttons: the first choice preselected, and the
    // file chosen last offered again.
    const auto& asked = app.fakes.dialogs.asked();
    ASSERT_EQ(asked.size(), 2);
    EXPECT_EQ(asked[0].kind, DialogKind::OpenFile);
    EXPECT_EQ(asked[0].text, QStringLiteral("GIF, JPG, BMP, PNG|*.gif;*.jpg;*.jpeg;*.bmp;*.png|"
                                            "GIF|*.gif|JPG|*.jpg|BMP|*.bmp"));
    EXPECT_EQ(asked[0].start, QString());
    EXPECT_EQ(asked[1].start, logo);

    // A fresh window starts afresh.
    inPartners([&](TFParceiros& w) { w.SpeedButton1->click(); });
    EXPECT_EQ(lastFileDialog().start, QString());
}

TEST_F(ParceirosTest, ClearEmptiesOnlyItsOwnSlotAndTheRowIsBegunWhenTheTableIsEmpty) {
    const QString one = app.writePicture("um.jpg", {80, 60}, "JPG");
    const QString two = app.writePicture("dois.bmp", {80, 60}, "BMP");
    const QString three = app.writePicture("tres.png", {80, 60});
    storeRow(one, two, three, "");
    inPartners([&](TFParceiros& w) {
        EXPECT_EQ(w.ImageLog1->pictureName(), one);
        EXPECT_EQ(w.ImageLog2->pictureName(), two);
        EXPECT_EQ(w.ImageLog3->pictureName(), three);
        w.SpeedButton5->click();
        EXPECT_FALSE(w.ImageLog2->hasPicture());
        EXPECT_EQ(w.ImageLog1->pictureName(), one);
        EXPECT_EQ(w.ImageLog3->pictureName(), three);
        EXPECT_EQ(stored(), (StoredRow{1, one, "", three, ""}));
    });
    // A draw screen opened afterwards shows no second logo.
    TFVantaNumero draw(app.menu.get(), app.menu->context());
    draw.FormActivate();
    EXPECT_EQ(draw.ImageLog1->pictureName(), one);
    EXPECT_FALSE(draw.ImageLog2->hasPicture());
    EXPECT_EQ(draw.ImageLog3->pictureName(), three);

    app.db.exec("DELETE FROM TbImage");
    inPartners([&](TFParceiros& w) { w.SpeedButton4->click(); });
    EXPECT_EQ(stored(), (StoredRow{1, "", "", "", ""}));
    EXPECT_TRUE(errors().isEmpty());
}

TEST_F(ParceirosTest, BackgroundShowsBehindAtOnceStaysAfterClosingAndClearPutsTheBuiltInBack) {
    const QString fundo = app.writePicture("fundo.jpg", {640, 400}, "JPG");
    app.fakes.dialogs.answerPath(fundo);
    inPartners([&](TFParceiros& w) {
        w.SpeedButton7->click();
        EXPECT_EQ(w.ImageTelaFundo->pictureName(), fundo);
        EXPECT_EQ(app.menu->Image1->pictureName(), fundo);
    });
    EXPECT_EQ(stored().fundo, fundo);
    app.menu->FormActivate(); // as when the main window is active again
    EXPECT_EQ(app.menu->Image1->pictureName(), fundo);

    inPartners([&](TFParceiros& w) {
        EXPECT_EQ(w.ImageTelaFundo->pictureName(), fundo);
        w.SpeedButton8->click();
        EXPECT_FALSE(w.ImageTelaFundo->hasPicture());
        EXPECT_EQ(app.menu->Image1->pictureName(), kBuiltIn);
    });
    app.menu->FormActivate();
    EXPECT_EQ(app.menu->Image1->pictureName(), kBuiltIn);
    EXPECT_EQ(stored(), (StoredRow{1, "", "", "", ""}));
}

TEST_F(ParceirosTest, FileThatCannotBeShownIsReportedAndNothingIsStored) {
    const QString logo = app.writePicture("logo.png", {80, 60});
    const QString fundo = app.writePicture("fundo.png", {80, 60});
    storeRow(logo, "", "", fundo);
    app.menu->FormActivate();
    const QString text = app.writeFile("leia.txt", "not a picture");
    const QString damaged = app.writeFile("quebrado.gif", "GIF89a and then nothing");
    app.fakes.dialogs.answerPath(text);
    app.fakes.dialogs.answerPath(damaged);
    app.fakes.dialogs.answerPath(damaged);
    inPartners([&](TFParceiros& w) {
        w.SpeedButton1->click();
        w.SpeedButton2->click();
        w.SpeedButton7->click();
        EXPECT_EQ(w.ImageLog1->pictureName(), logo);
        EXPECT_FALSE(w.ImageLog2->hasPicture());
        EXPECT_EQ(w.ImageTelaFundo->pictureName(), fundo);
        EXPECT_EQ(app.menu->Image1->pictureName(), fundo);
        EXPECT_FALSE(w.TbImage.editing());
        // The file chosen is offered again even when it could not be shown.
        EXPECT_EQ(lastFileDialog().start, damaged);
    });
    const QStringList shown = errors();
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(shown[0], QStringLiteral("Unknown picture file extension (.txt)"));
    EXPECT_TRUE(shown[1].contains(damaged)) << shown[1].toStdString();
    EXPECT_EQ(stored(), (StoredRow{1, logo, "", "", fundo}));
}

TEST_F(ParceirosTest, CancelledDialogChangesNothingAndLeavesNoEditPending) {
    inPartners([&](TFParceiros& w) {
        w.SpeedButton1->click();
        w.SpeedButton7->click();
        EXPECT_FALSE(w.TbImage.editing());
    });
    EXPECT_EQ(stored().rows, 0);

    const QString logo = app.writePicture("logo.png", {80, 60});
    storeRow("", logo, "", "");
    inPartners([&](TFParceiros& w) {
        w.SpeedButton2->click();
        EXPECT_EQ(w.ImageLog2->pictureName(), logo);
        EXPECT_FALSE(w.TbImage.editing());
        // A clear after the cancel stores only its own change.
        w.SpeedButton4->click();
    });
    EXPECT_EQ(stored(), (StoredRow{1, "", logo, "", ""}));
    EXPECT_EQ(app.menu->Image1->pictureName(), kBuiltIn);
    EXPECT_TRUE(errors().isEmpty());
}

TEST_F(ParceirosTest, PathLongerThanItsColumnIsRefusedByNameAndOneThatFitsIsStoredWhole) {
    const int base = QDir(app.db.folder()).absolutePath().size() + 1;
    // Folders of a length that makes the whole path 200 and 201 characters.
    const auto pathOf = [&](int total) {
        // A '%' in the name must reach the message as it is.
        const QString file = QStringLiteral("/logo %2.png");
        const QString folder(total - base - file.size(), QLatin1Char('p'));
        return app.writePicture(folder + file, {80, 60});
    };
    const QString fits = pathOf(200);
    const QString tooLong = pathOf(201);
    ASSERT_EQ(fits.size(), 200);
    ASSERT_EQ(tooLong.size(), 201);
    app.fakes.dialogs.answerPath(tooLong);
    app.fakes.dialogs.answerPath(fits);
    app.fakes.dialogs.answerPath(tooLong);
    inPartners([&](TFParceiros& w) {
        w.SpeedButton1->click();
        EXPECT_FALSE(w.ImageLog1->hasPicture());
        EXPECT_EQ(stored().rows, 0);
        w.SpeedButton1->click();
        EXPECT_EQ(stored().logo1, fits);
        w.SpeedButton7->click();
        EXPECT_EQ(app.menu->Image1->pictureName(), kBuiltIn);
        EXPECT_FALSE(w.ImageTelaFundo->hasPicture());
        EXPECT_FALSE(w.TbImage.editing());
    });
    EXPECT_EQ(stored(), (StoredRow{1, fits, "", "", ""}));
    const QStringList shown = errors();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[0].contains(tooLong)) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains(QStringLiteral("200")));
}

TEST_F(ParceirosTest, EscClosesTheWindowAndOtherKeysChangeNothing) {
    const QString logo = app.writePicture("logo.png", {80, 60});
    app.fakes.dialogs.answerPath(logo);
    bool closed = false;
    inPartners([&](TFParceiros& w) {
        QTest::keyClick(&w, Qt::Key_Return);
        QTest::keyClick(&w, Qt::Key_Space);
        EXPECT_TRUE(w.isVisible());
        QTest::keyClick(&w, Qt::Key_Escape);
        closed = !w.isVisible();
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(stored().rows, 0);
    EXPECT_EQ(app.fakes.dialogs.unusedAnswers(), 1u);
}

TEST_F(ParceirosTest, ChoiceTheDatabaseRefusesLeavesThePreviewOnWhatIsStored) {
    const QString logo = app.writePicture("logo.png", {80, 60});
    const QString other = app.writePicture("outro.png", {80, 60});
    storeRow(logo, "", "", "");
    app.fakes.dialogs.answerPath(other);
    inPartners([&](TFParceiros& w) {
        app.db.exec("DROP TABLE TbImage");
        w.SpeedButton1->click();
        ASSERT_EQ(errors().size(), 1);
        EXPECT_EQ(w.ImageLog1->pictureName(), logo);
        EXPECT_FALSE(w.TbImage.editing());
    });
}

TEST_F(ParceirosTest, MissingTableIsReportedOnceNotAtEveryActivation) {
    app.db.exec("DROP TABLE TbImage");
    inPartners([&](TFParceiros& w) {
        ASSERT_EQ(errors().size(), 1);
        EXPECT_TRUE(errors()[0].contains("TbImage")) << errors()[0].toStdString();
        // As when an error box closes and the window is active again.
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&w, &activate);
        EXPECT_EQ(errors().size(), 1);
        // A command still reports it.
        w.SpeedButton5->click();
        EXPECT_EQ(errors().size(), 2);
    });
}

} // namespace
} // namespace tiravo
