// Rasters that carry their georeferencing: what grid they are on, and the level grid
// they become.

#include "raster/geo_raster.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cmath>
#include <limits>

#include <cpl_conv.h>
#include <cpl_string.h>
#include <geodesic.h>

#include "geo/milliarcseconds.h"
#include "raster/gdal_support.h"
#include "raster/image_file.h"
#include "raster/image_rows.h"

namespace {

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
    const GdalStringList lines(CSLTokenizeStringComplex(text.constData(), "\r\n", FALSE, FALSE));
    bool ok = reference->importFromESRI(lines.get()) == OGRERR_NONE;
    // OGC WKT, or a name PROJ knows ("EPSG:32633"); never a URL or a file to fetch it from.
    if (!ok)
        ok = reference->SetFromUserInput(text.constData(), OGRSpatialReference::SET_FROM_USER_INPUT_LIMITATIONS_get())
            == OGRERR_NONE;
    reference->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return ok && !reference->IsEmpty();
}

// Whether GDAL found the geotransform in a world file rather than in the raster.
bool fromWorldFile(GDALDatasetH dataset)
{
    const GdalStringList files(GDALGetFileList(dataset));
    bool world = false;
    for (char **file = files.get(); file && *file; ++file) {
        const QString suffix = QFileInfo(QString::fromUtf8(*file)).suffix().toLower();
        world = world || suffix == QLatin1String("wld") || (suffix.size() == 3 && suffix.endsWith(QLatin1Char('w')));
    }
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

QString crossesAntimeridian()
{
    return QCoreApplication::translate("GeoRaster", "the raster crosses the 180th meridian, which a level cannot span");
}

// Where a raster lies on WGS 84, in degrees: the box its edges span, and the steps of
// one pixel at its centre along each axis.
struct Footprint
{
    double west = 0.0;
    double east = 0.0;
    double south = 0.0;
    double north = 0.0;
    double lonStep = 0.0;
    double latStep = 0.0;
};

// The footprint of the raster, from samples along its edges and at its centre; a pole
// inside the raster spans every longitude up to it. False with a reason when the grid
// or points cannot be taken to WGS 84, or an edge crosses the 180th meridian.
bool sampleFootprint(const RasterGeoreference &georeference, Footprint *footprint, QString *error)
{
    const PixelToWgs84 mapping(georeference);
    if (!mapping.isValid()) {
        *error = georeference.gcps.isEmpty()
            ? QCoreApplication::translate("GeoRaster", "the grid %1 cannot be transformed to WGS 84: %2")
                  .arg(georeference.gridName, mapping.errorString())
            : QCoreApplication::translate("GeoRaster", "the ground control points cannot be fitted: %1")
                  .arg(mapping.errorString());
        return false;
    }
    const double width = georeference.sourceSize.width();
    const double height = georeference.sourceSize.height();
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
        *error = QCoreApplication::translate("GeoRaster", "the corners of the raster cannot be transformed to WGS 84 "
                                                          "from %1").arg(georeference.gridName);
        return false;
    }
    Footprint box;
    box.west = std::numeric_limits<double>::max();
    box.east = -box.west;
    box.south = box.west;
    box.north = -box.west;
    for (std::size_t i = 0; i < centre; ++i) {
        box.west = std::min(box.west, x[i]);
        box.east = std::max(box.east, x[i]);
        box.south = std::min(box.south, y[i]);
        box.north = std::max(box.north, y[i]);
    }
    // A pole inside the raster: the level spans every longitude up to it.
    std::vector<double> poleX{0.0, 0.0};
    std::vector<double> poleY{90.0, -90.0};
    bool poleInside = false;
    if (mapping.transform(true, poleX, poleY)) {
        for (std::size_t i = 0; i < 2; ++i) {
            if (poleX[i] >= 0 && poleX[i] <= width && poleY[i] >= 0 && poleY[i] <= height) {
                poleInside = true;
                (i == 0 ? box.north : box.south) = i == 0 ? 90.0 : -90.0;
            }
        }
    }
    if (poleInside) {
        box.west = -180.0;
        box.east = 180.0;
    } else {
        // Neighbouring samples of one edge half the world apart: the edge crosses the
        // 180th meridian, and a level's longitudes cannot run across it.
        for (std::size_t i = 4; i < centre; ++i) {
            if (std::fabs(x[i] - x[i - 4]) > 180.0) {
                *error = crossesAntimeridian();
                return false;
            }
        }
    }
    box.lonStep = std::hypot(x[centre + 1] - x[centre], x[centre + 2] - x[centre]);
    box.latStep = std::hypot(y[centre + 1] - y[centre], y[centre + 2] - y[centre]);
    *footprint = box;
    return true;
}

