#pragma once

// Several georeferenced rasters joined into one level: each cut to its map face, all
// warped onto one geographic WGS 84 grid, the later lying over the earlier.

#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QVector>
#include <QtGlobal>

#include <array>
#include <memory>

#include "raster/geo_raster.h"

class ImageRowReader;

// The most points of a border polygon (as many as an OziExplorer file's MMPXY block holds).
inline constexpr int kMaxBorderPoints = 100;

// One raster of a mosaic and the part of it that shows.
struct MosaicPiece
{
    // How the raster is placed. Planning puts its level grid on the mosaic's lattice:
    // its own warp then yields the mosaic's pixels, resampled once.
    RasterGeoreference georeference;
    // The map face, a polygon in raster pixels (0 the left or top edge); empty: the
    // whole raster.
    QVector<QPointF> face;

    // Set by planning: the top-left pixel of the piece's level grid in the mosaic, and
    // the face on the mosaic's pixels, its edges densified so that it follows the curve
    // a straight edge of the raster makes on WGS 84.
    QPoint offset;
    QVector<QPointF> levelFace;
};

struct RasterMosaic
{
    QVector<MosaicPiece> pieces;  // drawn in order: a later piece lies over an earlier one
    // The level grid, whole milliarcseconds, and its size in pixels.
    qint32 westMas = 0;
    qint32 northMas = 0;
    qint32 eastMas = 0;
    qint32 southMas = 0;
    QSize size;
};

// The georeference of an image on a linear calibration: its pixels taken to WGS 84
// degrees by geoTransform (GDAL's order), read by GDAL and warped as a raster is.
// Without a level grid (size empty) when GDAL cannot open the file (openRasterFile) or
// the geotransform places nothing (see planLevelGrid); *error then says why.
RasterGeoreference linearGeoreference(const QString &path, QSize size, const std::array<double, 6> &geoTransform,
                                      Resampling resampling, QString *error);

// Whether polygon (pixels) has at least three points, at most kMaxBorderPoints, and
// an area of at least one pixel: one that encloses something.
bool isFacePolygon(const QVector<QPointF> &polygon);

// Plans a mosaic whose pieces have their georeference and face set: the level grid is
// geographic WGS 84 at the finest piece's resolution along each axis (whole
// milliarcseconds), on the lattice of its steps, covering the faces of all pieces;
// each piece's level grid becomes the part of the mosaic's lattice that covers its
// face. False with a reason in words a map maker reads (and *failedPiece the index of
// the piece it concerns, else -1) when a face is no polygon or cannot be taken to
// WGS 84, the pieces lie on both sides of the 180th meridian, or the level would be
// too large (imageSizeRefusal).
bool planRasterMosaic(RasterMosaic *mosaic, int *failedPiece, QString *error);

// The rows of a planned mosaic, top down, transparent where no piece shows (the fill
// colour shows there): a pixel shows a piece inside its face (taken at the pixel's
// centre) and where the piece's own pixel is not transparent (outside the raster, a
// nodata value, its alpha). Each piece is opened when the first row that it covers is
// read and closed after its last, and holds only the rows of the strip being read
// (and what its own warp holds, within its share of budgetMB). Never nullptr: a piece
// that cannot be read fails the read, its file named.
std::unique_ptr<ImageRowReader> openMosaicRows(const RasterMosaic &mosaic, qint32 budgetMB);
