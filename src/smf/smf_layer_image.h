#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// The image of one level of an SMF file for an editing layer, in 16-bit RGB 5-5-5
// (see assembleLevelImage). The file's bytes come from fileBytes when given, else
// from the file at path. Damaged tiles stay white. Returns a null image when the file
// cannot be read, is damaged in its structure, or has no such level.
QImage readSmfLayerImage(const QString &path, const QByteArray *fileBytes, int level);
