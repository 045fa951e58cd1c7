#pragma once

#include <array>

// A geodetic position on some datum. Angles in degrees (north and east
// positive), height in metres above the ellipsoid. Callers pass height 0 and
// ignore the height that comes back.
struct GeoPosition
{
    double latitude = 0.0;
    double longitude = 0.0;
    double height = 0.0;
};

// A geocentric Cartesian position in metres.
struct CartesianPosition
{
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// The seven terms of a geocentric datum shift: translations in metres, small
// rotations in radians and a scale number s that is applied as s / 1000
// (s = 0.0025 is 2.5 parts per million).
struct HelmertShift
{
    double tx = 0.0;
    double ty = 0.0;
    double tz = 0.0;
    double rx = 0.0;
    double ry = 0.0;
    double rz = 0.0;
    double s = 0.0;

    // The opposite direction: every term with its sign reversed.
    HelmertShift reversed() const { return {-tx, -ty, -tz, -rx, -ry, -rz, -s}; }

    // The same shift as PROJ's "+towgs84=" takes it, in its order: the translations in
    // metres, the rotations in arcseconds and the scale in parts per million (the
    // position-vector convention, as applyHelmertShift applies them).
    std::array<double, 7> towgs84Terms() const;
};

// Applies the shift in its small-angle form:
//   X' = X + X·s/1000 − Y·rz + Z·ry + tx
//   Y' = X·rz + Y + Y·s/1000 − Z·rx + ty
//   Z' = Z + Z·s/1000 + Y·rx − X·ry + tz
CartesianPosition applyHelmertShift(const CartesianPosition &p, const HelmertShift &shift);

// Conversions between geodetic and geocentric Cartesian coordinates on an
// ellipsoid with semi-major axis `a` (metres) and flattening `f`. Angles in
// degrees, converted with DEG_PER_RAD.

CartesianPosition geodeticToCartesian(const GeoPosition &position, double a, double f);

// Single step without iteration: exact for points on the ellipsoid (height 0);
// off the ellipsoid the latitude is off by up to about 1.3e-10 degrees per
// metre of height (1.3e-7 degrees, 1.5 cm, at 1000 m). The height uses the
// first estimate of the prime-vertical radius.
GeoPosition cartesianToGeodetic(const CartesianPosition &position, double a, double f);

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
