#pragma once

// Files and images for any test: whole-file reads and writes, snapshots of a folder,
// and a map-like image made in memory.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QPainter>

namespace fixtures {

// An image with gradients, lines and blocks of colour, so that every tile differs
// and compresses as a scanned map does.
inline QImage mapLikeImage(int width, int height, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = qRgb((x * 7 + y) & 0xFF, (y * 5 + x / 3) & 0xFF, ((x ^ y) * 3) & 0xFF);
    }
    QPainter painter(&image);
    painter.setPen(QPen(Qt::darkBlue, 3));
    for (int i = 0; i < width + height; i += 97)
        painter.drawLine(i, 0, i - height / 2, height);
    painter.fillRect(QRect(width / 4, height / 4, width / 5, height / 6), QColor(240, 230, 200));
    painter.end();
    return format == QImage::Format_RGB32 ? image : image.convertToFormat(format);
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Path and bytes of every regular file under folder (pipes and devices are not read).
inline QMap<QString, QByteArray> regularFiles(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), fileBytes(path));
    }
    return files;
}

}  // namespace fixtures
