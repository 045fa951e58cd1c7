#include "project/map_project.h"

#include <algorithm>
#include <utility>

#include "project/layer_mosaic.h"
#include "raster/file_access.h"
#include "raster/image_file.h"
#include "project/map_layer.h"

MapProject::MapProject()
    : MapProject(queryPhysicalMemoryMB())
{
}

MapProject::MapProject(qint32 physicalMB)
    : physicalMB(physicalMB)
{
}

MapProject::~MapProject()
{
    clear();
}

void MapProject::setCartographer(const QString &text)
{
    if (text != cartographer) {
        cartographer = text;
        changeFlags |= kCalibrationChanged;
    }
}

void MapProject::setMapName(const QString &text)
{
    if (text != mapName) {
        mapName = text;
        changeFlags |= kCalibrationChanged;
    }
}

void MapProject::setFillColour(const QColor &colour)
{
    if (colour != fillColour) {
        fillColour = colour;
        changeFlags |= kLayersChanged;
    }
}

void MapProject::setProperties(const QString &cartographerText, const QString &mapNameText,
                              const QColor &colour, int width, int height)
{
    setCartographer(cartographerText);
    setMapName(mapNameText);
    setFillColour(colour);
    if (width != tileWidth) {
        tileWidth = width;
        changeFlags |= kLayersChanged;
    }
    if (height != tileHeight) {
        tileHeight = height;
        changeFlags |= kLayersChanged;
    }
}

MapLayer *MapProject::layerAt(int layer) const
{
    return layer >= 0 && layer < layers.size() ? layers.at(layer) : nullptr;
}

bool MapProject::removeLayer(int layer)
{
    MapLayer *record = takeLayer(layer);
    if (!record)
        return false;
    delete record;
    return true;
}

MapLayer *MapProject::takeLayer(int layer)
{
    MapLayer *record = layerAt(layer);
    if (!record)
        return nullptr;
    unloadImage(record);
    layers.removeAt(layer);
    changeFlags |= kLayersChanged;
    return record;
}

void MapProject::insertLayer(int index, MapLayer *record)
{
    layers.insert(qBound(0, index, int(layers.size())), record);
    changeFlags |= kLayersChanged;
}

void MapProject::setLayers(const QVector<MapLayer *> &records)
{
    for (int index = int(layers.size()) - 1; index >= 0; --index) {
        if (!records.contains(layers.at(index)))
            takeLayer(index);
    }
    for (MapLayer *record : records) {
        if (!layers.contains(record))
            insertLayer(int(layers.size()), record);
    }
    // The same records now; their order is the order of the file's levels.
    if (layers != records)
        changeFlags |= kLayersChanged;
    layers = records;
}

bool MapProject::restoreCalibration(int layer, const LayerCalibration &calibration)
{
    MapLayer *record = layerAt(layer);
    if (!record)
        return false;
    if (record->calibration() != calibration) {
        record->setCalibration(calibration);
        changeFlags |= kCalibrationChanged;
    }
    return true;
}

int MapProject::sortLayers(int current)
{
    if (layers.isEmpty())
        return 0;
    if (MapLayer *record = layerAt(current))
        record->sortMark = true;
    std::stable_sort(layers.begin(), layers.end(),
                     [](const MapLayer *a, const MapLayer *b) { return layerScaleLess(a->scale, b->scale); });
    for (int i = 0; i < layers.size(); ++i) {
        if (layers.at(i)->sortMark) {
            layers.at(i)->sortMark = false;
            return i;
        }
    }
    return 0;
}

void MapProject::clear()
{
    changeFlags = 0;
    qDeleteAll(layers);
    layers.clear();
    smfImages.clear();
    loadedMB = 0;
}

QStringList MapProject::inputFiles() const
{
    QStringList files;
    const auto add = [&files](const QString &path) {
        if (!path.isEmpty() && !files.contains(path))
            files.append(path);
    };
    // A merged layer reads the files of each of its sources.
    QVector<const MapLayer *> readers;
    for (const MapLayer *layer : layers) {
        readers.append(layer);
        if (layer->mosaic) {
            for (const MosaicSource &source : layer->mosaic->sources)
                readers.append(&source.layer);
        }
    }
    for (const MapLayer *layer : std::as_const(readers)) {
        QStringList read{layer->sourcePath, layer->oziMapPath};
        if (layer->georeference)
            read << layer->georeference->rasterPath;
        for (const QString &path : std::as_const(read)) {
            add(path);
            if (!layer->fromSmf && path != layer->oziMapPath) {
                for (const QString &sidecar : georeferencingSidecars(path))
                    add(sidecar);
            }
        }
    }
    return files;
}