// The level grid covering a footprint, with whole-milliarcsecond steps of about one
// source pixel along each axis. False with a reason when it has no size, or is larger
// than a level may be or than the raster could fill.
bool fitLevelGrid(const Footprint &footprint, RasterGeoreference *georeference, QString *error)
{
    const double width = georeference->sourceSize.width();
    const double height = georeference->sourceSize.height();
    const double lonStepMas = std::max(1.0, degreesToMasNearest(footprint.lonStep));
    const double latStepMas = std::max(1.0, degreesToMasNearest(footprint.latStep));
    georeference->westMas = degreesToMasFloor(footprint.west, 180.0);
    georeference->northMas = degreesToMasCeil(footprint.north, 90.0);
    // The last step may pass the edge of the world by less than a pixel: it is left out.
    const auto steps = [](double from, double to, double step, double limit) {
        const double count = std::ceil((to - from) / step);
        return from + count * step <= limit ? count : std::floor((limit - from) / step);
    };
    const double columns = steps(georeference->westMas, degreesToMasCeil(footprint.east, 180.0), lonStepMas,
                                 kMaxLongitudeMas);
    const double rows = steps(-double(georeference->northMas), -double(degreesToMasFloor(footprint.south, 90.0)),
                              latStepMas, kMaxLatitudeMas);
    if (!(columns >= 1 && rows >= 1)) {
        *error = QCoreApplication::translate("GeoRaster", "the raster's footprint on WGS 84 has no size");
        return false;
    }
    const QString tooLarge = imageSizeRefusal(qint64(std::min(columns, 1e12)), qint64(std::min(rows, 1e12)));
    if (!tooLarge.isEmpty()) {
        *error = QCoreApplication::translate("GeoRaster", "the level would be too large: %1").arg(tooLarge);
        return false;
    }
    if (columns * rows > std::max(kMaxGrowth * width * height, 1e6)) {
        *error = QCoreApplication::translate("GeoRaster", "the level would be %1 × %2 pixels, more than eight times "
                                                          "the raster's own: its grid or points do not describe a "
                                                          "map of this image")
                     .arg(columns).arg(rows);
        return false;
    }
    georeference->size = QSize(int(columns), int(rows));
    georeference->eastMas = qint32(georeference->westMas + columns * lonStepMas);
    georeference->southMas = qint32(georeference->northMas - rows * latStepMas);
    georeference->kind = RasterGeoreference::Warped;
    return true;
}

// A level grid covering the raster's footprint with whole-milliarcsecond steps of
// about one source pixel along each axis.
bool planWarpedGrid(RasterGeoreference *georeference, QString *error)
{
    Footprint footprint;
    return sampleFootprint(*georeference, &footprint, error) && fitLevelGrid(footprint, georeference, error);
}

// The WKT of a grid, as the georeference keeps it.
QString wktOf(const OGRSpatialReference &reference)
{
    char *exported = nullptr;
    const char *options[] = {"FORMAT=WKT2_2018", nullptr};
    reference.exportToWkt(&exported, options);
    const GdalString wkt(exported);
    return QString::fromUtf8(wkt.get());
}

// The ground control points a raster carries (a scan georeferenced by points), on
// their own grid, fitted as an affine mapping, or a second-order one from six points
// on. True with no points when it carries none or names no grid for them.
void readFileGcps(GDALDatasetH dataset, RasterGeoreference *georeference)
{
    const int count = GDALGetGCPCount(dataset);
    const OGRSpatialReferenceH own = GDALGetGCPSpatialRef(dataset);
    if (count < 3 || !own)
        return;
    OGRSpatialReference reference(*OGRSpatialReference::FromHandle(own));
    reference.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    const GDAL_GCP *gcps = GDALGetGCPs(dataset);
    for (int i = 0; i < count; ++i)
        georeference->gcps.append({gcps[i].dfGCPPixel, gcps[i].dfGCPLine, gcps[i].dfGCPX, gcps[i].dfGCPY});
    georeference->transform = count >= 6 ? GcpTransform::Poly2 : GcpTransform::Affine;
    georeference->srsWkt = wktOf(reference);
    georeference->gridName = QString::fromUtf8(reference.GetName());
    georeference->datumName = geographicName(reference);
}

