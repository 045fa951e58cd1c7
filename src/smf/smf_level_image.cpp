#include "smf/smf_level_image.h"

#include <QThreadPool>
#include <QtEndian>

#include "smf/parallel_for.h"
#include "smf/smf_layout.h"
#include "smf/tile_encoding.h"

namespace {

// Levels up to this size are assembled whatever their payloads hold.
constexpr qint64 kAlwaysAllowedBytes = 16 * 1024 * 1024;

// Copies one raw tile (bottom row first) into the level image at (x, y).
void copyRawTile(const QByteArray &raw, int tileWidth, int tileHeight, uchar *bits, qint64 bytesPerLine, int x,
                 int y)
{
    const qint64 stride = tileRowStride(tileWidth);
    const uchar *rows = reinterpret_cast<const uchar *>(raw.constData());
    for (int ty = 0; ty < tileHeight; ++ty) {
        const uchar *in = rows + stride * (tileHeight - 1 - ty);
        quint16 *out = reinterpret_cast<quint16 *>(bits + bytesPerLine * (y + ty)) + x;
        for (int tx = 0; tx < tileWidth; ++tx)
            out[tx] = qFromLittleEndian<quint16>(in + 2 * tx) & 0x7FFF;
    }
}

SmfLevelImage failure(const QString &error, bool readFailed = false)
{
    SmfLevelImage result;
    result.error = error;
    result.readFailed = readFailed;
    return result;
}

}  // namespace

SmfLevelImage assembleLevelImage(QIODevice &device, const SmfFileIndex &index, int level)
{
    if (level < 0 || level >= index.levels.size())
        return failure(QStringLiteral("the file has no level %1 (levels 0 to %2)").arg(level).arg(index.levels.size() - 1));
    const SmfLevelRecord &record = index.levels.at(level);
    const int tileWidth = index.header.tileWidth;
    const int tileHeight = index.header.tileHeight;
    if (record.tileColumns == 0 || record.tileRows == 0)
        return failure(QStringLiteral("level %1 has no tiles").arg(level));

    const qint64 width = qint64(record.tileColumns) * tileWidth;
    const qint64 height = qint64(record.tileRows) * tileHeight;
    qint64 payloadBytes = 0;
    for (int r = 0; r < record.tileRows; ++r) {
        for (int c = 0; c < record.tileColumns; ++c)
            payloadBytes += index.tile(level, c, r).size;
    }
    // Entries of a damaged file may share bytes; the level holds no more than the
    // file's tile data either way.
    payloadBytes = qMin(payloadBytes, index.fileSize - tileDataOffset(index.header.levelCount, index.header.tileCount));
    const qint64 imageBytes = width * height * 2;
    if (imageBytes > kAlwaysAllowedBytes && imageBytes > kMaxInflateRatio * payloadBytes) {
        return failure(QStringLiteral("level %1 claims %2 x %3 pixels, more than its %4 bytes of tile data "
                                      "can hold")
                           .arg(level).arg(width).arg(height).arg(payloadBytes));
    }

    SmfLevelImage result;
    result.image = QImage(int(width), int(height), QImage::Format_RGB555);
    if (result.image.isNull())
        return failure(QStringLiteral("not enough memory for a %1 x %2 image").arg(width).arg(height));
    result.image.fill(Qt::white);
    // Taken once here: the workers write disjoint tiles through it, never through QImage.
    uchar *const bits = result.image.bits();
    const qint64 bytesPerLine = result.image.bytesPerLine();

    // The payloads are read in index order, a batch at a time, and inflated on every core.
    const qint64 rawSize = index.rawTileBytes();
    const qint64 tiles = qint64(record.tileColumns) * record.tileRows;
    const int batchSize = qMax(16, 8 * QThreadPool::globalInstance()->maxThreadCount());
    // (column, row) of the tile at a position in index order.
    const auto tileAt = [&record](qint64 position) {
        return QPoint(int(position % record.tileColumns), int(position / record.tileColumns));
    };
    QVector<QByteArray> payloads;
    QVector<char> damaged;
    for (qint64 first = 0; first < tiles; first += batchSize) {
        const int count = int(qMin<qint64>(batchSize, tiles - first));
        payloads.resize(count);
        for (int k = 0; k < count; ++k) {
            const int c = tileAt(first + k).x();
            const int r = tileAt(first + k).y();
            const SmfTileIndexEntry &entry = index.tile(level, c, r);
            payloads[k] = device.seek(entry.offset) ? device.read(entry.size) : QByteArray();
            if (payloads.at(k).size() != qint64(entry.size)) {
                return failure(QStringLiteral("tile (%1, %2) of level %3 cannot be read: %4")
                                   .arg(c).arg(r).arg(level).arg(device.errorString()), true);
            }
        }
        damaged.fill(0, count);
        parallelFor(count, [&](int k) {
            const QByteArray raw = inflateTile(payloads.at(k), rawSize);
            if (raw.isNull()) {
                damaged[k] = 1;
                return;
            }
            const QPoint tile = tileAt(first + k);
            copyRawTile(raw, tileWidth, tileHeight, bits, bytesPerLine, tile.x() * tileWidth, tile.y() * tileHeight);
        });
        for (int k = 0; k < count; ++k) {
            if (damaged.at(k))
                result.damagedTiles.append(tileAt(first + k));
        }
    }
    return result;
}
