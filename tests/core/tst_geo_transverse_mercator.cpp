#include <QtTest>

#include <cmath>

#include "geo/datum_table.h"
#include "geo/grid_parameters.h"
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
    void inverseStopsOnAbsurdNorthing();
};

void TestGeoTransverseMercator::zonesAndBands_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<QString>("zone");
    QTest::newRow("date line west") << 0.0 << -180.0 << "1N";
    QTest::newRow("date line east gives 61, band edge 8°S") << -8.0 << 180.0 << "61M";
    QTest::newRow("just south of the equator") << -0.0001 << 10.0 << "32M";
    QTest::newRow("band edge 56°N, Norway 3.0") << 56.0 << 3.0 << "32V";
    QTest::newRow("Norway 2.9999") << 60.0 << 2.9999 << "31V";
    QTest::newRow("Norway 12.0 is zone 33") << 60.0 << 12.0 << "33V";
    QTest::newRow("band edge 64°N, Norway rule ends") << 64.0 << 5.0 << "31W";
    QTest::newRow("71.9999 is W, no Svalbard rule") << 71.9999 << 9.0 << "32W";
    QTest::newRow("band edge 72°N opens X, Svalbard 9.0") << 72.0 << 9.0 << "33X";
    QTest::newRow("Svalbard 8.9999") << 75.0 << 8.9999 << "31X";
    QTest::newRow("Svalbard 21") << 75.0 << 21.0 << "35X";
    QTest::newRow("Svalbard 33") << 75.0 << 33.0 << "37X";
    QTest::newRow("Svalbard 42 is normal") << 75.0 << 42.0 << "38X";
    QTest::newRow("band edge 84°N closes X, Svalbard rule ends") << 84.0 << 9.0 << "32X";
    QTest::newRow("above 84°N") << 84.0001 << 9.0 << "32Z";
    QTest::newRow("band edge 80°S opens C") << -80.0 << 0.0 << "31C";
    QTest::newRow("below 80°S") << -80.0001 << 0.0 << "31Z";
    QTest::newRow("not a number") << std::nan("") << 0.0 << "31Z";
}

void TestGeoTransverseMercator::zonesAndBands()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    QTEST(QString::number(utmZoneNumber(lat, lon)) + QLatin1Char(utmBandLetter(lat)), "zone");
    QTEST(utmForward(6378137.0, 298.257223563, lat, lon).zoneText, "zone");
}

void TestGeoTransverseMercator::gridValues_data()
{
    QTest::addColumn<int>("datum");
    QTest::addColumn<QString>("zone");  // UTM zone and band; empty for the TM grid at 121° E
    QTest::addColumn<QVector<double>>("values");  // latitude, longitude, easting, northing, tolerance
    const int wgs84 = kWgs84DatumIndex;
    // Snyder, "Map Projections: A Working Manual", USGS Professional Paper 1395 (1987),
    // p. 269: Clarke 1866, x = 127106.5 m (500000 m less in UTM), y = 4484124.4 m.
    QTest::newRow("Snyder worked example, Clarke 1866") << 44 << "18T"
                                                        << QVector<double>{40.5, -73.5, 627106.5, 4484124.4, 0.1};
    // Below: Krüger n-series to sixth order, in a python script (not part of the
    // sources); the two methods agree to a centimetre within 6° of the central meridian.
    QTest::newRow("Pearl River mouth") << wgs84 << "49Q" << QVector<double>{22.5, 113.5, 757195.834, 2490319.870, 0.01};
    QTest::newRow("Cape Town, southern false northing")
        << wgs84 << "34H" << QVector<double>{-33.9, 18.4, 259583.222, 6245888.045, 0.01};
    QTest::newRow("Norway, zone 32 is 6° wide here")
        << wgs84 << "32V" << QVector<double>{60.0, 3.0, 165640.332, 6666593.572, 0.02};
    QTest::newRow("Svalbard") << wgs84 << "33X" << QVector<double>{78.2, 15.6, 513696.945, 8680760.053, 0.01};
    QTest::newRow("Tierra del Fuego on International 1924")
        << 41 << "19F" << QVector<double>{-54.8, -68.3, 545002.251, 3927107.660, 0.01};
    QTest::newRow("TM grid") << wgs84 << "" << QVector<double>{23.0, 121.5, 301256.597, 2544370.513, 0.01};
    QTest::newRow("TM grid south of the equator")
        << wgs84 << "" << QVector<double>{-1.0, 121.0, 250000.0, -110563.331, 0.01};
    QTest::newRow("TM grid on Krassovsky") << 33 << "" << QVector<double>{25.03, 121.56, 306514.198, 2769266.594, 0.01};
}

void TestGeoTransverseMercator::gridValues()
{
    QFETCH(int, datum);
    QFETCH(QString, zone);
    QFETCH(QVector<double>, values);
    const double lat = values[0];
    const double lon = values[1];
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
    QVERIFY2(std::fabs(grid.easting - values[2]) <= values[4] && std::fabs(grid.northing - values[3]) <= values[4],
             qPrintable(QStringLiteral("%1 %2").arg(grid.easting, 0, 'f', 3).arg(grid.northing, 0, 'f', 3)));
    QVERIFY2(std::fabs(back.latitude - lat) < 1e-6 && std::fabs(back.longitude - lon) < 1e-6,
             qPrintable(QStringLiteral("%1 %2").arg(back.latitude, 0, 'f', 9).arg(back.longitude, 0, 'f', 9)));
}

void TestGeoTransverseMercator::inverseStopsOnAbsurdNorthing()
{
    // Returns (whatever the position) instead of refining the footpoint forever.
    for (double northing : {1e300, HUGE_VAL, std::nan("")})
        QCOMPARE(tmInverse(tmGridParameters(kWgs84DatumIndex), 250000.0, northing).height, 0.0);
}

QTEST_GUILESS_MAIN(TestGeoTransverseMercator)
#include "tst_geo_transverse_mercator.moc"
