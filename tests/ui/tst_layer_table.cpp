#include <QtTest>

#include <QComboBox>
#include <QLabel>
#include <QTableWidget>

#include "common/modal_answer.h"
#include "common/window_fixture.h"
#include "project/map_layer.h"
#include "ui/c_paint_area.h"
#include "ui/c_points_form.h"
#include "ui/mapvane2.h"

namespace {

// A project window in its own working folder; add() adds a generated image as a layer.
struct LayerWindow
{
    LayerWindow() { WindowFixture::startProject(window); }
    void add(int width, int height)
    {
        const QString file = fixture.makeImage(QStringLiteral("%1.png").arg(++images), width, height);
        window.dialogs.openFile = [file](QWidget *, const QString &, const QString &, const QString &,
                                         const QString &) { return file; };
        window.actionAdd->trigger();
    }
    WindowFixture fixture;
    Mapvane2 window;
    int images = 0;
};

}  // namespace

// The layer table, the current layer, the canvas and the layer commands.
class TestLayerTable : public QObject
{
    Q_OBJECT
private slots:
    void rowNamesAfterAddAndDelete();
    void resortKeepsCurrentLayer();
    void equalScalesKeepTableAndProjectInStep();
    void deleteSelectsPreviousRow_data();
    void deleteSelectsPreviousRow();
    void deleteOnlyLayerClearsCanvas();
    void rowWithPointsOnOneRowIsShown();
    void placingOnlyWhileChecked();
    void placedPointUsesScroll();
    void readOut();
    void readOutWithoutLayer();
    void dragLimits();
    void ensurePointVisible_data();
    void ensurePointVisible();
    void addUnsupportedFile();
    void copyTooSmallFails();
    void copyTriples();
    void autoAddsFourFromTheSameSource();

private:
    static void calibrate(Mapvane2 &window, int layer, double top, double bottom);
    static QStringList rowNames(Mapvane2 &window);
    static void hover(QWidget *widget, QPoint position);
};

