#include "smf/tile_cutting.h"

#include <QPainter>

#include "smf/tile_encoding.h"

QByteArray cutTile(const QImage &image, const QRect &tileRect, QRgb fillColour)
{
    // A tile wholly inside an opaque 32-bit image is encoded straight from the image.
    if (image.format() == QImage::Format_RGB32 && image.rect().contains(tileRect)) {
        const uchar *first = image.constScanLine(tileRect.y()) + qsizetype(tileRect.x()) * 4;
        const QImage view(first, tileRect.width(), tileRect.height(), image.bytesPerLine(), QImage::Format_RGB32);
        return compressTile(encodeTilePixels(view));
    }
    QImage tile(tileRect.size(), QImage::Format_RGB32);
    if (tile.isNull())
        return QByteArray();
    tile.fill(qRgb(qRed(fillColour), qGreen(fillColour), qBlue(fillColour)));
    const QRect covered = tileRect.intersected(image.rect());
    if (!covered.isEmpty()) {
        QPainter painter(&tile);
        // Only the covered part is converted, whatever the image's format.
        painter.drawImage(covered.topLeft() - tileRect.topLeft(), image.copy(covered));
    }
    return compressTile(encodeTilePixels(tile));
}
