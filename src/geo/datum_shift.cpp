#include "geo/datum_shift.h"

#include <cmath>

#include "geo/position_format.h"
#include "geo/datum_table.h"

std::array<double, 7> HelmertShift::towgs84Terms() const
{
    const double arcseconds = 206264.80624709636;  // per radian
    return {tx, ty, tz, rx * arcseconds, ry * arcseconds, rz * arcseconds, s * 1000.0};
}

CartesianPosition applyHelmertShift(const CartesianPosition &p, const HelmertShift &shift)
{
    const double scale = shift.s / 1000.0;
    CartesianPosition out;
    out.x = p.x + p.x * scale - p.y * shift.rz + p.z * shift.ry + shift.tx;
    out.y = p.x * shift.rz + p.y + p.y * scale - p.z * shift.rx + shift.ty;
    out.z = p.z + p.z * scale + p.y * shift.rx - p.x * shift.ry + shift.tz;
    return out;
}

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

GeoPosition wgs84ToDatum(const GeoPosition &wgs84, int datumIndex)
{
    const CartesianPosition cartesian =
        geodeticToCartesian(wgs84, kWgs84SemiMajorAxis, kWgs84Flattening);
    const CartesianPosition shifted =
        applyHelmertShift(cartesian, datumShiftToWgs84(datumIndex).reversed());
    const Ellipsoid ellipsoid = datumEllipsoid(datumIndex);
    return cartesianToGeodetic(shifted, ellipsoid.a, ellipsoid.f);
}

GeoPosition datumToWgs84(const GeoPosition &onDatum, int datumIndex)
{
    const Ellipsoid ellipsoid = datumEllipsoid(datumIndex);
    const CartesianPosition cartesian = geodeticToCartesian(onDatum, ellipsoid.a, ellipsoid.f);
    const CartesianPosition shifted = applyHelmertShift(cartesian, datumShiftToWgs84(datumIndex));
    return cartesianToGeodetic(shifted, kWgs84SemiMajorAxis, kWgs84Flattening);
}
