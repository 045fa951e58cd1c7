#pragma once

#include <QByteArray>
#include <QColor>
#include <QRgb>
#include <QSize>
#include <QString>
#include <QtGlobal>

#include "project/map_project.h"
#include "smf/smf_writer.h"
#include "smf/wfl_folder.h"

// The default output of a folder: its path with ".smf" appended, trailing "/"
// dropped, so "C:/maps/area" and "C:/maps/area/" both give "C:/maps/area.smf". A
// folder given as "." or ".." is named by its absolute path.
QString defaultWflOutputPath(const QString &folder);

// Converts a WFL folder (see scanWflFolder) into one SMF file: one level per level
// number, the highest number first, each tile image re-encoded as one SMF tile
// without scaling. The tile size is that of the first tile of SMF level 0; tiles of a
// level's last column or row may be narrower or shorter and are padded with
// fillColour (invalid: black). Level corners come from the sidecars of each level's
// first tile (top, left) and last tile (bottom, right).
//
// The file is written to a temporary file beside the output and takes its place only
// when complete: on any failure, cancellation included, the output path is left as it
// was (no file, or the older file intact). Tiles are decoded, encoded and compressed
// on the global thread pool, a bounded window of them at a time; the file does not
// depend on the number of threads.
class WflConverter
{
public:
    // outputPath: the file to write; empty means defaultWflOutputPath(folder).
    explicit WflConverter(const QString &folder, const QString &outputPath = QString());

    // Returns SmfStatus::Ok, or an SmfStatus with errorString() saying why nothing was
    // written. progress (may be nullptr): start(number of tiles),
    // setValue(tiles handled) and pumpEvents() once per tile, cancelled() checked once
    // per tile, finish() at the end.
    SmfStatus convert(const QString &cartographer, const QString &mapName, const QColor &fillColour,
                ProgressReporter *progress = nullptr);

    // The deflate level of the tiles, kMinDeflateLevel to kMaxDeflateLevel.
    void setDeflateLevel(int level) { m_level = level; }

    QString errorString() const { return m_errorString; }
    // The SMF file written, or that would have been.
    QString outputPath() const { return m_outputPath; }
    // Of the written file.
    qint32 levelCount() const { return m_levelCount; }
    qint32 tileCount() const { return m_tileCount; }
    QSize tileSize() const { return m_tileSize; }

private:
    SmfStatus fail(SmfStatus status, const QString &reason);
    // Lists and groups the folder's tiles and checks the output: the levels, highest
    // number first, and the number of tiles.
    SmfStatus planLevels(QVector<WflLevelGroup> *groups, qint64 *tileCount);

    QString m_folder;
    QString m_outputPath;
    QString m_errorString;
    qint32 m_levelCount = 0;
    qint32 m_tileCount = 0;
    QSize m_tileSize;
    int m_level = kDefaultDeflateLevel;
};

// The SMF payload of one tile image of a WFL folder. Tiles cut short at the map's
// edge are padded: an image narrower than tileSize that lies in its level's last
// column is filled on the right, one shorter that lies in the last row is filled at
// the bottom, both with fillColour (transparent pixels are drawn over it too).
//
// tileSize is the file's tile size in pixels; when it is empty, this image sets it
// (the first tile of SMF level 0), and it must be 1 to 100,000 pixels a side.
// budgetMB (MiB) bounds the memory the decoder may take for the image.
//
// Returns SmfStatus::Ok with payload filled; SmfStatus::ReadError when the file cannot be read;
// SmfStatus::InvalidTiles when it does not decode as an image, is larger than the tile
// size, or is short anywhere but the level's last column or row; SmfStatus::OutOfMemory
// when the tile cannot be encoded. error names the file.
// level is the deflate level.
SmfStatus makeWflTilePayload(const QString &imagePath, bool lastColumn, bool lastRow, QRgb fillColour,
                       qint32 budgetMB, int level, QSize *tileSize, QByteArray *payload, QString *error);
