// mapvane-cli convert: calibrated images to one SMF file, as the window saves a project.

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>

#include "cli/cli_command.h"
#include "cli/georeferenced_layers.h"
#include "cli/map_properties_options.h"
#include "project/file_access.h"
#include "project/image_file.h"
#include "project/image_rows.h"
#include "project/map_project.h"
#include "project/ozi_map.h"
#include "smf/smf_format.h"
#include "smf/smf_writer.h"

namespace {

// One LAYER argument of the convert command: an image file and its two calibration
// points, either "IMAGE@X1,Y1,LON1,LAT1,X2,Y2,LON2,LAT2" (pixels, then WGS 84 decimal
// degrees) or "IMAGE@LON1,LAT1,LON2,LAT2" (points at the image corners (0, 0) and
// (width, height)). The image path ends at the last "@". A text ending in ".map" (any
// letter case) names an OziExplorer map file instead, which brings its image and its
// calibration, and a text without "@" a raster that brings its georeferencing or is
// tied to positions by the --gcp options that follow it.
struct LayerArgument
{
    QString imagePath;            // the image, or the OziExplorer file when oziMap
    bool oziMap = false;          // imagePath is an OziExplorer ".map" file
    bool georeferenced = false;   // no "@": the raster's own georeferencing, or gcps
    GcpArguments gcps;
    bool atImageCorners = false;  // the pixel positions follow from the image size
    int topLeftX = 0;
    int topLeftY = 0;
    int bottomRightX = 0;
    int bottomRightY = 0;
    double topLeftLon = 0;  // degrees
    double topLeftLat = 0;
    double bottomRightLon = 0;
    double bottomRightLat = 0;
};

// Parses one LAYER argument. Returns false with an English reason in error when the
// text has an empty path, a count of values other than 4 or 8, or a value that is not
// a whole pixel or a finite number of degrees.
bool parseLayerArgument(const QString &text, LayerArgument *layer, QString *error)
{
    if (isOziMapPath(text)) {
        LayerArgument result;
        result.imagePath = text;
        result.oziMap = true;
        *layer = result;
        return true;
    }
    const qsizetype at = text.lastIndexOf(QLatin1Char('@'));
    if (at < 0) {
        LayerArgument result;
        result.imagePath = text;
        result.georeferenced = true;
        *layer = result;
        return true;
    }
    LayerArgument result;
    result.imagePath = text.left(at);
    if (result.imagePath.isEmpty()) {
        *error = QStringLiteral("LAYER '%1' names no image").arg(text);
        return false;
    }
    const QStringList values = text.mid(at + 1).split(QLatin1Char(','));
    if (values.size() != 4 && values.size() != 8) {
        *error = QStringLiteral("LAYER '%1' needs 4 values (LON1,LAT1,LON2,LAT2) or 8 values "
                                "(X1,Y1,LON1,LAT1,X2,Y2,LON2,LAT2), not %2")
                     .arg(text).arg(values.size());
        return false;
    }
    const QLocale c = QLocale::c();
    bool ok = true;
    const auto pixel = [&](int i) {
        bool valueOk = false;
        const int value = c.toInt(values.at(i).trimmed(), &valueOk);
        ok = ok && valueOk;
        return value;
    };
    const auto degrees = [&](int i) {
        bool valueOk = false;
        const double value = c.toDouble(values.at(i).trimmed(), &valueOk);
        ok = ok && valueOk && std::isfinite(value);
        return value;
    };
    if (values.size() == 4) {
        result.atImageCorners = true;
        result.topLeftLon = degrees(0);
        result.topLeftLat = degrees(1);
        result.bottomRightLon = degrees(2);
        result.bottomRightLat = degrees(3);
    } else {
        result.topLeftX = pixel(0);
        result.topLeftY = pixel(1);
        result.topLeftLon = degrees(2);
        result.topLeftLat = degrees(3);
        result.bottomRightX = pixel(4);
        result.bottomRightY = pixel(5);
        result.bottomRightLon = degrees(6);
        result.bottomRightLat = degrees(7);
    }
    if (!ok) {
        *error = QStringLiteral("LAYER '%1' has a value that is not a whole pixel or a number of degrees").arg(text);
        return false;
    }
    *layer = result;
    return true;
}

constexpr char kName[] = "convert";
constexpr int kMinTileSide = 16;    // pixels
constexpr int kMaxTileSide = 4096;
constexpr CliOption kTileOption{"--tile", true};
constexpr CliOption kResamplingOption{"--resampling", true};
constexpr CliOption kGcpOption{"--gcp", true};
constexpr CliOption kTransformOption{"--transform", true};
constexpr CliOption kDatumOption{"--datum", true};
constexpr CliOption kAllowCornerFitOption{"--allow-corner-fit", false};

// One LAYER argument, with its OziExplorer file already read.
struct ConvertLayer
{
    int position = 0;       // on the command line, 1 for the first LAYER
    LayerArgument argument;
    MapLayer imported;      // sourcePath: the image to decode; an OziExplorer file's calibration
    OziMapSummary summary;  // for an OziExplorer file
};

// "layer 2 (scan.png)": a layer by its position on the command line and its file.
QString layerName(const ConvertLayer &layer)
{
    return QStringLiteral("layer %1 (%2)").arg(layer.position).arg(layer.argument.imagePath);
}

// Gives an option that belongs to a LAYER (--gcp, --transform, --datum) to the
// LAYER it follows; --transform and --datum once each. Returns kGoOn or the exit code
// after printing why.
int applyLayerOption(const QString &option, const QString &value, LayerArgument *layer)
{
    if (!layer->georeferenced || layer->oziMap) {
        return usageError(kName, QStringLiteral("%1 belongs to an IMAGE given without '@', not to '%2'")
                                     .arg(option, layer->imagePath));
    }
    GcpArguments &gcps = layer->gcps;
    if (option == QLatin1String(kGcpOption.name)) {
        GroundControlPoint point;
        if (!parseGcp(value, &point))
            return usageError(kName, QStringLiteral("--gcp needs X,Y,LON,LAT (pixels, then decimal degrees within "
                                                    "+-180 and +-90), not '%1'").arg(value));
        gcps.points.append(point);
    } else if ((option == QLatin1String(kTransformOption.name) && gcps.transformGiven)
               || (option == QLatin1String(kDatumOption.name) && gcps.datumIndex >= 0)) {
        return usageError(kName, QStringLiteral("%1 given twice for '%2'").arg(option, layer->imagePath));
    } else if (option == QLatin1String(kTransformOption.name)) {
        if (!parseGcpTransform(value, &gcps.transform))
            return usageError(kName, QStringLiteral("--transform needs affine, poly2 or tps, not '%1'").arg(value));
        gcps.transformGiven = true;
    } else {
        gcps.datumIndex = datumIndexOf(value);
        if (gcps.datumIndex < 0)
            return usageError(kName, QStringLiteral("unknown datum %1 (give 0 to 227 or a name 'coord "
                                                    "--list-datums' prints)").arg(value));
    }
    return kGoOn;
}

struct ConvertOptions
{
    QString output;
    QVector<ConvertLayer> layers;
    MapPropertiesOptions properties;
    int tileWidth = kDefaultTileWidth;
    int tileHeight = kDefaultTileHeight;
    int level = kDefaultDeflateLevel;
    Resampling resampling = Resampling::Bilinear;
    bool quiet = false;
    bool allowCornerFit = false;
};

bool parseTile(const QString &text, int *width, int *height)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^(\\d{1,6})[xX](\\d{1,6})$")).match(text);
    if (!match.hasMatch())
        return false;
    *width = match.captured(1).toInt();
    *height = match.captured(2).toInt();
    return *width >= kMinTileSide && *width <= kMaxTileSide && *height >= kMinTileSide && *height <= kMaxTileSide;
}

