#pragma once

#include <QString>
#include <QVector>

#include "raster/geo_raster.h"

// What convert is told about an IMAGE given without '@': the ground control points
// that follow it (--gcp, on --datum or on the grid of --gcp-crs, or those of a
// --gcp-file), and how to fit them (--transform).
struct GcpArguments
{
    QVector<GroundControlPoint> points;  // pixels, and degrees on datumIndex or positions on grid epsg
    GcpTransform transform = GcpTransform::Affine;
    int datumIndex = -1;                 // -1: WGS 84
    bool transformGiven = false;
    QString pointsFile;                  // a QGIS ".points" file instead of points
    int epsg = 0;                        // 0: degrees
};

// Parses the value of --gcp ("X,Y,LON,LAT": pixels, then decimal degrees, east and
// north positive; with degrees false, any finite easting and northing), of --gcp-crs
// ("EPSG:N", the code in epsg), of --transform (affine, poly2, tps) and of
// --resampling (nearest, bilinear, cubic, lanczos; names in any letter case). False
// when the text is none of them.
bool parseGcp(const QString &text, GroundControlPoint *point, bool degrees = true);
bool parseEpsgCode(const QString &text, int *epsg);
bool parseGcpTransform(const QString &text, GcpTransform *transform);
bool parseResampling(const QString &text, Resampling *resampling);

// What convert prints about a georeferenced layer: where its georeferencing came
// from and the level it became (georeferenceSummary), and for ground control points
// each point's residual
// on the points' own grid (the 20 worst one by one, the others in one line) and
// their root mean square.
QString georeferenceReport(const QString &path, const RasterGeoreference &georeference);
