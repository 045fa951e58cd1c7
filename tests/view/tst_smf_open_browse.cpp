#include <QtTest>

#include <QPainter>

#include "smf/smf_reader.h"
#include "smf/smf_writer.h"
#include "common/project_fixtures.h"
#include "common/smf_builder.h"
#include "view/browse_view.h"

// Reading SMF files: projects opened for editing and for browsing, and a browse view
// drawn tile by tile with its tile cache. The damaged files every reader refuses are
// rows of the command-line malformed-file test.
class TestSmfOpenBrowse : public QObject
{
    Q_OBJECT
private slots:
    void openReadsLayers();
    void levelLimit();
    void editingLimit_data();
    void editingLimit();
    void largestEditableImageReopens();
    void browse_data();
    void browse();
    void browseCacheRecyclesLeastRecentlyUsed();

private:
    QString write(const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("map%1.smf").arg(++m_files));
        return fixtures::writeBytes(path, bytes) ? path : QString();
    }
    // Opens path for browsing into m_browsing and paints canvas scrolled to (x, y).
    bool openBrowsing(const QString &path)
    {
        m_browsing.clear();
        m_browsing.browseMode = true;
        m_view = BrowseView();
        return openSmf(m_browsing, path) == SmfStatus::Ok && prepareBrowseLayer(m_view, *m_browsing.layers.first());
    }
    void paint(QImage &canvas, int x, int y)
    {
        QPainter painter(&canvas);
        paintBrowseView(painter, canvas.size(), m_view, m_browsing.layers.first(), m_browsing.smfImages.first(), x, y);
    }
    QTemporaryDir m_dir;
    int m_files = 0;
    MapProject m_browsing{4096};
    BrowseView m_view;
};

void TestSmfOpenBrowse::openReadsLayers()
{
    // Level 0 as a converted tile folder stores it, without calibration points: its
    // corners count. Level 1 with its points.
    SmfLevelRecord corners = gridRecord(3, 2);
    corners.bottomRightX = 0;
    SmfLevelRecord points = gridRecord(3, 2);
    points.topLeftX = 10;
    points.topLeftY = 20;
    points.bottomRightX = 810;
    points.bottomRightY = 920;
    const QByteArray bytes = buildSmfFile(30, 20, {corners, points}, positionColour);
    const auto pointsOf = [](const MapLayer *l) {  // pixels and degrees of the two points
        return QVector<qint32>{l->topLeft.pixelX, l->topLeft.pixelY, l->bottomRight.pixelX, l->bottomRight.pixelY,
                               l->topLeft.lon, l->topLeft.lat, l->bottomRight.lon, l->bottomRight.lat};
    };
    const QString path = write(bytes);
    MapProject project(4096);
    QCOMPARE(openSmf(project, path), SmfStatus::Ok);
    QVERIFY(project.tileWidth == 30 && project.mapName == QStringLiteral("Built") && project.changeFlags == 0);
    QCOMPARE(project.smfImages.at(0), bytes);  // an editing project keeps the whole file
    QCOMPARE(pointsOf(project.layers[0]), (QVector<qint32>{0, 0, 90, 40, 36000000, 165600000, 39600000, 162000000}));
    const MapLayer *layer = project.layers[1];
    QVERIFY(layer->fromSmf && !layer->loaded && layer->sourcePath == path);
    QVERIFY(layer->smfLevel == 1 && layer->smfSource == 0);
    QCOMPARE(pointsOf(layer), (QVector<qint32>{10, 20, 810, 920, 36000000, 165600000, 39600000, 162000000}));
    QCOMPARE(layer->scale, 4000.0);  // 1 degree of latitude (3,600,000 mas) over 900 pixels
    // The level image is assembled from the tiles in their places.
    const QImage *image = project.layerImage(1);
    QCOMPARE(image->size(), QSize(90, 40));
    for (int tile = 0; tile < 6; ++tile) {
        const int column = tile % 3, row = tile / 3;
        QCOMPARE(image->pixel(column * 30 + 15, row * 20 + 10) & 0xF8F8F8, positionColour(1, column, row) & 0xF8F8F8);
    }
    // A browse project keeps the header, records and index only.
    QVERIFY(openBrowsing(path));
    QCOMPARE(m_browsing.smfImages.at(0), bytes.left(148 + 2 * 288 + 12 * 8));
}

