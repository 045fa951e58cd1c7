#include <QtTest>

#include <cmath>

#include "geo/datum_shift.h"
#include "geo/datum_table.h"
#include "geo/geodetic_cartesian.h"

// Geodetic/Cartesian conversions and the shift between WGS 84 and the datums.
class TestGeoDatumShift : public QObject
{
    Q_OBJECT
private slots:
    void cartesianAxes_data();
    void cartesianAxes();
    void cartesianRoundTripOnEllipsoid_data();
    void cartesianRoundTripOnEllipsoid();
    void singleStepOffEllipsoid();
    void wgs84RowIsIdentity_data();
    void wgs84RowIsIdentity();
    void adindanRoundTrip_data();
    void adindanRoundTrip();
    void adindanHandValue();
    void rotationRowsDifferFromTranslation_data();
    void rotationRowsDifferFromTranslation();
    void rotationRowsRoundTrip_data();
    void rotationRowsRoundTrip();
    void wgs72RowStillChangesEllipsoid();
};

namespace {
const double kWgs84InverseFlattening = 298.257223563;

// The shift as a plain translation, for comparison with the rotation rows.
GeoPosition translatedOnly(const GeoPosition &p, int datum)
{
    const Ellipsoid e = datumEllipsoid(datum);
    CartesianPosition c = geodeticToCartesian(p, e.a, e.f);
    const DatumRecord &r = datumRecord(datum);
    c.x += r.dx;
    c.y += r.dy;
    c.z += r.dz;
    return cartesianToGeodetic(c, kWgs84SemiMajorAxis, kWgs84Flattening);
}
}  // namespace

void TestGeoDatumShift::cartesianAxes_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("z");
    const double a = 6378137.0;
    const double b = a * (1.0 - 1.0 / kWgs84InverseFlattening);
    // On the axes the Cartesian position is a or b (hand calculation); the
    // eleven-decimal degree constant leaves sub-millimetre residues off zero.
    QTest::newRow("equator, Greenwich") << 0.0 << 0.0 << a << 0.0 << 0.0;
    QTest::newRow("equator, 90 E") << 0.0 << 90.0 << 0.0 << a << 0.0;
    QTest::newRow("equator, 180") << 0.0 << 180.0 << -a << 0.0 << 0.0;
    QTest::newRow("north pole") << 90.0 << 0.0 << 0.0 << 0.0 << b;
    QTest::newRow("south pole") << -90.0 << 0.0 << 0.0 << 0.0 << -b;
}

void TestGeoDatumShift::cartesianAxes()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, z);
    const CartesianPosition c =
        geodeticToCartesian({lat, lon, 0.0}, 6378137.0, 1.0 / kWgs84InverseFlattening);
    QVERIFY2(std::fabs(c.x - x) < 1e-3, qPrintable(QString::number(c.x, 'f', 6)));
    QVERIFY2(std::fabs(c.y - y) < 1e-3, qPrintable(QString::number(c.y, 'f', 6)));
    QVERIFY2(std::fabs(c.z - z) < 1e-3, qPrintable(QString::number(c.z, 'f', 6)));
}

void TestGeoDatumShift::cartesianRoundTripOnEllipsoid_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::newRow("Hong Kong") << 22.3 << 114.2;
    QTest::newRow("Cape Town") << -33.9 << 18.4;
    QTest::newRow("Anchorage") << 61.2 << -149.9;
    QTest::newRow("near south pole") << -89.5 << -45.0;
}

void TestGeoDatumShift::cartesianRoundTripOnEllipsoid()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    // For points on the ellipsoid the single-step inverse is exact.
    const Ellipsoid e = datumEllipsoid(0);
    const GeoPosition back = cartesianToGeodetic(geodeticToCartesian({lat, lon, 0.0}, e.a, e.f), e.a, e.f);
    QVERIFY(std::fabs(back.latitude - lat) < 1e-11);
    QVERIFY(std::fabs(back.longitude - lon) < 1e-11);
    QVERIFY(std::fabs(back.height) < 1e-6);
}

void TestGeoDatumShift::singleStepOffEllipsoid()
{
    // 1000 m above the ellipsoid the single step is off by about 1.3e-7 degrees
    // (an iterated inverse, in a script, gives 1.317e-7 at 45 degrees).
    const Ellipsoid e = datumEllipsoid(kWgs84DatumIndex);
    const GeoPosition back =
        cartesianToGeodetic(geodeticToCartesian({45.0, 10.0, 1000.0}, e.a, e.f), e.a, e.f);
    QVERIFY(std::fabs(back.latitude - 45.0) < 2e-7);
    QVERIFY(std::fabs(back.latitude - 45.0) > 1e-8);
    QVERIFY(std::fabs(back.height - 1000.0) < 1e-3);
}

void TestGeoDatumShift::wgs84RowIsIdentity_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::newRow("origin") << 0.0 << 0.0;
    QTest::newRow("Pearl River mouth") << 22.5 << 113.5;
    QTest::newRow("Cape Town") << -33.9 << 18.4;
    QTest::newRow("Bering Strait") << 65.7 << -168.9;
    QTest::newRow("Antarctic") << -78.0 << 166.7;
    QTest::newRow("date line") << 10.0 << 180.0;
}

