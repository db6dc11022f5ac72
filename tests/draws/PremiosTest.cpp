// The window "Prêmios" driven through its controls over a real file: the plan
// it shows, its changes stored and recorded, its refusals, its keys, and the
// draw screens' menu that opens it.
#include "draws/Premios.h"
#include "draws/VantaFoto.h"
#include "draws/VantaNome.h"
#include "draws/VantaNumero.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/RecordChain.h"
#include "support/ModalDriver.h"
#include "support/TempDatabase.h"
#include "support/TestServices.h"
#include "widgets/PictureBox.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

QStringList Shown(const TFPremios& w) {
    QStringList rows;
    for (int i = 0; i < w.ListaPremios->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = w.ListaPremios->topLevelItem(i);
        rows << item->text(0) + " | " + item->text(1) + " | " + item->text(2);
    }
    return rows;
}

void Type(TFPremios& w, const QString& description, int quantity) {
    w.EditDescricao->setText(description);
    w.SpinQuantidade->setValue(quantity);
}

void Select(TFPremios& w, int row) {
    w.ListaPremios->setCurrentItem(w.ListaPremios->topLevelItem(row));
}

TEST(Premios, AddsChangesMovesAndRemovesPrizesShowingTheirPlaces) {
    test::TempDatabase db;
    TestServices fake;
    TFPremios w(nullptr, fake.context(db.connection()), NamePool());
    EXPECT_EQ(w.windowTitle(), "Prêmios");
    EXPECT_EQ(Shown(w), QStringList());

    Type(w, "Bicicleta", 3);
    QTest::mouseClick(w.ButtonIncluir, Qt::LeftButton);
    Type(w, "Televisor", 1);
    QTest::mouseClick(w.ButtonIncluir, Qt::LeftButton);
    Type(w, "Cesta de Natal", 10);
    QTest::mouseClick(w.ButtonIncluir, Qt::LeftButton);
    EXPECT_EQ(Shown(w), QStringList({"1º a 3º | Bicicleta | 3", "4º | Televisor | 1",
                                     "5º a 14º | Cesta de Natal | 10"}));
    EXPECT_EQ(w.ListaPremios->currentItem(), w.ListaPremios->topLevelItem(2));

    QTest::mouseClick(w.ButtonSubir, Qt::LeftButton);
    EXPECT_EQ(Shown(w), QStringList({"1º a 3º | Bicicleta | 3", "4º a 13º | Cesta de Natal | 10",
                                     "14º | Televisor | 1"}));
    EXPECT_EQ(w.ListaPremios->currentItem(), w.ListaPremios->topLevelItem(1)); // follows it

    Select(w, 0);
    EXPECT_EQ(w.EditDescricao->text(), "Bicicleta");
    EXPECT_EQ(w.SpinQuantidade->value(), 3);
    Type(w, "Bicicleta aro 26", 2);
    QTest::mouseClick(w.ButtonAlterar, Qt::LeftButton);
    QTest::mouseClick(w.ButtonDescer, Qt::LeftButton);
    EXPECT_EQ(Shown(w), QStringList({"1º a 10º | Cesta de Natal | 10",
                                     "11º a 12º | Bicicleta aro 26 | 2", "13º | Televisor | 1"}));

    fake.dialogs.answerNo();
    QTest::mouseClick(w.ButtonRemover, Qt::LeftButton);
    EXPECT_EQ(Shown(w).size(), 3);
    fake.dialogs.answerYes();
    QTest::mouseClick(w.ButtonRemover, Qt::LeftButton);
    EXPECT_EQ(Shown(w), QStringList({"1º a 10º | Cesta de Natal | 10", "11º | Televisor | 1"}));
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Confirmation),
              QStringList({"Remover o prêmio \"Bicicleta aro 26\" do plano?",
                           "Remover o prêmio \"Bicicleta aro 26\" do plano?"}));
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error), QStringList());

    // What the window shows is what the file holds, and every change was recorded.
    EXPECT_EQ(ReadPrizePlan(*db.openSecond(), NamePool()).places(), 11);
    EXPECT_TRUE(ReadPrizePlan(db.connection(), NumberPool()).empty());
    EXPECT_EQ(ReadRecord(db.connection()).size(), 7u);
}

