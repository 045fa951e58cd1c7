#include <QThreadPool>
#include <QtTest>

#include <QPainter>

#include "common/project_fixtures.h"
#include "common/wfl_fixtures.h"
#include "project/milliarcseconds.h"
#include "smf/smf_file_index.h"
#include "smf/tile_encoding.h"
#include "smf/wfl_conversion.h"

namespace {

// One level as the converted file must hold it.
struct ExpectedLevel
{
    QImage image;  // the level's whole image, padding included
    int tileColumns = 0;
    int tileRows = 0;
    qint32 left = 0;
    qint32 top = 0;
    qint32 right = 0;
    qint32 bottom = 0;
};

QImage padded(const QImage &map, QSize size, QRgb fill)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(fill);
    QPainter(&image).drawImage(0, 0, map);
    return image;
}

// A plain or parted level cut from map with the tile size and corner given; its
// record edges are those of the full tiles.
ExpectedLevel expectedLevel(const QImage &map, QSize tile, const wfl::MapGeo &geo, QRgb fill)
{
    ExpectedLevel level;
    level.tileColumns = (map.width() + tile.width() - 1) / tile.width();
    level.tileRows = (map.height() + tile.height() - 1) / tile.height();
    level.image = padded(map, QSize(level.tileColumns * tile.width(), level.tileRows * tile.height()), fill);
    level.left = degreesToMilliarcseconds(geo.west);
    level.top = degreesToMilliarcseconds(geo.north);
    level.right = degreesToMilliarcseconds(geo.west + level.tileColumns * tile.width() * geo.lonPerPixel);
    level.bottom = degreesToMilliarcseconds(geo.north - level.tileRows * tile.height() * geo.latPerPixel);
    return level;
}

QRgb quantised(QRgb pixel)
{
    return qRgb(qRed(pixel) >> 3, qGreen(pixel) >> 3, qBlue(pixel) >> 3);
}

// Names of the tiles of a map cut into numbered parts: part[row][column] of the
// tile grid gives the part of each tile; a part's tiles count from its top-left one.
wfl::TileNamer partNames(int level, const QVector<QVector<int>> &parts)
{
    return [=](int column, int row) {
        const int part = parts.at(row).at(column);
        int firstColumn = column;
        int firstRow = row;
        while (firstColumn > 0 && parts.at(row).at(firstColumn - 1) == part)
            --firstColumn;
        while (firstRow > 0 && parts.at(firstRow - 1).at(column) == part)
            --firstRow;
        return QStringLiteral("%1 (%2)_%3x%4").arg(level).arg(part).arg(column - firstColumn).arg(row - firstRow);
    };
}

enum Layout {
    DownloaderCut, TwoLevelSubfolders, SubfoldersHideTopFiles, FlatWithAreaSmf, PartsSquareByRows,
    PartsSquareOddNumbers, PartsSideBySide, OnlyLevelZero,
};

enum Failure {
    SidecarWithoutImage, UndecodableImage, SameTileTwice, MissingPlainTile, MixedLevel, BrokenSidecar,
    TileTooLarge, ShortTileInsideGrid, NameDoesNotParse, PartWithoutCorner, PartsOnOnePlace, NoTiles,
    MissingFolder, OutputFolderMissing, Cancelled, TwoBadTiles,
};

}  // namespace

class TestWflConversion : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void layouts_data();
    void layouts();
    void noLimitOnLevels();
    void progress();
    void threadCountDoesNotChangeBytes();
    void failureKeepsOldFile_data();
    void failureKeepsOldFile();
    void defaultOutputPath_data();
    void defaultOutputPath();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString tiles() const { return path(QStringLiteral("tiles")); }
    // A flat folder of cols x rows plain tiles of 16 x 16 at level 15.
    void writePlainFolder(int columns, int rows)
    {
        QVERIFY(wfl::writeCutMap(tiles(), wfl::patternImage(16 * columns, 16 * rows, 1), QSize(16, 16),
                                 wfl::MapGeo(), wfl::plainNames(15)));
    }
    // Reads the written file back through the checked reader and compares every tile.
    void verifyFile(const QString &file, const QVector<ExpectedLevel> &levels, QSize tileSize);

    QScopedPointer<QTemporaryDir> m_dir;
};

