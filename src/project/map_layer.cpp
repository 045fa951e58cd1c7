#include "project/map_layer.h"

#include <cmath>
#include <limits>
#include <utility>

#include "geo/position_format.h"
#include "geo/position_parse.h"

bool LayerCalibration::operator==(const LayerCalibration &other) const
{
    const auto same = [](const CalibrationPoint &a, const CalibrationPoint &b) {
        return a.pixelX == b.pixelX && a.pixelY == b.pixelY && a.lon == b.lon && a.lat == b.lat;
    };
    return same(topLeft, other.topLeft) && same(bottomRight, other.bottomRight)
        && topLeftLonSet == other.topLeftLonSet && topLeftLatSet == other.topLeftLatSet
        && bottomRightLonSet == other.bottomRightLonSet && bottomRightLatSet == other.bottomRightLatSet;
}

bool ControlPoint::operator==(const ControlPoint &other) const
{
    return pixelX == other.pixelX && pixelY == other.pixelY && lon == other.lon && lat == other.lat
        && lonSet == other.lonSet && latSet == other.latSet && enabled == other.enabled;
}

int LayerControlPoints::storedDatum(int datumIndex)
{
    return typedPositionsAreShifted(datumIndex) ? datumIndex : -1;
}

LayerControlPoints LayerControlPoints::onDatum(int datumIndex) const
{
    const int target = storedDatum(datumIndex);
    if (target == this->datumIndex || epsg > 0)
        return *this;
    LayerControlPoints result = *this;
    result.datumIndex = target;
    for (ControlPoint &point : result.points) {
        if (!point.lonSet && !point.latSet)
            continue;
        const GeoPosition wgs84 = typedPositionToWgs84(
            GeoPosition{point.latSet ? point.lat : 0.0, point.lonSet ? point.lon : 0.0, 0.0}, this->datumIndex);
        const GeoPosition moved = target < 0 ? wgs84 : shownPositionOnDatum(wgs84, target);
        point.lon = point.lonSet ? moved.longitude : 0.0;
        point.lat = point.latSet ? moved.latitude : 0.0;
    }
    return result;
}

QVector<GroundControlPoint> LayerControlPoints::fitted(QVector<int> *indices) const
{
    QVector<GroundControlPoint> gcps;
    for (int i = 0; i < points.size(); ++i) {
        const ControlPoint &point = points.at(i);
        if (!point.enabled || !point.positioned())
            continue;
        gcps.append({point.pixelX, point.pixelY, point.lon, point.lat});
        if (indices)
            indices->append(i);
    }
    return gcps;
}

bool LayerControlPoints::operator==(const LayerControlPoints &other) const
{
    return active == other.active && points == other.points && transform == other.transform
        && datumIndex == other.datumIndex && epsg == other.epsg;
}

void MapLayer::applyGeoreference(std::shared_ptr<const RasterGeoreference> raster)
{
    sourcePath = raster->rasterPath;
    topLeft = {0, 0, raster->westMas, raster->northMas};
    bottomRight = {raster->size.width(), raster->size.height(), raster->eastMas, raster->southMas};
    topLeftLonSet = topLeftLatSet = bottomRightLonSet = bottomRightLatSet = true;
    georeference = std::move(raster);
    updateScales();
}

void MapLayer::setWarpResampling(Resampling resampling)
{
    if (!georeference || georeference->resampling == resampling)
        return;
    auto changed = std::make_shared<RasterGeoreference>(*georeference);
    changed->resampling = resampling;
    georeference = std::move(changed);
}

LayerCalibration MapLayer::calibration() const
{
    return {topLeft, bottomRight, topLeftLonSet, topLeftLatSet, bottomRightLonSet, bottomRightLatSet, scale, lonScale};
}

void MapLayer::setCalibration(const LayerCalibration &calibration)
{
    topLeft = calibration.topLeft;
    bottomRight = calibration.bottomRight;
    topLeftLonSet = calibration.topLeftLonSet;
    topLeftLatSet = calibration.topLeftLatSet;
    bottomRightLonSet = calibration.bottomRightLonSet;
    bottomRightLatSet = calibration.bottomRightLatSet;
    scale = calibration.scale;
    lonScale = calibration.lonScale;
}

