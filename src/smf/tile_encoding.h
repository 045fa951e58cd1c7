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

// Deflate never expands data by more than this factor, so no payload of n bytes
// inflates to more than kMaxInflateRatio x n bytes.
inline constexpr qint64 kMaxInflateRatio = 1032;

// The decompressed bytes of a payload that inflates to exactly rawSize bytes.
// Returns a null array for anything else (damaged stream, shorter or longer data),
// without allocating when rawSize is more than the payload could inflate to.
QByteArray inflateTile(QByteArrayView payload, qint64 rawSize);

// The 54-byte bitmap file and info header that turns a raw tile of
// tileWidth x tileHeight pixels (rawLength bytes) into a 16-bit bottom-up BMP.
QByteArray tileBitmapHeader(qint32 tileWidth, qint32 tileHeight, quint32 rawLength);

// Decodes a payload as the image library decodes the equivalent 16-bit BMP file.
// Returns a null image when the payload does not inflate to the full raw tile,
// without allocating when the tile is larger than the payload could inflate to.
QImage decodeTile(QByteArrayView payload, qint32 tileWidth, qint32 tileHeight);