// Fills options from the arguments. Returns kGoOn, or the exit code after printing
// why (or the help).
int parseArguments(const QStringList &args, ConvertOptions *options)
{
    CliArguments split;
    const int done = splitArguments(kName, args,
                                    {MapPropertiesOptions::kName, MapPropertiesOptions::kCartographer,
                                     MapPropertiesOptions::kFill, MapPropertiesOptions::kConfig,
                                     MapPropertiesOptions::kNoConfig, kTileOption, kLevelOption, kResamplingOption,
                                     kGcpOption, kTransformOption, kDatumOption, kQuietOption, kThreadsOption,
                                     kAllowCornerFitOption},
                                    false, &split);
    if (done != kGoOn)
        return done;
    for (qsizetype i = 0; i < split.options.size(); ++i) {
        const auto &[option, value] = split.options.at(i);
        if (option == QLatin1String(kGcpOption.name) || option == QLatin1String(kTransformOption.name)
            || option == QLatin1String(kDatumOption.name)) {
            continue;  // given to their LAYER below
        }
        if (MapPropertiesOptions::isOption(option)) {
            if (!options->properties.apply(kName, option, value))
                return kExitUsage;
        } else if (option == kLevelOption.name) {
            if (!parseDeflateLevel(kName, value, &options->level))
                return kExitUsage;
        } else if (option == kQuietOption.name) {
            options->quiet = true;
        } else if (option == kThreadsOption.name) {
            if (!applyThreadLimit(kName, value))
                return kExitUsage;
        } else if (option == kAllowCornerFitOption.name) {
            options->allowCornerFit = true;
        } else if (option == kResamplingOption.name) {
            if (!parseResampling(value, &options->resampling))
                return usageError(kName, QStringLiteral("--resampling needs nearest, bilinear, cubic or lanczos, "
                                                        "not '%1'").arg(value));
        } else if (!parseTile(value, &options->tileWidth, &options->tileHeight)) {
            return usageError(kName, QStringLiteral("--tile needs WxH with each side %1 to %2 pixels, not '%3'")
                                         .arg(kMinTileSide).arg(kMaxTileSide).arg(value));
        }
    }
    if (split.positional.isEmpty())
        return usageError(kName, QStringLiteral("missing OUT.smf"));
    options->output = split.positional.takeFirst();
    if (split.positional.isEmpty())
        return usageError(kName, QStringLiteral("needs at least one LAYER after %1").arg(options->output));
    const int refused = checkOutputPath(kName, options->output, {});
    if (refused != kGoOn)
        return refused;
    for (const QString &text : std::as_const(split.positional)) {
        ConvertLayer layer;
        layer.position = int(options->layers.size()) + 1;
        QString error;
        if (!parseLayerArgument(text, &layer.argument, &error))
            return usageError(kName, error);
        layer.imported.sourcePath = layer.argument.imagePath;
        options->layers.append(layer);
    }
    // --gcp, --transform and --datum belong to the LAYER they follow: the words
    // before them are OUT.smf and the LAYERs.
    for (qsizetype i = 0; i < split.options.size(); ++i) {
        const auto &[option, value] = split.options.at(i);
        if (option != QLatin1String(kGcpOption.name) && option != QLatin1String(kTransformOption.name)
            && option != QLatin1String(kDatumOption.name)) {
            continue;
        }
        const qsizetype layer = split.positionalBefore.at(i) - 2;
        if (layer < 0)
            return usageError(kName, QStringLiteral("%1 must follow the IMAGE it belongs to").arg(option));
        const int done = applyLayerOption(option, value, &options->layers[layer].argument);
        if (done != kGoOn)
            return done;
    }
    for (const ConvertLayer &layer : std::as_const(options->layers)) {
        const GcpArguments &gcps = layer.argument.gcps;
        if (gcps.points.isEmpty() && (gcps.transformGiven || gcps.datumIndex >= 0))
            return usageError(kName, QStringLiteral("--transform and --datum need --gcp points after '%1'")
                                         .arg(layer.argument.imagePath));
    }
    return kGoOn;
}

