#include "smf/smf_reader.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>
#include <QtEndian>

#include <limits>
#include <numeric>

#include "smf/smf_format.h"

namespace {

constexpr qint64 kMaxTileSide = 100000;  // pixels

bool readAt(QIODevice &device, qint64 offset, qint64 length, QByteArray *bytes)
{
    if (!device.seek(offset))
        return false;
    *bytes = device.read(length);
    return bytes->size() == length;
}

}  // namespace

qint64 SmfFileIndex::rawTileBytes() const
{
    return rawTileSize(header.tileWidth, header.tileHeight);
}

const SmfTileIndexEntry &SmfFileIndex::tile(int level, int column, int row) const
{
    return tiles.at(qsizetype(tileIndexPosition(levels.at(level), column, row)));
}

namespace {

// The header, checked: the magic number, counts that are not negative, and the header,
// records and index inside the file.
bool readHeader(QIODevice &device, SmfFileIndex *index, QString *error)
{
    index->fileSize = device.size();
    QByteArray bytes;
    if (index->fileSize < kSmfHeaderSize || !readAt(device, 0, kSmfHeaderSize, &bytes)) {
        *error = QCoreApplication::translate("SmfFile", "the file is too short for an SMF header (%1 of %2 bytes)")
                     .arg(index->fileSize).arg(kSmfHeaderSize);
        return false;
    }
    SmfHeader &header = index->header;
    SmfHeader::fromBytes(bytes, &header);
    if (header.magic != kSmfMagic) {
        *error = QCoreApplication::translate("SmfFile", "not an SMF file (magic number 0x%1, expected 0x%2)")
                     .arg(header.magic, 4, 16, QLatin1Char('0')).arg(kSmfMagic, 4, 16, QLatin1Char('0'));
        return false;
    }
    if (header.levelCount < 0 || header.tileCount < 0) {
        *error = QCoreApplication::translate("SmfFile", "the header gives a negative count (%1 levels, %2 tiles)")
                     .arg(header.levelCount).arg(header.tileCount);
        return false;
    }
    const qint64 indexEnd = tileDataOffset(header.levelCount, header.tileCount);
    if (indexEnd > index->fileSize) {
        *error = QCoreApplication::translate("SmfFile", "the file is truncated: %1 levels and %2 tiles need %3 bytes "
                                                        "before the tile data, the file has %4")
                     .arg(header.levelCount).arg(header.tileCount).arg(indexEnd).arg(index->fileSize);
        return false;
    }
    if (header.tileWidth < 0 || header.tileHeight < 0) {
        *error = QCoreApplication::translate("SmfFile", "the header gives a negative tile size (%1 x %2)")
                     .arg(header.tileWidth).arg(header.tileHeight);
        return false;
    }
    return true;
}

// The level records and the tile index, which lie inside the file (readHeader), read
// in bounded chunks so that what is allocated stays within the file's size.
bool readRecordsAndIndex(QIODevice &device, SmfFileIndex *index, QString *error)
{
    constexpr qint64 kChunkItems = 4096;
    const SmfHeader &header = index->header;
    QByteArray bytes;
    index->levels.resize(header.levelCount);
    for (qint64 first = 0; first < header.levelCount; first += kChunkItems) {
        const qint64 items = qMin<qint64>(kChunkItems, header.levelCount - first);
        if (!readAt(device, levelRecordOffset(first), items * kSmfLevelRecordSize, &bytes)) {
            *error = QCoreApplication::translate("SmfFile", "the level records cannot be read");
            return false;
        }
        for (qint64 i = 0; i < items; ++i)
            SmfLevelRecord::fromBytes(QByteArrayView(bytes).sliced(i * kSmfLevelRecordSize), &index->levels[first + i]);
    }
    const qint64 indexStart = tileIndexOffset(header.levelCount);
    index->tiles.resize(header.tileCount);
    for (qint64 first = 0; first < header.tileCount; first += kChunkItems) {
        const qint64 items = qMin<qint64>(kChunkItems, header.tileCount - first);
        if (!readAt(device, indexStart + first * kSmfTileIndexEntrySize, items * kSmfTileIndexEntrySize, &bytes)) {
            *error = QCoreApplication::translate("SmfFile", "the tile index cannot be read");
            return false;
        }
        for (qint64 i = 0; i < items; ++i)
            SmfTileIndexEntry::fromBytes(QByteArrayView(bytes).sliced(i * kSmfTileIndexEntrySize), &index->tiles[first + i]);
    }
    return true;
}

// Every level's tile grid, its range in the index and its size in pixels.
bool checkLevels(const SmfFileIndex &index, QString *error)
{
    const SmfHeader &header = index.header;
    const bool tileSizeUsable = header.tileWidth >= 1 && header.tileWidth <= kMaxTileSide
        && header.tileHeight >= 1 && header.tileHeight <= kMaxTileSide;
    for (int k = 0; k < header.levelCount; ++k) {
        const SmfLevelRecord &level = index.levels.at(k);
        if (level.tileColumns < 0 || level.tileRows < 0) {
            *error = QCoreApplication::translate("SmfFile", "level %1: negative tile grid (%2 x %3)")
                         .arg(k).arg(level.tileColumns).arg(level.tileRows);
            return false;
        }
        const qint64 count = qint64(level.tileColumns) * level.tileRows;
        if (count == 0)
            continue;
        if (!tileSizeUsable) {
            *error = QCoreApplication::translate("SmfFile", "the tile size %1 x %2 is outside 1..%3 pixels")
                         .arg(header.tileWidth).arg(header.tileHeight).arg(kMaxTileSide);
            return false;
        }
        if (level.firstTile < 0 || level.firstTile + count > header.tileCount) {
            *error = QCoreApplication::translate("SmfFile", "level %1: tiles %2 to %3 lie outside the tile index of %4 "
                                                            "entries")
                         .arg(k).arg(level.firstTile).arg(level.firstTile + count - 1).arg(header.tileCount);
            return false;
        }
        if (qint64(level.tileColumns) * header.tileWidth > std::numeric_limits<qint32>::max()
            || qint64(level.tileRows) * header.tileHeight > std::numeric_limits<qint32>::max()) {
            *error = QCoreApplication::translate("SmfFile", "level %1: the level is wider or taller than 2,147,483,647 "
                                                            "pixels").arg(k);
            return false;
        }
    }
    return true;
}

// Every index entry points at bytes after the index and inside the file.
bool checkTileEntries(const SmfFileIndex &index, QString *error)
{
    const qint64 indexEnd = tileDataOffset(index.header.levelCount, index.header.tileCount);
    for (int t = 0; t < index.header.tileCount; ++t) {
        const SmfTileIndexEntry &entry = index.tiles.at(t);
        if (entry.offset < indexEnd || qint64(entry.offset) + entry.size > index.fileSize) {
            *error = QCoreApplication::translate("SmfFile", "tile index entry %1 (offset %2, size %3) points outside "
                                                            "the tile data (bytes %4 to %5)")
                         .arg(t).arg(entry.offset).arg(entry.size).arg(indexEnd).arg(index.fileSize);
            return false;
        }
    }
    return true;
}

}  // namespace

