#include "settings/recent_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include "settings/settings_folder.h"

QString recentFilesPath()
{
    return settingsFilePath(QStringLiteral("recent.ini"));
}

QStringList readRecentFiles(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream stream(&file);
    stream.setEncoding(QStringConverter::Utf8);
    QStringList files;
    while (!stream.atEnd() && files.size() < kRecentFilesMax) {
        const QString line = stream.readLine();
        if (!line.isEmpty())
            files << line;
    }
    return files;
}

bool writeRecentFiles(const QStringList &files, const QString &path)
{
    return writeSettingsLines(path, files);
}

QStringList withRecentFile(QStringList files, const QString &file)
{
    const QString entry = QDir::cleanPath(QFileInfo(file).absoluteFilePath());
    files.removeAll(entry);
    files.prepend(entry);
    while (files.size() > kRecentFilesMax)
        files.removeLast();
    return files;
}
