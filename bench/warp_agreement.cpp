// Compares the first level of an SMF file with a GeoTIFF of the same grid that GDAL
// warped (red, green, blue and alpha bands, as gdalwarp -dstalpha writes them), pixel
// by pixel in the level's 5 bits per colour: how many pixels both show, how many only
// one of them shows, and of those both show, the share within one and within two
// 5-bit steps in every colour and the largest difference. The level is read with its
// fill colour where it shows nothing: give convert a fill no map pixel has.
// Usage: warp_agreement LEVEL.smf GDAL.tif R,G,B   (R,G,B: the fill given to convert)

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QStringList>

#include <gdal.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "smf/smf_reader.h"

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: warp_agreement LEVEL.smf GDAL.tif R,G,B\n");
        return 2;
    }
    const QStringList fillWords = QString::fromLocal8Bit(argv[3]).split(QLatin1Char(','));
    if (fillWords.size() != 3) {
        std::fprintf(stderr, "the fill is R,G,B\n");
        return 2;
    }
    const QRgb fill = qRgb(fillWords[0].toInt(), fillWords[1].toInt(), fillWords[2].toInt()) & 0xf8f8f8;

    QFile file(QString::fromLocal8Bit(argv[1]));
    SmfFileIndex index;
    QString error;
    if (!file.open(QIODevice::ReadOnly) || !readSmfStructure(file, &index, &error)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(error));
        return 1;
    }
    const QImage level = assembleLevelImage(file, index, 0).image.convertToFormat(QImage::Format_RGB32);
    GDALAllRegister();
    const GDALDatasetH gdal = GDALOpen(argv[2], GA_ReadOnly);
    if (level.isNull() || !gdal || GDALGetRasterCount(gdal) != 4) {
        std::fprintf(stderr, "cannot read the level or %s (4 bands)\n", argv[2]);
        return 1;
    }
    const int width = GDALGetRasterXSize(gdal);
    const int height = GDALGetRasterYSize(gdal);
    // The level's image is whole tiles: the grid is its top-left part.
    if (width > level.width() || height > level.height()) {
        std::fprintf(stderr, "the level (%d x %d) is smaller than the GeoTIFF (%d x %d)\n", level.width(),
                     level.height(), width, height);
        return 1;
    }
    qint64 both = 0;
    qint64 onlyLevel = 0;
    qint64 onlyGdal = 0;
    qint64 withinOne = 0;
    qint64 withinTwo = 0;
    int largest = 0;
    std::vector<quint8> row(std::size_t(width) * 4);
    int bands[] = {1, 2, 3, 4};
    for (int y = 0; y < height; ++y) {
        if (GDALDatasetRasterIO(gdal, GF_Read, 0, y, width, 1, row.data(), width, 1, GDT_Byte, 4, bands, 4,
                                4 * width, 1)
            != CE_None) {
            std::fprintf(stderr, "cannot read row %d of %s\n", y, argv[2]);
            return 1;
        }
        const QRgb *ours = reinterpret_cast<const QRgb *>(level.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const quint8 *theirs = row.data() + 4 * x;
            const bool shownByUs = (ours[x] & 0xf8f8f8) != fill;
            const bool shownByGdal = theirs[3] != 0;
            if (shownByUs != shownByGdal) {
                ++(shownByUs ? onlyLevel : onlyGdal);
                continue;
            }
            if (!shownByUs)
                continue;
            ++both;
            const int difference = std::max({std::abs(qRed(ours[x]) / 8 - theirs[0] / 8),
                                             std::abs(qGreen(ours[x]) / 8 - theirs[1] / 8),
                                             std::abs(qBlue(ours[x]) / 8 - theirs[2] / 8)});
            withinOne += difference <= 1;
            withinTwo += difference <= 2;
            largest = std::max(largest, difference);
        }
    }
    GDALClose(gdal);
    std::printf("shown by both %lld, only by the level %lld, only by GDAL %lld; within one 5-bit step %.4f %%, "
                "within two %.4f %%, largest difference %d steps\n",
                both, onlyLevel, onlyGdal, both ? 100.0 * withinOne / both : 0.0,
                both ? 100.0 * withinTwo / both : 0.0, largest);
    return 0;
}
