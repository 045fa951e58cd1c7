#include <QtTest>

#include "common/ozi_fixtures.h"
#include "common/project_fixtures.h"
#include "project/map_project.h"
#include "project/ozi_map.h"

using fixtures::OziPoint;

namespace {

// tlX, tlY, tlLon, tlLat, brX, brY, brLon, brLat: pixels and milliarcseconds.
using Calibration = QVector<qint32>;

Calibration calibrationOf(const MapLayer &layer)
{
    return {layer.topLeft.pixelX, layer.topLeft.pixelY, layer.topLeft.lon, layer.topLeft.lat,
            layer.bottomRight.pixelX, layer.bottomRight.pixelY, layer.bottomRight.lon, layer.bottomRight.lat};
}

const Calibration kFreshLayer = calibrationOf(MapLayer());

// The header of a real file, then the given point block, CRLF line ends.
QByteArray withBlock(const QByteArray &block)
{
    return fixtures::withCrLf(fixtures::oziHeader("topo.png") + block);
}

}  // namespace

class TestOziMap : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void isOziMapPath_data();
    void isOziMapPath();
    void calibration_data();
    void calibration();
    void imagePath_data();
    void imagePath();
    void unreadableFile();
    void addImageLayerImportsMapFile_data();
    void addImageLayerImportsMapFile();
    void addImageLayerWithoutReferencePoints();
    void addImageLayerMissingImage();
    void roadmapWithoutDotIsAnImage();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QVERIFY(QDir(m_dir->path()).mkpath(QFileInfo(path(name)).path()));
        QVERIFY(fixtures::writeBytes(path(name), bytes));
    }
    void writePng(const QString &name, int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(qRgb(200, 180, 120));
        QVERIFY(image.save(path(name), "PNG"));
    }

    QScopedPointer<QTemporaryDir> m_dir;
};

void TestOziMap::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
}

void TestOziMap::isOziMapPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("expected");
    QTest::newRow("lower case") << "/data/x/a.map" << true;
    QTest::newRow("upper case A.MAP") << "A.MAP" << true;
    QTest::newRow("mixed case") << "maps/Topo.Map" << true;
    QTest::newRow("roadmap without a dot") << "roadmap" << false;
    QTest::newRow("hidden file .map, no name") << "/data/.map" << false;
    QTest::newRow("image whose name holds .map") << "a.map.png" << false;
    QTest::newRow("folder path") << "a.map/" << false;
}

void TestOziMap::isOziMapPath()
{
    QFETCH(QString, path);
    QFETCH(bool, expected);
    QCOMPARE(::isOziMapPath(path), expected);
}

