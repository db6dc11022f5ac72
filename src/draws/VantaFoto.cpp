#include "draws/VantaFoto.h"

#include "draws/IncluirFoto.h"
#include "draws/PhotoStage.h"
#include "draws/model/PhotoFreeSlots.h"
#include "draws/model/PoolColumns.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PoolKeys.h"
#include "draws/model/StepCounts.h"
#include "platform/Dialogs.h"
#include "platform/PhotoPrefetch.h"
#include "widgets/ControlKit.h"
#include "widgets/CounterPanel.h"
#include "widgets/PictureBox.h"
#include "widgets/WindowLook.h"

#include <QFrame>
#include <QPushButton>

#include <algorithm>

namespace tiravo {

namespace {

const QString kTeaser = QStringLiteral("teaser-photo.png");
const QString kPlainFrame = QStringLiteral("frame-photo.png");

// The photos a draw has run through are no longer needed ahead, however the
// draw ended.
class RunOnStage {
public:
    explicit RunOnStage(PhotoStage& stage) : stage_(stage) {}
    ~RunOnStage() { stage_.endRun(); }
    RunOnStage(const RunOnStage&) = delete;
    RunOnStage& operator=(const RunOnStage&) = delete;

private:
    PhotoStage& stage_;
};

} // namespace

TFVantaFoto::TFVantaFoto(QWidget* parent, AppContext& context)
    : DrawScreen(parent, context, QStringLiteral("FVantaFoto"),
                 {.caption = QStringLiteral("Vanta - Foto"),
                  .client = QSize(958, 672),
                  .font = PixelFont(QStringLiteral("MS Sans Serif"), 11)}),
      TbFoto(context.ADOConnection1,
             {.table = PhotoPool().table, .filter = kAvailableFilter, .sortKey = kOrdem}),
      TbFotoLiberar(context.ADOConnection1, {.table = PhotoPool().table,
                                             .columns = {"Cod", "Foto", "Ordem", "Ok"},
                                             .filter = kHeldPhotoFilter}),
      QrySorte(context.ADOConnection1, PhotoPool().winnersSql()) {
    buildControls();
    stage_ = std::make_unique<PhotoStage>(
        PhotoStageParts{.pictures = {.picture = Image1, .teaser = Image2, .plainFrame = Image4},
                        .pool = &TbFoto},
        services_.pause);
    drawsFrom(TbFoto, QrySorte, *stage_, PhotoPool(), Image1);
    guarded([this] { FormCreate(); });
}

TFVantaFoto::~TFVantaFoto() = default;

void TFVantaFoto::buildControls() {
    // The bevels first, so that every control lies above them.
    Bevel1 = Bevel(this, QStringLiteral("Bevel1"), 156, 13, 650, 488);
    Bevel2 = Bevel(this, QStringLiteral("Bevel2"), 156, 507, 206, 156);
    Bevel3 = Bevel(this, QStringLiteral("Bevel3"), 378, 507, 206, 156);
    Bevel4 = Bevel(this, QStringLiteral("Bevel4"), 600, 507, 206, 156);
    Bevel5 = Bevel(this, QStringLiteral("Bevel5"), 22, 507, 120, 156);
    Bevel6 = Bevel(this, QStringLiteral("Bevel6"), 817, 13, 125, 650);

    Image1 = Place(NamedPicture(this, QStringLiteral("Image1"), PictureMode::Proportional), 159, 16,
                   640, 480);
    ShowBuiltIn(Image1, kTeaser);

    const std::array<int, 6> tops = {17, 124, 231, 338, 445, 552};
    std::array<PictureBox*, 6> column{};
    for (std::size_t i = 0; i < column.size(); ++i)
        column[i] =
            Place(NamedPicture(this, QStringLiteral("Img%1").arg(i + 1), PictureMode::Proportional),
                  827, tops[i], 105, 105);
    std::tie(Img1, Img2, Img3, Img4, Img5, Img6) =
        std::tuple(column[0], column[1], column[2], column[3], column[4], column[5]);
    addWinnersMenu({Img1, Img2, Img3, Img4, Img5, Img6});

    addButton(1, QStringLiteral("Incluir Fotos"), {22, 13, 120, 32});
    addButton(2, QStringLiteral("Excluir Lista"), {22, 69, 120, 25});
    addButton(3, QStringLiteral("Liberar Todos"), {22, 101, 120, 25});
    addClock({22, 141, 120, 41});
    addCounter({22, 205, 120, 41}, 21, QColor(0, 128, 0));
    addButton(5, QStringLiteral("Fazer Sorteio"), {22, 324, 120, 70});
    Image3 =
        addMakerLogo(QStringLiteral("Image3"), {26, 510, 111, 149}, QStringLiteral("/tiravo.htm"));
    Image3->setMode(PictureMode::ShrinkCenter);
    addLogoStrip(510, {159, 381, 603});

    // Never seen: they only keep the pictures the draws put into Image1.
    Image2 = Place(NamedPicture(this, QStringLiteral("Image2"), PictureMode::Proportional), 1052,
                   64, 612, 330);
    ShowBuiltIn(Image2, kTeaser);
    Image4 = Place(NamedPicture(this, QStringLiteral("Image4"), PictureMode::Proportional), 1052,
                   416, 612, 330);
    ShowBuiltIn(Image4, kPlainFrame);

    // Beside the visible area and no tab stop: the arrow keys alone reach it.
    addButton(4, QStringLiteral("? Quem Será ?"), {1002, 16, 150, 25});
    Button4->setFocusPolicy(Qt::ClickFocus);
    for (QPushButton* button : {Button1, Button2, Button3, Button5})
        button->setCursor(Qt::PointingHandCursor);

    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Button3);
    setTabOrder(Button3, Button4);
    setTabOrder(Button4, Panel1);
    setTabOrder(Panel1, Button5);
}

