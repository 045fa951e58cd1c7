#include "cli/fill_argument.h"

#include <QLocale>
#include <QStringList>

bool parseFillArgument(const QString &text, QColor *colour)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 3)
        return false;
    int rgb[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        rgb[i] = QLocale::c().toInt(parts.at(i).trimmed(), &ok);
        if (!ok || rgb[i] < 0 || rgb[i] > 255)
            return false;
    }
    *colour = QColor(rgb[0], rgb[1], rgb[2]);
    return true;
}
