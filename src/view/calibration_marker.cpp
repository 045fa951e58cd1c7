#include "view/calibration_marker.h"

#include <QPainter>

void drawCalibrationMarker(QPainter &painter, int cx, int cy, const QString &label)
{
    painter.drawEllipse(cx - 10, cy - 10, 20, 20);
    painter.drawLine(cx - 10, cy, cx + 10, cy);
    painter.drawLine(cx, cy - 10, cx, cy + 10);
    painter.drawText(cx + 10, cy + 10, label);
}
