// GDAL start-up, error capture and the pixel-to-WGS 84 mapping of a georeferenced raster.

#include "raster/gdal_support.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cpl_conv.h>
#include <cpl_error.h>
#include <cpl_string.h>
#include <ogr_srs_api.h>

#include <mutex>

#include "raster/file_access.h"
#include "raster/geo_raster.h"

namespace {

// GDAL's block cache, bytes: it keeps the source blocks that neighbouring chunks of a
// warp share, so few are decoded twice; a larger cache bought no speed on a UTM
// sheet of 8000 x 8000 pixels and cost 70 MiB more.
constexpr GIntBig kGdalCacheBytes = 48 * 1024 * 1024;

// The drivers of the raster formats the program reads; BIGGIF reads the GIF files too
// large for GIF's own driver.
const char *const kRasterDrivers[] = {"GTiff", "PNG", "JPEG", "BMP", "GIF", "BIGGIF", nullptr};

}  // namespace

void ensureGdal()
{
    static std::once_flag once;
    std::call_once(once, []() {
        GDALAllRegister();
        // Failures are reported through GdalErrors where they matter; the rest (a
        // warning while a dataset closes) must not reach the terminal or the window.
        CPLSetErrorHandler(CPLQuietErrorHandler);
        if (!CPLGetConfigOption("GDAL_CACHEMAX", nullptr))
            GDALSetCacheMax64(kGdalCacheBytes);
        // Behind the allowed drivers and the path check, which hold on their own: no
        // file on a server is taken to exist (no extension matches), PROJ fetches no
        // grids, a virtual raster may run no Python and read no memory by address,
        // and libjpeg's warnings of corrupt data fail the read instead of passing
        // made-up pixels.
        CPLSetConfigOption("CPL_VSIL_CURL_ALLOWED_EXTENSIONS", ".no-network-access");
        OSRSetPROJEnableNetwork(FALSE);
        CPLSetConfigOption("GDAL_VRT_ENABLE_PYTHON", "NO");
        CPLSetConfigOption("VRT_ALLOW_MEM_DRIVER", "NO");
        CPLSetConfigOption("GDAL_ERROR_ON_LIBJPEG_WARNING", "TRUE");
    });
}

GdalDataset openRasterFile(const QString &path, ImageFileStatus *status, QString *error)
{
    ensureGdal();
    const QString refusal = inputFileRefusal(path);
    if (!refusal.isEmpty()) {
        *status = ImageFileStatus::Unreadable;
        *error = refusal;
        return nullptr;
    }
    // An absolute path never starts like a driver's prefix ("GTIFF_DIR:", "MEM:::")
    // or a URL; one under a root folder named like a virtual file system ("/vsicurl/")
    // is told from it by a "/." GDAL does not look through.
    QString absolute = QFileInfo(path).absoluteFilePath();
    if (absolute.startsWith(QLatin1String("/vsi")))
        absolute.prepend(QLatin1String("/."));
    // GDAL takes these names as the whole folder: it finds the world file, the
    // .aux.xml and nothing else (no .ovr or .msk made of another format).
    GdalStringList siblings(CSLAddString(nullptr, QFile::encodeName(QFileInfo(path).fileName()).constData()));
    for (const QString &sidecar : georeferencingSidecars(path))
        siblings.reset(CSLAddString(siblings.release(), QFile::encodeName(QFileInfo(sidecar).fileName()).constData()));
    GdalErrors errors;
    const QByteArray name = QFile::encodeName(absolute);
    GdalDataset dataset(GDALOpenEx(name.constData(), GDAL_OF_RASTER | GDAL_OF_READONLY, kRasterDrivers, nullptr,
                                   siblings.get()));
    // A format no allowed driver recognises, or one a driver took and found damaged.
    if (!dataset) {
        *status = ImageFileStatus::Invalid;
        *error = errors.number() == CPLE_None || errors.number() == CPLE_OpenFailed
            ? QCoreApplication::translate("GeoRaster", "not a raster the program reads (GeoTIFF or TIFF, PNG, JPEG, "
                                                       "BMP or GIF)")
            : QCoreApplication::translate("ImageFile", "damaged image data (%1)").arg(errors.text(QString()));
    }
    return dataset;
}

GdalErrors::GdalErrors()
{
    CPLPushErrorHandlerEx(collect, this);
    CPLErrorReset();
}

GdalErrors::~GdalErrors()
{
    CPLPopErrorHandler();
}

void CPL_STDCALL GdalErrors::collect(CPLErr level, CPLErrorNum number, const char *message)
{
    if (level < CE_Failure)
        return;  // warnings change nothing we report
    auto *self = static_cast<GdalErrors *>(CPLGetErrorHandlerUserData());
    self->m_last = QString::fromUtf8(message).trimmed();
    self->m_number = number;
}

QString GdalErrors::text(const QString &fallback) const
{
    return m_last.isEmpty() ? fallback : m_last;
}

