#include <QtTest>

#include <QPainter>

#include "common/project_fixtures.h"
#include "common/smf_builder.h"
#include "view/canvas_view.h"
#include "view/reduced_copies.h"
#include "view/browse_view.h"
#include "smf/smf_reader.h"

// The zoom arithmetic of the canvas, the reduced copies it draws from zoomed out, and a
// browsed file drawn zoomed out. Expected pixels are worked out by hand beside each row.
class TestCanvasView : public QObject
{
    Q_OBJECT
private slots:
    void pixelUnderCursor_data();
    void pixelUnderCursor();
    void scrollKeepsImageInView_data();
    void scrollKeepsImageInView();
    void fitToView_data();
    void fitToView();
    void zoomLadderAndReduction();
    void browseZoomedOut();
};

// A 10000 x 10000 image in an 800 x 600 view; every scroll here is in range.
void TestCanvasView::pixelUnderCursor_data()
{
    QTest::addColumn<double>("zoom");
    QTest::addColumn<QPoint>("scroll");
    QTest::addColumn<QPoint>("cursor");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<double>("zoomTo");
    QTest::newRow("1:1: scroll + cursor") << 1.0 << QPoint(100, 50) << QPoint(10, 20) << QPoint(110, 70) << 3.0;
    QTest::newRow("2:1: (5.5 / 2, 4.5 / 2)") << 2.0 << QPoint(0, 0) << QPoint(5, 4) << QPoint(2, 2) << 0.375;
    QTest::newRow("16:1: (1615.5 / 16, 336.5 / 16)") << 16.0 << QPoint(1600, 320) << QPoint(15, 16) << QPoint(100, 21)
                                                    << 1.5;
    QTest::newRow("1:4 in the margin: (-32 + 100.5) x 4") << 0.25 << QPoint(-32, 100) << QPoint(100, 40)
                                                            << QPoint(274, 562) << 16.0;
    QTest::newRow("1.5:1: (30.5 / 1.5, 2.5 / 1.5)") << 1.5 << QPoint(30, 0) << QPoint(0, 2) << QPoint(20, 1) << 1.0;
}

// The pixel under the cursor; zooming about the cursor keeps it there, exactly from 1:1
// up, and within the image pixels one widget pixel spans below.
void TestCanvasView::pixelUnderCursor()
{
    QFETCH(QPoint, cursor);
    QFETCH(double, zoomTo);
    CanvasView view{QSize(10000, 10000), QSize(800, 600), 1.0, QPoint()};
    QFETCH(double, zoom);
    view.zoom = zoom;
    QFETCH(QPoint, scroll);
    view.scroll = scroll;
    QTEST(view.pixelAt(cursor), "pixel");
    const QPoint before = view.pixelAt(cursor);
    view.zoomAbout(zoomTo, cursor);
    const QPoint moved = view.pixelAt(cursor) - before;
    const int allowed = zoomTo >= 1 ? 0 : int(1 / zoomTo);
    QVERIFY2(qAbs(moved.x()) <= allowed && qAbs(moved.y()) <= allowed, qPrintable(QStringLiteral("%1,%2").arg(moved.x()).arg(moved.y())));
    // The marker of the pixel is drawn where the pixel is.
    if (zoomTo >= 1)
        QCOMPARE(view.pixelAt(view.widgetPixelOf(before)), before);
}

void TestCanvasView::scrollKeepsImageInView_data()
{
    QTest::addColumn<QSize>("image");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<QPoint>("scroll");
    QTest::addColumn<QPoint>("clamped");
    // View 800 x 600, margin 32.
    QTest::newRow("past the end: 10000 + 32 - 800; above the top: -32")
        << QSize(10000, 10000) << 1.0 << QPoint(99999, -500) << QPoint(9232, -32);
    QTest::newRow("small image centred: (100 - 800) / 2, (50 - 600) / 2")
        << QSize(100, 50) << 1.0 << QPoint(5, 5) << QPoint(-350, -275);
    QTest::newRow("16:1: 16000 + 32 - 800, 16000 + 32 - 600")
        << QSize(1000, 1000) << 16.0 << QPoint(20000, 20000) << QPoint(15232, 15432);
    QTest::newRow("1:8, one axis centred: -32, (250 - 600) / 2")
        << QSize(10000, 2000) << 0.125 << QPoint(-100, 0) << QPoint(-32, -175);
}

// Scrolling stops with the image and its margin in view, so that pixel (0, 0) and its
// marker (10 pixels round) can be seen whole at the top-left end.
void TestCanvasView::scrollKeepsImageInView()
{
    QFETCH(QSize, image);
    QFETCH(double, zoom);
    CanvasView view{image, QSize(800, 600), zoom, QPoint()};
    QFETCH(QPoint, scroll);
    view.scroll = scroll;
    view.clampScroll();
    QTEST(view.scroll, "clamped");
    view.scroll = view.scrollRange().topLeft();
    const QPoint origin = view.widgetPixelOf(QPoint(0, 0));
    QVERIFY(origin.x() >= 10 && origin.y() >= 10);
}

