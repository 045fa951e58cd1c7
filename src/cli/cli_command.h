#pragma once

#include <QFile>
#include <QString>
#include <QStringList>
#include <QVector>

#include <initializer_list>
#include <utility>

#include "project/map_project.h"
#include "smf/smf_reader.h"

// Exit codes shared by every command of mapvane-cli; `mapvane-cli help` and the
// README list them.
enum CliExit {
    kExitOk = 0,
    kExitInvalidInput = 1,  // the content of an image, .map, sidecar or SMF file, or a calibration
    kExitUsage = 2,         // bad arguments, or an output that is one of the inputs
    kExitIo = 3,            // a file could not be opened, read or written
    kGoOn = -1,             // not an exit: the command goes on
};

// One sub-command of mapvane-cli. Each command file registers itself with a
// static CliCommandRegistrar, so adding a command touches no other file.
struct CliCommand
{
    const char *name;
    const char *usage;  // one or more lines, without the program name
    const char *help;   // what it does, its arguments and options, for --help and help COMMAND
    int (*run)(const QStringList &args);  // args after the command name
};

struct CliCommandRegistrar
{
    explicit CliCommandRegistrar(const CliCommand &command);
};

// Every registered command, sorted by name.
QVector<CliCommand> cliCommands();

// The whole help of a command: its usage lines and its help text.
QString commandHelp(const CliCommand &command);

// One option a command knows; flags take no value.
struct CliOption
{
    const char *name;
    bool takesValue;
};

// A command's arguments, split.
struct CliArguments
{
    QVector<std::pair<QString, QString>> options;  // in the order given; empty value for flags
    QVector<qsizetype> positionalBefore;           // for each option, how many positional words came before it
    QStringList positional;
};

// Splits the arguments of command `name`. A word that starts with '-' is an option,
// never a file name, unless it follows "--" (or, with numbersArePositional, a digit or
// '.' follows the '-', so "-33.9" and "-110563N" are values); an option that takes a
// value takes the next word
// whatever it is. "-h" and "--help" print the command's help. Returns kGoOn, or the
// code the command ends with at once: kExitOk after the help, kExitUsage after
// printing an unknown option or a missing value.
int splitArguments(const char *name, const QStringList &args, std::initializer_list<CliOption> known,
                   bool numbersArePositional, CliArguments *out);

// Prints "mapvane-cli: NAME: text" for a usage error and returns kExitUsage.
int usageError(const char *name, const QString &text);

// The --level option of the commands that write tiles: the deflate level, 1 to 12.
inline constexpr CliOption kLevelOption{"--level", true};
#define MAPVANE_LEVEL_HELP "  --level N            deflate level of the tiles, 1 (fastest) to 12 (smallest), default 6\n"

// Reads a --level value into *level; otherwise prints a usage error naming the
// command and returns false.
bool parseDeflateLevel(const char *name, const QString &text, int *level);

// A datum given as its number (0..227) or its name (see findDatum); -1 if none.
int datumIndexOf(const QString &text);

// UTF-8 output helpers. printErr adds "mapvane-cli: " in front and a line end.
void printOut(const QString &text);
void printErr(const QString &text);

// "1 level", "2 levels".
QString counted(qint64 count, const char *singular, const char *plural);

// A progress bar on standard error, drawn only when standard error is a terminal.
class TerminalProgress : public ProgressReporter
{
public:
    TerminalProgress();
    void start(int maximum) override;
    void setValue(int value) override;
    void finish() override;

private:
    void draw(int value);

    bool m_enabled = false;
    bool m_drawn = false;
    int m_maximum = 0;
};

// Opens an SMF file for reading and reads its checked structure. Returns kGoOn, or
// after printing why (prefixed with command): kExitIo when the file cannot be
// opened, kExitInvalidInput when it is not a usable SMF file.
int openSmfInput(const QString &command, const QString &path, QFile *file, SmfFileIndex *index);
