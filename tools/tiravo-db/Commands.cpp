#include "Commands.h"

#include "Arguments.h"
#include "Check.h"
#include "Demo.h"
#include "DemoPictures.h"
#include "Dump.h"
#include "FileBuilding.h"
#include "RowWriter.h"
#include "Winners.h"
#include "platform/Random.h"
#include "store/Batch.h"
#include "store/Connection.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace tiravo::db {

namespace {

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

int Create(const Arguments& arguments, QTextStream& out) {
    BuildDatabaseFile(arguments.file, arguments.force, [&](Connection& connection) {
        if (!arguments.operatorName)
            return;
        Batch batch(connection);
        RowWriter(connection, QStringLiteral("Usuario"))
            .add({{"Nome", *arguments.operatorName}, {"Senha", *arguments.password}});
    });
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
    // Both before any picture is written, so that a refusal leaves no trace.
    RequireReplaceable(arguments.file, arguments.force);
    const DemoPictureFiles pictures = DemoPicturePaths(arguments.file);
    for (const QString& path : pictures.photos + pictures.logos)
        if (!FitsColumn(QStringLiteral("TbFoto"), QStringLiteral("Foto"), path))
            throw Error(QStringLiteral("The path of the demo picture '%1' is longer than the "
                                       "200 characters the database keeps; choose a file in "
                                       "a shorter folder")
                            .arg(Native(path)));

    WriteDemoPictures(pictures);
    SystemRandom random;
    BuildDatabaseFile(arguments.file, arguments.force,
                      [&](Connection& connection) { FillDemo(connection, pictures, random); });
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
    std::vector<WinnerPool> pools = WinnerPools();
    if (arguments.pool)
        pools = {*WinnerPoolNamed(*arguments.pool)};
    WriteWinners(connection, pools, arguments.csv ? WinnersFormat::Csv : WinnersFormat::Text, out);
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
    }
    return 2;
}

} // namespace tiravo::db
