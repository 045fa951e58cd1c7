#include "smf/smf_layer_image.h"

#include <QBuffer>
#include <QFile>

#include "smf/smf_file_index.h"
#include "smf/smf_level_image.h"

QImage readSmfLayerImage(const QString &path, const QByteArray *fileBytes, int level)
{
    QFile file(path);
    QBuffer buffer;
    QIODevice *device = &file;
    if (fileBytes) {
        buffer.setData(*fileBytes);
        device = &buffer;
    }
    if (!device->open(QIODevice::ReadOnly))
        return QImage();
    SmfFileIndex index;
    QString error;
    if (!readSmfStructure(*device, &index, &error))
        return QImage();
    return assembleLevelImage(*device, index, level).image;
}
