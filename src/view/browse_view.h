#pragma once

#include <QByteArray>
#include <QCache>
#include <QHashFunctions>
#include <QImage>
#include <QSize>

#include <memory>

#include "view/canvas_view.h"
#include "smf/smf_format.h"

class QPainter;
struct MapLayer;

// A tile shrunk for drawing zoomed out: tile (column, row) of level `level` of SMF file
// `source` (MapLayer::smfLevel and smfSource), shrunk 2^reduction times.
struct ReducedTileKey
{
    quint8 source = 0;
    quint8 level = 0;
    int reduction = 0;
    qint32 column = 0;
    qint32 row = 0;

    bool operator==(const ReducedTileKey &other) const
    {
        return source == other.source && level == other.level && reduction == other.reduction
            && column == other.column && row == other.row;
    }
};

inline size_t qHash(const ReducedTileKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.source, key.level, key.reduction, key.column, key.row);
}

// Drawing state of a canvas that shows an SMF file tile by tile, straight from the
// file: the header of the current layer's file, the use counter of the layers' caches of
// full tiles, and one cache of shrunk tiles for drawing zoomed out.
struct BrowseView
{
    static constexpr int kTileCacheSize = 101;                     // full tiles kept per layer
    static constexpr qint64 kReducedTileBytes = 64 * 1024 * 1024;  // at least, for shrunk tiles

    SmfHeader browseHeader;
    bool headerRead = false;    // browseHeader holds the current file's header
    quint32 tileClock = 0;      // incremented by every tile use; stamps share it across layers
    int decodeMilliseconds = 100;  // a paint decodes more than its first batch of tiles within this
    // Shrunk tiles of every layer shown, costed in bytes; the least recently used go
    // first. Allowed kReducedTileBytes, or 32 bytes per widget pixel when that is more,
    // so that a whole view of them fits. Owned; emptied when the canvas is cleared.
    std::unique_ptr<QCache<ReducedTileKey, QImage>> reducedTiles =
        std::make_unique<QCache<ReducedTileKey, QImage>>(kReducedTileBytes);
};

// Reads the 148-byte header of the layer's SMF file into view. Returns false (and
// leaves nothing to draw) when the file cannot be read.
bool prepareBrowseLayer(BrowseView &view, const MapLayer &layer);

// Size in pixels of the layer's level (its tile grid), from the header read by
// prepareBrowseLayer and the level record in structure; empty when either is missing.
// Sides beyond the 32-bit range are cut to it.
QSize browseLevelSize(const BrowseView &view, const MapLayer &layer, const QByteArray &structure);

// Paints a widget showing the level of `layer` as `canvas` places it: white, then the
// tiles of the visible part, then the two calibration markers. structure holds the
// file's header, level records and tile index (at least), as checked when the file
// was opened. With image pixel (x0, y0) at the widget's top-left corner, the tiles
// drawn are W / (tw x zoom) + 2 columns from the one holding x0 and H / (th x zoom) + 2
// rows from the one holding y0 (W x H the widget, tw x th the tile size), those of
// them that exist.
//
// From 1:1 up the tiles come from the layer's cache of full decoded tiles: at most
// BrowseView::kTileCacheSize per layer, then the least recently used is recycled.
// Zoomed out they come from view.reducedTiles, shrunk to the nearest finer power of
// two (CanvasView::reduction) and drawn smoothed. Tiles in neither cache are read from
// the file (in order) and decoded on the global thread pool; a tile that cannot be read
// or decoded is drawn white and not cached. A tile size outside 1..100,000 draws
// nothing. layer may be nullptr (only white is drawn).
//
// One paint decodes a first batch of tiles and then more only while it has taken less
// than view.decodeMilliseconds, so that a zoomed-out view of a huge level never holds the
// window for long: the tiles left out stay white, and the result is false. The caller
// paints again (soon, from its event loop) until the result is true.
bool paintBrowseView(QPainter &painter, BrowseView &view, MapLayer *layer, const QByteArray &structure,
                     const CanvasView &canvas);

// The same at 1:1, for a widget of `size` scrolled to image pixel (scrollX, scrollY),
// which may be negative.
void paintBrowseView(QPainter &painter, const QSize &size, BrowseView &view, MapLayer *layer,
                     const QByteArray &structure, int scrollX, int scrollY);
