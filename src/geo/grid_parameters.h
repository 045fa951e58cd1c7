#pragma once

#include "geo/transverse_mercator.h"

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
