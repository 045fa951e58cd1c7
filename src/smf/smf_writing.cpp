// MapProject::saveSmf and writeSmf: the save pipeline and the file writer.

#include "project/map_project.h"

#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>

#include <limits>

#include "project/file_access.h"
#include "smf/level_record_builder.h"
#include "smf/ordered_tile_queue.h"
#include "smf/smf_header.h"
#include "smf/smf_layout.h"
#include "smf/smf_save_status.h"
#include "smf/smf_stream_writer.h"
#include "smf/smf_tile_index_entry.h"
#include "smf/tile_cutting.h"

namespace {

// Whole tiles needed for length pixels.
qint64 tilesFor(qint64 length, qint64 tileLength)
{
    return (length + tileLength - 1) / tileLength;
}

// The size of a layer's image, read from the file's header when the image is not in
// memory and the file is used at its own size; otherwise the image is decoded (and
// may be dropped again by the memory budget before its turn comes).
QSize plannedImageSize(MapProject &project, int index)
{
    const MapLayer *layer = project.layers.at(index);
    if (layer->loaded)
        return layer->image.size();
    if (!layer->fromSmf && layer->zoom == 1.0) {
        const QSize size = QImageReader(layer->sourcePath).size();
        if (size.isValid())
            return size;
    }
    return project.layerImage(index)->size();
}

// Of the ten units of a layer's progress, those its decode takes when the save has
// to decode the image; the tiles take the rest.
constexpr double kDecodeShare = 2.0;

// Reports an image decode, 0 to 1, as part of the save's progress: from base over span units.
struct DecodeProgress : ProgressReporter {
    DecodeProgress(ProgressReporter *save, double base, double span) : save(save), base(base), span(span) {}
    void setValue(int value) override { setFineValue(value); }
    void setFineValue(double fraction) override { save->setFineValue(base + fraction * span); }
    void pumpEvents() override { save->pumpEvents(); }
    bool cancelled() const override { return save->cancelled(); }

    ProgressReporter *save;
    double base;
    double span;
};

}  // namespace

namespace {

// The save pipeline. The tile grid of every level follows from the image sizes, so
// the file is laid out before any tile is cut; each layer's image is then decoded
// when its turn comes, its tiles are cut, encoded and compressed on the thread pool,
// and the payloads are written in index order as they finish. Only a bounded window
// of compressed tiles is held at any time.
// Returns 0 or a negative SmfSaveStatus with *error saying why.
int streamLevels(MapProject &project, ProgressReporter *progress, QString *error)
{
    const auto fail = [error](int status, const QString &reason) {
        *error = reason;
        return status;
    };
    if (project.filePath.isEmpty())
        return fail(kSmfSaveInvalidProject, QStringLiteral("the project has no file path"));
    const int tileWidth = project.tileWidth;
    const int tileHeight = project.tileHeight;
    const int count = int(project.layers.size());
    if (count > 0 && (tileWidth <= 0 || tileHeight <= 0)) {
        return fail(kSmfSaveInvalidProject,
                    QStringLiteral("the tile size %1 x %2 is not positive").arg(tileWidth).arg(tileHeight));
    }

    QVector<QSize> grids(count);
    qint64 tileCount = 0;
    for (int i = 0; i < count; ++i) {
        const QSize size = plannedImageSize(project, i);
        if (size.isEmpty()) {
            return fail(kSmfSaveImageError, QStringLiteral("layer %1: the image %2 cannot be read")
                                                .arg(i).arg(QFileInfo(project.layers.at(i)->sourcePath).fileName()));
        }
        grids[i] = QSize(int(tilesFor(size.width(), tileWidth)), int(tilesFor(size.height(), tileHeight)));
        tileCount += qint64(grids[i].width()) * grids[i].height();
    }

    SmfStreamWriter writer(project.filePath);
    int status = writer.begin(count, tileCount);
    if (status != kSmfSaveOk)
        return fail(status, writer.errorString());

    const QRgb fill = project.fillColour.rgb();
    QVector<SmfLevelRecord> records(count);
    qint64 firstTile = 0;
    for (int i = 0; i < count; ++i) {
        progress->setValue(i * 10);
        progress->pumpEvents();
        if (progress->cancelled())
            return fail(kSmfSaveCancelled, QStringLiteral("the save was cancelled"));
        MapLayer *layer = project.layers.at(i);
        // A shared copy: the tiles are cut from it even if the budget drops the layer's
        // image. An image decoded only for this save leaves memory after its tiles, so a
        // save holds one decoded image at a time whatever the number of layers.
        bool decodedHere = false;
        DecodeProgress decodeProgress(progress, i * 10, kDecodeShare);
        const QImage image = *project.layerImage(i, &decodeProgress, &decodedHere);
        const double tilesStart = decodedHere ? i * 10 + kDecodeShare : i * 10;
        if (image.isNull()) {
            return fail(kSmfSaveImageError, QStringLiteral("layer %1: the image %2 cannot be read")
                                                .arg(i).arg(QFileInfo(layer->sourcePath).fileName()));
        }
        const int columns = int(tilesFor(image.width(), tileWidth));
        const int rows = int(tilesFor(image.height(), tileHeight));
        if (QSize(columns, rows) != grids.at(i)) {
            return fail(kSmfSaveImageError, QStringLiteral("layer %1: the image %2 changed its size while saving")
                                                .arg(i).arg(QFileInfo(layer->sourcePath).fileName()));
        }
        layer->updateScales();
        QString reason;
        if (!buildLevelRecord(*layer, columns, rows, tileWidth, tileHeight, &records[i], &reason))
            return fail(kSmfSaveCalibrationError, QStringLiteral("layer %1: %2").arg(i).arg(reason));
        records[i].firstTile = qint32(firstTile);
        firstTile += qint64(columns) * rows;

        // Tiles in index order: row by row from the top, each row from the left.
        OrderedTileQueue queue;
        const qint64 tiles = qint64(columns) * rows;
        qint64 next = 0;
        for (qint64 done = 0; done < tiles; ++done) {
            for (; next < tiles && !queue.isFull(); ++next) {
                const QRect rect(int(next % columns) * tileWidth, int(next / columns) * tileHeight, tileWidth,
                                 tileHeight);
                queue.submit([image, rect, fill]() { return cutTile(image, rect, fill); });
            }
            const QByteArray payload = queue.takeNext();
            if (done + 1 < tiles)
                progress->setFineValue(tilesStart + (i * 10 + 10 - tilesStart) * double(done + 1) / double(tiles));
            progress->pumpEvents();
            if (payload.isEmpty())
                return fail(kSmfSaveOutOfMemory, QStringLiteral("not enough memory to encode a tile"));
            status = writer.appendPayload(payload);
            if (status != kSmfSaveOk)
                return fail(status, writer.errorString());
            if (progress->cancelled())
                return fail(kSmfSaveCancelled, QStringLiteral("the save was cancelled"));
        }
        if (decodedHere || project.saveReleasesImages)
            project.releaseImage(i);
    }

    SmfHeader header;
    header.cartographer = project.cartographer;
    header.mapName = project.mapName;
    header.tileWidth = tileWidth;
    header.tileHeight = tileHeight;
    status = writer.finish(header, records);
    if (status != kSmfSaveOk)
        return fail(status, writer.errorString());
    return kSmfSaveOk;
}

}  // namespace

