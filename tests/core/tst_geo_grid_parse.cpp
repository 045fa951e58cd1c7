#include <QtTest>

#include <cmath>

#include "geo/datum_shift.h"
#include "geo/datum_table.h"
#include "geo/grid_parse.h"
#include "geo/grid_text.h"
#include "geo/notation_choice.h"
#include "geo/position_format.h"
#include "geo/typed_position.h"

// Reading typed UTM and TM texts, and taking typed positions back to WGS 84.
class TestGeoGridParse : public QObject
{
    Q_OBJECT
private slots:
    void utmEastingText_data();
    void utmEastingText();
    void base10Integer_data();
    void base10Integer();
    void shownTextReadsBack_data();
    void shownTextReadsBack();
    void malformedTextsGiveAPosition_data();
    void malformedTextsGiveAPosition();
    void typedLatLonBackToWgs84_data();
    void typedLatLonBackToWgs84();
    void typedGridTextToWgs84_data();
    void typedGridTextToWgs84();
    void unknownGridKind();
};

void TestGeoGridParse::utmEastingText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("zone");
    QTest::addColumn<QString>("bandWord");
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("easting");
    QTest::newRow("shown shape") << QStringLiteral("50 R 345678") << 50 << QStringLiteral("R") << int('R')
                                 << 345678;
    QTest::newRow("one-digit zone") << QStringLiteral("9 S 500000") << 9 << QStringLiteral("S") << int('S')
                                    << 500000;
    QTest::newRow("band glued to zone")
        << QStringLiteral("50R 345678") << 50 << QStringLiteral("R") << int('R') << 345678;
    QTest::newRow("tabs and extra blanks")
        << QStringLiteral("\t50   q\t 12") << 50 << QStringLiteral("q") << int('q') << 12;
    QTest::newRow("no band word: easting read as band")
        << QStringLiteral("50 345678") << 50 << QStringLiteral("345678") << int('3') << 0;
    QTest::newRow("band without easting")
        << QStringLiteral("50 R") << 50 << QStringLiteral("R") << int('R') << 0;
    QTest::newRow("easting not a number")
        << QStringLiteral("50 R abc") << 50 << QStringLiteral("R") << int('R') << 0;
    QTest::newRow("easting with trailing letters")
        << QStringLiteral("50 R 345678E") << 50 << QStringLiteral("R") << int('R') << 345678;
    QTest::newRow("empty") << QString() << 0 << QString() << 0 << 0;
    QTest::newRow("blanks only") << QStringLiteral("   ") << 0 << QString() << 0 << 0;
    QTest::newRow("zone not a number") << QStringLiteral("R 50 345678") << 0 << QString() << 0 << 0;
    QTest::newRow("sign without digits") << QStringLiteral("- R 1") << 0 << QString() << 0 << 0;
    QTest::newRow("negative zone") << QStringLiteral("-5 R 1") << -5 << QStringLiteral("R") << int('R') << 1;
    QTest::newRow("zone overflow reads 0")
        << QStringLiteral("99999999999 R 1") << 0 << QStringLiteral("R") << int('R') << 1;
    QTest::newRow("easting overflow reads 0")
        << QStringLiteral("50 R 2147483648") << 50 << QStringLiteral("R") << int('R') << 0;
    QTest::newRow("int minimum") << QStringLiteral("-2147483648 R 2147483647") << int(-2147483647 - 1)
                                 << QStringLiteral("R") << int('R') << 2147483647;
    const QString longWord(100000, QLatin1Char('W'));
    QTest::newRow("huge band word") << QStringLiteral("50 %1 7").arg(longWord) << 50 << longWord << int('W')
                                    << 7;
    QTest::newRow("huge digit run") << QString(100000, QLatin1Char('9')) << 0 << QString() << 0 << 0;
    // Non-ASCII: the band byte is the first UTF-8 byte (0xC5 for Ř).
    QTest::newRow("non-ASCII band") << QStringLiteral("50 Ř 345678") << 50 << QStringLiteral("Ř")
                                    << int(char(0xC5)) << 345678;
    QTest::newRow("full-width digits are not digits")
        << QStringLiteral("５０ R 1") << 0 << QString() << 0 << 0;
}

void TestGeoGridParse::utmEastingText()
{
    QFETCH(QString, text);
    QFETCH(int, zone);
    QFETCH(QString, bandWord);
    QFETCH(int, band);
    QFETCH(int, easting);
    const UtmEastingText t = parseUtmEastingText(text);
    QCOMPARE(t.zone, zone);
    QCOMPARE(t.bandWord, bandWord);
    QCOMPARE(int(t.band), band);
    QCOMPARE(t.easting, easting);
}