// Reads the OziExplorer files and the georeferencing of the layers. Nothing is
// written yet. Returns kGoOn or the exit code after printing why.
int checkInputs(ConvertOptions *options)
{
    for (ConvertLayer &layer : options->layers) {
        const QString &path = layer.argument.imagePath;
        if (layer.argument.georeferenced) {
            QString reason;
            const int found = readGeoreferencedLayer(path, layer.argument.gcps, options->resampling,
                                                     &layer.imported, &reason);
            if (found == kGeoreferenceUnreadable) {
                printErr(QStringLiteral("convert: %1: %2").arg(layerName(layer), reason));
                return kExitIo;
            }
            if (found == kGeoreferenceError) {
                printErr(QStringLiteral("convert: %1: %2").arg(layerName(layer), reason));
                return kExitInvalidInput;
            }
            if (found == kNotGeoreferenced || found == kNotARaster) {
                // A file that is no image at all says so; an image without its
                // calibration is a usage error.
                int status = kImageFileOk;
                QString damage;
                if (!openImageRows(path, 0, nullptr, &status, &damage)) {
                    printErr(QStringLiteral("convert: %1: %2")
                                 .arg(layerName(layer), found == kNotARaster ? reason : damage));
                    return status == kImageFileUnreadable ? kExitIo : kExitInvalidInput;
                }
                const QString why = reason.isEmpty() || found == kNotARaster
                    ? QStringLiteral("it carries no georeferencing")
                    : reason;
                return usageError(kName, QStringLiteral("%1 has no '@' before its calibration, and %2")
                                             .arg(layerName(layer), why));
            }
        }
        if (layer.argument.oziMap) {
            QString reason;
            const int status = readOziMap(path, &layer.imported, &layer.summary, &reason, options->allowCornerFit);
            setWarpResampling(&layer.imported, options->resampling);
            if (status == -1) {
                printErr(QStringLiteral("convert: %1: cannot read the OziExplorer file %2: %3")
                             .arg(layerName(layer), path, reason));
                return kExitIo;
            }
            if (status != 0) {
                printErr(QStringLiteral("convert: %1: %2").arg(layerName(layer), reason));
                return kExitInvalidInput;
            }
        }
    }
    return kGoOn;
}

