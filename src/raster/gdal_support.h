#pragma once

// What the GDAL-facing files of the core share: start-up, error capture, and the
// mapping of a raster's pixels to WGS 84. Only .cpp files include this header.

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

#include "raster/gdal_handles.h"
#include "raster/image_file.h"

struct RasterGeoreference;

// Registers GDAL's drivers, limits its block cache and closes its doors to the
// network and to raw reads of other files, once per process.
void ensureGdal();

// Opens for reading a raster file the user named. Only an existing regular local
// file is handed to GDAL, by its absolute path (so that no name is read as a driver
// prefix, a virtual file system or a URL), only the drivers of the formats the
// program reads may take it (GeoTIFF/TIFF, PNG, JPEG, BMP, GIF), and GDAL sees
// nothing beside it but its georeferencing sidecars (georeferencingSidecars).
// nullptr with *status (Unreadable when the file is missing, not a regular file or
// cannot be read, Invalid when it is in no such format or damaged) and *error saying
// why.
GdalDataset openRasterFile(const QString &path, ImageFileStatus *status, QString *error);

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
    // The number of the last message (CPLE_OpenFailed, ...); CPLE_None without one.
    CPLErrorNum number() const { return m_number; }

private:
    static void CPL_STDCALL collect(CPLErr level, CPLErrorNum number, const char *message);
    QString m_last;
    CPLErrorNum m_number = CPLE_None;
};

// Geographic WGS 84 with longitude first, as every transformation here expects.
OGRSpatialReference wgs84Reference();
// The spatial reference a WKT (any version) names, longitude or easting first.
bool referenceFromWkt(const QString &wkt, OGRSpatialReference *reference);

// The GDAL ground control points of a georeference: pixels, and WGS 84 degrees.
std::vector<GDAL_GCP> gdalGcps(const RasterGeoreference &georeference);
// The GDAL options that fit ground control points as the georeference asks.
QStringList gcpWarpOptions(const RasterGeoreference &georeference);

// Maps raster pixels to WGS 84 longitude and latitude (degrees) and back, through
// the raster's grid and geotransform or through its ground control points fitted
// on their grid and taken from it to WGS 84.
class PixelToWgs84
{
public:
    explicit PixelToWgs84(const RasterGeoreference &georeference);

    bool isValid() const { return m_transformer != nullptr; }
    QString errorString() const { return m_error; }
    // Transforms in place, pixels to degrees (or back with inverse); false when any
    // point fails.
    bool transform(bool inverse, std::vector<double> &x, std::vector<double> &y) const;
    // The same for ground control points between pixels and the grid they are
    // fitted on, without the step to WGS 84.
    bool transformOnGrid(bool inverse, std::vector<double> &x, std::vector<double> &y) const;

private:
    GdalTransformer m_transformer;
    GDALTransformerFunc m_function = nullptr;
    CoordinateTransformation m_toWgs84;    // the points' grid to WGS 84, when it is another
    CoordinateTransformation m_fromWgs84;
    QString m_error;
};
