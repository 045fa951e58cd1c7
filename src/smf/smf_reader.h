#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QVector>
#include <QtGlobal>

#include "project/map_project.h"
#include "smf/smf_format.h"

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

// The whole tile grid of one level of an SMF file as one image of
// tileColumns x tileWidth by tileRows x tileHeight pixels in 16-bit RGB 5-5-5.
struct SmfLevelImage
{
    SmfStatus status = SmfStatus::Ok;  // ReadError when a payload could not be read,
                                       // OutOfMemory, else InvalidTiles
    QImage image;                  // null on failure
    QVector<QPoint> damagedTiles;  // (column, row) of tiles drawn white: payload not a full tile
    QString errorString;           // why image is null
};

// Assembles level `level` of the file whose checked structure is index, reading the
// payloads from device. A tile whose payload does not inflate to exactly one raw tile
// stays white and is listed in damagedTiles. Fails (null image, error set) for a level
// out of range, a level without tiles, a grid far larger than its payloads could
// hold (a damaged file), a payload that cannot be read, or lack of memory. Allocates
// one level image and one raw tile per thread beyond a batch of payloads it reads;
// the payloads are inflated on the global thread pool.
SmfLevelImage assembleLevelImage(QIODevice &device, const SmfFileIndex &index, int level);

// The image of one level of an SMF file for an editing layer, in 16-bit RGB 5-5-5
// (see assembleLevelImage). The file's bytes come from fileBytes when given, else
// from the file at path. Damaged tiles stay white. Returns a null image when the file
// cannot be read, is damaged in its structure, or has no such level.
QImage readSmfLayerImage(const QString &path, const QByteArray *fileBytes, int level);

// The most pixels of the image a level was cut from for the level to open for
// editing: 10,000 x 10,000.
inline constexpr qint64 kMaxEditPixels = 100000000;

// Whether a level of tileColumns x tileRows tiles of tileWidth x tileHeight pixels
// opens for editing, where its whole tile grid is held as one image. The image it was
// cut from is counted, at its smallest (reaching one pixel into the last tile column
// and row), not the padding of its last tiles: it must have at most kMaxEditPixels
// pixels, so a level saved from any image within that limit opens again. The tile
// grid itself must stay within four times the limit, which every image at least one
// tile wide and high does. Counts are 32-bit values and sides at most 100,000 pixels,
// as readSmfStructure checks them; negative ones are not editable.
bool isEditableLevel(qint64 tileColumns, qint64 tileRows, qint64 tileWidth, qint64 tileHeight);

// Reads the SMF file at path into project, one layer per level, and binds the project
// to it; the project decodes those layers with readSmfLayerImage. An editing project
// (browseMode false) keeps the whole file in memory and refuses levels that are not
// isEditableLevel; a browse project keeps only the header, level records and tile
// index. Returns Ok; ReadError when the file cannot be read; InvalidFile
// when it is not an SMF file, is damaged (any count, offset or size inconsistent with
// the file) or has more levels than a layer can name (255); TooLarge for a level too
// large to edit; InvalidProject when the project holds too many SMF files. On
// failure the project is left as it was but for its errorString(), which says why.
SmfStatus openSmf(MapProject &project, const QString &path);