// Refuses an output that is one of the inputs: a layer's image, an OziExplorer file
// or the image it names, an image's world file, .prj or .aux.xml, or the settings
// file read. Returns kGoOn or kExitUsage after printing why.
int checkOutput(const ConvertOptions &options)
{
    QStringList inputs{options.properties.settingsPath()};
    for (const ConvertLayer &layer : options.layers)
        inputs += layerInputFiles(layer.argument.imagePath, layer.imported.sourcePath);
    return checkOutputPath(kName, options.output, inputs);
}

QString pointText(const char *which, int x, int y)
{
    return QStringLiteral("the %1 pixel (%2, %3)").arg(QString::fromUtf8(which)).arg(x).arg(y);
}

// Refuses the calibration of the layer just added when it is missing or invalid;
// else works out its scale and sorts it in among the others, finest first, as the
// window does after an edit, so the same project gives the same file.
int calibrated(MapProject &project, int index, const ConvertLayer &layer)
{
    const MapLayer *added = project.layers.at(index);
    const QString prefix = QStringLiteral("convert: %1: ").arg(layerName(layer));
    if (layer.argument.oziMap && !added->topLeftLatSet) {
        printErr(prefix + QStringLiteral("invalid calibration: the OziExplorer file has no reference points "
                                         "(no MMPXY/MMPLL block and no Point lines)"));
        return kExitInvalidInput;
    }
    if (!added->isCalibrationValid()) {
        printErr(prefix + QStringLiteral("invalid calibration: the top-left point must lie west of, north of, "
                                         "left of and above the bottom-right point, within +-180 degrees of "
                                         "longitude and +-90 degrees of latitude"));
        return kExitInvalidInput;
    }
    project.rescaleAndSort(index, index);
    return kExitOk;
}

