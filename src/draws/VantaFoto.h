#pragma once

#include "draws/DrawScreen.h"
#include "store/Query.h"
#include "store/TableView.h"

#include <array>
#include <memory>

class QFrame;

namespace tiravo {

class PhotoStage;

// "Vanta - Foto": draws photos from the pool into the big picture, keeps the
// last six winners' photos in a column, and empties, releases and fills the
// pool.
class TFVantaFoto : public DrawScreen {
    Q_OBJECT
public:
    TFVantaFoto(QWidget* parent, AppContext& context);
    ~TFVantaFoto() override;

    PictureBox* Image1; // the big picture
    PictureBox* Img1;   // the winners column, newest at the top
    PictureBox* Img2;
    PictureBox* Img3;
    PictureBox* Img4;
    PictureBox* Img5;
    PictureBox* Img6;
    PictureBox* Image3; // the maker's logo
    PictureBox* Image2; // holds the teaser picture
    PictureBox* Image4; // holds the plain frame picture
    QFrame* Bevel1;
    QFrame* Bevel2;
    QFrame* Bevel3;
    QFrame* Bevel4;
    QFrame* Bevel5;
    QFrame* Bevel6;

    TableView TbFoto;
    TableView TbFotoLiberar;
    Query QrySorte;

    void FormCreate();
    void FormClose();
    void Button1Click() override;
    void Button2Click() override;
    void Button3Click() override;
    void Button4Click() override;
    void Button5Click() override;
    void ShiftWinnerPhotos();

    // How this screen draws: its message, step count, run and pauses.

    void done(int result) override;

protected:
    // The picture right-clicked: its winner is the row of the winners list
    // that the column shows there.
    bool chooseWinnerIn(QWidget* list) override;
    void showWinnersAgain() override;

private:
    void buildControls();
    void fillWinnerPhotos();
    std::array<PictureBox*, 6> winnerColumn() const;

    std::unique_ptr<PhotoStage> stage_;
};

} // namespace tiravo
