// mapvane-cli convert: calibrated images to one SMF file, as the window saves a project.

#include <QFile>
#include <QRegularExpression>

#include "cli/cli_command.h"
#include "cli/cli_progress.h"
#include "cli/layer_argument.h"
#include "cli/map_properties_options.h"
#include "project/map_project.h"
#include "project/ozi_map.h"
#include "smf/smf_header.h"
#include "smf/smf_save_status.h"

namespace {

constexpr int kDefaultTileWidth = 300;
constexpr int kDefaultTileHeight = 500;
constexpr int kMaxTileSide = 100000;  // readers refuse larger tiles

struct ConvertOptions
{
    QString output;
    QVector<LayerArgument> layers;
    MapPropertiesOptions properties;
    int tileWidth = kDefaultTileWidth;
    int tileHeight = kDefaultTileHeight;
};

bool parseTile(const QString &text, int *width, int *height)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^(\\d{1,6})[xX](\\d{1,6})$")).match(text);
    if (!match.hasMatch())
        return false;
    *width = match.captured(1).toInt();
    *height = match.captured(2).toInt();
    return *width >= 1 && *width <= kMaxTileSide && *height >= 1 && *height <= kMaxTileSide;
}

// Fills options from the arguments, with config.ini's values as defaults. Returns
// false after printing why for a usage error.
bool parseArguments(const QStringList &args, ConvertOptions *options)
{
    options->properties = MapPropertiesOptions::fromConfig();
    QStringList positional;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        const bool takesValue = MapPropertiesOptions::isOption(arg) || arg == QLatin1String("--tile");
        if (!takesValue) {
            if (arg.startsWith(QLatin1String("--"))) {
                printErr(QStringLiteral("convert: unknown option %1").arg(arg));
                return false;
            }
            positional.append(arg);
            continue;
        }
        if (i + 1 >= args.size()) {
            printErr(QStringLiteral("convert: %1 needs a value").arg(arg));
            return false;
        }
        const QString value = args.at(++i);
        if (MapPropertiesOptions::isOption(arg)) {
            if (!options->properties.apply(QStringLiteral("convert"), arg, value))
                return false;
        } else if (!parseTile(value, &options->tileWidth, &options->tileHeight)) {
            printErr(QStringLiteral("convert: --tile needs WxH with each side 1 to %1 pixels, not '%2'")
                         .arg(kMaxTileSide).arg(value));
            return false;
        }
    }
    if (positional.isEmpty()) {
        printErr(QStringLiteral("convert: missing OUT.smf"));
        return false;
    }
    options->output = positional.takeFirst();
    for (const QString &text : std::as_const(positional)) {
        LayerArgument layer;
        QString error;
        if (!parseLayerArgument(text, &layer, &error)) {
            printErr(QStringLiteral("convert: %1").arg(error));
            return false;
        }
        options->layers.append(layer);
    }
    return true;
}

// Adds an OziExplorer file as the window does: import it with its image, then show
// it, which clamps a bottom-right point beyond the image to its edge.
int addOziMapLayer(MapProject &project, const LayerArgument &argument)
{
    const int index = int(project.layers.size());
    if (project.addImageLayer(argument.imagePath) != 0) {
        MapLayer named;
        if (readOziMap(argument.imagePath, &named) != 0) {
            printErr(QStringLiteral("convert: cannot read the OziExplorer file %1").arg(argument.imagePath));
        } else {
            printErr(QStringLiteral("convert: cannot read the image %1 named by %2")
                         .arg(named.sourcePath, argument.imagePath));
        }
        return kExitIo;
    }
    MapLayer *layer = project.layers.at(index);
    const CalibrationPoint imported = layer->bottomRight;
    const QSize size = project.layerImage(index)->size();
    if (layer->bottomRightLatSet
        && (layer->bottomRight.pixelX != imported.pixelX || layer->bottomRight.pixelY != imported.pixelY)) {
        printErr(QStringLiteral("convert: warning: layer %1: the bottom-right pixel (%2, %3) lies beyond the "
                                "%4 x %5 image and is moved to its edge")
                     .arg(index).arg(imported.pixelX).arg(imported.pixelY).arg(size.width()).arg(size.height()));
    }
    return kExitOk;
}

