// The ".points" files of QGIS's georeferencer, and the grids ground control points
// are given on.

#include "raster/qgis_points.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>

#include <cmath>

#include "raster/file_access.h"
#include "raster/gdal_support.h"

namespace {

// A points file of 1,000 points with residuals and a long WKT grid is under 100 KiB.
constexpr qint64 kMaxPointsFileBytes = 1024 * 1024;

// The context of the texts, for the translator.
struct QgisPoints
{
    Q_DECLARE_TR_FUNCTIONS(QgisPoints)
};

// The spatial reference as WKT2 on one line, as QGIS writes it; empty when it cannot be written.
QByteArray singleLineWkt(const OGRSpatialReference &reference)
{
    char *wkt = nullptr;
    const char *options[] = {"FORMAT=WKT2_2019", "MULTILINE=NO", nullptr};
    const OGRErr exported = reference.exportToWkt(&wkt, options);
    const GdalString owned(wkt);
    return exported == OGRERR_NONE && wkt ? QByteArray(wkt) : QByteArray();
}

// The EPSG code of a spatial reference: its own, or that of the one PROJ finds equal
// to it (with a confidence of 90 % or more); 0 for none.
int epsgCode(const OGRSpatialReference &reference)
{
    const auto codeOf = [](const OGRSpatialReference &named) {
        const char *authority = named.GetAuthorityName(nullptr);
        const char *code = named.GetAuthorityCode(nullptr);
        return authority && code && QByteArray(authority).compare("EPSG", Qt::CaseInsensitive) == 0
            ? QByteArray(code).toInt()
            : 0;
    };
    if (const int own = codeOf(reference))
        return own;
    int count = 0;
    int *confidences = nullptr;
    OGRSpatialReferenceH *matches = reference.FindMatches(nullptr, &count, &confidences);
    const int found = matches && count > 0 && confidences && confidences[0] >= 90
        ? codeOf(*OGRSpatialReference::FromHandle(matches[0]))
        : 0;
    OSRFreeSRSArray(matches);
    CPLFree(confidences);
    return found;
}

// Takes a spatial reference as the points' grid: WGS 84 in degrees stays the default.
bool takeGrid(const OGRSpatialReference &reference, PointGrid *grid, QString *error)
{
    if (!reference.IsGeographic() && !reference.IsProjected()) {
        *error = QgisPoints::tr("the grid %1 is neither geographic nor projected")
                     .arg(QString::fromUtf8(reference.GetName()));
        return false;
    }
    const char *options[] = {"CRITERION=EQUIVALENT_EXCEPT_AXIS_ORDER_GEOGCRS", nullptr};
    const OGRSpatialReference wgs84 = wgs84Reference();
    PointGrid result;
    if (!(reference.IsGeographic() && reference.IsSame(&wgs84, options))) {
        const QByteArray wkt = singleLineWkt(reference);
        if (wkt.isEmpty()) {
            *error = QgisPoints::tr("the grid %1 cannot be written as WKT").arg(QString::fromUtf8(reference.GetName()));
            return false;
        }
        result.wkt = QString::fromUtf8(wkt);
        result.name = QString::fromUtf8(reference.GetName());
        result.geographic = reference.IsGeographic();
        result.epsg = epsgCode(reference);
    }
    *grid = result;
    return true;
}

// The values of a line: split at commas, or at tabs when it has no comma.
QList<QByteArray> fieldsOf(const QByteArray &line)
{
    QList<QByteArray> fields = line.split(line.contains(',') ? ',' : '\t');
    for (QByteArray &field : fields)
        field = field.trimmed();
    return fields;
}

}  // namespace

QVector<GroundControlPoint> ControlPointList::enabledPoints() const
{
    QVector<GroundControlPoint> result;
    for (const ListedPoint &point : points) {
        if (point.enabled)
            result.append(point.point);
    }
    return result;
}

bool pointGridFromEpsg(int code, PointGrid *grid, QString *error)
{
    ensureGdal();
    GdalErrors errors;
    OGRSpatialReference reference;
    if (code <= 0 || reference.importFromEPSG(code) != OGRERR_NONE) {
        *error = QgisPoints::tr("EPSG:%1 is not a grid PROJ knows").arg(code);
        return false;
    }
    reference.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return takeGrid(reference, grid, error);
}

bool positionsToGrid(const PointGrid &from, const PointGrid &to, QVector<QPointF> *positions, QString *error)
{
    if (from.wkt == to.wkt)
        return true;
    ensureGdal();
    GdalErrors errors;
    OGRSpatialReference source = wgs84Reference();
    OGRSpatialReference target = wgs84Reference();
    const CoordinateTransformation transform(
        (from.wkt.isEmpty() || referenceFromWkt(from.wkt, &source)) && (to.wkt.isEmpty() || referenceFromWkt(to.wkt, &target))
            ? OGRCreateCoordinateTransformation(&source, &target)
            : nullptr);
    QVector<QPointF> moved = *positions;
    for (QPointF &position : moved) {
        double x = position.x(), y = position.y();
        if (!transform || !transform->Transform(1, &x, &y) || !std::isfinite(x) || !std::isfinite(y)) {
            *error = QgisPoints::tr("PROJ cannot take the position (%1, %2) from %3 to %4")
                         .arg(position.x()).arg(position.y()).arg(from.name, to.name);
            return false;
        }
        position = QPointF(x, y);
    }
    *positions = moved;
    return true;
}

