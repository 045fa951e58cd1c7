// mapvane-cli extract: one level of an SMF file as an image, optionally with a world file.

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QLocale>
#include <QPainter>
#include <QSaveFile>

#include <memory>
#include <utility>
#include <vector>

#include "cli/cli_command.h"
#include "geo/milliarcseconds.h"
#include "geo/pixel_grid.h"
#include "raster/file_access.h"
#include "smf/smf_reader.h"

namespace {

constexpr char kName[] = "extract";

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
    // In degrees: the level's top-left corner at pixel (0, 0), a step per pixel across
    // its width and down its height.
    PixelGrid grid;
    grid.originLon = masToDegrees(record.left);
    grid.originLat = masToDegrees(record.top);
    grid.lonPerPixel = masToDegrees(double(record.right) - record.left) / size.width();
    grid.latPerPixel = masToDegrees(double(record.bottom) - record.top) / size.height();
    const double values[] = {grid.lonPerPixel, 0.0, 0.0, grid.latPerPixel, grid.lonAt(0.5), grid.latAt(0.5)};
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

// Writes every file, or none: each goes to a temporary file beside its path first,
// and only when every byte of every file went out do they take their places.
bool writeFiles(const QVector<std::pair<QString, QByteArray>> &files)
{
    std::vector<std::unique_ptr<QSaveFile>> saved;
    for (const auto &[path, bytes] : files) {
        saved.push_back(std::make_unique<QSaveFile>(path));
        QSaveFile &out = *saved.back();
        if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || !writeAll(out, bytes)) {
            printErr(QStringLiteral("extract: cannot write %1: %2; nothing was written").arg(path, out.errorString()));
            return false;  // the temporary files go with their QSaveFiles
        }
    }
    // A commit is a rename: it needs no room on the disk.
    for (const std::unique_ptr<QSaveFile> &out : saved) {
        if (!out->commit()) {
            printErr(QStringLiteral("extract: cannot write %1: %2").arg(out->fileName(), out->errorString()));
            return false;
        }
    }
    return true;
}

// "R,G,B", each 0 to 255.
bool parseColour(const QString &text, QColor *colour)
{
    const QStringList parts = text.split(QLatin1Char(','));
    int rgb[3] = {0, 0, 0};
    bool ok = parts.size() == 3;
    for (int i = 0; ok && i < 3; ++i) {
        rgb[i] = QLocale::c().toInt(parts.at(i).trimmed(), &ok);
        ok = ok && rgb[i] >= 0 && rgb[i] <= 255;
    }
    if (ok)
        *colour = QColor(rgb[0], rgb[1], rgb[2]);
    return ok;
}

constexpr CliOption kWorldFileOption{"--world-file", false};
constexpr CliOption kKeepGoingOption{"--keep-going", false};
constexpr CliOption kFillOption{"--fill", true};

// Draws the damaged tiles of a level in colour, with a warning for each; without
// keepGoing, refuses the level instead. Returns kGoOn or the exit code after printing
// why.
int handleDamagedTiles(const QString &input, int level, const SmfFileIndex &index, bool keepGoing,
                       const QColor &colour, SmfLevelImage *assembled)
{
    const QVector<QPoint> &damaged = assembled->damagedTiles;
    if (damaged.isEmpty())
        return kGoOn;
    if (!keepGoing) {
        printErr(QStringLiteral("extract: %1: level %2, column %3, row %4: the tile is damaged (%5 in the level); "
                                "nothing was written. --keep-going draws damaged tiles in the fill colour")
                     .arg(input).arg(level).arg(damaged.first().x()).arg(damaged.first().y())
                     .arg(counted(damaged.size(), "damaged tile", "damaged tiles")));
        return kExitInvalidInput;
    }
    const QSize tile(index.header.tileWidth, index.header.tileHeight);
    QPainter painter(&assembled->image);
    for (const QPoint &at : damaged) {
        printErr(QStringLiteral("extract: warning: %1: level %2, column %3, row %4: the tile is damaged and drawn "
                                "in the fill colour")
                     .arg(input).arg(level).arg(at.x()).arg(at.y()));
        painter.fillRect(QRect(QPoint(at.x() * tile.width(), at.y() * tile.height()), tile), colour);
    }
    return kGoOn;
}

