#include "geo/geodetic_cartesian.h"

#include <cmath>

#include "geo/angle_units.h"

CartesianPosition geodeticToCartesian(const GeoPosition &position, double a, double f)
{
    const double phi = position.latitude / DEG_PER_RAD;
    const double lambda = position.longitude / DEG_PER_RAD;
    const double e2 = f * (2.0 - f);
    const double sinPhi = std::sin(phi);
    const double n = a / std::sqrt(1.0 - e2 * sinPhi * sinPhi);
    const double h = position.height;
    CartesianPosition out;
    out.x = (n + h) * std::cos(phi) * std::cos(lambda);
    out.y = (n + h) * std::cos(phi) * std::sin(lambda);
    out.z = ((1.0 - e2) * n + h) * sinPhi;
    return out;
}

GeoPosition cartesianToGeodetic(const CartesianPosition &position, double a, double f)
{
    const double e2 = f * (2.0 - f);
    const double p = std::sqrt(position.x * position.x + position.y * position.y);
    const double phi0 = std::atan2(position.z, p * (1.0 - e2));
    const double sinPhi0 = std::sin(phi0);
    const double n0 = a / std::sqrt(1.0 - e2 * sinPhi0 * sinPhi0);
    const double phi = std::atan2(position.z + e2 * n0 * sinPhi0, p);
    GeoPosition out;
    out.latitude = phi * DEG_PER_RAD;
    out.longitude = std::atan2(position.y, position.x) * DEG_PER_RAD;
    out.height = p / std::cos(phi) - n0;
    return out;
}
