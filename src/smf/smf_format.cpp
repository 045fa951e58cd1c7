#include "smf/smf_format.h"

#include <QtEndian>

#include <array>
#include <limits>
#include <algorithm>
#include <cstring>
#include <libdeflate.h>
#include <new>
#include <vector>

qint64 levelRecordOffset(qint64 level)
{
    return kSmfHeaderSize + kSmfLevelRecordSize * level;
}

qint64 tileIndexOffset(qint64 levelCount)
{
    return levelRecordOffset(levelCount);
}

qint64 tileDataOffset(qint64 levelCount, qint64 tileCount)
{
    return tileIndexOffset(levelCount) + kSmfTileIndexEntrySize * tileCount;
}

qint64 tileIndexPosition(const SmfLevelRecord &record, qint64 column, qint64 row)
{
    return record.firstTile + row * record.tileColumns + column;
}

qint64 tileRowStride(qint64 tileWidth)
{
    return (2 * tileWidth + 3) / 4 * 4;
}

qint64 rawTileSize(qint64 tileWidth, qint64 tileHeight)
{
    return tileRowStride(tileWidth) * tileHeight;
}

QByteArray encodeSmfText(const QString &text)
{
    QByteArray field(2 * kSmfTextFieldUnits, '\0');
    qsizetype units = qMin<qsizetype>(text.size(), kSmfTextFieldUnits);
    if (units < text.size() && text.at(units - 1).isHighSurrogate() && text.at(units).isLowSurrogate())
        --units;
    uchar *out = reinterpret_cast<uchar *>(field.data());
    for (qsizetype i = 0; i < units; ++i)
        qToLittleEndian<quint16>(text.at(i).unicode(), out + 2 * i);
    return field;
}

QString decodeSmfText(const char *field)
{
    QString text;
    const uchar *in = reinterpret_cast<const uchar *>(field);
    for (int i = 0; i < kSmfTextFieldUnits; ++i) {
        const quint16 unit = qFromLittleEndian<quint16>(in + 2 * i);
        if (unit == 0)
            break;
        text.append(QChar(unit));
    }
    return text;
}

QString withUnpairedSurrogatesReplaced(const QString &text)
{
    QString result = text;
    for (qsizetype i = 0; i < result.size(); ++i) {
        const QChar c = result.at(i);
        if (c.isHighSurrogate() && i + 1 < result.size() && result.at(i + 1).isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            result[i] = QChar(QChar::ReplacementCharacter);
        }
    }
    return result;
}

QByteArray SmfHeader::toBytes() const
{
    QByteArray bytes(kSmfHeaderSize, '\0');
    uchar *out = reinterpret_cast<uchar *>(bytes.data());
    qToLittleEndian<quint16>(magic, out + 0);
    qToLittleEndian<quint16>(version, out + 2);
    bytes.replace(4, 64, encodeSmfText(cartographer));
    bytes.replace(68, 64, encodeSmfText(mapName));
    out = reinterpret_cast<uchar *>(bytes.data());
    qToLittleEndian<qint32>(levelCount, out + 132);
    qToLittleEndian<qint32>(tileCount, out + 136);
    qToLittleEndian<qint32>(tileWidth, out + 140);
    qToLittleEndian<qint32>(tileHeight, out + 144);
    return bytes;
}

bool SmfHeader::fromBytes(QByteArrayView bytes, SmfHeader *header)
{
    if (bytes.size() < kSmfHeaderSize)
        return false;
    const uchar *in = reinterpret_cast<const uchar *>(bytes.data());
    header->magic = qFromLittleEndian<quint16>(in + 0);
    header->version = qFromLittleEndian<quint16>(in + 2);
    header->cartographer = decodeSmfText(bytes.data() + 4);
    header->mapName = decodeSmfText(bytes.data() + 68);
    header->levelCount = qFromLittleEndian<qint32>(in + 132);
    header->tileCount = qFromLittleEndian<qint32>(in + 136);
    header->tileWidth = qFromLittleEndian<qint32>(in + 140);
    header->tileHeight = qFromLittleEndian<qint32>(in + 144);
    return true;
}

