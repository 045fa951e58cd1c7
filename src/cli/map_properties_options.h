#pragma once

#include <QColor>
#include <QString>

#include <optional>

#include "cli/cli_command.h"

// The map properties that convert and wfl take: the texts of the file's header and
// the colour that pads tiles beyond the image. Options win over the settings file,
// which wins over the built-in defaults.
class MapPropertiesOptions
{
public:
    // --name, --cartographer, --fill, --config and --no-config, for splitArguments.
    static constexpr CliOption kName{"--name", true};
    static constexpr CliOption kCartographer{"--cartographer", true};
    static constexpr CliOption kFill{"--fill", true};
    static constexpr CliOption kConfig{"--config", true};
    static constexpr CliOption kNoConfig{"--no-config", false};

    // Whether option is one of the five.
    static bool isOption(const QString &option);

    // Takes one of them with its value. Returns false after printing why (prefixed by
    // command) when the value is not valid, or when --config and --no-config meet.
    bool apply(const char *command, const QString &option, const QString &value);

    // Fills what the options did not give from the settings file: --config FILE, else
    // the window's config.ini (configIniPath()) when it exists and is not empty, unless
    // --no-config was given; the command line never creates or changes it. A file that
    // is not a settings file of this program, or an unreadable config.ini, gives a
    // warning and the built-in defaults. Warns about texts the header will cut to 32
    // UTF-16 code units. Returns kGoOn, or kExitIo after printing why when the
    // --config file cannot be read or is not a regular file.
    int resolve(const char *command);

    // The settings file resolve() read, an input no output may replace; empty when none.
    QString settingsPath() const { return m_readPath; }

    QString cartographer;
    QString mapName;
    QColor fill;

private:
    std::optional<QString> m_cartographer;
    std::optional<QString> m_mapName;
    std::optional<QColor> m_fill;
    QString m_configPath;
    QString m_readPath;
    bool m_noConfig = false;
};

#define MAPVANE_PROPERTIES_HELP(FILL_TEXT) \
    "  --name TEXT          map name (the file keeps 32 UTF-16 code units)\n" \
    "  --cartographer TEXT  cartographer (likewise)\n" \
    "  --fill R,G,B         " FILL_TEXT ", each 0 to 255\n"
#define MAPVANE_CONFIG_HELP \
    "  --config FILE        settings file with the defaults of --name, --cartographer and\n" \
    "                       --fill; default the window's config.ini when it exists\n" \
    "                       (./config.ini from a build folder, else\n" \
    "                       ~/.config/mapvane/config.ini), else Kelvo, Kelvo, 122,122,122\n" \
    "  --no-config          read no settings file: the built-in defaults\n"
