#pragma once

#include "draws/LabelPictureStage.h"
#include "draws/model/DrawSkeleton.h"
#include "draws/model/HiddenPick.h"
#include "platform/Services.h"
#include "store/Query.h"
#include "store/TableView.h"

#include <QDialog>

#include <functional>
#include <memory>

class QFrame;
class QKeyEvent;
class QLabel;
class QPushButton;

namespace tiravo {

class Connection;
class CounterPanel;
class DataGrid;
class DigitalClock;
class PictureBox;

// "Vanta - Nome": rolls names over the big label, reveals the winner and lists
// the winners below; empties and releases the name list.
class TFVantaNome : public QDialog {
    Q_OBJECT
public:
    TFVantaNome(QWidget* parent, Connection& ADOConnection1, Services services);
    ~TFVantaNome() override;

    QPushButton* Button1; // "Incluir Nomes"
    QPushButton* Button2; // "Limpar Lista"
    QPushButton* Button3; // "Liberar Todos"
    QPushButton* Button4; // "Quem Será ???", outside the visible area
    QPushButton* Button5; // "Fazer Sorteio"
    DigitalClock* RxClock1;
    CounterPanel* Panel1;
    PictureBox* Image1; // behind the big label
    PictureBox* Image2; // holds the teaser picture
    PictureBox* Image3; // holds the plain frame picture
    PictureBox* Image4; // the maker's logo
    QLabel* LabNome;
    PictureBox* ImageLog1;
    PictureBox* ImageLog2;
    PictureBox* ImageLog3;
    DataGrid* DBGrid1;
    QFrame* Bevel1;
    QFrame* Bevel2;
    QFrame* Bevel3;
    QFrame* Bevel4;
    QFrame* Bevel5;

    TableView TbNome;
    Query QrySorte;
    TableView TbImage;

    void FormCreate();
    void FormActivate();
    bool FormKeyDown(QKeyEvent* event);
    void TbNomeAfterInsert(Dataset& dataset);
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Image4Click();

    // How this screen draws and picks.
    static DrawSettings NameDrawSettings();
    static HiddenPickSettings NamePickSettings();

protected:
    bool event(QEvent* event) override;

private:
    void buildControls();
    void guarded(const std::function<void()>& handler);
    void reopenWinners();

    Connection& connection_;
    Services services_;
    std::unique_ptr<LabelPictureStage> stage_;
};

} // namespace tiravo
