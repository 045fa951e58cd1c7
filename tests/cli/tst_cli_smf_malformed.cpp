// Malformed SMF files against every reader: mapvane-cli extract (under a memory
// cap), a project opened for editing and one opened for browsing with a paint
// of its first tiles. Each either refuses the file with a clear message or draws the
// bad tiles white (extract: refuses a damaged tile by its place, or with --keep-going
// draws it in the fill colour); none crashes or allocates far beyond the file and one
// level image.

#include <QtTest>

#include <QPainter>
#include <QtEndian>

#include "smf/smf_reader.h"
#include "common/cli_runner.h"
#include "common/project_fixtures.h"
#include "common/smf_builder.h"
#include "project/map_layer.h"
#include "project/map_project.h"
#include "view/browse_view.h"
#include "smf/smf_format.h"

#if defined(__SANITIZE_ADDRESS__)
#define MAPVANE_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MAPVANE_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

// Header fields, byte offsets.
constexpr int kLevelCountAt = 132;
constexpr int kTileCountAt = 136;
constexpr int kTileWidthAt = 140;
constexpr int kTileHeightAt = 144;
// Level record field of the only level, byte offset in the file.
constexpr int kFirstTileAt = kSmfHeaderSize + 28;

qint64 entryAt(int tile) { return tileIndexOffset(1) + 8 * tile; }

}  // namespace

class TestCliSmfMalformed : public QObject
{
    Q_OBJECT
private slots:
    void malformed_data();
    void malformed();

private:
    QTemporaryDir m_dir;
};

