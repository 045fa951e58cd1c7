#pragma once

#include <QSize>
#include <QString>
#include <QVector>
#include <QtGlobal>

#include <array>
#include <atomic>
#include <memory>

struct MapLayer;
class ImageRowReader;

// How a warp samples the source raster.
enum class Resampling : quint8 { Nearest, Bilinear, Cubic, Lanczos };

// How ground control points become a mapping from pixels to positions.
enum class GcpTransform : quint8 {
    Affine,  // first-order polynomial, three points or more
    Poly2,   // second-order polynomial, six points or more
    Tps,     // thin-plate spline through every point
};

// A pixel of the source raster tied to a position on WGS 84.
struct GroundControlPoint
{
    double pixelX = 0.0;  // pixels from the left edge (0 is the edge, 0.5 the first pixel's centre)
    double pixelY = 0.0;  // pixels from the top edge, downward
    double lon = 0.0;     // degrees, east positive
    double lat = 0.0;     // degrees, north positive
};

// How a layer's image is made from a raster that carries its georeferencing: the
// raster, its grid, and the grid of the level it becomes. Levels are north-up and
// linear in longitude and latitude, so a raster already on that grid is taken as it
// is, and any other is warped onto a geographic WGS 84 grid whose steps are whole
// milliarcseconds, so that the level's two calibration points describe every pixel
// exactly. Immutable once made; layers share it.
struct RasterGeoreference
{
    enum Kind : quint8 {
        AsIs,    // geographic WGS 84, north-up: the raster's own pixels
        Warped,  // reprojected onto the level grid below
    };
    Kind kind = AsIs;
    QString rasterPath;  // the raster read for the pixels
    QSize sourceSize;    // the raster's size, pixels

    // What the window and the command line show about where the georeferencing came
    // from, in English: "GeoTIFF", "world file", "OziExplorer file", "ground control
    // points"; the grid ("WGS 84 / UTM zone 33N") and the datum ("Pulkovo 1942").
    QString origin;
    QString gridName;
    QString datumName;

    // The source grid (WKT) and the mapping of raster pixels into it: the affine
    // geoTransform (GDAL's order: x0, dx/dcol, dx/drow, y0, dy/dcol, dy/drow) when
    // gcps is empty, else the ground control points fitted by transform.
    QString srsWkt;
    std::array<double, 6> geoTransform{0.0, 1.0, 0.0, 0.0, 0.0, 1.0};
    QVector<GroundControlPoint> gcps;
    GcpTransform transform = GcpTransform::Affine;
    Resampling resampling = Resampling::Bilinear;

    // The level grid: its top-left corner and its steps per pixel, in whole
    // milliarcseconds, and its size. For AsIs the corners of the raster itself.
    qint32 westMas = 0;
    qint32 northMas = 0;
    qint32 eastMas = 0;
    qint32 southMas = 0;
    QSize size;
};

// What readGeoreference finds in a raster file.
enum GeoreferenceStatus {
    kGeoreferenceError = -1,  // unreadable, or georeferenced on a grid that cannot be used; error says why
    kNotGeoreferenced = 0,    // a plain image: no geotransform, or no grid named for it
    kGeoreferenced = 1,
};

// Reads the georeferencing a raster carries: a GeoTIFF's own, or a world file
// (.tfw, .pgw, .jgw, .bpw, .wld) with its grid from a ".prj" (ESRI or OGC WKT) or
// ".aux.xml" beside the raster. Fills *georeference with the level grid worked out
// (see planLevelGrid) and resampling. A world file without a grid beside it is not
// georeferencing (the image is then plain).
int readGeoreference(const QString &path, Resampling resampling, RasterGeoreference *georeference,
                     QString *error);

// A georeference for an image tied to WGS 84 by ground control points (pixels and
// degrees), fitted by transform and warped with resampling. kGeoreferenceError with
// a reason when the image cannot be opened, there are too few points for the
// transform (three; six for Poly2) or they cannot be fitted.
int gcpGeoreference(const QString &path, const QVector<GroundControlPoint> &gcps, GcpTransform transform,
                    Resampling resampling, RasterGeoreference *georeference, QString *error);

// Works out kind and the level grid of a georeference whose raster, grid and mapping
// are set: AsIs for geographic WGS 84 north-up without ground control points, the
// corners then taken from the geotransform (degrees truncated to milliarcseconds);
// else Warped onto a grid covering the raster's footprint, with about the raster's
// own resolution along each axis. False with a reason when the grid cannot be
// transformed to WGS 84 or the points cannot be fitted.
bool planLevelGrid(RasterGeoreference *georeference, QString *error);

// Makes layer a layer of the raster: sourcePath the raster, georeference shared, and
// both calibration points on the level grid's corners (pixels (0, 0) and its size),
// all four values entered.
void applyGeoreference(MapLayer *layer, std::shared_ptr<const RasterGeoreference> georeference);

// The pixels of a georeferenced layer, row by row: the raster's own for AsIs, the
// warp's output for Warped (transparent outside the raster's footprint, so the fill
// colour shows there). Streams in memory independent of the height: PNG and JPEG
// rasters on the level grid through the image readers (budgetMB and position as for
// openImageRows), everything else through GDAL. nullptr with *status (an
// ImageFileStatus) and *error when the raster cannot be opened.
std::unique_ptr<ImageRowReader> openGeoreferencedRows(const RasterGeoreference &georeference, qint32 budgetMB,
                                                      std::atomic<qint64> *position, int *status, QString *error);

// Where the final georeferencing puts a point of the source raster compared with
// where it belongs: the position of source pixel (pixelX, pixelY) on the level,
// against (lon, lat) on WGS 84.
struct PointMiss
{
    double pixels = 0.0;  // in source pixels
    double metres = 0.0;
};

// The miss of every point: for ground control points their residuals, for a
// georeferenced layer the distance between where its mapping puts pixel
// (pixelX, pixelY) and (lon, lat). Empty when the mapping cannot be formed.
QVector<PointMiss> pointMisses(const RasterGeoreference &georeference, const QVector<GroundControlPoint> &points);

// The distance on WGS 84 between two positions in degrees, metres.
double wgs84Distance(double lon1, double lat1, double lon2, double lat2);
