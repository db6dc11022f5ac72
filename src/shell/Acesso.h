#pragma once

#include <QDialog>

namespace tiravo {

class DataGrid;
class DataNavigator;
class KeyboardConventions;
class TFMenu;

// The operators' list, edited in place through the main window's view.
class TFAcesso : public QDialog {
    Q_OBJECT
public:
    explicit TFAcesso(TFMenu* menu);

    DataNavigator* DBNavigator1;
    DataGrid* DBGrid1;

    void FormCreate();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void storePendingRow();

    TFMenu* menu_;
    KeyboardConventions* keys_;
};

} // namespace tiravo
