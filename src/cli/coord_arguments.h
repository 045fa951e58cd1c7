#pragma once

#include <QString>
#include <QStringList>

// The arguments of `mapvane-cli coord`, checked:
//   --datum D --notation deg|dm|dms|utm|tm LAT LON
//   --datum D --parse utm|tm EASTING_TEXT NORTHING_TEXT
//   --datum D --to-wgs84 LAT LON
//   --datum D --to-wgs84 --parse utm|tm EASTING_TEXT NORTHING_TEXT
// Options and values may come in any order; an argument that starts with '-'
// but reads as a number is a value (so "-33.9" needs no "--"), and "--" ends
// the options.
struct CoordRequest
{
    int datumIndex = -1;
    int notationRow = -1;  // row of standardNotationChoices(), or -1
    int parseGridKind = -1;  // kGridUtm or kGridTm with --parse, else -1
    bool toWgs84 = false;
    // With --parse the two texts; otherwise the latitude and longitude.
    QString firstText;
    QString secondText;
    double latitude = 0.0;   // degrees, checked to ±90
    double longitude = 0.0;  // degrees, checked to ±180
};

// Fills `request` from the arguments after the command name. Returns an empty
// text on success, else a one-line English error message.
QString parseCoordArguments(const QStringList &args, CoordRequest *request);

// Index of a datum given as its number (0..227) or its exact name; -1 if none.
int coordDatumIndex(const QString &text);
