#include <QtTest>

#include <memory>

#include "common/cli_runner.h"
#include "common/geo_rasters.h"
#include "common/ozi_fixtures.h"
#include "common/project_fixtures.h"
#include "raster/geo_raster.h"
#include "smf/smf_writer.h"

using georasters::Grid;
Q_DECLARE_METATYPE(Grid)

// Rasters that carry their georeferencing. One on another grid or datum is warped onto
// the level grid so that every level pixel shows the source pixel under it, as GDAL's
// own transformations judge; a geographic WGS 84 north-up one is taken as it is, in the
// same bytes as with its corners typed; a plain image stays uncalibrated; and ground
// control points show how far each lies from the fit through them.
class TestGeoRaster : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_dir.reset(new QTemporaryDir); QVERIFY(m_dir->isValid()); }
    void warpedLevelShowsItsSource_data();
    void warpedLevelShowsItsSource();
    void geographicOrPlainImageTakenAsItIs_data();
    void geographicOrPlainImageTakenAsItIs();
    void pointMissesOfAnAffineFit();
    void nodataIsTransparent_data();
    void nodataIsTransparent();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QScopedPointer<QTemporaryDir> m_dir;
};

// How a warped raster becomes a level: the CLI's convert; the window's Add, which
// decodes the warp at once; or a layer added from its header, its rows warped as it is
// saved.
// ByPoints: the CLI's convert of a PNG whose world file has no grid, tied by nine
// points placed by GDAL's own transformation and fitted by a thin-plate spline;
// ByOziMap: of an OziExplorer file on Transverse Mercator naming that PNG, its four
// Point lines placed the same way; ByGridPoints: the nine points in grid metres, with
// --gcp-crs, fitted affine.
enum Route { ThroughCli, AddImage, Undecoded, ByPoints, ByOziMap, ByGridPoints };

void TestGeoRaster::warpedLevelShowsItsSource_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Grid>("grid");
    QTest::addColumn<int>("route");
    QTest::addColumn<QByteArray>("ozi");  // ByOziMap: the datum line and the Projection Setup values
    // Sheets east of their central meridians, so that the grid's north is turned
    // against the meridians; at most 32766 pixels each (the colour codes).
    QTest::newRow("UTM 33N GeoTIFF, 30 m, 16.4 E 48.7 N")
        << QStringLiteral("utm33.tif") << Grid{{180, 170}, {600000, 30, 0, 5400000, 0, -30}, "EPSG:32633"}
        << int(ThroughCli) << QByteArray();
    // A datum shift of about 130 m here, over two and a half pixels: a level that ignores it fails.
    QTest::newRow("Gauss-Krueger zone 4 on Pulkovo 1942 GeoTIFF, 50 m, 19.6 E 50.5 N")
        << QStringLiteral("pulkovo.tif") << Grid{{160, 190}, {4400000, 50, 0, 5600000, 0, -50}, "EPSG:28404"}
        << int(AddImage) << QByteArray();
    // Lambert-93's definition as a PROJ string, the sheet turned a further 5.7 degrees.
    QTest::newRow("Lambert conformal conic GeoTIFF, rotated, 40 m, 5.7 E 48.2 N")
        << QStringLiteral("lambert.tif")
        << Grid{{170, 170}, {900000, 39.8, 4.0, 6800000, 4.0, -39.8},
                "+proj=lcc +lat_0=46.5 +lon_0=3 +lat_1=49 +lat_2=44 +x_0=700000 +y_0=6600000 +ellps=GRS80 "
                "+towgs84=0,0,0,0,0,0,0 +units=m +no_defs"}
        << int(Undecoded) << QByteArray();
    QTest::newRow("UTM 32N PNG with world file and ESRI .prj, 25 m, 11.6 E 47.8 N")
        << QStringLiteral("utm32.png") << Grid{{150, 200}, {700000, 25, 0, 5300000, 0, -25}, "EPSG:32632"}
        << int(Undecoded) << QByteArray();
    QTest::newRow("UTM 32N PNG with a world file but no .prj, tied by ground control points")
        << QStringLiteral("scan.png") << Grid{{150, 200}, {700000, 25, 0, 5300000, 0, -25}, "EPSG:32632"}
        << int(ByPoints) << QByteArray();
    QTest::newRow("OziExplorer file on Transverse Mercator (UTM 32N's), WGS 84")
        << QStringLiteral("topo.png") << Grid{{150, 200}, {700000, 25, 0, 5300000, 0, -25}, "EPSG:32632"}
        << int(ByOziMap) << QByteArray("WGS 84|0,9,0.9996,500000,0");
    // A Russian sheet as OziExplorer writes it: Gauss-Krueger zone 7, its Point lines in
    // grid metres, placed as gdalwarp places it with the shift of OziExplorer's list.
    QTest::newRow("OziExplorer file on Pulkovo 1942 (2), Gauss-Krueger zone 7, 50 m, 37.7 E 55.7 N")
        << QStringLiteral("sheet.png")
        << Grid{{150, 200}, {7405000, 50, 0, 6180000, 0, -50},
                "+proj=tmerc +lat_0=0 +lon_0=39 +k=1 +x_0=7500000 +y_0=0 +ellps=krass "
                "+towgs84=28,-130,-95,0,0,0,0 +units=m +no_defs"}
        << int(ByOziMap) << QByteArray("Pulkovo 1942 (2)|0,39,1,7500000,0");
    // Fitted in degrees instead of metres, its south-east lands 4 pixels off.
    QTest::newRow("GeoTIFF tied by points on UTM 18N, 2 km, 360 km across, 72 W 48 N")
        << QStringLiteral("points.tif") << Grid{{180, 170}, {500000, 2000, 0, 5500000, 0, -2000}, "EPSG:32618", true}
        << int(ThroughCli) << QByteArray();
    // The same sheet's points typed on its grid: fitted in degrees, it would land pixels off.
    QTest::newRow("PNG tied by points typed on UTM 18N (--gcp-crs), 2 km, 360 km across")
        << QStringLiteral("grid.png") << Grid{{180, 170}, {500000, 2000, 0, 5500000, 0, -2000}, "EPSG:32618"}
        << int(ByGridPoints) << QByteArray();
}

