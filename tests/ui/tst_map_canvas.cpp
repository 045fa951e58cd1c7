#include <QUndoStack>

#include "common/window_fixture.h"

// The canvas away from 1:1: placing and dragging a point, its marker and the read-out,
// the wheel, the zoom commands and Esc. The zoom arithmetic itself is tst_canvas_view's.
class TestMapCanvas : public QObject
{
    Q_OBJECT
private slots:
    void placeAndDragAtZoom();
    void zoomCommands();
};

static void moveMouse(QWidget *canvas, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent move(QEvent::MouseMove, at, canvas->mapToGlobal(at), Qt::NoButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
}

// At 4:1 scrolled to (400, 200), widget pixel (41, 22) shows image pixel
// ((400 + 41.5) / 4, (200 + 22.5) / 4) = (110, 55).
void TestMapCanvas::placeAndDragAtZoom()
{
    ProjectWindow w;
    w.fixture.addLayer(w.window, 400, 300);
    MapCanvas *canvas = canvasOf(w.window);
    const MapLayer *layer = w.window.project().layers[0];
    canvas->setView(4, QPoint(400, 200));
    action(w.window, "actionPlaceTopLeftPoint")->trigger();
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(41, 22));
    QCOMPARE(QPoint(layer->topLeft.pixelX, layer->topLeft.pixelY), QPoint(110, 55));
    // The marker's cross is on the pixel's centre, (110.5 x 4 - 400, 55.5 x 4 - 200).
    QCOMPARE(canvas->grab().toImage().pixel(42, 22 + 5), qRgb(255, 0, 0));
    moveMouse(canvas, QPoint(42, 22), Qt::NoButton);
    QCOMPARE(statusText(w.window, 0) + ',' + statusText(w.window, 1), "110,55");

    // Dragged by (9, 5) to ((400 + 51.5) / 4, (200 + 27.5) / 4).
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(42, 22));
    moveMouse(canvas, QPoint(51, 27), Qt::LeftButton);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(51, 27));
    QCOMPARE(QPoint(layer->topLeft.pixelX, layer->topLeft.pixelY), QPoint(112, 56));
    QCOMPARE(formOf(w.window)->edX1->text(), QStringLiteral("112"));

    // A click on the marker that does not move it leaves the point, zoomed out too.
    canvas->setView(0.25, QPoint(0, 0));
    const int edits = w.window.undoStack()->count();
    QTest::mouseClick(canvas, Qt::LeftButton, {}, canvas->view().widgetPixelOf(QPoint(112, 56)));
    QCOMPARE(QPoint(layer->topLeft.pixelX, layer->topLeft.pixelY), QPoint(112, 56));
    QCOMPARE(w.window.undoStack()->count(), edits);
}

// The zoom commands are there only with something to show; a wheel notch zooms a rung
// about the mouse, keeping the pixel under it; Esc ends placing a point.
void TestMapCanvas::zoomCommands()
{
    ProjectWindow w;
    QVERIFY(!action(w.window, "actionZoomIn")->isEnabled());
    w.fixture.addLayer(w.window, 2000, 1500);
    QVERIFY(action(w.window, "actionZoomIn")->isEnabled());
    MapCanvas *canvas = canvasOf(w.window);
    action(w.window, "actionZoomToFit")->trigger();
    QCOMPARE(canvas->view().zoom, canvas->view().fitZoom());
    action(w.window, "actionZoomActualSize")->trigger();
    QCOMPARE(canvas->view().zoom, 1.0);
    const QPoint at(30, 40);
    const QPoint pixel = canvas->view().pixelAt(at);
    QWheelEvent wheel(at, canvas->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &wheel);
    QCOMPARE(canvas->view().zoom, 1.5);
    QCOMPARE(canvas->view().pixelAt(at), pixel);

    action(w.window, "actionPlaceBottomRightPoint")->trigger();
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    QTest::keyClick(&w.window, Qt::Key_Escape);
    QVERIFY(!action(w.window, "actionPlaceBottomRightPoint")->isChecked());
    action(w.window, "actionDeleteLayer")->trigger();
    QVERIFY(!action(w.window, "actionZoomToFit")->isEnabled());
}

QTEST_MAIN(TestMapCanvas)
#include "tst_map_canvas.moc"
