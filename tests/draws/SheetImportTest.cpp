// "Importar" of the name editor reading spreadsheets: CSV and XLSX files made
// here, the column window driven through its controls and keys, and files
// that cannot be imported, over a real database file.
#include "draws/ColunaNomes.h"
#include "draws/IncluirNomes.h"
#include "draws/model/RecordChain.h"
#include "support/ModalDriver.h"
#include "support/PoolRows.h"
#include "support/TestServices.h"
#include "support/Workbooks.h"
#include "widgets/DataGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

class SheetImport : public testing::Test {
protected:
    void SetUp() override { open(); }

    // The editor over the file as it is now.
    void open() {
        editor = std::make_unique<TFIncluirNomes>(nullptr, fake.context(db.connection()));
        editor->show();
        editor->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    }

    QString file(const QString& name, const QByteArray& bytes) {
        const QString path = files.filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return path;
    }

    QString workbook(const QString& name, const QList<QStringList>& rows,
                     const test::WorkbookOptions& options = {}) {
        const QString path = files.filePath(name);
        test::WriteWorkbook(path, rows, options);
        return path;
    }

    // "Importar" answered Yes and the file chosen; `column` acts on the column
    // window should one come up.
    void import(const QString& path, std::function<void(TFColunaNomes*)> column = {}) {
        windowShown = false;
        if (column) {
            test::OnNextModal([this, column](QDialog* modal) {
                auto* window = qobject_cast<TFColunaNomes*>(modal);
                ASSERT_NE(window, nullptr);
                // Keys go where the operator's would: the window's focus.
                ASSERT_TRUE(QTest::qWaitFor([window] {
                    return QApplication::focusWidget() &&
                           QApplication::focusWidget()->window() == window;
                }));
                windowShown = true;
                column(window);
                // Left open by the action, it is cancelled.
                if (window->isVisible())
                    window->reject();
            });
        }
        fake.dialogs.clear();
        fake.dialogs.answerYes();
        fake.dialogs.answerPath(path);
        QTest::mouseClick(editor->Button3, Qt::LeftButton);
    }

    QStringList names() { return test::ColumnOf(db.connection(), "Nome", "TbNome"); }

    QStringList recordActions() {
        QStringList actions;
        for (const RecordRow& row : ReadRecord(db.connection()))
            actions << row.action + u' ' + QString::number(row.count.value_or(-1));
        return actions;
    }

    static void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }

    test::TempDatabase db;
    TestServices fake;
    QTemporaryDir files;
    std::unique_ptr<TFIncluirNomes> editor;
    bool windowShown = false;
};

TEST_F(SheetImport, ACsvOfSeveralColumnsProposesTheNamesAndEnterImportsThem) {
    db.exec("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) VALUES ('Ana Souza', 'oooo', 1, 1)");
    open();
    // What a Portuguese spreadsheet saves: a header, ";", Windows-1252 accents,
    // quotes around a field with the separator, blank cells, a name already
    // there, a name twice and one longer than the column.
    const QString path =
        file("familias.csv",
             "Telefone;Nome;Cidade\r\n"
             "(11) 91234-5678;Jo\xE3o Concei\xE7\xE3o;S\xE3o Paulo\r\n"
             "(21) 99876-5432;\"Souza; Maria\";Rio\r\n"
             ";;\r\n"
             "(31) 3333-4444;;Belo Horizonte\r\n"
             "(41) 1;Ana Souza;Curitiba\r\n"
             "(51) 2;  Jo\xE3o Concei\xE7\xE3o;Porto Alegre\r\n"
             "(61) 3;Maria das Gra\xE7\x61s Albuquerque de Vasconcelos Filha;Bras\xEDlia\r\n");
    import(path, [](TFColunaNomes* window) {
        EXPECT_EQ(window->windowTitle(), "Importar nomes");
    EXPECT_EQ(QApplication::focusWidget(), window->ComboBox1);
    EXPECT_EQ(window->ComboBox1->count(), 3);
    EXPECT_EQ(window->ComboBox1->currentText(), "B: Nome");
    EXPECT_TRUE(window->CheckBox1->isChecked());
    EXPECT_EQ(window->Grid1->rowCount(), 7); // the blank line is no line
    EXPECT_EQ(window->Grid1->item(1, 1)->text(), "João Conceição");
    EXPECT_EQ(window->Grid1->item(2, 1)->text(), "Souza; Maria");
    Key(Qt::Key_Return);
});
EXPECT_TRUE(windowShown);
EXPECT_EQ(names(), QStringList({"Ana Souza", "João Conceição", "Souza; Maria",
                                "Maria das Graças Albuquerque de Vasconce"}));
EXPECT_EQ(fake.dialogs.texts(DialogKind::OpenFile),
          QStringList({"Arquivo Texto|*.txt|Planilha|*.csv;*.xlsx"}));
EXPECT_EQ(fake.dialogs.texts(DialogKind::Information), QStringList({"Tarefa Concluida!"}));
EXPECT_TRUE(fake.dialogs.texts(DialogKind::Error).isEmpty());
EXPECT_EQ(recordActions(), QStringList({"importação 3"}));
} // namespace

