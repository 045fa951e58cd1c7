#include "settings/language_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include "settings/settings_folder.h"

const QString LanguageFileTable[3] = {
    QStringLiteral("./LanguageEN.qm"),
    QStringLiteral("./LanguageZH.qm"),
    QStringLiteral("./LanguageTW.qm"),
};

QString readLanguageIni()
{
    QFile file(settingsFilePath(QString::fromLatin1(kLanguageIniName)));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return LanguageFileTable[0];
    QTextStream stream(&file);
    stream.setEncoding(QStringConverter::Utf8);
    const QString line = stream.readLine();
    if (line.isNull())
        return QStringLiteral("./Language.qm");
    return line;
}

bool writeLanguageIni(int index)
{
    if (index < 0 || index > 2)
        return false;
    return writeSettingsLines(settingsFilePath(QString::fromLatin1(kLanguageIniName)), {LanguageFileTable[index]});
}

QString locateTranslationFile(const QString &path)
{
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    const QString name = QFileInfo(path).fileName();
    QStringList folders;
    if (QCoreApplication::instance()) {
        const QString programFolder = QCoreApplication::applicationDirPath();
        // Beside the program (a build folder), then the data folder of an installed
        // program wherever it was installed (bin/../share/mapvane).
        folders << programFolder << QDir(programFolder).filePath(QStringLiteral("../share/mapvane"));
    }
#ifdef MAPVANE_INSTALL_DATADIR
    folders << QStringLiteral(MAPVANE_INSTALL_DATADIR);
#endif
    for (const QString &folder : folders) {
        const QString candidate = QDir(folder).filePath(name);
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return path;
}

QString qtTranslationLocale(const QString &languageFile)
{
    const QString name = QFileInfo(languageFile).fileName();
    if (name == QFileInfo(LanguageFileTable[1]).fileName())
        return QStringLiteral("zh_CN");
    if (name == QFileInfo(LanguageFileTable[2]).fileName())
        return QStringLiteral("zh_TW");
    return QString();
}
