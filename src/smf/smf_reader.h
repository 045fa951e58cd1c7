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
    int status = kSmfOk;           // an SmfStatus: kSmfReadError when a payload could not be
                                   // read, kSmfOutOfMemory, else kSmfInvalidTiles
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

// Reads the SMF file at path into project, one layer per level, and binds the project
// to it; the project decodes those layers with readSmfLayerImage. An editing project
// (browseMode false) keeps the whole file in memory and refuses levels of more than
// 100,000,000 pixels; a browse project keeps only the header, level records and tile
// index. Returns kSmfOk; kSmfReadError when the file cannot be read; kSmfInvalidFile
// when it is not an SMF file, is damaged (any count, offset or size inconsistent with
// the file) or has more levels than a layer can name (255); kSmfTooLarge for a level
// too large to edit; kSmfInvalidProject when the project holds too many SMF files. On
// failure the project is left as it was but for its errorString(), which says why.
int openSmf(MapProject &project, const QString &path);
