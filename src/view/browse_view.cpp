#include "view/browse_view.h"

#include <QtConcurrent/QtConcurrentMap>
#include <QElapsedTimer>

#include <QFile>
#include <QPainter>

#include <climits>
#include <cmath>

#include "view/calibration_marker.h"
#include "project/map_layer.h"
#include "view/reduced_copies.h"
#include "smf/smf_format.h"

namespace {

constexpr int kMaxTileSide = 100000;
constexpr int kDecodeBatch = 64;  // missing tiles read before they are decoded together

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
    QRect at;           // where it is drawn
    QByteArray payload;
    QImage image;       // decoded (and shrunk); null when the payload does not decode
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

QSize browseLevelSize(const BrowseView &view, const MapLayer &layer, const QByteArray &structure)
{
    SmfLevelRecord record;
    if (!view.headerRead || !recordAt(structure, layer.smfLevel, &record))
        return QSize();
    const auto side = [](qint64 tiles, qint64 tileSide) { return int(qBound<qint64>(0, tiles * tileSide, qint64(INT_MAX))); };
    return QSize(side(record.tileColumns, view.browseHeader.tileWidth),
                 side(record.tileRows, view.browseHeader.tileHeight));
}

bool paintBrowseView(QPainter &painter, BrowseView &view, MapLayer *layer, const QByteArray &structure,
                     const CanvasView &canvas)
{
    const int tw = view.headerRead ? view.browseHeader.tileWidth : 0;
    const int th = view.headerRead ? view.browseHeader.tileHeight : 0;
    if (tw < 1 || tw > kMaxTileSide || th < 1 || th > kMaxTileSide)
        return true;

    painter.fillRect(QRect(QPoint(0, 0), canvas.viewSize), Qt::white);
    if (!layer)
        return true;
    QElapsedTimer clock;
    clock.start();
    bool complete = true;

    SmfLevelRecord record;
    if (recordAt(structure, layer->smfLevel, &record)) {
        const double zoom = canvas.zoom;
        const QRectF visible = canvas.visibleImageRect();
        const qint64 c0 = qint64(std::floor(visible.left() / tw));
        const qint64 r0 = qint64(std::floor(visible.top() / th));
        const qint64 c1 = c0 + qint64(qMin(canvas.viewSize.width() / (tw * zoom), 1e9)) + 2;
        const qint64 r1 = r0 + qint64(qMin(canvas.viewSize.height() / (th * zoom), 1e9)) + 2;
        // Zoomed out, tiles are shrunk to the nearest finer power of two and drawn smoothed.
        const bool shrunk = zoom < 1.0;
        const int reduction = canvas.reduction();
        const int factor = 1 << reduction;
        if (shrunk) {
            const qint64 widgetPixels = qint64(canvas.viewSize.width()) * canvas.viewSize.height();
            view.reducedTiles->setMaxCost(qMax(BrowseView::kReducedTileBytes, 32 * widgetPixels));
        }
        painter.setRenderHint(QPainter::SmoothPixmapTransform, shrunk);
        QFile file(layer->sourcePath);
        file.open(QIODevice::ReadOnly);  // a file that cannot be opened leaves its tiles white
        const auto keyOf = [&](int column, int row) {
            return ReducedTileKey{layer->smfSource, layer->smfLevel, reduction, column, row};
        };
        // Cached tiles are drawn at once; the payloads of the others are read in order,
        // a batch at a time, decoded on every core, then cached and drawn.
        QVector<MissingTile> missing;
        const auto drawMissing = [&]() {
            QtConcurrent::blockingMap(missing, [tw, th, factor](MissingTile &tile) {
                tile.image = decodeTile(tile.payload, tw, th);
                tile.payload = QByteArray();
                if (factor > 1 && !tile.image.isNull())
                    tile.image = reducedImage(tile.image, factor);
            });
            for (const MissingTile &tile : std::as_const(missing)) {
                if (tile.image.isNull())
                    continue;
                if (shrunk)
                    view.reducedTiles->insert(keyOf(tile.column, tile.row), new QImage(tile.image),
                                              tile.image.sizeInBytes());
                else
                    cacheTile(*layer, view, tile.column, tile.row, tile.image);
                painter.drawImage(tile.at, tile.image);
            }
            missing.clear();
        };
        for (qint64 ty = qMax<qint64>(r0, 0); ty < qMin<qint64>(r1, record.tileRows); ++ty) {
            for (qint64 tx = qMax<qint64>(c0, 0); tx < qMin<qint64>(c1, record.tileColumns); ++tx) {
                const QRect at = canvas.widgetRectOf(tx * tw, ty * th, (tx + 1) * tw, (ty + 1) * th);
                const QImage *tile = shrunk ? view.reducedTiles->object(keyOf(int(tx), int(ty)))
                                            : cachedTile(*layer, view, int(tx), int(ty));
                if (tile) {
                    painter.drawImage(at, *tile);
                    continue;
                }
                if (!complete)
                    continue;
                SmfTileIndexEntry entry;
                if (!entryAt(structure, view.browseHeader.levelCount, tileIndexPosition(record, tx, ty), &entry))
                    continue;
                QByteArray payload = readPayload(file, entry);
                if (payload.isNull())
                    continue;
                missing.append(MissingTile{int(tx), int(ty), at, std::move(payload), QImage()});
                if (missing.size() == kDecodeBatch) {
                    drawMissing();
                    // The cached tiles are still drawn; the rest wait for the next paint.
                    complete = clock.elapsed() < view.decodeMilliseconds;
                }
            }
        }
        drawMissing();
    }

    painter.setPen(Qt::red);
    const QPoint p1 = canvas.widgetPixelOf(QPoint(layer->topLeft.pixelX, layer->topLeft.pixelY));
    const QPoint p2 = canvas.widgetPixelOf(QPoint(layer->bottomRight.pixelX, layer->bottomRight.pixelY));
    drawCalibrationMarker(painter, p1.x(), p1.y(), QStringLiteral("P1"));
    drawCalibrationMarker(painter, p2.x(), p2.y(), QStringLiteral("P2"));
    return complete;
}

void paintBrowseView(QPainter &painter, const QSize &size, BrowseView &view, MapLayer *layer,
                     const QByteArray &structure, int scrollX, int scrollY)
{
    CanvasView canvas;
    canvas.viewSize = size;
    canvas.scroll = QPoint(scrollX, scrollY);
    paintBrowseView(painter, view, layer, structure, canvas);
}
