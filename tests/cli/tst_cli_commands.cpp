// What mapvane-cli convert, wfl, info and extract make when they succeed; their
// failures are rows of the exit-code table.

#include <QtTest>

#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gdal.h>
#include <ogr_spatialref.h>

#include "smf/smf_writer.h"
#include "common/cli_runner.h"
#include "common/ozi_fixtures.h"
#include "common/project_fixtures.h"
#include "common/smf_builder.h"
#include "common/wfl_fixtures.h"

class TestCliCommands : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_dir.reset(new QTemporaryDir); QVERIFY(m_dir->isValid()); }
    void convertThenInfoAndExtract();
    void oziMap_data();
    void oziMap();
    void settings_data();
    void settings();
    void extract_data();
    void extract();
    void gcpDatum();
    void copies();
    void extractAllOrNone();
    void smfFromPipe_data();
    void smfFromPipe();
    void threadsAndQuiet_data();
    void threadsAndQuiet();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    cli::Result run(const QStringList &args) { return cli::run(m_dir->path(), args); }
    QJsonObject infoJson(const QString &smf)
    {
        return QJsonDocument::fromJson(run({QStringLiteral("info"), smf, QStringLiteral("--json")}).out).object();
    }
    // Saves name with one level per image, in tiles of 300 x 500 filled with fill.
    void saveMap(const QString &name, const QColor &fill, const QList<QImage> &levels)
    {
        MapProject project(4096);
        project.setProperties(QStringLiteral("Kelvo"), QStringLiteral("Read"), fill, 300, 500);
        for (const QImage &level : levels)
            fixtures::appendCornerLayer(project, level);
        project.filePath = path(name);
        QCOMPARE(saveSmf(project), SmfStatus::Ok);
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

void TestCliCommands::convertThenInfoAndExtract()
{
    const QImage source = fixtures::mapLikeImage(650, 520);
    QVERIFY(source.save(path(QStringLiteral("map.png"))));
    const cli::Result convert = run(cli::words(QStringLiteral(
        "convert out.smf map.png@10,20,116.25,40.5,610,500,117.0000001,39.75 --name 北京 --cartographer Ann --fill 0,0,255 --tile 256x256")));
    QCOMPARE(convert.exitCode, 0);
    QVERIFY2(convert.err.isEmpty(), convert.err.constData());  // no terminal: no progress bar
    QCOMPARE(convert.out, "out.smf: 1 level, 9 tiles, " + QByteArray::number(QFileInfo(path("out.smf")).size()) + " bytes\n");

    const QJsonObject info = infoJson(QStringLiteral("out.smf"));
    QCOMPARE(info.value(QStringLiteral("cartographer")).toString(), QStringLiteral("Ann"));
    QCOMPARE(info.value(QStringLiteral("tileWidth")).toInt(), 256);
    const QJsonObject level = info.value(QStringLiteral("levels")).toArray().at(0).toObject();
    QCOMPARE(level.value(QStringLiteral("tileColumns")).toInt(), 3);
    QCOMPARE(level.value(QStringLiteral("bottomRightX")).toInt(), 610);
    QCOMPARE(level.value(QStringLiteral("bottomRightLon")).toInt(), 421200000);  // 117.0000001 x 3600000, truncated
    const QString text = QString::fromUtf8(run({QStringLiteral("info"), QStringLiteral("out.smf")}).out);
    QVERIFY2(text.contains(QStringLiteral("mapName       北京\n")) && text.contains(QStringLiteral("  topLeftLat      145800000\n")),
             qPrintable(text));

    // The image, then the fill, 5 bits a component.
    QCOMPARE(extracted(QStringLiteral("out.smf")).convertToFormat(QImage::Format_RGB555),
             fixtures::savedLevel(source, QSize(768, 768), qRgb(0, 0, 255)));

    // --level trades size for speed: the fastest level makes a larger file of the same pixels.
    QCOMPARE(run(cli::words(QStringLiteral("convert fast.smf map.png@10,20,116.25,40.5,610,500,117.0000001,39.75 "
                                           "--fill 0,0,255 --tile 256x256 --level 1"))).exitCode, 0);
    QVERIFY(QFileInfo(path(QStringLiteral("fast.smf"))).size() > QFileInfo(path(QStringLiteral("out.smf"))).size());
    QCOMPARE(extracted(QStringLiteral("fast.smf")), extracted(QStringLiteral("out.smf")));

    // The JSON reader refuses invalid UTF-8, a surrogate encoded on its own included.
    QByteArray bytes = fixtures::fileBytes(path(QStringLiteral("out.smf")));
    bytes.replace(4, 6, QByteArray("A\0\x3D\xD8\0\0", 6));  // "A", a lone high surrogate, then 0
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("out.smf")), bytes));
    QCOMPARE(infoJson(QStringLiteral("out.smf")).value(QStringLiteral("cartographer")).toString(),
             QStringLiteral("A") + QChar(QChar::ReplacementCharacter));
}

