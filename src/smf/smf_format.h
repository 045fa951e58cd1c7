#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QRect>
#include <QRgb>
#include <QString>
#include <QtGlobal>

#include <memory>

struct SmfLevelRecord;

// Sizes and offsets of an SMF file. The file is the header, L level records, T tile
// index entries, then the tile payloads back to back in index order.
inline constexpr quint16 kSmfMagic = 0x172A;
inline constexpr quint16 kSmfVersion = 2;
inline constexpr int kSmfHeaderSize = 148;
inline constexpr int kSmfLevelRecordSize = 288;
inline constexpr int kSmfTileIndexEntrySize = 8;
inline constexpr int kSmfTextFieldUnits = 32;  // UTF-16 code units in a 64-byte text field

// File offset of level record k: 148 + 288 k.
qint64 levelRecordOffset(qint64 level);

// File offset of the first tile index entry: 148 + 288 L.
qint64 tileIndexOffset(qint64 levelCount);

// File offset of the first payload: 148 + 288 L + 8 T.
qint64 tileDataOffset(qint64 levelCount, qint64 tileCount);

// Position in the tile index of tile (column, row) of a level:
// firstTile + row x tileColumns + column. Its entry lies at
// tileIndexOffset(L) + 8 x position.
qint64 tileIndexPosition(const SmfLevelRecord &record, qint64 column, qint64 row);

// Bytes per stored pixel row of a tile: 2 x tileWidth rounded up to a multiple of 4.
qint64 tileRowStride(qint64 tileWidth);

// Bytes of one uncompressed tile: row stride x tileHeight.
qint64 rawTileSize(qint64 tileWidth, qint64 tileHeight);

// The fixed text fields of an SMF header: 64 bytes holding 32 UTF-16LE code units,
// zero-padded, with no terminating 0 when the text fills the field.

// The 64 bytes of a text field. Text longer than 32 code units is cut to 32, or to
// 31 when the cut would split a surrogate pair.
QByteArray encodeSmfText(const QString &text);

// The code units of a 64-byte field up to the first 0 unit or the end of the field.
// field must point at 64 readable bytes.
QString decodeSmfText(const char *field);

// A copy of text in which every unpaired surrogate is replaced by U+FFFD, so that it
// converts to valid UTF-8.
QString withUnpairedSurrogatesReplaced(const QString &text);

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

// One 288-byte level record of an SMF file (little-endian on disk). Geographic
// values are milliarcseconds, pixel values count from the level's top-left pixel.
// The 224 reserved bytes at the end are written as 0 and not kept when read.
struct SmfLevelRecord
{
    qint32 left = 0;            // longitude at pixel x = 0
    qint32 top = 0;             // latitude at pixel y = 0
    qint32 right = 0;           // longitude at pixel x = tileColumns x tileWidth
    qint32 bottom = 0;          // latitude at pixel y = tileRows x tileHeight
    qint32 tileColumns = 0;
    qint32 tileRows = 0;
    qint32 verticalScale = 0;   // milliarcseconds of latitude per pixel, truncated
    qint32 firstTile = 0;       // tile index position of the level's top-left tile
    qint32 topLeftLon = 0;
    qint32 topLeftLat = 0;
    qint32 topLeftX = 0;
    qint32 topLeftY = 0;
    qint32 bottomRightLon = 0;
    qint32 bottomRightLat = 0;
    qint32 bottomRightX = 0;    // 0 (or bottomRightY 0): no calibration points stored
    qint32 bottomRightY = 0;

    // The 288 bytes of the record.
    QByteArray toBytes() const;

    // Reads a record from the first 288 bytes of bytes. Returns false, leaving record
    // untouched, when fewer than 288 bytes are given.
    static bool fromBytes(QByteArrayView bytes, SmfLevelRecord *record);

    bool operator==(const SmfLevelRecord &other) const;
    bool operator!=(const SmfLevelRecord &other) const { return !(*this == other); }
};

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

