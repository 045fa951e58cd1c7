#pragma once

#include <QString>

struct MapLayer;

// Whether path names an OziExplorer map file: a file name ending in ".map" in any
// letter case, with a name before the dot ("A.MAP" is one; "roadmap" and ".map" are
// not).
bool isOziMapPath(const QString &path);

// Imports the OziExplorer map file at path into a new layer: sourcePath becomes the
// image the file names (see resolveOziImagePath), and the reference points of its
// "MMPNUM" block give the calibration of a north-up image: longitudes from the
// leftmost and rightmost points, latitudes from the topmost and bottommost (on equal
// pixels the earlier point wins), the two pixels the corners of the points' bounding
// box, and all four entered flags set. A file without reference points leaves the
// calibration and its entered flags as they were, so the layer must be calibrated
// by hand before it can be saved. Writes nothing else of the layer.
// Returns 0, or -1 when the file cannot be opened (sourcePath then stays path, which
// fails to load as an image). A file of fewer than three lines also leaves
// sourcePath at path.
int readOziMap(const QString &path, MapLayer *layer);
