#pragma once

#include <QString>

#include "geo/datum_shift.h"

// Reading the texts of the UTM and TM edits. Never fails and never reads past
// the text: what cannot be read gives 0 (or an empty band).

// A UTM easting text "zone band easting", e.g. "50 R 345678".
struct UtmEastingText
{
    int zone = 0;
    QString bandWord;   // empty when absent
    char band = '\0';   // first byte of the band word in UTF-8, '\0' when absent
    int easting = 0;
};

// Reads the text the way the "%d %s %d" scan shape does: an optional sign and
// decimal digits (leading white space skipped), then the next run of
// non-blank characters as the band word (white space before it optional, so
// "50R 345678" reads too), then an integer at the start of the next word. Reading
// stops at the first part that is not there; the parts not read stay 0. A
// number too large for an int reads as 0. Band words of any length are fine.
UtmEastingText parseUtmEastingText(const QString &text);

// A whole text as a base-10 integer; surrounding white space is allowed.
// Anything else (empty, not a number, trailing letters, beyond the int range)
// reads as 0.
int readBase10Integer(const QString &text);

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
//   60 (or 61, the zone formatPosition shows 180° E in), a band letter C to X without I
//   and O in either case, and an easting in
//   kUtmEastingRange; northingText a northing in kUtmNorthingRange;
// - TM: an easting and a northing, each optionally followed by "E" and "N"
//   (" 306513E", "-110563N"), within tmEastingRange() and tmNorthingRange().
// Metres may have decimals. Returns false, with an English reason that names the
// field, for anything else, or for a position beyond a pole; on success *position
// holds degrees on the datum, the longitude within -180 to 180: the position that
// formatPosition shows at these metres, to well under a millimetre (the inverse series
// alone misses it by up to a few centimetres at the grid's edges).
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

// Positions the user types are given on the selected datum, while layers store
// WGS 84. These two operations are the inverse of what formatPosition shows,
// so a value typed as it is shown is stored as the position it was shown for:
// on row 223 (WGS 1972) nothing is shifted either way; every other row goes
// through datumToWgs84. Heights are ignored (0 in, 0 out).

// Whether positions typed on datum `datumIndex` are shifted to WGS 84: false for row
// 224 (WGS 1984, stored exactly as typed), row 223 (WGS 1972, never shifted) and
// indices outside 0..227 (read as row 224 everywhere).
bool typedPositionsAreShifted(int datumIndex);

// A latitude/longitude in degrees typed on datum `datumIndex`, as WGS 84.
GeoPosition typedPositionToWgs84(const GeoPosition &onDatum, int datumIndex);

// A UTM (kGridUtm) or TM (kGridTm) text typed on datum `datumIndex`, as a WGS 84
// latitude/longitude: parseGridPosition, then typedPositionToWgs84.
GeoPosition parseGridPositionToWgs84(int gridKind, int datumIndex, const QString &eastingText,
                                     const QString &northingText);
