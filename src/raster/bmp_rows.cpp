// BMP rows of 16 and 32 bits a pixel, read here: each colour's bit field (the masks
// of the file, or the fixed 5-5-5 and 8-8-8 layouts) scaled exactly to 8 bits, which
// the image library does not do for fields other than 5 and 8 bits wide.

#include <QCoreApplication>
#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "raster/image_decoders.h"
#include "raster/image_file.h"

namespace {

// Compression codes of the info header.
constexpr quint32 kUncompressed = 0;      // BI_RGB
constexpr quint32 kBitFields = 3;         // BI_BITFIELDS: red, green and blue masks
constexpr quint32 kAlphaBitFields = 6;    // BI_ALPHABITFIELDS: and an alpha mask
constexpr int kFileHeaderBytes = 14;
// The masks follow the 40-byte info header, or lie in the same place inside a larger one.
constexpr int kMasksAt = kFileHeaderBytes + 40;

// One colour of a pixel: its bits in the pixel word, scaled to 0..255.
struct BitField
{
    quint32 mask = 0;
    int shift = 0;
    quint64 largest = 0;  // the field's largest value

    // The field of mask; false when its bits are not one run.
    bool set(quint32 bits)
    {
        mask = bits;
        if (bits == 0)
            return true;
        shift = 0;
        while (!(bits & 1u)) {
            bits >>= 1;
            ++shift;
        }
        largest = bits;
        return (bits & (bits + 1)) == 0;
    }
    // The value in 8 bits, rounded: 15 of 4 bits is 255, 1 of 5 bits is 8.
    uchar value(quint32 word, uchar absent) const
    {
        if (!mask)
            return absent;
        return uchar((quint64((word & mask) >> shift) * 255 + largest / 2) / largest);
    }
};

// Whether bytes head a BMP this file reads, and its layout: the info header's size,
// width, height (negative: rows from the top), bits a pixel, compression and masks.
struct BmpLayout
{
    qint64 dataOffset = 0;
    qint32 width = 0;
    qint32 height = 0;
    int bits = 0;
    std::array<BitField, 4> fields;  // red, green, blue, alpha
    bool valid = false;              // the masks are runs of bits that do not overlap
};

bool readLayout(const QByteArray &head, BmpLayout *layout)
{
    if (head.size() < kMasksAt || !head.startsWith("BM"))
        return false;
    const uchar *h = reinterpret_cast<const uchar *>(head.constData());
    const quint32 infoSize = qFromLittleEndian<quint32>(h + 14);
    const int bits = qFromLittleEndian<quint16>(h + 28);
    const quint32 compression = qFromLittleEndian<quint32>(h + 30);
    if (infoSize < 40 || (bits != 16 && bits != 32)
        || (compression != kUncompressed && compression != kBitFields && compression != kAlphaBitFields))
        return false;
    layout->dataOffset = qFromLittleEndian<quint32>(h + 10);
    layout->width = qFromLittleEndian<qint32>(h + 18);
    layout->height = qFromLittleEndian<qint32>(h + 22);
    layout->bits = bits;
    std::array<quint32, 4> masks{};
    if (compression == kUncompressed) {
        masks = bits == 16 ? std::array<quint32, 4>{0x7c00, 0x03e0, 0x001f, 0}
                           : std::array<quint32, 4>{0xff0000, 0x00ff00, 0x0000ff, 0};
    } else {
        // An alpha mask comes with BI_ALPHABITFIELDS, or inside a header of 56 bytes or more.
        const bool alpha = compression == kAlphaBitFields || infoSize >= 56;
        if (head.size() < kMasksAt + (alpha ? 16 : 12))
            return false;
        for (int i = 0; i < (alpha ? 4 : 3); ++i)
            masks[std::size_t(i)] = qFromLittleEndian<quint32>(h + kMasksAt + 4 * i);
    }
    layout->valid = true;
    quint32 seen = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const quint32 beyond = bits == 16 ? 0xffff0000u : 0u;
        layout->valid = layout->fields[i].set(masks[i]) && layout->valid && !(masks[i] & seen)
            && !(masks[i] & beyond);
        seen |= masks[i];
    }
    return true;
}

class BmpRows : public ImageRowReader
{
public:
    BmpRows(std::unique_ptr<QIODevice> file, const BmpLayout &layout) : m_file(std::move(file)), m_layout(layout)
    {
        m_stride = (qint64(layout.width) * layout.bits + 31) / 32 * 4;
        m_size = QSize(layout.width, layout.height < 0 ? -qint64(layout.height) : layout.height);
        m_hasAlpha = layout.fields[3].mask != 0;
        if (!layout.valid) {
            fail(ImageFileStatus::Invalid, QCoreApplication::translate("ImageFile", "damaged image data (the BMP's colour "
                                                                             "masks are not separate runs of bits)"));
        } else if (layout.width <= 0 || layout.height == 0 || layout.height == std::numeric_limits<qint32>::min()) {
            fail(ImageFileStatus::Invalid, QCoreApplication::translate("ImageFile", "damaged image data (the BMP's size is "
                                                                             "%1 x %2)")
                                        .arg(layout.width).arg(layout.height));
        }
    }

protected:
    bool decodeRows(int count, uchar *dest, qsizetype stride) override
    {
        for (int done = 0; done < count; done += kRowsAtOnce) {
            if (!decodeBatch(m_nextRow + done, std::min(kRowsAtOnce, count - done), dest + done * stride, stride))
                return false;
        }
        return true;
    }

private:
    static constexpr int kRowsAtOnce = 64;

    // Rows first .. first + count - 1 (from the top): they lie together in the file,
    // bottom row first unless the height is negative, and are read at once.
    bool decodeBatch(int first, int count, uchar *dest, qsizetype stride)
    {
        const bool fromTop = m_layout.height < 0;
        const qint64 firstInFile = fromTop ? first : qint64(m_size.height()) - first - count;
        m_rows.resize(std::size_t(m_stride * count));
        if (!m_file->seek(m_layout.dataOffset + firstInFile * m_stride)
            || m_file->read(reinterpret_cast<char *>(m_rows.data()), m_stride * count) != m_stride * count)
            return fail(ImageFileStatus::Unreadable, m_file->errorString());
        const auto &[red, green, blue, alpha] = m_layout.fields;
        for (int i = 0; i < count; ++i) {
            const uchar *in = m_rows.data() + m_stride * (fromTop ? i : count - 1 - i);
            uchar *out = dest + i * stride;
            for (int x = 0; x < m_size.width(); ++x, out += 4) {
                const quint32 word = m_layout.bits == 16 ? qFromLittleEndian<quint16>(in + 2 * x)
                                                         : qFromLittleEndian<quint32>(in + 4 * x);
                out[0] = blue.value(word, 0);
                out[1] = green.value(word, 0);
                out[2] = red.value(word, 0);
                out[3] = alpha.value(word, 0xff);
            }
        }
        return true;
    }

    std::unique_ptr<QIODevice> m_file;
    BmpLayout m_layout;
    qint64 m_stride = 0;
    std::vector<uchar> m_rows;
};

}  // namespace

bool isBitFieldBmp(const QByteArray &bytes)
{
    BmpLayout layout;
    return readLayout(bytes, &layout);
}

std::unique_ptr<ImageRowReader> openBmpRows(std::unique_ptr<QIODevice> file)
{
    BmpLayout layout;
    readLayout(file->peek(kMasksAt + 16), &layout);
    return std::make_unique<BmpRows>(std::move(file), layout);
}
