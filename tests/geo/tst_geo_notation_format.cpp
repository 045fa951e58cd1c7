#include <QtTest>

#include <QRandomGenerator>

#include <cmath>

#include "geo/datum_table.h"
#include "geo/position_parse.h"
#include "geo/position_format.h"

// The five notations: positions shown as texts on a datum and, typed as shown, read
// back to WGS 84.
class TestGeoNotationFormat : public QObject
{
    Q_OBJECT
private slots:
    void shownTexts_data();
    void shownTexts();
    void typedGridTexts_data();
    void typedGridTexts();
    void strictReadBack_data();
    void strictReadBack();
};

void TestGeoNotationFormat::shownTexts_data()
{
    QTest::addColumn<int>("grid");
    QTest::addColumn<int>("datum");
    QTest::addColumn<int>("style");
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<QString>("eastText");  // empty: the row is only read back
    QTest::addColumn<QString>("northText");
    const int wgs84 = kWgs84DatumIndex;
    QTest::newRow("minutes, south and west")
        << kGridLatLon << wgs84 << 1 << -33.25 << -121.5 << "W 121°30.00000'" << "S  33°15.00000'";
    QTest::newRow("exact zeros are N and E") << kGridLatLon << kWgs72DatumIndex << 0 << 0.0 << 0.0 << "E   0.00000000°"
                                             << "N   0.00000000°";
    // Row 223 shows positions unshifted. Values that print as 60 minutes or seconds
    // unless rounding carries, and values no position has: degrees saturate.
    QTest::newRow("minutes carry into degrees") << kGridLatLon << kWgs72DatumIndex << 1 << 22.99999995 << 180.0
                                                << "E 180°00.00000'" << "N  23°00.00000'";
    QTest::newRow("seconds carry into degrees, and into minutes only")
        << kGridLatLon << kWgs72DatumIndex << 2 << -22.99999999 << 10.0 + 14.0 / 60 + 59.99999 / 3600
        << "E  10°15'00.000\"" << "S  23°00'00.000\"";
    QTest::newRow("just below the carry") << kGridLatLon << kWgs72DatumIndex << 1 << 22.9999998 << -121.5
                                          << "W 121°30.00000'" << "N  22°59.99999'";
    QTest::newRow("huge values saturate") << kGridLatLon << kWgs72DatumIndex << 1 << 1e300 << -1e300
                                          << "W 2147483647°00.00000'" << "N 2147483647°00.00000'";
    QTest::newRow("not a number") << kGridLatLon << kWgs72DatumIndex << 2 << std::nan("") << std::nan("")
                                  << "W   0°00'00.000\"" << "S   0°00'00.000\"";
    // Shown on the datum: worked out by hand from the Cartesian formulas (python).
    QTest::newRow("Adindan-Burkina shows its own values")
        << kGridLatLon << 0 << 0 << 12.0 << -1.5 << "W   1.49984313°" << "N  11.99913271°";
    // CN Tower: 17T 630084 4833438 as published; 4833438.55 m of the Krüger series rounds
    // up as the program rounds, (int)(v + 0.5).
    QTest::newRow("UTM CN Tower") << kGridUtm << wgs84 << 0 << 43.0 + 38.0 / 60 + 33.24 / 3600
                                  << -(79.0 + 23.0 / 60 + 13.7 / 3600) << "17 T 630084" << "4833439";
    QTest::newRow("UTM one-digit zone") << kGridUtm << wgs84 << 0 << 35.0 << -129.0 << "9 S 500000" << "3873043";
    // WGS 1972 shows positions unshifted, projected on its own ellipsoid: WGS 84's
    // would give 578815.303, 4983436.768.
    QTest::newRow("UTM on WGS 1972") << kGridUtm << kWgs72DatumIndex << 0 << 45.0 << 10.0 << "32 T 578815" << "4983435";
    // -110563.33 m: (int)(v + 0.5) truncates toward zero, so negative values round up.
    QTest::newRow("TM south keeps its sign") << kGridTm << wgs84 << 0 << -1.0 << 121.0 << " 250000E" << "-110562N";
    // Read back only: shown on a datum, typed, stored on WGS 84.
    QTest::newRow("UTM WGS 1972 in band N") << kGridUtm << kWgs72DatumIndex << 0 << 4.0 << -3.7 << "" << "";
    QTest::newRow("UTM Arc'50, south") << kGridUtm << 13 << 0 << -24.65 << 25.9 << "" << "";
    QTest::newRow("TM TWD'67") << kGridTm << 217 << 0 << 25.03 << 121.56 << "" << "";
}

