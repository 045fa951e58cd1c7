#pragma once

#include <QString>

#include "geo/geo_position.h"

// A WGS 84 position as the read-outs and the calibration form show it.
struct FormattedPosition
{
    QString lonOrEastingText;   // "E 113.50000000°", "49 Q 756508", " 250000E"
    QString latOrNorthingText;  // "N  22.50000000°", "2489099", "      0N"
    // Latitude on the datum in degrees, or the northing in metres (UTM with
    // its southern false northing); unrounded, moved 5e-10 away from zero.
    double latOrNorthing = 0.0;
    // Longitude on the datum in degrees, or the easting in metres; likewise.
    double lonOrEasting = 0.0;
};

// Shows a WGS 84 position (degrees; height ignored) on datum `datumIndex` in
// the notation (`gridKind`, `angleStyle`) of a NotationChoice:
// - the position goes through wgs84ToDatum first, except on row 223
//   (WGS 1972), which shows the WGS 84 values unchanged;
// - kGridLatLon: formatAngle of latitude and longitude with N/S and E/W
//   (a value of exactly 0 counts as N or E);
// - kGridUtm: "zone band easting" and "northing", rounded with (int)(v + 0.5),
//   on the datum's ellipsoid;
// - kGridTm: "%7dE" and "%7dN" of the TM grid, rounded likewise.
// Any other gridKind is shown as latitude/longitude.
FormattedPosition formatPosition(int gridKind, int datumIndex, int angleStyle,
                                 const GeoPosition &wgs84);

// The position on datum `datumIndex` that formatPosition shows for a WGS 84
// position: wgs84ToDatum, or the position itself on row 223.
GeoPosition shownPositionOnDatum(const GeoPosition &wgs84, int datumIndex);
