#include "project/image_file.h"

#include <QImageReader>

#include "project/counting_file.h"

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
