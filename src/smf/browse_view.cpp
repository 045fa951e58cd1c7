#include "smf/browse_view.h"

#include <QtConcurrent/QtConcurrentMap>

#include <QFile>
#include <QPainter>

#include "project/calibration_marker.h"
#include "project/map_layer.h"
#include "smf/smf_format.h"

namespace {

constexpr int kMaxTileSide = 100000;
constexpr int kDecodeBatch = 64;  // missing tiles read before they are decoded together

// Floor division, so that negative scroll offsets land in the right tile.
qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

bool recordAt(const QByteArray &structure, int level, SmfLevelRecord *record)
{
    const qint64 offset = levelRecordOffset(level);
    if (level < 0 || offset + kSmfLevelRecordSize > structure.size())
        return false;
    return SmfLevelRecord::fromBytes(QByteArrayView(structure).sliced(offset, kSmfLevelRecordSize), record);
}

bool entryAt(const QByteArray &structure, qint64 levelCount, qint64 position, SmfTileIndexEntry *entry)
{
    const qint64 offset = tileIndexOffset(levelCount) + position * kSmfTileIndexEntrySize;
    if (position < 0 || offset + kSmfTileIndexEntrySize > structure.size())
        return false;
    return SmfTileIndexEntry::fromBytes(QByteArrayView(structure).sliced(offset, kSmfTileIndexEntrySize), entry);
}

// Reads one payload; a null array when it cannot be read.
QByteArray readPayload(QFile &file, const SmfTileIndexEntry &entry)
{
    if (!file.isOpen() || qint64(entry.offset) + entry.size > file.size() || !file.seek(entry.offset))
        return QByteArray();
    QByteArray payload = file.read(entry.size);
    return payload.size() == qint64(entry.size) ? payload : QByteArray();
}

// A visible tile that is not in the cache.
struct MissingTile {
    int column;
    int row;
    QPoint at;          // where it is drawn
    QByteArray payload;
    QImage image;       // decoded; null when the payload does not decode
};

// The cached tile (column, row) of the layer, restamped; nullptr when not cached.
const QImage *cachedTile(MapLayer &layer, BrowseView &view, int column, int row)
{
    for (TileCacheEntry &entry : layer.tileCache) {
        if (entry.column == column && entry.row == row) {
            entry.stamp = view.tileClock++;
            return &entry.image;
        }
    }
    return nullptr;
}

// Keeps a decoded tile in the layer's cache, recycling the least recently used
// entry once the cache is full.
void cacheTile(MapLayer &layer, BrowseView &view, int column, int row, const QImage &image)
{
    if (layer.tileCache.size() < BrowseView::kTileCacheSize) {
        layer.tileCache.append(TileCacheEntry{column, row, view.tileClock++, image});
        return;
    }
    TileCacheEntry *oldest = &layer.tileCache.first();
    for (TileCacheEntry &entry : layer.tileCache) {
        if (entry.stamp < oldest->stamp)
            oldest = &entry;
    }
    *oldest = TileCacheEntry{column, row, view.tileClock++, image};
}

}  // namespace

bool prepareBrowseLayer(BrowseView &view, const MapLayer &layer)
{
    view.headerRead = false;
    QFile file(layer.sourcePath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.read(kSmfHeaderSize);
    view.headerRead = SmfHeader::fromBytes(bytes, &view.browseHeader);
    return view.headerRead;
}

void paintBrowseView(QPainter &painter, const QSize &size, BrowseView &view, MapLayer *layer,
                     const QByteArray &structure, int scrollX, int scrollY)
{
    const int tw = view.headerRead ? view.browseHeader.tileWidth : 0;
    const int th = view.headerRead ? view.browseHeader.tileHeight : 0;
    if (tw < 1 || tw > kMaxTileSide || th < 1 || th > kMaxTileSide)
        return;

    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    if (!layer)
        return;

    SmfLevelRecord record;
    if (recordAt(structure, layer->smfLevel, &record)) {
        const int columns = size.width() / tw + 2;
        const int rows = size.height() / th + 2;
        const qint64 c0 = floorDiv(scrollX, tw);
        const qint64 r0 = floorDiv(scrollY, th);
        QFile file(layer->sourcePath);
        file.open(QIODevice::ReadOnly);  // a file that cannot be opened leaves its tiles white
        // Cached tiles are drawn at once; the payloads of the others are read in order,
        // a batch at a time, decoded on every core, then cached and drawn.
        QVector<MissingTile> missing;
        const auto drawMissing = [&]() {
            QtConcurrent::blockingMap(missing, [tw, th](MissingTile &tile) {
                tile.image = decodeTile(tile.payload, tw, th);
                tile.payload = QByteArray();
            });
            for (const MissingTile &tile : std::as_const(missing)) {
                if (tile.image.isNull())
                    continue;
                cacheTile(*layer, view, tile.column, tile.row, tile.image);
                painter.drawImage(tile.at, tile.image);
            }
            missing.clear();
        };
        for (int i = 0; i < rows; ++i) {
            for (int j = 0; j < columns; ++j) {
                const qint64 tx = c0 + j;
                const qint64 ty = r0 + i;
                if (tx < 0 || ty < 0 || tx >= record.tileColumns || ty >= record.tileRows)
                    continue;
                const QPoint at(int(tx * tw - scrollX), int(ty * th - scrollY));
                if (const QImage *tile = cachedTile(*layer, view, int(tx), int(ty))) {
                    painter.drawImage(at, *tile);
                    continue;
                }
                SmfTileIndexEntry entry;
                if (!entryAt(structure, view.browseHeader.levelCount, tileIndexPosition(record, tx, ty), &entry))
                    continue;
                QByteArray payload = readPayload(file, entry);
                if (payload.isNull())
                    continue;
                missing.append(MissingTile{int(tx), int(ty), at, std::move(payload), QImage()});
                if (missing.size() == kDecodeBatch)
                    drawMissing();
            }
        }
        drawMissing();
    }

    painter.setPen(Qt::red);
    drawCalibrationMarker(painter, layer->topLeft.pixelX - scrollX, layer->topLeft.pixelY - scrollY,
                          QStringLiteral("P1"));
    drawCalibrationMarker(painter, layer->bottomRight.pixelX - scrollX, layer->bottomRight.pixelY - scrollY,
                          QStringLiteral("P2"));
}
