// Writing SMF files: the streaming writer, the level records and the project save.

#include "smf/smf_writer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>

#include <cmath>
#include <memory>
#include <new>
#include <limits>

#include "raster/file_access.h"
#include "raster/image_file.h"
#include "raster/image_rows.h"

namespace {

constexpr qint64 kChunkBytes = 65536;

QString tooLargeReason(qint64 maxFileSize)
{
    return QCoreApplication::translate("SmfFile", "the file would be larger than %1 bytes, the most an SMF file can "
                                                  "describe")
        .arg(QLocale(QLocale::English).toString(maxFileSize));
}

}  // namespace

SmfStreamWriter::SmfStreamWriter(const QString &path, qint64 maxFileSize)
    : m_file(path), m_maxFileSize(qMin<qint64>(maxFileSize, std::numeric_limits<qint32>::max()))
{
}

int SmfStreamWriter::fail(int status, const QString &reason)
{
    m_errorString = reason;
    if (m_file.isOpen())
        m_file.cancelWriting();
    return status;
}

int SmfStreamWriter::writeFailure()
{
    return fail(kSmfWriteError, QCoreApplication::translate("SmfFile", "cannot write %1: %2")
                                    .arg(m_file.fileName(), m_file.errorString()));
}

bool SmfStreamWriter::put(const QByteArray &bytes)
{
    return writeAll(m_file, bytes);
}

int SmfStreamWriter::begin(qint64 levelCount, qint64 tileCount)
{
    m_levelCount = levelCount;
    m_tileCount = tileCount;
    m_offset = tileDataOffset(levelCount, tileCount);
    if (levelCount > m_maxFileSize || tileCount > m_maxFileSize || m_offset > m_maxFileSize)
        return fail(kSmfTooLarge, tooLargeReason(m_maxFileSize));
    // A folder, a device, a pipe or a socket is never replaced by the finished file.
    const QString refusal = outputRefusal(m_file.fileName(), {});
    if (!refusal.isEmpty())
        return fail(kSmfOutputIsInput, refusal);
    // Unbuffered: a failed write reports its reason at once, with the system's words.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return fail(kSmfWriteError, QCoreApplication::translate("SmfFile", "cannot create %1: %2")
                                        .arg(m_file.fileName(), m_file.errorString()));
    }
    m_index.reserve(tileCount);
    const QByteArray zeros(kChunkBytes, '\0');
    for (qint64 left = m_offset; left > 0; left -= kChunkBytes) {
        const qint64 length = qMin(left, kChunkBytes);
        if (!writeAll(m_file, zeros.constData(), length))
            return writeFailure();
    }
    return kSmfOk;
}

int SmfStreamWriter::appendPayload(const QByteArray &payload)
{
    if (m_index.size() >= m_tileCount || m_offset + payload.size() > m_maxFileSize)
        return fail(kSmfTooLarge, tooLargeReason(m_maxFileSize));
    if (!put(payload))
        return writeFailure();
    m_index.append(SmfTileIndexEntry{quint32(m_offset), quint32(payload.size())});
    m_offset += payload.size();
    return kSmfOk;
}

int SmfStreamWriter::finish(SmfHeader header, const QVector<SmfLevelRecord> &records)
{
    if (m_index.size() != m_tileCount || records.size() != m_levelCount)
        return fail(kSmfInvalidProject, QCoreApplication::translate("SmfFile", "the levels are incomplete"));
    header.levelCount = qint32(m_levelCount);
    header.tileCount = qint32(m_tileCount);
    if (!m_file.seek(0) || !put(header.toBytes()))
        return writeFailure();
    QByteArray chunk;
    for (const SmfLevelRecord &record : records)
        chunk += record.toBytes();
    for (const SmfTileIndexEntry &entry : std::as_const(m_index)) {
        chunk += entry.toBytes();
        if (chunk.size() >= kChunkBytes) {
            if (!put(chunk))
                return writeFailure();
            chunk.clear();
        }
    }
    if (!put(chunk) || !m_file.commit())
        return writeFailure();
    return kSmfOk;
}

namespace {

// base + pixels x step as a 32-bit value; false when it leaves the 32-bit range (the
// 64-bit product itself cannot overflow unnoticed).
bool edgeValue(qint64 base, qint64 pixels, qint64 step, qint64 *edge)
{
    qint64 product = 0;
    if (__builtin_mul_overflow(pixels, step, &product) || __builtin_add_overflow(base, product, edge))
        return false;
    return *edge >= std::numeric_limits<qint32>::min() && *edge <= std::numeric_limits<qint32>::max();
}

}  // namespace

