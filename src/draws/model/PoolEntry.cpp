#include "draws/model/PoolEntry.h"

#include "draws/model/PoolColumns.h"
#include "store/Dataset.h"
#include "store/RowLoop.h"

#include <functional>

namespace tiravo {

namespace {

QString GoneMessage(const EntryNaming& entry, const QString& text) {
    const QString subject = entry.column.isEmpty() ? QStringLiteral("Este item")
                                                   : QStringLiteral("%1 %2").arg(entry.noun, text);
    const QChar ending = entry.feminine ? u'a' : u'o';
    return QStringLiteral("%1 não está mais disponível: já foi sortead%2 ou retirad%2 em outro "
                          "programa.")
        .arg(subject, ending);
}

void ReadAgain(Dataset& view) {
    view.close();
    view.open();
}

// Edits the current row with `change` and writes it only while it is still
// available in the file.
void MoveAvailableRow(Dataset& pool, Dataset& winners, const EntryNaming& entry,
                      const std::function<void()>& change,
                      const std::function<void()>& beforeReadingAgain = {}) {
    // Read before the edit: the message names the entry as the screen shows it.
    const QString text = entry.column.isEmpty() ? QString() : pool.field(entry.column).asString();
    if (EditRowIfStill(pool, kOk, [&change](Dataset&) { change(); }))
        return;
    if (beforeReadingAgain)
        beforeReadingAgain();
    ReadAgain(pool);
    ReadAgain(winners);
    throw EntryTakenElsewhere(GoneMessage(entry, text));
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

void RecordWinner(Dataset& pool, Dataset& winners, WinnerFlag flag, const EntryNaming& entry,
                  const std::function<void()>& beforeReadingAgain) {
    MoveAvailableRow(
        pool, winners, entry,
        [&] {
            pool.field(kOk).setAsString(kFalseText);
            if (flag == WinnerFlag::OkPlaceAndActive)
                pool.field(kAtivo).setAsString(kTrueText);
            pool.field(kSorte).setAsInteger(NextWinnerPlace(winners));
        },
        beforeReadingAgain);
}

void TakeOut(Dataset& pool, Dataset& winners, const EntryNaming& entry) {
    MoveAvailableRow(pool, winners, entry, [&] { pool.field(kOk).setAsString(kFalseText); });
}

} // namespace tiravo