// Adds one layer as the window does, from the image's header: the bottom-right point
// takes the image size, then the calibration is entered. Every value on the
// command line counts as entered, even one equal to the default of a fresh layer;
// pixels must lie on the image, 0 to its width and height, as the window's pixel
// fields allow. An OziExplorer file brings its calibration; a bottom-right point
// beyond its image is moved to the image's edge, as the window does.
int addLayer(MapProject &project, const ConvertLayer &layer)
{
    const int index = int(project.layers.size());
    const LayerArgument &argument = layer.argument;
    const QString prefix = QStringLiteral("convert: %1: ").arg(layerName(layer));
    QSize size;
    const int status = project.addUndecodedLayer(layer.imported, &size);
    if (status != 0) {
        printErr(prefix + project.errorString());
        return status == -1 ? kExitIo : kExitInvalidInput;
    }
    MapLayer *added = project.layers.at(index);
    if (argument.georeferenced)
        return calibrated(project, index, layer);
    if (argument.oziMap) {
        const CalibrationPoint imported = layer.imported.bottomRight;
        if (added->bottomRightLatSet
            && (added->bottomRight.pixelX != imported.pixelX || added->bottomRight.pixelY != imported.pixelY)) {
            printErr(prefix + QStringLiteral("warning: %1 lies beyond the %2 x %3 image and is moved to its edge")
                                  .arg(pointText("bottom-right", imported.pixelX, imported.pixelY))
                                  .arg(size.width()).arg(size.height()));
        }
        return calibrated(project, index, layer);
    }
    const bool corners = argument.atImageCorners;
    const QPoint topLeft = corners ? QPoint(0, 0) : QPoint(argument.topLeftX, argument.topLeftY);
    const QPoint bottomRight = corners ? QPoint(size.width(), size.height())
                                       : QPoint(argument.bottomRightX, argument.bottomRightY);
    const QRect image(0, 0, size.width() + 1, size.height() + 1);  // pixels 0..width, 0..height
    for (const auto &[which, pixel] : {std::pair{"top-left", topLeft}, std::pair{"bottom-right", bottomRight}}) {
        if (!image.contains(pixel)) {
            printErr(prefix + QStringLiteral("%1 lies outside the %2 x %3 image (x 0 to %2, y 0 to %3)")
                                  .arg(pointText(which, pixel.x(), pixel.y())).arg(size.width()).arg(size.height()));
            return kExitInvalidInput;
        }
    }
    project.enterCalibration(index, {topLeft, argument.topLeftLon, argument.topLeftLat, bottomRight,
                                     argument.bottomRightLon, argument.bottomRightLat});
    return calibrated(project, index, layer);
}

int exitCodeFor(int saveStatus)
{
    switch (saveStatus) {
    case kSmfOk:
        return kExitOk;
    case kSmfCalibrationError:
    case kSmfInvalidProject:
    case kSmfTooLarge:
    case kSmfImageError:  // a damaged image, found as its tiles are cut
        return kExitInvalidInput;
    case kSmfOutputIsInput:
        return kExitUsage;
    default:
        return kExitIo;
    }
}

