#pragma once

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QString>
#include <QVector>
#include <QtGlobal>

#include <memory>
#include <optional>

#include "geo/datum_shift.h"
#include "geo/milliarcseconds.h"
#include "geo/pixel_grid.h"
#include "raster/geo_raster.h"

struct LayerMosaic;

// One decoded SMF tile kept by a layer for drawing a file in a browse window.
struct TileCacheEntry
{
    qint32 column = 0;  // tile column in the level
    qint32 row = 0;     // tile row in the level
    quint32 stamp = 0;  // use counter value of the last use; the smallest is recycled first
    QImage image;       // the decoded tile
};

// Both calibration points of a layer with their entered flags and the scales worked
// out from them, as one value: what an edit changes and what undoing it puts back.
// Equality compares the points and flags only.
struct LayerCalibration
{
    CalibrationPoint topLeft;
    CalibrationPoint bottomRight;
    bool topLeftLonSet = false;
    bool topLeftLatSet = false;
    bool bottomRightLonSet = false;
    bool bottomRightLatSet = false;
    double scale = 0.0;
    double lonScale = 0.0;

    bool operator==(const LayerCalibration &other) const;
    bool operator!=(const LayerCalibration &other) const { return !(*this == other); }
};

// Two calibration points as typed: pixels, and degrees, east and north positive.
struct TypedCalibration
{
    QPoint topLeft;
    double topLeftLon = 0.0;
    double topLeftLat = 0.0;
    QPoint bottomRight;
    double bottomRightLon = 0.0;
    double bottomRightLat = 0.0;
    // The points lie at the image's corners, (0, 0) and (width, height), whatever the
    // pixels above say.
    bool atImageCorners = false;
};

// The coordinates of a layer's two calibration points, for naming the one a check
// finds fault with.
enum class CalibrationField : quint8
{
    TopLeftX,
    TopLeftY,
    TopLeftLon,
    TopLeftLat,
    BottomRightX,
    BottomRightY,
    BottomRightLon,
    BottomRightLat,
};

// What is wrong with one coordinate of a calibration.
enum class CalibrationFault : quint8
{
    None,
    NotEntered,  // a longitude or latitude never entered
    OutOfRange,  // a longitude beyond +-180 degrees, a latitude beyond +-90 degrees
    NotGreater,  // not greater than the same coordinate of the other point
};

// The first fault of a calibration; field means nothing while fault is None.
struct CalibrationCheck
{
    CalibrationFault fault = CalibrationFault::None;
    CalibrationField field = CalibrationField::TopLeftX;
};

// One ground control point of a layer calibrated by points in the window: a pixel of
// the layer's source image and, once typed, its position on the datum of the layer's
// points (LayerControlPoints::datumIndex). Only enabled points whose longitude and
// latitude were both entered take part in the fit.
struct ControlPoint
{
    double pixelX = 0.0;  // source image pixels from the left edge
    double pixelY = 0.0;  // from the top edge, downward
    double lon = 0.0;     // degrees, east positive
    double lat = 0.0;     // degrees, north positive
    bool lonSet = false;
    bool latSet = false;
    bool enabled = true;

    bool positioned() const { return lonSet && latSet; }
    bool operator==(const ControlPoint &other) const;
    bool operator!=(const ControlPoint &other) const { return !(*this == other); }
};

// The points of a layer calibrated by any number of points rather than two: while
// active, the layer's level is the source image warped by the fit of its points
// (MapLayer::georeference, from ground control points), or, while they cannot be
// fitted, the plain image without a calibration.
struct LayerControlPoints
{
    bool active = false;
    QVector<ControlPoint> points;
    GcpTransform transform = GcpTransform::Affine;
    // The datum the positions are on, as they were typed (-1: WGS 84): the points are
    // fitted on it and the fit then shifted to WGS 84, as `convert --datum` does.
    int datumIndex = -1;
    // The grid, by EPSG code, the positions were typed on instead (0: none): each
    // point's lon and lat are then its easting and northing in the grid's units (or its
    // degrees, for a geographic grid), fitted on the grid and then taken to WGS 84, as
    // `convert --gcp-crs EPSG:N` does; datumIndex is then -1.
    int epsg = 0;

    // The datum positions typed on the window's datum `datumIndex` are kept on: the
    // datum itself, or -1 for one whose positions are stored unshifted (WGS 1984, WGS
    // 1972; see typedPositionsAreShifted). Points typed on WGS 1972 are thus fitted as
    // WGS 84, as the window shows that row, while `convert --datum` takes them through
    // its change of ellipsoid (up to 0.21 m apart, poleward).
    static int storedDatum(int datumIndex);
    // The points with their positions on the datum positions typed on `datumIndex` are
    // kept on (storedDatum): themselves when they are on it already or on a grid. A coordinate
    // entered alone is taken there beside a stand-in of 0 for the other.
    LayerControlPoints onDatum(int datumIndex) const;
    // The enabled, positioned points as the fit takes them (on datumIndex), and their
    // indices in points.
    QVector<GroundControlPoint> fitted(QVector<int> *indices = nullptr) const;
    bool operator==(const LayerControlPoints &other) const;
    bool operator!=(const LayerControlPoints &other) const { return !(*this == other); }
};

