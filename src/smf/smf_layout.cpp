#include "smf/smf_layout.h"

#include "smf/smf_level_record.h"

qint64 levelRecordOffset(qint64 level)
{
    return kSmfHeaderSize + kSmfLevelRecordSize * level;
}

qint64 tileIndexOffset(qint64 levelCount)
{
    return levelRecordOffset(levelCount);
}

qint64 tileDataOffset(qint64 levelCount, qint64 tileCount)
{
    return tileIndexOffset(levelCount) + kSmfTileIndexEntrySize * tileCount;
}

qint64 tileIndexPosition(const SmfLevelRecord &record, qint64 column, qint64 row)
{
    return record.firstTile + row * record.tileColumns + column;
}

qint64 tileRowStride(qint64 tileWidth)
{
    return (2 * tileWidth + 3) / 4 * 4;
}

qint64 rawTileSize(qint64 tileWidth, qint64 tileHeight)
{
    return tileRowStride(tileWidth) * tileHeight;
}
