// Rasters that carry their georeferencing: what grid they are on, and the level grid
// they become.

#include "project/geo_raster.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <limits>

#include <cpl_conv.h>
#include <cpl_string.h>
#include <geodesic.h>

#include "project/gdal_support.h"
#include "project/map_layer.h"

namespace {

// The largest level side a warp may make, pixels: the tiler's and the file's limits
// are far beyond any real sheet, but a grid that cannot be transformed sanely (a
// footprint across a pole) must not ask for billions of pixels.
constexpr double kMaxLevelSide = 400000.0;

// How many times the raster's pixels a warped level may have: a rotated sheet needs
// about twice as many, but points that do not describe a map may ask for billions.
constexpr double kMaxGrowth = 8.0;

// Points sampled along each edge of the raster to find its footprint.
constexpr int kEdgeSamples = 64;

// The ".prj" file beside a raster, in either letter case; empty when there is none.
QString prjBeside(const QString &path)
{
    const QFileInfo info(path);
    for (const QString &suffix : {QStringLiteral(".prj"), QStringLiteral(".PRJ")}) {
        const QString candidate = info.dir().filePath(info.completeBaseName() + suffix);
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return QString();
}

// The grid a ".prj" file names (ESRI's dialect or OGC WKT); false when it names none.
bool readPrj(const QString &path, OGRSpatialReference *reference)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > 1024 * 1024)
        return false;
    const QByteArray text = file.readAll().trimmed();
    char **lines = CSLTokenizeStringComplex(text.constData(), "\r\n", FALSE, FALSE);
    bool ok = reference->importFromESRI(lines) == OGRERR_NONE;
    CSLDestroy(lines);
    if (!ok)
        ok = reference->SetFromUserInput(text.constData()) == OGRERR_NONE;
    reference->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return ok && !reference->IsEmpty();
}

// Whether GDAL found the geotransform in a world file rather than in the raster.
bool fromWorldFile(GDALDatasetH dataset)
{
    char **files = GDALGetFileList(dataset);
    bool world = false;
    for (char **file = files; file && *file; ++file) {
        const QString suffix = QFileInfo(QString::fromUtf8(*file)).suffix().toLower();
        world = world || suffix == QLatin1String("wld") || (suffix.size() == 3 && suffix.endsWith(QLatin1Char('w')));
    }
    CSLDestroy(files);
    return world;
}

QString geographicName(const OGRSpatialReference &reference)
{
    const char *name = reference.GetAttrValue("GEOGCS");
    if (!name)
        name = reference.GetAttrValue("DATUM");
    return name ? QString::fromUtf8(name) : QString();
}

bool isWgs84NorthUp(const RasterGeoreference &georeference, const OGRSpatialReference &reference)
{
    const std::array<double, 6> &gt = georeference.geoTransform;
    // An ESRI .prj names longitude first and EPSG:4326 latitude first: the same grid.
    const char *options[] = {"CRITERION=EQUIVALENT_EXCEPT_AXIS_ORDER_GEOGCRS",
                             "IGNORE_DATA_AXIS_TO_SRS_AXIS_MAPPING=YES", nullptr};
    const OGRSpatialReference wgs84 = wgs84Reference();
    return georeference.gcps.isEmpty() && reference.IsGeographic() && reference.IsSame(&wgs84, options)
        && gt[2] == 0.0 && gt[4] == 0.0 && gt[1] > 0.0 && gt[5] < 0.0;
}

// Degrees to milliarcseconds rounded outward to whole milliarcseconds, within the
// range a position can take.
qint32 floorMas(double degrees, double limit)
{
    return qint32(std::floor(qBound(-limit, degrees, limit) * kMilliarcsecondsPerDegree));
}

qint32 ceilMas(double degrees, double limit)
{
    return qint32(std::ceil(qBound(-limit, degrees, limit) * kMilliarcsecondsPerDegree));
}

// A corner of a raster on the level grid in milliarcseconds, truncated as a typed
// value is, once the last bits of the arithmetic that found it are rounded away:
// 10.1 + 285 x 0.0001 is 10.1285, as typed, not 10.128499999999999.
qint32 cornerMas(double degrees)
{
    const double mas = std::trunc(std::round(degrees * kMilliarcsecondsPerDegree * 1000.0) / 1000.0);
    return std::isnan(mas) ? 0 : qint32(qBound(double(std::numeric_limits<qint32>::min()), mas,
                                               double(std::numeric_limits<qint32>::max())));
}

