#pragma once

// Shared helpers of the project and SMF tests: layers with images made in memory,
// the levels they make and a progress recorder.

#include <QImage>
#include <QMap>
#include <QPainter>
#include <QVector>

#include "common/files.h"
#include "project/map_project.h"

namespace fixtures {

// x, y, longitude and latitude of the top-left point, then of the bottom-right point:
// pixels and milliarcseconds.
using Calibration = QVector<qint32>;

inline Calibration calibrationOf(const MapLayer &layer)
{
    return {layer.topLeft.pixelX,     layer.topLeft.pixelY,     layer.topLeft.lon,     layer.topLeft.lat,
            layer.bottomRight.pixelX, layer.bottomRight.pixelY, layer.bottomRight.lon, layer.bottomRight.lat};
}

// Appends a loaded layer holding image, with the two points entered as given and
// its scales computed. The layer has no source file: keep the budget large.
inline MapLayer *appendLayer(MapProject &project, const QImage &image, const CalibrationPoint &topLeft,
                             const CalibrationPoint &bottomRight)
{
    auto *layer = new MapLayer;
    layer->image = image;
    layer->loaded = true;
    layer->loadedAt = quint64(project.layers.size()) + 1;
    layer->memoryMB = imageMemoryMB(image.size());
    layer->topLeft = topLeft;
    layer->bottomRight = bottomRight;
    layer->topLeftLonSet = layer->topLeftLatSet = layer->bottomRightLonSet = layer->bottomRightLatSet = true;
    layer->updateScales();
    project.layers.append(layer);
    project.loadedMB += layer->memoryMB;
    return layer;
}

// A layer covering 1 degree square from (0 E, 1 N) with its points at the image corners.
inline MapLayer *appendCornerLayer(MapProject &project, const QImage &image)
{
    return appendLayer(project, image, {0, 0, 0, 3600000}, {image.width(), image.height(), 3600000, 0});
}

// What a level of image holds once saved: the image drawn on whole tiles (size) of
// the fill colour, 5 bits a component.
inline QImage savedLevel(const QImage &image, QSize size, QRgb fill)
{
    QImage level(size, QImage::Format_RGB32);
    level.fill(fill);
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    // Each pixel over the fill colour, rounded to the nearest 8-bit value.
    const auto over = [](int c, int a, int f) { return (c * a + f * (255 - a) + 127) / 255; };
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb p = argb.pixel(x, y);
            const int a = qAlpha(p);
            level.setPixel(x, y, qRgb(over(qRed(p), a, qRed(fill)), over(qGreen(p), a, qGreen(fill)),
                                      over(qBlue(p), a, qBlue(fill))));
        }
    }
    return level.convertToFormat(QImage::Format_RGB555);
}

// Adds the file at path as the window's Add does: importLayer, then the layer's image,
// decoded at once unless loading says otherwise. What came of it, refused or not.
inline LayerImport addFile(MapProject &project, const QString &path, LayerLoading loading = LayerLoading::Decode)
{
    LayerImport import = importLayer(path, {});
    if (!import.refused())
        project.addImportedLayer(import, loading);
    return import;
}

// Records what a save reports.
struct RecordingProgress : ProgressReporter
{
    void start(int maximum) override { this->maximum = maximum; }
    void setValue(int value) override { values.append(value); }
    void pumpEvents() override { cancel |= ++pumps == cancelAfterPumps; }
    bool cancelled() const override { return cancel; }
    void finish() override { ++finished; }

    QVector<int> values;
    int maximum = -1, pumps = 0, finished = 0;
    int cancelAfterPumps = -1;  // > 0: report a cancellation from this pump on
    bool cancel = false;
};

}  // namespace fixtures
