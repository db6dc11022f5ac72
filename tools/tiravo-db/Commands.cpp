#include "Commands.h"

#include "Arguments.h"
#include "Check.h"
#include "Dump.h"
#include "Prizes.h"
#include "Record.h"
#include "Winners.h"
#include "draws/model/DemoFile.h"
#include "draws/model/Minutes.h"
#include "draws/model/PrizePlan.h"
#include "draws/model/PrizeSheet.h"
#include "draws/model/RecordCheck.h"
#include "platform/Random.h"
#include "store/Connection.h"
#include "store/FileBuilding.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace tiravo::db {

namespace {

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

CsvFormat CsvFormatOf(const Arguments& arguments) {
    return {arguments.raw ? CsvTexts::Raw : CsvTexts::Guarded, arguments.separator.value_or(u',')};
}

int Create(const Arguments& arguments, QTextStream& out) {
    std::optional<FirstOperator> first;
    if (arguments.operatorName)
        first = FirstOperator{*arguments.operatorName, *arguments.password};
    BuildEmptyDatabaseFile(arguments.file, arguments.force, first);
    out << QStringLiteral("Created the database file '%1' ").arg(Native(arguments.file))
        << (arguments.operatorName
                ? QStringLiteral("with the operator '%1'.").arg(*arguments.operatorName)
                : QStringLiteral("with no operator: the login accepts an empty name and "
                                 "password."))
        << '\n';
    return 0;
}

int Demo(const Arguments& arguments, QTextStream& out) {
    if (arguments.ifMissing && QFileInfo(arguments.file).isFile()) {
        out << QStringLiteral("The database file '%1' is there already; nothing changed.")
                   .arg(Native(arguments.file))
            << '\n';
        return 0;
    }
    SystemRandom random;
    const DemoPictureFiles pictures = BuildDemoFile(arguments.file, arguments.force, random);
    out << QStringLiteral("Created the demo database '%1': the operator 'demo' with the password "
                          "'demo', 90 numbers, %2 names, %3 photos and %4 logos (in '%5').")
               .arg(
                   Native(arguments.file), QString::number(DemoNames().size()),
                   QString::number(pictures.photos.size()), QString::number(pictures.logos.size()),
                   Native(QFileInfo(arguments.file).absoluteDir().filePath(QStringLiteral("demo"))))
        << '\n';
    return 0;
}

int Dump(const Arguments& arguments, QTextStream& out) {
    Connection connection;
    OpenDatabaseFile(connection, arguments.file);
    DumpDatabase(connection, out);
    return 0;
}

int Check(const Arguments& arguments, QTextStream& out, QTextStream& err) {
    Connection connection;
    OpenDatabaseFile(connection, arguments.file);
    const CheckResult result = CheckIntegrity(connection);
    for (const QString& line : result.lines)
        out << line << '\n';
    if (result.passed)
        return 0;
    err << QStringLiteral("tiravo-db: the integrity check of '%1' failed")
               .arg(Native(arguments.file))
        << '\n';
    return 1;
}

int Winners(const Arguments& arguments, QTextStream& out) {
    Connection connection;
    OpenDatabaseFile(connection, arguments.file);
    std::vector<const PoolDescription*> pools(Pools().begin(), Pools().end());
    if (arguments.pool)
        pools = {PoolNamed(*arguments.pool)};
    WriteWinners(connection, pools, arguments.csv ? WinnersFormat::Csv : WinnersFormat::Text,
                 CsvFormatOf(arguments), out);
    return 0;
}

int Prizes(const Arguments& arguments, QTextStream& out) {
    // The whole file is checked before the database is even opened.
    std::vector<PlannedPrize> prizes;
    if (arguments.prizeCsv)
        prizes = ReadPrizeCsv(*arguments.prizeCsv, MessageLanguage::English);
    Connection connection;
    OpenDatabaseFile(connection, arguments.file);
    std::vector<const PoolDescription*> pools(Pools().begin(), Pools().end());
    if (arguments.pool)
        pools = {PoolNamed(*arguments.pool)};
    if (arguments.prizeCsv) {
        ReplacePrizePlan(connection, *pools.front(), prizes);
        out << QStringLiteral("Imported %1 %2 into the prize plan of %3.")
                   .arg(prizes.size())
                   .arg(prizes.size() == 1 ? "prize" : "prizes")
                   .arg(pools.front()->name)
            << '\n';
    }
    WritePrizePlans(connection, pools, out);
    return 0;
}

int Record(const Arguments& arguments, QTextStream& out) {
    Connection connection;
    OpenDatabaseFile(connection, arguments.file);
    std::vector<RecordRow> rows;
    for (RecordRow& row : ReadRecord(connection)) {
        if (arguments.pool && row.pool != *arguments.pool)
            continue;
        if (arguments.since && row.localMoment().date() < *arguments.since)
            continue;
        rows.push_back(std::move(row));
    }
    if (arguments.csv)
        WriteRecordCsv(rows, CsvFormatOf(arguments), out);
    else
        WriteRecordText(rows, out);
    return 0;
}

int Verify(const Arguments& arguments, QTextStream& out, QTextStream& err) {
    Connection connection;
    OpenDatabaseFile(connection, arguments.file);
    const RecordCheck check = CheckRecord(connection);
    if (!check.holds) {
        out.flush();
        err << QStringLiteral("tiravo-db: %1").arg(check.problem) << '\n';
        return 1;
    }
    out << QStringLiteral("ok: %1 %2, %3 %4 recomputed")
               .arg(check.rows)
               .arg(check.rows == 1 ? "row" : "rows")
               .arg(check.fingerprints)
               .arg(check.fingerprints == 1 ? "fingerprint" : "fingerprints");
    if (!check.lastHash.isEmpty())
        out << QStringLiteral("; the last hash is %1").arg(check.lastHash);
    out << '\n';
    return 0;
}

int Minutes(const Arguments& arguments, QTextStream& out) {
    // Before the file is even opened: nothing to undo.
    RequireOutputTarget({*arguments.pdf, arguments.file, MessageLanguage::English});
    Connection connection;
    OpenDatabaseFile(connection, arguments.file);
    const QDate day = arguments.date.value_or(QDate::currentDate());
    const int pages = WriteMinutesPdf(connection, day, *arguments.pdf, MessageLanguage::English);
    out << QStringLiteral("Wrote the minutes of %1 to '%2': %3 %4.")
               .arg(day.toString(QStringLiteral("dd/MM/yyyy")), Native(*arguments.pdf))
               .arg(pages)
               .arg(pages == 1 ? "page" : "pages")
        << '\n';
    return 0;
}

} // namespace

int RunCommand(const Arguments& arguments, QTextStream& out, QTextStream& err) {
    switch (arguments.command) {
    case Command::Help:
        out << UsageText();
        return 0;
    case Command::Create:
        return Create(arguments, out);
    case Command::Demo:
        return Demo(arguments, out);
    case Command::Dump:
        return Dump(arguments, out);
    case Command::Check:
        return Check(arguments, out, err);
    case Command::Winners:
        return Winners(arguments, out);
    case Command::Record:
        return Record(arguments, out);
    case Command::Verify:
        return Verify(arguments, out, err);
    case Command::Minutes:
        return Minutes(arguments, out);
    case Command::Prizes:
        return Prizes(arguments, out);
    }
    return 2;
}

} // namespace tiravo::db
