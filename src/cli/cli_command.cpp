#include "cli/cli_command.h"

#include <QByteArray>
#include <QThreadPool>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "geo/datum_table.h"
#include "raster/file_access.h"
#include "smf/smf_format.h"

namespace {
QVector<CliCommand> &registry()
{
    static QVector<CliCommand> commands;
    return commands;
}

// "-33.9", "-.5", "-110563N": a negative value, not an option.
bool startsAsNegativeNumber(const QString &text)
{
    return text.size() > 1 && text.at(0) == QLatin1Char('-') && (text.at(1).isDigit() || text.at(1) == QLatin1Char('.'));
}

int g_standardOutputErrno = 0;  // the first failed write to standard output

void printHelpOf(const char *name)
{
    for (const CliCommand &command : cliCommands()) {
        if (std::strcmp(command.name, name) == 0)
            printOut(commandHelp(command));
    }
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

QString commandHelp(const CliCommand &command)
{
    QString text;
    const QStringList lines = QString::fromUtf8(command.usage).split(QLatin1Char('\n'));
    for (const QString &line : lines)
        text += QStringLiteral("%1 mapvane-cli %2 %3\n")
                    .arg(text.isEmpty() ? QStringLiteral("usage:") : QStringLiteral("      "),
                         QString::fromUtf8(command.name), line);
    return text + QLatin1Char('\n') + QString::fromUtf8(command.help);
}

QString quotedArgument(const QString &text)
{
    QString shown = text.left(80);
    for (QChar &c : shown) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char('?');
    }
    if (shown.size() < text.size())
        shown += QStringLiteral("...");
    return QLatin1Char('\'') + shown + QLatin1Char('\'');
}

int usageError(const char *name, const QString &text)
{
    printErr(QStringLiteral("%1: %2").arg(QString::fromUtf8(name), text));
    return kExitUsage;
}

int splitArguments(const char *name, const QStringList &args, std::initializer_list<CliOption> known,
                   bool numbersArePositional, CliArguments *out)
{
    bool optionsEnded = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")
            || (numbersArePositional && startsAsNegativeNumber(arg))) {
            out->positional.append(arg);
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            printHelpOf(name);
            return kExitOk;
        }
        if (arg == QLatin1String("-V") || arg == QLatin1String("--version")) {
            printOut(versionText());
            return kExitOk;
        }
        // "--name=value": the value is the text after the first '='.
        const qsizetype equals = arg.startsWith(QLatin1String("--")) ? arg.indexOf(QLatin1Char('=')) : -1;
        const QString word = equals < 0 ? arg : arg.left(equals);
        const auto option = std::find_if(known.begin(), known.end(), [&word](const CliOption &o) {
            return word == QLatin1String(o.name) || (o.alias && word == QLatin1String(o.alias));
        });
        if (option == known.end()) {
            return usageError(name, QStringLiteral("unknown option '%1'; 'mapvane-cli help %2' lists the options")
                                        .arg(word.left(80), QString::fromUtf8(name)));
        }
        QString value;
        if (equals >= 0) {
            if (!option->takesValue)
                return usageError(name, QStringLiteral("option %1 takes no value").arg(word));
            value = arg.mid(equals + 1);
        } else if (option->takesValue) {
            if (i + 1 >= args.size())
                return usageError(name, QStringLiteral("option %1 needs a value").arg(arg));
            value = args.at(++i);
        }
        out->options.append({QString::fromUtf8(option->name), value});
        out->positionalBefore.append(out->positional.size());
    }
    return kGoOn;
}

int checkOutputPath(const char *name, const QString &path, const QStringList &inputs)
{
    if (path == QLatin1String("-"))
        return usageError(name, QStringLiteral("the output cannot be standard output ('-'); name a file"));
    const QString refusal = outputRefusal(path, inputs);
    return refusal.isEmpty() ? kGoOn : usageError(name, refusal + QStringLiteral("; nothing was written"));
}

bool hasOption(const CliArguments &arguments, const char *name)
{
    return std::any_of(arguments.options.begin(), arguments.options.end(),
                       [name](const auto &option) { return option.first == QLatin1String(name); });
}

bool singleOption(const char *command, const CliArguments &arguments, const char *name, QString *value)
{
    int count = 0;
    for (const auto &[option, given] : arguments.options) {
        if (option == QLatin1String(name)) {
            *value = given;
            ++count;
        }
    }
    if (count > 1) {
        usageError(command, QStringLiteral("%1 given twice").arg(QString::fromUtf8(name)));
        return false;
    }
    return true;
}

QString versionText()
{
    return QStringLiteral("mapvane-cli %1\n").arg(QStringLiteral(MAPVANE_VERSION));
}

bool applyThreadLimit(const char *name, const QString &text)
{
    bool ok = false;
    const int threads = text.toInt(&ok);
    if (!ok || threads < 1 || threads > kMaxThreads) {
        usageError(name, QStringLiteral("--threads needs a whole number from 1 to %1, not '%2'").arg(kMaxThreads).arg(text));
        return false;
    }
    QThreadPool::globalInstance()->setMaxThreadCount(threads);
    return true;
}

void printOut(const QString &text)
{
    writeOut(text.toUtf8());
}

