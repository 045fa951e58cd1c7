#include <QtTest>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <sys/stat.h>

#include "common/cli_runner.h"
#include "common/ozi_fixtures.h"
#include "common/project_fixtures.h"
#include "project/map_project.h"
#include "project/milliarcseconds.h"

class TestCliConvert : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void convertPngThenInfoAndExtract();
    void convertJpegAtImageCorners();
    void sameBytesAsTheWindow();
    void oziMapSameBytesAsImageLayer_data();
    void oziMapSameBytesAsImageLayer();
    void defaultsFromConfigIni();
    void emptyProject();
    void exitCodes_data();
    void exitCodes();
    void fileSizeLimitKeepsOldFile();
    void killedInTheMiddleKeepsOldFile();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString writeImage(const QString &name, const QImage &image, const char *format)
    {
        const QString file = path(name);
        if (!image.save(file, format, 95))
            qFatal("cannot write %s", qPrintable(file));
        return file;
    }
    QJsonObject infoJson(const QString &smf)
    {
        const cli::Result info = cli::run(m_dir->path(), {QStringLiteral("info"), smf, QStringLiteral("--json")});
        if (info.exitCode != 0)
            qWarning("info failed: %s", info.err.constData());
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(info.out, &error);
        if (error.error != QJsonParseError::NoError)
            qWarning("bad JSON: %s", qPrintable(error.errorString()));
        return document.object();
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
    writeImage(QStringLiteral("map.png"), source, "PNG");
    const cli::Result convert = cli::run(m_dir->path(),
        {QStringLiteral("convert"), QStringLiteral("out.smf"),
         QStringLiteral("map.png@10,20,116.25,40.5,610,500,117.0000001,39.75"),
         QStringLiteral("--name"), QStringLiteral("北京"), QStringLiteral("--cartographer"), QStringLiteral("Ann"),
         QStringLiteral("--fill"), QStringLiteral("0,0,255"), QStringLiteral("--tile"), QStringLiteral("256x256")});
    QVERIFY(!convert.crashed);
    QCOMPARE(convert.exitCode, 0);
    QVERIFY2(convert.err.isEmpty(), convert.err.constData());  // no terminal: no progress bar
    QVERIFY(convert.out.contains("1 levels, 9 tiles"));

    const QJsonObject info = infoJson(QStringLiteral("out.smf"));
    QCOMPARE(info.value(QStringLiteral("magic")).toInt(), 0x172A);
    QCOMPARE(info.value(QStringLiteral("version")).toInt(), 2);
    QCOMPARE(info.value(QStringLiteral("cartographer")).toString(), QStringLiteral("Ann"));
    QCOMPARE(info.value(QStringLiteral("mapName")).toString(), QStringLiteral("北京"));
    QCOMPARE(info.value(QStringLiteral("levelCount")).toInt(), 1);
    QCOMPARE(info.value(QStringLiteral("tileCount")).toInt(), 9);  // 3 x 3 tiles of 256
    QCOMPARE(info.value(QStringLiteral("tileWidth")).toInt(), 256);
    QCOMPARE(info.value(QStringLiteral("tileHeight")).toInt(), 256);
    const QJsonObject level = info.value(QStringLiteral("levels")).toArray().at(0).toObject();
    QCOMPARE(level.size(), 16);
    QCOMPARE(level.value(QStringLiteral("tileColumns")).toInt(), 3);
    QCOMPARE(level.value(QStringLiteral("tileRows")).toInt(), 3);
    QCOMPARE(level.value(QStringLiteral("firstTile")).toInt(), 0);
    QCOMPARE(level.value(QStringLiteral("topLeftX")).toInt(), 10);
    QCOMPARE(level.value(QStringLiteral("topLeftY")).toInt(), 20);
    QCOMPARE(level.value(QStringLiteral("bottomRightX")).toInt(), 610);
    QCOMPARE(level.value(QStringLiteral("bottomRightY")).toInt(), 500);
    QCOMPARE(level.value(QStringLiteral("topLeftLon")).toInt(), 418500000);       // 116.25 x 3600000
    QCOMPARE(level.value(QStringLiteral("bottomRightLon")).toInt(), 421200000);  // truncated
    QCOMPARE(level.value(QStringLiteral("bottomRightLat")).toInt(), 143100000);
    QCOMPARE(level.value(QStringLiteral("verticalScale")).toInt(), 5625);        // 2700000 / 480
    // stepX = 2700000 / 600 = 4500: left = 418500000 - 10 x 4500.
    QCOMPARE(level.value(QStringLiteral("left")).toInt(), 418455000);

    const cli::Result extract = cli::run(m_dir->path(), {QStringLiteral("extract"), QStringLiteral("out.smf"),
                                                         QStringLiteral("0"), QStringLiteral("level.png")});
    QCOMPARE(extract.exitCode, 0);
    const QImage level0(path(QStringLiteral("level.png")));
    QCOMPARE(level0.size(), QSize(768, 768));
    for (int y = 0; y < 768; y += 5) {
        for (int x = 0; x < 768; x += 3) {
            const QRgb expected = (x < 650 && y < 520) ? source.pixel(x, y) : qRgb(0, 0, 255);
            const QRgb got = level0.pixel(x, y);
            QVERIFY2(qRed(got) >> 3 == qRed(expected) >> 3 && qGreen(got) >> 3 == qGreen(expected) >> 3
                         && qBlue(got) >> 3 == qBlue(expected) >> 3,
                     qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
        }
    }
}

void TestCliConvert::convertJpegAtImageCorners()
{
    writeImage(QStringLiteral("photo.jpg"), fixtures::mapLikeImage(400, 300), "JPEG");
    const QImage decoded(path(QStringLiteral("photo.jpg")));
    QVERIFY(!decoded.isNull());
    const cli::Result convert = cli::run(m_dir->path(), {QStringLiteral("convert"), QStringLiteral("photo.smf"),
                                                         QStringLiteral("photo.jpg@-180,90,180,-90")});
    QCOMPARE(convert.exitCode, 0);
    const QJsonObject level =
        infoJson(QStringLiteral("photo.smf")).value(QStringLiteral("levels")).toArray().at(0).toObject();
    // Values equal to a fresh layer's defaults still count as entered on the command line.
    QCOMPARE(level.value(QStringLiteral("topLeftLon")).toInt(), -648000000);
    QCOMPARE(level.value(QStringLiteral("bottomRightLat")).toInt(), -324000000);
    QCOMPARE(level.value(QStringLiteral("bottomRightX")).toInt(), 400);
    QCOMPARE(level.value(QStringLiteral("bottomRightY")).toInt(), 300);
    QCOMPARE(level.value(QStringLiteral("verticalScale")).toInt(), 2160000);  // 648000000 / 300

    QCOMPARE(cli::run(m_dir->path(), {QStringLiteral("extract"), QStringLiteral("photo.smf"), QStringLiteral("0"),
                                      QStringLiteral("photo.png")}).exitCode, 0);
    const QImage extracted(path(QStringLiteral("photo.png")));
    QCOMPARE(extracted.size(), QSize(600, 500));
    for (int y = 0; y < 300; y += 3) {
        for (int x = 0; x < 400; x += 3)
            QCOMPARE(extracted.pixel(x, y) & 0xF8F8F8, decoded.pixel(x, y) & 0xF8F8F8);
    }
}

void TestCliConvert::sameBytesAsTheWindow()
{
    writeImage(QStringLiteral("coarse.png"), fixtures::mapLikeImage(300, 200), "PNG");
    writeImage(QStringLiteral("fine.png"), fixtures::mapLikeImage(900, 600), "PNG");
    writeImage(QStringLiteral("twin.png"), fixtures::mapLikeImage(310, 200), "PNG");
    QFile config(path(QStringLiteral("config.ini")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write("Kelvo\nTwins\n10\n20\n30\n");
    config.close();
    const cli::Result convert = cli::run(m_dir->path(),
        {QStringLiteral("convert"), QStringLiteral("cli.smf"), QStringLiteral("coarse.png@0,1,1,0"),
         QStringLiteral("fine.png@0,1,1,0"), QStringLiteral("twin.png@0,0,0,1,310,200,1,0")});
    QCOMPARE(convert.exitCode, 0);

    // The window's way: add, show, type the points, refresh the row (re-sorting), save.
    MapProject project;
    project.setProperties(QStringLiteral("Kelvo"), QStringLiteral("Twins"), QColor(10, 20, 30), 300, 500);
    const QStringList images{QStringLiteral("coarse.png"), QStringLiteral("fine.png"), QStringLiteral("twin.png")};
    for (int i = 0; i < images.size(); ++i) {
        QCOMPARE(project.addImageLayer(path(images.at(i))), 0);
        const QSize size = project.layerImage(i)->size();
        project.setBottomRightX(i, size.width());
        project.setBottomRightY(i, size.height());
        project.setTopLeftLon(i, 0.0000001);  // first a value, then 0: the flag stays entered
        project.setTopLeftLon(i, 0);
        project.setTopLeftLat(i, 1);
        project.setBottomRightLon(i, 1);
        project.setBottomRightLat(i, 0.0000001);
        project.setBottomRightLat(i, 0);
        project.updateScale(i);
        project.sortLayers(i);
    }
    project.filePath = path(QStringLiteral("window.smf"));
    QCOMPARE(project.saveSmf(), 0);
    const QByteArray window = fixtures::fileBytes(project.filePath);
    QCOMPARE(fixtures::fileBytes(path(QStringLiteral("cli.smf"))), window);
    // Finest first; the two layers of equal scale keep their order.
    const QJsonArray levels = infoJson(QStringLiteral("cli.smf")).value(QStringLiteral("levels")).toArray();
    QCOMPARE(levels.at(0).toObject().value(QStringLiteral("tileColumns")).toInt(), 3);
    QCOMPARE(levels.at(1).toObject().value(QStringLiteral("bottomRightX")).toInt(), 300);
    QCOMPARE(levels.at(2).toObject().value(QStringLiteral("bottomRightX")).toInt(), 310);
}

void TestCliConvert::oziMapSameBytesAsImageLayer_data()
{
    QTest::addColumn<QString>("mapName");
    QTest::addColumn<QByteArray>("imageLine");
    QTest::newRow("relative image") << QStringLiteral("topo.map") << QByteArray("topo.png");
    QTest::newRow("upper-case name, Windows path of another machine")
        << QStringLiteral("TOPO.MAP") << QByteArray("C:\\Maps\\Scans\\TOPO.PNG");
}

void TestCliConvert::oziMapSameBytesAsImageLayer()
{
    QFETCH(QString, mapName);
    QFETCH(QByteArray, imageLine);
    writeImage(QStringLiteral("topo.png"), fixtures::mapLikeImage(1000, 800), "PNG");
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("maps")));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("maps/") + mapName),
                                 fixtures::oziMapFile(imageLine, fixtures::fourCorners())));
    QVERIFY(QFile::copy(path(QStringLiteral("topo.png")), path(QStringLiteral("maps/topo.png"))));
    const cli::Result fromMap =
        cli::run(m_dir->path(), {QStringLiteral("convert"), QStringLiteral("map.smf"), QStringLiteral("maps/") + mapName});
    QCOMPARE(fromMap.exitCode, 0);
    QVERIFY2(fromMap.err.isEmpty(), fromMap.err.constData());
    const cli::Result fromImage = cli::run(m_dir->path(), {QStringLiteral("convert"), QStringLiteral("image.smf"),
                                                           QStringLiteral("topo.png@0,0,10,46,999,799,11,45")});
    QCOMPARE(fromImage.exitCode, 0);
    QCOMPARE(fixtures::fileBytes(path(QStringLiteral("map.smf"))), fixtures::fileBytes(path(QStringLiteral("image.smf"))));
    const QJsonObject level =
        infoJson(QStringLiteral("map.smf")).value(QStringLiteral("levels")).toArray().at(0).toObject();
    QCOMPARE(level.value(QStringLiteral("bottomRightX")).toInt(), 999);
    QCOMPARE(level.value(QStringLiteral("topLeftLat")).toInt(), 165600000);  // 46 x 3600000
}

