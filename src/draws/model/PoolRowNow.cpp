#include "draws/model/PoolRowNow.h"

#include "draws/model/PoolDescription.h"
#include "store/Connection.h"
#include "store/Schema.h"
#include "store/SqlStatement.h"

namespace tiravo {

std::optional<PoolRowNow> ReadPoolRow(Connection& connection, const PoolDescription& pool,
                                      std::int64_t cod) {
    SqlStatement& read = connection.statement(
        QStringLiteral("SELECT coalesce(\"Ok\" = 1, 0), \"Sorte\", \"%1\" FROM \"%2\" "
                       "WHERE \"Cod\" = ?")
            .arg(pool.entryColumn, pool.table));
    read.bind(1, cod);
    std::optional<PoolRowNow> row;
    if (read.step())
        row = PoolRowNow{std::get<std::int64_t>(read.column(0, ColumnType::Integer)) != 0,
                         read.column(1, ColumnType::SmallInt),
                         read.column(2, TableNamed(pool.table).find(pool.entryColumn)->type)};
    read.reset();
    return row;
}

} // namespace tiravo