void TestCliCommands::oziMap_data()
{
    QTest::addColumn<QString>("mapName");
    QTest::addColumn<QString>("imageName");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("summary");
    const QVector<fixtures::OziPoint> corners = fixtures::fourCorners();
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
    const cli::Result fromMap = run(cli::words(QStringLiteral("convert map.smf maps/") + mapName));
    QCOMPARE(fromMap.exitCode, 0);
    QVERIFY2(fromMap.err.isEmpty(), fromMap.err.constData());
    const QString says = QStringLiteral("maps/%1: calibrated by 4 reference points %2\n"
                                        "maps/%1: largest miss at the reference points 0.0 px, 0.0 m\n").arg(mapName, summary);
    QVERIFY2(QString::fromUtf8(fromMap.out).startsWith(says), fromMap.out.constData());
    QCOMPARE(run(cli::words(QStringLiteral("convert image.smf topo.png@0,0,10,46,999,799,11,45"))).exitCode, 0);
    QCOMPARE(fixtures::fileBytes(path(QStringLiteral("map.smf"))), fixtures::fileBytes(path(QStringLiteral("image.smf"))));
}

void TestCliCommands::settings_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("configIni");  // ./config.ini; empty: none
    QTest::addColumn<QString>("output");        // how the summary begins, with the file written
    QTest::addColumn<QString>("cartographer");
    QTest::addColumn<QString>("mapName");
    QTest::addColumn<QRgb>("fill");
    QTest::addColumn<QString>("warning");
    const QByteArray window = "Ann\r\nAtlas\r\n255\r\n0\r\n0\r\n";  // as the window writes it, with CRLF
    const QRgb grey = qRgb(122, 122, 122);
    const QString long33 = QString(33, QLatin1Char('x'));
    const QString convert = QStringLiteral("convert d.smf small.png@0,1,1,0 ");
    const QString tiles = QStringLiteral("tiles.smf: 1 level, 6 tiles of 40 x 30, ");
    QTest::newRow("wfl beside the folder, config.ini of the window") << "wfl tiles" << window << tiles << "Ann" << "Atlas"
                                                                     << qRgb(255, 0, 0) << "";
    // The cartographer still comes from ./config.ini.
    QTest::newRow("convert, options win over config.ini") << convert + "--name Alps --fill 0,255,0" << window << "d.smf: 1 level, "
                                                          << "Ann" << "Alps" << qRgb(0, 255, 0) << "";
    QTest::newRow("wfl, trailing slash, another program's config.ini")
        << "wfl tiles/" << QByteArray("[General]\nlanguage=de\n") << tiles << "Kelvo" << "Kelvo" << grey
        << "./config.ini is not a settings file of this program";
    QTest::newRow("wfl -o, --config names another file") << "wfl tiles -o out/map.smf --config other.ini" << window
                                                         << "out/map.smf: 1 level, 6 tiles of 40 x 30, " << "Bo" << "Other"
                                                         << qRgb(1, 2, 3) << "";
    QTest::newRow("convert --no-config passes config.ini by") << convert + "--no-config" << window << "d.smf: 1 level, "
                                                              << "Kelvo" << "Kelvo" << grey << "";
    QTest::newRow("convert, no config.ini, long name is cut with a warning")
        << convert + "--name " + long33 << QByteArray() << "d.smf: 1 level, " << "Kelvo" << QString(32, QLatin1Char('x')) << grey
        << "the map name '" + long33 + "' has 33 UTF-16 code units; the file keeps the first 32";
}

