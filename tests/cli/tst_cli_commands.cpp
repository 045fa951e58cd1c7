// What mapvane-cli convert, wfl, info and extract make when they succeed; their
// failures are rows of the exit-code table.

#include <QtTest>

#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "smf/smf_writer.h"
#include "common/cli_runner.h"
#include "common/ozi_fixtures.h"
#include "common/project_fixtures.h"
#include "common/wfl_fixtures.h"

class TestCliCommands : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void convertThenInfoAndExtract();
    void oziMap_data();
    void oziMap();
    void settings_data();
    void settings();
    void wfl_data();
    void wfl();
    void fileSizeLimitKeepsOldFile_data();
    void fileSizeLimitKeepsOldFile();
    void infoJsonReplacesUnpairedSurrogates();
    void extract_data();
    void extract();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    cli::Result run(const QStringList &args) { return cli::run(m_dir->path(), args); }
    QJsonObject infoJson(const QString &smf)
    {
        return QJsonDocument::fromJson(run({QStringLiteral("info"), smf, QStringLiteral("--json")}).out).object();
    }
    // The level extracted as an image.
    QImage extracted(const QString &smf, int level = 0)
    {
        const QString png = path(QStringLiteral("extracted.png"));
        return run({QStringLiteral("extract"), smf, QString::number(level), png}).exitCode == 0 ? QImage(png) : QImage();
    }
    // A 100 x 50 map cut into 40 x 30 tiles: columns of 40, 40 and 20 pixels, rows of
    // 30 and 20, named as a tile downloader names them.
    void writeTiles()
    {
        QVERIFY(wfl::writeCutMap(path(QStringLiteral("tiles")), wfl::patternImage(100, 50, 1), QSize(40, 30),
                                 wfl::MapGeo{8.5, 47.25, 1.0 / 1024, 1.0 / 1024},
                                 wfl::plainNames(15, QStringLiteral("OpenStreetMap "))));
    }

    QScopedPointer<QTemporaryDir> m_dir;
};

void TestCliCommands::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
}

void TestCliCommands::convertThenInfoAndExtract()
{
    const QImage source = fixtures::mapLikeImage(650, 520);
    QVERIFY(source.save(path(QStringLiteral("map.png"))));
    const cli::Result convert = run({QStringLiteral("convert"), QStringLiteral("out.smf"),
                                     QStringLiteral("map.png@10,20,116.25,40.5,610,500,117.0000001,39.75"),
                                     QStringLiteral("--name"), QStringLiteral("北京"), QStringLiteral("--cartographer"),
                                     QStringLiteral("Ann"), QStringLiteral("--fill"), QStringLiteral("0,0,255"),
                                     QStringLiteral("--tile"), QStringLiteral("256x256")});
    QCOMPARE(convert.exitCode, 0);
    QVERIFY2(convert.err.isEmpty(), convert.err.constData());  // no terminal: no progress bar
    QCOMPARE(convert.out, "out.smf: 1 level, 9 tiles, " + QByteArray::number(QFileInfo(path("out.smf")).size()) + " bytes\n");
    // The command line reads settings and never writes them.
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("config.ini"))));

    const QJsonObject info = infoJson(QStringLiteral("out.smf"));
    QCOMPARE(info.value(QStringLiteral("cartographer")).toString(), QStringLiteral("Ann"));
    QCOMPARE(info.value(QStringLiteral("mapName")).toString(), QStringLiteral("北京"));
    QCOMPARE(info.value(QStringLiteral("tileWidth")).toInt(), 256);
    const QJsonObject level = info.value(QStringLiteral("levels")).toArray().at(0).toObject();
    QCOMPARE(level.value(QStringLiteral("tileColumns")).toInt(), 3);
    QCOMPARE(level.value(QStringLiteral("bottomRightX")).toInt(), 610);
    QCOMPARE(level.value(QStringLiteral("bottomRightLon")).toInt(), 421200000);  // 117.0000001 x 3600000, truncated
    const QString text = QString::fromUtf8(run({QStringLiteral("info"), QStringLiteral("out.smf")}).out);
    QVERIFY2(text.contains(QStringLiteral("mapName       北京\n")) && text.contains(QStringLiteral("  topLeftLat      145800000\n")),
             qPrintable(text));

    const QImage level0 = extracted(QStringLiteral("out.smf"));
    QCOMPARE(level0.size(), QSize(768, 768));
    for (int y = 0; y < 768; y += 5) {
        for (int x = 0; x < 768; x += 3) {
            const QRgb expected = (x < 650 && y < 520) ? source.pixel(x, y) : qRgb(0, 0, 255);
            QCOMPARE(level0.pixel(x, y) & 0xF8F8F8, expected & 0xF8F8F8);
        }
    }
}

