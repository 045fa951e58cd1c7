// The raster's pixels for the warp, decoded block by block and shared between strips.

#include "raster/warp_source.h"

#include <QCoreApplication>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <limits>

#include "raster/gdal_support.h"

namespace {

constexpr quint32 kOpaque = 0xff000000u;
// A block is a whole number of GDAL's blocks at least this many pixels a side (or the
// raster's side): a block of a PNG or a JPEG, read a row at a time, is many rows. Those
// decoders' blocks are a slice high: the rows of a whole-width block are held until the
// warp has passed them, and a mosaic holds the blocks of every sheet across its strip.
constexpr int kLeastBlockSide = 64;
constexpr qint64 kMostBlockPixels = 16 * 1024 * 1024;
// Rows of a block kept and forgotten at once, when the block's height is a multiple.
constexpr int kSliceHeight = 16;
// A slice decoded ahead of the strips that will read it.
constexpr int kUnread = std::numeric_limits<int>::max();
// Memory of forgotten slices kept for new ones: decoding into memory just freed spares
// the allocator the churn that leaves its heap larger than what it holds. A few: the
// rows of a collar, decoded on the way to a sheet's face and then forgotten at once,
// would otherwise stay as spares for as long as the sheet is open.
constexpr std::size_t kSpareSlices = 4;
// The drivers that decode from the top and start again to go back: their rows are read
// in order, each kept on the way to the one asked for.
const char *const kSequentialDrivers[] = {"PNG", "JPEG", "GIF", "BIGGIF"};

int blockSide(int own, int rasterSide, int least = kLeastBlockSide)
{
    const int side = own * ((least + own - 1) / own);
    return std::min(std::max(own, side), rasterSide);
}

}  // namespace

bool WarpSource::reads(GDALDatasetH raster)
{
    const int count = GDALGetRasterCount(raster);
    if (count != 1 && count != 3 && count != 4)
        return false;
    if (count == 4 && GDALGetRasterColorInterpretation(GDALGetRasterBand(raster, 4)) == GCI_AlphaBand)
        return false;
    for (int band = 1; band <= std::min(count, 3); ++band) {
        const GDALRasterBandH own = GDALGetRasterBand(raster, band);
        if (GDALGetRasterDataType(own) != GDT_Byte || GDALGetMaskFlags(own) != GMF_ALL_VALID)
            return false;
    }
    const GDALRasterBandH first = GDALGetRasterBand(raster, 1);
    if (const GDALColorTableH table = GDALGetRasterColorTable(first)) {
        if (count != 1 || GDALGetPaletteInterpretation(table) != GPI_RGB)
            return false;
        for (int i = 0; i < GDALGetColorEntryCount(table); ++i) {
            if (GDALGetColorEntry(table, i)->c4 != 255)
                return false;
        }
    }
    int width = 0;
    int height = 0;
    GDALGetBlockSize(first, &width, &height);
    return width > 0 && height > 0
        && qint64(blockSide(width, GDALGetRasterXSize(raster))) * blockSide(height, GDALGetRasterYSize(raster))
        <= kMostBlockPixels;
}

WarpSource::WarpSource(GDALDatasetH raster, std::size_t mostHeldBytes)
    : m_raster(raster), m_width(GDALGetRasterXSize(raster)), m_height(GDALGetRasterYSize(raster)),
      m_bandCount(GDALGetRasterCount(raster) == 1 ? 1 : 3), m_mostHeldBytes(mostHeldBytes)
{
    const char *driver = GDALGetDriverShortName(GDALGetDatasetDriver(raster));
    for (const char *sequential : kSequentialDrivers)
        m_sequential = m_sequential || (driver && std::strcmp(driver, sequential) == 0);
    const GDALRasterBandH first = GDALGetRasterBand(raster, 1);
    GDALGetBlockSize(first, &m_blockWidth, &m_blockHeight);
    m_blockWidth = blockSide(m_blockWidth, m_width);
    m_blockHeight = blockSide(m_blockHeight, m_height, m_sequential ? kSliceHeight : kLeastBlockSide);
    m_sliceHeight = m_blockHeight % kSliceHeight == 0 ? kSliceHeight : m_blockHeight;
    m_blockColumns = (m_width + m_blockWidth - 1) / m_blockWidth;
    // One band: grey, or palette colours (a value the table lacks is black).
    const GDALColorTableH table = GDALGetRasterColorTable(first);
    const int entries = table ? GDALGetColorEntryCount(table) : 0;
    for (int i = 0; i < 256; ++i) {
        quint32 &colour = m_colours[std::size_t(i)];
        if (!table) {
            colour = kOpaque | quint32(i) * 0x010101u;
        } else if (i < entries) {
            const GDALColorEntry *entry = GDALGetColorEntry(table, i);
            colour = kOpaque | quint32(entry->c1) << 16 | quint32(entry->c2) << 8 | quint32(entry->c3);
        } else {
            colour = kOpaque;
        }
    }
}