// A level grid covering the raster's footprint with whole-milliarcsecond steps of
// about one source pixel along each axis.
bool planWarpedGrid(RasterGeoreference *georeference, QString *error)
{
    const PixelToWgs84 mapping(*georeference);
    if (!mapping.isValid()) {
        *error = georeference->gcps.isEmpty()
            ? QCoreApplication::translate("GeoRaster", "the grid %1 cannot be transformed to WGS 84: %2")
                  .arg(georeference->gridName, mapping.errorString())
            : QCoreApplication::translate("GeoRaster", "the ground control points cannot be fitted: %1")
                  .arg(mapping.errorString());
        return false;
    }
    const double width = georeference->sourceSize.width();
    const double height = georeference->sourceSize.height();
    std::vector<double> x;
    std::vector<double> y;
    for (int i = 0; i <= kEdgeSamples; ++i) {
        const double t = double(i) / kEdgeSamples;
        for (const auto &[px, py] : {std::pair{t * width, 0.0}, std::pair{t * width, height},
                                     std::pair{0.0, t * height}, std::pair{width, t * height}}) {
            x.push_back(px);
            y.push_back(py);
        }
    }
    // The centre and one pixel right of and below it give the resolution.
    const std::size_t centre = x.size();
    x.insert(x.end(), {width / 2, width / 2 + 1, width / 2});
    y.insert(y.end(), {height / 2, height / 2, height / 2 + 1});
    if (!mapping.transform(false, x, y)) {
        *error = QCoreApplication::translate("GeoRaster", "the corners of the raster cannot be transformed to WGS 84 from %1").arg(georeference->gridName);
        return false;
    }
    double west = std::numeric_limits<double>::max();
    double east = -west;
    double south = west;
    double north = -west;
    for (std::size_t i = 0; i < centre; ++i) {
        west = std::min(west, x[i]);
        east = std::max(east, x[i]);
        south = std::min(south, y[i]);
        north = std::max(north, y[i]);
    }
    // A pole inside the raster: the level spans every longitude up to it.
    std::vector<double> poleX{0.0, 0.0};
    std::vector<double> poleY{90.0, -90.0};
    bool poleInside = false;
    if (mapping.transform(true, poleX, poleY)) {
        for (std::size_t i = 0; i < 2; ++i) {
            if (poleX[i] >= 0 && poleX[i] <= width && poleY[i] >= 0 && poleY[i] <= height) {
                poleInside = true;
                (i == 0 ? north : south) = i == 0 ? 90.0 : -90.0;
            }
        }
    }
    if (poleInside) {
        west = -180.0;
        east = 180.0;
    } else {
        // Neighbouring samples of one edge half the world apart: the edge crosses the
        // 180th meridian, and a level's longitudes cannot run across it.
        for (std::size_t i = 4; i < centre; ++i) {
            if (std::fabs(x[i] - x[i - 4]) > 180.0) {
                *error = QCoreApplication::translate("GeoRaster", "the raster crosses the 180th meridian, which a "
                                                                  "level cannot span");
                return false;
            }
        }
    }
    const double lonStep = std::hypot(x[centre + 1] - x[centre], x[centre + 2] - x[centre]);
    const double latStep = std::hypot(y[centre + 1] - y[centre], y[centre + 2] - y[centre]);
    const double lonStepMas = std::max(1.0, std::round(lonStep * kMilliarcsecondsPerDegree));
    const double latStepMas = std::max(1.0, std::round(latStep * kMilliarcsecondsPerDegree));
    georeference->westMas = floorMas(west, 180.0);
    georeference->northMas = ceilMas(north, 90.0);
    // The last step may pass the edge of the world by less than a pixel: it is left out.
    const auto steps = [](double from, double to, double step, double limit) {
        const double count = std::ceil((to - from) / step);
        return from + count * step <= limit ? count : std::floor((limit - from) / step);
    };
    const double columns = steps(georeference->westMas, ceilMas(east, 180.0), lonStepMas, kMaxLongitudeMas);
    const double rows = steps(-double(georeference->northMas), -double(floorMas(south, 90.0)), latStepMas,
                              kMaxLatitudeMas);
    const double sourcePixels = width * height;
    if (!(columns >= 1 && rows >= 1 && columns <= kMaxLevelSide && rows <= kMaxLevelSide
          && columns * rows <= std::max(kMaxGrowth * sourcePixels, 1e6))) {
        *error = QCoreApplication::translate("GeoRaster", "the raster's footprint on WGS 84 cannot be covered by a level grid (%1 x %2 pixels)")
                     .arg(columns).arg(rows);
        return false;
    }
    georeference->size = QSize(int(columns), int(rows));
    georeference->eastMas = qint32(georeference->westMas + columns * lonStepMas);
    georeference->southMas = qint32(georeference->northMas - rows * latStepMas);
    georeference->kind = RasterGeoreference::Warped;
    return true;
}

