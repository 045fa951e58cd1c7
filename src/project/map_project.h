#pragma once

#include <QColor>
#include <QString>
#include <QVector>

#include "project/map_layer.h"

// The document of one main window: ordered layers, map properties and change flags.
class MapProject
{
public:
    MapProject();
    ~MapProject();
    MapProject(const MapProject &) = delete;
    MapProject &operator=(const MapProject &) = delete;

    void setCartographer(const QString &text);
    void setMapName(const QString &text);
    void setFillColour(const QColor &colour);
    void clear();

    QVector<MapLayer *> layers;
    QString filePath;
    QString cartographer;
    QString mapName;
    QColor fillColour;
    quint8 changeFlags = 0;
    int tileWidth = 0;
    int tileHeight = 0;
};
