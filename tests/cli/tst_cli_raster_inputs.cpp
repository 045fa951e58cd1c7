// Inputs that are not what they claim: files that would have GDAL read another file,
// reach a server or crash, sizes that would run for hours, places that only make
// sense across the 180th meridian, and sidecars and datums the program cannot use.
// Each is refused with its exit code and words, within a time limit, without writing
// the output and without a connection to the loopback server the test listens on.

#include <QtTest>

#include <QTcpServer>

#include <sys/stat.h>
#include <zlib.h>

#include "common/cli_runner.h"
#include "common/ozi_fixtures.h"
#include "common/project_fixtures.h"

namespace {

constexpr char kWgs84Prj[] = "GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\",6378137.0,"
                             "298.257223563]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]]";

// A virtual raster of GDAL's own format, one band read from source.
QByteArray virtualRaster(const QByteArray &band)
{
    return "<VRTDataset rasterXSize=\"40\" rasterYSize=\"40\">\n  <SRS>EPSG:4326</SRS>\n"
           "  <GeoTransform>10, 0.01, 0, 46, 0, -0.01</GeoTransform>\n" + band + "</VRTDataset>\n";
}

}  // namespace

class TestCliRasterInputs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void refused_data();
    void refused();
    void accepted_data();
    void accepted();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    void write(const QString &name, const QByteArray &bytes) { QVERIFY(fixtures::writeBytes(path(name), bytes)); }
    // name as an image of width x height with a world file (pixel size, then the
    // centre of the top-left pixel) and a .prj.
    void writePlaced(const QString &name, QSize size, const QByteArray &world, const QByteArray &prj = kWgs84Prj)
    {
        QVERIFY(fixtures::mapLikeImage(size.width(), size.height()).save(path(name + QStringLiteral(".png"))));
        write(name + QStringLiteral(".pgw"), world);
        write(name + QStringLiteral(".prj"), prj);
    }
    cli::Result run(const QStringList &args)
    {
        QStringList words = args;
        words.replaceInStrings(QStringLiteral("%PORT%"), QString::number(m_server.serverPort()));
        // A hang fails the row instead of the suite.
        return cli::run(m_dir.path(), words, {QStringLiteral("timeout"), QStringLiteral("60")});
    }

    QTemporaryDir m_dir;
    QTcpServer m_server;
};

