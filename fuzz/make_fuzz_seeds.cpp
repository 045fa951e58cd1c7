// Writes what the seed corpus is made from, into the folder given as argument:
//   map.png, map-wide.png   images that mapvane-cli convert turns into SMF files
//   images/                 small PNG, JPEG and BMP (24- and 32-bit) files for the image decoders
//   wfl/                    a tile folder that mapvane-cli wfl turns into an SMF file
//   ozi/*.map               OziExplorer files
//   grid/*                  typed grid positions (kind byte, datum bytes, texts)
//   sidecar/*               tile name line, then sidecar text
// Returns 0, or 1 when something cannot be written.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <cstdio>

#include "geo/position_format.h"

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// A small image with some structure, so tiles differ and compress unevenly.
QImage mapImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(240, 230, 200));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((x * 7 + y * 3) % 23 < 3)
                image.setPixel(x, y, qRgb(30, 90, 200));
        }
    }
    return image;
}

QByteArray sidecar(const char *name, double top, double left, double bottom, double right)
{
    return QByteArray(name) + "\n256\n256\n0.0\n0.0\n" + QByteArray::number(top, 'g', 17) + "\n"
        + QByteArray::number(left, 'g', 17) + "\n" + QByteArray::number(bottom, 'g', 17) + "\n"
        + QByteArray::number(right, 'g', 17) + "\n0.0\n0.0\n";
}

QByteArray gridSeed(int kind, int datum, const char *easting, const char *northing)
{
    QByteArray bytes;
    bytes += char(kind == kGridUtm ? 0 : kind == kGridTm ? 1 : 2);
    // The target reads the datum as (byte 1 + 256 x byte 2) mod (datums + 4) - 2.
    bytes += char((datum + 2) & 0xFF);
    bytes += char((datum + 2) >> 8);
    return bytes + easting + '\t' + northing;
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = out.mkpath(QStringLiteral("wfl")) && out.mkpath(QStringLiteral("ozi"))
        && out.mkpath(QStringLiteral("grid")) && out.mkpath(QStringLiteral("sidecar"));

    ok = ok && mapImage(40, 30).save(out.filePath(QStringLiteral("map.png")));
    ok = ok && mapImage(130, 70).save(out.filePath(QStringLiteral("map-wide.png")));
    // Small images of the formats decoded by rows, and a BMP.
    ok = ok && out.mkpath(QStringLiteral("images"));
    const QImage small = mapImage(24, 17);
    QImage translucent = small.convertToFormat(QImage::Format_ARGB32);
    translucent.setAlphaChannel(small.convertToFormat(QImage::Format_Grayscale8));
    ok = ok && small.save(out.filePath(QStringLiteral("images/map.png")));
    ok = ok && translucent.save(out.filePath(QStringLiteral("images/alpha.png")));
    ok = ok && small.convertToFormat(QImage::Format_Indexed8).save(out.filePath(QStringLiteral("images/palette.png")));
    ok = ok && small.save(out.filePath(QStringLiteral("images/map.jpg")));
    ok = ok && small.convertToFormat(QImage::Format_Grayscale8).save(out.filePath(QStringLiteral("images/grey.jpg")));
    ok = ok && small.save(out.filePath(QStringLiteral("images/map.bmp")));
    ok = ok && translucent.save(out.filePath(QStringLiteral("images/alpha.bmp")));  // 32 bits, read by rows

    // Four tiles of level 3 in a 2 x 2 block, as a tile downloader cuts them.
    const double step = 45.0;
    for (int column = 0; column < 2; ++column) {
        for (int row = 0; row < 2; ++row) {
            const QString base = QStringLiteral("3_%1x%2").arg(column).arg(row);
            ok = ok && mapImage(256, 256).save(out.filePath(QStringLiteral("wfl/%1.png").arg(base)));
            const double left = -180 + step * column;
            const double top = 85 - step * row;
            const QByteArray text = sidecar("", top, left, top - step, left + step).mid(1);
            ok = ok && writeFile(out.filePath(QStringLiteral("wfl/%1.wfl").arg(base)), text);
        }
    }

    ok = ok && writeFile(out.filePath(QStringLiteral("sidecar/plain")), sidecar("15_1234x567.wfl", 51.5, -0.1, 51.4, 0.0));
    ok = ok && writeFile(out.filePath(QStringLiteral("sidecar/part")), sidecar("15 (2)_3x4.wfl", 1e-3, 9.441375732421875E-4, -0.0, 2.5));
    ok = ok && writeFile(out.filePath(QStringLiteral("sidecar/crlf")),
                         sidecar("OpenStreetMap 7_0x0.wfl", 10, 20, 5, 25).replace("\n", "\r\n"));

    const QByteArray ozi =
        "OziExplorer Map Data File Version 2.2\r\nmap\r\nC:\\maps\\map.png\r\n1 ,Map Code,\r\n"
        "WGS 84,WGS 84,   0.0000,   0.0000,WGS 84\r\nReserved 1\r\nReserved 2\r\n"
        "Magnetic Variation,,,E\r\nMap Projection,Latitude/Longitude,PolyCal,No,AutoCalOnly,No,BSBUseWPX,No\r\n"
        "MMPNUM,4\r\nMMPXY,1,0,0\r\nMMPXY,2,40,0\r\nMMPXY,3,40,30\r\nMMPXY,4,0,30\r\n"
        "MMPLL,1, 120.500000, 24.250000\r\nMMPLL,2, 121.000000, 24.250000\r\n"
        "MMPLL,3, 121.000000, 23.750000\r\nMMPLL,4, 120.500000, 23.750000\r\nMM1B,4.5\r\n";
    ok = ok && writeFile(out.filePath(QStringLiteral("ozi/windows.map")), ozi);
    ok = ok && writeFile(out.filePath(QStringLiteral("ozi/unix.map")), QByteArray(ozi).replace("\r\n", "\n"));
    ok = ok && writeFile(out.filePath(QStringLiteral("ozi/short.map")), "OziExplorer\nmap\nmap.png\nMMPNUM,x\n");

    ok = ok && writeFile(out.filePath(QStringLiteral("grid/utm-north")), gridSeed(kGridUtm, 224, "51 Q 283456", "2678123"));
    ok = ok && writeFile(out.filePath(QStringLiteral("grid/utm-south")), gridSeed(kGridUtm, 100, "33 H 500000", "6200000"));
    ok = ok && writeFile(out.filePath(QStringLiteral("grid/tm")), gridSeed(kGridTm, 5, "250000", "2650000"));
    ok = ok && writeFile(out.filePath(QStringLiteral("grid/latlon")), gridSeed(kGridLatLon, 0, "1", "2"));
    return ok ? 0 : 1;
}
