#include <QtTest>

#include <QPainter>

#include "common/smf_builder.h"
#include "project/map_project.h"
#include "smf/browse_view.h"

// A browse project over one SMF file and the drawing state of its canvas.
struct BrowseFixture
{
    MapProject project{4096};
    BrowseView view;
    MapLayer *layer = nullptr;

    // Opens path for browsing and prepares the first layer; false on failure.
    bool open(const QString &path)
    {
        project.browseMode = true;
        if (project.openSmf(path) != 0 || project.layers.isEmpty())
            return false;
        layer = project.layers[0];
        return prepareBrowseLayer(view, *layer);
    }

    // Paints into canvas (left as it is where nothing is drawn) scrolled to (x, y).
    void paint(QImage &canvas, int x, int y)
    {
        QPainter painter(&canvas);
        paintBrowseView(painter, canvas.size(), view, layer, project.smfImages[0], x, y);
    }

    // A black canvas of size, painted scrolled to (x, y).
    QImage paint(QSize size, int x, int y)
    {
        QImage canvas(size, QImage::Format_RGB32);
        canvas.fill(Qt::black);
        paint(canvas, x, y);
        return canvas;
    }
};

// Reading SMF files into projects, for editing and for browsing, and drawing a
// browse view tile by tile with the per-layer tile cache.
class TestSmfOpenBrowse : public QObject
{
    Q_OBJECT
private slots:
    void editLimit_data();
    void editLimit();
    void browseHasNoEditLimit();
    void openReadsLayers();
    void cornerCalibrationWithoutPoints();
    void damagedFilesLeaveProjectUntouched_data();
    void damagedFilesLeaveProjectUntouched();
    void moreThan255Levels();
    void editingKeepsWholeFileBrowsingOnlyIndex();
    void levelImageIsAssembled();
    void browseColumnsAndPositions_data();
    void browseColumnsAndPositions();
    void browseNegativeScroll();
    void browseCacheRecyclesLeastRecentlyUsed();
    void browseBadPayloadIsWhite();
    void browseBadTileSizeDrawsNothing();

private:
    QString write(const QByteArray &bytes, const QString &name = QStringLiteral("map.smf"));
    QTemporaryDir dir;
};

QString TestSmfOpenBrowse::write(const QByteArray &bytes, const QString &name)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QString();
    file.write(bytes);
    return path;
}

void TestSmfOpenBrowse::editLimit_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("result");
    // 300 x 500 tiles: 34 x 20 is 10,200 x 10,000 pixels, 33 x 20 is 9,900 x 10,000.
    QTest::newRow("34 x 20 tiles refused") << 34 << 20 << -2;
    QTest::newRow("33 x 20 tiles accepted") << 33 << 20 << 0;
}

void TestSmfOpenBrowse::editLimit()
{
    QFETCH(int, columns);
    QFETCH(int, rows);
    const QString path = write(buildSmfFile(300, 500, {gridRecord(2, 1), gridRecord(columns, rows)},
                                            [](int, int, int) { return qRgb(255, 255, 255); }));
    MapProject project(4096);
    project.filePath = QStringLiteral("/old/file.smf");
    QTEST(project.openSmf(path), "result");
    if (project.layers.isEmpty()) {
        // A refused file leaves the project as it was, bound to its old file.
        QCOMPARE(project.filePath, QStringLiteral("/old/file.smf"));
        QVERIFY(project.smfImages.isEmpty());
        QVERIFY(!project.errorString().isEmpty());
    } else {
        QCOMPARE(project.layers.size(), 2);
        QCOMPARE(project.filePath, path);
    }
}

void TestSmfOpenBrowse::browseHasNoEditLimit()
{
    const QString path =
        write(buildSmfFile(300, 500, {gridRecord(34, 20)}, [](int, int, int) { return qRgb(0, 0, 0); }));
    MapProject project(4096);
    project.browseMode = true;
    QCOMPARE(project.openSmf(path), 0);
    QCOMPARE(project.layers.size(), 1);
}

