#pragma once

#include <QString>
#include <QVector>

#include <climits>
#include <cmath>

#include "geo/datum_shift.h"

// Degrees per radian. Every conversion between degrees and radians in the
// geodesy code multiplies or divides by this eleven-decimal value (not the
// full-precision 57.29577951308232), in both directions, so that positions
// shown and read back agree with the numbers stored in existing map files.
inline constexpr double DEG_PER_RAD = 57.2957795131;

// Truncates toward zero like a C cast to int, but defined for every input:
// values beyond the int range saturate at INT_MIN/INT_MAX and NaN gives 0.
inline int truncateToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return INT_MAX;
    if (value <= -2147483648.0)
        return INT_MIN;
    return static_cast<int>(value);
}

// Text of one angle for the read-outs and the calibration form: hemisphere
// letter, a blank, then by `angleStyle` (value in degrees, sign dropped):
//   0: "%12.8f°"                     N  22.50000000°
//   1: "%3d°%08.5f'"                 W 121°30.00000'
//   2: "%3d°%02d'%06.3f\""           N  22°30'00.000"
// The value gets 5e-10 added to its magnitude first. Minutes and seconds are
// rounded to the printed precision before printing, and a value that rounds to
// 60 carries into the next unit, so no text ever shows 60 minutes or seconds.
// An unknown style prints as style 0. The degree sign passes through
// translation (context "CoordinateNotation"). NaN and values beyond the int
// range print their degrees saturated, never crash.
QString formatAngle(int angleStyle, double value, char hemisphere);

// The degree sign as the texts show it.
QString degreeSign();

// Values of NotationChoice::gridKind.
inline constexpr int kGridLatLon = 0;  // geographic latitude/longitude
inline constexpr int kGridUtm = 1;     // UTM
inline constexpr int kGridTm = 12;     // the TM grid at 121° E

// Values of NotationChoice::angleStyle (used with kGridLatLon only).
inline constexpr int kAngleDegrees = 0;                // N  22.50000000°
inline constexpr int kAngleDegreesMinutes = 1;         // N  22°30.00000'
inline constexpr int kAngleDegreesMinutesSeconds = 2;  // N  22°30'00.000"

// One row of the notation table behind the notation selector.
struct NotationChoice
{
    int angleStyle = kAngleDegrees;
    int gridKind = kGridLatLon;
    QString label;  // untranslated selector text; stored, not read by the formatter
};

// The five rows in selector order: (0, 0, "度"), (1, 0, "度分"), (2, 0, "度分秒"),
// (0, 1, "UTM"), (0, 12, "TM"). The first three labels are the source texts
// the window passes through translation; "UTM" and "TM" are shown as they are.
QVector<NotationChoice> standardNotationChoices();

// A WGS 84 position as the read-outs and the calibration form show it.
struct FormattedPosition
{
    QString lonOrEastingText;   // "E 113.50000000°", "49 Q 756508", " 250000E"
    QString latOrNorthingText;  // "N  22.50000000°", "2489099", "      0N"
    // Latitude on the datum in degrees, or the northing in metres (UTM with
    // its southern false northing); unrounded, moved 5e-10 away from zero.
    double latOrNorthing = 0.0;
    // Longitude on the datum in degrees, or the easting in metres; likewise.
    double lonOrEasting = 0.0;
    // The notation cannot express the position: UTM beyond 84° N or 80° S, or a TM
    // easting or northing outside tmEastingRange() or tmNorthingRange(). The texts
    // are still filled in, but nothing reads them back.
    bool outsideGrid = false;
};

// Shows a WGS 84 position (degrees; height ignored) on datum `datumIndex` in
// the notation (`gridKind`, `angleStyle`) of a NotationChoice:
// - the position goes through wgs84ToDatum first, except on row 223
//   (WGS 1972), which shows the WGS 84 values unchanged;
// - kGridLatLon: formatAngle of latitude and longitude with N/S and E/W
//   (a value of exactly 0 counts as N or E);
// - kGridUtm: "zone band easting" and "northing", rounded with (int)(v + 0.5),
//   on the datum's ellipsoid;
// - kGridTm: "%7dE" and "%7dN" of the TM grid, rounded likewise.
// Any other gridKind is shown as latitude/longitude.
FormattedPosition formatPosition(int gridKind, int datumIndex, int angleStyle,
                                 const GeoPosition &wgs84);

// The position on datum `datumIndex` that formatPosition shows for a WGS 84
// position: wgs84ToDatum, or the position itself on row 223.
GeoPosition shownPositionOnDatum(const GeoPosition &wgs84, int datumIndex);