void TestCliRasterInputs::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(m_server.listen(QHostAddress::LocalHost));
    const QByteArray port = QByteArray::number(m_server.serverPort());
    write(QStringLiteral("secret.txt"), QByteArray(1600, 'k'));
    write(QStringLiteral("holiday_map.tif"),
          virtualRaster("  <VRTRasterBand dataType=\"Byte\" band=\"1\" subClass=\"VRTRawRasterBand\">\n"
                        "    <SourceFilename relativetoVRT=\"1\">secret.txt</SourceFilename>\n"
                        "    <PixelOffset>1</PixelOffset><LineOffset>40</LineOffset>\n  </VRTRasterBand>\n"));
    const auto simpleSource = [](const QByteArray &name) {
        return virtualRaster("  <VRTRasterBand dataType=\"Byte\" band=\"1\"><SimpleSource><SourceFilename>" + name
                             + "</SourceFilename><SourceBand>1</SourceBand></SimpleSource></VRTRasterBand>\n");
    };
    write(QStringLiteral("server.tif"), simpleSource("/vsicurl/http://127.0.0.1:" + port + "/sheet.tif"));
    write(QStringLiteral("memory.tif"), simpleSource("MEM:::DATAPOINTER=0x1000,PIXELS=40,LINES=40"));
    writePlaced(QStringLiteral("url"), {40, 30}, "0.01\n0\n0\n-0.01\n10\n46\n", "http://127.0.0.1:" + port + "/grid");
    writePlaced(QStringLiteral("garbage"), {40, 30}, "0.01\n0\n0\n-0.01\n10\n46\n", "not a grid at all");
    writePlaced(QStringLiteral("epsg"), {40, 30}, "0.01\n0\n0\n-0.01\n10\n46\n", "EPSG:999999");
    writePlaced(QStringLiteral("nan"), {40, 30}, "nan\n0\n0\n-0.01\n10\n46\n");
    writePlaced(QStringLiteral("wrap"), {400, 30}, "0.9\n0\n0\n-0.01\n0.45\n46\n");   // 0 to 360 E
    writePlaced(QStringLiteral("wide"), {400, 30}, "0.95\n0\n0\n-0.01\n-179\n46\n");  // 380 degrees
    writePlaced(QStringLiteral("coarse"), {100, 50}, "1.8\n0\n0\n-1.8\n0.9\n89.1\n");  // 0 to 180 E, 90 to 0 N
    writePlaced(QStringLiteral("a:b"), {40, 30}, "0.01\n0\n0\n-0.01\n10\n46\n");
    QVERIFY(fixtures::mapLikeImage(400, 300).save(path(QStringLiteral("scan.png"))));
    // A PNG of 70 bytes claiming 1,000,000 x 1,000,000 pixels, on geographic WGS 84.
    const auto chunk = [](const QByteArray &type, const QByteArray &data) {
        QByteArray bytes(4, '\0');
        qToBigEndian<quint32>(quint32(data.size()), bytes.data());
        bytes += type + data + QByteArray(4, '\0');
        const auto *checked = reinterpret_cast<const Bytef *>(bytes.constData() + 4);
        qToBigEndian<quint32>(quint32(crc32(0, checked, uInt(data.size() + 4))), bytes.data() + bytes.size() - 4);
        return bytes;
    };
    QByteArray header(13, '\0');
    qToBigEndian<quint32>(1000000, header.data());
    qToBigEndian<quint32>(1000000, header.data() + 4);
    header[8] = 8;  // 8-bit grey
    write(QStringLiteral("huge.png"), QByteArray::fromHex("89504e470d0a1a0a") + chunk("IHDR", header)
                                          + chunk("IDAT", QByteArray::fromHex("789c630000000100 01"))
                                          + chunk("IEND", QByteArray()));
    write(QStringLiteral("huge.pgw"), "0.0001\n0\n0\n-0.0001\n10\n46\n");
    write(QStringLiteral("huge.prj"), kWgs84Prj);
    QCOMPARE(::mkfifo(QFile::encodeName(path(QStringLiteral("fifo.tif"))).constData(), 0600), 0);
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder.map")));
    // A sheet on UTM whose datum no list knows, with its WGS 84 corner block.
    QVERIFY(fixtures::mapLikeImage(1000, 800).save(path(QStringLiteral("topo.png"))));
    QByteArray mars = fixtures::oziMapFile("topo.png", fixtures::fourCorners());
    write(QStringLiteral("mars.map"), mars.replace("WGS 84,WGS 84,", "Mars 2000,WGS 84,")
                                          .replace("Latitude/Longitude", "UTM Grid"));
    write(QStringLiteral("topo.ozf2"), "OZF2");
    write(QStringLiteral("ozf.map"), fixtures::oziMapFile("C:\\Maps\\topo.ozf2", fixtures::fourCorners()));
}