void TestGeoNotationFormat::shownTexts()
{
    QFETCH(int, grid);
    QFETCH(int, datum);
    QFETCH(int, style);
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(QString, eastText);
    const FormattedPosition shown = formatPosition(grid, datum, style, {lat, lon, 0.0});
    if (!eastText.isEmpty()) {
        QCOMPARE(shown.lonOrEastingText, eastText);
        QTEST(shown.latOrNorthingText, "northText");
    }
    if (std::isnan(lat))
        return;
    // Typing exactly what is shown stores the position it was shown for.
    GeoPosition stored;
    double tolerance = 1e-7;
    if (grid == kGridLatLon) {
        const GeoPosition typed{shown.latOrNorthing, shown.lonOrEasting, 0.0};
        stored = typedPositionToWgs84(typed, datum);
        // The WGS rows are not passed through a shift, which would move 22.5 to 22.49999999997.
        if (datum == kWgs72DatumIndex || datum == kWgs84DatumIndex)
            QCOMPARE(stored.latitude, typed.latitude);
    } else {
        // The form drops the TM letters E and N.
        const QString easting = shown.lonOrEastingText.chopped(grid == kGridTm ? 1 : 0);
        const QString northing = shown.latOrNorthingText.chopped(grid == kGridTm ? 1 : 0);
        stored = parseGridPositionToWgs84(grid, datum, easting, northing);
        tolerance = 1.5e-5;  // whole metres
    }
    QVERIFY2(std::fabs(stored.latitude - lat) < tolerance && std::fabs(stored.longitude - lon) < tolerance,
             qPrintable(QStringLiteral("%1 %2").arg(stored.latitude, 0, 'f', 10).arg(stored.longitude, 0, 'f', 10)));
}

void TestGeoNotationFormat::typedGridTexts_data()
{
    QTest::addColumn<QString>("eastingText");
    QTest::addColumn<QString>("northingText");
    QTest::addColumn<int>("zone");
    QTest::addColumn<QString>("bandWord");
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("easting");
    QTest::addColumn<int>("northing");
    // Read as "%d %s %d" reads them; the northing as a whole base-10 number or 0.
    QTest::newRow("shown shape") << "50 R 345678" << "2488888" << 50 << "R" << int('R') << 345678 << 2488888;
    QTest::newRow("band glued to zone, blanks around the northing")
        << "50R 345678" << " -42 " << 50 << "R" << int('R') << 345678 << -42;
    QTest::newRow("no band word: easting read as band, TM letter left on")
        << "50 345678" << "250000E" << 50 << "345678" << int('3') << 0 << 0;
    QTest::newRow("empty") << "" << "" << 0 << "" << 0 << 0 << 0;
    QTest::newRow("overflow reads 0") << "99999999999 R 2147483648" << "99999999999" << 0 << "R" << int('R') << 0 << 0;
    QTest::newRow("int extremes") << "-2147483648 C 2147483647" << "2147483647" << int(-2147483647 - 1) << "C"
                                  << int('C') << 2147483647 << 2147483647;
    const QString longWord(100000, QLatin1Char('W'));
    QTest::newRow("huge words") << QStringLiteral("50 %1 7").arg(longWord) << QString(100000, QLatin1Char('7'))
                                << 50 << longWord << int('W') << 7 << 0;
    // Non-ASCII: the band byte is the first UTF-8 byte (0xC5 for Ř).
    QTest::newRow("non-ASCII band") << "50 Ř 345678" << "1" << 50 << "Ř" << int(char(0xC5)) << 345678 << 1;
}

