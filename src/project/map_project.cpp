#include "project/map_project.h"

MapProject::MapProject() = default;

MapProject::~MapProject()
{
    clear();
}

void MapProject::setCartographer(const QString &text)
{
    if (text != cartographer) {
        cartographer = text;
        changeFlags |= 1;
    }
}

void MapProject::setMapName(const QString &text)
{
    if (text != mapName) {
        mapName = text;
        changeFlags |= 1;
    }
}

void MapProject::setFillColour(const QColor &colour)
{
    if (colour != fillColour) {
        fillColour = colour;
        changeFlags |= 2;
    }
}

void MapProject::clear()
{
    changeFlags = 0;
    qDeleteAll(layers);
    layers.clear();
}
