// mapvane-cli coord: shows a WGS 84 position in one of the five notations on
// any datum, reads typed UTM/TM texts, and shifts datum positions to WGS 84.

#include "cli/cli_command.h"
#include "cli/coord_arguments.h"

#include "geo/datum_shift.h"
#include "geo/grid_parse.h"
#include "geo/notation_choice.h"
#include "geo/position_format.h"

namespace {

QString latLonLine(const GeoPosition &p)
{
    return QString::asprintf("%.9f %.9f\n", p.latitude, p.longitude);
}

int runCoord(const QStringList &args)
{
    CoordRequest request;
    const QString error = parseCoordArguments(args, &request);
    if (!error.isEmpty()) {
        printErr(QStringLiteral("coord: ") + error);
        return kExitUsage;
    }

    if (request.notationRow >= 0) {
        const NotationChoice choice = standardNotationChoices().at(request.notationRow);
        const FormattedPosition shown =
            formatPosition(choice.gridKind, request.datumIndex, choice.angleStyle,
                           {request.latitude, request.longitude, 0.0});
        printOut(shown.lonOrEastingText + QLatin1Char('\n') + shown.latOrNorthingText
                 + QLatin1Char('\n')
                 + QString::asprintf("%.10f %.10f\n", shown.latOrNorthing, shown.lonOrEasting));
        return kExitOk;
    }

    GeoPosition position{request.latitude, request.longitude, 0.0};
    if (request.parseGridKind >= 0) {
        position = parseGridPosition(request.parseGridKind, request.datumIndex,
                                     request.firstText, request.secondText);
    }
    if (request.toWgs84) {
        position.height = 0.0;
        position = datumToWgs84(position, request.datumIndex);
    }
    printOut(latLonLine(position));
    return kExitOk;
}

}  // namespace

static CliCommandRegistrar coordRegistrar(CliCommand{
    "coord",
    "--datum D --notation deg|dm|dms|utm|tm LAT LON\n"
    "--datum D --parse utm|tm EASTING_TEXT NORTHING_TEXT\n"
    "--datum D --to-wgs84 {LAT LON | --parse utm|tm EASTING_TEXT NORTHING_TEXT}",
    runCoord,
});
