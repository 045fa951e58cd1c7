// mapvane-cli wfl: a folder of ready-cut tiles with .wfl sidecars to one SMF file.

#include <QFileInfo>

#include "cli/cli_command.h"
#include "cli/map_properties_options.h"
#include "smf/wfl_conversion.h"

namespace {

constexpr char kName[] = "wfl";
constexpr CliOption kOutputOption{"-o", true};

int exitCodeFor(int status)
{
    switch (status) {
    case kSmfOk:
        return kExitOk;
    case kSmfNoTiles:
    case kSmfInvalidTiles:
    case kSmfTooLarge:
        return kExitInvalidInput;
    case kSmfOutputIsInput:
        return kExitUsage;
    default:
        return kExitIo;
    }
}

int runWfl(const QStringList &args)
{
    CliArguments split;
    int done = splitArguments(kName, args,
                              {kOutputOption, MapPropertiesOptions::kName, MapPropertiesOptions::kCartographer,
                               MapPropertiesOptions::kFill, MapPropertiesOptions::kConfig, kLevelOption},
                              false, &split);
    if (done != kGoOn)
        return done;
    QString output;  // empty: beside the folder, named after it
    MapPropertiesOptions properties;
    int level = kDefaultDeflateLevel;
    for (const auto &[option, value] : std::as_const(split.options)) {
        if (option == QLatin1String(kOutputOption.name)) {
            if (value.isEmpty())
                return usageError(kName, QStringLiteral("-o needs a file name"));
            output = value;
        } else if (option == QLatin1String(kLevelOption.name)) {
            if (!parseDeflateLevel(kName, value, &level))
                return kExitUsage;
        } else if (!properties.apply(kName, option, value)) {
            return kExitUsage;
        }
    }
    if (split.positional.size() != 1) {
        return usageError(kName, split.positional.isEmpty()
                                     ? QStringLiteral("missing FOLDER")
                                     : QStringLiteral("one FOLDER expected, got %1").arg(split.positional.size()));
    }
    done = properties.resolve(kName);
    if (done != kGoOn)
        return done;
    TerminalProgress progress;
    WflConverter converter(split.positional.first(), output);
    converter.setDeflateLevel(level);
    const int status = converter.convert(properties.cartographer, properties.mapName, properties.fill, &progress);
    if (status != kSmfOk) {
        printErr(QStringLiteral("wfl: %1").arg(converter.errorString()));
        return exitCodeFor(status);
    }
    printOut(QStringLiteral("%1: %2, %3 of %4 x %5, %6 bytes\n")
                 .arg(converter.outputPath(), counted(converter.levelCount(), "level", "levels"),
                      counted(converter.tileCount(), "tile", "tiles"))
                 .arg(converter.tileSize().width())
                 .arg(converter.tileSize().height())
                 .arg(QFileInfo(converter.outputPath()).size()));
    return kExitOk;
}

const CliCommandRegistrar registrar({
    kName,
    "FOLDER [-o OUT.smf] [--name TEXT] [--cartographer TEXT] [--fill R,G,B] [--level N]\n"
    "        [--config FILE]",
    "Makes one SMF file of a folder of ready-cut tiles, each image with a text sidecar\n"
    "(15_3x4.png and 15_3x4.wfl, or \"15 (2)_3x4.png\" in part 2) whose lines 5 to 8 give\n"
    "the tile's edges in degrees. Each level number becomes one level, the highest first.\n"
    "\n"
    "options:\n"
    "  -o OUT.smf           the file to write; default FOLDER.smf beside the folder\n"
    "  --name TEXT          map name (the file keeps 32 UTF-16 code units)\n"
    "  --cartographer TEXT  cartographer (likewise)\n"
    "  --fill R,G,B         colour that pads the narrower tiles of the last column and row\n"
    MAPVANE_LEVEL_HELP    "  --config FILE        settings file with the defaults of the three options above;\n"
    "                       default the window's config.ini when it exists (./config.ini\n"
    "                       from a build folder, else ~/.config/mapvane/config.ini),\n"
    "                       else Kelvo, Kelvo, 122,122,122\n"
    "  -h, --help           this help\n"
    "\n"
    "Prints \"OUT.smf: L levels, T tiles of W x H, B bytes\". OUT.smf is replaced only when\n"
    "complete, and never when it is one of the folder's files.\n",
    runWfl,
});

}  // namespace
