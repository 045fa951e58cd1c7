#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <QtGlobal>

#include "smf/smf_format.h"

// One tile of a WFL folder: an image file and the text sidecar (".wfl") beside it
// that states the tile's edges.
struct WflTile
{
    QString sidecarPath;
    QString imagePath;
    qint32 level = -1;
    qint32 part = -1;           // -1 for a plain tile, else the number of its part
    qint32 column = -1;         // column and row within the tile's part (or level)
    qint32 row = -1;
    qint32 partLongitude = 0;   // milliarcseconds: left edge of the part (0 for plain tiles)
    qint32 partLatitude = 0;    // milliarcseconds: top edge of the part (0 for plain tiles)
    qint32 gridColumn = -1;     // place in the level's grid of tiles, once grouped
    qint32 gridRow = -1;
};

// The tiles of one level number, in tile index order (row by row from the top,
// west to east within a row), and the size of its grid.
struct WflLevelGroup
{
    qint32 level = -1;
    QVector<WflTile> tiles;     // tileColumns x tileRows tiles
    qint32 tileColumns = 0;
    qint32 tileRows = 0;
};

// Reads level, part, column and row from the file name of a sidecar (the folders of
// the path are not looked at). The name ends, before its extension, in
// LEVEL_COLUMNxROW (a plain tile, "15_1234x567.wfl", "OpenStreetMap 15_0x0.wfl") or
// LEVEL (PART)_COLUMNxROW (a tile of a numbered part, "15 (2)_3x4.wfl"); the level is
// the whole run of digits in front of "_" or " (". Each number has at most 9 digits.
// Returns the level, storing part (-1 for a plain tile), column and row; returns -1
// with all three -1 when the name does not parse.
qint32 parseWflTileName(const QString &sidecarPath, qint32 *part, qint32 *column, qint32 *row);

// The edges of one tile as its sidecar states them, milliarcseconds (degrees times
// 3,600,000 truncated toward zero). The sidecar is text, one number per line, with
// line 5 the top latitude, 6 the left longitude, 7 the bottom latitude and 8 the
// right longitude in degrees; lines 1 to 4 are not used. Numbers are read in the C
// locale, with or without an exponent ("9.441375732421875E-4", "-0.0"); LF, CR LF
// and CR line ends are all accepted.
struct WflSidecarEdges
{
    qint32 top = 0;
    qint32 left = 0;
    qint32 bottom = 0;
    qint32 right = 0;
};

// Reads the edges of the sidecar at path. Returns SmfStatus::Ok, SmfStatus::ReadError when the file
// cannot be read, or SmfStatus::InvalidTiles when one of lines 5 to 8 is missing, is not a
// finite number, or lies beyond 90 degrees of latitude or 180 of longitude; error
// then names the file and the line.
SmfStatus readWflSidecar(const QString &path, WflSidecarEdges *edges, QString *error);

// The top-left corner of the tile of the sidecar at path: its left longitude (line 6)
// and top latitude (line 5), milliarcseconds. Same checks and results as
// readWflSidecar.
SmfStatus readWflPartCorner(const QString &path, qint32 *longitude, qint32 *latitude, QString *error);

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
// images[i] the image of sidecars[i]. Returns SmfStatus::Ok; SmfStatus::ReadError when the folder
// or a subfolder is missing or cannot be read, or a sidecar or its image is not a
// regular file (a pipe, a device, a socket, a dangling link); SmfStatus::InvalidTiles when a
// sidecar has no image or two. error names the folder or file.
SmfStatus listWflFiles(const QString &folder, QStringList *sidecars, QStringList *images, QString *error);

// The tiles of a WFL folder (listWflFiles), each with the level, part, column and row
// of its sidecar's name, sorted by level, part, column and row, each descending.
// Returns SmfStatus::Ok (tiles may be empty), a failure of listWflFiles, or SmfStatus::InvalidTiles
// when a sidecar's name does not parse or two sidecars name the same level, part,
// column and row; error names the file(s).
SmfStatus scanWflFolder(const QString &folder, QVector<WflTile> *tiles, QString *error);

// Groups the tiles of a WFL folder into one WflLevelGroup per level number, the
// highest level first (it becomes SMF level 0), and places every tile in its
// level's grid (WflTile::gridColumn and gridRow); each group's tiles are in tile
// index order, row by row from the top and west to east within a row.
//
// A level of plain tiles takes their column and row as they are: its grid is the
// highest column + 1 by the highest row + 1. A level of numbered parts reads each
// part's top-left corner from the sidecar of its tile in column 0, row 0 (part
// longitude and latitude): parts of equal latitude form a band of rows, bands run
// north to south, and within a band the parts lie west to east by longitude. The
// grid's columns are summed over the distinct part longitudes and its rows over the
// distinct part latitudes, each taking the widest (tallest) part there.
//
// Returns SmfStatus::Ok; SmfStatus::ReadError when a part's corner sidecar cannot be read; or
// SmfStatus::InvalidTiles when a level mixes plain tiles and parts, a part has no tile in
// column 0, row 0, a corner sidecar is broken, two tiles fall on one place of the
// grid, or a place of the grid has no tile. error names the file(s), or the level,
// column and row of a missing tile; groups is then unspecified.
SmfStatus groupWflTiles(const QVector<WflTile> &tiles, QVector<WflLevelGroup> *groups, QString *error);
