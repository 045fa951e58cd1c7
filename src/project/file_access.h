#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

// Whether two paths name the same file: the same device and inode when both exist
// (hard links and symbolic links included), else the same absolute, cleaned path.
bool isSameFile(const QString &a, const QString &b);

// Writes all of bytes, or fails. A short write (a full disk, a file-size limit) is
// retried once for the rest, so that the device records the system's reason
// ("No space left on device", "File too large") in errorString() instead of
// reporting a short count without one.
bool writeAll(QFileDevice &file, const char *data, qint64 size);
inline bool writeAll(QFileDevice &file, const QByteArray &bytes)
{
    return writeAll(file, bytes.constData(), bytes.size());
}
