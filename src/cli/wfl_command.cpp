// mapvane-cli wfl: a folder of ready-cut tiles with .wfl sidecars to one SMF file.

#include <QFileInfo>

#include "cli/cli_command.h"
#include "cli/map_properties_options.h"
#include "smf/wfl_conversion.h"

namespace {

constexpr char kName[] = "wfl";
constexpr CliOption kOutputOption{"--output", true, "-o"};

int exitCodeFor(SmfStatus status)
{
    switch (status) {
    case SmfStatus::Ok:
        return kExitOk;
    case SmfStatus::NoTiles:
    case SmfStatus::InvalidTiles:
    case SmfStatus::TooLarge:
        return kExitInvalidInput;
    case SmfStatus::OutputIsInput:  // or a folder, a device, a pipe, a socket
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
                               MapPropertiesOptions::kFill, MapPropertiesOptions::kConfig,
                               MapPropertiesOptions::kNoConfig, kLevelOption, kQuietOption, kThreadsOption},
                              false, &split);
    if (done != kGoOn)
        return done;
    QString output;  // empty: beside the folder, named after it
    MapPropertiesOptions properties;
    int level = kDefaultDeflateLevel;
    bool quiet = false;
    for (const auto &[option, value] : std::as_const(split.options)) {
        if (option == QLatin1String(kOutputOption.name)) {
            if (value.isEmpty())
                return usageError(kName, QStringLiteral("-o needs a file name"));
            output = value;
        } else if (option == QLatin1String(kLevelOption.name)) {
            if (!parseDeflateLevel(kName, value, &level))
                return kExitUsage;
        } else if (option == QLatin1String(kQuietOption.name)) {
            quiet = true;
        } else if (option == QLatin1String(kThreadsOption.name)) {
            if (!applyThreadLimit(kName, value))
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
    WflConverter converter(split.positional.first(), output);
    // A folder, device, pipe or socket as output is refused before any work; the
    // converter refuses the folder's own files once it has listed them.
    done = checkOutputPath(kName, converter.outputPath(), {});
    if (done == kGoOn)
        done = properties.resolve(kName);
    if (done == kGoOn)
        done = checkOutputPath(kName, converter.outputPath(), {properties.settingsPath()});
    if (done != kGoOn)
        return done;
    TerminalProgress progress(!quiet);
    converter.setDeflateLevel(level);
    const SmfStatus status = converter.convert(properties.cartographer, properties.mapName, properties.fill, &progress);
    if (status != SmfStatus::Ok) {
        printErr(QStringLiteral("wfl: %1").arg(converter.errorString()));
        return exitCodeFor(status);
    }
    if (quiet)
        return kExitOk;
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
    "FOLDER [-o OUT.smf] [--name TEXT] [--cartographer TEXT] [--fill R,G,B] [--level N] [--config FILE | --no-config] "
    "[--threads N] [-q]",
    "Makes one SMF file of a folder of ready-cut tiles, each image with a text sidecar\n"
    "(15_3x4.png and 15_3x4.wfl, or \"15 (2)_3x4.png\" in part 2) whose lines 5 to 8 give\n"
    "the tile's edges in degrees. Each level number becomes one level, the highest first.\n"
    "\n"
    "options:\n"
    "  -o, --output OUT.smf the file to write; default FOLDER.smf beside the folder\n"
    MAPVANE_PROPERTIES_HELP("padding of the narrower last column and row")
    MAPVANE_LEVEL_HELP
    MAPVANE_CONFIG_HELP
    MAPVANE_THREADS_HELP
    MAPVANE_QUIET_HELP
    "  -h, --help           this help\n"
    "  -V, --version        the version\n"
    "\n"
    "Prints \"OUT.smf: L levels, T tiles of W x H, B bytes\". OUT.smf is replaced only when\n"
    "complete; it is never one of the folder's files or the settings file, a folder, a\n"
    "device, a pipe or a socket (exit 2). A tile or sidecar that is not a regular file\n"
    "exits 3.\n",
    runWfl,
});

}  // namespace
