#pragma once

#include "draws/model/DrawSkeleton.h"
#include "platform/AppContext.h"
#include "store/TableView.h"
#include "widgets/GuardedWindow.h"

#include <QColor>
#include <QPointer>
#include <QRect>

#include <array>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QScreen;

namespace tiravo {

class BatchBoard;
class BatchSummary;
class CounterPanel;
class Query;
struct PoolDescription;
struct PrizePlan;
class AudienceScreen;
class DigitalClock;
class FullScreenPresenter;
class PictureBox;

// What the three draw screens share around the draw itself: the five buttons
// and their guarded handlers, the clock, the counter of available entries,
// the partners' logo strip read again at every activation, the maker's logo
// and Esc closing the window; F11 shows it full screen, where Esc leaves full
// screen before it closes. A screen places these at its own spots and adds
// its pool, its winners list and its stage.
class DrawScreen : public GuardedWindow {
    Q_OBJECT
public:
    ~DrawScreen() override;

    QPushButton* Button1 = nullptr; // opens the list editor
    QPushButton* Button2 = nullptr; // empties the list
    QPushButton* Button3 = nullptr; // "Liberar Todos"
    QPushButton* Button4 = nullptr; // the hidden pick, outside the visible area
    QPushButton* Button5 = nullptr; // "Fazer Sorteio"
    DigitalClock* RxClock1 = nullptr;
    CounterPanel* Panel1 = nullptr;
    PictureBox* ImageLog1 = nullptr;
    PictureBox* ImageLog2 = nullptr;
    PictureBox* ImageLog3 = nullptr;

    TableView TbImage;
    // F11: the screen full screen on the monitor it is on.
    FullScreenPresenter* fullScreen = nullptr;

    // The right-click menu of the winners list: the screen's winners as CSV,
    // the day's minutes as PDF, the pool's prize plan. Disabled while a draw
    // runs.
    QMenu* WinnersMenu = nullptr;
    QAction* ExportWinners = nullptr; // "Exportar premiados..."
    QAction* SaveMinutes = nullptr;   // "Salvar ata..."
    QAction* EditPrizePlan = nullptr; // "Plano de prêmios...": the window "Prêmios"
    // "Ganhador ausente...": the winner chosen in the list that was
    // right-clicked leaves the list, and its place is drawn again.
    QAction* WinnerAbsent = nullptr;
    // "Sortear vários...", and Ctrl+Enter: many draws at one press.
    QAction* DrawMany = nullptr;
    // "Apresentação...": the window "Apresentação" (sound, calm mode, the
    // audience's monitor).
    QAction* Presentation = nullptr;

    void FormActivate() override;
    bool FormKeyDown(QKeyEvent* event) override;
    // With two monitors, F11 shows the stage alone on the other one; null
    // while it is not shown.
    AudienceScreen* audienceScreen() const;
    virtual void Button1Click() = 0;
    virtual void Button2Click() = 0;
    virtual void Button3Click() = 0;
    virtual void Button4Click() = 0;
    virtual void Button5Click() = 0;

protected:
    DrawScreen(QWidget* parent, AppContext& context, const QString& objectName,
               const WindowLook& look);

    // Button `number` (1 to 5), wired to its handler through the guard.
    QPushButton* addButton(int number, const QString& caption, QRect place);
    void addClock(QRect place);
    void addCounter(QRect place, int pixels, const QColor& color = {});
    // The three logos, 200 x 150 each, centred and shrunk only when larger.
    void addLogoStrip(int top, const std::array<int, 3>& lefts);
    // The maker's logo; a click opens `page` of the maker's site.
    PictureBox* addMakerLogo(const QString& name, QRect place, const QString& page);
    // WinnersMenu on a right-click over each of `lists`, for the pool that
    // drawsFrom() names.
    void addWinnersMenu(const QList<QWidget*>& lists);

