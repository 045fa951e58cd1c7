#include <QtTest>

#include <cmath>

#include "geo/datum_table.h"
#include "geo/ellipsoid_table.h"
#include "geo/grid_parameters.h"
#include "geo/transverse_mercator.h"
#include "geo/utm.h"

// Transverse Mercator series, UTM zones and bands, and the TM grid.
class TestGeoTransverseMercator : public QObject
{
    Q_OBJECT
private slots:
    void meridianArcValues_data();
    void meridianArcValues();
    void bandLetters_data();
    void bandLetters();
    void zoneNumbers_data();
    void zoneNumbers();
    void centralMeridianEasting_data();
    void centralMeridianEasting();
    void tmGridOrigin();
    void publishedPoints_data();
    void publishedPoints();
    void southernFalseNorthing_data();
    void southernFalseNorthing();
    void roundTrip_data();
    void roundTrip();
    void inverseStopsOnAbsurdNorthing_data();
    void inverseStopsOnAbsurdNorthing();
};

namespace {
const double kWgs84A = 6378137.0;
const double kWgs84InvF = 298.257223563;
}  // namespace

void TestGeoTransverseMercator::meridianArcValues_data()
{
    QTest::addColumn<double>("phi");
    QTest::addColumn<double>("k0");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("tolerance");
    QTest::newRow("equator is exactly 0") << 0.0 << 0.9996 << 0.0 << 0.0;
    // WGS 84 quarter meridian, 10 001 965.729 m (standard published value).
    QTest::newRow("WGS 84 quarter meridian") << M_PI / 2 << 1.0 << 10001965.729 << 1e-3;
    QTest::newRow("quarter meridian scaled by UTM k0") << M_PI / 2 << 0.9996
                                                       << 10001965.729 * 0.9996 << 1e-3;
    QTest::newRow("southern arc is negative") << -M_PI / 2 << 1.0 << -10001965.729 << 1e-3;
}

void TestGeoTransverseMercator::meridianArcValues()
{
    QFETCH(double, phi);
    QFETCH(double, k0);
    QFETCH(double, expected);
    QFETCH(double, tolerance);
    const double m = meridianArc(phi, 0.0, kWgs84A, 1.0 / kWgs84InvF, k0);
    QVERIFY2(std::fabs(m - expected) <= tolerance, qPrintable(QString::number(m, 'f', 4)));
}

void TestGeoTransverseMercator::bandLetters_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<char>("band");
    QTest::newRow("84 closes X") << 84.0 << 'X';
    QTest::newRow("above 84") << 84.0001 << 'Z';
    QTest::newRow("72 opens X") << 72.0 << 'X';
    QTest::newRow("just below 72") << 71.9999 << 'W';
    QTest::newRow("64") << 64.0 << 'W';
    QTest::newRow("56") << 56.0 << 'V';
    QTest::newRow("Hong Kong") << 22.5 << 'Q';
    QTest::newRow("equator") << 0.0 << 'N';
    QTest::newRow("just south") << -0.0001 << 'M';
    QTest::newRow("-8") << -8.0 << 'M';
    QTest::newRow("Cape Town") << -33.9 << 'H';
    QTest::newRow("-72") << -72.0 << 'D';
    QTest::newRow("-80 opens C") << -80.0 << 'C';
    QTest::newRow("below -80") << -80.0001 << 'Z';
    QTest::newRow("not a number") << std::nan("") << 'Z';
}

void TestGeoTransverseMercator::bandLetters()
{
    QFETCH(double, lat);
    QFETCH(char, band);
    QCOMPARE(utmBandLetter(lat), band);
}

void TestGeoTransverseMercator::zoneNumbers_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<int>("zone");
    QTest::newRow("date line west") << 0.0 << -180.0 << 1;
    QTest::newRow("date line east gives 61") << 0.0 << 180.0 << 61;
    QTest::newRow("Greenwich") << 51.5 << 0.0 << 31;
    QTest::newRow("Norway 3.0 at 60") << 60.0 << 3.0 << 32;
    QTest::newRow("Norway 2.9999 at 60") << 60.0 << 2.9999 << 31;
    QTest::newRow("Norway 12.0 at 60") << 60.0 << 12.0 << 33;
    QTest::newRow("Norway edge 64 is outside") << 64.0 << 5.0 << 31;
    QTest::newRow("Svalbard 9.0 at 75") << 75.0 << 9.0 << 33;
    QTest::newRow("Svalbard 8.9999 at 75") << 75.0 << 8.9999 << 31;
    QTest::newRow("Svalbard 21 at 75") << 75.0 << 21.0 << 35;
    QTest::newRow("Svalbard 33 at 75") << 75.0 << 33.0 << 37;
    QTest::newRow("Svalbard 42 at 75 is normal") << 75.0 << 42.0 << 38;
    QTest::newRow("84 is outside Svalbard rule") << 84.0 << 9.0 << 32;
    QTest::newRow("Hong Kong") << 22.5 << 113.5 << 49;
}

