#include "smf/smf_file_index.h"

#include <limits>

#include "smf/smf_layout.h"

namespace {

constexpr qint64 kMaxTileSide = 100000;  // pixels

bool readAt(QIODevice &device, qint64 offset, qint64 length, QByteArray *bytes)
{
    if (!device.seek(offset))
        return false;
    *bytes = device.read(length);
    return bytes->size() == length;
}

QString levelError(int level, const QString &what)
{
    return QStringLiteral("level %1: %2").arg(level).arg(what);
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

bool readSmfStructure(QIODevice &device, SmfFileIndex *index, QString *error)
{
    if (!device.isReadable() || device.isSequential()) {
        *error = QStringLiteral("the file cannot be read");
        return false;
    }
    index->fileSize = device.size();
    QByteArray bytes;
    if (index->fileSize < kSmfHeaderSize || !readAt(device, 0, kSmfHeaderSize, &bytes)) {
        *error = QStringLiteral("the file is too short for an SMF header (%1 of %2 bytes)")
                     .arg(index->fileSize).arg(kSmfHeaderSize);
        return false;
    }
    SmfHeader &header = index->header;
    SmfHeader::fromBytes(bytes, &header);
    if (header.magic != kSmfMagic) {
        *error = QStringLiteral("not an SMF file (magic number 0x%1, expected 0x%2)")
                     .arg(header.magic, 4, 16, QLatin1Char('0')).arg(kSmfMagic, 4, 16, QLatin1Char('0'));
        return false;
    }
    if (header.levelCount < 0 || header.tileCount < 0) {
        *error = QStringLiteral("the header gives a negative count (%1 levels, %2 tiles)")
                     .arg(header.levelCount).arg(header.tileCount);
        return false;
    }
    const qint64 indexEnd = tileDataOffset(header.levelCount, header.tileCount);
    if (indexEnd > index->fileSize) {
        *error = QStringLiteral("the file is truncated: %1 levels and %2 tiles need %3 bytes before the "
                                "tile data, the file has %4")
                     .arg(header.levelCount).arg(header.tileCount).arg(indexEnd).arg(index->fileSize);
        return false;
    }
    if (header.tileWidth < 0 || header.tileHeight < 0) {
        *error = QStringLiteral("the header gives a negative tile size (%1 x %2)")
                     .arg(header.tileWidth).arg(header.tileHeight);
        return false;
    }

    // Records and index lie inside the file, and are read in bounded chunks, so that
    // what is allocated stays within the file's size.
    constexpr qint64 kChunkItems = 4096;
    index->levels.resize(header.levelCount);
    for (qint64 first = 0; first < header.levelCount; first += kChunkItems) {
        const qint64 items = qMin<qint64>(kChunkItems, header.levelCount - first);
        if (!readAt(device, levelRecordOffset(first), items * kSmfLevelRecordSize, &bytes)) {
            *error = QStringLiteral("the level records cannot be read");
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
            *error = QStringLiteral("the tile index cannot be read");
            return false;
        }
        for (qint64 i = 0; i < items; ++i)
            SmfTileIndexEntry::fromBytes(QByteArrayView(bytes).sliced(i * kSmfTileIndexEntrySize), &index->tiles[first + i]);
    }

    const bool tileSizeUsable = header.tileWidth >= 1 && header.tileWidth <= kMaxTileSide
        && header.tileHeight >= 1 && header.tileHeight <= kMaxTileSide;
    for (int k = 0; k < header.levelCount; ++k) {
        const SmfLevelRecord &level = index->levels.at(k);
        if (level.tileColumns < 0 || level.tileRows < 0) {
            *error = levelError(k, QStringLiteral("negative tile grid (%1 x %2)")
                                       .arg(level.tileColumns).arg(level.tileRows));
            return false;
        }
        const qint64 count = qint64(level.tileColumns) * level.tileRows;
        if (count == 0)
            continue;
        if (!tileSizeUsable) {
            *error = QStringLiteral("the tile size %1 x %2 is outside 1..%3 pixels")
                         .arg(header.tileWidth).arg(header.tileHeight).arg(kMaxTileSide);
            return false;
        }
        if (level.firstTile < 0 || level.firstTile + count > header.tileCount) {
            *error = levelError(k, QStringLiteral("tiles %1 to %2 lie outside the tile index of %3 entries")
                                       .arg(level.firstTile).arg(level.firstTile + count - 1)
                                       .arg(header.tileCount));
            return false;
        }
        if (qint64(level.tileColumns) * header.tileWidth > std::numeric_limits<qint32>::max()
            || qint64(level.tileRows) * header.tileHeight > std::numeric_limits<qint32>::max()) {
            *error = levelError(k, QStringLiteral("the level is wider or taller than 2,147,483,647 pixels"));
            return false;
        }
    }
    for (int t = 0; t < header.tileCount; ++t) {
        const SmfTileIndexEntry &entry = index->tiles.at(t);
        if (entry.offset < indexEnd || qint64(entry.offset) + entry.size > index->fileSize) {
            *error = QStringLiteral("tile index entry %1 (offset %2, size %3) points outside the tile data "
                                    "(bytes %4 to %5)")
                         .arg(t).arg(entry.offset).arg(entry.size).arg(indexEnd).arg(index->fileSize);
            return false;
        }
    }
    return true;
}