namespace {

// The sixteen 32-bit fields in file order.
template <typename Record>
auto fields(Record &r)
{
    return std::array<decltype(&r.left), 16>{
        &r.left, &r.top, &r.right, &r.bottom, &r.tileColumns, &r.tileRows, &r.verticalScale,
        &r.firstTile, &r.topLeftLon, &r.topLeftLat, &r.topLeftX, &r.topLeftY, &r.bottomRightLon,
        &r.bottomRightLat, &r.bottomRightX, &r.bottomRightY};
}

}  // namespace

QByteArray SmfLevelRecord::toBytes() const
{
    QByteArray bytes(kSmfLevelRecordSize, '\0');
    uchar *out = reinterpret_cast<uchar *>(bytes.data());
    for (const qint32 *field : fields(*this)) {
        qToLittleEndian<qint32>(*field, out);
        out += 4;
    }
    return bytes;
}

bool SmfLevelRecord::fromBytes(QByteArrayView bytes, SmfLevelRecord *record)
{
    if (bytes.size() < kSmfLevelRecordSize)
        return false;
    const uchar *in = reinterpret_cast<const uchar *>(bytes.data());
    for (qint32 *field : fields(*record)) {
        *field = qFromLittleEndian<qint32>(in);
        in += 4;
    }
    return true;
}

bool SmfLevelRecord::operator==(const SmfLevelRecord &other) const
{
    const auto a = fields(*this);
    const auto b = fields(other);
    for (size_t i = 0; i < a.size(); ++i) {
        if (*a[i] != *b[i])
            return false;
    }
    return true;
}

QByteArray SmfTileIndexEntry::toBytes() const
{
    QByteArray bytes(kSmfTileIndexEntrySize, '\0');
    uchar *out = reinterpret_cast<uchar *>(bytes.data());
    qToLittleEndian<quint32>(offset, out);
    qToLittleEndian<quint32>(size, out + 4);
    return bytes;
}

bool SmfTileIndexEntry::fromBytes(QByteArrayView bytes, SmfTileIndexEntry *entry)
{
    if (bytes.size() < kSmfTileIndexEntrySize)
        return false;
    const uchar *in = reinterpret_cast<const uchar *>(bytes.data());
    entry->offset = qFromLittleEndian<quint32>(in);
    entry->size = qFromLittleEndian<quint32>(in + 4);
    return true;
}

QByteArray encodeTilePixels(const QImage &tile)
{
    const bool rgb32 = tile.format() == QImage::Format_RGB32 || tile.format() == QImage::Format_ARGB32
        || tile.format() == QImage::Format_ARGB32_Premultiplied;
    const QImage source = rgb32 ? tile : tile.convertToFormat(QImage::Format_RGB32);
    const int width = source.width();
    const int height = source.height();
    const qint64 stride = tileRowStride(width);
    QByteArray raw(stride * height, '\0');
    uchar *out = reinterpret_cast<uchar *>(raw.data());
    for (int y = height - 1; y >= 0; --y) {
        const QRgb *pixels = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        uchar *word = out;
        for (int x = 0; x < width; ++x) {
            const QRgb p = pixels[x];
            const quint16 value = quint16((qBlue(p) >> 3) | ((qGreen(p) >> 3) << 5) | ((qRed(p) >> 3) << 10));
            qToLittleEndian<quint16>(value, word);
            word += 2;
        }
        out += stride;
    }
    return raw;
}

namespace {

// The tile word of an opaque pixel: 5 bits each of red, green and blue, the low 3 bits
// of each dropped.
inline quint16 opaqueWord(QRgb p)
{
    return quint16(((p >> 9) & 0x7c00) | ((p >> 6) & 0x03e0) | ((p >> 3) & 0x001f));
}

}  // namespace

void encodePixelRow(const QRgb *pixels, int count, QRgb fill, uchar *out)
{
    const uint fillRed = qRed(fill);
    const uint fillGreen = qGreen(fill);
    const uint fillBlue = qBlue(fill);
    // Blocks of opaque pixels, the common case, in loops without an early exit, which
    // the compiler vectorises; a block with a pixel that is not opaque goes pixel by
    // pixel.
    constexpr int kBlock = 16;
    int x = 0;
    while (x < count) {
        const int end = qMin(count, x + kBlock);
        QRgb alphas = 0xff000000u;
        for (int i = x; i < end; ++i)
            alphas &= pixels[i];
        if (alphas >= 0xff000000u && end - x == kBlock) {
            quint16 words[kBlock];
            for (int i = 0; i < kBlock; ++i)
                words[i] = qToLittleEndian(opaqueWord(pixels[x + i]));
            std::memcpy(out + 2 * x, words, sizeof words);
            x = end;
            continue;
        }
        for (; x < end; ++x) {
            const QRgb p = pixels[x];
            const uint alpha = qAlpha(p);
            if (alpha == 255) {
                qToLittleEndian(opaqueWord(p), out + 2 * x);
                continue;
            }
            // A pixel that is not opaque, over the fill colour.
            const uint rest = 255 - alpha;
            const uint red = (qRed(p) * alpha + fillRed * rest + 127) / 255;
            const uint green = (qGreen(p) * alpha + fillGreen * rest + 127) / 255;
            const uint blue = (qBlue(p) * alpha + fillBlue * rest + 127) / 255;
            qToLittleEndian(quint16((blue >> 3) | ((green >> 3) << 5) | ((red >> 3) << 10)), out + 2 * x);
        }
    }
}

