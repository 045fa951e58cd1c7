#pragma once

// Input ranges of the calibration form's fields that do not depend on the layer.

struct IntRange
{
    int bottom;
    int top;
};

// UTM: zones 1 to 60; eastings 100000 to 900000 m, every easting a position inside
// its zone can have (about 166 km to 834 km at the equator, down to about 126 km in
// the widened zone 32V); northings 0 to 10000000 m, the northern hemisphere from the
// equator up and the southern one with its false northing of 10000 km.
inline constexpr IntRange kUtmZoneRange{1, 60};
inline constexpr IntRange kUtmEastingRange{100000, 900000};
inline constexpr IntRange kUtmNorthingRange{0, 10000000};

// TM grid (121° E): eastings and northings in metres of the positions within 6° of the
// central meridian on the widest ellipsoid of the datum table, rounded outward to
// whole kilometres (-420000 to 920000 and -10002000 to 10002000). Computed from the
// projection once.
IntRange tmEastingRange();
IntRange tmNorthingRange();
