#include "raster/ozi_map.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringDecoder>

#include <cmath>
#include <tuple>
#include <utility>

#include "geo/milliarcseconds.h"
#include "raster/file_access.h"
#include "raster/image_rows.h"
#include "raster/ozi_datums.h"
#include "raster/ozi_projection.h"

namespace {

QList<QByteArray> splitLines(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();  // the end of the last line, not a line of its own
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

// The whole number after the first comma of an "MMPNUM" line; 0 when there is none.
qsizetype pointCount(const QByteArray &line)
{
    const qsizetype comma = line.indexOf(',');
    if (comma < 0)
        return 0;
    bool ok = false;
    const qlonglong count = line.mid(comma + 1).trimmed().toLongLong(&ok, 10);
    return ok && count > 0 ? qsizetype(count) : 0;
}

// The text between the last two commas (or before the only comma) and after the
// last comma, trimmed. Both empty for a line without a comma.
void lastTwoFields(const QByteArray &line, QByteArray *first, QByteArray *second)
{
    const qsizetype last = line.lastIndexOf(',');
    if (last < 0) {
        first->clear();
        second->clear();
        return;
    }
    const qsizetype previous = last > 0 ? line.lastIndexOf(',', last - 1) : -1;
    *first = line.mid(previous + 1, last - previous - 1).trimmed();
    *second = line.mid(last + 1).trimmed();
}

qint32 pixelField(const QByteArray &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

qint32 degreesField(const QByteArray &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? degreesToMasTruncated(value) : 0;
}

CalibrationPoint referencePoint(const QByteArray &pixelLine, const QByteArray &geographicLine)
{
    QByteArray first;
    QByteArray second;
    CalibrationPoint point;
    lastTwoFields(pixelLine, &first, &second);
    point.pixelX = pixelField(first);
    point.pixelY = pixelField(second);
    lastTwoFields(geographicLine, &first, &second);
    point.lon = degreesField(first);
    point.lat = degreesField(second);
    return point;
}

bool numberField(const QByteArray &text, double *value)
{
    bool ok = false;
    *value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(*value);
}

// Degrees and minutes with a hemisphere letter: south and west are negative, as is a
// negative degree count.
bool angleFields(const QByteArray &degreesText, const QByteArray &minutesText, const QByteArray &hemisphere,
                 double *degrees)
{
    double whole = 0.0;
    double minutes = 0.0;
    if (!numberField(degreesText, &whole))
        return false;
    if (!minutesText.trimmed().isEmpty() && !numberField(minutesText, &minutes))
        return false;
    const QByteArray letter = hemisphere.trimmed().toUpper();
    const bool negative = whole < 0.0 || degreesText.trimmed().startsWith('-') || letter == "S" || letter == "W";
    *degrees = (std::fabs(whole) + std::fabs(minutes) / 60.0) * (negative ? -1.0 : 1.0);
    return true;
}

// "Point01,xy,  256,  256,in, deg,  55, 45.0000,N,  37, 36.0000,E, grid,   37,  412345.0,
// 6178901.0,N": the latitude and longitude, the grid position, or both.
bool datumPoint(const QByteArray &line, OziDatumPoint *point)
{
    if (!line.startsWith("Point"))
        return false;
    const QList<QByteArray> fields = line.split(',');
    if (fields.size() < 12)
        return false;
    bool xOk = false;
    bool yOk = false;
    point->pixelX = fields.at(2).trimmed().toInt(&xOk, 10);
    point->pixelY = fields.at(3).trimmed().toInt(&yOk, 10);
    point->hasLatLon = angleFields(fields.at(6), fields.at(7), fields.at(8), &point->latitude)
        && angleFields(fields.at(9), fields.at(10), fields.at(11), &point->longitude);
    point->hasGrid = fields.size() >= 16 && numberField(fields.at(14), &point->easting)
        && numberField(fields.at(15), &point->northing);
    if (point->hasGrid) {
        point->gridZone = fields.at(13).trimmed();
        point->gridSouth = fields.size() > 16 && fields.at(16).trimmed().toUpper() == "S";
    }
    return xOk && yOk && (point->hasLatLon || point->hasGrid);
}

// The fields after the first of a line, trimmed.
QList<QByteArray> fieldsAfterFirst(const QByteArray &line)
{
    QList<QByteArray> fields = line.split(',');
    fields.removeFirst();
    for (QByteArray &field : fields)
        field = field.trimmed();
    return fields;
}

}  // namespace

OziMapText parseOziMapText(const QByteArray &bytes)
{
    const QList<QByteArray> lines = splitLines(bytes);
    OziMapText result;
    int lineNumber = 0;
    qsizetype next = 0;
    while (next < lines.size()) {
        const QByteArray &line = lines.at(next++);
        ++lineNumber;
        if (lineNumber == 3) {
            result.hasImageLine = true;
            result.imageLine = line;
        }
        if (lineNumber == 5)
            result.datumName = line.left(line.indexOf(',')).trimmed();
        if (result.projectionName.isEmpty() && line.startsWith("Map Projection,"))
            result.projectionName = fieldsAfterFirst(line).value(0);
        if (result.projectionSetup.isEmpty() && line.startsWith("Projection Setup,"))
            result.projectionSetup = fieldsAfterFirst(line);
        OziDatumPoint point;
        if (datumPoint(line, &point))
            result.datumPoints.append(point);
        if (!line.contains("MMPNUM"))
            continue;
        // Counts beyond the file's end name lines that do not exist: they are no points.
        const qsizetype count = pointCount(line);
        const qsizetype pixelStart = next;
        const qsizetype pixelLines = qMin(count, lines.size() - pixelStart);
        const qsizetype geographicStart = pixelStart + pixelLines;
        const qsizetype geographicLines = qMin(count, lines.size() - geographicStart);
        result.points.clear();
        for (qsizetype i = 0; i < geographicLines; ++i)
            result.points.append(referencePoint(lines.at(pixelStart + i), lines.at(geographicStart + i)));
        next = geographicStart + geographicLines;
    }
    return result;
}

namespace {

// The line read in one encoding; a null string when the bytes are not valid in it
// (or this Qt build has no converter for it).
QString decoded(const QByteArray &bytes, const char *encoding)
{
    QStringDecoder decoder(encoding);
    if (!decoder.isValid())
        return QString();
    const QString text = decoder.decode(bytes);
    return decoder.hasError() ? QString() : text;
}

// The line as a file name of this system: its raw bytes, when they survive the
// round trip through the file system's encoding.
QString rawName(const QByteArray &bytes)
{
    const QString name = QFile::decodeName(bytes);
    return QFile::encodeName(name) == bytes ? name : QString();
}

// "C:/..." names a drive of another machine: absolute, never under the map's folder.
bool isAbsolutePath(const QString &path)
{
    const bool driveLetter = path.size() >= 3 && path.at(0).isLetter() && path.at(0).unicode() < 128
        && path.at(1) == QLatin1Char(':') && path.at(2) == QLatin1Char('/');
    return driveLetter || QDir::isAbsolutePath(path);
}

class ImageLookup
{
public:
    explicit ImageLookup(const QString &mapPath)
        : m_folder(mapPath.left(mapPath.lastIndexOf(QLatin1Char('/')) + 1))
    {
    }

    // The path the line names: separators made "/", relative paths under the map's folder.
    QString namedPath(const QString &line) const
    {
        QString path = line.trimmed();
        path.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (path.isEmpty() || isAbsolutePath(path))
            return path;
        return m_folder + path;
    }

    // An existing file for the line, or an empty string.
    QString existingFile(const QString &line) const
    {
        const QString named = namedPath(line);
        if (named.isEmpty())
            return QString();
        if (QFileInfo(named).isFile())
            return named;
        const QString name = named.mid(named.lastIndexOf(QLatin1Char('/')) + 1);
        if (name.isEmpty())
            return QString();
        const QString beside = m_folder + name;
        if (QFileInfo(beside).isFile())
            return beside;
        const QDir folder(m_folder.isEmpty() ? QStringLiteral(".") : m_folder);
        const QStringList entries = folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
        for (const QString &entry : entries) {
            if (entry.compare(name, Qt::CaseInsensitive) == 0)
                return m_folder + entry;
        }
        return QString();
    }

private:
    QString m_folder;  // the map's folder with its final "/", or empty for the working folder
};

}  // namespace

QString resolveOziImagePath(const QString &mapPath, const QByteArray &imageLine)
{
    const ImageLookup lookup(mapPath);
    const QString readings[] = {
        rawName(imageLine),
        decoded(imageLine, "UTF-8"),
        decoded(imageLine, "GB18030"),
        decoded(imageLine, "Windows-1251"),
        decoded(imageLine, "Windows-1252"),
    };
    QString firstReading;
    QStringList tried;
    for (const QString &line : readings) {
        if (line.isNull() || tried.contains(line))
            continue;
        tried.append(line);
        if (firstReading.isNull())
            firstReading = line;
        const QString found = lookup.existingFile(line);
        if (!found.isEmpty())
            return found;
    }
    const QString named = lookup.namedPath(firstReading.isNull() ? QString::fromLatin1(imageLine) : firstReading);
    return named.isEmpty() ? mapPath : named;
}

namespace {

// The corners of the points' bounding box, each with the position of the point that
// set it: top-left and bottom-right.
std::pair<CalibrationPoint, CalibrationPoint> boundingCorners(const QVector<CalibrationPoint> &points)
{
    CalibrationPoint topLeft = points.first();
    CalibrationPoint bottomRight = points.first();
    for (const CalibrationPoint &point : points) {
        if (point.pixelX < topLeft.pixelX) {
            topLeft.pixelX = point.pixelX;
            topLeft.lon = point.lon;
        }
        if (point.pixelY < topLeft.pixelY) {
            topLeft.pixelY = point.pixelY;
            topLeft.lat = point.lat;
        }
        if (point.pixelX > bottomRight.pixelX) {
            bottomRight.pixelX = point.pixelX;
            bottomRight.lon = point.lon;
        }
        if (point.pixelY > bottomRight.pixelY) {
            bottomRight.pixelY = point.pixelY;
            bottomRight.lat = point.lat;
        }
    }
    return {topLeft, bottomRight};
}

}  // namespace

bool isOziMapPath(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    return name.size() > 4 && name.endsWith(QLatin1String(".map"), Qt::CaseInsensitive);
}

OziMapStatus OziMapFile::fail(OziMapStatus status, const QString &reason)
{
    m_errorString = reason;
    return status;
}

// The two-point calibration of a north-up image on latitude and longitude: WGS 84, or
// a datum no list knows (then only the "MMPNUM" block, WGS 84 by definition, can be
// used).
OziMapStatus OziMapFile::importLinear(const OziMapText &text, bool knownDatum)
{
    QVector<CalibrationPoint> points = text.points;
    QVector<GroundControlPoint> &tied = m_summary.referencePoints;
    bool anyLatLon = false;
    for (const OziDatumPoint &point : text.datumPoints)
        anyLatLon = anyLatLon || point.hasLatLon;
    if (!points.isEmpty()) {
        m_summary.source = OziCalibrationSource::MmpBlock;
        for (const CalibrationPoint &point : std::as_const(points))
            tied.append({double(point.pixelX), double(point.pixelY), masToDegrees(point.lon), masToDegrees(point.lat)});
    } else if (anyLatLon) {
        if (!knownDatum) {
            return fail(OziMapStatus::Invalid,
                        QCoreApplication::translate("OziMap", "the datum '%1' of its Point lines is not one the "
                                                              "program knows").arg(m_summary.datumName));
        }
        // On WGS 84 itself: the positions stand as they are.
        for (const OziDatumPoint &point : text.datumPoints) {
            if (!point.hasLatLon)
                continue;
            points.append({point.pixelX, point.pixelY, degreesToMasTruncated(point.longitude),
                           degreesToMasTruncated(point.latitude)});
            tied.append({double(point.pixelX), double(point.pixelY), point.longitude, point.latitude});
        }
        m_summary.source = OziCalibrationSource::PointLines;
    }
    m_summary.pointCount = int(points.size());
    if (!points.isEmpty()) {
        std::tie(m_topLeft, m_bottomRight) = boundingCorners(points);
        m_hasCorners = true;
    }
    return OziMapStatus::Ok;
}

// The georeference of a map on its own grid, warped onto the level grid.
OziMapStatus OziMapFile::importOnGrid(const OziMapText &text, const OziDatum *datum)
{
    if (!datum) {
        return fail(OziMapStatus::Invalid,
                    QCoreApplication::translate("OziMap", "the datum '%1' of its grid is not one the program knows "
                                                          "(neither in OziExplorer's datum list nor in the datum "
                                                          "table), so the map cannot be placed on it")
                        .arg(m_summary.datumName));
    }
    RasterGeoreference georeference;
    georeference.rasterPath = m_imagePath;
    QString reason;
    if (!georeferenceOziMap(text, *datum, &georeference, &m_summary.referencePoints, &m_summary.source, &reason))
        return fail(OziMapStatus::Invalid, reason);
    m_summary.pointCount = int(m_summary.referencePoints.size());
    // An image without a readable size fails to load, and says why, as the layer is added.
    georeference.sourceSize = imageFileSize(georeference.rasterPath);
    if (m_summary.pointCount == 0 || georeference.sourceSize.isEmpty())
        return OziMapStatus::Ok;
    if (!planLevelGrid(&georeference, &reason))
        return fail(OziMapStatus::Invalid, reason);
    m_georeference = std::make_shared<const RasterGeoreference>(std::move(georeference));
    return OziMapStatus::Ok;
}

namespace {

// Latitude and longitude on WGS 84 need no warp: the file's points calibrate the image
// as they stand. So does the "MMPNUM" block (WGS 84 by definition) of a map on a datum
// no list knows: on latitude and longitude, as it always has; on a projected grid,
// whose lines it cannot follow (up to a kilometre off on a sheet), only when asked.
bool isLinear(const OziMapText &text, const OziDatum *datum, bool allowCornerFit)
{
    const bool latLon =
        text.projectionName.isEmpty() || qstricmp(text.projectionName.constData(), "Latitude/Longitude") == 0;
    return (latLon && datum && datum->isWgs84())
        || (!datum && (latLon || (allowCornerFit && !text.points.isEmpty())));
}

// OziExplorer's own image formats, which only its programs read.
bool isOzfImage(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("ozf2") || suffix == QLatin1String("ozf3") || suffix == QLatin1String("ozf4")
        || suffix == QLatin1String("ozfx3") || suffix == QLatin1String("ozfx4");
}

}  // namespace

OziMapStatus OziMapFile::read(const QString &path, bool allowCornerFit)
{
    *this = OziMapFile();
    m_imagePath = path;
    bool missing = false;
    const QString refusal = inputFileRefusal(path, &missing);
    QFile file(path);
    if ((!missing && !refusal.isEmpty()) || !file.open(QIODevice::ReadOnly))
        return fail(OziMapStatus::Unreadable, refusal.isEmpty() || missing ? file.errorString() : refusal);
    const OziMapText text = parseOziMapText(file.readAll());
    m_summary.datumName = QString::fromLatin1(text.datumName);
    if (text.hasImageLine)
        m_imagePath = resolveOziImagePath(path, text.imageLine);
    if (isOzfImage(m_imagePath)) {
        return fail(OziMapStatus::Invalid,
                    QCoreApplication::translate("OziMap", "its image %1 is in OziExplorer's own format (.%2), which "
                                                          "the program does not read; convert it to PNG, JPEG or "
                                                          "TIFF")
                        .arg(QFileInfo(m_imagePath).fileName(), QFileInfo(m_imagePath).suffix()));
    }
    OziDatum datum;
    const bool known = findOziDatum(m_summary.datumName, &datum);
    const OziMapStatus status = isLinear(text, known ? &datum : nullptr, allowCornerFit)
        ? importLinear(text, known)
        : importOnGrid(text, known ? &datum : nullptr);
    if (status != OziMapStatus::Ok) {
        m_hasCorners = false;
        m_georeference.reset();
        m_summary = OziMapSummary();
        return status;
    }
    if (text.points.size() >= 3 && text.points.size() <= 100) {
        for (const CalibrationPoint &point : text.points)
            m_summary.border.append(QPointF(point.pixelX, point.pixelY));
    }
    return status;
}
