// The program on a database file it may not write: told once at the start,
// every command that writes refused before it shows or asks anything, the
// windows still there to look at, and the same file drawn from and stored
// to once the operator has made it writable again.
#include "draws/DrawScreen.h"
#include "shell/Menu.h"
#include "store/TableView.h"
#include "support/ModalDriver.h"
#include "support/OrdinaryUser.h"
#include "support/ProgramDatabase.h"
#include "support/TestServices.h"
#include "widgets/CounterPanel.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace tiravo {
namespace {

// Logs in with the empty operator list; a login that cannot read the
// operators stays up, and "Sair" then ends the program.
void LogIn(QDialog* login) {
    login->findChild<QPushButton*>("BitBtn1")->click();
    if (login->isVisible())
        login->findChild<QPushButton*>("BitBtn2")->click();
}

// The commands of each list editor, all of which write.
const std::map<QString, QStringList> kEditorCommands = {
    {"FIncluirNumero", {"Button1", "Button2"}},
    {"FIncluirNomes", {"Button1", "Button2", "Button3", "Button4", "Button5"}},
    {"FIncluirFoto", {"BitBtn1"}},
};

class ReadOnlyFile : public testing::Test {
protected:
    ReadOnlyFile() {
        const QString photo = QDir(db.folder()).filePath("foto.png");
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        picture.save(photo);
        for (int i = 1; i <= 3; ++i) {
            const QString key = QString(4, QChar('a' + i));
            db.exec(QStringLiteral("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) "
                                   "VALUES (%1, '%2', 1, 0)")
                        .arg(i)
                        .arg(key));
            db.exec(QStringLiteral("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) "
                                   "VALUES ('Nome %1', '%2', 1, 0)")
                        .arg(i)
                        .arg(key));
            SqlStatement& insert = db.connection().statement(
                "INSERT INTO TbFoto (Foto, Ordem, Ok, Ativo) VALUES (?, ?, 1, 0)");
            insert.bind(1, photo);
            insert.bind(2, key);
            while (insert.step()) {
            }
            insert.reset();
        }
        before_ = everything();
        db.closeConnection();
    }

    // Every row of the pools and the settings, to show that nothing changed.
    QStringList everything() {
        QStringList rows;
        for (const char* table : {"TbNumero", "TbNome", "TbFoto", "TbImage", "Usuario"}) {
            TableView view(db.connection(), {.table = table, .sortKey = QStringLiteral("Cod")});
            view.open();
            for (view.first(); !view.eof(); view.next()) {
                QStringList cells;
                for (std::size_t i = 0; i < view.columns().size(); ++i)
                    cells << view.field(i).asString();
                rows << QLatin1String(table) + ": " + cells.join(u'|');
            }
        }
        return rows;
    }

    std::unique_ptr<TFMenu> start(TestServices& fakes) {
        auto menu = std::make_unique<TFMenu>(fakes.programContext());
        test::OnNextModal(LogIn);
        EXPECT_TRUE(menu->Start()) << fakes.dialogs.asked().value(0).text.toStdString();
        return menu;
    }

    QString file() const { return QDir::toNativeSeparators(db.path()); }
    QString refusal() const {
        return "O arquivo " + file() +
               " está protegido contra gravação: nada foi gravado. Para gravar, libere a "
               "gravação do arquivo e abra o programa de novo.";
    }

