#include <QtTest>

#include <cpl_conv.h>
#include <gdal.h>
#include <ogr_spatialref.h>

#include "common/files.h"
#include "common/ozi_fixtures.h"
#include "raster/geo_raster.h"
#include "raster/ozi_datums.h"
#include "raster/ozi_map.h"

namespace {

// The test's own grids, as PROJ reads them. Pulkovo 1942 is shifted to WGS 84 by the
// published regional mean (28, -130, -95 m) that the datum table also holds.
constexpr char kPulkovo[] = " +ellps=krass +towgs84=28,-130,-95,0,0,0,0 +no_defs";

std::unique_ptr<OGRSpatialReference> grid(const QByteArray &definition)
{
    auto result = std::make_unique<OGRSpatialReference>();
    result->SetFromUserInput(definition.constData());
    result->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return result;
}

QPointF transformed(const OGRSpatialReference &from, const OGRSpatialReference &to, QPointF point)
{
    double x = point.x();
    double y = point.y();
    OGRCoordinateTransformation *transform = OGRCreateCoordinateTransformation(&from, &to);
    const bool ok = transform && transform->Transform(1, &x, &y);
    OGRCoordinateTransformation::DestroyCT(transform);
    return ok ? QPointF(x, y) : QPointF(qQNaN(), qQNaN());
}

}  // namespace

class TestOziProjection : public QObject
{
    Q_OBJECT
private slots:
    void georeference_data();
    void georeference();
    void datumListAsGdalShipsIt();
};

// Four points on a grid the map is drawn on, written as OziExplorer writes them: their
// latitude and longitude on the map's datum, or only their grid position. The layer's
// georeference must bring the pixels back to where PROJ puts the points on WGS 84.
void TestOziProjection::georeference_data()
{
    QTest::addColumn<QByteArray>("definition");  // the test's grid, with its datum
    QTest::addColumn<QByteArray>("lines");       // datum, projection and setup lines
    QTest::addColumn<QPointF>("origin");         // grid position of pixel (0, 0)
    QTest::addColumn<double>("step");            // grid units per pixel
    QTest::addColumn<int>("zone");               // >= 0: grid positions only, in this zone (0: none)
    QTest::addColumn<QString>("result");         // the grid's name, or why the file is refused
    const auto row = [](const char *name, const QByteArray &definition, const QByteArray &lines, QPointF origin,
                        double step, int zone, const char *result) {
        QTest::newRow(name) << definition << lines << origin << step << zone << QString::fromUtf8(result);
    };
    row("Gauss-Krüger zone 7 on Pulkovo 1942, near Moscow",
        "+proj=tmerc +lon_0=39 +k=1 +x_0=7500000" + QByteArray(kPulkovo),
        "Pulkovo 1942 (1)|Transverse Mercator|,0,39,1,7500000,0,,,,,", {7405000, 6180000}, 50.0, -1,
        "Transverse Mercator");
    row("UTM zone 37N on WGS 84, grid positions only", "+proj=utm +zone=37 +datum=WGS84",
        "WGS 84|UTM Grid|,,,,,,,,,,", {412000, 6179000}, 25.0, 37, "UTM zone 37N");
    row("Lambert conformal conic on Pulkovo 1942, grid positions only",
        "+proj=lcc +lat_1=52 +lat_2=60 +lat_0=56 +lon_0=40 +x_0=500000 +y_0=200000" + QByteArray(kPulkovo),
        "Pulkovo 1942 (1)| Lambert Conformal Conic |, 56, 40,, 500000, 200000, 52, 60,,,", {380000, 190000},
        100.0, 0, "Lambert Conformal Conic");
    row("Latitude/Longitude on Pulkovo 1942", "+proj=longlat" + QByteArray(kPulkovo),
        "Pulkovo 1942 (1)|Latitude/Longitude|,,,,,,,,,,", {37.5, 56.0}, 0.0005, -1, "Latitude/Longitude");
    row("unknown projection", "+proj=vandg +datum=WGS84", "WGS 84|Van Der Grinten|,,,,,,,,,,", {0, 5000000}, 50.0, -1,
        "its projection 'Van Der Grinten' is not one the program can read");
    row("datum no list knows", "+proj=utm +zone=37 +datum=WGS84", "Mars 2000|UTM Grid|,,,,,,,,,,", {412000, 6179000},
        25.0, 37, "the datum 'Mars 2000' of its grid is not one the program knows (neither in OziExplorer's datum "
                  "list nor in the datum table), so the map cannot be placed on it");
    // Names and shifts of OziExplorer's own list: its Tokyo (-128, 481, 664 m), not the
    // datum table's regional mean (-148, 507, 685 m), which lands over a pixel off.
    row("Tokyo, UTM zone 54N", "+proj=utm +zone=54 +ellps=bessel +towgs84=-128,481,664,0,0,0,0",
        "Tokyo|UTM Grid|,,,,,,,,,,", {380000, 3950000}, 25.0, 54, "UTM zone 54N");
}

