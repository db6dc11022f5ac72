#include "shell/Usuario.h"

#include "platform/AppContext.h"
#include "platform/Dialogs.h"
#include "widgets/ControlKit.h"
#include "widgets/HandlerGuard.h"
#include "widgets/PictureBox.h"
#include "widgets/Resources.h"
#include "widgets/WindowLook.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tiravo {

namespace {

QLabel* TransparentLabel(QWidget* parent, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->adjustSize();
    label->move(x, y);
    return label;
}

} // namespace

TFUsuario::TFUsuario(QWidget* parent, AppContext& context)
    : GuardedWindow(parent, context.services.dialogs, QStringLiteral("FUsuario"),
                    {QStringLiteral("Usuario - Tiravo"), QSize(482, 353),
                     PointFont(QStringLiteral("Arial"), 12), TitleButtons::None},
                    {.enterMovesFocus = true}),
      context_(context) {
    setModal(true);

    Image1 = Place(new PictureBox(this, PictureMode::Stretch), 8, 8, 464, 277);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPicture(BuiltInPicture(QStringLiteral("login.png")),
                       BuiltInPicturePath(QStringLiteral("login.png")));
    Label1 = TransparentLabel(this, QStringLiteral("Usuário"), 38, 149);
    Label1->setObjectName(QStringLiteral("Label1"));
    EditUser = Place(new QLineEdit(this), 38, 169, 150, 26);
    EditUser->setObjectName(QStringLiteral("EditUser"));
    Label2 = TransparentLabel(this, QStringLiteral("Senha"), 38, 205);
    Label2->setObjectName(QStringLiteral("Label2"));
    EditSenha = Place(new QLineEdit(this), 38, 225, 150, 26);
    EditSenha->setObjectName(QStringLiteral("EditSenha"));
    HidePasswordWithHashes(EditSenha);
    BitBtn1 = Place(new QPushButton(QStringLiteral("Ok"), this), 38, 297, 150, 40);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2 = Place(new QPushButton(QStringLiteral("Sair"), this), 368, 297, 100, 40);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    for (QPushButton* button : {BitBtn1, BitBtn2}) {
        button->setCursor(Qt::PointingHandCursor);
        button->setAutoDefault(false);
    }
    setTabOrder(EditUser, EditSenha);
    setTabOrder(EditSenha, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    wire(BitBtn1, &TFUsuario::BitBtn1Click);
    wire(BitBtn2, &TFUsuario::BitBtn2Click);

    guarded([this] { FormCreate(); });
    EditUser->setFocus();
}

void TFUsuario::FormCreate() {
    context_.TbUsuario.open();
}

void TFUsuario::FormActivate() {
    moveToDesignedPlace({x(), 20});
}

bool TFUsuario::FormKeyDown(QKeyEvent* key) {
    // Alt+F4 would close the window; nothing else is taken from the controls.
    return key->key() == Qt::Key_F4 && key->modifiers() == Qt::AltModifier;
}

void TFUsuario::BitBtn1Click() {
    if (presses_ >= kAttemptLimit) {
        endProgram();
        return;
    }
    ++presses_;
    Dataset& users = context_.TbUsuario;
    // Where no row matches, the check below compares with the row the
    // cursor still stands on, and fails there.
    users.locate(QStringLiteral("Nome"), EditUser->text());
    Dialogs& dialogs = dialogs_;
    if (EditUser->text() != users.field(QStringLiteral("Nome")).asString()) {
        dialogs.notice(QStringLiteral("Dados Incorretos!"));
        EditUser->setFocus();
        return;
    }
    if (EditSenha->text() != users.field(QStringLiteral("Senha")).asString()) {
        dialogs.notice(QStringLiteral("Dados Incorretos"));
        EditSenha->setFocus();
        return;
    }
    context_.operatorName = EditUser->text();
    // The pool moves see only their views, and so the connection: the record
    // of draws takes the operator's name from there.
    context_.ADOConnection1.setOperatorName(context_.operatorName);
    leaving_ = true;
    accept();
}

void TFUsuario::BitBtn2Click() {
    endProgram();
}

void TFUsuario::endProgram() {
    if (QWidget* mainWindow = parentWidget())
        mainWindow->close();
    leaving_ = true;
    done(QDialog::Rejected);
}

void TFUsuario::closeEvent(QCloseEvent* event) {
    if (leaving_)
        event->accept();
    else
        event->ignore();
}

void TFUsuario::reject() {
    // Esc and the window manager's close request do nothing here.
    if (leaving_)
        QDialog::reject();
}

} // namespace tiravo
