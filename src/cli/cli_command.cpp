#include "cli/cli_command.h"

#include <QByteArray>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "geo/datum_table.h"
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
        if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || (numbersArePositional && startsAsNegativeNumber(arg))) {
            out->positional.append(arg);
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            for (const CliCommand &command : cliCommands()) {
                if (std::strcmp(command.name, name) == 0)
                    printOut(commandHelp(command));
            }
            return kExitOk;
        }
        const auto option = std::find_if(known.begin(), known.end(),
                                          [&arg](const CliOption &o) { return arg == QLatin1String(o.name); });
        if (option == known.end()) {
            return usageError(name, QStringLiteral("unknown option '%1'; 'mapvane-cli help %2' lists the options")
                                        .arg(arg.left(80), QString::fromUtf8(name)));
        }
        QString value;
        if (option->takesValue) {
            if (i + 1 >= args.size())
                return usageError(name, QStringLiteral("option %1 needs a value").arg(arg));
            value = args.at(++i);
        }
        out->options.append({arg, value});
        out->positionalBefore.append(out->positional.size());
    }
    return kGoOn;
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

QString counted(qint64 count, const char *singular, const char *plural)
{
    return QStringLiteral("%1 %2").arg(count).arg(QString::fromUtf8(count == 1 ? singular : plural));
}

TerminalProgress::TerminalProgress()
    : m_enabled(isatty(fileno(stderr)) == 1)
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

int openSmfInput(const QString &command, const QString &path, QFile *file, SmfFileIndex *index)
{
    file->setFileName(path);
    if (!file->open(QIODevice::ReadOnly)) {
        printErr(QStringLiteral("%1: cannot open %2: %3").arg(command, path, file->errorString()));
        return kExitIo;
    }
    QString error;
    if (!readSmfStructure(*file, index, &error)) {
        printErr(QStringLiteral("%1: %2 is not a usable SMF file: %3").arg(command, path, error));
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
