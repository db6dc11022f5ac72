// The number editor's range: one batch of 200,000 new available rows.
#include "CrashKinds.h"

#include "draws/model/NumberRange.h"
#include "draws/model/OrderKey.h"
#include "platform/Random.h"
#include "store/Connection.h"
#include "store/TableView.h"

namespace tiravo::crash {

namespace {

constexpr int kFirst = 1;
constexpr int kLast = 200000;
constexpr int kEarlier = 3; // rows the file held before the range

} // namespace

CrashKind NumberRangeKind() {
    CrashKind kind;
    kind.name = QStringLiteral("range of 200,000");
    kind.prepare = [](Connection& connection) {
        connection.execute("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) VALUES "
                           "(-1, 'abcd', 1, 0), (-2, 'efgh', 1, 0), (-3, 'ijkl', 0, 1)");
    };
    kind.work = [](Connection& connection) {
        // The editor's own view of the pool.
        TableView view(connection, {.table = QStringLiteral("TbNumero"),
                                    .columns = {"Cod", "Numero", "Ordem", "Ok"},
                                    .filter = QStringLiteral("Ok = True"),
                                    .required = {QStringLiteral("Numero")}});
        SystemRandom random;
        // What the editor's own hook writes into every row it begins.
        view.afterInsert = [&random](Dataset& row) {
            row.field(QStringLiteral("Ok")).setAsString(QStringLiteral("T"));
            row.field(QStringLiteral("Ordem")).setAsString(NewOrderKey(random));
        };
        view.open();
        InsertNumberRange(view, kFirst, kLast, random);
    };
    kind.check = [](Connection& connection) {
        QStringList problems = BrokenPoolRows(connection, QStringLiteral("TbNumero"));
        const qint64 added =
            CountOf(connection,
                    QStringLiteral("Select count(*) From TbNumero Where Numero >= %1").arg(kFirst));
        if (added != 0 && added != kLast - kFirst + 1)
            problems
                << QStringLiteral("%1 of the range's rows stored: not all, not none").arg(added);
        if (added == kLast - kFirst + 1 &&
            CountOf(connection, QStringLiteral("Select count(DISTINCT Numero) From TbNumero "
                                               "Where Numero >= %1")
                                    .arg(kFirst)) != added)
            problems << QStringLiteral("numbers of the range stored twice");
        const qint64 earlier =
            CountOf(connection, QStringLiteral("Select count(*) From TbNumero Where Numero < 0"));
        if (earlier != kEarlier)
            problems << QStringLiteral("%1 of the %2 earlier rows left").arg(earlier).arg(kEarlier);
        return problems;
    };
    return kind;
}

} // namespace tiravo::crash
