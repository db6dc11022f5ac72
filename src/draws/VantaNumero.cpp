#include "draws/VantaNumero.h"

#include "draws/IncluirNumero.h"
#include "draws/LabelPictureStage.h"
#include "draws/model/HiddenPick.h"
#include "draws/model/NumberPool.h"
#include "draws/model/PoolColumns.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PoolEntry.h"
#include "draws/model/PoolKeys.h"
#include "draws/model/StepCounts.h"
#include "draws/model/Stepping.h"
#include "platform/Dialogs.h"
#include "platform/Pause.h"
#include "widgets/ControlKit.h"
#include "widgets/CounterPanel.h"
#include "widgets/DataGrid.h"
#include "widgets/FittingLabel.h"
#include "widgets/PictureBox.h"
#include "widgets/WindowLook.h"

#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>

namespace tiravo {

TFVantaNumero::TFVantaNumero(QWidget* parent, AppContext& context)
    : DrawScreen(parent, context, QStringLiteral("FVantaNumero"),
                 {.caption = QStringLiteral("Vanta Número"),
                  .client = QSize(933, 516),
                  .font = PixelFont(QStringLiteral("MS Sans Serif"), 11)}),
      TbNumero(context.ADOConnection1, {.table = NumberPool().table,
                                        .filter = kAvailableFilter,
                                        .sortKey = kOrdem,
                                        .formats = {{kNumero, QStringLiteral("00")}}}),
      QrySorte(context.ADOConnection1, NumberPool().winnersSql()),
      QryUpdate(context.ADOConnection1, NumberPool().clearSql) {
    buildControls();
    stage_ = std::make_unique<LabelPictureStage>(
        LabelPictureStageParts{
            .pictures = {.picture = Image1, .teaser = Image2, .plainFrame = Image3},
            .label = LabNome,
            .entryText = [this](int place) { return TbNumero.displayText(place, kNumero); }},
        services_.pause);
    drawsFrom(TbNumero, QrySorte, *stage_, NumberPool(), Image1);
    guarded([this] { FormCreate(); });
}

void TFVantaNumero::buildControls() {
    // The bevels first, so that every control lies above them.
    Bevel1 = Bevel(this, QStringLiteral("Bevel1"), 9, 347, 120, 156);
    Bevel2 = Bevel(this, QStringLiteral("Bevel2"), 143, 5, 620, 338);
    Bevel3 = Bevel(this, QStringLiteral("Bevel3"), 143, 347, 206, 156);
    Bevel4 = Bevel(this, QStringLiteral("Bevel4"), 350, 347, 206, 156);
    Bevel5 = Bevel(this, QStringLiteral("Bevel5"), 558, 347, 206, 156);

    addButton(1, QStringLiteral("Incluir Números"), {9, 24, 120, 25});
    addButton(2, QStringLiteral("Limpar Lista"), {9, 56, 120, 25});
    addButton(3, QStringLiteral("Liberar Todos"), {9, 88, 120, 25});
    // Below the visible area, yet a tab stop: the keyboard reaches it.
    addButton(4, QStringLiteral("Quem Será ???"), {200, 608, 150, 25});
    addButton(5, QStringLiteral("Fazer Sorteio"), {9, 247, 120, 81});
    addClock({9, 128, 120, 41});
    addCounter({9, 184, 120, 41}, 19);
    Image4 =
        addMakerLogo(QStringLiteral("Image4"), {13, 350, 111, 149}, QStringLiteral("/tiravo.htm"));

    Image1 = Place(NamedPicture(this, QStringLiteral("Image1"), PictureMode::Proportional), 147, 8,
                   612, 330);
    ShowBuiltIn(Image1, kLabelTeaserPicture);

    LabNome = Place(new FittingLabel(QStringLiteral("? ? ?"), this), 184, 40, 545, 265);
    LabNome->setObjectName(QStringLiteral("LabNome"));
    LabNome->setFont(PixelFont(QStringLiteral("Tahoma"), 200));
    LabNome->setAlignment(Qt::AlignCenter);
    LabNome->setWordWrap(true);
    QPalette blue = LabNome->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    LabNome->setPalette(blue);

    addLogoStrip(350, {146, 353, 561});

    DBGrid1 = Place(new DataGrid(this, services_.dialogs), 769, 6, 152, 496);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataset(&QrySorte);
    addWinnersMenu({DBGrid1});
    DBGrid1->setColumns({{.field = QStringLiteral("Numero"),
                          .title = QStringLiteral("Premiados"),
                          .width = 128,
                          .alignment = Qt::AlignCenter,
                          .titleAlignment = Qt::AlignCenter,
                          .font = PixelFont(QStringLiteral("Trebuchet MS"), 21),
                          .color = QColor(Qt::blue),
                          .background = QColor(235, 243, 235)}});
    DBGrid1->setTitleFont(PixelFont(QStringLiteral("MS Sans Serif"), 11));
    DBGrid1->setGridReadOnly(true);
    // The one column fills the grid, with or without its scroll bar.
    DBGrid1->horizontalHeader()->setStretchLastSection(true);

    // Never seen: they only keep the pictures the draws put into Image1.
    Image2 = Place(NamedPicture(this, QStringLiteral("Image2"), PictureMode::Proportional), 1020,
                   24, 612, 330);
    ShowBuiltIn(Image2, kLabelTeaserPicture);
    Image3 = Place(NamedPicture(this, QStringLiteral("Image3"), PictureMode::Proportional), 1020,
                   360, 612, 330);
    ShowBuiltIn(Image3, kLabelFramePicture);

    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Button3);
    setTabOrder(Button3, Button4);
    setTabOrder(Button4, Button5);
    setTabOrder(Button5, DBGrid1);
}

void TFVantaNumero::FormCreate() {
    LabNome->clear();
    readViews({.pool = PoolRead::Afresh, .winners = true});
    TbImage.open();
}

void TFVantaNumero::Button1Click() {
    TbNumero.close();
    {
        TFIncluirNumero editor(this, context_);
        editor.exec();
    }
    readViews({.pool = PoolRead::Afresh});
}

void TFVantaNumero::Button2Click() {
    if (services_.dialogs.confirm(QStringLiteral("Tem Certeza Que deseja Limpar esta lista?")))
        ClearNumberPool(QryUpdate);
    readViews({.pool = PoolRead::Afresh, .winners = true});
    stage_->restOnTeaser();
}

void TFVantaNumero::Button3Click() {
    if (services_.dialogs.confirm(QStringLiteral("Tem Certeza Que deseja Liberar toda lista?"))) {
        if (!ReleaseThroughFilter(TbNumero, QString(), services_.random))
            return;
        services_.dialogs.notice(QStringLiteral("Liberação executada com sucesso!"));
    }
    readViews({.pool = PoolRead::AvailableOnly, .winners = true});
    stage_->restOnTeaser();
}

void TFVantaNumero::Button4Click() {
    pickHidden();
}

void TFVantaNumero::Button5Click() {
    const DrawOutcome outcome = drawWinner();
    if (outcome == DrawOutcome::NoEntries || outcome == DrawOutcome::TakenElsewhere)
        return;
    readViews({.winners = true});
}

} // namespace tiravo
