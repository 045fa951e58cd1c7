#include <QtTest>

#include <QImageReader>

#include <cmath>
#include <limits>

#include "common/project_fixtures.h"
#include "project/map_project.h"
#include "raster/image_file.h"

Q_DECLARE_METATYPE(CalibrationPoint)

// Layers of a project: calibration, scale, decoded images within the memory budget,
// scaled copies and the order of the layers.
class TestMapProject : public QObject
{
    Q_OBJECT
private slots:
    void calibrationSetters_data();
    void calibrationSetters();
    void validity_data();
    void validity();
    void budget();
    void scaledCopies();
    void addImportedLayer();
    void longJobDecodeKeepsReporting();
    void sortLayers();
    void removeAndClear();

private:
    QString png(const QString &name, const QImage &image)
    {
        return image.save(m_dir.filePath(name)) ? m_dir.filePath(name) : QString();
    }
    QTemporaryDir m_dir;
};

void TestMapProject::calibrationSetters_data()
{
    QTest::addColumn<int>("which");  // top-left lon, lat, bottom-right lon, lat
    QTest::addColumn<double>("value");
    QTest::addColumn<qint32>("stored");
    QTest::addColumn<bool>("changed");
    // Degrees x 3600000 truncated toward zero and saturated, by hand.
    QTest::newRow("default -180 is no change") << 0 << -180.0 << -648000000 << false;
    QTest::newRow("value truncating to the default 90") << 1 << 90.00000001 << 324000000 << false;
    QTest::newRow("-10.0000001 truncates toward zero") << 3 << -10.0000001 << -36000000 << true;
    QTest::newRow("1000 saturates") << 2 << 1000.0 << std::numeric_limits<qint32>::max() << true;
    QTest::newRow("NaN is zero") << 1 << std::nan("") << 0 << true;
    QTest::newRow("0 (Greenwich) is entered") << 0 << 0.0 << 0 << true;
    QTest::newRow("0 (the equator) is entered") << 3 << 0.0 << 0 << true;
}

void TestMapProject::calibrationSetters()
{
    QFETCH(int, which);
    QFETCH(double, value);
    QFETCH(bool, changed);
    MapProject project(4096);
    const MapLayer *layer = project.layers.emplace_back(new MapLayer);
    using Setter = bool (MapProject::*)(int, double);
    const Setter setters[] = {&MapProject::setTopLeftLon, &MapProject::setTopLeftLat,
                              &MapProject::setBottomRightLon, &MapProject::setBottomRightLat};
    QVERIFY((project.*setters[which])(0, value));
    const qint32 values[] = {layer->topLeft.lon, layer->topLeft.lat, layer->bottomRight.lon, layer->bottomRight.lat};
    QTEST(values[which], "stored");
    QCOMPARE(project.changeFlags, quint8(changed ? MapProject::kCalibrationChanged : 0));
    QVector<bool> entered(4);
    entered[which] = changed;
    QCOMPARE((QVector<bool>{layer->topLeftLonSet, layer->topLeftLatSet, layer->bottomRightLonSet,
                            layer->bottomRightLatSet}), entered);
    // Indices outside the project change nothing.
    QVERIFY(!(project.*setters[0])(1, value));
    QVERIFY(!project.setTopLeftX(-1, 5));
    QVERIFY(!project.updateScale(1));
}

