#include <QtTest>

#include <QBuffer>
#include <QtEndian>

#include "common/project_fixtures.h"
#include "smf/smf_file_index.h"
#include "smf/smf_header.h"
#include "smf/smf_layout.h"
#include "smf/smf_level_image.h"
#include "smf/smf_level_record.h"
#include "smf/smf_tile_index_entry.h"
#include "smf/tile_encoding.h"

namespace {

void putInt(QByteArray &bytes, qint64 offset, quint32 value)
{
    qToLittleEndian<quint32>(value, reinterpret_cast<uchar *>(bytes.data()) + offset);
}

// A file built from parts, for structures no project produces.
QByteArray assemble(const SmfHeader &header, const QVector<SmfLevelRecord> &levels,
                    const QVector<SmfTileIndexEntry> &tiles, const QByteArray &data)
{
    QByteArray bytes = header.toBytes();
    for (const SmfLevelRecord &level : levels)
        bytes += level.toBytes();
    for (const SmfTileIndexEntry &tile : tiles)
        bytes += tile.toBytes();
    return bytes + data;
}

struct Read
{
    bool ok = false;
    QString error;
    SmfFileIndex index;
};

Read readBytes(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    Read read;
    read.ok = readSmfStructure(buffer, &read.index, &read.error);
    return read;
}

}  // namespace

class TestSmfFileIndex : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void validFile();
    void damaged_data();
    void damaged();
    void levelWiderThan32Bits();
    void damagedPayloadStaysWhite();
    void hugeClaimIsRefusedBeforeAllocating();
    void missingLevel();

private:
    QByteArray m_valid;  // two levels: 2 x 1 and 1 x 1 tiles of 300 x 500
};

void TestSmfFileIndex::initTestCase()
{
    QTemporaryDir dir;
    MapProject project(65536);
    project.setProperties(QStringLiteral("Kelvo"), QStringLiteral("Index"), QColor(122, 122, 122), 300, 500);
    fixtures::appendCornerLayer(project, fixtures::mapLikeImage(600, 500));
    fixtures::appendCornerLayer(project, fixtures::mapLikeImage(300, 500));
    project.filePath = dir.filePath(QStringLiteral("valid.smf"));
    QCOMPARE(project.saveSmf(), 0);
    m_valid = fixtures::fileBytes(project.filePath);
    QVERIFY(m_valid.size() > 148 + 576 + 24);
}

void TestSmfFileIndex::validFile()
{
    const Read read = readBytes(m_valid);
    QVERIFY2(read.ok, qPrintable(read.error));
    QCOMPARE(read.index.fileSize, qint64(m_valid.size()));
    QCOMPARE(read.index.header.mapName, QStringLiteral("Index"));
    QCOMPARE(read.index.levels.size(), 2);
    QCOMPARE(read.index.tiles.size(), 3);
    QCOMPARE(read.index.levels.at(1).firstTile, 2);
    QCOMPARE(read.index.tile(0, 1, 0).offset, read.index.tiles.at(1).offset);
    QCOMPARE(read.index.rawTileBytes(), qint64(300000));
}

void TestSmfFileIndex::damaged_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    const qint64 index = tileIndexOffset(2);
    QTest::newRow("empty file") << QByteArray() << "too short";
    QTest::newRow("truncated header") << m_valid.left(100) << "too short";
    QByteArray png = QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(200, 'x');
    QTest::newRow("foreign file") << png << "not an SMF file";
    QByteArray negative = m_valid;
    putInt(negative, 132, quint32(-1));
    QTest::newRow("negative level count") << negative << "negative count";
    QTest::newRow("truncated records") << m_valid.left(148 + 288) << "truncated";
    QTest::newRow("truncated index") << m_valid.left(int(index) + 20) << "truncated";
    QByteArray hugeCount = m_valid;
    putInt(hugeCount, 136, 0x7FFFFFFF);
    QTest::newRow("tile count far beyond the file") << hugeCount << "truncated";
    QByteArray pastEnd = m_valid;
    putInt(pastEnd, index + 8 + 4, quint32(m_valid.size()));  // second tile's size
    QTest::newRow("entry past the end") << pastEnd << "points outside";
    QByteArray intoIndex = m_valid;
    putInt(intoIndex, index, 148);
    QTest::newRow("entry pointing into the records") << intoIndex << "points outside";
    QByteArray wrapping = m_valid;
    putInt(wrapping, index, 0xFFFFFFF0u);
    putInt(wrapping, index + 4, 0x20);
    QTest::newRow("entry whose end wraps 32 bits") << wrapping << "points outside";
    QByteArray outsideIndex = m_valid;
    putInt(outsideIndex, levelRecordOffset(1) + 28, 2 + 1);  // second level's firstTile
    QTest::newRow("level tiles beyond the index") << outsideIndex << "outside the tile index";
    QByteArray negativeFirst = m_valid;
    putInt(negativeFirst, levelRecordOffset(0) + 28, quint32(-1));
    QTest::newRow("negative first tile") << negativeFirst << "outside the tile index";
    QByteArray negativeGrid = m_valid;
    putInt(negativeGrid, levelRecordOffset(0) + 16, quint32(-2));
    QTest::newRow("negative tile columns") << negativeGrid << "negative tile grid";
    QByteArray zeroTile = m_valid;
    putInt(zeroTile, 140, 0);
    QTest::newRow("tile width 0 with tiles") << zeroTile << "tile size";
    QByteArray wideTile = m_valid;
    putInt(wideTile, 144, 100001);
    QTest::newRow("tile height 100001") << wideTile << "tile size";
}

