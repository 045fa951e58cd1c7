#include "project/ozi_image_path.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

// The line read in one encoding; a null string when the bytes are not valid in it
// (or this Qt build has no converter for it).
QString decoded(const QByteArray &bytes, const char *encoding)
{
    QStringDecoder decoder(encoding);
    if (!decoder.isValid())
        return QString();
    const QString text = decoder.decode(bytes);
    return decoder.hasError() ? QString() : text;
}

// The line as a file name of this system: its raw bytes, when they survive the
// round trip through the file system's encoding.
QString rawName(const QByteArray &bytes)
{
    const QString name = QFile::decodeName(bytes);
    return QFile::encodeName(name) == bytes ? name : QString();
}

// "C:/..." names a drive of another machine: absolute, never under the map's folder.
bool isAbsolutePath(const QString &path)
{
    const bool driveLetter = path.size() >= 3 && path.at(0).isLetter() && path.at(0).unicode() < 128
        && path.at(1) == QLatin1Char(':') && path.at(2) == QLatin1Char('/');
    return driveLetter || QDir::isAbsolutePath(path);
}

class ImageLookup
{
public:
    explicit ImageLookup(const QString &mapPath)
        : m_folder(mapPath.left(mapPath.lastIndexOf(QLatin1Char('/')) + 1))
    {
    }

    // The path the line names: separators made "/", relative paths under the map's folder.
    QString namedPath(const QString &line) const
    {
        QString path = line.trimmed();
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (path.isEmpty() || isAbsolutePath(path))
            return path;
        return m_folder + path;
    }

    // An existing file for the line, or an empty string.
    QString existingFile(const QString &line) const
    {
        const QString named = namedPath(line);
        if (named.isEmpty())
            return QString();
        if (QFileInfo(named).isFile())
            return named;
        const QString name = named.mid(named.lastIndexOf(QLatin1Char('/')) + 1);
        if (name.isEmpty())
            return QString();
        const QString beside = m_folder + name;
        if (QFileInfo(beside).isFile())
            return beside;
        const QDir folder(m_folder.isEmpty() ? QStringLiteral(".") : m_folder);
        const QStringList entries = folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
        for (const QString &entry : entries) {
            if (entry.compare(name, Qt::CaseInsensitive) == 0)
                return m_folder + entry;
        }
        return QString();
    }

private:
    QString m_folder;  // the map's folder with its final "/", or empty for the working folder
};

}  // namespace

QString resolveOziImagePath(const QString &mapPath, const QByteArray &imageLine)
{
    const ImageLookup lookup(mapPath);
    const QString readings[] = {
        rawName(imageLine),
        decoded(imageLine, "UTF-8"),
        decoded(imageLine, "GB18030"),
        decoded(imageLine, "Windows-1251"),
        decoded(imageLine, "Windows-1252"),
    };
    QString firstReading;
    QStringList tried;
    for (const QString &line : readings) {
        if (line.isNull() || tried.contains(line))
            continue;
        tried.append(line);
        if (firstReading.isNull())
            firstReading = line;
        const QString found = lookup.existingFile(line);
        if (!found.isEmpty())
            return found;
    }
    const QString named = lookup.namedPath(firstReading.isNull() ? QString::fromLatin1(imageLine) : firstReading);
    return named.isEmpty() ? mapPath : named;
}
