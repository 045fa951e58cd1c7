#include "smf/tile_encoding.h"

#include <QtEndian>

#include <limits>

#include <zlib.h>

#include "smf/smf_layout.h"

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

QByteArray compressTile(QByteArrayView raw)
{
    if (quint64(raw.size()) > std::numeric_limits<uLong>::max())
        return QByteArray();
    uLongf length = compressBound(uLong(raw.size()));
    QByteArray compressed(qsizetype(length), Qt::Uninitialized);
    if (compress(reinterpret_cast<Bytef *>(compressed.data()), &length,
                 reinterpret_cast<const Bytef *>(raw.data()), uLong(raw.size())) != Z_OK) {
        return QByteArray();
    }
    compressed.truncate(qsizetype(length));
    compressed.squeeze();
    return compressed;
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
    if (rawSize <= 0 || quint64(rawSize) > std::numeric_limits<uLong>::max()
        || quint64(payload.size()) > std::numeric_limits<uLong>::max()) {
        return false;
    }
    uLongf length = uLongf(rawSize);
    const int result = uncompress(out, &length, reinterpret_cast<const Bytef *>(payload.data()),
                                  uLong(payload.size()));
    return result == Z_OK && qint64(length) == rawSize;
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
