#include <QtTest>

#include "smf/smf_header.h"
#include "smf/smf_layout.h"
#include "smf/smf_level_record.h"
#include "smf/smf_text_field.h"
#include "smf/smf_tile_index_entry.h"

namespace {

// Bytes from a hex text with spaces, "00*n" repeating a zero byte n times.
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

}  // namespace

class TestSmfFormat : public QObject
{
    Q_OBJECT
private slots:
    void headerGoldenBytes();
    void levelRecordGoldenBytes();
    void tileIndexEntryGoldenBytes();
    void shortInputIsRefused();
    void textField_data();
    void textField();
    void textFieldsDoNotTouchEachOther();
    void textReadStopsAtZero();
    void unpairedSurrogates_data();
    void unpairedSurrogates();
    void rowStride_data();
    void rowStride();
    void offsets();
};

void TestSmfFormat::headerGoldenBytes()
{
    SmfHeader header;
    header.cartographer = QStringLiteral("Ab");
    header.mapName = QString::fromUtf8("地图");  // U+5730 U+56FE
    header.levelCount = 1;
    header.tileCount = 10;
    header.tileWidth = 300;
    header.tileHeight = 500;
    // Written out by hand from the layout: magic 0x172A, version 2, two 64-byte UTF-16LE
    // fields, then four little-endian 32-bit counts.
    const QByteArray expected = hex("2a17 0200 41006200 00*60 3057fe56 00*60 01000000 0a000000 2c010000 f4010000");
    QCOMPARE(expected.size(), 148);
    QCOMPARE(header.toBytes(), expected);

    SmfHeader read;
    QVERIFY(SmfHeader::fromBytes(expected, &read));
    QCOMPARE(read.magic, quint16(0x172A));
    QCOMPARE(read.version, quint16(2));
    QCOMPARE(read.cartographer, header.cartographer);
    QCOMPARE(read.mapName, header.mapName);
    QCOMPARE(read.levelCount, 1);
    QCOMPARE(read.tileCount, 10);
    QCOMPARE(read.tileWidth, 300);
    QCOMPARE(read.tileHeight, 500);
}

void TestSmfFormat::levelRecordGoldenBytes()
{
    SmfLevelRecord record;
    record.left = -250000;
    record.top = 1000000;
    record.right = 1;
    record.bottom = -2;
    record.tileColumns = 2;
    record.tileRows = 3;
    record.verticalScale = 1250;
    record.firstTile = 6;
    record.topLeftLon = 0x01020304;
    record.topLeftLat = 5;
    record.topLeftX = 100;
    record.topLeftY = 101;
    record.bottomRightLon = 1000000;
    record.bottomRightLat = 0;
    record.bottomRightX = 500;
    record.bottomRightY = 900;
    // -250000 = 0xFFFC2F70; the point fields come as lon, lat, x, y.
    const QByteArray expected = hex("702ffcff 40420f00 01000000 feffffff 02000000 03000000 e2040000 06000000 "
                                    "04030201 05000000 64000000 65000000 40420f00 00000000 f4010000 84030000 "
                                    "00*224");
    QCOMPARE(expected.size(), 288);
    QCOMPARE(record.toBytes(), expected);
    SmfLevelRecord read;
    QVERIFY(SmfLevelRecord::fromBytes(expected, &read));
    QVERIFY(read == record);
}

void TestSmfFormat::tileIndexEntryGoldenBytes()
{
    const SmfTileIndexEntry entry{444, 0x80000001u};
    QCOMPARE(entry.toBytes(), hex("bc010000 01000080"));
    SmfTileIndexEntry read;
    QVERIFY(SmfTileIndexEntry::fromBytes(entry.toBytes(), &read));
    QCOMPARE(read.offset, 444u);
    QCOMPARE(read.size, 0x80000001u);
}

void TestSmfFormat::shortInputIsRefused()
{
    SmfHeader header;
    header.levelCount = 7;
    QVERIFY(!SmfHeader::fromBytes(QByteArray(147, '\0'), &header));
    QCOMPARE(header.levelCount, 7);
    SmfLevelRecord record;
    QVERIFY(!SmfLevelRecord::fromBytes(QByteArray(287, '\0'), &record));
    SmfTileIndexEntry entry;
    QVERIFY(!SmfTileIndexEntry::fromBytes(QByteArray(7, '\0'), &entry));
}