void TestGeoRaster::warpedLevelShowsItsSource()
{
    QFETCH(QString, name);
    QFETCH(Grid, grid);
    QFETCH(int, route);
    QFETCH(QByteArray, ozi);
    const QString raster = path(name);
    const QString smf = path(QStringLiteral("level.smf"));
    QVERIFY(georasters::writeRaster(raster, georasters::codeImage(grid.size), grid, route < ByPoints));
    if (route == ThroughCli || route >= ByPoints) {
        const QString input = route == ByOziMap ? path(QStringLiteral("sheet.map")) : raster;
        QStringList words = cli::words(QStringLiteral("convert %1 %2 --resampling nearest --fill 255,255,255")
                                           .arg(smf, input));
        OGRSpatialReference wgs84;
        wgs84.SetWellKnownGeogCS("WGS84");
        wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        const OGRSpatialReference source = georasters::spatialReference(grid.srs);
        const std::unique_ptr<OGRCoordinateTransformation> toWgs84(OGRCreateCoordinateTransformation(&source, &wgs84));
        QVector<fixtures::OziPoint> points;
        const QList<QByteArray> lines = ozi.split('|');
        for (int i = 0; route >= ByPoints && i < 9; ++i) {
            const int px = grid.size.width() * (i % 3) / 2;
            const int py = grid.size.height() * (i / 3) / 2;
            const std::array<double, 6> &gt = grid.geoTransform;
            double x = gt[0] + px * gt[1] + py * gt[2];
            double y = gt[3] + px * gt[4] + py * gt[5];
            if (route == ByGridPoints)
                words << QStringLiteral("--gcp") << QStringLiteral("%1,%2,%3,%4").arg(px).arg(py).arg(x).arg(y);
            QVERIFY(toWgs84->Transform(1, &x, &y));
            if (route == ByPoints)
                words << QStringLiteral("--gcp") << QStringLiteral("%1,%2,%3,%4").arg(px).arg(py).arg(x, 0, 'f', 9).arg(y, 0, 'f', 9);
            else if (i % 2 == 0 && i != 4 && lines.at(0) == "WGS 84")  // the corners
                points.append({px, py, x, y});
            else if (i % 2 == 0 && i != 4)  // the corners in grid metres
                points.append({px, py, qQNaN(), qQNaN(), 0, gt[0] + px * gt[1], gt[3] + py * gt[5]});
        }
        QByteArray map = fixtures::oziHeader(name.toUtf8(), points);  // written for ByOziMap only
        map.replace("WGS 84,WGS 84,", lines.at(0) + ",WGS 84,");
        map.replace("Map Projection,Latitude/Longitude,", "Map Projection,Transverse Mercator,");
        map.replace("Projection Setup,,,,,,,,,,", "Projection Setup," + lines.value(1) + ",,,,,,");
        QVERIFY(route != ByOziMap || fixtures::writeBytes(path(QStringLiteral("sheet.map")), fixtures::withCrLf(map)));
        if (route == ByPoints)
            words << QStringLiteral("--transform") << QStringLiteral("tps");
        if (route == ByGridPoints)
            words << QStringLiteral("--gcp-crs") << QString::fromLatin1(grid.srs);
        const cli::Result result = cli::run(m_dir->path(), words);
        QVERIFY2(result.exitCode == 0, result.err.constData());
    } else {
        MapProject project(65536);
        project.setProperties(QString(), QString(), QColor(Qt::white), 300, 500);
        project.warpResampling = Resampling::Nearest;
        LayerImportOptions options;
        options.resampling = Resampling::Nearest;
        LayerImport import = importLayer(raster, options);
        QCOMPARE(import.status, LayerImportStatus::Calibrated);
        QVERIFY(project.addImportedLayer(import, route == AddImage ? LayerLoading::Decode : LayerLoading::HeaderOnly));
        QVERIFY(project.layers.at(0)->georeference);
        const RasterGeoreference &georeference = *project.layers.at(0)->georeference;
        QCOMPARE(georeference.kind, RasterGeoreference::Warped);
        QCOMPARE(georeference.resampling, Resampling::Nearest);
        // Whole milliarcseconds a step, so that the level record describes every pixel.
        QCOMPARE((georeference.eastMas - georeference.westMas) % georeference.size.width(), 0);
        QCOMPARE((georeference.northMas - georeference.southMas) % georeference.size.height(), 0);
        project.filePath = smf;
        QVERIFY2(saveSmf(project) == SmfStatus::Ok, qPrintable(project.errorString()));
    }
    const georasters::LevelAccuracy accuracy = georasters::measureLevel(smf, grid);
    QVERIFY2(accuracy.error.isEmpty(), qPrintable(accuracy.error));
    const QString numbers = QStringLiteral("%1 of %2 level pixels (%3 %) within 1 source pixel, the farthest %4")
        .arg(accuracy.withinOne).arg(accuracy.shown).arg(100.0 * accuracy.fraction(), 0, 'f', 2).arg(accuracy.largest);
    qInfo("%s", qPrintable(numbers));
    QVERIFY2(accuracy.shown >= grid.size.width() * grid.size.height() / 2, qPrintable(numbers));
    QVERIFY2(accuracy.fraction() >= 0.95 && accuracy.largest <= 2.0, qPrintable(numbers));
}

