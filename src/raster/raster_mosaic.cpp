// Planning a mosaic: the level grid that covers every piece's map face, and each
// piece's part of it.

#include "raster/raster_mosaic.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

#include "geo/milliarcseconds.h"
#include "raster/gdal_support.h"
#include "raster/image_rows.h"

namespace {

// The longest piece of a face's edge taken to WGS 84 as a straight line, raster
// pixels; an edge is cut into at most kMostEdgePieces.
constexpr double kEdgePiece = 32.0;
constexpr int kMostEdgePieces = 256;

// Twice the signed area of a polygon.
double doubleArea(const QVector<QPointF> &polygon)
{
    double sum = 0.0;
    for (qsizetype i = 0; i < polygon.size(); ++i) {
        const QPointF &a = polygon.at(i);
        const QPointF &b = polygon.at((i + 1) % polygon.size());
        sum += a.x() * b.y() - b.x() * a.y();
    }
    return sum;
}

// The polygon with every edge cut into pieces of at most kEdgePiece pixels.
QVector<QPointF> densified(const QVector<QPointF> &polygon)
{
    QVector<QPointF> points;
    for (qsizetype i = 0; i < polygon.size(); ++i) {
        const QPointF a = polygon.at(i);
        const QPointF b = polygon.at((i + 1) % polygon.size());
        const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
        const int pieces = int(std::clamp(std::ceil(length / kEdgePiece), 1.0, double(kMostEdgePieces)));
        for (int k = 0; k < pieces; ++k)
            points.append(a + (b - a) * (double(k) / pieces));
    }
    return points;
}

// A piece's level step along each axis, milliarcseconds per pixel.
double lonStepOf(const RasterGeoreference &georeference)
{
    return std::max(1.0, std::round((double(georeference.eastMas) - georeference.westMas)
                                    / std::max(1, georeference.size.width())));
}
double latStepOf(const RasterGeoreference &georeference)
{
    return std::max(1.0, std::round((double(georeference.northMas) - georeference.southMas)
                                    / std::max(1, georeference.size.height())));
}

QString cannotPlace(const QString &reason)
{
    return QCoreApplication::translate("GeoRaster", "its map face cannot be placed on WGS 84: %1").arg(reason);
}

// The part of polygon inside the image's rectangle (Sutherland-Hodgman: the
// rectangle is convex, so each of its four sides cuts the polygon in turn).
QVector<QPointF> clippedToImage(const QVector<QPointF> &polygon, QSize size)
{
    QVector<QPointF> result = polygon;
    const auto clip = [&result](auto inside, auto crossing) {
        const QVector<QPointF> input = result;
        result.clear();
        for (qsizetype i = 0; i < input.size(); ++i) {
            const QPointF &a = input.at(i);
            const QPointF &b = input.at((i + 1) % input.size());
            if (inside(a))
                result.append(a);
            if (inside(a) != inside(b))
                result.append(crossing(a, b));
        }
    };
    const auto atX = [](const QPointF &a, const QPointF &b, double x) {
        return QPointF(x, a.y() + (x - a.x()) * (b.y() - a.y()) / (b.x() - a.x()));
    };
    const auto atY = [](const QPointF &a, const QPointF &b, double y) {
        return QPointF(a.x() + (y - a.y()) * (b.x() - a.x()) / (b.y() - a.y()), y);
    };
    const double width = size.width();
    const double height = size.height();
    clip([](const QPointF &p) { return p.x() >= 0.0; }, [&](const QPointF &a, const QPointF &b) { return atX(a, b, 0.0); });
    clip([&](const QPointF &p) { return p.x() <= width; }, [&](const QPointF &a, const QPointF &b) { return atX(a, b, width); });
    clip([](const QPointF &p) { return p.y() >= 0.0; }, [&](const QPointF &a, const QPointF &b) { return atY(a, b, 0.0); });
    clip([&](const QPointF &p) { return p.y() <= height; }, [&](const QPointF &a, const QPointF &b) { return atY(a, b, height); });
    return result;
}

// The face of a piece on WGS 84, milliarcseconds (longitude as x, latitude as y);
// false with a reason.
bool faceOnWgs84(const MosaicPiece &piece, QVector<QPointF> *face, QString *error)
{
    const QSize size = piece.georeference.sourceSize;
    QVector<QPointF> polygon = piece.face;
    if (polygon.isEmpty())
        polygon = {QPointF(0, 0), QPointF(size.width(), 0), QPointF(size.width(), size.height()),
                   QPointF(0, size.height())};
    // A border reaching beyond the image shows no more than the image.
    const QVector<QPointF> inside = isFacePolygon(polygon) ? clippedToImage(polygon, size) : QVector<QPointF>();
    if (std::fabs(doubleArea(inside)) < 2.0) {
        *error = QCoreApplication::translate("GeoRaster", "its border encloses no area (at least 3 and at most %1 "
                                                          "points around the map face are needed)")
                     .arg(kMaxBorderPoints);
        return false;
    }
    const QVector<QPointF> points = densified(inside);
    std::vector<double> x;
    std::vector<double> y;
    for (const QPointF &point : points) {
        x.push_back(point.x());
        y.push_back(point.y());
    }
    const PixelToWgs84 mapping(piece.georeference);
    if (!mapping.isValid()) {
        *error = cannotPlace(mapping.errorString());
        return false;
    }
    if (!mapping.transform(false, x, y)) {
        *error = cannotPlace(QCoreApplication::translate("GeoRaster", "a point of it does not transform"));
        return false;
    }
    face->clear();
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (!std::isfinite(x[i]) || !std::isfinite(y[i]) || std::fabs(x[i]) > 180.0 || std::fabs(y[i]) > 90.0) {
            *error = cannotPlace(QCoreApplication::translate("GeoRaster", "a point of it lies beyond the range of "
                                                                          "longitudes and latitudes"));
            return false;
        }
        face->append(QPointF(x[i] * kMasPerDegree, y[i] * kMasPerDegree));
    }
    return true;
}

