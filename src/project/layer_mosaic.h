#pragma once

// A layer made of several sources: sheets joined into one level, each cut to its map
// face. The command line's groups and the window's merge make it the same way.

#include <QCoreApplication>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QVector>

#include "project/map_layer.h"
#include "raster/ozi_map.h"
#include "raster/raster_mosaic.h"

// One source of a merged layer.
struct MosaicSource
{
    // The layer as the project makes it (importLayer, then MapProject::addImportedLayer):
    // placed by its georeference, or by its two calibration points.
    MapLayer layer;
    // Its map face, a polygon in pixels of its source image (0 the left or top edge);
    // empty: the whole image.
    QVector<QPointF> border;
};

// What a merged layer is made of (MapLayer::mosaic): its sources as given, and the
// level planned from them.
struct LayerMosaic
{
    Q_DECLARE_TR_FUNCTIONS(LayerMosaic)

public:
    QVector<MosaicSource> sources;  // in drawing order: a later source lies over an earlier one
    RasterMosaic raster;
};

// Makes *layer the merged layer of sources: one level on geographic WGS 84 at the finest
// source's resolution (whole milliarcseconds) covering every source's map face, each
// source warped onto it once and cut to its border, the later on top; the fill colour
// outside every face. A source placed by its two calibration points is resampled by
// resampling, a georeferenced one as its georeference says. A merged source brings its
// own sources. Only headers are read.
// False with a reason (an English source text, translatable) and *failedSource the
// index of the source it concerns (-1 for the whole) when a source cannot be placed
// (not calibrated, a level of an SMF file, a copy at another scale, an image that
// cannot be read, a border that encloses nothing or cannot be taken to WGS 84), the
// sources lie on both sides of the 180th meridian, or the level would be too large.
bool planMosaic(const QVector<MosaicSource> &sources, Resampling resampling, MapLayer *layer, int *failedSource,
                QString *error);

// The map face the border of the OziExplorer file a layer came from gives its image
// (OziMapSummary::border): the border itself, or empty (the whole image) when it has
// none, is no polygon (isFacePolygon), or only marks the image's corners, as
// OziExplorer writes it for a map without a border.
QVector<QPointF> oziBorderFace(const OziMapSummary &summary, const MapLayer &layer);
