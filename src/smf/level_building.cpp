// MapProject::buildLevel: one layer becomes one level of tiles and its record.

#include "project/map_project.h"

#include <QFileInfo>

#include "smf/level_record_builder.h"
#include "smf/smf_save_status.h"
#include "smf/tile_cutting.h"

namespace {

// Whole tiles needed for length pixels.
qint64 tilesFor(qint64 length, qint64 tileLength)
{
    return (length + tileLength - 1) / tileLength;
}

}  // namespace

int MapProject::buildLevel(int layerIndex, ProgressReporter *progress)
{
    ProgressReporter silent;
    if (!progress)
        progress = &silent;
    MapLayer *layer = layerAt(layerIndex);
    if (!layer)
        return failSave(kSmfSaveInvalidProject, QStringLiteral("there is no layer %1").arg(layerIndex));
    if (tileWidth <= 0 || tileHeight <= 0) {
        return failSave(kSmfSaveInvalidProject,
                        QStringLiteral("the tile size %1 x %2 is not positive").arg(tileWidth).arg(tileHeight));
    }

    // A shared copy: the tiles are cut from it even if the budget drops the layer's image.
    const QImage image = *layerImage(layerIndex);
    if (image.isNull()) {
        return failSave(kSmfSaveImageError, QStringLiteral("layer %1: the image %2 cannot be read")
                                                .arg(layerIndex).arg(QFileInfo(layer->sourcePath).fileName()));
    }
    layer->updateScales();

    const qint64 columns = tilesFor(image.width(), tileWidth);
    const qint64 rows = tilesFor(image.height(), tileHeight);
    SmfLevelRecord record;
    QString reason;
    if (!buildLevelRecord(*layer, int(columns), int(rows), tileWidth, tileHeight, &record, &reason))
        return failSave(kSmfSaveCalibrationError, QStringLiteral("layer %1: %2").arg(layerIndex).arg(reason));

    const QRgb fill = fillColour.rgb();
    QVector<SmfTileBlob> tiles;
    tiles.reserve(columns * rows);
    for (qint64 r = 0; r < rows; ++r) {
        for (qint64 c = 0; c < columns; ++c) {
            progress->pumpEvents();
            if (progress->cancelled())
                return failSave(kSmfSaveCancelled, QStringLiteral("the save was cancelled"));
            const QRect tileRect(int(c * tileWidth), int(r * tileHeight), tileWidth, tileHeight);
            SmfTileBlob blob = cutTile(image, tileRect, fill);
            if (blob.isEmpty())
                return failSave(kSmfSaveOutOfMemory, QStringLiteral("not enough memory to encode a tile"));
            tiles.append(std::move(blob));
        }
    }
    levelTiles.append(std::move(tiles));
    levelRecords.append(record);
    return kSmfSaveOk;
}
