#pragma once

#include <QtGlobal>

// Milliarcseconds per degree: 648000000 is 180 degrees, 324000000 is 90 degrees.
inline constexpr double kMilliarcsecondsPerDegree = 3600000.0;
inline constexpr qint32 kMaxLongitudeMas = 648000000;
inline constexpr qint32 kMaxLatitudeMas = 324000000;

// Degrees times 3600000.0, truncated toward zero (never rounded): 10.0000001 gives
// 36000000, -0.0000001 gives 0. Values beyond the 32-bit range saturate at its ends
// and NaN gives 0, so no input is undefined.
qint32 degreesToMilliarcseconds(double degrees);
