#include "draws/DrawScreen.h"

#include "draws/BatchBoard.h"
#include "draws/BatchSummary.h"
#include "draws/model/DrawBatch.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PrizeDraw.h"
#include "draws/model/PrizePlan.h"
#include "platform/AppContext.h"
#include "platform/Dialogs.h"
#include "store/ChangedElsewhere.h"
#include "store/Connection.h"
#include "store/Query.h"
#include "store/TableView.h"
#include "widgets/CounterPanel.h"
#include "widgets/FullScreenPresenter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScopedValueRollback>

#include <algorithm>
#include <optional>

namespace tiravo {

namespace {

// The batch proposed when the plan has no place left to fill.
constexpr int kUsualBatch = 10;

// While a batch runs, the events that wait are handled between its draws
// only, and no input reaches the program then: a click could start another
// command in the middle of the batch. Esc is noted, to stop the batch. A box
// that a draw shows (an entry another copy took first) takes its input as
// always.
class EscapeWatch final : public QObject {
public:
    explicit EscapeWatch(QWidget* window) : window_(window) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~EscapeWatch() override { QCoreApplication::instance()->removeEventFilter(this); }
    EscapeWatch(const EscapeWatch&) = delete;
    EscapeWatch& operator=(const EscapeWatch&) = delete;

    // Handles what waits (the screen is painted, the clock goes on) and
    // answers whether Esc was pressed since the batch began.
    bool escapePressed() {
        const QScopedValueRollback<bool> between(between_, true);
        QCoreApplication::processEvents();
        return escape_;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!between_)
            return false;
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            escape_ = true;
        if (event->type() == QEvent::Close && watched == window_)
            return true;
        return event->isInputEvent() || event->type() == QEvent::ShortcutOverride ||
               event->type() == QEvent::Shortcut || event->type() == QEvent::ContextMenu;
    }

private:
    QWidget* window_;
    bool between_ = false;
    bool escape_ = false;
};

QString EntryShown(const PoolDescription& pool, const QString& entry) {
    // A photo is named by its file, not by the folders it is in.
    return &pool == &PhotoPool() ? QFileInfo(entry).fileName() : entry;
}

// How many the operator asks for: from kBatchMinimum to `available`, the
// places of the plan still without a winner proposed, else kUsualBatch.
// None when cancelled, or refused with a message.
std::optional<int> AskBatchSize(Dialogs& dialogs, int available, int placesLeft) {
    const int proposed =
        std::clamp(placesLeft > 0 ? placesLeft : kUsualBatch, kBatchMinimum, available);
    const std::optional<int> count =
        dialogs.askNumber(QStringLiteral("Quantos ganhadores sortear agora? (de %1 a %2)")
                              .arg(kBatchMinimum)
                              .arg(available),
                          proposed, kBatchMinimum, available);
    if (count && (*count < kBatchMinimum || *count > available)) {
        dialogs.error(QStringLiteral("%1 não é uma quantidade possível: sorteie de %2 a %3 de "
                                     "uma vez. Nada foi sorteado.")
                          .arg(*count)
                          .arg(kBatchMinimum)
                          .arg(available));
        return std::nullopt;
    }
    return count;
}

std::vector<BatchLine> SummaryLines(const std::vector<RecordRow>& rows, const PrizePlan& plan,
                                    const PoolDescription& pool) {
    std::vector<BatchLine> lines;
    for (const RecordRow& row : rows) {
        const Prize* prize = row.place ? plan.prizeOfPlace(*row.place) : nullptr;
        lines.push_back({PlaceText(row.place.value_or(0)),
                         EntryShown(pool, row.entry.value_or(QString())),
                         prize ? prize->description : QString()});
    }
    return lines;
}

} // namespace

class DrawScreen::Batch {
public:
    explicit Batch(DrawScreen& screen)
        : settings(screen.drawDescription_->draw),
          // The band of the prize goes with the winner it names.
          hold([this] { return watch && watch->escapePressed(); },
               [&screen] {
                   if (screen.prizeLabel_)
                       screen.prizeLabel_->hide();
               }) {
        settings.action = RecordAction::BatchDraw;
        settings.batch = &record;
    }

