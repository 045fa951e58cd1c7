#include "geo/pixel_grid.h"

PixelGrid PixelGrid::fromEdges(double west, double north, double east, double south, double width, double height)
{
    return {0.0, 0.0, west, north, (east - west) / width, (south - north) / height};
}
