#include "ui/calibration_form_values.h"

#include <algorithm>
#include <cmath>

#include "geo/datum_table.h"
#include "geo/position_parse.h"
#include "geo/position_format.h"
#include "project/map_layer.h"
#include "ui/hinted_validators.h"

namespace {

QString degreeText(bool negative, double wholeDegrees)
{
    const QString digits = QString::number(qint64(wholeDegrees));
    return negative ? QLatin1Char('-') + digits : digits;
}

bool printsAsSixty(const QString &text)
{
    return text.startsWith(QLatin1String("60"));
}

// A converted partner counts as given back when it shows within a millionth of a
// degree of its target (the corrected conversion comes within 1e-12 degrees; near a
// pole the longitude comes back anywhere).
constexpr double kGivenBackDegrees = 1e-6;
// Latitudes beyond this lie within about 100 m of a pole.
constexpr double kPoleRegion = 89.999;
// Corrections of a converted position; each one shrinks the error by the ratio of the
// shift's change to the position's change (about 1e-5).
constexpr int kCorrectionSteps = 3;
// Partner edits count as showing the stored partner when they are within 1e-5°
// of it: well above the rounding of the form's texts (at most 0.5e-7°), well below
// any change made elsewhere that the edits do not show yet.
constexpr double kAsShownDegrees = 1e-5;

double coordinate(const GeoPosition &position, bool latitude)
{
    return latitude ? position.latitude : position.longitude;
}

// a - b in degrees; longitudes across the antimeridian take the short way.
double angleDifference(double a, double b, bool latitude)
{
    return latitude ? a - b : std::remainder(a - b, 360.0);
}

// Latitudes within ±90°, longitudes within ±180°.
double normalized(double degrees, bool latitude)
{
    return latitude ? std::clamp(degrees, -90.0, 90.0) : std::remainder(degrees, 360.0);
}

// The WGS 84 position that formatPosition shows as `onDatum`: the datum shift back,
// then corrected until showing it gives `onDatum` again, so that what is stored reads
// back as typed whatever the shift's own round-trip error (up to some 20
// milliarcseconds far from a datum's region).
GeoPosition wgs84ShownAs(const GeoPosition &onDatum, int datumIndex)
{
    GeoPosition wgs84 = typedPositionToWgs84(onDatum, datumIndex);
    for (int step = 0; step < kCorrectionSteps; ++step) {
        const GeoPosition shown = shownPositionOnDatum(wgs84, datumIndex);
        wgs84.latitude += angleDifference(onDatum.latitude, shown.latitude, true);
        wgs84.longitude += angleDifference(onDatum.longitude, shown.longitude, false);
    }
    wgs84.latitude = normalized(wgs84.latitude, true);
    wgs84.longitude = normalized(wgs84.longitude, false);
    return wgs84;
}

}  // namespace

AngleFieldTexts degreeMinuteTexts(double degrees)
{
    if (!std::isfinite(degrees))
        degrees = 0.0;
    const bool negative = degrees < 0.0;
    const double magnitude = std::fabs(degrees);
    double whole = std::trunc(magnitude);
    QString minutes = QString::asprintf("%.7f", (magnitude - whole) * 60.0);
    if (printsAsSixty(minutes)) {
        whole += 1.0;
        minutes = QString::asprintf("%.7f", 0.0);
    }
    return {degreeText(negative, whole), minutes, QString()};
}

AngleFieldTexts degreeMinuteSecondTexts(double degrees)
{
    if (!std::isfinite(degrees))
        degrees = 0.0;
    const bool negative = degrees < 0.0;
    const double magnitude = std::fabs(degrees);
    double whole = std::trunc(magnitude);
    const double minutesExact = (magnitude - whole) * 60.0;
    int minutes = int(std::trunc(minutesExact));
    QString seconds = QString::asprintf("%.5f", (minutesExact - minutes) * 60.0);
    if (printsAsSixty(seconds)) {
        seconds = QString::asprintf("%.5f", 0.0);
        ++minutes;
    }
    if (minutes >= 60) {
        minutes -= 60;
        whole += 1.0;
    }
    return {degreeText(negative, whole), QString::number(minutes), seconds};
}

double numberFromText(const QString &text)
{
    const NumberText number = readNumberText(text);
    return number.kind == NumberText::Complete ? number.value : 0.0;
}

double degreesFromFieldTexts(const QString &degrees, const QString &minutes, const QString &seconds)
{
    const bool negative = degrees.trimmed().startsWith(QLatin1Char('-'));
    const double magnitude =
        std::fabs(std::trunc(numberFromText(degrees))) + numberFromText(minutes) / 60.0 + numberFromText(seconds) / 3600.0;
    return negative ? -magnitude : magnitude;
}

