#include "raster/ozi_projection.h"

#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>

#include "geo/milliarcseconds.h"
#include "raster/gdal_support.h"
#include "raster/geo_raster.h"
#include "raster/ozi_datums.h"
#include "raster/ozi_map.h"

namespace {

enum class Projection : quint8 {
    LatLon,
    Mercator,
    TransverseMercator,
    Utm,
    Lambert,
    BritishGrid,
    Polyconic,
    Albers,
    Sinusoidal,
    PolarStereographic,
};

struct ProjectionName
{
    const char *name;      // as the "Map Projection" line writes it
    Projection projection;
    const char *gridName;  // as the window and the command line show it
};

constexpr ProjectionName kProjections[] = {
    {"Latitude/Longitude", Projection::LatLon, "Latitude/Longitude"},
    {"Mercator", Projection::Mercator, "Mercator"},
    {"Transverse Mercator", Projection::TransverseMercator, "Transverse Mercator"},
    {"UTM Grid", Projection::Utm, "UTM"},
    {"(UTM) Universal Transverse Mercator", Projection::Utm, "UTM"},
    {"Lambert Conformal Conic", Projection::Lambert, "Lambert Conformal Conic"},
    {"(UK) British National Grid", Projection::BritishGrid, "British National Grid"},
    {"(BNG) British National Grid", Projection::BritishGrid, "British National Grid"},
    {"Polyconic (American)", Projection::Polyconic, "Polyconic (American)"},
    {"Albers Equal Area", Projection::Albers, "Albers Equal Area"},
    {"Sinusoidal", Projection::Sinusoidal, "Sinusoidal"},
    {"Polar Stereographic", Projection::PolarStereographic, "Polar Stereographic"},
};

// Fields of the "Projection Setup" line, counted after its name.
enum SetupField { kLat0, kLon0, kScale, kFalseEasting, kFalseNorthing, kLat1, kLat2 };

// A pixel of the image, its position on the map's grid and on WGS 84.
struct TiePoint
{
    double pixelX = 0.0;
    double pixelY = 0.0;
    double x = 0.0;  // grid units: metres, or degrees on a latitude/longitude grid
    double y = 0.0;
    double lon = 0.0;  // WGS 84 degrees
    double lat = 0.0;
};

using Transform = CoordinateTransformation;

QByteArray number(double value)
{
    return QByteArray::number(value, 'g', 12);
}

double setupValue(const OziMapText &text, SetupField field, double fallback)
{
    if (field >= text.projectionSetup.size())
        return fallback;
    bool ok = false;
    const double value = text.projectionSetup.at(field).toDouble(&ok);
    return ok && std::isfinite(value) ? value : fallback;
}

// The ellipsoid of a datum and its shift to WGS 84 as PROJ reads it.
QByteArray datumDefinition(const OziDatum &datum)
{
    QByteArray terms;
    for (const double term : datum.shift.towgs84Terms())
        terms += (terms.isEmpty() ? "" : ",") + number(term);
    return " +a=" + QByteArray::number(datum.a, 'g', 17) + " +rf="
        + QByteArray::number(datum.inverseFlattening, 'g', 17) + " +towgs84=" + terms + " +no_defs";
}

// Where the reference points lie on the whole: the mean latitude and longitude of the
// Point lines that give them, else of the "MMPNUM" block. False without any.
bool meanPosition(const OziMapText &text, double *lon, double *lat)
{
    double lonSum = 0.0;
    double latSum = 0.0;
    int count = 0;
    for (const OziDatumPoint &point : text.datumPoints) {
        if (point.hasLatLon) {
            lonSum += point.longitude;
            latSum += point.latitude;
            ++count;
        }
    }
    if (count == 0) {
        for (const CalibrationPoint &point : text.points) {
            lonSum += masToDegrees(point.lon);
            latSum += masToDegrees(point.lat);
            ++count;
        }
    }
    if (count == 0)
        return false;
    *lon = lonSum / count;
    *lat = latSum / count;
    return true;
}

// The UTM zone a Point line gives: the number its zone field starts with ("37", "37U").
int pointZone(const OziDatumPoint &point)
{
    qsizetype digits = 0;
    while (digits < point.gridZone.size() && std::isdigit(static_cast<unsigned char>(point.gridZone.at(digits))))
        ++digits;
    const int zone = point.gridZone.left(digits).toInt();
    return zone >= 1 && zone <= 60 ? zone : 0;
}

QByteArray utmDefinition(int zone, bool south)
{
    return "+proj=utm +zone=" + QByteArray::number(zone) + (south ? " +south" : "");
}

QString utmName(int zone, bool south)
{
    return QStringLiteral("UTM zone %1%2").arg(zone).arg(QLatin1Char(south ? 'S' : 'N'));
}

// The PROJ definition of the grid without its datum, and its name.
bool gridDefinition(const OziMapText &text, const ProjectionName &projection, QByteArray *definition, QString *name,
                    QString *error)
{
    *name = QString::fromLatin1(projection.gridName);
    const QByteArray lat0 = number(setupValue(text, kLat0, 0.0));
    const QByteArray lon0 = number(setupValue(text, kLon0, 0.0));
    const double scale = setupValue(text, kScale, 0.0);
    const QByteArray k = number(scale > 0.0 ? scale : 1.0);
    const QByteArray falseOrigin = " +x_0=" + number(setupValue(text, kFalseEasting, 0.0))
        + " +y_0=" + number(setupValue(text, kFalseNorthing, 0.0));
    const double lat1 = setupValue(text, kLat1, 0.0);
    const QByteArray parallels = " +lat_1=" + number(lat1) + " +lat_2=" + number(setupValue(text, kLat2, lat1));
    double meanLon = 0.0;
    double meanLat = 0.0;
    const bool placed = meanPosition(text, &meanLon, &meanLat);
    switch (projection.projection) {
    case Projection::LatLon:
        *definition = "+proj=longlat";
        return true;
    case Projection::Mercator:
        *definition = "+proj=merc +lon_0=" + lon0 + " +k_0=" + k + falseOrigin;
        return true;
    case Projection::TransverseMercator:
        *definition = "+proj=tmerc +lat_0=" + lat0 + " +lon_0=" + lon0 + " +k=" + k + falseOrigin;
        return true;
    case Projection::Utm: {
        for (const OziDatumPoint &point : text.datumPoints) {
            if (point.hasGrid && pointZone(point) > 0) {
                *definition = utmDefinition(pointZone(point), point.gridSouth);
                *name = utmName(pointZone(point), point.gridSouth);
                return true;
            }
        }
        if (!placed) {
            *error = QCoreApplication::translate("OziMap", "the UTM zone of its reference points is not given");
            return false;
        }
        const int zone = int(qBound(1.0, std::floor((meanLon + 180.0) / 6.0) + 1.0, 60.0));
        *definition = utmDefinition(zone, meanLat < 0.0);
        *name = utmName(zone, meanLat < 0.0);
        return true;
    }
    case Projection::Lambert:
        *definition = "+proj=lcc" + parallels + " +lat_0=" + lat0 + " +lon_0=" + lon0 + falseOrigin;
        return true;
    case Projection::BritishGrid:
        *definition = "+proj=tmerc +lat_0=49 +lon_0=-2 +k=0.9996012717 +x_0=400000 +y_0=-100000";
        return true;
    case Projection::Polyconic:
        *definition = "+proj=poly +lat_0=" + lat0 + " +lon_0=" + lon0 + falseOrigin;
        return true;
    case Projection::Albers:
        *definition = "+proj=aea" + parallels + " +lat_0=" + lat0 + " +lon_0=" + lon0 + falseOrigin;
        return true;
    case Projection::Sinusoidal:
        *definition = "+proj=sinu +lon_0=" + lon0 + falseOrigin;
        return true;
    case Projection::PolarStereographic: {
        // LAT0 is the latitude of true scale; without it the scale factor applies.
        const double trueScale = setupValue(text, kLat0, 0.0);
        const bool south = trueScale != 0.0 ? trueScale < 0.0 : placed && meanLat < 0.0;
        *definition = QByteArray("+proj=stere +lat_0=") + (south ? "-90" : "90") + " +lon_0=" + lon0 + falseOrigin
            + (trueScale != 0.0 && std::fabs(trueScale) < 90.0 ? " +lat_ts=" + number(trueScale) : " +k_0=" + k);
        return true;
    }
    }
    return false;
}

bool makeGrid(const QByteArray &definition, OGRSpatialReference *grid)
{
    const GdalErrors quiet;
    if (grid->importFromProj4(definition.constData()) != OGRERR_NONE)
        return false;
    grid->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return true;
}

Transform makeTransform(const OGRSpatialReference &from, const OGRSpatialReference &to)
{
    const GdalErrors quiet;
    return Transform(OGRCreateCoordinateTransformation(&from, &to));
}

bool transformPoint(OGRCoordinateTransformation *transform, double *x, double *y)
{
    const GdalErrors quiet;
    return transform && transform->Transform(1, x, y) && std::isfinite(*x) && std::isfinite(*y);
}

// The reference points of the Point lines on the grid, else of the "MMPNUM" block.
bool tiePoints(const OziMapText &text, const OGRSpatialReference &grid, const QByteArray &datum,
               Projection projection, QVector<TiePoint> *points, OziCalibrationSource *source, QString *error)
{
    const OGRSpatialReference wgs84 = wgs84Reference();
    const std::unique_ptr<OGRSpatialReference> geographic(grid.CloneGeogCS());
    if (geographic)
        geographic->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    const Transform toGrid = geographic ? makeTransform(*geographic, grid) : Transform();
    const Transform toWgs84 = makeTransform(grid, wgs84);
    const Transform fromWgs84 = makeTransform(wgs84, grid);
    const auto unplaced = [&](double x, double y) {
        *error = QCoreApplication::translate("OziMap",
                                             "its reference point at pixel (%1, %2) cannot be placed on its grid")
                     .arg(x)
                     .arg(y);
        return false;
    };
    for (const OziDatumPoint &line : text.datumPoints) {
        TiePoint point{double(line.pixelX), double(line.pixelY), line.longitude, line.latitude};
        if (line.hasLatLon) {
            if (!transformPoint(toGrid.get(), &point.x, &point.y))
                return unplaced(point.pixelX, point.pixelY);
        } else if (projection == Projection::LatLon) {
            continue;  // grid fields mean nothing on a latitude/longitude grid
        } else {
            point.x = line.easting;
            point.y = line.northing;
            // A UTM position in a zone of its own goes through that zone's grid.
            const int zone = projection == Projection::Utm ? pointZone(line) : 0;
            OGRSpatialReference own;
            if (zone > 0 && makeGrid(utmDefinition(zone, line.gridSouth) + datum, &own) && !own.IsSame(&grid)
                && !transformPoint(makeTransform(own, grid).get(), &point.x, &point.y))
                return unplaced(point.pixelX, point.pixelY);
        }
        point.lon = point.x;
        point.lat = point.y;
        if (!transformPoint(toWgs84.get(), &point.lon, &point.lat))
            return unplaced(point.pixelX, point.pixelY);
        points->append(point);
    }
    *source = OziCalibrationSource::PointLines;
    if (!points->isEmpty())
        return true;
    for (const CalibrationPoint &mmp : text.points) {
        TiePoint point{double(mmp.pixelX), double(mmp.pixelY), 0.0, 0.0, masToDegrees(mmp.lon),
                       masToDegrees(mmp.lat)};
        point.x = point.lon;
        point.y = point.lat;
        if (!transformPoint(fromWgs84.get(), &point.x, &point.y))
            return unplaced(point.pixelX, point.pixelY);
        points->append(point);
    }
    *source = points->isEmpty() ? OziCalibrationSource::None : OziCalibrationSource::MmpBlock;
    return true;
}

// Pixel -> grid, fitted to the points: least squares through three or more (about
// their centre, so that large grid values keep their precision), scale and offset per
// axis through two. False when they do not fix it.
bool fitGeoTransform(const QVector<TiePoint> &points, std::array<double, 6> *geoTransform)
{
    const int count = int(points.size());
    if (count < 2)
        return false;
    double meanPx = 0.0, meanPy = 0.0, meanX = 0.0, meanY = 0.0;
    for (const TiePoint &p : points) {
        meanPx += p.pixelX / count;
        meanPy += p.pixelY / count;
        meanX += p.x / count;
        meanY += p.y / count;
    }
    double xx = 0.0, xy = 0.0, yy = 0.0, xGx = 0.0, yGx = 0.0, xGy = 0.0, yGy = 0.0;
    for (const TiePoint &p : points) {
        const double px = p.pixelX - meanPx;
        const double py = p.pixelY - meanPy;
        xx += px * px;
        xy += px * py;
        yy += py * py;
        xGx += px * (p.x - meanX);
        yGx += py * (p.x - meanX);
        xGy += px * (p.y - meanY);
        yGy += py * (p.y - meanY);
    }
    std::array<double, 6> &gt = *geoTransform;
    if (count == 2) {
        if (xx == 0.0 || yy == 0.0)
            return false;
        gt = {0.0, xGx / xx, 0.0, 0.0, 0.0, yGy / yy};
    } else {
        const double determinant = xx * yy - xy * xy;
        if (!(determinant > 1e-9 * xx * yy))
            return false;  // on one line
        gt = {0.0, (xGx * yy - yGx * xy) / determinant, (yGx * xx - xGx * xy) / determinant,
              0.0, (xGy * yy - yGy * xy) / determinant, (yGy * xx - xGy * xy) / determinant};
    }
    gt[0] = meanX - gt[1] * meanPx - gt[2] * meanPy;
    gt[3] = meanY - gt[4] * meanPx - gt[5] * meanPy;
    return std::all_of(gt.begin(), gt.end(), [](double value) { return std::isfinite(value); });
}

}  // namespace

