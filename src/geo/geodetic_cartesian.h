#pragma once

#include "geo/geo_position.h"

// Conversions between geodetic and geocentric Cartesian coordinates on an
// ellipsoid with semi-major axis `a` (metres) and flattening `f`. Angles in
// degrees, converted with DEG_PER_RAD.

CartesianPosition geodeticToCartesian(const GeoPosition &position, double a, double f);

// Single step without iteration: exact for points on the ellipsoid (height 0);
// off the ellipsoid the latitude is off by up to about 1.3e-10 degrees per
// metre of height (1.3e-7 degrees, 1.5 cm, at 1000 m). The height uses the
// first estimate of the prime-vertical radius.
GeoPosition cartesianToGeodetic(const CartesianPosition &position, double a, double f);
