#include <QtTest>

#include <memory>

#include "common/cli_runner.h"
#include "common/files.h"
#include "common/geo_rasters.h"
#include "common/mosaic_sheets.h"
#include "common/ozi_fixtures.h"
#include "project/layer_mosaic.h"
#include "project/map_project.h"
#include "raster/image_rows.h"
#include "smf/smf_writer.h"

// Three adjacent sheets, each a scan with a collar around its map face and an
// OziExplorer file whose MMPXY polygon marks the face, joined into one level: every
// level pixel inside a face shows that sheet's pixel where GDAL's own transformations
// put it, no collar shows, and outside every face is the fill colour.
class TestLevelMosaic : public QObject
{
    Q_OBJECT
private slots:
    void sheetsJoinAtTheirFaces_data();
    void sheetsJoinAtTheirFaces();
    void refusals();
    void oziBorderOfImageCornersKeepsWholeImage();
    void nodataAndAlphaShowTheSheetBelow_data();
    void nodataAndAlphaShowTheSheetBelow();
};

namespace {

using namespace sheets;

// A source of kWidth x kHeight pixels placed by its corners, side degrees a side.
MosaicSource linear(const QString &path, double west, double north, double side = 0.1)
{
    MosaicSource source;
    source.layer.sourcePath = path;
    source.layer.topLeft = {0, 0, qint32(west * 3600000), qint32(north * 3600000)};
    source.layer.bottomRight = {kWidth, kHeight, qint32((west + side) * 3600000), qint32((north - side) * 3600000)};
    source.layer.topLeftLonSet = source.layer.topLeftLatSet = true;
    source.layer.bottomRightLonSet = source.layer.bottomRightLatSet = true;
    return source;
}

}  // namespace

void TestLevelMosaic::sheetsJoinAtTheirFaces_data()
{
    QTest::addColumn<QByteArray>("srs");
    QTest::addColumn<bool>("throughCli");
    QTest::newRow("Transverse Mercator (UTM 33N), 30 m, merged in the core") << QByteArray("EPSG:32633") << false;
    QTest::newRow("Latitude/Longitude, 2 seconds, merged in the core") << QByteArray("EPSG:4326") << false;
    QTest::newRow("Transverse Mercator, grouped by convert") << QByteArray("EPSG:32633") << true;
}