void TestGeoGridParse::base10Integer_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("northing") << QStringLiteral("2488888") << 2488888;
    QTest::newRow("surrounding blanks") << QStringLiteral(" 42 ") << 42;
    QTest::newRow("negative") << QStringLiteral("-110562") << -110562;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("trailing letter") << QStringLiteral("250000E") << 0;
    QTest::newRow("decimal") << QStringLiteral("12.5") << 0;
    QTest::newRow("not a number") << QStringLiteral("abc") << 0;
    QTest::newRow("overflow") << QStringLiteral("99999999999") << 0;
    QTest::newRow("Chinese") << QStringLiteral("北纬") << 0;
    QTest::newRow("huge") << QString(100000, QLatin1Char('7')) << 0;
}

void TestGeoGridParse::base10Integer()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(readBase10Integer(text), value);
}

void TestGeoGridParse::shownTextReadsBack_data()
{
    QTest::addColumn<int>("grid");
    QTest::addColumn<int>("datum");
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::newRow("UTM 49 Q") << kGridUtm << kWgs84DatumIndex << 22.5 << 113.5;
    QTest::newRow("UTM one-digit zone") << kGridUtm << kWgs84DatumIndex << 35.2 << -128.1;
    QTest::newRow("UTM Cape Town south") << kGridUtm << kWgs84DatumIndex << -33.9 << 18.4;
    QTest::newRow("UTM Norway zone 32") << kGridUtm << kWgs84DatumIndex << 60.4 << 5.3;
    QTest::newRow("TM Taipei") << kGridTm << kWgs84DatumIndex << 25.03 << 121.56;
    QTest::newRow("TM south of equator") << kGridTm << kWgs84DatumIndex << -2.0 << 120.0;
    QTest::newRow("UTM on WGS 1972 row") << kGridUtm << kWgs72DatumIndex << 40.0 << -3.7;
}

void TestGeoGridParse::shownTextReadsBack()
{
    QFETCH(int, grid);
    QFETCH(int, datum);
    QFETCH(double, lat);
    QFETCH(double, lon);
    // On these rows the shown position is the WGS 84 one (no shift, or none
    // needed), so what parseGridPosition returns is comparable directly.
    const FormattedPosition shown = formatPosition(grid, datum, 0, {lat, lon, 0.0});
    QString easting = shown.lonOrEastingText;
    QString northing = shown.latOrNorthingText;
    if (grid == kGridTm) {  // the form drops the E and N letters
        easting = easting.chopped(1);
        northing = northing.chopped(1);
    }
    const GeoPosition back = parseGridPosition(grid, datum, easting, northing);
    // Whole metres (negative TM values round up by up to a metre): within
    // 1.5e-5 degrees.
    QVERIFY2(std::fabs(back.latitude - lat) < 1.5e-5, qPrintable(QString::number(back.latitude, 'f', 8)));
    QVERIFY2(std::fabs(back.longitude - lon) < 1.5e-5, qPrintable(QString::number(back.longitude, 'f', 8)));
}

void TestGeoGridParse::malformedTextsGiveAPosition_data()
{
    QTest::addColumn<int>("grid");
    QTest::addColumn<QString>("easting");
    QTest::addColumn<QString>("northing");
    QTest::newRow("UTM empty") << kGridUtm << QString() << QString();
    QTest::newRow("UTM no band word") << kGridUtm << QStringLiteral("50 345678") << QStringLiteral("2488888");
    QTest::newRow("UTM huge words") << kGridUtm << QString(200000, QLatin1Char('Z'))
                                    << QString(200000, QLatin1Char('9'));
    QTest::newRow("UTM zone int max")
        << kGridUtm << QStringLiteral("2147483647 X 2147483647") << QStringLiteral("2147483647");
    QTest::newRow("UTM zone int min")
        << kGridUtm << QStringLiteral("-2147483648 C -2147483648") << QStringLiteral("-2147483648");
    QTest::newRow("UTM control and non-ASCII")
        << kGridUtm << QStringLiteral("\x01\x02 \u00e9\u4e2d 9") << QStringLiteral("\u0000");
    QTest::newRow("TM not numbers") << kGridTm << QStringLiteral("abc") << QStringLiteral("xyz");
    QTest::newRow("TM int extremes") << kGridTm << QStringLiteral("-2147483648")
                                     << QStringLiteral("2147483647");
}

void TestGeoGridParse::malformedTextsGiveAPosition()
{
    QFETCH(int, grid);
    QFETCH(QString, easting);
    QFETCH(QString, northing);
    const GeoPosition p = parseGridPosition(grid, kWgs84DatumIndex, easting, northing);
    QCOMPARE(p.height, 0.0);
    QVERIFY(!std::isinf(p.latitude));
}

