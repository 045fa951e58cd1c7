// The points of a layer calibrated by points, in and out of the files georeferencers
// keep them in: QGIS's ".points" files and OziExplorer's ".map" files.

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "geo/position_parse.h"
#include "raster/file_access.h"
#include "raster/ozi_map.h"
#include "raster/qgis_points.h"
#include "ui/main_window.h"

namespace {

// The points a file holds, on WGS 84 or on the grid of the EPSG code *epsg (0 for
// none); false with the reason.
bool readPointsFile(const QString &path, QVector<ControlPoint> *points, int *epsg, QString *error)
{
    QVector<ListedPoint> listed;
    if (isOziMapPath(path)) {
        OziMapFile map;
        if (map.read(path) != OziMapStatus::Ok) {
            *error = map.errorString();
            return false;
        }
        for (const GroundControlPoint &point : map.summary().referencePoints)
            listed.append({point, true});
    } else {
        ControlPointList list;
        if (readQgisPointsFile(path, &list, error) != PointsFileStatus::Ok)
            return false;
        // Points on another grid stay on it, which the window names by its EPSG code.
        if (!list.grid.wkt.isEmpty() && list.grid.epsg <= 0) {
            *error = MainWindow::tr("%1 的点所在的坐标系 %2 没有 EPSG 代码;只能导入有 EPSG 代码的坐标系上的点")
                         .arg(QDir::toNativeSeparators(path), list.grid.name);
            return false;
        }
        *epsg = list.grid.wkt.isEmpty() ? 0 : list.grid.epsg;
        listed = list.points;
    }
    if (listed.isEmpty()) {
        *error = MainWindow::tr("%1 中没有控制点").arg(QDir::toNativeSeparators(path));
        return false;
    }
    for (const ListedPoint &item : listed) {
        const GroundControlPoint &p = item.point;
        ControlPoint point;
        point.pixelX = p.pixelX;
        point.pixelY = p.pixelY;
        point.lon = p.lon;
        point.lat = p.lat;
        point.lonSet = point.latSet = true;
        point.enabled = item.enabled;
        points->append(point);
    }
    return true;
}

}  // namespace

void MainWindow::importControlPoints()
{
    const MapLayer *layer = currentLayerRecord();
    if (!layer || !layer->controlPoints.active || !canCalibrateByPoints())
        return;
    const QString path = m_dialogs.openFile(this, tr("导入点"), m_lastDirectory, pointsFileFilter(), QString());
    if (path.isEmpty())
        return;
    LayerControlPoints points = layer->controlPoints;
    points.points.clear();
    points.datumIndex = -1;
    QString error;
    if (!readPointsFile(path, &points.points, &points.epsg, &error)) {
        message(tr("无法导入点") + QLatin1Char('\n') + error);
        return;
    }
    // Points of another image would place this one nowhere.
    const QSize size = controlPointsImageSize();
    for (int i = 0; size.isValid() && i < points.points.size(); ++i) {
        const ControlPoint &point = points.points.at(i);
        if (!(point.pixelX >= 0.0 && point.pixelX <= size.width() && point.pixelY >= 0.0
              && point.pixelY <= size.height())) {
            message(tr("无法导入点") + QLatin1Char('\n')
                    + tr("第 %1 点的像素 (%2, %3) 不在 %4 × %5 的图像内")
                          .arg(i + 1).arg(point.pixelX).arg(point.pixelY).arg(size.width()).arg(size.height()));
            return;
        }
    }
    m_lastDirectory = QFileInfo(path).absolutePath();
    editControlPoints(points, tr("导入控制点"));
}

void MainWindow::exportControlPoints()
{
    const MapLayer *layer = currentLayerRecord();
    if (!layer || !layer->controlPoints.active)
        return;
    const QString suggested =
        m_lastDirectory + QLatin1Char('/') + QFileInfo(layer->sourcePath).completeBaseName() + QStringLiteral(".points");
    const QString path = m_dialogs.saveFile(this, tr("导出点"), suggested, pointsFileFilter());
    if (path.isEmpty())
        return;
    // The points on WGS 84 or on their grid, those with both coordinates: a ".map" file
    // takes only the enabled ones, on WGS 84, as they calibrate the image.
    const LayerControlPoints onWgs84 = layer->controlPoints.onDatum(-1);
    const bool oziMap = isOziMapPath(path);
    ControlPointList list;
    for (const ControlPoint &point : onWgs84.points) {
        if (point.positioned() && (point.enabled || !oziMap))
            list.points.append({{point.pixelX, point.pixelY, point.lon, point.lat}, point.enabled});
    }
    QString error = outputRefusal(path, m_project.inputFiles());
    if (error.isEmpty() && onWgs84.epsg > 0)
        pointGridFromEpsg(onWgs84.epsg, &list.grid, &error);
    QByteArray text;
    if (error.isEmpty() && list.points.isEmpty())
        error = tr("没有已输入位置的点可导出");
    if (error.isEmpty() && oziMap && !list.grid.wkt.isEmpty()) {
        QVector<QPointF> positions;
        for (const ListedPoint &point : std::as_const(list.points))
            positions.append(QPointF(point.point.lon, point.point.lat));
        if (positionsToGrid(list.grid, PointGrid(), &positions, &error)) {
            for (qsizetype i = 0; i < positions.size(); ++i) {
                list.points[i].point.lon = positions.at(i).x();
                list.points[i].point.lat = positions.at(i).y();
            }
        }
    }
    if (error.isEmpty() && oziMap)
        text = oziMapPointsText(layer->sourcePath, list.enabledPoints(), controlPointsImageSize(), &error);
    else if (error.isEmpty())
        text = qgisPointsText(list);
    QSaveFile file(path);
    if (error.isEmpty() && text.isEmpty())
        error = tr("无法写出这些点");
    if (error.isEmpty()
        && (!file.open(QIODevice::WriteOnly) || !writeAll(file, text.constData(), text.size()) || !file.commit()))
        error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + file.errorString();
    if (!error.isEmpty()) {
        message(tr("无法导出点") + QLatin1Char('\n') + error);
        return;
    }
    m_lastDirectory = QFileInfo(path).absolutePath();
}

QString MainWindow::pointsFileFilter()
{
    return tr("QGIS 控制点 (*.points *.POINTS);;OziExplorer 地图 (*.map *.MAP)");
}
