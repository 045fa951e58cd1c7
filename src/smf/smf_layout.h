#pragma once

#include <QtGlobal>

struct SmfLevelRecord;

// Sizes and offsets of an SMF file. The file is the header, L level records, T tile
// index entries, then the tile payloads back to back in index order.
inline constexpr quint16 kSmfMagic = 0x172A;
inline constexpr quint16 kSmfVersion = 2;
inline constexpr int kSmfHeaderSize = 148;
inline constexpr int kSmfLevelRecordSize = 288;
inline constexpr int kSmfTileIndexEntrySize = 8;
inline constexpr int kSmfTextFieldUnits = 32;  // UTF-16 code units in a 64-byte text field

// File offset of level record k: 148 + 288 k.
qint64 levelRecordOffset(qint64 level);

// File offset of the first tile index entry: 148 + 288 L.
qint64 tileIndexOffset(qint64 levelCount);

// File offset of the first payload: 148 + 288 L + 8 T.
qint64 tileDataOffset(qint64 levelCount, qint64 tileCount);

// Position in the tile index of tile (column, row) of a level:
// firstTile + row x tileColumns + column. Its entry lies at
// tileIndexOffset(L) + 8 x position.
qint64 tileIndexPosition(const SmfLevelRecord &record, qint64 column, qint64 row);

// Bytes per stored pixel row of a tile: 2 x tileWidth rounded up to a multiple of 4.
qint64 tileRowStride(qint64 tileWidth);

// Bytes of one uncompressed tile: row stride x tileHeight.
qint64 rawTileSize(qint64 tileWidth, qint64 tileHeight);
