#pragma once

#include "platform/Dialogs.h"
#include "store/TableView.h"
#include "widgets/GuardedWindow.h"

class QFrame;
class QLabel;
class QToolButton;

namespace tiravo {

class AppContext;
class PictureBox;

// "Parceiros": chooses and clears the three partner logos and the main
// window's background picture, previewing all four. The choices are stored as
// the files' paths in the one TbImage row; the pictures are never copied.
class TFParceiros : public GuardedWindow {
    Q_OBJECT
public:
    TFParceiros(QWidget* parent, AppContext& context);

    QToolButton* SpeedButton1; // "Parceiro 1"
    QToolButton* SpeedButton2; // "Parceiro 2"
    QToolButton* SpeedButton3; // "Parceiro 3"
    QToolButton* SpeedButton4; // "Limpar 1"
    QToolButton* SpeedButton5; // "Limpar 2"
    QToolButton* SpeedButton6; // "Limpar 3"
    QToolButton* SpeedButton7; // "Incluir Imagen de Fundo"
    QToolButton* SpeedButton8; // "Limpar Imagem de Fundo"
    PictureBox* ImageLog1;
    PictureBox* ImageLog2;
    PictureBox* ImageLog3;
    PictureBox* ImageTelaFundo;
    QLabel* Label1;
    QFrame* Bevel1;
    QFrame* Bevel2;
    QFrame* Bevel3;
    QFrame* Bevel4;

    TableView TbImage;
    // Shared by the four choose buttons; it offers the last chosen file again.
    OpenFileRequest OpenDialog1;

    void FormCreate();
    void FormActivate() override;
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void SpeedButton6Click();
    void SpeedButton7Click();
    void SpeedButton8Click();

private:
    void buildControls();
    QToolButton* speedButton(const QString& name, const QString& caption,
                             void (TFParceiros::*handler)(), int x, int y, int w);
    // Asks for a picture file, shows it in `preview` and stores its path in
    // `column`. False when the operator cancelled: nothing changed.
    bool choosePicture(const QString& column, PictureBox& preview);
    void clearPicture(const QString& column, PictureBox& preview);

    AppContext& context_;
};

} // namespace tiravo
