#include <QtTest>

#include <cmath>

#include "geo/angle_format.h"
#include "geo/datum_shift.h"
#include "geo/datum_table.h"
#include "geo/notation_choice.h"
#include "geo/position_format.h"

// The five notations: angle texts, UTM and TM texts, and the numbers handed back.
class TestGeoNotationFormat : public QObject
{
    Q_OBJECT
private slots:
    void notationTable();
    void angleTexts_data();
    void angleTexts();
    void latLonPosition_data();
    void latLonPosition();
    void utmTexts_data();
    void utmTexts();
    void tmTexts_data();
    void tmTexts();
    void numbersNudgedAwayFromZero_data();
    void numbersNudgedAwayFromZero();
    void wgs72ShowsWgs84Values();
    void otherDatumsShowShiftedValues();
};

void TestGeoNotationFormat::notationTable()
{
    const QVector<NotationChoice> rows = standardNotationChoices();
    QCOMPARE(rows.size(), 5);
    const int styles[] = {0, 1, 2, 0, 0};
    const int grids[] = {0, 0, 0, 1, 12};
    const QString labels[] = {QStringLiteral("度"), QStringLiteral("度分"), QStringLiteral("度分秒"),
                              QStringLiteral("UTM"), QStringLiteral("TM")};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(rows[i].angleStyle, styles[i]);
        QCOMPARE(rows[i].gridKind, grids[i]);
        QCOMPARE(rows[i].label, labels[i]);
    }
}

void TestGeoNotationFormat::angleTexts_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<double>("value");
    QTest::addColumn<char>("letter");
    QTest::addColumn<QString>("text");
    QTest::newRow("decimal 22.5") << 0 << 22.5 << 'N' << QStringLiteral("N  22.50000000°");
    QTest::newRow("decimal -121.5") << 0 << -121.5 << 'W' << QStringLiteral("W 121.50000000°");
    QTest::newRow("decimal zero") << 0 << 0.0 << 'E' << QStringLiteral("E   0.00000000°");
    QTest::newRow("minutes -121.5") << 1 << -121.5 << 'W' << QStringLiteral("W 121°30.00000'");
    QTest::newRow("minutes 22.5") << 1 << 22.5 << 'N' << QStringLiteral("N  22°30.00000'");
    QTest::newRow("minutes 180") << 1 << 180.0 << 'E' << QStringLiteral("E 180°00.00000'");
    QTest::newRow("seconds 22.5") << 2 << 22.5 << 'N' << QStringLiteral("N  22°30'00.000\"");
    QTest::newRow("seconds 1.0125") << 2 << 1.0125 << 'S' << QStringLiteral("S   1°00'45.000\"");
    // Values that print as 60 minutes or seconds unless rounding carries.
    QTest::newRow("minutes carry 22.99999995")
        << 1 << 22.99999995 << 'N' << QStringLiteral("N  23°00.00000'");
    QTest::newRow("seconds carry -22.99999999")
        << 2 << -22.99999999 << 'S' << QStringLiteral("S  23°00'00.000\"");
    QTest::newRow("seconds carry into minutes only")
        << 2 << 10.0 + 14.0 / 60 + 59.99999 / 3600 << 'E' << QStringLiteral("E  10°15'00.000\"");
    QTest::newRow("just below the carry") << 1 << 22.9999998 << 'N'
                                          << QStringLiteral("N  22°59.99999'");
    // Values no position has: degrees saturate, nothing overflows.
    QTest::newRow("huge value") << 1 << 1e300 << 'N' << QStringLiteral("N 2147483647°00.00000'");
    QTest::newRow("not a number") << 2 << std::nan("") << 'N' << QStringLiteral("N   0°00'00.000\"");
    QTest::newRow("unknown style prints as decimal") << 7 << 1.5 << 'N'
                                                     << QStringLiteral("N   1.50000000°");
}

