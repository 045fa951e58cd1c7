#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include "smf/smf_layout.h"

// The 148-byte header at the start of an SMF file (little-endian on disk).
struct SmfHeader
{
    quint16 magic = kSmfMagic;
    quint16 version = kSmfVersion;
    QString cartographer;  // at most 32 UTF-16 code units are stored
    QString mapName;       // at most 32 UTF-16 code units are stored
    qint32 levelCount = 0;
    qint32 tileCount = 0;
    qint32 tileWidth = 0;   // pixels
    qint32 tileHeight = 0;  // pixels

    // The 148 bytes of the header.
    QByteArray toBytes() const;

    // Reads the header from the first 148 bytes of bytes. Returns false, leaving
    // header untouched, when fewer than 148 bytes are given.
    static bool fromBytes(QByteArrayView bytes, SmfHeader *header);
};
