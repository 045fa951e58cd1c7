#pragma once

// A raster warped onto its level grid by the program itself: GDAL decodes the raster
// and PROJ (through GDAL's transformer) places its pixels, the resampling is our own.
// Only .cpp files include this header.

#include <QtGlobal>

#include <memory>

#include <gdal.h>

class ImageRowReader;
struct RasterGeoreference;

// The rows of the level of georeference (kind Warped), or nullptr when the warp is
// one for GDAL's own kernel: a raster WarpSource does not read, or a transformation
// GDAL cannot set up. raster is the file as opened, read for its pixels; source
// carries the georeference's grid and geotransform or its ground control points. The
// decoded raster held at once stays within a quarter of budgetMB (MiB; at least
// 64 MiB). keep holds both datasets open while the reader lives.
std::unique_ptr<ImageRowReader> openWarpedRows(const RasterGeoreference &georeference, GDALDatasetH raster,
                                               GDALDatasetH source, qint32 budgetMB, std::shared_ptr<void> keep);