int MapProject::failSave(int status, const QString &reason)
{
    m_errorString = reason;
    return status;
}

int MapProject::saveSmf(ProgressReporter *progress)
{
    ProgressReporter silent;
    if (!progress)
        progress = &silent;
    m_errorString.clear();
    discardLevels();

    const int count = int(layers.size());
    progress->start(count * 10);
    QString reason;
    const int status = streamLevels(*this, progress, &reason);
    if (status != kSmfSaveOk) {
        progress->finish();
        return failSave(status, reason);
    }
    progress->setValue(count * 10);
    progress->finish();
    changeFlags = 0;
    return kSmfSaveOk;
}

int MapProject::writeSmf()
{
    const int status = writeLevels();
    discardLevels();
    return status;
}

int MapProject::writeLevels()
{
    if (filePath.isEmpty())
        return failSave(kSmfSaveInvalidProject, QStringLiteral("the project has no file path"));
    if (levelTiles.size() != levelRecords.size())
        return failSave(kSmfSaveInvalidProject, QStringLiteral("the levels are incomplete"));

    // Lay the file out first: nothing is written for a file that cannot be described
    // in the 32-bit offsets of the format.
    const qint64 maxSize = std::numeric_limits<qint32>::max();
    qint64 tileCount = 0;
    for (int k = 0; k < levelRecords.size(); ++k) {
        levelRecords[k].firstTile = qint32(qMin(tileCount, maxSize));
        tileCount += levelTiles.at(k).size();
    }
    qint64 end = tileDataOffset(levelRecords.size(), tileCount);
    QByteArray index;
    for (const QVector<SmfTileBlob> &tiles : std::as_const(levelTiles)) {
        for (const SmfTileBlob &blob : tiles) {
            if (end > maxSize)
                break;
            index += SmfTileIndexEntry{quint32(end), quint32(blob.size())}.toBytes();
            end += blob.size();
        }
    }
    if (end > maxSize) {
        return failSave(kSmfSaveTooLarge, QStringLiteral("the file would be larger than 2,147,483,647 bytes, "
                                                         "the most an SMF file can describe"));
    }

    SmfHeader header;
    header.cartographer = cartographer;
    header.mapName = mapName;
    header.levelCount = qint32(levelRecords.size());
    header.tileCount = qint32(tileCount);
    header.tileWidth = tileWidth;
    header.tileHeight = tileHeight;

    // The target is replaced only by commit(), after every byte reached the disk.
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failSave(kSmfSaveWriteError, QStringLiteral("cannot create %1: %2").arg(filePath, file.errorString()));
    const auto put = [&file](const QByteArray &bytes) { return writeAll(file, bytes); };
    bool written = put(header.toBytes());
    for (const SmfLevelRecord &record : std::as_const(levelRecords))
        written = written && put(record.toBytes());
    written = written && put(index);
    for (const QVector<SmfTileBlob> &tiles : std::as_const(levelTiles)) {
        for (const SmfTileBlob &blob : tiles)
            written = written && put(blob);
    }
    if (!written || !file.commit())
        return failSave(kSmfSaveWriteError, QStringLiteral("cannot write %1: %2").arg(filePath, file.errorString()));
    return kSmfSaveOk;
}
