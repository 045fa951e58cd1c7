#pragma once

#include <QtGlobal>

// Positions in whole milliarcseconds (3,600,000 to the degree), as layers, levels and
// SMF files store them, and the rules by which degrees become milliarcseconds. Each
// rule is named for how it rounds; which one a value takes decides the bytes of a file.

inline constexpr double kMasPerDegree = 3600000.0;
inline constexpr qint32 kMaxLongitudeMas = 648000000;  // 180 degrees
inline constexpr qint32 kMaxLatitudeMas = 324000000;   // 90 degrees

inline constexpr double masToDegrees(double mas)
{
    return mas / kMasPerDegree;
}

// Degrees times 3,600,000 truncated toward zero, as typed values are stored (never
// rounded): 10.0000001 gives 36000000, -0.0000001 gives 0. Values beyond the 32-bit
// range saturate at its ends and NaN gives 0, so no input is undefined.
qint32 degreesToMasTruncated(double degrees);

// The same for degrees a computation produced: the last bits of its arithmetic (below
// a thousandth of a milliarcsecond) are rounded away first, so that 10.1 + 285 × 0.0001
// truncates as the typed 10.1285 does, not as 10.128499999999999.
qint32 computedDegreesToMasTruncated(double degrees);

// Degrees, first bounded to -limit .. limit, times 3,600,000 rounded down (floor) or
// up (ceil) to a whole milliarcsecond: the edges of a grid that must cover a footprint.
qint32 degreesToMasFloor(double degrees, double limit);
qint32 degreesToMasCeil(double degrees, double limit);

// Degrees times 3,600,000 rounded to the nearest whole milliarcsecond (halves away
// from zero), as a double: any size, for steps and sums.
double degreesToMasNearest(double degrees);

// Degrees that degreesToMasTruncated stores as the milliarcsecond nearest to `degrees`:
// the nearest one, moved half a milliarcsecond away from zero. Not finite: unchanged.
double degreesStoringNearest(double degrees);

// A typed value for degreesToMasTruncated: a value within a millionth of a
// milliarcsecond of a whole one (35°40'15.5", whose sum in degrees lands just below
// 128415500 milliarcseconds) stores as that whole value; any other value is returned
// unchanged and truncates (10.0000001° stores 36000000).
double degreesKeepingWholeMilliarcseconds(double degrees);