void TestGeoNotationFormat::angleTexts()
{
    QFETCH(int, style);
    QFETCH(double, value);
    QFETCH(char, letter);
    QFETCH(QString, text);
    QCOMPARE(formatAngle(style, value, letter), text);
}

void TestGeoNotationFormat::latLonPosition_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<QString>("lonText");
    QTest::addColumn<QString>("latText");
    QTest::newRow("degrees 22.5 113.5") << 0 << 22.5 << 113.5 << QStringLiteral("E 113.50000000°")
                                        << QStringLiteral("N  22.50000000°");
    QTest::newRow("minutes south west") << 1 << -33.25 << -121.5 << QStringLiteral("W 121°30.00000'")
                                        << QStringLiteral("S  33°15.00000'");
    QTest::newRow("seconds") << 2 << 22.5 << 0.0125 << QStringLiteral("E   0°00'45.000\"")
                             << QStringLiteral("N  22°30'00.000\"");
    QTest::newRow("exact zeros are N and E") << 0 << 0.0 << 0.0 << QStringLiteral("E   0.00000000°")
                                             << QStringLiteral("N   0.00000000°");
}

void TestGeoNotationFormat::latLonPosition()
{
    QFETCH(int, style);
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(QString, lonText);
    QFETCH(QString, latText);
    const FormattedPosition f = formatPosition(kGridLatLon, kWgs84DatumIndex, style, {lat, lon, 0.0});
    QCOMPARE(f.lonOrEastingText, lonText);
    QCOMPARE(f.latOrNorthingText, latText);
    QVERIFY(std::fabs(f.latOrNorthing - lat) < 1e-8);
    QVERIFY(std::fabs(f.lonOrEasting - lon) < 1e-8);
}

void TestGeoNotationFormat::utmTexts_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<QString>("eastingText");
    QTest::addColumn<QString>("northingText");
    // Expected metres from a Krüger-series script (not part of the sources),
    // rounded as the program rounds.
    QTest::newRow("Pearl River mouth 49 Q") << 22.5 << 113.5 << QStringLiteral("49 Q 757196")
                                            << QStringLiteral("2490320");
    QTest::newRow("Cape Town 34 H south") << -33.9 << 18.4 << QStringLiteral("34 H 259583")
                                          << QStringLiteral("6245888");
    // CN Tower: 17T 630084 4833438 as published; the program rounds the
    // 4833438.55 m of its series up.
    QTest::newRow("CN Tower 17 T") << 43.0 + 38.0 / 60 + 33.24 / 3600
                                   << -(79.0 + 23.0 / 60 + 13.7 / 3600)
                                   << QStringLiteral("17 T 630084") << QStringLiteral("4833439");
    QTest::newRow("one-digit zone 9 S") << 35.0 << -129.0 << QStringLiteral("9 S 500000")
                                        << QStringLiteral("3873043");
    QTest::newRow("equator on zone 31 CM") << 0.0 << 3.0 << QStringLiteral("31 N 500000")
                                           << QStringLiteral("0");
}

void TestGeoNotationFormat::utmTexts()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(QString, eastingText);
    QFETCH(QString, northingText);
    const FormattedPosition f = formatPosition(kGridUtm, kWgs84DatumIndex, 0, {lat, lon, 0.0});
    QCOMPARE(f.lonOrEastingText, eastingText);
    QCOMPARE(f.latOrNorthingText, northingText);
    // The numbers are unrounded: within half a metre of the texts.
    QVERIFY(std::fabs(f.latOrNorthing - northingText.toDouble()) <= 0.5);
    QVERIFY(std::fabs(f.lonOrEasting - eastingText.section(QLatin1Char(' '), 2).toDouble()) <= 0.5);
}

