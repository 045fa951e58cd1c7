// mapvane-cli coord: shows a WGS 84 position in one of the five notations on
// any datum, reads typed UTM/TM texts, and shifts datum positions to WGS 84.

#include <QLocale>

#include <cmath>

#include "cli/cli_command.h"
#include "geo/datum_shift.h"
#include "geo/datum_table.h"
#include "geo/position_parse.h"
#include "geo/position_format.h"

namespace {

constexpr char kName[] = "coord";

// The checked arguments of one coord run.
struct CoordRequest
{
    int datumIndex = kWgs84DatumIndex;
    int notationRow = -1;    // row of standardNotationChoices(), or -1
    int parseGridKind = -1;  // kGridUtm or kGridTm with --parse, else -1
    bool toWgs84 = false;
    bool listDatums = false;
    QString firstText;       // with --parse the two texts; otherwise latitude and longitude
    QString secondText;
    double latitude = 0.0;   // degrees, checked to ±90
    double longitude = 0.0;  // degrees, checked to ±180
};

// An argument echoed in a message, kept on one line.
QString quoted(const QString &text)
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

bool readNumber(const QString &text, double *value)
{
    bool ok = false;
    *value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok && std::isfinite(*value);
}

int notationRow(const QString &text)
{
    static const char *const kNames[] = {"deg", "dm", "dms", "utm", "tm"};
    for (int row = 0; row < 5; ++row) {
        if (text == QLatin1String(kNames[row]))
            return row;
    }
    return -1;
}

// Fills request from the arguments. Returns kGoOn, or the exit code after printing
// why (or the help).
int parseArguments(const QStringList &args, CoordRequest *request)
{
    CliArguments split;
    const int done = splitArguments(kName, args,
                                    {{"--datum", true}, {"--notation", true}, {"--parse", true},
                                     {"--to-wgs84", false}, {"--list-datums", false}},
                                    true, &split);
    if (done != kGoOn)
        return done;
    QStringList seen;
    bool notationGiven = false;
    bool parseGiven = false;
    for (const auto &[option, value] : std::as_const(split.options)) {
        if (seen.contains(option))
            return usageError(kName, QStringLiteral("%1 given twice").arg(option));
        seen.append(option);
        if (option == QLatin1String("--datum")) {
            request->datumIndex = datumIndexOf(value);
            if (request->datumIndex < 0) {
                return usageError(kName, QStringLiteral("unknown datum %1 (give 0 to 227 or a name 'coord "
                                                        "--list-datums' prints)")
                                             .arg(quoted(value)));
            }
        } else if (option == QLatin1String("--notation")) {
            notationGiven = true;
            request->notationRow = notationRow(value);
            if (request->notationRow < 0)
                return usageError(kName, QStringLiteral("unknown notation %1 (give deg, dm, dms, utm or tm)").arg(quoted(value)));
        } else if (option == QLatin1String("--parse")) {
            parseGiven = true;
            request->parseGridKind = value == QLatin1String("utm") ? kGridUtm : value == QLatin1String("tm") ? kGridTm : -1;
            if (request->parseGridKind < 0)
                return usageError(kName, QStringLiteral("unknown grid %1 for --parse (give utm or tm)").arg(quoted(value)));
        } else if (option == QLatin1String("--to-wgs84")) {
            request->toWgs84 = true;
        } else {
            request->listDatums = true;
        }
    }
    if (request->listDatums) {
        if (seen.size() > 1 || !split.positional.isEmpty())
            return usageError(kName, QStringLiteral("--list-datums takes no other argument"));
        return kGoOn;
    }
    if (notationGiven && (parseGiven || request->toWgs84))
        return usageError(kName, QStringLiteral("--notation cannot be combined with --parse or --to-wgs84"));
    if (!notationGiven && !parseGiven && !request->toWgs84)
        return usageError(kName, QStringLiteral("give one of --notation, --parse, --to-wgs84 or --list-datums"));
    if (split.positional.size() != 2) {
        return usageError(kName, QStringLiteral("expected two values, %1; got %2")
                                     .arg(parseGiven ? QStringLiteral("EASTING_TEXT NORTHING_TEXT")
                                                     : QStringLiteral("LAT LON"))
                                     .arg(split.positional.size()));
    }
    request->firstText = split.positional.at(0);
    request->secondText = split.positional.at(1);
    if (parseGiven)
        return kGoOn;
    if (!readNumber(request->firstText, &request->latitude))
        return usageError(kName, QStringLiteral("latitude %1 is not a number").arg(quoted(request->firstText)));
    if (!readNumber(request->secondText, &request->longitude))
        return usageError(kName, QStringLiteral("longitude %1 is not a number").arg(quoted(request->secondText)));
    if (std::fabs(request->latitude) > 90.0)
        return usageError(kName, QStringLiteral("latitude %1 is outside -90 to 90").arg(quoted(request->firstText)));
    if (std::fabs(request->longitude) > 180.0)
        return usageError(kName, QStringLiteral("longitude %1 is outside -180 to 180").arg(quoted(request->secondText)));
    return kGoOn;
}

int runCoord(const QStringList &args)
{
    CoordRequest request;
    const int done = parseArguments(args, &request);
    if (done != kGoOn)
        return done;
    if (request.listDatums) {
        QString text;
        for (int index = 0; index < kDatumCount; ++index)
            text += QStringLiteral("%1 %2\n").arg(index).arg(datumName(index));
        printOut(text);
        return kExitOk;
    }
    if (request.notationRow >= 0) {
        const NotationChoice choice = standardNotationChoices().at(request.notationRow);
        const FormattedPosition shown = formatPosition(choice.gridKind, request.datumIndex, choice.angleStyle,
                                                       {request.latitude, request.longitude, 0.0});
        printOut(shown.lonOrEastingText + QLatin1Char('\n') + shown.latOrNorthingText + QLatin1Char('\n')
                 + QString::asprintf("%.10f %.10f\n", shown.latOrNorthing, shown.lonOrEasting));
        return kExitOk;
    }
    GeoPosition position{request.latitude, request.longitude, 0.0};
    if (request.parseGridKind >= 0) {
        QString error;
        if (!readGridPosition(request.parseGridKind, request.datumIndex, request.firstText, request.secondText,
                              &position, &error)) {
            printErr(QStringLiteral("coord: %1").arg(error));
            return kExitInvalidInput;
        }
    }
    if (request.toWgs84) {
        position.height = 0.0;
        position = datumToWgs84(position, request.datumIndex);
    }
    printOut(QString::asprintf("%.9f %.9f\n", position.latitude, position.longitude));
    return kExitOk;
}

const CliCommandRegistrar registrar({
    kName,
    "[--datum D] --notation deg|dm|dms|utm|tm LAT LON\n"
    "[--datum D] --parse utm|tm EASTING_TEXT NORTHING_TEXT\n"
    "[--datum D] --to-wgs84 {LAT LON | --parse utm|tm EASTING_TEXT NORTHING_TEXT}\n"
    "--list-datums",
    "Converts positions as the window's read-outs and calibration form do.\n"
    "\n"
    "  --notation N    shows the WGS 84 position LAT LON (decimal degrees) on datum D in\n"
    "                  notation N: two lines as the window shows them, then the unrounded\n"
    "                  latitude (or northing) and longitude (or easting)\n"
    "  --parse G       reads a grid position on datum D as the window's fields accept it:\n"
    "                  utm \"ZONE BAND EASTING\" NORTHING (\"49 Q 757196\" 2490319.87), or tm\n"
    "                  EASTING NORTHING with optional E and N (\" 306513E\" 2769217N);\n"
    "                  metres may have decimals; prints latitude and longitude on datum D\n"
    "  --to-wgs84      shifts the position on datum D to WGS 84\n"
    "  --datum D       a datum index 0 to 227 or its name, without regard to case, blanks\n"
    "                  and punctuation (\"WGS84\", \"wgs 1984\"); default 224, WGS 1984\n"
    "  --list-datums   prints the index and name of every datum\n"
    "  -h, --help      this help\n"
    "\n"
    "A negative number needs no '--'. A grid text that cannot be read exits 1 naming the\n"
    "field.\n",
    runCoord,
});

}  // namespace
