#pragma once

// A generated map-like image shared by the benchmarks.

#include <QImage>
#include <QPainter>

#include <cmath>

// Shaded relief with contour lines, roads, blocks of flat colour and a little scanner
// noise: compresses about as a scanned topographic sheet does.
inline QImage mapLikeImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    quint32 noise = 12345;
    for (int y = 0; y < height; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double h = std::sin(x * 0.0031) * std::cos(y * 0.0027) * 400 + std::sin((x + y) * 0.011) * 60;
            const int level = int(std::floor(h / 25.0));
            const bool contour = std::fabs(h - level * 25.0) < 1.2;
            noise = noise * 1664525u + 1013904223u;
            const int shade = 170 + int(h / 8) + int(noise >> 30) - 1;
            line[x] = contour ? qRgb(150, 90, 40) : qRgb(qBound(0, shade + 40, 255), qBound(0, shade + 30, 255),
                                                         qBound(0, shade - 10, 255));
        }
    }
    QPainter painter(&image);
    painter.setPen(QPen(QColor(220, 40, 30), 5));
    for (int i = 0; i < width + height; i += 853)
        painter.drawLine(i, 0, i - height / 3, height);
    painter.setPen(QPen(QColor(30, 30, 30), 2));
    for (int i = 0; i < height; i += 1187)
        painter.drawLine(0, i, width, i + width / 5);
    for (int i = 0; i < 40; ++i)
        painter.fillRect(QRect((i * 7919) % width, (i * 104729) % height, 300, 200), QColor(120, 180, 230));
    return image;
}

