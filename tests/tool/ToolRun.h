#pragma once

// Runs the built database tool as the scripts and the operator do.
#include "store/Connection.h"
#include "store/ConnectionText.h"
#include "store/DatabasePassword.h"

#include <QCoreApplication>
#include <QProcess>

#include <gtest/gtest.h>

#include <memory>

namespace tiravo {

struct Outcome {
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::CrashExit;
    QString out;
    QString err;
    QByteArray bytes; // the output as written, byte order mark and all
};

inline Outcome
RunTool(const QStringList& arguments,
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess tool;
    tool.setProcessEnvironment(environment);
    tool.start(QCoreApplication::applicationDirPath() + "/../tools/tiravo-db", arguments);
    EXPECT_TRUE(tool.waitForFinished(60000)) << "the tool did not end";
    const QByteArray out = tool.readAllStandardOutput();
    return {tool.exitCode(), tool.exitStatus(), QString::fromUtf8(out),
            QString::fromUtf8(tool.readAllStandardError()), out};
}

inline std::unique_ptr<Connection> Open(const QString& path) {
    auto connection = std::make_unique<Connection>();
    connection->setConnectionText(ConnectionTextFor(path) + JoinDatabasePassword());
    connection->open();
    return connection;
}

} // namespace tiravo
