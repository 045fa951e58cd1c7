#pragma once

#include <QString>

#include <optional>

#include "geo/datum_shift.h"
#include "geo/milliarcseconds.h"

struct MapLayer;

// The values behind the calibration form's texts: how an angle is split into the
// degree, minute and second edits and read back, and how a position typed on the
// selected datum is stored on WGS 84, as layers store it, so that it reads back as
// typed (within a milliarcsecond) after the form is refreshed.

// Angle edits. The degree text carries the sign, so a value between -1° and 0° shows
// the degrees "-0", and a degree text that starts with "-" ("-0", or "-" alone) reads
// as a negative value.

struct AngleFieldTexts
{
    QString degrees;  // "%d", with "-0" for values between -1° and 0°
    QString minutes;
    QString seconds;  // empty for the degree/minute split
};

// Degrees and decimal minutes: minutes "%.7f" of the unsigned fraction × 60. Minutes
// that would print as 60 carry into the degrees.
AngleFieldTexts degreeMinuteTexts(double degrees);

// Degrees, whole minutes "%d" and decimal seconds "%.5f". Seconds that would print as
// 60 carry into the minutes, and 60 minutes into the degrees.
AngleFieldTexts degreeMinuteSecondTexts(double degrees);

// The value of a number text as the form's validators read it (readNumberText: "12,5"
// is 12.5, "1e3" is 1000); 0 for a text that is not a complete number.
double numberFromText(const QString &text);

// The value in degrees of the three texts: the degree text's whole part, the minute and
// second texts as numbers (numberFromText: an empty or unfinished text reads as 0);
// the sign is the degree text's leading "-".
double degreesFromFieldTexts(const QString &degrees, const QString &minutes,
                             const QString &seconds = QString());

// Typed positions.

// The point's position (WGS 84 degrees) for showing it and for converting typed
// values: each coordinate as stored when it holds a position (it was entered, or it was
// taken back to not entered while its field is being typed and holds the value typed
// before); else the same coordinate of the layer's other point when that holds one (the
// corners of a map are close); else 0. A never-entered coordinate keeps its
// world-corner default, which is no position (the top-left default latitude is the
// pole, where a datum shift loses the longitude), so it is never used.
GeoPosition effectivePointWgs84(const MapLayer &layer, bool topLeft);

// What to store when the user typed one coordinate of a calibration point.
struct TypedCoordinate
{
    double value = 0.0;          // the edited coordinate, WGS 84 degrees
    bool storePartner = false;   // the other coordinate of the point is to be stored too
    double partner = 0.0;        // its WGS 84 degrees, when storePartner
};

// One coordinate typed on a datum moves both coordinates of the point on WGS 84, so it
// is converted together with the point's other coordinate (the partner) as that one is
// shown on the same datum. Stored values are chosen so that the form shows them as
// typed, to the nearest milliarcsecond:
// - when the partner was entered it is stored again as well, so that it keeps reading
//   as shown (storing only the edited coordinate would move the shown partner by the
//   change of the shift, some 0.2" per degree, and by far more for a partner entered
//   before this coordinate, against a stand-in). The partner as shown is
//   `partnerAsShown`, the value in the partner's edits, while that lies within 1e-5°
//   of the stored partner or the point lies at a pole; otherwise the stored partner as
//   formatPosition shows it. The edits do not change while this coordinate is typed,
//   so repeated keystrokes never walk the partner away. The partner is left alone when
//   the conversion does not give it back (a longitude at a pole); its entered flag is
//   never touched.
// - when it was not entered, only the edited coordinate is stored, chosen so that it
//   shows as typed beside the partner's stand-in (effectivePointWgs84).
// On datums that shift nothing the typed value is stored as typed (see
// degreesKeepingWholeMilliarcseconds) and the partner is left alone.
// `topLeft` selects the point; `latitude` the edited coordinate (else the longitude).
TypedCoordinate typedCoordinateToWgs84(const MapLayer &layer, bool topLeft, bool latitude, double typed,
                                       std::optional<double> partnerAsShown, int datumIndex);
