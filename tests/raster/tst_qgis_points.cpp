// Points files of QGIS's georeferencer as its versions write them, read back; files
// that are not one refused naming their line; and points written as a .points file
// and as OziExplorer Point lines read back unchanged.

#include <QtTest>

#include "raster/ozi_map.h"
#include "raster/qgis_points.h"

namespace {

const QByteArray kWgs84Wkt2 =
    "GEOGCRS[\"WGS 84\",DATUM[\"World Geodetic System 1984\",ELLIPSOID[\"WGS 84\",6378137,298.257223563,"
    "LENGTHUNIT[\"metre\",1]]],PRIMEM[\"Greenwich\",0,ANGLEUNIT[\"degree\",0.0174532925199433]],CS[ellipsoidal,2],"
    "AXIS[\"geodetic latitude (Lat)\",north,ORDER[1],ANGLEUNIT[\"degree\",0.0174532925199433]],"
    "AXIS[\"geodetic longitude (Lon)\",east,ORDER[2],ANGLEUNIT[\"degree\",0.0174532925199433]],"
    "USAGE[SCOPE[\"Horizontal component of 3D system.\"],AREA[\"World.\"],BBOX[-90,-180,90,180]],ID[\"EPSG\",4326]]";
const QByteArray kUtm33Wkt2 =
    "PROJCRS[\"WGS 84 / UTM zone 33N\",BASEGEOGCRS[\"WGS 84\",DATUM[\"World Geodetic System 1984\",ELLIPSOID["
    "\"WGS 84\",6378137,298.257223563,LENGTHUNIT[\"metre\",1]]],PRIMEM[\"Greenwich\",0,ANGLEUNIT[\"degree\","
    "0.0174532925199433]],ID[\"EPSG\",4326]],CONVERSION[\"UTM zone 33N\",METHOD[\"Transverse Mercator\",ID[\"EPSG\","
    "9807]],PARAMETER[\"Latitude of natural origin\",0,ANGLEUNIT[\"degree\",0.0174532925199433]],PARAMETER["
    "\"Longitude of natural origin\",15,ANGLEUNIT[\"degree\",0.0174532925199433]],PARAMETER[\"Scale factor at natural "
    "origin\",0.9996,SCALEUNIT[\"unity\",1]],PARAMETER[\"False easting\",500000,LENGTHUNIT[\"metre\",1]],PARAMETER["
    "\"False northing\",0,LENGTHUNIT[\"metre\",1]]],CS[Cartesian,2],AXIS[\"(E)\",east,ORDER[1],LENGTHUNIT[\"metre\","
    "1]],AXIS[\"(N)\",north,ORDER[2],LENGTHUNIT[\"metre\",1]],ID[\"EPSG\",32633]]";

}  // namespace

class TestQgisPoints : public QObject
{
    Q_OBJECT
private slots:
    void parsed_data();
    void parsed();
    void roundTrips();
};