    DrawSettings settings;
    BatchRecord record;
    WinnerHold hold;
    EscapeWatch* watch = nullptr;
    std::optional<BatchStage> stage;
};

bool DrawScreen::batchWinnerWaiting() const {
    return batch_ && batch_->hold.waiting();
}

DrawStage& DrawScreen::stageOfDraw() {
    if (!batch_)
        return *drawStage_;
    Batch& batch = *batch_;
    batch.record.beginDraw();
    batch.stage.emplace(*drawStage_, batch.record.rows().empty(), batch.hold, [this, &batch] {
        batch.record.kept();
        QStringList lines;
        for (const RecordRow& row : batch.record.rows())
            lines.append(QStringLiteral("%1  %2").arg(
                PlaceText(row.place.value_or(0)),
                EntryShown(*drawDescription_, row.entry.value_or(QString()))));
        batchBoard_->showLines(lines);
    });
    return *batch.stage;
}

const DrawSettings& DrawScreen::settingsOfDraw() const {
    return batch_ ? batch_->settings : drawDescription_->draw;
}

void DrawScreen::drawMany() {
    if (drawing_ || batch_ || !drawPool_)
        return;
    Connection& connection = context_.ADOConnection1;
    connection.requireWritable();
    if (batchSummary_)
        batchSummary_->hide();
    // The count asked for is weighed against the file as it is now.
    ReadAgainIfChangedElsewhere({drawPool_, drawWinners_});
    readViews({});
    const int available = drawPool_->recordCount();
    if (available < kBatchMinimum) {
        services_.dialogs.notice(
            QStringLiteral("Para sortear vários, são necessários no mínimo %1 disponíveis; "
                           "há %2.")
                .arg(kBatchMinimum)
                .arg(available));
        return;
    }
    const PrizePlan plan = ReadPrizePlan(connection, *drawDescription_);
    const int left = PlacesWithoutWinner(connection, *drawDescription_, plan);
    // Asked once for the whole batch, before how many.
    if (!plan.empty() && left == 0 && !services_.dialogs.confirm(kEveryPrizeDrawnQuestion))
        return;
    const std::optional<int> count = AskBatchSize(services_.dialogs, available, left);
    if (!count)
        return;

    const QRect stage = stagePicture_ ? stagePicture_->geometry() : rect();
    Batch batch(*this);
    if (!batchBoard_)
        batchBoard_ = new BatchBoard(this, stage);
    const QScopedValueRollback<Batch*> running(batch_, &batch);
    const QScopedValueRollback<bool> drawing(drawing_, true);
    try {
        EscapeWatch watch(this);
        batch.watch = &watch;
        fullScreen->hidePointerWhile([&] {
            for (int drawn = 0; drawn < *count; ++drawn) {
                const std::size_t stored = batch.record.rows().size();
                try {
                    Button5Click();
                } catch (const BatchStopped&) {
                    // Stopped behind the winner before it: nothing of this
                    // draw was shown or stored.
                    readViews({});
                    break;
                }
                // A draw that stored nothing (the pool ran out, or another
                // copy took the winner first) has said why; the batch ends.
                if (batch.record.rows().size() == stored)
                    break;
                if (drawn + 1 < *count && watch.escapePressed())
                    break;
            }
            batch.hold.hold(drawStage_->pause(), false);
            // What was pressed during the last draw was meant for the batch:
            // an Esc must not close the summary, or the screen, after it.
            watch.escapePressed();
        });
    } catch (...) {
        batchBoard_->hide();
        throw;
    }
    batchBoard_->hide();
    if (batch.record.rows().empty())
        return;
    if (!batchSummary_)
        batchSummary_ = new BatchSummary(this, stage);
    batchSummary_->showLines(SummaryLines(batch.record.rows(), plan, *drawDescription_),
                             !plan.empty());
}

bool DrawScreen::takeBatchKey(QKeyEvent* event) {
    if (batchSummary_ && batchSummary_->takeKey(event))
        return true;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || !(event->modifiers() & Qt::ControlModifier) || !WinnersMenu)
        return false;
    drawMany();
    return true;
}

} // namespace tiravo