void TestSmfFormat::textField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");
    const QString thirtyTwo = QStringLiteral("abcdefghijklmnopqrstuvwxyz012345");
    const QString pair = QString::fromUtf8("\xF0\x9F\x97\xBA");  // U+1F5FA, two code units
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("32-unit cartographer fills the field") << thirtyTwo << thirtyTwo;
    QTest::newRow("33-unit cartographer keeps 32") << thirtyTwo + QLatin1Char('6') << thirtyTwo;
    QTest::newRow("Chinese text") << QString::fromUtf8("制图人张三") << QString::fromUtf8("制图人张三");
    QTest::newRow("surrogate pair across the cut drops whole")
        << thirtyTwo.left(31) + pair << thirtyTwo.left(31);
    QTest::newRow("surrogate pair ending at unit 32 stays")
        << thirtyTwo.left(30) + pair + QLatin1Char('x') << thirtyTwo.left(30) + pair;
}

void TestSmfFormat::textField()
{
    QFETCH(QString, text);
    QFETCH(QString, stored);
    const QByteArray field = encodeSmfText(text);
    QCOMPARE(field.size(), 64);
    QCOMPARE(decodeSmfText(field.constData()), stored);
    // Units after the text are zero.
    QVERIFY(field.mid(2 * stored.size()).count('\0') == 64 - 2 * stored.size());
}

void TestSmfFormat::textFieldsDoNotTouchEachOther()
{
    SmfHeader header;
    header.cartographer = QString(40, QLatin1Char('c'));
    header.mapName = QStringLiteral("m");
    SmfHeader read;
    QVERIFY(SmfHeader::fromBytes(header.toBytes(), &read));
    QCOMPARE(read.cartographer, QString(32, QLatin1Char('c')));
    QCOMPARE(read.mapName, QStringLiteral("m"));
}

void TestSmfFormat::textReadStopsAtZero()
{
    QByteArray field = encodeSmfText(QStringLiteral("ab"));
    field[6] = 'z';  // garbage after the terminating unit is ignored
    QCOMPARE(decodeSmfText(field.constData()), QStringLiteral("ab"));
}

void TestSmfFormat::unpairedSurrogates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("cleaned");
    const QChar high(0xD83D);
    const QChar low(0xDDFA);
    const QChar replacement(QChar::ReplacementCharacter);
    QTest::newRow("pair kept") << (QString(high) + low) << (QString(high) + low);
    QTest::newRow("lone high at the end") << (QStringLiteral("a") + high) << (QStringLiteral("a") + replacement);
    QTest::newRow("lone low") << (QString(low) + QLatin1Char('b')) << (QString(replacement) + QLatin1Char('b'));
    QTest::newRow("two highs then low") << (QString(high) + high + low) << (QString(replacement) + high + low);
}

void TestSmfFormat::unpairedSurrogates()
{
    QFETCH(QString, text);
    QFETCH(QString, cleaned);
    QCOMPARE(withUnpairedSurrogatesReplaced(text), cleaned);
}

void TestSmfFormat::rowStride_data()
{
    QTest::addColumn<int>("tileWidth");
    QTest::addColumn<qint64>("stride");
    QTest::newRow("300 pixels") << 300 << qint64(600);
    QTest::newRow("301 pixels: 602 rounded up") << 301 << qint64(604);
    QTest::newRow("1 pixel") << 1 << qint64(4);
    QTest::newRow("2 pixels") << 2 << qint64(4);
    QTest::newRow("3 pixels") << 3 << qint64(8);
}

void TestSmfFormat::rowStride()
{
    QFETCH(int, tileWidth);
    QFETCH(qint64, stride);
    QCOMPARE(tileRowStride(tileWidth), stride);
    QCOMPARE(rawTileSize(tileWidth, 500), stride * 500);
}

void TestSmfFormat::offsets()
{
    QCOMPARE(levelRecordOffset(0), qint64(148));
    QCOMPARE(levelRecordOffset(2), qint64(148 + 576));
    // One level of one tile: its entry at 436, its payload at 444.
    QCOMPARE(tileIndexOffset(1), qint64(436));
    QCOMPARE(tileDataOffset(1, 1), qint64(444));
    // Two levels of 2 x 3 and 4 x 1 tiles: data at 148 + 576 + 80.
    QCOMPARE(tileDataOffset(2, 10), qint64(804));
    SmfLevelRecord second;
    second.firstTile = 6;
    second.tileColumns = 4;
    second.tileRows = 1;
    QCOMPARE(tileIndexPosition(second, 3, 0), qint64(9));
    SmfLevelRecord first;
    first.tileColumns = 2;
    first.tileRows = 3;
    QCOMPARE(tileIndexPosition(first, 1, 2), qint64(5));
}

QTEST_GUILESS_MAIN(TestSmfFormat)
#include "tst_smf_format.moc"
