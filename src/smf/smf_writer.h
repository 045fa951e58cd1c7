#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <QVector>

#include <functional>

#include "project/map_project.h"
#include "smf/smf_format.h"

// Writes an SMF file front to back without holding its payloads: the header, level
// records and tile index go out as zero placeholders, the payloads follow one by one
// in index order, and finish() writes the header, records and index over the
// placeholders and puts the file in place. Nothing appears at the path before
// finish() succeeds; a writer destroyed unfinished leaves the path as it was.
// Every method returns Ok, or a failure with errorString() saying why; after a
// failure the writer is done and the path untouched.
class SmfStreamWriter
{
public:
    // maxFileSize: the largest file accepted, in bytes; smaller values serve tests.
    explicit SmfStreamWriter(const QString &path, qint64 maxFileSize = 2147483647);

    // Opens the temporary file and writes placeholders for levelCount records and
    // tileCount index entries. TooLarge when the layout alone passes maxFileSize,
    // OutputIsInput when the path is a folder, a device, a pipe or a socket (nothing is
    // created then).
    SmfStatus begin(qint64 levelCount, qint64 tileCount);

    // Appends the payload of the next tile in index order. TooLarge when the file would
    // pass maxFileSize or more payloads come than begin() announced.
    SmfStatus appendPayload(const QByteArray &payload);

    // Writes header (its levelCount and tileCount set from begin()), the records and
    // the index, and commits. InvalidProject unless exactly tileCount payloads and
    // levelCount records came.
    SmfStatus finish(SmfHeader header, const QVector<SmfLevelRecord> &records);

    QString errorString() const { return m_errorString; }

    // The largest file this writer accepts, bytes: at most 2,147,483,647.
    qint64 maxFileSize() const { return m_maxFileSize; }

private:
    SmfStatus fail(SmfStatus status, const QString &reason);
    SmfStatus writeFailure();
    bool put(const QByteArray &bytes);

    QSaveFile m_file;
    qint64 m_maxFileSize;
    QString m_errorString;
    QVector<SmfTileIndexEntry> m_index;
    qint64 m_levelCount = 0;
    qint64 m_tileCount = 0;
    qint64 m_offset = 0;  // file offset of the next payload
};

// The level record of a layer cut into tileColumns x tileRows tiles of
// tileWidth x tileHeight pixels: the layer's two calibration points, its scale
// truncated toward zero, and the extent of the whole tile grid. The extent is
// extended from the calibration points to the grid's edges with a whole number of
// milliarcseconds per pixel (the step truncated toward zero), in 64-bit arithmetic;
// an edge stays at the point's own value when the point lies on or beyond it.
// firstTile is left 0. The layer's scale must be current.
// Returns false, with an English reason, when the bottom-right pixel is not right
// of and below the top-left pixel (no step can be formed), the scale is not a
// 32-bit value, or an edge of the extent falls outside the 32-bit range.
bool buildLevelRecord(const MapLayer &layer, int tileColumns, int tileRows, int tileWidth, int tileHeight,
                      SmfLevelRecord *record, QString *reason);

class ImageRowReader;

// How tileByStrips cuts and compresses: tile size in pixels, the colour of tiles
// beyond the image and under its transparent pixels, and the deflate level.
struct StripTiling
{
    int tileWidth = 0;
    int tileHeight = 0;
    QRgb fill = 0;
    int level = kDefaultDeflateLevel;
};

// Tiles an image from its rows: each strip of one tile row is decoded and encoded on
// this thread while the tiles of the strip before compress on the global thread pool,
// and is dropped once its tiles are done, so at most two strips are held whatever the
// image's height; a reader that decodes on the pool itself (a warp) is read while no
// tile compresses, and one strip is held. Hands each payload to take(k, payload) on
// this thread in index order (row by row from the top, each row from the left); the
// bytes do not depend on the number of threads, nor on whether rows come from a file
// or from memory.
// Returns Ok, the first failure take returns, OutOfMemory, or ReadError / ImageError
// when the rows cannot be read or are damaged; *error then says why (the decoder's
// words for damage).
SmfStatus tileByStrips(ImageRowReader &rows, const StripTiling &tiling,
                       const std::function<SmfStatus(qint64, const QByteArray &)> &take, QString *error);

// Tiles every layer of project (one level each, in project order, each layer's scale
// worked out again first) and writes the SMF file at project.filePath. The file is
// laid out before any tile is cut; each layer's image is decoded when its turn comes,
// its tiles are cut, encoded and compressed on the thread pool and written in index
// order. A layer whose image is not in memory and is used at its own size is read
// from its file strip by strip (tileByStrips), never whole, when its format has a row
// decoder (PNG, JPEG); level is the tiles' deflate level. The file is replaced only
// once every byte was written; on failure the previous file is untouched and the
// change flags stay set. Returns Ok or the failure: a damaged image gives ImageError,
// a file that cannot be read ReadError; project.errorString() then says why, naming
// the image, and project.errorLayer is the index of the layer the
// failure concerns (-1 when it concerns none), which the caller names in its own way.
// Progress runs from 0 to layers x 10.
SmfStatus saveSmf(MapProject &project, ProgressReporter *progress = nullptr, int level = kDefaultDeflateLevel);
