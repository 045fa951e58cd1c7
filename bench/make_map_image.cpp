// Writes a map-like image for the conversion comparison: shaded relief (photographic
// tones), a flat sea, roads, contour lines and place names.
// Usage: make_map_image [--by-rows] WIDTH HEIGHT OUTPUT.png|OUTPUT.jpg
// --by-rows draws a PNG band by band and writes each band's rows as it goes, so only a
// band is ever in memory; a PNG whose pixels would take more than 1 GiB is always
// written so. Such a PNG is deflated at zlib level 2: about a tenth larger than at Qt's
// default level, but much faster to write. Otherwise the whole image is drawn and saved
// by Qt, a PNG at Qt's default compression and a JPEG at quality 90.

#include <QFile>
#include <QGuiApplication>
#include <QPainter>

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

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

// A flat sea with a coastline along the bottom-left, and place names: 400, and more on
// maps larger than 10000 x 10000 so they stay as dense. painter is translated so that
// the map's row top is the device's first row; only what reaches down to rows
// top .. top + rows - 1 is drawn.
void drawSeaAndNames(QPainter &painter, int width, int height, int top, int rows)
{
    if (top + rows > height - height / 3 - 2) {
        painter.setPen(QPen(QColor(40, 60, 160), 4));
        painter.setBrush(QColor(150, 190, 230));
        painter.drawEllipse(QPoint(0, height), width / 3, height / 3);
    }
    const int dot = 4;
    const int names = int(std::max<qint64>(400, qint64(width) * height / 250000));
    for (int i = 0; i < names; ++i) {
        const int y = int(i * 15485863LL % height);
        if (y + 7 * dot > top && y < top + rows)
            drawLabel(painter, int(i * 7919LL % width), y, "Place " + QByteArray::number(i), dot);
    }
}

void pngError(png_structp, png_const_charp message)
{
    // Nothing is gained from half an image: the caller sees the failure and goes no further.
    std::fprintf(stderr, "make_map_image: %s\n", message);
    std::exit(1);
}

bool writePngByRows(const QString &output, int width, int height)
{
    FILE *file = std::fopen(QFile::encodeName(output).constData(), "wb");
    if (!file) {
        std::perror("make_map_image");
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, pngError, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    // Level 2 and the Sub filter on every row: adaptive filtering would take a quarter
    // longer for a file hardly any smaller.
    png_set_compression_level(png, 2);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_write_info(png, info);
    const int bandRows = 256;
    QImage band(width, std::min(bandRows, height), QImage::Format_RGB32);
    quint32 noise = 12345;
    for (int top = 0; top < height; top += bandRows) {
        const int rows = std::min(bandRows, height - top);
        if (rows < band.height())
            band = QImage(width, rows, QImage::Format_RGB32);
        drawMapLikeRows(band, width, height, top, noise);
        QPainter painter(&band);
        painter.translate(0, -top);
        drawSeaAndNames(painter, width, height, top, rows);
        painter.end();
        const QImage rgb = band.convertToFormat(QImage::Format_RGB888);
        for (int row = 0; row < rows; ++row)
            png_write_row(png, rgb.constScanLine(row));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

}  // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    bool byRows = args.removeAll(QStringLiteral("--by-rows")) > 0;
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: make_map_image [--by-rows] WIDTH HEIGHT OUTPUT.png|OUTPUT.jpg\n");
        return 2;
    }
    const int width = args.at(0).toInt();
    const int height = args.at(1).toInt();
    const QString &output = args.at(2);
    if (width <= 0 || height <= 0) {
        std::fprintf(stderr, "make_map_image: width and height must be positive\n");
        return 2;
    }
    const bool jpeg = output.endsWith(QLatin1String(".jpg")) || output.endsWith(QLatin1String(".jpeg"));
    if (!jpeg && qint64(width) * height * 4 > (qint64(1) << 30))
        byRows = true;
    if (byRows) {
        if (jpeg) {
            std::fprintf(stderr, "make_map_image: only a PNG is written by rows\n");
            return 2;
        }
        return writePngByRows(output, width, height) ? 0 : 1;
    }
    QImage image = mapLikeImage(width, height);
    QPainter painter(&image);
    drawSeaAndNames(painter, width, height, 0, height);
    painter.end();
    // Quality 90 for JPEG; a PNG keeps the default compression (a quality would lower it).
    return image.save(output, nullptr, jpeg ? 90 : -1) ? 0 : 1;
}
