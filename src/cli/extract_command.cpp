// mapvane-cli extract: one level of an SMF file as an image, optionally with a world file.

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QLocale>
#include <QSaveFile>

#include "cli/cli_command.h"
#include "project/file_access.h"
#include "smf/smf_reader.h"

namespace {

constexpr char kName[] = "extract";
constexpr double kMasPerDegree = 3600000.0;

// The image format an output's extension names; empty when it names none we write.
QByteArray formatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return "png";
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return "jpeg";
    if (suffix == QLatin1String("bmp"))
        return "bmp";
    if (suffix == QLatin1String("tif") || suffix == QLatin1String("tiff"))
        return "tiff";
    return QByteArray();
}

// "map.png" -> "map.pgw", "map.tiff" -> "map.tfw": the first and last letters of the
// extension and "w", the name GIS programs look for beside an image.
QString worldFilePath(const QString &imagePath)
{
    const QFileInfo info(imagePath);
    const QString suffix = info.suffix();
    return imagePath.left(imagePath.size() - suffix.size()) + suffix.front() + suffix.back() + QLatin1Char('w');
}

QString prjPath(const QString &imagePath)
{
    const QFileInfo info(imagePath);
    return imagePath.left(imagePath.size() - info.suffix().size()) + QStringLiteral("prj");
}

// The six lines of a world file for the assembled level: the pixel's width and
// (negative) height in degrees, no rotation, and the centre of the top-left pixel.
QByteArray worldFile(const SmfLevelRecord &record, const QSize &size)
{
    const double width = (double(record.right) - record.left) / kMasPerDegree / size.width();
    const double height = -(double(record.top) - record.bottom) / kMasPerDegree / size.height();
    const double values[] = {width, 0.0, 0.0, height, record.left / kMasPerDegree + width / 2,
                             record.top / kMasPerDegree + height / 2};
    QByteArray text;
    for (const double value : values)
        text += QByteArray::number(value, 'f', 15) + '\n';
    return text;
}

// The grid as GDAL reads it beside any image (its PNG, JPEG, BMP and TIFF drivers do
// not read a .prj): the .aux.xml that GDAL itself writes for WGS 84.
const QByteArray kWgs84AuxXml =
    "<PAMDataset>\n"
    "  <SRS dataAxisToSRSAxisMapping=\"2,1\">GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,"
    "298.257223563,AUTHORITY[\"EPSG\",\"7030\"]],AUTHORITY[\"EPSG\",\"6326\"]],PRIMEM[\"Greenwich\",0,"
    "AUTHORITY[\"EPSG\",\"8901\"]],UNIT[\"degree\",0.0174532925199433,AUTHORITY[\"EPSG\",\"9122\"]],"
    "AXIS[\"Latitude\",NORTH],AXIS[\"Longitude\",EAST],AUTHORITY[\"EPSG\",\"4326\"]]</SRS>\n"
    "</PAMDataset>\n";

const QByteArray kWgs84Prj =
    "GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\",6378137.0,298.257223563]],"
    "PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]]\n";

// Writes bytes to path, replacing it only when every byte went out.
bool writeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile out(path);
    if (out.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && writeAll(out, bytes) && out.commit())
        return true;
    printErr(QStringLiteral("extract: cannot write %1: %2").arg(path, out.errorString()));
    return false;
}

