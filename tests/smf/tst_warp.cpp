#include <QtTest>

#include <gdal_utils.h>

#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "common/geo_rasters.h"
#include "common/project_fixtures.h"
#include "raster/geo_raster.h"
#include "raster/image_rows.h"
#include "raster/warp_grid.h"
#include "raster/warped_rows.h"

using Mapping = std::function<bool(double &x, double &y)>;
Q_DECLARE_METATYPE(Mapping)

// The program's own warp: source positions interpolated on a sparse grid stay within
// the grid's tolerance of the exact ones, and levels are resampled as GDAL's warp
// resamples them, in every raster layout the program warps itself.
class TestWarp : public QObject
{
    Q_OBJECT
private slots:
    void gridHoldsPositions_data();
    void gridHoldsPositions();
    void resamplingIsGdals_data();
    void resamplingIsGdals();
};

void TestWarp::gridHoldsPositions_data()
{
    QTest::addColumn<Mapping>("mapping");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("rows");
    QTest::newRow("affine, rotated and scaled") << Mapping([](double &x, double &y) {
        const double u = x;
        x = 0.99 * u + 0.05 * y + 12.0;
        y = -0.05 * u + 1.01 * y - 7.0;
        return true;
    }) << 1000 << 32;
    // Far from linear: the grid halves its cells down to 8 pixels.
    QTest::newRow("bent") << Mapping([](double &x, double &y) {
        const double u = x;
        x = u + 0.0004 * u * u + 6.0 * std::sin(y / 9.0);
        y = y + 20.0 * std::sin(u / 40.0);
        return true;
    }) << 700 << 45;
    // Cells with a corner or checked point left of column 100 transform every position.
    QTest::newRow("no position left of column 100") << Mapping([](double &x, double &y) {
        y = y + 0.001 * x * x;
        return x >= 100.0;
    }) << 300 << 20;
    QTest::newRow("one column") << Mapping([](double &x, double &y) {
        x = 2.0 * x + 0.01 * y * y;
        return true;
    }) << 1 << 40;
    QTest::newRow("no position at all") << Mapping([](double &, double &) { return false; }) << 50 << 10;
}

void TestWarp::gridHoldsPositions()
{
    QFETCH(Mapping, mapping);
    QFETCH(int, width);
    QFETCH(int, rows);
    const int top = 37;  // strips start anywhere
    const WarpGrid grid(
        [&mapping](int count, double *x, double *y, int *ok) {
            for (int i = 0; i < count; ++i)
                ok[i] = mapping(x[i], y[i]);
        },
        width, top, rows);
    std::vector<double> x(static_cast<std::size_t>(width));
    std::vector<double> y(x.size());
    std::vector<unsigned char> ok(x.size());
    double largest = 0.0;
    for (int row = top; row < top + rows; ++row) {
        grid.row(row, 0, width, x.data(), y.data(), ok.data());
        for (int column = 0; column < width; ++column) {
            double ex = column + 0.5;
            double ey = row + 0.5;
            const bool exists = mapping(ex, ey);
            QCOMPARE(bool(ok[std::size_t(column)]), exists);
            if (exists)
                largest = std::max(largest, std::fabs(x[std::size_t(column)] - ex)
                                                + std::fabs(y[std::size_t(column)] - ey));
        }
        // A part of the row is the same part of the whole row.
        const int left = width / 3;
        const int count = std::max(1, width / 4);
        std::vector<double> px(static_cast<std::size_t>(count));
        std::vector<double> py(px.size());
        std::vector<unsigned char> pok(px.size());
        grid.row(row, left, count, px.data(), py.data(), pok.data());
        for (int i = 0; i < count; ++i) {
            QCOMPARE(pok[std::size_t(i)], ok[std::size_t(left + i)]);
            if (pok[std::size_t(i)])
                QCOMPARE(px[std::size_t(i)], x[std::size_t(left + i)]);
        }
    }
    QVERIFY2(largest <= kWarpGridTolerance, qPrintable(QString::number(largest)));

    // The bounds of a part of the strip hold every position in it.
    const int left = width / 5;
    const int count = std::max(1, width / 2);
    double box[4];
    const bool any = grid.bounds(left, count, top + 3, rows - 5, box);
    bool seen = false;
    for (int row = top + 3; row < top + rows - 2; ++row) {
        grid.row(row, left, count, x.data(), y.data(), ok.data());
        for (int i = 0; i < count; ++i) {
            if (!ok[std::size_t(i)])
                continue;
            seen = true;
            QVERIFY(any && x[std::size_t(i)] >= box[0] && y[std::size_t(i)] >= box[1] && x[std::size_t(i)] <= box[2]
                    && y[std::size_t(i)] <= box[3]);
        }
    }
    QCOMPARE(any, seen);
}

