#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QtGlobal>

#include <atomic>
#include <memory>

#include "raster/image_file.h"

// Reads an image from the top row down, a few rows at a time, so that a large scan
// can be tiled without ever being whole in memory. Rows come out as 32-bit ARGB
// words (QImage::Format_ARGB32, not premultiplied), the file's own colour values:
// no gamma or colour-profile conversion. PNG, JPEG and 16- and 32-bit BMP files are
// decoded as the rows are asked for; other formats are decoded whole by the image
// library on the first request. Any damage the decoder notices (a checksum, a cut-short file, corrupt
// compressed data) fails the read with the decoder's reason; nothing is made up.
class ImageRowReader
{
public:
    virtual ~ImageRowReader() = default;

    QSize size() const { return m_size; }
    // Whether rows are decoded as they are read, in memory independent of the height.
    bool streams() const { return m_streams; }
    // Whether the reader decodes on the global thread pool itself (a warp), so that its
    // rows are best not decoded while tiles compress: both would share the same cores.
    bool decodesOnPool() const { return m_decodesOnPool; }
    // Tells a reader that decodes ahead on the pool that it is one of `readers` read in
    // turn (the sheets of a mosaic), so that it decodes its share ahead, not the pool's.
    virtual void shareDecodingAhead(int readers) { Q_UNUSED(readers); }

    // Decodes the next count rows into dest, rows stride bytes apart, each
    // 4 x width bytes. At the last row the rest of the file is checked too
    // (checksums, the end marker). Returns false when the image is damaged or the
    // file cannot be read; status() and errorString() then say why, and the reader
    // is done.
    bool readRows(int count, uchar *dest, qsizetype stride);

    // The whole image from the next row on: RGB32 or ARGB32 from the decoders here,
    // the image library's own format for other files. Null on failure (status() and
    // errorString() say why), also when memory runs out.
    virtual QImage readImage();

    // readImage for a whole image within budgetMB (MiB): a decoder that streams refuses
    // an image whose 32 bits a pixel would need more at once.
    QImage readWholeImage(qint32 budgetMB);

    // Ok while the reader is usable; why opening it or the last read failed.
    ImageFileStatus status() const { return m_status; }
    // Why opening or the last read failed: the decoder's own words for damage.
    QString errorString() const { return m_errorString; }
    // errorString() for a message of its own: a decoder's words marked as damage.
    QString failureText() const;

protected:
    // Decodes rows of a file that is known to hold them; false after fail().
    virtual bool decodeRows(int count, uchar *dest, qsizetype stride) = 0;
    // After the last row: what follows the pixels; false after fail().
    virtual bool checkEnd() { return true; }
    // A decoder's failure: its words, which failureText() marks as damage.
    bool fail(ImageFileStatus status, const QString &reason);
    // A failure worded whole (a size beyond the budget, a file that cannot be opened).
    void refuse(ImageFileStatus status, const QString &reason);

    QSize m_size;
    bool m_hasAlpha = false;
    bool m_streams = true;
    bool m_decodesOnPool = false;
    int m_nextRow = 0;

private:
    ImageFileStatus m_status = ImageFileStatus::Ok;
    QString m_errorString;
    bool m_reasonIsWhole = false;
};

// The largest image the program reads and the largest level it makes, pixels: no
// real map needs more, and a file of a few bytes may claim billions.
inline constexpr qint64 kMaxImageSide = 400000;
inline constexpr qint64 kMaxImagePixels = 4000000000;

// Why an image or level of width x height pixels is too large, in words for the
// user ("1,000,000 × 1,000,000 pixels; at most 400,000 a side"), or an empty string
// when it is not.
QString imageSizeRefusal(qint64 width, qint64 height);

// Opens path for reading by rows: PNG, JPEG and BMP of 16 and 32 bits by their own
// decoders, any other format the image library reads by content, decoded whole
// within budgetMB (MiB) on the first read. Only the header is read here. Never
// nullptr: when the file cannot be opened or read (a path that is not a regular file
// is not opened), or its header is no image, is damaged or describes an image beyond
// the limits (imageSizeRefusal), the reader's status() says so and errorString() why,
// and nothing can be read from it; a BMP whose pixel data is shorter than its header
// says is refused here too. position (may be nullptr) follows how far into the file
// the decoder has read, in bytes.
std::unique_ptr<ImageRowReader> openImageRows(const QString &path, qint32 budgetMB,
                                              std::atomic<qint64> *position = nullptr);

// A reader that failed to open: status and errorString() as given, nothing to read.
std::unique_ptr<ImageRowReader> failedRows(ImageFileStatus status, const QString &reason);

// The rows of an image already in memory, converted to ARGB32 as they are read.
std::unique_ptr<ImageRowReader> imageRows(const QImage &image);

// The size of the image in a file, from its header only; invalid when the file
// cannot be read or its header is no image.
QSize imageFileSize(const QString &path);