QString summaryLine(const ConvertLayer &layer)
{
    const OziMapSummary &summary = layer.summary;
    const QString points = counted(summary.pointCount, "reference point", "reference points");
    const QString source = summary.source == kOziMmpBlock
        ? QStringLiteral("the MMPXY/MMPLL block (WGS 84)")
        : QStringLiteral("the Point lines (datum %1)").arg(summary.datumName);
    const QString &path = layer.argument.imagePath;
    QString line = QStringLiteral("%1: calibrated by %2 from %3\n").arg(path, points, source);
    if (layer.imported.georeference)  // a map on its own grid
        line += georeferenceReport(path, *layer.imported.georeference);
    PointMiss miss;
    if (largestOziMiss(layer.imported, summary, &miss)) {
        line += QStringLiteral("%1: largest miss at the reference points %2 px, %3 m\n")
                    .arg(path)
                    .arg(miss.pixels, 0, 'f', 1)
                    .arg(miss.metres, 0, 'f', 1);
        if (miss.pixels > 1.0) {
            printErr(QStringLiteral("%1: warning: %2 misses its reference points by up to %3 px (%4 m)")
                         .arg(QLatin1String(kName), layerName(layer))
                         .arg(miss.pixels, 0, 'f', 1)
                         .arg(miss.metres, 0, 'f', 0));
        }
    }
    return line;
}

int runConvert(const QStringList &args)
{
    ConvertOptions options;
    int result = parseArguments(args, &options);
    if (result == kGoOn)
        result = options.properties.resolve(kName);
    if (result == kGoOn)
        result = checkInputs(&options);
    if (result == kGoOn)
        result = checkOutput(options);
    if (result != kGoOn)
        return result;

    MapProject project;
    const MapPropertiesOptions &properties = options.properties;
    project.setProperties(properties.cartographer, properties.mapName, properties.fill, options.tileWidth,
                          options.tileHeight);
    // Only the headers are read here: the save decodes each image on its turn, PNG and
    // JPEG strip by strip, so memory does not grow with the images' size or number.
    QHash<const MapLayer *, const ConvertLayer *> layerOf;  // the project sorts its layers by scale
    for (const ConvertLayer &layer : std::as_const(options.layers)) {
        const QVector<MapLayer *> before = project.layers;
        result = addLayer(project, layer);
        if (result != kExitOk)
            return result;
        for (const MapLayer *added : std::as_const(project.layers)) {
            if (!before.contains(added))
                layerOf.insert(added, &layer);
        }
    }
    project.saveReleasesImages = true;

    project.filePath = options.output;
    TerminalProgress progress(!options.quiet);
    const int status = saveSmf(project, &progress, options.level);
    if (status != kSmfOk) {
        const int failed = project.errorLayer;
        const QString layer = failed >= 0 && failed < project.layers.size() && layerOf.contains(project.layers.at(failed))
            ? layerName(*layerOf.value(project.layers.at(failed))) + QStringLiteral(": ")
            : QString();
        printErr(QStringLiteral("convert: %1%2").arg(layer, project.errorString()));
        return exitCodeFor(status);
    }
    QString report;
    for (const ConvertLayer &layer : std::as_const(options.layers)) {
        if (layer.argument.oziMap)
            report += summaryLine(layer);
        else if (layer.imported.georeference)
            report += georeferenceReport(layer.argument.imagePath, *layer.imported.georeference);
    }
    QFile written(options.output);
    SmfHeader header;
    if (written.open(QIODevice::ReadOnly) && SmfHeader::fromBytes(written.read(kSmfHeaderSize), &header)) {
        report += QStringLiteral("%1: %2, %3, %4 bytes\n")
                      .arg(options.output, counted(header.levelCount, "level", "levels"),
                           counted(header.tileCount, "tile", "tiles"))
                      .arg(written.size());
    }
    if (!options.quiet)
        printOut(report);
    return kExitOk;
}