void TestGeoRaster::geographicOrPlainImageTakenAsItIs_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("withGrid");
    QTest::newRow("geographic WGS 84 GeoTIFF") << QStringLiteral("sheet.tif") << true;
    QTest::newRow("geographic WGS 84 PNG with world file and ESRI .prj") << QStringLiteral("sheet.png") << true;
    QTest::newRow("plain: GeoTIFF without a geotransform") << QStringLiteral("sheet.tif") << false;
    QTest::newRow("plain: PNG with a world file but no .prj") << QStringLiteral("sheet.png") << false;
}

void TestGeoRaster::geographicOrPlainImageTakenAsItIs()
{
    QFETCH(QString, name);
    QFETCH(bool, withGrid);
    // 10.1 + 285 x 0.0001 works out at 10.128499999999999, which must still give the
    // milliarcseconds of the typed 10.1285.
    const Grid grid{{285, 96}, {10.1, 0.0001, 0, 48.0, 0, -0.0001}, "EPSG:4326"};
    const QImage image = fixtures::mapLikeImage(285, 96);
    QVERIFY(georasters::writeRaster(path(name), image, grid, withGrid));
    QVERIFY(image.save(path(QStringLiteral("typed.png"))));
    GeoreferenceReader reader;
    QCOMPARE(reader.read(path(name), Resampling::Nearest) == GeoreferenceStatus::Georeferenced, withGrid);
    // The raster as it arrives, then the same image with its corners typed: the same bytes.
    QByteArray saved[2];
    for (int typed = 0; typed < 2; ++typed) {
        MapProject project(65536);
        project.setProperties(QStringLiteral("Tester"), QStringLiteral("Sheet"), QColor(Qt::white), 300, 500);
        const LayerImport import = fixtures::addFile(project, path(typed ? QStringLiteral("typed.png") : name));
        QVERIFY(!import.refused());
        // A world file without its grid is taken plain, and the window is told why.
        QCOMPARE(import.reason.contains(QStringLiteral("world file but no grid")),
                 !typed && !withGrid && name.endsWith(QLatin1String(".png")));
        const MapLayer *layer = project.layers.at(0);
        QCOMPARE(bool(layer->georeference), withGrid && !typed);
        if (!withGrid) {
            QVERIFY(!layer->topLeftLonSet && !layer->topLeftLatSet && !layer->bottomRightLonSet
                    && !layer->bottomRightLatSet);
            return;
        }
        if (typed)
            project.enterCalibration(0, {QPoint(0, 0), 10.1, 48.0, QPoint(285, 96), 10.1285, 47.9904});
        else
            QCOMPARE(layer->georeference->kind, RasterGeoreference::AsIs);
        project.filePath = path(QStringLiteral("level%1.smf").arg(typed));
        QVERIFY2(saveSmf(project) == SmfStatus::Ok, qPrintable(project.errorString()));
        saved[typed] = fixtures::fileBytes(project.filePath);
    }
    QVERIFY(!saved[0].isEmpty());
    QVERIFY(saved[0] == saved[1]);
}

