#include <QtTest>

// mapvane-cli coord, run as a separate process.
class TestCliCoord : public QObject
{
    Q_OBJECT
private slots:
    void notation_data();
    void notation();
    void parse_data();
    void parse();
    void parseMalformedTexts_data();
    void parseMalformedTexts();
    void toWgs84_data();
    void toWgs84();
    void errors_data();
    void errors();
    void usageListsTheThreeForms();
};

namespace {

struct CliResult
{
    int exitCode = -1;
    QString out;
    QString err;
};

CliResult runCli(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(MAPVANE_CLI_PATH), args);
    CliResult result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

QStringList coordArgs(const QStringList &rest)
{
    return QStringList{QStringLiteral("coord")} + rest;
}

}  // namespace

void TestCliCoord::notation_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("output");
    QTest::newRow("deg on WGS 1984") << QStringList{"--datum", "224", "--notation", "deg", "22.5", "113.5"}
                                     << QStringLiteral(
                                            "E 113.50000000°\nN  22.50000000°\n"
                                            "22.5000000005 113.5000000005\n");
    QTest::newRow("dm, negative longitude as plain argument")
        << QStringList{"--datum", "WGS 1984", "--notation", "dm", "22.5", "-121.5"}
        << QStringLiteral("W 121°30.00000'\nN  22°30.00000'\n22.5000000005 -121.5000000005\n");
    QTest::newRow("dms after --") << QStringList{"--datum", "224", "--notation", "dms", "--", "-33.9", "18.4"}
                                  << QStringLiteral(
                                         "E  18°24'00.000\"\nS  33°54'00.000\"\n"
                                         "-33.9000000005 18.4000000005\n");
    QTest::newRow("dm carry on WGS 1972")
        << QStringList{"--datum", "223", "--notation", "dm", "22.99999995", "0"}
        << QStringLiteral(
               "E   0°00.00000'\nN  23°00.00000'\n"
               "22.9999999505 0.0000000005\n");
    // Metres from a Krüger-series script (not part of the sources).
    QTest::newRow("utm Cape Town south")
        << QStringList{"--notation", "utm", "--datum", "224", "-33.9", "18.4"}
        << QStringLiteral(
               "34 H 259583\n6245888\n"
               "6245888.0454715891 259583.2216422766\n");
    QTest::newRow("tm origin") << QStringList{"--datum", "224", "--notation", "tm", "0", "121"}
                               << QStringLiteral(" 250000E\n      0N\n0.0000000005 250000.0000000005\n");
}

void TestCliCoord::notation()
{
    QFETCH(QStringList, args);
    QFETCH(QString, output);
    const CliResult r = runCli(coordArgs(args));
    QCOMPARE(r.err, QString());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, output);
}

void TestCliCoord::parse_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<double>("tolerance");
    QTest::newRow("utm shown text")
        << QStringList{"--datum", "224", "--parse", "utm", "49 Q 757196", "2490320"} << 22.5 << 113.5 << 1e-5;
    QTest::newRow("utm southern band")
        << QStringList{"--datum", "224", "--parse", "utm", "34 H 259583", "6245888"} << -33.9 << 18.4 << 1e-5;
    QTest::newRow("tm origin") << QStringList{"--datum", "224", "--parse", "tm", "250000", "0"} << 0.0
                               << 121.0 << 1e-9;
    QTest::newRow("tm negative northing")
        << QStringList{"--datum", "224", "--parse", "tm", "250000", "-110563"} << -1.0 << 121.0 << 1e-5;
}

void TestCliCoord::parse()
{
    QFETCH(QStringList, args);
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(double, tolerance);
    const CliResult r = runCli(coordArgs(args));
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QString());
    QVERIFY(r.out.endsWith(QLatin1Char('\n')));
    const QStringList parts = r.out.trimmed().split(QLatin1Char(' '));
    QCOMPARE(parts.size(), 2);
    QCOMPARE(parts[0].section(QLatin1Char('.'), 1).size(), 9);  // "%.9f"
    QVERIFY2(qAbs(parts[0].toDouble() - lat) <= tolerance, qPrintable(r.out));
    QVERIFY2(qAbs(parts[1].toDouble() - lon) <= tolerance, qPrintable(r.out));
}

void TestCliCoord::parseMalformedTexts_data()
{
    QTest::addColumn<QStringList>("args");
    // No band word: the easting is read as the band word and the easting as 0.
    QTest::newRow("utm without band word")
        << QStringList{"--datum", "224", "--parse", "utm", "31 500000", "0"};
    QTest::newRow("utm empty texts") << QStringList{"--datum", "224", "--parse", "utm", "", ""};
    QTest::newRow("utm huge band word") << QStringList{
        "--datum", "224", "--parse", "utm", "50 " + QString(5000, QLatin1Char('R')) + " 1", "1"};
    QTest::newRow("utm non-ASCII") << QStringList{"--datum", "224", "--parse", "utm", "５０ 北 ３", "北"};
    QTest::newRow("tm not numbers") << QStringList{"--datum", "224", "--parse", "tm", "abc", "250000E"};
    QTest::newRow("tm overflow")
        << QStringList{"--datum", "224", "--parse", "tm", "99999999999", "-99999999999"};
}

void TestCliCoord::parseMalformedTexts()
{
    QFETCH(QStringList, args);
    // Unreadable parts read as 0: always an answer, never an error or a crash.
    const CliResult r = runCli(coordArgs(args));
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QString());
    const QStringList parts = r.out.trimmed().split(QLatin1Char(' '));
    QCOMPARE(parts.size(), 2);
    bool latOk = false;
    bool lonOk = false;
    parts[0].toDouble(&latOk);
    parts[1].toDouble(&lonOk);
    QVERIFY2(latOk && lonOk, qPrintable(r.out));
}