void TestCliCommands::settings()
{
    QFETCH(QString, command);
    QFETCH(QByteArray, configIni);
    QFETCH(QString, output);
    QFETCH(QRgb, fill);
    QFETCH(QString, warning);
    if (!configIni.isEmpty())
        QVERIFY(fixtures::writeBytes(path(QStringLiteral("config.ini")), configIni));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("other.ini")), "Bo\nOther\n1\n2\n3\n"));
    QVERIFY(fixtures::mapLikeImage(100, 100).save(path(QStringLiteral("small.png"))));
    writeTiles();
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("out")));
    const cli::Result result = run(cli::words(command));
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.out.startsWith(output.toUtf8()), result.out.constData());
    QCOMPARE(result.err.count('\n'), warning.isEmpty() ? 0 : 1);  // warned once
    QVERIFY2(QString::fromUtf8(result.err).contains(warning), result.err.constData());
    QCOMPARE(fixtures::fileBytes(path(QStringLiteral("config.ini"))), configIni);  // never written
    const QString smf = output.section(QLatin1Char(':'), 0, 0);
    QCOMPARE(QFileInfo::exists(path(QStringLiteral("tiles.smf"))), smf == QLatin1String("tiles.smf"));  // -o: none beside
    const QJsonObject info = infoJson(smf);
    QTEST(info.value(QStringLiteral("cartographer")).toString(), "cartographer");
    QTEST(info.value(QStringLiteral("mapName")).toString(), "mapName");
    const QImage level = extracted(smf);
    QCOMPARE(level.pixel(level.width() - 1, level.height() - 1) & 0xF8F8F8, fill & 0xF8F8F8);  // padding
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
    saveMap(QStringLiteral("valid.smf"), QColor(0, 255, 0), {fixtures::mapLikeImage(600, 500), fixtures::mapLikeImage(250, 900)});
    const QString option = worldFile.isEmpty() ? QString() : QStringLiteral("--world-file");
    const cli::Result result = run(cli::words(QStringLiteral("extract valid.smf 1 %1 %2").arg(output, option)));
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.err.isEmpty());
    QImageReader reader(path(output));
    QCOMPARE(reader.format(), format);
    const QImage image = reader.read();
    QCOMPARE(image.size(), QSize(300, 1000));  // level 1, not level 0 of 600 x 500
    if (worldFile.isEmpty())
        return;
    // Read back by the rules GIS programs apply: six lines A D B E C F, the last two the
    // centre of the top-left pixel; the edges must be the level record's extent.
    QList<double> v;
    for (const QByteArray &line : fixtures::fileBytes(path(worldFile)).trimmed().split('\n'))
        v << line.toDouble();
    QCOMPARE(v.size(), 6);
    QCOMPARE(v[1], 0.0);
    QCOMPARE(v[2], 0.0);
    const double left = v[4] - 0.5 * v[0], top = v[5] - 0.5 * v[3];
    const QJsonObject level = infoJson(QStringLiteral("valid.smf")).value(QStringLiteral("levels")).toArray().at(1).toObject();
    const auto at = [&level](double edge, const char *field) {
        return qAbs(edge - level.value(QLatin1String(field)).toInt() / 3600000.0) < 1e-12;
    };
    QVERIFY(at(left, "left") && at(top, "top") && at(left + 300 * v[0], "right") && at(top + 1000 * v[3], "bottom"));
    const QString prj = output.left(output.lastIndexOf(QLatin1Char('.'))) + QStringLiteral(".prj");
    QVERIFY(fixtures::fileBytes(path(prj)).startsWith("GEOGCS[\"GCS_WGS_1984\""));
    // GDAL (and QGIS through it) reads the image back with its grid, WGS 84, and origin.
    GDALAllRegister();
    GDALDatasetH dataset = GDALOpenEx(QFile::encodeName(path(output)).constData(), GDAL_OF_RASTER, nullptr, nullptr,
                                      nullptr);
    QVERIFY(dataset);
    OGRSpatialReference wgs84;
    wgs84.importFromEPSG(4326);
    const OGRSpatialReferenceH grid = GDALGetSpatialRef(dataset);
    std::array<double, 6> transform{};
    const char *const anyAxisOrder[] = {"IGNORE_DATA_AXIS_TO_SRS_AXIS_MAPPING=YES", nullptr};
    const bool placed = grid && OGRSpatialReference::FromHandle(grid)->IsSame(&wgs84, anyAxisOrder)
        && GDALGetGeoTransform(dataset, transform.data()) == CE_None && qAbs(transform[0] - left) < 1e-12;
    GDALClose(dataset);
    QVERIFY(placed);
}

