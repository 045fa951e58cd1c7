// mapvane-cli coord: one position converted, for the single call and for each line of
// 'coord -'.

#include "cli/coord_conversion.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>

#include <cmath>

#include "cli/cli_command.h"
#include "geo/datum_shift.h"
#include "geo/position_format.h"
#include "geo/position_parse.h"

namespace {

bool readNumber(const QString &text, double *value)
{
    bool ok = false;
    *value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok && std::isfinite(*value);
}

// Why the notation cannot show a position that formatPosition marks outside its grid.
QString outsideGridReason(int gridKind, const QString &latText, const QString &lonText)
{
    const QString position = QStringLiteral("the position %1 %2").arg(quotedArgument(latText), quotedArgument(lonText));
    if (gridKind == kGridUtm)
        return QStringLiteral("%1 cannot be shown in UTM: UTM covers 80°S to 84°N").arg(position);
    const IntRange eastings = tmEastingRange();
    const IntRange northings = tmNorthingRange();
    return QStringLiteral("%1 lies outside the TM grid: it covers eastings %2 to %3 m and northings %4 to %5 m")
        .arg(position).arg(eastings.bottom).arg(eastings.top).arg(northings.bottom).arg(northings.top);
}

}  // namespace

bool readLatLon(const QString &latText, const QString &lonText, double *latitude, double *longitude, QString *error)
{
    if (!readNumber(latText, latitude))
        *error = QStringLiteral("latitude %1 is not a number").arg(quotedArgument(latText));
    else if (!readNumber(lonText, longitude))
        *error = QStringLiteral("longitude %1 is not a number").arg(quotedArgument(lonText));
    else if (std::fabs(*latitude) > 90.0)
        *error = QStringLiteral("latitude %1 is outside -90 to 90").arg(quotedArgument(latText));
    else if (std::fabs(*longitude) > 180.0)
        *error = QStringLiteral("longitude %1 is outside -180 to 180").arg(quotedArgument(lonText));
    else
        return true;
    return false;
}

CoordResult convertPosition(const CoordRequest &request, const QString &first, const QString &second)
{
    CoordResult result;
    GeoPosition position;
    if (request.parseGridKind >= 0) {
        if (!readGridPosition(request.parseGridKind, request.datumIndex, first, second, &position, &result.error))
            return result;
    } else if (!readLatLon(first, second, &position.latitude, &position.longitude, &result.error)) {
        return result;
    }
    if (request.notationRow >= 0) {
        const NotationChoice choice = standardNotationChoices().at(request.notationRow);
        const FormattedPosition shown = formatPosition(choice.gridKind, request.datumIndex, choice.angleStyle, position);
        if (shown.outsideGrid) {
            result.error = outsideGridReason(choice.gridKind, first, second);
            return result;
        }
        result.lines = QStringList{shown.lonOrEastingText, shown.latOrNorthingText,
                                   QString::asprintf("%.10f %.10f", shown.latOrNorthing, shown.lonOrEasting)};
        if (choice.gridKind != kGridLatLon) {
            result.eastingText = shown.lonOrEastingText;
            result.northingText = shown.latOrNorthingText;
        }
        const GeoPosition onDatum = shownPositionOnDatum(position, request.datumIndex);
        result.latitude = onDatum.latitude;
        result.longitude = onDatum.longitude;
        return result;
    }
    if (request.toWgs84) {
        position.height = 0.0;
        position = datumToWgs84(position, request.datumIndex);
    }
    result.latitude = position.latitude;
    result.longitude = position.longitude;
    result.lines = QStringList{QString::asprintf("%.9f %.9f", position.latitude, position.longitude)};
    return result;
}

bool splitPositionLine(const CoordRequest &request, const QString &line, QString *first, QString *second,
                       QString *error)
{
    const bool utm = request.parseGridKind == kGridUtm;
    if (line.contains(QLatin1Char('\t'))) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        *first = fields.at(0);
        *second = fields.at(1);
        return true;
    }
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QStringList words = line.split(blanks, Qt::SkipEmptyParts);
    const bool fits = utm ? words.size() == 3 || words.size() == 4 : words.size() == 2;
    if (!fits) {
        *error = utm ? QStringLiteral("expected ZONE BAND EASTING NORTHING, got %1 words").arg(words.size())
                     : QStringLiteral("expected two values, %1; got %2")
                           .arg(request.parseGridKind == kGridTm ? QStringLiteral("EASTING NORTHING")
                                                                 : QStringLiteral("LAT LON"))
                           .arg(words.size());
        return false;
    }
    *second = words.takeLast();
    *first = words.join(QLatin1Char(' '));
    return true;
}

QByteArray resultText(const CoordResult &result, qint64 lineNumber, bool json)
{
    if (!json)
        return result.error.isEmpty() ? result.lines.join(QLatin1Char('\t')).toUtf8() + '\n' : QByteArray("\n");
    QJsonObject object{{QStringLiteral("line"), lineNumber}};
    if (!result.error.isEmpty()) {
        object.insert(QStringLiteral("error"), result.error);
    } else {
        if (!result.eastingText.isEmpty()) {
            object.insert(QStringLiteral("easting"), result.eastingText);
            object.insert(QStringLiteral("northing"), result.northingText);
        }
        object.insert(QStringLiteral("lat"), result.latitude);
        object.insert(QStringLiteral("lon"), result.longitude);
    }
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}