void TestSmfOpenBrowse::openReadsLayers()
{
    SmfLevelRecord second = gridRecord(3, 2);
    second.topLeftX = 10;
    second.topLeftY = 20;
    second.bottomRightX = 810;
    second.bottomRightY = 920;
    const QString path = write(buildSmfFile(300, 500, {gridRecord(1, 1), second}, positionColour));
    MapProject project(4096);
    QCOMPARE(project.openSmf(path), 0);
    QCOMPARE(project.tileWidth, 300);
    QCOMPARE(project.tileHeight, 500);
    QCOMPARE(project.cartographer, QStringLiteral("Tester"));
    QCOMPARE(project.mapName, QStringLiteral("Built"));
    QCOMPARE(int(project.changeFlags), 0);
    QCOMPARE(project.layers.size(), 2);
    const MapLayer *layer = project.layers[1];
    QVERIFY(layer->fromSmf);
    QCOMPARE(int(layer->smfLevel), 1);
    QCOMPARE(int(layer->smfSource), 0);
    QVERIFY(!layer->loaded);
    QCOMPARE(layer->sourcePath, path);
    QCOMPARE(layer->topLeft.pixelX, 10);
    QCOMPARE(layer->topLeft.pixelY, 20);
    QCOMPARE(layer->bottomRight.pixelX, 810);
    QCOMPARE(layer->bottomRight.lat, 162000000);
    QVERIFY(layer->topLeftLonSet && layer->topLeftLatSet && layer->bottomRightLonSet && layer->bottomRightLatSet);
    // 1 degree of latitude (3,600,000 ms) over 900 pixels.
    QCOMPARE(layer->scale, 4000.0);
    QVERIFY(layer->isCalibrationValid());
}

void TestSmfOpenBrowse::cornerCalibrationWithoutPoints()
{
    // A converted tile folder stores no calibration points: the level's corners count.
    SmfLevelRecord record;
    record.tileColumns = 3;
    record.tileRows = 2;
    record.left = 100;
    record.top = 900;
    record.right = 400;
    record.bottom = 200;
    record.topLeftX = 0;
    const QString path = write(buildSmfFile(256, 256, {record}, positionColour));
    MapProject project(4096);
    QCOMPARE(project.openSmf(path), 0);
    const MapLayer *layer = project.layers[0];
    QCOMPARE(layer->topLeft.lon, 100);
    QCOMPARE(layer->topLeft.lat, 900);
    QCOMPARE(layer->bottomRight.lon, 400);
    QCOMPARE(layer->bottomRight.lat, 200);
    QCOMPARE(layer->bottomRight.pixelX, 3 * 256);
    QCOMPARE(layer->bottomRight.pixelY, 2 * 256);
    QCOMPARE(layer->topLeft.pixelX, 0);
}

void TestSmfOpenBrowse::damagedFilesLeaveProjectUntouched_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = buildSmfFile(300, 500, {gridRecord(2, 2)}, positionColour);
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("truncated header") << good.left(100);
    QTest::newRow("truncated index") << good.left(148 + 288 + 12);
    QTest::newRow("last payload cut") << good.left(good.size() - 5);
    QByteArray magic = good;
    magic[0] = 0x00;
    QTest::newRow("wrong magic") << magic;
    QByteArray negative = good;
    negative[132 + 3] = char(0x80);  // levelCount negative
    QTest::newRow("negative level count") << negative;
    QByteArray huge = good;
    huge[136 + 3] = 0x7F;  // tileCount huge
    QTest::newRow("huge tile count") << huge;
}

void TestSmfOpenBrowse::damagedFilesLeaveProjectUntouched()
{
    QFETCH(QByteArray, bytes);
    const QString path = write(bytes);
    for (bool browse : {false, true}) {
        MapProject project(4096);
        project.browseMode = browse;
        QCOMPARE(project.openSmf(path), -1);
        QVERIFY(project.layers.isEmpty());
        QVERIFY(project.smfImages.isEmpty());
        QVERIFY(project.filePath.isEmpty());
        QVERIFY(!project.errorString().isEmpty());
    }
}

void TestSmfOpenBrowse::moreThan255Levels()
{
    QVector<SmfLevelRecord> records(256, gridRecord(1, 1));
    const QString path = write(buildSmfFile(8, 8, records, [](int, int, int) { return qRgb(1, 2, 3); }));
    MapProject project(4096);
    QCOMPARE(project.openSmf(path), -1);
    QVERIFY(project.errorString().contains(QStringLiteral("255")));
    QVERIFY(project.layers.isEmpty());

    records.resize(255);
    const QString fits = write(buildSmfFile(8, 8, records, [](int, int, int) { return qRgb(1, 2, 3); }),
                               QStringLiteral("fits.smf"));
    QCOMPARE(project.openSmf(fits), 0);
    QCOMPARE(project.layers.size(), 255);
    QCOMPARE(int(project.layers.last()->smfLevel), 254);
}