GeoPosition effectivePointWgs84(const MapLayer &layer, bool topLeft)
{
    const MapLayer fresh;
    const CalibrationPoint &point = topLeft ? layer.topLeft : layer.bottomRight;
    const CalibrationPoint &other = topLeft ? layer.bottomRight : layer.topLeft;
    const CalibrationPoint &pointDefault = topLeft ? fresh.topLeft : fresh.bottomRight;
    const CalibrationPoint &otherDefault = topLeft ? fresh.bottomRight : fresh.topLeft;
    // A coordinate taken back to not entered still holds the value typed before.
    const bool lonHeld = (topLeft ? layer.topLeftLonSet : layer.bottomRightLonSet) || point.lon != pointDefault.lon;
    const bool latHeld = (topLeft ? layer.topLeftLatSet : layer.bottomRightLatSet) || point.lat != pointDefault.lat;
    const bool otherLonHeld = (topLeft ? layer.bottomRightLonSet : layer.topLeftLonSet) || other.lon != otherDefault.lon;
    const bool otherLatHeld = (topLeft ? layer.bottomRightLatSet : layer.topLeftLatSet) || other.lat != otherDefault.lat;
    GeoPosition position;
    if (latHeld)
        position.latitude = point.lat / kMasPerDegree;
    else if (otherLatHeld)
        position.latitude = other.lat / kMasPerDegree;
    if (lonHeld)
        position.longitude = point.lon / kMasPerDegree;
    else if (otherLonHeld)
        position.longitude = other.lon / kMasPerDegree;
    return position;
}

TypedCoordinate typedCoordinateToWgs84(const MapLayer &layer, bool topLeft, bool latitude, double typed,
                                       std::optional<double> partnerAsShown, int datumIndex)
{
    TypedCoordinate result;
    if (!typedPositionsAreShifted(datumIndex)) {
        result.value = degreesKeepingWholeMilliarcseconds(typed);
        return result;
    }
    const bool partnerSet = latitude ? (topLeft ? layer.topLeftLonSet : layer.bottomRightLonSet)
                                     : (topLeft ? layer.topLeftLatSet : layer.bottomRightLatSet);
    const GeoPosition effective = effectivePointWgs84(layer, topLeft);
    const double partnerShown = coordinate(shownPositionOnDatum(effective, datumIndex), !latitude);

    if (!partnerSet) {
        // The partner stays at its WGS 84 stand-in, so the edited coordinate is made to
        // show as typed beside that stand-in, as the form will show it.
        GeoPosition stored = effective;
        GeoPosition onDatum;
        onDatum.latitude = latitude ? typed : partnerShown;
        onDatum.longitude = latitude ? partnerShown : typed;
        double &edited = latitude ? stored.latitude : stored.longitude;
        edited = coordinate(typedPositionToWgs84(onDatum, datumIndex), latitude);
        for (int step = 0; step < kCorrectionSteps; ++step) {
            edited += angleDifference(typed, coordinate(shownPositionOnDatum(stored, datumIndex), latitude), latitude);
            edited = normalized(edited, latitude);
        }
        result.value = degreesStoringNearest(edited);
        return result;
    }

    // The partner as the user sees it: its edits, unless they no longer show the stored
    // value (then the stored value as shown). At a pole the stored longitude shows as
    // anything, so its edits are taken as they are.
    double partner = partnerShown;
    const bool longitudeLostAtPole = latitude && std::fabs(effective.latitude) > kPoleRegion;
    if (partnerAsShown
        && (longitudeLostAtPole
            || std::fabs(angleDifference(*partnerAsShown, partnerShown, !latitude)) <= kAsShownDegrees))
        partner = *partnerAsShown;
    GeoPosition onDatum;
    onDatum.latitude = latitude ? typed : partner;
    onDatum.longitude = latitude ? partner : typed;
    const GeoPosition wgs84 = wgs84ShownAs(onDatum, datumIndex);
    result.value = degreesStoringNearest(coordinate(wgs84, latitude));
    const GeoPosition givenBack = shownPositionOnDatum(wgs84, datumIndex);
    if (std::fabs(angleDifference(partner, coordinate(givenBack, !latitude), !latitude)) <= kGivenBackDegrees) {
        result.storePartner = true;
        result.partner = degreesStoringNearest(coordinate(wgs84, !latitude));
    }
    return result;
}
