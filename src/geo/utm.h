#pragma once

#include <QString>

#include "geo/geo_position.h"

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