void TestMapProject::validity_data()
{
    QTest::addColumn<CalibrationPoint>("topLeft");
    QTest::addColumn<CalibrationPoint>("bottomRight");
    QTest::addColumn<QString>("fault");  // the first fault and its field, "" for a valid layer
    QTest::addColumn<QString>("scale");  // latitude milliarcseconds per pixel, by hand
    using P = CalibrationPoint;
    QTest::newRow("whole world, bounds included")
        << P{0, 0, -648000000, 324000000} << P{100, 1000, 648000000, -324000000} << "" << "1:648000";
    QTest::newRow("1 mas west of -180") << P{0, 0, -648000001, 1000} << P{100, 100, 0, 0} << "2 2" << "1:10";
    QTest::newRow("1 mas east of 180") << P{0, 0, 0, 1000} << P{100, 100, 648000001, 0} << "2 6" << "1:10";
    QTest::newRow("1 mas south of -90") << P{0, 0, 0, 0} << P{100, 300, 1000, -324000001} << "2 7" << "1:1080000";
    QTest::newRow("equal longitudes") << P{0, 0, 1000, 2000} << P{100, 100, 1000, 1000} << "3 6" << "1:10";
    QTest::newRow("equal pixel x") << P{100, 0, 1000, 2000} << P{100, 100, 2000, 1000} << "3 4" << "1:10";
    QTest::newRow("bottom-right to the north") << P{0, 0, 1000, 1000} << P{100, 100, 2000, 2000} << "3 3" << "1:10";
    QTest::newRow("same pixel row: no scale") << P{0, 10, 0, 1000} << P{3, 10, 1000, 0} << "3 5" << "1:---";
    QTest::newRow("bottom-right pixel above") << P{0, 200, 1000, 2000} << P{100, 100, 2000, 1000} << "3 5" << "1:10";
    QTest::newRow("top-left pixel outside the image, 333.3 truncates")
        << P{-50, -20, 0, 1000} << P{100, -17, 2000, 0} << "" << "1:333";
}

// Faults as "fault field": CalibrationFault 1 not entered, 2 out of range, 3 not
// greater; CalibrationField 0..3 top-left x, y, lon, lat, 4..7 bottom-right.
void TestMapProject::validity()
{
    QFETCH(CalibrationPoint, topLeft);
    QFETCH(CalibrationPoint, bottomRight);
    QFETCH(QString, fault);
    MapLayer layer;
    layer.topLeft = topLeft;
    layer.bottomRight = bottomRight;
    layer.topLeftLonSet = layer.topLeftLatSet = layer.bottomRightLonSet = layer.bottomRightLatSet = true;
    layer.updateScales();
    const auto faultOf = [](const MapLayer &layer) {
        const CalibrationCheck check = layer.checkCalibration();
        return check.fault == CalibrationFault::None ? QString() : QStringLiteral("%1 %2").arg(int(check.fault)).arg(int(check.field));
    };
    QCOMPARE(faultOf(layer), fault);
    QCOMPARE(layer.isCalibrationValid(), fault.isEmpty());
    QTEST(layer.scaleText(), "scale");
    layer.bottomRightLatSet = false;  // every value must have been entered, before anything else
    QCOMPARE(faultOf(layer), QStringLiteral("1 7"));
    QVERIFY(!layer.isCalibrationValid());
    QCOMPARE(layer.scaleText(), QStringLiteral("1:---"));
}

void TestMapProject::budget()
{
    QCOMPARE(imageMemoryMB(QSize(1000, 1000)), 3);  // 4000000 / 1048576 = 3.8
    QCOMPARE(imageMemoryMB(QSize(30000, 30000)), 3433);  // passes 32 bits in bytes
    QCOMPARE(imageMemoryMB(QSize()), 0);
    QCOMPARE(physicalMemoryMB(524289, 4096), 2048);  // part of a MiB is dropped
    QCOMPARE(physicalMemoryMB(-1, 4096), 0);         // no answer
    QCOMPARE(physicalMemoryMB(qint64(1) << 40, 65536), std::numeric_limits<qint32>::max());
    // 2048 MiB of memory less 100 MiB reserved: at most 1948 MiB of images.
    MapProject project(2048);
    const QString path = png(QStringLiteral("a.png"), QImage(8, 8, QImage::Format_RGB32));
    for (int i = 0; i < 3; ++i)
        QVERIFY(!fixtures::addFile(project, path).refused());
    project.layerImage(0);  // using the first layer again does not make it younger
    project.layers[0]->memoryMB = 1000;
    project.loadedMB = 1948;
    QVERIFY(project.layerImage(2));
    QVERIFY(project.layers[0]->loaded);
    // Asking for an image drops the earliest loaded one first.
    project.loadedMB = 1949;
    QVERIFY(project.layerImage(2));
    QVERIFY(!project.layers[0]->loaded && project.layers[0]->image.isNull() && project.layers[1]->loaded);
    QCOMPARE(project.loadedMB, 949);
    project.loadedMB = 5000;
    project.trimMemory();
    QVERIFY(!project.layers[1]->loaded && project.layers[2]->loaded);
}

