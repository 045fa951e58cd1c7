#pragma once

// The pixels of a raster the warp resamples itself, as opaque ARGB32 words: decoded
// by GDAL a block at a time, each block once, and held (in the raster's own bytes: one
// or three a pixel) for the strips of the warp that need it until none will. Only .cpp
// files include this header.

#include <QString>
#include <QtGlobal>

#include <array>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include <gdal.h>

class WarpSource
{
public:
    // Whether the raster is one this class reads: 8-bit grey, palette colours whose
    // every entry is opaque, or red, green and blue (three bands, or four whose fourth
    // is no alpha band), every pixel valid (no nodata value, alpha band or mask), in
    // blocks of at most 16 megapixels.
    static bool reads(GDALDatasetH raster);

    // raster must pass reads() and stay open while this lives. Decoded pixels beyond
    // mostHeldBytes are forgotten, those read longest ago first (see forgetBefore).
    WarpSource(GDALDatasetH raster, std::size_t mostHeldBytes);

    int width() const { return m_width; }
    int height() const { return m_height; }

    // Copies the pixels of the rectangle (on the raster) into words, rows stride words
    // apart. strip numbers the warp's strip that reads them (see forgetBefore), and
    // stripTop is the topmost raster row any of its reads needs. False with *error when a
    // block cannot be decoded. Safe to call from several threads.
    bool read(int left, int top, int width, int height, quint32 *words, qsizetype stride, int strip,
              int stripTop, QString *error);

    // Whether the warp's windows move down the raster, strip by strip (a sheet not
    // turned over): rows a decoder that reads in order passes on the way to a window are
    // then not needed by later strips.
    void setMovesDown(bool movesDown) { m_movesDown = movesDown; }

    // Strip `strip` has been read: forgets the pixels that no strip from `strip` on has
    // read (those it read, the next strips may read too). The warp moves down the level,
    // so what it has left behind is not needed again (and is decoded again if it is).
    void forgetBefore(int strip);

private:
    // A block is kept as slices of a few rows, each forgotten on its own: a strip of the
    // warp reads a few rows of a tile, and the rows above them are not read again.
    struct Slice
    {
        std::vector<quint8> bytes;  // grey or palette values, or red, green and blue
        int lastStrip = 0;          // kUnread until a strip reads it
    };
    // Decodes a block into slices marked with lastStrip.
    bool decode(int column, int blockRow, int lastStrip, QString *error);
    std::unordered_map<qint64, std::shared_ptr<Slice>>::iterator
    forget(std::unordered_map<qint64, std::shared_ptr<Slice>>::iterator held);
    void forgetLeastRecent();
    void toWords(const quint8 *bytes, int count, quint32 *words) const;
    qint64 key(int column, int sliceRow) const { return qint64(sliceRow) * m_blockColumns + column; }

    GDALDatasetH m_raster;
    int m_width = 0;
    int m_height = 0;
    int m_bandCount = 0;      // 1 (grey or palette) or 3, bytes a pixel
    int m_blockWidth = 0;     // decoded at once
    int m_blockHeight = 0;
    int m_sliceHeight = 0;    // kept and forgotten at once, a whole part of m_blockHeight
    int m_blockColumns = 0;
    std::array<quint32, 256> m_colours{};  // one band: the word of each value
    std::mutex m_mutex;
    std::unordered_map<qint64, std::shared_ptr<Slice>> m_slices;
    std::vector<std::vector<quint8>> m_spare;  // memory of forgotten slices, for new ones
    std::size_t m_heldBytes = 0;               // of the slices
    std::size_t m_mostHeldBytes = 0;
    bool m_sequential = false;  // the decoder reads rows in order, starting again to go back
    int m_nextBlockRow = 0;     // where such a decoder stands
    bool m_movesDown = false;
    int m_firstUnread = 0;      // the first strip not read yet (by forgetBefore)
};