void TestGeoRaster::pointMissesOfAnAffineFit()
{
    // The corners of a 1000 x 800 scan on an exact affine mapping (slightly turned),
    // the third drawn `off` pixels to the right of where it belongs.
    const auto on = [](double x, double y, double off = 0.0) {
        return GroundControlPoint{x + off, y, 15.0 + 0.0010 * x + 0.0001 * y, 48.0 + 0.0001 * x - 0.0007 * y};
    };
    RasterGeoreference georeference;
    georeference.sourceSize = QSize(1000, 800);
    QString error;
    // 10 pixels off: the fit spreads the miss, a quarter of it (2.5 pixels) at each point.
    for (const double off : {0.0, 10.0}) {
        georeference.gcps = {on(0, 0), on(1000, 0), on(1000, 800, off), on(0, 800)};
        QVERIFY2(planLevelGrid(&georeference, &error), qPrintable(error));
        const QVector<PointMiss> misses = pointMisses(georeference, georeference.gcps);
        QCOMPARE(misses.size(), 4);
        for (const PointMiss &miss : misses) {
            const QString numbers = QStringLiteral("%1 px, %2 m").arg(miss.pixels).arg(miss.metres);
            QVERIFY2(off ? qAbs(miss.pixels - 2.5) < 0.1 && miss.metres > 100.0
                         : miss.pixels < 1e-3 && miss.metres < 0.1, qPrintable(numbers));
        }
    }
}

