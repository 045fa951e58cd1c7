#pragma once

#include <QString>
#include <QVector>
#include <QtGlobal>

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