std::array<PictureBox*, 6> TFVantaFoto::winnerColumn() const {
    return {Img1, Img2, Img3, Img4, Img5, Img6};
}

bool TFVantaFoto::chooseWinnerIn(QWidget* list) {
    const std::array<PictureBox*, 6> column = winnerColumn();
    const auto shown = std::find(column.begin(), column.end(), list);
    if (shown == column.end() || (*shown)->pictureName().isEmpty())
        return false;
    QrySorte.first();
    for (auto row = column.begin(); row != shown && !QrySorte.eof(); ++row)
        QrySorte.next();
    return !QrySorte.eof();
}

void TFVantaFoto::showWinnersAgain() {
    readViews({.winners = true});
    // The list is one shorter: the picture at its foot goes.
    for (PictureBox* picture : winnerColumn())
        picture->clear();
    fillWinnerPhotos();
}

void TFVantaFoto::done(int result) {
    guarded([this] { FormClose(); });
    QDialog::done(result);
}

void TFVantaFoto::FormCreate() {
    TbImage.open();
    readViews({.pool = PoolRead::Afresh, .winners = true});
    fillWinnerPhotos();
}

void TFVantaFoto::fillWinnerPhotos() {
    // The latest winners from the top, as far as the list goes; their photos
    // are decoded side by side, but shown, and fail, in this order.
    const std::array<PictureBox*, 6> column = winnerColumn();
    QStringList paths;
    if (QrySorte.recordCount() > 0) {
        paths << QrySorte.field(kFoto).asString();
        for (std::size_t i = 1; i < column.size(); ++i) {
            QrySorte.next();
            if (QrySorte.eof())
                break;
            paths << QrySorte.field(kFoto).asString();
        }
    }
    PhotoPrefetch photos(column.front()->size(), int(paths.size()));
    photos.expect(paths);
    for (qsizetype i = 0; i < paths.size(); ++i)
        column[std::size_t(i)]->setPicture(photos.take(paths[i]), paths[i]);
}

void TFVantaFoto::FormClose() {
    TbFoto.close();
}

void TFVantaFoto::Button1Click() {
    {
        TFIncluirFoto editor(this, context_);
        editor.exec();
    }
    readViews({.pool = PoolRead::Afresh});
}

void TFVantaFoto::Button2Click() {
    if (services_.dialogs.confirm(QStringLiteral("Tem Certeza Que deseja Limpar esta lista?"))) {
        ClearPhotoPool(TbFoto);
        services_.dialogs.notice(QStringLiteral("Banco de Dados zerado com sucesso!"));
    }
    readViews({.pool = PoolRead::AvailableOnly, .winners = true});
}

void TFVantaFoto::Button3Click() {
    PoolRead pool = PoolRead::AsLeft;
    if (services_.dialogs.confirm(
            QStringLiteral("Tem Certeza Que deseja Liberar todos desta lista?"))) {
        // Read afresh on every press: a snapshot kept from an earlier one
        // would not hold the photos added since.
        TbFotoLiberar.close();
        TbFotoLiberar.open();
        if (TbFotoLiberar.recordCount() == 0) {
            TbFotoLiberar.close();
            return;
        }
        try {
            ReleaseRows(TbFotoLiberar, services_.random);
        } catch (...) {
            TbFotoLiberar.close();
            throw;
        }
        TbFotoLiberar.close();
        // Read with the counter, which changes once the notice is closed.
        pool = PoolRead::Afresh;
        services_.dialogs.notice(QStringLiteral("Lista de Fotos Liberada com Sucesso!!"));
    }
    stage_->restOnTeaser();
    readViews({.pool = pool, .winners = true});
}

void TFVantaFoto::Button4Click() {
    const RunOnStage run(*stage_);
    pickHidden();
}

void TFVantaFoto::Button5Click() {
    // The winners another copy of the program drew are not in the column the
    // draw shifts down; when it has changed the file, the column is filled
    // from the winners list instead.
    const bool changedElsewhere = QrySorte.changedElsewhere();
    DrawOutcome outcome;
    {
        const RunOnStage run(*stage_);
        outcome = drawWinner();
    }
    if (outcome == DrawOutcome::NoEntries)
        return;
    if (outcome == DrawOutcome::TakenElsewhere) {
        fillWinnerPhotos();
        return;
    }
    if (!changedElsewhere)
        ShiftWinnerPhotos();
    readViews({.winners = true});
    if (changedElsewhere)
        fillWinnerPhotos();
}

void TFVantaFoto::ShiftWinnerPhotos() {
    // Bottom up, so that no picture is overwritten before it is copied on.
    const std::array<PictureBox*, 6> column = winnerColumn();
    for (std::size_t i = column.size() - 1; i > 0; --i)
        column[i]->setPicture(column[i - 1]->picture(), column[i - 1]->pictureName());
    column[0]->setPicture(Image1->picture(), Image1->pictureName());
}

} // namespace tiravo
