#pragma once

#include "geo/geo_position.h"

// The shift between WGS 84 and the datums of the datum table, through
// geocentric Cartesian coordinates. Pure functions of their arguments; a datum
// index outside 0..227 acts as row 224 (WGS 1984). Heights in metres; callers
// pass 0 and may ignore the height that comes back.

// WGS 84 as the shift uses it: the flattening itself is the stored constant.
inline constexpr double kWgs84SemiMajorAxis = 6378137.0;
inline constexpr double kWgs84Flattening = 0.003352810665455685;

// A WGS 84 position to the same point on datum `datumIndex`: Cartesian on WGS 84,
// the datum's shift reversed (translations, rotations and scale all negated),
// geodetic on the datum's ellipsoid.
GeoPosition wgs84ToDatum(const GeoPosition &wgs84, int datumIndex);

// A position on datum `datumIndex` to WGS 84: Cartesian on the datum's
// ellipsoid, the datum's shift, geodetic on WGS 84. Applied to every row,
// row 223 (WGS 1972) included; see typed_position.h for the rule of positions
// the user typed.
GeoPosition datumToWgs84(const GeoPosition &onDatum, int datumIndex);
