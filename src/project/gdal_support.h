#pragma once

// What the GDAL-facing files of the core share: start-up, error capture, and the
// mapping of a raster's pixels to WGS 84. Only .cpp files include this header.

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

#include <gdal.h>
#include <gdal_alg.h>
#include <ogr_spatialref.h>

struct RasterGeoreference;

// Registers GDAL's drivers and limits its block cache, once per process.
void ensureGdal();

// Collects GDAL's error messages on this thread while it lives, instead of letting
// GDAL print them; text() is the last one.
class GdalErrors
{
public:
    GdalErrors();
    ~GdalErrors();
    GdalErrors(const GdalErrors &) = delete;
    GdalErrors &operator=(const GdalErrors &) = delete;
    // The last message, or fallback when GDAL said nothing.
    QString text(const QString &fallback) const;

private:
    static void CPL_STDCALL collect(CPLErr level, CPLErrorNum number, const char *message);
    QString m_last;
};

struct GdalDatasetCloser
{
    void operator()(GDALDatasetH dataset) const { GDALClose(dataset); }
};
using GdalDataset = std::unique_ptr<std::remove_pointer_t<GDALDatasetH>, GdalDatasetCloser>;

// Geographic WGS 84 with longitude first, as every transformation here expects.
OGRSpatialReference wgs84Reference();
// The spatial reference a WKT (any version) names, longitude or easting first.
bool referenceFromWkt(const QString &wkt, OGRSpatialReference *reference);

// The GDAL ground control points of a georeference: pixels, and WGS 84 degrees.
std::vector<GDAL_GCP> gdalGcps(const RasterGeoreference &georeference);
// The GDAL options that fit ground control points as the georeference asks.
QStringList gcpWarpOptions(const RasterGeoreference &georeference);

// Maps raster pixels to WGS 84 longitude and latitude (degrees) and back, through
// the raster's grid and geotransform or through its fitted ground control points.
class PixelToWgs84
{
public:
    explicit PixelToWgs84(const RasterGeoreference &georeference);
    ~PixelToWgs84();
    PixelToWgs84(const PixelToWgs84 &) = delete;
    PixelToWgs84 &operator=(const PixelToWgs84 &) = delete;

    bool isValid() const { return m_transformer != nullptr; }
    QString errorString() const { return m_error; }
    // Transforms in place, pixels to degrees (or back with inverse); false when any
    // point fails.
    bool transform(bool inverse, std::vector<double> &x, std::vector<double> &y) const;

private:
    void *m_transformer = nullptr;
    GDALTransformerFunc m_function = nullptr;
    QString m_error;
};