void TestOziMap::calibration_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("entered");
    QTest::addColumn<Calibration>("expected");

    const QVector<OziPoint> corners = fixtures::fourCorners();
    // Degrees x 3600000 by hand: 10 -> 36000000, 11 -> 39600000, 45 -> 162000000, 46 -> 165600000.
    const Calibration cornersExpected{0, 0, 36000000, 165600000, 999, 799, 39600000, 162000000};
    QTest::newRow("four corners of a 1000 x 800 image, CRLF")
        << fixtures::oziMapFile("topo.png", corners) << true << cornersExpected;
    QTest::newRow("four corners, LF line ends")
        << fixtures::oziHeader("topo.png", corners) + fixtures::oziPointBlock(corners) << true << cornersExpected;

    // A 3 x 4 grid in which the extreme pixels are the ninth to twelfth points.
    QVector<OziPoint> grid;
    for (int i = 0; i < 8; ++i)
        grid.append({100 + 100 * (i % 4), 100 + 100 * (i / 4), 10.1 + 0.1 * (i % 4), 45.9 - 0.1 * (i / 4)});
    grid += {{0, 50, 10.0, 45.95}, {999, 60, 11.0, 45.94}, {500, 0, 10.5, 46.0}, {510, 799, 10.51, 45.0}};
    QTest::newRow("twelve points, all in the bounding box")
        << withBlock(fixtures::oziPointBlock(grid)) << true << cornersExpected;

    QTest::newRow("count 0: no points") << withBlock("MMPNUM,0\nMM1B,1\n") << false << kFreshLayer;
    QTest::newRow("no MMPNUM block") << withBlock("MM1B,111.194926\n") << false << kFreshLayer;
    QTest::newRow("MMPNUM,4 as the last line") << withBlock("MMPNUM,4\n") << false << kFreshLayer;
    QTest::newRow("count not a number") << withBlock(fixtures::oziPointBlock(corners).replace("MMPNUM,4", "MMPNUM,x"))
                                        << false << kFreshLayer;
    QTest::newRow("empty file") << QByteArray() << false << kFreshLayer;

    // Four pixel lines, then only two geographic lines before the end of the file.
    QTest::newRow("file ends inside the block")
        << withBlock("MMPNUM,4\nMMPXY,1,0,0\nMMPXY,2,999,0\nMMPXY,3,999,799\nMMPXY,4,0,799\n"
                     "MMPLL,1,  10.000000,  46.000000\nMMPLL,2,  11.000000,  46.000000\n")
        << true << Calibration{0, 0, 36000000, 165600000, 999, 0, 39600000, 165600000};
    QTest::newRow("count with spaces")
        << withBlock(fixtures::oziPointBlock(corners).replace("MMPNUM,4", "MMPNUM,  4  ")) << true << cornersExpected;
    QTest::newRow("second block replaces the first")
        << withBlock(fixtures::oziPointBlock({{5, 5, 1.0, 2.0}, {6, 6, 3.0, 1.0}}) + fixtures::oziPointBlock(corners))
        << true << cornersExpected;
    QTest::newRow("second block of count 0 leaves no points")
        << withBlock(fixtures::oziPointBlock(corners) + "MMPNUM,0\n") << false << kFreshLayer;
    // Part of the file's usual text: MMPLL,1,10.5,45.25.
    QTest::newRow("one point: both corners at it")
        << withBlock("MMPNUM,1\nMMPXY,1,0,0\nMMPLL,1,10.5,45.25\n") << true
        << Calibration{0, 0, 37800000, 162900000, 0, 0, 37800000, 162900000};
    QTest::newRow("lines without a comma give 0")
        << withBlock("MMPNUM,2\nMMPXY,1,100,100\nMMPXY\nMMPLL,1,10,46\nMMPLL\n") << true
        << Calibration{0, 0, 0, 0, 100, 100, 36000000, 165600000};
    QTest::newRow("one comma: x from the text before it")
        << withBlock("MMPNUM,2\nMMPXY,1,100,100\n7,300\nMMPLL,1,10,46\n11,45\n") << true
        << Calibration{7, 100, 39600000, 165600000, 100, 300, 36000000, 162000000};
    QTest::newRow("long lines are read whole")
        << withBlock("MMPNUM,2\nMMPXY,1," + QByteArray(150, ' ') + "0," + QByteArray(150, ' ') + "0\nMMPXY,2,999,799\n"
                     "MMPLL,1," + QByteArray(200, ' ') + "10.0,46.0\nMMPLL,2,11.0," + QByteArray(120, ' ') + "45.0\n")
        << true << cornersExpected;
    QTest::newRow("equal pixels: the earlier point wins")
        << withBlock(fixtures::oziPointBlock(
               {{0, 0, 10.0, 46.0}, {0, 0, 12.0, 47.0}, {999, 799, 11.0, 45.0}, {999, 799, 13.0, 44.0}}))
        << true << cornersExpected;
    // -10.0000001 x 3600000 = -36000000.36, truncated toward zero.
    QTest::newRow("west and south truncate toward zero")
        << withBlock("MMPNUM,2\nMMPXY,1,0,0\nMMPXY,2,10,10\nMMPLL,1,-10.0000001,-1.0000001\nMMPLL,2,-9.5,-2.5\n")
        << true << Calibration{0, 0, -36000000, -3600000, 10, 10, -34200000, -9000000};
}

void TestOziMap::calibration()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, entered);
    QFETCH(Calibration, expected);
    writeFile(QStringLiteral("topo.map"), file);
    MapLayer layer;
    QCOMPARE(readOziMap(path(QStringLiteral("topo.map")), &layer), 0);
    QCOMPARE(calibrationOf(layer), expected);
    QCOMPARE(layer.topLeftLonSet, entered);
    QCOMPARE(layer.topLeftLatSet, entered);
    QCOMPARE(layer.bottomRightLonSet, entered);
    QCOMPARE(layer.bottomRightLatSet, entered);
}

