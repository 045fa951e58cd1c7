#pragma once

#include <QtGlobal>

// One calibration point of an image: a pixel tied to a geographic position.
// Longitude and latitude are WGS 84 milliarcseconds (see milliarcseconds.h), east and
// north positive.
struct CalibrationPoint
{
    qint32 pixelX = 0;  // pixels from the left edge of the image
    qint32 pixelY = 0;  // pixels from the top edge, downward
    qint32 lon = 0;     // milliarcseconds
    qint32 lat = 0;     // milliarcseconds
};

// The position of a pixel on a north-up image whose longitude and latitude change by a
// fixed step per pixel: a calibrated layer, a level of an SMF file. Positions and steps
// in one unit (milliarcseconds or degrees); the steps are signed (a north-up image has
// a negative latitude step), and pixels may lie outside the image. Pixel (x, y) is the
// pixel's top-left corner, (x + 0.5, y + 0.5) its centre.
struct PixelGrid
{
    double originX = 0.0;    // a pixel whose position is known
    double originY = 0.0;
    double originLon = 0.0;  // its position
    double originLat = 0.0;
    double lonPerPixel = 0.0;
    double latPerPixel = 0.0;

    double lonAt(double x) const { return originLon + (x - originX) * lonPerPixel; }
    double latAt(double y) const { return originLat + (y - originY) * latPerPixel; }
};