TEST_F(SheetImport, TheColumnAndTheHeaderAreChosenWithTheKeysOfTheWindow) {
    // Without a heading the window proposes the first column of words; the
    // operator takes the next one, and says the first line is no header.
    const QString path = workbook("turma.xlsx", {{"17", "Ana Lima", "Bia Rocha"},
                                                 {"18", "Caio Prado", "Davi Nunes"},
                                                 {"19", "", "Enzo Reis"}});
    import(path, [](TFColunaNomes* window) {
        EXPECT_EQ(window->ComboBox1->currentIndex(), 1);
    EXPECT_FALSE(window->CheckBox1->isChecked());
    EXPECT_EQ(window->ComboBox1->itemText(2), "C: Bia Rocha");
    Key(Qt::Key_Down); // the list of columns keeps its arrows
    EXPECT_EQ(window->ComboBox1->currentIndex(), 2);
    EXPECT_TRUE(window->Grid1->selectionModel()->isColumnSelected(2));
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->CheckBox1);
    Key(Qt::Key_Space);
    EXPECT_TRUE(window->CheckBox1->isChecked());
    EXPECT_TRUE(window->Grid1->item(0, 2)->font().bold());
    Key(Qt::Key_Space);
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->Grid1);
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->Button1);
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->Button2);
    Key(Qt::Key_Tab, Qt::ShiftModifier);
    Key(Qt::Key_Return); // on "Importar"
});
EXPECT_TRUE(windowShown);
EXPECT_EQ(names(), QStringList({"Bia Rocha", "Davi Nunes", "Enzo Reis"}));

// A click in the grid picks the column too.
const QString other = workbook("outra.xlsx", {{"Nome", "Apelido"}, {"Fabio", "Fabinho"}});
    import(other, [](TFColunaNomes* window) {
        EXPECT_EQ(window->ComboBox1->currentIndex(), 0);
    QTest::mouseClick(window->Grid1->viewport(), Qt::LeftButton, {},
                      window->Grid1->visualItemRect(window->Grid1->item(1, 1)).center());
    EXPECT_EQ(window->ComboBox1->currentIndex(), 1);
    QTest::mouseClick(window->Button1, Qt::LeftButton);
    } // namespace tiravo
);
EXPECT_EQ(names().mid(3), QStringList({"Fabinho"}));
}