void TestOziMap::imagePath_data()
{
    QTest::addColumn<QByteArray>("imageLine");  // "%DIR%" stands for the test folder
    QTest::addColumn<QStringList>("files");     // files made in the test folder
    QTest::addColumn<QString>("expected");      // "%DIR%" likewise

    const QStringList topo{QStringLiteral("topo.png")};
    QTest::newRow("relative name") << QByteArray("topo.png") << topo << "%DIR%/topo.png";
    QTest::newRow("relative name, missing") << QByteArray("map.png") << QStringList() << "%DIR%/map.png";
    QTest::newRow("relative folder with backslashes")
        << QByteArray("scans\\topo.png") << QStringList{QStringLiteral("scans/topo.png")} << "%DIR%/scans/topo.png";
    QTest::newRow("Windows absolute path, image beside the map")
        << QByteArray("C:\\Maps\\Scans\\topo.png") << topo << "%DIR%/topo.png";
    QTest::newRow("Windows absolute path, another letter case")
        << QByteArray("C:\\Maps\\Scans\\TOPO.PNG") << topo << "%DIR%/topo.png";
    QTest::newRow("the exact name before another letter case")
        << QByteArray("C:\\Maps\\topo.png") << QStringList{QStringLiteral("Topo.png"), QStringLiteral("topo.png")}
        << "%DIR%/topo.png";
    QTest::newRow("Windows absolute path, missing")
        << QByteArray("C:\\Maps\\Scans\\gone.png") << topo << "C:/Maps/Scans/gone.png";
    QTest::newRow("absolute path of this machine")
        << QByteArray("%DIR%/elsewhere/topo.png") << QStringList{QStringLiteral("elsewhere/topo.png"), QStringLiteral("topo.png")}
        << "%DIR%/elsewhere/topo.png";
    QTest::newRow("trailing spaces") << QByteArray("topo.png   ") << topo << "%DIR%/topo.png";
    QTest::newRow("UTF-8 Chinese name")
        << QString::fromUtf8("D:\\地图\\地形图.png").toUtf8() << QStringList{QString::fromUtf8("地形图.png")}
        << QString::fromUtf8("%DIR%/地形图.png");
    // GBK code table: 地 B5D8, 形 D0CE, 图 CDBC.
    QTest::newRow("GB18030 Chinese name")
        << QByteArray("D:\\\xb5\xd8\xcd\xbc\\\xb5\xd8\xd0\xce\xcd\xbc.png") << QStringList{QString::fromUtf8("地形图.png")}
        << QString::fromUtf8("%DIR%/地形图.png");
    // Windows-1252: ü is FC. Read as GB18030 first, FC 72 is one Chinese character.
    QTest::newRow("Windows-1252 name") << QByteArray("C:\\Karten\\Z\xfcrich.png")
                                       << QStringList{QString::fromUtf8("Zürich.png")} << QString::fromUtf8("%DIR%/Zürich.png");
}

void TestOziMap::imagePath()
{
    QFETCH(QByteArray, imageLine);
    QFETCH(QStringList, files);
    QFETCH(QString, expected);
    for (const QString &file : std::as_const(files))
        writeFile(file, "image");
    imageLine.replace("%DIR%", m_dir->path().toUtf8());
    writeFile(QStringLiteral("topo.map"), fixtures::oziMapFile(imageLine, fixtures::fourCorners()));
    MapLayer layer;
    QCOMPARE(readOziMap(path(QStringLiteral("topo.map")), &layer), 0);
    QCOMPARE(layer.sourcePath, QString(expected).replace(QStringLiteral("%DIR%"), m_dir->path()));
}

void TestOziMap::unreadableFile()
{
    MapLayer layer;
    QCOMPARE(readOziMap(path(QStringLiteral("missing.map")), &layer), -1);
    QCOMPARE(layer.sourcePath, path(QStringLiteral("missing.map")));
    QCOMPARE(calibrationOf(layer), kFreshLayer);
    QVERIFY(!layer.topLeftLonSet);

    // Two lines: no image line, so the map file itself stays the source.
    writeFile(QStringLiteral("short.map"), "OziExplorer Map Data File Version 2.2\r\nTopo\r\n");
    QCOMPARE(readOziMap(path(QStringLiteral("short.map")), &layer), 0);
    QCOMPARE(layer.sourcePath, path(QStringLiteral("short.map")));
}

