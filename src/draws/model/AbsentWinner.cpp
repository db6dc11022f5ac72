#include "draws/model/AbsentWinner.h"

#include "common/Error.h"
#include "draws/model/PoolColumns.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PoolEntry.h"
#include "draws/model/PrizePlan.h"
#include "draws/model/RecordActions.h"
#include "draws/model/RecordWriter.h"
#include "store/ChangedElsewhere.h"
#include "store/Connection.h"
#include "store/Dataset.h"
#include "store/Schema.h"
#include "store/SqlStatement.h"
#include "store/WriteScope.h"

#include <algorithm>
#include <set>

namespace tiravo {

namespace {

// A listed winner, as the winners lists select them.
const QString kListed = QStringLiteral("\"Ativo\" = 1 AND \"Ok\" = 0");

QString CheckedReason(const QString& reason) {
    const QString trimmed = reason.trimmed();
    if (trimmed.size() > kAbsenceReasonWidth)
        throw Error(QStringLiteral("O motivo da ausência tem no máximo %1 caracteres.")
                        .arg(kAbsenceReasonWidth));
    if (std::any_of(trimmed.begin(), trimmed.end(),
                    [](QChar c) { return c.category() == QChar::Other_Control; }))
        throw Error(QStringLiteral("O motivo da ausência não pode ter caracteres de controle."));
    return trimmed;
}

// The absence as the record's entry column keeps it: the entry first, so
// that it is whole however long the rest is.
QString AbsenceText(const QString& entry, const Prize* prize, const QString& reason) {
    QStringList parts{entry};
    if (prize)
        parts << prize->description;
    if (!reason.isEmpty())
        parts << QStringLiteral("motivo: %1").arg(reason);
    return parts.join(QStringLiteral(" — "));
}

// One absence: the write lock, the row's change and its record row in one
// transaction.
class RecordedAbsence final : private ChangeRecord {
public:
    RecordedAbsence(Dataset& winners, const PoolDescription& pool)
        : connection_(winners.connection()), pool_(pool),
          scope_(connection_, WriteScope::Keeps::AllOrNothing, {&winners}, this) {
        available_ = CountAvailable(connection_, pool_);
    }

    void stored(std::int64_t item, int place, const QString& text) {
        row_.pool = pool_.name;
        row_.action = RecordActionText(RecordAction::Absence);
        row_.item = item;
        row_.entry = text;
        row_.place = place;
        row_.available = available_;
        scope_.commit();
    }

private:
    void append() override { AppendRecordRow(connection_, row_); }

    Connection& connection_;
    const PoolDescription& pool_;
    std::int64_t available_ = 0;
    RecordRow row_;
    WriteScope scope_; // last: it begins when the rest is ready, and ends first
};

std::optional<int> HighestListedPlace(Connection& connection, const PoolDescription& pool) {
    SqlStatement& read = connection.statement(
        QStringLiteral("SELECT max(\"Sorte\") FROM \"%1\" WHERE %2").arg(pool.table, kListed));
    std::optional<int> highest;
    if (read.step()) {
        const Value place = read.column(0, ColumnType::Integer);
        if (const auto* number = std::get_if<std::int64_t>(&place))
            highest = int(*number);
    }
    read.reset();
    return highest;
}

bool PlaceListed(Connection& connection, const PoolDescription& pool, int place) {
    SqlStatement& read = connection.statement(
        QStringLiteral("SELECT 1 FROM \"%1\" WHERE \"Sorte\" = ? AND %2 LIMIT 1")
            .arg(pool.table, kListed));
    read.bind(1, std::int64_t(place));
    const bool listed = read.step();
    read.reset();
    return listed;
}

} // namespace

QString AbsenceQuestion(const QString& entry, int place) {
    return QStringLiteral("%1 (%2º lugar) está ausente? O lugar fica vago e o próximo sorteio o "
                          "preenche.\nMotivo (opcional):")
        .arg(entry)
        .arg(place);
}

bool MarkAbsent(Dataset& winners, const PoolDescription& pool, const QString& reason) {
    const QString why = CheckedReason(reason);
    const std::int64_t item = winners.field(kCod).asInteger();
    const int place = int(winners.field(kSorte).asInteger());
    const QString entry = winners.field(pool.entryColumn).asString();
    Connection& connection = winners.connection();
    bool marked = false;
    {
        RecordedAbsence absence(winners, pool);
        // Only while the file still lists the row at that place: another
        // copy may have released, cleared or marked it since it was read.
        SqlStatement& mark =
            connection.statement(QStringLiteral("UPDATE \"%1\" SET \"Ok\" = NULL, \"Sorte\" = NULL "
                                                "WHERE \"Cod\" = ? AND \"Sorte\" = ? AND %2")
                                     .arg(pool.table, kListed));
        mark.bind(1, item);
        mark.bind(2, std::int64_t(place));
        mark.step();
        mark.reset();
        marked = connection.changedRows() == 1;
        if (marked) {
            const PrizePlan plan = ReadPrizePlan(connection, pool);
            absence.stored(item, place, AbsenceText(entry, plan.prizeOfPlace(place), why));
        }
    }
    ReadAgain(winners);
    return marked;
}

std::optional<int> LowestVacantPlace(Connection& connection, const PoolDescription& pool) {
    // The newest rows first, back to the pool's last release or clearing:
    // those put every place back.
    SqlStatement& read = connection.statement(
        QStringLiteral("SELECT \"Acao\", \"Sorte\" FROM \"%1\" WHERE \"Lista\" = ? AND \"Acao\" "
                       "IN (?, ?, ?) ORDER BY \"Cod\" DESC")
            .arg(kRecordTable));
    read.bind(1, pool.name);
    read.bind(2, RecordActionText(RecordAction::Absence));
    read.bind(3, RecordActionText(RecordAction::Release));
    read.bind(4, RecordActionText(RecordAction::Clear));
    const QString absence = RecordActionText(RecordAction::Absence);
    std::set<int> left;
    while (read.step()) {
        const Value action = read.column(0, ColumnType::Text);
        if (std::get_if<QString>(&action) == nullptr || std::get<QString>(action) != absence)
            break;
        const Value place = read.column(1, ColumnType::SmallInt);
        if (const auto* number = std::get_if<std::int64_t>(&place))
            left.insert(int(*number));
    }
    read.reset();
    if (left.empty())
        return std::nullopt;
    // A place above every listed winner is no hole: the next place after the
    // list is that one anyway. Nor is a place a winner holds again (the name
    // editor's "<<<" numbers the winners down).
    const std::optional<int> highest = HighestListedPlace(connection, pool);
    for (const int place : left) {
        if (!highest || place >= *highest)
            break;
        if (!PlaceListed(connection, pool, place))
            return place;
    }
    return std::nullopt;
}

int PlaceOfNextDraw(Connection& connection, const PoolDescription& pool, const Dataset& winners) {
    return LowestVacantPlace(connection, pool).value_or(NextWinnerPlace(winners));
}

} // namespace tiravo
