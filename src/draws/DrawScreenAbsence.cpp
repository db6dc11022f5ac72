#include "draws/DrawScreen.h"

#include "draws/model/AbsentWinner.h"
#include "draws/model/PoolColumns.h"
#include "draws/model/PoolDescription.h"
#include "platform/AppContext.h"
#include "platform/Dialogs.h"
#include "store/ChangedElsewhere.h"
#include "store/Connection.h"
#include "store/Query.h"

namespace tiravo {

bool DrawScreen::chooseWinnerIn(QWidget* /*list*/) {
    return drawWinners_->recordCount() > 0 && !drawWinners_->eof();
}

void DrawScreen::showWinnersAgain() {
    readViews({.winners = true});
}

void DrawScreen::markAbsent() {
    if (drawing_ || !menuList_ || !drawWinners_)
        return;
    context_.ADOConnection1.requireWritable();
    if (!chooseWinnerIn(menuList_))
        return;
    Query& winners = *drawWinners_;
    const QString entry = winners.field(drawDescription_->entryColumn).asString();
    const int place = int(winners.field(kSorte).asInteger());
    const std::optional<QString> reason =
        services_.dialogs.askText(AbsenceQuestion(entry, place), kAbsenceReasonWidth);
    if (!reason)
        return;
    const bool marked = MarkAbsent(winners, *drawDescription_, *reason);
    showWinnersAgain();
    if (!marked)
        services_.dialogs.error(
            QStringLiteral("%1 não está mais na lista de ganhadores: foi liberado ou marcado "
                           "em outro programa. Nada foi gravado.")
                .arg(entry));
}

} // namespace tiravo
