#pragma once

// Resampling of opaque 8-bit colour for the warp, computed as GDAL's warp kernel
// computes 8-bit bands without masks where a level pixel is about a source pixel wide,
// so that a level is the one GDAL would make:
// - a level pixel is drawn when its source position (x, y) lies on the raster
//   (0 <= x <= width, 0 <= y <= height, the raster's edges being 0 and its size);
// - nearest takes the pixel the position lies in;
// - bilinear weighs the four pixels whose centres surround the position; on the
//   raster's outer half pixel, where some of them lie off the raster, the others'
//   weights are scaled to add up to one;
// - cubic convolution (Catmull-Rom, a = -0.5) weighs sixteen pixels, and falls back to
//   bilinear where any of them lies off the raster;
// - lanczos weighs six pixels a side with a window of three lobes, scaling the weights
//   of those on the raster to add up to one;
// each colour value rounded to the nearest whole number (cubic clamped to 0 .. 255
// first).

#include <QtGlobal>

#include "raster/geo_raster.h"

// Source pixels as ARGB32 words: a window of the raster held in memory.
struct SourceWindow
{
    const quint32 *words = nullptr;  // the window's top-left pixel
    qsizetype stride = 0;            // words from one row to the next
    int left = 0;                    // the window's top-left pixel on the raster
    int top = 0;
    int rasterWidth = 0;             // the raster's size, pixels
    int rasterHeight = 0;
};

// How far from a position, in whole pixels either way, resampling may read source
// pixels: a window must hold every raster pixel within this distance of the pixel a
// position lies in.
int resamplingReach(Resampling resampling);

// Resamples count level pixels whose source positions are (x[i], y[i]), in source
// pixels, into out as ARGB32 words: opaque where ok[i] is non-zero and the position
// lies on the raster, transparent black elsewhere.
void resampleRun(Resampling resampling, const SourceWindow &window, const double *x, const double *y,
                 const unsigned char *ok, int count, quint32 *out);
