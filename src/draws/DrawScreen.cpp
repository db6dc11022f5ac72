#include "draws/DrawScreen.h"

#include "branding/LogoStrip.h"
#include "branding/MakerSite.h"
#include "common/Error.h"
#include "draws/Premios.h"
#include "draws/PrizeTips.h"
#include "draws/model/AbsentWinner.h"
#include "draws/model/HiddenPick.h"
#include "draws/model/Minutes.h"
#include "draws/model/PoolColumns.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PoolEntry.h"
#include "draws/model/PresentedStage.h"
#include "draws/model/PrizeDraw.h"
#include "draws/model/PrizePlan.h"
#include "draws/model/SpreadsheetCsv.h"
#include "draws/model/WinnersWorkbook.h"
#include "platform/AppContext.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/Documents.h"
#include "platform/OutputFile.h"
#include "store/Query.h"
#include "widgets/ControlKit.h"
#include "widgets/CounterPanel.h"
#include "widgets/DigitalClock.h"
#include "widgets/FullScreenPresenter.h"
#include "widgets/PictureBox.h"
#include "widgets/Resources.h"
#include "widgets/WindowLook.h"

#include <QFileDevice>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTextStream>

namespace tiravo {

DrawScreen::DrawScreen(QWidget* parent, AppContext& context, const QString& objectName,
                       const WindowLook& look)
    : GuardedWindow(parent, context.services.dialogs, objectName, look),
      TbImage(context.ADOConnection1,
              {.table = QStringLiteral("TbImage"),
               .columns = {"Cod", {"Logo1", 150}, {"Logo2", 150}, {"Logo3", 150}}}),
      context_(context), services_(context.services) {
    InitResources();
    fullScreen = new FullScreenPresenter(this);
    commandsWriteTo(context.ADOConnection1);
}

DrawScreen::~DrawScreen() = default;

QPushButton* DrawScreen::addButton(int number, const QString& caption, QRect place) {
    QPushButton* button = NamedButton(this, QStringLiteral("Button%1").arg(number), caption);
    button->setGeometry(place);
    const std::array<QPushButton**, 5> buttons = {&Button1, &Button2, &Button3, &Button4, &Button5};
    const std::array<void (DrawScreen::*)(), 5> handlers = {
        &DrawScreen::Button1Click, &DrawScreen::Button2Click, &DrawScreen::Button3Click,
        &DrawScreen::Button4Click, &DrawScreen::Button5Click};
    const auto index = static_cast<std::size_t>(number - 1);
    *buttons.at(index) = button;
    const auto handler = handlers.at(index);
    if (number == 1) {
        // The list editor may be looked at even when the file cannot be written.
        wireLooking(button, [this, handler] { (this->*handler)(); });
        return button;
    }
    if (number < 4) {
        wire(button, handler);
        return button;
    }
    // The draws (the hidden pick and "Fazer Sorteio") hide the pointer, and
    // the winners menu waits until they end.
    wire(button, [this, handler] {
        const QScopedValueRollback<bool> running(drawing_, true);
        fullScreen->hidePointerWhile([this, handler] { (this->*handler)(); });
    });
    return button;
}

void DrawScreen::addClock(QRect place) {
    RxClock1 = new DigitalClock(this, services_.clock);
    RxClock1->setGeometry(place);
    RxClock1->setObjectName(QStringLiteral("RxClock1"));
    RxClock1->setFont(PixelFont(QStringLiteral("Arial Rounded MT Bold"), 21));
}

void DrawScreen::addCounter(QRect place, int pixels, const QColor& color) {
    Panel1 = new CounterPanel(this);
    Panel1->setGeometry(place);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFont(PixelFont(QStringLiteral("Tahoma"), pixels));
    if (color.isValid())
        SetTextColor(Panel1, color);
}

void DrawScreen::addLogoStrip(int top, const std::array<int, 3>& lefts) {
    const std::array<PictureBox**, 3> boxes = {&ImageLog1, &ImageLog2, &ImageLog3};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        *boxes[i] =
            NamedPicture(this, QStringLiteral("ImageLog%1").arg(i + 1), PictureMode::ShrinkCenter);
        (*boxes[i])->setGeometry(lefts[i], top, 200, 150);
    }
}