void writeOut(const QByteArray &bytes)
{
    if (g_standardOutputErrno != 0 || bytes.isEmpty())
        return;
    errno = 0;
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size()))
        g_standardOutputErrno = errno != 0 ? errno : EIO;
}

bool standardOutputFailed()
{
    return g_standardOutputErrno != 0;
}

int finishStandardOutput()
{
    errno = 0;
    if (g_standardOutputErrno == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout)))
        g_standardOutputErrno = errno != 0 ? errno : EIO;
    if (g_standardOutputErrno == 0)
        return kExitOk;
    printErr(QStringLiteral("cannot write to standard output: %1")
                 .arg(QString::fromLocal8Bit(std::strerror(g_standardOutputErrno))));
    return kExitIo;
}

void printErr(const QString &text)
{
    const QByteArray bytes = "mapvane-cli: " + text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

QString counted(qint64 count, const char *singular, const char *plural)
{
    return QStringLiteral("%1 %2").arg(count).arg(QString::fromUtf8(count == 1 ? singular : plural));
}

TerminalProgress::TerminalProgress(bool wanted)
    : m_enabled(wanted && isatty(fileno(stderr)) == 1)
{
}

void TerminalProgress::start(int maximum)
{
    m_maximum = maximum;
    draw(0);
}

void TerminalProgress::setValue(int value)
{
    draw(value);
}

void TerminalProgress::finish()
{
    if (m_enabled && m_drawn) {
        std::fputc('\n', stderr);
        std::fflush(stderr);
    }
    m_drawn = false;
}

void TerminalProgress::draw(int value)
{
    if (!m_enabled)
        return;
    constexpr int kWidth = 40;
    const int percent = m_maximum > 0 ? qBound(0, value * 100 / m_maximum, 100) : 100;
    const int filled = percent * kWidth / 100;
    const QByteArray bar = "\rsaving [" + QByteArray(filled, '#') + QByteArray(kWidth - filled, ' ') + "] "
        + QByteArray::number(percent) + '%';
    std::fwrite(bar.constData(), 1, size_t(bar.size()), stderr);
    std::fflush(stderr);
    m_drawn = true;
}

int openSmfInput(const QString &command, const QString &path, SmfInput *input, SmfFileIndex *index)
{
    const bool standardInput = path == QLatin1String("-");
    const QString shown = standardInput ? QStringLiteral("standard input") : path;
    struct stat status;
    const int found = standardInput ? ::fstat(STDIN_FILENO, &status) : ::stat(QFile::encodeName(path).constData(), &status);
    const bool pipe = found == 0 && S_ISFIFO(status.st_mode);
    if (found == 0 && !pipe && !S_ISREG(status.st_mode)) {
        printErr(QStringLiteral("%1: %2 is not a regular file").arg(command, shown));
        return kExitIo;
    }
    QFile &file = input->file;
    file.setFileName(path);
    const bool opened = standardInput ? file.open(STDIN_FILENO, QIODevice::ReadOnly | QIODevice::Unbuffered)
                                      : file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    if (!opened) {
        printErr(QStringLiteral("%1: cannot open %2: %3").arg(command, shown, file.errorString()));
        return kExitIo;
    }
    input->device = &file;
    if (pipe) {
        // A pipe cannot seek: its bytes are read whole, up to a limit.
        QByteArray bytes;
        constexpr qint64 kChunk = qint64(1) << 20;
        qint64 got = 0;
        do {
            if (bytes.capacity() < bytes.size() + kChunk)
                bytes.reserve(2 * (bytes.size() + kChunk));
            bytes.resize(bytes.size() + kChunk);
            got = file.read(bytes.data() + bytes.size() - kChunk, kChunk);
            bytes.chop(kChunk - qMax<qint64>(got, 0));
        } while (got > 0 && bytes.size() <= kMaxPipedSmfBytes);
        if (got < 0) {
            printErr(QStringLiteral("%1: cannot read %2: %3").arg(command, shown, file.errorString()));
            return kExitIo;
        }
        if (bytes.size() > kMaxPipedSmfBytes) {
            printErr(QStringLiteral("%1: %2 holds more than 256 MiB; save it to a file first").arg(command, shown));
            return kExitInvalidInput;
        }
        input->buffer.setData(bytes);
        input->buffer.open(QIODevice::ReadOnly);
        input->device = &input->buffer;
    }
    QString error;
    if (!readSmfStructure(*input->device, index, &error)) {
        printErr(QStringLiteral("%1: %2 is not a usable SMF file: %3").arg(command, shown, error));
        return kExitInvalidInput;
    }
    return kGoOn;
}

// A datum given as its number (0..227) or its name (see findDatum); -1 if none.
int datumIndexOf(const QString &text)
{
    bool ok = false;
    const int index = text.trimmed().toInt(&ok, 10);
    if (ok)
        return index >= 0 && index < kDatumCount ? index : -1;
    return findDatum(text);
}

bool parseDeflateLevel(const char *name, const QString &text, int *level)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < kMinDeflateLevel || value > kMaxDeflateLevel) {
        usageError(name, QStringLiteral("--level needs a whole number from %1 to %2, not '%3'")
                             .arg(kMinDeflateLevel).arg(kMaxDeflateLevel).arg(text));
        return false;
    }
    *level = value;
    return true;
}
