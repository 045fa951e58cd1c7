#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

// One 288-byte level record of an SMF file (little-endian on disk). Geographic
// values are milliarcseconds, pixel values count from the level's top-left pixel.
// The 224 reserved bytes at the end are written as 0 and not kept when read.
struct SmfLevelRecord
{
    qint32 left = 0;            // longitude at pixel x = 0
    qint32 top = 0;             // latitude at pixel y = 0
    qint32 right = 0;           // longitude at pixel x = tileColumns x tileWidth
    qint32 bottom = 0;          // latitude at pixel y = tileRows x tileHeight
    qint32 tileColumns = 0;
    qint32 tileRows = 0;
    qint32 verticalScale = 0;   // milliarcseconds of latitude per pixel, truncated
    qint32 firstTile = 0;       // tile index position of the level's top-left tile
    qint32 topLeftLon = 0;
    qint32 topLeftLat = 0;
    qint32 topLeftX = 0;
    qint32 topLeftY = 0;
    qint32 bottomRightLon = 0;
    qint32 bottomRightLat = 0;
    qint32 bottomRightX = 0;    // 0 (or bottomRightY 0): no calibration points stored
    qint32 bottomRightY = 0;

    // The 288 bytes of the record.
    QByteArray toBytes() const;

    // Reads a record from the first 288 bytes of bytes. Returns false, leaving record
    // untouched, when fewer than 288 bytes are given.
    static bool fromBytes(QByteArrayView bytes, SmfLevelRecord *record);

    bool operator==(const SmfLevelRecord &other) const;
    bool operator!=(const SmfLevelRecord &other) const { return !(*this == other); }
};
