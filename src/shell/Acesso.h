#pragma once

#include "widgets/GuardedWindow.h"

namespace tiravo {

class DataGrid;
class DataNavigator;
class AppContext;

// The operators' list, edited in place through the main window's view.
class TFAcesso : public GuardedWindow {
    Q_OBJECT
public:
    TFAcesso(QWidget* parent, AppContext& context);

    DataNavigator* DBNavigator1;
    DataGrid* DBGrid1;

    void FormCreate();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void storePendingRow();

    AppContext& context_;
};

} // namespace tiravo
