#include "smf/tile_cutting.h"

#include <QPainter>

#include "smf/tile_encoding.h"

QByteArray cutTile(const QImage &image, const QRect &tileRect, QRgb fillColour)
{
    QImage tile(tileRect.size(), QImage::Format_RGB32);
    if (tile.isNull())
        return QByteArray();
    tile.fill(qRgb(qRed(fillColour), qGreen(fillColour), qBlue(fillColour)));
    const QRect covered = tileRect.intersected(image.rect());
    if (!covered.isEmpty()) {
        QPainter painter(&tile);
        painter.drawImage(covered.topLeft() - tileRect.topLeft(), image, covered);
    }
    return compressTile(encodeTilePixels(tile));
}