void TestSmfOpenBrowse::editingKeepsWholeFileBrowsingOnlyIndex()
{
    const QByteArray bytes = buildSmfFile(300, 500, {gridRecord(2, 3), gridRecord(4, 1)}, positionColour);
    const QString path = write(bytes);
    MapProject editing(4096);
    QCOMPARE(editing.openSmf(path), 0);
    QCOMPARE(editing.smfImages.at(0), bytes);
    MapProject browsing(4096);
    browsing.browseMode = true;
    QCOMPARE(browsing.openSmf(path), 0);
    // Header, two records and ten index entries: data starts at 148 + 576 + 80.
    QCOMPARE(browsing.smfImages.at(0).size(), 804);
    QCOMPARE(browsing.smfImages.at(0), bytes.left(804));
}

void TestSmfOpenBrowse::levelImageIsAssembled()
{
    const QString path = write(buildSmfFile(30, 20, {gridRecord(3, 2)}, positionColour));
    MapProject project(4096);
    QCOMPARE(project.openSmf(path), 0);
    const QImage *image = project.layerImage(0);
    QVERIFY(image && !image->isNull());
    QCOMPARE(image->size(), QSize(90, 40));
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column)
            QCOMPARE(image->pixel(column * 30 + 15, row * 20 + 10), positionColour(0, column, row) | 0xFF000000);
    }
}

void TestSmfOpenBrowse::browseColumnsAndPositions_data()
{
    QTest::addColumn<QSize>("widget");
    QTest::addColumn<QPoint>("scroll");
    QTest::addColumn<int>("tilesRead");
    // 1000 / 300 + 2 = 5 columns, 400 / 500 + 2 = 2 rows, within a 10 x 10 grid.
    QTest::newRow("1000 wide, unscrolled") << QSize(1000, 400) << QPoint(0, 0) << 10;
    // Scrolled by (450, 0): base column 1, columns 1..5.
    QTest::newRow("scrolled by 450") << QSize(1000, 400) << QPoint(450, 0) << 10;
    // Near the grid's end only the existing tiles are read: columns 8, 9 of rows 9.
    QTest::newRow("grid end") << QSize(1000, 400) << QPoint(2400, 4500) << 2;
}

void TestSmfOpenBrowse::browseColumnsAndPositions()
{
    QFETCH(QSize, widget);
    QFETCH(QPoint, scroll);
    const QString path = write(buildSmfFile(300, 500, {gridRecord(10, 10)}, positionColour));
    BrowseFixture browse;
    QVERIFY(browse.open(path));
    MapLayer *layer = browse.layer;
    const QImage canvas = browse.paint(widget, scroll.x(), scroll.y());
    QTEST(int(layer->tileCache.size()), "tilesRead");
    // Tile (c, r) is drawn at (c x 300 - scrollX, r x 500 - scrollY).
    for (const TileCacheEntry &entry : layer->tileCache) {
        const QPoint at(entry.column * 300 - scroll.x() + 150, entry.row * 500 - scroll.y() + 100);
        if (QRect(QPoint(0, 0), widget).contains(at))
            QCOMPARE(canvas.pixel(at), positionColour(0, entry.column, entry.row) | 0xFF000000);
    }
    if (scroll == QPoint(450, 0)) {
        // Tile column 1 starts at widget x = -150: pixel 0 shows column 1, pixel 150 column 2.
        QCOMPARE(canvas.pixel(5, 100), positionColour(0, 1, 0) | 0xFF000000);
        QCOMPARE(canvas.pixel(155, 100), positionColour(0, 2, 0) | 0xFF000000);
    }
}

