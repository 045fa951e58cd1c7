#pragma once

#include <QPointF>
#include <QVector>

class QImage;
class QPainter;
class QPoint;

// One ground control point as the canvas marks it.
struct ControlPointMark
{
    QPointF pixel;     // image pixels (0 is the left edge, 0.5 the first pixel's centre)
    QPointF residual;  // from the point to where the fit puts its position, image pixels
    bool fitted = false;    // residual holds a fit's miss
    bool enabled = true;    // disabled points are drawn grey
    bool selected = false;  // the table's current row
};

// Draws point number `number` at widget position `at`: a cross in a ring, its number
// beside it, and when fitted its residual as a line to `at` + `residualEnd`
// (widget pixels, already scaled to be seen).
void drawControlPointMark(QPainter &painter, QPointF at, int number, const ControlPointMark &mark,
                          QPointF residualEnd);

// How much the residual lines are lengthened so that the largest of them spans about
// 40 widget pixels at `zoom`: 1 when it does already, never above 1000.
double residualLineScale(const QVector<ControlPointMark> &marks, double zoom);

// A magnifier of `image` around image position `pixel`, shown `factor` widget pixels
// per image pixel in a circle of `radius` widget pixels centred at widget position
// `at`, with a cross at its centre.
void drawLoupe(QPainter &painter, const QImage &image, QPointF pixel, QPointF at, double factor, int radius);