void TestCliConvert::defaultsFromConfigIni()
{
    QFile config(path(QStringLiteral("config.ini")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write("Ann\nAtlas\n255\n0\n0\n");
    config.close();
    writeImage(QStringLiteral("small.png"), fixtures::mapLikeImage(100, 100), "PNG");
    QCOMPARE(cli::run(m_dir->path(), {QStringLiteral("convert"), QStringLiteral("d.smf"),
                                      QStringLiteral("small.png@0,1,1,0")}).exitCode, 0);
    const QJsonObject info = infoJson(QStringLiteral("d.smf"));
    QCOMPARE(info.value(QStringLiteral("cartographer")).toString(), QStringLiteral("Ann"));
    QCOMPARE(info.value(QStringLiteral("mapName")).toString(), QStringLiteral("Atlas"));
    QCOMPARE(info.value(QStringLiteral("tileWidth")).toInt(), 300);
    QCOMPARE(info.value(QStringLiteral("tileHeight")).toInt(), 500);
    QCOMPARE(cli::run(m_dir->path(), {QStringLiteral("extract"), QStringLiteral("d.smf"), QStringLiteral("0"),
                                      QStringLiteral("d.png")}).exitCode, 0);
    QCOMPARE(QImage(path(QStringLiteral("d.png"))).pixel(200, 400), qRgb(255, 0, 0));  // the fill colour
}

void TestCliConvert::emptyProject()
{
    const cli::Result convert = cli::run(m_dir->path(), {QStringLiteral("convert"), QStringLiteral("empty.smf")});
    QCOMPARE(convert.exitCode, 0);
    QCOMPARE(QFileInfo(path(QStringLiteral("empty.smf"))).size(), qint64(148));
    // A fresh folder gets an empty config.ini, as the window leaves one behind.
    QVERIFY(QFileInfo::exists(path(QStringLiteral("config.ini"))));
}

void TestCliConvert::exitCodes_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QString layer = QStringLiteral("map.png@0,1,1,0");
    const QString out = QStringLiteral("x.smf");
    const QString convert = QStringLiteral("convert");
    QTest::newRow("no output") << QStringList{convert} << 2 << "missing OUT.smf";
    QTest::newRow("unknown option") << QStringList{convert, out, QStringLiteral("--zoom")} << 2 << "unknown option";
    QTest::newRow("option without value") << QStringList{convert, out, QStringLiteral("--name")} << 2 << "needs a value";
    QTest::newRow("LAYER without @") << QStringList{convert, out, QStringLiteral("map.png")} << 2 << "no '@'";
    QTest::newRow("name ending in map without a dot") << QStringList{convert, out, QStringLiteral("roadmap")} << 2
                                                      << "no '@'";
    QTest::newRow(".map without a name") << QStringList{convert, out, QStringLiteral(".map")} << 2 << "no '@'";
    QTest::newRow("LAYER with 5 values") << QStringList{convert, out, QStringLiteral("map.png@1,2,3,4,5")} << 2
                                         << "needs 4 values";
    QTest::newRow("LAYER with a word") << QStringList{convert, out, QStringLiteral("map.png@0,1,east,0")} << 2
                                       << "not a whole pixel";
    QTest::newRow("LAYER with a fractional pixel")
        << QStringList{convert, out, QStringLiteral("map.png@0.5,0,0,1,10,10,1,0")} << 2 << "not a whole pixel";
    QTest::newRow("fill with two values") << QStringList{convert, out, QStringLiteral("--fill"), QStringLiteral("1,2")}
                                          << 2 << "--fill";
    QTest::newRow("fill above 255") << QStringList{convert, out, QStringLiteral("--fill"), QStringLiteral("256,0,0")}
                                    << 2 << "--fill";
    QTest::newRow("tile of width 0") << QStringList{convert, out, QStringLiteral("--tile"), QStringLiteral("0x500")}
                                     << 2 << "--tile";
    QTest::newRow("tile not WxH") << QStringList{convert, out, QStringLiteral("--tile"), QStringLiteral("300")} << 2
                                  << "--tile";
    QTest::newRow("longitudes reversed") << QStringList{convert, out, QStringLiteral("map.png@1,1,0,0")} << 1
                                         << "layer 0 (map.png): invalid calibration";
    QTest::newRow("latitude beyond 90") << QStringList{convert, out, QStringLiteral("map.png@0,90.0000003,1,0")} << 1
                                        << "invalid calibration";
    QTest::newRow("second layer invalid") << QStringList{convert, out, layer, QStringLiteral("map.png@0,0,1,1")} << 1
                                          << "layer 1";
    QTest::newRow("degenerate after the clamp")
        << QStringList{convert, out, QStringLiteral("map.png@200,0,0,1,300,100,1,0")} << 1 << "not right of";
    QTest::newRow("extent beyond 32 bits")
        << QStringList{convert, out, QStringLiteral("map.png@0,0,-180,90,1,1,180,-90")} << 1 << "32-bit range";
    QTest::newRow("missing image") << QStringList{convert, out, QStringLiteral("nothing.png@0,1,1,0")} << 3
                                   << "cannot read the image nothing.png";
    QTest::newRow("text is no image") << QStringList{convert, out, QStringLiteral("config.ini@0,1,1,0")} << 3
                                      << "cannot read the image";
    QTest::newRow("OziExplorer file without reference points")
        << QStringList{convert, out, layer, QStringLiteral("blank.map")} << 1
        << "layer 1 (blank.map): invalid calibration: the OziExplorer file has no reference points";
    QTest::newRow("OziExplorer file with one reference point")
        << QStringList{convert, out, QStringLiteral("point.map")} << 1 << "layer 0 (point.map): invalid calibration";
    QTest::newRow("missing OziExplorer file") << QStringList{convert, out, QStringLiteral("roads.MAP")} << 3
                                              << "cannot read the OziExplorer file roads.MAP";
    QTest::newRow("image of an OziExplorer file missing") << QStringList{convert, out, QStringLiteral("gone.map")} << 3
                                                          << "cannot read the image C:/Maps/gone.png named by gone.map";
    QTest::newRow("output folder is a file") << QStringList{convert, QStringLiteral("config.ini/x.smf"), layer} << 3
                                             << "cannot create";
    QTest::newRow("output folder missing") << QStringList{convert, QStringLiteral("no/such/x.smf"), layer} << 3
                                           << "cannot create";
}

void TestCliConvert::exitCodes()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    writeImage(QStringLiteral("map.png"), fixtures::mapLikeImage(100, 100), "PNG");
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("config.ini")), "Kelvo\nKelvo\n1\n2\n3\n"));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("blank.map")),
                                 fixtures::withCrLf(fixtures::oziHeader("map.png") + "MMPNUM,0\n")));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("point.map")),
                                 fixtures::oziMapFile("map.png", {{10, 10, 10.0, 46.0}})));
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("gone.map")),
                                 fixtures::oziMapFile("C:\\Maps\\gone.png", fixtures::fourCorners())));
    const cli::Result result = cli::run(m_dir->path(), args);
    QVERIFY(!result.crashed);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());
    QVERIFY(result.out.isEmpty());
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("x.smf"))));
}

