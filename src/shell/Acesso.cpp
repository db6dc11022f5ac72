#include "shell/Acesso.h"

#include "shell/Menu.h"
#include "widgets/DataGrid.h"
#include "widgets/DataNavigator.h"
#include "widgets/HandlerGuard.h"
#include "widgets/KeyboardConventions.h"
#include "widgets/WindowLook.h"

#include <QCloseEvent>

namespace tiravo {

TFAcesso::TFAcesso(TFMenu* menu) : QDialog(menu), menu_(menu) {
    setObjectName(QStringLiteral("FAcesso"));
    ApplyWindowLook(this, {QStringLiteral("Usuário - Nome e Senha"), QSize(402, 444),
                           PointFont(QStringLiteral("MS Sans Serif"), 8)});
    move(663, 367);
    Dialogs& dialogs = menu_->services().dialogs;

    DBNavigator1 = Place(new DataNavigator(this, dialogs), 24, 32, 352, 40);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->setCursor(Qt::PointingHandCursor);
    DBNavigator1->setButtons({NavigatorButton::First, NavigatorButton::Prior, NavigatorButton::Next,
                              NavigatorButton::Last, NavigatorButton::Insert,
                              NavigatorButton::Delete, NavigatorButton::Post,
                              NavigatorButton::Cancel});
    DBNavigator1->setDataset(&menu_->dsUsuario);

    DBGrid1 = Place(new DataGrid(this, dialogs), 24, 96, 353, 249);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setColumns({{.field = "Nome", .title = "Nome", .width = 160},
                         {.field = "Senha", .title = "Senha", .width = 160}});
    DBGrid1->setDataset(&menu_->dsUsuario);
    // A name and its password are typed in one go: Tab goes on to the next
    // cell, as in any grid, rather than out of the grid.
    DBGrid1->setTabKeyNavigation(true);
    keys_ = new KeyboardConventions(this);

    RunGuarded(dialogs, [this] { FormCreate(); });
}

void TFAcesso::FormCreate() {
    menu_->TbUsuario.open();
}

void TFAcesso::storePendingRow() {
    // A change the operator typed is kept when it can be stored. When it
    // cannot, the error box says why, the row stays pending in the main
    // window's view, to be mended or dropped at a later opening, and the
    // window closes all the same: the operator must always be able to leave.
    Dataset& users = menu_->TbUsuario;
    Dialogs& dialogs = menu_->services().dialogs;
    if (!users.editing() || !DataGrid::commitEditors(users))
        return;
    if (!users.modified()) {
        users.cancel();
        return;
    }
    RunGuarded(dialogs, [&users] { users.post(); });
}

void TFAcesso::closeEvent(QCloseEvent* event) {
    storePendingRow();
    event->accept();
}

void TFAcesso::reject() {
    // Esc does not close this window; the grid uses it to drop an edit.
}

} // namespace tiravo
