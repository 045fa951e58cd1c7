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
#include "cli/source_groups.h"
#include "project/layer_import.h"
#include "project/layer_mosaic.h"
#include "project/map_project.h"
#include "raster/file_access.h"
#include "raster/ozi_map.h"
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
    QString calibrationText;      // after the "@" (see parseCalibrationText)
    QVector<double> copyFactors;  // the copies that follow it (--auto-copies, --copy), in order
    QVector<QPointF> border;      // --border: its map face, source pixels
    bool borderGiven = false;
    bool noBorder = false;        // --no-border: an OziExplorer file's whole image
};

// Parses one LAYER argument. Returns false with an English reason in error when the
// text has an empty path or a calibration text parseCalibrationText refuses.
bool parseLayerArgument(const QString &text, LayerArgument *layer, QString *error)
{
    LayerArgument result;
    result.imagePath = text;
    const qsizetype at = text.lastIndexOf(QLatin1Char('@'));
    if (isOziMapPath(text)) {
        result.oziMap = true;
    } else if (at < 0) {
        result.georeferenced = true;
    } else {
        result.imagePath = text.left(at);
        result.calibrationText = text.mid(at + 1);
        if (result.imagePath.isEmpty()) {
            *error = QStringLiteral("LAYER '%1' names no image").arg(text);
            return false;
        }
        TypedCalibration calibration;
        QString reason;
        if (!parseCalibrationText(result.calibrationText, &calibration, &reason)) {
            *error = QStringLiteral("LAYER '%1' %2").arg(text, reason);
            return false;
        }
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
constexpr CliOption kGcpFileOption{"--gcp-file", true};
constexpr CliOption kGcpCrsOption{"--gcp-crs", true};
constexpr CliOption kAllowCornerFitOption{"--allow-corner-fit", false};
constexpr CliOption kAutoCopiesOption{"--auto-copies", false};
constexpr CliOption kCopyOption{"--copy", true};
constexpr CliOption kBorderOption{"--border", true};
constexpr CliOption kNoBorderOption{"--no-border", false};
// The scales of a copy, percent: those of the window's Copy layer.
constexpr int kMinCopyPercent = 5;
constexpr int kMaxCopyPercent = 300;

// One LAYER argument, with its file read (importLayer).
struct ConvertLayer
{
    int position = 0;       // on the command line, 1 for the first LAYER
    LayerArgument argument;
    LayerImport import;     // the layer, its summary and warnings
    qsizetype importWarnings = 0;  // the warnings of reading the file; then those of adding it
    QString copyLines;      // what convert prints about its copies
    int group = -1;         // the group whose level it joins, or -1 for a level of its own
};

// Sources between "(" and ")" made one level; or one source cut by --border.
struct ConvertGroup
{
    int first = 0;  // index of its first source in ConvertOptions::layers
    int count = 0;
    QVector<double> copyFactors;  // the copies that follow its ")"
    QString copyLines;
};

// "layer 2 (scan.png)": a layer by its position on the command line and its file.
QString layerName(const ConvertLayer &layer)
{
    return QStringLiteral("layer %1 (%2)").arg(layer.position).arg(layer.argument.imagePath);
}

// Whether option belongs to the LAYER it follows.
bool isLayerOption(const QString &option)
{
    for (const CliOption &layerOption : {kGcpOption, kTransformOption, kDatumOption, kGcpFileOption, kGcpCrsOption}) {
        if (option == QLatin1String(layerOption.name))
            return true;
    }
    return false;
}

// Gives an option that belongs to a LAYER (--gcp, --gcp-file, --gcp-crs, --transform,
// --datum) to the LAYER it follows; all but --gcp once each, --gcp and --gcp-file not
// both. --gcp-crs must come first: it says how --gcp values are read. Returns kGoOn or
// the exit code after printing why.
int applyLayerOption(const QString &option, const QString &value, LayerArgument *layer)
{
    if (!layer->georeferenced || layer->oziMap) {
        return usageError(kName, QStringLiteral("%1 belongs to an IMAGE given without '@', not to '%2'")
                                     .arg(option, layer->imagePath));
    }
    GcpArguments &gcps = layer->gcps;
    const bool gcpOption = option == QLatin1String(kGcpOption.name);
    if ((gcpOption && !gcps.pointsFile.isEmpty())
        || (option == QLatin1String(kGcpFileOption.name) && !gcps.points.isEmpty())) {
        return usageError(kName, QStringLiteral("--gcp and --gcp-file cannot both be given for '%1'")
                                     .arg(layer->imagePath));
    }
    if (gcpOption && gcps.epsg > 0) {
        GroundControlPoint point;
        if (!parseGcp(value, &point, false))
            return usageError(kName, QStringLiteral("--gcp needs X,Y,EASTING,NORTHING (pixels, then numbers on the "
                                                    "grid of --gcp-crs), not '%1'").arg(value));
        gcps.points.append(point);
    } else if (gcpOption) {
        GroundControlPoint point;
        if (!parseGcp(value, &point))
            return usageError(kName, QStringLiteral("--gcp needs X,Y,LON,LAT (pixels, then decimal degrees within "
                                                    "+-180 and +-90), not '%1'").arg(value));
        gcps.points.append(point);
    } else if ((option == QLatin1String(kTransformOption.name) && gcps.transformGiven)
               || (option == QLatin1String(kDatumOption.name) && gcps.datumIndex >= 0)
               || (option == QLatin1String(kGcpFileOption.name) && !gcps.pointsFile.isEmpty())
               || (option == QLatin1String(kGcpCrsOption.name) && gcps.epsg > 0)) {
        return usageError(kName, QStringLiteral("%1 given twice for '%2'").arg(option, layer->imagePath));
    } else if (option == QLatin1String(kGcpFileOption.name)) {
        if (value.isEmpty())
            return usageError(kName, QStringLiteral("--gcp-file needs a file name"));
        gcps.pointsFile = value;
    } else if (option == QLatin1String(kGcpCrsOption.name)) {
        if (!parseEpsgCode(value, &gcps.epsg))
            return usageError(kName, QStringLiteral("--gcp-crs needs EPSG:N, the EPSG code of the points' grid, "
                                                    "not '%1'").arg(value));
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
    QVector<ConvertGroup> groups;
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

// Gives the copy options (--auto-copies, --copy PERCENT) to the LAYER or group each
// follows, in the order given. Returns kGoOn or the exit code after printing why.
int applyCopyOptions(const CliArguments &split, const SourceWords &words, ConvertOptions *options)
{
    for (qsizetype i = 0; i < split.options.size(); ++i) {
        const auto &[option, value] = split.options.at(i);
        const bool autoCopies = option == QLatin1String(kAutoCopiesOption.name);
        if (!autoCopies && option != QLatin1String(kCopyOption.name))
            continue;
        const qsizetype word = split.positionalBefore.at(i) - 1;
        const int source = word >= 0 ? words.sourceAt.at(word) : -1;
        const int group = word >= 0 ? words.groupClosedAt.at(word) : -1;
        if (source >= 0 && options->layers.at(source).group >= 0)
            return usageError(kName, QStringLiteral("%1 follows a source inside a group; the copies are of the "
                                                    "group's level: give it after its ')'").arg(option));
        if (source < 0 && group < 0)
            return usageError(kName, QStringLiteral("%1 must follow the LAYER it belongs to").arg(option));
        QVector<double> &factors =
            group >= 0 ? options->groups[group].copyFactors : options->layers[source].argument.copyFactors;
        if (autoCopies) {
            factors.append(QVector<double>(std::begin(kAutoCopyFactors), std::end(kAutoCopyFactors)));
            continue;
        }
        const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("^(\\d{1,3})%?$")).match(value);
        const int percent = match.hasMatch() ? match.captured(1).toInt() : 0;
        if (percent < kMinCopyPercent || percent > kMaxCopyPercent)
            return usageError(kName, QStringLiteral("--copy needs a whole percentage from %1 to %2, not '%3'")
                                         .arg(kMinCopyPercent).arg(kMaxCopyPercent).arg(value));
        factors.append(percent / 100.0);  // as the window's Copy layer takes its percentage
    }
    return kGoOn;
}

// Gives --border and --no-border to the source each follows; a source outside a group
// cut by --border becomes a group of its own. Returns kGoOn or the exit code after
// printing why.
int applyBorderOptions(const CliArguments &split, const SourceWords &words, ConvertOptions *options)
{
    for (qsizetype i = 0; i < split.options.size(); ++i) {
        const auto &[option, value] = split.options.at(i);
        const bool noBorder = option == QLatin1String(kNoBorderOption.name);
        if (!noBorder && option != QLatin1String(kBorderOption.name))
            continue;
        const qsizetype word = split.positionalBefore.at(i) - 1;
        const int source = word >= 0 ? words.sourceAt.at(word) : -1;
        if (source < 0)
            return usageError(kName, QStringLiteral("%1 must follow the source it belongs to").arg(option));
        LayerArgument &layer = options->layers[source].argument;
        if (layer.noBorder || layer.borderGiven) {
            return usageError(kName, QStringLiteral("--border or --no-border given twice for '%1'")
                                         .arg(layer.imagePath));
        }
        if (noBorder && !layer.oziMap) {
            return usageError(kName, QStringLiteral("--no-border belongs to an OziExplorer .map file, not to '%1'")
                                         .arg(layer.imagePath));
        }
        if (!noBorder && !parseBorder(value, &layer.border)) {
            return usageError(kName, QStringLiteral("--border needs X1,Y1,X2,Y2,X3,Y3[,...] (3 to %1 points around "
                                                    "the map face, source pixels), not '%2'")
                                         .arg(kMaxBorderPoints).arg(value));
        }
        layer.noBorder = noBorder;
        layer.borderGiven = !noBorder;
    }
    for (qsizetype i = 0; i < options->layers.size(); ++i) {
        ConvertLayer &layer = options->layers[i];
        if (layer.group >= 0 || !layer.argument.borderGiven)
            continue;
        layer.group = int(options->groups.size());
        options->groups.append({int(i), 1, layer.argument.copyFactors, QString()});
        layer.argument.copyFactors.clear();
    }
    return kGoOn;
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
                                     kGcpOption, kTransformOption, kDatumOption, kGcpFileOption, kGcpCrsOption,
                                     kQuietOption, kThreadsOption, kAllowCornerFitOption, kAutoCopiesOption,
                                     kCopyOption, kBorderOption, kNoBorderOption},
                                    false, &split);
    if (done != kGoOn)
        return done;
    for (qsizetype i = 0; i < split.options.size(); ++i) {
        const auto &[option, value] = split.options.at(i);
        if (isLayerOption(option) || option == QLatin1String(kAutoCopiesOption.name)
            || option == QLatin1String(kCopyOption.name) || option == QLatin1String(kBorderOption.name)
            || option == QLatin1String(kNoBorderOption.name))
            continue;  // given to their LAYER or group below
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
    SourceWords words;
    QString grouping;
    if (!splitSourceGroups(split.positional, &words, &grouping))
        return usageError(kName, grouping);
    options->output = split.positional.first();
    if (words.sources.isEmpty())
        return usageError(kName, QStringLiteral("needs at least one LAYER after %1").arg(options->output));
    const int refused = checkOutputPath(kName, options->output, {});
    if (refused != kGoOn)
        return refused;
    for (qsizetype i = 0; i < words.sources.size(); ++i) {
        ConvertLayer layer;
        layer.position = int(i) + 1;
        layer.group = words.groupOf.at(i);
        QString error;
        if (!parseLayerArgument(words.sources.at(i), &layer.argument, &error))
            return usageError(kName, error);
        options->layers.append(layer);
    }
    for (const SourceGroup &group : std::as_const(words.groups))
        options->groups.append({group.first, group.count, {}, QString()});
    const int copies = applyCopyOptions(split, words, options);
    if (copies != kGoOn)
        return copies;
    // The options of a LAYER belong to the LAYER they follow: the words before them
    // are OUT.smf and the LAYERs. --gcp-crs first, as it says how --gcp is read.
    for (const bool crs : {true, false}) {
        for (qsizetype i = 0; i < split.options.size(); ++i) {
            const auto &[option, value] = split.options.at(i);
            if (!isLayerOption(option) || (option == QLatin1String(kGcpCrsOption.name)) != crs)
                continue;
            const qsizetype word = split.positionalBefore.at(i) - 1;
            const int layer = word >= 0 ? words.sourceAt.at(word) : -1;
            if (layer < 0)
                return usageError(kName, QStringLiteral("%1 must follow the IMAGE it belongs to").arg(option));
            const int done = applyLayerOption(option, value, &options->layers[layer].argument);
            if (done != kGoOn)
                return done;
        }
    }
    for (const ConvertLayer &layer : std::as_const(options->layers)) {
        const GcpArguments &gcps = layer.argument.gcps;
        const QString &image = layer.argument.imagePath;
        const bool noPoints = gcps.points.isEmpty() && gcps.pointsFile.isEmpty();
        if (noPoints && (gcps.transformGiven || gcps.datumIndex >= 0))
            return usageError(kName, QStringLiteral("--transform and --datum need --gcp points after '%1'").arg(image));
        if (noPoints && gcps.epsg > 0)
            return usageError(kName,
                              QStringLiteral("--gcp-crs needs --gcp points or --gcp-file after '%1'").arg(image));
        if (gcps.epsg > 0 && gcps.datumIndex >= 0)
            return usageError(kName, QStringLiteral("--gcp-crs and --datum cannot both be given for '%1': the grid "
                                                    "names its own datum").arg(image));
    }
    return applyBorderOptions(split, words, options);
}

// Reads the files of the layers as layers (importLayer): OziExplorer files, the
// georeferencing of rasters. Nothing is written yet. Returns kGoOn or the exit code
// after printing why.
int checkInputs(ConvertOptions *options)
{
    for (ConvertLayer &layer : options->layers) {
        const LayerArgument &argument = layer.argument;
        LayerImportOptions taken;
        taken.calibrationText = argument.calibrationText;
        taken.gcps = argument.gcps.points;
        taken.gcpTransform = argument.gcps.transform;
        taken.gcpDatum = argument.gcps.datumIndex;
        taken.gcpFile = argument.gcps.pointsFile;
        taken.gcpEpsg = argument.gcps.epsg;
        taken.resampling = options->resampling;
        taken.allowCornerFit = options->allowCornerFit;
        layer.import = importLayer(argument.imagePath, taken);
        layer.importWarnings = layer.import.warnings.size();
        const LayerImport &import = layer.import;
        if (import.refused()) {
            printErr(QStringLiteral("convert: %1: %2").arg(layerName(layer), import.reason));
            return import.status == LayerImportStatus::Unreadable ? kExitIo : kExitInvalidInput;
        }
        // An image without its calibration is a usage error.
        if (import.status == LayerImportStatus::Uncalibrated && import.kind != LayerKind::OziExplorer) {
            const QString why =
                import.reason.isEmpty() ? QStringLiteral("it carries no georeferencing") : import.reason;
            return usageError(kName, QStringLiteral("%1 has no '@' before its calibration, and %2")
                                         .arg(layerName(layer), why));
        }
    }
    return kGoOn;
}

// Refuses an output that is one of the inputs: a layer's image, an OziExplorer file
// or the image it names, an image's world file, .prj or .aux.xml, a points file, or
// the settings file read. Returns kGoOn or kExitUsage after printing why.
int checkOutput(const ConvertOptions &options)
{
    QStringList inputs{options.properties.settingsPath()};
    for (const ConvertLayer &layer : options.layers) {
        inputs += layerInputFiles(layer.argument.imagePath, layer.import.layer.sourcePath);
        inputs += layer.argument.gcps.pointsFile;
    }
    return checkOutputPath(kName, options.output, inputs);
}

// Refuses the calibration of the layer just added when it is missing or invalid;
// else works out its scale and sorts it in among the others, finest first, as the
// window does after an edit, so the same project gives the same file.
int calibrated(MapProject &project, int index, const ConvertLayer &layer)
{
    const MapLayer *added = project.layers.at(index);
    const QString prefix = QStringLiteral("convert: %1: ").arg(layerName(layer));
    if (layer.import.kind == LayerKind::OziExplorer && !added->topLeftLatSet) {
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

// Adds the copies that follow a LAYER or group, each made from its level itself and
// sorted in among the others as the window does after a copy; their pixels are made
// when their turn comes in the save. label names the level in the lines printed, name
// in messages. Returns kExitOk, or the exit code after printing why.
int addCopies(MapProject &project, const MapLayer *source, const QVector<double> &factors, const QString &label,
              const QString &name, QString *lines)
{
    for (const double factor : factors) {
        const int from = int(project.layers.indexOf(source));
        if (!project.scaledCopy(from, factor, LayerLoading::HeaderOnly)) {
            printErr(QStringLiteral("convert: %1: %2").arg(name, project.errorString()));
            return kExitInvalidInput;
        }
        const int index = int(project.layers.size()) - 1;
        const MapLayer *copy = project.layers.at(index);
        const QSize size = layerImageSize(*copy);
        *lines += QStringLiteral("%1: copy at %2 %, %3 x %4 pixels, scale %5\n")
                      .arg(label, QString::number(factor * 100.0, 'g', 6))
                      .arg(size.width())
                      .arg(size.height())
                      .arg(copy->scaleText());
        project.rescaleAndSort(index, index);
    }
    return kExitOk;
}

// Adds one layer as the window does, from the image's header only: the bottom-right
// point takes the image size, then a typed calibration is entered (every value on the
// command line counts as entered, even one equal to the default of a fresh layer;
// pixels must lie on the image, 0 to its width and height, as the window's pixel
// fields allow). An OziExplorer file brings its calibration; a bottom-right point
// beyond its image is moved to the image's edge, as the window does, with a warning.
int addLayer(MapProject &project, ConvertLayer &layer)
{
    const int index = int(project.layers.size());
    const QString prefix = QStringLiteral("convert: %1: ").arg(layerName(layer));
    LayerImport &import = layer.import;
    if (!project.addImportedLayer(import, LayerLoading::HeaderOnly)) {
        printErr(prefix + import.reason);
        return import.status == LayerImportStatus::Unreadable ? kExitIo : kExitInvalidInput;
    }
    for (qsizetype i = layer.importWarnings; i < import.warnings.size(); ++i)
        printErr(prefix + QStringLiteral("warning: ") + import.warnings.at(i));
    const MapLayer *added = project.layers.at(index);
    const int result = calibrated(project, index, layer);
    return result == kExitOk ? addCopies(project, added, layer.argument.copyFactors, layer.argument.imagePath,
                                         layerName(layer), &layer.copyLines)
                             : result;
}

// "layers 2 to 4" for a group, "layer 2 (scan.png)" for a source cut alone.
QString groupName(const ConvertOptions &options, const ConvertGroup &group)
{
    const ConvertLayer &first = options.layers.at(group.first);
    if (group.count == 1)
        return layerName(first);
    const ConvertLayer &last = options.layers.at(group.first + group.count - 1);
    return QStringLiteral("layers %1 to %2").arg(first.position).arg(last.position);
}

// Adds the level of a group: each source placed as addLayer places a layer, its
// border taken (--border, else an OziExplorer file's own unless --no-border), then all
// merged into one layer (planMosaic) with its copies. Returns kExitOk, or the exit
// code after printing why.
int addGroup(MapProject &project, ConvertOptions &options, ConvertGroup &group)
{
    QVector<MosaicSource> sources;
    for (int i = group.first; i < group.first + group.count; ++i) {
        ConvertLayer &layer = options.layers[i];
        MapProject placed(project.physicalMB);
        const int added = addLayer(placed, layer);
        if (added != kExitOk)
            return added;
        MosaicSource source{*placed.layers.first(), layer.argument.border};
        if (!layer.argument.borderGiven && layer.argument.oziMap && !layer.argument.noBorder)
            source.border = oziBorderFace(layer.import.ozi, source.layer);
        sources.append(source);
    }
    LayerImport merged;
    int failed = -1;
    QString reason;
    const QString name = groupName(options, group);
    if (!planMosaic(sources, options.resampling, &merged.layer, &failed, &reason)) {
        printErr(QStringLiteral("convert: %1: %2")
                     .arg(failed >= 0 ? layerName(options.layers.at(group.first + failed)) : name, reason));
        return kExitInvalidInput;
    }
    merged.status = LayerImportStatus::Calibrated;
    const int index = int(project.layers.size());
    if (!project.addImportedLayer(merged, LayerLoading::HeaderOnly)) {
        printErr(QStringLiteral("convert: %1: %2").arg(name, merged.reason));
        return kExitInvalidInput;
    }
    const MapLayer *level = project.layers.at(index);
    const QSize size = layerImageSize(*level);
    group.copyLines = QStringLiteral("%1: one level of %2, %3 x %4 pixels on WGS 84, scale %5\n")
                          .arg(name, counted(group.count, "source", "sources"))
                          .arg(size.width())
                          .arg(size.height())
                          .arg(level->scaleText());
    project.rescaleAndSort(index, index);
    return addCopies(project, level, group.copyFactors, name, name, &group.copyLines);
}

int exitCodeFor(SmfStatus saveStatus)
{
    switch (saveStatus) {
    case SmfStatus::Ok:
        return kExitOk;
    case SmfStatus::CalibrationError:
    case SmfStatus::InvalidProject:
    case SmfStatus::TooLarge:
    case SmfStatus::ImageError:  // a damaged image, found as its tiles are cut
        return kExitInvalidInput;
    case SmfStatus::OutputIsInput:
        return kExitUsage;
    default:
        return kExitIo;
    }
}

// What convert prints about an OziExplorer layer once the file is written, warning
// on standard error of reference points it misses by more than a pixel.
QString summaryLine(const ConvertLayer &layer)
{
    const LayerImport &import = layer.import;
    const QString &path = layer.argument.imagePath;
    QString line = QStringLiteral("%1: %2\n").arg(path, import.summary);
    if (import.layer.georeference)  // a map on its own grid
        line += georeferenceReport(path, *import.layer.georeference);
    if (import.largestMiss) {
        line += QStringLiteral("%1: largest miss at the reference points %2 px, %3 m\n")
                    .arg(path)
                    .arg(import.largestMiss->pixels, 0, 'f', 1)
                    .arg(import.largestMiss->metres, 0, 'f', 1);
    }
    for (qsizetype i = 0; i < layer.importWarnings; ++i)
        printErr(QStringLiteral("%1: warning: %2 %3")
                     .arg(QLatin1String(kName), layerName(layer), import.warnings.at(i)));
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
    QHash<const MapLayer *, QString> nameOf;  // the project sorts its layers by scale
    for (ConvertLayer &layer : options.layers) {
        const QVector<MapLayer *> before = project.layers;
        const bool grouped = layer.group >= 0;
        ConvertGroup *group = grouped ? &options.groups[layer.group] : nullptr;
        if (grouped && group->first != layer.position - 1)
            continue;  // added with the group's first source
        result = grouped ? addGroup(project, options, *group) : addLayer(project, layer);
        if (result != kExitOk)
            return result;
        for (const MapLayer *added : std::as_const(project.layers)) {
            if (!before.contains(added))
                nameOf.insert(added, grouped ? groupName(options, *group) : layerName(layer));
        }
    }
    project.saveReleasesImages = true;

    project.filePath = options.output;
    TerminalProgress progress(!options.quiet);
    const SmfStatus status = saveSmf(project, &progress, options.level);
    if (status != SmfStatus::Ok) {
        const int failed = project.errorLayer;
        const QString layer = failed >= 0 && failed < project.layers.size() && nameOf.contains(project.layers.at(failed))
            ? nameOf.value(project.layers.at(failed)) + QStringLiteral(": ")
            : QString();
        printErr(QStringLiteral("convert: %1%2").arg(layer, project.errorString()));
        return exitCodeFor(status);
    }
    QString report;
    for (const ConvertLayer &layer : std::as_const(options.layers)) {
        if (layer.import.kind == LayerKind::OziExplorer)
            report += summaryLine(layer);
        else if (layer.import.layer.georeference)
            report += georeferenceReport(layer.argument.imagePath, *layer.import.layer.georeference);
        report += layer.copyLines;
        const ConvertGroup *group = layer.group >= 0 ? &options.groups.at(layer.group) : nullptr;
        if (group && layer.position == group->first + group->count)  // its last source
            report += group->copyLines;
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
    "OUT.smf LAYER [--auto-copies] [--copy PERCENT]... [LAYER...] [OPTIONS]\n"
    "OUT.smf IMAGE --gcp X,Y,LON,LAT --gcp ... [--transform affine|poly2|tps] [--datum D] [LAYER...] [OPTIONS]\n"
    "OUT.smf IMAGE --gcp-crs EPSG:N --gcp X,Y,EASTING,NORTHING --gcp ... [--transform T] [LAYER...] [OPTIONS]\n"
    "OUT.smf IMAGE --gcp-file FILE.points [--gcp-crs EPSG:N] [--transform T] [LAYER...] [OPTIONS]\n"
    "OUT.smf ( LAYER [--border X1,Y1,X2,Y2,X3,Y3...] [--no-border] LAYER... ) [--auto-copies] [--copy PERCENT]...\n"
    "        [LAYER...] [OPTIONS]",
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
    "  IMAGE --gcp-crs EPSG:N --gcp X,Y,EASTING,NORTHING --gcp ... [--transform T]\n"
    "      the same with the points on the projected grid of EPSG code N (a printed\n"
    "      sheet's own grid, UTM 33N is EPSG:32633): fitted on that grid, in its\n"
    "      metres, then taken to WGS 84; on a geographic code, longitude and latitude\n"
    "      on its datum. Not with --datum\n"
    "  IMAGE --gcp-file FILE.points [--gcp-crs EPSG:N] [--transform T] [--datum D]\n"
    "      the same with the enabled points of a QGIS georeferencer .points file\n"
    "      (pixel y negative downward), on the grid of its \"#CRS\" line; a file\n"
    "      without one holds degrees on WGS 84 (or datum D), or positions on the grid\n"
    "      of --gcp-crs. Not with --gcp for the same IMAGE\n"
    "After any LAYER:\n"
    "  --auto-copies        adds the copies the window's Auto copies makes of it: at 60,\n"
    "                       80, 120 and 140 %, each a level of its own\n"
    "  --copy PERCENT       adds one copy of it at that scale, a whole number from 5 to\n"
    "                       300 (as the window's Copy layer); may be repeated\n"
    "      Each copy is made from the LAYER (not from another copy), its calibration\n"
    "      points scaled with it, and is sorted in among the levels by its scale. A\n"
    "      copy is resized from the whole image, which must be in memory with it.\n"
    "  --border X1,Y1,X2,Y2,X3,Y3[,...]\n"
    "                       its map face, 3 to 100 points in source pixels: only the\n"
    "                       inside shows (a LAYER outside a group becomes a level of\n"
    "                       its own, warped as a group's)\n"
    "  --no-border          an OZI.map in a group keeps its whole image instead of being\n"
    "                       cut by the polygon of its MMPXY lines\n"
    "Groups: LAYERs between '(' and ')' (separate words) form one level on WGS 84 at the\n"
    "finest source's resolution, covering their map faces: the polygon of --border, an\n"
    "OZI.map's MMPXY polygon when it is not just the image's corners, else the whole\n"
    "image; nodata and alpha count as outside. Each source is warped onto it once; the\n"
    "later lies on top; the fill colour outside every face. --auto-copies and --copy\n"
    "after ')' copy the group's level. Groups are not nested. Refused (exit 1): sources\n"
    "on both sides of the 180th meridian, a level beyond the size limits, a source that\n"
    "cannot be placed (named as 'layer N (FILE)').\n"
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
    "residual with their root mean square), for each copy \"LAYER: copy at P %, W x H\n"
    "pixels, scale 1:N\", then\n"
    "\"OUT.smf: L levels, T tiles, B bytes\". OUT.smf is replaced only when complete; it\n"
    "is never an input (a layer's image or .map, an image's world file, .prj or .aux.xml,\n"
    "the settings file), a folder, a device, a pipe or a socket (exit 2).\n",
    runConvert,
});

}  // namespace