void TestCliConvert::fileSizeLimitKeepsOldFile()
{
    writeImage(QStringLiteral("map.png"), fixtures::mapLikeImage(700, 700), "PNG");
    const QByteArray old(300, 'o');
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("out.smf")), old));
    const cli::Result result = cli::run(m_dir->path(),
        {QStringLiteral("convert"), QStringLiteral("out.smf"), QStringLiteral("map.png@0,1,1,0")},
        {QStringLiteral("prlimit"), QStringLiteral("--fsize=2000")});
    QVERIFY(!result.crashed);
    QCOMPARE(result.exitCode, 3);
    QVERIFY2(result.err.contains("cannot write"), result.err.constData());
    QCOMPARE(fixtures::fileBytes(path(QStringLiteral("out.smf"))), old);
}

void TestCliConvert::killedInTheMiddleKeepsOldFile()
{
    // 14 x 8 tiles: long enough to be caught with payloads half written.
    writeImage(QStringLiteral("big.bmp"), fixtures::mapLikeImage(4000, 3800), "BMP");
    const QByteArray old = "an older map, still wanted";
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("out.smf")), old));

    QProcess process;
    process.setWorkingDirectory(m_dir->path());
    process.start(QStringLiteral(MAPVANE_CLI_PATH),
                  {QStringLiteral("convert"), QStringLiteral("out.smf"), QStringLiteral("big.bmp@0,1,1,0")});
    QVERIFY(process.waitForStarted());
    // The new file is written under no name (or a temporary one) in the target's
    // folder and linked to the target when complete; kill once it holds more than
    // its header, records and index placeholders. The process's open files show it.
    const qint64 layout = 148 + 288 + 8 * 14 * 8;
    const QString folder = QFileInfo(m_dir->path()).canonicalFilePath();
    const auto partialSize = [&process, &folder]() {
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(process.processId()));
        qint64 size = -1;
        for (const QFileInfo &fd : fds.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
            const QString target = fd.symLinkTarget();
            if (target.startsWith(folder) && !target.endsWith(QLatin1String("big.bmp"))
                && !target.endsWith(QLatin1String("/out.smf"))) {
                struct stat status;  // of the open file itself, which may have no name
                if (::stat(QFile::encodeName(fd.filePath()).constData(), &status) == 0)
                    size = qMax(size, qint64(status.st_size));
            }
        }
        return size;
    };
    QDeadlineTimer deadline(120000);
    bool finished = false;
    while (partialSize() <= layout && !finished && !deadline.hasExpired())
        finished = process.waitForFinished(2);
    QVERIFY2(!finished, "the conversion ended before it could be killed");
    QVERIFY(partialSize() > layout);
    process.kill();  // SIGKILL
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitStatus(), QProcess::CrashExit);
    QCOMPARE(fixtures::fileBytes(path(QStringLiteral("out.smf"))), old);
}

QTEST_GUILESS_MAIN(TestCliConvert)
#include "tst_cli_convert.moc"