TEST(Premios, RefusesBadInputAndAMissingSelectionWithAMessage) {
    test::TempDatabase db;
    TestServices fake;
    TFPremios w(nullptr, fake.context(db.connection()), NumberPool());
    EXPECT_EQ(w.EditDescricao->maxLength(), 60);
    EXPECT_EQ(w.SpinQuantidade->minimum(), 1);
    EXPECT_EQ(w.SpinQuantidade->maximum(), 9999);

    Type(w, "   ", 1);
    QTest::mouseClick(w.ButtonIncluir, Qt::LeftButton);
    QTest::mouseClick(w.ButtonAlterar, Qt::LeftButton);
    QTest::mouseClick(w.ButtonSubir, Qt::LeftButton);
    QTest::mouseClick(w.ButtonRemover, Qt::LeftButton);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error),
              QStringList({"Informe a descrição do prêmio.", "Selecione um prêmio da lista.",
                           "Selecione um prêmio da lista.", "Selecione um prêmio da lista."}));
    EXPECT_EQ(Shown(w), QStringList());
    EXPECT_TRUE(ReadRecord(db.connection()).empty());
}

TEST(Premios, AChangeMadeByAnotherCopyIsShownAfterTheNextClick) {
    test::TempDatabase db;
    TestServices fake;
    TFPremios w(nullptr, fake.context(db.connection()), PhotoPool());
    auto other = db.openSecond();
    Type(w, "Carro", 1);
    QTest::mouseClick(w.ButtonIncluir, Qt::LeftButton);
    AddPrize(*other, PhotoPool(), "Moto", 2);
    RemovePrize(*other, PhotoPool(), ReadPrizePlan(*other, PhotoPool()).prizes[0].cod);
    Select(w, 0);
    Type(w, "Carro zero", 1);
    QTest::mouseClick(w.ButtonAlterar, Qt::LeftButton);
    ASSERT_EQ(fake.dialogs.texts(DialogKind::Error).size(), 1);
    EXPECT_TRUE(fake.dialogs.texts(DialogKind::Error)[0].contains("não está mais no plano"));
    EXPECT_EQ(Shown(w), QStringList({"1º a 2º | Moto | 2"}));
}

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// A plan saved as CSV comes back whole through the import, which replaces the
// plan only once the whole file reads as prizes and the operator agrees.
TEST(Premios, ExportsThePlanAsCsvAndImportsItBack) {
    test::TempDatabase db;
    TestServices fake;
    TFPremios w(nullptr, fake.context(db.connection()), NamePool());
    Type(w, "Bicicleta; aro 26", 3);
    QTest::mouseClick(w.ButtonIncluir, Qt::LeftButton);
    Type(w, "-50% na loja", 1);
    QTest::mouseClick(w.ButtonIncluir, Qt::LeftButton);

    const QString saved = db.folder() + "/premios.csv";
    fake.dialogs.answerPath(saved);
    QTest::mouseClick(w.ButtonExportar, Qt::LeftButton);
    // A description a spreadsheet would take for a formula is guarded.
    EXPECT_EQ(Read(saved), QByteArray("\xEF\xBB\xBF"
                                      "Descrição;Quantidade\r\n"
                                      "\"Bicicleta; aro 26\";3\r\n"
                                      "'-50% na loja;1\r\n"));
    ASSERT_EQ(fake.dialogs.asked().size(), 2);
    EXPECT_EQ(fake.dialogs.asked()[0].kind, DialogKind::SaveFile);
    EXPECT_EQ(fake.dialogs.asked()[0].caption, "Exportar prêmios");
    EXPECT_EQ(fake.dialogs.asked()[0].text, "Planilha CSV|*.csv");
    EXPECT_TRUE(fake.dialogs.asked()[0].start.endsWith("/premios-nomes.csv"));
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Information),
              QStringList({"Arquivo salvo em " + saved}));

    // A bad line is named, and nothing changes.
    const QString bad = db.folder() + "/ruim.csv";
    Write(bad, "Prêmio;Qtd\nTV;1\nRádio;dois\nBola;1\n");
    fake.dialogs.answerPath(bad);
    QTest::mouseClick(w.ButtonImportar, Qt::LeftButton);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error),
              QStringList({"O arquivo \"" + bad +
                           "\" não pode ser importado: a linha 3 não é um prêmio: a quantidade "
                           "\"dois\" não é um número de 1 a 9999."}));
    const std::size_t recorded = ReadRecord(db.connection()).size();

    // Another file, declined, then accepted.
    const QString other = db.folder() + "/outro.csv";
    Write(other, "Prêmio,Qtd\nCarro,1\nMoto,2\n");
    fake.dialogs.answerPath(other);
    fake.dialogs.answerNo();
    QTest::mouseClick(w.ButtonImportar, Qt::LeftButton);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Confirmation).last(),
              "Substituir o plano de prêmios atual pelos 2 prêmios (3 lugares) do arquivo?");
    EXPECT_EQ(Shown(w), QStringList({"1º a 3º | Bicicleta; aro 26 | 3", "4º | -50% na loja | 1"}));
    fake.dialogs.answerPath(other);
    fake.dialogs.answerYes();
    QTest::mouseClick(w.ButtonImportar, Qt::LeftButton);
    EXPECT_EQ(Shown(w), QStringList({"1º | Carro | 1", "2º a 3º | Moto | 2"}));
    EXPECT_EQ(ReadRecord(db.connection()).size(), recorded + 1);

    // The exported plan comes back as it was.
    fake.dialogs.answerPath(saved);
    fake.dialogs.answerYes();
    QTest::mouseClick(w.ButtonImportar, Qt::LeftButton);
    EXPECT_EQ(Shown(w), QStringList({"1º a 3º | Bicicleta; aro 26 | 3", "4º | -50% na loja | 1"}));
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error).size(), 1);
    EXPECT_EQ(fake.dialogs.unusedAnswers(), 0u);
}

