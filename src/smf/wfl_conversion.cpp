// Converting a WFL folder: each tile image becomes one SMF payload.

#include "smf/wfl_conversion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRect>

#include <QThreadPool>

#include <limits>

#include "raster/file_access.h"
#include "raster/image_file.h"
#include "raster/image_rows.h"
#include "smf/ordered_jobs.h"
#include "smf/smf_format.h"
#include "smf/wfl_folder.h"

namespace {

constexpr int kMaxTileSide = 100000;  // pixels; readers refuse larger tiles

}  // namespace

SmfStatus makeWflTilePayload(const QString &imagePath, bool lastColumn, bool lastRow, QRgb fillColour,
                       qint32 budgetMB, int level, QSize *tileSize, QByteArray *payload, QString *error)
{
    const std::unique_ptr<ImageRowReader> rows = openImageRows(imagePath, budgetMB);
    const QImage image = rows->readWholeImage(budgetMB);
    if (rows->status() == ImageFileStatus::Unreadable) {
        *error = QCoreApplication::translate("WflConversion", "cannot read %1: %2").arg(imagePath, rows->failureText());
        return SmfStatus::ReadError;
    }
    if (image.isNull()) {
        *error = QCoreApplication::translate("WflConversion", "%1 cannot be decoded as an image: %2")
                     .arg(imagePath, rows->failureText());
        return SmfStatus::InvalidTiles;
    }
    const int width = image.width();
    const int height = image.height();
    if (tileSize->isEmpty()) {
        if (width > kMaxTileSide || height > kMaxTileSide) {
            *error = QCoreApplication::translate("WflConversion", "%1 is %2 x %3 pixels; a tile may have at most %4 "
                                                                  "pixels a side")
                         .arg(imagePath).arg(width).arg(height).arg(kMaxTileSide);
            return SmfStatus::InvalidTiles;
        }
        *tileSize = image.size();
    }
    // Why the tile's size does not fit its place, with the image, its size and the tile size.
    const auto sizeError = [&](const char *text) {
        return QCoreApplication::translate("WflConversion", text)
            .arg(imagePath).arg(width).arg(height).arg(tileSize->width()).arg(tileSize->height());
    };
    if (width > tileSize->width() || height > tileSize->height()) {
        *error = sizeError(QT_TRANSLATE_NOOP("WflConversion", "%1 is %2 x %3 pixels, the tiles are %4 x %5: larger "
                                                              "than the first tile of the highest level"));
        return SmfStatus::InvalidTiles;
    }
    if (width < tileSize->width() && !lastColumn) {
        *error = sizeError(QT_TRANSLATE_NOOP("WflConversion", "%1 is %2 x %3 pixels, the tiles are %4 x %5: only a "
                                                              "tile of its level's last column may be narrower"));
        return SmfStatus::InvalidTiles;
    }
    if (height < tileSize->height() && !lastRow) {
        *error = sizeError(QT_TRANSLATE_NOOP("WflConversion", "%1 is %2 x %3 pixels, the tiles are %4 x %5: only a "
                                                              "tile of its level's last row may be shorter"));
        return SmfStatus::InvalidTiles;
    }
    *payload = cutTile(image, QRect(QPoint(0, 0), *tileSize), fillColour, level);
    if (payload->isEmpty()) {
        *error = QCoreApplication::translate("WflConversion", "out of memory while encoding %1").arg(imagePath);
        return SmfStatus::OutOfMemory;
    }
    return SmfStatus::Ok;
}