// Why ground control points cannot be fitted or placed, or an empty string: too few
// for the transform, too many for a thin-plate spline, all far outside the image, or
// on longitudes that only make sense unwrapped across the 180th meridian.
QString gcpRefusal(const RasterGeoreference &georeference)
{
    const QVector<GroundControlPoint> &gcps = georeference.gcps;
    const qsizetype needed = georeference.transform == GcpTransform::Poly2 ? 6 : 3;
    if (gcps.size() < needed) {
        return QCoreApplication::translate("GeoRaster", "%1 ground control points given; this transform needs at "
                                                        "least %2")
            .arg(gcps.size()).arg(needed);
    }
    const QLocale english(QLocale::English);
    if (georeference.transform == GcpTransform::Tps && gcps.size() > kMaxTpsPoints) {
        return QCoreApplication::translate("GeoRaster", "a thin-plate spline takes at most %1 points; %2 were given")
            .arg(english.toString(kMaxTpsPoints), english.toString(gcps.size()));
    }
    // Points beside the image are common (the corners of a sheet cut off a scan);
    // points none of which lies within the image's own size of it tie some other image.
    const double width = georeference.sourceSize.width();
    const double height = georeference.sourceSize.height();
    bool near = false;
    for (const GroundControlPoint &point : gcps)
        near = near || (std::fabs(point.pixelX - width / 2) <= 1.5 * width
                        && std::fabs(point.pixelY - height / 2) <= 1.5 * height);
    if (!near) {
        return QCoreApplication::translate("GeoRaster", "the points lie outside the image (%1 × %2 pixels)")
            .arg(georeference.sourceSize.width()).arg(georeference.sourceSize.height());
    }
    OGRSpatialReference grid;
    if (!georeference.srsWkt.isEmpty() && (!referenceFromWkt(georeference.srsWkt, &grid) || !grid.IsGeographic()))
        return QString();
    // Longitudes a little either side of the 180th meridian are close only unwrapped.
    double lowest = 360.0, highest = -360.0, lowestUnwrapped = 360.0, highestUnwrapped = -360.0;
    for (const GroundControlPoint &point : gcps) {
        const double unwrapped = point.lon < 0.0 ? point.lon + 360.0 : point.lon;
        lowest = std::min(lowest, point.lon);
        highest = std::max(highest, point.lon);
        lowestUnwrapped = std::min(lowestUnwrapped, unwrapped);
        highestUnwrapped = std::max(highestUnwrapped, unwrapped);
    }
    if (highest - lowest > 180.0 && highestUnwrapped - lowestUnwrapped < 180.0)
        return crossesAntimeridian();
    return QString();
}

// Why a geotransform cannot map pixels, or an empty string.
QString geoTransformRefusal(const std::array<double, 6> &gt)
{
    for (double value : gt) {
        if (!std::isfinite(value))
            return QCoreApplication::translate("GeoRaster", "the raster's pixel size is not a number");
    }
    if (gt[1] * gt[5] - gt[2] * gt[4] == 0.0)
        return QCoreApplication::translate("GeoRaster", "the raster's pixels have no size");
    return QString();
}

// Takes the corners of a raster on the level grid as its level's; false with a reason
// when they lie beyond the range of longitudes and latitudes.
bool planAsIs(RasterGeoreference *georeference, QString *error)
{
    const std::array<double, 6> &gt = georeference->geoTransform;
    const double west = gt[0];
    const double east = gt[0] + georeference->sourceSize.width() * gt[1];
    const double north = gt[3];
    const double south = gt[3] + georeference->sourceSize.height() * gt[5];
    const QLocale english(QLocale::English);
    if (east - west > 360.0 + 1e-9) {
        *error = QCoreApplication::translate("GeoRaster", "the grid covers more than 360° of longitude (%1° to %2°)")
                     .arg(english.toString(west, 'g', 10), english.toString(east, 'g', 10));
        return false;
    }
    georeference->kind = RasterGeoreference::AsIs;
    georeference->size = georeference->sourceSize;
    georeference->westMas = computedDegreesToMasTruncated(west);
    georeference->northMas = computedDegreesToMasTruncated(north);
    georeference->eastMas = computedDegreesToMasTruncated(east);
    georeference->southMas = computedDegreesToMasTruncated(south);
    if (georeference->westMas < -kMaxLongitudeMas || georeference->eastMas > kMaxLongitudeMas) {
        *error = crossesAntimeridian();
        return false;
    }
    if (georeference->southMas < -kMaxLatitudeMas || georeference->northMas > kMaxLatitudeMas) {
        *error = QCoreApplication::translate("GeoRaster", "the grid reaches past a pole (latitudes %1° to %2°)")
                     .arg(english.toString(south, 'g', 10), english.toString(north, 'g', 10));
        return false;
    }
    return true;
}

