#pragma once

#include "platform/Services.h"
#include "store/TableView.h"

#include <QDialog>

class QKeyEvent;
class QLabel;
class QPushButton;
class QSpinBox;

namespace tiravo {

class Connection;
class DataGrid;
class DataNavigator;

// "Cadastro de Números": fills the number pool, one number at a time through
// the grid and the navigator, or a whole range at once.
class TFIncluirNumero : public QDialog {
    Q_OBJECT
public:
    TFIncluirNumero(QWidget* parent, Connection& ADOConnection1, Services services);
    ~TFIncluirNumero() override;

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
    bool FormKeyDown(QKeyEvent* event);
    void Button1Click();
    void Button2Click();
    void TbNumeroAfterInsert(Dataset& dataset);

    void done(int result) override;

private:
    void buildControls();
    void guarded(const std::function<void()>& handler);

    Services services_;
};

} // namespace tiravo
