#pragma once

#include <QBuffer>
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

// One option a command knows; flags take no value. A long option that takes a value
// also reads "--name=value"; alias is its one-letter form ("-q"), if any.
struct CliOption
{
    const char *name;
    bool takesValue;
    const char *alias = nullptr;
};

// A command's arguments, split.
struct CliArguments
{
    QVector<std::pair<QString, QString>> options;  // in the order given; empty value for flags
    QVector<qsizetype> positionalBefore;           // for each option, how many positional words came before it
    QStringList positional;
};

// Splits the arguments of command `name`. A word that starts with '-' is an option,
// never a file name, unless it is "-" alone (standard input), follows "--" or, with
// numbersArePositional, has a digit or '.' after the '-' (so "-33.9" and "-110563N"
// are values); an option that takes a value takes the next word whatever it is, or
// the text after '=' in "--name=value". Options are stored under their long name.
// "-h" and "--help" print the command's help, "-V" and "--version" the version.
// Returns kGoOn, or the code the command ends with at once: kExitOk after the help or
// the version, kExitUsage after printing an unknown option, a missing value or a
// value given to a flag.
int splitArguments(const char *name, const QStringList &args, std::initializer_list<CliOption> known,
                   bool numbersArePositional, CliArguments *out);

// An argument echoed in a message: in single quotes, on one line (control characters
// shown as '?'), at most 80 characters and "..." after.
QString quotedArgument(const QString &text);

// Prints "mapvane-cli: NAME: text" for a usage error and returns kExitUsage.
int usageError(const char *name, const QString &text);

// Refuses an output that exists and is a folder, a device, a pipe or a socket, that is
// one of inputs (see outputRefusal), or that is "-" (files are not written to standard
// output). Returns kGoOn, or kExitUsage after printing why.
int checkOutputPath(const char *name, const QString &path, const QStringList &inputs);

// Whether an option was given (the last value wins where one is taken).
bool hasOption(const CliArguments &arguments, const char *name);

// Gives *value the option's value when the option was given once; returns false
// after printing a usage error when it was given more than once.
bool singleOption(const char *command, const CliArguments &arguments, const char *name, QString *value);

// "mapvane-cli 2.0.0".
QString versionText();

// The options that every command writing a file takes: --quiet (-q) keeps standard
// output empty, --threads N limits the worker threads.
inline constexpr CliOption kQuietOption{"--quiet", false, "-q"};
inline constexpr CliOption kThreadsOption{"--threads", true};
inline constexpr int kMaxThreads = 256;
#define MAPVANE_QUIET_HELP "  -q, --quiet          nothing on standard output; warnings and errors still go to\n" \
                           "                       standard error\n"
#define MAPVANE_THREADS_HELP "  --threads N          worker threads, 1 to 256; default one per core. The file is\n" \
                             "                       the same, byte for byte, for every N\n"

// Reads a --threads value and limits the global thread pool to it; otherwise prints a
// usage error naming the command and returns false.
bool applyThreadLimit(const char *name, const QString &text);

// The --level option of the commands that write tiles: the deflate level, 1 to 12.
inline constexpr CliOption kLevelOption{"--level", true};
#define MAPVANE_LEVEL_HELP "  --level N            deflate level of the tiles, 1 (fastest) to 12 (smallest), default 6\n"

// Reads a --level value into *level; otherwise prints a usage error naming the
// command and returns false.
bool parseDeflateLevel(const char *name, const QString &text, int *level);

// A datum given as its number (0..227) or its name (see findDatum); -1 if none.
int datumIndexOf(const QString &text);

// UTF-8 output helpers. printErr adds "mapvane-cli: " in front and a line end.
// printOut and writeOut stop writing after the first failure, which
// finishStandardOutput reports.
void printOut(const QString &text);
void writeOut(const QByteArray &bytes);
void printErr(const QString &text);

// Whether a write to standard output has failed.
bool standardOutputFailed();

// Flushes standard output. Returns kExitOk, or kExitIo after printing the system's
// reason when a write or the flush failed.
int finishStandardOutput();

// "1 level", "2 levels".
QString counted(qint64 count, const char *singular, const char *plural);

// A progress bar on standard error, drawn only when standard error is a terminal and
// the bar is wanted (not with --quiet).
class TerminalProgress : public ProgressReporter
{
public:
    explicit TerminalProgress(bool wanted = true);
    void start(int maximum) override;
    void setValue(int value) override;
    void finish() override;

private:
    void draw(int value);

    bool m_enabled = false;
    bool m_drawn = false;
    int m_maximum = 0;
};

// An SMF file opened for reading: the file itself when it is a regular file, else
// (standard input as "-", a pipe) its bytes read whole into memory.
struct SmfInput
{
    QFile file;
    QBuffer buffer;
    QIODevice *device = nullptr;  // &file or &buffer once opened
};

// The most read from a pipe: 256 MiB.
inline constexpr qint64 kMaxPipedSmfBytes = qint64(256) << 20;

// Opens an SMF file for reading and reads its checked structure. path "-" is standard
// input; standard input or a pipe is read whole, up to kMaxPipedSmfBytes. Returns
// kGoOn, or after printing why (prefixed with command): kExitIo when the file cannot
// be opened or read, or is a folder, a device or a socket; kExitInvalidInput when it
// is not a usable SMF file or a pipe holds more than kMaxPipedSmfBytes.
int openSmfInput(const QString &command, const QString &path, SmfInput *input, SmfFileIndex *index);