// How a raster stores its colours.
enum Layout { Rgb, Grey, Palette, RgbAndInfrared };

void TestWarp::resamplingIsGdals_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<QByteArrayList>("creation");  // GTiff creation options
    QTest::addColumn<int>("resampling");
    const struct
    {
        const char *name;
        Layout layout;
        QByteArrayList creation;
    } rasters[] = {
        {"RGB in tiles of 64", Rgb, {"TILED=YES", "BLOCKXSIZE=64", "BLOCKYSIZE=64"}},
        {"grey in strips of a row", Grey, {"BLOCKYSIZE=1"}},
        {"palette in tiles of 16", Palette, {"TILED=YES", "BLOCKXSIZE=16", "BLOCKYSIZE=16"}},
        {"RGB and infrared in strips", RgbAndInfrared, {"PHOTOMETRIC=RGB", "ALPHA=UNSPECIFIED"}},
    };
    const struct
    {
        const char *name;
        Resampling resampling;
    } resamplings[] = {{"nearest", Resampling::Nearest},
                       {"bilinear", Resampling::Bilinear},
                       {"cubic", Resampling::Cubic},
                       {"lanczos", Resampling::Lanczos}};
    for (const auto &raster : rasters) {
        for (const auto &resampling : resamplings) {
            QTest::newRow(QByteArray(raster.name) + ", " + resampling.name)
                << int(raster.layout) << raster.creation << int(resampling.resampling);
        }
    }
}

