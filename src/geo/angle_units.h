#pragma once

// Degrees per radian. Every conversion between degrees and radians in the
// geodesy code multiplies or divides by this eleven-decimal value (not the
// full-precision 57.29577951308232), in both directions, so that positions
// shown and read back agree with the numbers stored in existing map files.
inline constexpr double DEG_PER_RAD = 57.2957795131;
