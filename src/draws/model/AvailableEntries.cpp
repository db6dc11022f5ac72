#include "draws/model/AvailableEntries.h"

#include "draws/model/PoolColumns.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/RecordChain.h"
#include "store/Connection.h"
#include "store/Dataset.h"
#include "store/Schema.h"
#include "store/SqlStatement.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace tiravo {

AvailableEntriesReading::AvailableEntriesReading(Connection& connection,
                                                 const PoolDescription& pool)
    : connection_(connection), pool_(pool), dataVersion_(connection.dataVersion()) {}

bool AvailableEntriesReading::readMore(std::size_t rows) {
    if (done_)
        return false;
    // A new statement for each part, from the Cod the last one ended at: the
    // draw writes keys to the same table between the parts.
    SqlStatement& select = connection_.statement(
        QStringLiteral("SELECT \"Cod\", \"%1\" FROM \"%2\" WHERE \"Ok\" = 1 AND \"Cod\" > ? "
                       "ORDER BY \"Cod\" LIMIT ?")
            .arg(pool_.entryColumn, pool_.table));
    const ColumnType type = TableNamed(pool_.table).find(pool_.entryColumn)->type;
    select.bind(1, lastCod_.value_or(std::numeric_limits<std::int64_t>::min()));
    select.bind(2, static_cast<std::int64_t>(rows));
    QByteArray lines;
    std::size_t read = 0;
    while (select.step()) {
        const std::int64_t cod = std::get<std::int64_t>(select.column(0, ColumnType::Key));
        AppendFingerprintLine(lines, cod, select.column(1, type));
        lastCod_ = cod;
        ++read;
    }
    select.reset();
    hash_.addData(lines);
    count_ += static_cast<std::int64_t>(read);
    done_ = read < rows;
    return !done_;
}

AvailableEntries AvailableEntriesReading::readAll() {
    constexpr std::size_t kRowsAtOnce = 1 << 16;
    while (readMore(kRowsAtOnce)) {
    }
    return result();
}

AvailableEntries AvailableEntriesReading::result() const {
    return {pool_.table, count_, QString::fromLatin1(hash_.result().toHex()), dataVersion_};
}

AvailableEntries EntriesOfView(Dataset& view, const PoolDescription& pool) {
    const auto rows = std::size_t(view.recordCount());
    std::vector<std::int64_t> cods;
    std::vector<Value> entries;
    cods.reserve(rows);
    entries.reserve(rows);
    const int at = view.recNo();
    for (std::size_t place = 0; place < rows; ++place) {
        view.moveTo(int(place));
        cods.push_back(view.field(kCod).asInteger());
        entries.push_back(view.field(pool.entryColumn).value());
    }
    if (at >= 0)
        view.moveTo(at);
    // The record's fingerprint is taken in the order of Cod, as the file's.
    std::vector<std::size_t> byCod(rows);
    for (std::size_t i = 0; i < rows; ++i)
        byCod[i] = i;
    std::sort(byCod.begin(), byCod.end(),
              [&cods](std::size_t a, std::size_t b) { return cods[a] < cods[b]; });
    QByteArray lines;
    for (const std::size_t i : byCod)
        AppendFingerprintLine(lines, cods[i], entries[i]);
    return {pool.table, static_cast<std::int64_t>(rows), FingerprintOf(lines),
            view.connection().dataVersion()};
}

} // namespace tiravo
