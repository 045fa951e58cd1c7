#include <QtTest>

#include <cmath>

#include "geo/datum_shift.h"
#include "geo/datum_table.h"
#include "geo/transverse_mercator.h"

// The datum and ellipsoid tables, the shift between WGS 84 and each datum, the
// Transverse Mercator series, UTM zones and bands, and the TM grid.
class TestGeodesy : public QObject
{
    Q_OBJECT
private slots:
    void datumRows_data();
    void datumRows();
    void wholeTable();
    void shiftToWgs84_data();
    void shiftToWgs84();
    void gridValues_data();
    void gridValues();
    void inverseStopsOnAbsurdNorthing();
};

void TestGeodesy::datumRows_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    // a, inverse flattening, rotation about z in arcseconds (0 for a translation-only
    // row), scale in ppm
    QTest::addColumn<QVector<double>>("values");
    // Names as the table gives them, blanks included: the datum selector shows them.
    // Ellipsoids and rotations the shift and grid rows below do not reach.
    QTest::newRow("two blanks") << 27 << "Astro DOS  71/4" << QVector<double>{6378388.0, 297.0, 0.0, 0.0};
    QTest::newRow("MGI, after a rotation row") << 110 << "MGI" << QVector<double>{6377397.155, 299.1528128, 0.0, 0.0};
    QTest::newRow("Porto Santo rotates") << 163 << "Porto Santo 1936" << QVector<double>{6378388.0, 297.0, -3.06, 0.0083};
    QTest::newRow("Bessel (Namibia)") << 193 << "Schwarzeck " << QVector<double>{6377483.865, 299.1528128, 0.0, 0.0};
    QTest::newRow("TWD'67, its own copy") << 217 << "TWD'67" << QVector<double>{6378160.0, 298.25, 0.0, 0.0};
}

void TestGeodesy::datumRows()
{
    QFETCH(int, index);
    QFETCH(QVector<double>, values);
    QTEST(datumName(index), "name");
    QCOMPARE(datumEllipsoidRecord(index).a, values[0]);
    QCOMPARE(datumEllipsoidRecord(index).inverseFlattening, values[1]);
    const HelmertShift shift = datumShiftToWgs84(index);
    QVERIFY(std::fabs(shift.rz - values[2] * M_PI / 648000.0) < 1e-15);
    QCOMPARE(shift.s, values[3]);
}

void TestGeodesy::wholeTable()
{
    QSet<QString> names;
    QVector<int> rowsPerEllipsoid(kEllipsoidCount);
    for (int i = 0; i < kDatumCount; ++i) {
        QVERIFY2(!datumName(i).isEmpty() && findDatum(datumName(i)) == i, qPrintable(QString::number(i)));
        names.insert(datumName(i));
        const int e = datumRecord(i).ellipsoid;
        QVERIFY2(e >= 0 && e < kEllipsoidCount, qPrintable(QString::number(i)));
        ++rowsPerEllipsoid[e];
    }
    QCOMPARE(names.size(), 228);
    // Rows per ellipsoid as published with the ellipsoid table.
    QCOMPARE(rowsPerEllipsoid, (QVector<int>{5, 1, 3, 2, 14, 33, 44, 6, 1, 1, 0, 1, 1,
                                             1, 1, 1, 1, 77, 10, 8, 13, 1, 1, 1, 1}));
    // Indices outside the table: no name, and numbers read as WGS 1984.
    QVERIFY(datumName(228).isEmpty() && datumName(-1).isEmpty());
    QCOMPARE(datumRecord(228).ellipsoid, kWgs84EllipsoidIndex);
    QCOMPARE(datumEllipsoid(-5).a, 6378137.0);
}

void TestGeodesy::shiftToWgs84_data()
{
    QTest::addColumn<int>("datum");
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<double>("wgs84Lat");
    QTest::addColumn<double>("wgs84Lon");
    // Expected values worked out by hand from the Cartesian formulas, the single-step
    // inverse and the seven-term shift (python, not part of the sources).
    QTest::newRow("Merchich, rotation and scale") << 109 << 33.6 << -7.6 << 33.59676422943686 << -7.597840096503107;
    QTest::newRow("Rome 1940, rotation") << 180 << 41.9 << 12.5 << 41.90001565152317 << 12.497963145298696;
    QTest::newRow("WGS 1984 near the date line") << kWgs84DatumIndex << 10.0 << 180.0 << 10.0 << 180.0;
}

void TestGeodesy::shiftToWgs84()
{
    QFETCH(int, datum);
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(double, wgs84Lat);
    QFETCH(double, wgs84Lon);
    GeoPosition wgs84 = datumToWgs84({lat, lon, 0.0}, datum);
    QVERIFY2(std::fabs(wgs84.latitude - wgs84Lat) < 1e-9, qPrintable(QString::number(wgs84.latitude, 'f', 12)));
    QVERIFY2(std::fabs(std::remainder(wgs84.longitude - wgs84Lon, 360.0)) < 1e-9,
             qPrintable(QString::number(wgs84.longitude, 'f', 12)));
    // And back, with the height the shift leaves dropped as every caller does: the
    // reverse negates all seven terms, which undoes a small rotation to millimetres.
    wgs84.height = 0.0;
    const GeoPosition back = wgs84ToDatum(wgs84, datum);
    QVERIFY(std::fabs(back.latitude - lat) < 1e-7);
    QVERIFY(std::fabs(std::remainder(back.longitude - lon, 360.0)) < 1e-7);
}