void TestLayerTable::hover(QWidget *widget, QPoint position)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(position), widget->mapToGlobal(QPointF(position)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

void TestLayerTable::calibrate(Mapvane2 &window, int layer, double top, double bottom)
{
    window.project.setTopLeftLon(layer, 10.0);
    window.project.setBottomRightLon(layer, 11.0);
    window.project.setTopLeftLat(layer, top);
    window.project.setBottomRightLat(layer, bottom);
}

QStringList TestLayerTable::rowNames(Mapvane2 &window)
{
    QStringList names;
    for (int row = 0; row < window.layerTable->rowCount(); ++row)
        names << window.layerTable->item(row, 0)->text();
    return names;
}

void TestLayerTable::rowNamesAfterAddAndDelete()
{
    LayerWindow w;
    Mapvane2 &window = w.window;
    for (int i = 0; i < 3; ++i)
        w.add(40, 30);
    const QString layer = QString::fromUtf8("层");
    QCOMPARE(rowNames(window), QStringList({layer + "0", layer + "1", layer + "2"}));
    QCOMPARE(window.currentLayer, 2);
    QCOMPARE(window.layerTable->item(0, 1)->text(), QStringLiteral("1:---"));

    window.selectLayerRow(1);
    window.actionDelete->trigger();
    w.add(40, 30);
    // Rows are named by the row count at append and never renumbered.
    QCOMPARE(rowNames(window), QStringList({layer + "0", layer + "2", layer + "2"}));
    QCOMPARE(window.project.layers.size(), 3);
    QCOMPARE(window.lastDirectory, w.fixture.dir.path());
}

void TestLayerTable::resortKeepsCurrentLayer()
{
    LayerWindow w;
    Mapvane2 &window = w.window;
    w.add(40, 100);
    w.add(40, 300);
    MapLayer *coarse = window.project.layers[0];
    MapLayer *fine = window.project.layers[1];
    // One degree over 100 and over 300 pixels: 36000 and 12000 ms per pixel.
    calibrate(window, 0, 46.0, 45.0);
    calibrate(window, 1, 46.0, 45.0);
    window.project.updateScale(0);
    window.project.updateScale(1);

    // Selecting the coarse layer re-sorts: the finer one comes first and the
    // coarse one stays current at its new row.
    window.selectLayerRow(0);
    QCOMPARE(window.project.layers[0], fine);
    QCOMPARE(window.project.layers[1], coarse);
    QCOMPARE(window.currentLayer, 1);
    QCOMPARE(window.layerTable->item(1, 1)->text(), QStringLiteral("1:36000"));
    QCOMPARE(window.layerTable->item(0, 0)->text(), QString::fromUtf8("层1"));
    QVERIFY(window.layerTable->item(1, 0)->isSelected());
    QCOMPARE(window.canvas->layer, coarse);
}

void TestLayerTable::equalScalesKeepTableAndProjectInStep()
{
    LayerWindow w;
    Mapvane2 &window = w.window;
    for (int i = 0; i < 4; ++i)
        w.add(40, 100);
    QVector<MapLayer *> order = window.project.layers;
    for (int i = 0; i < 4; ++i) {
        calibrate(window, i, 46.0, 45.0);
        window.project.updateScale(i);
    }
    for (int row : {3, 0, 2, 1})
        window.selectLayerRow(row);
    // Equal scales: nothing moves, and row i still names layer i.
    QCOMPARE(window.project.layers, order);
    for (int row = 0; row < 4; ++row)
        QCOMPARE(window.layerTable->item(row, 0)->text(), QString::fromUtf8("层") + QString::number(row));
}

void TestLayerTable::deleteSelectsPreviousRow_data()
{
    QTest::addColumn<int>("deleted");
    QTest::addColumn<int>("selected");
    QTest::newRow("delete row 0 of two") << 0 << 0;
    QTest::newRow("delete row 1 of two") << 1 << 0;
}

void TestLayerTable::deleteSelectsPreviousRow()
{
    QFETCH(int, deleted);
    LayerWindow w;
    Mapvane2 &window = w.window;
    w.add(40, 30);
    w.add(50, 30);
    MapLayer *kept = window.project.layers[1 - deleted];
    window.selectLayerRow(deleted);
    window.actionDelete->trigger();
    QCOMPARE(window.layerTable->rowCount(), 1);
    QTEST(window.currentLayer, "selected");
    QCOMPARE(window.canvas->layer, kept);
    QCOMPARE(window.canvas->image.width(), kept->image.width());
}

void TestLayerTable::deleteOnlyLayerClearsCanvas()
{
    LayerWindow w;
    Mapvane2 &window = w.window;
    w.add(40, 30);
    window.actionDelete->trigger();
    QCOMPARE(window.layerTable->rowCount(), 0);
    QVERIFY(window.canvas->layer == nullptr);
    QVERIFY(window.canvas->image.isNull());
    QVERIFY(!window.pointsForm->frmMain->isEnabled());
    QVERIFY(!window.actionDelete->isEnabled());
}

void TestLayerTable::rowWithPointsOnOneRowIsShown()
{
    LayerWindow w;
    Mapvane2 &window = w.window;
    w.add(40, 30);
    calibrate(window, 0, 46.0, 45.0);
    window.project.setBottomRightY(0, 0);  // both points on pixel row 0: infinite scale
    QCOMPARE(window.updateLayerRow(0), 0);
    QCOMPARE(window.layerTable->item(0, 1)->text(), QStringLiteral("1:---"));
}

void TestLayerTable::placingOnlyWhileChecked()
{
    LayerWindow w;
    Mapvane2 &window = w.window;
    w.add(400, 300);
    CPaintArea *canvas = window.canvas;
    canvas->resize(200, 200);
    // No placing action checked: a click only anchors a drag.
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(20, 30));
    QCOMPARE(window.project.layers[0]->topLeft.pixelX, 0);
    QCOMPARE(window.project.layers[0]->topLeft.pixelY, 0);

    window.actionAddPoint1->trigger();
    QTest::mouseClick(canvas, Qt::RightButton, {}, QPoint(20, 30));  // any button places
    QCOMPARE(window.project.layers[0]->topLeft.pixelX, 20);
    QCOMPARE(window.project.layers[0]->topLeft.pixelY, 30);
    QVERIFY(!window.actionAddPoint1->isChecked());
    QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);

    window.actionAddPoint2->trigger();
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(150, 120));
    QCOMPARE(window.project.layers[0]->bottomRight.pixelX, 150);
    QCOMPARE(window.project.layers[0]->bottomRight.pixelY, 120);
    QVERIFY(!window.actionAddPoint2->isChecked());
    QVERIFY(window.project.changeFlags & MapProject::kCalibrationChanged);
}