void TestOziMap::addImageLayerImportsMapFile_data()
{
    QTest::addColumn<QString>("mapName");
    QTest::newRow("topo.map") << QStringLiteral("topo.map");
    QTest::newRow("upper case TOPO.MAP") << QStringLiteral("TOPO.MAP");
}

void TestOziMap::addImageLayerImportsMapFile()
{
    QFETCH(QString, mapName);
    writePng(QStringLiteral("topo.png"), 1000, 800);
    writeFile(mapName, fixtures::oziMapFile("C:\\Maps\\Scans\\topo.png", fixtures::fourCorners()));
    MapProject project(4096);
    QCOMPARE(project.addImageLayer(path(mapName)), 0);
    QCOMPARE(project.layers.size(), 1);
    const MapLayer *layer = project.layers.first();
    QCOMPARE(layer->sourcePath, path(QStringLiteral("topo.png")));
    QCOMPARE(layer->image.size(), QSize(1000, 800));
    // The imported bottom-right pixel stays; it is not replaced by the image height.
    QCOMPARE(calibrationOf(*layer), (Calibration{0, 0, 36000000, 165600000, 999, 799, 39600000, 162000000}));
    QVERIFY(layer->isCalibrationValid());
    QCOMPARE(layer->scaleText(), QStringLiteral("1:4505"));  // 3600000 / 799 = 4505.6
    QCOMPARE(project.changeFlags, quint8(MapProject::kLayersChanged));
    QCOMPARE(project.layerImage(0)->size(), QSize(1000, 800));
    QCOMPARE(layer->bottomRight.pixelX, 999);
}

void TestOziMap::addImageLayerWithoutReferencePoints()
{
    writePng(QStringLiteral("topo.png"), 300, 200);
    writeFile(QStringLiteral("topo.map"), withBlock("MMPNUM,0\r\n"));
    MapProject project(4096);
    QCOMPARE(project.addImageLayer(path(QStringLiteral("topo.map"))), 0);
    const MapLayer *layer = project.layers.first();
    QCOMPARE(layer->sourcePath, path(QStringLiteral("topo.png")));
    // Like a plain image: never the whole world as entered values.
    QCOMPARE(layer->bottomRight.pixelY, 200);
    QVERIFY(!layer->topLeftLonSet && !layer->topLeftLatSet && !layer->bottomRightLonSet && !layer->bottomRightLatSet);
    QCOMPARE(layer->scaleText(), QStringLiteral("1:---"));
    project.layerImage(0);
    QVERIFY(!layer->isCalibrationValid());
}

void TestOziMap::addImageLayerMissingImage()
{
    writeFile(QStringLiteral("gone.map"), fixtures::oziMapFile("C:\\Maps\\gone.png", fixtures::fourCorners()));
    writeFile(QStringLiteral("text.map"), fixtures::oziMapFile("text.map", fixtures::fourCorners()));
    MapProject project(4096);
    QCOMPARE(project.addImageLayer(path(QStringLiteral("gone.map"))), -1);
    QCOMPARE(project.addImageLayer(path(QStringLiteral("text.map"))), -1);  // names itself: no image
    QCOMPARE(project.addImageLayer(path(QStringLiteral("missing.map"))), -1);
    QVERIFY(project.layers.isEmpty());
    QCOMPARE(project.changeFlags, quint8(0));
    QCOMPARE(project.loadedMB, 0);
}

void TestOziMap::roadmapWithoutDotIsAnImage()
{
    writePng(QStringLiteral("roadmap"), 40, 30);
    MapProject project(4096);
    QCOMPARE(project.addImageLayer(path(QStringLiteral("roadmap"))), 0);
    QCOMPARE(project.layers.first()->sourcePath, path(QStringLiteral("roadmap")));
    QCOMPARE(project.layers.first()->bottomRight.pixelY, 30);
}

QTEST_GUILESS_MAIN(TestOziMap)
#include "tst_ozi_map.moc"