    // The pool this screen draws from, its winners list, its stage and the
    // pool's description; the screen names them once, when its parts exist.
    // When the pool has a prize plan, the place and the prize being drawn
    // are written over the foot of `stagePicture` from the suspense on.
    void drawsFrom(TableView& pool, Query& winners, DrawStage& stage,
                   const PoolDescription& description, QWidget* stagePicture = nullptr);

    // Puts the winners list's cursor on the winner the operator chose in
    // `list`, one of those given to addWinnersMenu(); false when it shows
    // none. A grid chooses by its current row.
    virtual bool chooseWinnerIn(QWidget* list);
    // After an absence: the screen shows the winners list as the file holds it.
    virtual void showWinnersAgain();

    // How a command of the screen leaves the pool view for the counter.
    enum class PoolRead {
        AsLeft,         // as the command left it
        Afresh,         // (re)opened: read from the file, the cursor on the first row
        AvailableOnly,  // filtered to the available entries again: the cursor goes to
                        // the first row if the filter was another
        AvailableOneOn, // the same, then the cursor one row on
    };
    struct ViewsRead {
        PoolRead pool = PoolRead::AsLeft;
        bool winners = false; // the winners list read again
    };
    // What the screen's creation and commands end with, in this order: the
    // pool view as asked, the counter from it, the winners list when asked.
    void readViews(ViewsRead read);

    // "Fazer Sorteio" up to the recorded winner and, for more than one entry,
    // the reshuffle stored with it; then the counter anew. What follows (the winners list) is the
    // screen's.
    DrawOutcome drawWinner();
    // "Quem Será ???": the hidden pick, then the counter anew.
    void pickHidden();

    AppContext& context_;
    Services services_;

private:
    TableView* drawPool_ = nullptr;
    Query* drawWinners_ = nullptr;
    DrawStage* drawStage_ = nullptr;
    const PoolDescription* drawDescription_ = nullptr;
    QList<QWidget*> winnersLists_;
    QWidget* stagePicture_ = nullptr;
    // The place and prize being drawn, over the stage; made at the first
    // draw from a pool with a plan.
    QLabel* prizeLabel_ = nullptr;

    void exportWinners();
    void saveMinutes();
    void openPrizePlan();
    void markAbsent();
    // "Sortear vários...": asks how many, then draws them one by one, each
    // a "Fazer Sorteio" of the screen with a shorter show; Esc stops after
    // the draw that runs. A summary of the winners follows.
    void drawMany();
    // Ctrl+Enter, and the keys of the summary of a batch.
    bool takeBatchKey(QKeyEvent* event);
    // Whether a batch's winner stands on the screen, to be held while the
    // next draw begins.
    bool batchWinnerWaiting() const;
    // The stage and the settings of the draw about to run: the screen's
    // own, or those of the batch that runs it.
    DrawStage& stageOfDraw();
    const DrawSettings& settingsOfDraw() const;
    void openPresentation();
    // Gets the sounds ready when they are on, so that the first draw's drum
    // starts with its first frame.
    void prepareSound();
    // The audience's monitor named in "Apresentação"; empty: automatic.
    QString chosenAudienceMonitor();
    // Whether the draw goes on: once every prize of the plan has a winner,
    // only when the operator says so.
    bool drawBeyondPlan(const PrizePlan& plan);
    void announcePrize(const PrizePlan& plan);

    // The audience's screen and the clicker's keys (DrawScreenAudience.cpp).
    bool takeAudienceKey(QKeyEvent* key);
    void startAudience(QScreen* monitor);
    void endAudience();
    void showAudienceWinners();
    QPointer<AudienceScreen> audience_;

    bool drawing_ = false;
    class Batch; // the batch running, while drawMany() runs
    Batch* batch_ = nullptr;
    BatchBoard* batchBoard_ = nullptr;
    BatchSummary* batchSummary_ = nullptr;
    QWidget* menuList_ = nullptr; // the list the winners menu was opened over
};

} // namespace tiravo
