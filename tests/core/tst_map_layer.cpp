#include <QtTest>

#include <cmath>
#include <limits>

#include "project/map_project.h"
#include "project/milliarcseconds.h"

Q_DECLARE_METATYPE(CalibrationPoint)

class TestMapLayer : public QObject
{
    Q_OBJECT
private slots:
    void degreesTruncate_data();
    void degreesTruncate();
    void geographicSetter_data();
    void geographicSetter();
    void pixelSetterNoOp();
    void setterOutOfRange();
    void validity_data();
    void validity();
    void scaleText_data();
    void scaleText();
    void scalesFromPoints();
    void memoryEstimate_data();
    void memoryEstimate();
    void bottomRightRule_data();
    void bottomRightRule();
};

void TestMapLayer::degreesTruncate_data()
{
    QTest::addColumn<double>("degrees");
    QTest::addColumn<qint32>("mas");
    // Expected values are degrees x 3600000 truncated by hand.
    QTest::newRow("10.0000001 truncates down") << 10.0000001 << 36000000;
    QTest::newRow("-10.0000001 truncates toward zero") << -10.0000001 << -36000000;
    QTest::newRow("-0.0000001 is zero") << -0.0000001 << 0;
    QTest::newRow("180 east") << 180.0 << 648000000;
    QTest::newRow("90 south") << -90.0 << -324000000;
    QTest::newRow("1 mas less than a whole") << 0.99999999 << 3599999;
    QTest::newRow("1000 saturates") << 1000.0 << std::numeric_limits<qint32>::max();
    QTest::newRow("-1000 saturates") << -1000.0 << std::numeric_limits<qint32>::min();
    QTest::newRow("NaN is zero") << std::nan("") << 0;
}

void TestMapLayer::degreesTruncate()
{
    QFETCH(double, degrees);
    QFETCH(qint32, mas);
    QCOMPARE(degreesToMilliarcseconds(degrees), mas);
}

void TestMapLayer::geographicSetter_data()
{
    QTest::addColumn<int>("which");  // 0 top-left lon, 1 top-left lat, 2 bottom-right lon, 3 bottom-right lat
    QTest::addColumn<double>("degrees");
    QTest::addColumn<qint32>("stored");
    QTest::addColumn<bool>("changed");
    QTest::newRow("default -180 as top-left lon") << 0 << -180.0 << -648000000 << false;
    QTest::newRow("default 90 as top-left lat") << 1 << 90.0 << 324000000 << false;
    QTest::newRow("default 180 as bottom-right lon") << 2 << 180.0 << 648000000 << false;
    QTest::newRow("default -90 as bottom-right lat") << 3 << -90.0 << -324000000 << false;
    QTest::newRow("value that truncates to the default") << 0 << -180.00000001 << -648000000 << false;
    QTest::newRow("new top-left lon") << 0 << 116.5 << 419400000 << true;
    QTest::newRow("new top-left lat") << 1 << 40.25 << 144900000 << true;
    QTest::newRow("new bottom-right lon") << 2 << 117.0 << 421200000 << true;
    QTest::newRow("new bottom-right lat") << 3 << 39.5 << 142200000 << true;
}

void TestMapLayer::geographicSetter()
{
    QFETCH(int, which);
    QFETCH(double, degrees);
    QFETCH(qint32, stored);
    QFETCH(bool, changed);

    MapProject project(4096);
    project.layers.append(new MapLayer);
    MapLayer *layer = project.layers.first();
    using Setter = int (MapProject::*)(int, double);
    const Setter setters[] = {&MapProject::setTopLeftLon, &MapProject::setTopLeftLat,
                              &MapProject::setBottomRightLon, &MapProject::setBottomRightLat};
    QCOMPARE((project.*setters[which])(0, degrees), 0);

    const qint32 values[] = {layer->topLeft.lon, layer->topLeft.lat, layer->bottomRight.lon, layer->bottomRight.lat};
    const bool flags[] = {layer->topLeftLonSet, layer->topLeftLatSet, layer->bottomRightLonSet,
                          layer->bottomRightLatSet};
    QCOMPARE(values[which], stored);
    QCOMPARE(flags[which], changed);
    QCOMPARE(project.changeFlags, quint8(changed ? MapProject::kCalibrationChanged : 0));
    for (int other = 0; other < 4; ++other) {
        if (other != which)
            QVERIFY(!flags[other]);
    }
}

