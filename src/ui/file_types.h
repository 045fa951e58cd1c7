#pragma once

#include <QString>
#include <QStringList>

// The files the window takes, by their names: SMF files it opens, and images
// (georeferenced rasters among them) and OziExplorer .map files it adds as layers.
// The images are read by their content, so the names only choose what the file
// dialog lists and what a drop accepts.

// Whether path ends in ".smf" (any letter case).
bool isSmfPath(const QString &path);

// The suffixes, lower case and without the dot, of the files Add takes: the BMP,
// JPEG, PNG and TIFF names, every format the installed image plugins read, and "map".
QStringList layerFileSuffixes();

// Whether path ends in one of layerFileSuffixes() (any letter case).
bool isLayerFilePath(const QString &path);

// The filter of the Add dialog: all of layerFileSuffixes() first, then BMP, JPEG, PNG,
// TIFF, GeoTIFF (the same names, for those who look for it) and OziExplorer maps
// alone. Each pattern is given in lower and upper case, for file dialogs that match
// case-sensitively.
QString layerFileFilter();
