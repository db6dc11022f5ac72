#pragma once

#include "draws/model/DrawSkeleton.h"
#include "draws/model/HiddenPick.h"
#include "platform/Services.h"
#include "store/Query.h"
#include "store/TableView.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class QFrame;
class QKeyEvent;
class QPushButton;

namespace tiravo {

class Connection;
class CounterPanel;
class DigitalClock;
class PhotoStage;
class PictureBox;

// "Vanta - Foto": draws photos from the pool into the big picture, keeps the
// last six winners' photos in a column, and empties, releases and fills the
// pool.
class TFVantaFoto : public QDialog {
    Q_OBJECT
public:
    TFVantaFoto(QWidget* parent, Connection& ADOConnection1, Services services);
    ~TFVantaFoto() override;

    PictureBox* Image1; // the big picture
    PictureBox* Img1;   // the winners column, newest at the top
    PictureBox* Img2;
    PictureBox* Img3;
    PictureBox* Img4;
    PictureBox* Img5;
    PictureBox* Img6;
    QPushButton* Button1; // "Incluir Fotos"
    QPushButton* Button2; // "Excluir Lista"
    QPushButton* Button3; // "Liberar Todos"
    DigitalClock* RxClock1;
    CounterPanel* Panel1;
    QPushButton* Button5; // "Fazer Sorteio"
    PictureBox* Image3;   // the maker's logo
    PictureBox* ImageLog1;
    PictureBox* ImageLog2;
    PictureBox* ImageLog3;
    PictureBox* Image2;   // holds the teaser picture
    PictureBox* Image4;   // holds the plain frame picture
    QPushButton* Button4; // "? Quem Será ?", beside the visible area
    QFrame* Bevel1;
    QFrame* Bevel2;
    QFrame* Bevel3;
    QFrame* Bevel4;
    QFrame* Bevel5;
    QFrame* Bevel6;

    TableView TbFoto;
    TableView TbFotoLiberar;
    TableView TbImage;
    Query QrySorte;

    void FormCreate();
    void FormActivate();
    bool FormKeyDown(QKeyEvent* event);
    void FormClose();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Image3Click();
    void ShiftWinnerPhotos();

    // How this screen draws: its message, step count, run and pauses.
    static DrawSettings PhotoDrawSettings();
    static HiddenPickSettings PhotoPickSettings();

    void done(int result) override;

protected:
    bool event(QEvent* event) override;

private:
    void buildControls();
    void fillWinnerPhotos();
    void guarded(const std::function<void()>& handler);
    std::array<PictureBox*, 6> winnerColumn() const;

    Connection& connection_;
    Services services_;
    std::unique_ptr<PhotoStage> stage_;
};

} // namespace tiravo
