#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include "project/map_layer.h"

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

// The image an OziExplorer file names, as a path of this machine. mapPath is the
// ".map" file; imageLine the raw bytes of its image line, in whatever encoding the
// tool that wrote it used. Backslashes are folder separators; a relative path is
// taken from the ".map" file's folder. When the named file does not exist (often an
// absolute Windows path from another machine, "C:\\Maps\\topo.png"), a file of the
// same name in the ".map" file's folder is taken: the exact name first, else the
// same name in another letter case. The line is read as the file system's own
// encoding of names first (its raw bytes), then as UTF-8, GB18030 (Chinese Windows
// tools), Windows-1251 (Cyrillic) and Windows-1252 (Western), skipping readings that
// are not valid in their encoding. Returns the first existing file found this way,
// else the named path as first validly read (which then fails to load), or mapPath
// itself for an empty line.
QString resolveOziImagePath(const QString &mapPath, const QByteArray &imageLine);

struct MapLayer;

// Whether path names an OziExplorer map file: a file name ending in ".map" in any
// letter case, with a name before the dot ("A.MAP" is one; "roadmap" and ".map" are
// not).
bool isOziMapPath(const QString &path);

// Where the calibration of an imported OziExplorer file came from.
enum OziCalibrationSource {
    kOziNoReferencePoints = 0,  // neither block: the layer must be calibrated by hand
    kOziMmpBlock = 1,           // the MMPXY/MMPLL block, WGS 84 by definition
    kOziPointLines = 2,         // the Point01..Point30 lines, shifted from the map's datum
};

struct OziMapSummary
{
    int source = kOziNoReferencePoints;  // an OziCalibrationSource
    int pointCount = 0;                  // reference points the calibration was built from
    QString datumName;                   // the datum of line 5, as the file names it
};

// Imports the OziExplorer map file at path into a new layer: sourcePath becomes the
// image the file names (see resolveOziImagePath), and the reference points give the
// calibration of a north-up image: longitudes from the leftmost and rightmost points,
// latitudes from the topmost and bottommost (on equal pixels the earlier point wins),
// the two pixels the corners of the points' bounding box, and all four entered flags
// set. The points are those of the "MMPNUM" block when the file has one, else those of
// its Point lines, taken from the datum line 5 names to WGS 84 through the datum
// table (see findDatum). A file without reference points leaves the calibration and
// its entered flags as they were, so the layer must be calibrated by hand before it
// can be saved. Writes nothing else of the layer; summary (may be nullptr) tells what
// the calibration came from.
// Returns 0; -1 when the file cannot be opened (sourcePath then stays path, which
// fails to load as an image); -2 when its Point lines are on a datum the table does
// not know. error (may be nullptr) then says why. A file of fewer than
// three lines also leaves sourcePath at path.
int readOziMap(const QString &path, MapLayer *layer, OziMapSummary *summary = nullptr, QString *error = nullptr);