PictureBox* DrawScreen::addMakerLogo(const QString& name, QRect place, const QString& page) {
    PictureBox* logo = NamedPicture(this, name, PictureMode::Stretch);
    logo->setGeometry(place);
    ShowBuiltIn(logo, QStringLiteral("maker-logo.png"));
    logo->setToolTip(QStringLiteral("Clique Aqui !"));
    logo->setCursor(Qt::PointingHandCursor);
    connect(logo, &PictureBox::clicked, this, [this, page] {
        guarded([this, page] { services_.desktop.openWebAddress(MakerPage(page)); });
    });
    return logo;
}

void DrawScreen::drawsFrom(TableView& pool, Query& winners, DrawStage& stage,
                           const PoolDescription& description, QWidget* stagePicture) {
    drawPool_ = &pool;
    drawWinners_ = &winners;
    drawStage_ = &stage;
    drawDescription_ = &description;
    stagePicture_ = stagePicture;
    auto* tips = new PrizeTips(this, winners, description);
    for (QWidget* list : winnersLists_)
        tips->watch(list);
    prepareSound();
}

void DrawScreen::addWinnersMenu(const QList<QWidget*>& lists) {
    WinnersMenu = new QMenu(this);
    WinnersMenu->setObjectName(QStringLiteral("WinnersMenu"));
    ExportWinners = WinnersMenu->addAction(QStringLiteral("Exportar premiados..."));
    SaveMinutes = WinnersMenu->addAction(QStringLiteral("Salvar ata..."));
    connect(ExportWinners, &QAction::triggered, this,
            [this] { guarded([this] { exportWinners(); }); });
    connect(SaveMinutes, &QAction::triggered, this, [this] { guarded([this] { saveMinutes(); }); });
    EditPrizePlan = WinnersMenu->addAction(QStringLiteral("Plano de prêmios..."));
    connect(EditPrizePlan, &QAction::triggered, this,
            [this] { guarded([this] { openPrizePlan(); }); });
    WinnerAbsent = WinnersMenu->addAction(QStringLiteral("Ganhador ausente..."));
    connect(WinnerAbsent, &QAction::triggered, this, [this] { guarded([this] { markAbsent(); }); });
    DrawMany = WinnersMenu->addAction(QStringLiteral("Sortear vários..."));
    connect(DrawMany, &QAction::triggered, this, [this] { guarded([this] { drawMany(); }); });
    Presentation = WinnersMenu->addAction(QStringLiteral("Apresentação..."));
    connect(Presentation, &QAction::triggered, this,
            [this] { guarded([this] { openPresentation(); }); });
    winnersLists_ = lists;
    for (QWidget* list : lists) {
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this, [this, list](QPoint at) {
            ExportWinners->setEnabled(!drawing_);
            SaveMinutes->setEnabled(!drawing_);
            EditPrizePlan->setEnabled(!drawing_);
            WinnerAbsent->setEnabled(!drawing_);
            DrawMany->setEnabled(!drawing_);
            Presentation->setEnabled(!drawing_);
            menuList_ = list;
            WinnersMenu->popup(list->mapToGlobal(at));
        });
    }
}

void DrawScreen::exportWinners() {
    if (drawing_)
        return;
    const std::optional<QString> path = services_.dialogs.saveFile(
        {.title = QStringLiteral("Exportar premiados"),
         .filter = QStringLiteral("Pasta de trabalho do Excel|*.xlsx|Planilha CSV|*.csv"),
         .defaultExtension = QStringLiteral("xlsx"),
         .start = InDocuments(QStringLiteral("premiados-%1.xlsx").arg(drawDescription_->name))});
    if (!path)
        return;
    Connection& connection = context_.ADOConnection1;
    const bool csv = path->endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
    WriteOutputFile({*path, DatabaseFileOf(connection), MessageLanguage::Portuguese},
                    [&](QFileDevice& file) {
                        if (!csv) {
                            WriteWinnersWorkbook(connection, *drawDescription_, file);
                            return;
                        }
                        QTextStream out(&file);
                        WriteWinnersCsv(connection, {drawDescription_}, kSpreadsheetCsv, out);
                        out.flush();
                    });
    services_.dialogs.information(SavedFileText(*path));
}

void DrawScreen::saveMinutes() {
    if (drawing_)
        return;
    const QDate today = services_.clock.now().date();
    const std::optional<QString> path = services_.dialogs.saveFile(
        {.title = QStringLiteral("Salvar ata"),
         .filter = QStringLiteral("Documento PDF|*.pdf"),
         .defaultExtension = QStringLiteral("pdf"),
         .start = InDocuments(
             QStringLiteral("ata-%1.pdf").arg(today.toString(QStringLiteral("yyyy-MM-dd"))))});
    if (!path)
        return;
    WriteMinutesPdf(context_.ADOConnection1, today, *path, MessageLanguage::Portuguese);
    services_.dialogs.information(SavedFileText(*path));
}

