#include "smf/wfl_conversion.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSize>
#include <QVector>

#include <deque>
#include <limits>
#include <memory>

#include "project/file_access.h"
#include "project/physical_memory.h"
#include "smf/ordered_tile_queue.h"
#include "smf/smf_header.h"
#include "smf/smf_layout.h"
#include "smf/smf_level_record.h"
#include "smf/smf_tile_index_entry.h"
#include "smf/wfl_folder_scan.h"
#include "smf/wfl_level_grouping.h"
#include "smf/wfl_sidecar.h"
#include "smf/wfl_tile_payload.h"

namespace {

constexpr qint64 kMaxFileSize = std::numeric_limits<qint32>::max();  // the most an SMF file can describe

QByteArray recordBytes(const QVector<SmfLevelRecord> &records)
{
    QByteArray bytes;
    bytes.reserve(records.size() * kSmfLevelRecordSize);
    for (const SmfLevelRecord &record : records)
        bytes += record.toBytes();
    return bytes;
}

// Writes the payloads of every tile into an open file whose header, records and index
// are still placeholders, then writes them over with their final values.
class WflFileWriter
{
public:
    WflFileWriter(QSaveFile &file, const QVector<WflLevelGroup> &groups, QRgb fill, ProgressReporter *progress,
                  WflConversionResult *result)
        : m_file(file), m_groups(groups), m_fill(fill), m_progress(progress), m_result(result)
    {
    }

    int write(SmfHeader header)
    {
        m_records.resize(m_groups.size());
        m_index.resize(header.tileCount);
        qint32 firstTile = 0;
        for (int k = 0; k < m_groups.size(); ++k) {
            m_records[k].firstTile = firstTile;
            m_records[k].tileColumns = m_groups.at(k).tileColumns;
            m_records[k].tileRows = m_groups.at(k).tileRows;
            firstTile += qint32(m_groups.at(k).tiles.size());
        }
        int status = writePlaceholders(header);
        if (status == kWflOk)
            status = writePayloads(tileDataOffset(header.levelCount, header.tileCount));
        if (status != kWflOk)
            return status;

        header.tileWidth = m_tileSize.width();
        header.tileHeight = m_tileSize.height();
        m_result->tileWidth = header.tileWidth;
        m_result->tileHeight = header.tileHeight;
        if (!m_file.seek(0) || !put(header.toBytes()) || !put(recordBytes(m_records)))
            return writeFailure();
        QByteArray chunk;
        for (const SmfTileIndexEntry &entry : std::as_const(m_index)) {
            chunk += entry.toBytes();
            if (chunk.size() >= kChunkBytes && !flush(&chunk))
                return writeFailure();
        }
        if (!flush(&chunk) || !m_file.commit())
            return writeFailure();
        return kWflOk;
    }

private:
    static constexpr int kChunkBytes = 65536;

    int writePlaceholders(const SmfHeader &header)
    {
        if (!put(header.toBytes()) || !put(recordBytes(m_records)))
            return writeFailure();
        qint64 left = qint64(header.tileCount) * kSmfTileIndexEntrySize;
        const QByteArray zeros(kChunkBytes, '\0');
        while (left > 0) {
            const qint64 length = qMin<qint64>(left, kChunkBytes);
            if (!writeAll(m_file, zeros.constData(), length))
                return writeFailure();
            left -= length;
        }
        return kWflOk;
    }

    // What a tile job found besides its payload; written by the job before the queue
    // hands its payload back, and shared with it, since a failed conversion may leave
    // jobs running until the queue is destroyed.
    struct TileOutcome {
        int status = kWflOk;
        QString error;
    };

    // Reads, encodes and compresses the tiles on the thread pool and appends their
    // payloads in index order. The first tile sets the tile size, so it is made before
    // any other is started. Errors are reported in index order, as one at a time would.
    int writePayloads(qint64 offset)
    {
        const qint32 budgetMB = queryPhysicalMemoryMB();
        const int total = m_index.size();
        OrderedTileQueue queue;
        std::deque<std::shared_ptr<TileOutcome>> outcomes;
        int submitted = 0;
        int k = 0;  // level and tile of the next submission
        int j = 0;
        bool stop = false;
        for (int handled = 0; handled < total; ++handled) {
            for (; submitted < total && !stop && !queue.isFull(); ++submitted) {
                outcomes.push_back(std::make_shared<TileOutcome>());
                stop = !submitTile(queue, k, j, budgetMB, outcomes.back());
                if (++j == m_groups.at(k).tiles.size()) {
                    ++k;
                    j = 0;
                }
            }
            m_progress->setValue(handled);
            m_progress->pumpEvents();
            if (m_progress->cancelled())
                return fail(kWflCancelled, QStringLiteral("the conversion was cancelled"));
            const QByteArray payload = queue.takeNext();
            const std::shared_ptr<TileOutcome> outcome = outcomes.front();
            outcomes.pop_front();
            if (outcome->status != kWflOk)
                return fail(outcome->status, outcome->error);
            if (offset + payload.size() > kMaxFileSize) {
                return fail(kWflTooLarge, QStringLiteral("the file would be larger than 2,147,483,647 bytes, the "
                                                         "most an SMF file can describe"));
            }
            if (!put(payload))
                return writeFailure();
            m_index[handled] = SmfTileIndexEntry{quint32(offset), quint32(payload.size())};
            offset += payload.size();
        }
        return kWflOk;
    }

