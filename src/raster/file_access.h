#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <QStringList>

// Whether two paths name the same file: the same device and inode when both exist
// (hard links and symbolic links included), else the same absolute, cleaned path.
bool isSameFile(const QString &a, const QString &b);

// Why path cannot be read as an input file, in words for the user, or an empty
// string when it can: it must name an existing regular file (a symbolic link to one
// counts), never a directory, a FIFO, a socket or a device, and one this process
// may read. *missing (may be nullptr) tells a file that does not exist or cannot be
// looked at from one that is there.
QString inputFileRefusal(const QString &path, bool *missing = nullptr);

// Why path cannot be written as an output, in words for the user, or an empty string
// when it can: an existing directory, or an existing file that is not a regular one
// (a device, a FIFO, a socket) is never replaced, and an output is never one of
// inputs (see isSameFile).
QString outputRefusal(const QString &path, const QStringList &inputs);

// The files beside an image that say where it lies, those that exist: its world
// file in each spelling GDAL reads (.pgw, .pngw, .wld, ...), its ".prj" and its
// ".aux.xml", each in any letter case.
QStringList georeferencingSidecars(const QString &imagePath);

// The files a layer is read from, every one an input no output may replace: layerPath
// (an image, a georeferenced raster or an OziExplorer ".map" file), imagePath (the
// image it names; may be empty or equal to layerPath) and the georeferencing sidecars
// of both images (georeferencingSidecars).
QStringList layerInputFiles(const QString &layerPath, const QString &imagePath);

// Writes all of bytes, or fails. A short write (a full disk, a file-size limit) is
// retried once for the rest, so that the device records the system's reason
// ("No space left on device", "File too large") in errorString() instead of
// reporting a short count without one.
bool writeAll(QFileDevice &file, const char *data, qint64 size);
inline bool writeAll(QFileDevice &file, const QByteArray &bytes)
{
    return writeAll(file, bytes.constData(), bytes.size());
}
