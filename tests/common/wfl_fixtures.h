#pragma once

// WFL folders made by code for the conversion tests: tile images cut from a map the
// way tile downloaders cut them, each with a sidecar stating its full tile extent.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QString>

#include <functional>

namespace wfl {

// The sidecar text of a tile: four lines the converter does not use, the edges in
// degrees on lines 5 to 8 (top, left, bottom, right), then two more lines. The
// conversion test reads the notation tile downloaders write; these are exact too.
inline QByteArray sidecarText(double top, double left, double bottom, double right)
{
    QByteArray text = "256\n256\n0.0\n0.0\n";
    for (double degrees : {top, left, bottom, right})
        text += QByteArray::number(degrees, 'g', 17) + '\n';
    return text + "0.0\n0.0\n";
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
            QFile sidecar(base + QStringLiteral(".wfl"));
            if (!sidecar.open(QIODevice::WriteOnly) || sidecar.write(sidecarText(top, left, bottom, right)) < 0)
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