void TestLevelMosaic::sheetsJoinAtTheirFaces()
{
    QFETCH(QByteArray, srs);
    QFETCH(bool, throughCli);
    QTemporaryDir dir;
    const bool projected = srs != "EPSG:4326";
    const OGRSpatialReference grid = georasters::spatialReference(srs.constData());
    OGRSpatialReference wgs84;
    wgs84.SetWellKnownGeogCS("WGS84");
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    const std::unique_ptr<OGRCoordinateTransformation> toGrid(OGRCreateCoordinateTransformation(&wgs84, &grid));
    QVERIFY(toGrid);
    const Sheets written = writeSheets(dir.path(), projected);
    const QStringList &maps = written.maps;
    const auto &transforms = written.transforms;
    QVERIFY(!maps.isEmpty());
    const QString smf = dir.filePath(QStringLiteral("joined.smf"));
    if (throughCli) {
        const cli::Result result = cli::run(dir.path(), QStringList{QStringLiteral("convert"), smf, QStringLiteral("(")}
                                                            + maps
                                                            + cli::words(QStringLiteral(") --copy 50 --resampling "
                                                                                        "nearest --fill 255,255,255")));
        QVERIFY2(result.exitCode == 0, result.err.constData());
        QVERIFY2(result.out.contains("layers 1 to 3: one level of 3 sources") && result.out.contains("layers 1 to 3: "
                 "copy at 50 %") && result.out.contains("2 levels"), result.out.constData());
    } else {
        QVector<MosaicSource> sources;
        for (const QString &map : std::as_const(maps)) {
            LayerImportOptions options;
            options.resampling = Resampling::Nearest;
            LayerImport import = importLayer(map, options);
            MapProject placed(65536);
            QVERIFY2(placed.addImportedLayer(import, LayerLoading::HeaderOnly), qPrintable(import.reason));
            sources.append({*placed.layers.first(), oziBorderFace(import.ozi, *placed.layers.first())});
            QCOMPARE(sources.last().border.size(), 4);
        }
        LayerImport merged;
        int failed = 0;
        QString error;
        QVERIFY2(planMosaic(sources, Resampling::Nearest, &merged.layer, &failed, &error), qPrintable(error));
        merged.status = LayerImportStatus::Calibrated;
        MapProject project(65536);
        project.setProperties(QString(), QString(), QColor(Qt::white), 300, 500);
        QVERIFY(project.addImportedLayer(merged, LayerLoading::HeaderOnly));
        project.filePath = smf;
        QVERIFY2(saveSmf(project) == SmfStatus::Ok, qPrintable(project.errorString()));
    }

    QFile file(smf);
    SmfFileIndex index;
    QString error;
    QVERIFY2(file.open(QIODevice::ReadOnly) && readSmfStructure(file, &index, &error), qPrintable(error));
    QCOMPARE(index.levels.size(), throughCli ? 2 : 1);
    const QImage level = assembleLevelImage(file, index, 0).image;
    const SmfLevelRecord &record = index.levels.at(0);
    const double stepX = double(record.right - record.left) / level.width() / 3600000.0;
    const double stepY = double(record.bottom - record.top) / level.height() / 3600000.0;
    // Where a level pixel lies on sheet s, source pixels; inside its face by margin.
    const auto insideFace = [](double column, double row, double margin) {
        return column >= kCollar + margin && column <= kWidth - kCollar - margin && row >= kCollar + margin
            && row <= kHeight - kCollar - margin;
    };
    int inside = 0, shown = 0, withinOne = 0, collars = 0, wrongSheet = 0, strayFill = 0, strayPixels = 0;
    double largest = 0.0;
    for (int y = 0; y < level.height(); ++y) {
        for (int x = 0; x < level.width(); ++x) {
            double gx = record.left / 3600000.0 + (x + 0.5) * stepX;
            double gy = record.top / 3600000.0 + (y + 0.5) * stepY;
            QVERIFY(toGrid->Transform(1, &gx, &gy));
            int top = -1;
            bool nearAFace = false;
            std::array<QPointF, 3> at;
            for (int s = 0; s < 3; ++s) {
                const auto &gt = transforms[std::size_t(s)];
                at[std::size_t(s)] = QPointF((gx - gt[0]) / gt[1], (gy - gt[3]) / gt[5]);
                if (insideFace(at[s].x(), at[s].y(), 1.0))
                    top = s;
                nearAFace = nearAFace || insideFace(at[s].x(), at[s].y(), -1.0);
            }
            const int code = georasters::colourCode(level.pixel(x, y));
            collars += code == kCollarCode;
            if (top < 0) {
                strayPixels += !nearAFace && code != georasters::kFillCode;
                continue;
            }
            ++inside;
            if (code == georasters::kFillCode) {
                ++strayFill;
                continue;
            }
            if (code / kSheetCodes != top) {
                ++wrongSheet;
                continue;
            }
            ++shown;
            const int pixel = code % kSheetCodes;
            const double distance =
                std::hypot(at[top].x() - (pixel % kWidth + 0.5), at[top].y() - (pixel / kWidth + 0.5));
            withinOne += distance <= 1.0;
            largest = std::max(largest, distance);
        }
    }
    const QString numbers = QStringLiteral("%1 x %2 level; %3 pixels inside a face: %4 show the sheet on top, %5 "
                                           "within 1 source pixel, farthest %6; %7 of another sheet, %8 fill; "
                                           "%9 collar pixels, %10 outside every face not fill")
                                .arg(level.width()).arg(level.height()).arg(inside).arg(shown).arg(withinOne)
                                .arg(largest).arg(wrongSheet).arg(strayFill).arg(collars).arg(strayPixels);
    qInfo("%s", qPrintable(numbers));
    QVERIFY2(inside >= 3 * (kWidth - 2 * kCollar - 2) * (kHeight - 2 * kCollar - 2) / 2, qPrintable(numbers));
    QVERIFY2(shown == inside && collars == 0 && strayPixels == 0, qPrintable(numbers));
    QVERIFY2(double(withinOne) / shown >= 0.95 && largest <= 2.0, qPrintable(numbers));
}