bool readSmfStructure(QIODevice &device, SmfFileIndex *index, QString *error)
{
    if (!device.isReadable() || device.isSequential()) {
        *error = QCoreApplication::translate("SmfFile", "the file cannot be read");
        return false;
    }
    return readHeader(device, index, error) && readRecordsAndIndex(device, index, error)
        && checkLevels(*index, error) && checkTileEntries(*index, error);
}

namespace {

// Levels up to this size are assembled whatever their payloads hold.
constexpr qint64 kAlwaysAllowedBytes = 16 * 1024 * 1024;

// Copies one raw tile (bottom row first) into the level image at (x, y).
void copyRawTile(const QByteArray &raw, int tileWidth, int tileHeight, uchar *bits, qint64 bytesPerLine, int x,
                 int y)
{
    const qint64 stride = tileRowStride(tileWidth);
    const uchar *rows = reinterpret_cast<const uchar *>(raw.constData());
    for (int ty = 0; ty < tileHeight; ++ty) {
        const uchar *in = rows + stride * (tileHeight - 1 - ty);
        quint16 *out = reinterpret_cast<quint16 *>(bits + bytesPerLine * (y + ty)) + x;
        for (int tx = 0; tx < tileWidth; ++tx)
            out[tx] = qFromLittleEndian<quint16>(in + 2 * tx) & 0x7FFF;
    }
}

SmfLevelImage failure(const QString &error, SmfStatus status = SmfStatus::InvalidTiles)
{
    SmfLevelImage result;
    result.status = status;
    result.errorString = error;
    return result;
}

}  // namespace

