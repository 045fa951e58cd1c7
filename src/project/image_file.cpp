#include "project/image_file.h"

#include <QImageReader>

#include "project/counting_file.h"

QImage readImageFile(const QString &path, qint32 budgetMB, std::atomic<qint64> *position)
{
    std::atomic<qint64> unwatched{0};
    CountingFile file(path, position ? position : &unwatched);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    QImageReader reader(&file);
    const QSize size = reader.size();
    if (size.isValid()) {
        // Eight bytes per pixel covers the widest format a loader produces (16 bits
        // per channel); the limit is in MiB and applies to each single image.
        const qint64 neededMB = (qint64(size.width()) * size.height() * 8 >> 20) + 1;
        const int limitMB = QImageReader::allocationLimit();
        if (limitMB > 0 && neededMB > limitMB)
            QImageReader::setAllocationLimit(int(qMin<qint64>(neededMB, qMax(budgetMB, limitMB))));
    }
    QImage image;
    if (!reader.read(&image))
        return QImage();
    return image;
}