quint16 tilePixelWord(QRgb colour)
{
    uchar word[2];
    const QRgb opaque = colour | 0xff000000u;
    encodePixelRow(&opaque, 1, opaque, word);
    return qFromLittleEndian<quint16>(word);
}

namespace {

// libdeflate's compressors and decompressor keep their tables between calls; one set
// per thread, as they may not be shared.
struct DeflateState
{
    std::array<libdeflate_compressor *, kMaxDeflateLevel + 1> compressors{};
    libdeflate_decompressor *decompressor = nullptr;
    std::vector<char> scratch;  // compressed output, then copied out
    QByteArray rawTile;         // a tile's raw bytes while it is assembled

    ~DeflateState()
    {
        for (libdeflate_compressor *compressor : compressors)
            libdeflate_free_compressor(compressor);
        libdeflate_free_decompressor(decompressor);
    }
};

DeflateState &deflateState()
{
    thread_local DeflateState state;
    return state;
}

}  // namespace

QByteArray compressTile(QByteArrayView raw, int level)
{
    level = qBound(kMinDeflateLevel, level, kMaxDeflateLevel);
    libdeflate_compressor *&compressor = deflateState().compressors[size_t(level)];
    if (!compressor)
        compressor = libdeflate_alloc_compressor(level);
    if (!compressor)
        return QByteArray();
    // Compressed into the thread's scratch buffer, then copied at its exact size: the
    // window of finished tiles holds no slack, and no buffer of the bound's size is
    // allocated and freed per tile.
    std::vector<char> &scratch = deflateState().scratch;
    const size_t bound = libdeflate_zlib_compress_bound(compressor, size_t(raw.size()));
    if (scratch.size() < bound)
        scratch.resize(bound);
    const size_t length = libdeflate_zlib_compress(compressor, raw.data(), size_t(raw.size()), scratch.data(), bound);
    return length == 0 ? QByteArray() : QByteArray(scratch.data(), qsizetype(length));
}

namespace {

// Whether payload could inflate to rawSize bytes at all; a damaged file may claim
// tiles of gigabytes for a payload of a few bytes.
bool couldInflateTo(QByteArrayView payload, qint64 rawSize)
{
    return rawSize > 0 && rawSize / kMaxInflateRatio <= payload.size();
}

// Inflates payload into out[0..rawSize); true when it fills exactly rawSize bytes.
bool inflateInto(QByteArrayView payload, uchar *out, qint64 rawSize)
{
    libdeflate_decompressor *&decompressor = deflateState().decompressor;
    if (!decompressor)
        decompressor = libdeflate_alloc_decompressor();
    size_t length = 0;
    return decompressor
        && libdeflate_zlib_decompress(decompressor, payload.data(), size_t(payload.size()), out, size_t(rawSize),
                                      &length) == LIBDEFLATE_SUCCESS
        && qint64(length) == rawSize;
}

}  // namespace

QByteArray inflateTile(QByteArrayView payload, qint64 rawSize)
{
    if (!couldInflateTo(payload, rawSize))
        return QByteArray();
    QByteArray raw(rawSize, Qt::Uninitialized);
    if (!inflateInto(payload, reinterpret_cast<uchar *>(raw.data()), rawSize))
        return QByteArray();
    return raw;
}