SmfLevelImage assembleLevelImage(QIODevice &device, const SmfFileIndex &index, int level)
{
    if (level < 0 || level >= index.levels.size())
        return failure(QCoreApplication::translate("SmfFile", "the file has no level %1 (levels 0 to %2)")
                           .arg(level).arg(index.levels.size() - 1));
    const SmfLevelRecord &record = index.levels.at(level);
    const int tileWidth = index.header.tileWidth;
    const int tileHeight = index.header.tileHeight;
    if (record.tileColumns == 0 || record.tileRows == 0)
        return failure(QCoreApplication::translate("SmfFile", "level %1 has no tiles").arg(level));

    const qint64 width = qint64(record.tileColumns) * tileWidth;
    const qint64 height = qint64(record.tileRows) * tileHeight;
    qint64 payloadBytes = 0;
    for (int r = 0; r < record.tileRows; ++r) {
        for (int c = 0; c < record.tileColumns; ++c)
            payloadBytes += index.tile(level, c, r).size;
    }
    // Entries of a damaged file may share bytes; the level holds no more than the
    // file's tile data either way.
    payloadBytes = qMin(payloadBytes, index.fileSize - tileDataOffset(index.header.levelCount, index.header.tileCount));
    const qint64 imageBytes = width * height * 2;
    if (imageBytes > kAlwaysAllowedBytes && imageBytes > kMaxInflateRatio * payloadBytes) {
        return failure(QCoreApplication::translate("SmfFile", "level %1 claims %2 x %3 pixels, more than its %4 bytes "
                                                              "of tile data can hold")
                           .arg(level).arg(width).arg(height).arg(payloadBytes));
    }

    SmfLevelImage result;
    result.image = QImage(int(width), int(height), QImage::Format_RGB555);
    if (result.image.isNull())
        return failure(QCoreApplication::translate("SmfFile", "not enough memory for a %1 x %2 image")
                           .arg(width).arg(height), SmfStatus::OutOfMemory);
    result.image.fill(Qt::white);
    // Taken once here: the workers write disjoint tiles through it, never through QImage.
    uchar *const bits = result.image.bits();
    const qint64 bytesPerLine = result.image.bytesPerLine();

    // The payloads are read in index order, a batch at a time, and inflated on every core.
    const qint64 rawSize = index.rawTileBytes();
    const qint64 tiles = qint64(record.tileColumns) * record.tileRows;
    const int batchSize = qMax(16, 8 * QThreadPool::globalInstance()->maxThreadCount());
    // (column, row) of the tile at a position in index order.
    const auto tileAt = [&record](qint64 position) {
        return QPoint(int(position % record.tileColumns), int(position / record.tileColumns));
    };
    QVector<QByteArray> payloads;
    QVector<char> damaged;
    for (qint64 first = 0; first < tiles; first += batchSize) {
        const int count = int(qMin<qint64>(batchSize, tiles - first));
        payloads.resize(count);
        for (int k = 0; k < count; ++k) {
            const int c = tileAt(first + k).x();
            const int r = tileAt(first + k).y();
            const SmfTileIndexEntry &entry = index.tile(level, c, r);
            payloads[k] = device.seek(entry.offset) ? device.read(entry.size) : QByteArray();
            if (payloads.at(k).size() != qint64(entry.size)) {
                return failure(QCoreApplication::translate("SmfFile", "tile (%1, %2) of level %3 cannot be read: %4")
                                   .arg(c).arg(r).arg(level).arg(device.errorString()),
                               SmfStatus::ReadError);
            }
        }
        damaged.fill(0, count);
        QVector<int> positions(count);
        std::iota(positions.begin(), positions.end(), 0);
        QtConcurrent::blockingMap(positions, [&](int k) {
            const QByteArray raw = inflateTile(payloads.at(k), rawSize);
            if (raw.isNull()) {
                damaged[k] = 1;
                return;
            }
            const QPoint tile = tileAt(first + k);
            copyRawTile(raw, tileWidth, tileHeight, bits, bytesPerLine, tile.x() * tileWidth, tile.y() * tileHeight);
        });
        for (int k = 0; k < count; ++k) {
            if (damaged.at(k))
                result.damagedTiles.append(tileAt(first + k));
        }
    }
    return result;
}

QImage readSmfLayerImage(const QString &path, const QByteArray *fileBytes, int level)
{
    QFile file(path);
    QBuffer buffer;
    QIODevice *device = &file;
    if (fileBytes) {
        buffer.setData(*fileBytes);
        device = &buffer;
    }
    if (!device->open(QIODevice::ReadOnly))
        return QImage();
    SmfFileIndex index;
    QString error;
    if (!readSmfStructure(*device, &index, &error))
        return QImage();
    return assembleLevelImage(*device, index, level).image;
}

// Reading an SMF file into a project: one layer per level.



