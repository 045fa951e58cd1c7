#pragma once

#include <QImage>
#include <QString>
#include <QtGlobal>

#include <atomic>

// Why readImageFile gave no image.
enum ImageFileStatus {
    kImageFileOk = 0,
    kImageFileUnreadable = -1,  // the file is missing or cannot be opened or read
    kImageFileInvalid = -2,     // not an image the library can decode, damaged, or too large
};

// Reads an image file in any format the image library recognises from its content.
// The library's allocation limit is raised as far as the image needs, up to
// budgetMB (MiB), so that large scans (20000 x 20000) load. Returns a null image
// when the file cannot be read or decoded, or needs more than budgetMB; then
// *status (may be nullptr) is an ImageFileStatus and *error (may be nullptr) says
// why in English ("No such file or directory", "unsupported image format", ...).
// position (may be nullptr) follows how far into the file the decoder has read, in
// bytes, for another thread to show progress.
QImage readImageFile(const QString &path, qint32 budgetMB, std::atomic<qint64> *position = nullptr,
                     int *status = nullptr, QString *error = nullptr);
