#pragma once

#include <QIODevice>
#include <QString>
#include <QVector>
#include <QtGlobal>

#include "smf/smf_header.h"
#include "smf/smf_level_record.h"
#include "smf/smf_tile_index_entry.h"

// The structure of an SMF file: header, level records and tile index, checked against
// the file so that every count, offset and size in it can be used without further
// checks. Payloads are not read.
struct SmfFileIndex
{
    qint64 fileSize = 0;  // bytes
    SmfHeader header;
    QVector<SmfLevelRecord> levels;    // header.levelCount records
    QVector<SmfTileIndexEntry> tiles;  // header.tileCount entries

    // Raw bytes of one tile of this file: rawTileSize(header.tileWidth, header.tileHeight).
    qint64 rawTileBytes() const;

    // The index entry of tile (column, row) of a level; both must be inside the
    // level's grid.
    const SmfTileIndexEntry &tile(int level, int column, int row) const;
};

// Reads and checks the structure of an SMF file from a readable, seekable device
// (a file, or a QBuffer over the file's bytes), reading from offset 0. Checks: the
// magic number, counts that are not negative, header, records and index inside the
// file, tile size in 1..100,000 pixels whenever a level has tiles, every level's tile
// range inside the index and its pixel size inside 32 bits, and every index entry
// pointing at bytes after the index and inside the file. Allocates no more than the
// file's size. Returns true and fills index, or returns false with an English reason
// in error (index then unspecified). The version is not checked.
bool readSmfStructure(QIODevice &device, SmfFileIndex *index, QString *error);
