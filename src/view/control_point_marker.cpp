#include "view/control_point_marker.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

void drawControlPointMark(QPainter &painter, QPointF at, int number, const ControlPointMark &mark,
                          QPointF residualEnd)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QColor colour = !mark.enabled ? QColor(128, 128, 128) : mark.selected ? QColor(255, 160, 0) : QColor(Qt::red);
    if (mark.fitted && mark.enabled) {
        painter.setPen(QPen(QColor(0, 90, 255), 2));
        painter.drawLine(at, at + residualEnd);
    }
    // A white halo keeps the mark readable on dark and busy maps.
    for (const QPen &pen : {QPen(Qt::white, mark.selected ? 5 : 4), QPen(colour, mark.selected ? 3 : 2)}) {
        painter.setPen(pen);
        painter.drawEllipse(at, 8, 8);
        painter.drawLine(at + QPointF(-12, 0), at + QPointF(-3, 0));
        painter.drawLine(at + QPointF(3, 0), at + QPointF(12, 0));
        painter.drawLine(at + QPointF(0, -12), at + QPointF(0, -3));
        painter.drawLine(at + QPointF(0, 3), at + QPointF(0, 12));
    }
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    const QString text = QString::number(number);
    const QPointF base = at + QPointF(11, -11);
    QPainterPath path;
    path.addText(base, font, text);
    painter.setPen(QPen(Qt::white, 3));
    painter.drawPath(path);
    painter.setPen(colour);
    painter.drawText(base, text);
    painter.restore();
}

double residualLineScale(const QVector<ControlPointMark> &marks, double zoom)
{
    double largest = 0.0;
    for (const ControlPointMark &mark : marks) {
        if (mark.fitted && mark.enabled)
            largest = std::max(largest, std::hypot(mark.residual.x(), mark.residual.y()) * zoom);
    }
    if (!(largest > 1e-9))
        return 1.0;
    return std::clamp(40.0 / largest, 1.0, 1000.0);
}

void drawLoupe(QPainter &painter, const QImage &image, QPointF pixel, QPointF at, double factor, int radius)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath circle;
    circle.addEllipse(at, radius, radius);
    painter.fillPath(circle, QColor(64, 64, 64));
    painter.setClipPath(circle);
    // The source rectangle the circle covers, taken whole pixels wide so that each
    // pixel is a sharp square.
    const double half = radius / factor;
    const QRectF wanted(pixel.x() - half, pixel.y() - half, 2 * half, 2 * half);
    const QRect source = QRect(QPoint(int(std::floor(wanted.left())), int(std::floor(wanted.top()))),
                               QPoint(int(std::ceil(wanted.right())), int(std::ceil(wanted.bottom()))))
        & image.rect();
    if (!source.isEmpty()) {
        const QRectF target(at.x() + (source.left() - pixel.x()) * factor, at.y() + (source.top() - pixel.y()) * factor,
                            source.width() * factor, source.height() * factor);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(target, image, source);
    }
    painter.setClipping(false);
    painter.setPen(QPen(Qt::white, 3));
    painter.drawEllipse(at, radius, radius);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawEllipse(at, radius, radius);
    painter.setPen(QPen(Qt::red, 1));
    painter.drawLine(at + QPointF(-radius, 0), at + QPointF(-4, 0));
    painter.drawLine(at + QPointF(4, 0), at + QPointF(radius, 0));
    painter.drawLine(at + QPointF(0, -radius), at + QPointF(0, -4));
    painter.drawLine(at + QPointF(0, 4), at + QPointF(0, radius));
    painter.restore();
}
