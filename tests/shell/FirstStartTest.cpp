// The first start on a new account: the welcome window before the login,
// driven through its keys and buttons, and what it leaves on the disk.
#include "shell/BemVindo.h"
#include "shell/Menu.h"
#include "store/ConnectionText.h"
#include "store/FileBuilding.h"
#include "support/ModalDriver.h"
#include "support/TestServices.h"
#include "tool/ToolRun.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

// A user who has never run the program: a home folder of his own, empty, and
// no XDG_DATA_HOME, so the file goes to ~/.local/share.
class NewHome {
public:
    NewHome()
        : home_(qgetenv("HOME")), data_(qgetenv("XDG_DATA_HOME")),
          hadData_(qEnvironmentVariableIsSet("XDG_DATA_HOME")) {
        qputenv("HOME", QFile::encodeName(dir_.path()));
        qunsetenv("XDG_DATA_HOME");
    }
    ~NewHome() {
        qputenv("HOME", home_);
        if (hadData_)
            qputenv("XDG_DATA_HOME", data_);
    }
    NewHome(const NewHome&) = delete;
    NewHome& operator=(const NewHome&) = delete;

    QString folder() const { return dir_.path(); }
    QString path() const { return FixedDatabasePath(); }
    // Every file and folder under the home folder, as paths within it.
    QStringList everything() const {
        QStringList found;
        QDirIterator walk(dir_.path(),
                          QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                          QDirIterator::Subdirectories);
        while (walk.hasNext())
            found << QDir(dir_.path()).relativeFilePath(walk.next());
        found.sort();
        return found;
    }

private:
    QTemporaryDir dir_;
    QByteArray home_;
    QByteArray data_;
    bool hadData_;
};

TFBemVindo* Welcome(QDialog* dialog) {
    QApplication::setActiveWindow(dialog);
    return qobject_cast<TFBemVindo*>(dialog);
}

QWidget* Focus() {
    return QApplication::focusWidget();
}

QString Dump(const QString& path) {
    const Outcome dumped = RunTool({"dump", "--file", path});
    EXPECT_EQ(dumped.exitCode, 0) << dumped.err.toStdString();
    return dumped.out;
}

// Logs in through the login window the main window runs; a login that fails
// leaves by "Sair", so that the test goes on to its checks.
bool LogIn(TFMenu& menu, const QString& name, const QString& password) {
    test::OnNextModal([&](QDialog* login) {
        login->findChild<QLineEdit*>("EditUser")->setText(name);
        login->findChild<QLineEdit*>("EditSenha")->setText(password);
        login->findChild<QPushButton*>("BitBtn1")->click();
        if (login->isVisible())
            login->findChild<QPushButton*>("BitBtn2")->click();
    });
    return menu.Start();
}

// Runs the first start where a file, or something else, is at `path`; the
// program must go on to the login without a welcome window. One that comes
// all the same is ended, and answered.
bool Welcomed(TestServices& fakes, const QString& path) {
    bool welcomed = false;
    QTimer::singleShot(0, [&] {
        if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            welcomed = true;
            modal->reject();
        }
    });
    EXPECT_TRUE(FirstStart(fakes.services(), path));
    // The check runs now when nothing was shown.
    QApplication::processEvents();
    return welcomed;
}

