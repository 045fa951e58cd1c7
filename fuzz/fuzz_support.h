#pragma once

// Shared by the fuzz targets: a Qt application for the offscreen platform (fonts and
// painting need one) and a scratch file that receives each input.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QString>

#include <cstdlib>
#include <unistd.h>

namespace fuzz {

// Creates the application once; call from LLVMFuzzerInitialize.
inline void startApplication(int *argc, char ***argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication app(*argc, *argv);
}

// A file name in the temporary folder that is this process's own, ending in suffix.
inline QString scratchPath(const QString &suffix)
{
    return QDir::temp().filePath(QStringLiteral("mapvane-fuzz-%1%2").arg(getpid()).arg(suffix));
}

// Replaces the file at path with bytes. Returns false when it cannot be written.
inline bool writeScratch(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

}  // namespace fuzz
