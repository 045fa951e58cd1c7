// PNG rows by libpng: every bit depth and colour type to 8-bit ARGB, rows on demand.

#include <QCoreApplication>
#include <QIODevice>

#include <csetjmp>
#include <cstring>
#include <new>
#include <png.h>

#include "raster/image_decoders.h"
#include "raster/image_file.h"

namespace {

// Chunks that never change the pixels as this program draws them (no gamma or
// colour-profile conversion); skipped unread, so that none can make the decoder
// allocate, however long it claims to be.
constexpr png_byte kIgnoredChunks[] = "bKGD\0cHRM\0eXIf\0gAMA\0hIST\0iCCP\0iTXt\0oFFs\0pCAL\0pHYs\0sBIT\0sCAL\0"
                                      "sPLT\0sRGB\0tEXt\0tIME\0zTXt";
constexpr int kIgnoredChunkCount = int(sizeof kIgnoredChunks / 5);

class PngRows : public ImageRowReader
{
public:
    PngRows(std::unique_ptr<QIODevice> file, qint32 budgetMB) : m_file(std::move(file)), m_budgetMB(budgetMB)
    {
        readHeader();
    }
    ~PngRows() override { png_destroy_read_struct(&m_png, &m_info, nullptr); }

protected:
    bool decodeRows(int count, uchar *dest, qsizetype stride) override;
    bool checkEnd() override;

private:
    static void readData(png_structp png, png_bytep data, size_t length);
    static void onError(png_structp png, png_const_charp message);
    static void onWarning(png_structp, png_const_charp) {}
    bool readHeader();
    bool decodeInterlaced();
    bool decodingFailed();

