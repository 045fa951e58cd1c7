// mapvane-cli: the command-line front end of the Mapvane core library.

#include <QCoreApplication>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "cli/cli_command.h"
#include "raster/image_file.h"

namespace {

const char kExitCodes[] =
    "exit codes:\n"
    "  0  success\n"
    "  1  invalid input: the content of an image, .map, sidecar or SMF file (damaged, or too large to read),\n"
    "     a calibration, a map too large for the SMF format, a position the notation cannot show, or a\n"
    "     line of 'coord -' it cannot read\n"
    "  2  usage error: an unknown command or option, a missing, malformed or out-of-range argument, an\n"
    "     option given twice where it is taken once, or an output that is one of the inputs (a sidecar or\n"
    "     the settings file included), a folder, a device, a pipe or a socket\n"
    "  3  input/output error: a file cannot be opened, read or written (missing, permissions, disk full), an\n"
    "     input that is not a regular file (info and extract read pipes), standard output that cannot be\n"
    "     written, or memory ran out\n";

const char kHelpOfHelp[] =
    "usage: mapvane-cli help [COMMAND]\n"
    "\n"
    "Lists the commands and the exit codes, or explains COMMAND, as\n"
    "'mapvane-cli COMMAND --help' does.\n";

QString usageText()
{
    QString text = QStringLiteral("usage: mapvane-cli COMMAND [ARGUMENTS]\n\ncommands:\n");
    for (const CliCommand &command : cliCommands()) {
        const QStringList lines = QString::fromUtf8(command.usage).split(QLatin1Char('\n'));
        for (const QString &line : lines)
            text += QStringLiteral("  mapvane-cli %1 %2\n").arg(QString::fromUtf8(command.name), line);
    }
    text += QStringLiteral("  mapvane-cli help [COMMAND]\n  mapvane-cli --version\n\n"
                           "'mapvane-cli help COMMAND' or 'mapvane-cli COMMAND --help' explains a command.\n"
                           "Every option that takes a value also reads --option=value; every command takes\n"
                           "-h/--help and -V/--version.\n\n");
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

// Qt's own warnings ("QFile::at: ...") are not for the user: every failure the user
// must know of is reported by the command in its own words.
void quietQtMessages(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtFatalMsg)
        printErr(text);
}

// A standard stream that is closed is opened on nothing, read-only: writes to it fail
// and no file the command opens takes its number.
void occupyClosedStandardStreams()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            const int opened = ::open("/dev/null", O_RDONLY);
            if (opened != fd && opened >= 0)
                ::close(opened);
        }
    }
}

int runCommand(QStringList args)
{
    if (args.isEmpty()) {
        const QByteArray text = usageText().toUtf8();
        std::fwrite(text.constData(), 1, size_t(text.size()), stderr);
        return kExitUsage;
    }
    const QString name = args.takeFirst();
    if (name == QLatin1String("--version") || name == QLatin1String("-V")) {
        printOut(versionText());
        return kExitOk;
    }
    if (name == QLatin1String("help") || name == QLatin1String("--help") || name == QLatin1String("-h")) {
        if (args.isEmpty()) {
            printOut(usageText());
            return kExitOk;
        }
        if (args.size() > 1)
            return usageError("help", QStringLiteral("give one COMMAND"));
        if (args.first() == QLatin1String("help")) {
            printOut(QString::fromUtf8(kHelpOfHelp));
            return kExitOk;
        }
        const CliCommand *command = findCommand(args.first());
        if (!command)
            return unknownCommand(args.first());
        printOut(commandHelp(*command));
        return kExitOk;
    }
    if (const CliCommand *command = findCommand(name))
        return command->run(args);
    return unknownCommand(name);
}

}  // namespace

int main(int argc, char *argv[])
{
    occupyClosedStandardStreams();
    // A lowered file-size limit, and a reader that went away, must arrive as write
    // errors, not kill the process.
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    std::signal(SIGPIPE, SIG_IGN);
    qInstallMessageHandler(quietQtMessages);
    returnLargeBlocksToSystem();
    setImageAllocationLimit(queryPhysicalMemoryMB());
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    const int result = runCommand(args);
    const int output = finishStandardOutput();
    return output != kExitOk ? output : result;
}