bool isEditableLevel(qint64 tileColumns, qint64 tileRows, qint64 tileWidth, qint64 tileHeight)
{
    if (tileColumns < 0 || tileRows < 0 || tileWidth < 0 || tileHeight < 0)
        return false;
    // 32-bit counts times sides of at most 100,000 pixels stay below 2^48; the
    // products of two such sides are bounded by quotients, never formed.
    const qint64 width = tileColumns * tileWidth;
    const qint64 height = tileRows * tileHeight;
    if (width == 0 || height == 0)
        return true;
    const qint64 imageWidth = width - tileWidth + 1;
    const qint64 imageHeight = height - tileHeight + 1;
    return imageWidth <= kMaxEditPixels / imageHeight && width <= 4 * kMaxEditPixels / height;
}

namespace {

MapLayer *layerForLevel(const QString &path, int level, int source, const SmfLevelRecord &r, const SmfHeader &h)
{
    auto *layer = new MapLayer;
    layer->sourcePath = path;
    layer->fromSmf = true;
    layer->smfLevel = quint8(level);
    layer->smfSource = quint8(source);
    layer->loaded = false;
    layer->topLeft = CalibrationPoint{r.topLeftX, r.topLeftY, r.topLeftLon, r.topLeftLat};
    layer->bottomRight = CalibrationPoint{r.bottomRightX, r.bottomRightY, r.bottomRightLon, r.bottomRightLat};
    if (r.bottomRightX == 0 || r.bottomRightY == 0) {
        // No calibration points stored (a converted tile folder): the level's corners.
        layer->topLeft.lon = r.left;
        layer->topLeft.lat = r.top;
        layer->bottomRight.lon = r.right;
        layer->bottomRight.lat = r.bottom;
        layer->bottomRight.pixelX = qint32(qint64(r.tileColumns) * h.tileWidth);
        layer->bottomRight.pixelY = qint32(qint64(r.tileRows) * h.tileHeight);
    }
    layer->topLeftLonSet = layer->topLeftLatSet = true;
    layer->bottomRightLonSet = layer->bottomRightLatSet = true;
    layer->updateScales();
    return layer;
}

}  // namespace

SmfStatus openSmf(MapProject &project, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        project.setErrorString(
            QCoreApplication::translate("SmfFile", "cannot open %1: %2").arg(path, file.errorString()));
        return SmfStatus::ReadError;
    }
    SmfFileIndex index;
    QString error;
    if (!readSmfStructure(file, &index, &error)) {
        project.setErrorString(error);
        return SmfStatus::InvalidFile;
    }
    const SmfHeader &header = index.header;
    // A layer names its level and its file in 8 bits, 255 meaning none.
    if (header.levelCount > 255) {
        project.setErrorString(QCoreApplication::translate("SmfFile", "the file has %1 levels; at most 255 can be "
                                                                      "opened").arg(header.levelCount));
        return SmfStatus::InvalidFile;
    }
    if (project.smfImages.size() >= MapLayer::kNone) {
        project.setErrorString(QCoreApplication::translate("SmfFile", "too many SMF files in one project"));
        return SmfStatus::InvalidProject;
    }
    if (!project.browseMode) {
        for (int k = 0; k < header.levelCount; ++k) {
            const SmfLevelRecord &r = index.levels[k];
            if (!isEditableLevel(r.tileColumns, r.tileRows, header.tileWidth, header.tileHeight)) {
                project.setErrorString(
                    QCoreApplication::translate("SmfFile", "level %1 has more than 10,000 x 10,000 pixels").arg(k));
                return SmfStatus::TooLarge;
            }
        }
    }

    // An editing project keeps the whole file, a browse project header, records and index.
    const qint64 keep = project.browseMode ? tileDataOffset(header.levelCount, header.tileCount) : index.fileSize;
    if (!file.seek(0)) {
        project.setErrorString(QCoreApplication::translate("SmfFile", "cannot read %1").arg(path));
        return SmfStatus::ReadError;
    }
    QByteArray bytes;
    try {
        bytes = file.read(keep);
    } catch (const std::bad_alloc &) {
        bytes.clear();
    }
    if (bytes.size() != keep) {
        project.setErrorString(
            QCoreApplication::translate("SmfFile", "cannot read %1: %2").arg(path, file.errorString()));
        return SmfStatus::ReadError;
    }

    const int source = int(project.smfImages.size());
    project.smfLevelDecoder = readSmfLayerImage;
    project.smfImages.append(bytes);
    project.filePath = path;
    project.tileWidth = header.tileWidth;
    project.tileHeight = header.tileHeight;
    project.cartographer = header.cartographer;
    project.mapName = header.mapName;
    for (int k = 0; k < header.levelCount; ++k)
        project.layers.append(layerForLevel(path, k, source, index.levels[k], header));
    return SmfStatus::Ok;
}
