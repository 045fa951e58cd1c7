#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

// One 8-byte tile index entry of an SMF file (little-endian on disk).
struct SmfTileIndexEntry
{
    quint32 offset = 0;  // file offset of the tile's payload, bytes
    quint32 size = 0;    // payload length, bytes

    // The 8 bytes of the entry.
    QByteArray toBytes() const;

    // Reads an entry from the first 8 bytes of bytes. Returns false, leaving entry
    // untouched, when fewer than 8 bytes are given.
    static bool fromBytes(QByteArrayView bytes, SmfTileIndexEntry *entry);
};
