#pragma once

#include <QImage>
#include <QString>
#include <QtGlobal>

// Reads an image file in any format the image library recognises from its content.
// The library's allocation limit is raised as far as the image needs, up to
// budgetMB (MiB), so that large scans (20000 x 20000) load. Returns a null image
// when the file cannot be read or decoded, or needs more than budgetMB.
QImage readImageFile(const QString &path, qint32 budgetMB);