void TestGeoNotationFormat::tmTexts_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<QString>("eastingText");
    QTest::addColumn<QString>("northingText");
    QTest::newRow("origin") << 0.0 << 121.0 << QStringLiteral(" 250000E") << QStringLiteral("      0N");
    // Krüger-series script: 301256.597, 2544370.513.
    QTest::newRow("23N 121.5E") << 23.0 << 121.5 << QStringLiteral(" 301257E")
                                << QStringLiteral("2544371N");
    // -110563.33 m: (int)(v + 0.5) truncates toward zero, so negative values
    // round up.
    QTest::newRow("south of the equator keeps its sign") << -1.0 << 121.0
                                                         << QStringLiteral(" 250000E")
                                                         << QStringLiteral("-110562N");
}

void TestGeoNotationFormat::tmTexts()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(QString, eastingText);
    QFETCH(QString, northingText);
    const FormattedPosition f = formatPosition(kGridTm, kWgs84DatumIndex, 0, {lat, lon, 0.0});
    QCOMPARE(f.lonOrEastingText, eastingText);
    QCOMPARE(f.latOrNorthingText, northingText);
}

void TestGeoNotationFormat::numbersNudgedAwayFromZero_data()
{
    // Row 223 shows positions unshifted, so the nudge is all that changes.
    QTest::addColumn<int>("grid");
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("second");
    QTest::newRow("zeros move up") << 0 << 0.0 << 0.0 << 5e-10 << 5e-10;
    QTest::newRow("negatives move down") << 0 << -10.0 << -20.0 << -10.0 - 5e-10 << -20.0 - 5e-10;
    QTest::newRow("TM origin") << 12 << 0.0 << 121.0 << 5e-10 << 250000.0 + 5e-10;
    QTest::newRow("UTM central meridian") << 1 << 0.0 << 3.0 << 5e-10 << 500000.0 + 5e-10;
}

void TestGeoNotationFormat::numbersNudgedAwayFromZero()
{
    QFETCH(int, grid);
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(double, first);
    QFETCH(double, second);
    const FormattedPosition f = formatPosition(grid, kWgs72DatumIndex, 0, {lat, lon, 0.0});
    QCOMPARE(f.latOrNorthing, first);
    QCOMPARE(f.lonOrEasting, second);
}

void TestGeoNotationFormat::wgs72ShowsWgs84Values()
{
    // Row 223 uses the WGS 72 ellipsoid, but positions are shown unshifted.
    const FormattedPosition f = formatPosition(kGridLatLon, kWgs72DatumIndex, 0, {45.0, 10.0, 0.0});
    QCOMPARE(f.latOrNorthing, 45.0 + 5e-10);
    QCOMPARE(f.lonOrEasting, 10.0 + 5e-10);
    QCOMPARE(f.latOrNorthingText, QStringLiteral("N  45.00000000°"));
    // UTM on row 223 projects those values on the WGS 72 ellipsoid (2 m smaller).
    const FormattedPosition u72 = formatPosition(kGridUtm, kWgs72DatumIndex, 0, {45.0, 10.0, 0.0});
    const FormattedPosition u84 = formatPosition(kGridUtm, kWgs84DatumIndex, 0, {45.0, 10.0, 0.0});
    QVERIFY(u72.latOrNorthing < u84.latOrNorthing);
    QVERIFY(u84.latOrNorthing - u72.latOrNorthing < 5.0);
}

void TestGeoNotationFormat::otherDatumsShowShiftedValues()
{
    const GeoPosition wgs84{12.0, -1.5, 0.0};
    const GeoPosition local = wgs84ToDatum(wgs84, 0);
    const FormattedPosition f = formatPosition(kGridLatLon, 0, 0, wgs84);
    QCOMPARE(f.latOrNorthing, local.latitude + 5e-10);
    QCOMPARE(f.lonOrEasting, local.longitude - 5e-10);
    QVERIFY(std::fabs(local.latitude - 12.0) > 1e-4);
}

QTEST_GUILESS_MAIN(TestGeoNotationFormat)
#include "tst_geo_notation_format.moc"