struct Box
{
    double west = std::numeric_limits<double>::max();
    double east = -std::numeric_limits<double>::max();
    double south = std::numeric_limits<double>::max();
    double north = -std::numeric_limits<double>::max();

    void add(const QPointF &point)
    {
        west = std::min(west, point.x());
        east = std::max(east, point.x());
        south = std::min(south, point.y());
        north = std::max(north, point.y());
    }
};

Box boxOf(const QVector<QPointF> &polygon)
{
    Box box;
    for (const QPointF &point : polygon)
        box.add(point);
    return box;
}

}  // namespace

bool isFacePolygon(const QVector<QPointF> &polygon)
{
    if (polygon.size() < 3 || polygon.size() > kMaxBorderPoints)
        return false;
    for (const QPointF &point : polygon) {
        if (!std::isfinite(point.x()) || !std::isfinite(point.y()))
            return false;
    }
    return std::fabs(doubleArea(polygon)) >= 2.0;
}

RasterGeoreference linearGeoreference(const QString &path, QSize size, const std::array<double, 6> &geoTransform,
                                      Resampling resampling, QString *error)
{
    RasterGeoreference georeference;
    // The pixels are read by GDAL, which must take the file.
    ImageFileStatus opened = ImageFileStatus::Ok;
    if (!openRasterFile(path, &opened, error))
        return georeference;
    georeference.rasterPath = path;
    georeference.sourceSize = size;
    georeference.geoTransform = geoTransform;
    georeference.resampling = resampling;
    georeference.gridName = georeference.datumName = QStringLiteral("WGS 84");
    char *exported = nullptr;
    const char *options[] = {"FORMAT=WKT2_2018", nullptr};
    wgs84Reference().exportToWkt(&exported, options);
    const GdalString wkt(exported);
    georeference.srsWkt = QString::fromUtf8(wkt.get());
    if (!planLevelGrid(&georeference, error))
        georeference.size = QSize();
    return georeference;
}

