#pragma once

#include <QString>

class QPainter;

// Draws the marker of a calibration point at widget position (cx, cy) with the
// painter's pen: a circle of 20 pixels around it, a cross of 20 pixels, and the
// label with its base point 10 pixels right of and below the point.
void drawCalibrationMarker(QPainter &painter, int cx, int cy, const QString &label);