bool georeferenceOziMap(const OziMapText &text, const OziDatum &oziDatum, RasterGeoreference *georeference,
                        QVector<GroundControlPoint> *points, OziCalibrationSource *source, QString *error)
{
    const QByteArray name = text.projectionName.isEmpty() ? QByteArray("Latitude/Longitude") : text.projectionName;
    const ProjectionName *projection = nullptr;
    for (const ProjectionName &known : kProjections) {
        if (qstricmp(known.name, name.constData()) == 0)
            projection = &known;
    }
    if (!projection) {
        *error = QCoreApplication::translate("OziMap", "its projection '%1' is not one the program can read")
                     .arg(QString::fromLatin1(name));
        return false;
    }
    QByteArray definition;
    QString gridName;
    if (!gridDefinition(text, *projection, &definition, &gridName, error))
        return false;
    const QByteArray datum = datumDefinition(oziDatum);
    OGRSpatialReference grid;
    if (!makeGrid(definition + datum, &grid)) {
        *error = QCoreApplication::translate("OziMap", "its projection '%1' cannot be set up from the values of "
                                                       "its Projection Setup line")
                     .arg(QString::fromLatin1(name));
        return false;
    }
    georeference->origin = GeoreferenceOrigin::OziExplorerFile;
    georeference->gridName = gridName;
    georeference->datumName = oziDatum.name;
    QVector<TiePoint> tied;
    if (!tiePoints(text, grid, datum, projection->projection, &tied, source, error))
        return false;
    points->clear();
    if (tied.isEmpty())
        return true;
    if (!fitGeoTransform(tied, &georeference->geoTransform)) {
        *error = QCoreApplication::translate("OziMap", "its reference points do not fix the map: it needs two in "
                                                       "different rows and columns, or three not on one line");
        return false;
    }
    char *exported = nullptr;
    const char *const options[] = {"FORMAT=WKT2_2019", nullptr};
    grid.exportToWkt(&exported, options);
    const GdalString wkt(exported);
    georeference->srsWkt = QString::fromUtf8(wkt.get());
    for (const TiePoint &point : std::as_const(tied))
        points->append({point.pixelX, point.pixelY, point.lon, point.lat});
    return true;
}
