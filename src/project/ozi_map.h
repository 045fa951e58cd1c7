#pragma once

#include <QString>

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
// not know. error (may be nullptr) then says why, in English. A file of fewer than
// three lines also leaves sourcePath at path.
int readOziMap(const QString &path, MapLayer *layer, OziMapSummary *summary = nullptr, QString *error = nullptr);
