#pragma once

// Owners of what GDAL hands out, each freed by the function GDAL provides for it. The
// GDAL-facing files of the raster library hold GDAL's objects only through these.

#include <QByteArray>
#include <QStringList>

#include <memory>
#include <type_traits>

#include <cpl_conv.h>
#include <cpl_string.h>
#include <gdal.h>
#include <gdal_alg.h>
#include <gdal_utils.h>
#include <ogr_spatialref.h>

// Calls free on a pointer GDAL handed out.
template <auto free>
struct GdalFree
{
    template <typename T>
    void operator()(T *object) const
    {
        free(object);
    }
};

// A dataset; closed with GDALClose.
using GdalDataset = std::unique_ptr<std::remove_pointer_t<GDALDatasetH>, GdalFree<GDALClose>>;

// A NULL-terminated list of C strings (CSL); freed with CSLDestroy.
using GdalStringList = std::unique_ptr<char *, GdalFree<CSLDestroy>>;

// A C string GDAL allocated (a WKT it exported); freed with CPLFree.
using GdalString = std::unique_ptr<char, GdalFree<VSIFree>>;

// Options of GDALTranslate and GDALWarp.
using GdalTranslateOptions = std::unique_ptr<GDALTranslateOptions, GdalFree<GDALTranslateOptionsFree>>;
using GdalWarpOptions = std::unique_ptr<GDALWarpAppOptions, GdalFree<GDALWarpAppOptionsFree>>;

// A transformer of pixels (GDALCreateGCPTransformer and its kin).
using GdalTransformer = std::unique_ptr<void, GdalFree<GDALDestroyTransformer>>;

// A coordinate transformation between two spatial references.
using CoordinateTransformation =
    std::unique_ptr<OGRCoordinateTransformation, GdalFree<OGRCoordinateTransformation::DestroyCT>>;

// A string list of words, in UTF-8.
inline GdalStringList gdalStringList(const QStringList &words)
{
    GdalStringList list;
    for (const QString &word : words)
        list.reset(CSLAddString(list.release(), word.toUtf8().constData()));
    return list;
}
