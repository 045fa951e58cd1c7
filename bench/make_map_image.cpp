// Writes a map-like image for the conversion comparison: shaded relief (photographic
// tones), a flat sea, roads, contour lines and place names.
// Usage: make_map_image WIDTH HEIGHT OUTPUT.png|OUTPUT.jpg

#include <QGuiApplication>
#include <QPainter>

#include <cstdio>

#include "map_like_image.h"

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_map_image WIDTH HEIGHT OUTPUT\n");
        return 2;
    }
    const int width = QByteArray(argv[1]).toInt();
    const int height = QByteArray(argv[2]).toInt();
    QImage image = mapLikeImage(width, height);
    QPainter painter(&image);
    // A flat sea along the bottom-left with a coastline.
    painter.setPen(QPen(QColor(40, 60, 160), 4));
    painter.setBrush(QColor(150, 190, 230));
    painter.drawEllipse(QPoint(0, height), width / 3, height / 3);
    painter.setPen(Qt::black);
    QFont font;
    font.setPixelSize(28);
    painter.setFont(font);
    for (int i = 0; i < 400; ++i)
        painter.drawText((i * 7919) % width, (i * 15485863) % height, QStringLiteral("Place %1").arg(i));
    painter.end();
    return image.save(QString::fromLocal8Bit(argv[3]), nullptr, 90) ? 0 : 1;
}