    std::unique_ptr<QIODevice> m_file;
    qint32 m_budgetMB;
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
    bool m_interlaced = false;
    bool m_readFailed = false;  // the file could not be read, as opposed to bad data
    char m_message[256] = {};
    std::unique_ptr<uchar[]> m_whole;  // an interlaced image, decoded at the first read
};

void PngRows::readData(png_structp png, png_bytep data, size_t length)
{
    auto *self = static_cast<PngRows *>(png_get_io_ptr(png));
    while (length > 0) {
        const qint64 got = self->m_file->read(reinterpret_cast<char *>(data), qint64(length));
        if (got <= 0) {
            self->m_readFailed = got < 0;
            png_error(png, QT_TRANSLATE_NOOP("ImageFile", "premature end of data"));
        }
        data += got;
        length -= size_t(got);
    }
}

void PngRows::onError(png_structp png, png_const_charp message)
{
    auto *self = static_cast<PngRows *>(png_get_error_ptr(png));
    qstrncpy(self->m_message, message, sizeof self->m_message);
    png_longjmp(png, 1);
}

bool PngRows::decodingFailed()
{
    if (m_readFailed)
        return fail(ImageFileStatus::Unreadable, m_file->errorString());
    // The library's own messages stay as they are; those of this file are translated.
    return fail(ImageFileStatus::Invalid, QCoreApplication::translate("ImageFile", m_message));
}

bool PngRows::readHeader()
{
    m_png = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, onError, onWarning);
    m_info = m_png ? png_create_info_struct(m_png) : nullptr;
    if (!m_info)
        return fail(ImageFileStatus::Invalid, QCoreApplication::translate("ImageFile", "not enough memory"));
    if (setjmp(png_jmpbuf(m_png)))
        return decodingFailed();
    png_set_read_fn(m_png, this, readData);
    // A checksum error in any chunk is damage, not only in the critical ones.
    png_set_crc_action(m_png, PNG_CRC_ERROR_QUIT, PNG_CRC_ERROR_QUIT);
    png_set_keep_unknown_chunks(m_png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
    png_set_keep_unknown_chunks(m_png, PNG_HANDLE_CHUNK_NEVER, kIgnoredChunks, kIgnoredChunkCount);
    png_set_user_limits(m_png, 0x7fffffff, 0x7fffffff);
    png_read_info(m_png, m_info);

    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int depth = 0;
    int colour = 0;
    int interlace = 0;
    png_get_IHDR(m_png, m_info, &width, &height, &depth, &colour, &interlace, nullptr, nullptr);
    m_hasAlpha = (colour & PNG_COLOR_MASK_ALPHA) || png_get_valid(m_png, m_info, PNG_INFO_tRNS);
    // Palette to RGB, grey below 8 bits to 8 bits, a transparent colour to alpha
    // (compared at the file's own depth, before 16-bit samples are scaled).
    png_set_expand(m_png);
    if (depth == 16)
        png_set_scale_16(m_png);
    if (!(colour & PNG_COLOR_MASK_COLOR))
        png_set_gray_to_rgb(m_png);
    png_set_bgr(m_png);  // B, G, R, A in memory: a little-endian ARGB32 word
    if (!m_hasAlpha)
        png_set_filler(m_png, 0xff, PNG_FILLER_AFTER);
    m_interlaced = png_set_interlace_handling(m_png) > 1;
    png_read_update_info(m_png, m_info);
    if (png_get_rowbytes(m_png, m_info) != size_t(width) * 4)
        png_error(m_png, "unexpected pixel layout");
    m_size = QSize(int(width), int(height));
    return true;
}

bool PngRows::decodeInterlaced()
{
    // Every pass touches every row, so the image is decoded whole.
    const qint64 bytes = qint64(m_size.width()) * 4 * m_size.height();
    if (bytes >> 20 >= m_budgetMB) {
        return fail(ImageFileStatus::Invalid, QCoreApplication::translate("ImageFile", "the interlaced image needs %1 MiB, "
                                                                                "more than the memory limit of %2 MiB")
                                           .arg((bytes >> 20) + 1).arg(m_budgetMB));
    }
    std::unique_ptr<uchar[]> whole(new (std::nothrow) uchar[size_t(bytes)]);
    std::unique_ptr<png_bytep[]> rows(new (std::nothrow) png_bytep[size_t(m_size.height())]);
    if (!whole || !rows)
        return fail(ImageFileStatus::Invalid, QCoreApplication::translate("ImageFile", "not enough memory"));
    for (int y = 0; y < m_size.height(); ++y)
        rows[y] = whole.get() + qint64(y) * m_size.width() * 4;
    png_bytepp rowPointers = rows.get();
    if (setjmp(png_jmpbuf(m_png)))
        return decodingFailed();
    png_read_image(m_png, rowPointers);
    m_whole = std::move(whole);
    return true;
}

bool PngRows::decodeRows(int count, uchar *dest, qsizetype stride)
{
    if (m_interlaced) {
        if (!m_whole && !decodeInterlaced())
            return false;
        const qsizetype rowBytes = qsizetype(m_size.width()) * 4;
        for (int i = 0; i < count; ++i)
            std::memcpy(dest + i * stride, m_whole.get() + (m_nextRow + i) * rowBytes, size_t(rowBytes));
        return true;
    }
    if (setjmp(png_jmpbuf(m_png)))
        return decodingFailed();
    for (int i = 0; i < count; ++i)
        png_read_row(m_png, dest + i * stride, nullptr);
    return true;
}

bool PngRows::checkEnd()
{
    m_whole.reset();
    // The rest of the image data, its checksums and the end chunk.
    if (setjmp(png_jmpbuf(m_png)))
        return decodingFailed();
    png_read_end(m_png, nullptr);
    return true;
}

}  // namespace

bool isPngSignature(const QByteArray &bytes)
{
    return bytes.size() >= 8 && png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.constData()), 0, 8) == 0;
}

std::unique_ptr<ImageRowReader> openPngRows(std::unique_ptr<QIODevice> file, qint32 budgetMB)
{
    return std::make_unique<PngRows>(std::move(file), budgetMB);
}
