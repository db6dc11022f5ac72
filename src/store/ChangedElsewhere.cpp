#include "store/ChangedElsewhere.h"

#include "store/Dataset.h"

namespace tiravo {

namespace {

const QString kKey = QStringLiteral("Cod");

} // namespace

void ReadAgain(Dataset& view) {
    view.close();
    view.open();
}

bool ReadAgainIfChangedElsewhere(const std::vector<Dataset*>& views) {
    bool readAgain = false;
    for (Dataset* view : views) {
        if (view->editing() || !view->changedElsewhere())
            continue;
        ReadAgain(*view);
        readAgain = true;
    }
    return readAgain;
}

bool ReadAgainKeepingChosenRow(Dataset& chosen, const std::vector<Dataset*>& others) {
    ReadAgainIfChangedElsewhere(others);
    if (chosen.editing() || !chosen.changedElsewhere())
        return true;
    const QString key = chosen.recordCount() > 0 ? chosen.field(kKey).asString() : QString();
    ReadAgain(chosen);
    return !key.isEmpty() && chosen.locate(kKey, key);
}

} // namespace tiravo
