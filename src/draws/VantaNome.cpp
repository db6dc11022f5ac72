#include "draws/VantaNome.h"

#include "draws/IncluirNomes.h"
#include "draws/model/FreeSlots.h"
#include "draws/model/PoolColumns.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PoolKeys.h"
#include "draws/model/RowDefaults.h"
#include "draws/model/StepCounts.h"
#include "platform/Dialogs.h"
#include "widgets/ControlKit.h"
#include "widgets/CounterPanel.h"
#include "widgets/DataGrid.h"
#include "widgets/FittingLabel.h"
#include "widgets/PictureBox.h"
#include "widgets/WindowLook.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace tiravo {

TFVantaNome::TFVantaNome(QWidget* parent, AppContext& context)
    : DrawScreen(parent, context, QStringLiteral("FVantaNome"),
                 {.caption = QStringLiteral("Vanta - Nome"),
                  .client = QSize(771, 644),
                  .font = PixelFont(QStringLiteral("MS Sans Serif"), 11)}),
      TbNome(context.ADOConnection1, {.table = NamePool().table,
                                      .columns = {"Cod", "Nome", "Ordem", "Ok", "Ativo", "Sorte"},
                                      .filter = kAvailableFilter,
                                      .sortKey = kOrdem}),
      QrySorte(context.ADOConnection1, NamePool().winnersSql()) {
    buildControls();
    stage_ = std::make_unique<LabelPictureStage>(
        LabelPictureStageParts{
            .pictures = {.picture = Image1, .teaser = Image2, .plainFrame = Image3},
            .label = LabNome,
            .entryText = [this](int place) { return TbNome.displayText(place, kNome); }},
        services_.pause);
    drawsFrom(TbNome, QrySorte, *stage_, NamePool(), Image1);
    TbNome.afterInsert = [this](Dataset& dataset) { TbNomeAfterInsert(dataset); };
    guarded([this] { FormCreate(); });
}

void TFVantaNome::buildControls() {
    // The bevels first, so that every control lies above them.
    Bevel1 = Bevel(this, QStringLiteral("Bevel1"), 142, 5, 620, 338);
    Bevel2 = Bevel(this, QStringLiteral("Bevel2"), 142, 347, 206, 156);
    Bevel3 = Bevel(this, QStringLiteral("Bevel3"), 349, 347, 206, 156);
    Bevel4 = Bevel(this, QStringLiteral("Bevel4"), 557, 347, 206, 156);
    Bevel5 = Bevel(this, QStringLiteral("Bevel5"), 9, 347, 120, 156);

    Image1 = Place(NamedPicture(this, QStringLiteral("Image1"), PictureMode::Proportional), 145, 8,
                   612, 330);
    ShowBuiltIn(Image1, kLabelTeaserPicture);

    LabNome = Place(new FittingLabel(QStringLiteral("? ? ? ? ?"), this), 162, 16, 575, 305);
    LabNome->setObjectName(QStringLiteral("LabNome"));
    LabNome->setFont(PixelFont(QStringLiteral("Trebuchet MS"), 67));
    LabNome->setAlignment(Qt::AlignCenter);
    LabNome->setWordWrap(true);
    LabNome->setAttribute(Qt::WA_TranslucentBackground);
    SetTextColor(LabNome, Qt::blue);

    addButton(1, QStringLiteral("Incluir Nomes"), {9, 24, 120, 25});
    addButton(2, QStringLiteral("Limpar Lista"), {9, 56, 120, 25});
    addButton(3, QStringLiteral("Liberar Todos"), {9, 88, 120, 25});
    addClock({9, 128, 120, 41});
    addCounter({9, 200, 120, 41}, 19);
    addButton(5, QStringLiteral("Fazer Sorteio"), {9, 252, 120, 87});
    // The name screen's logo leads to the maker's home page.
    Image4 = addMakerLogo(QStringLiteral("Image4"), {14, 350, 111, 150}, QStringLiteral("/"));
    addLogoStrip(350, {145, 352, 560});

    DBGrid1 = Place(new DataGrid(this, services_.dialogs), 144, 507, 617, 130);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataset(&QrySorte);
    addWinnersMenu({DBGrid1});
    const QColor pale(235, 243, 235);
    DBGrid1->setColumns({{.field = kNome, .title = kNome, .width = 497, .background = pale},
                         {.field = kSorte,
                          .title = kSorte,
                          .alignment = Qt::AlignCenter,
                          .color = QColor(Qt::blue),
                          .background = pale}});
    DBGrid1->setGridReadOnly(true);

    // Never seen: they only keep the pictures the draws put into Image1.
    Image2 = Place(NamedPicture(this, QStringLiteral("Image2"), PictureMode::Proportional), 812, 40,
                   612, 330);
    ShowBuiltIn(Image2, kLabelTeaserPicture);
    Image3 = Place(NamedPicture(this, QStringLiteral("Image3"), PictureMode::Proportional), 812,
                   392, 612, 330);
    ShowBuiltIn(Image3, kLabelFramePicture);
    // Outside the visible area and no tab stop: only the arrow keys reach it.
    addButton(4, QStringLiteral("Quem Será ???"), {816, 744, 150, 25});
    Button4->setFocusPolicy(Qt::ClickFocus);
    for (QPushButton* button : {Button1, Button2, Button3, Button5})
        button->setCursor(Qt::PointingHandCursor);

    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Button3);
    setTabOrder(Button3, Button5);
    setTabOrder(Button5, Button4);
    setTabOrder(Button4, DBGrid1);
}

void TFVantaNome::FormCreate() {
    TbImage.open();
    readViews({.pool = PoolRead::Afresh, .winners = true});
    LabNome->clear();
}

void TFVantaNome::TbNomeAfterInsert(Dataset& dataset) {
    SetNewNameDefaults(dataset);
}

void TFVantaNome::Button1Click() {
    {
        TFIncluirNomes editor(this, context_);
        editor.exec();
    }
    readViews({.pool = PoolRead::Afresh});
}

void TFVantaNome::Button2Click() {
    if (services_.dialogs.confirm(QStringLiteral("Tem Certeza Que deseja Limpar esta lista?"))) {
        ClearNamePool(TbNome);
        services_.dialogs.notice(QStringLiteral("Banco de Dados zerado com sucesso!"));
    }
    // After a "No" the next draw starts one row further on.
    readViews({.pool = PoolRead::AvailableOneOn, .winners = true});
}

void TFVantaNome::Button3Click() {
    if (services_.dialogs.confirm(QStringLiteral("Tem Certeza Que deseja Liberar toda lista?"))) {
        const bool released =
            ReleaseThroughFilter(TbNome, kLiveNameFilter, services_.random, {{kSorte, QString()}});
        if (!released)
            return;
        services_.dialogs.notice(QStringLiteral("Lista de Nomes Liberada com Sucesso!"));
    }
    readViews({.pool = PoolRead::AvailableOnly, .winners = true});
}

void TFVantaNome::Button4Click() {
    pickHidden();
}

void TFVantaNome::Button5Click() {
    const DrawOutcome outcome = drawWinner();
    if (outcome == DrawOutcome::NoEntries)
        return;
    readViews({.winners = true});
}

} // namespace tiravo
