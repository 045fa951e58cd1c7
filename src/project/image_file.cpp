#include "project/image_file.h"

#include <QImageReader>

#include <limits>
#include <unistd.h>

qint32 physicalMemoryMB(qint64 pages, qint64 pageSize)
{
    if (pages <= 0 || pageSize <= 0)
        return 0;
    const qint64 maxMB = std::numeric_limits<qint32>::max();
    // pages x pageSize could pass 64 bits only on absurd input; divide first then.
    if (pages > std::numeric_limits<qint64>::max() / pageSize)
        return qint32(maxMB);
    return qint32(qMin((pages * pageSize) >> 20, maxMB));
}

qint32 queryPhysicalMemoryMB()
{
    return physicalMemoryMB(sysconf(_SC_PHYS_PAGES), sysconf(_SC_PAGESIZE));
}

CountingFile::CountingFile(const QString &path, std::atomic<qint64> *position)
    : m_file(path), m_position(position)
{
}

bool CountingFile::open(OpenMode mode)
{
    if ((mode & WriteOnly) || !m_file.open(QIODevice::ReadOnly)) {
        setErrorString(m_file.errorString());
        return false;
    }
    return QIODevice::open(ReadOnly | Unbuffered);
}

void CountingFile::close()
{
    QIODevice::close();
    m_file.close();
}

bool CountingFile::seek(qint64 pos)
{
    return QIODevice::seek(pos) && m_file.seek(pos);
}

qint64 CountingFile::readData(char *data, qint64 maxSize)
{
    const qint64 read = m_file.read(data, maxSize);
    m_position->store(m_file.pos(), std::memory_order_relaxed);
    return read;
}

QImage readImageFile(const QString &path, qint32 budgetMB, std::atomic<qint64> *position, int *status,
                     QString *error)
{
    const auto fail = [status, error](int code, const QString &reason) {
        if (status)
            *status = code;
        if (error)
            *error = reason;
        return QImage();
    };
    std::atomic<qint64> unwatched{0};
    CountingFile file(path, position ? position : &unwatched);
    if (!file.open(QIODevice::ReadOnly))
        return fail(kImageFileUnreadable, file.errorString());
    QImageReader reader(&file);
    const QSize size = reader.size();
    if (size.isValid()) {
        // Eight bytes per pixel covers the widest format a loader produces (16 bits
        // per channel); the limit is in MiB and applies to each single image.
        const qint64 neededMB = (qint64(size.width()) * size.height() * 8 >> 20) + 1;
        const int limitMB = QImageReader::allocationLimit();
        if (limitMB > 0 && neededMB > qMax(budgetMB, limitMB)) {
            return fail(kImageFileInvalid,
                        QStringLiteral("the image is %1 x %2 pixels and needs up to %3 MiB, more than the memory "
                                       "limit of %4 MiB")
                            .arg(size.width()).arg(size.height()).arg(neededMB).arg(qMax(budgetMB, limitMB)));
        }
        if (limitMB > 0 && neededMB > limitMB)
            QImageReader::setAllocationLimit(int(neededMB));
    }
    QImage image;
    if (reader.read(&image)) {
        if (status)
            *status = kImageFileOk;
        return image;
    }
    switch (reader.error()) {
    case QImageReader::UnsupportedFormatError:
        return fail(kImageFileInvalid, QStringLiteral("unsupported image format"));
    case QImageReader::DeviceError:
        return fail(kImageFileUnreadable, file.errorString());
    default:
        return fail(kImageFileInvalid, QStringLiteral("damaged image data (%1)").arg(reader.errorString()));
    }
}