// The ground control points a raster carries (a scan georeferenced by points), taken
// to WGS 84 and fitted as an affine mapping, or a second-order one from six points
// on. True with no points when it carries none; false with a reason when their grid
// cannot be used.
bool readFileGcps(GDALDatasetH dataset, RasterGeoreference *georeference, QString *error)
{
    const int count = GDALGetGCPCount(dataset);
    const OGRSpatialReferenceH own = GDALGetGCPSpatialRef(dataset);
    if (count < 3 || !own)
        return true;
    OGRSpatialReference reference(*OGRSpatialReference::FromHandle(own));
    reference.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    const OGRSpatialReference wgs84 = wgs84Reference();
    const std::unique_ptr<OGRCoordinateTransformation> toWgs84(
        OGRCreateCoordinateTransformation(&reference, &wgs84));
    const GDAL_GCP *gcps = GDALGetGCPs(dataset);
    for (int i = 0; i < count; ++i) {
        double x = gcps[i].dfGCPX;
        double y = gcps[i].dfGCPY;
        if (!toWgs84 || !toWgs84->Transform(1, &x, &y)) {
            *error = QCoreApplication::translate("GeoRaster", "the grid of the raster's ground control points "
                                                              "cannot be transformed to WGS 84");
            georeference->gcps.clear();
            return false;
        }
        georeference->gcps.append({gcps[i].dfGCPPixel, gcps[i].dfGCPLine, x, y});
    }
    georeference->transform = count >= 6 ? GcpTransform::Poly2 : GcpTransform::Affine;
    return true;
}

}  // namespace

bool planLevelGrid(RasterGeoreference *georeference, QString *error)
{
    ensureGdal();
    OGRSpatialReference reference;
    if (georeference->gcps.isEmpty() && !referenceFromWkt(georeference->srsWkt, &reference)) {
        *error = QCoreApplication::translate("GeoRaster", "the raster's grid cannot be read");
        return false;
    }
    const qsizetype needed = georeference->transform == GcpTransform::Poly2 ? 6 : 3;
    if (!georeference->gcps.isEmpty() && georeference->gcps.size() < needed) {
        *error = QCoreApplication::translate("GeoRaster", "%1 ground control points given; this transform needs at least %2")
                     .arg(georeference->gcps.size()).arg(needed);
        return false;
    }
    if (!isWgs84NorthUp(*georeference, reference))
        return planWarpedGrid(georeference, error);
    const std::array<double, 6> &gt = georeference->geoTransform;
    georeference->kind = RasterGeoreference::AsIs;
    georeference->size = georeference->sourceSize;
    georeference->westMas = cornerMas(gt[0]);
    georeference->northMas = cornerMas(gt[3]);
    georeference->eastMas = cornerMas(gt[0] + georeference->sourceSize.width() * gt[1]);
    georeference->southMas = cornerMas(gt[3] + georeference->sourceSize.height() * gt[5]);
    return true;
}

