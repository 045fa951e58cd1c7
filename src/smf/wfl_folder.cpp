#include "smf/wfl_folder.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QList>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <tuple>
#include <utility>

#include "raster/file_access.h"
#include "project/map_layer.h"
#include "smf/smf_format.h"

namespace {

constexpr int kMaxDigits = 9;  // keeps every number inside 32 bits

bool readNumber(const QString &digits, qint32 *value)
{
    if (digits.isEmpty() || digits.size() > kMaxDigits)
        return false;
    bool ok = false;
    *value = digits.toInt(&ok);
    return ok;
}

}  // namespace

qint32 parseWflTileName(const QString &sidecarPath, qint32 *part, qint32 *column, qint32 *row)
{
    *part = *column = *row = -1;
    // The tile numbers are what precedes the extension; the leftmost match takes the
    // whole run of digits of the level.
    static const QRegularExpression pattern(
        QStringLiteral("([0-9]+)(?: \\(([0-9]+)\\))?_([0-9]+)x([0-9]+)$"));
    const QString name = QFileInfo(sidecarPath).fileName();
    const int dot = int(name.lastIndexOf(QLatin1Char('.')));
    const QString base = dot > 0 ? name.left(dot) : name;
    const QRegularExpressionMatch match = pattern.match(base);
    if (!match.hasMatch())
        return -1;
    qint32 level = -1;
    qint32 numbers[3] = {-1, -1, -1};
    if (!readNumber(match.captured(1), &level) || !readNumber(match.captured(3), &numbers[1])
        || !readNumber(match.captured(4), &numbers[2])) {
        return -1;
    }
    if (match.capturedStart(2) >= 0 && !readNumber(match.captured(2), &numbers[0]))
        return -1;
    *part = numbers[0];
    *column = numbers[1];
    *row = numbers[2];
    return level;
}

namespace {

constexpr qint64 kMaxSidecarBytes = 65536;  // a sidecar is a few hundred bytes
constexpr int kFirstLine = 5;               // lines 5 to 8 hold the edges
constexpr int kLastLine = 8;

}  // namespace

SmfStatus readWflSidecar(const QString &path, WflSidecarEdges *edges, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QCoreApplication::translate("WflConversion", "cannot read %1: %2").arg(path, file.errorString());
        return SmfStatus::ReadError;
    }
    QByteArray text = file.read(kMaxSidecarBytes);
    if (file.error() != QFileDevice::NoError) {
        *error = QCoreApplication::translate("WflConversion", "cannot read %1: %2").arg(path, file.errorString());
        return SmfStatus::ReadError;
    }
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    const QList<QByteArray> lines = text.split('\n');

    double degrees[kLastLine - kFirstLine + 1];
    for (int line = kFirstLine; line <= kLastLine; ++line) {
        const bool latitude = line % 2 == 1;  // lines 5 and 7
        const QByteArray value = line <= lines.size() ? lines.at(line - 1).trimmed() : QByteArray();
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (!ok || !std::isfinite(number)) {
            *error = value.isEmpty()
                ? QCoreApplication::translate("WflConversion", "%1: line %2 holds no number; lines 5 to 8 must give "
                                                               "the tile's edges in degrees")
                      .arg(path).arg(line)
                : QCoreApplication::translate("WflConversion", "%1: line %2 is not a number (\"%3\")")
                      .arg(path).arg(line).arg(QString::fromLatin1(value.left(40)));
            return SmfStatus::InvalidTiles;
        }
        const double limit = latitude ? 90.0 : 180.0;
        if (std::fabs(number) > limit) {
            *error = (latitude ? QCoreApplication::translate("WflConversion", "%1: line %2 gives %3 degrees, beyond "
                                                                              "the latitude limit of %4 degrees")
                               : QCoreApplication::translate("WflConversion", "%1: line %2 gives %3 degrees, beyond "
                                                                              "the longitude limit of %4 degrees"))
                         .arg(path).arg(line).arg(number, 0, 'g', 17).arg(limit);
            return SmfStatus::InvalidTiles;
        }
        degrees[line - kFirstLine] = number;
    }
    edges->top = degreesToMasTruncated(degrees[0]);
    edges->left = degreesToMasTruncated(degrees[1]);
    edges->bottom = degreesToMasTruncated(degrees[2]);
    edges->right = degreesToMasTruncated(degrees[3]);
    return SmfStatus::Ok;
}