bool buildLevelRecord(const MapLayer &layer, int tileColumns, int tileRows, int tileWidth, int tileHeight,
                      SmfLevelRecord *record, QString *reason)
{
    const CalibrationPoint &tl = layer.topLeft;
    const CalibrationPoint &br = layer.bottomRight;
    const qint64 spanX = qint64(br.pixelX) - tl.pixelX;
    const qint64 spanY = qint64(br.pixelY) - tl.pixelY;
    if (spanX <= 0 || spanY <= 0) {
        *reason = QCoreApplication::translate("SmfFile", "the bottom-right pixel (%1, %2) is not right of and below "
                                                         "the top-left pixel (%3, %4)")
                      .arg(br.pixelX).arg(br.pixelY).arg(tl.pixelX).arg(tl.pixelY);
        return false;
    }
    if (!(std::fabs(layer.scale) < double(std::numeric_limits<qint32>::max()) + 1.0)) {
        *reason = QCoreApplication::translate("SmfFile", "the scale is not a 32-bit number");
        return false;
    }

    SmfLevelRecord r;
    r.tileColumns = tileColumns;
    r.tileRows = tileRows;
    r.verticalScale = qint32(layer.scale);
    r.topLeftLon = tl.lon;
    r.topLeftLat = tl.lat;
    r.topLeftX = tl.pixelX;
    r.topLeftY = tl.pixelY;
    r.bottomRightLon = br.lon;
    r.bottomRightLat = br.lat;
    r.bottomRightX = br.pixelX;
    r.bottomRightY = br.pixelY;

    const qint64 width = qint64(tileColumns) * tileWidth;
    const qint64 height = qint64(tileRows) * tileHeight;
    const qint64 stepX = (qint64(br.lon) - tl.lon) / spanX;
    const qint64 stepY = (qint64(br.lat) - tl.lat) / spanY;
    qint64 left = tl.lon;
    qint64 right = br.lon;
    qint64 top = tl.lat;
    qint64 bottom = br.lat;
    const bool inRange = (tl.pixelX <= 0 || edgeValue(tl.lon, -qint64(tl.pixelX), stepX, &left))
        && (br.pixelX >= width || edgeValue(br.lon, width - br.pixelX, stepX, &right))
        && (tl.pixelY <= 0 || edgeValue(tl.lat, -qint64(tl.pixelY), stepY, &top))
        && (br.pixelY >= height || edgeValue(br.lat, height - br.pixelY, stepY, &bottom));
    if (!inRange) {
        const QLocale english(QLocale::English);
        *reason = QCoreApplication::translate("SmfFile", "the level's pixels are too large for its tiles: %1 × %2-pixel "
                                                         "tiles of %3° × %4° pixels would reach beyond the ±596° of "
                                                         "longitude and latitude that an SMF file can record")
                      .arg(tileWidth).arg(tileHeight)
                      .arg(english.toString(stepX / 3600000.0, 'g', 6), english.toString(-stepY / 3600000.0, 'g', 6));
        return false;
    }
    r.left = qint32(left);
    r.top = qint32(top);
    r.right = qint32(right);
    r.bottom = qint32(bottom);
    *record = r;
    return true;
}

