#pragma once

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QImage>
#include <QVector>

#include <functional>

#include "smf/smf_format.h"

// Builds the bytes of an SMF file with the given level records (tileColumns and
// tileRows set; firstTile is filled in) in which every tile is one flat colour, so
// that a reader's tile arithmetic can be checked by colour. extraRawBytes makes every
// payload inflate past its tile; with storeOnce, tiles of one colour point at the same
// bytes, as a damaged file's entries may.
inline QByteArray buildSmfFile(int tileWidth, int tileHeight, QVector<SmfLevelRecord> records,
                               const std::function<QRgb(int level, int column, int row)> &colour,
                               int extraRawBytes = 0, bool storeOnce = false)
{
    SmfHeader header{kSmfMagic, kSmfVersion, QStringLiteral("Tester"), QStringLiteral("Built"), int(records.size()), 0,
                     tileWidth, tileHeight};
    int first = 0;
    for (SmfLevelRecord &record : records) {
        record.firstTile = first;
        first += record.tileColumns * record.tileRows;
    }
    header.tileCount = first;

    QByteArray out = header.toBytes();
    for (const SmfLevelRecord &record : records)
        out += record.toBytes();
    QByteArray index;
    QByteArray payloads;
    QHash<QRgb, QByteArray> byColour;
    QHash<QRgb, quint32> storedAt;
    const qint64 dataStart = tileDataOffset(header.levelCount, header.tileCount);
    for (int level = 0; level < records.size(); ++level) {
        for (int row = 0; row < records[level].tileRows; ++row) {
            for (int column = 0; column < records[level].tileColumns; ++column) {
                const QRgb rgb = colour(level, column, row);
                if (!byColour.contains(rgb)) {
                    QImage tile(tileWidth, tileHeight, QImage::Format_RGB32);
                    tile.fill(rgb);
                    byColour.insert(rgb, compressTile(encodeTilePixels(tile) + QByteArray(extraRawBytes, '\0')));
                }
                const QByteArray &payload = byColour[rgb];
                if (!storeOnce || !storedAt.contains(rgb)) {
                    storedAt.insert(rgb, quint32(dataStart + payloads.size()));
                    payloads += payload;
                }
                index += SmfTileIndexEntry{storedAt[rgb], quint32(payload.size())}.toBytes();
            }
        }
    }
    return out + index + payloads;
}

// A record of columns x rows tiles with calibration points stored.
inline SmfLevelRecord gridRecord(int columns, int rows)
{
    SmfLevelRecord record;
    record.tileColumns = columns;
    record.tileRows = rows;
    record.left = record.topLeftLon = 36000000;
    record.top = record.topLeftLat = 165600000;
    record.right = record.bottomRightLon = 39600000;
    record.bottom = record.bottomRightLat = 162000000;
    record.bottomRightX = 100;
    record.bottomRightY = 80;
    return record;
}

// Colour of a tile that encodes its position (5-bit exact).
inline QRgb positionColour(int level, int column, int row)
{
    return qRgb((column * 8) & 0xF8, (row * 8) & 0xF8, (level * 64) & 0xF8);
}
