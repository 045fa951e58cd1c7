#include <QtTest>

#include <QImageReader>

#include <cmath>

#include "common/project_fixtures.h"
#include "project/map_project.h"
#include "project/physical_memory.h"

class TestMapProject : public QObject
{
    Q_OBJECT
private slots:
    void physicalMemory_data();
    void physicalMemory();
    void budget_data();
    void budget();
    void budgetDropsEarliestLoadedNotEarliestUsed();
    void onlyLoadedLayerIsDroppedAndDecodedAgain();
    void addImageLayer();
    void addUnreadableFile();
    void imageAboveDefaultAllocationLimitLoads();
    void evictedCopyIsDecodedAgainAtItsZoom();
    void scaledCopy_data();
    void scaledCopy();
    void sortLayers_data();
    void sortLayers();
    void removeLayer();
    void clearKeepsPropertiesAndBudget();
    void setPropertiesFlags();

private:
    QTemporaryDir m_dir;
    QString writePng(const QString &name, const QImage &image)
    {
        const QString path = m_dir.filePath(name);
        if (!image.save(path, "PNG"))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
};

void TestMapProject::physicalMemory_data()
{
    QTest::addColumn<qint64>("pages");
    QTest::addColumn<qint64>("pageSize");
    QTest::addColumn<qint32>("megabytes");
    QTest::newRow("2 GiB and a page of 4 KiB: part of a MiB is dropped") << qint64(524289) << qint64(4096) << 2048;
    QTest::newRow("no answer") << qint64(-1) << qint64(4096) << 0;
    QTest::newRow("beyond 32 bits of MiB saturates") << (qint64(1) << 40) << qint64(65536) << 2147483647;
}

void TestMapProject::physicalMemory()
{
    QFETCH(qint64, pages);
    QFETCH(qint64, pageSize);
    QFETCH(qint32, megabytes);
    QCOMPARE(physicalMemoryMB(pages, pageSize), megabytes);
}

void TestMapProject::budget_data()
{
    QTest::addColumn<qint32>("loaded");
    QTest::addColumn<bool>("dropped");
    // 2048 MiB of memory less 100 MiB reserved: at most 1948 MiB of images.
    QTest::newRow("1949 MiB loaded drops one") << 1949 << true;
    QTest::newRow("1948 MiB loaded drops nothing") << 1948 << false;
}

void TestMapProject::budget()
{
    QFETCH(qint32, loaded);
    QFETCH(bool, dropped);
    MapProject project(2048);
    const QImage small(4, 4, QImage::Format_RGB32);
    MapLayer *first = fixtures::appendCornerLayer(project, small);
    MapLayer *second = fixtures::appendCornerLayer(project, small);
    first->memoryMB = 1000;
    second->memoryMB = loaded - 1000;
    project.loadedMB = loaded;

    // Asking for the second layer's image drops the earliest loaded one first.
    QVERIFY(project.layerImage(1));
    QCOMPARE(first->loaded, !dropped);
    QCOMPARE(first->image.isNull(), dropped);
    QVERIFY(second->loaded);
    QCOMPARE(project.loadedMB, dropped ? loaded - 1000 : loaded);
}

void TestMapProject::budgetDropsEarliestLoadedNotEarliestUsed()
{
    MapProject project(2048);
    const QString path = writePng(QStringLiteral("a.png"), QImage(8, 8, QImage::Format_RGB32));
    QCOMPARE(project.addImageLayer(path), 0);
    QCOMPARE(project.addImageLayer(path), 0);
    QCOMPARE(project.addImageLayer(path), 0);
    // Using the first layer again does not make it younger.
    project.layerImage(0);
    project.loadedMB = 5000;
    project.trimMemory();
    QVERIFY(!project.layers[0]->loaded);
    QVERIFY(project.layers[1]->loaded);
    project.trimMemory();
    QVERIFY(!project.layers[1]->loaded);
    QVERIFY(project.layers[2]->loaded);
}

void TestMapProject::onlyLoadedLayerIsDroppedAndDecodedAgain()
{
    MapProject project(2048);
    const QString path = writePng(QStringLiteral("only.png"), QImage(20, 10, QImage::Format_RGB32));
    QCOMPARE(project.addImageLayer(path), 0);
    MapLayer *layer = project.layers.first();
    const quint64 firstLoad = layer->loadedAt;
    project.loadedMB = 2000;  // over budget, all of it this layer's
    layer->memoryMB = 2000;
    const QImage *image = project.layerImage(0);
    QCOMPARE(image->size(), QSize(20, 10));
    QVERIFY(layer->loaded);
    QVERIFY(layer->loadedAt > firstLoad);
    QCOMPARE(project.loadedMB, 0);  // the estimate of a 20 x 10 image
}

void TestMapProject::addImageLayer()
{
    MapProject project(4096);
    const QString path = writePng(QStringLiteral("map.png"), fixtures::mapLikeImage(640, 480));
    QCOMPARE(project.addImageLayer(path), 0);
    const MapLayer *layer = project.layers.first();
    QCOMPARE(project.loadedMB, 1);  // 640 x 480 x 4 = 1.17 MiB
    QCOMPARE(project.changeFlags, quint8(MapProject::kLayersChanged));
    // The image height is the bottom-right pixel y at once; x follows when it is shown.
    QCOMPARE(layer->bottomRight.pixelX, 0);
    QCOMPARE(layer->bottomRight.pixelY, 480);
    QCOMPARE(layer->scale, 648000000.0 / 480);
    QVERIFY(std::isinf(layer->lonScale));

    QCOMPARE(project.layerImage(0)->size(), QSize(640, 480));
    QCOMPARE(layer->bottomRight.pixelX, 640);
    QCOMPARE(project.layerImage(1), nullptr);
}

void TestMapProject::addUnreadableFile()
{
    MapProject project(4096);
    const QString path = m_dir.filePath(QStringLiteral("not-an-image.png"));
    QVERIFY(fixtures::writeBytes(path, "this is text, not pixels"));
    QCOMPARE(project.addImageLayer(path), -2);  // content: not an image
    QCOMPARE(project.addImageLayer(m_dir.filePath(QStringLiteral("missing.png"))), -1);
    QVERIFY(project.layers.isEmpty());
    QCOMPARE(project.changeFlags, quint8(0));
}

void TestMapProject::imageAboveDefaultAllocationLimitLoads()
{
    // A scan whose 32-bit decoded form is just above the image library's own limit.
    const int limitMB = QImageReader::allocationLimit();
    QVERIFY(limitMB > 0);
    const int side = int(std::sqrt(double(limitMB) * 1024 * 1024 / 4)) + 64;
    QImage scan(side, side, QImage::Format_RGB32);
    scan.fill(qRgb(200, 190, 150));
    const QString path = writePng(QStringLiteral("scan.png"), scan);
    scan = QImage();

    MapProject project(65536);
    QCOMPARE(project.addImageLayer(path), 0);
    QCOMPARE(project.layers.first()->image.size(), QSize(side, side));
}

void TestMapProject::evictedCopyIsDecodedAgainAtItsZoom()
{
    MapProject project(65536);
    const QString path = writePng(QStringLiteral("zoom.png"), fixtures::mapLikeImage(100, 60));
    QCOMPARE(project.addImageLayer(path), 0);
    QCOMPARE(project.scaledCopy(0, 0.5), 0);
    QCOMPARE(project.scaledCopy(1, 0.5), 0);
    MapLayer *copy = project.layers.at(2);
    QCOMPARE(copy->zoom, 0.25);
    QCOMPARE(copy->image.size(), QSize(25, 15));
    project.loadedMB = 70000;
    while (copy->loaded)
        project.trimMemory();
    project.loadedMB = 0;
    // Decoded again from the source file, resized once by the cumulative factor.
    const QImage expected = QImage(path).scaled(25, 15, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QCOMPARE(*project.layerImage(2), expected);
}

void TestMapProject::scaledCopy_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("bottomRight");
    QTest::addColumn<double>("factor");
    QTest::addColumn<int>("result");
    QTest::addColumn<QSize>("copySize");
    QTest::addColumn<QPoint>("copyBottomRight");
    QTest::newRow("half of (1001, 801)") << QSize(1001, 801) << QPoint(1001, 801) << 0.5 << 0 << QSize(500, 400)
                                         << QPoint(500, 400);
    QTest::newRow("300 % of 1000 x 800") << QSize(1000, 800) << QPoint(1000, 800) << 3.0 << 0 << QSize(3000, 2400)
                                         << QPoint(3000, 2400);
    QTest::newRow("5 % of 10 x 10 is empty") << QSize(10, 10) << QPoint(10, 10) << 0.05 << -1 << QSize()
                                             << QPoint();
}

void TestMapProject::scaledCopy()
{
    QFETCH(QSize, size);
    QFETCH(QPoint, bottomRight);
    QFETCH(double, factor);
    QFETCH(int, result);
    QFETCH(QSize, copySize);
    QFETCH(QPoint, copyBottomRight);

    MapProject project(65536);
    MapLayer *source = fixtures::appendLayer(project, QImage(size, QImage::Format_RGB32), {0, 0, 0, 1000000},
                                             {bottomRight.x(), bottomRight.y(), 2000000, 0});
    const qint32 loadedBefore = project.loadedMB;
    QCOMPARE(project.scaledCopy(0, factor), result);
    if (result != 0) {
        QCOMPARE(project.layers.size(), 1);
        QCOMPARE(project.loadedMB, loadedBefore);
        QCOMPARE(project.changeFlags, quint8(0));
        return;
    }
    QCOMPARE(project.layers.size(), 2);
    const MapLayer *copy = project.layers.at(1);
    QCOMPARE(copy->image.size(), copySize);
    QCOMPARE(QPoint(copy->bottomRight.pixelX, copy->bottomRight.pixelY), copyBottomRight);
    QCOMPARE(copy->topLeft.lat, source->topLeft.lat);
    QCOMPARE(copy->bottomRight.lon, source->bottomRight.lon);
    QCOMPARE(copy->scale, 1000000.0 / copyBottomRight.y());
    QCOMPARE(copy->memoryMB, imageMemoryMB(copySize));
    QCOMPARE(project.loadedMB, loadedBefore + copy->memoryMB);
    QCOMPARE(project.changeFlags, quint8(MapProject::kLayersChanged));
}

void TestMapProject::sortLayers_data()
{
    QTest::addColumn<QVector<double>>("scales");
    QTest::addColumn<int>("current");
    QTest::addColumn<QVector<double>>("sorted");
    QTest::addColumn<int>("newCurrent");
    QTest::newRow("current has the second-smallest scale")
        << QVector<double>{300, 100, 200} << 2 << QVector<double>{100, 200, 300} << 1;
    QTest::newRow("selecting the coarser of two re-sorts")
        << QVector<double>{300, 100} << 0 << QVector<double>{100, 300} << 1;
    // Equal scales keep their order: the current layer (third) stays after its twin.
    QTest::newRow("equal scales keep their order")
        << QVector<double>{100, 50, 100} << 2 << QVector<double>{50, 100, 100} << 2;
    QTest::newRow("undefined scale sorts last")
        << QVector<double>{std::nan(""), 100, INFINITY} << 0 << QVector<double>{100, INFINITY, std::nan("")} << 2;
    QTest::newRow("current out of range") << QVector<double>{2, 1} << 5 << QVector<double>{1, 2} << 0;
    QTest::newRow("no layers") << QVector<double>{} << 0 << QVector<double>{} << 0;
}

void TestMapProject::sortLayers()
{
    QFETCH(QVector<double>, scales);
    QFETCH(int, current);
    QFETCH(QVector<double>, sorted);
    QFETCH(int, newCurrent);
    MapProject project(4096);
    for (double scale : scales) {
        project.layers.append(new MapLayer);
        project.layers.last()->scale = scale;
    }
    const MapLayer *currentLayer = current < scales.size() ? project.layers.at(current) : nullptr;
    QCOMPARE(project.sortLayers(current), newCurrent);
    for (int i = 0; i < sorted.size(); ++i) {
        const double scale = project.layers.at(i)->scale;
        QVERIFY2(scale == sorted.at(i) || (std::isnan(scale) && std::isnan(sorted.at(i))), qPrintable(QString::number(i)));
        QVERIFY(!project.layers.at(i)->sortMark);
    }
    if (currentLayer)
        QCOMPARE(project.layers.at(newCurrent), currentLayer);
    if (scales.size() == 3 && scales.at(0) == 100) {
        // Stability: the twin that came first in the list still comes first.
        QVERIFY(project.layers.at(1) != currentLayer);
    }
}

void TestMapProject::removeLayer()
{
    MapProject project(4096);
    fixtures::appendCornerLayer(project, QImage(1000, 1000, QImage::Format_RGB32));
    MapLayer *kept = fixtures::appendCornerLayer(project, QImage(512, 512, QImage::Format_RGB32));
    QCOMPARE(project.loadedMB, 4);
    QCOMPARE(project.removeLayer(0), 0);
    QCOMPARE(project.layers, QVector<MapLayer *>{kept});
    QCOMPARE(project.loadedMB, 1);
    QCOMPARE(project.changeFlags, quint8(MapProject::kLayersChanged));
    QCOMPARE(project.removeLayer(3), 1);
}

void TestMapProject::clearKeepsPropertiesAndBudget()
{
    MapProject project(3000);
    project.setProperties(QStringLiteral("A"), QStringLiteral("B"), QColor(1, 2, 3), 300, 500);
    project.filePath = QStringLiteral("/tmp/x.smf");
    fixtures::appendCornerLayer(project, QImage(1000, 1000, QImage::Format_RGB32));
    project.smfImages.append(QByteArray(10, 'x'));
    project.levelRecords.append(SmfLevelRecord());
    project.levelTiles.append({QByteArray("t")});
    project.clear();
    QVERIFY(project.layers.isEmpty() && project.smfImages.isEmpty() && project.levelRecords.isEmpty()
            && project.levelTiles.isEmpty());
    QCOMPARE(project.loadedMB, 0);
    QCOMPARE(project.changeFlags, quint8(0));
    QCOMPARE(project.filePath, QStringLiteral("/tmp/x.smf"));
    QCOMPARE(project.mapName, QStringLiteral("B"));
    QCOMPARE(project.physicalMB, 3000);

    const QString path = writePng(QStringLiteral("after-clear.png"), QImage(1000, 1000, QImage::Format_RGB32));
    QCOMPARE(project.addImageLayer(path), 0);
    QCOMPARE(project.loadedMB, 3);
}

void TestMapProject::setPropertiesFlags()
{
    MapProject project(4096);
    QCOMPARE(project.setProperties(QString(), QString(), QColor(), 0, 0), 0);
    QCOMPARE(project.changeFlags, quint8(0));
    project.setProperties(QString(), QString(), QColor(), 300, 0);
    QCOMPARE(project.changeFlags, quint8(MapProject::kLayersChanged));
    project.changeFlags = 0;
    project.setProperties(QStringLiteral("Kelvo"), QString(), QColor(), 300, 0);
    QCOMPARE(project.changeFlags, quint8(MapProject::kCalibrationChanged));
    project.changeFlags = 0;
    project.setFillColour(QColor(122, 122, 122));
    QCOMPARE(project.changeFlags, quint8(MapProject::kLayersChanged));
}

QTEST_GUILESS_MAIN(TestMapProject)
#include "tst_map_project.moc"
