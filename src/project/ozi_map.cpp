#include "project/ozi_map.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include "project/map_layer.h"
#include "project/ozi_image_path.h"
#include "project/ozi_map_text.h"

namespace {

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    Q_UNUSED(text);
    return !decoder.hasError();
}

void applyReferencePoints(const QVector<CalibrationPoint> &points, MapLayer *layer)
{
    CalibrationPoint topLeft = points.first();
    CalibrationPoint bottomRight = points.first();
    for (const CalibrationPoint &point : points) {
        if (point.pixelX < topLeft.pixelX) {
            topLeft.pixelX = point.pixelX;
            topLeft.lon = point.lon;
        }
        if (point.pixelY < topLeft.pixelY) {
            topLeft.pixelY = point.pixelY;
            topLeft.lat = point.lat;
        }
        if (point.pixelX > bottomRight.pixelX) {
            bottomRight.pixelX = point.pixelX;
            bottomRight.lon = point.lon;
        }
        if (point.pixelY > bottomRight.pixelY) {
            bottomRight.pixelY = point.pixelY;
            bottomRight.lat = point.lat;
        }
    }
    layer->topLeft = topLeft;
    layer->bottomRight = bottomRight;
    layer->topLeftLonSet = layer->topLeftLatSet = layer->bottomRightLonSet = layer->bottomRightLatSet = true;
}

}  // namespace

bool isOziMapPath(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    return name.size() > 4 && name.endsWith(QLatin1String(".map"), Qt::CaseInsensitive);
}

int readOziMap(const QString &path, MapLayer *layer)
{
    layer->sourcePath = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    const OziMapText text = parseOziMapText(bytes);
    if (text.hasImageLine)
        layer->sourcePath = resolveOziImagePath(path, text.imageLine, isValidUtf8(bytes));
    if (!text.points.isEmpty())
        applyReferencePoints(text.points, layer);
    return 0;
}
