#include "raster/image_file.h"

#include <QCoreApplication>
#include <QImageReader>

#include <limits>
#include <unistd.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif


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

void setImageAllocationLimit(qint32 budgetMB)
{
    const int limitMB = QImageReader::allocationLimit();
    if (limitMB > 0 && budgetMB > limitMB)  // 0: no limit at all
        QImageReader::setAllocationLimit(budgetMB);
}

void returnLargeBlocksToSystem()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
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
    m_read += qMax<qint64>(read, 0);
    m_position->store(qMin(m_read, m_file.size()), std::memory_order_relaxed);
    return read;
}