void TestCliCommands::oziMap_data()
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

void TestCliCommands::oziMap()
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
    const cli::Result fromMap = run({QStringLiteral("convert"), QStringLiteral("map.smf"), QStringLiteral("maps/") + mapName});
    QCOMPARE(fromMap.exitCode, 0);
    QVERIFY2(fromMap.err.isEmpty(), fromMap.err.constData());
    QVERIFY2(QString::fromUtf8(fromMap.out).startsWith(QStringLiteral("maps/%1: calibrated by 4 reference points %2\n")
                                                           .arg(mapName, summary)),
             fromMap.out.constData());
    QCOMPARE(run({QStringLiteral("convert"), QStringLiteral("image.smf"), QStringLiteral("topo.png@0,0,10,46,999,799,11,45")})
                 .exitCode, 0);
    QCOMPARE(fixtures::fileBytes(path(QStringLiteral("map.smf"))), fixtures::fileBytes(path(QStringLiteral("image.smf"))));
}

void TestCliCommands::settings_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("configIni");  // ./config.ini; empty: none
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("cartographer");
    QTest::addColumn<QString>("mapName");
    QTest::addColumn<QRgb>("fill");
    QTest::addColumn<QString>("warning");
    const QByteArray window = "Ann\r\nAtlas\r\n255\r\n0\r\n0\r\n";  // as the window writes it, with CRLF
    const QRgb grey = qRgb(122, 122, 122);
    const QString long33 = QString(33, QLatin1Char('x'));
    QTest::newRow("convert, no config.ini: built-in defaults")
        << "convert" << QByteArray() << QStringList() << "Kelvo" << "Kelvo" << grey << QString();
    QTest::newRow("convert, config.ini of the window") << "convert" << window << QStringList() << "Ann" << "Atlas"
                                                      << qRgb(255, 0, 0) << QString();
    QTest::newRow("wfl, config.ini of the window") << "wfl" << window << QStringList() << "Ann" << "Atlas"
                                                  << qRgb(255, 0, 0) << QString();
    QTest::newRow("options win over config.ini") << "convert" << window << QStringList{"--name", "Alps", "--fill", "0,255,0"}
                                                 << "Ann" << "Alps" << qRgb(0, 255, 0) << QString();
    QTest::newRow("wfl, another program's config.ini")
        << "wfl" << QByteArray("[General]\nlanguage=de\n") << QStringList() << "Kelvo" << "Kelvo" << grey
        << "./config.ini is not a settings file of this program";
    QTest::newRow("--config names another file") << "convert" << window << QStringList{"--config", "other.ini"} << "Bo"
                                                 << "Other" << qRgb(1, 2, 3) << QString();
    QTest::newRow("long name is cut, with a warning")
        << "convert" << QByteArray() << QStringList{"--name", long33} << "Kelvo" << QString(32, QLatin1Char('x')) << grey
        << "the map name '" + long33 + "' has 33 UTF-16 code units; the file keeps the first 32";
}

void TestCliCommands::settings()
{
    QFETCH(QString, command);
    QFETCH(QByteArray, configIni);
    QFETCH(QStringList, options);
    QFETCH(QRgb, fill);
    QFETCH(QString, warning);
    if (!configIni.isEmpty())
        QVERIFY(fixtures::writeBytes(path(QStringLiteral("config.ini")), configIni));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("other.ini")), "Bo\nOther\n1\n2\n3\n"));
    QVERIFY(fixtures::mapLikeImage(100, 100).save(path(QStringLiteral("small.png"))));
    writeTiles();
    const QStringList args = command == QLatin1String("wfl")
        ? QStringList{QStringLiteral("wfl"), QStringLiteral("tiles"), QStringLiteral("-o"), QStringLiteral("d.smf")}
        : QStringList{QStringLiteral("convert"), QStringLiteral("d.smf"), QStringLiteral("small.png@0,1,1,0")};
    const cli::Result result = run(args + options);
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.err.count('\n'), warning.isEmpty() ? 0 : 1);  // warned once
    QVERIFY2(QString::fromUtf8(result.err).contains(warning), result.err.constData());
    QCOMPARE(fixtures::fileBytes(path(QStringLiteral("config.ini"))), configIni);  // never written
    const QJsonObject info = infoJson(QStringLiteral("d.smf"));
    QTEST(info.value(QStringLiteral("cartographer")).toString(), "cartographer");
    QTEST(info.value(QStringLiteral("mapName")).toString(), "mapName");
    const QImage level = extracted(QStringLiteral("d.smf"));
    QCOMPARE(level.pixel(level.width() - 1, level.height() - 1) & 0xF8F8F8, fill & 0xF8F8F8);  // padding
}