void TestOziProjection::georeference()
{
    QFETCH(QByteArray, definition);
    QFETCH(QByteArray, lines);
    QFETCH(QPointF, origin);
    QFETCH(double, step);
    QFETCH(int, zone);
    QFETCH(QString, result);
    const std::unique_ptr<OGRSpatialReference> testGrid = grid(definition);
    const std::unique_ptr<OGRSpatialReference> onDatum(testGrid->CloneGeogCS());
    onDatum->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    const std::unique_ptr<OGRSpatialReference> wgs84 = grid("EPSG:4326");

    // A 200 x 160 image; its corners and one point inside it are the reference points.
    QVector<fixtures::OziPoint> points;
    QVector<QPointF> positions;  // on WGS 84
    for (const QPoint pixel : {QPoint(0, 0), QPoint(200, 0), QPoint(200, 160), QPoint(70, 130)}) {
        const QPointF onGrid(origin.x() + pixel.x() * step, origin.y() - pixel.y() * step);
        const QPointF position = transformed(*testGrid, *onDatum, onGrid);
        points.append({pixel.x(), pixel.y(), position.x(), position.y()});
        if (zone >= 0)
            points.last() = {pixel.x(), pixel.y(), qQNaN(), qQNaN(), zone, onGrid.x(), onGrid.y()};
        positions.append(transformed(*testGrid, *wgs84, onGrid));
    }
    const QList<QByteArray> fields = lines.split('|');
    QByteArray file = fixtures::oziHeader("topo.png", points);
    file.replace("WGS 84,WGS 84,", fields.at(0) + ",WGS 84,");
    file.replace("Map Projection,Latitude/Longitude,", "Map Projection," + fields.at(1) + ",");
    file.replace("Projection Setup,,,,,,,,,,", "Projection Setup" + fields.at(2));
    QTemporaryDir dir;
    QVERIFY(QImage(200, 160, QImage::Format_RGB32).save(dir.filePath(QStringLiteral("topo.png"))));
    QVERIFY(fixtures::writeBytes(dir.filePath(QStringLiteral("topo.map")), fixtures::withCrLf(file)));

    OziMapFile map;
    const OziMapStatus status = map.read(dir.filePath(QStringLiteral("topo.map")));
    if (status != OziMapStatus::Ok) {
        QCOMPARE(map.errorString(), result);
        QCOMPARE(status, OziMapStatus::Invalid);
        return;
    }
    QVERIFY(map.georeference());
    QCOMPARE(map.georeference()->gridName, result);
    const RasterGeoreference &georeference = *map.georeference();
    QCOMPARE(georeference.kind, RasterGeoreference::Warped);
    QCOMPARE(map.summary().source, OziCalibrationSource::PointLines);
    // Where the georeference's own grid and mapping put each position, in pixels.
    const std::unique_ptr<OGRSpatialReference> fitted = grid(georeference.srsWkt.toUtf8());
    std::array<double, 6> toGrid = georeference.geoTransform;
    std::array<double, 6> toPixel;
    QVERIFY(GDALInvGeoTransform(toGrid.data(), toPixel.data()));
    for (int i = 0; i < points.size(); ++i) {
        const QPointF onGrid = transformed(*wgs84, *fitted, positions.at(i));
        const double x = toPixel[0] + toPixel[1] * onGrid.x() + toPixel[2] * onGrid.y();
        const double y = toPixel[3] + toPixel[4] * onGrid.x() + toPixel[5] * onGrid.y();
        QVERIFY2(std::hypot(x - points.at(i).x, y - points.at(i).y) < 0.1,
                 qPrintable(QStringLiteral("pixel (%1, %2)").arg(x).arg(y)));
    }
    const QVector<PointMiss> misses = pointMisses(georeference, map.summary().referencePoints);
    QCOMPARE(misses.size(), points.size());
    for (const PointMiss &miss : misses)
        QVERIFY2(miss.pixels < 0.1, qPrintable(QString::number(miss.pixels)));
}

// Every datum of OziExplorer's list as GDAL ships it (ozi_datum.csv and
// ozi_ellips.csv in its data folder), found by its name in any spelling, with the
// list's ellipsoid and shift.
void TestOziProjection::datumListAsGdalShipsIt()
{
    GDALAllRegister();
    const auto rows = [](const char *name) {
        QFile file(QString::fromUtf8(CPLFindFile("gdal", name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll().split('\n') : QList<QByteArray>();
    };
    QMap<QByteArray, QList<QByteArray>> ellipsoids;
    for (const QByteArray &line : rows("ozi_ellips.csv"))
        ellipsoids.insert(line.split(',').at(0), line.split(','));
    int found = 0;
    for (const QByteArray &line : rows("ozi_datum.csv")) {
        const QList<QByteArray> fields = line.left(line.indexOf('#')).split(',');
        if (fields.size() < 6 || fields.at(0) == "NAME")
            continue;
        const QList<QByteArray> ellipsoid = ellipsoids.value(fields.at(2));
        OziDatum datum;
        QVERIFY2(findOziDatum(QString::fromLatin1(fields.at(0)).toUpper().remove(QLatin1Char(' ')), &datum),
                 fields.at(0).constData());
        QCOMPARE(datum.name, QString::fromLatin1(fields.at(0)));
        QCOMPARE(datum.a, ellipsoid.value(2).trimmed().toDouble());
        QCOMPARE(datum.inverseFlattening, ellipsoid.value(3).trimmed().toDouble());
        QCOMPARE(QVector<double>({datum.shift.tx, datum.shift.ty, datum.shift.tz}),
                 QVector<double>({fields.at(3).toDouble(), fields.at(4).toDouble(), fields.at(5).trimmed().toDouble()}));
        ++found;
    }
    QCOMPARE(found, oziDatumCount());
}

QTEST_GUILESS_MAIN(TestOziProjection)
#include "tst_ozi_projection.moc"
