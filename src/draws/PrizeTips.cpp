#include "draws/PrizeTips.h"

#include "draws/model/PoolDescription.h"
#include "draws/model/PrizePlan.h"
#include "store/Dataset.h"
#include "widgets/PictureBox.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

namespace tiravo {

PrizeTips::PrizeTips(QObject* parent, Dataset& winners, const PoolDescription& pool)
    : QObject(parent), winners_(winners), pool_(pool) {}

void PrizeTips::watch(QWidget* list) {
    if (auto* view = qobject_cast<QAbstractItemView*>(list))
        view->viewport()->installEventFilter(this);
    else
        list->installEventFilter(this);
}

std::int64_t PrizeTips::placeAt(QObject* watched, QPoint at) const {
    if (!winners_.active())
        return 0;
    QString place;
    if (auto* view = qobject_cast<QAbstractItemView*>(watched->parent())) {
        const int row = view->indexAt(at).row();
        if (row < 0 || row >= winners_.recordCount())
            return 0;
        place = winners_.displayText(row, QStringLiteral("Sorte"));
    } else if (auto* picture = qobject_cast<PictureBox*>(watched)) {
        // The column of pictures shows the winners' photos, found by path.
        if (picture->pictureName().isEmpty())
            return 0;
        for (int row = 0; row < winners_.recordCount() && place.isEmpty(); ++row)
            if (winners_.displayText(row, pool_.entryColumn) == picture->pictureName())
                place = winners_.displayText(row, QStringLiteral("Sorte"));
    }
    return place.toLongLong();
}

bool PrizeTips::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return false;
    auto* help = static_cast<QHelpEvent*>(event);
    // A tip is no command: a file that cannot be read now shows none.
    try {
        const std::int64_t place = placeAt(watched, help->pos());
        if (place <= 0)
            return false;
        // Read at each tip: another copy of the program may have changed the plan.
        const PrizePlan plan = ReadPrizePlan(winners_.connection(), pool_);
        const Prize* prize = plan.prizeOfPlace(place);
        if (!prize)
            return false;
        QToolTip::showText(help->globalPos(), PlaceAndPrizeText(place, *prize),
                           qobject_cast<QWidget*>(watched));
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace tiravo
