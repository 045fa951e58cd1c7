#include "geo/angle_format.h"

#include <QCoreApplication>

#include <cmath>

#include "geo/int_conversion.h"
#include "geo/notation_choice.h"

namespace {

// Splits a non-negative angle into whole degrees and the fraction left over.
// Values that do not fit an int (and NaN) keep their saturated degrees and no
// fraction, so nothing below overflows.
int splitDegrees(double v, double *fraction)
{
    const int d = truncateToInt(v);
    *fraction = (v >= 0.0 && v < 2147483647.0) ? v - d : 0.0;
    return d;
}

// Rounds a fraction in [0, 1) times `scale` to a whole number of printed units.
long long roundToUnits(double value, double scale)
{
    return static_cast<long long>(std::round(value * scale));
}

int carried(int degrees)
{
    return degrees < INT_MAX ? degrees + 1 : degrees;
}

}  // namespace

QString degreeSign()
{
    return QCoreApplication::translate("CoordinateNotation", "°");
}

QString formatAngle(int angleStyle, double value, char hemisphere)
{
    const double v = std::fabs(value) + 5e-10;
    QString text;
    if (angleStyle == kAngleDegreesMinutes) {
        double fraction = 0.0;
        int d = splitDegrees(v, &fraction);
        // Minutes in units of 1e-5, as printed.
        long long minutes = roundToUnits(fraction * 60.0, 1e5);
        if (minutes >= 60 * 100000LL) {
            d = carried(d);
            minutes -= 60 * 100000LL;
        }
        text = QString::asprintf("%c %3d^%08.5f'", hemisphere, d, double(minutes) / 1e5);
    } else if (angleStyle == kAngleDegreesMinutesSeconds) {
        double fraction = 0.0;
        int d = splitDegrees(v, &fraction);
        const double x = fraction * 60.0;
        int minutes = truncateToInt(x);
        // Seconds in units of 1e-3, as printed.
        long long seconds = roundToUnits((x - minutes) * 60.0, 1e3);
        if (seconds >= 60 * 1000LL) {
            ++minutes;
            seconds -= 60 * 1000LL;
        }
        if (minutes >= 60) {
            d = carried(d);
            minutes -= 60;
        }
        text = QString::asprintf("%c %3d^%02d'%06.3f\"", hemisphere, d, minutes,
                                 double(seconds) / 1e3);
    } else {
        text = QString::asprintf("%c %12.8f^", hemisphere, v);
    }
    text.replace(QLatin1Char('^'), degreeSign());
    return text;
}
