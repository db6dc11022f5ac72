// The main window: start-up, its failures, the background picture, the
// toolbar and the status bar.
#include "shell/Menu.h"
#include "shell/Usuario.h"
#include "support/ModalDriver.h"
#include "support/OrdinaryUser.h"
#include "support/ProgramDatabase.h"
#include "support/TestServices.h"
#include "widgets/PictureBox.h"
#include "widgets/Resources.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <map>

namespace tiravo {
namespace {

const QString kBuiltIn = QStringLiteral(":/pictures/background.jpg");

void PressOk(QDialog* login) {
    login->findChild<QPushButton*>("BitBtn1")->click();
}
void PressSair(QDialog* login) {
    login->findChild<QPushButton*>("BitBtn2")->click();
}

class MenuTest : public testing::Test {
protected:
    // Logs in with the empty operator list, which takes empty texts.
    std::unique_ptr<TFMenu> startLoggedIn() {
        auto menu = std::make_unique<TFMenu>(fakes.programContext());
        test::OnNextModal(PressOk);
        EXPECT_TRUE(menu->Start());
        QApplication::setActiveWindow(menu.get());
        QTest::qWait(1);
        return menu;
    }
    void setBackground(const QString& path) {
        db.exec(QStringLiteral("DELETE FROM TbImage"));
        // Bound, not spliced: a temporary folder's name may hold a quote.
        SqlStatement& insert =
            db.connection().statement("INSERT INTO TbImage (TelaFundo) VALUES (?)");
        insert.bind(1, path);
        while (insert.step()) {
        }
        insert.reset();
    }
    QString writePicture(const QString& name, const char* format = "PNG") {
        QImage picture(64, 40, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        const QString path = QDir(db.folder()).filePath(name);
        picture.save(path, format);
        return path;
    }

    test::ProgramDatabase db;
    TestServices fakes;
};

TEST_F(MenuTest, LoginSairEndsTheProgramWithoutShowingTheWindow) {
    TFMenu menu(fakes.programContext());
    test::OnNextModal(PressSair);
    EXPECT_FALSE(menu.Start());
    EXPECT_TRUE(menu.closed());
    EXPECT_FALSE(menu.isVisible());
    EXPECT_TRUE(fakes.dialogs.asked().empty());
}

TEST_F(MenuTest, CorrectLoginShowsTheMaximisedWindowWithItsTitle) {
    auto menu = startLoggedIn();
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(menu->windowTitle(), QStringLiteral("Tiravo -:- Sistema para Sorteios"));
    EXPECT_EQ(menu->Image1->pictureName(), kBuiltIn); // empty TbImage
}

TEST_F(MenuTest, ToolbarButtonsHaveTheirPlacesSizesAndHints) {
    auto menu = startLoggedIn();
    // The test screen is narrower than the designed 997 pixels.
    menu->showNormal();
    menu->resize(1280, 700);
    QTest::qWait(1);
    EXPECT_EQ(menu->ToolBar1->height(), 60);
    const std::vector<std::pair<QToolButton*, QString>> buttons = {
        {menu->ToolButton1, "Número"}, {menu->ToolButton2, "Nome"},
        {menu->ToolButton3, "Foto"},   {menu->ToolButton8, "Parceiros"},
        {menu->ToolButton9, ""},       {menu->ToolButton4, "Korvane"},
        {menu->ToolButton5, ""}};
    int left = -1;
    for (const auto& [button, hint] : buttons) {
        EXPECT_EQ(button->size(), QSize(122, 54)) << button->objectName().toStdString();
        EXPECT_EQ(button->iconSize(), QSize(48, 48));
        EXPECT_FALSE(button->icon().isNull());
        EXPECT_EQ(button->toolTip(), hint);
        EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
        const int x = button->mapTo(menu.get(), QPoint()).x();
        EXPECT_GT(x, left);
        left = x;
    }
    // The separators leave 8 pixels between the groups.
    EXPECT_EQ(menu->ToolButton8->mapTo(menu.get(), QPoint()).x() -
                  menu->ToolButton3->mapTo(menu.get(), QPoint()).x(),
              122 + 8);
}

TEST_F(MenuTest, StatusPanelsAreCentredAndTheSecondReachesTheRightEnd) {
    auto menu = startLoggedIn();
    EXPECT_EQ(menu->StatusBar1->height(), 19);
    EXPECT_EQ(menu->StatusPanel1->text(), QStringLiteral("18,1123"));
    EXPECT_EQ(menu->StatusPanel1->width(), 120);
    EXPECT_EQ(menu->StatusPanel2->text(), QStringLiteral("www.korvane.example"));
    EXPECT_EQ(menu->StatusPanel2->alignment(), Qt::AlignCenter);
    for (int width : {640, 1500}) {
        menu->showNormal();
        menu->resize(width, 500);
        QTest::qWait(1);
        const int right =
            menu->StatusPanel2->mapTo(menu->StatusBar1, QPoint()).x() + menu->StatusPanel2->width();
        EXPECT_GE(right, menu->StatusBar1->width() - 8) << width;
    }
}

TEST_F(MenuTest, BackgroundFallsBackToTheBuiltInPictureWithoutAMessage) {
    auto menu = startLoggedIn();
    const QString notPicture = QDir(db.folder()).filePath("notes.png");
    QFile text(notPicture);
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture at all");
    text.close();
    for (const QString& path : {QString(), QStringLiteral("/nowhere/fundo.jpg"), notPicture,
                                QDir(db.folder()).filePath("fundo.txt")}) {
        setBackground(path);
        menu->FormActivate();
        EXPECT_EQ(menu->Image1->pictureName(), kBuiltIn) << path.toStdString();
    }
    EXPECT_TRUE(fakes.dialogs.asked().empty());
}

TEST_F(MenuTest, BackgroundStoredLaterShowsAtTheNextActivation) {
    auto menu = startLoggedIn();
    EXPECT_EQ(menu->Image1->pictureName(), kBuiltIn);
    // Another window stores a new background through its own view.
    const QString path = writePicture("fundo.bmp", "BMP");
    setBackground(path);
    menu->FormActivate();
    EXPECT_EQ(menu->Image1->pictureName(), path);
    EXPECT_FALSE(menu->Image1->picture().isNull());
}

TEST_F(MenuTest, AboutOpensTheProductPageAndSairCloses) {
    auto menu = startLoggedIn();
    test::OnNextModal([](QDialog* about) { about->close(); });
    menu->ToolButton4->click();
    EXPECT_EQ(fakes.desktop.opened, QStringList{"https://www.korvane.example/tiravo.html"});
    menu->ToolButton5->click();
    EXPECT_TRUE(menu->closed());
    EXPECT_FALSE(menu->isVisible());
}

TEST_F(MenuTest, ArrowKeysWalkTheToolbarAndEnterOrSpacePressesTheFocusedButton) {
    auto menu = startLoggedIn();
    menu->ToolButton1->setFocus();
    const auto press = [&](int key) {
        QTest::keyClick(menu->focusWidget(), static_cast<Qt::Key>(key));
        return menu->focusWidget();
    };
    EXPECT_EQ(press(Qt::Key_Right), menu->ToolButton2);
    EXPECT_EQ(press(Qt::Key_Down), menu->ToolButton3);
    EXPECT_EQ(press(Qt::Key_Right), menu->ToolButton8); // over the separator
    EXPECT_EQ(press(Qt::Key_Left), menu->ToolButton3);
    EXPECT_EQ(press(Qt::Key_Right), menu->ToolButton8);
    EXPECT_EQ(press(Qt::Key_Right), menu->ToolButton9);
    EXPECT_EQ(press(Qt::Key_Up), menu->ToolButton8);
    EXPECT_EQ(press(Qt::Key_Right), menu->ToolButton9);
    EXPECT_EQ(press(Qt::Key_Right), menu->ToolButton4);

    QString opened;
    test::OnNextModal([&](QDialog* window) {
        opened = window->objectName();
        QTest::keyClick(window, Qt::Key_Escape);
    });
    press(Qt::Key_Return);
    EXPECT_EQ(opened, QStringLiteral("FKorvane"));
    EXPECT_EQ(fakes.desktop.opened, QStringList{"https://www.korvane.example/tiravo.html"});

    menu->ToolButton8->setFocus();
    test::OnNextModal([&](QDialog* window) {
        opened = window->objectName();
        window->close();
    });
    press(Qt::Key_Space);
    EXPECT_EQ(opened, QStringLiteral("FParceiros"));
    EXPECT_FALSE(menu->closed());
}

TEST_F(MenuTest, SecondaryWindowsOpenInTheScreensMiddleAndTheAdministrationAtItsPlaceWhereItFits) {
    auto menu = startLoggedIn();
    // Off the middle, so that a window centred on it would show.
    menu->showNormal();
    menu->setGeometry(0, 30, 420, 300);
    QTest::qWait(1);
    const QRect screen = menu->screen()->availableGeometry();
    std::map<QString, QPoint> places;
    std::map<QString, QRect> frames;
    const auto open = [&](QToolButton* button) {
        test::OnNextModal([&](QDialog* window) {
            places[window->objectName()] = window->pos();
            frames[window->objectName()] = window->frameGeometry();
            window->close();
        });
        button->click();
    };
    for (QToolButton* button : {menu->ToolButton1, menu->ToolButton2, menu->ToolButton3,
                                menu->ToolButton8, menu->ToolButton9})
        open(button);
    // Each pool's button opens its own draw screen.
    EXPECT_EQ(places.count("FVantaNome"), 1U);
    EXPECT_EQ(places.count("FVantaFoto"), 1U);
    // The frame, title bar included, is what sits in the middle.
    EXPECT_LE((frames["FParceiros"].center() - screen.center()).manhattanLength(), 2);
    // Its designed place, 663 and 367, would put most of it off this small
    // screen: it comes in just far enough to show whole.
    EXPECT_EQ(frames["FAcesso"].right(), screen.right());
    EXPECT_EQ(frames["FAcesso"].bottom(), screen.bottom());
    // Wider than the test screen: its left edge, and the title bar, stay on it.
    ASSERT_LT(screen.width(), 933);
    EXPECT_EQ(places["FVantaNumero"].x(), screen.left());
}

TEST(MenuStartUp, MissingDatabaseShowsTheErrorAndOnlySairLeads) {
    test::ProgramDatabase missing(/*createFile=*/false);
    TestServices fakes;
    TFMenu menu(fakes.programContext());
    ASSERT_GE(fakes.dialogs.asked().size(), 1);
    EXPECT_TRUE(fakes.dialogs.asked()[0].text.startsWith("Could not find file"));
    test::OnNextModal([](QDialog* login) {
        PressOk(login);
        PressOk(login);
        PressSair(login);
    });
    EXPECT_FALSE(menu.Start());
    // The login's own view fails to open, and every Ok ends in an error box.
    int errors = 0;
    for (const auto& box : fakes.dialogs.asked())
        errors += box.kind == DialogKind::Error;
    EXPECT_EQ(errors, 4);
    EXPECT_FALSE(QFileInfo::exists(missing.path()));
}

TEST(MenuStartUp, ADamagedOrUnreadableFileIsToldInPortugueseNamingTheFile) {
    test::ProgramDatabase db;
    db.closeConnection();
    const QString file = QDir::toNativeSeparators(db.path());
    {
        test::OrdinaryUser user(db.folder());
        if (user.ready()) {
            QFile::setPermissions(db.path(), QFile::Permissions());
            TestServices fakes;
            TFMenu menu(fakes.programContext());
            EXPECT_EQ(fakes.dialogs.texts(DialogKind::Error),
                      QStringList{"O arquivo de dados " + file +
                                  " não pôde ser aberto. Verifique se ele existe e se este "
                                  "usuário pode lê-lo e criar arquivos na pasta dele. Para "
                                  "examiná-lo, execute 'tiravo-db check' num terminal."});
        }
    }
    QFile::setPermissions(db.path(), QFile::ReadOwner | QFile::WriteOwner);
    QFile raw(db.path());
    ASSERT_TRUE(raw.open(QIODevice::WriteOnly));
    raw.write(QByteArray(4096, 'x'));
    raw.close();
    TestServices fakes;
    TFMenu menu(fakes.programContext());
    EXPECT_EQ(fakes.dialogs.texts(DialogKind::Error),
              QStringList{"O arquivo " + file +
                          " está danificado ou não é um banco de dados do Tiravo. Verifique-o "
                          "com 'tiravo-db check'."});
}

TEST(MenuStartUp, MissingImageTableStillLetsTheOperatorIn) {
    test::ProgramDatabase db;
    db.exec("DROP TABLE TbImage");
    TestServices fakes;
    TFMenu menu(fakes.programContext());
    ASSERT_EQ(fakes.dialogs.asked().size(), 1);
    EXPECT_TRUE(fakes.dialogs.asked()[0].text.contains("no such table"));
    test::OnNextModal(PressOk);
    EXPECT_TRUE(menu.Start());
    menu.FormActivate();
    EXPECT_EQ(menu.Image1->pictureName(), kBuiltIn);
}

} // namespace
} // namespace tiravo
