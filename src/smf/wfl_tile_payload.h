#pragma once

#include <QByteArray>
#include <QRgb>
#include <QSize>
#include <QString>
#include <QtGlobal>

// The SMF payload of one tile image of a WFL folder. Tiles cut short at the map's
// edge are padded: an image narrower than tileSize that lies in its level's last
// column is filled on the right, one shorter that lies in the last row is filled at
// the bottom, both with fillColour (transparent pixels are drawn over it too).
//
// tileSize is the file's tile size in pixels; when it is empty, this image sets it
// (the first tile of SMF level 0), and it must be 1 to 100,000 pixels a side.
// budgetMB (MiB) bounds the memory the decoder may take for the image.
//
// Returns kWflOk with payload filled; kWflReadError when the file cannot be read;
// kWflInvalidTiles when it does not decode as an image, is larger than the tile
// size, or is short anywhere but the level's last column or row; kWflOutOfMemory
// when the tile cannot be encoded. error names the file, in English.
int makeWflTilePayload(const QString &imagePath, bool lastColumn, bool lastRow, QRgb fillColour,
                       qint32 budgetMB, QSize *tileSize, QByteArray *payload, QString *error);
