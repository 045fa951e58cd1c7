#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include "smf/smf_format.h"

class QPainter;
struct MapLayer;

// Drawing state of a canvas that shows an SMF file tile by tile, straight from the
// file: the header of the current layer's file and the use counter of the tile caches.
struct BrowseView
{
    static constexpr int kTileCacheSize = 101;  // decoded tiles kept per layer

    SmfHeader browseHeader;
    bool headerRead = false;    // browseHeader holds the current file's header
    quint32 tileClock = 0;      // incremented by every tile use; stamps share it across layers
};

// Reads the 148-byte header of the layer's SMF file into view. Returns false (and
// leaves nothing to draw) when the file cannot be read.
bool prepareBrowseLayer(BrowseView &view, const MapLayer &layer);

// Paints a widget of `size` showing the level of `layer` scrolled to image pixel
// (scrollX, scrollY), which may be negative: the visible tiles, at the file's own
// resolution, on white, then the two calibration markers. structure holds the
// file's header, level records and tile index (at least), as checked when the file
// was opened. Tiles come from the layer's cache of decoded tiles, or are read from
// the file (in order) and decoded on the global thread pool, only those that are
// visible and not cached; a tile that cannot be read or decoded is drawn white and
// not cached. The cache keeps at most BrowseView::kTileCacheSize tiles per layer and
// then recycles the least recently used one. A tile size outside 1..100,000 draws
// nothing. layer may be nullptr (only white is drawn).
void paintBrowseView(QPainter &painter, const QSize &size, BrowseView &view, MapLayer *layer,
                     const QByteArray &structure, int scrollX, int scrollY);
