#include "smf/smf_stream_writer.h"

#include <QLocale>

#include <limits>

#include "project/file_access.h"
#include "smf/smf_layout.h"
#include "smf/smf_save_status.h"

namespace {

constexpr qint64 kChunkBytes = 65536;

QString tooLargeReason(qint64 maxFileSize)
{
    return QStringLiteral("the file would be larger than %1 bytes, the most an SMF file can describe")
        .arg(QLocale(QLocale::English).toString(maxFileSize));
}

}  // namespace

SmfStreamWriter::SmfStreamWriter(const QString &path, qint64 maxFileSize)
    : m_file(path), m_maxFileSize(qMin<qint64>(maxFileSize, std::numeric_limits<qint32>::max()))
{
}

int SmfStreamWriter::fail(int status, const QString &reason)
{
    m_errorString = reason;
    if (m_file.isOpen())
        m_file.cancelWriting();
    return status;
}

int SmfStreamWriter::writeFailure()
{
    return fail(kSmfSaveWriteError, QStringLiteral("cannot write %1: %2").arg(m_file.fileName(), m_file.errorString()));
}

bool SmfStreamWriter::put(const QByteArray &bytes)
{
    return writeAll(m_file, bytes);
}

int SmfStreamWriter::begin(qint64 levelCount, qint64 tileCount)
{
    m_levelCount = levelCount;
    m_tileCount = tileCount;
    m_offset = tileDataOffset(levelCount, tileCount);
    if (levelCount > m_maxFileSize || tileCount > m_maxFileSize || m_offset > m_maxFileSize)
        return fail(kSmfSaveTooLarge, tooLargeReason(m_maxFileSize));
    // Unbuffered: a failed write reports its reason at once, with the system's words.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return fail(kSmfSaveWriteError,
                    QStringLiteral("cannot create %1: %2").arg(m_file.fileName(), m_file.errorString()));
    }
    m_index.reserve(tileCount);
    const QByteArray zeros(kChunkBytes, '\0');
    for (qint64 left = m_offset; left > 0; left -= kChunkBytes) {
        const qint64 length = qMin(left, kChunkBytes);
        if (!writeAll(m_file, zeros.constData(), length))
            return writeFailure();
    }
    return kSmfSaveOk;
}

int SmfStreamWriter::appendPayload(const QByteArray &payload)
{
    if (m_index.size() >= m_tileCount || m_offset + payload.size() > m_maxFileSize)
        return fail(kSmfSaveTooLarge, tooLargeReason(m_maxFileSize));
    if (!put(payload))
        return writeFailure();
    m_index.append(SmfTileIndexEntry{quint32(m_offset), quint32(payload.size())});
    m_offset += payload.size();
    return kSmfSaveOk;
}

int SmfStreamWriter::finish(SmfHeader header, const QVector<SmfLevelRecord> &records)
{
    if (m_index.size() != m_tileCount || records.size() != m_levelCount)
        return fail(kSmfSaveInvalidProject, QStringLiteral("the levels are incomplete"));
    header.levelCount = qint32(m_levelCount);
    header.tileCount = qint32(m_tileCount);
    if (!m_file.seek(0) || !put(header.toBytes()))
        return writeFailure();
    QByteArray chunk;
    for (const SmfLevelRecord &record : records)
        chunk += record.toBytes();
    for (const SmfTileIndexEntry &entry : std::as_const(m_index)) {
        chunk += entry.toBytes();
        if (chunk.size() >= kChunkBytes) {
            if (!put(chunk))
                return writeFailure();
            chunk.clear();
        }
    }
    if (!put(chunk) || !m_file.commit())
        return writeFailure();
    return kSmfSaveOk;
}
