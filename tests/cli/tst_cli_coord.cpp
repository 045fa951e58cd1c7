#include <QtTest>

#include "common/cli_runner.h"

// mapvane-cli coord, run as a separate process; its failures are rows of the exit
// code table.
class TestCliCoord : public QObject
{
    Q_OBJECT
private slots:
    void output_data();
    void output();
    void listDatums();
    void batch_data();
    void batch();
};

namespace {

cli::Result coord(const QStringList &args, const QByteArray &input = QByteArray())
{
    return cli::run(QDir::tempPath(), QStringList{QStringLiteral("coord")} + args, {}, input);
}

}  // namespace

void TestCliCoord::output_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("output");
    QTest::newRow("deg, datum by default WGS 1984") << QStringList{"--notation", "deg", "22.5", "113.5"}
                                                    << "E 113.50000000°\nN  22.50000000°\n22.5000000005 113.5000000005\n";
    QTest::newRow("dm, datum name without case and blanks") << QStringList{"--datum", "wgs1984", "--notation", "dm", "22.5", "-121.5"}
                                                            << "W 121°30.00000'\nN  22°30.00000'\n22.5000000005 -121.5000000005\n";
    QTest::newRow("dms after --, datum WGS84 as GPS receivers name it")
        << QStringList{"--datum", "WGS84", "--notation", "dms", "--", "-33.9", "18.4"}
        << "E  18°24'00.000\"\nS  33°54'00.000\"\n-33.9000000005 18.4000000005\n";
    // Metres from a Krüger-series script (not part of the sources).
    QTest::newRow("utm Cape Town south") << QStringList{"--notation", "utm", "--datum", "224", "-33.9", "18.4"}
                                         << "34 H 259583\n6245888\n6245888.0454715891 259583.2216422766\n";
    QTest::newRow("tm origin") << QStringList{"--datum", "wgs 1984", "--notation", "tm", "0", "121"}
                               << " 250000E\n      0N\n0.0000000005 250000.0000000005\n";
    // Hand calculation from the Cartesian formulas (python, not in the sources).
    QTest::newRow("to WGS 84 from Adindan-Burkina, name with punctuation")
        << QStringList{"--datum", "adindan burkina", "--to-wgs84", "12", "-1.5"} << "12.000867213 -1.500156875\n";
    QTest::newRow("to WGS 84 from WGS 1972") << QStringList{"--to-wgs84", "--datum", "223", "45", "10"} << "45.000001851 10.000000000\n";
    QTest::newRow("parsed TM origin to WGS 84") << QStringList{"--to-wgs84", "--parse", "tm", "250000", "0"}
                                                << "0.000000000 121.000000000\n";
    // Grid texts read back: each row names the point the text was made from, which the
    // output matches to within the metres the text was rounded to.
    QTest::newRow("utm decimal northing as cs2cs prints it, band in lower case: 22.5 113.5")
        << QStringList{"--parse", "utm", "49q 757195.83", "2490319.87"} << "22.500000000 113.499999960\n";
    QTest::newRow("utm zone 1, band N just north of the equator: 1 -177")
        << QStringList{"--parse", "utm", "1 N 500000", "110530.16"} << "1.000000011 -177.000000000\n";
    QTest::newRow("utm zone 61, as 180 degrees east is shown") << QStringList{"--parse", "utm", "61 N 166021.4431794354", "0"}
                                                               << "0.000000000 180.000000000\n";
    QTest::newRow("tm with its letters, negative northing: -1 121") << QStringList{"--parse", "tm", " 250000E", "-110563N"}
                                                  << "-0.999997005 121.000000000\n";
    QTest::newRow("--option=value, names in any case, JSON") << QStringList{"--notation=TM", "--json", "0", "121"}
        << "{\"easting\":\" 250000E\",\"lat\":0,\"line\":1,\"lon\":121.00000000000001,\"northing\":\"      0N\"}\n";
}

void TestCliCoord::output()
{
    QFETCH(QStringList, args);
    QFETCH(QString, output);
    const cli::Result r = coord(args);
    QCOMPARE(r.err, QByteArray());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(QString::fromUtf8(r.out), output);
}

void TestCliCoord::listDatums()
{
    const cli::Result r = coord({QStringLiteral("--list-datums")});
    QCOMPARE(r.exitCode, 0);
    const QStringList lines = QString::fromUtf8(r.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 228);
    QCOMPARE(lines.at(224), QStringLiteral("224 WGS 1984"));
}

void TestCliCoord::batch_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("messages");
    const QByteArray capeTown = "34 H 259583\t6245888\t6245888.0454715891 259583.2216422766\n";
    QTest::newRow("notation in upper case: blanks, a tab and CR LF, an unreadable line, a polar one")
        << QStringList{"--notation", "UTM", "-"} << QByteArray("22.5 113.5\n-33.9\t18.4\r\nfoo bar\n85 10\n")
        << "49 Q 757196\t2490320\t2490319.8700389196 757195.8340801111\n" + capeTown + "\n\n" << 1
        << QStringList{"line 3: latitude 'foo' is not a number", "line 4: the position '85' '10' cannot be shown in UTM"};
    QTest::newRow("UTM lines as --notation prints them, and zone and band joined")
        << QStringList{"--parse", "utm", "-"} << capeTown + "49q 757195.83 2490319.87" << QByteArray("-33.900000359 18.399997593\n"
                                                                                             "22.500000000 113.499999960\n")
        << 0 << QStringList();
    QTest::newRow("TM to WGS 84 as JSON, a field that is no number")
        << QStringList{"--parse", "tm", "--to-wgs84", "--json", "-"} << QByteArray(" 250000E\t0N\nabc 0\n")
        << QByteArray("{\"lat\":0,\"line\":1,\"lon\":121.00000000000001}\n"
                      "{\"error\":\"the TM easting 'abc' is not a number of metres\",\"line\":2}\n")
        << 1 << QStringList{"line 2: the TM easting 'abc'"};
    QTest::newRow("to WGS 84 from WGS 1972, an empty line") << QStringList{"--to-wgs84", "--datum", "223", "-"}
                                                            << QByteArray("45 10\n\n") << QByteArray("45.000001851 10.000000000\n\n")
                                                            << 1 << QStringList{"line 2: expected two values, LAT LON; got 0"};
    QTest::newRow("a line longer than 4096 bytes") << QStringList{"--notation", "deg", "-"}
                                                   << QByteArray(5000, ' ') + "\n1 2" << QByteArray("\nE   2.00000000°\tN   1.00000000°\t1.0000000005 2.0000000005\n")
                                                   << 1 << QStringList{"line 1: the line is longer than 4096 bytes"};
    QTest::newRow("single call as JSON, refused") << QStringList{"--notation", "utm", "--json", "--", "-80.5", "10"}
                                                  << QByteArray() << QByteArray("{\"error\":\"the position '-80.5' '10' cannot be "
                                                                                "shown in UTM: UTM covers 80°S to 84°N\",\"line\":1}\n")
                                                  << 1 << QStringList{"coord: the position '-80.5' '10'"};
}

void TestCliCoord::batch()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(QStringList, messages);
    const cli::Result r = coord(args, input);
    QTEST(r.out, "output");
    QTEST(r.exitCode, "exitCode");
    QCOMPARE(r.err.count('\n'), messages.size());
    for (const QString &message : std::as_const(messages))
        QVERIFY2(QString::fromUtf8(r.err).contains(message), r.err.constData());
}

QTEST_GUILESS_MAIN(TestCliCoord)
#include "tst_cli_coord.moc"