void TestGeoDatumShift::wgs84RowIsIdentity()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    const GeoPosition to = wgs84ToDatum({lat, lon, 0.0}, kWgs84DatumIndex);
    const GeoPosition from = datumToWgs84({lat, lon, 0.0}, kWgs84DatumIndex);
    for (const GeoPosition &p : {to, from}) {
        QVERIFY(std::fabs(p.latitude - lat) < 1e-8);
        QVERIFY(std::fabs(std::remainder(p.longitude - lon, 360.0)) < 1e-8);
    }
}

void TestGeoDatumShift::adindanRoundTrip_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::newRow("Ouagadougou") << 12.37 << -1.53;
    QTest::newRow("Bobo-Dioulasso") << 11.18 << -4.29;
    QTest::newRow("Dori") << 14.03 << -0.03;
    QTest::newRow("Khartoum") << 15.6 << 32.5;
}

void TestGeoDatumShift::adindanRoundTrip()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    // Row 0 ("Adindan-Burkina", Clarke 1880): out to WGS 84 and back. The height
    // that the shift leaves is dropped in between, as every caller does.
    GeoPosition wgs84 = datumToWgs84({lat, lon, 0.0}, 0);
    wgs84.height = 0.0;
    const GeoPosition back = wgs84ToDatum(wgs84, 0);
    QVERIFY(std::fabs(back.latitude - lat) < 1e-7);
    QVERIFY(std::fabs(back.longitude - lon) < 1e-7);
    // The shift itself moves the point by tens of metres.
    QVERIFY(std::fabs(wgs84.latitude - lat) > 1e-4);
}

void TestGeoDatumShift::adindanHandValue()
{
    // 12° N, 1.5° W on Adindan-Burkina; expected value worked out from the
    // Cartesian formulas by hand (python script, not part of the sources).
    const GeoPosition w = datumToWgs84({12.0, -1.5, 0.0}, 0);
    QVERIFY(std::fabs(w.latitude - 12.000867212850443) < 1e-10);
    QVERIFY(std::fabs(w.longitude - -1.500156874635772) < 1e-10);
}

void TestGeoDatumShift::rotationRowsDifferFromTranslation_data()
{
    QTest::addColumn<int>("datum");
    QTest::addColumn<bool>("rotated");
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::newRow("108 Massawa") << 108 << false << 15.6 << 39.4;
    QTest::newRow("109 Merchich") << 109 << true << 33.6 << -7.6;
    QTest::newRow("110 MGI") << 110 << false << 48.2 << 16.4;
    QTest::newRow("162 Pointe Noire 1948") << 162 << false << -4.8 << 11.9;
    QTest::newRow("163 Porto Santo 1936") << 163 << true << 33.07 << -16.34;
    QTest::newRow("164 Potsdam") << 164 << false << 52.4 << 13.1;
    QTest::newRow("179 Reunion") << 179 << false << -21.1 << 55.5;
    QTest::newRow("180 Rome 1940") << 180 << true << 41.9 << 12.5;
    QTest::newRow("181 RT90") << 181 << false << 59.3 << 18.1;
}

void TestGeoDatumShift::rotationRowsDifferFromTranslation()
{
    QFETCH(int, datum);
    QFETCH(bool, rotated);
    QFETCH(double, lat);
    QFETCH(double, lon);
    const GeoPosition shifted = datumToWgs84({lat, lon, 0.0}, datum);
    const GeoPosition plain = translatedOnly({lat, lon, 0.0}, datum);
    const double difference = std::max(std::fabs(shifted.latitude - plain.latitude),
                                       std::fabs(shifted.longitude - plain.longitude));
    if (rotated)
        QVERIFY2(difference > 1e-5, qPrintable(QString::number(difference)));  // metres, not mm
    else
        QVERIFY2(difference < 1e-12, qPrintable(QString::number(difference)));
}

void TestGeoDatumShift::rotationRowsRoundTrip_data()
{
    QTest::addColumn<int>("datum");
    QTest::newRow("Merchich") << 109;
    QTest::newRow("Porto Santo 1936") << 163;
    QTest::newRow("Rome 1940") << 180;
}

void TestGeoDatumShift::rotationRowsRoundTrip()
{
    QFETCH(int, datum);
    // The reverse direction negates every term, which undoes the small-angle
    // rotation to a few millimetres.
    const GeoPosition start{40.0, 5.0, 0.0};
    GeoPosition local = wgs84ToDatum(start, datum);
    local.height = 0.0;
    const GeoPosition back = datumToWgs84(local, datum);
    QVERIFY(std::fabs(back.latitude - start.latitude) < 1e-6);
    QVERIFY(std::fabs(back.longitude - start.longitude) < 1e-6);
}

void TestGeoDatumShift::wgs72RowStillChangesEllipsoid()
{
    // Row 223 has no translation, but the functions themselves still change
    // the ellipsoid (WGS 72 to WGS 84): 1.85e-6 degrees at 45° N by hand.
    const GeoPosition w = datumToWgs84({45.0, 10.0, 0.0}, kWgs72DatumIndex);
    QVERIFY(std::fabs(w.latitude - 45.000001851434796) < 1e-9);
    QCOMPARE(w.longitude, 10.0);
}

QTEST_GUILESS_MAIN(TestGeoDatumShift)
#include "tst_geo_datum_shift.moc"
