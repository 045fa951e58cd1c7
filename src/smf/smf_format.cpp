#include "smf/smf_format.h"

#include <QPainter>
#include <QtEndian>

#include <array>
#include <limits>
#include <zlib.h>

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

QByteArray cutTile(const QImage &image, const QRect &tileRect, QRgb fillColour)
{
    // A tile wholly inside an opaque 32-bit image is encoded straight from the image.
    if (image.format() == QImage::Format_RGB32 && image.rect().contains(tileRect)) {
        const uchar *first = image.constScanLine(tileRect.y()) + qsizetype(tileRect.x()) * 4;
        const QImage view(first, tileRect.width(), tileRect.height(), image.bytesPerLine(), QImage::Format_RGB32);
        return compressTile(encodeTilePixels(view));
    }
    QImage tile(tileRect.size(), QImage::Format_RGB32);
    if (tile.isNull())
        return QByteArray();
    tile.fill(qRgb(qRed(fillColour), qGreen(fillColour), qBlue(fillColour)));
    const QRect covered = tileRect.intersected(image.rect());
    if (!covered.isEmpty()) {
        QPainter painter(&tile);
        // Only the covered part is converted, whatever the image's format.
        painter.drawImage(covered.topLeft() - tileRect.topLeft(), image.copy(covered));
    }
    return compressTile(encodeTilePixels(tile));
}
