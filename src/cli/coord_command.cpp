// mapvane-cli coord: shows a WGS 84 position in one of the five notations on
// any datum, reads typed UTM/TM texts, and shifts datum positions to WGS 84; one
// position from the command line, or one per line of standard input.

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cli/cli_command.h"
#include "cli/coord_conversion.h"
#include "geo/datum_table.h"
#include "geo/position_format.h"

namespace {

constexpr char kName[] = "coord";
constexpr int kMaxLineBytes = 4096;  // a longer line of 'coord -' is refused

// The checked arguments of one coord run.
struct CoordArguments
{
    CoordRequest request;
    bool listDatums = false;
    bool json = false;
    bool batch = false;   // "-": positions from standard input
    QString firstText;    // with --parse the two texts; otherwise latitude and longitude
    QString secondText;
};

// The row of a notation name, without regard to case; -1 for none.
int notationRow(const QString &text)
{
    static const char *const kNames[] = {"deg", "dm", "dms", "utm", "tm"};
    for (int row = 0; row < 5; ++row) {
        if (text.compare(QLatin1String(kNames[row]), Qt::CaseInsensitive) == 0)
            return row;
    }
    return -1;
}

int gridKindOf(const QString &text)
{
    if (text.compare(QLatin1String("utm"), Qt::CaseInsensitive) == 0)
        return kGridUtm;
    return text.compare(QLatin1String("tm"), Qt::CaseInsensitive) == 0 ? kGridTm : -1;
}

// Fills arguments from the command line. Returns kGoOn, or the exit code after
// printing why (or the help).
int parseArguments(const QStringList &args, CoordArguments *arguments)
{
    CliArguments split;
    const int done = splitArguments(kName, args,
                                    {{"--datum", true}, {"--notation", true}, {"--parse", true},
                                     {"--to-wgs84", false}, {"--list-datums", false}, {"--json", false}},
                                    true, &split);
    if (done != kGoOn)
        return done;
    CoordRequest &request = arguments->request;
    QStringList seen;
    for (const auto &[option, value] : std::as_const(split.options)) {
        if (seen.contains(option))
            return usageError(kName, QStringLiteral("%1 given twice").arg(option));
        seen.append(option);
        if (option == QLatin1String("--datum")) {
            request.datumIndex = datumIndexOf(value);
            if (request.datumIndex < 0) {
                return usageError(kName, QStringLiteral("unknown datum %1 (give 0 to 227 or a name 'coord "
                                                        "--list-datums' prints)")
                                             .arg(quotedArgument(value)));
            }
        } else if (option == QLatin1String("--notation")) {
            request.notationRow = notationRow(value);
            if (request.notationRow < 0)
                return usageError(kName, QStringLiteral("unknown notation %1 (give deg, dm, dms, utm or tm)").arg(quotedArgument(value)));
        } else if (option == QLatin1String("--parse")) {
            request.parseGridKind = gridKindOf(value);
            if (request.parseGridKind < 0)
                return usageError(kName, QStringLiteral("unknown grid %1 for --parse (give utm or tm)").arg(quotedArgument(value)));
        } else if (option == QLatin1String("--to-wgs84")) {
            request.toWgs84 = true;
        } else if (option == QLatin1String("--json")) {
            arguments->json = true;
        } else {
            arguments->listDatums = true;
        }
    }
    const bool notationGiven = request.notationRow >= 0;
    const bool parseGiven = request.parseGridKind >= 0;
    if (arguments->listDatums) {
        if (seen.size() > 1 || !split.positional.isEmpty())
            return usageError(kName, QStringLiteral("--list-datums takes no other argument"));
        return kGoOn;
    }
    if (notationGiven && (parseGiven || request.toWgs84))
        return usageError(kName, QStringLiteral("--notation cannot be combined with --parse or --to-wgs84"));
    if (!notationGiven && !parseGiven && !request.toWgs84)
        return usageError(kName, QStringLiteral("give one of --notation, --parse, --to-wgs84 or --list-datums"));
    if (split.positional == QStringList{QStringLiteral("-")}) {
        arguments->batch = true;
        return kGoOn;
    }
    if (split.positional.size() != 2) {
        return usageError(kName, QStringLiteral("expected two values, %1, or '-'; got %2")
                                     .arg(parseGiven ? QStringLiteral("EASTING_TEXT NORTHING_TEXT")
                                                     : QStringLiteral("LAT LON"))
                                     .arg(split.positional.size()));
    }
    arguments->firstText = split.positional.at(0);
    arguments->secondText = split.positional.at(1);
    // A latitude or longitude that is no number is a usage error of the single call.
    double latitude = 0.0;
    double longitude = 0.0;
    QString error;
    if (!parseGiven && !readLatLon(arguments->firstText, arguments->secondText, &latitude, &longitude, &error))
        return usageError(kName, error);
    return kGoOn;
}

// The position of the command line. Returns kExitOk, or kExitInvalidInput after
// printing why (also as JSON with --json).
int convertOne(const CoordArguments &arguments)
{
    const CoordResult result = convertPosition(arguments.request, arguments.firstText, arguments.secondText);
    if (!result.error.isEmpty()) {
        if (arguments.json)
            writeOut(resultText(result, 1, true));
        printErr(QStringLiteral("coord: %1").arg(result.error));
        return kExitInvalidInput;
    }
    writeOut(arguments.json ? resultText(result, 1, true) : result.lines.join(QLatin1Char('\n')).toUtf8() + '\n');
    return kExitOk;
}

// One position per line of standard input, one output line each, in order. Returns
// kExitOk, or kExitInvalidInput when a line could not be converted; stops at the first
// failed write to standard output, which main reports.
int convertLines(const CoordArguments &arguments)
{
    char buffer[kMaxLineBytes + 2];
    qint64 lineNumber = 0;
    bool failed = false;
    while (!standardOutputFailed() && std::fgets(buffer, sizeof buffer, stdin)) {
        ++lineNumber;
        std::size_t length = std::strlen(buffer);
        const bool complete = length > 0 && buffer[length - 1] == '\n';
        CoordResult result;
        if (!complete && !std::feof(stdin)) {
            // Longer than the limit: the rest of the line is skipped.
            int c = 0;
            while ((c = std::fgetc(stdin)) != EOF && c != '\n') {
            }
            result.error = QStringLiteral("the line is longer than %1 bytes").arg(kMaxLineBytes);
        } else {
            while (length > 0 && (buffer[length - 1] == '\n' || buffer[length - 1] == '\r'))
                --length;
            const QString line = QString::fromUtf8(buffer, qsizetype(length));
            QString first;
            QString second;
            if (splitPositionLine(arguments.request, line, &first, &second, &result.error))
                result = convertPosition(arguments.request, first, second);
        }
        if (!result.error.isEmpty()) {
            failed = true;
            printErr(QStringLiteral("coord: line %1: %2").arg(lineNumber).arg(result.error));
        }
        writeOut(resultText(result, lineNumber, arguments.json));
    }
    if (std::ferror(stdin)) {
        printErr(QStringLiteral("coord: cannot read standard input: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
        return kExitIo;
    }
    return failed ? kExitInvalidInput : kExitOk;
}

int runCoord(const QStringList &args)
{
    CoordArguments arguments;
    const int done = parseArguments(args, &arguments);
    if (done != kGoOn)
        return done;
    if (arguments.listDatums) {
        QString text;
        for (int index = 0; index < kDatumCount; ++index)
            text += QStringLiteral("%1 %2\n").arg(index).arg(datumName(index));
        printOut(text);
        return kExitOk;
    }
    return arguments.batch ? convertLines(arguments) : convertOne(arguments);
}

const CliCommandRegistrar registrar({
    kName,
    "--notation deg|dm|dms|utm|tm {LAT LON | -} [--datum D] [--json]\n"
    "--parse utm|tm {EASTING_TEXT NORTHING_TEXT | -} [--to-wgs84] [--datum D] [--json]\n"
    "--to-wgs84 {LAT LON | -} [--datum D] [--json]\n"
    "--list-datums",
    "Converts positions as the window's read-outs and calibration form do.\n"
    "\n"
    "  --notation N    shows the WGS 84 position LAT LON (decimal degrees) on datum D in\n"
    "                  notation N (any letter case): two lines as the window shows them,\n"
    "                  then the unrounded latitude (or northing) and longitude (or\n"
    "                  easting). UTM covers 80°S to 84°N and the TM grid its eastings\n"
    "                  and northings; a position beyond them exits 1, so that everything\n"
    "                  printed reads back with --parse\n"
    "  --parse G       reads a grid position on datum D as the window's fields accept it:\n"
    "                  utm \"ZONE BAND EASTING\" NORTHING (\"49 Q 757196\" 2490319.87), or tm\n"
    "                  EASTING NORTHING with optional E and N (\" 306513E\" 2769217N);\n"
    "                  metres may have decimals; prints latitude and longitude on datum D\n"
    "  --to-wgs84      shifts the position on datum D to WGS 84\n"
    "  --datum D       a datum index 0 to 227 or its name, without regard to case, blanks\n"
    "                  and punctuation (\"WGS84\", \"wgs 1984\"); default 224, WGS 1984\n"
    "  --json          one JSON object per position: \"line\" (1-based), \"easting\" and\n"
    "                  \"northing\" (the texts, for utm and tm), \"lat\" and \"lon\"\n"
    "                  (unrounded degrees on the output datum), or \"error\"\n"
    "  --list-datums   prints the index and name of every datum\n"
    "  -h, --help      this help\n"
    "  -V, --version   the version\n"
    "\n"
    "'-' reads one position per line of standard input: LAT LON, or for --parse utm\n"
    "ZONE BAND EASTING NORTHING and for --parse tm EASTING NORTHING; a line with tabs\n"
    "is split at its tabs. Each gives one line: the lines the single call prints, as\n"
    "tab-separated fields, so the first two fields of '--notation utm -' feed\n"
    "'--parse utm -'. A line that cannot be read gives an empty line, and a message\n"
    "naming it on standard error; the exit code is then 1.\n"
    "\n"
    "A negative number needs no '--'. A grid text that cannot be read exits 1 naming the\n"
    "field.\n",
    runCoord,
});

}  // namespace