void MapProject::takeOpenedFile(MapProject &opened)
{
    clear();
    layers = std::exchange(opened.layers, {});
    smfImages = std::exchange(opened.smfImages, {});
    loadedMB = std::exchange(opened.loadedMB, 0);
    smfLevelDecoder = opened.smfLevelDecoder;
    filePath = opened.filePath;
    cartographer = opened.cartographer;
    mapName = opened.mapName;
    tileWidth = opened.tileWidth;
    tileHeight = opened.tileHeight;
}

// The calibration setters and scale refresh of MapProject.

bool MapProject::setPointValue(int layer, CalibrationPoint MapLayer::*point, qint32 CalibrationPoint::*field,
                              qint32 value, bool MapLayer::*enteredFlag)
{
    MapLayer *record = layerAt(layer);
    if (!record)
        return false;
    qint32 &stored = (record->*point).*field;
    if (stored != value) {
        stored = value;
        if (enteredFlag)
            record->*enteredFlag = true;
        changeFlags |= kCalibrationChanged;
    }
    return true;
}

bool MapProject::setTopLeftX(int layer, int pixel)
{
    return setPointValue(layer, &MapLayer::topLeft, &CalibrationPoint::pixelX, pixel, nullptr);
}

bool MapProject::setTopLeftY(int layer, int pixel)
{
    return setPointValue(layer, &MapLayer::topLeft, &CalibrationPoint::pixelY, pixel, nullptr);
}

bool MapProject::setTopLeftLon(int layer, double degrees)
{
    return setPointValue(layer, &MapLayer::topLeft, &CalibrationPoint::lon,
                         degreesToMasTruncated(degrees), &MapLayer::topLeftLonSet);
}

bool MapProject::setTopLeftLat(int layer, double degrees)
{
    return setPointValue(layer, &MapLayer::topLeft, &CalibrationPoint::lat,
                         degreesToMasTruncated(degrees), &MapLayer::topLeftLatSet);
}

bool MapProject::setBottomRightX(int layer, int pixel)
{
    return setPointValue(layer, &MapLayer::bottomRight, &CalibrationPoint::pixelX, pixel, nullptr);
}

bool MapProject::setBottomRightY(int layer, int pixel)
{
    return setPointValue(layer, &MapLayer::bottomRight, &CalibrationPoint::pixelY, pixel, nullptr);
}

bool MapProject::setBottomRightLon(int layer, double degrees)
{
    return setPointValue(layer, &MapLayer::bottomRight, &CalibrationPoint::lon,
                         degreesToMasTruncated(degrees), &MapLayer::bottomRightLonSet);
}

bool MapProject::setBottomRightLat(int layer, double degrees)
{
    return setPointValue(layer, &MapLayer::bottomRight, &CalibrationPoint::lat,
                         degreesToMasTruncated(degrees), &MapLayer::bottomRightLatSet);
}

bool MapProject::updateScale(int layer)
{
    MapLayer *record = layerAt(layer);
    if (!record)
        return false;
    record->updateScales();
    return true;
}

bool MapProject::enterCalibration(int layer, const TypedCalibration &calibration)
{
    MapLayer *record = layerAt(layer);
    if (!record)
        return false;
    setTopLeftX(layer, calibration.topLeft.x());
    setTopLeftY(layer, calibration.topLeft.y());
    setTopLeftLon(layer, calibration.topLeftLon);
    setTopLeftLat(layer, calibration.topLeftLat);
    setBottomRightX(layer, calibration.bottomRight.x());
    setBottomRightY(layer, calibration.bottomRight.y());
    setBottomRightLon(layer, calibration.bottomRightLon);
    setBottomRightLat(layer, calibration.bottomRightLat);
    record->topLeftLonSet = record->topLeftLatSet = record->bottomRightLonSet = record->bottomRightLatSet = true;
    return true;
}

int MapProject::rescaleAndSort(int layer, int current)
{
    const MapLayer *record = layerAt(layer);
    if (!record || !record->topLeftLatSet || !record->bottomRightLatSet)
        return -1;
    updateScale(layer);
    return sortLayers(current);
}