void TestSmfOpenBrowse::levelLimit()
{
    // A layer names its level in 8 bits: 255 levels open, 256 are refused.
    const auto white = [](int, int, int) { return qRgb(255, 255, 255); };
    MapProject project(4096);
    QCOMPARE(openSmf(project, write(buildSmfFile(8, 8, QVector<SmfLevelRecord>(255, gridRecord(1, 1)), white))), SmfStatus::Ok);
    QCOMPARE(project.layers.size(), 255);
    QVERIFY(!openBrowsing(write(buildSmfFile(8, 8, QVector<SmfLevelRecord>(256, gridRecord(1, 1)), white))));
    QVERIFY2(m_browsing.errorString().contains(QStringLiteral("at most 255")) && m_browsing.layers.isEmpty(),
             qPrintable(m_browsing.errorString()));
}

void TestSmfOpenBrowse::editingLimit_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("tileWidth");
    QTest::addColumn<int>("tileHeight");
    QTest::addColumn<bool>("editable");
    // The padding of the last tiles does not count: 10,200 x 10,000 tile pixels.
    QTest::newRow("10,000 x 10,000 image, 34 x 20 tiles") << 34 << 20 << 300 << 500 << true;
    QTest::newRow("35 x 21 tiles: at least 10,201 x 10,001") << 35 << 21 << 300 << 500 << false;
    QTest::newRow("10,000 x 10,000 one-pixel tiles") << 10000 << 10000 << 1 << 1 << true;
    QTest::newRow("10,000 x 10,001 one-pixel tiles") << 10000 << 10001 << 1 << 1 << false;
    QTest::newRow("no tiles") << 0 << 7 << 300 << 500 << true;
    // An image one pixel wide in tiles 100,000 wide: 500,000,000 pixels of padding.
    QTest::newRow("a grid past four times the limit") << 1 << 5000 << 100000 << 1 << false;
}

// A level opens for editing when the image it was cut from could have had at most
// 100,000,000 pixels.
void TestSmfOpenBrowse::editingLimit()
{
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(int, tileWidth);
    QFETCH(int, tileHeight);
    QTEST(isEditableLevel(columns, rows, tileWidth, tileHeight), "editable");
}

// A 10,000 x 10,000 image saved as a level opens again for editing.
void TestSmfOpenBrowse::largestEditableImageReopens()
{
    const QString image = m_dir.filePath(QStringLiteral("scan.png"));
    QImage scan(10000, 10000, QImage::Format_Mono);
    scan.fill(1);
    QVERIFY(scan.save(image));
    MapProject saved;
    LayerImportOptions options;
    options.calibrationText = QStringLiteral("10,46,11,45");
    LayerImport import = importLayer(image, options);
    QVERIFY(saved.addImportedLayer(import, LayerLoading::HeaderOnly));
    saved.updateScale(0);
    saved.setProperties(QStringLiteral("Tester"), QStringLiteral("Scan"), Qt::white, 300, 500);
    saved.filePath = m_dir.filePath(QStringLiteral("scan.smf"));
    QCOMPARE(saveSmf(saved), SmfStatus::Ok);
    MapProject editing(4096);
    QCOMPARE(openSmf(editing, saved.filePath), SmfStatus::Ok);
    QCOMPARE(editing.layers.size(), 1);
}

