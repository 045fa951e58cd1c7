#include "geo/datum_shift.h"

#include "geo/datum_table.h"
#include "geo/geodetic_cartesian.h"
#include "geo/helmert_shift.h"

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