TEST_F(SheetImport, EscOrCancelImportsNothing) {
    const QString path = file("lista.csv", "Nome;Fone\nAna;1\nBia;2\n");
    import(path, [](TFColunaNomes*) { Key(Qt::Key_Escape);
});
EXPECT_TRUE(windowShown);
    import(path, [](TFColunaNomes* window) {
        window->Button2->setFocus();
    Key(Qt::Key_Return); // Enter on "Cancelar" cancels
    });
    EXPECT_TRUE(windowShown);
    EXPECT_TRUE(names().isEmpty());
    EXPECT_TRUE(recordActions().isEmpty());
    // As after a cancelled file dialog.
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Information), QStringList({"Tarefa Concluida!"}));
    }

    TEST_F(SheetImport, AListOfOneColumnNeedsNoQuestion) {
        import(workbook("nomes.xlsx",
                        {{"NOMES"},
                         {"Zoë"},
                         {""},
                         { "Ñandú" }},
                        {.inlineStrings = true}));
        import(file("nomes.csv", "\xEF\xBB\xBFJo\xC3\xA3o\r\nZo\xC3\xAB\r\n"));
        EXPECT_FALSE(windowShown);
        EXPECT_EQ(names(), QStringList({"Zoë", "Ñandú", "João"}));
        EXPECT_EQ(recordActions(), QStringList({"importação 2", "importação 1"}));
    }

    TEST_F(SheetImport, ABadFileIsNamedWithWhatIsWrongAndChangesNothing) {
        db.exec("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) VALUES ('Ana', 'oooo', 1, 1)");
        open();
        QByteArray lines = "Nome;Fone\r\n";
        for (int i = 2; i <= 11; ++i)
            lines += "Nome " + QByteArray::number(i) + ";" + QByteArray::number(i) + "\r\n";
        const QString open = file("aspas.csv", lines + "\"Sem Fecho;12\r\nNome 13;13\r\n");
        const QString notXlsx = file("planilha.xlsx", "Nome;Fone\r\nAna;1\r\n");
        const QString emptyColumn = file("vazia.csv", "Nome;Fone\r\n;1\r\n  ;2\r\n");
        const QString missing = files.filePath("sumiu.csv");
        const auto message = [](const QString& path, const char* what) {
            return QString("O arquivo \"%1\" não pode ser importado: %2.")
                .arg(QDir::toNativeSeparators(path), QString::fromUtf8(what));
        };
        const QStringList before = names();

        import(open);
        EXPECT_EQ(fake.dialogs.texts(DialogKind::Error),
                  QStringList({message(open, "a linha 12 tem aspas sem fecho")}));
        import(notXlsx);
        EXPECT_EQ(fake.dialogs.texts(DialogKind::Error),
                  QStringList({message(notXlsx, "não é uma planilha XLSX")}));
    import(emptyColumn, [](TFColunaNomes*) { Key(Qt::Key_Return);
    });
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error),
              QStringList({message(emptyColumn, "a coluna escolhida está vazia")}));
    import(missing);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error),
              QStringList({QString("Cannot open file \"%1\": No such file or directory.")
                               .arg(QDir::toNativeSeparators(missing))}));
    EXPECT_TRUE(fake.dialogs.texts(DialogKind::Information).isEmpty());
    EXPECT_EQ(names(), before);
    EXPECT_TRUE(recordActions().isEmpty());
    }

    TEST_F(SheetImport, AHundredThousandRowsOfEitherKind) {
        constexpr int kRows = 100000;
        QByteArray csv = "Nome;Telefone\r\n";
        QList<QStringList> rows = {{"Código", "Participante"}};
        for (int i = 0; i < kRows; ++i) {
            csv += "Pessoa " + QByteArray::number(i) + ";" + QByteArray::number(11900000000 + i) +
                   "\r\n";
            rows.append({"#" + QString::number(i), "Participante " + QString::number(i)});
        }
    import(file("grande.csv", csv), [](TFColunaNomes*) { Key(Qt::Key_Return);
    });
    EXPECT_TRUE(windowShown);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error), QStringList());
    EXPECT_EQ(names().size(), kRows);
    import(workbook("grande.xlsx", rows), [](TFColunaNomes*) { Key(Qt::Key_Return);
    });
    const QStringList all = names();
    ASSERT_EQ(all.size(), 2 * kRows);
    EXPECT_EQ(all.first(), "Pessoa 0");
    EXPECT_EQ(all.last(), QString("Participante %1").arg(kRows - 1));
    EXPECT_EQ(recordActions(), QStringList({QString("importação %1").arg(kRows),
                                            QString("importação %1").arg(kRows)}));
    }

    } // namespace
    } // namespace tiravo
