#include <QtTest>

#include <QBuffer>
#include <QPainter>

#include <sys/resource.h>
#include <sys/wait.h>
#include <csignal>
#include <unistd.h>

#include "common/project_fixtures.h"
#include "smf/smf_file_index.h"
#include "smf/smf_layout.h"
#include "smf/smf_level_image.h"
#include "smf/smf_save_status.h"
#include "smf/tile_encoding.h"

Q_DECLARE_METATYPE(CalibrationPoint)

namespace {

QByteArray hex(const char *text)
{
    QByteArray bytes;
    for (const QByteArray &token : QByteArray(text).simplified().split(' ')) {
        if (token.startsWith("00*"))
            bytes += QByteArray(token.mid(3).toInt(), '\0');
        else
            bytes += QByteArray::fromHex(token);
    }
    return bytes;
}

SmfFileIndex readIndex(const QString &path)
{
    QFile file(path);
    SmfFileIndex index;
    QString error;
    if (!file.open(QIODevice::ReadOnly) || !readSmfStructure(file, &index, &error))
        qWarning("cannot read %s: %s", qPrintable(path), qPrintable(error));
    return index;
}

QRgb quantised(QRgb pixel)
{
    return qRgb(qRed(pixel) >> 3, qGreen(pixel) >> 3, qBlue(pixel) >> 3);
}

enum Failure { FolderIsAFile, MissingFolder, UndecodableImage, DegenerateAfterClamp, ExtentBeyond32Bits, Cancelled };

}  // namespace

class TestSmfSave : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void goldenTinyFile();
    void twoLevelsFirstTile();
    void paddingTakesFillColour();
    void invalidFillColourPadsBlack();
    void extent_data();
    void extent();
    void scaleIsRecomputedBeforeWriting();
    void emptyProjectIs148Bytes();
    void progress();
    void roundTripPixels();
    void assemblyMatchesDecodedTiles();
    void failureKeepsOldFile_data();
    void failureKeepsOldFile();
    void tooLargeFileIsRefused();
    void fileSizeLimitIsAWriteError();

private:
    QString savePath(const QString &name) const { return m_dir->filePath(name); }
    void makeProject(MapProject &project) const
    {
        project.setProperties(QStringLiteral("Kelvo"), QStringLiteral("Test"), QColor(122, 122, 122), 300, 500);
    }
    QScopedPointer<QTemporaryDir> m_dir;
};

void TestSmfSave::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
}

void TestSmfSave::goldenTinyFile()
{
    MapProject project(65536);
    project.setProperties(QStringLiteral("K"), QStringLiteral("M"), QColor(0, 0, 0), 2, 2);
    // 3 x 2 pixels over 10800 x 7200 mas: 3600 per pixel both ways; 2 x 1 tiles of 2 x 2.
    fixtures::appendLayer(project, fixtures::mapLikeImage(3, 2), {0, 0, 0, 7200}, {3, 2, 10800, 0});
    project.filePath = savePath(QStringLiteral("tiny.smf"));
    QCOMPARE(project.saveSmf(), 0);
    const QByteArray bytes = fixtures::fileBytes(project.filePath);

    // By hand: right edge extended by one pixel of 3600 mas to 14400; bottom stays.
    const QByteArray header = hex("2a17 0200 4b00 00*62 4d00 00*62 01000000 02000000 02000000 02000000");
    const QByteArray record = hex("00000000 201c0000 40380000 00000000 02000000 01000000 100e0000 00000000 "
                                  "00000000 201c0000 00000000 00000000 302a0000 00000000 03000000 02000000 00*224");
    QCOMPARE(bytes.left(148), header);
    QCOMPARE(bytes.mid(148, 288), record);
    const quint32 firstSize = qFromLittleEndian<quint32>(bytes.constData() + 440);
    const quint32 secondSize = qFromLittleEndian<quint32>(bytes.constData() + 448);
    QCOMPARE(bytes.mid(436, 4), hex("c4010000"));  // 452: right after the two entries
    QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 444), 452 + firstSize);
    QCOMPARE(qint64(bytes.size()), qint64(452) + firstSize + secondSize);
}