int runExtract(const QStringList &args)
{
    CliArguments split;
    const int done = splitArguments(kName, args, {{"--world-file", false}}, false, &split);
    if (done != kGoOn)
        return done;
    if (split.positional.size() != 3)
        return usageError(kName, QStringLiteral("needs FILE.smf LEVEL OUT.png"));
    const QString input = split.positional.at(0);
    const QString output = split.positional.at(2);
    const bool withWorldFile = !split.options.isEmpty();
    bool ok = false;
    const int level = QLocale::c().toInt(split.positional.at(1), &ok);
    if (!ok || level < 0) {
        return usageError(kName, QStringLiteral("LEVEL must be a level number 0 or more, not '%1'")
                                     .arg(split.positional.at(1)));
    }
    const QByteArray format = formatOf(output);
    QStringList outputs{output};
    if (withWorldFile && !format.isEmpty())
        outputs << worldFilePath(output) << prjPath(output) << output + QStringLiteral(".aux.xml");
    for (const QString &path : std::as_const(outputs)) {
        if (isSameFile(path, input))
            return usageError(kName, QStringLiteral("the output %1 is the input %2; nothing was written").arg(path, input));
    }
    if (format.isEmpty() || !QImageWriter::supportedImageFormats().contains(format)) {
        return usageError(kName, QStringLiteral("cannot write '%1': name a .png, .jpg, .jpeg, .bmp, .tif or .tiff "
                                                "file")
                                     .arg(output));
    }

    QFile file;
    SmfFileIndex index;
    const int opened = openSmfInput(QStringLiteral("extract"), input, &file, &index);
    if (opened != kGoOn)
        return opened;
    if (level >= index.levels.size()) {
        printErr(QStringLiteral("extract: %1 has no level %2 (it has %3)")
                     .arg(input).arg(level).arg(index.levels.size()));
        return kExitInvalidInput;
    }
    const SmfLevelRecord &record = index.levels.at(level);
    if (record.tileColumns == 0 || record.tileRows == 0) {
        printErr(QStringLiteral("extract: level %1 of %2 has no tiles").arg(level).arg(input));
        return kExitInvalidInput;
    }

    const SmfLevelImage assembled = assembleLevelImage(file, index, level);
    if (assembled.image.isNull()) {
        printErr(QStringLiteral("extract: %1: %2").arg(input, assembled.errorString));
        return assembled.status == kSmfInvalidTiles ? kExitInvalidInput : kExitIo;
    }
    for (const QPoint &tile : assembled.damagedTiles) {
        printErr(QStringLiteral("extract: warning: tile (%1, %2) of level %3 is damaged and drawn white")
                     .arg(tile.x()).arg(tile.y()).arg(level));
    }

    QBuffer encoded;
    encoded.open(QIODevice::WriteOnly);
    QImageWriter writer(&encoded, format);
    if (format == "jpeg")
        writer.setQuality(95);
    if (!writer.write(assembled.image)) {
        printErr(QStringLiteral("extract: cannot encode %1: %2").arg(output, writer.errorString()));
        return kExitIo;
    }
    if (!writeFile(output, encoded.data()))
        return kExitIo;
    if (withWorldFile
        && (!writeFile(outputs.at(1), worldFile(record, assembled.image.size())) || !writeFile(outputs.at(2), kWgs84Prj)
            || !writeFile(outputs.at(3), kWgs84AuxXml)))
        return kExitIo;
    printOut(QStringLiteral("%1: level %2, %3 x %4 pixels\n")
                 .arg(output).arg(level).arg(assembled.image.width()).arg(assembled.image.height()));
    return kExitOk;
}

const CliCommandRegistrar registrar({
    kName,
    "FILE.smf LEVEL OUT.png|OUT.jpg|OUT.bmp|OUT.tif [--world-file]",
    "Writes level LEVEL (0 is the first) of an SMF file as one image of its whole tile\n"
    "grid, in the format the output's extension names: PNG, JPEG (.jpg, .jpeg), BMP or\n"
    "TIFF (.tif, .tiff). Damaged tiles are drawn white, with a warning.\n"
    "\n"
    "options:\n"
    "  --world-file  also write the level's georeferencing beside the image: a world file\n"
    "                (.pgw, .jgw, .bpw, .tfw) with the pixel size in degrees and the centre\n"
    "                of the top-left pixel, a .prj naming WGS 84 (for ESRI's programs)\n"
    "                and an OUT.aux.xml naming it too (for GDAL and QGIS)\n"
    "  -h, --help    this help\n",
    runExtract,
});

}  // namespace