void TestWarp::resamplingIsGdals()
{
    QFETCH(int, layout);
    QFETCH(QByteArrayList, creation);
    QFETCH(int, resampling);
    // A UTM 33N sheet 2 degrees east of the meridian, its grid turned about 1.9 degrees:
    // the level's pixels are about the sheet's, where GDAL's warp weighs the pixels
    // around a position the way the program does.
    const QSize size(230, 170);
    const std::array<double, 6> grid{800000, 25, 0, 5400000, 0, -25};
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("sheet.tif"));
    const QByteArray name = QFile::encodeName(path);
    {
        GDALAllRegister();
        const int bands = layout == Grey || layout == Palette ? 1 : layout == Rgb ? 3 : 4;
        CPLStringList options;
        for (const QByteArray &option : creation)
            options.AddString(option.constData());
        GDALDataset *raster = GetGDALDriverManager()->GetDriverByName("GTiff")->Create(
            name.constData(), size.width(), size.height(), bands, GDT_Byte, options.List());
        QVERIFY(raster);
        const QImage image = fixtures::mapLikeImage(size.width(), size.height());
        GDALColorTable table;
        for (int i = 0; i < 256; ++i) {
            const GDALColorEntry entry{short((i * 37) & 255), short(255 - i), short((i * 11) & 255), 255};
            table.SetColorEntry(i, &entry);
        }
        if (layout == Palette)
            raster->GetRasterBand(1)->SetColorTable(&table);
        for (int band = 1; band <= bands; ++band) {
            std::vector<quint8> samples;
            for (int y = 0; y < size.height(); ++y) {
                for (int x = 0; x < size.width(); ++x) {
                    const QRgb pixel = image.pixel(x, y);
                    const int values[] = {qRed(pixel), qGreen(pixel), qBlue(pixel), qGray(pixel)};
                    samples.push_back(quint8(layout == Grey || layout == Palette ? values[3] : values[band - 1]));
                }
            }
            QCOMPARE(raster->GetRasterBand(band)->RasterIO(GF_Write, 0, 0, size.width(), size.height(),
                                                            samples.data(), size.width(), size.height(), GDT_Byte,
                                                            0, 0),
                     CE_None);
        }
        std::array<double, 6> transform = grid;
        const OGRSpatialReference utm = georasters::spatialReference("EPSG:32633");
        raster->SetGeoTransform(transform.data());
        raster->SetSpatialRef(&utm);
        GDALClose(raster);
    }
    GeoreferenceReader reader;
    QVERIFY2(reader.read(path, Resampling(resampling)) == GeoreferenceStatus::Georeferenced,
             qPrintable(reader.errorString()));
    const RasterGeoreference georeference = reader.georeference();
    QCOMPARE(georeference.kind, RasterGeoreference::Warped);
    const QSize level = georeference.size;

    // The program's warp, called directly so that GDAL's cannot stand in for it.
    const GDALDatasetH raster = GDALOpen(name.constData(), GA_ReadOnly);
    QVERIFY(raster);
    const std::shared_ptr<void> keep(raster, [](void *dataset) { GDALClose(dataset); });
    const std::unique_ptr<ImageRowReader> rows = openWarpedRows(georeference, raster, raster, 256, keep);
    QVERIFY(rows);
    QCOMPARE(rows->size(), level);
    const QImage ours = rows->readImage();
    QVERIFY2(!ours.isNull(), qPrintable(rows->errorString()));

    // GDAL's, every position transformed exactly, palettes first made colours and an
    // infrared band left out.
    static const char *const kNames[] = {"near", "bilinear", "cubic", "lanczos"};
    const auto degrees = [](qint32 mas) { return QByteArray::number(mas / 3600000.0, 'g', 17); };
    CPLStringList colourWords;
    for (const char *word : {"-of", "VRT"})
        colourWords.AddString(word);
    for (const char *word : layout == Palette ? QList<const char *>{"-expand", "rgb"}
                                              : QList<const char *>{"-b", "1", "-b", "2", "-b", "3"})
        colourWords.AddString(word);
    GDALTranslateOptions *translate = GDALTranslateOptionsNew(colourWords.List(), nullptr);
    const GDALDatasetH colours = layout == Palette || layout == RgbAndInfrared
        ? GDALTranslate("", raster, translate, nullptr)
        : nullptr;
    GDALTranslateOptionsFree(translate);
    CPLStringList words;
    for (const QByteArray &word : QByteArrayList{"-of", "MEM", "-t_srs", "+proj=longlat +datum=WGS84 +no_defs", "-te",
                                                 degrees(georeference.westMas), degrees(georeference.southMas),
                                                 degrees(georeference.eastMas), degrees(georeference.northMas), "-ts",
                                                 QByteArray::number(level.width()), QByteArray::number(level.height()),
                                                 "-r", kNames[resampling], "-et", "0", "-dstalpha"})
        words.AddString(word.constData());
    GDALWarpAppOptions *options = GDALWarpAppOptionsNew(words.List(), nullptr);
    GDALDatasetH sources[] = {colours ? colours : raster};
    const GDALDatasetH warped = GDALWarp("", nullptr, 1, sources, options, nullptr);
    GDALWarpAppOptionsFree(options);
    QVERIFY(warped);
    const int bands = GDALGetRasterCount(warped);
    std::vector<quint8> theirs(std::size_t(level.width() * level.height() * bands));
    QCOMPARE(GDALDatasetRasterIO(warped, GF_Read, 0, 0, level.width(), level.height(), theirs.data(), level.width(),
                                 level.height(), GDT_Byte, bands, nullptr, bands, bands * level.width(), 1),
             CE_None);
    GDALClose(warped);
    if (colours)
        GDALClose(colours);

    int both = 0;
    int onlyOne = 0;
    int differing = 0;  // by more than one in a colour
    int largest = 0;
    for (int y = 0; y < level.height(); ++y) {
        for (int x = 0; x < level.width(); ++x) {
            const quint8 *gdal = theirs.data() + std::size_t((y * level.width() + x) * bands);
            const QRgb own = ours.pixel(x, y);
            const bool shown = gdal[bands - 1] != 0;
            if (shown != (qAlpha(own) != 0)) {
                ++onlyOne;
                continue;
            }
            if (!shown)
                continue;
            ++both;
            const int grey = bands == 2;
            const int difference = std::max({std::abs(qRed(own) - gdal[0]), std::abs(qGreen(own) - gdal[grey ? 0 : 1]),
                                             std::abs(qBlue(own) - gdal[grey ? 0 : 2])});
            differing += difference > 1;
            largest = std::max(largest, difference);
        }
    }
    const QString numbers = QStringLiteral("%1 pixels shown by both, %2 by one only; %3 differ by more than one, "
                                           "by up to %4")
                                .arg(both).arg(onlyOne).arg(differing).arg(largest);
    qInfo("%s", qPrintable(numbers));
    QVERIFY2(both > level.width() * level.height() / 2, qPrintable(numbers));
    // Nearest differs where a position lies within a hair of a pixel's edge: the grid's
    // level pixels fall near whole source rows along much of their length.
    QVERIFY2(onlyOne <= 2 && differing <= both / (resampling == int(Resampling::Nearest) ? 100 : 1000),
             qPrintable(numbers));
}

QTEST_GUILESS_MAIN(TestWarp)
#include "tst_warp.moc"