void TestMapLayer::pixelSetterNoOp()
{
    MapProject project(4096);
    project.layers.append(new MapLayer);
    QCOMPARE(project.setTopLeftX(0, 0), 0);
    QCOMPARE(project.setBottomRightY(0, 0), 0);
    QCOMPARE(project.changeFlags, quint8(0));
    QCOMPARE(project.setBottomRightY(0, 800), 0);
    QCOMPARE(project.layers.first()->bottomRight.pixelY, 800);
    QCOMPARE(project.changeFlags, quint8(MapProject::kCalibrationChanged));
}

void TestMapLayer::setterOutOfRange()
{
    MapProject project(4096);
    QCOMPARE(project.setTopLeftX(0, 5), 1);
    QCOMPARE(project.setBottomRightLat(-1, 5.0), 1);
    QCOMPARE(project.updateScale(0), 1);
    QCOMPARE(project.changeFlags, quint8(0));
}

void TestMapLayer::validity_data()
{
    QTest::addColumn<CalibrationPoint>("topLeft");
    QTest::addColumn<CalibrationPoint>("bottomRight");
    QTest::addColumn<bool>("valid");
    QTest::newRow("whole world, bounds included")
        << CalibrationPoint{0, 0, -648000000, 324000000} << CalibrationPoint{100, 100, 648000000, -324000000} << true;
    QTest::newRow("longitude 1 mas west of -180")
        << CalibrationPoint{0, 0, -648000001, 324000000} << CalibrationPoint{100, 100, 648000000, -324000000} << false;
    QTest::newRow("longitude 1 mas east of 180")
        << CalibrationPoint{0, 0, -648000000, 324000000} << CalibrationPoint{100, 100, 648000001, -324000000} << false;
    QTest::newRow("latitude 1 mas north of 90")
        << CalibrationPoint{0, 0, -648000000, 324000001} << CalibrationPoint{100, 100, 648000000, -324000000} << false;
    QTest::newRow("latitude 1 mas south of -90")
        << CalibrationPoint{0, 0, -648000000, 324000000} << CalibrationPoint{100, 100, 648000000, -324000001} << false;
    QTest::newRow("equal longitudes")
        << CalibrationPoint{0, 0, 1000, 2000} << CalibrationPoint{100, 100, 1000, 1000} << false;
    QTest::newRow("equal pixel x")
        << CalibrationPoint{100, 0, 1000, 2000} << CalibrationPoint{100, 100, 2000, 1000} << false;
    QTest::newRow("bottom-right north of top-left")
        << CalibrationPoint{0, 0, 1000, 1000} << CalibrationPoint{100, 100, 2000, 2000} << false;
    QTest::newRow("bottom-right pixel above top-left")
        << CalibrationPoint{0, 200, 1000, 2000} << CalibrationPoint{100, 100, 2000, 1000} << false;
    QTest::newRow("top-left pixel outside the image is allowed")
        << CalibrationPoint{-50, -20, 1000, 2000} << CalibrationPoint{100, 100, 2000, 1000} << true;
}

void TestMapLayer::validity()
{
    QFETCH(CalibrationPoint, topLeft);
    QFETCH(CalibrationPoint, bottomRight);
    QFETCH(bool, valid);
    MapLayer layer;
    layer.topLeft = topLeft;
    layer.bottomRight = bottomRight;
    layer.topLeftLonSet = layer.topLeftLatSet = layer.bottomRightLonSet = layer.bottomRightLatSet = true;
    QCOMPARE(layer.isCalibrationValid(), valid);
    // Every entered flag is needed.
    layer.bottomRightLatSet = false;
    QVERIFY(!layer.isCalibrationValid());
}

