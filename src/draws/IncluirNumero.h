#pragma once

#include "platform/Services.h"
#include "store/TableView.h"

#include "widgets/GuardedWindow.h"

class QLabel;
class QPushButton;
class QSpinBox;

namespace tiravo {

class AppContext;
class DataGrid;
class DataNavigator;

// "Cadastro de Números": fills the number pool, one number at a time through
// the grid and the navigator, or a whole range at once.
class TFIncluirNumero : public GuardedWindow {
    Q_OBJECT
public:
    TFIncluirNumero(QWidget* parent, AppContext& context);

    DataNavigator* DBNavigator1;
    DataGrid* DBGrid1;
    QLabel* Label1;
    QLabel* Label2;
    QSpinBox* RxSpinEdit1;
    QSpinBox* RxSpinEdit2;
    QPushButton* Button1;
    QPushButton* Button2; // outside the visible area: reached with the arrow keys

    TableView TbNumero;

    void FormCreate();
    void Button1Click();
    void Button2Click();
    void TbNumeroAfterInsert(Dataset& dataset);

    void done(int result) override;

private:
    void buildControls();

    Services services_;
};

} // namespace tiravo
