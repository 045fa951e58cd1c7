#pragma once

#include <QString>

#include "geo/datum_shift.h"

// The 25 reference ellipsoids that the datum table refers to. Constant data.

// One row of the ellipsoid table.
struct EllipsoidRecord
{
    double a;                  // semi-major axis, metres
    double inverseFlattening;  // 1/f
};

// An ellipsoid as the formulas use it.
struct Ellipsoid
{
    double a;  // semi-major axis, metres
    double f;  // flattening, 1 / inverseFlattening
};

inline constexpr int kEllipsoidCount = 25;
inline constexpr int kWgs84EllipsoidIndex = 22;

// Row `index` (0..24) of the ellipsoid table; an index outside that range
// reads as the WGS 84 row.
const EllipsoidRecord &ellipsoidRecord(int index);

// (a, f) of an ellipsoid row, with f = 1 / inverseFlattening.
Ellipsoid ellipsoidOf(const EllipsoidRecord &record);

// The 228 geodetic datums of the datum selector, in selector order. The
// selector's item index is the datum index used by every geodesy function.
// Constant data; nothing writes to it.

inline constexpr int kDatumCount = 228;
inline constexpr int kWgs84DatumIndex = 224;  // "WGS 1984", the default
// "WGS 1972": positions are shown and typed on this row without any datum shift.
inline constexpr int kWgs72DatumIndex = 223;

// One numeric row: the datum's ellipsoid row and the geocentric translation in
// metres that takes a position on this datum to WGS 84 (WGS 84 = local + d).
struct DatumRecord
{
    int ellipsoid;
    double dx;
    double dy;
    double dz;
};

// Name of datum `index` (0..227) exactly as the selector shows it, blanks
// included; an empty text for an index outside that range. The names are built
// once and live until the program ends.
const QString &datumName(int index);

// A datum name as names are compared: its letters and digits only, lower case, so
// that "Hong Kong '63" and "hongkong63" compare equal.
QString looseName(const QString &name);

// Index of the datum a person or another program names: the table's name compared
// without letter case, blanks and punctuation ("wgs 1984", "Hong Kong 63"), or a name
// other programs use for a datum of the same parameters ("WGS 84", "NAD27 CONUS",
// "Pulkovo 1942 (1)"). -1 when none matches.
int findDatum(const QString &name);

// Numeric row of datum `index`. The numeric reads below treat an index outside
// 0..227 as row 224 (WGS 1984), so they never read outside the table.
const DatumRecord &datumRecord(int index);

// Ellipsoid row of the datum, and its (a, f) with f = 1 / inverseFlattening.
const EllipsoidRecord &datumEllipsoidRecord(int index);
Ellipsoid datumEllipsoid(int index);

// The shift from this datum to WGS 84: the translation, and for rows 109
// ("Merchich"), 163 ("Porto Santo 1936") and 180 ("Rome 1940") three rotations
// and a scale term. The shift from WGS 84 to the datum is its reversed().
HelmertShift datumShiftToWgs84(int index);

