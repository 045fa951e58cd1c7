#include <QtTest>

#include <zlib.h>

#include <csignal>
#include <cstdio>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QtEndian>

#include "smf/smf_writer.h"
#include "common/project_fixtures.h"
#include "project/map_project.h"
#include "smf/smf_format.h"

namespace {

// Bytes from a hex text with spaces, "00*n" repeating a zero byte n times.
QByteArray hex(const char *text)
{
    QByteArray bytes;
    for (const QByteArray &token : QByteArray(text).simplified().split(' '))
        bytes += token.startsWith("00*") ? QByteArray(token.mid(3).toInt(), '\0') : QByteArray::fromHex(token);
    return bytes;
}

}  // namespace

// The SMF structures byte by byte, the text fields, and the encoding of one tile.
class TestSmfFormat : public QObject
{
    Q_OBJECT
private slots:
    void goldenBytes();
    void goldenTinyFile();
    void textField_data();
    void textField();
    void tilePixels();
    void hugeTileRefusedBeforeAllocating();
};

void TestSmfFormat::goldenBytes()
{
    // Written out by hand: magic 0x172A, version 2, two 64-byte UTF-16LE fields, then
    // four little-endian 32-bit counts; "地图" is U+5730 U+56FE.
    const SmfHeader header{0x172A, 2, QStringLiteral("Ab"), QString::fromUtf8("地图"), 1, 10, 300, 500};
    const QByteArray headerBytes = hex("2a17 0200 41006200 00*60 3057fe56 00*60 01000000 0a000000 2c010000 f4010000");
    // -250000 = 0xFFFC2F70; edges, grid, scale, first tile, then the points as lon, lat, x, y.
    const SmfLevelRecord record{-250000, 1000000, 1, -2, 2, 3, 1250, 6, 0x01020304, 5, 100, 101, 1000000, 0, 500, 900};
    const QByteArray recordBytes = hex("702ffcff 40420f00 01000000 feffffff 02000000 03000000 e2040000 06000000 "
                                       "04030201 05000000 64000000 65000000 40420f00 00000000 f4010000 84030000 00*224");
    const SmfTileIndexEntry entry{444, 0x80000001u};
    const QByteArray entryBytes = hex("bc010000 01000080");
    QCOMPARE(header.toBytes(), headerBytes);
    QCOMPARE(record.toBytes(), recordBytes);
    QCOMPARE(entry.toBytes(), entryBytes);
    SmfHeader readHeader;
    SmfLevelRecord readRecord;
    SmfTileIndexEntry readEntry;
    QVERIFY(SmfHeader::fromBytes(headerBytes, &readHeader) && readHeader.toBytes() == headerBytes);
    QVERIFY(SmfLevelRecord::fromBytes(recordBytes, &readRecord) && readRecord == record);
    QVERIFY(SmfTileIndexEntry::fromBytes(entryBytes, &readEntry) && readEntry.toBytes() == entryBytes);
    // One byte short of each structure is refused, and nothing is read.
    readHeader.tileCount = 7;
    QVERIFY(!SmfHeader::fromBytes(headerBytes.left(147), &readHeader) && readHeader.tileCount == 7);
    QVERIFY(!SmfLevelRecord::fromBytes(recordBytes.left(287), &readRecord));
    QVERIFY(!SmfTileIndexEntry::fromBytes(entryBytes.left(7), &readEntry));
}

void TestSmfFormat::goldenTinyFile()
{
    MapProject project(65536);
    project.setProperties(QStringLiteral("K"), QStringLiteral("M"), QColor(0, 0, 0), 2, 2);
    // 3 x 2 pixels over 10800 x 7200 mas: 3600 per pixel both ways; 2 x 1 tiles of 2 x 2.
    fixtures::appendLayer(project, fixtures::mapLikeImage(3, 2), {0, 0, 0, 7200}, {3, 2, 10800, 0});
    QTemporaryDir dir;
    project.filePath = dir.filePath(QStringLiteral("tiny.smf"));
    QCOMPARE(saveSmf(project), SmfStatus::Ok);
    const QByteArray bytes = fixtures::fileBytes(project.filePath);
    // By hand: right edge extended by one pixel of 3600 mas to 14400; bottom stays;
    // tile 0 at 452, right after the two entries, tile 1 after it.
    QCOMPARE(bytes.left(148), hex("2a17 0200 4b00 00*62 4d00 00*62 01000000 02000000 02000000 02000000"));
    QCOMPARE(bytes.mid(148, 288), hex("00000000 201c0000 40380000 00000000 02000000 01000000 100e0000 00000000 "
                                      "00000000 201c0000 00000000 00000000 302a0000 00000000 03000000 02000000 00*224"));
    const quint32 firstSize = qFromLittleEndian<quint32>(bytes.constData() + 440);
    QCOMPARE(bytes.mid(436, 4), hex("c4010000"));
    QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 444), 452 + firstSize);
    QCOMPARE(qint64(bytes.size()), 452 + firstSize + qFromLittleEndian<quint32>(bytes.constData() + 448));
    // With no layers, the header alone.
    QVERIFY(project.removeLayer(0));
    QCOMPARE(saveSmf(project), SmfStatus::Ok);
    QCOMPARE(fixtures::fileBytes(project.filePath), hex("2a17 0200 4b00 00*62 4d00 00*62 00*8 02000000 02000000"));
}