// Pixels of one tile as stored in an SMF file: X1R5G5B5 little-endian words (blue
// in bits 0-4, green 5-9, red 10-14, bit 15 zero), bottom row first, each row padded
// with zero bytes to a multiple of 4 bytes; each tile one zlib stream.

// Raw bytes of a tile image (rawTileSize of its size). Each 8-bit component keeps its
// top 5 bits (no rounding); alpha is ignored. Images that are not 32-bit RGB are
// converted first.
QByteArray encodeTilePixels(const QImage &tile);

// The stored words of count ARGB32 pixels (not premultiplied), little-endian: each
// pixel drawn over fill first (component x alpha + fill x (255 - alpha), divided by
// 255 and rounded), then each component cut to its top 5 bits.
void encodePixelRow(const QRgb *pixels, int count, QRgb fill, uchar *out);

// The stored word of an opaque colour.
quint16 tilePixelWord(QRgb colour);

// Deflate levels of tile payloads: 1 is the fastest, 12 the smallest.
inline constexpr int kMinDeflateLevel = 1;
inline constexpr int kMaxDeflateLevel = 12;
inline constexpr int kDefaultDeflateLevel = 6;

// One complete zlib stream of raw at level (kMinDeflateLevel to kMaxDeflateLevel),
// the same bytes on every run and thread. Returns an empty array when memory runs out.
QByteArray compressTile(QByteArrayView raw, int level = kDefaultDeflateLevel);

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

// A band of image rows already encoded as stored words (encodePixelRow), top row
// first: the rows of one row of tiles. Tiles are cut from it on any number of
// threads at once.
struct TileStrip
{
    int width = 0;  // pixels per row
    int rows = 0;   // rows held, at most the tile height
    std::unique_ptr<quint16[]> words;  // width x rows

    // Allocates width x rows words; false when memory runs out.
    bool allocate(int stripWidth, int stripRows);
    uchar *row(int y) { return reinterpret_cast<uchar *>(words.get() + qint64(y) * width); }
    const uchar *row(int y) const { return reinterpret_cast<const uchar *>(words.get() + qint64(y) * width); }
};

// The payload of the tile of tileWidth x tileHeight pixels whose left edge lies at
// column x of strip: stored bottom row first, its parts beyond the strip's width and
// rows taking fill. Returns an empty array when memory runs out.
QByteArray stripTile(const TileStrip &strip, int x, int tileWidth, int tileHeight, QRgb fill, int level);

// Cuts one tile out of an image, encodes it and compresses it: the result is the
// tile's payload in the SMF file. tileRect is the tile's rectangle in image pixels
// and gives the tile size; the parts of it outside the image take fillColour, and
// transparent image pixels are drawn over fillColour as encodePixelRow does. The
// same bytes result as from tiling the image strip by strip. Safe to run on several
// threads at once. Returns an empty array when memory runs out.
QByteArray cutTile(const QImage &image, const QRect &tileRect, QRgb fillColour, int level = kDefaultDeflateLevel);

// Results of writing an SMF file, by a save or a conversion. Every failure leaves the
// output path as it was: no file, or the older file intact.
enum class SmfStatus : quint8 {
    Ok,
    NoTiles,           // a tile folder without tiles; nothing written
    WriteError,        // the file could not be created, written or committed
    TooLarge,          // the file would pass 2,147,483,647 bytes, or a level is too large to edit
    ImageError,        // a layer's image could not be decoded
    CalibrationError,  // a degenerate calibration or an extent beyond 32 bits
    Cancelled,         // the progress reporter asked to stop
    OutOfMemory,       // a tile could not be encoded for lack of memory
    InvalidProject,    // no file path, or a tile size that is not positive
    ReadError,         // a file, a tile folder or a file in it cannot be read
    InvalidTiles,      // names, sidecars, images or a grid that do not make a map
    OutputIsInput,     // the output would replace one of the inputs, or is not a file that can be
                       // replaced (a folder, a device, a pipe, a socket)
    InvalidFile,       // not an SMF file, or one damaged in its structure
};
