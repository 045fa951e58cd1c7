// Rasters convert takes that need a closer look: a name GDAL would read as a driver's
// prefix, a sheet fitted to its corners when asked, and the report of many ground
// control points. (The files it refuses are refused by the import every front end
// uses: tst_layer_import, tst_import_reasons.)

#include <QtTest>

#include "common/cli_runner.h"
#include "common/ozi_fixtures.h"
#include "common/project_fixtures.h"

class TestCliRasterInputs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void accepted_data();
    void accepted();
    void pointsFileAsGcp();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    void write(const QString &name, const QByteArray &bytes) { QVERIFY(fixtures::writeBytes(path(name), bytes)); }

    QTemporaryDir m_dir;
};

void TestCliRasterInputs::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(fixtures::mapLikeImage(40, 30).save(path(QStringLiteral("a:b.png"))));
    write(QStringLiteral("a:b.pgw"), "0.01\n0\n0\n-0.01\n10\n46\n");
    write(QStringLiteral("a:b.prj"), "GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\",6378137.0,"
                                     "298.257223563]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]]");
    QVERIFY(fixtures::mapLikeImage(400, 300).save(path(QStringLiteral("scan.png"))));
    // A sheet on UTM whose datum no list knows, with its WGS 84 corner block.
    QVERIFY(fixtures::mapLikeImage(1000, 800).save(path(QStringLiteral("topo.png"))));
    QByteArray mars = fixtures::oziMapFile("topo.png", fixtures::fourCorners());
    write(QStringLiteral("mars.map"), mars.replace("WGS 84,WGS 84,", "Mars 2000,WGS 84,")
                                          .replace("Latitude/Longitude", "UTM Grid"));
}

void TestCliRasterInputs::accepted_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("report");
    // A name GDAL would read as a driver's prefix, were it not made absolute.
    QTest::newRow("a file named a:b.png") << QStringList{"a:b.png"} << "a:b.png: georeferenced by its world file";
    QTest::newRow("a sheet on an unknown datum, fitted to its corners when asked")
        << QStringList{"mars.map", "--allow-corner-fit"} << "the MMPXY/MMPLL block (WGS 84)";
    // 25 points of an affine map: the 20 worst one by one, the rest in one line.
    QStringList points;
    for (int i = 0; i < 25; ++i)
        points << QStringLiteral("--gcp") << QStringLiteral("%1,%2,%3,%4").arg(i % 5 * 100).arg(i / 5 * 75)
                                                 .arg(10 + i % 5 * 0.01).arg(46 - i / 5 * 0.01);
    QTest::newRow("25 ground control points") << QStringList{"scan.png"} + points
                                              << "scan.png: the other 5 points: residuals up to 0.00 px";
}

void TestCliRasterInputs::accepted()
{
    QFETCH(QStringList, args);
    QFETCH(QString, report);
    const cli::Result result = cli::run(m_dir.path(), QStringList{QStringLiteral("convert"), QStringLiteral("ok.smf")} + args);
    QVERIFY2(result.exitCode == 0, result.err.constData());
    QVERIFY2(QString::fromUtf8(result.out).contains(report), result.out.constData());
    QVERIFY(QFile::remove(path(QStringLiteral("ok.smf"))));
}

// The enabled points of a QGIS 2 points file (pixel y negative downward) give the file
// the same points typed with --gcp give.
void TestCliRasterInputs::pointsFileAsGcp()
{
    write(QStringLiteral("scan.png.points"), "mapX,mapY,pixelX,pixelY,enable\n10,46,0,0,1\n11,46,400,0,1\n"
                                             "11.01,45,400,-300,1\n10,45.02,0,-300,1\n40,10,200,-150,0\n");
    QVector<cli::Result> results = cli::runAll(m_dir.path(), {
        {cli::words(QStringLiteral("convert f.smf scan.png --gcp-file scan.png.points --transform tps")), {}, {}},
        {cli::words(QStringLiteral("convert g.smf scan.png --gcp 0,0,10,46 --gcp 400,0,11,46 --gcp 400,300,11.01,45 "
                                   "--gcp 0,300,10,45.02 --transform tps")), {}, {}}});
    QVERIFY2(results.at(0).exitCode == 0, results.at(0).err.constData());
    QCOMPARE(results[0].out.replace("f.smf", "g.smf"), results.at(1).out);
    QCOMPARE(fixtures::fileBytes(path(QStringLiteral("f.smf"))), fixtures::fileBytes(path(QStringLiteral("g.smf"))));
}

QTEST_GUILESS_MAIN(TestCliRasterInputs)
#include "tst_cli_raster_inputs.moc"
