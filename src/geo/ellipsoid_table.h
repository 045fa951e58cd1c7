#pragma once

// The 25 reference ellipsoids that the datum table refers to. Constant data.

// One row of the ellipsoid table.
struct EllipsoidRecord
{
    double a;                  // semi-major axis, metres
    double inverseFlattening;  // 1/f
};

// An ellipsoid as the formulas use it.
struct Ellipsoid
{
    double a;  // semi-major axis, metres
    double f;  // flattening, 1 / inverseFlattening
};

inline constexpr int kEllipsoidCount = 25;
inline constexpr int kWgs84EllipsoidIndex = 22;

// Row `index` (0..24) of the ellipsoid table; an index outside that range
// reads as the WGS 84 row.
const EllipsoidRecord &ellipsoidRecord(int index);

// (a, f) of an ellipsoid row, with f = 1 / inverseFlattening.
Ellipsoid ellipsoidOf(const EllipsoidRecord &record);
