#include "geo/position_format.h"

#include <QCoreApplication>

#include <cmath>

#include "geo/datum_shift.h"
#include "geo/datum_table.h"
#include "geo/position_parse.h"
#include "geo/transverse_mercator.h"

namespace {

// Splits a non-negative angle into whole degrees and the fraction left over.
// Values that do not fit an int (and NaN) keep their saturated degrees and no
// fraction, so nothing below overflows.
int splitDegrees(double v, double *fraction)
{
    const int d = truncateToInt(v);
    *fraction = (v >= 0.0 && v < 2147483647.0) ? v - d : 0.0;
    return d;
}

// Rounds a fraction in [0, 1) times `scale` to a whole number of printed units.
long long roundToUnits(double value, double scale)
{
    return static_cast<long long>(std::round(value * scale));
}

int carried(int degrees)
{
    return degrees < INT_MAX ? degrees + 1 : degrees;
}

}  // namespace

QString degreeSign()
{
    return QCoreApplication::translate("CoordinateNotation", "°");
}

QString formatAngle(int angleStyle, double value, char hemisphere)
{
    const double v = std::fabs(value) + 5e-10;
    QString text;
    if (angleStyle == kAngleDegreesMinutes) {
        double fraction = 0.0;
        int d = splitDegrees(v, &fraction);
        // Minutes in units of 1e-5, as printed.
        long long minutes = roundToUnits(fraction * 60.0, 1e5);
        if (minutes >= 60 * 100000LL) {
            d = carried(d);
            minutes -= 60 * 100000LL;
        }
        text = QString::asprintf("%c %3d^%08.5f'", hemisphere, d, double(minutes) / 1e5);
    } else if (angleStyle == kAngleDegreesMinutesSeconds) {
        double fraction = 0.0;
        int d = splitDegrees(v, &fraction);
        const double x = fraction * 60.0;
        int minutes = truncateToInt(x);
        // Seconds in units of 1e-3, as printed.
        long long seconds = roundToUnits((x - minutes) * 60.0, 1e3);
        if (seconds >= 60 * 1000LL) {
            ++minutes;
            seconds -= 60 * 1000LL;
        }
        if (minutes >= 60) {
            d = carried(d);
            minutes -= 60;
        }
        text = QString::asprintf("%c %3d^%02d'%06.3f\"", hemisphere, d, minutes,
                                 double(seconds) / 1e3);
    } else {
        text = QString::asprintf("%c %12.8f^", hemisphere, v);
    }
    text.replace(QLatin1Char('^'), degreeSign());
    return text;
}

QVector<NotationChoice> standardNotationChoices()
{
    return {
        {kAngleDegrees, kGridLatLon, QStringLiteral("度")},
        {kAngleDegreesMinutes, kGridLatLon, QStringLiteral("度分")},
        {kAngleDegreesMinutesSeconds, kGridLatLon, QStringLiteral("度分秒")},
        {kAngleDegrees, kGridUtm, QStringLiteral("UTM")},
        {kAngleDegrees, kGridTm, QStringLiteral("TM")},
    };
}

namespace {

// Whole metres as the texts show them: (int)(value + 0.5), truncating toward
// zero (so −0.7 m shows as 0).
int roundedMetres(double value)
{
    return truncateToInt(value + 0.5);
}

// Keeps a number that is about to be truncated from falling just below a
// whole value: moved 5e-10 away from zero.
double nudgedAwayFromZero(double value)
{
    return value >= 0.0 ? value + 5e-10 : value - 5e-10;
}

}  // namespace

GeoPosition shownPositionOnDatum(const GeoPosition &wgs84, int datumIndex)
{
    if (datumIndex == kWgs72DatumIndex)
        return wgs84;
    GeoPosition in = wgs84;
    in.height = 0.0;
    return wgs84ToDatum(in, datumIndex);
}

FormattedPosition formatPosition(int gridKind, int datumIndex, int angleStyle,
                                 const GeoPosition &wgs84)
{
    const GeoPosition onDatum = shownPositionOnDatum(wgs84, datumIndex);
    FormattedPosition out;
    if (gridKind == kGridUtm) {
        const EllipsoidRecord &ellipsoid = datumEllipsoidRecord(datumIndex);
        const UtmPosition utm = utmForward(ellipsoid.a, ellipsoid.inverseFlattening,
                                           onDatum.latitude, onDatum.longitude);
        out.lonOrEastingText = QStringLiteral("%1 %2 %3")
                                   .arg(utm.zone)
                                   .arg(QLatin1Char(utm.band))
                                   .arg(roundedMetres(utm.easting));
        out.latOrNorthingText = QString::number(roundedMetres(utm.northing));
        out.latOrNorthing = utm.northing;
        out.lonOrEasting = utm.easting;
        out.outsideGrid = utm.band == 'Z';  // beyond 84° N or 80° S: no band letter
    } else if (gridKind == kGridTm) {
        const GridPosition grid =
            tmForward(tmGridParameters(datumIndex), onDatum.latitude, onDatum.longitude);
        out.lonOrEastingText = QString::asprintf("%7dE", roundedMetres(grid.easting));
        out.latOrNorthingText = QString::asprintf("%7dN", roundedMetres(grid.northing));
        out.latOrNorthing = grid.northing;
        out.lonOrEasting = grid.easting;
        const int easting = roundedMetres(grid.easting);
        const int northing = roundedMetres(grid.northing);
        const IntRange eastings = tmEastingRange();
        const IntRange northings = tmNorthingRange();
        out.outsideGrid = easting < eastings.bottom || easting > eastings.top || northing < northings.bottom
            || northing > northings.top;
    } else {
        const char north = onDatum.latitude >= 0.0 ? 'N' : 'S';
        const char east = onDatum.longitude >= 0.0 ? 'E' : 'W';
        out.lonOrEastingText = formatAngle(angleStyle, onDatum.longitude, east);
        out.latOrNorthingText = formatAngle(angleStyle, onDatum.latitude, north);
        out.latOrNorthing = onDatum.latitude;
        out.lonOrEasting = onDatum.longitude;
    }
    out.latOrNorthing = nudgedAwayFromZero(out.latOrNorthing);
    out.lonOrEasting = nudgedAwayFromZero(out.lonOrEasting);
    return out;
}
