#pragma once

#include "draws/model/PrizePlan.h"
#include "platform/Services.h"
#include "widgets/GuardedWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace tiravo {

class AppContext;
class Connection;
struct PoolDescription;

// "Prêmios": the prize plan of one pool, in the order the prizes are drawn,
// with the places each one covers. A prize is typed into the description and
// quantity boxes, added at the end or put in place of the one selected;
// removed, or moved up and down. Every change is stored at once, recorded,
// and the list read again from the file. The whole plan can be replaced by
// the prizes of a CSV file (PrizeSheet), and saved as one.
class TFPremios : public GuardedWindow {
    Q_OBJECT
public:
    TFPremios(QWidget* parent, AppContext& context, const PoolDescription& pool);

    QTreeWidget* ListaPremios; // places, description, quantity
    QLabel* LabelDescricao;
    QLineEdit* EditDescricao;
    QLabel* LabelQuantidade;
    QSpinBox* SpinQuantidade;
    QPushButton* ButtonIncluir;
    QPushButton* ButtonAlterar;
    QPushButton* ButtonRemover;
    QPushButton* ButtonSubir;
    QPushButton* ButtonDescer;
    QPushButton* ButtonImportar;
    QPushButton* ButtonExportar;
    QPushButton* ButtonFechar;

    void ButtonIncluirClick();
    void ButtonAlterarClick();
    void ButtonRemoverClick();
    void ButtonSubirClick();
    void ButtonDescerClick();
    void ButtonImportarClick();
    void ButtonExportarClick();

    // The prizes as the list shows them now.
    const PrizePlan& plan() const { return plan_; }

private:
    void buildControls();
    // Reads the plan again and shows it, selecting the prize `cod` if there.
    void showPlan(std::int64_t cod = 0);
    // The selected prize; an error for the operator when there is none.
    const Prize& selected() const;
    void selectionChanged();
    void move(int offset);

    Connection& connection_;
    const PoolDescription& pool_;
    Services services_;
    PrizePlan plan_;
};

} // namespace tiravo
