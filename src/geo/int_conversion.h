#pragma once

#include <climits>
#include <cmath>

// Truncates toward zero like a C cast to int, but defined for every input:
// values beyond the int range saturate at INT_MIN/INT_MAX and NaN gives 0.
inline int truncateToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return INT_MAX;
    if (value <= -2147483648.0)
        return INT_MIN;
    return static_cast<int>(value);
}
