#pragma once

// Runs the built mapvane-cli in a working folder and collects what it printed.

#include <QProcess>
#include <QStringList>
#include <QVector>

#include <memory>

namespace cli {

struct Result
{
    int exitCode = -1;  // -1 also when it did not start, crashed or hung
    QByteArray out;
    QByteArray err;
};

// One run: the arguments, what standard input holds (a pipe, closed after it), and a
// wrapper (e.g. {"prlimit", "--fsize=1000"}) put in front of the program when given.
struct Job
{
    QStringList args;
    QByteArray input;
    QStringList wrapper;
};

// Runs the jobs in folder, `parallel` at a time, and returns their results in order.
inline QVector<Result> runAll(const QString &folder, const QVector<Job> &jobs, int parallel = 4)
{
    QVector<Result> results(jobs.size());
    for (qsizetype first = 0; first < jobs.size(); first += parallel) {
        const qsizetype last = qMin<qsizetype>(first + parallel, jobs.size());
        std::vector<std::unique_ptr<QProcess>> processes;
        for (qsizetype i = first; i < last; ++i) {
            processes.push_back(std::make_unique<QProcess>());
            QProcess &process = *processes.back();
            process.setWorkingDirectory(folder);
            QStringList command = jobs.at(i).wrapper;
            command << QStringLiteral(MAPVANE_CLI_PATH) << jobs.at(i).args;
            process.start(command.takeFirst(), command);
            process.write(jobs.at(i).input);
            process.closeWriteChannel();
        }
        for (qsizetype i = first; i < last; ++i) {
            QProcess &process = *processes.at(std::size_t(i - first));
            const bool finished = process.waitForFinished(120000);
            if (!finished) {
                process.kill();
                process.waitForFinished();
            }
            const bool normal = finished && process.exitStatus() == QProcess::NormalExit;
            results[i] = {normal ? process.exitCode() : -1, process.readAllStandardOutput(),
                          process.readAllStandardError()};
        }
    }
    return results;
}

// Runs mapvane-cli with args in folder; wrapper (e.g. {"prlimit", "--fsize=1000"}) is
// put in front of the program when given.
inline Result run(const QString &folder, const QStringList &args, const QStringList &wrapper = {},
                  const QByteArray &input = QByteArray())
{
    return runAll(folder, {Job{args, input, wrapper}}).first();
}

// The words of line, split at blanks: the arguments as a shell would pass them.
inline QStringList words(const QString &line)
{
    return line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

}  // namespace cli
