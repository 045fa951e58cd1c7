#pragma once

#include <QString>

#include "geo/geo_position.h"

// Reads a typed grid position: `gridKind` kGridUtm (easting text "zone band
// easting", see parseUtmEastingText) or kGridTm (two integer texts), on the
// ellipsoid of datum `datumIndex`. Returns latitude and longitude in degrees on
// that datum, without any datum shift (see parseGridPositionToWgs84 for the
// position to store). Unreadable parts read as 0, so any text gives some
// position and nothing is reported; another gridKind gives (0, 0). Texts far
// from any real grid position (a missing band word, a zone of 0, northings of
// thousands of kilometres off) give latitudes and longitudes far outside
// ±90/±180: callers that store whole milliarcseconds must range-check first.
// The calibration form's validators keep its texts within the ranges below.
GeoPosition parseGridPosition(int gridKind, int datumIndex, const QString &eastingText,
                              const QString &northingText);

// Reads a grid position strictly, as the calibration form's fields accept it and as
// formatPosition shows it, for texts from the command line:
// - UTM: eastingText "zone band easting" ("49 Q 757196", "49q 757196.5"), a zone 1 to
//   60, a band letter C to X without I and O in either case, and an easting in
//   kUtmEastingRange; northingText a northing in kUtmNorthingRange;
// - TM: an easting and a northing, each optionally followed by "E" and "N"
//   (" 306513E", "-110563N"), within tmEastingRange() and tmNorthingRange().
// Metres may have decimals. Returns false, with an English reason that names the
// field, for anything else, or for a position beyond a pole; on success *position
// holds degrees on the datum, the longitude within -180 to 180.
bool readGridPosition(int gridKind, int datumIndex, const QString &eastingText, const QString &northingText,
                      GeoPosition *position, QString *error);

struct IntRange
{
    int bottom;
    int top;
};

// UTM: zones 1 to 60; eastings 100000 to 900000 m, every easting a position inside
// its zone can have (about 166 km to 834 km at the equator, down to about 126 km in
// the widened zone 32V); northings 0 to 10000000 m, the northern hemisphere from the
// equator up and the southern one with its false northing of 10000 km.
inline constexpr IntRange kUtmZoneRange{1, 60};
inline constexpr IntRange kUtmEastingRange{100000, 900000};
inline constexpr IntRange kUtmNorthingRange{0, 10000000};

// TM grid (121° E): eastings and northings in metres of the positions within 6° of the
// central meridian on the widest ellipsoid of the datum table, rounded outward to
// whole kilometres (-420000 to 920000 and -10002000 to 10002000). Computed from the
// projection once.
IntRange tmEastingRange();
IntRange tmNorthingRange();
