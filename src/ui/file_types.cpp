#include "ui/file_types.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImageReader>

namespace {

// "*.x *.X" for each suffix.
QString patterns(const QStringList &suffixes)
{
    QStringList list;
    for (const QString &suffix : suffixes)
        list << QStringLiteral("*.") + suffix << QStringLiteral("*.") + suffix.toUpper();
    return list.join(QLatin1Char(' '));
}

const QStringList kBmpSuffixes = {QStringLiteral("bmp"), QStringLiteral("dib")};
const QStringList kJpegSuffixes = {QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("jpe"),
                                   QStringLiteral("jfif")};
const QStringList kPngSuffixes = {QStringLiteral("png")};
// Read by the image library's TIFF plugin, or by GDAL when they carry their grid.
const QStringList kTiffSuffixes = {QStringLiteral("tif"), QStringLiteral("tiff")};
const QStringList kOziSuffixes = {QStringLiteral("map")};

}  // namespace

bool isSmfPath(const QString &path)
{
    return path.endsWith(QStringLiteral(".smf"), Qt::CaseInsensitive);
}

QStringList layerFileSuffixes()
{
    QStringList suffixes = kBmpSuffixes + kJpegSuffixes + kPngSuffixes + kTiffSuffixes;
    for (const QByteArray &format : QImageReader::supportedImageFormats()) {
        const QString suffix = QString::fromLatin1(format).toLower();
        if (!suffixes.contains(suffix))
            suffixes << suffix;
    }
    return suffixes + kOziSuffixes;
}

bool isLayerFilePath(const QString &path)
{
    return layerFileSuffixes().contains(QFileInfo(path).suffix().toLower());
}

QString layerFileFilter()
{
    const QString all = QCoreApplication::translate("MainWindow", "所有支持的文件");
    return all + QLatin1Char('(') + patterns(layerFileSuffixes()) + QStringLiteral(");;BMP(")
        + patterns(kBmpSuffixes) + QStringLiteral(");;JPEG(") + patterns(kJpegSuffixes) + QStringLiteral(");;PNG(")
        + patterns(kPngSuffixes) + QStringLiteral(");;TIFF(") + patterns(kTiffSuffixes) + QStringLiteral(");;GeoTIFF(")
        + patterns(kTiffSuffixes) + QStringLiteral(");;Ozi Map(") + patterns(kOziSuffixes) + QLatin1Char(')');
}