void TestSmfFormat::textField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored");   // what the 32 code units of the field keep
    QTest::addColumn<QString>("cleaned");  // unpaired surrogates replaced, for JSON output
    const QString thirtyTwo = QStringLiteral("abcdefghijklmnopqrstuvwxyz012345");
    const QString pair = QString::fromUtf8("\xF0\x9F\x97\xBA");  // U+1F5FA, two code units
    const QString low = pair.right(1);
    const QString replacement(QChar::ReplacementCharacter);
    QTest::newRow("pair across the cut drops whole") << thirtyTwo.left(31) + pair << thirtyTwo.left(31)
                                                     << thirtyTwo.left(31) + pair;
    QTest::newRow("pair ending at unit 32 stays") << thirtyTwo.left(30) + pair << thirtyTwo.left(30) + pair
                                                  << thirtyTwo.left(30) + pair;
    QTest::newRow("lone low") << low + 'b' << low + 'b' << replacement + 'b';
}

void TestSmfFormat::textField()
{
    QFETCH(QString, text);
    QFETCH(QString, stored);
    QByteArray field = encodeSmfText(text);
    QCOMPARE(field.size(), 64);
    QCOMPARE(field.mid(2 * stored.size()), QByteArray(64 - 2 * stored.size(), '\0'));
    if (stored.size() < 31)
        field[2 * stored.size() + 2] = 'z';  // what follows the terminating unit is ignored
    QCOMPARE(decodeSmfText(field.constData()), stored);
    QTEST(withUnpairedSurrogatesReplaced(text), "cleaned");
}

void TestSmfFormat::tilePixels()
{
    QImage tile(301, 3, QImage::Format_ARGB32);
    tile.fill(Qt::black);
    tile.setPixel(0, 2, qRgb(255, 0, 0));         // bottom row
    tile.setPixel(1, 2, qRgb(0, 255, 0));
    tile.setPixel(2, 2, qRgb(0, 0, 255));
    tile.setPixel(3, 2, qRgb(15, 15, 15));        // low 3 bits dropped, no rounding
    tile.setPixel(0, 1, qRgba(255, 255, 255, 0)); // alpha ignored
    tile.setPixel(300, 0, qRgb(0, 0, 255));       // last pixel of the top row
    const QByteArray raw = encodeTilePixels(tile);
    QCOMPARE(raw.size(), 604 * 3);  // 602 bytes a row, padded to 4
    // The bottom row is stored first, the top row last.
    QCOMPARE(raw.left(10), hex("007c e003 1f00 2104 0000"));
    QCOMPARE(raw.mid(600, 8), hex("0000 0000 ff7f 0000"));  // padding, then the middle row
    QCOMPARE(raw.mid(2 * 604 + 598, 6), hex("0000 1f00 0000"));
    // Decoded as the browse window decodes it, the right way up; 31 of 31 reads 248.
    const QImage decoded = decodeTile(compressTile(raw), 301, 3);
    QVERIFY(decoded.pixel(0, 2) == qRgb(248, 0, 0) && decoded.pixel(300, 0) == qRgb(0, 0, 248));
    // A complete stream one byte short of the tile is refused; the damaged files of the
    // command-line test reach the other refusals, and a browse view drawing them shows
    // that decodeTile passes a refusal on.
    QCOMPARE(inflateTile(compressTile(raw), raw.size()), raw);
    QVERIFY(inflateTile(compressTile(raw.chopped(1)), raw.size()).isNull());
    // Every level makes a stream zlib itself inflates to the raw tile; 12 the smallest.
    QByteArray inflated(raw.size(), '\0');
    for (int level = kMinDeflateLevel; level <= kMaxDeflateLevel; ++level) {
        const QByteArray payload = compressTile(raw, level);
        uLongf length = uLongf(inflated.size());
        QCOMPARE(uncompress(reinterpret_cast<Bytef *>(inflated.data()), &length,
                            reinterpret_cast<const Bytef *>(payload.constData()), uLong(payload.size())), Z_OK);
        QCOMPARE(inflated, raw);
        QVERIFY(compressTile(raw, kMaxDeflateLevel).size() <= payload.size());
    }
}

void TestSmfFormat::hugeTileRefusedBeforeAllocating()
{
    // Deflate expands at most 1032:1, so a 100-byte payload cannot hold a tile of 3 GB:
    // it is refused before any of it is allocated. Checked in a child process whose
    // address space cannot take 3 GB more, so that an allocation fails even where
    // memory is over-committed.
    const QByteArray payload = compressTile(QByteArray(100, '\0'));
    const pid_t child = fork();
    if (child == 0) {
        long pages = 0;
        if (FILE *statm = std::fopen("/proc/self/statm", "r")) {
            pages = std::fscanf(statm, "%ld", &pages) == 1 ? pages : 0;
            std::fclose(statm);
        }
        const rlim_t room = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + (rlim_t(256) << 20);
        const struct rlimit limit{room, room};
        setrlimit(RLIMIT_AS, &limit);
        // A failed allocation must end the child at once, not in the test library's crash handler.
        std::signal(SIGABRT, SIG_DFL);
        std::signal(SIGSEGV, SIG_DFL);
        try {
            _exit(inflateTile(payload, 3LL << 30).isNull() && decodeTile(payload, 40000, 40000).isNull() ? 0 : 1);
        } catch (...) {
            _exit(2);
        }
    }
    int status = -1;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, "a tile of 3 GB was allocated for a 100-byte payload");
}

QTEST_GUILESS_MAIN(TestSmfFormat)
#include "tst_smf_format.moc"
