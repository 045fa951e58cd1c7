#include <QtTest>

#include <cmath>

#include "geo/datum_table.h"
#include "geo/grid_parameters.h"
#include "geo/transverse_mercator.h"
#include "geo/utm.h"

// Transverse Mercator series, UTM zones and bands, and the TM grid.
class TestGeoTransverseMercator : public QObject
{
    Q_OBJECT
private slots:
    void zonesAndBands_data();
    void zonesAndBands();
    void gridValues_data();
    void gridValues();
    void quarterMeridian();
    void inverseStopsOnAbsurdNorthing();
};

void TestGeoTransverseMercator::zonesAndBands_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<int>("zone");
    QTest::addColumn<char>("band");
    QTest::newRow("date line west") << 0.0 << -180.0 << 1 << 'N';
    QTest::newRow("date line east gives 61, band edge 8°S") << -8.0 << 180.0 << 61 << 'M';
    QTest::newRow("just south of the equator") << -0.0001 << 10.0 << 32 << 'M';
    QTest::newRow("band edge 56°N, Norway 3.0") << 56.0 << 3.0 << 32 << 'V';
    QTest::newRow("Norway 2.9999") << 60.0 << 2.9999 << 31 << 'V';
    QTest::newRow("Norway 12.0 is zone 33") << 60.0 << 12.0 << 33 << 'V';
    QTest::newRow("band edge 64°N, Norway rule ends") << 64.0 << 5.0 << 31 << 'W';
    QTest::newRow("71.9999 is W, no Svalbard rule") << 71.9999 << 9.0 << 32 << 'W';
    QTest::newRow("band edge 72°N opens X, Svalbard 9.0") << 72.0 << 9.0 << 33 << 'X';
    QTest::newRow("Svalbard 8.9999") << 75.0 << 8.9999 << 31 << 'X';
    QTest::newRow("Svalbard 21") << 75.0 << 21.0 << 35 << 'X';
    QTest::newRow("Svalbard 33") << 75.0 << 33.0 << 37 << 'X';
    QTest::newRow("Svalbard 42 is normal") << 75.0 << 42.0 << 38 << 'X';
    QTest::newRow("band edge 84°N closes X, Svalbard rule ends") << 84.0 << 9.0 << 32 << 'X';
    QTest::newRow("above 84°N") << 84.0001 << 9.0 << 32 << 'Z';
    QTest::newRow("band edge 80°S opens C") << -80.0 << 0.0 << 31 << 'C';
    QTest::newRow("below 80°S") << -80.0001 << 0.0 << 31 << 'Z';
    QTest::newRow("not a number") << std::nan("") << 0.0 << 31 << 'Z';
}

void TestGeoTransverseMercator::zonesAndBands()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(int, zone);
    QFETCH(char, band);
    QCOMPARE(utmZoneNumber(lat, lon), zone);
    QCOMPARE(utmBandLetter(lat), band);
    QCOMPARE(utmForward(6378137.0, 298.257223563, lat, lon).zoneText, QString::number(zone) + QLatin1Char(band));
}