void TestMapProject::scaledCopies()
{
    MapProject project(65536);
    const QString path = png(QStringLiteral("zoom.png"), fixtures::mapLikeImage(101, 61));
    QVERIFY(!fixtures::addFile(project, path).refused());
    QVERIFY(!fixtures::addFile(project, path).refused());  // loaded after the source, before the copies
    project.layerImage(0);
    project.changeFlags = 0;
    QVERIFY(project.scaledCopy(0, 0.5));
    QVERIFY(project.scaledCopy(2, 0.5));
    MapLayer *copy = project.layers.at(3);
    // Sizes and points truncated: 101 x 61 to 50 x 30 to 25 x 15.
    QCOMPARE(copy->image.size(), QSize(25, 15));
    QCOMPARE(QPoint(copy->bottomRight.pixelX, copy->bottomRight.pixelY), QPoint(25, 15));
    QCOMPARE(copy->scale, 648000000.0 / 15);  // 180 degrees of latitude by default, over 15 pixels
    QCOMPARE(project.changeFlags, quint8(MapProject::kLayersChanged));
    // Dropped from memory, a copy is decoded again from the source file, resized once
    // by the cumulative factor.
    // Copies leave memory together with their source, before a layer loaded after it.
    project.loadedMB = 70000;
    while (copy->loaded)
        project.trimMemory();
    QVERIFY(!project.layers[0]->loaded && !project.layers[2]->loaded && project.layers[1]->loaded);
    project.loadedMB = 0;
    QCOMPARE(*project.layerImage(3), QImage(path).scaled(25, 15, Qt::IgnoreAspectRatio, Qt::FastTransformation));

    // From a header only, the copy waits to be decoded; the source and the copy must fit
    // in memory together (800 x 800 is 2 MiB, 1120 x 1120 4 MiB, plus one), and the copy
    // must not be empty.
    MapProject small(3);
    QVERIFY(!fixtures::addFile(small, png(QStringLiteral("big.png"), fixtures::mapLikeImage(800, 800)),
                               LayerLoading::HeaderOnly).refused());
    QVERIFY(small.scaledCopy(0, 0.6, LayerLoading::HeaderOnly));
    QVERIFY(!small.layers.at(1)->loaded && !small.layers.at(0)->loaded);
    QCOMPARE(layerImageSize(*small.layers.at(1)), QSize(480, 480));
    QVERIFY(!small.scaledCopy(0, 1.4, LayerLoading::HeaderOnly));
    QCOMPARE(small.errorString(), QStringLiteral("a copy at 140 % is 1120 x 1120 pixels: with the whole image it is "
                                                 "made from it needs 7 MiB, more than the memory limit of 3 MiB"));
    QVERIFY(!small.scaledCopy(0, 1.4));  // decoded, as the window does: the same limit
    QVERIFY(!small.scaledCopy(0, 0.001, LayerLoading::HeaderOnly));
    QCOMPARE(small.errorString(), QStringLiteral("a copy at 0.1 % of the 800 x 800 image would be empty"));
    small.layers.at(0)->bottomRight.pixelX = 19;  // 19 pixels at 5 % truncate to 0, beside the top-left x
    QVERIFY(!small.scaledCopy(0, 0.05, LayerLoading::HeaderOnly));
    QVERIFY(small.errorString().endsWith(QStringLiteral("onto one pixel column or row")));
    QCOMPARE(small.layers.size(), 2);
}

