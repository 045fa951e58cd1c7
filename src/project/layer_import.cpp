// The one way in: what a file is, and what places it.

#include "project/layer_import.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>

#include <cmath>
#include <memory>

#include "geo/datum_shift.h"
#include "geo/datum_table.h"
#include "raster/image_file.h"
#include "raster/image_rows.h"
#include "raster/qgis_points.h"

namespace {

// The largest miss of a layer's georeferencing at the reference points of the
// OziExplorer file it came from: through its georeference (pointMisses) when it has
// one, else through its two-point linear calibration. The largest pixel miss and the
// largest distance, each over all points (they may be of different points). Nothing
// when there are no reference points or the calibration does not form a mapping.
std::optional<PointMiss> largestOziMiss(const MapLayer &layer, const OziMapSummary &summary)
{
    const QVector<GroundControlPoint> &points = summary.referencePoints;
    QVector<PointMiss> misses;
    if (layer.georeference) {
        misses = pointMisses(*layer.georeference, points);
    } else {
        // Pixels of the layer's image are source pixels times its zoom.
        const CalibrationPoint &tl = layer.topLeft;
        const CalibrationPoint &br = layer.bottomRight;
        PixelGrid grid;
        grid.originX = tl.pixelX / layer.zoom;
        grid.originY = tl.pixelY / layer.zoom;
        grid.originLon = tl.lon;
        grid.originLat = tl.lat;
        grid.lonPerPixel = (double(br.lon) - tl.lon) / ((double(br.pixelX) - tl.pixelX) / layer.zoom);
        grid.latPerPixel = (double(br.lat) - tl.lat) / ((double(br.pixelY) - tl.pixelY) / layer.zoom);
        if (!std::isfinite(grid.lonPerPixel) || !std::isfinite(grid.latPerPixel) || grid.lonPerPixel == 0.0
            || grid.latPerPixel == 0.0)
            return std::nullopt;
        for (const GroundControlPoint &point : points) {
            const double lon = masToDegrees(grid.lonAt(point.pixelX));
            const double lat = masToDegrees(grid.latAt(point.pixelY));
            const double dx = (point.lon - lon) * kMasPerDegree / grid.lonPerPixel;
            const double dy = (point.lat - lat) * kMasPerDegree / grid.latPerPixel;
            misses.append({std::hypot(dx, dy), wgs84Distance(lon, lat, point.lon, point.lat)});
        }
    }
    if (misses.isEmpty())
        return std::nullopt;
    PointMiss largest;
    for (const PointMiss &miss : std::as_const(misses)) {
        largest.pixels = qMax(largest.pixels, miss.pixels);
        largest.metres = qMax(largest.metres, miss.metres);
    }
    return largest;
}

void fail(LayerImport *result, LayerImportStatus status, const QString &reason)
{
    result->status = status;
    result->reason = reason;
}

void importOziMap(const QString &path, const LayerImportOptions &options, LayerImport *result)
{
    result->kind = LayerKind::OziExplorer;
    OziMapFile map;
    const OziMapStatus read = map.read(path, options.allowCornerFit);
    if (read == OziMapStatus::Unreadable) {
        return fail(result, LayerImportStatus::Unreadable,
                    QCoreApplication::translate("MapProject", "cannot read the OziExplorer file %1: %2")
                        .arg(path, map.errorString()));
    }
    if (read != OziMapStatus::Ok)
        return fail(result, LayerImportStatus::Invalid, map.errorString());
    MapLayer &layer = result->layer;
    layer.sourcePath = map.imagePath();
    layer.oziMapPath = path;
    if (map.hasCorners()) {
        layer.topLeft = map.topLeft();
        layer.bottomRight = map.bottomRight();
        layer.topLeftLonSet = layer.topLeftLatSet = layer.bottomRightLonSet = layer.bottomRightLatSet = true;
    }
    if (map.georeference())
        layer.applyGeoreference(map.georeference());
    layer.setWarpResampling(options.resampling);
    result->ozi = map.summary();
    result->status = map.hasCorners() || map.georeference() ? LayerImportStatus::Calibrated
                                                            : LayerImportStatus::Uncalibrated;
    const OziMapSummary &summary = result->ozi;
    const QString points = summary.pointCount == 1
        ? LayerImport::tr("1 reference point")
        : LayerImport::tr("%1 reference points").arg(summary.pointCount);
    const QString source = summary.source == OziCalibrationSource::MmpBlock
        ? LayerImport::tr("the MMPXY/MMPLL block (WGS 84)")
        : LayerImport::tr("the Point lines (datum %1)").arg(summary.datumName);
    result->summary = LayerImport::tr("calibrated by %1 from %2").arg(points, source);
    result->largestMiss = largestOziMiss(layer, summary);
    if (result->largestMiss && result->largestMiss->pixels > 1.0) {
        result->warnings << LayerImport::tr("misses its reference points by up to %1 px (%2 m)")
                                .arg(result->largestMiss->pixels, 0, 'f', 1)
                                .arg(result->largestMiss->metres, 0, 'f', 0);
    }
}

void importTyped(const QString &path, const LayerImportOptions &options, LayerImport *result)
{
    result->kind = LayerKind::Typed;
    TypedCalibration typed;
    QString error;
    if (!parseCalibrationText(options.calibrationText, &typed, &error))
        return fail(result, LayerImportStatus::Invalid, error);
    result->layer.sourcePath = path;
    result->typed = typed;
    result->status = LayerImportStatus::Calibrated;
}

void takeGeoreference(const RasterGeoreference &georeference, LayerImport *result)
{
    result->layer.applyGeoreference(std::make_shared<const RasterGeoreference>(georeference));
    result->summary = georeferenceSummary(georeference);
    result->status = LayerImportStatus::Calibrated;
}

// The points options give, with the grid they are on; false after failing result.
bool controlPoints(const LayerImportOptions &options, LayerImport *result, QVector<GroundControlPoint> *points,
                   PointGrid *grid)
{
    QString error;
    *points = options.gcps;
    if (!options.gcpFile.isEmpty()) {
        ControlPointList list;
        const PointsFileStatus read = readQgisPointsFile(options.gcpFile, &list, &error);
        if (read != PointsFileStatus::Ok) {
            fail(result, read == PointsFileStatus::Unreadable ? LayerImportStatus::Unreadable
                                                               : LayerImportStatus::Invalid, error);
            return false;
        }
        if (list.gridNamed && options.gcpEpsg > 0) {
            fail(result, LayerImportStatus::Invalid,
                 LayerImport::tr("the points file %1 names its own grid, %2; no other can be given for it")
                     .arg(options.gcpFile, list.grid.name));
            return false;
        }
        *points = list.enabledPoints();
        *grid = list.grid;
    }
    if (options.gcpEpsg > 0 && !pointGridFromEpsg(options.gcpEpsg, grid, &error)) {
        fail(result, LayerImportStatus::Invalid, error);
        return false;
    }
    if (!grid->wkt.isEmpty() && options.gcpDatum >= 0) {
        fail(result, LayerImportStatus::Invalid,
             LayerImport::tr("points on the grid %1 cannot also be on the datum %2")
                 .arg(grid->name, datumName(options.gcpDatum)));
        return false;
    }
    for (qsizetype i = 0; grid->geographic && i < points->size(); ++i) {
        const GroundControlPoint &point = points->at(i);
        if (!(std::fabs(point.lon) <= 180.0 && std::fabs(point.lat) <= 90.0)) {
            fail(result, LayerImportStatus::Invalid,
                 LayerImport::tr("point %1 is not a longitude and latitude in degrees (%2, %3); points on a "
                                 "projected grid need its EPSG code")
                     .arg(i + 1).arg(point.lon).arg(point.lat));
            return false;
        }
    }
    return true;
}

void importByPoints(const QString &path, const LayerImportOptions &options, LayerImport *result)
{
    result->kind = LayerKind::ControlPoints;
    QVector<GroundControlPoint> points;
    PointGrid grid;
    if (!controlPoints(options, result, &points, &grid))
        return;
    if (options.gcpDatum >= 0) {
        for (GroundControlPoint &point : points) {
            const GeoPosition shifted = datumToWgs84(GeoPosition{point.lat, point.lon, 0.0}, options.gcpDatum);
            point.lon = shifted.longitude;
            point.lat = shifted.latitude;
        }
    }
    GeoreferenceReader reader;
    const GeoreferenceStatus found =
        reader.readByPoints(path, points, options.gcpTransform, options.resampling, grid.wkt);
    // The points are reported on the datum or grid they were given on.
    const QString datum = options.gcpDatum >= 0 ? datumName(options.gcpDatum) : grid.name;
    if (found == GeoreferenceStatus::Unreadable)
        return fail(result, LayerImportStatus::Unreadable, reader.errorString());
    if (found != GeoreferenceStatus::Georeferenced) {
        return fail(result, LayerImportStatus::Invalid,
                    LayerImport::tr("%1 (ground control points on %2)").arg(reader.errorString(), datum));
    }
    RasterGeoreference georeference = reader.georeference();
    if (grid.wkt.isEmpty())
        georeference.gridName = georeference.datumName = datum;
    takeGeoreference(georeference, result);
}

void importRaster(const QString &path, const LayerImportOptions &options, LayerImport *result)
{
    result->kind = LayerKind::Raster;
    GeoreferenceReader reader;
    const GeoreferenceStatus found = reader.read(path, options.resampling);
    switch (found) {
    case GeoreferenceStatus::Georeferenced:
        return takeGeoreference(reader.georeference(), result);
    case GeoreferenceStatus::Unreadable:
        return fail(result, LayerImportStatus::Unreadable, reader.errorString());
    case GeoreferenceStatus::Invalid:
        return fail(result, LayerImportStatus::Invalid, reader.errorString());
    case GeoreferenceStatus::NotGeoreferenced:
    case GeoreferenceStatus::Incomplete:
    case GeoreferenceStatus::NotARaster:
        break;
    }
    // No georeferencing: an image, if the image readers take it, to be calibrated by
    // hand; a file GDAL may not read is no raster unless they do.
    result->kind = LayerKind::Image;
    const std::unique_ptr<ImageRowReader> rows = openImageRows(path, 0);
    if (rows->status() != ImageFileStatus::Ok) {
        return fail(result,
                    rows->status() == ImageFileStatus::Unreadable ? LayerImportStatus::Unreadable
                                                                  : LayerImportStatus::Invalid,
                    found == GeoreferenceStatus::NotARaster ? reader.errorString() : rows->errorString());
    }
    result->status = LayerImportStatus::Uncalibrated;
    // Why a georeferencing it seems to carry was not taken.
    if (found == GeoreferenceStatus::Incomplete)
        result->reason = reader.errorString();
}

}  // namespace

