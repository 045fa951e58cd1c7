// Reading an SMF file into a project: one layer per level.

#include <QFile>

#include "project/map_project.h"
#include "smf/smf_file_index.h"
#include "smf/smf_layout.h"

namespace {

constexpr qint64 kMaxEditPixels = 100000000;  // 10,000 x 10,000

MapLayer *layerForLevel(const QString &path, int level, int source, const SmfLevelRecord &r, const SmfHeader &h)
{
    auto *layer = new MapLayer;
    layer->sourcePath = path;
    layer->fromSmf = true;
    layer->smfLevel = quint8(level);
    layer->smfSource = quint8(source);
    layer->loaded = false;
    layer->topLeft = CalibrationPoint{r.topLeftX, r.topLeftY, r.topLeftLon, r.topLeftLat};
    layer->bottomRight = CalibrationPoint{r.bottomRightX, r.bottomRightY, r.bottomRightLon, r.bottomRightLat};
    if (r.bottomRightX == 0 || r.bottomRightY == 0) {
        // No calibration points stored (a converted tile folder): the level's corners.
        layer->topLeft.lon = r.left;
        layer->topLeft.lat = r.top;
        layer->bottomRight.lon = r.right;
        layer->bottomRight.lat = r.bottom;
        layer->bottomRight.pixelX = qint32(qint64(r.tileColumns) * h.tileWidth);
        layer->bottomRight.pixelY = qint32(qint64(r.tileRows) * h.tileHeight);
    }
    layer->topLeftLonSet = layer->topLeftLatSet = true;
    layer->bottomRightLonSet = layer->bottomRightLatSet = true;
    layer->updateScales();
    return layer;
}

}  // namespace

int MapProject::openSmf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_errorString = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        return -1;
    }
    SmfFileIndex index;
    QString error;
    if (!readSmfStructure(file, &index, &error)) {
        m_errorString = error;
        return -1;
    }
    const SmfHeader &header = index.header;
    // A layer names its level and its file in 8 bits, 255 meaning none.
    if (header.levelCount > 255) {
        m_errorString = QStringLiteral("the file has %1 levels; at most 255 can be opened").arg(header.levelCount);
        return -1;
    }
    if (smfImages.size() >= MapLayer::kNone) {
        m_errorString = QStringLiteral("too many SMF files in one project");
        return -1;
    }
    if (!browseMode) {
        for (int k = 0; k < header.levelCount; ++k) {
            const SmfLevelRecord &r = index.levels[k];
            const qint64 pixels = qint64(r.tileColumns) * r.tileRows * header.tileWidth * header.tileHeight;
            if (pixels > kMaxEditPixels) {
                m_errorString = QStringLiteral("level %1 has more than 10,000 x 10,000 pixels").arg(k);
                return -2;
            }
        }
    }

    // An editing project keeps the whole file, a browse project header, records and index.
    const qint64 keep = browseMode ? tileDataOffset(header.levelCount, header.tileCount) : index.fileSize;
    if (!file.seek(0)) {
        m_errorString = QStringLiteral("cannot read %1").arg(path);
        return -1;
    }
    QByteArray bytes;
    try {
        bytes = file.read(keep);
    } catch (const std::bad_alloc &) {
        bytes.clear();
    }
    if (bytes.size() != keep) {
        m_errorString = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return -1;
    }

    const int source = int(smfImages.size());
    smfImages.append(bytes);
    filePath = path;
    tileWidth = header.tileWidth;
    tileHeight = header.tileHeight;
    cartographer = header.cartographer;
    mapName = header.mapName;
    for (int k = 0; k < header.levelCount; ++k)
        layers.append(layerForLevel(path, k, source, index.levels[k], header));
    return 0;
}
