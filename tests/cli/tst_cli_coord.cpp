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
    void parse_data();
    void parse();
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

void TestCliCoord::parse_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<double>("tolerance");
    QTest::newRow("utm as --notation shows it") << QStringList{"--parse", "utm", "49 Q 757196", "2490320"} << 22.5 << 113.5 << 1e-5;
    QTest::newRow("utm decimal northing as cs2cs prints it, band in lower case")
        << QStringList{"--parse", "utm", "49q 757195.83", "2490319.87"} << 22.5 << 113.5 << 1e-7;
    QTest::newRow("utm southern band") << QStringList{"--parse", "utm", "34 H 259583", "6245888"} << -33.9 << 18.4 << 1e-5;
    QTest::newRow("utm zone 1, band N just north of the equator")
        << QStringList{"--parse", "utm", "1 N 500000", "110530.16"} << 1.0 << -177.0 << 1e-7;
    QTest::newRow("tm as --notation shows it") << QStringList{"--parse", "tm", " 306513E", "2769217N"} << 25.03 << 121.56 << 1e-4;
    QTest::newRow("tm negative northing") << QStringList{"--parse", "tm", "250000", "-110563N"} << -1.0 << 121.0 << 1e-5;
}

void TestCliCoord::parse()
{
    QFETCH(QStringList, args);
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(double, tolerance);
    const cli::Result r = coord(args);
    QCOMPARE(r.exitCode, 0);
    const QStringList parts = QString::fromUtf8(r.out).trimmed().split(QLatin1Char(' '));
    QCOMPARE(parts.size(), 2);
    QVERIFY2(qAbs(parts[0].toDouble() - lat) <= tolerance, r.out.constData());
    QVERIFY2(qAbs(parts[1].toDouble() - lon) <= tolerance, r.out.constData());
}

void TestCliCoord::listDatums()
{
    const cli::Result r = coord({QStringLiteral("--list-datums")});
    QCOMPARE(r.exitCode, 0);
    const QStringList lines = QString::fromUtf8(r.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 228);
    QCOMPARE(lines.at(0), QStringLiteral("0 Adindan-Burkina"));
    QCOMPARE(lines.at(224), QStringLiteral("224 WGS 1984"));
}

QTEST_GUILESS_MAIN(TestCliCoord)
#include "tst_cli_coord.moc"