    // Reads and checks tile j of level k's sidecar, takes the level's corners from its
    // first and last tile, and queues the making of the payload. Returns false when
    // nothing should be queued after it (the first tile, which sets the tile size,
    // failed).
    bool submitTile(OrderedTileQueue &queue, int k, int j, qint32 budgetMB,
                    const std::shared_ptr<TileOutcome> &outcome)
    {
        const WflLevelGroup &group = m_groups.at(k);
        const WflTile &tile = group.tiles.at(j);
        WflSidecarEdges edges;
        outcome->status = readWflSidecar(tile.sidecarPath, &edges, &outcome->error);
        if (outcome->status != kWflOk) {
            queue.submit([]() { return QByteArray(); });
            return true;
        }
        SmfLevelRecord &record = m_records[k];
        if (j == 0) {
            record.left = edges.left;
            record.top = edges.top;
        }
        if (j == group.tiles.size() - 1) {
            record.right = edges.right;
            record.bottom = edges.bottom;
        }
        const bool lastColumn = tile.gridColumn == group.tileColumns - 1;
        const bool lastRow = tile.gridRow == group.tileRows - 1;
        if (m_tileSize.isEmpty()) {
            QByteArray payload;
            outcome->status = makeWflTilePayload(tile.imagePath, lastColumn, lastRow, m_fill, budgetMB, &m_tileSize,
                                                 &payload, &outcome->error);
            queue.submit([payload]() { return payload; });
            return outcome->status == kWflOk;
        }
        queue.submit([path = tile.imagePath, lastColumn, lastRow, fill = m_fill, budgetMB, size = m_tileSize,
                      outcome]() mutable {
            QByteArray payload;
            outcome->status = makeWflTilePayload(path, lastColumn, lastRow, fill, budgetMB, &size, &payload,
                                                 &outcome->error);
            return payload;
        });
        return true;
    }

    bool put(const QByteArray &bytes) { return writeAll(m_file, bytes); }

    bool flush(QByteArray *chunk)
    {
        const bool written = put(*chunk);
        chunk->clear();
        return written;
    }

    int fail(int status, const QString &text)
    {
        m_result->errorText = text;
        return status;
    }

    int writeFailure()
    {
        return fail(kWflWriteError,
                    QStringLiteral("cannot write %1: %2").arg(m_result->outputPath, m_file.errorString()));
    }

    QSaveFile &m_file;
    const QVector<WflLevelGroup> &m_groups;
    QRgb m_fill;
    ProgressReporter *m_progress;
    WflConversionResult *m_result;
    QVector<SmfLevelRecord> m_records;
    QVector<SmfTileIndexEntry> m_index;
    QSize m_tileSize;  // set by the first tile of the highest level
};

}  // namespace

QString defaultWflOutputPath(const QString &folder)
{
    QString path = QDir::fromNativeSeparators(folder);
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        path = QFileInfo(path).absoluteFilePath();
    path = QDir::cleanPath(path);
    return path + QStringLiteral(".smf");
}

WflConversionResult convertWfl(const QString &folder, const QString &cartographer, const QString &mapName,
                               const QColor &fillColour, const QString &outputPath, ProgressReporter *progress)
{
    ProgressReporter silent;
    if (!progress)
        progress = &silent;
    WflConversionResult result;
    result.outputPath = outputPath.isEmpty() ? defaultWflOutputPath(folder) : outputPath;
    const auto fail = [&result](int status, const QString &text) {
        result.status = status;
        result.errorText = text;
        return result;
    };

    QVector<WflTile> tiles;
    QString error;
    int status = scanWflFolder(folder, &tiles, &error);
    if (status != kWflOk)
        return fail(status, error);
    if (tiles.isEmpty())
        return fail(kWflNoTiles, QStringLiteral("no tiles found in %1: it holds no sidecar (.wfl) files").arg(folder));
    for (const WflTile &tile : std::as_const(tiles)) {
        for (const QString &input : {tile.imagePath, tile.sidecarPath}) {
            if (isSameFile(result.outputPath, input)) {
                return fail(kWflOutputIsInput,
                            QStringLiteral("the output %1 is the input %2").arg(result.outputPath, input));
            }
        }
    }
    QVector<WflLevelGroup> groups;
    status = groupWflTiles(tiles, &groups, &error);
    if (status != kWflOk)
        return fail(status, error);

    SmfHeader header;
    header.cartographer = cartographer;
    header.mapName = mapName;
    header.levelCount = qint32(groups.size());
    header.tileCount = qint32(qMin<qint64>(tiles.size(), kMaxFileSize));
    if (tileDataOffset(groups.size(), tiles.size()) > kMaxFileSize) {
        return fail(kWflTooLarge, QStringLiteral("%1 tiles make a file larger than 2,147,483,647 bytes, the most "
                                                 "an SMF file can describe").arg(tiles.size()));
    }
    tiles.clear();

    // The output takes its place by rename once complete; without commit() the
    // temporary file is removed and the output path left as it was.
    QSaveFile file(result.outputPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(kWflWriteError, QStringLiteral("cannot create %1: %2").arg(result.outputPath, file.errorString()));
    progress->start(header.tileCount);
    const QRgb fill = fillColour.isValid() ? fillColour.rgb() : qRgb(0, 0, 0);
    WflFileWriter writer(file, groups, fill, progress, &result);
    result.status = writer.write(header);
    if (result.status != kWflOk) {
        file.cancelWriting();
        progress->finish();
        return result;
    }
    progress->setValue(header.tileCount);
    progress->finish();
    result.levelCount = header.levelCount;
    result.tileCount = header.tileCount;
    return result;
}
