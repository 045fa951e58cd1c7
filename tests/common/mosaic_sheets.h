#pragma once

// Three adjacent map sheets, each a scan with a white-ish collar around its map face
// and an OziExplorer file whose MMPXY polygon marks the face, as OziExplorer writes
// them: on a Transverse Mercator grid (UTM zone 33N, 30 m pixels) or on
// Latitude/Longitude (2 second pixels).

#include <QDir>
#include <QImage>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

#include "common/files.h"
#include "common/geo_rasters.h"
#include "common/ozi_fixtures.h"

namespace sheets {

constexpr int kWidth = 100;  // image pixels
constexpr int kHeight = 90;
constexpr int kCollar = 8;   // pixels of collar on each side
constexpr int kCollarCode = 32766;
constexpr int kSheetCodes = kWidth * kHeight;
inline const QPoint kSheetPlaces[] = {{0, 0}, {1, 0}, {0, 1}};  // faces in a row and one below the first

// The image of sheet s: its face pixels coded s x kSheetCodes + index, its collar kCollarCode.
inline QImage sheetImage(int s)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const bool face = x >= kCollar && x < kWidth - kCollar && y >= kCollar && y < kHeight - kCollar;
            const int code = face ? s * kSheetCodes + y * kWidth + x : kCollarCode;
            image.setPixel(x, y, qRgb(code >> 7 & 0xF8, code >> 2 & 0xF8, code << 3 & 0xF8));
        }
    }
    return image;
}

// The grid of sheet s: faces side by side, step metres or degrees a pixel from origin.
inline std::array<double, 6> sheetTransform(int s, double originX, double originY, double step)
{
    const QPoint place = kSheetPlaces[s];
    const double faceX = originX + place.x() * (kWidth - 2 * kCollar) * step;
    const double faceY = originY - place.y() * (kHeight - 2 * kCollar) * step;
    return {faceX - kCollar * step, step, 0.0, faceY + kCollar * step, 0.0, -step};
}

// The sheets written into a folder: sheet<s>.png and sheet<s>.map.
struct Sheets
{
    QStringList maps;  // empty when a file could not be written
    std::vector<std::array<double, 6>> transforms;  // each sheet's pixels on its grid
};

// Writes the three sheets into folder, on UTM zone 33N (projected) or on WGS 84
// degrees: Point lines at the image's corners (grid metres on Transverse Mercator),
// the MMPXY/MMPLL block around the face.
inline Sheets writeSheets(const QString &folder, bool projected)
{
    const OGRSpatialReference grid = georasters::spatialReference(projected ? "EPSG:32633" : "EPSG:4326");
    const OGRSpatialReference wgs84 = georasters::spatialReference("EPSG:4326");
    const std::unique_ptr<OGRCoordinateTransformation> toWgs84(OGRCreateCoordinateTransformation(&grid, &wgs84));
    Sheets written;
    for (int s = 0; s < 3; ++s) {
        const auto gt = projected ? sheetTransform(s, 600000, 5400000, 30) : sheetTransform(s, 16, 48, 2 / 3600.0);
        written.transforms.push_back(gt);
        const QString image = QStringLiteral("sheet%1.png").arg(s);
        if (!toWgs84 || !sheetImage(s).save(QDir(folder).filePath(image)))
            return {};
        QVector<fixtures::OziPoint> corners;
        QVector<fixtures::OziPoint> border;
        for (int i = 0; i < 4; ++i) {
            const bool right = i == 1 || i == 2;
            const bool bottom = i >= 2;
            for (const int inset : {0, kCollar}) {
                const int px = right ? kWidth - inset : inset;
                const int py = bottom ? kHeight - inset : inset;
                double x = gt[0] + px * gt[1];
                double y = gt[3] + py * gt[5];
                const double easting = x, northing = y;
                if (!toWgs84->Transform(1, &x, &y))
                    return {};
                (inset ? border : corners).append(
                    projected && !inset ? fixtures::OziPoint{px, py, qQNaN(), qQNaN(), 0, easting, northing}
                                        : fixtures::OziPoint{px, py, x, y});
            }
        }
        QByteArray text = fixtures::oziHeader(image.toUtf8(), projected ? corners : border);
        if (projected) {
            text.replace("Map Projection,Latitude/Longitude,", "Map Projection,Transverse Mercator,");
            text.replace("Projection Setup,,,,,,,,,,", "Projection Setup,0,15,0.9996,500000,0,,,,,");
        }
        text += fixtures::oziPointBlock(border) + "IWH,Map Image Width/Height,100,90\n";
        written.maps << QDir(folder).filePath(QStringLiteral("sheet%1.map").arg(s));
        if (!fixtures::writeBytes(written.maps.last(), fixtures::withCrLf(text)))
            return {};
    }
    return written;
}

}  // namespace sheets
