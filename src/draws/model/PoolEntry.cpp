#include "draws/model/PoolEntry.h"

#include "draws/model/AbsentWinner.h"
#include "draws/model/DrawRecord.h"
#include "draws/model/PoolColumns.h"
#include "draws/model/PoolDescription.h"
#include "store/ChangedElsewhere.h"
#include "store/Dataset.h"
#include "store/Query.h"
#include "store/RowLoop.h"
#include "store/WriteScope.h"

#include <functional>

namespace tiravo {

QString TakenElsewhereMessage(const EntryNaming& entry, const QString& text) {
    const QString subject = entry.column.isEmpty() ? QStringLiteral("Este item")
                                                   : QStringLiteral("%1 %2").arg(entry.noun, text);
    const QChar ending = entry.feminine ? u'a' : u'o';
    // Met only when two copies draw at the same instant; the draw is not
    // lost, it just has to be made again.
    return QStringLiteral("%1 não está mais disponível: já foi sortead%2 ou retirad%2 em outro "
                          "programa. Nada foi gravado: faça o sorteio novamente.")
        .arg(subject, ending);
}

namespace {

// Edits the current row with `change` and writes it only while it is still
// available in the file, with its record row.
void MoveAvailableRow(Dataset& pool, Dataset& winners, const EntryNaming& entry,
                      RecordAction action, const std::function<void()>& change,
                      const std::function<void()>& beforeReadingAgain = {},
                      const AvailableEntries* availableBefore = nullptr,
                      BatchRecord* batch = nullptr) {
    // Read before the edit: the message names the entry as the screen shows it.
    const QString text = entry.column.isEmpty() ? QString() : pool.field(entry.column).asString();
    const std::int64_t item = pool.field(kCod).asInteger();
    {
        RecordedMove record(pool, {&pool, &winners}, availableBefore);
        if (EditRowIfStill(pool, kOk, [&change](Dataset&) { change(); })) {
            record.stored(action, item, batch);
            return;
        }
    }
    if (beforeReadingAgain)
        beforeReadingAgain();
    ReadAgain(pool);
    ReadAgain(winners);
    throw EntryTakenElsewhere(TakenElsewhereMessage(entry, text));
}

} // namespace

EntryNaming NumberEntries() {
    return {QStringLiteral("Numero"), QStringLiteral("O número"), false};
}

EntryNaming NameEntries() {
    return {QStringLiteral("Nome"), QStringLiteral("O nome"), false};
}

EntryNaming PhotoEntries() {
    return {QStringLiteral("Foto"), QStringLiteral("A foto"), true};
}

int NextWinnerPlace(const Dataset& winners) {
    return winners.recordCount() + 1;
}

void RecordWinner(Dataset& pool, Query& winners, WinnerFlag flag, const EntryNaming& entry,
                  RecordAction action, const std::function<void()>& beforeReadingAgain,
                  const AvailableEntries* availableBefore, BatchRecord* batch) {
    // The write lock is held from here to the commit: no other copy can store
    // a winner between the choice of the place and the row that takes it.
    const WriteScope lock(pool.connection(), WriteScope::Keeps::WhatWasWritten);
    int place = NextWinnerPlace(winners);
    if (winners.changedElsewhere()) {
        const Value highest = winners.highestInFile(kSorte);
        const auto* number = std::get_if<std::int64_t>(&highest);
        place = number ? static_cast<int>(*number) + 1 : 1;
    }
    // A place an absent winner left comes first, read from the file under the
    // lock: another copy may have marked the absence.
    if (const PoolDescription* description = PoolOfTable(pool.table()))
        if (const std::optional<int> vacant = LowestVacantPlace(pool.connection(), *description))
            place = *vacant;
    MoveAvailableRow(
        pool, winners, entry, action,
        [&] {
            pool.field(kOk).setAsString(kFalseText);
            if (flag == WinnerFlag::OkPlaceAndActive)
                pool.field(kAtivo).setAsString(kTrueText);
            pool.field(kSorte).setAsInteger(place);
        },
        beforeReadingAgain, availableBefore, batch);
}

void TakeOut(Dataset& pool, Dataset& winners, const EntryNaming& entry,
             const AvailableEntries* availableBefore) {
    // The write lock first, as for a winner: the guarded write, not a read
    // of the views at the start of the record's transaction, decides whether
    // the entry under the cursor is still there.
    const WriteScope lock(pool.connection(), WriteScope::Keeps::WhatWasWritten);
    MoveAvailableRow(
        pool, winners, entry, RecordAction::HiddenPick,
        [&] { pool.field(kOk).setAsString(kFalseText); }, {}, availableBefore);
}

bool ReturnWinner(Dataset& winners) {
    const std::int64_t item = winners.field(kCod).asInteger();
    RecordedMove record(winners, {&winners});
    if (!EditRowIfStill(winners, kOk, [](Dataset& winner) {
            winner.field(kOk).setAsString(kTrueText);
            winner.field(kSorte).setAsString(QString());
        }))
        return false;
    winners.close();
    winners.open();
    // The winners keep their order and are numbered down to 1 without a gap,
    // counted from the list the renumbering walks.
    EditEachRow(winners, RowWalk::FromFirst, [](Dataset& winner) {
        winner.field(kSorte).setAsInteger(winner.recordCount() - winner.recNo());
    });
    record.stored(RecordAction::Return, item);
    return true;
}

} // namespace tiravo