void TestLayerTable::placedPointUsesScroll()
{
    LayerWindow w;
    Mapvane2 &window = w.window;
    w.add(400, 300);
    window.canvas->scrollX = 100;
    window.canvas->scrollY = 50;
    window.actionAddPoint1->trigger();
    QTest::mouseClick(window.canvas, Qt::LeftButton, {}, QPoint(10, 20));
    QCOMPARE(window.project.layers[0]->topLeft.pixelX, 110);
    QCOMPARE(window.project.layers[0]->topLeft.pixelY, 70);
}

void TestLayerTable::readOut()
{
    WindowFixture fixture;
    Mapvane2 window;
    MapLayer layer;
    layer.topLeft = CalibrationPoint{0, 0, 0, 0};
    layer.scale = 1000.0;
    layer.lonScale = 1000.0;
    window.canvas->setLayer(&layer);
    window.canvas->resize(4000, 4000);
    // 3600 pixels at 1000 ms per pixel: one degree east and one degree south.
    hover(window.canvas, QPoint(3600, 3600));
    QCOMPARE(window.statusLabels[2]->text(), QString::fromUtf8("E   1.00000000°"));
    QCOMPARE(window.statusLabels[3]->text(), QString::fromUtf8("S   1.00000000°"));

    window.notationSelector->setCurrentIndex(1);
    hover(window.canvas, QPoint(3600, 3600));
    QCOMPARE(window.statusLabels[3]->text(), QString::fromUtf8("S   1°00.00000'"));
    window.canvas->setLayer(nullptr);
}

void TestLayerTable::readOutWithoutLayer()
{
    WindowFixture fixture;
    Mapvane2 window;
    window.canvas->resize(300, 300);
    window.statusLabels[2]->setText(QStringLiteral("old"));
    hover(window.canvas, QPoint(12, 34));
    QCOMPARE(window.statusLabels[0]->text(), QStringLiteral("12"));
    QCOMPARE(window.statusLabels[1]->text(), QStringLiteral("34"));
    QVERIFY(window.statusLabels[2]->text().isEmpty());
    QVERIFY(window.statusLabels[3]->text().isEmpty());
}