void TestSmfSave::twoLevelsFirstTile()
{
    MapProject project(65536);
    makeProject(project);
    fixtures::appendCornerLayer(project, fixtures::mapLikeImage(600, 1500));  // 2 x 3 tiles
    fixtures::appendCornerLayer(project, fixtures::mapLikeImage(1200, 500));  // 4 x 1 tiles
    project.filePath = savePath(QStringLiteral("two.smf"));
    QCOMPARE(project.saveSmf(), 0);
    const SmfFileIndex index = readIndex(project.filePath);
    QCOMPARE(index.header.tileCount, 10);
    QCOMPARE(index.levels.at(0).firstTile, 0);
    QCOMPARE(index.levels.at(1).firstTile, 6);
    QCOMPARE(index.tiles.at(0).offset, 804u);  // 148 + 576 + 80
    for (int t = 1; t < 10; ++t)
        QCOMPARE(index.tiles.at(t).offset, index.tiles.at(t - 1).offset + index.tiles.at(t - 1).size);
    QCOMPARE(qint64(index.tiles.at(9).offset) + index.tiles.at(9).size, index.fileSize);
    QVERIFY(project.levelTiles.isEmpty());
    QVERIFY(project.levelRecords.isEmpty());
}

void TestSmfSave::paddingTakesFillColour()
{
    MapProject project(65536);
    makeProject(project);
    project.setFillColour(QColor(0, 0, 255));
    QImage image(301, 500, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 0));
    fixtures::appendCornerLayer(project, image);
    project.filePath = savePath(QStringLiteral("pad.smf"));
    QCOMPARE(project.saveSmf(), 0);
    const SmfFileIndex index = readIndex(project.filePath);
    QCOMPARE(index.levels.at(0).tileColumns, 2);
    QCOMPARE(index.levels.at(0).tileRows, 1);
    const QByteArray bytes = fixtures::fileBytes(project.filePath);
    const SmfTileIndexEntry right = index.tiles.at(1);
    const QByteArray raw = inflateTile(bytes.mid(right.offset, right.size), rawTileSize(300, 500));
    QCOMPARE(raw.size(), 300000);
    for (int row = 0; row < 500; row += 99) {
        QCOMPARE(qFromLittleEndian<quint16>(raw.constData() + row * 600), quint16(0x7C00));  // image column 300
        for (int x = 1; x < 300; x += 37)
            QCOMPARE(qFromLittleEndian<quint16>(raw.constData() + row * 600 + 2 * x), quint16(0x001F));
    }
}

void TestSmfSave::invalidFillColourPadsBlack()
{
    // A config.ini colour component out of range gives an invalid colour.
    MapProject project(65536);
    project.setProperties(QString(), QString(), QColor(), 2, 2);
    QImage image(1, 1, QImage::Format_RGB32);
    image.fill(Qt::white);
    fixtures::appendCornerLayer(project, image);
    QCOMPARE(project.buildLevel(0), 0);
    const QByteArray raw = inflateTile(project.levelTiles.at(0).at(0), rawTileSize(2, 2));
    QCOMPARE(raw.toHex(), QByteArray("00000000ff7f0000"));  // bottom row first: black; top row: white, black
}