void TestCliCommands::gcpDatum()
{
    // Points given on Beijing 1954 are reported on it, though shifted to WGS 84 to be fitted.
    QVERIFY(fixtures::mapLikeImage(200, 100).save(path(QStringLiteral("g.png"))));
    const cli::Result result = run(cli::words(QStringLiteral(
        "convert g.smf g.png --gcp 0,0,10,46 --gcp 200,0,11,46 --gcp 0,100,10,45.5 --datum 33")));
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.out.startsWith("g.png: georeferenced by its ground control points on Beijing 1954, warped to"),
             result.out.constData());
}

void TestCliCommands::copies()
{
    // --auto-copies and --copy make the window's Auto copies and Copy layer: each copy
    // made from the layer, then sorted in by scale. The same bytes as the window's save.
    QVERIFY(fixtures::mapLikeImage(650, 520).save(path(QStringLiteral("map.png"))));
    const QString layer = QStringLiteral("map.png@10,20,116.25,40.5,610,500,117,39.75");
    const cli::Result convert =
        run(cli::words(QStringLiteral("convert cli.smf %1 --auto-copies --copy=35 --no-config").arg(layer)));
    QCOMPARE(convert.exitCode, 0);
    QVERIFY2(convert.out.startsWith("map.png: copy at 60 %, 390 x 312 pixels, scale 1:9375\n"), convert.out.constData());
    QCOMPARE(convert.out.count('\n'), 6);
    MapProject project(65536);
    project.setProperties(QStringLiteral("Kelvo"), QStringLiteral("Kelvo"), QColor(122, 122, 122), 300, 500);
    LayerImportOptions options;
    options.calibrationText = layer.section(QLatin1Char('@'), 1);
    LayerImport import = importLayer(path(QStringLiteral("map.png")), options);
    QVERIFY(project.addImportedLayer(import));
    project.rescaleAndSort(0, 0);
    const MapLayer *source = project.layers.first();
    for (const double factor : {0.6, 0.8, 1.2, 1.4, 35 / 100.0}) {
        QVERIFY(project.scaledCopy(int(project.layers.indexOf(source)), factor));
        project.rescaleAndSort(int(project.layers.size()) - 1, int(project.layers.size()) - 1);
    }
    project.filePath = path(QStringLiteral("window.smf"));
    QCOMPARE(saveSmf(project), SmfStatus::Ok);
    QCOMPARE(fixtures::fileBytes(path(QStringLiteral("cli.smf"))), fixtures::fileBytes(project.filePath));
}