void TestCliCommands::wfl_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("output");
    QTest::newRow("beside the folder") << QStringList{"tiles"} << "tiles.smf";
    QTest::newRow("folder with a trailing slash") << QStringList{"tiles/"} << "tiles.smf";
    QTest::newRow("-o") << QStringList{"tiles", "-o", "out/map.smf"} << "out/map.smf";
}

void TestCliCommands::wfl()
{
    QFETCH(QStringList, args);
    QFETCH(QString, output);
    writeTiles();
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("out")));
    const cli::Result result = run(QStringList{QStringLiteral("wfl")} + args);
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.out.startsWith(output.toUtf8() + ": 1 level, 6 tiles of 40 x 30, "), result.out.constData());
    QCOMPARE(QDir(m_dir->path()).entryList({QStringLiteral("*.smf")}, QDir::Files).size(), output == QLatin1String("tiles.smf"));
    const QJsonObject level = infoJson(output).value(QStringLiteral("levels")).toArray().at(0).toObject();
    QCOMPARE(level.value(QStringLiteral("tileRows")).toInt(), 2);
    QCOMPARE(level.value(QStringLiteral("right")).toInt(), 31021875);  // by hand: (8.5 + 120 / 1024) x 3600000
}

void TestCliCommands::fileSizeLimitKeepsOldFile_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("target");
    QTest::newRow("convert") << QStringList{"convert", "old.smf", "map.png@0,1,1,0"} << "old.smf";
    QTest::newRow("wfl") << QStringList{"wfl", "tiles", "-o", "old.smf"} << "old.smf";
    QTest::newRow("extract") << QStringList{"extract", "map.smf", "0", "old.png"} << "old.png";
}

void TestCliCommands::fileSizeLimitKeepsOldFile()
{
    QFETCH(QStringList, args);
    QFETCH(QString, target);
    QVERIFY(fixtures::mapLikeImage(700, 700).save(path(QStringLiteral("map.png"))));
    QVERIFY(wfl::writeCutMap(path(QStringLiteral("tiles")), wfl::patternImage(600, 600, 2), QSize(200, 200), wfl::MapGeo(),
                             wfl::plainNames(15)));
    QCOMPARE(run({QStringLiteral("convert"), QStringLiteral("map.smf"), QStringLiteral("map.png@0,1,1,0")}).exitCode, 0);
    const QByteArray old(300, 'o');
    QVERIFY(fixtures::writeBytes(path(target), old));
    const cli::Result result = cli::run(m_dir->path(), args, {QStringLiteral("prlimit"), QStringLiteral("--fsize=2000")});
    QVERIFY(!result.crashed);
    QCOMPARE(result.exitCode, 3);
    QVERIFY2(result.err.contains("cannot write " + target.toUtf8() + ": File too large"), result.err.constData());
    QCOMPARE(fixtures::fileBytes(path(target)), old);
}

void TestCliCommands::infoJsonReplacesUnpairedSurrogates()
{
    MapProject project(4096);
    project.setProperties(QStringLiteral("Kelvo"), QStringLiteral("Read"), Qt::white, 300, 500);
    fixtures::appendCornerLayer(project, fixtures::mapLikeImage(60, 50));
    project.filePath = path(QStringLiteral("surrogate.smf"));
    QCOMPARE(saveSmf(project), 0);
    QByteArray bytes = fixtures::fileBytes(project.filePath);
    bytes.replace(4, 6, QByteArray("A\0\x3D\xD8\0\0", 6));  // "A", a lone high surrogate, then 0
    QVERIFY(fixtures::writeBytes(project.filePath, bytes));
    const cli::Result info = run({QStringLiteral("info"), QStringLiteral("surrogate.smf"), QStringLiteral("--json")});
    QCOMPARE(info.exitCode, 0);
    QStringDecoder decoder(QStringDecoder::Utf8);  // valid UTF-8 throughout
    decoder.decode(info.out);
    QVERIFY(!decoder.hasError());
    QCOMPARE(QJsonDocument::fromJson(info.out).object().value(QStringLiteral("cartographer")).toString(),
             QStringLiteral("A") + QChar(QChar::ReplacementCharacter));
}