namespace {

// Whether a layer's tiles are cut from its image file, decoded strip by strip, rather
// than from a decoded image: the image is not in memory and is used at its own size.
bool tilesFromFile(const MapLayer &layer)
{
    return !layer.loaded && !layer.fromSmf && layer.zoom == 1.0;
}

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
    if (tilesFromFile(*layer)) {
        const QSize size = layer->georeference ? layer->georeference->size : imageFileSize(layer->sourcePath);
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

int tileByStrips(ImageRowReader &rows, const StripTiling &tiling, const std::function<int(qint64, const QByteArray &)> &take,
                 QString *error)
{
    const int width = rows.size().width();
    const int height = rows.size().height();
    const int tileWidth = tiling.tileWidth;
    const int tileHeight = tiling.tileHeight;
    const int columns = int(tilesFor(width, tileWidth));
    const int stripCount = int(tilesFor(height, tileHeight));
    const auto outOfMemory = [error]() {
        *error = QCoreApplication::translate("SmfFile", "not enough memory to encode a tile");
        return int(kSmfOutOfMemory);
    };

    // The tiles of the previous strip, compressing on the thread pool while this
    // thread decodes the next strip; each holds its strip until it is done.
    std::deque<QFuture<QByteArray>> pending;
    qint64 next = 0;
    const auto cancelPending = [&pending]() {
        for (QFuture<QByteArray> &future : pending)
            future.cancel();
    };
    // Payloads are written as soon as they are done, so that few wait in memory.
    const auto takePending = [&](bool wait) {
        while (!pending.empty() && (wait || pending.front().isFinished())) {
            const QByteArray payload = pending.front().result();
            pending.pop_front();
            const int status = payload.isEmpty() ? outOfMemory() : take(next++, payload);
            if (status != kSmfOk) {
                cancelPending();
                return status;
            }
        }
        return int(kSmfOk);
    };

    constexpr int kBatchRows = 16;  // rows decoded at a time before they are encoded
    const qsizetype batchStride = qsizetype(width) * 4;
    std::unique_ptr<uchar[]> batch(new (std::nothrow) uchar[size_t(batchStride) * kBatchRows]);
    if (!batch)
        return outOfMemory();
    for (int s = 0; s < stripCount; ++s) {
        auto strip = std::make_shared<TileStrip>();
        if (!strip->allocate(width, qMin(tileHeight, height - s * tileHeight))) {
            cancelPending();
            return outOfMemory();
        }
        for (int y = 0; y < strip->rows; y += kBatchRows) {
            const int count = qMin(kBatchRows, strip->rows - y);
            if (!rows.readRows(count, batch.get(), batchStride)) {
                cancelPending();
                *error = rows.errorString();
                return rows.status() == kImageFileUnreadable ? kSmfReadError : kSmfImageError;
            }
            for (int i = 0; i < count; ++i) {
                encodePixelRow(reinterpret_cast<const QRgb *>(batch.get() + i * batchStride), width, tiling.fill,
                               strip->row(y + i));
            }
            const int status = takePending(false);
            if (status != kSmfOk)
                return status;
        }
        const int status = takePending(true);
        if (status != kSmfOk)
            return status;
        const std::shared_ptr<const TileStrip> done = std::move(strip);
        for (int c = 0; c < columns; ++c) {
            pending.push_back(QtConcurrent::run([done, c, tiling]() {
                return stripTile(*done, c * tiling.tileWidth, tiling.tileWidth, tiling.tileHeight, tiling.fill,
                                 tiling.level);
            }));
        }
    }
    return takePending(true);
}

namespace {

// The save pipeline. The tile grid of every level follows from the image sizes, so
// the file is laid out before any tile is cut; each layer's image is then decoded
// when its turn comes, its tiles are cut, encoded and compressed on the thread pool,
// and the payloads are written in index order as they finish. Only a bounded window
// of compressed tiles is held at any time.
// Returns 0 or a negative SmfStatus with *error saying why.
int streamLevels(MapProject &project, ProgressReporter *progress, int level, QString *error, int *failedLayer)
{
    const auto fail = [error](int status, const QString &reason) {
        *error = reason;
        return status;
    };
    // A failure while layer i is read or cut concerns that layer.
    const auto failIn = [error, failedLayer](int i, int status, const QString &reason) {
        *failedLayer = i;
        *error = reason;
        return status;
    };
    if (project.filePath.isEmpty())
        return fail(kSmfInvalidProject, QCoreApplication::translate("SmfFile", "the project has no file path"));
    const int tileWidth = project.tileWidth;
    const int tileHeight = project.tileHeight;
    const int count = int(project.layers.size());
    if (count > 0 && (tileWidth <= 0 || tileHeight <= 0)) {
        return fail(kSmfInvalidProject, QCoreApplication::translate("SmfFile", "the tile size %1 x %2 is not positive")
                                            .arg(tileWidth).arg(tileHeight));
    }

    QVector<QSize> grids(count);
    qint64 tileCount = 0;
    for (int i = 0; i < count; ++i) {
        const QSize size = plannedImageSize(project, i);
        if (size.isEmpty()) {
            return failIn(i, kSmfImageError, QCoreApplication::translate("SmfFile", "the image %1 cannot be read")
                                                 .arg(QFileInfo(project.layers.at(i)->sourcePath).fileName()));
        }
        grids[i] = QSize(int(tilesFor(size.width(), tileWidth)), int(tilesFor(size.height(), tileHeight)));
        tileCount += qint64(grids[i].width()) * grids[i].height();
    }

    SmfStreamWriter writer(project.filePath);
    int status = writer.begin(count, tileCount);
    if (status != kSmfOk)
        return fail(status, writer.errorString());

    const QRgb fill = project.fillColour.rgb();
    QVector<SmfLevelRecord> records(count);
    qint64 firstTile = 0;
    for (int i = 0; i < count; ++i) {
        progress->setValue(i * 10);
        progress->pumpEvents();
        if (progress->cancelled())
            return fail(kSmfCancelled, QCoreApplication::translate("SmfFile", "the save was cancelled"));
        MapLayer *layer = project.layers.at(i);
        const QString fileName = QFileInfo(layer->sourcePath).fileName();
        std::unique_ptr<ImageRowReader> rows;
        if (tilesFromFile(*layer)) {
            int opened = kImageFileOk;
            QString reason;
            rows = openLayerRows(*layer, project.physicalMB, nullptr, &opened, &reason);
            if (!rows && opened == kImageFileUnreadable)
                return failIn(i, kSmfReadError,
                              QCoreApplication::translate("SmfFile", "cannot read %1: %2").arg(fileName, reason));
            if (!rows)
                return failIn(i, kSmfImageError, QStringLiteral("%1: %2").arg(fileName, reason));
            // Formats without a row decoder of ours are decoded whole, below.
            if (!rows->streams())
                rows.reset();
        }
        // A shared copy: the tiles are cut from it even if the budget drops the layer's
        // image. An image decoded only for this save leaves memory after its tiles, so a
        // save holds one decoded image at a time whatever the number of layers.
        bool decodedHere = false;
        QImage image;
        if (!rows) {
            DecodeProgress decodeProgress(progress, i * 10, kDecodeShare);
            image = *project.layerImage(i, &decodeProgress, &decodedHere);
            if (image.isNull())
                return failIn(i, kSmfImageError,
                              QCoreApplication::translate("SmfFile", "the image %1 cannot be read").arg(fileName));
            rows = imageRows(image);
        }
        const double tilesStart = decodedHere ? i * 10 + kDecodeShare : i * 10;
        const int columns = int(tilesFor(rows->size().width(), tileWidth));
        const int tileRows = int(tilesFor(rows->size().height(), tileHeight));
        if (QSize(columns, tileRows) != grids.at(i)) {
            return failIn(i, kSmfImageError,
                          QCoreApplication::translate("SmfFile", "the image %1 changed its size while saving")
                              .arg(fileName));
        }
        layer->updateScales();
        QString reason;
        if (!buildLevelRecord(*layer, columns, tileRows, tileWidth, tileHeight, &records[i], &reason))
            return failIn(i, kSmfCalibrationError, reason);
        records[i].firstTile = qint32(firstTile);
        firstTile += qint64(columns) * tileRows;

        // Tiles in index order: row by row from the top, each row from the left.
        const qint64 tiles = qint64(columns) * tileRows;
        status = tileByStrips(
            *rows, StripTiling{tileWidth, tileHeight, fill, level},
            [&](qint64 k, const QByteArray &payload) {
                if (k + 1 < tiles)
                    progress->setFineValue(tilesStart + (i * 10 + 10 - tilesStart) * double(k + 1) / double(tiles));
                progress->pumpEvents();
                const int appended = writer.appendPayload(payload);
                if (appended != kSmfOk)
                    return fail(appended, writer.errorString());
                if (progress->cancelled())
                    return fail(kSmfCancelled, QCoreApplication::translate("SmfFile", "the save was cancelled"));
                return int(kSmfOk);
            },
            &reason);
        if (status == kSmfReadError)
            return failIn(i, status, QCoreApplication::translate("SmfFile", "cannot read %1: %2").arg(fileName, reason));
        if (status == kSmfImageError)
            return failIn(i, status,
                          QCoreApplication::translate("SmfFile", "damaged image %1: %2").arg(fileName, reason));
        if (status == kSmfOutOfMemory)
            return fail(status, reason);
        if (status != kSmfOk)
            return status;
        if (decodedHere || project.saveReleasesImages)
            project.releaseImage(i);
    }

    SmfHeader header;
    header.cartographer = project.cartographer;
    header.mapName = project.mapName;
    header.tileWidth = tileWidth;
    header.tileHeight = tileHeight;
    status = writer.finish(header, records);
    if (status != kSmfOk)
        return fail(status, writer.errorString());
    return kSmfOk;
}

}  // namespace

int saveSmf(MapProject &project, ProgressReporter *progress, int level)
{
    ProgressReporter silent;
    if (!progress)
        progress = &silent;
    const int count = int(project.layers.size());
    progress->start(count * 10);
    QString reason;
    project.errorLayer = -1;
    const int status = streamLevels(project, progress, level, &reason, &project.errorLayer);
    if (status != kSmfOk) {
        progress->finish();
        project.setErrorString(reason);
        return status;
    }
    progress->setValue(count * 10);
    progress->finish();
    project.changeFlags = 0;
    return kSmfOk;
}
