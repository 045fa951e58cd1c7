#include "smf/wfl_tile_payload.h"

#include <QImage>
#include <QRect>

#include "project/image_file.h"
#include "smf/tile_cutting.h"
#include "smf/wfl_status.h"

namespace {

constexpr int kMaxTileSide = 100000;  // pixels; readers refuse larger tiles

}  // namespace

int makeWflTilePayload(const QString &imagePath, bool lastColumn, bool lastRow, QRgb fillColour,
                       qint32 budgetMB, QSize *tileSize, QByteArray *payload, QString *error)
{
    int status = kImageFileOk;
    QString reason;
    const QImage image = readImageFile(imagePath, budgetMB, nullptr, &status, &reason);
    if (status == kImageFileUnreadable) {
        *error = QStringLiteral("cannot read %1: %2").arg(imagePath, reason);
        return kWflReadError;
    }
    if (image.isNull()) {
        *error = QStringLiteral("%1 cannot be decoded as an image: %2").arg(imagePath, reason);
        return kWflInvalidTiles;
    }
    const int width = image.width();
    const int height = image.height();
    if (tileSize->isEmpty()) {
        if (width > kMaxTileSide || height > kMaxTileSide) {
            *error = QStringLiteral("%1 is %2 x %3 pixels; a tile may have at most %4 pixels a side")
                         .arg(imagePath).arg(width).arg(height).arg(kMaxTileSide);
            return kWflInvalidTiles;
        }
        *tileSize = image.size();
    }
    const QString sizes = QStringLiteral("%1 is %2 x %3 pixels, the tiles are %4 x %5")
                              .arg(imagePath).arg(width).arg(height).arg(tileSize->width()).arg(tileSize->height());
    if (width > tileSize->width() || height > tileSize->height()) {
        *error = QStringLiteral("%1: larger than the first tile of the highest level").arg(sizes);
        return kWflInvalidTiles;
    }
    if (width < tileSize->width() && !lastColumn) {
        *error = QStringLiteral("%1: only a tile of its level's last column may be narrower").arg(sizes);
        return kWflInvalidTiles;
    }
    if (height < tileSize->height() && !lastRow) {
        *error = QStringLiteral("%1: only a tile of its level's last row may be shorter").arg(sizes);
        return kWflInvalidTiles;
    }
    *payload = cutTile(image, QRect(QPoint(0, 0), *tileSize), fillColour);
    if (payload->isEmpty()) {
        *error = QStringLiteral("out of memory while encoding %1").arg(imagePath);
        return kWflOutOfMemory;
    }
    return kWflOk;
}
