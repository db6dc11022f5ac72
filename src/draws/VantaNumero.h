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

// "Vanta Número": draws numbers from the pool, lists the winners under
// "Premiados", and fills, clears and releases the pool.
class TFVantaNumero : public DrawScreen {
    Q_OBJECT
public:
    TFVantaNumero(QWidget* parent, AppContext& context);

    PictureBox* Image1; // the big picture
    PictureBox* Image2; // holds the teaser picture
    PictureBox* Image3; // holds the plain frame picture
    PictureBox* Image4; // the maker's logo
    QLabel* LabNome;    // the big number
    DataGrid* DBGrid1;
    QFrame* Bevel1;
    QFrame* Bevel2;
    QFrame* Bevel3;
    QFrame* Bevel4;
    QFrame* Bevel5;

    TableView TbNumero;
    Query QrySorte;
    Query QryUpdate;

    void FormCreate();
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
