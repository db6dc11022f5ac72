// Qt's own dialogs speak the user's language; the program's boxes keep their
// own words.
#include "platform/QtTranslations.h"
#include "platform/ui/MessageBoxDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace tiravo {
namespace {

// Runs `ask` while a timer reads the words of the modal dialog it opens and
// closes it.
QStringList WordsWhileAsking(const std::function<void()>& ask) {
    QStringList words;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            if (button->isVisible() && !button->text().isEmpty())
                words << button->text();
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            if (label->isVisible() && !label->text().isEmpty())
                words << label->text();
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
            if (box->defaultButton())
                words << QStringLiteral("default:") + box->defaultButton()->text();
        }
        static_cast<QDialog*>(dialog)->reject();
    });
    ask();
    return words;
}

TEST(QtTranslations, QtsFileDialogSpeaksPortugueseAndTheProgramsBoxesKeepTheirWords) {
    MessageBoxDialogs dialogs;
    const QStringList english = WordsWhileAsking([&] {
        dialogs.openFile({QStringLiteral("Abrir"), QStringLiteral("Texto|*.txt"), {}, {}});
    });
    ASSERT_TRUE(english.contains(QStringLiteral("&Open"))) << english.join('|').toStdString();

    {
        const auto translation = InstallQtTranslations(QLocale(QStringLiteral("pt_BR")));
        ASSERT_NE(translation, nullptr) << "Qt's translations (qt6-translations-l10n) are missing";
        const QStringList portuguese = WordsWhileAsking([&] {
            dialogs.openFile({QStringLiteral("Abrir"), QStringLiteral("Texto|*.txt"), {}, {}});
        });
        EXPECT_TRUE(portuguese.contains(QStringLiteral("&Abrir")))
            << portuguese.join('|').toStdString();
        EXPECT_TRUE(portuguese.contains(QStringLiteral("Cancelar")))
            << portuguese.join('|').toStdString();

        QStringList box = WordsWhileAsking([&] { dialogs.confirm(QStringLiteral("Limpar?")); });
        EXPECT_TRUE(box.contains(QStringLiteral("&Yes")) && box.contains(QStringLiteral("&No")))
            << box.join('|').toStdString();
        box = WordsWhileAsking([&] { dialogs.confirmDeleteRecord(); });
        EXPECT_TRUE(box.contains(QStringLiteral("OK")) && box.contains(QStringLiteral("Cancel")))
            << box.join('|').toStdString();
        box = WordsWhileAsking([&] { dialogs.notice(QStringLiteral("Qual o nome?")); });
        EXPECT_TRUE(box.contains(QStringLiteral("OK"))) << box.join('|').toStdString();
        box = WordsWhileAsking([&] { dialogs.confirmDefaultNo(QStringLiteral("Incluir?")); });
        EXPECT_TRUE(box.contains(QStringLiteral("default:&No"))) << box.join('|').toStdString();
    }

    // Gone with the answer: Qt's words are English again.
    const QStringList again = WordsWhileAsking([&] {
        dialogs.openFile({QStringLiteral("Abrir"), QStringLiteral("Texto|*.txt"), {}, {}});
    });
    EXPECT_TRUE(again.contains(QStringLiteral("&Open"))) << again.join('|').toStdString();
}

TEST(QtTranslations, ALanguageQtHasNoWordsForLeavesThemInEnglish) {
    EXPECT_EQ(InstallQtTranslations(QLocale(QLocale::Esperanto)), nullptr);
    EXPECT_EQ(InstallQtTranslations(QLocale::c()), nullptr);
}

} // namespace
} // namespace tiravo