void TestMapProject::addImportedLayer()
{
    MapProject project(4096);
    // A file that fails adds nothing; one that decodes marks the layers changed.
    QCOMPARE(fixtures::addFile(project, m_dir.filePath(QStringLiteral("missing.png"))).status,
             LayerImportStatus::Unreadable);
    QVERIFY(project.layers.isEmpty() && project.changeFlags == 0 && project.loadedMB == 0);
    QCOMPARE(fixtures::addFile(project, png(QStringLiteral("map.png"), fixtures::mapLikeImage(640, 480))).status,
             LayerImportStatus::Uncalibrated);
    QCOMPARE(project.changeFlags, quint8(MapProject::kLayersChanged));
    const MapLayer *layer = project.layers.first();
    QCOMPARE(project.loadedMB, 1);  // 640 x 480 x 4 = 1.17 MiB
    // The image height is the bottom-right pixel y at once; x follows when it is shown.
    QCOMPARE(QPoint(layer->bottomRight.pixelX, layer->bottomRight.pixelY), QPoint(0, 480));
    QCOMPARE(layer->scale, 648000000.0 / 480);
    QCOMPARE(project.layerImage(0)->size(), QSize(640, 480));
    QCOMPARE(layer->bottomRight.pixelX, 640);
    QCOMPARE(project.layerImage(1), nullptr);
    // A scan whose 32-bit decoded form is just above the image library's own limit.
    QVERIFY(QImageReader::allocationLimit() > 0);
    const int side = int(std::sqrt(double(QImageReader::allocationLimit()) * 1024 * 1024 / 4)) + 64;
    QImage scan(side, side, QImage::Format_RGB32);
    scan.fill(qRgb(200, 190, 150));
    QVERIFY(!fixtures::addFile(project, png(QStringLiteral("scan.png"), scan)).refused());
    QCOMPARE(project.layers.last()->image.size(), QSize(side, side));
}

void TestMapProject::sortLayers()
{
    // Finest first and an undefined scale last; twins keep their order, however many,
    // and the current layer (the eighth of twenty twins) is followed to its new place.
    MapProject project(4096);
    QCOMPARE(project.sortLayers(0), 0);
    for (double scale : QVector<double>(20, 100.0) + QVector<double>{std::nan(""), 50.0})
        project.layers.emplace_back(new MapLayer)->scale = scale;
    const QVector<MapLayer *> before = project.layers;
    QCOMPARE(project.sortLayers(7), 8);
    QCOMPARE(project.layers, QVector<MapLayer *>{before[21]} + before.mid(0, 20) + QVector<MapLayer *>{before[20]});
    QVERIFY(!before[7]->sortMark);
    QCOMPARE(project.sortLayers(30), 0);  // no current layer
}

void TestMapProject::removeAndClear()
{
    MapProject project(3000);
    project.filePath = QStringLiteral("/tmp/x.smf");
    fixtures::appendCornerLayer(project, QImage(1000, 1000, QImage::Format_RGB32));
    MapLayer *kept = fixtures::appendCornerLayer(project, QImage(512, 512, QImage::Format_RGB32));
    QVERIFY(!project.removeLayer(3));
    QVERIFY(project.removeLayer(0));
    QCOMPARE(project.layers, QVector<MapLayer *>{kept});
    QCOMPARE(project.loadedMB, 1);  // 4 MiB less the 3 of the removed layer
    QCOMPARE(project.changeFlags, quint8(MapProject::kLayersChanged));
    project.clear();  // keeps the file, counts memory from 0 again
    QVERIFY(project.layers.isEmpty() && project.loadedMB == 0 && project.changeFlags == 0);
    QCOMPARE(project.filePath, QStringLiteral("/tmp/x.smf"));
}

void TestMapProject::longJobDecodeKeepsReporting()
{
    const QString path = m_dir.filePath(QStringLiteral("layer.png"));
    const QImage source = fixtures::mapLikeImage(900, 700);
    QVERIFY(source.save(path));
    MapProject project(65536);
    QVERIFY(!fixtures::addFile(project, path).refused());
    project.releaseImage(0);
    fixtures::RecordingProgress progress;
    bool decoded = false;
    const QImage *image = project.layerImage(0, &progress, &decoded);
    QVERIFY(decoded);
    QCOMPARE(image->size(), source.size());
    // Only how far the file has been read, 0 to 1, whole units as the recorder sees them.
    for (int value : std::as_const(progress.values))
        QVERIFY(value == 0 || value == 1);
    QCOMPARE(progress.values.size(), progress.pumps);

    // In memory now: nothing to decode, nothing pumped.
    QCOMPARE(project.layerImage(0, &progress, &decoded), image);
    QVERIFY(!decoded);
}

QTEST_GUILESS_MAIN(TestMapProject)
#include "tst_map_project.moc"