// Adds one layer as the window does: decode the image, show it (which gives the
// bottom-right point the image size), then enter the calibration. Every value on the
// command line counts as entered, even one equal to the default of a fresh layer.
int addLayer(MapProject &project, const LayerArgument &argument)
{
    if (argument.oziMap)
        return addOziMapLayer(project, argument);
    const int index = int(project.layers.size());
    if (project.addImageLayer(argument.imagePath) != 0) {
        printErr(QStringLiteral("convert: cannot read the image %1").arg(argument.imagePath));
        return kExitIo;
    }
    const QImage *image = project.layerImage(index);
    const QSize size = image->size();
    const bool corners = argument.atImageCorners;
    project.setTopLeftX(index, corners ? 0 : argument.topLeftX);
    project.setTopLeftY(index, corners ? 0 : argument.topLeftY);
    project.setTopLeftLon(index, argument.topLeftLon);
    project.setTopLeftLat(index, argument.topLeftLat);
    project.setBottomRightX(index, corners ? size.width() : argument.bottomRightX);
    project.setBottomRightY(index, corners ? size.height() : argument.bottomRightY);
    project.setBottomRightLon(index, argument.bottomRightLon);
    project.setBottomRightLat(index, argument.bottomRightLat);
    MapLayer *layer = project.layers.at(index);
    layer->topLeftLonSet = layer->topLeftLatSet = layer->bottomRightLonSet = layer->bottomRightLatSet = true;
    if (layer->bottomRight.pixelX > size.width() || layer->bottomRight.pixelY > size.height()) {
        printErr(QStringLiteral("convert: warning: layer %1: the bottom-right pixel (%2, %3) lies beyond the "
                                "%4 x %5 image and is moved to its edge")
                     .arg(index).arg(layer->bottomRight.pixelX).arg(layer->bottomRight.pixelY)
                     .arg(size.width()).arg(size.height()));
    }
    return kExitOk;
}

int exitCodeFor(int saveStatus)
{
    switch (saveStatus) {
    case kSmfSaveOk:
        return kExitOk;
    case kSmfSaveCalibrationError:
    case kSmfSaveInvalidProject:
        return kExitInvalidInput;
    default:
        return kExitIo;
    }
}

int runConvert(const QStringList &args)
{
    ConvertOptions options;
    if (!parseArguments(args, &options))
        return kExitUsage;

    MapProject project;
    const MapPropertiesOptions &properties = options.properties;
    project.setProperties(properties.cartographer, properties.mapName, properties.fill, options.tileWidth,
                          options.tileHeight);
    for (const LayerArgument &layer : std::as_const(options.layers)) {
        // One decoded image at a time: the save decodes each layer again on its turn,
        // so memory grows with the largest layer, not with their number.
        for (int k = 0; k < project.layers.size(); ++k)
            project.releaseImage(k);
        const int result = addLayer(project, layer);
        if (result != kExitOk)
            return result;
    }
    for (int i = 0; i < project.layers.size(); ++i) {
        const MapLayer *layer = project.layers.at(i);
        if (options.layers.at(i).oziMap && !layer->topLeftLatSet) {
            printErr(QStringLiteral("convert: layer %1 (%2): invalid calibration: the OziExplorer file has no "
                                    "reference points")
                         .arg(i).arg(options.layers.at(i).imagePath));
            return kExitInvalidInput;
        }
        if (!layer->isCalibrationValid()) {
            printErr(QStringLiteral("convert: layer %1 (%2): invalid calibration: the top-left point must lie "
                                    "west of, north of, left of and above the bottom-right point, within "
                                    "+-180 degrees of longitude and +-90 degrees of latitude")
                         .arg(i).arg(options.layers.at(i).imagePath));
            return kExitInvalidInput;
        }
        project.updateScale(i);
    }
    // The window keeps its layers sorted by scale once calibrated; sorting the same
    // way here gives the same file for the same project.
    project.sortLayers(0);
    // Only the first layer's image may wait in memory; each leaves after its tiles.
    for (int k = 1; k < project.layers.size(); ++k)
        project.releaseImage(k);
    project.saveReleasesImages = true;

    project.filePath = options.output;
    TerminalProgress progress;
    const int status = project.saveSmf(&progress);
    if (status != kSmfSaveOk) {
        printErr(QStringLiteral("convert: %1").arg(project.errorString()));
        return exitCodeFor(status);
    }
    QFile written(options.output);
    SmfHeader header;
    if (written.open(QIODevice::ReadOnly) && SmfHeader::fromBytes(written.read(kSmfHeaderSize), &header)) {
        printOut(QStringLiteral("%1: %2 levels, %3 tiles, %4 bytes\n")
                     .arg(options.output).arg(header.levelCount).arg(header.tileCount).arg(written.size()));
    }
    return kExitOk;
}

const CliCommandRegistrar registrar({
    "convert",
    "OUT.smf [IMAGE@X1,Y1,LON1,LAT1,X2,Y2,LON2,LAT2 | IMAGE@LON1,LAT1,LON2,LAT2 | OZI.map]... [--name TEXT] "
    "[--cartographer TEXT] [--fill R,G,B] [--tile WxH]",
    runConvert,
});

}  // namespace
