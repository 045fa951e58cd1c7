#include "smf/smf_tile_index_entry.h"

#include <QtEndian>

#include "smf/smf_layout.h"

QByteArray SmfTileIndexEntry::toBytes() const
{
    QByteArray bytes(kSmfTileIndexEntrySize, '\0');
    uchar *out = reinterpret_cast<uchar *>(bytes.data());
    qToLittleEndian<quint32>(offset, out);
    qToLittleEndian<quint32>(size, out + 4);
    return bytes;
}

bool SmfTileIndexEntry::fromBytes(QByteArrayView bytes, SmfTileIndexEntry *entry)
{
    if (bytes.size() < kSmfTileIndexEntrySize)
        return false;
    const uchar *in = reinterpret_cast<const uchar *>(bytes.data());
    entry->offset = qFromLittleEndian<quint32>(in);
    entry->size = qFromLittleEndian<quint32>(in + 4);
    return true;
}