SmfStatus readWflPartCorner(const QString &path, qint32 *longitude, qint32 *latitude, QString *error)
{
    WflSidecarEdges edges;
    const SmfStatus status = readWflSidecar(path, &edges, error);
    if (status == SmfStatus::Ok) {
        *longitude = edges.left;
        *latitude = edges.top;
    }
    return status;
}

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
SmfStatus pairFolder(const QString &folder, const QSet<QString> &suffixes, QStringList *sidecars, QStringList *images,
               QString *error)
{
    const QDir dir(folder);
    // System: pipes, devices and sockets are listed too, to be refused below, not
    // passed over.
    const QStringList files = sortedEntries(dir, QDir::Files | QDir::System);
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
                ? QCoreApplication::translate("WflConversion", "%1 has no image beside it (an image file named %2 "
                                                               "with an image extension)")
                      .arg(dir.filePath(name), base)
                : QCoreApplication::translate("WflConversion", "%1 has more than one image beside it: %2")
                      .arg(dir.filePath(name), found.join(QStringLiteral(", ")));
            return SmfStatus::InvalidTiles;
        }
        for (const QString &file : {name, found.first()}) {
            const QString refusal = inputFileRefusal(dir.filePath(file));
            if (!refusal.isEmpty()) {
                *error = refusal;
                return SmfStatus::ReadError;
            }
        }
        sidecars->append(dir.filePath(name));
        images->append(dir.filePath(found.first()));
    }
    return SmfStatus::Ok;
}

}  // namespace

SmfStatus listWflFiles(const QString &folder, QStringList *sidecars, QStringList *images, QString *error)
{
    sidecars->clear();
    images->clear();
    const QFileInfo info(folder);
    if (!info.exists()) {
        *error = QCoreApplication::translate("WflConversion", "the folder %1 does not exist").arg(folder);
        return SmfStatus::ReadError;
    }
    if (!info.isDir()) {
        *error = QCoreApplication::translate("WflConversion", "%1 is not a folder").arg(folder);
        return SmfStatus::ReadError;
    }
    if (!isListable(info)) {
        *error = QCoreApplication::translate("WflConversion", "the folder %1 cannot be read").arg(folder);
        return SmfStatus::ReadError;
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
            *error = QCoreApplication::translate("WflConversion", "the folder %1 cannot be read").arg(path);
            return SmfStatus::ReadError;
        }
        const SmfStatus status = pairFolder(path, suffixes, sidecars, images, error);
        if (status != SmfStatus::Ok)
            return status;
    }
    return SmfStatus::Ok;
}

SmfStatus scanWflFolder(const QString &folder, QVector<WflTile> *tiles, QString *error)
{
    tiles->clear();
    QStringList sidecars;
    QStringList images;
    const SmfStatus status = listWflFiles(folder, &sidecars, &images, error);
    if (status != SmfStatus::Ok)
        return status;
    tiles->reserve(sidecars.size());
    for (qsizetype i = 0; i < sidecars.size(); ++i) {
        WflTile tile;
        tile.sidecarPath = sidecars.at(i);
        tile.imagePath = images.at(i);
        tile.level = parseWflTileName(tile.sidecarPath, &tile.part, &tile.column, &tile.row);
        if (tile.level < 0) {
            tiles->clear();
            *error = QCoreApplication::translate("WflConversion", "%1: the name does not give a level, column and "
                                                                  "row (such as 15_3x4.wfl, or 15 (2)_3x4.wfl for "
                                                                  "part 2)")
                         .arg(tile.sidecarPath);
            return SmfStatus::InvalidTiles;
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
            *error = a.part >= 0
                ? QCoreApplication::translate("WflConversion", "%1 and %2 are the same tile (level %3, part %4, "
                                                               "column %5, row %6)")
                      .arg(a.sidecarPath, b.sidecarPath).arg(a.level).arg(a.part).arg(a.column).arg(a.row)
                : QCoreApplication::translate("WflConversion", "%1 and %2 are the same tile (level %3, column %4, "
                                                               "row %5)")
                      .arg(a.sidecarPath, b.sidecarPath).arg(a.level).arg(a.column).arg(a.row);
            tiles->clear();
            return SmfStatus::InvalidTiles;
        }
    }
    return SmfStatus::Ok;
}

