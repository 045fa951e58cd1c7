#include "geo/notation_choice.h"

QVector<NotationChoice> standardNotationChoices()
{
    return {
        {kAngleDegrees, kGridLatLon, QStringLiteral("度")},
        {kAngleDegreesMinutes, kGridLatLon, QStringLiteral("度分")},
        {kAngleDegreesMinutesSeconds, kGridLatLon, QStringLiteral("度分秒")},
        {kAngleDegrees, kGridUtm, QStringLiteral("UTM")},
        {kAngleDegrees, kGridTm, QStringLiteral("TM")},
    };
}
