#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Exit codes shared by every command of mapvane-cli.
enum CliExit {
    kExitOk = 0,
    kExitInvalidInput = 1,  // invalid input or calibration
    kExitUsage = 2,         // bad arguments
    kExitIo = 3,            // a file could not be read or written
};

// One sub-command of mapvane-cli. Each command file registers itself with a
// static CliCommandRegistrar, so adding a command touches no other file.
struct CliCommand
{
    const char *name;
    const char *usage;  // one or more lines, without the program name
    int (*run)(const QStringList &args);  // args after the command name
};

struct CliCommandRegistrar
{
    explicit CliCommandRegistrar(const CliCommand &command);
};

// Every registered command, sorted by name.
QVector<CliCommand> cliCommands();

// UTF-8 output helpers. printErr adds "mapvane-cli: " in front and a line end.
void printOut(const QString &text);
void printErr(const QString &text);