LayerImport importLayer(const QString &path, const LayerImportOptions &options)
{
    LayerImport result;
    result.layer.sourcePath = path;
    if (isOziMapPath(path))
        importOziMap(path, options, &result);
    else if (!options.calibrationText.isEmpty())
        importTyped(path, options, &result);
    else if (!options.gcps.isEmpty() || !options.gcpFile.isEmpty())
        importByPoints(path, options, &result);
    else
        importRaster(path, options, &result);
    return result;
}

bool parseCalibrationText(const QString &text, TypedCalibration *calibration, QString *error)
{
    const QStringList values = text.split(QLatin1Char(','));
    if (values.size() != 4 && values.size() != 8) {
        *error = LayerImport::tr("needs 4 values (LON1,LAT1,LON2,LAT2) or 8 values "
                                 "(X1,Y1,LON1,LAT1,X2,Y2,LON2,LAT2), not %1")
                     .arg(values.size());
        return false;
    }
    const QLocale c = QLocale::c();
    bool ok = true;
    const auto pixel = [&](int i) {
        bool valueOk = false;
        const int value = c.toInt(values.at(i).trimmed(), &valueOk);
        ok = ok && valueOk;
        return value;
    };
    const auto degrees = [&](int i) {
        bool valueOk = false;
        const double value = c.toDouble(values.at(i).trimmed(), &valueOk);
        ok = ok && valueOk && std::isfinite(value);
        return value;
    };
    TypedCalibration result;
    if (values.size() == 4) {
        result.atImageCorners = true;
        result.topLeftLon = degrees(0);
        result.topLeftLat = degrees(1);
        result.bottomRightLon = degrees(2);
        result.bottomRightLat = degrees(3);
    } else {
        result.topLeft = QPoint(pixel(0), pixel(1));
        result.topLeftLon = degrees(2);
        result.topLeftLat = degrees(3);
        result.bottomRight = QPoint(pixel(4), pixel(5));
        result.bottomRightLon = degrees(6);
        result.bottomRightLat = degrees(7);
    }
    if (!ok) {
        *error = LayerImport::tr("has a value that is not a whole pixel or a number of degrees");
        return false;
    }
    *calibration = result;
    return true;
}

QString georeferenceSummary(const RasterGeoreference &georeference)
{
    const QString grid = georeference.gridName == georeference.datumName
        ? georeference.gridName
        : QStringLiteral("%1 (%2)").arg(georeference.gridName, georeference.datumName);
    if (georeference.kind == RasterGeoreference::AsIs)
        return LayerImport::tr("georeferenced by its %1 on %2, taken as it is").arg(originName(georeference), grid);
    return LayerImport::tr("georeferenced by its %1 on %2, warped to %3 x %4 pixels on WGS 84")
        .arg(originName(georeference), grid)
        .arg(georeference.size.width())
        .arg(georeference.size.height());
}