const CliCommandRegistrar registrar({
    kName,
    "OUT.smf LAYER... [OPTIONS]\n"
    "OUT.smf IMAGE --gcp X,Y,LON,LAT --gcp ... [--transform affine|poly2|tps] [--datum D] [LAYER...] [OPTIONS]",
    "Makes one SMF file of calibrated images and OziExplorer maps: each LAYER becomes one\n"
    "level of tiles, the finest scale first, as the window saves a project.\n"
    "\n"
    "LAYER is one of:\n"
    "  IMAGE@X1,Y1,LON1,LAT1,X2,Y2,LON2,LAT2\n"
    "      the top-left and bottom-right calibration points: whole pixels (0 to the\n"
    "      image's width and height) and WGS 84 decimal degrees (east and north positive)\n"
    "  IMAGE@LON1,LAT1,LON2,LAT2\n"
    "      the same with the points at the image's corners (0, 0) and (width, height)\n"
    "  OZI.map\n"
    "      an OziExplorer map file: its image and its reference points. On Latitude/\n"
    "      Longitude and WGS 84, the corners of the MMPXY/MMPLL block (else of the Point\n"
    "      lines); on any other projection or datum, its Point lines fitted on its own\n"
    "      grid, then warped as a RASTER is. Its datum is one of OziExplorer's list or\n"
    "      of the datum table; a projected map on another is refused\n"
    "      (see --allow-corner-fit)\n"
    "  RASTER\n"
    "      a raster that carries its georeferencing: a GeoTIFF, or a TIFF, PNG, JPEG, BMP\n"
    "      or GIF image with a world file (.tfw .pgw .jgw .bpw .wld) and a .prj or\n"
    "      .aux.xml beside it (virtual rasters and GDAL's other formats are refused).\n"
    "      On geographic WGS 84, north-up, it is taken as it is; on any other grid or\n"
    "      datum it is warped onto a WGS 84 grid of about its own resolution, the fill\n"
    "      colour outside it and on nodata\n"
    "  IMAGE --gcp X,Y,LON,LAT --gcp ... [--transform affine|poly2|tps] [--datum D]\n"
    "      an image tied by ground control points (pixels, then decimal degrees within\n"
    "      +-180 and +-90 on WGS 84 or on datum D), fitted by an affine transform (3\n"
    "      points or more), a second-order polynomial (6 or more) or a thin-plate spline\n"
    "      (at most 1,000 points), then warped; these options belong to the IMAGE they\n"
    "      follow, --transform and --datum once each\n"
    "The image path ends at the last '@'. BMP, JPEG and PNG images are read; a damaged\n"
    "image is refused (exit 1). A file name that starts with '-' must follow '--'.\n"
    "Messages name a layer by its position among the LAYERs (1 is the first) and its file.\n"
    "\n"
    "options:\n"
    MAPVANE_PROPERTIES_HELP("colour of the tiles beyond the image")
    "  --tile WxH           tile size in pixels, each side 16 to 4096, default 300x500\n"
    MAPVANE_LEVEL_HELP
    MAPVANE_CONFIG_HELP
    "  --resampling METHOD  how warped layers are sampled: nearest, bilinear (default),\n"
    "                       cubic or lanczos, in any letter case\n"
    "  --allow-corner-fit   an OziExplorer map on a projected grid whose datum is not\n"
    "                       known takes the corners of its MMPXY/MMPLL block (WGS 84),\n"
    "                       which cannot follow the grid (up to a kilometre off),\n"
    "                       instead of being refused\n"
    MAPVANE_THREADS_HELP
    MAPVANE_QUIET_HELP
    "  -h, --help           this help\n"
    "  -V, --version        the version\n"
    "\n"
    "Prints, for each OziExplorer layer, where its calibration came from and how far\n"
    "it misses the file's reference points (a warning over 1 pixel), for each\n"
    "georeferenced layer its grid and level size (and each ground control point's\n"
    "residual with their root mean square), then\n"
    "\"OUT.smf: L levels, T tiles, B bytes\". OUT.smf is replaced only when complete; it\n"
    "is never an input (a layer's image or .map, an image's world file, .prj or .aux.xml,\n"
    "the settings file), a folder, a device, a pipe or a socket (exit 2).\n",
    runConvert,
});

}  // namespace