// Nodata is compared on the samples as stored and becomes the fill colour, on rasters
// taken as they are and on warped ones alike: the left half of each raster is nodata,
// the right half 16-bit values of 24 to 112 (black in 8 bits), or pure blue, which has
// no red and no green and is no nodata for that.
void TestGeoRaster::nodataIsTransparent_data()
{
    QTest::addColumn<Grid>("grid");
    QTest::addColumn<bool>("sixteenBits");
    const Grid wgs84{{60, 40}, {10.0, 0.001, 0, 46.0, 0, -0.001}, "EPSG:4326"};
    const Grid utm{{60, 40}, {700000, 25, 0, 5300000, 0, -25}, "EPSG:32632"};
    QTest::newRow("16-bit grey, nodata 0, geographic WGS 84") << wgs84 << true;
    QTest::newRow("16-bit grey, nodata 0, UTM 32N") << utm << true;
    QTest::newRow("RGB, nodata 0 0 0, geographic WGS 84") << wgs84 << false;
    QTest::newRow("RGB, nodata 0 0 0, UTM 32N") << utm << false;
}

void TestGeoRaster::nodataIsTransparent()
{
    QFETCH(Grid, grid);
    QFETCH(bool, sixteenBits);
    const int width = grid.size.width();
    const int height = grid.size.height();
    GDALAllRegister();
    const QByteArray file = QFile::encodeName(path(QStringLiteral("nodata.tif")));
    GDALDataset *dataset = GetGDALDriverManager()->GetDriverByName("GTiff")->Create(
        file.constData(), width, height, sixteenBits ? 1 : 3, sixteenBits ? GDT_UInt16 : GDT_Byte, nullptr);
    QVERIFY(dataset);
    std::array<double, 6> transform = grid.geoTransform;
    const OGRSpatialReference reference = georasters::spatialReference(grid.srs);
    dataset->SetGeoTransform(transform.data());
    dataset->SetSpatialRef(&reference);
    std::vector<quint16> samples(std::size_t(width * height));
    for (int band = 1; band <= dataset->GetRasterCount(); ++band) {
        for (int i = 0; i < width * height; ++i)
            samples[std::size_t(i)] = i % width < width / 2 ? 0 : sixteenBits ? 24 + i % 89 : band == 3 ? 255 : 0;
        GDALRasterBand *raster = dataset->GetRasterBand(band);
        raster->SetNoDataValue(0);
        QCOMPARE(raster->RasterIO(GF_Write, 0, 0, width, height, samples.data(), width, height, GDT_UInt16, 0, 0),
                 CE_None);
    }
    GDALClose(dataset);

    MapProject project(65536);
    project.setProperties(QString(), QString(), QColor(Qt::white), 300, 500);
    LayerImport import = importLayer(QFile::decodeName(file), {});
    QCOMPARE(import.status, LayerImportStatus::Calibrated);
    QCOMPARE(import.layer.georeference->kind,
             grid.srs == QByteArray("EPSG:4326") ? RasterGeoreference::AsIs : RasterGeoreference::Warped);
    QVERIFY(project.addImportedLayer(import, LayerLoading::HeaderOnly));
    project.filePath = path(QStringLiteral("nodata.smf"));
    QVERIFY2(saveSmf(project) == SmfStatus::Ok, qPrintable(project.errorString()));

    const RasterGeoreference &read = *import.layer.georeference;
    QFile smf(project.filePath);
    SmfFileIndex index;
    QString error;
    QVERIFY(smf.open(QIODevice::ReadOnly) && readSmfStructure(smf, &index, &error));
    const QImage level = assembleLevelImage(smf, index, 0).image;
    const QRgb data = sixteenBits ? qRgb(0, 0, 0) : qRgb(0, 0, 255);
    int shown = 0;
    int other = 0;
    for (int y = 0; y < read.size.height(); ++y) {
        for (int x = 0; x < read.size.width(); ++x) {
            const QRgb pixel = level.pixel(x, y) & 0xf8f8f8;
            shown += pixel == (data & 0xf8f8f8);
            other += pixel != (data & 0xf8f8f8) && pixel != 0xf8f8f8;
        }
    }
    const QString numbers = QStringLiteral("%1 data pixels, %2 neither data nor fill").arg(shown).arg(other);
    QVERIFY2(shown > width * height * 2 / 5 && shown < width * height * 3 / 5 && other == 0, qPrintable(numbers));
}

QTEST_GUILESS_MAIN(TestGeoRaster)
#include "tst_geo_raster.moc"
