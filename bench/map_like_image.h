#pragma once

// A generated map-like image shared by the benchmarks.

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

// Draws rows top .. top + band.height() - 1 of a width x height map into band (an
// RGB32 image width pixels wide): shaded relief with contour lines, roads, blocks of
// flat colour and a little scanner noise, so that it compresses about as a scanned
// topographic sheet does. noise carries the scanner noise on from the rows above, so
// bands drawn one after another from the top make up the same image as one call for
// the whole height.
inline void drawMapLikeRows(QImage &band, int width, int height, int top, quint32 &noise)
{
    const int rows = band.height();
    // The relief's terms along x, along y and along the diagonal, each computed once.
    std::vector<double> across(width);
    for (int x = 0; x < width; ++x)
        across[x] = std::sin(x * 0.0031);
    std::vector<double> diagonal(width + rows);
    for (int i = 0; i < width + rows; ++i)
        diagonal[i] = std::sin((top + i) * 0.011);
    for (int row = 0; row < rows; ++row) {
        const int y = top + row;
        const double down = std::cos(y * 0.0027);
        QRgb *line = reinterpret_cast<QRgb *>(band.scanLine(row));
        for (int x = 0; x < width; ++x) {
            const double h = across[x] * down * 400 + diagonal[x + row] * 60;
            const int level = int(std::floor(h / 25.0));
            const bool contour = std::fabs(h - level * 25.0) < 1.2;
            noise = noise * 1664525u + 1013904223u;
            const int shade = 170 + int(h / 8) + int(noise >> 30) - 1;
            line[x] = contour ? qRgb(150, 90, 40) : qRgb(qBound(0, shade + 40, 255), qBound(0, shade + 30, 255),
                                                         qBound(0, shade - 10, 255));
        }
    }
    QPainter painter(&band);
    painter.translate(0, -top);
    painter.setPen(QPen(QColor(220, 40, 30), 5));
    for (int i = 0; i < width + height; i += 853) {
        // Only the roads that cross this band.
        if (std::min(i, i - height / 3) - 5 < width && std::max(i, i - height / 3) + 5 >= 0)
            painter.drawLine(i, 0, i - height / 3, height);
    }
    painter.setPen(QPen(QColor(30, 30, 30), 2));
    for (int i = 0; i < height; i += 1187) {
        if (i - 2 < top + rows && i + width / 5 + 2 >= top)
            painter.drawLine(0, i, width, i + width / 5);
    }
    // Forty lakes, and more on maps larger than 10000 x 10000 so they stay as dense.
    const int lakes = int(std::max<qint64>(40, qint64(width) * height / 2500000));
    for (int i = 0; i < lakes; ++i) {
        const QRect lake(int(i * 7919LL % width), int(i * 104729LL % height), 300, 200);
        if (lake.bottom() >= top && lake.top() < top + rows)
            painter.fillRect(lake, QColor(120, 180, 230));
    }
}

inline QImage mapLikeImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    quint32 noise = 12345;
    drawMapLikeRows(image, width, height, 0, noise);
    return image;
}