void TestSmfOpenBrowse::browseNegativeScroll()
{
    const QString path = write(buildSmfFile(300, 500, {gridRecord(4, 4)}, positionColour));
    BrowseFixture browse;
    QVERIFY(browse.open(path));
    const QImage canvas = browse.paint(QSize(600, 600), -100, -50);
    // White before the level, tile (0, 0) from (100, 50) on.
    QCOMPARE(canvas.pixel(50, 200), qRgb(255, 255, 255));
    QCOMPARE(canvas.pixel(150, 200), positionColour(0, 0, 0) | 0xFF000000);
    QCOMPARE(canvas.pixel(450, 200), positionColour(0, 1, 0) | 0xFF000000);
}

void TestSmfOpenBrowse::browseCacheRecyclesLeastRecentlyUsed()
{
    // 10 x 11 tiles of 10 x 10 pixels: one 10 x 10 widget shows about one tile.
    const QString path = write(buildSmfFile(10, 10, {gridRecord(11, 10)}, positionColour));
    BrowseFixture browse;
    QVERIFY(browse.open(path));
    MapLayer *layer = browse.layer;
    QImage canvas(1, 1, QImage::Format_RGB32);
    // A 1 x 1 widget draws 2 x 2 tiles from (column, row).
    auto show = [&](int column, int row) { browse.paint(canvas, column * 10, row * 10); };
    // Rows 0..9 in steps of 2 and all columns: 2 x 2 blocks cover distinct tiles.
    int shown = 0;
    for (int row = 0; row < 10 && shown < 101; row += 2) {
        for (int column = 0; column < 10 && shown < 101; column += 2) {
            show(column, row);
            shown = int(layer->tileCache.size());
        }
    }
    QVERIFY(shown >= 100);
    while (layer->tileCache.size() < 101) {
        show(10, 0);  // column 10 of row 0 and 1 (row 1 beyond, column 11 beyond)
        if (layer->tileCache.size() < 101)
            show(10, 4);
    }
    QCOMPARE(layer->tileCache.size(), 101);
    // Showing a cached tile again only restamps it.
    const quint32 clock = browse.view.tileClock;
    show(0, 0);
    QCOMPARE(layer->tileCache.size(), 101);
    QVERIFY(browse.view.tileClock > clock);
    // A new tile replaces the least recently used entry, not the freshly used (0, 0).
    quint32 smallest = UINT_MAX;
    QPoint oldest;
    for (const TileCacheEntry &entry : layer->tileCache) {
        if (entry.stamp < smallest) {
            smallest = entry.stamp;
            oldest = QPoint(entry.column, entry.row);
        }
    }
    show(10, 8);
    QCOMPARE(layer->tileCache.size(), 101);
    bool oldestGone = true;
    bool originKept = false;
    for (const TileCacheEntry &entry : layer->tileCache) {
        if (QPoint(entry.column, entry.row) == oldest)
            oldestGone = false;
        if (entry.column == 0 && entry.row == 0)
            originKept = true;
    }
    QVERIFY(oldestGone);
    QVERIFY(originKept);
}

void TestSmfOpenBrowse::browseBadPayloadIsWhite()
{
    QByteArray bytes = buildSmfFile(300, 500, {gridRecord(2, 1)}, [](int, int c, int) {
        return c == 0 ? qRgb(0, 0, 0) : qRgb(8, 8, 8);
    });
    // Spoil the second payload (the last bytes of the file): it no longer inflates.
    for (int i = 1; i <= 20; ++i)
        bytes[bytes.size() - i] = char(0x55);
    const QString path = write(bytes);
    BrowseFixture browse;
    QVERIFY(browse.open(path));
    MapLayer *layer = browse.layer;
    const QImage canvas = browse.paint(QSize(600, 500), 0, 0);
    QCOMPARE(canvas.pixel(100, 100), qRgb(0, 0, 0));
    QCOMPARE(canvas.pixel(400, 100), qRgb(255, 255, 255));
    QCOMPARE(layer->tileCache.size(), 1);  // the bad tile is not cached
}

void TestSmfOpenBrowse::browseBadTileSizeDrawsNothing()
{
    const QString path = write(buildSmfFile(300, 500, {gridRecord(1, 1)}, positionColour));
    BrowseFixture browse;
    QVERIFY(browse.open(path));
    browse.view.browseHeader.tileWidth = 100001;
    const QImage canvas = browse.paint(QSize(50, 50), 0, 0);
    QCOMPARE(canvas.pixel(10, 10), qRgb(0, 0, 0));
}

QTEST_MAIN(TestSmfOpenBrowse)
#include "tst_smf_open_browse.moc"
