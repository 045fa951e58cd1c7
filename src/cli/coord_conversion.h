#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "geo/datum_table.h"

// What one coord run converts: a position in a notation (--notation), a grid text read
// back (--parse), a shift to WGS 84 (--to-wgs84, alone or after --parse).
struct CoordRequest
{
    int datumIndex = kWgs84DatumIndex;
    int notationRow = -1;    // row of standardNotationChoices(), or -1
    int parseGridKind = -1;  // kGridUtm or kGridTm with --parse, else -1
    bool toWgs84 = false;
};

// One position converted: the lines the single call prints, or why it could not be.
struct CoordResult
{
    QString error;           // empty on success
    QStringList lines;       // as printed, without line ends
    QString eastingText;     // UTM and TM notations only
    QString northingText;
    double latitude = 0.0;   // unrounded degrees on the output datum
    double longitude = 0.0;
};

// Reads "LAT LON" (decimal degrees within ±90 and ±180) into degrees. Returns false
// with an English reason naming the text otherwise.
bool readLatLon(const QString &latText, const QString &lonText, double *latitude, double *longitude,
                QString *error);

// Converts one position given as two texts: latitude and longitude, or with --parse the
// easting and northing texts. Never fails silently: a text it cannot read, or a
// position the notation cannot show (UTM beyond 84° N or 80° S, TM outside its grid,
// so that everything printed reads back), gives an error.
CoordResult convertPosition(const CoordRequest &request, const QString &first, const QString &second);

// The two texts of one line of 'coord -': a line with tabs is split at them (fields
// after the two needed are ignored), else at blanks; for a UTM grid text the northing
// is the last word and the words before it are "ZONE BAND EASTING". Returns false with
// an English reason when the line does not hold them.
bool splitPositionLine(const CoordRequest &request, const QString &line, QString *first, QString *second,
                       QString *error);

// The output of one position: the lines as tab-separated fields and a line end (an
// empty line for an error), or with json one JSON object on one line with the keys
// "line", "easting" and "northing" (where printed), "lat" and "lon", or "error".
QByteArray resultText(const CoordResult &result, qint64 lineNumber, bool json);