void TestSmfSave::extent_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<CalibrationPoint>("topLeft");
    QTest::addColumn<CalibrationPoint>("bottomRight");
    QTest::addColumn<QVector<qint32>>("edges");  // left, top, right, bottom
    QTest::newRow("600 x 1000 fills 2 x 2 tiles: no extension")
        << QSize(600, 1000) << CalibrationPoint{0, 0, 0, 1000000} << CalibrationPoint{600, 1000, 600000, 0}
        << QVector<qint32>{0, 1000000, 600000, 0};
    // 601 pixels give 3 columns, 900 pixels wide: right = 601000 + (900 - 601) x 1000.
    QTest::newRow("601 x 1000 extends the right edge")
        << QSize(601, 1000) << CalibrationPoint{0, 0, 0, 1000000} << CalibrationPoint{601, 1000, 601000, 0}
        << QVector<qint32>{0, 1000000, 900000, 0};
    // stepX = 1000000 / 400 = 2500: left = 0 - 2500 x 100; stepY = -1000000 / 800 = -1250:
    // top = 1000000 + 1250 x 100, bottom = 0 - 1250 x (1000 - 900), right = 1000000 + 2500 x 100.
    QTest::newRow("points inside: left -250000")
        << QSize(600, 1000) << CalibrationPoint{100, 100, 0, 1000000} << CalibrationPoint{500, 900, 1000000, 0}
        << QVector<qint32>{-250000, 1125000, 1250000, -125000};
    // 1000 mas over 300 pixels: step 3, not 3.33; 600 wide: right = 1000 + 300 x 3.
    QTest::newRow("truncated step 3")
        << QSize(500, 500) << CalibrationPoint{0, 0, 0, 1000} << CalibrationPoint{300, 500, 1000, 0}
        << QVector<qint32>{0, 1000, 1900, 0};
    QTest::newRow("points beyond the canvas keep their values")
        << QSize(300, 500) << CalibrationPoint{-10, -10, 5000, 9000} << CalibrationPoint{300, 500, 8000, 1000}
        << QVector<qint32>{5000, 9000, 8000, 1000};
}

void TestSmfSave::extent()
{
    QFETCH(QSize, size);
    QFETCH(CalibrationPoint, topLeft);
    QFETCH(CalibrationPoint, bottomRight);
    QFETCH(QVector<qint32>, edges);
    MapProject project(65536);
    makeProject(project);
    fixtures::appendLayer(project, QImage(size, QImage::Format_RGB32), topLeft, bottomRight);
    QCOMPARE(project.buildLevel(0), 0);
    const SmfLevelRecord &record = project.levelRecords.at(0);
    QCOMPARE((QVector<qint32>{record.left, record.top, record.right, record.bottom}), edges);
    QCOMPARE(record.topLeftX, topLeft.pixelX);
    QCOMPARE(record.bottomRightLon, bottomRight.lon);
    QCOMPARE(record.firstTile, 0);
    // The first blob of a level is its top-left tile.
    QCOMPARE(project.levelTiles.at(0).size(), qsizetype(record.tileColumns) * record.tileRows);
}

void TestSmfSave::scaleIsRecomputedBeforeWriting()
{
    MapProject project(65536);
    makeProject(project);
    MapLayer *layer = fixtures::appendCornerLayer(project, QImage(300, 500, QImage::Format_RGB32));
    layer->scale = 5.0;                // stale: the points changed since
    layer->bottomRight.pixelX = 1000;  // clamped to 300 when the image is handed out
    QCOMPARE(project.buildLevel(0), 0);
    QCOMPARE(project.levelRecords.at(0).verticalScale, 7200);  // 3600000 / 500
    QCOMPARE(project.levelRecords.at(0).bottomRightX, 300);
}

void TestSmfSave::emptyProjectIs148Bytes()
{
    MapProject project(65536);
    makeProject(project);
    project.filePath = savePath(QStringLiteral("empty.smf"));
    QCOMPARE(project.saveSmf(), 0);
    const SmfFileIndex index = readIndex(project.filePath);
    QCOMPARE(index.fileSize, qint64(148));
    QCOMPARE(index.header.levelCount, 0);
    QCOMPARE(index.header.tileCount, 0);
    QCOMPARE(index.header.tileWidth, 300);
}


void TestSmfSave::progress()
{
    MapProject project(65536);
    makeProject(project);
    fixtures::appendCornerLayer(project, QImage(600, 500, QImage::Format_RGB32));  // 2 tiles
    fixtures::appendCornerLayer(project, QImage(300, 500, QImage::Format_RGB32));  // 1 tile
    fixtures::appendCornerLayer(project, QImage(300, 1000, QImage::Format_RGB32)); // 2 tiles
    project.filePath = savePath(QStringLiteral("progress.smf"));
    project.changeFlags = MapProject::kLayersChanged;
    fixtures::RecordingProgress recorder;
    QCOMPARE(project.saveSmf(&recorder), 0);
    QCOMPARE(recorder.maximum, 30);
    // Each layer from i x 10, moving per tile within its tenth of the range.
    QCOMPARE(recorder.values, (QVector<int>{0, 5, 10, 20, 25, 30}));
    QCOMPARE(recorder.pumps, 3 + 5);  // once per layer and once per tile
    QCOMPARE(recorder.finished, 1);
    QCOMPARE(project.changeFlags, quint8(0));
    QVERIFY(project.errorString().isEmpty());
}

