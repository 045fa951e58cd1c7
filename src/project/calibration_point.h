#pragma once

#include <QtGlobal>

// One calibration point of a layer: a pixel of the layer's current image tied to a
// geographic position. Longitude and latitude are WGS 84 milliarcseconds
// (3,600,000 per degree), east and north positive.
struct CalibrationPoint
{
    qint32 pixelX = 0;  // pixels from the left edge of the layer image
    qint32 pixelY = 0;  // pixels from the top edge, downward
    qint32 lon = 0;     // milliarcseconds
    qint32 lat = 0;     // milliarcseconds
};