void MapLayer::updateScales()
{
    // Differences in 64 bits: saturated setter values must not overflow.
    const double dLat = double(qint64(topLeft.lat) - qint64(bottomRight.lat));
    const double dY = double(qint64(topLeft.pixelY) - qint64(bottomRight.pixelY));
    const double dLon = double(qint64(topLeft.lon) - qint64(bottomRight.lon));
    const double dX = double(qint64(topLeft.pixelX) - qint64(bottomRight.pixelX));
    scale = std::fabs(dLat / dY);
    lonScale = std::fabs(dLon / dX);
}

std::optional<GeoPosition> MapLayer::positionAt(QPoint pixel) const
{
    const PixelGrid grid{double(topLeft.pixelX), double(topLeft.pixelY), double(topLeft.lon), double(topLeft.lat),
                         lonScale, -scale};
    GeoPosition position;
    position.longitude = masToDegrees(grid.lonAt(pixel.x()));
    position.latitude = masToDegrees(grid.latAt(pixel.y()));
    if (!std::isfinite(position.longitude) || !std::isfinite(position.latitude))
        return std::nullopt;
    return position;
}

QString MapLayer::scaleText() const
{
    if (topLeftLatSet && bottomRightLatSet && std::isfinite(scale)
        && scale < double(std::numeric_limits<qint32>::max()) + 1.0) {
        return QStringLiteral("1:%1").arg(qint32(scale));
    }
    return QStringLiteral("1:---");
}

CalibrationCheck MapLayer::checkCalibration() const
{
    using F = CalibrationField;
    const struct
    {
        F field;
        bool entered;
        qint32 value;
        qint32 limit;
    } geographic[] = {
        {F::TopLeftLon, topLeftLonSet, topLeft.lon, kMaxLongitudeMas},
        {F::TopLeftLat, topLeftLatSet, topLeft.lat, kMaxLatitudeMas},
        {F::BottomRightLon, bottomRightLonSet, bottomRight.lon, kMaxLongitudeMas},
        {F::BottomRightLat, bottomRightLatSet, bottomRight.lat, kMaxLatitudeMas},
    };
    for (const auto &g : geographic) {
        if (!g.entered)
            return {CalibrationFault::NotEntered, g.field};
    }
    for (const auto &g : geographic) {
        if (g.value < -g.limit || g.value > g.limit)
            return {CalibrationFault::OutOfRange, g.field};
    }
    // Each pair: the coordinate that must be the greater one, and whether it is.
    const std::pair<F, bool> order[] = {
        {F::BottomRightLon, bottomRight.lon > topLeft.lon},
        {F::TopLeftLat, topLeft.lat > bottomRight.lat},
        {F::BottomRightX, bottomRight.pixelX > topLeft.pixelX},
        {F::BottomRightY, bottomRight.pixelY > topLeft.pixelY},
    };
    for (const auto &[field, greater] : order) {
        if (!greater)
            return {CalibrationFault::NotGreater, field};
    }
    return {};
}

void MapLayer::fitBottomRightTo(const QSize &size)
{
    if (bottomRight.pixelX == 0) {
        bottomRight.pixelX = size.width();
        bottomRight.pixelY = size.height();
    }
    if (bottomRight.pixelX > size.width())
        bottomRight.pixelX = size.width();
    if (bottomRight.pixelY > size.height())
        bottomRight.pixelY = size.height();
}

qint32 imageMemoryMB(const QSize &size)
{
    const qint64 bytes = qint64(qMax(size.width(), 0)) * qMax(size.height(), 0) * 4;
    return qint32(qMin<qint64>((bytes / 1024) / 1024, std::numeric_limits<qint32>::max()));
}

bool layerScaleLess(double a, double b)
{
    if (std::isnan(a))
        return false;
    if (std::isnan(b))
        return true;
    return a < b;
}
