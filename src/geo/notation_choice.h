#pragma once

#include <QString>
#include <QVector>

// Values of NotationChoice::gridKind.
inline constexpr int kGridLatLon = 0;  // geographic latitude/longitude
inline constexpr int kGridUtm = 1;     // UTM
inline constexpr int kGridTm = 12;     // the TM grid at 121° E

// Values of NotationChoice::angleStyle (used with kGridLatLon only).
inline constexpr int kAngleDegrees = 0;                // N  22.50000000°
inline constexpr int kAngleDegreesMinutes = 1;         // N  22°30.00000'
inline constexpr int kAngleDegreesMinutesSeconds = 2;  // N  22°30'00.000"

// One row of the notation table behind the notation selector.
struct NotationChoice
{
    int angleStyle = kAngleDegrees;
    int gridKind = kGridLatLon;
    QString label;  // untranslated selector text; stored, not read by the formatter
};

// The five rows in selector order: (0, 0, "度"), (1, 0, "度分"), (2, 0, "度分秒"),
// (0, 1, "UTM"), (0, 12, "TM"). The first three labels are the source texts
// the window passes through translation; "UTM" and "TM" are shown as they are.
QVector<NotationChoice> standardNotationChoices();