void TestCliCommands::extractAllOrNone()
{
    // A one-tile level whose image is smaller than its world file, and the world file
    // than the .prj: under a file-size limit between them the .prj is the one that
    // fails, after the image and the world file went out in full.
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("one.smf")),
                                 buildSmfFile(16, 8, {gridRecord(1, 1)}, [](int, int, int) { return qRgb(0, 0, 255); })));
    QCOMPARE(run(cli::words(QStringLiteral("extract one.smf 0 l.png --world-file"))).exitCode, 0);
    const qint64 png = QFileInfo(path(QStringLiteral("l.png"))).size();
    const qint64 pgw = QFileInfo(path(QStringLiteral("l.pgw"))).size();
    QVERIFY(png < pgw && pgw < QFileInfo(path(QStringLiteral("l.prj"))).size());
    const cli::Result full = cli::run(m_dir->path(), cli::words(QStringLiteral("extract one.smf 0 m.png --world-file")),
                                      {QStringLiteral("prlimit"), QStringLiteral("--fsize=%1").arg(pgw)});
    QCOMPARE(full.exitCode, 3);
    QVERIFY2(full.err.contains("cannot write m.prj: File too large; nothing was written"), full.err.constData());
    for (const char *name : {"m.png", "m.pgw", "m.prj"})
        QVERIFY2(!QFile::exists(path(QString::fromLatin1(name))), name);
}

void TestCliCommands::smfFromPipe_data()
{
    QTest::addColumn<QString>("command");  // FILE.smf read from a pipe
    QTest::addColumn<QString>("output");   // what the same command prints of a.smf
    QTest::newRow("info -") << "info - --json" << "info a.smf --json";
    QTest::newRow("info /dev/stdin, as a shell pipes it") << "info /dev/stdin --json" << "info a.smf --json";
    QTest::newRow("extract -") << "extract - 0 p.png" << "extract a.smf 0 p.png";
}

void TestCliCommands::smfFromPipe()
{
    QFETCH(QString, command);
    QFETCH(QString, output);
    saveMap(QStringLiteral("a.smf"), QColor(0, 255, 0), {fixtures::mapLikeImage(600, 500)});
    const cli::Result fromFile = run(cli::words(output));
    QCOMPARE(fromFile.exitCode, 0);
    const QByteArray image = fixtures::fileBytes(path(QStringLiteral("p.png")));
    QFile::remove(path(QStringLiteral("p.png")));
    const cli::Result piped = cli::run(m_dir->path(), cli::words(command), {}, fixtures::fileBytes(path(QStringLiteral("a.smf"))));
    QCOMPARE(piped.exitCode, 0);
    QCOMPARE(piped.out, fromFile.out);
    QVERIFY2(piped.err.isEmpty(), piped.err.constData());
    QCOMPARE(fixtures::fileBytes(path(QStringLiteral("p.png"))), image);
}

void TestCliCommands::threadsAndQuiet_data()
{
    QTest::addColumn<QString>("command");  // writes out.smf
    QTest::newRow("convert") << "convert out.smf small.png@0,1,1,0 small.png@0,1,0.5,0.5";
    QTest::newRow("wfl") << "wfl tiles -o out.smf";
}

void TestCliCommands::threadsAndQuiet()
{
    QFETCH(QString, command);
    QVERIFY(fixtures::mapLikeImage(700, 900).save(path(QStringLiteral("small.png"))));
    writeTiles();
    QCOMPARE(run(cli::words(command)).exitCode, 0);
    const QByteArray allCores = fixtures::fileBytes(path(QStringLiteral("out.smf")));
    for (const char *options : {" --threads 1 -q", " --threads=3 --quiet"}) {
        QVERIFY(QFile::remove(path(QStringLiteral("out.smf"))));
        const cli::Result result = run(cli::words(command + QLatin1String(options)));
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, QByteArray());
        QCOMPARE(fixtures::fileBytes(path(QStringLiteral("out.smf"))), allCores);
    }
}

QTEST_GUILESS_MAIN(TestCliCommands)
#include "tst_cli_commands.moc"
