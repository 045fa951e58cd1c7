#pragma once

// Runs the built mapvane-cli in a working folder and collects what it printed.

#include <QProcess>
#include <QStringList>

namespace cli {

struct Result
{
    int exitCode = -1;
    bool crashed = true;
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
    Result result;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.crashed = process.exitStatus() != QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

}  // namespace cli