void TestWflConversion::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
}

void TestWflConversion::verifyFile(const QString &file, const QVector<ExpectedLevel> &levels, QSize tileSize)
{
    QFile device(file);
    QVERIFY(device.open(QIODevice::ReadOnly));
    SmfFileIndex index;
    QString error;
    QVERIFY2(readSmfStructure(device, &index, &error), qPrintable(error));
    QCOMPARE(index.header.levelCount, int(levels.size()));
    QCOMPARE(index.header.tileWidth, tileSize.width());
    QCOMPARE(index.header.tileHeight, tileSize.height());
    int firstTile = 0;
    qint64 payloadEnd = 148 + 288 * levels.size() + 8 * index.header.tileCount;
    for (int k = 0; k < levels.size(); ++k) {
        const ExpectedLevel &expected = levels.at(k);
        const SmfLevelRecord &record = index.levels.at(k);
        QCOMPARE(record.tileColumns, expected.tileColumns);
        QCOMPARE(record.tileRows, expected.tileRows);
        QCOMPARE(record.firstTile, firstTile);
        QCOMPARE(record.left, expected.left);
        QCOMPARE(record.top, expected.top);
        QCOMPARE(record.right, expected.right);
        QCOMPARE(record.bottom, expected.bottom);
        firstTile += expected.tileColumns * expected.tileRows;
        for (int r = 0; r < expected.tileRows; ++r) {
            for (int c = 0; c < expected.tileColumns; ++c) {
                const SmfTileIndexEntry &entry = index.tile(k, c, r);
                QCOMPARE(qint64(entry.offset), payloadEnd);  // payloads back to back in index order
                payloadEnd += entry.size;
                QVERIFY(device.seek(entry.offset));
                const QImage tile = decodeTile(device.read(entry.size), tileSize.width(), tileSize.height());
                QVERIFY(!tile.isNull());
                for (int y = 0; y < tileSize.height(); ++y) {
                    for (int x = 0; x < tileSize.width(); ++x) {
                        const QRgb want = expected.image.pixel(c * tileSize.width() + x, r * tileSize.height() + y);
                        if (quantised(tile.pixel(x, y)) != quantised(want)) {
                            QFAIL(qPrintable(QStringLiteral("level %1 tile %2,%3 pixel %4,%5: %6, expected %7")
                                                 .arg(k).arg(c).arg(r).arg(x).arg(y)
                                                 .arg(tile.pixel(x, y), 6, 16).arg(want, 6, 16)));
                        }
                    }
                }
            }
        }
    }
    QCOMPARE(index.header.tileCount, firstTile);
    QCOMPARE(index.fileSize, payloadEnd);
}

void TestWflConversion::layouts_data()
{
    QTest::addColumn<int>("layout");
    QTest::newRow("downloader cut: short last column and row padded with the fill colour") << int(DownloaderCut);
    QTest::newRow("subfolders 15 and 16: two levels, 16 first") << int(TwoLevelSubfolders);
    QTest::newRow("subfolders hide the top-level tiles") << int(SubfoldersHideTopFiles);
    QTest::newRow("flat 3 x 2 with area.smf beside the tiles") << int(FlatWithAreaSmf);
    QTest::newRow("2 x 2 parts numbered row by row") << int(PartsSquareByRows);
    QTest::newRow("2 x 2 parts numbered in no order") << int(PartsSquareOddNumbers);
    QTest::newRow("parts of one latitude merged west to east") << int(PartsSideBySide);
    QTest::newRow("only level 0") << int(OnlyLevelZero);
}