void TestSmfSave::roundTripPixels()
{
    MapProject project(65536);
    makeProject(project);
    project.setFillColour(QColor(1, 2, 3));
    const QImage source = fixtures::mapLikeImage(650, 1100);
    fixtures::appendCornerLayer(project, source);
    project.filePath = savePath(QStringLiteral("round.smf"));
    QCOMPARE(project.saveSmf(), 0);

    QFile file(project.filePath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    SmfFileIndex index;
    QString error;
    QVERIFY2(readSmfStructure(file, &index, &error), qPrintable(error));
    const SmfLevelImage level = assembleLevelImage(file, index, 0);
    QVERIFY2(!level.image.isNull(), qPrintable(level.error));
    QVERIFY(level.damagedTiles.isEmpty());
    QCOMPARE(level.image.size(), QSize(900, 1500));
    for (int y = 0; y < 1500; y += 7) {
        for (int x = 0; x < 900; x += 3) {
            const QRgb expected = (x < 650 && y < 1100) ? source.pixel(x, y) : qRgb(1, 2, 3);
            QVERIFY2(quantised(level.image.pixel(x, y)) == quantised(expected),
                     qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
        }
    }
}

void TestSmfSave::assemblyMatchesDecodedTiles()
{
    MapProject project(65536);
    makeProject(project);
    fixtures::appendCornerLayer(project, fixtures::mapLikeImage(400, 600));
    project.filePath = savePath(QStringLiteral("assemble.smf"));
    QCOMPARE(project.saveSmf(), 0);
    const QByteArray bytes = fixtures::fileBytes(project.filePath);
    QBuffer buffer;
    buffer.setData(bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    SmfFileIndex index;
    QString error;
    QVERIFY(readSmfStructure(buffer, &index, &error));

    // The long way: decode each tile as a BMP image and draw it onto a white 5-5-5 canvas.
    QImage expected(600, 1000, QImage::Format_RGB555);
    expected.fill(Qt::white);
    QPainter painter(&expected);
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 2; ++c) {
            const SmfTileIndexEntry &entry = index.tile(0, c, r);
            painter.drawImage(c * 300, r * 500, decodeTile(bytes.mid(entry.offset, entry.size), 300, 500));
        }
    }
    painter.end();
    QCOMPARE(assembleLevelImage(buffer, index, 0).image, expected);
}

void TestSmfSave::failureKeepsOldFile_data()
{
    QTest::addColumn<int>("failure");
    QTest::addColumn<int>("status");
    QTest::newRow("folder is a regular file") << int(FolderIsAFile) << int(kSmfSaveWriteError);
    QTest::newRow("missing folder") << int(MissingFolder) << int(kSmfSaveWriteError);
    QTest::newRow("undecodable image") << int(UndecodableImage) << int(kSmfSaveImageError);
    QTest::newRow("degenerate after the bottom-right clamp") << int(DegenerateAfterClamp)
                                                             << int(kSmfSaveCalibrationError);
    QTest::newRow("extent beyond 32 bits") << int(ExtentBeyond32Bits) << int(kSmfSaveCalibrationError);
    QTest::newRow("cancelled") << int(Cancelled) << int(kSmfSaveCancelled);
}

void TestSmfSave::failureKeepsOldFile()
{
    QFETCH(int, failure);
    QFETCH(int, status);
    const QByteArray oldBytes = "the previous file";
    const QString oldPath = savePath(QStringLiteral("old.smf"));
    QVERIFY(fixtures::writeBytes(oldPath, oldBytes));

    MapProject project(65536);
    makeProject(project);
    MapLayer *layer = fixtures::appendCornerLayer(project, fixtures::mapLikeImage(600, 500));
    project.filePath = oldPath;
    fixtures::RecordingProgress recorder;
    switch (Failure(failure)) {
    case FolderIsAFile:
        project.filePath = oldPath + QStringLiteral("/map.smf");
        break;
    case MissingFolder:
        project.filePath = savePath(QStringLiteral("no/such/folder/map.smf"));
        break;
    case UndecodableImage: {
        const QString broken = savePath(QStringLiteral("broken.png"));
        QVERIFY(fixtures::writeBytes(broken, "\x89PNG\r\n\x1a\n but nothing after"));
        project.layers.prepend(new MapLayer(*layer));
        project.layers.first()->sourcePath = broken;
        project.layers.first()->image = QImage();
        project.layers.first()->loaded = false;
        break;
    }
    case DegenerateAfterClamp:
        // The top-left pixel sits at the right edge, so clamping the bottom-right to
        // the image leaves no width between the points.
        layer->topLeft.pixelX = 600;
        layer->bottomRight.pixelX = 900;
        break;
    case ExtentBeyond32Bits:
        // A 1-pixel-wide calibration of 360 degrees, extended over 599 more pixels.
        layer->topLeft = {0, 0, -648000000, 324000000};
        layer->bottomRight = {1, 1, 648000000, -324000000};
        break;
    case Cancelled:
        recorder.cancelAfterPumps = 2;
        break;
    }
    project.changeFlags = MapProject::kCalibrationChanged;

    QCOMPARE(project.saveSmf(&recorder), status);
    QVERIFY(!project.errorString().isEmpty());
    QCOMPARE(project.changeFlags, quint8(MapProject::kCalibrationChanged));
    QCOMPARE(fixtures::fileBytes(oldPath), oldBytes);
    QVERIFY(project.levelTiles.isEmpty());
    QVERIFY(project.levelRecords.isEmpty());
    QCOMPARE(recorder.finished, 1);
    // Nothing but the old file and the broken image are left in the folder.
    const QStringList left = QDir(m_dir->path()).entryList(QDir::Files);
    QVERIFY2(left.size() <= 2 && left.contains(QStringLiteral("old.smf")), qPrintable(left.join(QLatin1Char(' '))));
}

void TestSmfSave::tooLargeFileIsRefused()
{
    const QString oldPath = savePath(QStringLiteral("large.smf"));
    QVERIFY(fixtures::writeBytes(oldPath, "old"));
    MapProject project(65536);
    makeProject(project);
    project.filePath = oldPath;
    // 33 references to one shared 64 MiB blob describe 2.1 GB without holding it.
    const SmfTileBlob blob(64 * 1024 * 1024, '\0');
    SmfLevelRecord record;
    record.tileColumns = 33;
    record.tileRows = 1;
    project.levelRecords.append(record);
    project.levelTiles.append(QVector<SmfTileBlob>(33, blob));
    QCOMPARE(project.writeSmf(), int(kSmfSaveTooLarge));
    QVERIFY(project.errorString().contains(QStringLiteral("2,147,483,647")));
    QCOMPARE(fixtures::fileBytes(oldPath), QByteArray("old"));
    QVERIFY(project.levelTiles.isEmpty());
}

void TestSmfSave::fileSizeLimitIsAWriteError()
{
    const QString path = savePath(QStringLiteral("limited.smf"));
    const QByteArray oldBytes(500, 'o');
    QVERIFY(fixtures::writeBytes(path, oldBytes));

    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        // In the child: files may not grow past 1000 bytes; the save needs more.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        MapProject project(65536);
        makeProject(project);
        fixtures::appendCornerLayer(project, fixtures::mapLikeImage(600, 1000));
        project.filePath = path;
        project.changeFlags = MapProject::kLayersChanged;
        const int result = project.saveSmf();
        _exit(result == kSmfSaveWriteError && project.changeFlags == MapProject::kLayersChanged ? 0 : 1);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(fixtures::fileBytes(path), oldBytes);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("limited.smf")});
}

QTEST_GUILESS_MAIN(TestSmfSave)
#include "tst_smf_save.moc"