// Where the raster's own georeferencing came from: a GeoTIFF, or its format's name.
void setOriginOf(GDALDatasetH dataset, RasterGeoreference *georeference)
{
    const GDALDriverH driver = GDALGetDatasetDriver(dataset);
    const bool geoTiff = QString::fromUtf8(GDALGetDriverShortName(driver)) == QLatin1String("GTiff");
    georeference->origin = geoTiff ? GeoreferenceOrigin::GeoTiff : GeoreferenceOrigin::RasterFormat;
    georeference->formatName = geoTiff ? QString() : QString::fromUtf8(GDALGetDriverLongName(driver));
}

bool hasNodata(GDALDatasetH dataset)
{
    for (int band = 1; band <= GDALGetRasterCount(dataset); ++band) {
        int found = FALSE;
        GDALGetRasterNoDataValue(GDALGetRasterBand(dataset, band), &found);
        if (found)
            return true;
    }
    return false;
}

// Opens a raster for a georeference: its path, size and nodata into *result; the
// dataset, or nullptr with *status and *error saying why.
GdalDataset openRaster(const QString &path, RasterGeoreference *result, ImageFileStatus *status, QString *error)
{
    GdalDataset dataset(openRasterFile(path, status, error));
    if (dataset) {
        result->rasterPath = path;
        result->sourceSize = QSize(GDALGetRasterXSize(dataset.get()), GDALGetRasterYSize(dataset.get()));
        result->nodata = hasNodata(dataset.get());
    }
    return dataset;
}

}  // namespace

bool planLevelGrid(RasterGeoreference *georeference, QString *error)
{
    ensureGdal();
    const QSize source = georeference->sourceSize;
    const QString tooLarge = imageSizeRefusal(source.width(), source.height());
    if (!tooLarge.isEmpty()) {
        *error = QCoreApplication::translate("GeoRaster", "the raster is too large: %1").arg(tooLarge);
        return false;
    }
    OGRSpatialReference reference;
    if (!georeference->gcps.isEmpty()) {
        *error = gcpRefusal(*georeference);
        if (!error->isEmpty())
            return false;
        return planWarpedGrid(georeference, error);
    }
    *error = geoTransformRefusal(georeference->geoTransform);
    if (!error->isEmpty())
        return false;
    if (!referenceFromWkt(georeference->srsWkt, &reference)) {
        *error = QCoreApplication::translate("GeoRaster", "the raster's grid cannot be read");
        return false;
    }
    return isWgs84NorthUp(*georeference, reference) ? planAsIs(georeference, error)
                                                     : planWarpedGrid(georeference, error);
}

GeoreferenceStatus GeoreferenceReader::fail(GeoreferenceStatus status, const QString &reason)
{
    m_errorString = reason;
    return status;
}

GeoreferenceStatus GeoreferenceReader::read(const QString &path, Resampling resampling)
{
    ensureGdal();
    m_georeference = RasterGeoreference();
    m_errorString.clear();
    GdalErrors errors;
    RasterGeoreference result;
    ImageFileStatus opened = ImageFileStatus::Ok;
    QString reason;
    const GdalDataset dataset = openRaster(path, &result, &opened, &reason);
    if (!dataset) {
        return fail(opened == ImageFileStatus::Unreadable ? GeoreferenceStatus::Unreadable
                                                          : GeoreferenceStatus::NotARaster,
                    reason);
    }
    result.resampling = resampling;
    const bool hasTransform = GDALGetGeoTransform(dataset.get(), result.geoTransform.data()) == CE_None;
    OGRSpatialReference reference;
    if (const OGRSpatialReferenceH own = GDALGetSpatialRef(dataset.get()))
        reference = *OGRSpatialReference::FromHandle(own);
    const bool world = hasTransform && fromWorldFile(dataset.get());
    const QString file = QFileInfo(path).fileName();
    if (hasTransform && reference.IsEmpty()) {
        const QString prj = prjBeside(path);
        if (!prj.isEmpty() && !readPrj(prj, &reference)) {
            return fail(GeoreferenceStatus::Invalid,
                        QCoreApplication::translate("GeoRaster", "the grid in %1 cannot be read")
                            .arg(QFileInfo(prj).fileName()));
        }
        if (prj.isEmpty() && world) {
            return fail(GeoreferenceStatus::Incomplete,
                        QCoreApplication::translate("GeoRaster", "%1 has a world file but no grid: a .prj file beside "
                                                                 "it must name its projection and datum")
                            .arg(file));
        }
        if (prj.isEmpty()) {
            // A grid the raster names that GDAL could not read says so.
            const QString named = errors.text(QString());
            if (!named.isEmpty()) {
                return fail(GeoreferenceStatus::Invalid,
                            QCoreApplication::translate("GeoRaster", "the grid %1 names cannot be read: %2")
                                .arg(file, named));
            }
            return fail(GeoreferenceStatus::Incomplete,
                        QCoreApplication::translate("GeoRaster", "%1 has a geotransform but names no grid").arg(file));
        }
    }
    if (!hasTransform) {
        readFileGcps(dataset.get(), &result);
        if (result.gcps.isEmpty())
            return GeoreferenceStatus::NotGeoreferenced;
        setOriginOf(dataset.get(), &result);
    } else {
        reference.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        if (world)
            result.origin = GeoreferenceOrigin::WorldFile;
        else
            setOriginOf(dataset.get(), &result);
        result.gridName = QString::fromUtf8(reference.GetName());
        result.datumName = geographicName(reference);
        result.srsWkt = wktOf(reference);
    }
    if (!planLevelGrid(&result, &reason))
        return fail(GeoreferenceStatus::Invalid, reason);
    m_georeference = result;
    return GeoreferenceStatus::Georeferenced;
}

