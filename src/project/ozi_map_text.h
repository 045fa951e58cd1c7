#pragma once

#include <QByteArray>
#include <QVector>

#include "project/calibration_point.h"

// What the program takes from the bytes of an OziExplorer ".map" file: the raw
// bytes of its third line (the image path, still in the file's own encoding) and
// the reference points of its last "MMPNUM" block. Everything else (datum,
// projection, corner lists) is ignored; coordinates are taken as WGS 84 as they
// stand.
struct OziMapText
{
    bool hasImageLine = false;        // the file has a third line
    QByteArray imageLine;             // third line, line end removed
    QVector<CalibrationPoint> points; // pixels and milliarcseconds, in file order
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
OziMapText parseOziMapText(const QByteArray &bytes);
