// mapvane-cli: the command-line front end of the Mapvane core library.

#include <QCoreApplication>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <cstring>

#include "cli/cli_command.h"
#include "project/image_file.h"

namespace {

const char kExitCodes[] =
    "exit codes:\n"
    "  0  success\n"
    "  1  invalid input: the content of an image, .map, sidecar or SMF file, a calibration, or a map too large\n"
    "     for the SMF format\n"
    "  2  usage error: an unknown command or option, a missing or malformed argument, or an output that is one\n"
    "     of the inputs\n"
    "  3  input/output error: a file cannot be opened, read or written (missing, permissions, disk full), or\n"
    "     memory ran out\n";

QString usageText()
{
    QString text = QStringLiteral("usage: mapvane-cli COMMAND [ARGUMENTS]\n\ncommands:\n");
    for (const CliCommand &command : cliCommands()) {
        const QStringList lines = QString::fromUtf8(command.usage).split(QLatin1Char('\n'));
        for (const QString &line : lines)
            text += QStringLiteral("  mapvane-cli %1 %2\n").arg(QString::fromUtf8(command.name), line);
    }
    text += QStringLiteral("  mapvane-cli help [COMMAND]\n  mapvane-cli --version\n\n"
                           "'mapvane-cli help COMMAND' or 'mapvane-cli COMMAND --help' explains a command.\n\n");
    return text + QString::fromUtf8(kExitCodes);
}

const CliCommand *findCommand(const QString &name)
{
    static QVector<CliCommand> commands;
    commands = cliCommands();
    for (const CliCommand &command : std::as_const(commands)) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

int unknownCommand(const QString &name)
{
    printErr(QStringLiteral("unknown command '%1'; 'mapvane-cli help' lists the commands").arg(name.left(80)));
    return kExitUsage;
}

}  // namespace

int main(int argc, char *argv[])
{
    // A lowered file-size limit must arrive as a write error, not kill the process.
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    returnLargeBlocksToSystem();
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    if (args.isEmpty()) {
        const QByteArray text = usageText().toUtf8();
        std::fwrite(text.constData(), 1, size_t(text.size()), stderr);
        return kExitUsage;
    }
    const QString name = args.takeFirst();
    if (name == QLatin1String("--version")) {
        printOut(QStringLiteral("mapvane-cli %1\n").arg(QStringLiteral(MAPVANE_VERSION)));
        return kExitOk;
    }
    if (name == QLatin1String("help") || name == QLatin1String("--help") || name == QLatin1String("-h")) {
        if (args.isEmpty()) {
            printOut(usageText());
            return kExitOk;
        }
        const CliCommand *command = findCommand(args.first());
        if (!command || args.size() > 1)
            return command ? usageError("help", QStringLiteral("give one COMMAND")) : unknownCommand(args.first());
        printOut(commandHelp(*command));
        return kExitOk;
    }
    if (const CliCommand *command = findCommand(name))
        return command->run(args);
    return unknownCommand(name);
}
