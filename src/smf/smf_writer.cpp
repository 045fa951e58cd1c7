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
#include "smf/ordered_jobs.h"

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

SmfStatus SmfStreamWriter::fail(SmfStatus status, const QString &reason)
{
    m_errorString = reason;
    if (m_file.isOpen())
        m_file.cancelWriting();
    return status;
}

SmfStatus SmfStreamWriter::writeFailure()
{
    return fail(SmfStatus::WriteError, QCoreApplication::translate("SmfFile", "cannot write %1: %2")
                                    .arg(m_file.fileName(), m_file.errorString()));
}

bool SmfStreamWriter::put(const QByteArray &bytes)
{
    return writeAll(m_file, bytes);
}

SmfStatus SmfStreamWriter::begin(qint64 levelCount, qint64 tileCount)
{
    m_levelCount = levelCount;
    m_tileCount = tileCount;
    m_offset = tileDataOffset(levelCount, tileCount);
    if (levelCount > m_maxFileSize || tileCount > m_maxFileSize || m_offset > m_maxFileSize)
        return fail(SmfStatus::TooLarge, tooLargeReason(m_maxFileSize));
    // A folder, a device, a pipe or a socket is never replaced by the finished file.
    const QString refusal = outputRefusal(m_file.fileName(), {});
    if (!refusal.isEmpty())
        return fail(SmfStatus::OutputIsInput, refusal);
    // Unbuffered: a failed write reports its reason at once, with the system's words.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return fail(SmfStatus::WriteError, QCoreApplication::translate("SmfFile", "cannot create %1: %2")
                                        .arg(m_file.fileName(), m_file.errorString()));
    }
    m_index.reserve(tileCount);
    const QByteArray zeros(kChunkBytes, '\0');
    for (qint64 left = m_offset; left > 0; left -= kChunkBytes) {
        const qint64 length = qMin(left, kChunkBytes);
        if (!writeAll(m_file, zeros.constData(), length))
            return writeFailure();
    }
    return SmfStatus::Ok;
}

SmfStatus SmfStreamWriter::appendPayload(const QByteArray &payload)
{
    if (m_index.size() >= m_tileCount || m_offset + payload.size() > m_maxFileSize)
        return fail(SmfStatus::TooLarge, tooLargeReason(m_maxFileSize));
    if (!put(payload))
        return writeFailure();
    m_index.append(SmfTileIndexEntry{quint32(m_offset), quint32(payload.size())});
    m_offset += payload.size();
    return SmfStatus::Ok;
}