int runExtract(const QStringList &args)
{
    CliArguments split;
    const int done = splitArguments(kName, args, {kWorldFileOption, kKeepGoingOption, kFillOption, kQuietOption},
                                    false, &split);
    if (done != kGoOn)
        return done;
    if (split.positional.size() != 3)
        return usageError(kName, QStringLiteral("needs FILE.smf LEVEL OUT.png"));
    const QString input = split.positional.at(0);
    const QString output = split.positional.at(2);
    const bool withWorldFile = hasOption(split, kWorldFileOption.name);
    const bool keepGoing = hasOption(split, kKeepGoingOption.name);
    const bool quiet = hasOption(split, kQuietOption.name);
    QColor fill(Qt::white);
    QString fillText;
    if (!singleOption(kName, split, kFillOption.name, &fillText))
        return kExitUsage;
    if (!fillText.isNull() && !parseColour(fillText, &fill))
        return usageError(kName, QStringLiteral("--fill needs R,G,B with each value 0 to 255, not '%1'").arg(fillText));
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
        const int refused = checkOutputPath(kName, path, {input});
        if (refused != kGoOn)
            return refused;
    }
    if (format.isEmpty() || !QImageWriter::supportedImageFormats().contains(format)) {
        return usageError(kName, QStringLiteral("cannot write '%1': name a .png, .jpg, .jpeg, .bmp, .tif or .tiff "
                                                "file")
                                     .arg(output));
    }

    SmfInput file;
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

    SmfLevelImage assembled = assembleLevelImage(*file.device, index, level);
    if (assembled.image.isNull()) {
        printErr(QStringLiteral("extract: %1: %2").arg(input, assembled.errorString));
        return assembled.status == SmfStatus::InvalidTiles ? kExitInvalidInput : kExitIo;
    }
    const int damaged = handleDamagedTiles(input, level, index, keepGoing, fill, &assembled);
    if (damaged != kGoOn)
        return damaged;

    QBuffer encoded;
    encoded.open(QIODevice::WriteOnly);
    QImageWriter writer(&encoded, format);
    if (format == "jpeg")
        writer.setQuality(95);
    if (!writer.write(assembled.image)) {
        printErr(QStringLiteral("extract: cannot encode %1: %2").arg(output, writer.errorString()));
        return kExitIo;
    }
    QVector<std::pair<QString, QByteArray>> files{{output, encoded.data()}};
    if (withWorldFile)
        files << std::pair{outputs.at(1), worldFile(record, assembled.image.size())} << std::pair{outputs.at(2), kWgs84Prj}
              << std::pair{outputs.at(3), kWgs84AuxXml};
    if (!writeFiles(files))
        return kExitIo;
    if (!quiet) {
        printOut(QStringLiteral("%1: level %2, %3 x %4 pixels\n")
                     .arg(output).arg(level).arg(assembled.image.width()).arg(assembled.image.height()));
    }
    return kExitOk;
}

const CliCommandRegistrar registrar({
    kName,
    "FILE.smf LEVEL OUT.png|OUT.jpg|OUT.bmp|OUT.tif [--world-file] [--keep-going] [--fill R,G,B] [-q]",
    "Writes level LEVEL (0 is the first) of an SMF file as one image of its whole tile\n"
    "grid, in the format the output's extension names: PNG, JPEG (.jpg, .jpeg), BMP or\n"
    "TIFF (.tif, .tiff). FILE.smf \"-\" is standard input; standard input or a pipe is\n"
    "read whole, up to 256 MiB. A damaged tile exits 1 naming its level, column and row,\n"
    "and nothing is written.\n"
    "\n"
    "options:\n"
    "  --world-file         also write the level's georeferencing beside the image: a\n"
    "                       world file (.pgw, .jgw, .bpw, .tfw) with the pixel size in\n"
    "                       degrees and the centre of the top-left pixel, a .prj naming\n"
    "                       WGS 84 (for ESRI's programs) and an OUT.aux.xml naming it too\n"
    "                       (for GDAL and QGIS); the image and its files are written all\n"
    "                       or none\n"
    "  --keep-going         draw damaged tiles in the fill colour, with a warning each\n"
    "  --fill R,G,B         that fill colour, each 0 to 255; default 255,255,255\n"
    MAPVANE_QUIET_HELP
    "  -h, --help           this help\n"
    "  -V, --version        the version\n"
    "\n"
    "The outputs are replaced only when complete; none is the SMF file read, a folder, a\n"
    "device, a pipe or a socket (exit 2).\n",
    runExtract,
});

}  // namespace