void TestCliCoord::toWgs84_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("output");
    QTest::newRow("WGS 1984 unchanged") << QStringList{"--datum", "224", "--to-wgs84", "22.5", "113.5"}
                                        << QStringLiteral("22.500000000 113.500000000\n");
    // Hand calculation from the Cartesian formulas (python, not in the sources).
    QTest::newRow("Adindan-Burkina, negative longitude")
        << QStringList{"--datum", "Adindan-Burkina", "--to-wgs84", "12", "-1.5"}
        << QStringLiteral("12.000867213 -1.500156875\n");
    QTest::newRow("WGS 1972 is shifted here") << QStringList{"--to-wgs84", "--datum", "223", "45", "10"}
                                              << QStringLiteral("45.000001851 10.000000000\n");
    QTest::newRow("parsed TM origin on WGS 1984")
        << QStringList{"--datum", "224", "--to-wgs84", "--parse", "tm", "250000", "0"}
        << QStringLiteral("0.000000000 121.000000000\n");
}

void TestCliCoord::toWgs84()
{
    QFETCH(QStringList, args);
    QFETCH(QString, output);
    const CliResult r = runCli(coordArgs(args));
    QCOMPARE(r.err, QString());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, output);
}

void TestCliCoord::errors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("datum 228") << QStringList{"--datum", "228", "--notation", "deg", "1", "1"} << "datum";
    QTest::newRow("datum -1") << QStringList{"--datum", "-1", "--notation", "deg", "1", "1"} << "datum";
    QTest::newRow("datum name without its blank")
        << QStringList{"--datum", "Schwarzeck", "--notation", "deg", "1", "1"} << "datum";
    QTest::newRow("datum empty") << QStringList{"--datum", "", "--notation", "deg", "1", "1"} << "datum";
    QTest::newRow("datum with line break")
        << QStringList{"--datum", "a\nb", "--notation", "deg", "1", "1"} << "datum";
    QTest::newRow("missing --datum") << QStringList{"--notation", "deg", "1", "1"} << "--datum";
    QTest::newRow("--datum without value")
        << QStringList{"--notation", "deg", "1", "1", "--datum"} << "--datum";
    QTest::newRow("latitude 90.5") << QStringList{"--datum", "224", "--notation", "deg", "90.5", "1"}
                                   << "latitude";
    QTest::newRow("latitude -91") << QStringList{"--datum", "224", "--to-wgs84", "-91", "1"} << "latitude";
    QTest::newRow("longitude 181") << QStringList{"--datum", "224", "--notation", "utm", "1", "181"}
                                   << "longitude";
    QTest::newRow("latitude not a number")
        << QStringList{"--datum", "224", "--notation", "deg", "abc", "1"} << "latitude";
    QTest::newRow("longitude not a number")
        << QStringList{"--datum", "224", "--notation", "deg", "1", "1x"} << "longitude";
    QTest::newRow("latitude infinite")
        << QStringList{"--datum", "224", "--notation", "deg", "inf", "1"} << "latitude";
    QTest::newRow("one value") << QStringList{"--datum", "224", "--notation", "deg", "1"} << "two values";
    QTest::newRow("three values") << QStringList{"--datum", "224", "--notation", "deg", "1", "2", "3"}
                                  << "two values";
    QTest::newRow("parse with one text")
        << QStringList{"--datum", "224", "--parse", "utm", "50 R 1"} << "two values";
    QTest::newRow("unknown notation")
        << QStringList{"--datum", "224", "--notation", "mgrs", "1", "1"} << "notation";
    QTest::newRow("unknown parse grid") << QStringList{"--datum", "224", "--parse", "deg", "1", "1"} << "utm";
    QTest::newRow("notation with parse")
        << QStringList{"--datum", "224", "--notation", "deg", "--parse", "tm", "1", "1"} << "--notation";
    QTest::newRow("no mode") << QStringList{"--datum", "224", "1", "1"} << "--notation";
    QTest::newRow("unknown option") << QStringList{"--datum", "224", "--bogus", "--notation", "deg", "1", "1"}
                                    << "--bogus";
    QTest::newRow("option twice")
        << QStringList{"--datum", "224", "--datum", "0", "--notation", "deg", "1", "1"} << "twice";
    QTest::newRow("no arguments") << QStringList{} << "--datum";
}

void TestCliCoord::errors()
{
    QFETCH(QStringList, args);
    QFETCH(QString, mentions);
    const CliResult r = runCli(coordArgs(args));
    QCOMPARE(r.exitCode, 2);
    QCOMPARE(r.out, QString());
    QVERIFY2(r.err.startsWith(QStringLiteral("mapvane-cli: coord: ")), qPrintable(r.err));
    QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
    QVERIFY(r.err.endsWith(QLatin1Char('\n')));
    QVERIFY2(r.err.contains(mentions), qPrintable(r.err));
}

void TestCliCoord::usageListsTheThreeForms()
{
    const CliResult r = runCli({QStringLiteral("help")});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.contains(QStringLiteral("coord --datum D --notation deg|dm|dms|utm|tm LAT LON")));
    QVERIFY(r.out.contains(QStringLiteral("coord --datum D --parse utm|tm EASTING_TEXT NORTHING_TEXT")));
    QVERIFY(r.out.contains(QStringLiteral("coord --datum D --to-wgs84")));
}

QTEST_GUILESS_MAIN(TestCliCoord)
#include "tst_cli_coord.moc"