bool WarpSource::decode(int column, int blockRow, int lastStrip, QString *error)
{
    const int left = column * m_blockWidth;
    const int top = blockRow * m_blockHeight;
    const int width = std::min(m_blockWidth, m_width - left);
    const int height = std::min(m_blockHeight, m_height - top);
    std::vector<quint8> bytes(std::size_t(width) * std::size_t(height) * std::size_t(m_bandCount));
    GdalErrors errors;
    int bands[] = {1, 2, 3};
    const CPLErr result = GDALDatasetRasterIO(m_raster, GF_Read, left, top, width, height, bytes.data(), width,
                                              height, GDT_Byte, m_bandCount, bands, m_bandCount,
                                              m_bandCount * width, 1);
    // GDAL's own copy of the block is not read again.
    GDALFlushCache(m_raster);
    if (result != CE_None) {
        *error = errors.text(QCoreApplication::translate("GeoRaster", "the raster cannot be read"));
        return false;
    }
    const std::size_t rowBytes = std::size_t(width) * std::size_t(m_bandCount);
    for (int sliceTop = 0; sliceTop < height; sliceTop += m_sliceHeight) {
        const qint64 at = key(column, (top + sliceTop) / m_sliceHeight);
        if (m_slices.count(at))
            continue;  // still held from an earlier decode
        auto slice = std::make_shared<Slice>();
        slice->lastStrip = lastStrip;
        if (!m_spare.empty()) {
            slice->bytes = std::move(m_spare.back());
            m_spare.pop_back();
        }
        const int rows = std::min(m_sliceHeight, height - sliceTop);
        const quint8 *from = bytes.data() + std::size_t(sliceTop) * rowBytes;
        slice->bytes.assign(from, from + std::size_t(rows) * rowBytes);
        m_heldBytes += slice->bytes.size();
        m_slices.emplace(at, std::move(slice));
    }
    return true;
}

void WarpSource::toWords(const quint8 *bytes, int count, quint32 *words) const
{
    if (m_bandCount == 1) {
        for (int i = 0; i < count; ++i)
            words[i] = m_colours[bytes[i]];
        return;
    }
    // Red, green and blue, and the next pixel's red read with them: byte-swapped and
    // shifted, the three are the word's low bytes. The last pixel is read on its own,
    // as no byte follows it.
    for (int i = 0; i < count - 1; ++i, bytes += 3) {
        quint32 four;
        std::memcpy(&four, bytes, sizeof four);
        words[i] = kOpaque | qFromBigEndian(four) >> 8;
    }
    if (count > 0)
        words[count - 1] = kOpaque | quint32(bytes[0]) << 16 | quint32(bytes[1]) << 8 | quint32(bytes[2]);
}

