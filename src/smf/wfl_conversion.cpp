// Converting a WFL folder: each tile image becomes one SMF payload.

#include "smf/wfl_conversion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QRect>

#include <limits>

#include "raster/file_access.h"
#include "raster/image_file.h"
#include "smf/smf_format.h"
#include "smf/wfl_folder.h"

namespace {

constexpr int kMaxTileSide = 100000;  // pixels; readers refuse larger tiles

}  // namespace

int makeWflTilePayload(const QString &imagePath, bool lastColumn, bool lastRow, QRgb fillColour,
                       qint32 budgetMB, int level, QSize *tileSize, QByteArray *payload, QString *error)
{
    int status = kImageFileOk;
    QString reason;
    const QImage image = readImageFile(imagePath, budgetMB, nullptr, &status, &reason);
    if (status == kImageFileUnreadable) {
        *error = QCoreApplication::translate("WflConversion", "cannot read %1: %2").arg(imagePath, reason);
        return kSmfReadError;
    }
    if (image.isNull()) {
        *error = QCoreApplication::translate("WflConversion", "%1 cannot be decoded as an image: %2")
                     .arg(imagePath, reason);
        return kSmfInvalidTiles;
    }
    const int width = image.width();
    const int height = image.height();
    if (tileSize->isEmpty()) {
        if (width > kMaxTileSide || height > kMaxTileSide) {
            *error = QCoreApplication::translate("WflConversion", "%1 is %2 x %3 pixels; a tile may have at most %4 "
                                                                  "pixels a side")
                         .arg(imagePath).arg(width).arg(height).arg(kMaxTileSide);
            return kSmfInvalidTiles;
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
        return kSmfInvalidTiles;
    }
    if (width < tileSize->width() && !lastColumn) {
        *error = sizeError(QT_TRANSLATE_NOOP("WflConversion", "%1 is %2 x %3 pixels, the tiles are %4 x %5: only a "
                                                              "tile of its level's last column may be narrower"));
        return kSmfInvalidTiles;
    }
    if (height < tileSize->height() && !lastRow) {
        *error = sizeError(QT_TRANSLATE_NOOP("WflConversion", "%1 is %2 x %3 pixels, the tiles are %4 x %5: only a "
                                                              "tile of its level's last row may be shorter"));
        return kSmfInvalidTiles;
    }
    *payload = cutTile(image, QRect(QPoint(0, 0), *tileSize), fillColour, level);
    if (payload->isEmpty()) {
        *error = QCoreApplication::translate("WflConversion", "out of memory while encoding %1").arg(imagePath);
        return kSmfOutOfMemory;
    }
    return kSmfOk;
}

namespace {

// One tile to convert, with what its sidecar said; read in index order before any
// payload is made.
struct TileJob
{
    QString imagePath;
    bool lastColumn = false;
    bool lastRow = false;
    int status = kSmfOk;  // of reading the sidecar
    QString error;
};

// A payload, or why there is none.
struct TileOutcome
{
    int status = kSmfOk;
    QString error;
    QByteArray payload;
};

TileOutcome makeTile(const TileJob &job, QRgb fill, qint32 budgetMB, int level, QSize *tileSize)
{
    TileOutcome outcome;
    outcome.status = job.status;
    outcome.error = job.error;
    if (outcome.status == kSmfOk) {
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

int WflConverter::convert(const QString &cartographer, const QString &mapName, const QColor &fillColour,
                          ProgressReporter *progress)
{
    ProgressReporter silent;
    if (!progress)
        progress = &silent;
    m_errorString.clear();
    m_levelCount = m_tileCount = 0;
    m_tileSize = QSize();
    const QString &folder = m_folder;
    bool started = false;  // progress->start() was called, so finish() is due
    const auto fail = [this, &started, progress](int status, const QString &text) {
        if (started)
            progress->finish();
        m_errorString = text;
        return status;
    };

    QVector<WflTile> tiles;
    QString error;
    int status = scanWflFolder(folder, &tiles, &error);
    if (status != kSmfOk)
        return fail(status, error);
    if (tiles.isEmpty())
        return fail(kSmfNoTiles, QCoreApplication::translate("WflConversion", "no tiles found in %1: it holds no "
                                                                          "sidecar (.wfl) files").arg(folder));
    QStringList inputs;
    for (const WflTile &tile : std::as_const(tiles))
        inputs << tile.imagePath << tile.sidecarPath;
    const QString refusal = outputRefusal(m_outputPath, inputs);
    if (!refusal.isEmpty())
        return fail(kSmfOutputIsInput, refusal);
    QVector<WflLevelGroup> groups;
    status = groupWflTiles(tiles, &groups, &error);
    if (status != kSmfOk)
        return fail(status, error);
    constexpr qint64 kMaxFileSize = std::numeric_limits<qint32>::max();  // the most an SMF file can describe
    if (tileDataOffset(groups.size(), tiles.size()) > kMaxFileSize) {
        return fail(kSmfTooLarge, QCoreApplication::translate("WflConversion", "%1 tiles make a file larger than "
                                                                           "2,147,483,647 bytes, the most an SMF file "
                                                                           "can describe").arg(tiles.size()));
    }

    // The sidecars, in index order: each level's corners come from its first tile
    // (top, left) and its last (bottom, right).
    QVector<SmfLevelRecord> records(groups.size());
    QVector<TileJob> jobs;
    jobs.reserve(tiles.size());
    qint32 firstTile = 0;
    for (int k = 0; k < groups.size(); ++k) {
        const WflLevelGroup &group = groups.at(k);
        SmfLevelRecord &record = records[k];
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
            if (job.status == kSmfOk && j == 0) {
                record.left = edges.left;
                record.top = edges.top;
            }
            if (job.status == kSmfOk && j == group.tiles.size() - 1) {
                record.right = edges.right;
                record.bottom = edges.bottom;
            }
            jobs.append(job);
        }
    }

    SmfStreamWriter writer(m_outputPath);
    status = writer.begin(groups.size(), jobs.size());
    if (status != kSmfOk)
        return fail(status, writer.errorString());
    progress->start(int(jobs.size()));
    started = true;
    const QRgb fill = fillColour.isValid() ? fillColour.rgb() : qRgb(0, 0, 0);
    const qint32 budgetMB = queryPhysicalMemoryMB();
    // The first tile sets the tile size, so it is made before any other.
    QSize tileSize;
    const int level = m_level;
    const TileOutcome first = makeTile(jobs.first(), fill, budgetMB, level, &tileSize);
    status = takeInIndexOrder<TileOutcome>(
        jobs.size(),
        [first, jobs, fill, budgetMB, level, tileSize](qint64 k) {
            QSize size = tileSize;
            return k == 0 ? first : makeTile(jobs.at(k), fill, budgetMB, level, &size);
        },
        [&](qint64 k, const TileOutcome &outcome) {
            progress->setValue(int(k));
            progress->pumpEvents();
            if (progress->cancelled())
                return fail(kSmfCancelled,
                            QCoreApplication::translate("WflConversion", "the conversion was cancelled"));
            if (outcome.status != kSmfOk)
                return fail(outcome.status, outcome.error);
            const int appended = writer.appendPayload(outcome.payload);
            return appended == kSmfOk ? appended : fail(appended, writer.errorString());
        });
    if (status != kSmfOk)
        return status;

    SmfHeader header;
    header.cartographer = cartographer;
    header.mapName = mapName;
    header.tileWidth = tileSize.width();
    header.tileHeight = tileSize.height();
    status = writer.finish(header, records);
    if (status != kSmfOk)
        return fail(status, writer.errorString());
    progress->setValue(int(jobs.size()));
    progress->finish();
    m_levelCount = qint32(groups.size());
    m_tileCount = qint32(jobs.size());
    m_tileSize = tileSize;
    return kSmfOk;
}
