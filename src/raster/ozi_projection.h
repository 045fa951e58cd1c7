#pragma once

#include <QVector>

class QString;
struct GroundControlPoint;
struct OziDatum;
struct OziMapText;
struct RasterGeoreference;
enum class OziCalibrationSource : quint8;

// The grids OziExplorer map files are drawn on, named on their "Map Projection" line
// with the values of their "Projection Setup" line (LAT0, LON0, K, FALSE_E, FALSE_N,
// LAT1, LAT2, ...; empty values take the projection's defaults), on the datum of
// line 5: "Latitude/Longitude", "Mercator", "Transverse Mercator", "UTM Grid" (the
// zone and hemisphere of the first Point line that gives one, else of the reference
// points' mean position), "Lambert Conformal Conic", "(UK) British National Grid",
// "Polyconic (American)", "Albers Equal Area", "Sinusoidal" and "Polar Stereographic"
// (the pole of LAT0's sign, else of the reference points' hemisphere).

// Ties the image of an OziExplorer map to the map's own grid, on datum (whose shift
// to WGS 84 goes with the grid). The reference
// points are the Point lines (their latitude and longitude on the datum, else their
// grid position), else the "MMPNUM" block (WGS 84). Three points or more are fitted
// by least squares as an affine mapping of pixels to the grid, two as a north-up
// scale and offset per axis.
// Fills of *georeference the names (origin, gridName, datumName), srsWkt and
// geoTransform, leaving the raster and the level grid to the caller; *points gets
// the reference points on WGS 84 and *source where they came from. True with no
// points and nothing filled but the names when the file has none; false with a reason
// when the projection or its values cannot be used, or the points cannot be placed on
// the grid or do not fix it.
bool georeferenceOziMap(const OziMapText &text, const OziDatum &datum, RasterGeoreference *georeference,
                        QVector<GroundControlPoint> *points, OziCalibrationSource *source, QString *error);
