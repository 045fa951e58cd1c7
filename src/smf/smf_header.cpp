#include "smf/smf_header.h"

#include <QtEndian>

#include "smf/smf_text_field.h"

QByteArray SmfHeader::toBytes() const
{
    QByteArray bytes(kSmfHeaderSize, '\0');
    uchar *out = reinterpret_cast<uchar *>(bytes.data());
    qToLittleEndian<quint16>(magic, out + 0);
    qToLittleEndian<quint16>(version, out + 2);
    bytes.replace(4, 64, encodeSmfText(cartographer));
    bytes.replace(68, 64, encodeSmfText(mapName));
    out = reinterpret_cast<uchar *>(bytes.data());
    qToLittleEndian<qint32>(levelCount, out + 132);
    qToLittleEndian<qint32>(tileCount, out + 136);
    qToLittleEndian<qint32>(tileWidth, out + 140);
    qToLittleEndian<qint32>(tileHeight, out + 144);
    return bytes;
}

bool SmfHeader::fromBytes(QByteArrayView bytes, SmfHeader *header)
{
    if (bytes.size() < kSmfHeaderSize)
        return false;
    const uchar *in = reinterpret_cast<const uchar *>(bytes.data());
    header->magic = qFromLittleEndian<quint16>(in + 0);
    header->version = qFromLittleEndian<quint16>(in + 2);
    header->cartographer = decodeSmfText(bytes.data() + 4);
    header->mapName = decodeSmfText(bytes.data() + 68);
    header->levelCount = qFromLittleEndian<qint32>(in + 132);
    header->tileCount = qFromLittleEndian<qint32>(in + 136);
    header->tileWidth = qFromLittleEndian<qint32>(in + 140);
    header->tileHeight = qFromLittleEndian<qint32>(in + 144);
    return true;
}
