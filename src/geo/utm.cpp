#include "geo/utm.h"

#include "geo/datum_table.h"
#include "geo/grid_parameters.h"
#include "geo/int_conversion.h"
#include "geo/transverse_mercator.h"

char utmBandLetter(double lat)
{
    if (lat >= 72.0 && lat <= 84.0)
        return 'X';
    // Each band closed at its lower edge, tested from north to south.
    static constexpr struct {
        double lowerEdge;
        char letter;
    } kBands[] = {
        {64, 'W'}, {56, 'V'}, {48, 'U'}, {40, 'T'}, {32, 'S'}, {24, 'R'}, {16, 'Q'},
        {8, 'P'}, {0, 'N'}, {-8, 'M'}, {-16, 'L'}, {-24, 'K'}, {-32, 'J'}, {-40, 'H'},
        {-48, 'G'}, {-56, 'F'}, {-64, 'E'}, {-72, 'D'}, {-80, 'C'},
    };
    double upperEdge = 72.0;
    for (const auto &band : kBands) {
        if (lat < upperEdge && lat >= band.lowerEdge)
            return band.letter;
        upperEdge = band.lowerEdge;
    }
    return 'Z';
}

int utmZoneNumber(double lat, double lon)
{
    int zone = 1 + truncateToInt((180.0 + lon) / 6.0);
    if (lat >= 56.0 && lat < 64.0 && lon >= 3.0 && lon < 12.0)
        zone = 32;
    if (lat >= 72.0 && lat < 84.0) {
        if (lon >= 0.0 && lon < 9.0)
            zone = 31;
        else if (lon >= 9.0 && lon < 21.0)
            zone = 33;
        else if (lon >= 21.0 && lon < 33.0)
            zone = 35;
        else if (lon >= 33.0 && lon < 42.0)
            zone = 37;
    }
    return zone;
}

UtmPosition utmForward(double a, double inverseFlattening, double lat, double lon)
{
    UtmPosition out;
    out.zone = utmZoneNumber(lat, lon);
    out.band = utmBandLetter(lat);
    out.zoneText = QString::number(out.zone) + QLatin1Char(out.band);
    const GridPosition grid =
        tmForward(utmZoneParameters(a, 1.0 / inverseFlattening, out.zone), lat, lon);
    out.easting = grid.easting;
    out.northing = grid.northing;
    if (out.northing < 0.0)
        out.northing += kUtmSouthernFalseNorthing;
    return out;
}

GeoPosition utmInverse(int zone, char band, double easting, double northing, int datumIndex)
{
    if (static_cast<unsigned char>(band) < static_cast<unsigned char>('N'))
        northing -= kUtmSouthernFalseNorthing;
    const Ellipsoid ellipsoid = datumEllipsoid(datumIndex);
    return tmInverse(utmZoneParameters(ellipsoid.a, ellipsoid.f, zone), easting, northing);
}