TEST(FirstStart, TheFirstOperatorTypedAtTheKeyboardMakesTheFileAndThenLogsIn) {
    NewHome home;
    ASSERT_EQ(home.path(), home.folder() + "/.local/share/Korvane/Tiravo/Zodizi.db");
    TestServices fakes;
    QString caption;
    QStringList order;
    test::OnNextModal([&](QDialog* dialog) {
        TFBemVindo* w = Welcome(dialog);
        caption = w->windowTitle();
        const auto step = [&](Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            order << Focus()->objectName();
            QTest::keyClick(Focus(), Qt::Key_Tab, modifiers);
        };
        QTest::keyClicks(Focus(), "Ana Souza");
        step();
        QTest::keyClicks(Focus(), "s3gredo");
        step();
        QTest::keyClicks(Focus(), "s3gredo");
        step();
        step();
        order << Focus()->objectName();
        // Back to the second password, where Enter creates.
        QTest::keyClick(Focus(), Qt::Key_Tab, Qt::ShiftModifier);
        QTest::keyClick(Focus(), Qt::Key_Tab, Qt::ShiftModifier);
        QTest::keyClick(Focus(), Qt::Key_Return);
        if (w->isVisible())
            w->close();
    });
    EXPECT_TRUE(FirstStart(fakes.services(), home.path()));
    EXPECT_EQ(caption, QStringLiteral("Bem-vindo ao Tiravo"));
    EXPECT_EQ(order, (QStringList{"EditNome", "EditSenha", "EditSenha2", "BitBtn1", "BitBtn2"}));
    EXPECT_TRUE(fakes.dialogs.asked().isEmpty());

    // The folder was made; the file is the one the tool makes for that operator.
    ASSERT_TRUE(QFileInfo(home.path()).isFile());
    EXPECT_EQ(QDir(QFileInfo(home.path()).path()).entryList(QDir::Files), QStringList{"Zodizi.db"});
    QTemporaryDir other;
    const QString byTheTool = other.filePath("Zodizi.db");
    ASSERT_EQ(
        RunTool({"create", "--operator", "Ana Souza", "--password", "s3gredo", "--file", byTheTool})
            .exitCode,
        0);
    EXPECT_EQ(Dump(home.path()), Dump(byTheTool));
    EXPECT_EQ(RunTool({"check", "--file", home.path()}).out, "ok\n");

    AppContext& context = fakes.programContext();
    TFMenu menu(context);
    EXPECT_TRUE(LogIn(menu, "Ana Souza", "s3gredo"));
    EXPECT_EQ(context.operatorName, QStringLiteral("Ana Souza"));
    EXPECT_TRUE(fakes.dialogs.asked().isEmpty());
}

TEST(FirstStart, TheDemonstrationIsTheToolsDemoAndItsOperatorLogsIn) {
    NewHome home;
    TestServices fakes;
    QString told;
    test::OnNextModal([&](QDialog* dialog) {
        TFBemVindo* w = Welcome(dialog);
        told = w->Label6->text();
        w->BitBtn2->setFocus();
        QTest::keyClick(w->BitBtn2, Qt::Key_Return);
        if (w->isVisible())
            w->close();
    });
    EXPECT_TRUE(FirstStart(fakes.services(), home.path()));
    EXPECT_TRUE(told.contains(QStringLiteral("operador demo e a senha demo")))
        << told.toStdString();
    EXPECT_TRUE(fakes.dialogs.asked().isEmpty());

    const QString dump = Dump(home.path());
    EXPECT_TRUE(dump.contains("Usuario\nCod\tNome\tSenha\n1\tdemo\tdemo\n\n"));
    EXPECT_EQ(dump.count("\tTrue\tFalse\t"), 90); // the numbers, available
    EXPECT_EQ(dump.count("demo/fotos/foto"), 12);
    EXPECT_TRUE(
        QFileInfo(QFileInfo(home.path()).dir().filePath("demo/logos/escola-nova.png")).isFile());

    AppContext& context = fakes.programContext();
    TFMenu menu(context);
    EXPECT_TRUE(LogIn(menu, "demo", "demo"));
}

TEST(FirstStart, ClosingTheWindowOrEscEndsTheProgramAndMakesNothing) {
    for (const bool byEsc : {false, true}) {
        NewHome home;
        TestServices fakes;
        test::OnNextModal([&](QDialog* dialog) {
            TFBemVindo* w = Welcome(dialog);
            QTest::keyClicks(w->EditNome, "ana");
            if (byEsc)
                QTest::keyClick(Focus(), Qt::Key_Escape);
            else
                w->close();
        });
        EXPECT_FALSE(FirstStart(fakes.services(), home.path()));
        // Not even the folder.
        EXPECT_EQ(home.everything(), QStringList());
        EXPECT_TRUE(fakes.dialogs.asked().isEmpty());
    }
}

