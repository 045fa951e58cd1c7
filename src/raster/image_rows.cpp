// Reading images by rows: the reader's common part, the image library's formats, and
// images already in memory.

#include "raster/image_rows.h"

#include <QCoreApplication>
#include <QImageReader>
#include <QLocale>
#include <QtEndian>

#include <cstring>

#include "raster/file_access.h"
#include "raster/image_decoders.h"
#include "raster/image_file.h"

QString imageSizeRefusal(qint64 width, qint64 height)
{
    const QLocale english(QLocale::English);
    const QString size = QCoreApplication::translate("ImageFile", "%1 × %2 pixels")
                             .arg(english.toString(width), english.toString(height));
    if (width > kMaxImageSide || height > kMaxImageSide) {
        return QCoreApplication::translate("ImageFile", "%1; at most %2 a side")
            .arg(size, english.toString(kMaxImageSide));
    }
    if (width * height > kMaxImagePixels) {
        return QCoreApplication::translate("ImageFile", "%1; at most %2 megapixels")
            .arg(size, english.toString(kMaxImagePixels / 1000000));
    }
    return QString();
}

bool ImageRowReader::fail(ImageFileStatus status, const QString &reason)
{
    m_status = status;
    m_errorString = reason;
    return false;
}

void ImageRowReader::refuse(ImageFileStatus status, const QString &reason)
{
    fail(status, reason);
    m_reasonIsWhole = true;
}

bool ImageRowReader::readRows(int count, uchar *dest, qsizetype stride)
{
    if (m_status != ImageFileStatus::Ok)
        return false;
    if (count < 0 || count > m_size.height() - m_nextRow)
        return fail(ImageFileStatus::Invalid, QCoreApplication::translate("ImageFile", "no rows are left to read"));
    if (!decodeRows(count, dest, stride))
        return false;
    m_nextRow += count;
    return m_nextRow < m_size.height() || count == 0 || checkEnd();
}

QString ImageRowReader::failureText() const
{
    const bool damaged = m_streams && m_status == ImageFileStatus::Invalid && !m_reasonIsWhole;
    return damaged ? QCoreApplication::translate("ImageFile", "damaged image data (%1)").arg(m_errorString)
                   : m_errorString;
}

QImage ImageRowReader::readWholeImage(qint32 budgetMB)
{
    if (m_status != ImageFileStatus::Ok)
        return QImage();
    if (m_streams) {
        const qint64 neededMB = (qint64(m_size.width()) * m_size.height() * 4 >> 20) + 1;
        if (neededMB > budgetMB) {
            refuse(ImageFileStatus::Invalid,
                   QCoreApplication::translate("ImageFile", "the image is %1 x %2 pixels and needs %3 MiB, more than "
                                                            "the memory limit of %4 MiB")
                       .arg(m_size.width()).arg(m_size.height()).arg(neededMB).arg(budgetMB));
            return QImage();
        }
    }
    return readImage();
}

QImage ImageRowReader::readImage()
{
    QImage image(m_size.width(), m_size.height() - m_nextRow,
                 m_hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull()) {
        fail(ImageFileStatus::Invalid, QCoreApplication::translate("ImageFile", "not enough memory"));
        return QImage();
    }
    return readRows(image.height(), image.bits(), image.bytesPerLine()) ? image : QImage();
}

