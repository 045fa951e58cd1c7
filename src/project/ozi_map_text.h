#pragma once

#include <QByteArray>
#include <QVector>

#include "project/calibration_point.h"

// A reference point of a "PointNN" line: a pixel and its latitude and longitude in
// degrees on the map's own datum (line 5).
struct OziDatumPoint
{
    qint32 pixelX = 0;
    qint32 pixelY = 0;
    double latitude = 0.0;   // degrees, north positive
    double longitude = 0.0;  // degrees, east positive
};

// What the program takes from the bytes of an OziExplorer ".map" file: the raw
// bytes of its third line (the image path, still in the file's own encoding), the
// datum named on line 5, the reference points of its last "MMPNUM" block (WGS 84 by
// the format's definition) and those of its "Point01" to "Point30" lines.
// Projection and corner lists are ignored.
struct OziMapText
{
    bool hasImageLine = false;        // the file has a third line
    QByteArray imageLine;             // third line, line end removed
    QByteArray datumName;             // first field of line 5, trimmed; empty when absent
    QVector<CalibrationPoint> points; // MMPNUM block: pixels and milliarcseconds, in file order
    QVector<OziDatumPoint> datumPoints;  // Point lines with a pixel and a latitude and longitude
};

// Reads lines ended by LF or CRLF, of any length. A line containing "MMPNUM" is
// followed by N pixel lines ("MMPXY,i,x,y") and then N geographic lines
// ("MMPLL,i,lon,lat", decimal degrees), N the whole number after its comma (0 when
// it is not one). Point i takes x and y from the last two fields of pixel line i and
// lon and lat from the last two of geographic line i (a line without a comma gives
// 0 for both; a field that is not a number gives 0); degrees become milliarcseconds
// truncated toward zero. Lines the file does not have give no points, and a later
// "MMPNUM" block replaces an earlier one. Lines read as points are not counted as
// file lines, so they never become the image line.
// A line "PointNN,xy, X, Y,in, deg, LATDEG, LATMIN,N|S, LONDEG, LONMIN,E|W, ..." gives
// a datum point when X, Y, LATDEG and LONDEG are numbers (empty minutes read as 0);
// the unused Point lines, with empty fields, give none.
OziMapText parseOziMapText(const QByteArray &bytes);
