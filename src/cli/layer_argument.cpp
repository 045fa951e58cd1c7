#include "cli/layer_argument.h"

#include <QLocale>
#include <QStringList>

#include <cmath>

#include "project/ozi_map.h"

bool parseLayerArgument(const QString &text, LayerArgument *layer, QString *error)
{
    if (isOziMapPath(text)) {
        LayerArgument result;
        result.imagePath = text;
        result.oziMap = true;
        *layer = result;
        return true;
    }
    const qsizetype at = text.lastIndexOf(QLatin1Char('@'));
    if (at < 0) {
        *error = QStringLiteral("LAYER '%1' has no '@' before its calibration").arg(text);
        return false;
    }
    LayerArgument result;
    result.imagePath = text.left(at);
    if (result.imagePath.isEmpty()) {
        *error = QStringLiteral("LAYER '%1' names no image").arg(text);
        return false;
    }
    const QStringList values = text.mid(at + 1).split(QLatin1Char(','));
    if (values.size() != 4 && values.size() != 8) {
        *error = QStringLiteral("LAYER '%1' needs 4 values (LON1,LAT1,LON2,LAT2) or 8 values "
                                "(X1,Y1,LON1,LAT1,X2,Y2,LON2,LAT2), not %2")
                     .arg(text).arg(values.size());
        return false;
    }
    const QLocale c = QLocale::c();
    bool ok = true;
    const auto pixel = [&](int i) {
        bool valueOk = false;
        const int value = c.toInt(values.at(i).trimmed(), &valueOk);
        ok = ok && valueOk;
        return value;
    };
    const auto degrees = [&](int i) {
        bool valueOk = false;
        const double value = c.toDouble(values.at(i).trimmed(), &valueOk);
        ok = ok && valueOk && std::isfinite(value);
        return value;
    };
    if (values.size() == 4) {
        result.atImageCorners = true;
        result.topLeftLon = degrees(0);
        result.topLeftLat = degrees(1);
        result.bottomRightLon = degrees(2);
        result.bottomRightLat = degrees(3);
    } else {
        result.topLeftX = pixel(0);
        result.topLeftY = pixel(1);
        result.topLeftLon = degrees(2);
        result.topLeftLat = degrees(3);
        result.bottomRightX = pixel(4);
        result.bottomRightY = pixel(5);
        result.bottomRightLon = degrees(6);
        result.bottomRightLat = degrees(7);
    }
    if (!ok) {
        *error = QStringLiteral("LAYER '%1' has a value that is not a whole pixel or a number of degrees").arg(text);
        return false;
    }
    *layer = result;
    return true;
}