void TestGeoTransverseMercator::zoneNumbers()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(int, zone);
    QCOMPARE(utmZoneNumber(lat, lon), zone);
    const UtmPosition utm = utmForward(kWgs84A, kWgs84InvF, lat, lon);
    QCOMPARE(utm.zone, zone);
    QCOMPARE(utm.zoneText, QString::number(zone) + QLatin1Char(utmBandLetter(lat)));
}

void TestGeoTransverseMercator::centralMeridianEasting_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::newRow("zone 1 at 177 W") << 10.0 << -177.0;
    QTest::newRow("zone 31 at 3 E") << 45.0 << 3.0;
    QTest::newRow("zone 50 at 117 E") << -20.0 << 117.0;
    QTest::newRow("zone 60 at 177 E") << 70.0 << 177.0;
}

void TestGeoTransverseMercator::centralMeridianEasting()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    QCOMPARE(utmForward(kWgs84A, kWgs84InvF, lat, lon).easting, 500000.0);
    TmParameters tm = tmGridParameters(kWgs84DatumIndex);
    QCOMPARE(tmForward(tm, lat, 121.0).easting, 250000.0);
}

void TestGeoTransverseMercator::tmGridOrigin()
{
    const TmParameters tm = tmGridParameters(kWgs84DatumIndex);
    QCOMPARE(tm.centralMeridian, 121.0);
    QCOMPARE(tm.scaleFactor, 0.9999);
    const GridPosition origin = tmForward(tm, 0.0, 121.0);
    QCOMPARE(origin.easting, 250000.0);
    QCOMPARE(origin.northing, 0.0);
    // The grid follows the datum's ellipsoid.
    QCOMPARE(tmGridParameters(33).a, 6378245.0);
}

void TestGeoTransverseMercator::publishedPoints_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("inverseFlattening");
    QTest::addColumn<double>("centralMeridian");
    QTest::addColumn<double>("falseEasting");
    QTest::addColumn<double>("falseNorthing");
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<double>("easting");
    QTest::addColumn<double>("northing");
    QTest::addColumn<double>("tolerance");
    // Snyder, "Map Projections: A Working Manual", USGS Professional Paper 1395
    // (1987), p. 269: Clarke 1866, k0 0.9996, x = 127106.5 m, y = 4484124.4 m.
    QTest::newRow("Snyder worked example") << 6378206.4 << 294.9786982 << -75.0 << 0.0 << 0.0
                                           << 40.5 << -73.5 << 127106.5 << 4484124.4 << 0.1;
    // CN Tower, 43°38'33.24"N 79°23'13.7"W: UTM 17T 630084 m E, 4833438 m N as
    // published with the point.
    QTest::newRow("CN Tower 17T") << kWgs84A << kWgs84InvF << -81.0 << 500000.0 << 0.0
                                  << 43.0 + 38.0 / 60 + 33.24 / 3600
                                  << -(79.0 + 23.0 / 60 + 13.7 / 3600) << 630084.0 << 4833438.0
                                  << 1.0;
    // Below: Krüger n-series to sixth order, in a python script (not part of
    // the sources); the two methods agree to a centimetre within 6° of the
    // central meridian.
    QTest::newRow("Pearl River mouth 49Q") << kWgs84A << kWgs84InvF << 111.0 << 500000.0 << 0.0
                                           << 22.5 << 113.5 << 757195.834 << 2490319.870 << 0.01;
    QTest::newRow("Cape Town 34H") << kWgs84A << kWgs84InvF << 21.0 << 500000.0 << 10000000.0
                                   << -33.9 << 18.4 << 259583.222 << 6245888.045 << 0.01;
    QTest::newRow("Cape Town 6 deg off CM") << kWgs84A << kWgs84InvF << 12.4 << 500000.0
                                            << 10000000.0 << -33.9 << 18.4 << 1055120.974
                                            << 6232684.628 << 0.02;
    QTest::newRow("TM grid 23N 121.5E") << kWgs84A << kWgs84InvF << 121.0 << 250000.0 << 0.0
                                        << 23.0 << 121.5 << 301256.597 << 2544370.513 << 0.01;
}

void TestGeoTransverseMercator::publishedPoints()
{
    QFETCH(double, a);
    QFETCH(double, inverseFlattening);
    QFETCH(double, centralMeridian);
    QFETCH(double, falseEasting);
    QFETCH(double, falseNorthing);
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(double, easting);
    QFETCH(double, northing);
    QFETCH(double, tolerance);
    TmParameters p;
    p.a = a;
    p.f = 1.0 / inverseFlattening;
    p.centralMeridian = centralMeridian;
    p.scaleFactor = centralMeridian == 121.0 ? 0.9999 : 0.9996;
    p.falseEasting = falseEasting;
    const GridPosition g = tmForward(p, lat, lon);
    const double n = g.northing < 0 ? g.northing + falseNorthing : g.northing;
    QVERIFY2(std::fabs(g.easting - easting) <= tolerance, qPrintable(QString::number(g.easting, 'f', 3)));
    QVERIFY2(std::fabs(n - northing) <= tolerance, qPrintable(QString::number(n, 'f', 3)));
}