GeoreferenceStatus GeoreferenceReader::readByPoints(const QString &path, const QVector<GroundControlPoint> &gcps,
                                                    GcpTransform transform, Resampling resampling,
                                                    const QString &srsWkt)
{
    ensureGdal();
    m_georeference = RasterGeoreference();
    m_errorString.clear();
    RasterGeoreference result;
    ImageFileStatus opened = ImageFileStatus::Ok;
    QString reason;
    if (!openRaster(path, &result, &opened, &reason)) {
        return fail(opened == ImageFileStatus::Unreadable ? GeoreferenceStatus::Unreadable
                                                          : GeoreferenceStatus::Invalid,
                    reason);
    }
    result.origin = GeoreferenceOrigin::GroundControlPoints;
    result.gridName = QStringLiteral("WGS 84");
    result.datumName = QStringLiteral("WGS 84");
    OGRSpatialReference grid;
    if (!srsWkt.isEmpty() && referenceFromWkt(srsWkt, &grid)) {
        result.srsWkt = srsWkt;
        result.gridName = QString::fromUtf8(grid.GetName());
        result.datumName = geographicName(grid);
    } else if (!srsWkt.isEmpty()) {
        return fail(GeoreferenceStatus::Invalid,
                    QCoreApplication::translate("GeoRaster", "the grid of the points cannot be read"));
    }
    result.gcps = gcps;
    result.transform = transform;
    result.resampling = resampling;
    if (!planLevelGrid(&result, &reason))
        return fail(GeoreferenceStatus::Invalid, reason);
    m_georeference = result;
    return GeoreferenceStatus::Georeferenced;
}

QString originName(const RasterGeoreference &georeference)
{
    switch (georeference.origin) {
    case GeoreferenceOrigin::GeoTiff:
        return QStringLiteral("GeoTIFF");
    case GeoreferenceOrigin::WorldFile:
        return QStringLiteral("world file");
    case GeoreferenceOrigin::OziExplorerFile:
        return QStringLiteral("OziExplorer file");
    case GeoreferenceOrigin::GroundControlPoints:
        return QStringLiteral("ground control points");
    case GeoreferenceOrigin::RasterFormat:
        break;
    }
    return georeference.formatName;
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

QVector<PointMiss> gcpResiduals(const RasterGeoreference &georeference)
{
    const PixelToWgs84 mapping(georeference);
    const QVector<GroundControlPoint> &points = georeference.gcps;
    std::vector<double> x, y, px, py;
    for (const GroundControlPoint &point : points) {
        x.push_back(point.pixelX);
        y.push_back(point.pixelY);
        px.push_back(point.lon);
        py.push_back(point.lat);
    }
    if (!mapping.transformOnGrid(false, x, y) || !mapping.transformOnGrid(true, px, py))
        return {};
    OGRSpatialReference grid;
    const bool projected = !georeference.srsWkt.isEmpty() && referenceFromWkt(georeference.srsWkt, &grid)
        && grid.IsProjected();
    const double metresPerUnit = projected ? grid.GetLinearUnits() : 1.0;
    QVector<PointMiss> misses;
    for (qsizetype i = 0; i < points.size(); ++i) {
        const GroundControlPoint &point = points.at(i);
        const std::size_t k = std::size_t(i);
        const double ground = projected ? std::hypot(x[k] - point.lon, y[k] - point.lat) * metresPerUnit
                                        : wgs84Distance(x[k], y[k], point.lon, point.lat);
        misses.append({std::hypot(px[k] - point.pixelX, py[k] - point.pixelY), ground});
    }
    return misses;
}
