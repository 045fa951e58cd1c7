#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>

// The defaults of new projects, kept in "config.ini" in the settings folder
// (settings_folder.h): five lines holding the cartographer, the map name and the
// red, green and blue of the fill colour.
struct ConfigDefaults
{
    bool opened = false;  // false: the file could not be opened; the values are unset
    QString cartographer;
    QString mapName;
    QColor fillColour;
};

// "config.ini" in the settings folder: "./config.ini" from a build folder.
QString configIniPath();

// Reads the configuration file, creating it (and its folder) empty when it is missing. An empty or
// missing text line reads as "Kelvo"; a missing colour line reads as 122, an empty
// or non-numeric one as 0. Colour components are not range-checked.
ConfigDefaults readConfigFile(const QString &path = configIniPath());

// The defaults of new projects when no settings file says otherwise: "Kelvo" as
// cartographer and map name, fill colour 122, 122, 122.
ConfigDefaults builtInConfigDefaults();

// Reads the five lines strictly, for a program that must not guess: lines 3 to 5
// must each be a whole number 0 to 255 (blanks around it allowed), else the text is
// not a settings file of this program and the result is false with an English
// reason. Empty text lines read as "Kelvo", as in readConfigFile. Creates nothing.
bool parseConfigText(const QByteArray &bytes, ConfigDefaults *defaults, QString *error);

// Writes the five lines, each ended by a line feed, creating the file's folder when it
// is missing. Returns false when the file cannot be written.
bool writeConfigFile(const QString &cartographer, const QString &mapName, const QColor &colour,
                     const QString &path = configIniPath());