void TestGeoTransverseMercator::southernFalseNorthing_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<bool>("south");
    QTest::newRow("Cape Town") << -33.9 << 18.4 << true;
    QTest::newRow("Lima") << -12.05 << -77.04 << true;
    QTest::newRow("just south of the equator") << -0.001 << 10.0 << true;
    QTest::newRow("Hong Kong") << 22.5 << 113.5 << false;
}

void TestGeoTransverseMercator::southernFalseNorthing()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(bool, south);
    const UtmPosition utm = utmForward(kWgs84A, kWgs84InvF, lat, lon);
    const GridPosition raw = tmForward(utmZoneParameters(kWgs84A, 1.0 / kWgs84InvF, utm.zone), lat, lon);
    QCOMPARE(utm.northing, south ? raw.northing + 10000000.0 : raw.northing);
    QVERIFY(utm.northing >= 0.0);
    // A southern band letter takes the false northing off again; the same
    // northing read with a northern letter lands in the other hemisphere.
    const GeoPosition back = utmInverse(utm.zone, utm.band, utm.easting, utm.northing, kWgs84DatumIndex);
    QVERIFY(std::fabs(back.latitude - lat) < 1e-6);
    QVERIFY(std::fabs(back.longitude - lon) < 1e-6);
    if (south) {
        const char lower = char(utm.band - 'A' + 'a');
        const GeoPosition lowerCase = utmInverse(utm.zone, lower, utm.easting, utm.northing,
                                                 kWgs84DatumIndex);
        QVERIFY(lowerCase.latitude > 0.0);  // a lower-case letter counts as northern
    }
}

void TestGeoTransverseMercator::roundTrip_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<int>("datum");
    QTest::newRow("Cape Town, south") << -33.9 << 18.4 << kWgs84DatumIndex;
    QTest::newRow("3 deg west of CM, south") << -45.0 << 12.0 << kWgs84DatumIndex;
    QTest::newRow("3 deg east of CM, north") << 60.0 << 18.0 << kWgs84DatumIndex;
    QTest::newRow("near equator south") << -0.5 << 2.0 << kWgs84DatumIndex;
    QTest::newRow("Svalbard") << 78.2 << 15.6 << kWgs84DatumIndex;
    QTest::newRow("Hong Kong on Clarke 1880") << 22.3 << 114.2 << 0;
    QTest::newRow("Tierra del Fuego on Intl 1924") << -54.8 << -68.3 << 41;
}

void TestGeoTransverseMercator::roundTrip()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(int, datum);
    const EllipsoidRecord &e = datumEllipsoidRecord(datum);
    const UtmPosition utm = utmForward(e.a, e.inverseFlattening, lat, lon);
    const GeoPosition back = utmInverse(utm.zone, utm.band, utm.easting, utm.northing, datum);
    QVERIFY2(std::fabs(back.latitude - lat) < 1e-6, qPrintable(QString::number(back.latitude, 'f', 9)));
    QVERIFY2(std::fabs(back.longitude - lon) < 1e-6, qPrintable(QString::number(back.longitude, 'f', 9)));

    // Same point on a TM grid centred 2.5 degrees away.
    TmParameters tm = tmGridParameters(datum);
    tm.centralMeridian = lon + 2.5;
    const GridPosition g = tmForward(tm, lat, lon);
    const GeoPosition tmBack = tmInverse(tm, g.easting, g.northing);
    QVERIFY(std::fabs(tmBack.latitude - lat) < 1e-6);
    QVERIFY(std::fabs(tmBack.longitude - lon) < 1e-6);
}

void TestGeoTransverseMercator::inverseStopsOnAbsurdNorthing_data()
{
    QTest::addColumn<double>("northing");
    QTest::newRow("huge") << 1e300;
    QTest::newRow("infinite") << HUGE_VAL;
    QTest::newRow("not a number") << std::nan("");
    QTest::newRow("int range") << 2147483647.0;
}

void TestGeoTransverseMercator::inverseStopsOnAbsurdNorthing()
{
    QFETCH(double, northing);
    // Returns (whatever the position) instead of refining the footpoint forever.
    const GeoPosition p = tmInverse(tmGridParameters(kWgs84DatumIndex), 250000.0, northing);
    QCOMPARE(p.height, 0.0);
}

QTEST_GUILESS_MAIN(TestGeoTransverseMercator)
#include "tst_geo_transverse_mercator.moc"