void TestCliRasterInputs::refused_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const auto row = [](const char *name, int exitCode, const char *message, const QString &layer,
                        const QStringList &more = {}) {
        QTest::newRow(name) << QStringList{QStringLiteral("convert"), QStringLiteral("x.smf"), layer} + more
                            << exitCode << QString::fromUtf8(message);
    };
    // Formats GDAL reads that are no map: a virtual raster reads any file, or a server.
    row("virtual raster with a raw band over another file, named .tif", 1, "not a raster the program reads",
        QStringLiteral("holiday_map.tif"));
    row("virtual raster of a file on a server", 1, "not a raster the program reads", QStringLiteral("server.tif"));
    row("virtual raster of memory by address", 1, "not a raster the program reads", QStringLiteral("memory.tif"));
    row("a server's file as the layer", 3, "cannot be read: No such file",
        QStringLiteral("/vsicurl/http://127.0.0.1:%PORT%/sheet.tif"));
    row("memory by address as the layer, with points", 3, "cannot be read: No such file",
        QStringLiteral("MEM:::DATAPOINTER=0x1000,PIXELS=40,LINES=40"),
        {"--gcp", "0,0,10,46", "--gcp", "40,0,11,46", "--gcp", "0,40,10,45"});
    row(".prj naming a grid on a server", 1, "the grid in url.prj cannot be read", QStringLiteral("url.png"));
    row(".prj that is no grid", 1, "the grid in garbage.prj cannot be read", QStringLiteral("garbage.png"));
    row(".prj naming an EPSG code PROJ does not know", 1, "the grid in epsg.prj cannot be read",
        QStringLiteral("epsg.png"));
    row("a missing raster", 3, "nothing.tif cannot be read: No such file", QStringLiteral("nothing.tif"));
    row("a FIFO as a raster", 3, "fifo.tif is not a regular file", QStringLiteral("fifo.tif"));
    row("a FIFO as an image with '@'", 3, "fifo.tif is not a regular file", QStringLiteral("fifo.tif@0,1,1,0"));
    row("a folder as an OziExplorer file", 3, "folder.map is not a regular file", QStringLiteral("folder.map"));
    // Sizes from the header, before anything is decoded or warped.
    row("70 bytes claiming 1,000,000 x 1,000,000 pixels on WGS 84", 1,
        "(huge.png): the raster is too large: 1,000,000 × 1,000,000 pixels; at most 400,000 a side",
        QStringLiteral("huge.png"));
    row("the same image with '@'", 1, "1,000,000 × 1,000,000 pixels; at most 400,000 a side",
        QStringLiteral("huge.png@0,1,1,0"));
    row("a level whose tiles pass what SMF records", 1, "too large for its tiles", QStringLiteral("coarse.png"));
    // Places a level cannot take, in words a map maker reads.
    row("points either side of the 180th meridian", 1, "(scan.png): the raster crosses the 180th meridian",
        QStringLiteral("scan.png"),
        {"--gcp", "0,0,179.9,46", "--gcp", "400,0,-179.9,46", "--gcp", "400,300,-179.9,45.8", "--gcp", "0,300,179.9,45.8"});
    row("points far outside the image", 1, "the points lie outside the image (400 × 300 pixels)",
        QStringLiteral("scan.png"),
        {"--gcp", "100000,100000,10,46", "--gcp", "100400,100000,11,46", "--gcp", "100400,100300,11,45"});
    row("a pixel size that is no number", 1, "(nan.png): the raster's pixel size is not a number",
        QStringLiteral("nan.png"));
    row("a grid from 0 to 360 degrees east", 1, "the raster crosses the 180th meridian", QStringLiteral("wrap.png"));
    row("a grid 380 degrees wide", 1, "the grid covers more than 360° of longitude", QStringLiteral("wide.png"));
    QStringList many;
    for (int i = 0; i <= 1000; ++i)
        many << QStringLiteral("--gcp") << QStringLiteral("%1,%2,%3,46").arg(i % 400).arg(i / 4).arg(10 + i * 1e-4);
    row("1,001 points for a thin-plate spline", 1, "a thin-plate spline takes at most 1,000 points; 1,001 were given",
        QStringLiteral("scan.png"), many + QStringList{"--transform", "tps"});
    row("a sheet on UTM whose datum no list knows", 1, "(mars.map): the datum 'Mars 2000' of its grid is not one",
        QStringLiteral("mars.map"));
    row("an OziExplorer file naming an .ozf2 image", 1, "its image topo.ozf2 is in OziExplorer's own format (.ozf2)",
        QStringLiteral("ozf.map"));
}

void TestCliRasterInputs::refused()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const cli::Result result = run(args);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());
    QVERIFY(result.out.isEmpty());
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("x.smf"))));
    QVERIFY(!m_server.waitForNewConnection(0));
}

void TestCliRasterInputs::accepted_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("report");
    // A name GDAL would read as a driver's prefix, were it not made absolute.
    QTest::newRow("a file named a:b.png") << QStringList{"a:b.png"} << "a:b.png: georeferenced by its world file";
    QTest::newRow("a sheet on an unknown datum, fitted to its corners when asked")
        << QStringList{"mars.map", "--allow-corner-fit"} << "the MMPXY/MMPLL block (WGS 84)";
    // 25 points of an affine map: the 20 worst one by one, the rest in one line.
    QStringList points;
    for (int i = 0; i < 25; ++i)
        points << QStringLiteral("--gcp") << QStringLiteral("%1,%2,%3,%4").arg(i % 5 * 100).arg(i / 5 * 75)
                                                 .arg(10 + i % 5 * 0.01).arg(46 - i / 5 * 0.01);
    QTest::newRow("25 ground control points") << QStringList{"scan.png"} + points
                                              << "scan.png: the other 5 points: residuals up to 0.00 px";
}

void TestCliRasterInputs::accepted()
{
    QFETCH(QStringList, args);
    QFETCH(QString, report);
    const cli::Result result = run(QStringList{QStringLiteral("convert"), QStringLiteral("ok.smf")} + args);
    QVERIFY2(result.exitCode == 0, result.err.constData());
    QVERIFY2(QString::fromUtf8(result.out).contains(report), result.out.constData());
    QVERIFY(QFile::remove(path(QStringLiteral("ok.smf"))));
}

QTEST_GUILESS_MAIN(TestCliRasterInputs)
#include "tst_cli_raster_inputs.moc"
