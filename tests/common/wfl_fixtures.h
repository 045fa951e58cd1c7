#pragma once

// WFL folders made by code for the conversion tests: tile images cut from a map the
// way tile downloaders cut them, each with a sidecar stating its full tile extent.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QString>

#include <cmath>
#include <functional>

namespace wfl {

// A number as Java's Double.toString writes it, as tile downloaders do:
// "9.441375732421875E-4", "-0.0", "51.5".
inline QString javaDouble(double value)
{
    const double magnitude = std::fabs(value);
    if (magnitude == 0.0)
        return std::signbit(value) ? QStringLiteral("-0.0") : QStringLiteral("0.0");
    if (magnitude >= 1e-3 && magnitude < 1e7) {
        QString text = QString::number(value, 'f', QLocale::FloatingPointShortest);
        if (!text.contains(QLatin1Char('.')))
            text += QStringLiteral(".0");
        return text;
    }
    const QString text = QString::number(value, 'E', QLocale::FloatingPointShortest);
    QString mantissa = text.section(QLatin1Char('E'), 0, 0);
    if (!mantissa.contains(QLatin1Char('.')))
        mantissa += QStringLiteral(".0");
    return mantissa + QLatin1Char('E') + QString::number(text.section(QLatin1Char('E'), 1).toInt());
}

// The sidecar text of a tile: four lines the converter does not use, the edges in
// degrees on lines 5 to 8 (top, left, bottom, right), then two more lines.
inline QByteArray sidecarText(double top, double left, double bottom, double right, const char *lineEnd = "\n")
{
    const QStringList lines = {QStringLiteral("256"), QStringLiteral("256"), QStringLiteral("0.0"),
                               QStringLiteral("0.0"), javaDouble(top), javaDouble(left), javaDouble(bottom),
                               javaDouble(right), QStringLiteral("0.0"), QStringLiteral("0.0")};
    QByteArray text;
    for (const QString &line : lines)
        text += line.toLatin1() + lineEnd;
    return text;
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// An image in which every pixel differs from its neighbours and seed shifts the
// colours, so that a tile in the wrong place or a shifted pixel shows.
inline QImage patternImage(int width, int height, int seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = qRgb((x * 9 + seed * 40) & 0xFF, (y * 7 + seed * 90) & 0xFF, ((x + 2 * y) * 5 + seed) & 0xFF);
    }
    return image;
}

// Where a map lies: its top-left corner and the degrees one pixel spans.
struct MapGeo
{
    double west = 0.0;
    double north = 0.0;
    double lonPerPixel = 1e-5;
    double latPerPixel = 1e-5;
};

// The path (relative to the folder, without extension) of the tile of the map in
// column and row of the cut, or an empty text to leave that tile out.
using TileNamer = std::function<QString(int column, int row)>;

// Cuts map into tiles of tileSize from its top-left corner; when the map is not a
// whole number of tiles, the last column is narrower and the last row shorter. Each
// tile is written as a PNG file with a sidecar that states the full tile extent.
// Returns false when a file cannot be written.
inline bool writeCutMap(const QString &folder, const QImage &map, QSize tileSize, const MapGeo &geo,
                        const TileNamer &namer)
{
    const int columns = (map.width() + tileSize.width() - 1) / tileSize.width();
    const int rows = (map.height() + tileSize.height() - 1) / tileSize.height();
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const QString name = namer(column, row);
            if (name.isEmpty())
                continue;
            const QRect cut = QRect(QPoint(column * tileSize.width(), row * tileSize.height()), tileSize)
                                  .intersected(map.rect());
            const QString base = QDir(folder).filePath(name);
            QDir().mkpath(QFileInfo(base).path());
            if (!map.copy(cut).save(base + QStringLiteral(".png"), "PNG"))
                return false;
            const double left = geo.west + column * tileSize.width() * geo.lonPerPixel;
            const double right = geo.west + (column + 1) * tileSize.width() * geo.lonPerPixel;
            const double top = geo.north - row * tileSize.height() * geo.latPerPixel;
            const double bottom = geo.north - (row + 1) * tileSize.height() * geo.latPerPixel;
            if (!writeFile(base + QStringLiteral(".wfl"), sidecarText(top, left, bottom, right)))
                return false;
        }
    }
    return true;
}

// Names of plain tiles: "<prefix><level>_<column>x<row>".
inline TileNamer plainNames(int level, const QString &prefix = QString())
{
    return [=](int column, int row) {
        return QStringLiteral("%1%2_%3x%4").arg(prefix).arg(level).arg(column).arg(row);
    };
}

}  // namespace wfl
