#include "smf/wfl_level_grouping.h"

#include <QMap>

#include <algorithm>
#include <functional>
#include <map>
#include <utility>

#include "smf/wfl_sidecar.h"
#include "smf/wfl_status.h"

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

int placePartTiles(qint32 level, QVector<WflTile> *tiles, Placement *placement, QString *error)
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
            *error = QStringLiteral("level %1, part %2 has no tile in column 0, row 0 (a sidecar named like "
                                    "\"%1 (%2)_0x0.wfl\")").arg(level).arg(it.key());
            return kWflInvalidTiles;
        }
        const int status = readWflPartCorner(part.cornerSidecar, &part.longitude, &part.latitude, error);
        if (status != kWflOk)
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
    return kWflOk;
}

// Checks that the tiles fill the grid exactly once, and puts them in index order.
int orderInGrid(WflLevelGroup *group, const Placement &placement, QString *error)
{
    const QVector<WflTile> &tiles = group->tiles;
    QVector<std::pair<qint64, int>> order;  // (place in the grid, tile)
    order.reserve(tiles.size());
    for (int i = 0; i < tiles.size(); ++i)
        order.append({placement.rows.at(i) * placement.tileColumns + placement.columns.at(i), i});
    std::sort(order.begin(), order.end());
    const auto missing = [&](qint64 place) {
        *error = QStringLiteral("level %1 has no tile for column %2, row %3 of its grid of %4 x %5 tiles")
                     .arg(group->level).arg(place % placement.tileColumns).arg(place / placement.tileColumns)
                     .arg(placement.tileColumns).arg(placement.tileRows);
        return kWflInvalidTiles;
    };
    for (int i = 0; i < order.size(); ++i) {
        const qint64 place = order.at(i).first;
        if (i > 0 && place == order.at(i - 1).first) {
            *error = QStringLiteral("%1 and %2 fall on the same place of level %3 (column %4, row %5)")
                         .arg(tiles.at(order.at(i - 1).second).sidecarPath, tiles.at(order.at(i).second).sidecarPath)
                         .arg(group->level).arg(place % placement.tileColumns).arg(place / placement.tileColumns);
            return kWflInvalidTiles;
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
    return kWflOk;
}

int groupLevel(WflLevelGroup *group, QString *error)
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
        *error = QStringLiteral("level %1 mixes plain tiles and numbered parts (%2 and %3)")
                     .arg(group->level).arg(plain->sidecarPath, numbered->sidecarPath);
        return kWflInvalidTiles;
    }
    Placement placement;
    if (plain) {
        placePlainTiles(group->tiles, &placement);
    } else {
        const int status = placePartTiles(group->level, &group->tiles, &placement, error);
        if (status != kWflOk)
            return status;
    }
    return orderInGrid(group, placement, error);
}

}  // namespace

int groupWflTiles(const QVector<WflTile> &tiles, QVector<WflLevelGroup> *groups, QString *error)
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
        const int status = groupLevel(&group, error);
        if (status != kWflOk)
            return status;
    }
    return kWflOk;
}
