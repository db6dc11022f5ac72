#include "draws/model/RowDefaults.h"

#include "draws/model/OrderKey.h"
#include "draws/model/PoolColumns.h"
#include "store/Dataset.h"

namespace tiravo {

void SetNewNumberDefaults(Dataset& row, Random& random) {
    row.field(kOk).setAsString(kTrueText);
    // Without a key of its own a new number would sort before every keyed one,
    // and the next draw would start from a row anybody could name.
    row.field(kOrdem).setAsString(NewOrderKey(random));
}

void SetNewNameDefaults(Dataset& row) {
    row.field(kOk).setAsString(kTrueText);
}

void SetFilledSlotDefaults(Dataset& slot, Random& random) {
    if (!slot.field(kNome).asString().isEmpty())
        slot.field(kOk).setAsString(kTrueText);
    slot.field(kOrdem).setAsString(NewReseededOrderKey(random));
}

} // namespace tiravo
