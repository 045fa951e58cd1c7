// mapvane-cli: the command-line front end of the Mapvane core library.

#include <QCoreApplication>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <cstring>

#include "cli/cli_command.h"

namespace {

void printUsage(FILE *stream)
{
    QByteArray text = "usage: mapvane-cli COMMAND [ARGUMENTS]\n\ncommands:\n";
    for (const CliCommand &command : cliCommands()) {
        const QList<QByteArray> lines = QByteArray(command.usage).split('\n');
        for (const QByteArray &line : lines)
            text += "  mapvane-cli " + QByteArray(command.name) + ' ' + line + '\n';
    }
    text += "  mapvane-cli help\n";
    std::fwrite(text.constData(), 1, size_t(text.size()), stream);
}

}  // namespace

int main(int argc, char *argv[])
{
    // A lowered file-size limit must arrive as a write error, not kill the process.
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    if (args.isEmpty()) {
        printUsage(stderr);
        return kExitUsage;
    }
    const QString name = args.takeFirst();
    if (name == QLatin1String("help") || name == QLatin1String("--help") || name == QLatin1String("-h")) {
        printUsage(stdout);
        return kExitOk;
    }
    for (const CliCommand &command : cliCommands()) {
        if (name == QLatin1String(command.name))
            return command.run(args);
    }
    printErr(QStringLiteral("unknown command '%1'").arg(name));
    printUsage(stderr);
    return kExitUsage;
}
