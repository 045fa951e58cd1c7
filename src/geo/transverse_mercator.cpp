#include "geo/transverse_mercator.h"

#include <cmath>

#include "geo/position_format.h"
#include "geo/datum_table.h"

namespace {

// Radii of curvature scaled by k0 at latitude phi: nu across the meridian,
// rho along it, and eta2 = nu/rho − 1.
struct Curvature
{
    double nu;
    double rho;
    double eta2;
};

Curvature curvatureAt(double phi, double a, double f, double k0)
{
    const double e2 = 2.0 * f - f * f;
    const double sinPhi = std::sin(phi);
    const double s = 1.0 - e2 * sinPhi * sinPhi;
    Curvature c;
    c.nu = a * k0 / std::sqrt(s);
    c.rho = a * k0 * (1.0 - e2) / (s * std::sqrt(s));
    c.eta2 = c.nu / c.rho - 1.0;
    return c;
}

constexpr int kMaxFootpointSteps = 100;

}  // namespace

double meridianArc(double phi, double phi0, double a, double f, double k0)
{
    if (phi == 0.0)
        return 0.0;
    const double b = a * (1.0 - f);
    const double n = (a - b) / (a + b);
    const double n2 = n * n;
    const double n3 = n2 * n;
    const double delta = phi - phi0;
    const double sigma = phi + phi0;
    return b * k0
        * ((1.0 + n + 5.0 / 4.0 * n2 + 5.0 / 4.0 * n3) * delta
           - (3.0 * n + 3.0 * n2 + 21.0 / 8.0 * n3) * std::sin(delta) * std::cos(sigma)
           + (15.0 / 8.0 * n2 + 15.0 / 8.0 * n3) * std::sin(2.0 * delta) * std::cos(2.0 * sigma)
           - 35.0 / 24.0 * n3 * std::sin(3.0 * delta) * std::cos(3.0 * sigma));
}

GridPosition tmForward(const TmParameters &p, double latitude, double longitude)
{
    const double phi = latitude / DEG_PER_RAD;
    const double lambda = longitude / DEG_PER_RAD;
    const double phi0 = p.latitudeOfOrigin / DEG_PER_RAD;
    const double lambda0 = p.centralMeridian / DEG_PER_RAD;
    const double k0 = p.scaleFactor;

    const Curvature c = curvatureAt(phi, p.a, p.f, k0);
    const double sinPhi = std::sin(phi);
    const double cosPhi = std::cos(phi);
    const double cos3 = cosPhi * cosPhi * cosPhi;
    const double cos5 = cos3 * cosPhi * cosPhi;
    const double t = std::tan(phi);
    const double t2 = t * t;
    const double t4 = t2 * t2;
    const double dl = lambda - lambda0;
    const double dl2 = dl * dl;

    const double i = meridianArc(phi, phi0, p.a, p.f, k0) + p.falseNorthing;
    const double ii = c.nu / 2.0 * sinPhi * cosPhi;
    const double iii = c.nu / 24.0 * sinPhi * cos3 * (5.0 - t2 + 9.0 * c.eta2);
    const double iiia = c.nu / 720.0 * sinPhi * cos5 * (61.0 - 58.0 * t2 + t4);
    const double iv = c.nu * cosPhi;
    const double v = c.nu / 6.0 * cos3 * (c.nu / c.rho - t2);
    const double vi = c.nu / 120.0 * cos5
        * (5.0 - 18.0 * t2 + t4 + 14.0 * c.eta2 - 58.0 * t2 * c.eta2);

    GridPosition out;
    out.northing = i + ii * dl2 + iii * dl2 * dl2 + iiia * dl2 * dl2 * dl2;
    out.easting = p.falseEasting + iv * dl + v * dl2 * dl + vi * dl2 * dl2 * dl;
    return out;
}

GeoPosition tmInverse(const TmParameters &p, double easting, double northing)
{
    const double phi0 = p.latitudeOfOrigin / DEG_PER_RAD;
    const double lambda0 = p.centralMeridian / DEG_PER_RAD;
    const double k0 = p.scaleFactor;
    const double ak0 = p.a * k0;
    const double north = northing - p.falseNorthing;

    // Footpoint latitude: where the meridian arc equals the northing.
    double phi = north / ak0 + phi0;
    double r = north - meridianArc(phi, phi0, p.a, p.f, k0);
    for (int step = 0; std::fabs(r) >= 0.001 && step < kMaxFootpointSteps; ++step) {
        phi += r / ak0;
        r = north - meridianArc(phi, phi0, p.a, p.f, k0);
    }

    const Curvature c = curvatureAt(phi, p.a, p.f, k0);
    const double t = std::tan(phi);
    const double t2 = t * t;
    const double t4 = t2 * t2;
    const double t6 = t4 * t2;
    const double sec = 1.0 / std::cos(phi);
    const double nu = c.nu;
    const double nu3 = nu * nu * nu;
    const double nu5 = nu3 * nu * nu;
    const double nu7 = nu5 * nu * nu;
    const double d = easting - p.falseEasting;
    const double d2 = d * d;

    const double vii = t / (2.0 * c.rho * nu);
    const double viii = t / (24.0 * c.rho * nu3) * (5.0 + 3.0 * t2 + c.eta2 - 9.0 * t2 * c.eta2);
    const double ix = t / (720.0 * c.rho * nu5) * (61.0 + 90.0 * t2 + 45.0 * t4);
    const double x = sec / nu;
    const double xi = sec / (6.0 * nu3) * (nu / c.rho + 2.0 * t2);
    const double xii = sec / (120.0 * nu5) * (5.0 + 28.0 * t2 + 24.0 * t4);
    const double xiia = sec / (5040.0 * nu7) * (61.0 + 662.0 * t2 + 1320.0 * t4 + 720.0 * t6);

    GeoPosition out;
    out.latitude = (phi - vii * d2 + viii * d2 * d2 - ix * d2 * d2 * d2) * DEG_PER_RAD;
    out.longitude =
        (lambda0 + x * d - xi * d2 * d + xii * d2 * d2 * d - xiia * d2 * d2 * d2 * d) * DEG_PER_RAD;
    return out;
}

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
