// tiravo-db: creates, fills, dumps and checks the database file (the program
// makes one itself only on a first start, with the same code), lists the
// winners of its draws, and reads, verifies and prints the record of them.

#include "Arguments.h"
#include "Commands.h"

#include "common/Error.h"
#include "platform/OutputFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <exception>
#include <memory>

#include <unistd.h>

namespace {

using namespace tiravo;

std::unique_ptr<QCoreApplication> MakeApplication(db::Command command, int& argc, char** argv) {
    // The demo draws text on its pictures and the minutes on their pages, and
    // fonts come with a QGuiApplication; the tool never shows a window, so no
    // display is needed.
    if (command == db::Command::Demo || command == db::Command::Minutes) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace

int main(int argc, char** argv) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    db::Arguments parsed;
    try {
        parsed = db::ParseArguments(arguments);
    } catch (const db::UsageError& error) {
        err << "tiravo-db: " << error.message() << '\n' << "Try 'tiravo-db --help'.\n";
        return 2;
    } catch (const Error& error) {
        err << "tiravo-db: " << error.message() << '\n';
        return 1;
    }

    // A shell's ">>" would have every line the tool writes appended to the
    // database file itself.
    if (parsed.command != db::Command::Help && (IsDatabaseFile(STDOUT_FILENO, parsed.file) ||
                                                IsDatabaseFile(STDERR_FILENO, parsed.file))) {
        if (!IsDatabaseFile(STDERR_FILENO, parsed.file))
            err << "tiravo-db: The output goes to the database file '"
                << QDir::toNativeSeparators(parsed.file)
                << "' itself; send it elsewhere. Nothing was written\n";
        return 1;
    }

    const auto application = MakeApplication(parsed.command, argc, argv);
    try {
        return db::RunCommand(parsed, out, err);
    } catch (const Error& error) {
        out.flush();
        err << "tiravo-db: " << error.message() << '\n';
    } catch (const std::exception& error) {
        out.flush();
        err << "tiravo-db: " << error.what() << '\n';
    }
    return 1;
}
