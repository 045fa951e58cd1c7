#include <QtTest>

#include <cmath>

#include "geo/datum_shift.h"
#include "geo/datum_table.h"

// The datum and ellipsoid tables, and the shift between WGS 84 and each datum.
class TestGeoDatumShift : public QObject
{
    Q_OBJECT
private slots:
    void datumRows_data();
    void datumRows();
    void wholeTable();
    void shiftToWgs84_data();
    void shiftToWgs84();
};

void TestGeoDatumShift::datumRows_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("inverseFlattening");
    QTest::addColumn<double>("rzArcsec");  // rotation about z, 0 for a translation-only row
    QTest::addColumn<double>("scale");     // ppm
    // Names as the table gives them, blanks included: files and settings store them.
    QTest::newRow("first, Clarke 1880") << 0 << "Adindan-Burkina" << 6378249.145 << 293.465 << 0.0 << 0.0;
    QTest::newRow("two blanks") << 27 << "Astro DOS  71/4" << 6378388.0 << 297.0 << 0.0 << 0.0;
    QTest::newRow("Merchich rotates") << 109 << "Merchich" << 6378249.145 << 293.465 << 5.2 << 0.0025;
    QTest::newRow("MGI, after a rotation row") << 110 << "MGI" << 6377397.155 << 299.1528128 << 0.0 << 0.0;
    QTest::newRow("Porto Santo rotates") << 163 << "Porto Santo 1936" << 6378388.0 << 297.0 << -3.06 << 0.0083;
    QTest::newRow("Rome 1940 rotates") << 180 << "Rome 1940" << 6378388.0 << 297.0 << -7.023 << 0.0;
    QTest::newRow("Bessel (Namibia)") << 193 << "Schwarzeck " << 6377483.865 << 299.1528128 << 0.0 << 0.0;
    QTest::newRow("TWD'67, its own copy") << 217 << "TWD'67" << 6378160.0 << 298.25 << 0.0 << 0.0;
    QTest::newRow("WGS 1972") << 223 << "WGS 1972" << 6378135.0 << 298.26 << 0.0 << 0.0;
    QTest::newRow("WGS 1984 default") << kWgs84DatumIndex << "WGS 1984" << 6378137.0 << 298.257223563 << 0.0 << 0.0;
    QTest::newRow("last") << 227 << "Zanderij" << 6378388.0 << 297.0 << 0.0 << 0.0;
}

void TestGeoDatumShift::datumRows()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(double, a);
    QFETCH(double, inverseFlattening);
    QFETCH(double, rzArcsec);
    QFETCH(double, scale);
    QCOMPARE(datumName(index), name);
    QCOMPARE(datumIndexByName(name), index);
    QCOMPARE(datumEllipsoidRecord(index).a, a);
    QCOMPARE(datumEllipsoidRecord(index).inverseFlattening, inverseFlattening);
    QCOMPARE(datumHasRotation(index), rzArcsec != 0.0);
    const HelmertShift shift = datumShiftToWgs84(index);
    QVERIFY(std::fabs(shift.rz - rzArcsec * M_PI / 648000.0) < 1e-15);
    QCOMPARE(shift.s, scale);
}

void TestGeoDatumShift::wholeTable()
{
    QSet<QString> names;
    QVector<int> rowsPerEllipsoid(kEllipsoidCount);
    for (int i = 0; i < kDatumCount; ++i) {
        QVERIFY2(!datumName(i).isEmpty() && datumIndexByName(datumName(i)) == i, qPrintable(QString::number(i)));
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
    QCOMPARE(datumIndexByName(QStringLiteral("Schwarzeck")), -1);
    QCOMPARE(datumRecord(228).ellipsoid, kWgs84EllipsoidIndex);
    QCOMPARE(datumEllipsoid(-5).a, 6378137.0);
    QVERIFY(!datumHasRotation(-1));
}

void TestGeoDatumShift::shiftToWgs84_data()
{
    QTest::addColumn<int>("datum");
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<double>("wgs84Lat");
    QTest::addColumn<double>("wgs84Lon");
    // Expected values worked out by hand from the Cartesian formulas, the single-step
    // inverse and the seven-term shift (python, not part of the sources).
    QTest::newRow("Adindan-Burkina, translation")
        << 0 << 12.0 << -1.5 << 12.000867212850443 << -1.500156874635772;
    QTest::newRow("Merchich, rotation and scale") << 109 << 33.6 << -7.6 << 33.59676422943686 << -7.597840096503107;
    QTest::newRow("Rome 1940, rotation") << 180 << 41.9 << 12.5 << 41.90001565152317 << 12.497963145298696;
    // No translation, but the ellipsoid still changes from WGS 72 to WGS 84.
    QTest::newRow("WGS 1972") << kWgs72DatumIndex << 45.0 << 10.0 << 45.000001851434796 << 10.0;
    QTest::newRow("WGS 1984 near the date line") << kWgs84DatumIndex << 10.0 << 180.0 << 10.0 << 180.0;
    QTest::newRow("WGS 1984 Antarctic") << kWgs84DatumIndex << -78.0 << 166.7 << -78.0 << 166.7;
}

void TestGeoDatumShift::shiftToWgs84()
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

QTEST_GUILESS_MAIN(TestGeoDatumShift)
#include "tst_geo_datum_shift.moc"