// One raster map of a project: where its pixels come from, its decoded image while
// held in memory, and its two-point calibration (an axis-aligned linear mapping).
// Records are created by MapProject, which also loads and drops the image, and
// destroyed by it or, for a record taken out of the project, by whoever took it
// (the window's undo commands); the record itself decides nothing about memory.
struct MapLayer
{
    static constexpr quint8 kNone = 255;

    QString sourcePath;        // image file, or SMF file for a layer read from one
    QString oziMapPath;        // the OziExplorer file the layer was added from, else empty
    bool fromSmf = false;      // the pixels are one level of an SMF file
    quint8 smfLevel = kNone;   // level in that SMF file
    quint8 smfSource = kNone;  // index into MapProject::smfImages; kNone: read sourcePath
    bool loaded = false;       // image holds the decoded pixels
    QImage image;              // the decoded image, resized by zoom; null while not loaded
    quint64 loadedAt = 0;      // project load counter when the image was last loaded; 0 never
    qint32 memoryMB = 0;       // estimated memory of the loaded image, MiB
    double scale = 0.0;        // milliarcseconds of latitude per pixel, >= 0 (inf/NaN when degenerate)
    double lonScale = 0.0;     // milliarcseconds of longitude per pixel, >= 0 (inf/NaN when degenerate)
    CalibrationPoint topLeft{0, 0, -648000000, 324000000};
    CalibrationPoint bottomRight{0, 0, 648000000, -324000000};
    bool topLeftLonSet = false;
    bool topLeftLatSet = false;
    bool bottomRightLonSet = false;
    bool bottomRightLatSet = false;
    bool sortMark = false;     // set only while the project sorts its layers
    double zoom = 1.0;         // factor from the source file's image to this layer's image
    QVector<TileCacheEntry> tileCache;  // decoded tiles of a browse window
    // Set for a raster that brought its own georeferencing: the pixels are read (and
    // warped) from it as it describes, and the calibration is its level grid's
    // corners. Cleared when the layer is calibrated by hand.
    std::shared_ptr<const RasterGeoreference> georeference;
    // The points of a layer calibrated by points in the window (see LayerControlPoints).
    LayerControlPoints controlPoints;
    // Set for a layer made of several sources (planMosaic): its pixels are theirs, each
    // cut to its map face and warped onto one grid, and the calibration is that grid's
    // corners; sourcePath is then the first source's. Immutable; layers share it.
    std::shared_ptr<const LayerMosaic> mosaic;
    // The map face of the source image, a polygon in its pixels (0 the left or top
    // edge), by which the layer is cut when merged with others (MosaicSource::border);
    // empty: the whole image. The window starts it from the border of the OziExplorer
    // file the layer was added from (oziBorderFace).
    QVector<QPointF> border;

    // Makes this a layer of the raster: sourcePath the raster, georeference shared, and
    // both calibration points on the level grid's corners (pixels (0, 0) and its size),
    // all four values entered.
    void applyGeoreference(std::shared_ptr<const RasterGeoreference> raster);
    // Has a georeferenced layer warped with resampling; its level grid stays.
    void setWarpResampling(Resampling resampling);

    LayerCalibration calibration() const;
    // Stores both points, their flags and the scales.
    void setCalibration(const LayerCalibration &calibration);

    // Recomputes scale and lonScale from the two points. Points on one pixel row
    // (or column, for lonScale) give an infinite or NaN value.
    void updateScales();

    // The WGS 84 position of image pixel `pixel`, linear from the top-left point by the
    // layer's scales (as last worked out), also outside the image and the two points;
    // nothing when they do not form one (points on one pixel row or column).
    std::optional<GeoPosition> positionAt(QPoint pixel) const;

    // "1:N" with N the scale truncated toward zero once both latitudes were entered,
    // else "1:---". A scale that is not a finite 32-bit value also reads "1:---".
    QString scaleText() const;

    // All four geographic values entered, top-left strictly west and north of
    // bottom-right, top-left pixel strictly left of and above bottom-right, and all
    // positions within +-180 degrees of longitude and +-90 degrees of latitude.
    bool isCalibrationValid() const { return checkCalibration().fault == CalibrationFault::None; }
    // The first rule of isCalibrationValid that the layer breaks: a value not entered
    // (top-left longitude, latitude, then bottom-right), then one out of range (same
    // order), then the order of the points, naming the coordinate that must be the
    // greater one: bottom-right longitude, top-left latitude, bottom-right x, then y.
    CalibrationCheck checkCalibration() const;

    // Whenever the image is handed out: a bottom-right pixel x of 0 takes the image
    // size, and a bottom-right pixel beyond the image is clamped to its edge. The
    // top-left point is never touched; scales are not recomputed.
    void fitBottomRightToImage() { fitBottomRightTo(image.size()); }
    // The same for an image of the given size that is not in memory.
    void fitBottomRightTo(const QSize &size);
};

// Estimated memory of a decoded image in MiB: width x height x 4 bytes, in whole
// MiB rounded down (1000 x 1000 gives 3, 512 x 512 gives 1). Computed in 64 bits
// and saturated at the 32-bit maximum.
qint32 imageMemoryMB(const QSize &size);

// Order of layers by scale: ascending, with NaN after every number, so that the
// order is total. The layer table must sort its rows with the same key.
bool layerScaleLess(double a, double b);
