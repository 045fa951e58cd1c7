#include "project/ozi_map.h"

#include <QFile>
#include <QFileInfo>

#include "geo/datum_shift.h"
#include "geo/datum_table.h"
#include "project/map_layer.h"
#include "project/milliarcseconds.h"
#include "project/ozi_image_path.h"
#include "project/ozi_map_text.h"

namespace {

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

int readOziMap(const QString &path, MapLayer *layer, OziMapSummary *summary, QString *error)
{
    OziMapSummary found;
    layer->sourcePath = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return -1;
    }
    const OziMapText text = parseOziMapText(file.readAll());
    found.datumName = QString::fromLatin1(text.datumName);
    if (text.hasImageLine)
        layer->sourcePath = resolveOziImagePath(path, text.imageLine);
    QVector<CalibrationPoint> points = text.points;
    if (!points.isEmpty()) {
        found.source = kOziMmpBlock;
    } else if (!text.datumPoints.isEmpty()) {
        const int datum = findDatum(found.datumName);
        if (datum < 0) {
            if (error)
                *error = QStringLiteral("the datum '%1' of its Point lines is not in the datum table").arg(found.datumName);
            return -2;
        }
        for (const OziDatumPoint &point : text.datumPoints) {
            // WGS 84 needs no shift; its round trip through Cartesian space could move a
            // whole degree below the next milliarcsecond.
            const GeoPosition onDatum{point.latitude, point.longitude, 0.0};
            const GeoPosition wgs84 = datum == kWgs84DatumIndex ? onDatum : datumToWgs84(onDatum, datum);
            points.append({point.pixelX, point.pixelY, degreesToMilliarcseconds(wgs84.longitude),
                           degreesToMilliarcseconds(wgs84.latitude)});
        }
        found.source = kOziPointLines;
    }
    found.pointCount = int(points.size());
    if (!points.isEmpty())
        applyReferencePoints(points, layer);
    if (summary)
        *summary = found;
    return 0;
}