TEST(FirstStart, AMissingNameOrPasswordOrTwoPasswordsThatDifferMakeNothing) {
    NewHome home;
    TestServices fakes;
    int maxName = 0;
    int maxPassword = 0;
    QStringList afterMismatch;
    test::OnNextModal([&](QDialog* dialog) {
        TFBemVindo* w = Welcome(dialog);
        maxName = w->EditNome->maxLength();
        maxPassword = w->EditSenha2->maxLength();
        w->EditNome->setText("   ");
        w->EditSenha->setText("x");
        w->EditSenha2->setText("x");
        w->BitBtn1->click();
        EXPECT_EQ(Focus(), w->EditNome);
        w->EditNome->setText("ana");
        w->EditSenha->clear();
        w->EditSenha2->clear();
        w->BitBtn1->click();
        EXPECT_EQ(Focus(), w->EditSenha);
        w->EditSenha->setText("segredo");
        w->EditSenha2->setText("segreda");
        QTest::keyClick(w->EditSenha2, Qt::Key_Return);
        afterMismatch = {w->EditNome->text(), w->EditSenha->text(), w->EditSenha2->text(),
                         Focus()->objectName()};
        EXPECT_TRUE(w->isVisible());
        w->close();
    });
    EXPECT_FALSE(FirstStart(fakes.services(), home.path()));
    EXPECT_EQ(fakes.dialogs.texts(DialogKind::Notice),
              (QStringList{"Digite o nome do operador.", "Digite a senha do operador.",
                           "As duas senhas não são iguais. Digite a senha outra vez nos dois "
                           "campos."}));
    EXPECT_EQ(afterMismatch, (QStringList{"ana", "", "", "EditSenha"}));
    // What is typed is what the login compares: nothing longer than the
    // operators' table keeps.
    EXPECT_EQ(maxName, 30);
    EXPECT_EQ(maxPassword, 20);
    EXPECT_EQ(home.everything(), QStringList());
}

TEST(FirstStart, AFileThatCannotBeOpenedIsNeverReplacedNorTouched) {
    NewHome home;
    const QString path = home.path();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QByteArray bytes(8192, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>((i * 131 + 7) % 251);
    {
        QFile damaged(path);
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write(bytes);
    }
    const QStringList before = home.everything();

    TestServices fakes;
    EXPECT_FALSE(Welcomed(fakes, path));

    {
        TFMenu menu(fakes.programContext());
        EXPECT_FALSE(LogIn(menu, "demo", "demo"));
    }
    const QStringList errors = fakes.dialogs.texts(DialogKind::Error);
    ASSERT_FALSE(errors.isEmpty());
    EXPECT_TRUE(errors.first().contains(path)) << errors.first().toStdString();
    EXPECT_TRUE(errors.first().contains("'tiravo-db check'")) << errors.first().toStdString();

    QFile after(path);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), bytes);
    EXPECT_EQ(home.everything(), before);

    // A link that leads nowhere, where the file should be, is the user's too.
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::link(home.folder() + "/elsewhere/Zodizi.db", path));
    EXPECT_FALSE(Welcomed(fakes, path));
    EXPECT_EQ(QFileInfo(path).symLinkTarget(), home.folder() + "/elsewhere/Zodizi.db");
}

TEST(FirstStart, ACopyThatFindsTheFileMadeMeanwhileSaysSoAndGoesOnToItsLogin) {
    NewHome home;
    TestServices fakes;
    test::OnNextModal([&](QDialog* dialog) {
        TFBemVindo* w = Welcome(dialog);
        // Another copy, started at the same time, made its file first.
        EXPECT_EQ(RunTool({"create", "--operator", "bruno", "--password", "b2"}).exitCode, 0);
        w->EditNome->setText("ana");
        w->EditSenha->setText("segredo");
        w->EditSenha2->setText("segredo");
        w->BitBtn1->click();
        if (w->isVisible())
            w->close();
    });
    EXPECT_TRUE(FirstStart(fakes.services(), home.path()));
    EXPECT_EQ(fakes.dialogs.texts(DialogKind::Notice),
              QStringList{"Outra cópia do programa criou o arquivo " + home.path() +
                          " enquanto esta janela estava aberta, e nada foi criado aqui. Entre "
                          "com um operador desse arquivo."});
    EXPECT_TRUE(Dump(home.path()).contains("Usuario\nCod\tNome\tSenha\n1\tbruno\tb2\n\n"));
    EXPECT_EQ(QDir(QFileInfo(home.path()).path()).entryList(QDir::Files), QStringList{"Zodizi.db"});

    AppContext& context = fakes.programContext();
    TFMenu menu(context);
    EXPECT_TRUE(LogIn(menu, "bruno", "b2"));
}

} // namespace
} // namespace tiravo