bool planRasterMosaic(RasterMosaic *mosaic, int *failedPiece, QString *error)
{
    ensureGdal();
    *failedPiece = -1;
    QVector<QVector<QPointF>> faces;
    double lonStep = std::numeric_limits<double>::max();
    double latStep = lonStep;
    Box all;
    for (qsizetype i = 0; i < mosaic->pieces.size(); ++i) {
        const MosaicPiece &piece = mosaic->pieces.at(i);
        QVector<QPointF> face;
        if (!faceOnWgs84(piece, &face, error)) {
            *failedPiece = int(i);
            return false;
        }
        for (const QPointF &point : std::as_const(face))
            all.add(point);
        faces.append(face);
        lonStep = std::min(lonStep, lonStepOf(piece.georeference));
        latStep = std::min(latStep, latStepOf(piece.georeference));
    }
    if (faces.isEmpty()) {
        *error = QCoreApplication::translate("GeoRaster", "a level needs at least one source");
        return false;
    }
    // A piece never crosses the 180th meridian (its own level could not span it): pieces
    // half the world apart lie on both sides of it.
    if (all.east - all.west > 180.0 * kMasPerDegree) {
        *error = QCoreApplication::translate("GeoRaster", "the sources lie on both sides of the 180th meridian "
                                                          "(from %1° to %2° of longitude), which one level cannot "
                                                          "span")
                     .arg(QLocale(QLocale::English).toString(all.west / kMasPerDegree, 'f', 3),
                          QLocale(QLocale::English).toString(all.east / kMasPerDegree, 'f', 3));
        return false;
    }
    // The lattice: whole multiples of the steps, so that the same sheets give the same
    // grid in any order; within the range of longitudes and latitudes.
    double west = std::floor(all.west / lonStep) * lonStep;
    if (west < -kMaxLongitudeMas)
        west += lonStep;
    double north = std::ceil(all.north / latStep) * latStep;
    if (north > kMaxLatitudeMas)
        north -= latStep;
    double columns = std::ceil((all.east - west) / lonStep);
    if (west + columns * lonStep > kMaxLongitudeMas)
        columns -= 1;
    double rows = std::ceil((north - all.south) / latStep);
    if (north - rows * latStep < -kMaxLatitudeMas)
        rows -= 1;
    if (!(columns >= 1 && rows >= 1)) {
        *error = QCoreApplication::translate("GeoRaster", "the map faces of the sources have no size on WGS 84");
        return false;
    }
    const QString tooLarge = imageSizeRefusal(qint64(std::min(columns, 1e12)), qint64(std::min(rows, 1e12)));
    if (!tooLarge.isEmpty()) {
        *error = QCoreApplication::translate("GeoRaster", "the level would be too large: %1").arg(tooLarge);
        return false;
    }
    mosaic->westMas = qint32(west);
    mosaic->northMas = qint32(north);
    mosaic->eastMas = qint32(west + columns * lonStep);
    mosaic->southMas = qint32(north - rows * latStep);
    mosaic->size = QSize(int(columns), int(rows));
    for (qsizetype i = 0; i < mosaic->pieces.size(); ++i) {
        MosaicPiece &piece = mosaic->pieces[i];
        const Box box = boxOf(faces.at(i));
        const int left = int(std::clamp(std::floor((box.west - west) / lonStep), 0.0, columns));
        const int right = int(std::clamp(std::ceil((box.east - west) / lonStep), 0.0, columns));
        const int top = int(std::clamp(std::floor((north - box.north) / latStep), 0.0, rows));
        const int bottom = int(std::clamp(std::ceil((north - box.south) / latStep), 0.0, rows));
        RasterGeoreference &grid = piece.georeference;
        grid.kind = RasterGeoreference::Warped;
        grid.westMas = qint32(west + left * lonStep);
        grid.eastMas = qint32(west + right * lonStep);
        grid.northMas = qint32(north - top * latStep);
        grid.southMas = qint32(north - bottom * latStep);
        grid.size = QSize(right - left, bottom - top);
        piece.offset = QPoint(left, top);
        piece.levelFace.clear();
        for (const QPointF &point : faces.at(i))
            piece.levelFace.append(QPointF((point.x() - west) / lonStep, (north - point.y()) / latStep));
    }
    return true;
}
