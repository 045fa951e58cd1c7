#include <QtTest>

#include <QPainter>
#include <QtEndian>

#include "common/project_fixtures.h"
#include "smf/smf_layout.h"
#include "smf/tile_cutting.h"
#include "smf/tile_encoding.h"

namespace {

quint16 wordAt(const QByteArray &raw, qint64 offset)
{
    return qFromLittleEndian<quint16>(reinterpret_cast<const uchar *>(raw.constData()) + offset);
}

// The tiles of image the long way: draw it onto a fill-coloured canvas of whole
// tiles, then cut that canvas.
QVector<QByteArray> tilesThroughPaddedCanvas(const QImage &image, QSize tile, QRgb fill)
{
    const int columns = (image.width() + tile.width() - 1) / tile.width();
    const int rows = (image.height() + tile.height() - 1) / tile.height();
    QImage canvas(columns * tile.width(), rows * tile.height(), QImage::Format_RGB32);
    canvas.fill(fill);
    QPainter painter(&canvas);
    painter.drawImage(0, 0, image);
    painter.end();
    QVector<QByteArray> tiles;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const QImage cut = canvas.copy(QRect(QPoint(c * tile.width(), r * tile.height()), tile));
            tiles.append(compressTile(encodeTilePixels(cut)));
        }
    }
    return tiles;
}

QImage withTransparency(const QImage &image)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            line[x] = (line[x] & 0x00FFFFFF) | (uint((x * 37 + y * 11) % 256) << 24);
    }
    return result;
}

}  // namespace

class TestSmfTileEncoding : public QObject
{
    Q_OBJECT
private slots:
    void pixelWord_data();
    void pixelWord();
    void rowsBottomUpAndPadded();
    void cutEqualsPaddedCanvas_data();
    void cutEqualsPaddedCanvas();
    void transparentPixelsShowFill();
    void decodeRoundTrip();
    void inflateNeedsTheFullTile_data();
    void inflateNeedsTheFullTile();
};

void TestSmfTileEncoding::pixelWord_data()
{
    QTest::addColumn<QRgb>("pixel");
    QTest::addColumn<quint16>("word");
    QTest::newRow("white") << qRgb(255, 255, 255) << quint16(0x7FFF);
    QTest::newRow("black") << qRgb(0, 0, 0) << quint16(0x0000);
    QTest::newRow("pure red") << qRgb(255, 0, 0) << quint16(0x7C00);
    QTest::newRow("pure green") << qRgb(0, 255, 0) << quint16(0x03E0);
    QTest::newRow("pure blue") << qRgb(0, 0, 255) << quint16(0x001F);
    QTest::newRow("low 3 bits dropped, no rounding") << qRgb(7, 7, 7) << quint16(0x0000);
    QTest::newRow("one step of each") << qRgb(8, 8, 8) << quint16(0x0421);
    QTest::newRow("alpha ignored") << qRgba(255, 0, 0, 0) << quint16(0x7C00);
}

void TestSmfTileEncoding::pixelWord()
{
    QFETCH(QRgb, pixel);
    QFETCH(quint16, word);
    QImage tile(4, 2, QImage::Format_ARGB32);
    tile.fill(pixel);
    const QByteArray raw = encodeTilePixels(tile);
    QCOMPARE(raw.size(), 16);
    for (int offset = 0; offset < raw.size(); offset += 2)
        QCOMPARE(wordAt(raw, offset), word);
}

void TestSmfTileEncoding::rowsBottomUpAndPadded()
{
    QImage tile(301, 3, QImage::Format_RGB32);
    tile.fill(Qt::black);
    for (int x = 0; x < 301; ++x)
        tile.setPixel(x, 2, qRgb(255, 0, 0));  // bottom row red
    tile.setPixel(300, 0, qRgb(0, 0, 255));    // last pixel of the top row blue
    const QByteArray raw = encodeTilePixels(tile);
    QCOMPARE(raw.size(), 604 * 3);
    QCOMPARE(wordAt(raw, 0), quint16(0x7C00));          // first stored row is the bottom one
    QCOMPARE(wordAt(raw, 600), quint16(0x7C00));
    QCOMPARE(wordAt(raw, 602), quint16(0));             // row padding
    QCOMPARE(wordAt(raw, 604), quint16(0));             // middle row
    QCOMPARE(wordAt(raw, 2 * 604 + 600), quint16(0x001F));  // top row is stored last
}