// Sources that cannot be one level, refused with the reason and the source concerned.
void TestLevelMosaic::refusals()
{
    QTemporaryDir dir;
    const QString image = dir.filePath(QStringLiteral("sheet.png"));
    QVERIFY(sheetImage(0).save(image));
    const struct
    {
        QVector<MosaicSource> sources;
        int failed;
        const char *reason;
    } cases[] = {
        {{linear(image, 179.8, 10), linear(image, -179.9, 10)}, -1, "both sides of the 180th meridian"},
        {{linear(image, 10, 10, 0.001), linear(image, 100, 10)}, -1, "too large"},
        {{linear(image, 10, 10), MosaicSource{MapLayer(), {}}}, 1, "not calibrated"},
        {{linear(image, 10, 10), linear(dir.filePath(QStringLiteral("missing.png")), 10, 10)}, 1, "cannot be read"},
        {{linear(image, 10, 10), MosaicSource{linear(image, 10, 10).layer, {{1, 1}, {50, 50}, {99, 99}}}}, 1,
         "encloses no area"},
        {{linear(image, 10, 10), MosaicSource{linear(image, 10, 10).layer, {{-9, -9}, {-1, -9}, {-1, -1}}}}, 1,
         "encloses no area"},
    };
    for (const auto &refused : cases) {
        MapLayer layer;
        int failed = -2;
        QString error;
        QVERIFY(!planMosaic(refused.sources, Resampling::Bilinear, &layer, &failed, &error));
        QVERIFY2(error.contains(QLatin1String(refused.reason)), qPrintable(error));
        QCOMPARE(failed, refused.failed);
        QVERIFY(!layer.mosaic);
    }
    // A border reaching far beyond its image shows the image and no more.
    MapLayer whole;
    MapLayer beyond;
    int failed = -1;
    QString error;
    QVERIFY2(planMosaic({linear(image, 10, 10)}, Resampling::Bilinear, &whole, &failed, &error), qPrintable(error));
    QVERIFY2(planMosaic({MosaicSource{linear(image, 10, 10).layer, {{-5000, -5000}, {90000, -5000}, {90000, 90000}, {-5000, 90000}}}},
                        Resampling::Bilinear, &beyond, &failed, &error),
             qPrintable(error));
    QCOMPARE(beyond.mosaic->raster.size.height(), whole.mosaic->raster.size.height());
    QCOMPARE(beyond.mosaic->raster.size.width(), whole.mosaic->raster.size.width());
}

// OziExplorer writes the image's corner pixels as the MMPXY block of a map without a border.
void TestLevelMosaic::oziBorderOfImageCornersKeepsWholeImage()
{
    MapLayer layer;
    auto georeference = std::make_shared<RasterGeoreference>();
    georeference->sourceSize = QSize(1000, 800);
    layer.georeference = georeference;
    OziMapSummary summary;
    summary.border = {{0, 0}, {999, 0}, {999, 799}, {0, 799}};
    QVERIFY(oziBorderFace(summary, layer).isEmpty());
    summary.border[1] = QPointF(900, 30);
    QCOMPARE(oziBorderFace(summary, layer), summary.border);
}

void TestLevelMosaic::nodataAndAlphaShowTheSheetBelow_data()
{
    QTest::addColumn<bool>("alpha");
    QTest::newRow("nodata value") << false;
    QTest::newRow("alpha band") << true;
}