void TestLayerTable::dragLimits()
{
    LayerWindow w;
    Mapvane2 &window = w.window;
    w.add(400, 300);
    CPaintArea *canvas = window.canvas;
    canvas->resize(200, 200);
    // Dragging left and up has no limit.
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(100, 100));
    QMouseEvent move(QEvent::MouseMove, QPointF(40, 70), canvas->mapToGlobal(QPointF(40, 70)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
    QCOMPARE(canvas->scrollX, 60);
    QCOMPARE(canvas->scrollY, 30);
    // Dragging right and down stops at offset 0.
    QMouseEvent back(QEvent::MouseMove, QPointF(190, 190), canvas->mapToGlobal(QPointF(190, 190)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &back);
    QCOMPARE(canvas->scrollX, 0);
    QCOMPARE(canvas->scrollY, 0);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(190, 190));
}

void TestLayerTable::ensurePointVisible_data()
{
    QTest::addColumn<int>("point");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QPoint>("scrollBefore");
    QTest::addColumn<QPoint>("scrollAfter");
    // Canvas 200 x 100.
    QTest::newRow("top-left right of view") << 1 << QPoint(500, 50) << QPoint(0, 0) << QPoint(400, 0);
    QTest::newRow("top-left above view") << 1 << QPoint(0, 120) << QPoint(0, 300) << QPoint(0, 70);
    QTest::newRow("top-left above, clamped at 0") << 1 << QPoint(0, 20) << QPoint(0, 300) << QPoint(0, 0);
    QTest::newRow("bottom-right below view") << 2 << QPoint(100, 400) << QPoint(0, 0) << QPoint(0, 350);
    QTest::newRow("bottom-right left of view: no scroll") << 2 << QPoint(10, 10) << QPoint(300, 300)
                                                           << QPoint(300, 300);
    QTest::newRow("bottom-right may go negative") << 2 << QPoint(150, 10) << QPoint(-100, 0) << QPoint(50, 0);
    QTest::newRow("other number") << 3 << QPoint(5000, 5000) << QPoint(7, 8) << QPoint(7, 8);
}

void TestLayerTable::ensurePointVisible()
{
    QFETCH(int, point);
    QFETCH(QPoint, pixel);
    QFETCH(QPoint, scrollBefore);
    QFETCH(QPoint, scrollAfter);
    CPaintArea canvas;
    canvas.resize(200, 100);
    MapLayer layer;
    layer.topLeft.pixelX = layer.bottomRight.pixelX = pixel.x();
    layer.topLeft.pixelY = layer.bottomRight.pixelY = pixel.y();
    canvas.setLayer(&layer);
    canvas.scrollX = scrollBefore.x();
    canvas.scrollY = scrollBefore.y();
    canvas.ensurePointVisible(point);
    QCOMPARE(QPoint(canvas.scrollX, canvas.scrollY), scrollAfter);
}

void TestLayerTable::addUnsupportedFile()
{
    LayerWindow w;
    Mapvane2 &window = w.window;
    const QString file = w.fixture.path(QStringLiteral("notes.png"));
    QFile text(file);
    QVERIFY(text.open(QIODevice::WriteOnly) && text.write("not an image") > 0);
    text.close();
    window.dialogs.openFile = [file](QWidget *, const QString &, const QString &, const QString &,
                                     const QString &) { return file; };
    ModalAnswer answer;
    window.actionAdd->trigger();
    QCOMPARE(answer.texts, QStringList({QString::fromUtf8("不支持的图片格式")}));
    QCOMPARE(window.layerTable->rowCount(), 0);
    QVERIFY(window.project.layers.isEmpty());
}

void TestLayerTable::copyTooSmallFails()
{
    LayerWindow w;
    Mapvane2 &window = w.window;
    w.add(10, 10);
    window.dialogs.integer = [](QWidget *, const QString &, const QString &, int, int, int, int, bool *ok) {
        *ok = true;
        return 5;
    };
    ModalAnswer answer;
    window.actionCopy->trigger();
    QCOMPARE(answer.texts, QStringList({QString::fromUtf8("加载失败")}));
    QCOMPARE(window.layerTable->rowCount(), 1);
}

void TestLayerTable::copyTriples()
{
    LayerWindow w;
    Mapvane2 &window = w.window;
    w.add(100, 80);
    QStringList asked;
    QList<int> range;
    window.dialogs.integer = [&asked, &range](QWidget *, const QString &title, const QString &label, int value,
                                              int min, int max, int step, bool *ok) {
        asked << title << label;
        range << value << min << max << step;
        *ok = true;
        return 300;
    };
    window.actionCopy->trigger();
    QCOMPARE(asked, QStringList({QString::fromUtf8("提示"), QString::fromUtf8("请输入缩放比例")}));
    QCOMPARE(range, QList<int>({100, 5, 300, 5}));
    QCOMPARE(window.layerTable->rowCount(), 2);
    QCOMPARE(window.currentLayer, 1);
    QCOMPARE(window.project.layers[1]->image.size(), QSize(300, 240));

    // Cancelling the prompt adds nothing.
    window.dialogs.integer = [](QWidget *, const QString &, const QString &, int, int, int, int, bool *ok) {
        *ok = false;
        return 100;
    };
    window.actionCopy->trigger();
    QCOMPARE(window.layerTable->rowCount(), 2);
}

void TestLayerTable::autoAddsFourFromTheSameSource()
{
    LayerWindow w;
    Mapvane2 &window = w.window;
    w.add(100, 100);
    calibrate(window, 0, 46.0, 45.0);
    window.selectLayerRow(0);
    window.atAuto->trigger();
    QCOMPARE(window.layerTable->rowCount(), 5);
    // Copies of one 100 x 100 source: 60, 80, 120 and 140 pixels, sorted by scale.
    QList<int> widths;
    for (MapLayer *layer : window.project.layers)
        widths << window.project.layerImage(int(window.project.layers.indexOf(layer)))->width();
    QCOMPARE(widths, QList<int>({140, 120, 100, 80, 60}));
    // The last copy (factor 1.4) is current.
    QCOMPARE(window.project.layers[window.currentLayer]->image.width(), 140);
}

QTEST_MAIN(TestLayerTable)
#include "tst_layer_table.moc"
