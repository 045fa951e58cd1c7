#include "project/image_file.h"

#include <QImageReader>

QImage readImageFile(const QString &path, qint32 budgetMB)
{
    QImageReader reader(path);
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
