#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include "smf/wfl_tile.h"

// The files of a WFL folder, one level deep: when the folder has subfolders, the
// files of every subfolder and not the folder's own; otherwise the folder's own
// files. Hidden files and folders are not looked at. A sidecar is a file whose name
// ends in ".wfl" (any case); an image is a file whose extension the image library
// reads. Each sidecar is paired with the one image of its folder that has the same
// name before the extension; other files (a readme.txt, an .smf file) are ignored.
// Folders and files are taken in the order of their names compared as UTF-16 code
// units.
//
// Fills sidecars and images with paths (folder path joined with the file names),
// images[i] the image of sidecars[i]. Returns kWflOk; kWflReadError when the folder
// or a subfolder is missing or cannot be read; kWflInvalidTiles when a sidecar has no
// image or two. error names the folder or file, in English.
int listWflFiles(const QString &folder, QStringList *sidecars, QStringList *images, QString *error);

// The tiles of a WFL folder (listWflFiles), each with the level, part, column and row
// of its sidecar's name, sorted by level, part, column and row, each descending.
// Returns kWflOk (tiles may be empty), a failure of listWflFiles, or kWflInvalidTiles
// when a sidecar's name does not parse or two sidecars name the same level, part,
// column and row; error names the file(s), in English.
int scanWflFolder(const QString &folder, QVector<WflTile> *tiles, QString *error);