void TestSmfTileEncoding::cutEqualsPaddedCanvas_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QSize>("tile");
    const QImage map = fixtures::mapLikeImage(301, 157);
    QTest::newRow("32-bit RGB, edge tiles") << map << QSize(100, 50);
    QTest::newRow("32-bit RGB, one tile larger than the image") << map << QSize(400, 300);
    QTest::newRow("ARGB with partial transparency") << withTransparency(map) << QSize(64, 64);
    QTest::newRow("premultiplied ARGB") << withTransparency(map).convertToFormat(QImage::Format_ARGB32_Premultiplied)
                                        << QSize(64, 64);
    QTest::newRow("24-bit RGB (JPEG loader)") << map.convertToFormat(QImage::Format_RGB888) << QSize(90, 70);
    QTest::newRow("8-bit palette (PNG loader)") << map.convertToFormat(QImage::Format_Indexed8) << QSize(90, 70);
    QTest::newRow("grayscale") << map.convertToFormat(QImage::Format_Grayscale8) << QSize(90, 70);
    QTest::newRow("1-bit") << map.convertToFormat(QImage::Format_Mono) << QSize(90, 70);
    QTest::newRow("16-bit RGB 5-5-5 (SMF level)") << map.convertToFormat(QImage::Format_RGB555) << QSize(100, 50);
}

void TestSmfTileEncoding::cutEqualsPaddedCanvas()
{
    QFETCH(QImage, image);
    QFETCH(QSize, tile);
    const QRgb fill = qRgb(122, 180, 40);
    const QVector<QByteArray> expected = tilesThroughPaddedCanvas(image, tile, fill);
    const int columns = (image.width() + tile.width() - 1) / tile.width();
    for (int i = 0; i < expected.size(); ++i) {
        const QRect rect(QPoint(i % columns * tile.width(), i / columns * tile.height()), tile);
        QVERIFY2(cutTile(image, rect, fill) == expected.at(i), qPrintable(QStringLiteral("tile %1").arg(i)));
    }
}

void TestSmfTileEncoding::transparentPixelsShowFill()
{
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 255, 255, 0));
    image.setPixel(1, 0, qRgba(255, 0, 0, 255));
    const QByteArray raw = inflateTile(cutTile(image, QRect(0, 0, 3, 1), qRgb(0, 0, 255)), rawTileSize(3, 1));
    QCOMPARE(wordAt(raw, 0), quint16(0x001F));  // the fill, not the invisible white
    QCOMPARE(wordAt(raw, 2), quint16(0x7C00));
    QCOMPARE(wordAt(raw, 4), quint16(0x001F));  // padding
}

void TestSmfTileEncoding::decodeRoundTrip()
{
    const QImage map = fixtures::mapLikeImage(120, 80);
    const QRgb fill = qRgb(10, 20, 30);
    const QByteArray payload = cutTile(map, QRect(60, 40, 100, 50), fill);
    const QImage tile = decodeTile(payload, 100, 50);
    QCOMPARE(tile.size(), QSize(100, 50));
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 100; ++x) {
            const QRgb source = (x < 60 && y < 40) ? map.pixel(60 + x, 40 + y) : fill;
            const QRgb decoded = tile.pixel(x, y);
            QVERIFY2(qRed(decoded) >> 3 == qRed(source) >> 3 && qGreen(decoded) >> 3 == qGreen(source) >> 3
                         && qBlue(decoded) >> 3 == qBlue(source) >> 3,
                     qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
        }
    }
    QVERIFY(decodeTile(payload, 100, 49).isNull());  // wrong tile size: not a full tile
}

void TestSmfTileEncoding::inflateNeedsTheFullTile_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<bool>("full");
    const QByteArray raw(600, '\x11');
    QTest::newRow("exact") << compressTile(raw) << true;
    QTest::newRow("one byte short") << compressTile(raw.left(599)) << false;
    QTest::newRow("one byte long") << compressTile(raw + 'x') << false;
    QTest::newRow("not zlib") << QByteArray("plain bytes, no stream") << false;
    QTest::newRow("cut stream") << compressTile(raw).left(6) << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestSmfTileEncoding::inflateNeedsTheFullTile()
{
    QFETCH(QByteArray, payload);
    QFETCH(bool, full);
    const QByteArray raw = inflateTile(payload, 600);
    QCOMPARE(!raw.isNull(), full);
    if (full)
        QCOMPARE(raw, QByteArray(600, '\x11'));
}

QTEST_GUILESS_MAIN(TestSmfTileEncoding)
#include "tst_smf_tile_encoding.moc"
