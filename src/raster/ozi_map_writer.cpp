// OziExplorer ".map" files written from ground control points, as OziExplorer lays
// them out.

#include <QCoreApplication>
#include <QFileInfo>

#include <cmath>
#include <limits>

#include "raster/ozi_map.h"

namespace {

// "  55, 45.123456,N": whole degrees, decimal minutes and the hemisphere letter.
QByteArray degreesAndMinutes(double degrees, char positive, char negative)
{
    // Whole millionths of a minute, so that rounding carries into the degrees.
    const qint64 micro = std::llround(std::fabs(degrees) * 60.0 * 1e6);
    const qint64 whole = micro / 60000000;
    const double minutes = double(micro % 60000000) / 1e6;
    return QByteArray::number(whole).rightJustified(4, ' ') + ','
        + QByteArray::number(minutes, 'f', 6).rightJustified(10, ' ') + ',' + (degrees < 0.0 ? negative : positive);
}

}  // namespace

QByteArray oziMapPointsText(const QString &imagePath, const QVector<GroundControlPoint> &points, QSize imageSize,
                            QString *error)
{
    if (points.size() > kOziPointLines) {
        *error = QCoreApplication::translate("OziMap", "an OziExplorer file takes at most %1 points; %2 were given")
                     .arg(kOziPointLines).arg(points.size());
        return QByteArray();
    }
    QByteArray text = "OziExplorer Map Data File Version 2.2\n" + QFileInfo(imagePath).completeBaseName().toUtf8()
        + '\n' + imagePath.toUtf8() + "\n"
        "1 ,Map Code,\n"
        "WGS 84,WGS 84,   0.0000,   0.0000,WGS 84\n"
        "Reserved 1\n"
        "Reserved 2\n"
        "Magnetic Variation,,,E\n"
        "Map Projection,Latitude/Longitude,PolyCal,No,AutoCalOnly,No,BSBUseWPX,No\n";
    constexpr double kLargest = double(std::numeric_limits<qint32>::max());
    for (int i = 0; i < kOziPointLines; ++i) {
        text += "Point" + QByteArray::number(i + 1).rightJustified(2, '0') + ",xy,";
        if (i >= points.size()) {
            text += "     ,     ,ex, deg,    ,          ,N,    ,          ,E, grid,   ,           ,           ,N\n";
            continue;
        }
        const GroundControlPoint &point = points.at(i);
        if (!(std::fabs(point.pixelX) < kLargest && std::fabs(point.pixelY) < kLargest && std::fabs(point.lon) <= 180.0
              && std::fabs(point.lat) <= 90.0)) {
            *error = QCoreApplication::translate("OziMap", "point %1 is no pixel and position on WGS 84").arg(i + 1);
            return QByteArray();
        }
        text += QByteArray::number(std::lround(point.pixelX)).rightJustified(5, ' ') + ','
            + QByteArray::number(std::lround(point.pixelY)).rightJustified(5, ' ') + ",in, deg,"
            + degreesAndMinutes(point.lat, 'N', 'S') + ',' + degreesAndMinutes(point.lon, 'E', 'W')
            + ", grid,   ,           ,           ,N\n";
    }
    text += "Projection Setup,,,,,,,,,,\n"
            "Map Feature = MF ; Map Comment = MC     These follow if they exist\n"
            "Track File = TF      These follow if they exist\n"
            "Moving Map Parameters = MM?    These follow if they exist\n"
            "MM0,Yes\n";
    if (imageSize.isValid())
        text += "IWH,Map Image Width/Height," + QByteArray::number(imageSize.width()) + ','
            + QByteArray::number(imageSize.height()) + '\n';
    return text.replace("\n", "\r\n");
}
