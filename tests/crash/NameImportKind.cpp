// The name editor's import: one batch that fills the free slots, then adds
// the rest of 100,000 names as new rows, each with a key.
#include "CrashKinds.h"

#include "draws/model/NameImport.h"
#include "draws/model/OrderKey.h"
#include "draws/model/PoolColumns.h"
#include "platform/Random.h"
#include "store/Connection.h"
#include "store/TableView.h"

namespace tiravo::crash {

namespace {

constexpr int kFreeSlots = 50;
constexpr int kNames = 100000;

} // namespace

CrashKind NameImportKind() {
    CrashKind kind;
    kind.name = QStringLiteral("import of 100,000 names");
    kind.prepare = [](Connection& connection) {
        for (int slot = 1; slot <= kFreeSlots; ++slot)
            connection.execute(QStringLiteral("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) "
                                              "VALUES ('%1', 'aaaa', NULL, 0)")
                                   .arg(slot));
    };
    kind.work = [](Connection& connection) {
        // The editor's pool and free-slot views, the latter with its hook.
        SystemRandom random;
        TableView pool(connection, {.table = QStringLiteral("TbNome"),
                                    .filter = QStringLiteral("Ok=True"),
                                    .sortKey = kNome,
                                    .required = {kNome}});
        TableView freeSlots(connection, {.table = QStringLiteral("TbNome"),
                                         .columns = {"Cod", "Nome", "Ordem", "Ok", "Ativo"},
                                         .filter = QStringLiteral("Ativo=False"),
                                         .sortKey = kNome,
                                         .required = {kNome}});
        freeSlots.beforePost = [&random](Dataset& row) {
            if (!row.field(kNome).asString().isEmpty())
                row.field(kOk).setAsString(kTrueText);
            row.field(kOrdem).setAsString(NewReseededOrderKey(random));
        };
        pool.open();
        freeSlots.open();
        QStringList names;
        for (int n = 1; n <= kNames; ++n)
            names << QStringLiteral("Participante %1").arg(n);
        ImportNames(pool, freeSlots, names, random);
    };
    kind.check = [](Connection& connection) {
        QStringList problems;
        const qint64 live =
            CountOf(connection, QStringLiteral("Select count(*) From TbNome Where Ativo = 1"));
        if (live != 0 && live != kNames)
            problems << QStringLiteral("%1 of %2 names stored").arg(live).arg(kNames);
        const qint64 broken = CountOf(
            connection, QStringLiteral("Select count(*) From TbNome Where Ativo = 1 And (Ok IS "
                                       "NOT 1 Or Ordem IS NULL Or length(Ordem) <> 4 Or Ordem "
                                       "GLOB '*[^a-z]*')"));
        if (broken > 0)
            problems << QStringLiteral("%1 names without Ok or a four-letter key").arg(broken);
        const qint64 rows = CountOf(connection, QStringLiteral("Select count(*) From TbNome"));
        const qint64 expected = live == 0 ? kFreeSlots : kNames;
        if (rows != expected)
            problems << QStringLiteral("%1 rows instead of %2").arg(rows).arg(expected);
        return problems;
    };
    return kind;
}

} // namespace tiravo::crash