void TestGeoNotationFormat::typedGridTexts()
{
    QFETCH(QString, eastingText);
    QFETCH(QString, northingText);
    const UtmEastingText t = parseUtmEastingText(eastingText);
    QTEST(t.zone, "zone");
    QTEST(t.bandWord, "bandWord");
    QTEST(int(t.band), "band");
    QTEST(t.easting, "easting");
    QTEST(readBase10Integer(northingText), "northing");
    // Whatever the texts, a position comes back.
    QCOMPARE(parseGridPosition(kGridUtm, kWgs84DatumIndex, eastingText, northingText).height, 0.0);
    QCOMPARE(parseGridPosition(kGridTm, kWgs84DatumIndex, northingText, northingText).height, 0.0);
}

void TestGeoNotationFormat::strictReadBack_data()
{
    QTest::addColumn<int>("grid");
    QTest::addColumn<QRectF>("area");  // longitudes x, latitudes y, in degrees
    QTest::newRow("UTM, 80 S to 84 N") << kGridUtm << QRectF(-180, -79.9, 360, 163.8);
    QTest::newRow("TM, 5.8 degrees about 121 E") << kGridTm << QRectF(115.2, -89, 11.6, 178);
}

// 1,000 random positions over every datum in turn, shown on a grid and read back by
// the strict reader of the command line: the unrounded metres within 1 cm of the
// position shown, the texts within the 0.7 m their rounding moves it (2 m; negative TM
// texts round toward zero, up to 1.5 m an axis).
void TestGeoNotationFormat::strictReadBack()
{
    QFETCH(int, grid);
    QFETCH(QRectF, area);
    QRandomGenerator random(27);
    const auto metresBetween = [](const GeoPosition &a, const GeoPosition &b) {
        const double east = std::remainder(b.longitude - a.longitude, 360.0) * std::cos(a.latitude * M_PI / 180.0);
        return 111320.0 * std::hypot(b.latitude - a.latitude, east);
    };
    for (int i = 0; i < 1000; ++i) {
        const int datum = i % kDatumCount;
        const GeoPosition wgs84{area.top() + random.generateDouble() * area.height(),
                                area.left() + random.generateDouble() * area.width(), 0.0};
        const FormattedPosition shown = formatPosition(grid, datum, 0, wgs84);
        QVERIFY(!shown.outsideGrid);
        const GeoPosition onDatum = shownPositionOnDatum(wgs84, datum);
        const QString unroundedEasting = grid == kGridUtm
            ? shown.lonOrEastingText.section(QLatin1Char(' '), 0, 1) + QLatin1Char(' ') + QString::number(shown.lonOrEasting, 'f', 10)
            : QString::number(shown.lonOrEasting, 'f', 10);
        GeoPosition unrounded;
        GeoPosition rounded;
        QString error;
        QVERIFY2(readGridPosition(grid, datum, unroundedEasting, QString::number(shown.latOrNorthing, 'f', 10), &unrounded,
                                  &error), qPrintable(error));
        QVERIFY2(readGridPosition(grid, datum, shown.lonOrEastingText, shown.latOrNorthingText, &rounded, &error),
                 qPrintable(error));
        const QString where = QStringLiteral("datum %1: %2 %3").arg(datum).arg(shown.lonOrEastingText, shown.latOrNorthingText);
        QVERIFY2(metresBetween(onDatum, unrounded) < 0.01, qPrintable(where));
        const bool negative = shown.lonOrEastingText.contains(QLatin1Char('-')) || shown.latOrNorthingText.contains(QLatin1Char('-'));
        QVERIFY2(metresBetween(onDatum, rounded) < (negative ? 2.2 : 2.0), qPrintable(where));
    }
}

QTEST_GUILESS_MAIN(TestGeoNotationFormat)
#include "tst_geo_notation_format.moc"
