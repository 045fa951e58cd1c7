#pragma once

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
