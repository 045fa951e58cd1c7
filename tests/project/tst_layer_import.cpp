// Files that are not what they claim, read by importLayer as the window and convert
// read them: files that would have GDAL read another file, reach a server or crash,
// sizes that would run for hours, places that only make sense across the 180th
// meridian, and sidecars and datums the program cannot use. Each is refused with its
// status and words, before any pixel is decoded, without a connection to the loopback
// server the test listens on.

#include <QtTest>

#include <QTcpServer>

#include <sys/stat.h>
#include <zlib.h>

#include "common/files.h"
#include "common/ozi_fixtures.h"
#include "project/layer_import.h"
#include "project/map_project.h"

namespace {

constexpr char kWgs84Prj[] = "GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\",6378137.0,"
                             "298.257223563]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]]";

// A virtual raster of GDAL's own format, one band read from source.
QByteArray virtualRaster(const QByteArray &band)
{
    return "<VRTDataset rasterXSize=\"40\" rasterYSize=\"40\">\n  <SRS>EPSG:4326</SRS>\n"
           "  <GeoTransform>10, 0.01, 0, 46, 0, -0.01</GeoTransform>\n" + band + "</VRTDataset>\n";
}

// Ground control points "X,Y,LON,LAT ..." (pixels, then degrees).
QVector<GroundControlPoint> points(const QString &text)
{
    QVector<GroundControlPoint> result;
    for (const QString &point : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList v = point.split(QLatin1Char(','));
        result.append({v.at(0).toDouble(), v.at(1).toDouble(), v.at(2).toDouble(), v.at(3).toDouble()});
    }
    return result;
}

}  // namespace

class TestLayerImport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void refused_data();
    void refused();

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

    QTemporaryDir m_dir;
    QTcpServer m_server;
};

void TestLayerImport::initTestCase()
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

void TestLayerImport::refused_data()
{
    QTest::addColumn<QString>("file");         // "%PORT%" stands for the server's port
    QTest::addColumn<QString>("calibration");  // the calibration text, if any
    QTest::addColumn<QString>("gcps");         // ground control points, if any
    QTest::addColumn<LayerImportStatus>("status");
    QTest::addColumn<QString>("reason");       // the reason contains it
    const auto row = [](const char *name, const char *file, LayerImportStatus status, const char *reason,
                        const QString &gcps = QString(), const char *calibration = "") {
        QTest::newRow(name) << QString::fromUtf8(file) << QString::fromUtf8(calibration) << gcps << status
                            << QString::fromUtf8(reason);
    };
    const LayerImportStatus unreadable = LayerImportStatus::Unreadable;
    const LayerImportStatus invalid = LayerImportStatus::Invalid;
    // Formats GDAL reads that are no map: a virtual raster reads any file, or a server.
    row("virtual raster with a raw band over another file, named .tif", "holiday_map.tif", invalid,
        "not a raster the program reads");
    row("virtual raster of a file on a server", "server.tif", invalid, "not a raster the program reads");
    row("virtual raster of memory by address", "memory.tif", invalid, "not a raster the program reads");
    row("a server's file as the layer", "/vsicurl/http://127.0.0.1:%PORT%/sheet.tif", unreadable,
        "cannot be read: No such file");
    row("memory by address as the layer, with points", "MEM:::DATAPOINTER=0x1000,PIXELS=40,LINES=40", unreadable,
        "cannot be read: No such file", QStringLiteral("0,0,10,46 40,0,11,46 0,40,10,45"));
    row(".prj naming a grid on a server", "url.png", invalid, "the grid in url.prj cannot be read");
    row(".prj that is no grid", "garbage.png", invalid, "the grid in garbage.prj cannot be read");
    row(".prj naming an EPSG code PROJ does not know", "epsg.png", invalid, "the grid in epsg.prj cannot be read");
    row("a missing raster", "nothing.tif", unreadable, "nothing.tif cannot be read: No such file");
    row("a FIFO as a raster", "fifo.tif", unreadable, "fifo.tif is not a regular file");
    row("a FIFO as an image with a calibration", "fifo.tif", unreadable, "fifo.tif is not a regular file", {},
        "0,1,1,0");
    row("a folder as an OziExplorer file", "folder.map", unreadable, "folder.map is not a regular file");
    // Sizes from the header, before anything is decoded or warped.
    row("70 bytes claiming 1,000,000 x 1,000,000 pixels on WGS 84", "huge.png", invalid,
        "the raster is too large: 1,000,000 × 1,000,000 pixels; at most 400,000 a side");
    row("the same image with a calibration", "huge.png", invalid,
        "1,000,000 × 1,000,000 pixels; at most 400,000 a side", {}, "0,1,1,0");
    // Places a level cannot take, in words a map maker reads.
    row("points either side of the 180th meridian", "scan.png", invalid, "the raster crosses the 180th meridian",
        QStringLiteral("0,0,179.9,46 400,0,-179.9,46 400,300,-179.9,45.8 0,300,179.9,45.8"));
    row("points far outside the image", "scan.png", invalid, "the points lie outside the image (400 × 300 pixels)",
        QStringLiteral("100000,100000,10,46 100400,100000,11,46 100400,100300,11,45"));
    row("a pixel size that is no number", "nan.png", invalid, "the raster's pixel size is not a number");
    row("a grid from 0 to 360 degrees east", "wrap.png", invalid, "the raster crosses the 180th meridian");
    row("a grid 380 degrees wide", "wide.png", invalid, "the grid covers more than 360° of longitude");
    QStringList many;
    for (int i = 0; i <= 1000; ++i)
        many << QStringLiteral("%1,%2,%3,46").arg(i % 400).arg(i / 4).arg(10 + i * 1e-4);
    QTest::newRow("1,001 points for a thin-plate spline") << QStringLiteral("scan.png") << QString()
        << many.join(QLatin1Char(' ')) << invalid << "a thin-plate spline takes at most 1,000 points; 1,001 were given";
    row("a sheet on UTM whose datum no list knows", "mars.map", invalid, "the datum 'Mars 2000' of its grid is not one");
    row("an OziExplorer file naming an .ozf2 image", "ozf.map", invalid,
        "its image topo.ozf2 is in OziExplorer's own format (.ozf2)");
}

// Each file read as convert reads it: imported, then its image's header.
void TestLayerImport::refused()
{
    QFETCH(QString, file);
    QFETCH(QString, calibration);
    QFETCH(QString, gcps);
    QFETCH(LayerImportStatus, status);
    QFETCH(QString, reason);
    file.replace(QStringLiteral("%PORT%"), QString::number(m_server.serverPort()));
    LayerImportOptions options;
    options.calibrationText = calibration;
    options.gcps = points(gcps);
    options.gcpTransform = options.gcps.size() > 1000 ? GcpTransform::Tps : GcpTransform::Affine;
    // Paths as the command line gives them: relative to the working folder.
    const QString current = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    LayerImport import = importLayer(file, options);
    MapProject project(4096);
    if (!import.refused())
        project.addImportedLayer(import, LayerLoading::HeaderOnly);
    QDir::setCurrent(current);
    QCOMPARE(import.status, status);
    QVERIFY2(import.reason.contains(reason), qPrintable(import.reason));
    QVERIFY(project.layers.isEmpty());
    QVERIFY(!m_server.waitForNewConnection(0));
}

QTEST_GUILESS_MAIN(TestLayerImport)
#include "tst_layer_import.moc"
