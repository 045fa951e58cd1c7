#pragma once

#include <QColor>
#include <QString>

// The defaults of new projects, kept in "./config.ini": five lines holding the
// cartographer, the map name and the red, green and blue of the fill colour.
struct ConfigDefaults
{
    bool opened = false;  // false: the file could not be opened; the values are unset
    QString cartographer;
    QString mapName;
    QColor fillColour;
};

inline constexpr const char *kConfigIniPath = "./config.ini";

// Reads the configuration file, creating it empty when it is missing. An empty or
// missing text line reads as "Kelvo"; a missing colour line reads as 122, an empty
// or non-numeric one as 0. Colour components are not range-checked.
ConfigDefaults readConfigFile(const QString &path = QString::fromLatin1(kConfigIniPath));

// Writes the five lines, each ended by a line feed. Returns false when the file
// cannot be written.
bool writeConfigFile(const QString &cartographer, const QString &mapName, const QColor &colour,
                     const QString &path = QString::fromLatin1(kConfigIniPath));
