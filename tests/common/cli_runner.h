#pragma once

// Runs the built mapvane-cli in a working folder and collects what it printed.

#include <QProcess>
#include <QStringList>

namespace cli {

struct Result
{
    int exitCode = -1;  // -1 also when it did not start, crashed or hung
    QByteArray out;
    QByteArray err;
};

// Runs mapvane-cli with args in folder; wrapper (e.g. {"prlimit", "--fsize=1000"}) is
// put in front of the program when given.
inline Result run(const QString &folder, const QStringList &args, const QStringList &wrapper = {})
{
    QProcess process;
    process.setWorkingDirectory(folder);
    QStringList command = wrapper;
    command << QStringLiteral(MAPVANE_CLI_PATH) << args;
    process.start(command.takeFirst(), command);
    const bool finished = process.waitForFinished(120000);
    if (!finished) {
        process.kill();
        process.waitForFinished();
    }
    const bool normal = finished && process.exitStatus() == QProcess::NormalExit;
    return {normal ? process.exitCode() : -1, process.readAllStandardOutput(), process.readAllStandardError()};
}

// The words of line, split at blanks: the arguments as a shell would pass them.
inline QStringList words(const QString &line)
{
    return line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

}  // namespace cli