int readGeoreference(const QString &path, Resampling resampling, RasterGeoreference *georeference,
                     QString *error)
{
    ensureGdal();
    GdalErrors errors;
    const QByteArray name = QFile::encodeName(path);
    const GdalDataset dataset(GDALOpenEx(name.constData(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr,
                                         nullptr));
    if (!dataset)
        return kNotGeoreferenced;  // not a raster GDAL knows: the image readers decide
    RasterGeoreference result;
    result.rasterPath = path;
    result.resampling = resampling;
    result.sourceSize = QSize(GDALGetRasterXSize(dataset.get()), GDALGetRasterYSize(dataset.get()));
    const bool hasTransform = GDALGetGeoTransform(dataset.get(), result.geoTransform.data()) == CE_None;
    OGRSpatialReference reference;
    if (const OGRSpatialReferenceH own = GDALGetSpatialRef(dataset.get()))
        reference = *OGRSpatialReference::FromHandle(own);
    const bool world = hasTransform && fromWorldFile(dataset.get());
    if (hasTransform && reference.IsEmpty()) {
        const QString prj = prjBeside(path);
        if (prj.isEmpty() || !readPrj(prj, &reference)) {
            const QString file = QFileInfo(path).fileName();
            *error = !prj.isEmpty()
                ? QCoreApplication::translate("GeoRaster", "the grid in %1 cannot be read").arg(QFileInfo(prj).fileName())
                : world ? QCoreApplication::translate("GeoRaster", "%1 has a world file but no grid: a .prj file "
                                                                   "beside it must name its projection and datum")
                              .arg(file)
                        : QCoreApplication::translate("GeoRaster", "%1 has a geotransform but names no grid").arg(file);
            return kNotGeoreferenced;
        }
    }
    const GDALDriverH driver = GDALGetDatasetDriver(dataset.get());
    if (!hasTransform) {
        if (!readFileGcps(dataset.get(), &result, error))
            return kGeoreferenceError;
        if (result.gcps.isEmpty())
            return kNotGeoreferenced;
        result.origin = QString::fromUtf8(GDALGetDriverShortName(driver)) == QLatin1String("GTiff")
            ? QStringLiteral("GeoTIFF")
            : QString::fromUtf8(GDALGetDriverLongName(driver));
        result.gridName = result.datumName = QStringLiteral("WGS 84");
        if (!planLevelGrid(&result, error))
            return kGeoreferenceError;
        *georeference = result;
        return kGeoreferenced;
    }
    if (reference.IsEmpty())
        return kNotGeoreferenced;
    reference.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    result.origin = world ? QStringLiteral("world file")
        : QString::fromUtf8(GDALGetDriverShortName(driver)) == QLatin1String("GTiff")
        ? QStringLiteral("GeoTIFF")
        : QString::fromUtf8(GDALGetDriverLongName(driver));
    result.gridName = QString::fromUtf8(reference.GetName());
    result.datumName = geographicName(reference);
    char *wkt = nullptr;
    const char *wktOptions[] = {"FORMAT=WKT2_2018", nullptr};
    reference.exportToWkt(&wkt, wktOptions);
    result.srsWkt = QString::fromUtf8(wkt);
    CPLFree(wkt);
    if (!planLevelGrid(&result, error))
        return kGeoreferenceError;
    *georeference = result;
    return kGeoreferenced;
}

int gcpGeoreference(const QString &path, const QVector<GroundControlPoint> &gcps, GcpTransform transform,
                    Resampling resampling, RasterGeoreference *georeference, QString *error)
{
    ensureGdal();
    GdalErrors errors;
    const QByteArray name = QFile::encodeName(path);
    const GdalDataset dataset(GDALOpenEx(name.constData(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr,
                                         nullptr));
    if (!dataset) {
        *error = errors.text(QCoreApplication::translate("GeoRaster", "the raster cannot be opened"));
        return kGeoreferenceError;
    }
    RasterGeoreference result;
    result.rasterPath = path;
    result.sourceSize = QSize(GDALGetRasterXSize(dataset.get()), GDALGetRasterYSize(dataset.get()));
    result.origin = QStringLiteral("ground control points");
    result.gridName = QStringLiteral("WGS 84");
    result.datumName = QStringLiteral("WGS 84");
    result.gcps = gcps;
    result.transform = transform;
    result.resampling = resampling;
    if (!planLevelGrid(&result, error))
        return kGeoreferenceError;
    *georeference = result;
    return kGeoreferenced;
}

void applyGeoreference(MapLayer *layer, std::shared_ptr<const RasterGeoreference> georeference)
{
    layer->sourcePath = georeference->rasterPath;
    layer->topLeft = {0, 0, georeference->westMas, georeference->northMas};
    layer->bottomRight = {georeference->size.width(), georeference->size.height(), georeference->eastMas,
                          georeference->southMas};
    layer->topLeftLonSet = layer->topLeftLatSet = layer->bottomRightLonSet = layer->bottomRightLatSet = true;
    layer->georeference = std::move(georeference);
    layer->updateScales();
}

void setWarpResampling(MapLayer *layer, Resampling resampling)
{
    if (!layer->georeference || layer->georeference->resampling == resampling)
        return;
    auto changed = std::make_shared<RasterGeoreference>(*layer->georeference);
    changed->resampling = resampling;
    layer->georeference = std::move(changed);
}

double wgs84Distance(double lon1, double lat1, double lon2, double lat2)
{
    geod_geodesic geodesic;
    geod_init(&geodesic, 6378137.0, 1.0 / 298.257223563);
    double metres = 0.0;
    geod_inverse(&geodesic, lat1, lon1, lat2, lon2, &metres, nullptr, nullptr);
    return metres;
}

QVector<PointMiss> pointMisses(const RasterGeoreference &georeference, const QVector<GroundControlPoint> &points)
{
    const PixelToWgs84 mapping(georeference);
    // Each point's pixel taken to WGS 84, and its position taken back to pixels: both
    // start as the point's own values and are transformed in place.
    std::vector<double> lon;
    std::vector<double> lat;
    std::vector<double> px;
    std::vector<double> py;
    for (const GroundControlPoint &point : points) {
        lon.push_back(point.pixelX);
        lat.push_back(point.pixelY);
        px.push_back(point.lon);
        py.push_back(point.lat);
    }
    if (!mapping.transform(false, lon, lat) || !mapping.transform(true, px, py))
        return {};
    QVector<PointMiss> misses;
    for (qsizetype i = 0; i < points.size(); ++i) {
        const GroundControlPoint &point = points.at(i);
        const std::size_t k = std::size_t(i);
        misses.append({std::hypot(px[k] - point.pixelX, py[k] - point.pixelY),
                       wgs84Distance(lon[k], lat[k], point.lon, point.lat)});
    }
    return misses;
}