SmfStatus SmfStreamWriter::finish(SmfHeader header, const QVector<SmfLevelRecord> &records)
{
    if (m_index.size() != m_tileCount || records.size() != m_levelCount)
        return fail(SmfStatus::InvalidProject, QCoreApplication::translate("SmfFile", "the levels are incomplete"));
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
    return SmfStatus::Ok;
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
                      .arg(english.toString(masToDegrees(stepX), 'g', 6), english.toString(masToDegrees(-stepY), 'g', 6));
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

// The size of a layer's image, worked out from the file's header when the image is not
// in memory (layerImageSize), so that no image is decoded before its turn; otherwise
// the image is decoded (and may be dropped again by the memory budget before its turn
// comes). A size that differs from the decoded image's fails the save then.
QSize plannedImageSize(MapProject &project, int index)
{
    const QSize size = layerImageSize(*project.layers.at(index));
    if (size.isValid())
        return size;
    const QImage *image = project.layerImage(index);
    return image ? image->size() : QSize();
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

QString cancelledReason()
{
    return QCoreApplication::translate("SmfFile", "the save was cancelled");
}

// A tile job's hold on its strip, which it lets go of when its payload is made.
struct HeldStrip
{
    mutable std::shared_ptr<const TileStrip> strip;
};

}  // namespace

SmfStatus tileByStrips(ImageRowReader &rows, const StripTiling &tiling,
                       const std::function<SmfStatus(qint64, const QByteArray &)> &take, QString *error)
{
    const int width = rows.size().width();
    const int height = rows.size().height();
    const int tileWidth = tiling.tileWidth;
    const int tileHeight = tiling.tileHeight;
    const int columns = int(tilesFor(width, tileWidth));
    const int stripCount = int(tilesFor(height, tileHeight));
    const auto outOfMemory = [error]() {
        *error = QCoreApplication::translate("SmfFile", "not enough memory to encode a tile");
        return SmfStatus::OutOfMemory;
    };

    // The tiles of the previous strip compress on the thread pool while this thread
    // decodes the next strip; each holds its strip until it is done. Payloads are
    // written as soon as they are done, so that few wait in memory.
    OrderedJobs<QByteArray> tiles([&](qint64 k, const QByteArray &payload) {
        return payload.isEmpty() ? outOfMemory() : take(k, payload);
    });

    constexpr int kBatchRows = 16;  // rows decoded at a time before they are encoded
    const qsizetype batchStride = qsizetype(width) * 4;
    std::unique_ptr<uchar[]> batch(new (std::nothrow) uchar[size_t(batchStride) * kBatchRows]);
    if (!batch)
        return outOfMemory();
    for (int s = 0; s < stripCount; ++s) {
        auto strip = std::make_shared<TileStrip>();
        if (!strip->allocate(width, qMin(tileHeight, height - s * tileHeight)))
            return outOfMemory();
        for (int y = 0; y < strip->rows; y += kBatchRows) {
            const int count = qMin(kBatchRows, strip->rows - y);
            if (!rows.readRows(count, batch.get(), batchStride)) {
                *error = rows.errorString();
                return rows.status() == ImageFileStatus::Unreadable ? SmfStatus::ReadError : SmfStatus::ImageError;
            }
            for (int i = 0; i < count; ++i) {
                encodePixelRow(reinterpret_cast<const QRgb *>(batch.get() + i * batchStride), width, tiling.fill,
                               strip->row(y + i));
            }
            const SmfStatus status = tiles.takeReady();
            if (status != SmfStatus::Ok)
                return status;
        }
        const SmfStatus status = tiles.takeUntil(0);
        if (status != SmfStatus::Ok)
            return status;
        const std::shared_ptr<const TileStrip> done = std::move(strip);
        for (int c = 0; c < columns; ++c) {
            tiles.add([hold = HeldStrip{done}, c, tiling]() {
                QByteArray payload = stripTile(*hold.strip, c * tiling.tileWidth, tiling.tileWidth,
                                               tiling.tileHeight, tiling.fill, tiling.level);
                // Let go of the strip before the payload is taken: the job itself may
                // be deleted later than that.
                hold.strip.reset();
                return payload;
            });
        }
        // A reader that warps on the pool keeps the cores busy by itself: its next strip
        // waits for these tiles, so that one strip of a wide level is held, not two.
        if (rows.decodesOnPool()) {
            const SmfStatus status = tiles.takeUntil(0);
            if (status != SmfStatus::Ok)
                return status;
        }
    }
    return tiles.takeUntil(0);
}

namespace {

// The save of a project: the tile grid of every level follows from the image sizes, so
// the file is laid out before any tile is cut; each layer's image is then decoded
// when its turn comes, its tiles are cut, encoded and compressed on the thread pool,
// and the payloads are written in index order as they finish. Only a bounded window
// of compressed tiles is held at any time.
class ProjectSave
{
public:
    ProjectSave(MapProject &project, ProgressReporter *progress, int level)
        : m_project(project), m_progress(progress), m_level(level), m_writer(project.filePath)
    {
    }

    // Writes the file; Ok, or the failure with error() saying why and failedLayer() the
    // layer it concerns (-1 for none).
    SmfStatus run();
    QString error() const { return m_error; }
    int failedLayer() const { return m_failedLayer; }

private:
    SmfStatus fail(SmfStatus status, const QString &reason)
    {
        m_error = reason;
        return status;
    }
    // A failure while layer i is read or cut concerns that layer.
    SmfStatus failIn(int i, SmfStatus status, const QString &reason)
    {
        m_failedLayer = i;
        return fail(status, reason);
    }
    SmfStatus cannotRead(int i, const QString &reason)
    {
        return failIn(i, SmfStatus::ReadError,
                      QCoreApplication::translate("SmfFile", "cannot read %1: %2").arg(fileName(i), reason));
    }
    SmfStatus cannotDecode(int i)
    {
        return failIn(i, SmfStatus::ImageError,
                      QCoreApplication::translate("SmfFile", "the image %1 cannot be read").arg(fileName(i)));
    }
    QString fileName(int i) const { return QFileInfo(m_project.layers.at(i)->sourcePath).fileName(); }

    // The tile grid of every level and the number of tiles.
    SmfStatus planGrids();
    // The rows layer i is tiled from: its file strip by strip, or its decoded image
    // (*decodedHere then tells whether the save decoded it).
    SmfStatus openRows(int i, std::unique_ptr<ImageRowReader> *rows, bool *decodedHere);
    // Writes the tiles of layer i and fills its record.
    SmfStatus writeLevel(int i, ImageRowReader &rows, bool decodedHere);

    MapProject &m_project;
    ProgressReporter *m_progress;
    const int m_level;
    SmfStreamWriter m_writer;
    QVector<QSize> m_grids;  // tile columns and rows of each level
    qint64 m_tileCount = 0;
    QVector<SmfLevelRecord> m_records;
    qint64 m_firstTile = 0;
    QString m_error;
    int m_failedLayer = -1;
};

SmfStatus ProjectSave::planGrids()
{
    const int count = int(m_project.layers.size());
    m_grids.resize(count);
    for (int i = 0; i < count; ++i) {
        const QSize size = plannedImageSize(m_project, i);
        if (size.isEmpty())
            return cannotDecode(i);
        m_grids[i] = QSize(int(tilesFor(size.width(), m_project.tileWidth)),
                           int(tilesFor(size.height(), m_project.tileHeight)));
        m_tileCount += qint64(m_grids[i].width()) * m_grids[i].height();
    }
    return SmfStatus::Ok;
}

SmfStatus ProjectSave::openRows(int i, std::unique_ptr<ImageRowReader> *rows, bool *decodedHere)
{
    const MapLayer &layer = *m_project.layers.at(i);
    *decodedHere = false;
    if (tilesFromFile(layer)) {
        std::unique_ptr<ImageRowReader> file = openLayerRows(layer, m_project.physicalMB);
        if (file->status() == ImageFileStatus::Unreadable)
            return cannotRead(i, file->errorString());
        if (file->status() != ImageFileStatus::Ok)
            return failIn(i, SmfStatus::ImageError, QStringLiteral("%1: %2").arg(fileName(i), file->errorString()));
        // Formats without a row decoder of ours are decoded whole, below.
        if (file->streams()) {
            *rows = std::move(file);
            return SmfStatus::Ok;
        }
    }
    // A shared copy: the tiles are cut from it even if the budget drops the layer's
    // image. An image decoded only for this save leaves memory after its tiles, so a
    // save holds one decoded image at a time whatever the number of layers.
    DecodeProgress decodeProgress(m_progress, i * 10, kDecodeShare);
    const QImage *decoded = m_project.layerImage(i, &decodeProgress, decodedHere);
    if (!decoded || decoded->isNull())
        return cannotDecode(i);
    *rows = imageRows(*decoded);
    return SmfStatus::Ok;
}

SmfStatus ProjectSave::writeLevel(int i, ImageRowReader &rows, bool decodedHere)
{
    MapLayer *layer = m_project.layers.at(i);
    const int tileWidth = m_project.tileWidth;
    const int tileHeight = m_project.tileHeight;
    const double tilesStart = decodedHere ? i * 10 + kDecodeShare : i * 10;
    const int columns = int(tilesFor(rows.size().width(), tileWidth));
    const int tileRows = int(tilesFor(rows.size().height(), tileHeight));
    if (QSize(columns, tileRows) != m_grids.at(i)) {
        return failIn(i, SmfStatus::ImageError,
                      QCoreApplication::translate("SmfFile", "the image %1 changed its size while saving")
                          .arg(fileName(i)));
    }
    layer->updateScales();
    QString reason;
    if (!buildLevelRecord(*layer, columns, tileRows, tileWidth, tileHeight, &m_records[i], &reason))
        return failIn(i, SmfStatus::CalibrationError, reason);
    m_records[i].firstTile = qint32(m_firstTile);
    m_firstTile += qint64(columns) * tileRows;

    // Tiles in index order: row by row from the top, each row from the left.
    const qint64 tiles = qint64(columns) * tileRows;
    const SmfStatus status = tileByStrips(
        rows, StripTiling{tileWidth, tileHeight, m_project.fillColour.rgb(), m_level},
        [&](qint64 k, const QByteArray &payload) {
            if (k + 1 < tiles)
                m_progress->setFineValue(tilesStart + (i * 10 + 10 - tilesStart) * double(k + 1) / double(tiles));
            m_progress->pumpEvents();
            const SmfStatus appended = m_writer.appendPayload(payload);
            if (appended != SmfStatus::Ok)
                return fail(appended, m_writer.errorString());
            if (m_progress->cancelled())
                return fail(SmfStatus::Cancelled, cancelledReason());
            return SmfStatus::Ok;
        },
        &reason);
    switch (status) {
    case SmfStatus::ReadError:
        return cannotRead(i, reason);
    case SmfStatus::ImageError:
        return failIn(i, status, QCoreApplication::translate("SmfFile", "damaged image %1: %2").arg(fileName(i), reason));
    case SmfStatus::OutOfMemory:
        return fail(status, reason);
    default:
        return status;
    }
}

SmfStatus ProjectSave::run()
{
    if (m_project.filePath.isEmpty())
        return fail(SmfStatus::InvalidProject, QCoreApplication::translate("SmfFile", "the project has no file path"));
    const int count = int(m_project.layers.size());
    if (count > 0 && (m_project.tileWidth <= 0 || m_project.tileHeight <= 0)) {
        return fail(SmfStatus::InvalidProject,
                    QCoreApplication::translate("SmfFile", "the tile size %1 x %2 is not positive")
                        .arg(m_project.tileWidth).arg(m_project.tileHeight));
    }
    SmfStatus status = planGrids();
    if (status != SmfStatus::Ok)
        return status;
    status = m_writer.begin(count, m_tileCount);
    if (status != SmfStatus::Ok)
        return fail(status, m_writer.errorString());

    m_records.resize(count);
    for (int i = 0; i < count; ++i) {
        m_progress->setValue(i * 10);
        m_progress->pumpEvents();
        if (m_progress->cancelled())
            return fail(SmfStatus::Cancelled, cancelledReason());
        std::unique_ptr<ImageRowReader> rows;
        bool decodedHere = false;
        status = openRows(i, &rows, &decodedHere);
        if (status == SmfStatus::Ok)
            status = writeLevel(i, *rows, decodedHere);
        if (status != SmfStatus::Ok)
            return status;
        if (decodedHere || m_project.saveReleasesImages)
            m_project.releaseImage(i);
    }

    SmfHeader header;
    header.cartographer = m_project.cartographer;
    header.mapName = m_project.mapName;
    header.tileWidth = m_project.tileWidth;
    header.tileHeight = m_project.tileHeight;
    status = m_writer.finish(header, m_records);
    if (status != SmfStatus::Ok)
        return fail(status, m_writer.errorString());
    return SmfStatus::Ok;
}

}  // namespace

SmfStatus saveSmf(MapProject &project, ProgressReporter *progress, int level)
{
    ProgressReporter silent;
    if (!progress)
        progress = &silent;
    const int count = int(project.layers.size());
    progress->start(count * 10);
    ProjectSave save(project, progress, level);
    const SmfStatus status = save.run();
    project.errorLayer = save.failedLayer();
    if (status != SmfStatus::Ok) {
        progress->finish();
        project.setErrorString(save.error());
        return status;
    }
    progress->setValue(count * 10);
    progress->finish();
    project.changeFlags = 0;
    return SmfStatus::Ok;
}
