#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QtGlobal>

// Pixels of one tile as stored in an SMF file: X1R5G5B5 little-endian words (blue
// in bits 0-4, green 5-9, red 10-14, bit 15 zero), bottom row first, each row padded
// with zero bytes to a multiple of 4 bytes; each tile one zlib stream.

// Raw bytes of a tile image (rawTileSize of its size). Each 8-bit component keeps its
// top 5 bits (no rounding); alpha is ignored. Images that are not 32-bit RGB are
// converted first.
QByteArray encodeTilePixels(const QImage &tile);

// One complete zlib stream of raw at zlib's default level. Returns an empty array
// when zlib fails (out of memory).
QByteArray compressTile(QByteArrayView raw);

// The decompressed bytes of a payload that inflates to exactly rawSize bytes.
// Returns a null array for anything else (damaged stream, shorter or longer data).
QByteArray inflateTile(QByteArrayView payload, qint64 rawSize);

// The 54-byte bitmap file and info header that turns a raw tile of
// tileWidth x tileHeight pixels (rawLength bytes) into a 16-bit bottom-up BMP.
QByteArray tileBitmapHeader(qint32 tileWidth, qint32 tileHeight, quint32 rawLength);

// Decodes a payload as the image library decodes the equivalent 16-bit BMP file.
// Returns a null image when the payload does not inflate to the full raw tile.
QImage decodeTile(QByteArrayView payload, qint32 tileWidth, qint32 tileHeight);
