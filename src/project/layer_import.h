#pragma once

#include <QCoreApplication>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

#include "project/map_layer.h"
#include "raster/geo_raster.h"
#include "raster/ozi_map.h"

// The one way a file becomes a layer, for the window's Add, drops and command-line
// files as for `mapvane-cli convert`: importLayer decides what the file is and reads
// what places it; MapProject::addImportedLayer then reads its image.

// How a file is to be taken. The window gives the path alone.
struct LayerImportOptions
{
    // A calibration typed for an image (see parseCalibrationText); empty: the file's own.
    QString calibrationText;
    // Ground control points tying an image to positions on datum gcpDatum (-1: WGS 84),
    // fitted by gcpTransform.
    QVector<GroundControlPoint> gcps;
    GcpTransform gcpTransform = GcpTransform::Affine;
    int gcpDatum = -1;
    // Instead of gcps: a QGIS georeferencer ".points" file, whose enabled points tie the
    // image on the grid its "#CRS" line names (readQgisPointsFile).
    QString gcpFile;
    // The projected or geographic grid, by EPSG code, that the positions of gcps (or of
    // a gcpFile naming no grid) are on: the points are fitted on it, in its units, and
    // then taken to WGS 84. 0: degrees on gcpDatum.
    int gcpEpsg = 0;
    // How a layer that is not on its level grid is warped onto it.
    Resampling resampling = Resampling::Bilinear;
    // An OziExplorer map on a projected grid whose datum no list knows takes the
    // corners of its MMPXY/MMPLL block instead of being refused (see OziMapFile::read).
    bool allowCornerFit = false;
};

// What a file is, as importLayer finds it.
enum class LayerKind : quint8 {
    Image,        // an image with no georeferencing of its own
    Typed,        // an image calibrated by the calibration text
    Raster,       // a raster that carries its georeferencing
    ControlPoints,  // an image tied by ground control points
    OziExplorer,  // an OziExplorer map file and the image it names
};

// How a file came in, or why it did not.
enum class LayerImportStatus : quint8 {
    Calibrated,    // placed by its georeferencing, its points, its OziExplorer file or the typed calibration
    Uncalibrated,  // an image to calibrate by hand (an OziExplorer file without reference points too)
    Unreadable,    // the file, or the image it names, cannot be read: missing, not a regular file, no permission
    Invalid,       // what it holds cannot be used: not an image, damaged, a grid, datum or points that do not place it
};

// A file read as a layer. The reason, summary and warnings are English source texts,
// translatable: the window shows them in its language, the command line as they are.
struct LayerImport
{
    Q_DECLARE_TR_FUNCTIONS(LayerImport)

public:
    LayerImportStatus status = LayerImportStatus::Invalid;
    LayerKind kind = LayerKind::Image;
    // Why the file gives no layer (Unreadable, Invalid); for Uncalibrated, why the
    // georeferencing it seems to carry was not taken ("... has a world file but no
    // grid"), else empty.
    QString reason;
    // The layer, not yet in a project: its source, its calibration or georeference.
    MapLayer layer;
    // One line on where the calibration came from: "calibrated by 4 reference points
    // from the MMPXY/MMPLL block (WGS 84)", "georeferenced by its GeoTIFF on WGS 84 /
    // UTM zone 33N (WGS 84), warped to 720 x 480 pixels on WGS 84"; empty for a plain
    // or typed image.
    QString summary;
    // What the user should know of a layer that came in: a corner moved to the image's
    // edge, reference points missed by more than a pixel.
    QStringList warnings;
    // The calibration typed (kind Typed), entered once the image's size is known.
    std::optional<TypedCalibration> typed;
    // An OziExplorer file: what its calibration came from, and how far the layer misses
    // the file's reference points (empty when that cannot be measured).
    OziMapSummary ozi;
    std::optional<PointMiss> largestMiss;

    bool refused() const
    {
        return status == LayerImportStatus::Unreadable || status == LayerImportStatus::Invalid;
    }
};

// Reads the file at path as a layer:
// - an OziExplorer file (isOziMapPath): its image and reference points (OziMapFile);
// - with options.calibrationText: the image at path, calibrated as typed once its size
//   is known;
// - with options.gcps or options.gcpFile: the image tied by its points, shifted to WGS
//   84 from their datum, its grid and datum named after that datum; or fitted on the
//   grid of the points (options.gcpEpsg, the file's own), named after it. Points on a
//   grid and a datum together, a file naming its grid with gcpEpsg, and degrees beyond
//   +-180 and +-90 on a geographic grid are Invalid; so is a file that cannot be read
//   as points (Unreadable when it cannot be read at all);
// - else a raster with its own georeferencing (readGeoreference), or an image without
//   any, which is Uncalibrated (reason says why a world file without a grid was not
//   taken); a file that is neither fails with the reason of GDAL or of the image
//   readers.
// Layers not on the level grid are warped with options.resampling. Only headers are
// read: the image itself is read when the layer is added to a project.
LayerImport importLayer(const QString &path, const LayerImportOptions &options = {});

// Reads a calibration text: "X1,Y1,LON1,LAT1,X2,Y2,LON2,LAT2" (whole pixels, then WGS 84
// decimal degrees) or "LON1,LAT1,LON2,LAT2" (the points at the image corners (0, 0) and
// (width, height)). False with the reason, naming neither the text nor the file, for a
// count of values other than 4 or 8, or a value that is not a whole pixel or a finite
// number of degrees.
bool parseCalibrationText(const QString &text, TypedCalibration *calibration, QString *error);

// How a georeference came to be, as the command line says it: "georeferenced by its
// GeoTIFF on WGS 84 / UTM zone 33N (WGS 84), taken as it is", "... warped to 720 x 480
// pixels on WGS 84".
QString georeferenceSummary(const RasterGeoreference &georeference);
