#pragma once

#include "draws/DrawScreen.h"
#include "draws/LabelPictureStage.h"
#include "store/Query.h"
#include "store/TableView.h"

#include <memory>

class QFrame;
class QLabel;

namespace tiravo {

class DataGrid;

// "Vanta - Nome": rolls names over the big label, reveals the winner and lists
// the winners below; empties and releases the name list.
class TFVantaNome : public DrawScreen {
    Q_OBJECT
public:
    TFVantaNome(QWidget* parent, AppContext& context);

    PictureBox* Image1; // behind the big label
    PictureBox* Image2; // holds the teaser picture
    PictureBox* Image3; // holds the plain frame picture
    PictureBox* Image4; // the maker's logo
    QLabel* LabNome;
    DataGrid* DBGrid1;
    QFrame* Bevel1;
    QFrame* Bevel2;
    QFrame* Bevel3;
    QFrame* Bevel4;
    QFrame* Bevel5;

    TableView TbNome;
    Query QrySorte;

    void FormCreate();
    void TbNomeAfterInsert(Dataset& dataset);
    void Button1Click() override;
    void Button2Click() override;
    void Button3Click() override;
    void Button4Click() override;
    void Button5Click() override;

private:
    void buildControls();

    std::unique_ptr<LabelPictureStage> stage_;
};

} // namespace tiravo
