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
};

namespace {

cli::Result coord(const QStringList &args)
{
    return cli::run(QDir::tempPath(), QStringList{QStringLiteral("coord")} + args);
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
        << QStringList{"--parse", "utm", "49q 757195.83", "2490319.87"} << "22.500000000 113.499999958\n";
    QTest::newRow("utm zone 1, band N just north of the equator: 1 -177")
        << QStringList{"--parse", "utm", "1 N 500000", "110530.16"} << "1.000000009 -177.000000000\n";
    QTest::newRow("tm with its letters, negative northing: -1 121") << QStringList{"--parse", "tm", " 250000E", "-110563N"}
                                                  << "-0.999997003 121.000000000\n";
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

QTEST_GUILESS_MAIN(TestCliCoord)
#include "tst_cli_coord.moc"
