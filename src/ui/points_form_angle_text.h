#pragma once

#include <QString>

// The degree, minute and second edits of the calibration form: how a value in
// degrees is split into their texts and how their texts are read back. The degree
// text carries the sign, so a value between -1° and 0° shows the degrees "-0", and a
// degree text that starts with "-" ("-0", or "-" alone) reads as a negative value.

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

// The value in degrees of the three texts: the degree text as a base-10 integer, the
// minute and second texts as doubles (an empty or unreadable text reads as 0); the
// sign is the degree text's leading "-".
double degreesFromFieldTexts(const QString &degrees, const QString &minutes,
                             const QString &seconds = QString());

// A decimal-degree text as the form reads it: a double, with an empty, unreadable or
// lone "-" text reading as 0.
double degreesFromDecimalText(const QString &text);