namespace {

// Copies rows y .. y + count - 1 of image into dest as ARGB32, not premultiplied.
void copyArgbRows(const QImage &image, int y, int count, uchar *dest, qsizetype stride)
{
    const QImage::Format format = image.format();
    if (format == QImage::Format_ARGB32 || format == QImage::Format_RGB32) {
        for (int i = 0; i < count; ++i)
            std::memcpy(dest + i * stride, image.constScanLine(y + i), size_t(image.width()) * 4);
        return;
    }
    const QImage rows = image.copy(0, y, image.width(), count).convertToFormat(QImage::Format_ARGB32);
    for (int i = 0; i < count; ++i)
        std::memcpy(dest + i * stride, rows.constScanLine(i), size_t(image.width()) * 4);
}

// An image already decoded.
class MemoryRows : public ImageRowReader
{
public:
    explicit MemoryRows(const QImage &image) : m_image(image)
    {
        m_size = image.size();
        m_hasAlpha = image.hasAlphaChannel();
        m_streams = false;
    }
protected:
    bool decodeRows(int count, uchar *dest, qsizetype stride) override
    {
        copyArgbRows(m_image, m_nextRow, count, dest, stride);
        return true;
    }

private:
    QImage m_image;
};

// A file that could not be opened: nothing to read.
class FailedRows : public ImageRowReader
{
public:
    FailedRows(ImageFileStatus status, const QString &reason)
    {
        m_streams = false;
        refuse(status, reason);
    }

protected:
    bool decodeRows(int, uchar *, qsizetype) override { return false; }
};

// A file in a format without a decoder of our own, decoded whole by the image library
// on the first read, within the budget and the library's allocation limit (raised to
// the machine's memory at start-up, setImageAllocationLimit).
class LibraryRows : public ImageRowReader
{
public:
    LibraryRows(std::unique_ptr<QIODevice> file, qint32 budgetMB) : m_file(std::move(file)), m_budgetMB(budgetMB)
    {
        m_streams = false;
        QImageReader reader(m_file.get());
        m_size = reader.size();
        m_file->seek(0);
        if (!m_size.isValid() && decode())
            m_size = m_image.size();
    }
    QImage readImage() override
    {
        if (m_image.isNull() && !decode())
            return QImage();
        m_nextRow = m_size.height();
        QImage image;
        image.swap(m_image);
        return image;
    }

protected:
    bool decodeRows(int count, uchar *dest, qsizetype stride) override
    {
        if (m_image.isNull() && !decode())
            return false;
        copyArgbRows(m_image, m_nextRow, count, dest, stride);
        if (m_nextRow + count == m_size.height())
            m_image = QImage();
        return true;
    }

private:
    bool decode();

    std::unique_ptr<QIODevice> m_file;
    qint32 m_budgetMB;
    QImage m_image;
};

bool LibraryRows::decode()
{
    QImageReader reader(m_file.get());
    const QSize size = reader.size();
    if (size.isValid()) {
        // Eight bytes per pixel covers the widest format a loader produces (16 bits
        // per channel); the limit is in MiB and applies to each single image.
        const qint64 neededMB = (qint64(size.width()) * size.height() * 8 >> 20) + 1;
        const int limitMB = QImageReader::allocationLimit();
        if (limitMB > 0 && neededMB > qMax(m_budgetMB, limitMB)) {
            return fail(ImageFileStatus::Invalid,
                        QCoreApplication::translate("ImageFile", "the image is %1 x %2 pixels and needs up to %3 "
                                                                 "MiB, more than the memory limit of %4 MiB")
                            .arg(size.width()).arg(size.height()).arg(neededMB).arg(qMax(m_budgetMB, limitMB)));
        }
    }
    if (reader.read(&m_image)) {
        if (m_size.isValid() && m_image.size() != m_size)
            return fail(ImageFileStatus::Invalid, QCoreApplication::translate("ImageFile", "damaged image data (its size "
                                                                                    "differs from its header)"));
        return true;
    }
    switch (reader.error()) {
    case QImageReader::UnsupportedFormatError:
        return fail(ImageFileStatus::Invalid, QCoreApplication::translate("ImageFile", "unsupported image format"));
    case QImageReader::DeviceError:
        return fail(ImageFileStatus::Unreadable, m_file->errorString());
    default:
        return fail(ImageFileStatus::Invalid,
                    QCoreApplication::translate("ImageFile", "damaged image data (%1)").arg(reader.errorString()));
    }
}

// Why a BMP file's header cannot be read as it stands, or an empty text: it claims an
// image beyond the size limits, or (uncompressed) more pixel data than the file holds,
// whose missing rows the image library would draw black.
QString bmpHeaderRefusal(const QByteArray &head, qint64 fileSize)
{
    if (head.size() < 30 || !head.startsWith("BM"))
        return QString();
    const uchar *h = reinterpret_cast<const uchar *>(head.constData());
    const qint64 dataOffset = qFromLittleEndian<quint32>(h + 10);
    const quint32 infoSize = qFromLittleEndian<quint32>(h + 14);
    qint64 width = 0;
    qint64 height = 0;
    int bits = 0;
    quint32 compression = 0;
    if (infoSize == 12) {  // OS/2 core header
        width = qFromLittleEndian<quint16>(h + 18);
        height = qFromLittleEndian<quint16>(h + 20);
        bits = qFromLittleEndian<quint16>(h + 24);
    } else if (infoSize >= 40 && head.size() >= 34) {
        width = qFromLittleEndian<qint32>(h + 18);
        height = qAbs(qint64(qFromLittleEndian<qint32>(h + 22)));
        bits = qFromLittleEndian<quint16>(h + 28);
        compression = qFromLittleEndian<quint32>(h + 30);
    } else {
        return QString();
    }
    if (width <= 0 || bits <= 0 || bits > 64)
        return QString();
    const QString tooLarge = imageSizeRefusal(width, height);
    if (!tooLarge.isEmpty())
        return QCoreApplication::translate("ImageFile", "the image is too large: %1").arg(tooLarge);
    // Run-length and embedded JPEG or PNG data have no fixed length.
    if (compression != 0 && compression != 3 && compression != 6)
        return QString();
    const qint64 needed = dataOffset + (width * bits + 31) / 32 * 4 * height;
    if (fileSize >= needed)
        return QString();
    return QCoreApplication::translate("ImageFile", "damaged image data (the file ends at byte %1; its header needs "
                                                    "%2 bytes of pixel data up to byte %3)")
        .arg(fileSize).arg(needed - dataOffset).arg(needed);
}

}  // namespace

