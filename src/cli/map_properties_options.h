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
    // --name, --cartographer, --fill and --config, for splitArguments.
    static constexpr CliOption kName{"--name", true};
    static constexpr CliOption kCartographer{"--cartographer", true};
    static constexpr CliOption kFill{"--fill", true};
    static constexpr CliOption kConfig{"--config", true};

    // Whether option is one of the four.
    static bool isOption(const QString &option);

    // Takes one of them with its value. Returns false after printing why (prefixed by
    // command) when the value is not valid.
    bool apply(const char *command, const QString &option, const QString &value);

    // Fills what the options did not give from the settings file: --config FILE, else
    // the window's config.ini (configIniPath()) when it exists and is not empty; the
    // command line never creates or changes it. A file that is not a settings file of this program, or an
    // unreadable config.ini, gives a warning and the built-in defaults. Warns about texts the
    // header will cut to 32 UTF-16 code units. Returns kGoOn, or kExitIo after
    // printing why when the --config file cannot be read.
    int resolve(const char *command);

    QString cartographer;
    QString mapName;
    QColor fill;

private:
    std::optional<QString> m_cartographer;
    std::optional<QString> m_mapName;
    std::optional<QColor> m_fill;
    QString m_configPath;
};
