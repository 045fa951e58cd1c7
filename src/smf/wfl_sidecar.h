#pragma once

#include <QString>
#include <QtGlobal>

// The edges of one tile as its sidecar states them, milliarcseconds (degrees times
// 3,600,000 truncated toward zero). The sidecar is text, one number per line, with
// line 5 the top latitude, 6 the left longitude, 7 the bottom latitude and 8 the
// right longitude in degrees; lines 1 to 4 are not used. Numbers are read in the C
// locale, with or without an exponent ("9.441375732421875E-4", "-0.0"); LF, CR LF
// and CR line ends are all accepted.
struct WflSidecarEdges
{
    qint32 top = 0;
    qint32 left = 0;
    qint32 bottom = 0;
    qint32 right = 0;
};

// Reads the edges of the sidecar at path. Returns kWflOk, kWflReadError when the file
// cannot be read, or kWflInvalidTiles when one of lines 5 to 8 is missing, is not a
// finite number, or lies beyond 90 degrees of latitude or 180 of longitude; error
// then names the file and the line, in English.
int readWflSidecar(const QString &path, WflSidecarEdges *edges, QString *error);

// The top-left corner of the tile of the sidecar at path: its left longitude (line 6)
// and top latitude (line 5), milliarcseconds. Same checks and results as
// readWflSidecar.
int readWflPartCorner(const QString &path, qint32 *longitude, qint32 *latitude, QString *error);