void TestSmfFileIndex::damaged()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const Read read = readBytes(bytes);
    QVERIFY(!read.ok);
    QVERIFY2(read.error.contains(reason), qPrintable(read.error));
}

void TestSmfFileIndex::levelWiderThan32Bits()
{
    // 21475 tiles of 100000 pixels in one row: 2,147,500,000 pixels wide.
    SmfHeader header;
    header.levelCount = 1;
    header.tileCount = 21475;
    header.tileWidth = 100000;
    header.tileHeight = 1;
    SmfLevelRecord level;
    level.tileColumns = 21475;
    level.tileRows = 1;
    const quint32 data = quint32(tileDataOffset(1, 21475));
    const QVector<SmfTileIndexEntry> tiles(21475, SmfTileIndexEntry{data, 1});
    const Read read = readBytes(assemble(header, {level}, tiles, "x"));
    QVERIFY(!read.ok);
    QVERIFY2(read.error.contains(QStringLiteral("2,147,483,647 pixels")), qPrintable(read.error));
}

void TestSmfFileIndex::damagedPayloadStaysWhite()
{
    QByteArray bytes = m_valid;
    const Read valid = readBytes(bytes);
    const SmfTileIndexEntry second = valid.index.tiles.at(1);
    bytes.replace(second.offset, 4, "junk");  // the right tile of level 0 is no zlib stream now
    QBuffer buffer;
    buffer.setData(bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    SmfFileIndex index;
    QString error;
    QVERIFY(readSmfStructure(buffer, &index, &error));
    const SmfLevelImage level = assembleLevelImage(buffer, index, 0);
    QVERIFY2(!level.image.isNull(), qPrintable(level.error));
    QCOMPARE(level.damagedTiles, QVector<QPoint>{QPoint(1, 0)});
    QCOMPARE(level.image.pixel(450, 250), qRgb(255, 255, 255));
    QVERIFY(level.image.pixel(150, 250) != qRgb(255, 255, 255));
}

void TestSmfFileIndex::hugeClaimIsRefusedBeforeAllocating()
{
    // One tile of 100000 x 100000 pixels (20 GB raw) in a 10-byte payload.
    SmfHeader header;
    header.levelCount = 1;
    header.tileCount = 1;
    header.tileWidth = 100000;
    header.tileHeight = 100000;
    SmfLevelRecord level;
    level.tileColumns = 1;
    level.tileRows = 1;
    const QByteArray bytes = assemble(header, {level}, {SmfTileIndexEntry{quint32(tileDataOffset(1, 1)), 10}},
                                      QByteArray(10, 'z'));
    QBuffer buffer;
    buffer.setData(bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    SmfFileIndex index;
    QString error;
    QVERIFY2(readSmfStructure(buffer, &index, &error), qPrintable(error));
    const SmfLevelImage image = assembleLevelImage(buffer, index, 0);
    QVERIFY(image.image.isNull());
    QVERIFY2(image.error.contains(QStringLiteral("more than its 10 bytes")), qPrintable(image.error));
}

void TestSmfFileIndex::missingLevel()
{
    QBuffer buffer;
    buffer.setData(m_valid);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    SmfFileIndex index;
    QString error;
    QVERIFY(readSmfStructure(buffer, &index, &error));
    const SmfLevelImage image = assembleLevelImage(buffer, index, 2);
    QVERIFY(image.image.isNull());
    QVERIFY(image.error.contains(QStringLiteral("no level 2")));
}

QTEST_GUILESS_MAIN(TestSmfFileIndex)
#include "tst_smf_file_index.moc"
