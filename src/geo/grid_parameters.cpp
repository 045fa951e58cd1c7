#include "geo/grid_parameters.h"

#include "geo/datum_table.h"

double utmCentralMeridian(int zone)
{
    return double(zone) * 6.0 - 183.0;
}

TmParameters utmZoneParameters(double a, double f, int zone)
{
    TmParameters p;
    p.a = a;
    p.f = f;
    p.latitudeOfOrigin = 0.0;
    p.centralMeridian = utmCentralMeridian(zone);
    p.scaleFactor = kUtmScaleFactor;
    p.falseEasting = kUtmFalseEasting;
    p.falseNorthing = 0.0;
    return p;
}

TmParameters tmGridParameters(int datumIndex)
{
    const Ellipsoid ellipsoid = datumEllipsoid(datumIndex);
    TmParameters p;
    p.a = ellipsoid.a;
    p.f = ellipsoid.f;
    p.latitudeOfOrigin = 0.0;
    p.centralMeridian = kTmCentralMeridian;
    p.scaleFactor = kTmScaleFactor;
    p.falseEasting = kTmFalseEasting;
    p.falseNorthing = 0.0;
    return p;
}
