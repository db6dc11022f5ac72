#include "Arguments.h"

#include "Winners.h"
#include "store/ConnectionText.h"
#include "store/RowWriter.h"

#include <QDir>
#include <QFileInfo>

namespace tiravo::db {

namespace {

struct CommandName {
    const char* name;
    Command command;
};

constexpr CommandName kCommands[] = {
    {"create", Command::Create}, {"demo", Command::Demo},       {"dump", Command::Dump},
    {"check", Command::Check},   {"winners", Command::Winners}, {"record", Command::Record},
    {"verify", Command::Verify}, {"minutes", Command::Minutes}, {"prizes", Command::Prizes},
};

Command CommandNamed(const QString& word) {
    for (const CommandName& known : kCommands)
        if (word == QLatin1String(known.name))
            return known.command;
    throw UsageError(QStringLiteral("Unknown command '%1'").arg(word));
}

QString NameOf(Command command) {
    for (const CommandName& known : kCommands)
        if (known.command == command)
            return QString::fromLatin1(known.name);
    return {};
}

void RequireOnly(Command command, bool given, const char* option,
                 std::initializer_list<Command> takers) {
    if (!given)
        return;
    for (Command taker : takers)
        if (taker == command)
            return;
    throw UsageError(QStringLiteral("The command '%1' takes no option --%2")
                         .arg(NameOf(command), QLatin1String(option)));
}

// The operator must be able to log in with exactly what was given, so a name
// or password that the store would cut is refused instead.
void CheckOperator(const Arguments& arguments) {
    if (arguments.operatorName.has_value() != arguments.password.has_value())
        throw UsageError(QStringLiteral("--operator and --password go together"));
    if (!arguments.operatorName)
        return;
    if (arguments.operatorName->isEmpty())
        throw UsageError(QStringLiteral("The operator's name is empty"));
    if (!FitsColumn(QStringLiteral("Usuario"), QStringLiteral("Nome"), *arguments.operatorName))
        throw UsageError(QStringLiteral("The operator's name is longer than 30 characters"));
    if (!FitsColumn(QStringLiteral("Usuario"), QStringLiteral("Senha"), *arguments.password))
        throw UsageError(QStringLiteral("The operator's password is longer than 20 characters"));
}

} // namespace

QChar ParseSeparator(const QString& text) {
    if (text == QLatin1String(",") || text == QLatin1String(";") || text == QLatin1String("|"))
        return text.front();
    if (text == QLatin1String("tab") || text == QLatin1String("\t"))
        return u'\t';
    throw UsageError(
        QStringLiteral("The option --sep takes ',', ';', '|' or 'tab', not '%1'").arg(text));
}

QDate ParseDay(const QString& text, const char* option) {
    for (const char* format : {"yyyy-MM-dd", "dd/MM/yyyy"}) {
        const QDate day = QDate::fromString(text, QLatin1String(format));
        if (day.isValid())
            return day;
    }
    throw UsageError(QStringLiteral("The option --%1 takes a date as 2026-12-09 or 09/12/2026, "
                                    "not '%2'")
                         .arg(QLatin1String(option), text));
}

Arguments ParseArguments(const QStringList& arguments) {
    Arguments result;
    bool haveCommand = false;
    bool haveFile = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("-h")) {
            result.command = Command::Help;
            return result;
        }
        if (!argument.startsWith(QLatin1String("--"))) {
            if (argument.startsWith(u'-') && argument.size() > 1)
                throw UsageError(QStringLiteral("Unknown option '%1'").arg(argument));
            if (haveCommand)
                throw UsageError(QStringLiteral("One command at a time: '%1' follows '%2'")
                                     .arg(argument, NameOf(result.command)));
            result.command = CommandNamed(argument);
            haveCommand = true;
            continue;
        }

        QString name = argument.mid(2);
        std::optional<QString> attached; // --name=value
        if (const qsizetype equals = name.indexOf(u'='); equals >= 0) {
            attached = name.mid(equals + 1);
            name.truncate(equals);
        }
        // The next argument is the value even when it begins with "--": a
        // password may.
        auto value = [&]() -> QString {
            if (attached)
                return *attached;
            if (i + 1 >= arguments.size())
                throw UsageError(QStringLiteral("The option --%1 needs a value").arg(name));
            return arguments[++i];
        };
        auto flag = [&]() {
            if (attached)
                throw UsageError(QStringLiteral("The option --%1 takes no value").arg(name));
            return true;
        };