void TestCliSmfMalformed::malformed_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("refusal");  // in extract's message; empty: the file is read
    QTest::addColumn<bool>("firstTileWhite");  // tile (0, 0) is damaged: drawn white, refused by extract
    QTest::addColumn<SmfStatus>("editResult");       // openSmf of an editing project

    // The 2 x 1 file most cases start from: a red tile and a blue one of 16 x 8 pixels.
    const auto redBlue = [](int, int column, int) { return column ? qRgb(0, 0, 255) : qRgb(255, 0, 0); };
    const auto white = [](int, int, int) { return qRgb(255, 255, 255); };
    const QByteArray valid = buildSmfFile(16, 8, {gridRecord(2, 1)}, redBlue);
    const qint32 redSize = qFromLittleEndian<qint32>(valid.constData() + entryAt(0) + 4);
    // The valid file with 32-bit fields set: {offset, value} pairs.
    const auto patched = [&valid](std::initializer_list<std::pair<qint64, qint32>> fields) {
        QByteArray bytes = valid;
        for (const auto &[offset, value] : fields)
            qToLittleEndian<qint32>(value, bytes.data() + offset);
        return bytes;
    };
    QTest::newRow("truncated header") << valid.left(100) << "too short" << false << SmfStatus::InvalidFile;
    QTest::newRow("truncated index") << valid.left(entryAt(1) + 4) << "truncated" << false << SmfStatus::InvalidFile;
    QTest::newRow("entry past the end") << patched({{entryAt(1), qint32(valid.size() - 2)}, {entryAt(1) + 4, 100}}) << "points outside" << false << SmfStatus::InvalidFile;
    // offset + size wraps in 32 bits
    QTest::newRow("entry size wrapping 32 bits") << patched({{entryAt(1) + 4, -16}}) << "points outside" << false << SmfStatus::InvalidFile;

    QByteArray notZlib = valid;
    notZlib.replace(tileDataOffset(1, 2), 7, "notzlib");
    QTest::newRow("payload not zlib") << notZlib << QString() << true << SmfStatus::Ok;
    QTest::newRow("payload too short") << patched({{entryAt(0) + 4, redSize - 5}}) << QString() << true << SmfStatus::Ok;
    QTest::newRow("payload inflates past the tile")
        << buildSmfFile(16, 8, {gridRecord(2, 1)}, redBlue, 64) << QString() << true << SmfStatus::Ok;

    QTest::newRow("negative level count") << patched({{kLevelCountAt, -1}}) << "negative count" << false << SmfStatus::InvalidFile;
    QTest::newRow("negative tile count") << patched({{kTileCountAt, -2}}) << "negative count" << false << SmfStatus::InvalidFile;
    QTest::newRow("huge level count") << patched({{kLevelCountAt, 0x7FFFFFFF}}) << "truncated" << false << SmfStatus::InvalidFile;
    QTest::newRow("huge tile count") << patched({{kTileCountAt, 0x7FFFFFFF}}) << "truncated" << false << SmfStatus::InvalidFile;
    QTest::newRow("tile width 0") << patched({{kTileWidthAt, 0}}) << "tile size" << false << SmfStatus::InvalidFile;
    QTest::newRow("tile height 100001") << patched({{kTileHeightAt, 100001}}) << "tile size" << false << SmfStatus::InvalidFile;
    QTest::newRow("negative tile width") << patched({{kTileWidthAt, -16}}) << "negative tile size" << false << SmfStatus::InvalidFile;
    QTest::newRow("firstTile leaves the index") << patched({{kFirstTileAt, 1}}) << "outside the tile index" << false << SmfStatus::InvalidFile;
    QTest::newRow("negative firstTile") << patched({{kFirstTileAt, -1}}) << "outside the tile index" << false << SmfStatus::InvalidFile;
    QTest::newRow("negative tile columns") << patched({{kSmfHeaderSize + 16, -2}}) << "negative tile grid" << false << SmfStatus::InvalidFile;
    QTest::newRow("entry pointing into the records") << patched({{entryAt(0), kSmfHeaderSize}}) << "points outside" << false
                                                     << SmfStatus::InvalidFile;
    // 21475 tiles of 100000 pixels in one row: 2,147,500,000 pixels wide.
    QTest::newRow("level wider than 32 bits") << buildSmfFile(100000, 1, {gridRecord(21475, 1)}, white)
                                              << "2,147,483,647 pixels" << false << SmfStatus::InvalidFile;

    QTest::newRow("overlapping payloads") << buildSmfFile(16, 8, {gridRecord(2, 1)}, [](int, int, int) { return qRgb(255, 0, 0); }, 0, true)
                                          << QString() << false << SmfStatus::Ok;
    // Tiles of 40,000 x 40,000 pixels (3.2 GB raw) from a few hundred bytes: the browse
    // paint used to allocate the whole tile before finding that it cannot inflate.
    QTest::newRow("tile far larger than its payload")
        << patched({{kTileWidthAt, 40000}, {kTileHeightAt, 40000}}) << "more than its" << false << SmfStatus::TooLarge;
    // 3,600 entries sharing one 2 kB payload claim a 60,000 x 60,000 level (7.2 GB):
    // counted once per entry, the shared payload looked large enough to hold it.
    QTest::newRow("overlapping payloads claim a huge level")
        << buildSmfFile(1000, 1000, {gridRecord(60, 60)}, white, 0, true) << "more than its" << false << SmfStatus::TooLarge;
}

void TestCliSmfMalformed::malformed()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, refusal);
    QFETCH(bool, firstTileWhite);
    QFETCH(SmfStatus, editResult);
    const QString path = m_dir.filePath(QStringLiteral("case.smf"));
    QVERIFY(fixtures::writeBytes(path, bytes));
    QFile::remove(m_dir.filePath(QStringLiteral("case.png")));

    // Address space: what the program needs to start, the file, one level image of up
    // to 16 MB (assembled whatever its payloads), a raw tile, and the PNG encoder's
    // buffers. A sanitized build reserves terabytes of shadow memory, so it runs
    // without the cap and relies on the sanitizer's own checks.
#if defined(MAPVANE_ADDRESS_SANITIZER)
    const QStringList wrapper;
