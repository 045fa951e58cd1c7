#include "ui/points_form_angle_text.h"

#include <cmath>

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

double degreesFromFieldTexts(const QString &degrees, const QString &minutes, const QString &seconds)
{
    const QString degreeTrimmed = degrees.trimmed();
    const bool negative = degreeTrimmed.startsWith(QLatin1Char('-'));
    const int whole = degreeTrimmed.toInt(nullptr, 10);
    const double magnitude = std::fabs(double(whole)) + minutes.toDouble() / 60.0 + seconds.toDouble() / 3600.0;
    return negative ? -magnitude : magnitude;
}

double degreesFromDecimalText(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? value : 0.0;
}
