// Writes a map-like image for the conversion comparison: shaded relief (photographic
// tones), a flat sea, roads, contour lines and place names.
// Usage: make_map_image WIDTH HEIGHT OUTPUT.png|OUTPUT.jpg

#include <QGuiApplication>
#include <QPainter>

#include <cstdio>

#include "map_like_image.h"

namespace {

// A 5 x 7 pixel font for place names, drawn with rectangles: the platform's text
// engine is not needed (and stalls without a desktop session).
const char *glyphRows(char c)
{
    switch (c) {
    case 'P': return "11110100011000111110100001000010000";
    case 'l': return "01100001000010000100001000010001110";
    case 'a': return "00000000000111000001011111000101111";
    case 'c': return "00000000000111010000100001000101110";
    case 'e': return "00000000000111010001111111000001110";
    case '0': return "01110100011001110101110011000101110";
    case '1': return "00100011000010000100001000010001110";
    case '2': return "01110100010000100010001000100011111";
    case '3': return "11111000100010000010000011000101110";
    case '4': return "00010001100101010010111110001000010";
    case '5': return "11111100001111000001000011000101110";
    case '6': return "00110010001000011110100011000101110";
    case '7': return "11111000010001000100010000100001000";
    case '8': return "01110100011000101110100011000101110";
    case '9': return "01110100011000101111000010001001100";
    default: return nullptr;
    }
}

void drawLabel(QPainter &painter, int x, int y, const QByteArray &text, int dot)
{
    for (char c : text) {
        if (const char *rows = glyphRows(c)) {
            for (int i = 0; i < 35; ++i) {
                if (rows[i] == '1')
                    painter.fillRect(x + (i % 5) * dot, y + (i / 5) * dot, dot, dot, Qt::black);
            }
        }
        x += 6 * dot;
    }
}

}  // namespace

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
    for (int i = 0; i < 400; ++i)
        drawLabel(painter, int(i * 7919LL % width), int(i * 15485863LL % height),
                  "Place " + QByteArray::number(i), 4);
    painter.end();
    // Quality 90 for JPEG; a PNG keeps the default compression (a quality would lower it).
    const QString output = QString::fromLocal8Bit(argv[3]);
    const bool jpeg = output.endsWith(QLatin1String(".jpg")) || output.endsWith(QLatin1String(".jpeg"));
    return image.save(output, nullptr, jpeg ? 90 : -1) ? 0 : 1;
}