void DrawScreen::readViews(ViewsRead read) {
    switch (read.pool) {
    case PoolRead::AsLeft:
        break;
    case PoolRead::Afresh:
        drawPool_->close();
        drawPool_->open();
        break;
    case PoolRead::AvailableOnly:
    case PoolRead::AvailableOneOn:
        drawPool_->setFilter(kAvailableFilter);
        if (read.pool == PoolRead::AvailableOneOn)
            drawPool_->next();
        break;
    }
    Panel1->setCount(drawPool_->recordCount());
    if (read.winners) {
        drawWinners_->requery();
        showAudienceWinners();
    }
}

void DrawScreen::openPrizePlan() {
    if (drawing_)
        return;
    TFPremios window(this, context_, *drawDescription_);
    window.exec();
}

bool DrawScreen::drawBeyondPlan(const PrizePlan& plan) {
    return !EveryPrizeDrawn(context_.ADOConnection1, *drawDescription_, plan) ||
           services_.dialogs.confirm(kEveryPrizeDrawnQuestion);
}

void DrawScreen::announcePrize(const PrizePlan& plan) {
    // The place the draw gives, as RecordWinner decides it: the pool and the
    // winners were read again, if another copy had drawn, before the walk.
    const int place = PlaceOfNextDraw(context_.ADOConnection1, *drawDescription_, *drawWinners_);
    const Prize* prize = plan.prizeOfPlace(place);
    if (!prize || !stagePicture_)
        return;
    if (!prizeLabel_) {
        prizeLabel_ = new QLabel(this);
        prizeLabel_->setObjectName(QStringLiteral("LabelPremio"));
        prizeLabel_->setAlignment(Qt::AlignCenter);
        prizeLabel_->setFont(PixelFont(QStringLiteral("Arial"), 26, true));
        prizeLabel_->setStyleSheet(
            QStringLiteral("QLabel { color: #ffd400; background-color: rgba(0, 0, 0, 170); }"));
        const QRect picture = stagePicture_->geometry();
        prizeLabel_->setGeometry(picture.left(), picture.bottom() - 52, picture.width(), 48);
    }
    prizeLabel_->setText(PlaceAndPrizeText(place, *prize));
    prizeLabel_->raise();
    prizeLabel_->show();
    prizeLabel_->repaint();
}

DrawOutcome DrawScreen::drawWinner() {
    // A batch's winner keeps its band while it is held.
    if (prizeLabel_ && !batchWinnerWaiting())
        prizeLabel_->hide();
    // Read at each draw: another copy of the program may have changed it.
    const PrizePlan plan = ReadPrizePlan(context_.ADOConnection1, *drawDescription_);
    // A batch asked before its first draw.
    if (!batch_ && !drawBeyondPlan(plan))
        return DrawOutcome::NoEntries;
    PresentedStage presented(stageOfDraw(), ReadPresentationSettings(context_.ADOConnection1),
                             services_.sound);
    AnnouncingStage stage(presented.stage(), [this, &plan] {
        if (!plan.empty())
            announcePrize(plan);
    });
    const DrawOutcome outcome = RunDraw(*drawPool_, *drawWinners_, stage, settingsOfDraw(),
                                        services_.clock, services_.dialogs, services_.random);
    // Even without a draw: the pool may have been read again after another
    // copy of the program changed the file.
    readViews({});
    return outcome;
}

void DrawScreen::pickHidden() {
    if (prizeLabel_)
        prizeLabel_->hide(); // a hidden pick gives no place
    // The counter follows the pool even when nothing was picked, as above.
    PresentedStage presented(*drawStage_, ReadPresentationSettings(context_.ADOConnection1),
                             services_.sound);
    RunHiddenPick(*drawPool_, *drawWinners_, presented.stage(), drawDescription_->pick,
                  services_.clock, services_.dialogs);
    readViews({});
}

void DrawScreen::FormActivate() {
    // A view that could not be opened was reported when the window was
    // created. Reporting it at every activation would never end: closing the
    // error box activates the window again.
    if (!TbImage.active())
        return;
    LoadLogoStrip(*ImageLog1, *ImageLog2, *ImageLog3, TbImage);
}

bool DrawScreen::FormKeyDown(QKeyEvent* event) {
    return takeBatchKey(event) || takeAudienceKey(event) || fullScreen->takeKey(event) ||
           GuardedWindow::FormKeyDown(event);
}

} // namespace tiravo
