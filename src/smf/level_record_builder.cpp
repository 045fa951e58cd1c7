#include "smf/level_record_builder.h"

#include <cmath>
#include <limits>

namespace {

// base + pixels x step as a 32-bit value; false when it leaves the 32-bit range (the
// 64-bit product itself cannot overflow unnoticed).
bool edgeValue(qint64 base, qint64 pixels, qint64 step, qint64 *edge)
{
    qint64 product = 0;
    if (__builtin_mul_overflow(pixels, step, &product) || __builtin_add_overflow(base, product, edge))
        return false;
    return *edge >= std::numeric_limits<qint32>::min() && *edge <= std::numeric_limits<qint32>::max();
}

}  // namespace

bool buildLevelRecord(const MapLayer &layer, int tileColumns, int tileRows, int tileWidth, int tileHeight,
                      SmfLevelRecord *record, QString *reason)
{
    const CalibrationPoint &tl = layer.topLeft;
    const CalibrationPoint &br = layer.bottomRight;
    const qint64 spanX = qint64(br.pixelX) - tl.pixelX;
    const qint64 spanY = qint64(br.pixelY) - tl.pixelY;
    if (spanX <= 0 || spanY <= 0) {
        *reason = QStringLiteral("the bottom-right pixel (%1, %2) is not right of and below the top-left pixel "
                                 "(%3, %4)")
                      .arg(br.pixelX).arg(br.pixelY).arg(tl.pixelX).arg(tl.pixelY);
        return false;
    }
    if (!(std::fabs(layer.scale) < double(std::numeric_limits<qint32>::max()) + 1.0)) {
        *reason = QStringLiteral("the scale is not a 32-bit number");
        return false;
    }

    SmfLevelRecord r;
    r.tileColumns = tileColumns;
    r.tileRows = tileRows;
    r.verticalScale = qint32(layer.scale);
    r.topLeftLon = tl.lon;
    r.topLeftLat = tl.lat;
    r.topLeftX = tl.pixelX;
    r.topLeftY = tl.pixelY;
    r.bottomRightLon = br.lon;
    r.bottomRightLat = br.lat;
    r.bottomRightX = br.pixelX;
    r.bottomRightY = br.pixelY;

    const qint64 width = qint64(tileColumns) * tileWidth;
    const qint64 height = qint64(tileRows) * tileHeight;
    const qint64 stepX = (qint64(br.lon) - tl.lon) / spanX;
    const qint64 stepY = (qint64(br.lat) - tl.lat) / spanY;
    qint64 left = tl.lon;
    qint64 right = br.lon;
    qint64 top = tl.lat;
    qint64 bottom = br.lat;
    const bool inRange = (tl.pixelX <= 0 || edgeValue(tl.lon, -qint64(tl.pixelX), stepX, &left))
        && (br.pixelX >= width || edgeValue(br.lon, width - br.pixelX, stepX, &right))
        && (tl.pixelY <= 0 || edgeValue(tl.lat, -qint64(tl.pixelY), stepY, &top))
        && (br.pixelY >= height || edgeValue(br.lat, height - br.pixelY, stepY, &bottom));
    if (!inRange) {
        *reason = QStringLiteral("the extent of the tile grid passes the 32-bit range of milliarcseconds");
        return false;
    }
    r.left = qint32(left);
    r.top = qint32(top);
    r.right = qint32(right);
    r.bottom = qint32(bottom);
    *record = r;
    return true;
}
