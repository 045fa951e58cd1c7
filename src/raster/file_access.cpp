#include "raster/file_access.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

#include "raster/ozi_map.h"

bool isSameFile(const QString &a, const QString &b)
{
    struct stat first;
    struct stat second;
    if (::stat(QFile::encodeName(a).constData(), &first) == 0
        && ::stat(QFile::encodeName(b).constData(), &second) == 0)
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

QString inputFileRefusal(const QString &path, bool *missing)
{
    struct stat status;
    const bool found = !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &status) == 0;
    if (missing)
        *missing = !found;
    if (!found) {
        return QCoreApplication::translate("FileAccess", "%1 cannot be read: %2")
            .arg(path, QString::fromLocal8Bit(std::strerror(path.isEmpty() ? ENOENT : errno)));
    }
    if (!S_ISREG(status.st_mode))
        return QCoreApplication::translate("FileAccess", "%1 is not a regular file").arg(path);
    if (::access(QFile::encodeName(path).constData(), R_OK) != 0) {
        return QCoreApplication::translate("FileAccess", "%1 cannot be read: %2")
            .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
    }
    return QString();
}

QString outputRefusal(const QString &path, const QStringList &inputs)
{
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) == 0) {
        if (S_ISDIR(status.st_mode))
            return QCoreApplication::translate("FileAccess", "the output %1 is a folder").arg(path);
        if (!S_ISREG(status.st_mode)) {
            return QCoreApplication::translate("FileAccess", "the output %1 is not a regular file (a device, a "
                                                             "pipe or a socket), which is never replaced")
                .arg(path);
        }
    }
    for (const QString &input : inputs) {
        if (!input.isEmpty() && isSameFile(path, input))
            return QCoreApplication::translate("FileAccess", "the output %1 is the input %2").arg(path, input);
    }
    return QString();
}

QStringList georeferencingSidecars(const QString &imagePath)
{
    const QFileInfo info(imagePath);
    const QString suffix = info.suffix();
    QStringList names{QStringLiteral("wld"), QStringLiteral("prj")};
    if (!suffix.isEmpty()) {
        // GDAL's spellings of a world file: first and last letter of the suffix and
        // "w" (.pgw, .tfw), and the suffix and "w" (.pngw, .tifw).
        names << suffix.left(1) + suffix.right(1) + QLatin1Char('w') << suffix + QLatin1Char('w');
    }
    for (QString &name : names)
        name = info.completeBaseName() + QLatin1Char('.') + name;
    names << info.fileName() + QStringLiteral(".aux.xml");
    // In any letter case, as the names are compared on the file systems of Windows,
    // where these files are often made.
    QStringList found;
    const QStringList entries = info.dir().entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &entry : entries) {
        if (names.contains(entry, Qt::CaseInsensitive))
            found.append(info.dir().filePath(entry));
    }
    return found;
}

QStringList layerInputFiles(const QString &layerPath, const QString &imagePath)
{
    QStringList files{layerPath};
    if (!imagePath.isEmpty() && imagePath != layerPath)
        files.append(imagePath);
    for (const QString &image : QStringList(files)) {
        if (!isOziMapPath(image))
            files += georeferencingSidecars(image);
    }
    files.removeDuplicates();
    return files;
}

bool writeAll(QFileDevice &file, const char *data, qint64 size)
{
    while (size > 0) {
        const qint64 written = file.write(data, size);
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}
