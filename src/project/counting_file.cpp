#include "project/counting_file.h"

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
