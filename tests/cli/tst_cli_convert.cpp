#include <QtTest>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "common/cli_runner.h"
#include "common/ozi_fixtures.h"
#include "common/project_fixtures.h"

class TestCliConvert : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void convertPngThenInfoAndExtract();
    void oziMap_data();
    void oziMap();
    void settings_data();
    void settings();
    void fileSizeLimitKeepsOldFile();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QJsonObject infoJson(const QString &smf)
    {
        const cli::Result info = cli::run(m_dir->path(), {QStringLiteral("info"), smf, QStringLiteral("--json")});
        return QJsonDocument::fromJson(info.out).object();
    }
    QJsonObject firstLevel(const QString &smf)
    {
        return infoJson(smf).value(QStringLiteral("levels")).toArray().at(0).toObject();
    }

    QScopedPointer<QTemporaryDir> m_dir;
};

void TestCliConvert::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
}

void TestCliConvert::convertPngThenInfoAndExtract()
{
    const QImage source = fixtures::mapLikeImage(650, 520);
    QVERIFY(source.save(path(QStringLiteral("map.png"))));
    const cli::Result convert = cli::run(m_dir->path(),
        {QStringLiteral("convert"), QStringLiteral("out.smf"),
         QStringLiteral("map.png@10,20,116.25,40.5,610,500,117.0000001,39.75"),
         QStringLiteral("--name"), QStringLiteral("北京"), QStringLiteral("--cartographer"), QStringLiteral("Ann"),
         QStringLiteral("--fill"), QStringLiteral("0,0,255"), QStringLiteral("--tile"), QStringLiteral("256x256")});
    QCOMPARE(convert.exitCode, 0);
    QVERIFY2(convert.err.isEmpty(), convert.err.constData());  // no terminal: no progress bar
    QCOMPARE(convert.out, QByteArray("out.smf: 1 level, 9 tiles, ") + QByteArray::number(QFileInfo(path("out.smf")).size())
                              + " bytes\n");
    // Usage errors aside, the command line reads settings and never writes them.
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("config.ini"))));

    const QJsonObject info = infoJson(QStringLiteral("out.smf"));
    QCOMPARE(info.value(QStringLiteral("cartographer")).toString(), QStringLiteral("Ann"));
    QCOMPARE(info.value(QStringLiteral("mapName")).toString(), QStringLiteral("北京"));
    QCOMPARE(info.value(QStringLiteral("tileWidth")).toInt(), 256);
    const QJsonObject level = info.value(QStringLiteral("levels")).toArray().at(0).toObject();
    QCOMPARE(level.value(QStringLiteral("tileColumns")).toInt(), 3);
    QCOMPARE(level.value(QStringLiteral("bottomRightX")).toInt(), 610);
    QCOMPARE(level.value(QStringLiteral("topLeftLon")).toInt(), 418500000);       // 116.25 x 3600000
    QCOMPARE(level.value(QStringLiteral("bottomRightLon")).toInt(), 421200000);  // truncated
    // stepX = 2700000 / 600 = 4500: left = 418500000 - 10 x 4500.
    QCOMPARE(level.value(QStringLiteral("left")).toInt(), 418455000);

    QCOMPARE(cli::run(m_dir->path(), {QStringLiteral("extract"), QStringLiteral("out.smf"), QStringLiteral("0"),
                                      QStringLiteral("level.png")}).exitCode, 0);
    const QImage level0(path(QStringLiteral("level.png")));
    QCOMPARE(level0.size(), QSize(768, 768));
    for (int y = 0; y < 768; y += 5) {
        for (int x = 0; x < 768; x += 3) {
            const QRgb expected = (x < 650 && y < 520) ? source.pixel(x, y) : qRgb(0, 0, 255);
            QCOMPARE(level0.pixel(x, y) & 0xF8F8F8, expected & 0xF8F8F8);
        }
    }
}

void TestCliConvert::oziMap_data()
{
    QTest::addColumn<QString>("mapName");
    QTest::addColumn<QString>("imageName");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("summary");
    const QVector<fixtures::OziPoint> corners = fixtures::fourCorners();
    QTest::newRow("relative image, MMP block") << "topo.map" << "topo.png" << fixtures::oziMapFile("topo.png", corners)
                                               << "from the MMPXY/MMPLL block (WGS 84)";
    QTest::newRow("upper-case name, Windows path of another machine")
        << "TOPO.MAP" << "topo.png" << fixtures::oziMapFile("C:\\Maps\\Scans\\TOPO.PNG", corners)
        << "from the MMPXY/MMPLL block (WGS 84)";
    // Cyrillic in Windows-1251: Т D2, о EE, п EF.
    QTest::newRow("Point lines only, Windows-1251 image name")
        << "topo.map" << QString::fromUtf8("Топо.png")
        << fixtures::withCrLf(fixtures::oziHeader("D:\\\xd2\xee\xef\xee\\\xd2\xee\xef\xee.png", corners))
        << "from the Point lines (datum WGS 84)";
}

