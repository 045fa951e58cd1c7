#include "smf/wfl_folder_scan.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QSet>

#include <algorithm>
#include <tuple>

#include "smf/wfl_status.h"
#include "smf/wfl_tile_name.h"

namespace {

const QString kSidecarSuffix = QStringLiteral(".wfl");

QSet<QString> imageSuffixes()
{
    QSet<QString> suffixes;
    const QList<QByteArray> formats = QImageReader::supportedImageFormats();
    for (const QByteArray &format : formats)
        suffixes.insert(QString::fromLatin1(format).toLower());
    return suffixes;
}

// Names of the entries of dir passing filters, compared as code units.
QStringList sortedEntries(const QDir &dir, QDir::Filters filters)
{
    QStringList names = dir.entryList(filters, QDir::NoSort);
    std::sort(names.begin(), names.end());
    return names;
}

bool isListable(const QFileInfo &info)
{
    return info.isDir() && info.isReadable() && info.isExecutable();
}

// Pairs the sidecars of one folder with their images.
int pairFolder(const QString &folder, const QSet<QString> &suffixes, QStringList *sidecars, QStringList *images,
               QString *error)
{
    const QDir dir(folder);
    const QStringList files = sortedEntries(dir, QDir::Files);
    QHash<QString, QStringList> imagesByBase;
    QStringList sidecarNames;
    for (const QString &name : files) {
        if (name.endsWith(kSidecarSuffix, Qt::CaseInsensitive)) {
            sidecarNames.append(name);
            continue;
        }
        const QFileInfo info(name);
        if (suffixes.contains(info.suffix().toLower()))
            imagesByBase[info.completeBaseName()].append(name);
    }
    for (const QString &name : std::as_const(sidecarNames)) {
        const QString base = name.chopped(kSidecarSuffix.size());
        const QStringList found = imagesByBase.value(base);
        if (found.size() != 1) {
            *error = found.isEmpty()
                ? QStringLiteral("%1 has no image beside it (an image file named %2 with an image extension)")
                      .arg(dir.filePath(name), base)
                : QStringLiteral("%1 has more than one image beside it: %2")
                      .arg(dir.filePath(name), found.join(QStringLiteral(", ")));
            return kWflInvalidTiles;
        }
        sidecars->append(dir.filePath(name));
        images->append(dir.filePath(found.first()));
    }
    return kWflOk;
}

}  // namespace

int listWflFiles(const QString &folder, QStringList *sidecars, QStringList *images, QString *error)
{
    sidecars->clear();
    images->clear();
    const QFileInfo info(folder);
    if (!info.exists()) {
        *error = QStringLiteral("the folder %1 does not exist").arg(folder);
        return kWflReadError;
    }
    if (!info.isDir()) {
        *error = QStringLiteral("%1 is not a folder").arg(folder);
        return kWflReadError;
    }
    if (!isListable(info)) {
        *error = QStringLiteral("the folder %1 cannot be read").arg(folder);
        return kWflReadError;
    }
    const QDir dir(folder);
    QStringList folders;
    for (const QString &name : sortedEntries(dir, QDir::Dirs | QDir::NoDotAndDotDot))
        folders.append(dir.filePath(name));
    if (folders.isEmpty())
        folders.append(folder);

    const QSet<QString> suffixes = imageSuffixes();
    for (const QString &path : std::as_const(folders)) {
        if (!isListable(QFileInfo(path))) {
            *error = QStringLiteral("the folder %1 cannot be read").arg(path);
            return kWflReadError;
        }
        const int status = pairFolder(path, suffixes, sidecars, images, error);
        if (status != kWflOk)
            return status;
    }
    return kWflOk;
}

int scanWflFolder(const QString &folder, QVector<WflTile> *tiles, QString *error)
{
    tiles->clear();
    QStringList sidecars;
    QStringList images;
    const int status = listWflFiles(folder, &sidecars, &images, error);
    if (status != kWflOk)
        return status;
    tiles->reserve(sidecars.size());
    for (qsizetype i = 0; i < sidecars.size(); ++i) {
        WflTile tile;
        tile.sidecarPath = sidecars.at(i);
        tile.imagePath = images.at(i);
        tile.level = parseWflTileName(tile.sidecarPath, &tile.part, &tile.column, &tile.row);
        if (tile.level < 0) {
            tiles->clear();
            *error = QStringLiteral("%1: the name does not give a level, column and row "
                                    "(such as 15_3x4.wfl, or 15 (2)_3x4.wfl for part 2)")
                         .arg(tile.sidecarPath);
            return kWflInvalidTiles;
        }
        tiles->append(tile);
    }
    const auto key = [](const WflTile &t) { return std::make_tuple(t.level, t.part, t.column, t.row); };
    std::stable_sort(tiles->begin(), tiles->end(),
                     [&key](const WflTile &a, const WflTile &b) { return key(b) < key(a); });
    for (qsizetype i = 1; i < tiles->size(); ++i) {
        const WflTile &a = tiles->at(i - 1);
        const WflTile &b = tiles->at(i);
        if (key(a) == key(b)) {
            *error = QStringLiteral("%1 and %2 are the same tile (level %3%4, column %5, row %6)")
                         .arg(a.sidecarPath, b.sidecarPath).arg(a.level)
                         .arg(a.part >= 0 ? QStringLiteral(", part %1").arg(a.part) : QString())
                         .arg(a.column).arg(a.row);
            tiles->clear();
            return kWflInvalidTiles;
        }
    }
    return kWflOk;
}
