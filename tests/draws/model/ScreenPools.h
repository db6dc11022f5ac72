#pragma once

#include "RecordingStage.h"
#include "draws/model/PoolDescription.h"
#include "store/Query.h"
#include "store/TableView.h"
#include "support/TempDatabase.h"

#include <QString>
#include <QStringList>

namespace tiravo::test {

// One pool with the view its draw screen declares over it. Entries are known
// by a number: entry 7 is the number 7 (shown "07"), the name "Nome 07" or the
// photo "/fotos/07.jpg".
struct ScreenPool {
    const PoolDescription* pool; // the table, the entry, the draw and pick settings
    ViewSpec view;
    int availableAtivo; // what Ativo holds in an available row of this pool
    QString (*shown)(int entry);
    QString (*stored)(int entry); // as an SQL literal
};

inline QString TwoDigits(int entry) {
    return QStringLiteral("%1").arg(entry, 2, 10, QLatin1Char('0'));
}

inline ScreenPool NumberScreen() {
    return {&NumberPool(),
            {.table = "TbNumero",
             .filter = "Ok = True",
             .sortKey = "Ordem",
             .formats = {{"Numero", "00"}}},
            0,
            TwoDigits,
            [](int entry) { return QString::number(entry); }};
}

inline ScreenPool NameScreen() {
    return {&NamePool(),
            {.table = "TbNome",
             .columns = {{"Cod"}, {"Nome"}, {"Ordem"}, {"Ok"}, {"Ativo"}, {"Sorte"}},
             .filter = "Ok = True",
             .sortKey = "Ordem"},
            1,
            [](int entry) { return "Nome " + TwoDigits(entry); },
            [](int entry) { return "'Nome " + TwoDigits(entry) + "'"; }};
}

inline ScreenPool PhotoScreen() {
    return {&PhotoPool(),
            {.table = "TbFoto", .filter = "Ok = True", .sortKey = "Ordem"},
            1,
            [](int entry) { return "/fotos/" + TwoDigits(entry) + ".jpg"; },
            [](int entry) { return "'/fotos/" + TwoDigits(entry) + ".jpg'"; }};
}

// Available entries `from` to `to`, keyed so that the pool view lists them in
// this order.
inline void AddEntries(TempDatabase& db, const ScreenPool& screen, int from, int to) {
    for (int entry = from; entry <= to; ++entry)
        db.exec(QStringLiteral("INSERT INTO %1 (%2, Ordem, Ok, Ativo) VALUES (%3, 'k%4', 1, %5)")
                    .arg(screen.pool->table, screen.pool->entryColumn, screen.stored(entry))
                    .arg(entry, 3, 10, QLatin1Char('0'))
                    .arg(screen.availableAtivo));
}

// Entries 91, 92, ... drawn earlier at places 1 to `count`.
inline void AddWinners(TempDatabase& db, const ScreenPool& screen, int count) {
    for (int place = 1; place <= count; ++place)
        db.exec(QStringLiteral("INSERT INTO %1 (%2, Ordem, Ok, Ativo, Sorte) "
                               "VALUES (%3, 'zzzz', 0, 1, %4)")
                    .arg(screen.pool->table, screen.pool->entryColumn, screen.stored(90 + place))
                    .arg(place));
}

// Every row of the pool's table read afresh from the file, in Cod order, as
// "entry Ok Ativo Sorte" ("07 False True 3"; a null is empty).
inline QStringList FileRows(Connection& connection, const ScreenPool& screen) {
    ViewSpec all = screen.view;
    all.filter.clear();
    all.sortKey = QStringLiteral("Cod");
    TableView view(connection, all);
    view.open();
    QStringList rows;
    for (view.first(); !view.eof(); view.next())
        rows << QStringLiteral("%1 %2 %3 %4")
                    .arg(view.field(screen.pool->entryColumn).asString(),
                         view.field("Ok").asString(), view.field("Ativo").asString(),
                         view.field("Sorte").asString());
    return rows;
}

// An entry's row of FileRows() while it is available, and after a move that
// writes only Ok: Ativo stays as the pool keeps it in available rows.
inline QString AvailableRow(const ScreenPool& screen, int entry) {
    return screen.shown(entry) + (screen.availableAtivo ? " True True " : " True False ");
}
inline QString TakenOutRow(const ScreenPool& screen, int entry) {
    return screen.shown(entry) + (screen.availableAtivo ? " False True " : " False False ");
}

// The views of one draw screen over a file, opened as the screen opens them,
// with a stage that records what the screen would show.
struct ScreenViews {
    ScreenViews(Connection& connection, const ScreenPool& screen)
        : pool(connection, screen.view), winners(connection, screen.pool->winnersSql()),
          stage(pool, screen.pool->entryColumn) {
        pool.open();
        winners.open();
    }

    TableView pool;
    Query winners;
    RecordingStage stage;
};

// "entry X@ms" for each entry of `entries` ("04 05 12"), as the screen shows it.
inline QStringList Shown(const ScreenPool& screen, const QString& entries, int milliseconds) {
    QStringList calls;
    for (const QString& entry : entries.split(u' ', Qt::SkipEmptyParts))
        calls << QStringLiteral("entry %1@%2").arg(screen.shown(entry.toInt())).arg(milliseconds);
    return calls;
}

inline QString Repeat(const QString& entries, int times) {
    QStringList all;
    for (int i = 0; i < times; ++i)
        all << entries;
    return all.join(u' ');
}

} // namespace tiravo::test
