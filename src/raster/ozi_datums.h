#pragma once

#include <QString>

#include "geo/datum_shift.h"

// The datums OziExplorer map files name on their line 5: OziExplorer's own list of
// 123 datums, as GDAL ships it in its data folder (ozi_datum.csv, with its
// ellipsoids in ozi_ellips.csv), and the datums of the program's datum table.

// A datum as a map file is placed on it: its ellipsoid and its shift to WGS 84.
struct OziDatum
{
    QString name;  // as the list (or the datum table) writes it
    double a = 0.0;                  // semi-major axis of the ellipsoid, metres
    double inverseFlattening = 0.0;  // 1/f
    HelmertShift shift;              // to WGS 84

    // On the WGS 84 ellipsoid without any shift.
    bool isWgs84() const;
};

// The number of datums in OziExplorer's list, and datum i of it (0 to the count - 1)
// with the three-parameter shift the list gives, which is what OziExplorer applies.
int oziDatumCount();
OziDatum oziDatum(int index);

// The datum an OziExplorer file names ("Pulkovo 1942 (2)", "WGS 84"), compared
// without letter case, blanks and punctuation: a name of OziExplorer's list with the
// list's shift, else a name the datum table knows (findDatum) with the table's.
// False when neither knows it.
bool findOziDatum(const QString &name, OziDatum *datum);
