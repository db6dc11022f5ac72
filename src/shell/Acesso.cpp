#include "shell/Acesso.h"

#include "platform/AppContext.h"
#include "widgets/DataGrid.h"
#include "widgets/DataNavigator.h"
#include "widgets/HandlerGuard.h"

#include <QCloseEvent>

namespace tiravo {

// The one secondary window whose controls see the keys first: its grid keeps
// Esc, Enter and the arrows for its cells.
TFAcesso::TFAcesso(QWidget* parent, AppContext& context)
    : GuardedWindow(parent, context.services.dialogs, QStringLiteral("FAcesso"),
                    {QStringLiteral("Usuário - Nome e Senha"), QSize(402, 444),
                     PointFont(QStringLiteral("MS Sans Serif"), 8)},
                    {.preview = false}),
      context_(context) {
    moveToDesignedPlace({663, 367});
    Dialogs& dialogs = dialogs_;

    DBNavigator1 = Place(new DataNavigator(this, dialogs), 24, 32, 352, 40);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->setCursor(Qt::PointingHandCursor);
    DBNavigator1->setButtons({NavigatorButton::First, NavigatorButton::Prior, NavigatorButton::Next,
                              NavigatorButton::Last, NavigatorButton::Insert,
                              NavigatorButton::Delete, NavigatorButton::Post,
                              NavigatorButton::Cancel});
    DBNavigator1->setDataset(&context_.dsUsuario);

    DBGrid1 = Place(new DataGrid(this, dialogs), 24, 96, 353, 249);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setColumns({{.field = "Nome", .title = "Nome", .width = 160},
                         {.field = "Senha", .title = "Senha", .width = 160}});
    DBGrid1->setDataset(&context_.dsUsuario);
    // A name and its password are typed in one go: Tab goes on to the next
    // cell, as in any grid, rather than out of the grid.
    DBGrid1->setTabKeyNavigation(true);
    guarded([this] { FormCreate(); });
}

void TFAcesso::FormCreate() {
    context_.TbUsuario.open();
}

void TFAcesso::storePendingRow() {
    // A change the operator typed is kept when it can be stored. When it
    // cannot, the error box says why, the row stays pending in the main
    // window's view, to be mended or dropped at a later opening, and the
    // window closes all the same: the operator must always be able to leave.
    Dataset& users = context_.TbUsuario;
    if (!users.editing() || !DataGrid::commitEditors(users))
        return;
    if (!users.modified()) {
        users.cancel();
        return;
    }
    guarded([&users] { users.post(); });
}

void TFAcesso::closeEvent(QCloseEvent* event) {
    storePendingRow();
    event->accept();
}

void TFAcesso::reject() {
    // Esc does not close this window; the grid uses it to drop an edit.
}

} // namespace tiravo
