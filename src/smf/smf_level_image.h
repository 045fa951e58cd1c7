#pragma once

#include <QIODevice>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QVector>

#include "smf/smf_file_index.h"

// The whole tile grid of one level of an SMF file as one image of
// tileColumns x tileWidth by tileRows x tileHeight pixels in 16-bit RGB 5-5-5.
struct SmfLevelImage
{
    QImage image;                // null on failure
    QVector<QPoint> damagedTiles;  // (column, row) of tiles drawn white: payload not a full tile
    QString error;               // why image is null, in English
    bool readFailed = false;     // the failure was a payload the device could not read
};

// Assembles level `level` of the file whose checked structure is index, reading the
// payloads from device. A tile whose payload does not inflate to exactly one raw tile
// stays white and is listed in damagedTiles. Fails (null image, error set) for a level
// out of range, a level without tiles, a grid far larger than its payloads could
// hold (a damaged file), a payload that cannot be read, or lack of memory. Allocates
// one level image and one raw tile per thread beyond a batch of payloads it reads;
// the payloads are inflated on the global thread pool.
SmfLevelImage assembleLevelImage(QIODevice &device, const SmfFileIndex &index, int level);