void TestGeoTransverseMercator::gridValues_data()
{
    QTest::addColumn<int>("datum");
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<QString>("zone");  // UTM zone and band; empty for the TM grid at 121° E
    QTest::addColumn<double>("easting");
    QTest::addColumn<double>("northing");
    QTest::addColumn<double>("tolerance");
    // Snyder, "Map Projections: A Working Manual", USGS Professional Paper 1395 (1987),
    // p. 269: Clarke 1866, x = 127106.5 m (500000 m less in UTM), y = 4484124.4 m.
    QTest::newRow("Snyder worked example, Clarke 1866")
        << 44 << 40.5 << -73.5 << "18T" << 627106.5 << 4484124.4 << 0.1;
    // CN Tower, 43°38'33.24"N 79°23'13.7"W: 17T 630084 m E, 4833438 m N as published.
    QTest::newRow("CN Tower") << kWgs84DatumIndex << 43.0 + 38.0 / 60 + 33.24 / 3600
                              << -(79.0 + 23.0 / 60 + 13.7 / 3600) << "17T" << 630084.0 << 4833438.0 << 1.0;
    // Below: Krüger n-series to sixth order, in a python script (not part of the
    // sources); the two methods agree to a centimetre within 6° of the central meridian.
    QTest::newRow("Pearl River mouth") << kWgs84DatumIndex << 22.5 << 113.5 << "49Q" << 757195.834
                                       << 2490319.870 << 0.01;
    QTest::newRow("Cape Town, southern false northing") << kWgs84DatumIndex << -33.9 << 18.4 << "34H"
                                                        << 259583.222 << 6245888.045 << 0.01;
    QTest::newRow("just south of the equator") << kWgs84DatumIndex << -0.5 << 2.0 << "31M" << 388723.559
                                               << 9944726.488 << 0.01;
    QTest::newRow("Norway, zone 32 is 6° wide here") << kWgs84DatumIndex << 60.0 << 3.0 << "32V" << 165640.332
                                                     << 6666593.572 << 0.02;
    QTest::newRow("Svalbard") << kWgs84DatumIndex << 78.2 << 15.6 << "33X" << 513696.945 << 8680760.053 << 0.01;
    QTest::newRow("Hong Kong on Clarke 1880") << 0 << 22.3 << 114.2 << "50Q" << 211503.797 << 2468501.934 << 0.01;
    QTest::newRow("Tierra del Fuego on International 1924")
        << 41 << -54.8 << -68.3 << "19F" << 545002.251 << 3927107.660 << 0.01;
    QTest::newRow("TM grid 23N 121.5E") << kWgs84DatumIndex << 23.0 << 121.5 << "" << 301256.597 << 2544370.513
                                        << 0.01;
    QTest::newRow("TM grid south of the equator")
        << kWgs84DatumIndex << -1.0 << 121.0 << "" << 250000.0 << -110563.331 << 0.01;
    QTest::newRow("TM grid on Krassovsky") << 33 << 25.03 << 121.56 << "" << 306514.198 << 2769266.594 << 0.01;
}

void TestGeoTransverseMercator::gridValues()
{
    QFETCH(int, datum);
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(QString, zone);
    QFETCH(double, easting);
    QFETCH(double, northing);
    QFETCH(double, tolerance);
    GridPosition grid;
    GeoPosition back;
    if (zone.isEmpty()) {
        const TmParameters tm = tmGridParameters(datum);
        grid = tmForward(tm, lat, lon);
        back = tmInverse(tm, grid.easting, grid.northing);
    } else {
        const EllipsoidRecord &e = datumEllipsoidRecord(datum);
        const UtmPosition utm = utmForward(e.a, e.inverseFlattening, lat, lon);
        QCOMPARE(utm.zoneText, zone);
        grid = {utm.easting, utm.northing};
        back = utmInverse(utm.zone, utm.band, utm.easting, utm.northing, datum);
    }
    QVERIFY2(std::fabs(grid.easting - easting) <= tolerance, qPrintable(QString::number(grid.easting, 'f', 3)));
    QVERIFY2(std::fabs(grid.northing - northing) <= tolerance, qPrintable(QString::number(grid.northing, 'f', 3)));
    QVERIFY2(std::fabs(back.latitude - lat) < 1e-6, qPrintable(QString::number(back.latitude, 'f', 9)));
    QVERIFY2(std::fabs(back.longitude - lon) < 1e-6, qPrintable(QString::number(back.longitude, 'f', 9)));
}

void TestGeoTransverseMercator::quarterMeridian()
{
    // WGS 84 quarter meridian, 10 001 965.729 m (standard published value).
    const double m = meridianArc(M_PI / 2, 0.0, 6378137.0, 1.0 / 298.257223563, 1.0);
    QVERIFY2(std::fabs(m - 10001965.729) < 1e-3, qPrintable(QString::number(m, 'f', 4)));
}

void TestGeoTransverseMercator::inverseStopsOnAbsurdNorthing()
{
    // Returns (whatever the position) instead of refining the footpoint forever.
    for (double northing : {1e300, HUGE_VAL, std::nan("")})
        QCOMPARE(tmInverse(tmGridParameters(kWgs84DatumIndex), 250000.0, northing).height, 0.0);
}

QTEST_GUILESS_MAIN(TestGeoTransverseMercator)
#include "tst_geo_transverse_mercator.moc"
