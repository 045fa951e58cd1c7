// mapvane-cli wfl: a folder of ready-cut tiles with .wfl sidecars to one SMF file.

#include <QFileInfo>

#include "cli/cli_command.h"
#include "cli/cli_progress.h"
#include "cli/map_properties_options.h"
#include "smf/wfl_conversion.h"

namespace {

struct WflOptions
{
    QString folder;
    QString output;  // empty: beside the folder, named after it
    MapPropertiesOptions properties;
};

// Fills options from the arguments, with config.ini's values as defaults. Returns
// false after printing why for a usage error.
bool parseArguments(const QStringList &args, WflOptions *options)
{
    options->properties = MapPropertiesOptions::fromConfig();
    QStringList positional;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        const bool takesValue = arg == QLatin1String("-o") || MapPropertiesOptions::isOption(arg);
        if (!takesValue) {
            if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
                printErr(QStringLiteral("wfl: unknown option %1").arg(arg));
                return false;
            }
            positional.append(arg);
            continue;
        }
        if (i + 1 >= args.size()) {
            printErr(QStringLiteral("wfl: %1 needs a value").arg(arg));
            return false;
        }
        const QString value = args.at(++i);
        if (arg == QLatin1String("-o")) {
            if (value.isEmpty()) {
                printErr(QStringLiteral("wfl: -o needs a file name"));
                return false;
            }
            options->output = value;
        } else if (!options->properties.apply(QStringLiteral("wfl"), arg, value)) {
            return false;
        }
    }
    if (positional.size() != 1) {
        printErr(positional.isEmpty() ? QStringLiteral("wfl: missing FOLDER")
                                      : QStringLiteral("wfl: one FOLDER expected, got %1").arg(positional.size()));
        return false;
    }
    options->folder = positional.first();
    return true;
}

int exitCodeFor(int status)
{
    switch (status) {
    case kWflOk:
        return kExitOk;
    case kWflNoTiles:
    case kWflInvalidTiles:
        return kExitInvalidInput;
    default:
        return kExitIo;
    }
}

int runWfl(const QStringList &args)
{
    WflOptions options;
    if (!parseArguments(args, &options))
        return kExitUsage;
    TerminalProgress progress;
    const WflConversionResult result =
        convertWfl(options.folder, options.properties.cartographer, options.properties.mapName,
                   options.properties.fill, options.output, &progress);
    if (result.status != kWflOk) {
        printErr(QStringLiteral("wfl: %1").arg(result.errorText));
        return exitCodeFor(result.status);
    }
    printOut(QStringLiteral("%1: %2 levels, %3 tiles of %4 x %5, %6 bytes\n")
                 .arg(result.outputPath).arg(result.levelCount).arg(result.tileCount).arg(result.tileWidth)
                 .arg(result.tileHeight).arg(QFileInfo(result.outputPath).size()));
    return kExitOk;
}

const CliCommandRegistrar registrar({
    "wfl",
    "FOLDER [-o OUT.smf] [--name TEXT] [--cartographer TEXT] [--fill R,G,B]",
    runWfl,
});

}  // namespace