void TestCanvasView::fitToView_data()
{
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QSize>("viewSize");
    QTest::addColumn<double>("zoom");
    QTest::newRow("10000 square: 936 / 10000") << QSize(10000, 10000) << QSize(1600, 1000) << 0.0936;
    QTest::newRow("40000 wide: 1536 / 40000") << QSize(40000, 1000) << QSize(1600, 1000) << 0.0384;
    QTest::newRow("below 1/64 in a small window: 236 / 30000") << QSize(40000, 30000) << QSize(400, 300) << 236 / 30000.0;
    QTest::newRow("small image enlarged: 936 / 200") << QSize(300, 200) << QSize(1600, 1000) << 4.68;
}

// The whole image fits the view.
void TestCanvasView::fitToView()
{
    QFETCH(QSize, image);
    QFETCH(QSize, viewSize);
    CanvasView view{image, viewSize, 1.0, QPoint(50, 50)};
    view.fitToView();
    QFETCH(double, zoom);
    QVERIFY2(qFuzzyCompare(view.zoom, zoom), qPrintable(QString::number(view.zoom)));
    const QRect shown = view.widgetRectOf(0, 0, image.width(), image.height());
    QVERIFY(QRect(QPoint(0, 0), viewSize).contains(shown));
}

void TestCanvasView::zoomLadderAndReduction()
{
    QCOMPARE(zoomStep(1.0, 1), 1.5);
    QCOMPARE(zoomStep(1.0, -2), 0.5);
    QCOMPARE(zoomStep(0.0936, 1), 0.125);  // 3/32 is less than a tenth away
    // The nearest finer power-of-two copy.
    const QList<QPair<double, int>> reductions = {{2.0, 0}, {0.75, 0}, {0.5, 1}, {0.0936, 3}, {1.0 / 64, 6}};
    for (const auto &[zoom, reduction] : reductions)
        QCOMPARE((CanvasView{QSize(), QSize(), zoom, QPoint()}.reduction()), reduction);
    // Copies average whole blocks and what the edge leaves of one.
    QImage image(3, 3, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 0));
    image.setPixel(0, 0, qRgb(200, 40, 4));
    image.setPixel(2, 2, qRgb(10, 10, 10));
    const QImage half = ReducedCopies().copy(image, 1);
    QVERIFY(half.size() == QSize(2, 2) && half.pixel(0, 0) == qRgb(50, 10, 1) && half.pixel(1, 1) == qRgb(10, 10, 10));
    QCOMPARE(ReducedCopies().copy(image, 2).pixel(0, 0), qRgb(23, 6, 2));  // 210 / 9, 50 / 9, 14 / 9, rounded
}

// A browsed level drawn at 1:4 takes shrunk tiles, not the layer's full ones, each in
// its place; a paint out of time leaves the tiles after its first batch to the next.
void TestCanvasView::browseZoomedOut()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zoomed.smf"));
    QVERIFY(fixtures::writeBytes(path, buildSmfFile(300, 500, {gridRecord(10, 10)}, positionColour)));
    MapProject project(4096);
    project.browseMode = true;
    QCOMPARE(openSmf(project, path), SmfStatus::Ok);
    MapLayer *layer = project.layers.first();
    BrowseView browse;
    QVERIFY(prepareBrowseLayer(browse, *layer));
    QCOMPARE(browseLevelSize(browse, *layer, project.smfImages.first()), QSize(3000, 5000));
    const CanvasView view{QSize(3000, 5000), QSize(800, 600), 0.25, QPoint(-32, 200)};
    QImage canvas(view.viewSize, QImage::Format_RGB32);
    QPainter painter(&canvas);
    browse.decodeMilliseconds = 0;
    const CanvasView whole{QSize(3000, 5000), QSize(800, 600), 0.125, QPoint(0, 0)};  // all 100 tiles
    QVERIFY(!paintBrowseView(painter, browse, layer, project.smfImages.first(), whole));
    QCOMPARE(browse.reducedTiles->size(), 64);
    QVERIFY(paintBrowseView(painter, browse, layer, project.smfImages.first(), whole));
    QCOMPARE(browse.reducedTiles->size(), 100);
    browse.reducedTiles->clear();
    QVERIFY(paintBrowseView(painter, browse, layer, project.smfImages.first(), view));
    painter.end();
    // Columns 0 .. 9 from x = -128; rows 1 .. 6 from y = 800, 600 / 125 + 2 of them.
    QVERIFY(layer->tileCache.isEmpty() && browse.reducedTiles->size() == 10 * 6);
    for (const QPoint tile : {QPoint(0, 2), QPoint(9, 5), QPoint(4, 3)}) {
        const QPoint centre = view.widgetRectOf(tile.x() * 300, tile.y() * 500, tile.x() * 300 + 300, tile.y() * 500 + 500).center();
        QCOMPARE(canvas.pixel(centre), positionColour(0, tile.x(), tile.y()));
    }
}

QTEST_MAIN(TestCanvasView)
#include "tst_canvas_view.moc"