namespace {

// Grid places of the tiles of one level, 64-bit so that no name can overflow them.
struct Placement
{
    QVector<qint64> columns;
    QVector<qint64> rows;
    qint64 tileColumns = 0;
    qint64 tileRows = 0;
};

void placePlainTiles(const QVector<WflTile> &tiles, Placement *placement)
{
    for (const WflTile &tile : tiles) {
        placement->columns.append(tile.column);
        placement->rows.append(tile.row);
        placement->tileColumns = qMax<qint64>(placement->tileColumns, qint64(tile.column) + 1);
        placement->tileRows = qMax<qint64>(placement->tileRows, qint64(tile.row) + 1);
    }
}

struct PartExtent
{
    qint64 columns = 0;
    qint64 rows = 0;
    QString cornerSidecar;  // the part's tile in column 0, row 0
    qint32 longitude = 0;
    qint32 latitude = 0;
};

SmfStatus placePartTiles(qint32 level, QVector<WflTile> *tiles, Placement *placement, QString *error)
{
    QMap<qint32, PartExtent> parts;
    for (const WflTile &tile : std::as_const(*tiles)) {
        PartExtent &part = parts[tile.part];
        part.columns = qMax<qint64>(part.columns, qint64(tile.column) + 1);
        part.rows = qMax<qint64>(part.rows, qint64(tile.row) + 1);
        if (tile.column == 0 && tile.row == 0)
            part.cornerSidecar = tile.sidecarPath;
    }
    // Width of each band of equal longitude and height of each band of equal
    // latitude: the largest part in it.
    std::map<qint32, qint64> widths;                            // west to east
    std::map<qint32, qint64, std::greater<qint32>> heights;     // north to south
    for (auto it = parts.begin(); it != parts.end(); ++it) {
        PartExtent &part = it.value();
        if (part.cornerSidecar.isEmpty()) {
            *error = QCoreApplication::translate("WflConversion", "level %1, part %2 has no tile in column 0, row 0 (a "
                                                                  "sidecar named like \"%1 (%2)_0x0.wfl\")")
                         .arg(level).arg(it.key());
            return SmfStatus::InvalidTiles;
        }
        const SmfStatus status = readWflPartCorner(part.cornerSidecar, &part.longitude, &part.latitude, error);
        if (status != SmfStatus::Ok)
            return status;
        widths[part.longitude] = qMax(widths[part.longitude], part.columns);
        heights[part.latitude] = qMax(heights[part.latitude], part.rows);
    }
    QMap<qint32, qint64> columnOffsets;
    for (const auto &[longitude, width] : widths) {
        columnOffsets.insert(longitude, placement->tileColumns);
        placement->tileColumns += width;
    }
    QMap<qint32, qint64> rowOffsets;
    for (const auto &[latitude, height] : heights) {
        rowOffsets.insert(latitude, placement->tileRows);
        placement->tileRows += height;
    }
    for (WflTile &tile : *tiles) {
        const PartExtent &part = parts[tile.part];
        tile.partLongitude = part.longitude;
        tile.partLatitude = part.latitude;
        placement->columns.append(columnOffsets.value(part.longitude) + tile.column);
        placement->rows.append(rowOffsets.value(part.latitude) + tile.row);
    }
    return SmfStatus::Ok;
}

// Checks that the tiles fill the grid exactly once, and puts them in index order.
SmfStatus orderInGrid(WflLevelGroup *group, const Placement &placement, QString *error)
{
    const QVector<WflTile> &tiles = group->tiles;
    QVector<std::pair<qint64, int>> order;  // (place in the grid, tile)
    order.reserve(tiles.size());
    for (int i = 0; i < tiles.size(); ++i)
        order.append({placement.rows.at(i) * placement.tileColumns + placement.columns.at(i), i});
    std::sort(order.begin(), order.end());
    const auto missing = [&](qint64 place) {
        *error = QCoreApplication::translate("WflConversion", "level %1 has no tile for column %2, row %3 of its grid "
                                                              "of %4 x %5 tiles")
                     .arg(group->level).arg(place % placement.tileColumns).arg(place / placement.tileColumns)
                     .arg(placement.tileColumns).arg(placement.tileRows);
        return SmfStatus::InvalidTiles;
    };
    for (int i = 0; i < order.size(); ++i) {
        const qint64 place = order.at(i).first;
        if (i > 0 && place == order.at(i - 1).first) {
            *error = QCoreApplication::translate("WflConversion", "%1 and %2 fall on the same place of level %3 "
                                                                  "(column %4, row %5)")
                         .arg(tiles.at(order.at(i - 1).second).sidecarPath, tiles.at(order.at(i).second).sidecarPath)
                         .arg(group->level).arg(place % placement.tileColumns).arg(place / placement.tileColumns);
            return SmfStatus::InvalidTiles;
        }
        if (place != i)
            return missing(i);
    }
    if (qint64(order.size()) < placement.tileColumns * placement.tileRows)
        return missing(order.size());

    // Complete: the grid has no more places than the level has tiles, so all fits.
    QVector<WflTile> ordered;
    ordered.reserve(tiles.size());
    for (const auto &[place, index] : std::as_const(order)) {
        WflTile tile = tiles.at(index);
        tile.gridColumn = qint32(placement.columns.at(index));
        tile.gridRow = qint32(placement.rows.at(index));
        ordered.append(tile);
    }
    group->tiles = ordered;
    group->tileColumns = qint32(placement.tileColumns);
    group->tileRows = qint32(placement.tileRows);
    return SmfStatus::Ok;
}

SmfStatus groupLevel(WflLevelGroup *group, QString *error)
{
    const WflTile *plain = nullptr;
    const WflTile *numbered = nullptr;
    for (const WflTile &tile : std::as_const(group->tiles)) {
        if (tile.part < 0 && !plain)
            plain = &tile;
        if (tile.part >= 0 && !numbered)
            numbered = &tile;
    }
    if (plain && numbered) {
        *error = QCoreApplication::translate("WflConversion", "level %1 mixes plain tiles and numbered parts "
                                                              "(%2 and %3)")
                     .arg(group->level).arg(plain->sidecarPath, numbered->sidecarPath);
        return SmfStatus::InvalidTiles;
    }
    Placement placement;
    if (plain) {
        placePlainTiles(group->tiles, &placement);
    } else {
        const SmfStatus status = placePartTiles(group->level, &group->tiles, &placement, error);
        if (status != SmfStatus::Ok)
            return status;
    }
    return orderInGrid(group, placement, error);
}

}  // namespace

SmfStatus groupWflTiles(const QVector<WflTile> &tiles, QVector<WflLevelGroup> *groups, QString *error)
{
    groups->clear();
    QVector<WflTile> sorted = tiles;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const WflTile &a, const WflTile &b) { return a.level > b.level; });
    for (const WflTile &tile : std::as_const(sorted)) {
        if (groups->isEmpty() || groups->last().level != tile.level) {
            groups->append(WflLevelGroup());
            groups->last().level = tile.level;
        }
        groups->last().tiles.append(tile);
    }
    for (WflLevelGroup &group : *groups) {
        const SmfStatus status = groupLevel(&group, error);
        if (status != SmfStatus::Ok)
            return status;
    }
    return SmfStatus::Ok;
}
