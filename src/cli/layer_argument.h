#pragma once

#include <QString>

// One LAYER argument of the convert command: an image file and its two calibration
// points, either "IMAGE@X1,Y1,LON1,LAT1,X2,Y2,LON2,LAT2" (pixels, then WGS 84 decimal
// degrees) or "IMAGE@LON1,LAT1,LON2,LAT2" (points at the image corners (0, 0) and
// (width, height)). The image path ends at the last "@". A text ending in ".map" (any
// letter case) names an OziExplorer map file instead, which brings its image and its
// calibration.
struct LayerArgument
{
    QString imagePath;            // the image, or the OziExplorer file when oziMap
    bool oziMap = false;          // imagePath is an OziExplorer ".map" file
    bool atImageCorners = false;  // the pixel positions follow from the image size
    int topLeftX = 0;
    int topLeftY = 0;
    int bottomRightX = 0;
    int bottomRightY = 0;
    double topLeftLon = 0;  // degrees
    double topLeftLat = 0;
    double bottomRightLon = 0;
    double bottomRightLat = 0;
};

// Parses one LAYER argument. Returns false with an English reason in error when the
// text is no OziExplorer file and has no "@", an empty path, a count of values other than 4 or 8, or a value that
// is not a whole pixel or a finite number of degrees.
bool parseLayerArgument(const QString &text, LayerArgument *layer, QString *error);
