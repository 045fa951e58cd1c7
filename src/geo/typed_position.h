#pragma once

#include <QString>

#include "geo/geo_position.h"

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
