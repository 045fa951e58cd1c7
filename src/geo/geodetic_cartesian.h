#pragma once

#include "geo/geo_position.h"

// Conversions between geodetic and geocentric Cartesian coordinates on an
// ellipsoid with semi-major axis `a` (metres) and flattening `f`. Angles in
// degrees, converted with DEG_PER_RAD.

CartesianPosition geodeticToCartesian(const GeoPosition &position, double a, double f);

// Single step without iteration: exact for points on the ellipsoid (height 0);
// a point some hundred metres off the ellipsoid comes back with a latitude
// error of the order of 1e-8 degrees. The height uses the first estimate of
// the prime-vertical radius.
GeoPosition cartesianToGeodetic(const CartesianPosition &position, double a, double f);
