#pragma once

#include "platform/Services.h"
#include "store/Query.h"
#include "store/TableView.h"

#include "widgets/GuardedWindow.h"

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tiravo {

class AppContext;
class CounterPanel;
class DataEdit;
class DataGrid;
class DataNavigator;

// "Cadastro de Nomes": keeps the name pool. Names are typed in or imported
// from a text file, renamed in place, turned into free slots, and moved by
// hand between the pool and the winners list.
class TFIncluirNomes : public GuardedWindow {
    Q_OBJECT
public:
    TFIncluirNomes(QWidget* parent, AppContext& context);

    DataNavigator* DBNavigator1;
    QPushButton* Button3; // "Importar"
    QLineEdit* Edit1;
    QPushButton* Button1; // "Incluir"
    DataGrid* DBGrid1;    // the pool
    QLabel* Label1;
    DataEdit* DBEdit1;
    QPushButton* Button2; // "Remover"
    QLabel* Label2;
    DataGrid* DBGrid3;    // the winners
    QPushButton* Button4; // ">>>"
    QPushButton* Button5; // "<<<"
    CounterPanel* Panel1;
    CounterPanel* Panel2;
    DataGrid* DBGrid2; // the free slots, outside the visible area

    TableView TbNome;
    TableView TbNomeLimp;
    Query QrySorte;

    void FormCreate();
    void FormClose();
    void Button1Click();
    void TbNomeLimpBeforePost(Dataset& dataset);
    void Button2Click();
    void Button3Click();
    void Edit1Change();
    void Button4Click();
    void Button5Click();

    void done(int result) override;

private:
    void buildControls();
    // Reads the pool and the free slots again, as include and remove do.
    void reopenPoolAndFreeSlots();
    void showCounts();

    Services services_;
};

} // namespace tiravo