void TestQgisPoints::parsed_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("grid");     // the grid's name; empty: refused
    QTest::addColumn<QString>("points");   // "all enabled", or the reason's words
    QTest::addColumn<QVector<double>>("last");  // the last point: pixel x, y, map x, y
    const QVector<double> degrees{812.5, 640.25, 11.25, 46.5};
    const QByteArray twoPoints = "10.5,46.75,0,0,1\n11.25,46.5,812.5,-640.25,1\n";
    QTest::newRow("QGIS 2, no grid") << "mapX,mapY,pixelX,pixelY,enable\n" + twoPoints << "WGS 84" << "2 2" << degrees;
    QTest::newRow("oldest, tab-separated") << QByteArray("mapX\tmapY\tpixelX\tpixelY\n10.5\t46.75\t0\t0\n"
                                                         "11.25\t46.5\t812.5\t-640.25\n") << "WGS 84" << "2 2" << degrees;
    QTest::newRow("QGIS 3.0 to 3.24, WKT2 of EPSG:4326, CRLF")
        << QByteArray("#CRS: " + kWgs84Wkt2 + "\r\nmapX,mapY,pixelX,pixelY,enable,dX,dY,residual\r\n"
                      "10.5,46.75,0,0,1,0.1,-0.2,0.22\r\n11.25,46.5,812.5,-640.25,1,0,0,0\r\n")
        << "WGS 84" << "2 2" << degrees;
    QTest::newRow("QGIS 3.26, UTM 33N, a point off")
        << QByteArray("#CRS: " + kUtm33Wkt2 + "\nmapX,mapY,sourceX,sourceY,enable,dX,dY,residual\n"
                      "600000,5400000,0,0,0,0,0,0\n\n612000.5,5391000.25,400,-300,1,0,0,0\n")
        << "WGS 84 / UTM zone 33N" << "2 1" << QVector<double>{400, 300, 612000.5, 5391000.25};
    // An older grid without its code is known by the code PROJ finds equal to it.
    QTest::newRow("QGIS 2, WKT1 of UTM 33N without its code")
        << QByteArray("#CRS: PROJCS[\"WGS 84 / UTM zone 33N\",GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\","
                      "6378137,298.257223563]],PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433]],PROJECTION["
                      "\"Transverse_Mercator\"],PARAMETER[\"latitude_of_origin\",0],PARAMETER[\"central_meridian\",15],"
                      "PARAMETER[\"scale_factor\",0.9996],PARAMETER[\"false_easting\",500000],PARAMETER[\"false_northing\","
                      "0],UNIT[\"metre\",1]]\nmapX,mapY,pixelX,pixelY,enable\n612000.5,5391000.25,400,-300,1\n")
        << "WGS 84 / UTM zone 33N" << "1 1" << QVector<double>{400, 300, 612000.5, 5391000.25};
    QTest::newRow("#CRS: EPSG:N") << "#CRS: EPSG:4284\nmapX,mapY,pixelX,pixelY,enable\n" + twoPoints << "Pulkovo 1942"
                                  << "2 2" << degrees;
    QTest::newRow("#CRS: of a grid QGIS did not know") << "#CRS: \nmapX,mapY,pixelX,pixelY,enable\n" + twoPoints
                                                       << "WGS 84" << "2 2" << degrees;
    const auto refused = [](const char *name, const QByteArray &file, const char *reason) {
        QTest::newRow(name) << file << QString() << QString::fromUtf8(reason) << QVector<double>();
    };
    refused("no header", twoPoints, "line 1: no header");
    refused("three values", "mapX,mapY,pixelX,pixelY\n10,46,0,0\n10,46,5\n", "line 3: 3 values");
    refused("not a number", "mapX,mapY,pixelX,pixelY\n10,nan,0,0\n", "line 2: value 2 is not a number");
    refused("enable neither 0 nor 1", "mapX,mapY,pixelX,pixelY,enable\n10,46,0,0,yes\n", "line 2: enable is not");
    refused("a grid on a server", "#CRS: http://127.0.0.1:1/grid\nmapX,mapY\n", "line 1: the grid is neither WKT");
    refused("a PROJ string", "#CRS: +proj=utm +zone=33\nmapX,mapY\n", "line 1: the grid is neither WKT");
    refused("an EPSG code PROJ does not know", "#CRS: EPSG:999999\nmapX,mapY\n", "EPSG:999999 is not a grid");
    refused("1,001 points", "mapX,mapY,pixelX,pixelY\n" + QByteArray("10,46,0,0\n").repeated(1001), "line 1002: more "
            "than 1,000 points");
}