void TestWflConversion::layouts()
{
    QFETCH(int, layout);
    const QRgb fill = qRgb(200, 16, 40);
    QVector<ExpectedLevel> levels;
    QSize tileSize(32, 32);
    const auto cut = [&](const QString &folder, const QImage &map, const wfl::MapGeo &geo,
                         const wfl::TileNamer &namer) {
        levels.append(expectedLevel(map, tileSize, geo, fill));
        return wfl::writeCutMap(folder, map, tileSize, geo, namer);
    };
    const wfl::MapGeo geoA{8.5, 47.25, 1.0 / 1024, 1.0 / 2048};
    const wfl::MapGeo geoB{-70.5, -33.25, 1.0 / 4096, 1.0 / 4096};
    switch (Layout(layout)) {
    case DownloaderCut: {
        // Three by two web tiles of 256 cut into 300 x 500: columns of 300, 300 and 168
        // pixels, rows of 500 and 12; every sidecar states the full 300 x 500 extent.
        tileSize = QSize(300, 500);
        const wfl::MapGeo geo{-0.0, 51.5, 9.441375732421875E-4 / 300, 1.0 / 131072};
        QVERIFY(cut(tiles(), wfl::patternImage(768, 512, 3), geo,
                    wfl::plainNames(15, QStringLiteral("OpenStreetMap "))));
        // By hand: 900 x 9.441375732421875E-4 / 300 = 0.0028324127197265625 degrees
        // = 10196.69 mas; 51.5 - 1000 / 131072 = 51.49237060546875 = 185372534.18 mas.
        QCOMPARE(levels.last().right, 10196);
        QCOMPARE(levels.last().bottom, 185372534);
        QCOMPARE(levels.last().left, 0);
        QCOMPARE(levels.last().top, 185400000);
        break;
    }
    case TwoLevelSubfolders:
        QVERIFY(cut(path(QStringLiteral("tiles/16")), wfl::patternImage(64, 64, 5), geoB, wfl::plainNames(16)));
        QVERIFY(cut(path(QStringLiteral("tiles/15")), wfl::patternImage(64, 64, 6), geoA, wfl::plainNames(15)));
        break;
    case SubfoldersHideTopFiles:
        QVERIFY(cut(path(QStringLiteral("tiles/16")), wfl::patternImage(64, 32, 5), geoB, wfl::plainNames(16)));
        QVERIFY(wfl::writeCutMap(tiles(), wfl::patternImage(32, 32, 9), tileSize, geoA, wfl::plainNames(15)));
        break;
    case FlatWithAreaSmf:
        QVERIFY(cut(tiles(), wfl::patternImage(96, 64, 7), geoA, wfl::plainNames(15)));
        QVERIFY(wfl::writeFile(path(QStringLiteral("tiles/area.smf")), "an older conversion"));
        break;
    case PartsSquareByRows:
        QVERIFY(cut(tiles(), wfl::patternImage(128, 128, 2), geoA,
                    partNames(14, {{1, 1, 2, 2}, {1, 1, 2, 2}, {3, 3, 4, 4}, {3, 3, 4, 4}})));
        break;
    case PartsSquareOddNumbers:
        QVERIFY(cut(tiles(), wfl::patternImage(128, 128, 2), geoB,
                    partNames(14, {{7, 7, 3, 3}, {7, 7, 3, 3}, {5, 5, 1, 1}, {5, 5, 1, 1}})));
        break;
    case PartsSideBySide:
        QVERIFY(cut(tiles(), wfl::patternImage(160, 64, 4), geoA, partNames(14, {{2, 2, 1, 1, 1}, {2, 2, 1, 1, 1}})));
        break;
    case OnlyLevelZero:
        QVERIFY(cut(tiles(), wfl::patternImage(64, 32, 8), geoB, wfl::plainNames(0)));
        break;
    }

    const QString output = path(QStringLiteral("out.smf"));
    const WflConversionResult result = convertWfl(tiles(), QStringLiteral("Kelvo"), QStringLiteral("测试图"),
                                                  QColor(fill), output);
    QVERIFY2(result.status == kWflOk, qPrintable(result.errorText));
    QCOMPARE(result.outputPath, output);
    QCOMPARE(result.levelCount, int(levels.size()));
    verifyFile(output, levels, tileSize);
    QFile file(output);
    QVERIFY(file.open(QIODevice::ReadOnly));
    SmfHeader header;
    QVERIFY(SmfHeader::fromBytes(file.read(148), &header));
    QCOMPARE(header.cartographer, QStringLiteral("Kelvo"));
    QCOMPARE(header.mapName, QStringLiteral("测试图"));
}