        if (name == QLatin1String("help")) {
            flag();
            result.command = Command::Help;
            return result;
        } else if (name == QLatin1String("file")) {
            if (haveFile)
                throw UsageError(QStringLiteral("The option --file is given twice"));
            result.file = value();
            if (result.file.isEmpty())
                throw UsageError(QStringLiteral("The option --file needs a path"));
            haveFile = true;
        } else if (name == QLatin1String("force")) {
            result.force = flag();
        } else if (name == QLatin1String("if-missing")) {
            result.ifMissing = flag();
        } else if (name == QLatin1String("operator")) {
            result.operatorName = value();
        } else if (name == QLatin1String("password")) {
            result.password = value();
        } else if (name == QLatin1String("pool")) {
            if (result.pool)
                throw UsageError(QStringLiteral("The option --pool is given twice"));
            result.pool = value();
            if (!PoolNamed(*result.pool))
                throw UsageError(
                    QStringLiteral("Unknown pool '%1': numeros, nomes or fotos").arg(*result.pool));
        } else if (name == QLatin1String("csv")) {
            result.csv = flag();
        } else if (name == QLatin1String("raw")) {
            result.raw = flag();
        } else if (name == QLatin1String("sep")) {
            result.separator = ParseSeparator(value());
        } else if (name == QLatin1String("since")) {
            result.since = ParseDay(value(), "since");
        } else if (name == QLatin1String("date")) {
            result.date = ParseDay(value(), "date");
        } else if (name == QLatin1String("pdf")) {
            result.pdf = value();
            if (result.pdf->isEmpty())
                throw UsageError(QStringLiteral("The option --pdf needs a path"));
        } else if (name == QLatin1String("import")) {
            result.prizeCsv = value();
            if (result.prizeCsv->isEmpty())
                throw UsageError(QStringLiteral("The option --import needs a path"));
        } else {
            throw UsageError(QStringLiteral("Unknown option '%1'").arg(argument));
        }
    }
    if (!haveCommand)
        throw UsageError(QStringLiteral("No command given"));

    const Command command = result.command;
    RequireOnly(command, result.force, "force", {Command::Create, Command::Demo});
    RequireOnly(command, result.ifMissing, "if-missing", {Command::Demo});
    RequireOnly(command, result.operatorName.has_value(), "operator", {Command::Create});
    RequireOnly(command, result.password.has_value(), "password", {Command::Create});
    RequireOnly(command, result.pool.has_value(), "pool",
                {Command::Winners, Command::Record, Command::Prizes});
    RequireOnly(command, result.csv, "csv", {Command::Winners, Command::Record});
    RequireOnly(command, result.raw, "raw", {Command::Winners, Command::Record});
    RequireOnly(command, result.separator.has_value(), "sep", {Command::Winners, Command::Record});
    RequireOnly(command, result.since.has_value(), "since", {Command::Record});
    RequireOnly(command, result.date.has_value(), "date", {Command::Minutes});
    RequireOnly(command, result.pdf.has_value(), "pdf", {Command::Minutes});
    RequireOnly(command, result.prizeCsv.has_value(), "import", {Command::Prizes});
    if (result.raw && !result.csv)
        throw UsageError(QStringLiteral("--raw goes with --csv"));
    if (result.separator && !result.csv)
        throw UsageError(QStringLiteral("--sep goes with --csv"));
    if (command == Command::Minutes && !result.pdf)
        throw UsageError(QStringLiteral("The command 'minutes' needs --pdf FILE"));
    if (result.pdf)
        result.pdf = QFileInfo(*result.pdf).absoluteFilePath();
    if (result.prizeCsv && !result.pool)
        throw UsageError(QStringLiteral("--import replaces the plan of one pool: give --pool"));
    if (result.force && result.ifMissing)
        throw UsageError(QStringLiteral("--force and --if-missing contradict each other"));
    CheckOperator(result);

    // Absolute, so that the demo's picture paths stored in the file still
    // lead to the pictures when the program starts elsewhere.
    result.file =
        QDir::cleanPath(QFileInfo(haveFile ? result.file : FixedDatabasePath()).absoluteFilePath());
    return result;
}