void TestSmfOpenBrowse::browse_data()
{
    QTest::addColumn<QSize>("canvas");
    QTest::addColumn<QPoint>("scroll");
    QTest::addColumn<int>("tilesRead");
    QTest::addColumn<QPoint>("probe");
    QTest::addColumn<QRgb>("colour");
    QTest::addColumn<int>("headerTileWidth");
    // A 10 x 10 grid of 300 x 500 tiles; tile (c, r) is drawn at (c x 300 - x, r x 500 - y).
    // 1000 / 300 + 2 = 5 columns, 400 / 500 + 2 = 2 rows.
    QTest::newRow("scrolled by 450: column 1 from x = -150")
        << QSize(1000, 400) << QPoint(450, 0) << 10 << QPoint(149, 100) << positionColour(0, 1, 0) << 300;
    QTest::newRow("grid end: only the tiles there are") << QSize(1000, 400) << QPoint(2400, 4500) << 2
                                                         << QPoint(5, 5) << positionColour(0, 8, 9) << 300;
    QTest::newRow("negative scroll: white before the level") << QSize(600, 600) << QPoint(-100, -50) << 6
                                                             << QPoint(99, 200) << qRgb(255, 255, 255) << 300;
    // A header changed since the file was opened: tiles of 100001 pixels are not drawn.
    QTest::newRow("bad tile size") << QSize(50, 50) << QPoint(0, 0) << 0 << QPoint(10, 10) << qRgb(0, 0, 0) << 100001;
}

void TestSmfOpenBrowse::browse()
{
    QFETCH(QSize, canvas);
    QFETCH(QPoint, scroll);
    QFETCH(int, headerTileWidth);
    QVERIFY(openBrowsing(write(buildSmfFile(300, 500, {gridRecord(10, 10)}, positionColour))));
    m_view.browseHeader.tileWidth = headerTileWidth;
    QImage image(canvas, QImage::Format_RGB32);
    image.fill(Qt::black);
    paint(image, scroll.x(), scroll.y());
    const MapLayer *layer = m_browsing.layers.first();
    QTEST(int(layer->tileCache.size()), "tilesRead");
    QFETCH(QPoint, probe);
    QTEST(image.pixel(probe), "colour");
    for (const TileCacheEntry &entry : layer->tileCache) {
        const QPoint centre(entry.column * 300 - scroll.x() + 150, entry.row * 500 - scroll.y() + 100);
        if (image.rect().contains(centre))
            QCOMPARE(image.pixel(centre), positionColour(0, entry.column, entry.row));
    }
}

void TestSmfOpenBrowse::browseCacheRecyclesLeastRecentlyUsed()
{
    // 11 x 10 tiles of 10 x 10 pixels; a 1 x 1 canvas draws the 2 x 2 tiles from its scroll
    // position. 100 distinct tiles fill the cache but one.
    QVERIFY(openBrowsing(write(buildSmfFile(10, 10, {gridRecord(11, 10)}, positionColour))));
    QImage canvas(1, 1, QImage::Format_RGB32);
    for (int block = 0; block < 25; ++block)
        paint(canvas, block % 5 * 20, block / 5 * 20);
    paint(canvas, 0, 0);  // cached tiles are only restamped
    // Tile (10, 0) fills the cache to its 101 entries; (10, 1) takes the place of the least
    // recently used, (2, 0), not of the freshly used (0, 0).
    paint(canvas, 100, 0);
    QStringList cached;
    for (const TileCacheEntry &entry : std::as_const(m_browsing.layers.first()->tileCache))
        cached.append(QStringLiteral("%1,%2").arg(entry.column).arg(entry.row));
    QCOMPARE(cached.size(), 101);
    QVERIFY(cached.contains(QStringLiteral("10,1")) && cached.contains(QStringLiteral("0,0"))
            && cached.contains(QStringLiteral("3,0")) && !cached.contains(QStringLiteral("2,0")));
}

QTEST_MAIN(TestSmfOpenBrowse)
#include "tst_smf_open_browse.moc"
