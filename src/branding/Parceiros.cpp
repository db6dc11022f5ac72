#include "branding/Parceiros.h"

#include "branding/LogoStrip.h"
#include "common/Error.h"
#include "platform/AppContext.h"
#include "store/Column.h"
#include "store/RowLoop.h"
#include "widgets/ControlKit.h"
#include "widgets/PictureBox.h"
#include "widgets/SpeedButton.h"
#include "widgets/WindowLook.h"

#include <QLabel>
#include <QToolButton>

namespace tiravo {

namespace {

const QString kLogo1 = QStringLiteral("Logo1");
const QString kLogo2 = QStringLiteral("Logo2");
const QString kLogo3 = QStringLiteral("Logo3");
const QString kTelaFundo = QStringLiteral("TelaFundo");

// The three kinds the window has always named, with PNG (and the long JPEG
// extension) in the first choice: the loader shows those as well.
const QString kPictureFilter = QStringLiteral(
    "GIF, JPG, BMP, PNG|*.gif;*.jpg;*.jpeg;*.bmp;*.png|GIF|*.gif|JPG|*.jpg|BMP|*.bmp");

} // namespace

TFParceiros::TFParceiros(QWidget* parent, AppContext& context)
    : GuardedWindow(parent, context.services.dialogs, QStringLiteral("FParceiros"),
                    {.caption = QStringLiteral("Parceiros"),
                     .client = QSize(666, 503),
                     .font = PixelFont(QStringLiteral("MS Sans Serif"), 11)}),
      TbImage(
          context.ADOConnection1,
          {.table = QStringLiteral("TbImage"),
           .columns = {"Cod", {"Logo1", 200}, {"Logo2", 200}, {"Logo3", 200}, {"TelaFundo", 200}}}),
      OpenDialog1{.filter = kPictureFilter}, context_(context) {
    commandsWriteTo(context.ADOConnection1);
    buildControls();
    guarded([this] { FormCreate(); });
}

void TFParceiros::buildControls() {
    // The bevels first, so that the previews lie above them.
    Bevel1 = Bevel(this, QStringLiteral("Bevel1"), 222, 331, 206, 156);
    Bevel2 = Bevel(this, QStringLiteral("Bevel2"), 15, 83, 206, 156);
    Bevel3 = Bevel(this, QStringLiteral("Bevel3"), 230, 83, 206, 156);
    Bevel4 = Bevel(this, QStringLiteral("Bevel4"), 446, 83, 206, 156);

    SpeedButton1 = speedButton(QStringLiteral("SpeedButton1"), QStringLiteral("Parceiro 1"),
                               &TFParceiros::SpeedButton1Click, 58, 32, 120);
    SpeedButton2 = speedButton(QStringLiteral("SpeedButton2"), QStringLiteral("Parceiro 2"),
                               &TFParceiros::SpeedButton2Click, 273, 32, 120);
    SpeedButton3 = speedButton(QStringLiteral("SpeedButton3"), QStringLiteral("Parceiro 3"),
                               &TFParceiros::SpeedButton3Click, 489, 32, 120);

    ImageLog1 = Place(NamedPicture(this, QStringLiteral("ImageLog1"), PictureMode::ShrinkCenter),
                      18, 86, 200, 150);
    ImageLog2 = Place(NamedPicture(this, QStringLiteral("ImageLog2"), PictureMode::ShrinkCenter),
                      233, 86, 200, 150);
    ImageLog3 = Place(NamedPicture(this, QStringLiteral("ImageLog3"), PictureMode::ShrinkCenter),
                      449, 86, 200, 150);

    SpeedButton4 = speedButton(QStringLiteral("SpeedButton4"), QStringLiteral("Limpar 1"),
                               &TFParceiros::SpeedButton4Click, 58, 248, 120);
    SpeedButton5 = speedButton(QStringLiteral("SpeedButton5"), QStringLiteral("Limpar 2"),
                               &TFParceiros::SpeedButton5Click, 273, 248, 120);
    SpeedButton6 = speedButton(QStringLiteral("SpeedButton6"), QStringLiteral("Limpar 3"),
                               &TFParceiros::SpeedButton6Click, 489, 248, 120);

    Label1 = NamedLabel(this, QStringLiteral("Label1"), QStringLiteral("Fundo de Tela"), 288, 312);
    ImageTelaFundo =
        Place(NamedPicture(this, QStringLiteral("ImageTelaFundo"), PictureMode::ShrinkCenter), 225,
              334, 200, 150);
    SpeedButton7 =
        speedButton(QStringLiteral("SpeedButton7"), QStringLiteral("Incluir Imagen de Fundo"),
                    &TFParceiros::SpeedButton7Click, 48, 397, 150);
    SpeedButton8 =
        speedButton(QStringLiteral("SpeedButton8"), QStringLiteral("Limpar Imagem de Fundo"),
                    &TFParceiros::SpeedButton8Click, 449, 397, 150);
}

QToolButton* TFParceiros::speedButton(const QString& name, const QString& caption,
                                      void (TFParceiros::*handler)(), int x, int y, int w) {
    QToolButton* button = Place(FlatSpeedButton(this, name, caption), x, y, w, 25);
    wire(button, handler);
    return button;
}

void TFParceiros::FormCreate() {
    TbImage.open();
}

void TFParceiros::FormActivate() {
    // A view that could not be opened was reported when the window was
    // created. Reporting it at every activation would never end: closing the
    // error box activates the window again.
    if (!TbImage.active())
        return;
    LoadLogoStrip(*ImageLog1, *ImageLog2, *ImageLog3, TbImage);
    ShowStoredPicture(*ImageTelaFundo, TbImage.field(kTelaFundo).asString());
}

bool TFParceiros::choosePicture(const QString& column, PictureBox& preview) {
    const std::optional<QString> chosen = dialogs_.openFile(OpenDialog1);
    if (!chosen)
        return false;
    const QString& path = *chosen;
    OpenDialog1.start = path;
    // The column would keep the path cut short, naming a file that is not
    // there or, worse, another one.
    const int width = TbImage.field(column).column().width;
    if (CutToWidth(path, width) != path)
        throw Error(QStringLiteral("O caminho do arquivo \"%1\" tem %2 caracteres e não cabe nos "
                                   "%3 que podem ser guardados. Coloque o arquivo numa pasta de "
                                   "caminho mais curto e escolha-o de novo.")
                        .arg(path, QString::number(path.size()), QString::number(width)));
    // Shown before it is stored: a file that cannot be shown is not kept.
    LoadStoredPicture(preview, path);
    try {
        EditRow(TbImage, [&](Dataset& row) { row.field(column).setAsString(path); });
    } catch (...) {
        // The preview goes back to what is stored, so that it does not claim
        // a choice the database refused.
        ShowStoredPicture(preview, TbImage.field(column).asString());
        throw;
    }
    return true;
}

void TFParceiros::clearPicture(const QString& column, PictureBox& preview) {
    EditRow(TbImage, [&](Dataset& row) { row.field(column).setAsString(QString()); });
    preview.clear();
}

void TFParceiros::SpeedButton1Click() {
    choosePicture(kLogo1, *ImageLog1);
}

void TFParceiros::SpeedButton2Click() {
    choosePicture(kLogo2, *ImageLog2);
}

void TFParceiros::SpeedButton3Click() {
    choosePicture(kLogo3, *ImageLog3);
}

void TFParceiros::SpeedButton4Click() {
    clearPicture(kLogo1, *ImageLog1);
}

void TFParceiros::SpeedButton5Click() {
    clearPicture(kLogo2, *ImageLog2);
}

void TFParceiros::SpeedButton6Click() {
    clearPicture(kLogo3, *ImageLog3);
}

void TFParceiros::SpeedButton7Click() {
    if (choosePicture(kTelaFundo, *ImageTelaFundo))
        context_.showBackground(TbImage.field(kTelaFundo).asString());
}

void TFParceiros::SpeedButton8Click() {
    clearPicture(kTelaFundo, *ImageTelaFundo);
    context_.showBackground(QString());
}

} // namespace tiravo