TEST(Premios, TabMovesAmongItsControlsEnterPressesAButtonAndEscCloses) {
    test::TempDatabase db;
    TestServices fake;
    TFPremios w(nullptr, fake.context(db.connection()), NamePool());
    w.show();
    QApplication::setActiveWindow(&w);
    w.EditDescricao->setFocus();
    QTest::keyClicks(w.EditDescricao, "Bola");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w.SpinQuantidade);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w.ButtonIncluir);
    QTest::keyClick(w.ButtonIncluir, Qt::Key_Return);
    EXPECT_EQ(Shown(w), QStringList({"1º | Bola | 1"}));
    // The arrows move on from a button, as in every window.
    QTest::keyClick(w.ButtonIncluir, Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), w.ButtonAlterar);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
}

// Each draw screen opens the plan of its own pool, from the menu of its
// winners list.
TEST(Premios, EachDrawScreensWinnersMenuOpensThePlanOfItsPool) {
    test::TempDatabase db;
    TestServices fake;
    AddPrize(db.connection(), NumberPool(), "Carro", 1);
    AddPrize(db.connection(), NamePool(), "Bicicleta", 2);
    AddPrize(db.connection(), PhotoPool(), "Moto", 3);
    TFVantaNumero numbers(nullptr, fake.context(db.connection()));
    TFVantaNome names(nullptr, fake.context(db.connection()));
    TFVantaFoto photos(nullptr, fake.context(db.connection()));
    QStringList seen;
    for (DrawScreen* screen : std::initializer_list<DrawScreen*>{&numbers, &names, &photos}) {
        ASSERT_NE(screen->EditPrizePlan, nullptr);
        EXPECT_EQ(screen->EditPrizePlan->text(), "Plano de prêmios...");
        const QList<QAction*> actions = screen->WinnersMenu->actions();
        EXPECT_EQ(actions.indexOf(screen->EditPrizePlan), actions.indexOf(screen->SaveMinutes) + 1);
        test::OnNextModal([&](QDialog* dialog) {
            auto* window = qobject_cast<TFPremios*>(dialog);
            ASSERT_NE(window, nullptr);
            seen << Shown(*window);
            QTest::keyClick(window, Qt::Key_Escape);
        });
        screen->EditPrizePlan->trigger();
    }
    EXPECT_EQ(seen,
              QStringList({"1º | Carro | 1", "1º a 2º | Bicicleta | 2", "1º a 3º | Moto | 3"}));
}

} // namespace
} // namespace tiravo
