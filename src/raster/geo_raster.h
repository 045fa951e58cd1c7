#pragma once

#include <QSize>
#include <QString>
#include <QVector>
#include <QtGlobal>

#include <array>
#include <atomic>
#include <memory>

class ImageRowReader;

// How a warp samples the source raster.
enum class Resampling : quint8 { Nearest, Bilinear, Cubic, Lanczos };

// How ground control points become a mapping from pixels to positions.
enum class GcpTransform : quint8 {
    Affine,  // first-order polynomial, three points or more
    Poly2,   // second-order polynomial, six points or more
    Tps,     // thin-plate spline through every point
};

// A pixel of the source raster tied to a position on WGS 84, or, among the points of
// a georeference on a grid of their own, to a position on that grid.
struct GroundControlPoint
{
    double pixelX = 0.0;  // pixels from the left edge (0 is the edge, 0.5 the first pixel's centre)
    double pixelY = 0.0;  // pixels from the top edge, downward
    double lon = 0.0;     // degrees, east positive; on a projected grid its easting
    double lat = 0.0;     // degrees, north positive; on a projected grid its northing
};

// Where the georeferencing of a raster came from.
enum class GeoreferenceOrigin : quint8 {
    GeoTiff,              // a GeoTIFF's own grid or points
    WorldFile,            // a world file beside the image, with its .prj or .aux.xml
    OziExplorerFile,      // the reference points of an OziExplorer file
    GroundControlPoints,  // points the user gave
    RasterFormat,         // the raster's own format (RasterGeoreference::formatName)
};

// The most points a thin-plate spline is fitted through: every point adds a row and
// a column to the system it solves.
inline constexpr int kMaxTpsPoints = 1000;

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

    // Where the georeferencing came from (see originName); for a raster whose own
    // format brings it (other than GeoTIFF), that format's name as GDAL gives it
    // ("Portable Network Graphics"); the grid ("WGS 84 / UTM zone 33N") and the datum
    // ("Pulkovo 1942"), as the window and the command line show them.
    GeoreferenceOrigin origin = GeoreferenceOrigin::GeoTiff;
    QString formatName;
    QString gridName;
    QString datumName;

    // The source grid (WKT) and the mapping of raster pixels into it: the affine
    // geoTransform (GDAL's order: x0, dx/dcol, dx/drow, y0, dy/dcol, dy/drow) when
    // gcps is empty, else the ground control points fitted by transform on that grid
    // (metres on UTM), as GDAL's warp fits them, and then taken to WGS 84; points
    // without a grid (srsWkt empty) are on WGS 84.
    QString srsWkt;
    std::array<double, 6> geoTransform{0.0, 1.0, 0.0, 0.0, 0.0, 1.0};
    QVector<GroundControlPoint> gcps;
    GcpTransform transform = GcpTransform::Affine;
    Resampling resampling = Resampling::Bilinear;
    // Some band marks pixels without data (a nodata value), compared on the samples
    // as stored; such pixels are transparent.
    bool nodata = false;

    // The level grid: its top-left corner and its steps per pixel, in whole
    // milliarcseconds, and its size. For AsIs the corners of the raster itself.
    qint32 westMas = 0;
    qint32 northMas = 0;
    qint32 eastMas = 0;
    qint32 southMas = 0;
    QSize size;
};

// How the georeferencing of a raster was read.
enum class GeoreferenceStatus : quint8 {
    Georeferenced,
    NotGeoreferenced,  // a plain image: no geotransform and no ground control points
    Incomplete,        // a plain image that looks as if it meant to be georeferenced (a world file or a
                       // geotransform without a grid); errorString() says why it is not
    NotARaster,        // in no format GDAL may read for the program: the image readers decide;
                       // errorString() names those formats
    Unreadable,        // the file is missing, not a regular file or cannot be read
    Invalid,           // damaged, or georeferenced in a way that cannot be used
};

// Reads the georeferencing of rasters. errorString() says why the last read gave none.
class GeoreferenceReader
{
public:
    // Reads the georeferencing a raster carries: a GeoTIFF's own grid or its own ground
    // control points (fitted on their grid, affine, or second-order from six points
    // on), or a world file (.tfw, .pgw, .jgw, .bpw, .wld) with its grid from a ".prj"
    // (ESRI or OGC WKT) or ".aux.xml" beside the raster. The file is opened by
    // openRasterFile. Georeferenced with georeference() holding the level grid worked
    // out (see planLevelGrid) and resampling; Invalid for a grid or sidecar that cannot
    // be read or used, a raster too large (imageSizeRefusal) or one that cannot become a
    // level.
    GeoreferenceStatus read(const QString &path, Resampling resampling);

    // A georeference for an image tied by ground control points (pixels, and degrees on
    // WGS 84, or positions on the grid srsWkt names: fitted on that grid, in its units,
    // and then taken to WGS 84), fitted by transform and warped with resampling.
    // Invalid when the image cannot be opened as a raster, there are too few points for
    // the transform (three; six for Poly2), too many for Tps (kMaxTpsPoints), or they
    // cannot be fitted or placed (see planLevelGrid); Unreadable when the file cannot be
    // read.
    GeoreferenceStatus readByPoints(const QString &path, const QVector<GroundControlPoint> &gcps,
                                    GcpTransform transform, Resampling resampling,
                                    const QString &srsWkt = QString());

    const RasterGeoreference &georeference() const { return m_georeference; }
    QString errorString() const { return m_errorString; }

private:
    GeoreferenceStatus fail(GeoreferenceStatus status, const QString &reason);

    RasterGeoreference m_georeference;
    QString m_errorString;
};

// How the command line names where a georeference came from, in English: "GeoTIFF",
// "world file", "OziExplorer file", "ground control points", or the format's name.
QString originName(const RasterGeoreference &georeference);

// Works out kind and the level grid of a georeference whose raster, grid and mapping
// are set: AsIs for geographic WGS 84 north-up without ground control points, the
// corners then taken from the geotransform (degrees truncated to milliarcseconds);
// else Warped onto a grid covering the raster's footprint, with about the raster's
// own resolution along each axis. False with a reason, in words a map maker reads,
// when the raster or its level is too large (imageSizeRefusal), the geotransform
// has no size or is no number, the grid cannot be transformed to WGS 84, the raster
// or its points cross the 180th meridian (longitudes that only make sense
// unwrapped) or cover more than 360° of longitude, the points lie far outside the
// image or cannot be fitted.
bool planLevelGrid(RasterGeoreference *georeference, QString *error);

// The pixels of a georeferenced layer, row by row: the raster's own for AsIs, the
// warp's output for Warped (transparent outside the raster's footprint, so the fill
// colour shows there). Streams in memory independent of the height: PNG and JPEG
// rasters on the level grid through the image readers (budgetMB and position as for
// openImageRows), everything else through GDAL. Never nullptr: a reader whose status()
// and errorString() say why when the raster cannot be opened.
std::unique_ptr<ImageRowReader> openGeoreferencedRows(const RasterGeoreference &georeference, qint32 budgetMB,
                                                      std::atomic<qint64> *position = nullptr);

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

// The residual of each ground control point of a georeference, measured on the grid
// the points are fitted on: in source pixels, and on the ground in metres (the
// grid's own units taken to metres on a projected grid, the distance on the
// ellipsoid on a geographic one). Empty when the points cannot be fitted.
QVector<PointMiss> gcpResiduals(const RasterGeoreference &georeference);

// The distance on WGS 84 between two positions in degrees, metres.
double wgs84Distance(double lon1, double lat1, double lon2, double lat2);
