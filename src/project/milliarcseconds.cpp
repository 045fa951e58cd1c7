#include "project/milliarcseconds.h"

#include <cmath>
#include <limits>

qint32 degreesToMilliarcseconds(double degrees)
{
    const double value = std::trunc(degrees * kMilliarcsecondsPerDegree);
    if (std::isnan(value))
        return 0;
    if (value >= double(std::numeric_limits<qint32>::max()))
        return std::numeric_limits<qint32>::max();
    if (value <= double(std::numeric_limits<qint32>::min()))
        return std::numeric_limits<qint32>::min();
    return qint32(value);
}
