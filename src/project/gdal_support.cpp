// GDAL start-up, error capture and the pixel-to-WGS 84 mapping of a georeferenced raster.

#include "project/gdal_support.h"

#include <QByteArray>

#include <cpl_conv.h>
#include <cpl_error.h>

#include <mutex>

#include "project/geo_raster.h"

namespace {

// GDAL's block cache, bytes: it keeps the source blocks that neighbouring chunks of a
// warp share, so few are decoded twice; a larger cache bought no speed on a UTM
// sheet of 8000 x 8000 pixels and cost 70 MiB more.
constexpr GIntBig kGdalCacheBytes = 48 * 1024 * 1024;

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
    });
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

void CPL_STDCALL GdalErrors::collect(CPLErr level, CPLErrorNum, const char *message)
{
    if (level < CE_Failure)
        return;  // warnings change nothing we report
    auto *self = static_cast<GdalErrors *>(CPLGetErrorHandlerUserData());
    self->m_last = QString::fromUtf8(message).trimmed();
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
            m_transformer = GDALCreateTPSTransformer(int(gcps.size()), gcps.data(), FALSE);
            m_function = GDALTPSTransform;
        } else {
            const int order = georeference.transform == GcpTransform::Poly2 ? 2 : 1;
            m_transformer = GDALCreateGCPTransformer(int(gcps.size()), gcps.data(), order, FALSE);
            m_function = GDALGCPTransform;
        }
        GDALDeinitGCPs(int(gcps.size()), gcps.data());
    } else {
        char *wgs84 = nullptr;
        wgs84Reference().exportToWkt(&wgs84);
        const QByteArray source = georeference.srsWkt.toUtf8();
        m_transformer = GDALCreateGenImgProjTransformer3(source.constData(), georeference.geoTransform.data(),
                                                         wgs84, nullptr);
        m_function = GDALGenImgProjTransform;
        CPLFree(wgs84);
    }
    if (!m_transformer)
        m_error = errors.text(QStringLiteral("no transformation to WGS 84"));
}

PixelToWgs84::~PixelToWgs84()
{
    if (m_transformer)
        GDALDestroyTransformer(m_transformer);
}

bool PixelToWgs84::transform(bool inverse, std::vector<double> &x, std::vector<double> &y) const
{
    if (!m_transformer || x.size() != y.size())
        return false;
    std::vector<double> z(x.size(), 0.0);
    std::vector<int> success(x.size(), 0);
    GdalErrors errors;
    m_function(m_transformer, inverse ? TRUE : FALSE, int(x.size()), x.data(), y.data(), z.data(),
               success.data());
    for (int ok : success) {
        if (!ok)
            return false;
    }
    return true;
}