namespace {

// One tile to convert, with what its sidecar said; read in index order before any
// payload is made.
struct TileJob
{
    QString imagePath;
    bool lastColumn = false;
    bool lastRow = false;
    SmfStatus status = SmfStatus::Ok;  // of reading the sidecar
    QString error;
};

// A payload, or why there is none.
struct TileOutcome
{
    SmfStatus status = SmfStatus::Ok;
    QString error;
    QByteArray payload;
};

TileOutcome makeTile(const TileJob &job, QRgb fill, qint32 budgetMB, int level, QSize *tileSize)
{
    TileOutcome outcome;
    outcome.status = job.status;
    outcome.error = job.error;
    if (outcome.status == SmfStatus::Ok) {
        outcome.status = makeWflTilePayload(job.imagePath, job.lastColumn, job.lastRow, fill, budgetMB, level, tileSize,
                                            &outcome.payload, &outcome.error);
    }
    return outcome;
}

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

WflConverter::WflConverter(const QString &folder, const QString &outputPath)
    : m_folder(folder), m_outputPath(outputPath.isEmpty() ? defaultWflOutputPath(folder) : outputPath)
{
}

SmfStatus WflConverter::fail(SmfStatus status, const QString &reason)
{
    m_errorString = reason;
    return status;
}

SmfStatus WflConverter::planLevels(QVector<WflLevelGroup> *groups, qint64 *tileCount)
{
    QVector<WflTile> tiles;
    QString error;
    SmfStatus status = scanWflFolder(m_folder, &tiles, &error);
    if (status != SmfStatus::Ok)
        return fail(status, error);
    if (tiles.isEmpty())
        return fail(SmfStatus::NoTiles, QCoreApplication::translate("WflConversion", "no tiles found in %1: it holds no "
                                                                                 "sidecar (.wfl) files").arg(m_folder));
    QStringList inputs;
    for (const WflTile &tile : std::as_const(tiles))
        inputs << tile.imagePath << tile.sidecarPath;
    const QString refusal = outputRefusal(m_outputPath, inputs);
    if (!refusal.isEmpty())
        return fail(SmfStatus::OutputIsInput, refusal);
    status = groupWflTiles(tiles, groups, &error);
    if (status != SmfStatus::Ok)
        return fail(status, error);
    constexpr qint64 kMaxFileSize = std::numeric_limits<qint32>::max();  // the most an SMF file can describe
    if (tileDataOffset(groups->size(), tiles.size()) > kMaxFileSize) {
        return fail(SmfStatus::TooLarge, QCoreApplication::translate("WflConversion", "%1 tiles make a file larger than "
                                                                                  "2,147,483,647 bytes, the most an SMF file "
                                                                                  "can describe").arg(tiles.size()));
    }
    *tileCount = tiles.size();
    return SmfStatus::Ok;
}

namespace {

// The level records (corners and tile grid) and the tile jobs, in index order: each
// level's corners come from the sidecars of its first tile (top, left) and its last
// (bottom, right).
QVector<TileJob> readSidecars(const QVector<WflLevelGroup> &groups, QVector<SmfLevelRecord> *records)
{
    records->resize(groups.size());
    QVector<TileJob> jobs;
    qint32 firstTile = 0;
    for (int k = 0; k < groups.size(); ++k) {
        const WflLevelGroup &group = groups.at(k);
        SmfLevelRecord &record = (*records)[k];
        record.firstTile = firstTile;
        record.tileColumns = group.tileColumns;
        record.tileRows = group.tileRows;
        firstTile += qint32(group.tiles.size());
        for (int j = 0; j < group.tiles.size(); ++j) {
            const WflTile &tile = group.tiles.at(j);
            TileJob job;
            job.imagePath = tile.imagePath;
            job.lastColumn = tile.gridColumn == group.tileColumns - 1;
            job.lastRow = tile.gridRow == group.tileRows - 1;
            WflSidecarEdges edges;
            job.status = readWflSidecar(tile.sidecarPath, &edges, &job.error);
            if (job.status == SmfStatus::Ok && j == 0) {
                record.left = edges.left;
                record.top = edges.top;
            }
            if (job.status == SmfStatus::Ok && j == group.tiles.size() - 1) {
                record.right = edges.right;
                record.bottom = edges.bottom;
            }
            jobs.append(job);
        }
    }
    return jobs;
}

}  // namespace

SmfStatus WflConverter::convert(const QString &cartographer, const QString &mapName, const QColor &fillColour,
                                ProgressReporter *progress)
{
    ProgressReporter silent;
    if (!progress)
        progress = &silent;
    m_errorString.clear();
    m_levelCount = m_tileCount = 0;
    m_tileSize = QSize();

    QVector<WflLevelGroup> groups;
    qint64 tileCount = 0;
    SmfStatus status = planLevels(&groups, &tileCount);
    if (status != SmfStatus::Ok)
        return status;
    QVector<SmfLevelRecord> records;
    const QVector<TileJob> jobs = readSidecars(groups, &records);
    SmfStreamWriter writer(m_outputPath);
    status = writer.begin(groups.size(), tileCount);
    if (status != SmfStatus::Ok)
        return fail(status, writer.errorString());

    progress->start(int(jobs.size()));
    // Every failure from here on ends the progress it started.
    const auto failStarted = [this, progress](SmfStatus failure, const QString &reason) {
        progress->finish();
        return fail(failure, reason);
    };
    const QRgb fill = fillColour.isValid() ? fillColour.rgb() : qRgb(0, 0, 0);
    const qint32 budgetMB = queryPhysicalMemoryMB();
    const int level = m_level;
    // The first tile sets the tile size, so it is made before any other.
    QSize tileSize;
    const TileOutcome first = makeTile(jobs.first(), fill, budgetMB, level, &tileSize);
    OrderedJobs<TileOutcome> tiles([&](qint64 k, const TileOutcome &outcome) {
        progress->setValue(int(k));
        progress->pumpEvents();
        if (progress->cancelled())
            return failStarted(SmfStatus::Cancelled,
                               QCoreApplication::translate("WflConversion", "the conversion was cancelled"));
        if (outcome.status != SmfStatus::Ok)
            return failStarted(outcome.status, outcome.error);
        const SmfStatus appended = writer.appendPayload(outcome.payload);
        return appended == SmfStatus::Ok ? appended : failStarted(appended, writer.errorString());
    });
    // A window of tiles at a time, four for each thread.
    const std::size_t window = std::size_t(qMax(2, 4 * QThreadPool::globalInstance()->maxThreadCount()));
    for (qint64 k = 0; k < jobs.size(); ++k) {
        if (tiles.pending() == window) {
            status = tiles.takeUntil(window - 1);
            if (status != SmfStatus::Ok)
                return status;
        }
        const TileJob job = jobs.at(k);
        if (k == 0)
            tiles.add([first]() { return first; });
        else
            tiles.add([job, fill, budgetMB, level, tileSize]() {
                QSize size = tileSize;
                return makeTile(job, fill, budgetMB, level, &size);
            });
    }
    status = tiles.takeUntil(0);
    if (status != SmfStatus::Ok)
        return status;

    SmfHeader header;
    header.cartographer = cartographer;
    header.mapName = mapName;
    header.tileWidth = tileSize.width();
    header.tileHeight = tileSize.height();
    status = writer.finish(header, records);
    if (status != SmfStatus::Ok)
        return failStarted(status, writer.errorString());
    progress->setValue(int(jobs.size()));
    progress->finish();
    m_levelCount = qint32(groups.size());
    m_tileCount = qint32(jobs.size());
    m_tileSize = tileSize;
    return SmfStatus::Ok;
}