void TestGeodesy::gridValues_data()
{
    QTest::addColumn<int>("datum");
    QTest::addColumn<QString>("zone");  // UTM zone and band; empty for the TM grid at 121° E
    // latitude, longitude, then easting, northing and their tolerance, or for a row of
    // the zone alone nothing more
    QTest::addColumn<QVector<double>>("values");
    const int wgs84 = kWgs84DatumIndex;
    // Snyder, "Map Projections: A Working Manual", USGS Professional Paper 1395 (1987),
    // p. 269: Clarke 1866, x = 127106.5 m (500000 m less in UTM), y = 4484124.4 m.
    QTest::newRow("Snyder worked example, Clarke 1866") << 44 << "18T"
                                                        << QVector<double>{40.5, -73.5, 627106.5, 4484124.4, 0.1};
    // Below: Krüger n-series to sixth order, in a python script (not part of the
    // sources); the two methods agree to a centimetre within 6° of the central meridian.
    QTest::newRow("Norway, zone 32 is 6° wide here")
        << wgs84 << "32V" << QVector<double>{60.0, 3.0, 165640.332, 6666593.572, 0.02};
    QTest::newRow("Svalbard") << wgs84 << "33X" << QVector<double>{78.2, 15.6, 513696.945, 8680760.053, 0.01};
    QTest::newRow("TM grid") << wgs84 << "" << QVector<double>{23.0, 121.5, 301256.597, 2544370.513, 0.01};
    QTest::newRow("TM grid on Krassovsky") << 33 << "" << QVector<double>{25.03, 121.56, 306514.198, 2769266.594, 0.01};
    // Zones and bands at the edges of their rules.
    QTest::newRow("date line east gives 61, band edge 8°S") << wgs84 << "61M" << QVector<double>{-8.0, 180.0};
    QTest::newRow("just south of the equator") << wgs84 << "32M" << QVector<double>{-0.0001, 10.0};
    QTest::newRow("band edge 56°N, Norway 3.0") << wgs84 << "32V" << QVector<double>{56.0, 3.0};
    QTest::newRow("Norway 2.9999") << wgs84 << "31V" << QVector<double>{60.0, 2.9999};
    QTest::newRow("Norway 12.0 is zone 33") << wgs84 << "33V" << QVector<double>{60.0, 12.0};
    QTest::newRow("band edge 64°N, Norway rule ends") << wgs84 << "31W" << QVector<double>{64.0, 5.0};
    QTest::newRow("71.9999 is W, no Svalbard rule") << wgs84 << "32W" << QVector<double>{71.9999, 9.0};
    QTest::newRow("band edge 72°N opens X, Svalbard 9.0") << wgs84 << "33X" << QVector<double>{72.0, 9.0};
    QTest::newRow("Svalbard 8.9999") << wgs84 << "31X" << QVector<double>{75.0, 8.9999};
    QTest::newRow("Svalbard 21") << wgs84 << "35X" << QVector<double>{75.0, 21.0};
    QTest::newRow("Svalbard 33") << wgs84 << "37X" << QVector<double>{75.0, 33.0};
    QTest::newRow("Svalbard 42 is normal") << wgs84 << "38X" << QVector<double>{75.0, 42.0};
    QTest::newRow("band edge 84°N closes X, Svalbard rule ends") << wgs84 << "32X" << QVector<double>{84.0, 9.0};
    QTest::newRow("above 84°N") << wgs84 << "32Z" << QVector<double>{84.0001, 9.0};
    QTest::newRow("band edge 80°S opens C") << wgs84 << "31C" << QVector<double>{-80.0, 0.0};
    QTest::newRow("below 80°S") << wgs84 << "31Z" << QVector<double>{-80.0001, 0.0};
    QTest::newRow("not a number") << wgs84 << "31Z" << QVector<double>{std::nan(""), 0.0};
}

void TestGeodesy::gridValues()
{
    QFETCH(int, datum);
    QFETCH(QString, zone);
    QFETCH(QVector<double>, values);
    const double lat = values[0], lon = values[1];
    GridPosition grid;
    GeoPosition back;
    if (zone.isEmpty()) {
        const TmParameters tm = tmGridParameters(datum);
        grid = tmForward(tm, lat, lon);
        back = tmInverse(tm, grid.easting, grid.northing);
    } else {
        QCOMPARE(QString::number(utmZoneNumber(lat, lon)) + QLatin1Char(utmBandLetter(lat)), zone);
        const EllipsoidRecord &e = datumEllipsoidRecord(datum);
        const UtmPosition utm = utmForward(e.a, e.inverseFlattening, lat, lon);
        QCOMPARE(utm.zoneText, zone);
        if (values.size() == 2)
            return;
        grid = {utm.easting, utm.northing};
        back = utmInverse(utm.zone, utm.band, utm.easting, utm.northing, datum);
    }
    QVERIFY2(std::fabs(grid.easting - values[2]) <= values[4] && std::fabs(grid.northing - values[3]) <= values[4],
             qPrintable(QStringLiteral("%1 %2").arg(grid.easting, 0, 'f', 3).arg(grid.northing, 0, 'f', 3)));
    QVERIFY2(std::fabs(back.latitude - lat) < 1e-6 && std::fabs(back.longitude - lon) < 1e-6,
             qPrintable(QStringLiteral("%1 %2").arg(back.latitude, 0, 'f', 9).arg(back.longitude, 0, 'f', 9)));
}

void TestGeodesy::inverseStopsOnAbsurdNorthing()
{
    // Returns (whatever the position) instead of refining the footpoint forever.
    for (double northing : {1e300, HUGE_VAL, std::nan("")})
        QCOMPARE(tmInverse(tmGridParameters(kWgs84DatumIndex), 250000.0, northing).height, 0.0);
}

QTEST_GUILESS_MAIN(TestGeodesy)
#include "tst_geodesy.moc"