    test::ProgramDatabase db;
    QStringList before_;
};

TEST_F(ReadOnlyFile, IsToldOnceAndNothingThatWritesStarts) {
    test::OrdinaryUser user(db.folder());
    if (!user.ready())
        GTEST_SKIP() << "running as root without the right to act as another user";
    test::SetWritable(db.path(), false);
    TestServices fakes;
    auto menu = start(fakes);
    ASSERT_EQ(fakes.dialogs.asked().size(), 1);
    EXPECT_EQ(fakes.dialogs.texts(DialogKind::Notice),
              QStringList{"O arquivo " + file() +
                          " está protegido contra gravação: os sorteios não podem ser gravados."});

    for (QToolButton* opener : {menu->ToolButton1, menu->ToolButton2, menu->ToolButton3}) {
        fakes.dialogs.clear();
        QString counted;
        QString editor;
        int commands = 0;
        test::OnNextModal([&](QDialog* window) {
            auto* screen = qobject_cast<DrawScreen*>(window);
            ASSERT_NE(screen, nullptr);
            counted = screen->Panel1->text();
            // The draw, the hidden pick, clearing and releasing.
            for (QPushButton* button :
                 {screen->Button5, screen->Button4, screen->Button2, screen->Button3}) {
                button->click();
                ++commands;
            }
            // "Sortear vários..." is refused before it asks how many.
            screen->DrawMany->trigger();
            ++commands;
            EXPECT_EQ(screen->Panel1->text(), counted);
            // The list editor opens, to be looked at; its commands write.
            test::OnNextModal([&](QDialog* opened) {
                editor = opened->objectName();
                for (const QString& name : kEditorCommands.at(editor)) {
                    opened->findChild<QAbstractButton*>(name)->click();
                    ++commands;
                }
                opened->close();
            });
            screen->Button1->click();
            window->close();
        });
        opener->click();
        EXPECT_EQ(counted, "3") << editor.toStdString();
        EXPECT_FALSE(editor.isEmpty());
        // One refusal for each, and nothing else: no question, no file
        // dialog, not a frame of a draw.
        EXPECT_EQ(fakes.dialogs.asked().size(), commands) << editor.toStdString();
        EXPECT_EQ(fakes.dialogs.texts(DialogKind::Error), QStringList(commands, refusal()));
        EXPECT_TRUE(fakes.pause.frames().isEmpty())
            << fakes.pause.summary().join(' ').toStdString();
    }

    // The partners window shows its pictures; choosing or clearing one writes.
    fakes.dialogs.clear();
    test::OnNextModal([](QDialog* partners) {
        for (int i = 1; i <= 8; ++i)
            partners->findChild<QAbstractButton*>(QStringLiteral("SpeedButton%1").arg(i))->click();
        partners->close();
    });
    menu->ToolButton8->click();
    EXPECT_EQ(fakes.dialogs.asked().size(), 8);
    EXPECT_EQ(fakes.dialogs.texts(DialogKind::Error), QStringList(8, refusal()));

    // The operators' window is there only to change the operators: it does
    // not open at all.
    fakes.dialogs.clear();
    QString opened;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = modal->objectName();
            modal->close();
        }
    });
    menu->ToolButton9->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(opened, "");
    EXPECT_EQ(fakes.dialogs.texts(DialogKind::Error), QStringList{refusal()});

    menu.reset();
    test::SetWritable(db.path(), true);
    EXPECT_EQ(everything(), before_);
}

TEST_F(ReadOnlyFile, OnceWritableAgainTheNextStartDrawsAndStores) {
    test::OrdinaryUser user(db.folder());
    if (!user.ready())
        GTEST_SKIP() << "running as root without the right to act as another user";
    test::SetWritable(db.path(), false);
    {
        TestServices fakes;
        auto menu = start(fakes);
        EXPECT_EQ(fakes.dialogs.texts(DialogKind::Notice).size(), 1);
        // Looking at a pool reads the file, and the engine makes its side
        // files beside it.
        test::OnNextModal([](QDialog* screen) { screen->close(); });
        menu->ToolButton1->click();
    }

    test::SetWritable(db.path(), true);
    TestServices fakes;
    auto menu = start(fakes);
    EXPECT_TRUE(fakes.dialogs.asked().empty()) << fakes.dialogs.asked()[0].text.toStdString();
    test::OnNextModal([](QDialog* window) {
        qobject_cast<DrawScreen*>(window)->Button5->click();
        window->close();
    });
    menu->ToolButton1->click();
    EXPECT_TRUE(fakes.dialogs.asked().empty());
    EXPECT_FALSE(fakes.pause.frames().isEmpty());
    menu.reset();

    TableView winners(db.connection(), {.table = QStringLiteral("TbNumero"),
                                        .filter = QStringLiteral("Ok = False")});
    winners.open();
    ASSERT_EQ(winners.recordCount(), 1);
    EXPECT_EQ(winners.field(QStringLiteral("Sorte")).asString(), "1");
}

} // namespace
} // namespace tiravo
