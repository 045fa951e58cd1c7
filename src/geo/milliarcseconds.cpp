#include "geo/milliarcseconds.h"

#include <cmath>
#include <limits>

namespace {

// A whole number of milliarcseconds as a 32-bit value: saturated, NaN 0.
qint32 saturated(double mas)
{
    if (std::isnan(mas))
        return 0;
    if (mas >= double(std::numeric_limits<qint32>::max()))
        return std::numeric_limits<qint32>::max();
    if (mas <= double(std::numeric_limits<qint32>::min()))
        return std::numeric_limits<qint32>::min();
    return qint32(mas);
}

}  // namespace

qint32 degreesToMasTruncated(double degrees)
{
    return saturated(std::trunc(degrees * kMasPerDegree));
}

qint32 computedDegreesToMasTruncated(double degrees)
{
    return saturated(std::trunc(std::round(degrees * kMasPerDegree * 1000.0) / 1000.0));
}

qint32 degreesToMasFloor(double degrees, double limit)
{
    return qint32(std::floor(qBound(-limit, degrees, limit) * kMasPerDegree));
}

qint32 degreesToMasCeil(double degrees, double limit)
{
    return qint32(std::ceil(qBound(-limit, degrees, limit) * kMasPerDegree));
}

double degreesToMasNearest(double degrees)
{
    return std::round(degrees * kMasPerDegree);
}

double degreesStoringNearest(double degrees)
{
    if (!std::isfinite(degrees))
        return degrees;
    const double nearest = degreesToMasNearest(degrees);
    const double halfStep = nearest >= 0.0 ? 0.5 : -0.5;
    return (nearest + halfStep) / kMasPerDegree;
}

double degreesKeepingWholeMilliarcseconds(double degrees)
{
    const double mas = degrees * kMasPerDegree;
    if (std::fabs(mas - std::round(mas)) < 1e-6)
        return degreesStoringNearest(degrees);
    return degrees;
}