void TestGeoGridParse::typedLatLonBackToWgs84_data()
{
    QTest::addColumn<int>("datum");
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::newRow("WGS 1984") << kWgs84DatumIndex << 22.5 << 113.5;
    QTest::newRow("WGS 1972 not shifted") << kWgs72DatumIndex << 45.0 << 10.0;
    QTest::newRow("Adindan-Burkina") << 0 << 12.37 << -1.53;
    QTest::newRow("Beijing 1954") << 33 << 39.9 << 116.4;
    QTest::newRow("Merchich rotation") << 109 << 33.6 << -7.6;
    QTest::newRow("Tokyo-Japan") << 212 << 35.7 << 139.7;
}

void TestGeoGridParse::typedLatLonBackToWgs84()
{
    QFETCH(int, datum);
    QFETCH(double, lat);
    QFETCH(double, lon);
    // Typing exactly what is shown stores the position it was shown for.
    const FormattedPosition shown = formatPosition(kGridLatLon, datum, 0, {lat, lon, 0.0});
    const GeoPosition typed{shown.latOrNorthing, shown.lonOrEasting, 0.0};
    const GeoPosition stored = typedPositionToWgs84(typed, datum);
    QVERIFY2(std::fabs(stored.latitude - lat) < 1e-7, qPrintable(QString::number(stored.latitude, 'f', 10)));
    QVERIFY2(std::fabs(stored.longitude - lon) < 1e-7,
             qPrintable(QString::number(stored.longitude, 'f', 10)));
    QCOMPARE(stored.height, 0.0);
    if (datum == kWgs72DatumIndex)
        QCOMPARE(stored.latitude, typed.latitude);
    else if (datum != kWgs84DatumIndex)
        QCOMPARE(stored.latitude, datumToWgs84(typed, datum).latitude);
}

void TestGeoGridParse::typedGridTextToWgs84_data()
{
    QTest::addColumn<int>("grid");
    QTest::addColumn<int>("datum");
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::newRow("UTM Beijing 1954") << kGridUtm << 33 << 39.9 << 116.4;
    QTest::newRow("UTM Adindan south of Sahara") << kGridUtm << 0 << 12.37 << -1.53;
    QTest::newRow("UTM Arc'50 south") << kGridUtm << 13 << -24.65 << 25.9;
    QTest::newRow("UTM WGS 1972") << kGridUtm << kWgs72DatumIndex << -33.9 << 18.4;
    QTest::newRow("TM TWD'67") << kGridTm << 217 << 25.03 << 121.56;
    QTest::newRow("TM Hong Kong 1980") << kGridTm << 82 << 22.3 << 114.2;
}

void TestGeoGridParse::typedGridTextToWgs84()
{
    QFETCH(int, grid);
    QFETCH(int, datum);
    QFETCH(double, lat);
    QFETCH(double, lon);
    const FormattedPosition shown = formatPosition(grid, datum, 0, {lat, lon, 0.0});
    QString easting = shown.lonOrEastingText;
    QString northing = shown.latOrNorthingText;
    if (grid == kGridTm) {
        easting = easting.chopped(1);
        northing = northing.chopped(1);
    }
    const GeoPosition stored = parseGridPositionToWgs84(grid, datum, easting, northing);
    // Back where it was shown, to the metre the text keeps.
    QVERIFY2(std::fabs(stored.latitude - lat) < 1.5e-5, qPrintable(QString::number(stored.latitude, 'f', 8)));
    QVERIFY2(std::fabs(stored.longitude - lon) < 1.5e-5,
             qPrintable(QString::number(stored.longitude, 'f', 8)));
    // Without the step back to WGS 84 the datum's shift would remain (tens to
    // hundreds of metres), except on row 223.
    const GeoPosition raw = parseGridPosition(grid, datum, easting, northing);
    const bool shifted = std::fabs(raw.latitude - lat) + std::fabs(raw.longitude - lon) > 1e-4;
    QCOMPARE(shifted, datum != kWgs72DatumIndex);
}

void TestGeoGridParse::unknownGridKind()
{
    const GeoPosition p
        = parseGridPosition(kGridLatLon, kWgs84DatumIndex, QStringLiteral("50 R 1"), QStringLiteral("1"));
    QCOMPARE(p.latitude, 0.0);
    QCOMPARE(p.longitude, 0.0);
}

QTEST_GUILESS_MAIN(TestGeoGridParse)
#include "tst_geo_grid_parse.moc"
