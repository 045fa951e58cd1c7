#include <QtTest>

#include "geo/datum_table.h"
#include "geo/ellipsoid_table.h"

// Integrity of the constant datum and ellipsoid tables.
class TestDatumTable : public QObject
{
    Q_OBJECT
private slots:
    void rowCount();
    void names_data();
    void names();
    void namesAreUniqueAndFound();
    void ellipsoidIndicesInRange();
    void ellipsoidUsage_data();
    void ellipsoidUsage();
    void ellipsoidValues_data();
    void ellipsoidValues();
    void rotationRows_data();
    void rotationRows();
    void outOfRangeIndex();
};

void TestDatumTable::rowCount()
{
    QCOMPARE(kDatumCount, 228);
    QCOMPARE(kEllipsoidCount, 25);
    QVERIFY(!datumName(227).isEmpty());
    QVERIFY(datumName(228).isEmpty());
    QVERIFY(datumName(-1).isEmpty());
}

void TestDatumTable::names_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::newRow("first") << 0 << QStringLiteral("Adindan-Burkina");
    QTest::newRow("WGS 1972") << 223 << QStringLiteral("WGS 1972");
    QTest::newRow("WGS 1984 default") << kWgs84DatumIndex << QStringLiteral("WGS 1984");
    QTest::newRow("last") << 227 << QStringLiteral("Zanderij");
    QTest::newRow("two blanks in DOS 71/4") << 27 << QStringLiteral("Astro DOS  71/4");
    QTest::newRow("trailing blank Tern Island") << 28 << QStringLiteral("Astro Tern Island ");
    QTest::newRow("trailing blank Schwarzeck") << 193 << QStringLiteral("Schwarzeck ");
    QTest::newRow("two blanks Wake Island") << 221 << QStringLiteral("Wake Island  Astro'52");
    QTest::newRow("Merchich") << 109 << QStringLiteral("Merchich");
    QTest::newRow("Beijing 1954") << 33 << QStringLiteral("Beijing 1954");
    QTest::newRow("TWD'67") << 217 << QStringLiteral("TWD'67");
}

void TestDatumTable::names()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    QCOMPARE(datumName(index), name);
}

void TestDatumTable::namesAreUniqueAndFound()
{
    QSet<QString> seen;
    for (int i = 0; i < kDatumCount; ++i) {
        QVERIFY2(!datumName(i).isEmpty(), qPrintable(QString::number(i)));
        seen.insert(datumName(i));
        QCOMPARE(datumIndexByName(datumName(i)), i);
    }
    QCOMPARE(seen.size(), kDatumCount);
    QCOMPARE(datumIndexByName(QStringLiteral("Schwarzeck")), -1);  // without its blank
}

void TestDatumTable::ellipsoidIndicesInRange()
{
    for (int i = 0; i < kDatumCount; ++i) {
        const int e = datumRecord(i).ellipsoid;
        QVERIFY2(e >= 0 && e < kEllipsoidCount, qPrintable(QString::number(i)));
    }
}

void TestDatumTable::ellipsoidUsage_data()
{
    QTest::addColumn<int>("ellipsoid");
    QTest::addColumn<int>("datumRows");
    // Counts as published with the ellipsoid table, one row per ellipsoid.
    const int counts[kEllipsoidCount] = {5, 1, 3, 2, 14, 33, 44, 6, 1, 1, 0, 1, 1,
                                         1, 1, 1, 1, 77, 10, 8, 13, 1, 1, 1, 1};
    int total = 0;
    for (int e = 0; e < kEllipsoidCount; ++e) {
        QTest::addRow("ellipsoid %d", e) << e << counts[e];
        total += counts[e];
    }
    QCOMPARE(total, kDatumCount);
}

void TestDatumTable::ellipsoidUsage()
{
    QFETCH(int, ellipsoid);
    QFETCH(int, datumRows);
    int used = 0;
    for (int i = 0; i < kDatumCount; ++i)
        used += datumRecord(i).ellipsoid == ellipsoid ? 1 : 0;
    QCOMPARE(used, datumRows);
}

void TestDatumTable::ellipsoidValues_data()
{
    QTest::addColumn<int>("datum");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("inverseFlattening");
    QTest::newRow("Adindan-Burkina, Clarke 1880") << 0 << 6378249.145 << 293.465;
    QTest::newRow("OSGB'36 -England, Airy 1830") << 154 << 6377563.396 << 299.3249646;
    QTest::newRow("WGS 1972") << 223 << 6378135.0 << 298.26;
    QTest::newRow("WGS 1984") << 224 << 6378137.0 << 298.257223563;
    QTest::newRow("TWD'67, its own copy") << 217 << 6378160.0 << 298.25;
}

void TestDatumTable::ellipsoidValues()
{
    QFETCH(int, datum);
    QFETCH(double, a);
    QFETCH(double, inverseFlattening);
    QCOMPARE(datumEllipsoidRecord(datum).a, a);
    QCOMPARE(datumEllipsoidRecord(datum).inverseFlattening, inverseFlattening);
    const Ellipsoid e = datumEllipsoid(datum);
    QCOMPARE(e.a, a);
    QCOMPARE(e.f, 1.0 / inverseFlattening);
}

void TestDatumTable::rotationRows_data()
{
    QTest::addColumn<int>("datum");
    QTest::addColumn<bool>("rotated");
    QTest::addColumn<double>("rzArcsec");
    QTest::addColumn<double>("scale");
    QTest::newRow("Massawa") << 108 << false << 0.0 << 0.0;
    QTest::newRow("Merchich") << 109 << true << 5.2 << 0.0025;
    QTest::newRow("MGI") << 110 << false << 0.0 << 0.0;
    QTest::newRow("Pointe Noire 1948") << 162 << false << 0.0 << 0.0;
    QTest::newRow("Porto Santo 1936") << 163 << true << -3.06 << 0.0083;
    QTest::newRow("Potsdam") << 164 << false << 0.0 << 0.0;
    QTest::newRow("Reunion") << 179 << false << 0.0 << 0.0;
    QTest::newRow("Rome 1940") << 180 << true << -7.023 << 0.0;
    QTest::newRow("RT90") << 181 << false << 0.0 << 0.0;
}

void TestDatumTable::rotationRows()
{
    QFETCH(int, datum);
    QFETCH(bool, rotated);
    QFETCH(double, rzArcsec);
    QFETCH(double, scale);
    QCOMPARE(datumHasRotation(datum), rotated);
    const HelmertShift shift = datumShiftToWgs84(datum);
    // Stored radians agree with the arcseconds to well within 1e-15 rad.
    QVERIFY(qAbs(shift.rz - rzArcsec * M_PI / 648000.0) < 1e-15);
    QCOMPARE(shift.s, scale);
    QCOMPARE(shift.rx != 0.0, rotated);
    // Translations travel with every row; the reverse negates all seven terms.
    const HelmertShift back = shift.reversed();
    QCOMPARE(back.tx, -datumRecord(datum).dx);
    QCOMPARE(back.rz, -shift.rz);
    QCOMPARE(back.s, -shift.s);
}

void TestDatumTable::outOfRangeIndex()
{
    // Numeric reads of an index outside the table fall back to WGS 1984.
    QCOMPARE(datumRecord(228).ellipsoid, kWgs84EllipsoidIndex);
    QCOMPARE(datumRecord(-5).dx, 0.0);
    QCOMPARE(datumEllipsoid(1000).a, 6378137.0);
    QVERIFY(!datumHasRotation(-1));
}

QTEST_GUILESS_MAIN(TestDatumTable)
#include "tst_datum_table.moc"