QByteArray tileBitmapHeader(qint32 tileWidth, qint32 tileHeight, quint32 rawLength)
{
    QByteArray header(54, '\0');
    uchar *h = reinterpret_cast<uchar *>(header.data());
    h[0] = 'B';
    h[1] = 'M';
    qToLittleEndian<quint32>(rawLength + 54, h + 2);  // file size
    qToLittleEndian<quint32>(54, h + 10);             // pixel data offset
    qToLittleEndian<quint32>(40, h + 14);             // info header size
    qToLittleEndian<qint32>(tileWidth, h + 18);
    qToLittleEndian<qint32>(tileHeight, h + 22);      // positive: bottom-up rows
    qToLittleEndian<quint16>(1, h + 26);              // planes
    qToLittleEndian<quint16>(16, h + 28);             // bits per pixel; compression 0 (BI_RGB)
    return header;
}

QImage decodeTile(QByteArrayView payload, qint32 tileWidth, qint32 tileHeight)
{
    if (tileWidth <= 0 || tileHeight <= 0)
        return QImage();
    const qint64 rawSize = rawTileSize(tileWidth, tileHeight);
    if (rawSize > std::numeric_limits<quint32>::max() - 54 || !couldInflateTo(payload, rawSize))
        return QImage();
    QByteArray bitmap(54 + rawSize, Qt::Uninitialized);
    if (!inflateInto(payload, reinterpret_cast<uchar *>(bitmap.data()) + 54, rawSize))
        return QImage();
    bitmap.replace(0, 54, tileBitmapHeader(tileWidth, tileHeight, quint32(rawSize)));
    return QImage::fromData(bitmap, "BMP");
}

bool TileStrip::allocate(int stripWidth, int stripRows)
{
    width = stripWidth;
    rows = stripRows;
    words.reset(new (std::nothrow) quint16[size_t(qMax<qint64>(qint64(stripWidth) * stripRows, 1))]);
    return bool(words);
}

QByteArray stripTile(const TileStrip &strip, int x, int tileWidth, int tileHeight, QRgb fill, int level)
{
    const qint64 stride = tileRowStride(tileWidth);
    QByteArray &raw = deflateState().rawTile;
    raw.resize(rawTileSize(tileWidth, tileHeight));
    uchar *out = reinterpret_cast<uchar *>(raw.data());
    uchar fillBytes[2];
    qToLittleEndian<quint16>(tilePixelWord(fill), fillBytes);
    const int covered = qBound(0, strip.width - x, tileWidth);
    // Rows are stored bottom row first; each row's padding to 4 bytes is zero.
    for (int y = tileHeight - 1; y >= 0; --y, out += stride) {
        int filledFrom = 0;
        if (y < strip.rows && covered > 0) {
            std::memcpy(out, strip.row(y) + 2 * qint64(x), size_t(covered) * 2);
            filledFrom = covered;
        }
        for (int i = filledFrom; i < tileWidth; ++i) {
            out[2 * i] = fillBytes[0];
            out[2 * i + 1] = fillBytes[1];
        }
        std::memset(out + 2 * qint64(tileWidth), 0, size_t(stride - 2 * qint64(tileWidth)));
    }
    return compressTile(raw, level);
}

QByteArray cutTile(const QImage &image, const QRect &tileRect, QRgb fillColour, int level)
{
    // The covered part becomes a strip whose column 0 and row 0 are the tile's; what
    // lies left of or above the image in it takes the fill colour.
    const QRect covered = tileRect.intersected(image.rect());
    TileStrip strip;
    if (covered.isEmpty())
        return stripTile(strip, 0, tileRect.width(), tileRect.height(), fillColour, level);
    const QImage argb = image.copy(covered).convertToFormat(QImage::Format_ARGB32);
    const QPoint offset = covered.topLeft() - tileRect.topLeft();
    if (argb.isNull() || !strip.allocate(offset.x() + covered.width(), offset.y() + covered.height()))
        return QByteArray();
    const quint16 fillWord = qToLittleEndian(tilePixelWord(fillColour));
    for (int y = 0; y < strip.rows; ++y) {
        quint16 *out = strip.words.get() + qint64(y) * strip.width;
        const bool above = y < offset.y();
        std::fill_n(out, above ? strip.width : offset.x(), fillWord);
        if (!above) {
            encodePixelRow(reinterpret_cast<const QRgb *>(argb.constScanLine(y - offset.y())), covered.width(),
                           fillColour, reinterpret_cast<uchar *>(out + offset.x()));
        }
    }
    return stripTile(strip, 0, tileRect.width(), tileRect.height(), fillColour, level);
}
