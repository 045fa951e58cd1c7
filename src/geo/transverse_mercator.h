#pragma once

#include <QString>

#include "geo/datum_shift.h"

// Transverse Mercator projection on an ellipsoid, by the classical series in
// powers of the longitude difference (terms to Δλ⁶ forward, Δ⁷ inverse).
// Against an exact (Krüger) projection: within 1 cm up to 6° from the central
// meridian, 0.2 m at 9°, but at the equator 7 m at 15°, 53 m at 20° and about
// 1 km at 30° — which matters for the single TM zone used far from 121° E.

// The parameter set of one transverse Mercator grid.
struct TmParameters
{
    double a = 0.0;                // semi-major axis, metres
    double f = 0.0;                // flattening
    double latitudeOfOrigin = 0.0; // φ0, degrees
    double centralMeridian = 0.0;  // λ0, degrees
    double scaleFactor = 1.0;      // k0
    double falseEasting = 0.0;     // E0, metres
    double falseNorthing = 0.0;    // N0, metres
};

// A projected position in metres.
struct GridPosition
{
    double easting = 0.0;
    double northing = 0.0;
};

// Scaled meridian arc from latitude `phi0` to `phi` (radians) by Helmert's
// series in n = (a − b)/(a + b), in metres (multiplied by `k0`). Exactly 0 when
// `phi` is 0.
double meridianArc(double phi, double phi0, double a, double f, double k0);

// Latitude/longitude in degrees to easting/northing in metres.
GridPosition tmForward(const TmParameters &parameters, double latitude, double longitude);

// Easting/northing in metres to latitude/longitude in degrees. The footpoint
// latitude is refined until the meridian arc matches the northing within a
// millimetre (at most 100 steps, so a non-finite or absurd northing cannot
// loop forever). The height of the result is 0.
GeoPosition tmInverse(const TmParameters &parameters, double easting, double northing);

// Parameters of the two projected grids the program offers: UTM (6° zones)
// and the single "TM" zone at 121° E.

inline constexpr double kUtmScaleFactor = 0.9996;
inline constexpr double kUtmFalseEasting = 500000.0;
// Added to southern northings after projection, and taken off again when a
// southern band letter is read.
inline constexpr double kUtmSouthernFalseNorthing = 10000000.0;

inline constexpr double kTmCentralMeridian = 121.0;
inline constexpr double kTmScaleFactor = 0.9999;
inline constexpr double kTmFalseEasting = 250000.0;

// Central meridian of UTM zone `zone` in degrees: zone × 6 − 183. Computed in
// floating point, so any int zone is safe.
double utmCentralMeridian(int zone);

// UTM zone `zone` on the ellipsoid (a in metres, flattening f); false northing 0.
TmParameters utmZoneParameters(double a, double f, int zone);

// The TM grid on the ellipsoid of datum `datumIndex`.
TmParameters tmGridParameters(int datumIndex);

// Universal transverse Mercator: 6° zones with the Norway and Svalbard
// exceptions, latitude band letters C to X, and a false northing of 10000 km
// for southern points.

// Band letter of a latitude in degrees: 'C' (−80 ≤ lat < −72) up to 'X'
// (72 ≤ lat ≤ 84, the only band closed at both ends); 'Z' above 84, below −80
// or for NaN. I and O are not used.
char utmBandLetter(double latitude);

// Zone number of a position in degrees: 1 + (180 + lon)/6 truncated (180° E
// gives 61), with zone 32 for 56 ≤ lat < 64, 3 ≤ lon < 12 and the zones 31, 33,
// 35, 37 for 72 ≤ lat < 84.
int utmZoneNumber(double latitude, double longitude);

struct UtmPosition
{
    double easting = 0.0;   // metres
    double northing = 0.0;  // metres, southern points with the false northing added
    int zone = 0;
    char band = 'Z';
    QString zoneText;       // zone and band, no blank: "50R", "9S"
};

// Latitude/longitude in degrees on an ellipsoid (a in metres, inverse
// flattening) to UTM.
UtmPosition utmForward(double a, double inverseFlattening, double latitude, double longitude);

// UTM to latitude/longitude in degrees on the ellipsoid of datum `datumIndex`.
// A band letter whose character code is below 'N' ('C' to 'M') marks a southern
// position, whose northing loses the false northing first; lower-case letters
// and bytes above 0x7F count as northern. No datum shift is applied.
GeoPosition utmInverse(int zone, char band, double easting, double northing, int datumIndex);
