#pragma once

#include <QString>
#include <QVector>

#include "smf/wfl_tile.h"

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
// Returns kWflOk; kWflReadError when a part's corner sidecar cannot be read; or
// kWflInvalidTiles when a level mixes plain tiles and parts, a part has no tile in
// column 0, row 0, a corner sidecar is broken, two tiles fall on one place of the
// grid, or a place of the grid has no tile. error names the file(s), or the level,
// column and row of a missing tile, in English; groups is then unspecified.
int groupWflTiles(const QVector<WflTile> &tiles, QVector<WflLevelGroup> *groups, QString *error);
