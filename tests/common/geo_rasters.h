#pragma once

// Small georeferenced rasters made with GDAL inside a test, and a judge of the level a
// save makes of one. Every raster pixel's colour says which pixel it is; the judge
// reads the level back from the SMF file and works out, with GDAL's own
// transformations, which source pixel lies under each level pixel and how far the
// one shown is from it.

#include <QFile>
#include <QImage>

#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "smf/smf_reader.h"

namespace georasters {

// An image whose every pixel's colour is its index (row x width + column), its 15 bits
// over the top 5 bits of red, green and blue, which a tile keeps exactly. Images hold
// fewer than 32767 pixels, so none is white, the fill colour of the projects using them.
inline QImage codeImage(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int i = 0; i < size.width() * size.height(); ++i)
        image.setPixel(i % size.width(), i / size.width(), qRgb(i >> 7 & 0xF8, i >> 2 & 0xF8, i << 3 & 0xF8));
    return image;
}
inline int colourCode(QRgb c) { return (qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | qBlue(c) >> 3; }
inline constexpr int kFillCode = 32767;

// A raster's grid: its size, the mapping of its pixels into the grid (GDAL's order:
// x0, dx/dcol, dx/drow, y0, dy/dcol, dy/drow) and the grid as
// OGRSpatialReference::SetFromUserInput takes it ("EPSG:32633", a PROJ string).
struct Grid
{
    QSize size;
    std::array<double, 6> geoTransform;
    const char *srs = "";
    // A GeoTIFF tied by five ground control points on the grid (its corners and centre,
    // placed by the geotransform) instead of the geotransform itself: fitted at order
    // 1, as gdalwarp fits fewer than six, they place every pixel where the
    // geotransform does.
    bool byPoints = false;
};

// Easting first, as geotransforms and world files have it.
inline OGRSpatialReference spatialReference(const char *srs)
{
    OGRSpatialReference reference;
    reference.SetFromUserInput(srs);
    reference.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return reference;
}

// Writes image at path as a GeoTIFF (".tif") carrying the grid, or as a PNG with a
// world file (".pgw") and the grid in ESRI WKT (".prj"), as ArcGIS writes them.
// Without withGrid the GeoTIFF has no geotransform nor grid, and the PNG its world
// file alone. Returns false when GDAL fails.
inline bool writeRaster(const QString &path, const QImage &image, const Grid &grid, bool withGrid = true)
{
    GDALAllRegister();
    const bool tiff = path.endsWith(QLatin1String(".tif"));
    const QByteArray name = QFile::encodeName(path);
    GDALDriver *driver = GetGDALDriverManager()->GetDriverByName(tiff ? "GTiff" : "MEM");
    GDALDataset *dataset = driver->Create(tiff ? name.constData() : "", image.width(), image.height(), 3, GDT_Byte,
                                          nullptr);
    QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    bool ok = dataset && dataset->RasterIO(GF_Write, 0, 0, rgb.width(), rgb.height(), rgb.bits(), rgb.width(),
                                           rgb.height(), GDT_Byte, 3, nullptr, 3, rgb.bytesPerLine(), 1) == CE_None;
    const OGRSpatialReference reference = spatialReference(grid.srs);
    std::array<double, 6> transform = grid.geoTransform;
    if (ok && tiff && withGrid && grid.byPoints) {
        std::vector<GDAL_GCP> gcps(5);
        GDALInitGCPs(5, gcps.data());
        const double w = image.width(), h = image.height();
        const double pixels[5][2] = {{0, 0}, {w, 0}, {w, h}, {0, h}, {w / 2, h / 2}};
        for (int i = 0; i < 5; ++i) {
            const auto &[px, py] = pixels[i];
            gcps[i] = {gcps[i].pszId, gcps[i].pszInfo, px, py, transform[0] + px * transform[1] + py * transform[2],
                       transform[3] + px * transform[4] + py * transform[5], 0.0};
        }
        ok = dataset->SetGCPs(5, gcps.data(), &reference) == CE_None;
        GDALDeinitGCPs(5, gcps.data());
    } else if (ok && tiff && withGrid) {
        ok = dataset->SetGeoTransform(transform.data()) == CE_None && dataset->SetSpatialRef(&reference) == CE_None;
    }
    if (ok && !tiff) {
        GDALDriver *png = GetGDALDriverManager()->GetDriverByName("PNG");
        GDALDatasetH copy = png->CreateCopy(name.constData(), dataset, FALSE, nullptr, nullptr, nullptr);
        if ((ok = copy != nullptr))
            GDALClose(copy);
    }
    if (dataset)
        GDALClose(dataset);
    if (tiff || !ok)
        return ok;
    // The world file: the steps, then the centre of the top-left pixel.
    const auto &t = grid.geoTransform;
    QByteArray world;
    for (double value : {t[1], t[4], t[2], t[5], t[0] + (t[1] + t[2]) / 2, t[3] + (t[4] + t[5]) / 2})
        world += QByteArray::number(value, 'f', 10) + "\r\n";
    const QString base = path.left(path.lastIndexOf(QLatin1Char('.')));
    const auto write = [](const QString &name, const QByteArray &text) {
        QFile file(name);
        return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
    };
    char *wkt = nullptr;
    const char *const options[] = {"FORMAT=WKT1_ESRI", nullptr};
    ok = write(base + QStringLiteral(".pgw"), world)
         && (!withGrid || (reference.exportToWkt(&wkt, options) == OGRERR_NONE
                           && write(base + QStringLiteral(".prj"), wkt)));
    CPLFree(wkt);
    return ok;
}

// How the first level of an SMF file shows a raster of codeImage pixels.
struct LevelAccuracy
{
    int shown = 0;         // level pixels that are not fill
    int withinOne = 0;     // of them, those within 1 source pixel of where they belong
    double largest = 0.0;  // the largest distance, source pixels (infinite for a colour that is no code)
    QString error;         // why the level could not be judged
    double fraction() const { return shown ? double(withinOne) / shown : 0.0; }
};

// Takes every level pixel's centre from the level record's extent and the tile grid,
// carries it from WGS 84 into the raster's grid and its pixels, and measures the
// distance to the centre of the source pixel its colour names.
inline LevelAccuracy measureLevel(const QString &smfPath, const Grid &grid)
{
    LevelAccuracy result;
    const auto failed = [&result](const QString &why) { result.error = why; return result; };
    QFile file(smfPath);
    SmfFileIndex index;
    QString error;
    if (!file.open(QIODevice::ReadOnly) || !readSmfStructure(file, &index, &error))
        return failed(smfPath + QStringLiteral(" unreadable: ") + error);
    const SmfLevelImage level = assembleLevelImage(file, index, 0);
    const SmfLevelRecord &record = index.levels.at(0);
    const QImage &image = level.image;
    OGRSpatialReference wgs84;
    wgs84.SetWellKnownGeogCS("WGS84");
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    const OGRSpatialReference target = spatialReference(grid.srs);
    const std::unique_ptr<OGRCoordinateTransformation> toGrid(OGRCreateCoordinateTransformation(&wgs84, &target));
    std::array<double, 6> forward = grid.geoTransform, inverse{};
    if (image.isNull() || !toGrid || !GDALInvGeoTransform(forward.data(), inverse.data()))
        return failed(QStringLiteral("no level image or no transformation: ") + level.errorString);
    const double stepX = double(record.right - record.left) / image.width() / 3600000.0;
    const double stepY = double(record.bottom - record.top) / image.height() / 3600000.0;
    const int width = grid.size.width();
    for (int y = 0; y < image.height(); ++y) {
        std::vector<double> xs, ys;
        std::vector<int> codes;
        for (int x = 0; x < image.width(); ++x) {
            const int code = colourCode(image.pixel(x, y));
            if (code == kFillCode)
                continue;
            codes.push_back(code);
            xs.push_back(record.left / 3600000.0 + (x + 0.5) * stepX);
            ys.push_back(record.top / 3600000.0 + (y + 0.5) * stepY);
        }
        if (!codes.empty() && !toGrid->Transform(int(codes.size()), xs.data(), ys.data()))
            result.error = QStringLiteral("row %1 does not transform").arg(y);
        for (std::size_t i = 0; i < codes.size(); ++i) {
            const double column = inverse[0] + inverse[1] * xs[i] + inverse[2] * ys[i];
            const double row = inverse[3] + inverse[4] * xs[i] + inverse[5] * ys[i];
            const double distance = codes[i] >= width * grid.size.height()
                                        ? std::numeric_limits<double>::infinity()
                                        : std::hypot(column - (codes[i] % width + 0.5), row - (codes[i] / width + 0.5));
            ++result.shown;
            result.withinOne += distance <= 1.0;
            result.largest = std::max(result.largest, distance);
        }
    }
    return result;
}

}  // namespace georasters