bool WarpSource::read(int left, int top, int width, int height, quint32 *words, qsizetype stride, int strip,
                      int stripTop, QString *error)
{
    const int firstColumn = left / m_blockWidth;
    const int lastColumn = (left + width - 1) / m_blockWidth;
    const int firstSlice = top / m_sliceHeight;
    const int lastSlice = (top + height - 1) / m_sliceHeight;
    std::vector<std::shared_ptr<const Slice>> slices;
    {
        // One dataset decodes for every thread, so blocks are decoded one at a time.
        const std::lock_guard<std::mutex> lock(m_mutex);
        for (int sliceRow = firstSlice; sliceRow <= lastSlice; ++sliceRow) {
            for (int column = firstColumn; column <= lastColumn; ++column) {
                auto held = m_slices.find(key(column, sliceRow));
                if (held == m_slices.end()) {
                    const int blockRow = sliceRow * m_sliceHeight / m_blockHeight;
                    // A decoder that reads in order decodes the rows before anyway. When
                    // the warp moves down, no strip from this one on reads rows above its
                    // window, so those are kept only while this strip is, for the strips
                    // before it still running, and not at all above the strip's topmost
                    // row when none is (a sheet's collar above its face would otherwise
                    // be held until the sheet is closed); a sheet turned over reads them
                    // next.
                    int from = m_sequential ? std::min(m_nextBlockRow, blockRow) : blockRow;
                    if (m_movesDown && strip <= m_firstUnread)
                        from = std::max(from, std::min(blockRow, stripTop / m_blockHeight));
                    for (int row = from; row <= blockRow; ++row) {
                        if (!decode(column, row, row < blockRow && m_movesDown ? strip : kUnread, error))
                            return false;
                    }
                    m_nextBlockRow = blockRow + 1;
                    held = m_slices.find(key(column, sliceRow));
                }
                Slice &slice = *held->second;
                slice.lastStrip = slice.lastStrip == kUnread ? strip : std::max(slice.lastStrip, strip);
                slices.push_back(held->second);
            }
        }
        if (m_heldBytes > m_mostHeldBytes)
            forgetLeastRecent();
    }
    auto slice = slices.cbegin();
    for (int sliceRow = firstSlice; sliceRow <= lastSlice; ++sliceRow) {
        const int sliceTop = sliceRow * m_sliceHeight;
        const int from = std::max(top, sliceTop);
        const int to = std::min(top + height, std::min(sliceTop + m_sliceHeight, m_height));
        for (int column = firstColumn; column <= lastColumn; ++column, ++slice) {
            const int blockLeft = column * m_blockWidth;
            const int blockWidth = std::min(m_blockWidth, m_width - blockLeft);
            const int start = std::max(left, blockLeft);
            const int end = std::min(left + width, blockLeft + blockWidth);
            for (int y = from; y < to; ++y) {
                const std::size_t pixel = std::size_t(y - sliceTop) * std::size_t(blockWidth)
                    + std::size_t(start - blockLeft);
                toWords((*slice)->bytes.data() + pixel * std::size_t(m_bandCount), end - start,
                        words + qsizetype(y - top) * stride + (start - left));
            }
        }
    }
    return true;
}

std::unordered_map<qint64, std::shared_ptr<WarpSource::Slice>>::iterator
WarpSource::forget(std::unordered_map<qint64, std::shared_ptr<Slice>>::iterator held)
{
    m_heldBytes -= held->second->bytes.size();
    // A slice no part is copying from lends its memory to the next one decoded.
    if (held->second.use_count() == 1 && m_spare.size() < kSpareSlices)
        m_spare.push_back(std::move(held->second->bytes));
    return m_slices.erase(held);
}

void WarpSource::forgetBefore(int strip)
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_firstUnread = std::max(m_firstUnread, strip + 1);
    for (auto held = m_slices.begin(); held != m_slices.end();)
        held = held->second->lastStrip < strip ? forget(held) : std::next(held);
}

void WarpSource::forgetLeastRecent()
{
    // The slices read longest ago first, those decoded ahead last, down to three
    // quarters of the most held; none a part is copying from.
    std::vector<std::pair<int, qint64>> order;
    for (const auto &[at, slice] : m_slices) {
        if (slice.use_count() == 1)
            order.emplace_back(slice->lastStrip, at);
    }
    std::sort(order.begin(), order.end());
    for (const auto &[lastStrip, at] : order) {
        if (m_heldBytes <= m_mostHeldBytes / 4 * 3)
            break;
        forget(m_slices.find(at));
    }
}