OGRSpatialReference wgs84Reference()
{
    OGRSpatialReference wgs84;
    wgs84.SetWellKnownGeogCS("WGS84");
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return wgs84;
}

bool referenceFromWkt(const QString &wkt, OGRSpatialReference *reference)
{
    const QByteArray bytes = wkt.toUtf8();
    if (reference->importFromWkt(bytes.constData()) != OGRERR_NONE)
        return false;
    reference->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return true;
}

std::vector<GDAL_GCP> gdalGcps(const RasterGeoreference &georeference)
{
    std::vector<GDAL_GCP> gcps(georeference.gcps.size());
    GDALInitGCPs(int(gcps.size()), gcps.data());
    for (std::size_t i = 0; i < gcps.size(); ++i) {
        const GroundControlPoint &point = georeference.gcps.at(qsizetype(i));
        gcps[i].dfGCPPixel = point.pixelX;
        gcps[i].dfGCPLine = point.pixelY;
        gcps[i].dfGCPX = point.lon;
        gcps[i].dfGCPY = point.lat;
    }
    return gcps;
}

QStringList gcpWarpOptions(const RasterGeoreference &georeference)
{
    switch (georeference.transform) {
    case GcpTransform::Tps:
        return {QStringLiteral("-tps")};
    case GcpTransform::Poly2:
        return {QStringLiteral("-order"), QStringLiteral("2"), QStringLiteral("-to"),
                QStringLiteral("METHOD=GCP_POLYNOMIAL")};
    case GcpTransform::Affine:
        break;
    }
    return {QStringLiteral("-order"), QStringLiteral("1"), QStringLiteral("-to"), QStringLiteral("METHOD=GCP_POLYNOMIAL")};
}

PixelToWgs84::PixelToWgs84(const RasterGeoreference &georeference)
{
    ensureGdal();
    GdalErrors errors;
    if (!georeference.gcps.isEmpty()) {
        std::vector<GDAL_GCP> gcps = gdalGcps(georeference);
        if (georeference.transform == GcpTransform::Tps) {
            m_transformer.reset(GDALCreateTPSTransformer(int(gcps.size()), gcps.data(), FALSE));
            m_function = GDALTPSTransform;
        } else {
            const int order = georeference.transform == GcpTransform::Poly2 ? 2 : 1;
            m_transformer.reset(GDALCreateGCPTransformer(int(gcps.size()), gcps.data(), order, FALSE));
            m_function = GDALGCPTransform;
        }
        GDALDeinitGCPs(int(gcps.size()), gcps.data());
        OGRSpatialReference grid;
        const OGRSpatialReference wgs84 = wgs84Reference();
        if (m_transformer && !georeference.srsWkt.isEmpty()) {
            const char *options[] = {"CRITERION=EQUIVALENT_EXCEPT_AXIS_ORDER_GEOGCRS", nullptr};
            if (!referenceFromWkt(georeference.srsWkt, &grid)) {
                m_error = QStringLiteral("the grid of the points cannot be read");
            } else if (!grid.IsSame(&wgs84, options)) {
                m_toWgs84.reset(OGRCreateCoordinateTransformation(&grid, &wgs84));
                m_fromWgs84.reset(OGRCreateCoordinateTransformation(&wgs84, &grid));
                if (!m_toWgs84 || !m_fromWgs84)
                    m_error = errors.text(QStringLiteral("no transformation to WGS 84"));
            }
            if (!m_error.isEmpty()) {
                m_transformer.reset();
                return;
            }
        }
    } else {
        char *exported = nullptr;
        wgs84Reference().exportToWkt(&exported);
        const GdalString wgs84(exported);
        const QByteArray source = georeference.srsWkt.toUtf8();
        m_transformer.reset(GDALCreateGenImgProjTransformer3(source.constData(), georeference.geoTransform.data(),
                                                             wgs84.get(), nullptr));
        m_function = GDALGenImgProjTransform;
    }
    if (!m_transformer)
        m_error = errors.text(QStringLiteral("no transformation to WGS 84"));
}

bool PixelToWgs84::transformOnGrid(bool inverse, std::vector<double> &x, std::vector<double> &y) const
{
    if (!m_transformer || x.size() != y.size())
        return false;
    std::vector<double> z(x.size(), 0.0);
    std::vector<int> success(x.size(), 0);
    GdalErrors errors;
    m_function(m_transformer.get(), inverse ? TRUE : FALSE, int(x.size()), x.data(), y.data(), z.data(),
               success.data());
    for (int ok : success) {
        if (!ok)
            return false;
    }
    return true;
}

bool PixelToWgs84::transform(bool inverse, std::vector<double> &x, std::vector<double> &y) const
{
    if (!m_toWgs84)
        return transformOnGrid(inverse, x, y);
    const GdalErrors errors;
    if (inverse && !m_fromWgs84->Transform(x.size(), x.data(), y.data()))
        return false;
    if (!transformOnGrid(inverse, x, y))
        return false;
    return inverse || m_toWgs84->Transform(x.size(), x.data(), y.data());
}