void TestMapLayer::scaleText_data()
{
    QTest::addColumn<CalibrationPoint>("topLeft");
    QTest::addColumn<CalibrationPoint>("bottomRight");
    QTest::addColumn<bool>("latitudesEntered");
    QTest::addColumn<QString>("text");
    QTest::newRow("fresh layer") << CalibrationPoint{0, 0, -648000000, 324000000}
                                 << CalibrationPoint{0, 800, 648000000, -324000000} << false << "1:---";
    // 324000000 mas over 1000 pixels: 324000 per pixel (hand calculation).
    QTest::newRow("324000000 mas over 1000 pixels")
        << CalibrationPoint{0, 0, 0, 324000000} << CalibrationPoint{500, 1000, 1000, 0} << true << "1:324000";
    // 1000 mas over 3 pixels is 333.33: truncated.
    QTest::newRow("fractional scale truncates")
        << CalibrationPoint{0, 0, 0, 1000} << CalibrationPoint{3, 3, 1000, 0} << true << "1:333";
    QTest::newRow("same pixel row, infinite scale")
        << CalibrationPoint{0, 10, 0, 1000} << CalibrationPoint{3, 10, 1000, 0} << true << "1:---";
    QTest::newRow("same point, NaN scale")
        << CalibrationPoint{0, 10, 0, 1000} << CalibrationPoint{3, 10, 1000, 1000} << true << "1:---";
}

void TestMapLayer::scaleText()
{
    QFETCH(CalibrationPoint, topLeft);
    QFETCH(CalibrationPoint, bottomRight);
    QFETCH(bool, latitudesEntered);
    QFETCH(QString, text);
    MapLayer layer;
    layer.topLeft = topLeft;
    layer.bottomRight = bottomRight;
    layer.topLeftLatSet = layer.bottomRightLatSet = latitudesEntered;
    layer.updateScales();
    QCOMPARE(layer.scaleText(), text);
}

void TestMapLayer::scalesFromPoints()
{
    MapLayer layer;
    layer.topLeft = {100, 100, 0, 1000000};
    layer.bottomRight = {500, 900, 1000000, 0};
    layer.updateScales();
    QCOMPARE(layer.scale, 1250.0);     // 1000000 / 800
    QCOMPARE(layer.lonScale, 2500.0);  // 1000000 / 400
    // A fresh layer: both pixel x are 0, so the horizontal scale is infinite.
    MapLayer fresh;
    fresh.bottomRight.pixelY = 800;
    fresh.updateScales();
    QCOMPARE(fresh.scale, 648000000.0 / 800);
    QVERIFY(std::isinf(fresh.lonScale));
}

void TestMapLayer::memoryEstimate_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qint32>("megabytes");
    QTest::newRow("1000 x 1000") << QSize(1000, 1000) << 3;  // 4000000 / 1048576 = 3.8
    QTest::newRow("512 x 512") << QSize(512, 512) << 1;
    QTest::newRow("511 x 512") << QSize(511, 512) << 0;
    QTest::newRow("30000 x 30000 passes 32 bits in bytes") << QSize(30000, 30000) << 3433;
    QTest::newRow("null image") << QSize() << 0;
}

void TestMapLayer::memoryEstimate()
{
    QFETCH(QSize, size);
    QFETCH(qint32, megabytes);
    QCOMPARE(imageMemoryMB(size), megabytes);
}

void TestMapLayer::bottomRightRule_data()
{
    QTest::addColumn<QPoint>("before");
    QTest::addColumn<QPoint>("after");
    QTest::newRow("x 0 takes the image size") << QPoint(0, 800) << QPoint(640, 480);
    QTest::newRow("inside stays") << QPoint(300, 200) << QPoint(300, 200);
    QTest::newRow("beyond is clamped") << QPoint(1000, 1000) << QPoint(640, 480);
    QTest::newRow("only y beyond") << QPoint(100, 481) << QPoint(100, 480);
}

void TestMapLayer::bottomRightRule()
{
    QFETCH(QPoint, before);
    QFETCH(QPoint, after);
    MapLayer layer;
    layer.image = QImage(640, 480, QImage::Format_RGB32);
    layer.topLeft = {700, 900, 0, 0};
    layer.bottomRight.pixelX = before.x();
    layer.bottomRight.pixelY = before.y();
    layer.fitBottomRightToImage();
    QCOMPARE(QPoint(layer.bottomRight.pixelX, layer.bottomRight.pixelY), after);
    QCOMPARE(QPoint(layer.topLeft.pixelX, layer.topLeft.pixelY), QPoint(700, 900));
}


QTEST_GUILESS_MAIN(TestMapLayer)
#include "tst_map_layer.moc"