void TestCliConvert::oziMap()
{
    // One calibration, given as an OziExplorer file and on the command line: the
    // files must not differ.
    QFETCH(QString, mapName);
    QFETCH(QString, imageName);
    QFETCH(QByteArray, file);
    QFETCH(QString, summary);
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("maps")));
    QVERIFY(fixtures::mapLikeImage(1000, 800).save(path(QStringLiteral("topo.png"))));
    QVERIFY(QFile::copy(path(QStringLiteral("topo.png")), path(QStringLiteral("maps/") + imageName)));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("maps/") + mapName), file));
    const cli::Result fromMap =
        cli::run(m_dir->path(), {QStringLiteral("convert"), QStringLiteral("map.smf"), QStringLiteral("maps/") + mapName});
    QCOMPARE(fromMap.exitCode, 0);
    QVERIFY2(fromMap.err.isEmpty(), fromMap.err.constData());
    QVERIFY2(QString::fromUtf8(fromMap.out).startsWith(QStringLiteral("maps/%1: calibrated by 4 reference points %2\n")
                                                           .arg(mapName, summary)),
             fromMap.out.constData());
    QCOMPARE(cli::run(m_dir->path(), {QStringLiteral("convert"), QStringLiteral("image.smf"),
                                      QStringLiteral("topo.png@0,0,10,46,999,799,11,45")}).exitCode, 0);
    QCOMPARE(fixtures::fileBytes(path(QStringLiteral("map.smf"))), fixtures::fileBytes(path(QStringLiteral("image.smf"))));
}

void TestCliConvert::settings_data()
{
    QTest::addColumn<QByteArray>("configIni");  // ./config.ini; empty: none
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("cartographer");
    QTest::addColumn<QString>("mapName");
    QTest::addColumn<QRgb>("fill");
    QTest::addColumn<QString>("warning");
    const QString long33 = QString(33, QLatin1Char('x'));
    QTest::newRow("no config.ini: built-in defaults")
        << QByteArray() << QStringList() << "Kelvo" << "Kelvo" << qRgb(122, 122, 122) << QString();
    QTest::newRow("config.ini of the window, CRLF")
        << QByteArray("Ann\r\nAtlas\r\n255\r\n0\r\n0\r\n") << QStringList() << "Ann" << "Atlas" << qRgb(255, 0, 0) << QString();
    QTest::newRow("options win over config.ini")
        << QByteArray("Ann\nAtlas\n255\n0\n0\n") << QStringList{"--name", "Alps", "--fill", "0,255,0"} << "Ann" << "Alps"
        << qRgb(0, 255, 0) << QString();
    QTest::newRow("another program's config.ini")
        << QByteArray("[General]\nlanguage=de\n") << QStringList() << "Kelvo" << "Kelvo" << qRgb(122, 122, 122)
        << "./config.ini is not a settings file of this program";
    QTest::newRow("--config names another file")
        << QByteArray("Ann\nAtlas\n255\n0\n0\n") << QStringList{"--config", "other.ini"} << "Bo" << "Other"
        << qRgb(1, 2, 3) << QString();
    QTest::newRow("long name is cut, with a warning")
        << QByteArray() << QStringList{"--name", long33} << "Kelvo" << QString(32, QLatin1Char('x')) << qRgb(122, 122, 122)
        << "the map name '" + long33 + "' has 33 UTF-16 code units; the file keeps the first 32";
}

void TestCliConvert::settings()
{
    QFETCH(QByteArray, configIni);
    QFETCH(QStringList, options);
    QFETCH(QString, cartographer);
    QFETCH(QString, mapName);
    QFETCH(QRgb, fill);
    QFETCH(QString, warning);
    if (!configIni.isEmpty())
        QVERIFY(fixtures::writeBytes(path(QStringLiteral("config.ini")), configIni));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("other.ini")), "Bo\nOther\n1\n2\n3\n"));
    QVERIFY(fixtures::mapLikeImage(100, 100).save(path(QStringLiteral("small.png"))));
    const cli::Result convert = cli::run(m_dir->path(), QStringList{QStringLiteral("convert"), QStringLiteral("d.smf"),
                                                                    QStringLiteral("small.png@0,1,1,0")} + options);
    QCOMPARE(convert.exitCode, 0);
    QCOMPARE(convert.err.count('\n'), warning.isEmpty() ? 0 : 1);  // warned once
    QVERIFY2(QString::fromUtf8(convert.err).contains(warning), convert.err.constData());
    QCOMPARE(fixtures::fileBytes(path(QStringLiteral("config.ini"))), configIni);  // never written
    const QJsonObject info = infoJson(QStringLiteral("d.smf"));
    QCOMPARE(info.value(QStringLiteral("cartographer")).toString(), cartographer);
    QCOMPARE(info.value(QStringLiteral("mapName")).toString(), mapName);
    QCOMPARE(cli::run(m_dir->path(), {QStringLiteral("extract"), QStringLiteral("d.smf"), QStringLiteral("0"),
                                      QStringLiteral("d.png")}).exitCode, 0);
    QCOMPARE(QImage(path(QStringLiteral("d.png"))).pixel(200, 400) & 0xF8F8F8, fill & 0xF8F8F8);
}

void TestCliConvert::fileSizeLimitKeepsOldFile()
{
    QVERIFY(fixtures::mapLikeImage(700, 700).save(path(QStringLiteral("map.png"))));
    const QByteArray old(300, 'o');
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("out.smf")), old));
    const cli::Result result = cli::run(m_dir->path(),
        {QStringLiteral("convert"), QStringLiteral("out.smf"), QStringLiteral("map.png@0,1,1,0")},
        {QStringLiteral("prlimit"), QStringLiteral("--fsize=2000")});
    QVERIFY(!result.crashed);
    QCOMPARE(result.exitCode, 3);
    QVERIFY2(result.err.contains("cannot write out.smf: File too large"), result.err.constData());
    QCOMPARE(fixtures::fileBytes(path(QStringLiteral("out.smf"))), old);
}

QTEST_GUILESS_MAIN(TestCliConvert)
#include "tst_cli_convert.moc"
