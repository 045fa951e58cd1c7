#pragma once

#include <QByteArray>
#include <QPointF>
#include <QString>
#include <QVector>

#include "raster/geo_raster.h"

// Ground control points as georeferencers keep them: a list on one grid, in which a
// point may be switched off without being deleted, read from and written to the
// ".points" files of QGIS's georeferencer.

// The most points a points file may hold: as many as a thin-plate spline takes.
inline constexpr int kMaxPointsFilePoints = kMaxTpsPoints;

// The grid positions are given on.
struct PointGrid
{
    // The grid as WKT; empty for WGS 84 in degrees (longitude, latitude), the points'
    // default.
    QString wkt;
    QString name = QStringLiteral("WGS 84");  // "WGS 84 / UTM zone 33N"
    bool geographic = true;   // degrees (longitude, latitude), else easting and northing in its units
    // Its EPSG code, when it is one of PROJ's (named so, or found equal to one); else 0.
    int epsg = 0;
};

// The grid an EPSG code names, from PROJ's own database (nothing is fetched). False
// with a reason for a code PROJ does not know or one that names neither a geographic
// nor a projected grid.
bool pointGridFromEpsg(int code, PointGrid *grid, QString *error);

// Takes positions (longitude and latitude, or easting and northing) from the grid
// `from` to the grid `to`, in place. False with a reason, nothing changed, when PROJ
// cannot take a position across.
bool positionsToGrid(const PointGrid &from, const PointGrid &to, QVector<QPointF> *positions, QString *error);

// The grid a text names: "EPSG:N" or a WKT (any version), never anything that would
// make GDAL or PROJ open a file or reach a server. An empty text, or a grid that is
// WGS 84 in degrees, gives the default grid. False with a reason otherwise.
bool pointGridFromText(const QByteArray &text, PointGrid *grid, QString *error);

// A point of a list: its pixel and its position on the list's grid.
struct ListedPoint
{
    GroundControlPoint point;
    bool enabled = true;
};

struct ControlPointList
{
    PointGrid grid;
    bool gridNamed = false;  // read from a file that names its grid, WGS 84 included
    QVector<ListedPoint> points;

    // The points switched on, in order.
    QVector<GroundControlPoint> enabledPoints() const;
};

// Why a points file gives no points.
enum class PointsFileStatus : quint8 {
    Ok,
    Unreadable,  // missing, not a regular file, no permission (inputFileRefusal)
    Invalid,     // too large or not what QGIS writes; the reason names the line
};

// Reads the text of a QGIS georeferencer ".points" file, in each layout QGIS writes:
// an optional first line "#CRS: " and the grid of the positions (WKT, or "EPSG:N"; see
// pointGridFromText), then a header starting "mapX,mapY" ("mapX,mapY,pixelX,pixelY,
// enable", with ",dX,dY,residual" since QGIS 3, "sourceX,sourceY" for pixelX and
// pixelY since QGIS 3.26), then one line a point: map x and y (longitude and
// latitude, or easting and northing on a projected grid), source x and y (pixels of
// an image without georeferencing, y negative downward: row 300 is -300), enable (1
// or 0; on when missing), and the residual columns, which are ignored. Values are
// split at commas, or at tabs on a line without a comma (the oldest files). Lines may
// end in CRLF; blank lines are skipped. Invalid, with a reason naming the line, for
// a missing header, a line with fewer than four values or a value that is not a
// finite number (enable not 0 or 1), more than kMaxPointsFilePoints points, or a
// grid that cannot be read.
PointsFileStatus parseQgisPoints(const QByteArray &bytes, ControlPointList *list, QString *error);

// Reads the file at path (an existing regular file of at most 1 MiB) with
// parseQgisPoints; the reasons name the file.
PointsFileStatus readQgisPointsFile(const QString &path, ControlPointList *list, QString *error);

// The text of a ".points" file in the layout QGIS 3.26 and later write: "#CRS: " and
// the grid's WKT (WKT2, WGS 84's for degrees) on one line, the header
// "mapX,mapY,sourceX,sourceY,enable,dX,dY,residual", and a line a point, source y
// negative downward, the residual columns 0 (QGIS works them out again). Empty when
// the grid's WKT cannot be written.
QByteArray qgisPointsText(const ControlPointList &list);