bool pointGridFromText(const QByteArray &text, PointGrid *grid, QString *error)
{
    const QByteArray trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        *grid = PointGrid();
        return true;
    }
    const QString spelled = QString::fromUtf8(trimmed);
    const QRegularExpressionMatch epsg =
        QRegularExpression(QStringLiteral("^EPSG:(\\d{1,9})$"), QRegularExpression::CaseInsensitiveOption)
            .match(spelled);
    if (epsg.hasMatch())
        return pointGridFromEpsg(epsg.captured(1).toInt(), grid, error);
    // WKT opens with a keyword and a bracket; anything else (a PROJ string, a URL, a
    // file name) is no grid here.
    ensureGdal();
    GdalErrors errors;
    OGRSpatialReference reference;
    if (!QRegularExpression(QStringLiteral("^[A-Za-z][A-Za-z0-9_]*\\s*[\\[(]")).match(spelled).hasMatch()
        || !referenceFromWkt(spelled, &reference)) {
        *error = QgisPoints::tr("the grid is neither WKT nor EPSG:N that PROJ reads");
        return false;
    }
    return takeGrid(reference, grid, error);
}

PointsFileStatus parseQgisPoints(const QByteArray &bytes, ControlPointList *list, QString *error)
{
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    if (lines.first().startsWith("\xEF\xBB\xBF"))
        lines.first().remove(0, 3);
    const auto invalid = [error](int line, const QString &reason) {
        *error = QgisPoints::tr("line %1: %2").arg(line).arg(reason);
        return PointsFileStatus::Invalid;
    };
    ControlPointList result;
    qsizetype next = 0;
    if (lines.first().startsWith("#CRS:")) {
        QString reason;
        if (!pointGridFromText(lines.first().mid(5), &result.grid, &reason))
            return invalid(1, reason);
        result.gridNamed = !lines.first().mid(5).trimmed().isEmpty();
        ++next;
    }
    const QList<QByteArray> header = fieldsOf(lines.value(next));
    if (header.size() < 4 || header.at(0).compare("mapX", Qt::CaseInsensitive) != 0
        || header.at(1).compare("mapY", Qt::CaseInsensitive) != 0) {
        return invalid(int(next) + 1, QgisPoints::tr("no header \"mapX,mapY,...\" of a QGIS points file"));
    }
    const QLocale c = QLocale::c();
    for (++next; next < lines.size(); ++next) {
        const int number = int(next) + 1;
        if (lines.at(next).trimmed().isEmpty())
            continue;
        if (result.points.size() == kMaxPointsFilePoints) {
            return invalid(number, QgisPoints::tr("more than %1 points")
                                       .arg(QLocale(QLocale::English).toString(kMaxPointsFilePoints)));
        }
        const QList<QByteArray> fields = fieldsOf(lines.at(next));
        if (fields.size() < 4)
            return invalid(number, QgisPoints::tr("%1 values; a point needs map x, map y, source x and source y")
                                       .arg(fields.size()));
        double values[4];
        for (int i = 0; i < 4; ++i) {
            bool ok = false;
            values[i] = c.toDouble(QString::fromLatin1(fields.at(i)), &ok);
            if (!ok || !std::isfinite(values[i]))
                return invalid(number, QgisPoints::tr("value %1 is not a number").arg(i + 1));
        }
        ListedPoint point;
        point.point = {values[2], -values[3], values[0], values[1]};
        if (fields.size() >= 5) {
            if (fields.at(4) != "0" && fields.at(4) != "1")
                return invalid(number, QgisPoints::tr("enable is not 0 or 1"));
            point.enabled = fields.at(4) == "1";
        }
        result.points.append(point);
    }
    *list = result;
    return PointsFileStatus::Ok;
}

PointsFileStatus readQgisPointsFile(const QString &path, ControlPointList *list, QString *error)
{
    const QString refusal = inputFileRefusal(path);
    if (!refusal.isEmpty()) {
        *error = refusal;
        return PointsFileStatus::Unreadable;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QgisPoints::tr("%1 cannot be read: %2").arg(path, file.errorString());
        return PointsFileStatus::Unreadable;
    }
    if (file.size() > kMaxPointsFileBytes) {
        *error = QgisPoints::tr("the points file %1 is larger than 1 MiB").arg(path);
        return PointsFileStatus::Invalid;
    }
    const QByteArray bytes = file.read(kMaxPointsFileBytes);
    if (file.error() != QFileDevice::NoError) {
        *error = QgisPoints::tr("%1 cannot be read: %2").arg(path, file.errorString());
        return PointsFileStatus::Unreadable;
    }
    QString reason;
    const PointsFileStatus status = parseQgisPoints(bytes, list, &reason);
    if (status != PointsFileStatus::Ok)
        *error = QgisPoints::tr("the points file %1, %2").arg(path, reason);
    return status;
}

QByteArray qgisPointsText(const ControlPointList &list)
{
    ensureGdal();
    OGRSpatialReference grid = wgs84Reference();
    if (!list.grid.wkt.isEmpty() && !referenceFromWkt(list.grid.wkt, &grid))
        return QByteArray();
    const QByteArray wkt = singleLineWkt(grid);
    if (wkt.isEmpty())
        return QByteArray();
    QByteArray text = "#CRS: " + wkt + "\nmapX,mapY,sourceX,sourceY,enable,dX,dY,residual\n";
    const auto number = [](double value) { return QByteArray::number(value, 'g', QLocale::FloatingPointShortest); };
    for (const ListedPoint &point : list.points) {
        const GroundControlPoint &p = point.point;
        text += number(p.lon) + ',' + number(p.lat) + ',' + number(p.pixelX) + ','
            + number(p.pixelY == 0.0 ? 0.0 : -p.pixelY) + ',' + (point.enabled ? '1' : '0') + ",0,0,0\n";
    }
    return text;
}
