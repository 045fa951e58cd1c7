#pragma once

#include <QColor>
#include <QString>

// The map properties that convert and wfl take from the command line: the texts
// of the file's header and the colour that pads tiles beyond the image.
struct MapPropertiesOptions
{
    QString cartographer;
    QString mapName;
    QColor fill;

    // The defaults of new projects from "./config.ini", as the window reads them.
    static MapPropertiesOptions fromConfig();

    // Whether option is --name, --cartographer or --fill.
    static bool isOption(const QString &option);

    // Applies one of those options with its value. Returns false after printing
    // why (prefixed by command) when the value is not valid.
    bool apply(const QString &command, const QString &option, const QString &value);
};