#else
    const qint64 cap = 400LL * 1024 * 1024 + 2 * bytes.size() + 2 * 16 * 1024 * 1024;
    const QStringList wrapper = {QStringLiteral("prlimit"), QStringLiteral("--as=%1").arg(cap)};
#endif
    const cli::Result extract = cli::run(m_dir.path(), cli::words(QStringLiteral("extract case.smf 0 case.png")), wrapper);
    // Damaged content, not a failed read: 1 when refused, never a crash (-1).
    QVERIFY2(extract.exitCode == (refusal.isEmpty() && !firstTileWhite ? 0 : 1), extract.err.constData());
    QVERIFY2(QString::fromUtf8(extract.err).contains(refusal), extract.err.constData());
    if (firstTileWhite) {
        QVERIFY2(extract.err.contains("case.smf: level 0, column 0, row 0: the tile is damaged"), extract.err.constData());
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("case.png"))));
        const cli::Result keptGoing = cli::run(
            m_dir.path(), cli::words(QStringLiteral("extract case.smf 0 case.png --keep-going --fill 0,255,0")), wrapper);
        QCOMPARE(keptGoing.exitCode, 0);
        QVERIFY2(keptGoing.err.contains("column 0, row 0: the tile is damaged and drawn in the fill colour"),
                 keptGoing.err.constData());
    }
    if (refusal.isEmpty()) {
        const QImage image(m_dir.filePath(QStringLiteral("case.png")));
        QCOMPARE(image.size(), QSize(32, 8));
        QCOMPARE(image.pixel(3, 3), firstTileWhite ? qRgb(0, 255, 0) : qRgb(255, 0, 0));
    }

    // Opened for editing and for browsing; a refused file leaves the project as it was,
    // bound to its old file, and says why.
    for (const bool browse : {false, true}) {
        MapProject project(4096);
        project.browseMode = browse;
        project.filePath = QStringLiteral("/old/file.smf");
        const SmfStatus result = browse && editResult == SmfStatus::TooLarge ? SmfStatus::Ok : editResult;  // browsing reads tile by tile
        QCOMPARE(openSmf(project, path), result);
        // An editing project refuses a level too large to edit in words of its own.
        const QString error = project.errorString();
        QVERIFY2(result == SmfStatus::Ok ? error.isEmpty() : error.contains(result == SmfStatus::TooLarge ? QStringLiteral("10,000") : refusal),
                 qPrintable(error));
        QCOMPARE(project.layers.size(), qsizetype(result == SmfStatus::Ok ? 1 : 0));
        QCOMPARE(project.smfImages.size(), qsizetype(result == SmfStatus::Ok ? 1 : 0));
        QCOMPARE(project.filePath, result == SmfStatus::Ok ? path : QStringLiteral("/old/file.smf"));
        if (!browse || result != SmfStatus::Ok)
            continue;
        MapLayer *layer = project.layers.first();
        BrowseView view;
        QVERIFY(prepareBrowseLayer(view, *layer));
        QImage canvas(64, 32, QImage::Format_RGB32);
        canvas.fill(Qt::black);
        QPainter painter(&canvas);
        paintBrowseView(painter, canvas.size(), view, layer, project.smfImages.first(), 0, 0);
        painter.end();
        // Red 31 of 31 reads back as 248 from the 16-bit bitmap; a tile left out stays
        // the white background (a white tile drawn is 248 grey, as white as it gets).
        const QRgb pixel = canvas.pixel(3, 3);
        if (refusal.isEmpty() && !firstTileWhite)
            QCOMPARE(pixel, qRgb(248, 0, 0));
        else
            QVERIFY2(qRed(pixel) >= 248 && qGreen(pixel) >= 248 && qBlue(pixel) >= 248, qPrintable(QString::number(pixel, 16)));
    }
}

QTEST_MAIN(TestCliSmfMalformed)
#include "tst_cli_smf_malformed.moc"
