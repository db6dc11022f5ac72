#include "draws/model/PoolEntry.h"

#include "draws/model/PoolColumns.h"
#include "store/Dataset.h"

namespace tiravo {

int NextWinnerPlace(const Dataset& winners) {
    return winners.recordCount() + 1;
}

void RecordWinner(Dataset& pool, const Dataset& winners, WinnerFlag flag) {
    pool.edit();
    pool.field(kOk).setAsString(kFalseText);
    if (flag == WinnerFlag::OkPlaceAndActive)
        pool.field(kAtivo).setAsString(kTrueText);
    pool.field(kSorte).setAsInteger(NextWinnerPlace(winners));
    pool.post();
}

void TakeOut(Dataset& pool) {
    pool.edit();
    pool.field(kOk).setAsString(kFalseText);
    pool.post();
}

} // namespace tiravo