void TestCliCommands::extract_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<QByteArray>("format");  // what QImageReader finds in the file
    QTest::addColumn<QString>("worldFile");  // empty: no --world-file
    QTest::newRow("png with world file") << "l.png" << QByteArray("png") << "l.pgw";
    QTest::newRow("jpg with world file") << "l.jpg" << QByteArray("jpeg") << "l.jgw";
    QTest::newRow("jpeg, upper case") << "l.JPEG" << QByteArray("jpeg") << QString();
    QTest::newRow("bmp with world file") << "l.bmp" << QByteArray("bmp") << "l.bpw";
    QTest::newRow("tif with world file") << "l.tif" << QByteArray("tiff") << "l.tfw";
    QTest::newRow("tiff") << "l.tiff" << QByteArray("tiff") << QString();
}

void TestCliCommands::extract()
{
    QFETCH(QString, output);
    QFETCH(QByteArray, format);
    QFETCH(QString, worldFile);
    // Level 1 of two: 250 x 900 pixels in 1 x 2 tiles of 300 x 500, covering 1 degree square.
    MapProject project(4096);
    project.setProperties(QStringLiteral("Kelvo"), QStringLiteral("Read"), QColor(0, 255, 0), 300, 500);
    fixtures::appendCornerLayer(project, fixtures::mapLikeImage(600, 500));
    fixtures::appendCornerLayer(project, fixtures::mapLikeImage(250, 900));
    project.filePath = path(QStringLiteral("valid.smf"));
    QCOMPARE(saveSmf(project), 0);
    QStringList args{QStringLiteral("extract"), QStringLiteral("valid.smf"), QStringLiteral("1"), output};
    if (!worldFile.isEmpty())
        args << QStringLiteral("--world-file");
    const cli::Result result = run(args);
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.err.isEmpty());
    QImageReader reader(path(output));
    QCOMPARE(reader.format(), format);
    const QImage image = reader.read();
    QCOMPARE(image.size(), QSize(300, 1000));
    QVERIFY(qGreen(image.pixel(280, 950)) > 240 && qRed(image.pixel(280, 950)) < 10);  // fill beyond the 250 x 900 image
    if (worldFile.isEmpty())
        return;
    // Read back by the rules GIS programs apply: six lines A D B E C F, the last two the
    // centre of the top-left pixel; the edges must be the level record's extent.
    const QList<QByteArray> lines = fixtures::fileBytes(path(worldFile)).trimmed().split('\n');
    QCOMPARE(lines.size(), 6);
    double v[6];
    for (int i = 0; i < 6; ++i)
        v[i] = lines.at(i).toDouble();
    const double left = v[4] - 0.5 * v[0] - 0.5 * v[2];
    const double top = v[5] - 0.5 * v[1] - 0.5 * v[3];
    const QJsonObject level = infoJson(QStringLiteral("valid.smf")).value(QStringLiteral("levels")).toArray().at(1).toObject();
    const auto degrees = [&level](const char *field) { return level.value(QLatin1String(field)).toInt() / 3600000.0; };
    QCOMPARE(v[1], 0.0);
    QCOMPARE(v[2], 0.0);
    QVERIFY(qAbs(left - degrees("left")) < 1e-12);
    QVERIFY(qAbs(top - degrees("top")) < 1e-12);
    QVERIFY(qAbs(left + 300 * v[0] - degrees("right")) < 1e-12);
    QVERIFY(qAbs(top + 1000 * v[3] - degrees("bottom")) < 1e-12);
    const QString prj = output.left(output.lastIndexOf(QLatin1Char('.'))) + QStringLiteral(".prj");
    QVERIFY(fixtures::fileBytes(path(prj)).startsWith("GEOGCS[\"GCS_WGS_1984\""));
}

QTEST_GUILESS_MAIN(TestCliCommands)
#include "tst_cli_commands.moc"
