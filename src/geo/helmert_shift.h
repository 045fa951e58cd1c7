#pragma once

#include "geo/geo_position.h"

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
};

// Applies the shift in its small-angle form:
//   X' = X + X·s/1000 − Y·rz + Z·ry + tx
//   Y' = X·rz + Y + Y·s/1000 − Z·rx + ty
//   Z' = Z + Z·s/1000 + Y·rx − X·ry + tz
CartesianPosition applyHelmertShift(const CartesianPosition &p, const HelmertShift &shift);