void TestQgisPoints::parsed()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, grid);
    QFETCH(QString, points);
    QFETCH(QVector<double>, last);
    ControlPointList list;
    QString error;
    const PointsFileStatus status = parseQgisPoints(file, &list, &error);
    QCOMPARE(status, grid.isEmpty() ? PointsFileStatus::Invalid : PointsFileStatus::Ok);
    QVERIFY2(!grid.isEmpty() || error.contains(points), qPrintable(error));
    if (grid.isEmpty())
        return;
    QCOMPARE(list.grid.name, grid);
    QCOMPARE(list.grid.wkt.isEmpty(), grid == QLatin1String("WGS 84"));
    QCOMPARE(list.grid.epsg, grid.contains(QLatin1String("UTM")) ? 32633 : grid.startsWith(QLatin1String("Pulkovo")) ? 4284 : 0);
    QCOMPARE(QStringLiteral("%1 %2").arg(list.points.size()).arg(list.enabledPoints().size()), points);
    const GroundControlPoint &p = list.points.last().point;
    QCOMPARE((QVector<double>{p.pixelX, p.pixelY, p.lon, p.lat}), last);
}

// Written and read back: every point and its state through a .points file; the
// enabled ones, on whole pixels, through OziExplorer Point lines.
void TestQgisPoints::roundTrips()
{
    ControlPointList list;
    QString error;
    QVERIFY(pointGridFromEpsg(32633, &list.grid, &error));
    list.points = {{{0.5, 0.25, 600000.125, 5400000}, true}, {{400, 300, 612000, 5391000.5}, false}};
    ControlPointList read;
    QCOMPARE(parseQgisPoints(qgisPointsText(list), &read, &error), PointsFileStatus::Ok);
    QCOMPARE(read.grid.name, list.grid.name);
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(read.points.at(i).enabled, list.points.at(i).enabled);
        QCOMPARE(read.points.at(i).point.lat, list.points.at(i).point.lat);
        QCOMPARE(read.points.at(i).point.pixelY, list.points.at(i).point.pixelY);
    }
    // Positions taken to a grid and back; one PROJ cannot take leaves them as they were.
    QVector<QPointF> positions{{15.0, 0.0}, {16.5, 46.25}};
    QVERIFY(positionsToGrid(PointGrid(), list.grid, &positions, &error));
    QVERIFY(qAbs(positions.at(0).x() - 500000.0) < 1e-6 && qAbs(positions.at(0).y()) < 1e-6);
    QVERIFY(positionsToGrid(list.grid, PointGrid(), &positions, &error));
    QVERIFY(qAbs(positions.at(1).x() - 16.5) < 1e-9 && qAbs(positions.at(1).y() - 46.25) < 1e-9);
    positions.append(QPointF(1e30, 1e30));
    const QVector<QPointF> kept = positions;
    QVERIFY(!positionsToGrid(list.grid, PointGrid(), &positions, &error));
    QCOMPARE(positions, kept);
    QVERIFY(error.contains(QLatin1String("WGS 84 / UTM zone 33N")));
    const QVector<GroundControlPoint> degrees{{0, 0, -0.0000001, 45.9999999}, {812, 640, 11.25, -46.5},
                                              {3, 4, -179.999999, 89.5}};
    const OziMapText map = parseOziMapText(oziMapPointsText(QStringLiteral("scan.png"), degrees, QSize(813, 641), &error));
    QCOMPARE(map.imageLine, QByteArray("scan.png"));
    QCOMPARE(map.datumPoints.size(), degrees.size());
    for (int i = 0; i < degrees.size(); ++i) {
        const OziDatumPoint &point = map.datumPoints.at(i);
        QCOMPARE(QPointF(point.pixelX, point.pixelY), QPointF(degrees.at(i).pixelX, degrees.at(i).pixelY));
        QVERIFY(qAbs(point.longitude - degrees.at(i).lon) < 1e-8 && qAbs(point.latitude - degrees.at(i).lat) < 1e-8);
    }
    QVERIFY(oziMapPointsText(QStringLiteral("scan.png"), QVector<GroundControlPoint>(31), QSize(), &error).isEmpty());
}

QTEST_GUILESS_MAIN(TestQgisPoints)
#include "tst_qgis_points.moc"
