// Merged layers: each source as a raster piece of one mosaic.

#include "project/layer_mosaic.h"

#include <cmath>

#include "geo/milliarcseconds.h"
#include "project/map_project.h"
#include "raster/image_rows.h"

namespace {

// The piece of a source; false with a reason.
bool pieceOf(const MosaicSource &source, Resampling resampling, MosaicPiece *piece, QString *error)
{
    const MapLayer &layer = source.layer;
    piece->face = source.border;
    if (layer.georeference) {
        piece->georeference = *layer.georeference;
        return true;
    }
    if (!layer.isCalibrationValid()) {
        *error = LayerMosaic::tr("it is not calibrated");
        return false;
    }
    const QSize size = imageFileSize(layer.sourcePath);
    if (!size.isValid()) {
        *error = LayerMosaic::tr("its image %1 cannot be read").arg(layer.sourcePath);
        return false;
    }
    // The two points, at pixel edges, as a geotransform in degrees.
    const CalibrationPoint &tl = layer.topLeft;
    const CalibrationPoint &br = layer.bottomRight;
    const double lonStep = masToDegrees(double(br.lon) - tl.lon) / (double(br.pixelX) - tl.pixelX);
    const double latStep = masToDegrees(double(br.lat) - tl.lat) / (double(br.pixelY) - tl.pixelY);
    const std::array<double, 6> transform{masToDegrees(tl.lon) - tl.pixelX * lonStep, lonStep, 0.0,
                                          masToDegrees(tl.lat) - tl.pixelY * latStep, 0.0, latStep};
    QString reason;
    piece->georeference = linearGeoreference(layer.sourcePath, size, transform, resampling, &reason);
    if (piece->georeference.size.isEmpty()) {
        *error = reason;
        return false;
    }
    return true;
}

}  // namespace

bool planMosaic(const QVector<MosaicSource> &sources, Resampling resampling, MapLayer *layer, int *failedSource,
                QString *error)
{
    *failedSource = -1;
    auto mosaic = std::make_shared<LayerMosaic>();
    QVector<int> sourceOf;  // the given source of each piece
    for (qsizetype i = 0; i < sources.size(); ++i) {
        const MosaicSource &source = sources.at(i);
        // Checked before a merged source gives its own: a copy of one is no copy of them.
        if (source.layer.fromSmf || source.layer.zoom != 1.0) {
            *error = source.layer.fromSmf
                ? LayerMosaic::tr("a level read from an SMF file cannot be merged")
                : LayerMosaic::tr("a copy at another scale cannot be merged; merge the layer it was made from");
            *failedSource = int(i);
            return false;
        }
        // A merged source brings its own.
        const QVector<MosaicSource> own = source.layer.mosaic ? source.layer.mosaic->sources
                                                              : QVector<MosaicSource>{source};
        for (const MosaicSource &taken : own) {
            MosaicPiece piece;
            if (!pieceOf(taken, resampling, &piece, error)) {
                *failedSource = int(i);
                return false;
            }
            mosaic->sources.append(taken);
            mosaic->raster.pieces.append(piece);
            sourceOf.append(int(i));
        }
    }
    int failedPiece = -1;
    if (!planRasterMosaic(&mosaic->raster, &failedPiece, error)) {
        *failedSource = failedPiece >= 0 ? sourceOf.at(failedPiece) : -1;
        return false;
    }
    const RasterMosaic &grid = mosaic->raster;
    MapLayer result;
    result.sourcePath = sources.first().layer.sourcePath;
    result.topLeft = CalibrationPoint{0, 0, grid.westMas, grid.northMas};
    result.bottomRight = CalibrationPoint{grid.size.width(), grid.size.height(), grid.eastMas, grid.southMas};
    result.topLeftLonSet = result.topLeftLatSet = result.bottomRightLonSet = result.bottomRightLatSet = true;
    result.mosaic = std::move(mosaic);
    result.updateScales();
    *layer = result;
    return true;
}

QVector<QPointF> oziBorderFace(const OziMapSummary &summary, const MapLayer &layer)
{
    const QVector<QPointF> &border = summary.border;
    if (!isFacePolygon(border))
        return {};
    const QSize imageSize = layer.georeference ? layer.georeference->sourceSize : imageFileSize(layer.sourcePath);
    const QPointF corners[] = {QPointF(0, 0), QPointF(imageSize.width(), 0),
                               QPointF(imageSize.width(), imageSize.height()), QPointF(0, imageSize.height())};
    // OziExplorer marks a map without a border by the corner pixels, (W - 1, H - 1) the last.
    for (const QPointF &point : border) {
        bool atCorner = false;
        for (const QPointF &corner : corners) {
            atCorner = atCorner
                || (std::fabs(point.x() - corner.x()) <= 1.5 && std::fabs(point.y() - corner.y()) <= 1.5);
        }
        if (!atCorner)
            return border;
    }
    return {};
}
