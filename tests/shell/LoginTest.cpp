// The login window driven through its controls and keys.
#include "shell/Menu.h"
#include "shell/Usuario.h"
#include "support/ProgramDatabase.h"
#include "support/TestServices.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

class LoginTest : public testing::Test {
protected:
    void SetUp() override {
        db.exec("INSERT INTO Usuario (Nome, Senha) VALUES ('ana', 's1'), ('Bruno', 'b2'), "
                "('ana', 'other')");
        open();
    }
    void open() {
        login.reset();
        menu = std::make_unique<TFMenu>(fakes.programContext());
        login = std::make_unique<TFUsuario>(menu.get(), menu->context());
        login->show();
        QApplication::setActiveWindow(login.get());
        QTest::qWait(1);
    }
    void attempt(const QString& name, const QString& password) {
        login->EditUser->setText(name);
        login->EditSenha->setText(password);
        login->BitBtn1->click();
    }
    QStringList notices() const { return fakes.dialogs.texts(DialogKind::Notice); }
    bool accepted() const { return login->result() == QDialog::Accepted && !login->isVisible(); }

    test::ProgramDatabase db;
    TestServices fakes;
    std::unique_ptr<TFMenu> menu;
    std::unique_ptr<TFUsuario> login;
};

TEST_F(LoginTest, LooksAsDesigned) {
    EXPECT_EQ(login->windowTitle(), QStringLiteral("Usuario - Tiravo"));
    EXPECT_EQ(login->size(), QSize(482, 353));
    EXPECT_FALSE(login->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(login->windowFlags() & Qt::WindowSystemMenuHint);
    EXPECT_EQ(login->EditUser->geometry(), QRect(38, 169, 150, 26));
    EXPECT_EQ(login->EditSenha->geometry(), QRect(38, 225, 150, 26));
    EXPECT_EQ(login->BitBtn1->geometry(), QRect(38, 297, 150, 40));
    EXPECT_EQ(login->BitBtn2->geometry(), QRect(368, 297, 100, 40));
    EXPECT_EQ(login->EditSenha->echoMode(), QLineEdit::Password);
    EXPECT_EQ(login->EditSenha->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter), '#');
    EXPECT_EQ(login->y(), 20);
}

TEST_F(LoginTest, TypicalLoginIsNameEnterPasswordEnterEnter) {
    QTest::keyClicks(login->EditUser, "Bruno");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), login->EditSenha);
    QTest::keyClicks(login->EditSenha, "b2");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), login->BitBtn1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(accepted());
    EXPECT_TRUE(notices().isEmpty());
}

TEST_F(LoginTest, ShiftEnterGoesBack) {
    login->EditSenha->setFocus();
    QTest::keyClick(login->EditSenha, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), login->EditUser);
}

TEST_F(LoginTest, NameMustMatchExactlyAndPasswordSecond) {
    attempt("Ana", "s1");  // letter case
    attempt("ana ", "s1"); // a trailing blank
    EXPECT_EQ(notices(), (QStringList{"Dados Incorretos!", "Dados Incorretos!"}));
    EXPECT_EQ(QApplication::focusWidget(), login->EditUser);
    attempt("Bruno", "wrong");
    EXPECT_EQ(notices().last(), QStringLiteral("Dados Incorretos"));
    EXPECT_EQ(QApplication::focusWidget(), login->EditSenha);
    // The edits keep what was typed.
    EXPECT_EQ(login->EditSenha->text(), QStringLiteral("wrong"));
    EXPECT_TRUE(login->isVisible());
}

TEST_F(LoginTest, OnlyTheFirstOfTwoEqualNamesCanLogIn) {
    attempt("ana", "other");
    EXPECT_EQ(notices(), QStringList{"Dados Incorretos"});
    attempt("ana", "s1");
    EXPECT_TRUE(accepted());
}

TEST_F(LoginTest, FifthPressEndsTheProgramEvenWhenCorrect) {
    for (int i = 0; i < 4; ++i)
        attempt("x", "y");
    EXPECT_FALSE(menu->closed());
    attempt("Bruno", "b2");
    EXPECT_TRUE(menu->closed());
    EXPECT_EQ(login->result(), QDialog::Rejected);
    EXPECT_EQ(notices().size(), 4);
}

TEST_F(LoginTest, AltF4EscAndTheCloseRequestDoNothing) {
    QTest::keyClick(login->EditUser, Qt::Key_F4, Qt::AltModifier);
    QTest::keyClick(login->EditUser, Qt::Key_Escape);
    EXPECT_FALSE(login->close());
    EXPECT_TRUE(login->isVisible());
    login->BitBtn2->click();
    EXPECT_TRUE(menu->closed());
    EXPECT_FALSE(login->isVisible());
}

TEST(LoginEmptyList, EmptyNameAndPasswordPassAndAnyNameFails) {
    test::ProgramDatabase db;
    TestServices fakes;
    TFMenu menu(fakes.programContext());
    TFUsuario login(&menu, menu.context());
    login.show();
    login.EditUser->setText("demo");
    login.BitBtn1->click();
    EXPECT_EQ(fakes.dialogs.texts(DialogKind::Notice), QStringList{"Dados Incorretos!"});
    login.EditUser->clear();
    login.BitBtn1->click();
    EXPECT_EQ(login.result(), QDialog::Accepted);
}

} // namespace
} // namespace tiravo
