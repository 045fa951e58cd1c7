#include "cli/cli_command.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
QVector<CliCommand> &registry()
{
    static QVector<CliCommand> commands;
    return commands;
}
}  // namespace

CliCommandRegistrar::CliCommandRegistrar(const CliCommand &command)
{
    registry().append(command);
}

QVector<CliCommand> cliCommands()
{
    QVector<CliCommand> commands = registry();
    std::sort(commands.begin(), commands.end(),
              [](const CliCommand &a, const CliCommand &b) { return std::strcmp(a.name, b.name) < 0; });
    return commands;
}

void printOut(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void printErr(const QString &text)
{
    const QByteArray bytes = "mapvane-cli: " + text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}