// A later sheet's pixels without data lie outside it: the sheet under it shows there.
void TestLevelMosaic::nodataAndAlphaShowTheSheetBelow()
{
    QFETCH(bool, alpha);
    QTemporaryDir dir;
    const QString below = dir.filePath(QStringLiteral("below.png"));
    QImage red(kWidth, kHeight, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    QVERIFY(red.save(below));
    // Above: blue on its left half, no data on its right half; on UTM 33N, so it is warped.
    const QString above = dir.filePath(QStringLiteral("above.tif"));
    GDALAllRegister();
    GDALDataset *dataset = GetGDALDriverManager()->GetDriverByName("GTiff")->Create(
        QFile::encodeName(above).constData(), kWidth, kHeight, alpha ? 4 : 3, GDT_Byte, nullptr);
    QVERIFY(dataset);
    std::array<double, 6> transform{550000, 50, 0, 5100000, 0, -50};
    const OGRSpatialReference utm = georasters::spatialReference("EPSG:32633");
    dataset->SetGeoTransform(transform.data());
    dataset->SetSpatialRef(&utm);
    std::vector<quint8> values(std::size_t(kWidth) * kHeight);
    for (int band = 1; band <= dataset->GetRasterCount(); ++band) {
        for (int i = 0; i < kWidth * kHeight; ++i)
            values[std::size_t(i)] = i % kWidth < kWidth / 2 ? (band >= 3 ? 255 : 0) : 0;
        GDALRasterBand *raster = dataset->GetRasterBand(band);
        if (band == 4)
            raster->SetColorInterpretation(GCI_AlphaBand);
        else if (!alpha)
            raster->SetNoDataValue(0);
        QCOMPARE(raster->RasterIO(GF_Write, 0, 0, kWidth, kHeight, values.data(), kWidth, kHeight, GDT_Byte, 0, 0),
                 CE_None);
    }
    GDALClose(dataset);
    LayerImport import = importLayer(above);
    QVERIFY2(import.layer.georeference, qPrintable(import.reason));
    // Below covers a little more than above, which lies at about 15.65-15.71 E, 46.01-46.05 N.
    const QVector<MosaicSource> sources{linear(below, 15.6, 46.1, 0.15), MosaicSource{import.layer, {}}};
    MapLayer merged;
    int failed = 0;
    QString error;
    QVERIFY2(planMosaic(sources, Resampling::Nearest, &merged, &failed, &error), qPrintable(error));
    const QImage level = openLayerRows(merged, 1024)->readWholeImage(1024);
    QVERIFY(!level.isNull());
    const auto pixelAt = [&](double lon, double lat) {
        const double x = (lon * 3600000 - merged.topLeft.lon) / (merged.bottomRight.lon - merged.topLeft.lon);
        const double y = (merged.topLeft.lat - lat * 3600000) / (merged.topLeft.lat - merged.bottomRight.lat);
        return level.pixel(int(x * level.width()), int(y * level.height()));
    };
    double lon = 550000 + kWidth * 50 / 4, lat = 5100000 - kHeight * 50 / 2, lonRight = 550000 + 3 * kWidth * 50 / 4;
    double latRight = lat;
    const OGRSpatialReference wgs84 = georasters::spatialReference("EPSG:4326");
    const std::unique_ptr<OGRCoordinateTransformation> toWgs84(OGRCreateCoordinateTransformation(&utm, &wgs84));
    QVERIFY(toWgs84->Transform(1, &lon, &lat) && toWgs84->Transform(1, &lonRight, &latRight));
    QCOMPARE(pixelAt(lon, lat), qRgb(0, 0, 255));
    QCOMPARE(pixelAt(lonRight, latRight), qRgb(255, 0, 0));
    QCOMPARE(pixelAt(15.61, 46.09), qRgb(255, 0, 0));
}

QTEST_GUILESS_MAIN(TestLevelMosaic)
#include "tst_level_mosaic.moc"
