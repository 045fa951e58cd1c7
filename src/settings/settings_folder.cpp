#include "settings/settings_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

namespace {

// The folder itself with its links resolved; the cleaned absolute path when it does
// not exist.
QString resolvedFolder(const QString &folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

bool isInside(const QString &folder, const QString &outer)
{
    return folder == outer || folder.startsWith(outer + QLatin1Char('/'));
}

}  // namespace

bool runsFromBuildFolder(const QString &programFolder)
{
    const QString folder = resolvedFolder(programFolder);
#ifdef MAPVANE_BUILD_DIR
    if (isInside(folder, resolvedFolder(QStringLiteral(MAPVANE_BUILD_DIR))))
        return true;
#endif
    const QDir dir(folder);
    for (const char *name : {"LanguageEN.qm", "LanguageZH.qm", "LanguageTW.qm"}) {
        if (QFileInfo::exists(dir.filePath(QString::fromLatin1(name))))
            return true;
    }
    return false;
}

QString settingsFolderFor(const QString &programFolder)
{
    if (runsFromBuildFolder(programFolder))
        return QStringLiteral(".");
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/mapvane");
}

QString settingsFolder()
{
    if (!QCoreApplication::instance())
        return QStringLiteral(".");
    return settingsFolderFor(QCoreApplication::applicationDirPath());
}

QString settingsFilePath(const QString &name)
{
    return settingsFolder() + QLatin1Char('/') + name;
}

bool makeFolderOf(const QString &path)
{
    return QDir().mkpath(QFileInfo(path).absolutePath());
}

bool writeSettingsLines(const QString &path, const QStringList &lines)
{
    // Written beside and renamed over the old file, so a failed write keeps it whole.
    QSaveFile file(path);
    makeFolderOf(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QTextStream stream(&file);
    stream.setEncoding(QStringConverter::Utf8);
    for (const QString &line : lines)
        stream << line << '\n';
    stream.flush();
    return stream.status() == QTextStream::Ok && file.commit();
}
