#include "draws/model/NumberRange.h"

#include "common/Error.h"
#include "draws/model/DrawRecord.h"
#include "draws/model/OrderKey.h"
#include "draws/model/PoolColumns.h"
#include "store/Connection.h"
#include "store/Dataset.h"
#include "store/SqlStatement.h"

#include <cstdint>

namespace tiravo {

std::int64_t AvailableNumbersBetween(Connection& connection, int first, int last) {
    SqlStatement& count = connection.statement(
        QStringLiteral("SELECT count(DISTINCT \"Numero\") FROM \"TbNumero\" WHERE \"Ok\" = 1 "
                       "AND \"Numero\" BETWEEN ?1 AND ?2"));
    count.bind(1, std::int64_t{first});
    count.bind(2, std::int64_t{last});
    count.step();
    const std::int64_t result = std::get<std::int64_t>(count.column(0, ColumnType::Integer));
    count.reset();
    return result;
}

int InsertNumberRange(Dataset& view, int first, int last, Random& random) {
    const RecordedBulk record(view, RecordAction::Range, {&view});
    int added = 0;
    // 64 bits, so that a range ending at the largest number still ends.
    for (std::int64_t number = first; number <= last; ++number) {
        // A row the operator left open is stored by the insert; if that fails
        // it stays open for correction and the range is not begun.
        const bool operatorsRow = view.editing();
        try {
            view.insert();
        } catch (const Error&) {
            if (!operatorsRow)
                view.cancel();
            throw;
        }
        // Each row is a single statement, which the engine undoes whole when
        // it fails, so the rows around it need no savepoint.
        try {
            view.field(QStringLiteral("Numero")).setAsInteger(number);
            view.field(kOrdem).setAsString(NewReseededOrderKey(random));
            view.post();
            ++added;
        } catch (const Error&) {
            view.cancel();
            // A refused row undoes only itself; a full disk or an I/O error
            // may have cost every row of the range, and going on would store
            // the rest one by one while the view still shows the lost ones.
            if (record.lost())
                throw;
        }
    }
    return added;
}

} // namespace tiravo
