// JPEG rows by libjpeg-turbo: grey, colour, CMYK and YCCK to 8-bit ARGB, rows on demand.

#include <QCoreApplication>
#include <QIODevice>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>

#include "raster/image_decoders.h"
#include "raster/image_file.h"

namespace {

constexpr int kInputBufferBytes = 65536;

// The most bytes the decoder is handed at once. With fewer than 512 bytes of data in
// hand, libjpeg-turbo decodes Huffman codes on its careful path, which warns of a bad
// code; its fast path, taken on more, reads a bad code silently as a zero.
constexpr size_t kBytesHandedAtOnce = 256;

// The decoder's error manager: errors and warnings about corrupt data end the decode.
struct JpegErrors
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool readFailed;  // the file could not be read, as opposed to bad data
};

struct JpegSource
{
    jpeg_source_mgr manager;
    QIODevice *file;
    JOCTET buffer[kInputBufferBytes];
    const JOCTET *next;  // bytes read from the file not yet handed to the decoder
    size_t left;
};

[[noreturn]] void stopDecoding(j_common_ptr info)
{
    auto *errors = reinterpret_cast<JpegErrors *>(info->err);
    std::longjmp(errors->jump, 1);
}

[[noreturn]] void onError(j_common_ptr info)
{
    auto *errors = reinterpret_cast<JpegErrors *>(info->err);
    errors->manager.format_message(info, errors->message);
    stopDecoding(info);
}

// Level -1 is a warning: libjpeg-turbo goes on after corrupt data with made-up
// pixels, so every warning about the data ends the decode. Trace messages pass.
void onMessage(j_common_ptr info, int level)
{
    const int code = info->err->msg_code;
    if (level < 0 && code != JWRN_JFIF_MAJOR && code != JWRN_ADOBE_XFORM)
        onError(info);
}

void initSource(j_decompress_ptr) {}
void termSource(j_decompress_ptr) {}

boolean fillInput(j_decompress_ptr info)
{
    auto *source = reinterpret_cast<JpegSource *>(info->src);
    if (source->left == 0) {
        const qint64 got = source->file->read(reinterpret_cast<char *>(source->buffer), kInputBufferBytes);
        if (got <= 0) {
            // A cut-short file: libjpeg would make up an end marker and grey rows.
            auto *errors = reinterpret_cast<JpegErrors *>(info->err);
            errors->readFailed = got < 0;
            qstrncpy(errors->message, QT_TRANSLATE_NOOP("ImageFile", "premature end of data"),
                     sizeof errors->message);
            stopDecoding(reinterpret_cast<j_common_ptr>(info));
        }
        source->next = source->buffer;
        source->left = size_t(got);
    }
    const size_t handed = std::min(source->left, kBytesHandedAtOnce);
    source->manager.next_input_byte = source->next;
    source->manager.bytes_in_buffer = handed;
    source->next += handed;
    source->left -= handed;
    return TRUE;
}

void skipInput(j_decompress_ptr info, long count)
{
    jpeg_source_mgr *source = info->src;
    while (count > long(source->bytes_in_buffer)) {
        count -= long(source->bytes_in_buffer);
        fillInput(info);
    }
    if (count > 0) {
        source->next_input_byte += count;
        source->bytes_in_buffer -= size_t(count);
    }
}

class JpegRows : public ImageRowReader
{
public:
    JpegRows(std::unique_ptr<QIODevice> file, qint32 budgetMB) : m_file(std::move(file))
    {
        readHeader(budgetMB);
    }
    ~JpegRows() override
    {
        if (m_created)
            jpeg_destroy_decompress(&m_info);
    }

protected:
    bool decodeRows(int count, uchar *dest, qsizetype stride) override;
    bool checkEnd() override;

private:
    bool readHeader(qint32 budgetMB);
    bool decodingFailed();

    std::unique_ptr<QIODevice> m_file;
    jpeg_decompress_struct m_info{};
    JpegErrors m_errors{};
    JpegSource m_source{};
    bool m_created = false;
    bool m_started = false;
    bool m_cmyk = false;
};

bool JpegRows::decodingFailed()
{
    if (m_errors.readFailed)
        return fail(ImageFileStatus::Unreadable, m_file->errorString());
    // The library's own messages stay as they are; those of this file are translated.
    return fail(ImageFileStatus::Invalid, QCoreApplication::translate("ImageFile", m_errors.message));
}

bool JpegRows::readHeader(qint32 budgetMB)
{
    m_info.err = jpeg_std_error(&m_errors.manager);
    m_errors.manager.error_exit = onError;
    m_errors.manager.emit_message = onMessage;
    if (setjmp(m_errors.jump))
        return decodingFailed();
    jpeg_create_decompress(&m_info);
    m_created = true;
    // A progressive file keeps its coefficients for the whole image; nothing beyond
    // the budget is allocated for them.
    m_info.mem->max_memory_to_use = long(qMin<qint64>(qint64(budgetMB) << 20, LONG_MAX));
    m_source.file = m_file.get();
    m_source.manager.init_source = initSource;
    m_source.manager.fill_input_buffer = fillInput;
    m_source.manager.skip_input_data = skipInput;
    m_source.manager.resync_to_restart = jpeg_resync_to_restart;
    m_source.manager.term_source = termSource;
    m_info.src = &m_source.manager;
    jpeg_read_header(&m_info, TRUE);
    m_cmyk = m_info.jpeg_color_space == JCS_CMYK || m_info.jpeg_color_space == JCS_YCCK;
    m_info.out_color_space = m_cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    m_size = QSize(int(m_info.image_width), int(m_info.image_height));
    return true;
}

bool JpegRows::decodeRows(int count, uchar *dest, qsizetype stride)
{
    if (setjmp(m_errors.jump))
        return decodingFailed();
    if (!m_started) {
        jpeg_start_decompress(&m_info);
        m_started = true;
    }
    const int width = m_size.width();
    for (int i = 0; i < count; ++i) {
        JSAMPROW row = dest + i * stride;
        jpeg_read_scanlines(&m_info, &row, 1);
        if (m_cmyk) {
            // Inverted CMYK as Adobe applications write it, as the image library reads it.
            for (int x = 0; x < width; ++x) {
                uchar *p = row + 4 * x;
                const uint k = p[3];
                const uchar red = uchar(k * p[0] / 255);
                const uchar green = uchar(k * p[1] / 255);
                const uchar blue = uchar(k * p[2] / 255);
                p[0] = blue;
                p[1] = green;
                p[2] = red;
                p[3] = 0xff;
            }
        }
    }
    return true;
}

bool JpegRows::checkEnd()
{
    // The end marker, and for a progressive file any scans after the last row.
    if (setjmp(m_errors.jump))
        return decodingFailed();
    jpeg_finish_decompress(&m_info);
    return true;
}

}  // namespace

bool isJpegSignature(const QByteArray &bytes)
{
    // The start-of-image marker alone: what follows it, garbage included, is for the
    // decoder to judge, which refuses what the image library would let pass.
    return bytes.size() >= 2 && uchar(bytes[0]) == 0xff && uchar(bytes[1]) == 0xd8;
}

std::unique_ptr<ImageRowReader> openJpegRows(std::unique_ptr<QIODevice> file, qint32 budgetMB)
{
    return std::make_unique<JpegRows>(std::move(file), budgetMB);
}