std::unique_ptr<ImageRowReader> failedRows(ImageFileStatus status, const QString &reason)
{
    return std::make_unique<FailedRows>(status, reason);
}

std::unique_ptr<ImageRowReader> openImageRows(const QString &path, qint32 budgetMB, std::atomic<qint64> *position)
{
    static std::atomic<qint64> unwatched{0};
    // A FIFO or a device would block or never end.
    bool missing = false;
    const QString refusal = inputFileRefusal(path, &missing);
    if (!missing && !refusal.isEmpty())
        return failedRows(ImageFileStatus::Unreadable, refusal);
    auto file = std::make_unique<CountingFile>(path, position ? position : &unwatched);
    if (!file->open(QIODevice::ReadOnly))
        return failedRows(ImageFileStatus::Unreadable, file->errorString());
    const QByteArray head = file->peek(128);
    if (head.isEmpty() && file->size() > 0)
        return failedRows(ImageFileStatus::Unreadable, file->errorString());
    const QString bmpRefusal = bmpHeaderRefusal(head, file->size());
    if (!bmpRefusal.isEmpty())
        return failedRows(ImageFileStatus::Invalid, bmpRefusal);
    std::unique_ptr<ImageRowReader> reader;
    if (isPngSignature(head))
        reader = openPngRows(std::move(file), budgetMB);
    else if (isJpegSignature(head))
        reader = openJpegRows(std::move(file), budgetMB);
    else if (isBitFieldBmp(head))
        reader = openBmpRows(std::move(file));
    else
        reader = std::make_unique<LibraryRows>(std::move(file), budgetMB);
    if (reader->status() != ImageFileStatus::Ok)
        return failedRows(reader->status(), reader->failureText());
    const QString tooLarge = imageSizeRefusal(reader->size().width(), reader->size().height());
    if (!tooLarge.isEmpty()) {
        return failedRows(ImageFileStatus::Invalid,
                          QCoreApplication::translate("ImageFile", "the image is too large: %1").arg(tooLarge));
    }
    return reader;
}

std::unique_ptr<ImageRowReader> imageRows(const QImage &image)
{
    return std::make_unique<MemoryRows>(image);
}

QSize imageFileSize(const QString &path)
{
    return openImageRows(path, 0)->size();
}
