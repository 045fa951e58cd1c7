#pragma once

// OziExplorer map files as the Windows tools write them (version 2.2 layout, CRLF
// line ends), made in code for the import and command-line tests.

#include <QByteArray>
#include <QVector>

#include <cmath>

namespace fixtures {

struct OziPoint
{
    int x;       // pixel
    int y;
    double lon;  // decimal degrees, east positive; NaN: the Point line leaves it empty
    double lat;  // north positive
    int zone = 0;                 // the Point line's grid position, when easting is a number
    double easting = std::nan("");
    double northing = 0.0;
};

// The lines before the reference points: header, title, image line, datum,
// projection and the calibration points in degrees and minutes.
inline QByteArray oziHeader(const QByteArray &imageLine, const QVector<OziPoint> &points = {})
{
    QByteArray text = "OziExplorer Map Data File Version 2.2\n"
                      "Topo 1:50000\n" + imageLine + "\n"
                      "1 ,Map Code,\n"
                      "WGS 84,WGS 84,   0.0000,   0.0000,WGS 84\n"
                      "Reserved 1\n"
                      "Reserved 2\n"
                      "Magnetic Variation,,,E\n"
                      "Map Projection,Latitude/Longitude,PolyCal,No,AutoCalOnly,No,BSBUseWPX,No\n";
    for (int i = 0; i < 30; ++i) {
        QByteArray line = "Point" + QByteArray::number(i + 1).rightJustified(2, '0') + ",xy,";
        if (i < points.size()) {
            const OziPoint &p = points.at(i);
            const auto dm = [](double degrees, char positive, char negative) {
                const double a = std::fabs(degrees);
                return QByteArray::number(int(a)).rightJustified(4, ' ') + ","
                    + QByteArray::number((a - int(a)) * 60, 'f', 4).rightJustified(7, ' ') + ","
                    + (degrees < 0 ? negative : positive);
            };
            line += QByteArray::number(p.x).rightJustified(5, ' ') + "," + QByteArray::number(p.y).rightJustified(5, ' ')
                + ",in, deg,"
                + (std::isnan(p.lat) ? QByteArray("    ,        ,N,    ,        ,E")
                                     : dm(p.lat, 'N', 'S') + "," + dm(p.lon, 'E', 'W'))
                + (std::isnan(p.easting) ? QByteArray(", grid,   ,           ,           ,N")
                                         : ", grid," + (p.zone ? QByteArray::number(p.zone) : "").rightJustified(5, ' ')
                           + "," + QByteArray::number(p.easting, 'f', 1).rightJustified(10, ' ') + ","
                           + QByteArray::number(p.northing, 'f', 1).rightJustified(11, ' ') + ",N");
        } else {
            line += "     ,     ,ex, deg,    ,        ,N,    ,        ,E, grid,   ,           ,           ,N";
        }
        text += line + "\n";
    }
    text += "Projection Setup,,,,,,,,,,\n"
            "Map Feature = MF ; Map Comment = MC     These follow if they exist\n"
            "Track File = TF      These follow if they exist\n"
            "Moving Map Parameters = MM?    These follow if they exist\n"
            "MM0,Yes\n";
    return text;
}

// "MMPNUM,n", then n "MMPXY" lines and n "MMPLL" lines.
inline QByteArray oziPointBlock(const QVector<OziPoint> &points)
{
    QByteArray text = "MMPNUM," + QByteArray::number(points.size()) + "\n";
    for (int i = 0; i < points.size(); ++i) {
        text += "MMPXY," + QByteArray::number(i + 1) + "," + QByteArray::number(points.at(i).x) + ","
            + QByteArray::number(points.at(i).y) + "\n";
    }
    for (int i = 0; i < points.size(); ++i) {
        text += "MMPLL," + QByteArray::number(i + 1) + ","
            + QByteArray::number(points.at(i).lon, 'f', 6).rightJustified(11, ' ') + ","
            + QByteArray::number(points.at(i).lat, 'f', 6).rightJustified(11, ' ') + "\n";
    }
    return text;
}

inline QByteArray withCrLf(QByteArray text)
{
    return text.replace("\n", "\r\n");
}

// A whole file with its reference points, CRLF line ends.
inline QByteArray oziMapFile(const QByteArray &imageLine, const QVector<OziPoint> &points)
{
    return withCrLf(oziHeader(imageLine, points) + oziPointBlock(points)
                    + "MM1B,111.194926\nMOP,Map Open Position,0,0\nIWH,Map Image Width/Height,1000,800\n");
}

// The corners of a 1000 x 800 image covering 10-11 E, 45-46 N.
inline QVector<OziPoint> fourCorners()
{
    return {{0, 0, 10.0, 46.0}, {999, 0, 11.0, 46.0}, {999, 799, 11.0, 45.0}, {0, 799, 10.0, 45.0}};
}

}  // namespace fixtures