QString UsageText() {
    return QStringLiteral(
               R"(Usage: tiravo-db COMMAND [--file PATH] [OPTIONS]

Creates, fills, shows and checks the database file of Tiravo, and lists
the winners of its draws.

Commands:
  create [--operator NAME --password PASSWORD] [--force]
      A new file with its five tables. With an operator, the login accepts
      that name and password; without one, the list of operators is empty
      and the login accepts an empty name and password.
  demo [--force | --if-missing]
      A new file to try the program with: the operator "demo" with the
      password "demo", the numbers 1 to 90, some three dozen names, 12
      photos and 3 partner logos. The pictures are written beside the file,
      into demo/fotos and demo/logos. With --if-missing an existing file is
      left as it is.
  dump
      Every table as a block: its name, a line of its column names and one
      line per row in the order of Cod, separated by tabs, then an empty
      line. NULL stands for null, True and False for the booleans; in a text
      a tab, a line break, a carriage return and a backslash read \t, \n, \r
      and \\, any other control character \xNN (ESC reads \x1B), other
      invisible characters \uNNNN (U+202E reads \u202E), and the text NULL
      itself reads \NULL. The output is UTF-8. The table of prize plans,
      TbPremio, only when some pool has a plan; the presentation settings,
      TbApresentacao, only once they were changed.
  check
      Runs the integrity check of the file and prints its result; the exit
      status is 0 only when it passes.
  winners [--pool numeros|nomes|fotos] [--csv [--raw] [--sep SEP]]
      The winners list of each pool as the draw screens show it, the
      highest place (Sorte) first: the place and the number, name or
      photo, escaped as in dump. Without --pool all three pools, each under
      its name. With
      --csv a CSV table (RFC 4180, UTF-8 with a byte order mark, CRLF line
      ends) with a header line: Sorte and the entry's column for one pool,
      Pool, Sorte and Entry for all three. A place is empty for an entry
      drawn without one. When a pool has a prize plan, the text and the
      CSV end with a column Prêmio: each winner's prize, empty beyond the
      plan. A text cell that begins with =, +, -, @, a tab or
      a carriage return gets a leading apostrophe, so that a spreadsheet
      never runs it as a formula; numbers are written as numbers. Tabs and
      line breaks stay in their quoted cells; other control and invisible
      characters are written as in dump. With --raw texts are written as
      stored. The fields are separated by commas; --sep ';' writes what a
      spreadsheet in a Portuguese locale splits into columns.
  record [--pool numeros|nomes|fotos] [--since DATE] [--csv [--raw] [--sep SEP]]
      The record of every draw and every change of a pool, oldest first:
      sequence number, local time, operator, pool, action and what it
      moved, escaped as in dump. With --since only the rows from that local date on. With
      --csv every column of the record, as the winners' CSV is written.
  verify
      Recomputes the chain of hashes of the record and the fingerprint of
      each draw that can still be traced back from the pools; prints "ok"
      and the count, or the first row that does not hold and why. The exit
      status is 0 only when all of it holds.
  minutes [--date DATE] --pdf FILE
      The minutes of the draws of one day ("Ata do sorteio"), today
      without --date, as a PDF file: the operators, every draw of each pool
      with its time and UTC offset, place, entry and fingerprint, and the
      last hash of the record. FILE is written whole or not at all, and
      never over the database file, its -wal, -shm or -journal file (links
      followed) or anything but a regular file.
  prizes [--pool numeros|nomes|fotos]
      The prize plan of each pool, in the order the prizes are drawn: the
      places each prize covers, its quantity and its description, escaped
      as in dump. Without --pool all three pools, each under its name.
  prizes --pool numeros|nomes|fotos --import FILE.csv
      Replaces the pool's prize plan with the prizes of a CSV file: a
      header line, then one prize a line, its description (up to 60
      characters) and its quantity (1 to 9999), separated by ';' or ','
      (quotes as RFC 4180; UTF-8 or Windows-1252). A line that is no prize
      is refused with its number, and then nothing changes. The
      replacement is one change, with one row in the record.

Options:
  --file PATH   the database file; without it, %1
  --force       create and demo: replace an existing file (its -wal and
                -shm files go with it)
  --if-missing  demo: do nothing when the file is there
  --pool NAME   winners, record, prizes: only the pool numeros, nomes or
                fotos
  --csv         winners, record: write CSV instead of text
  --raw         with --csv: texts as stored, without the formula guard
  --sep SEP     with --csv: the field separator, ',' (the default), ';',
                '|' or 'tab'
  --since DATE  record: from this date on (2026-12-09 or 09/12/2026)
  --date DATE   minutes: the day; today without it
  --pdf FILE    minutes: the PDF file to write
  --import FILE prizes with --pool: the CSV file of the pool's new plan
  --help, -h    this text

Exit status: 0 done, 1 failed, 2 a wrong command line.
)")
        .arg(QDir::toNativeSeparators(FixedDatabasePath()));
}

} // namespace tiravo::db