void TestWflConversion::noLimitOnLevels()
{
    for (int level = 1; level <= 60; ++level) {
        QVERIFY(wfl::writeCutMap(tiles(), wfl::patternImage(8, 8, level), QSize(8, 8),
                                 wfl::MapGeo{0.0, 1.0, 1.0 / level / 8, 1.0 / level / 8}, wfl::plainNames(level)));
    }
    const WflConversionResult result = convertWfl(tiles(), QString(), QString(), QColor(), QString());
    QCOMPARE(result.status, int(kWflOk));
    QCOMPARE(result.levelCount, 60);
    QFile file(result.outputPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    SmfFileIndex index;
    QString error;
    QVERIFY2(readSmfStructure(file, &index, &error), qPrintable(error));
    // Level 60 first: one 8-pixel tile spans 1/60 degree = 60000 mas.
    QCOMPARE(index.levels.first().right, 60000);
    QCOMPARE(index.levels.last().right, 3600000);
}

void TestWflConversion::progress()
{
    writePlainFolder(3, 2);
    fixtures::RecordingProgress recorder;
    const WflConversionResult result =
        convertWfl(tiles(), QString(), QString(), QColor(), path(QStringLiteral("out.smf")), &recorder);
    QCOMPARE(result.status, int(kWflOk));
    QCOMPARE(recorder.maximum, 6);
    QCOMPARE(recorder.values, (QVector<int>{0, 1, 2, 3, 4, 5, 6}));
    QCOMPARE(recorder.pumps, 6);
    QCOMPARE(recorder.finished, 1);
}

void TestWflConversion::threadCountDoesNotChangeBytes()
{
    // Edge tiles on both sides, so padding runs on the pool as well.
    QVERIFY(wfl::writeCutMap(tiles(), wfl::patternImage(16 * 7 - 5, 16 * 5 - 3, 4), QSize(16, 16), wfl::MapGeo(),
                             wfl::plainNames(15)));
    const int threads = QThreadPool::globalInstance()->maxThreadCount();
    QByteArray reference;
    for (int count : {1, 3, 16}) {
        QThreadPool::globalInstance()->setMaxThreadCount(count);
        const QString output = path(QStringLiteral("out%1.smf").arg(count));
        const WflConversionResult result = convertWfl(tiles(), QString(), QString(), QColor(), output);
        QCOMPARE(result.status, int(kWflOk));
        if (reference.isEmpty())
            reference = fixtures::fileBytes(output);
        QCOMPARE(fixtures::fileBytes(output), reference);
    }
    QThreadPool::globalInstance()->setMaxThreadCount(threads);
    QVERIFY(reference.size() > 148 + 288 + 35 * 8);
}

void TestWflConversion::failureKeepsOldFile_data()
{
    QTest::addColumn<int>("failure");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("named");  // what the message must name
    QTest::newRow("sidecar without an image") << int(SidecarWithoutImage) << int(kWflInvalidTiles)
                                              << QStringLiteral("tiles/15_1x1.wfl");
    QTest::newRow("image that does not decode") << int(UndecodableImage) << int(kWflInvalidTiles)
                                                << QStringLiteral("tiles/15_2x0.png");
    QTest::newRow("the same tile twice") << int(SameTileTwice) << int(kWflInvalidTiles)
                                         << QStringLiteral("tiles/b/15_0x0.wfl");
    QTest::newRow("plain level with a tile missing") << int(MissingPlainTile) << int(kWflInvalidTiles)
                                                     << QStringLiteral("column 1, row 1");
    QTest::newRow("level of plain tiles and parts") << int(MixedLevel) << int(kWflInvalidTiles)
                                                    << QStringLiteral("tiles/15 (1)_0x0.wfl");
    QTest::newRow("sidecar of a broken download") << int(BrokenSidecar) << int(kWflInvalidTiles)
                                                  << QStringLiteral("tiles/15_1x1.wfl");
    QTest::newRow("tile larger than the first") << int(TileTooLarge) << int(kWflInvalidTiles)
                                                << QStringLiteral("tiles/15_1x0.png");
    QTest::newRow("narrow tile inside the grid") << int(ShortTileInsideGrid) << int(kWflInvalidTiles)
                                                 << QStringLiteral("tiles/15_0x1.png");
    QTest::newRow("name that does not parse") << int(NameDoesNotParse) << int(kWflInvalidTiles)
                                              << QStringLiteral("tiles/overview.wfl");
    QTest::newRow("part without its top-left tile") << int(PartWithoutCorner) << int(kWflInvalidTiles)
                                                    << QStringLiteral("part 2");
    QTest::newRow("two parts at one corner") << int(PartsOnOnePlace) << int(kWflInvalidTiles)
                                             << QStringLiteral("tiles/15 (2)_0x0.wfl");
    QTest::newRow("no tiles") << int(NoTiles) << int(kWflNoTiles) << QStringLiteral("tiles");
    QTest::newRow("missing folder") << int(MissingFolder) << int(kWflReadError) << QStringLiteral("tiles");
    QTest::newRow("output folder missing") << int(OutputFolderMissing) << int(kWflWriteError)
                                           << QStringLiteral("no/such/out.smf");
    QTest::newRow("cancelled") << int(Cancelled) << int(kWflCancelled) << QStringLiteral("cancelled");
    // Later sidecars are read while earlier tiles are still being made: the first bad
    // tile in index order is still the one reported.
    QTest::newRow("bad image before a bad sidecar") << int(TwoBadTiles) << int(kWflInvalidTiles)
                                                    << QStringLiteral("tiles/15_2x0.png");
}

void TestWflConversion::failureKeepsOldFile()
{
    QFETCH(int, failure);
    QFETCH(int, status);
    QFETCH(QString, named);
    const QByteArray oldBytes = "the previous file";
    QString output = path(QStringLiteral("out.smf"));
    QVERIFY(fixtures::writeBytes(output, oldBytes));
    fixtures::RecordingProgress recorder;
    const wfl::MapGeo geo;
    const auto tile = [this](const QString &name) { return path(QStringLiteral("tiles/") + name); };
    const auto remove = [&](const QString &name) { QVERIFY(QFile::remove(tile(name))); };

    if (failure != NoTiles && failure != MissingFolder && failure != SameTileTwice && failure != MixedLevel
        && failure != PartWithoutCorner && failure != PartsOnOnePlace) {
        writePlainFolder(3, 2);
    }
    switch (Failure(failure)) {
    case SidecarWithoutImage:
        remove(QStringLiteral("15_1x1.png"));
        break;
    case UndecodableImage:
        QVERIFY(wfl::writeFile(tile(QStringLiteral("15_2x0.png")), "\x89PNG\r\n\x1a\n but nothing after"));
        break;
    case SameTileTwice:
        QVERIFY(wfl::writeCutMap(tile(QStringLiteral("a")), wfl::patternImage(16, 16, 1), QSize(16, 16), geo,
                                 wfl::plainNames(15)));
        QVERIFY(wfl::writeCutMap(tile(QStringLiteral("b")), wfl::patternImage(16, 16, 2), QSize(16, 16), geo,
                                 wfl::plainNames(15)));
        break;
    case MissingPlainTile:
        remove(QStringLiteral("15_1x1.png"));
        remove(QStringLiteral("15_1x1.wfl"));
        break;
    case MixedLevel:
        QVERIFY(wfl::writeCutMap(tiles(), wfl::patternImage(16, 16, 1), QSize(16, 16), geo, wfl::plainNames(15)));
        QVERIFY(wfl::writeCutMap(tiles(), wfl::patternImage(16, 16, 2), QSize(16, 16), geo,
                                 partNames(15, {{1}})));
        break;
    case BrokenSidecar:
        QVERIFY(wfl::writeFile(tile(QStringLiteral("15_1x1.wfl")), "256\n256\n0.0\n0.0\n1.0\n0.0\n"));
        break;
    case TileTooLarge:
        QVERIFY(wfl::patternImage(16, 17, 1).save(tile(QStringLiteral("15_1x0.png"))));
        break;
    case ShortTileInsideGrid:
        QVERIFY(wfl::patternImage(15, 16, 1).save(tile(QStringLiteral("15_0x1.png"))));
        break;
    case NameDoesNotParse:
        QVERIFY(wfl::writeFile(tile(QStringLiteral("overview.wfl")), wfl::sidecarText(1, 0, 0, 1)));
        QVERIFY(wfl::patternImage(16, 16, 1).save(tile(QStringLiteral("overview.png"))));
        break;
    case PartWithoutCorner:
        QVERIFY(wfl::writeCutMap(tiles(), wfl::patternImage(32, 16, 1), QSize(16, 16), geo, partNames(15, {{1, 2}})));
        remove(QStringLiteral("15 (2)_0x0.png"));
        remove(QStringLiteral("15 (2)_0x0.wfl"));
        QVERIFY(wfl::patternImage(16, 16, 1).save(tile(QStringLiteral("15 (2)_1x0.png"))));
        QVERIFY(wfl::writeFile(tile(QStringLiteral("15 (2)_1x0.wfl")), wfl::sidecarText(1, 0, 0, 1)));
        break;
    case PartsOnOnePlace:
        QVERIFY(wfl::writeCutMap(tiles(), wfl::patternImage(16, 16, 1), QSize(16, 16), geo, partNames(15, {{1}})));
        QVERIFY(wfl::writeCutMap(tiles(), wfl::patternImage(16, 16, 2), QSize(16, 16), geo, partNames(15, {{2}})));
        break;
    case NoTiles:
        QVERIFY(QDir().mkpath(tiles()));
        QVERIFY(wfl::writeFile(tile(QStringLiteral("readme.txt")), "no tiles here"));
        break;
    case MissingFolder:
        break;
    case OutputFolderMissing:
        output = path(QStringLiteral("no/such/out.smf"));
        break;
    case Cancelled:
        recorder.cancelAfterPumps = 3;
        break;
    case TwoBadTiles:
        QVERIFY(wfl::writeFile(tile(QStringLiteral("15_2x0.png")), "\x89PNG\r\n\x1a\n but nothing after"));
        QVERIFY(wfl::writeFile(tile(QStringLiteral("15_1x1.wfl")), "256\n256\n0.0\n0.0\n1.0\n0.0\n"));
        break;
    }

    const WflConversionResult result = convertWfl(tiles(), QString(), QString(), QColor(), output, &recorder);
    QCOMPARE(result.status, status);
    QVERIFY2(result.errorText.contains(named), qPrintable(result.errorText));
    QCOMPARE(fixtures::fileBytes(path(QStringLiteral("out.smf"))), oldBytes);
    QVERIFY(!QFile::exists(path(QStringLiteral("no/such/out.smf"))));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("out.smf")});
    QCOMPARE(recorder.finished, recorder.maximum >= 0 ? 1 : 0);
}

void TestWflConversion::defaultOutputPath_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("output");
    QTest::newRow("folder") << QStringLiteral("C:/maps/area") << QStringLiteral("C:/maps/area.smf");
    QTest::newRow("trailing slashes write beside the folder") << QStringLiteral("/data/tiles//") << QStringLiteral("/data/tiles.smf");
    QTest::newRow("current folder") << QStringLiteral(".")
                                    << QDir::cleanPath(QDir::currentPath()) + QStringLiteral(".smf");
}

void TestWflConversion::defaultOutputPath()
{
    QFETCH(QString, folder);
    QFETCH(QString, output);
    QCOMPARE(defaultWflOutputPath(folder), output);
}

QTEST_GUILESS_MAIN(TestWflConversion)
#include "tst_wfl_conversion.moc"
