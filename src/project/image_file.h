#pragma once

#include <QImage>
#include <QString>
#include <QtGlobal>

#include <atomic>

// Reads an image file in any format the image library recognises from its content.
// The library's allocation limit is raised as far as the image needs, up to
// budgetMB (MiB), so that large scans (20000 x 20000) load. Returns a null image
// when the file cannot be read or decoded, or needs more than budgetMB.
// position (may be nullptr) follows how far into the file the decoder has read, in
// bytes, for another thread to show progress.
QImage readImageFile(const QString &path, qint32 budgetMB, std::atomic<qint64> *position = nullptr);
