#include "cli/map_properties_options.h"

#include "app/settings/config_file.h"
#include "cli/cli_command.h"
#include "cli/fill_argument.h"

MapPropertiesOptions MapPropertiesOptions::fromConfig()
{
    MapPropertiesOptions options;
    const ConfigDefaults config = readConfigFile();
    if (config.opened) {
        options.cartographer = config.cartographer;
        options.mapName = config.mapName;
        options.fill = config.fillColour;
    }
    return options;
}

bool MapPropertiesOptions::isOption(const QString &option)
{
    return option == QLatin1String("--name") || option == QLatin1String("--cartographer")
        || option == QLatin1String("--fill");
}

bool MapPropertiesOptions::apply(const QString &command, const QString &option, const QString &value)
{
    if (option == QLatin1String("--name")) {
        mapName = value;
    } else if (option == QLatin1String("--cartographer")) {
        cartographer = value;
    } else if (!parseFillArgument(value, &fill)) {
        printErr(QStringLiteral("%1: --fill needs R,G,B with each value 0 to 255, not '%2'").arg(command, value));
        return false;
    }
    return true;
}
