#include <QtTest>

#include "common/files.h"
#include "common/ozi_fixtures.h"
#include "raster/ozi_map.h"

using fixtures::OziPoint;

namespace {

// x, y, longitude and latitude of the top-left point, then of the bottom-right point:
// pixels and milliarcseconds; empty for a file that gives no corners.
using Calibration = QVector<qint32>;
const Calibration kNoCorners;

// The header of a real file, then the given point block, CRLF line ends.
QByteArray withBlock(const QByteArray &block)
{
    return fixtures::withCrLf(fixtures::oziHeader("topo.png") + block);
}

}  // namespace

class TestOziMap : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_dir.reset(new QTemporaryDir); QVERIFY(m_dir->isValid()); }
    void isOziMapPath();
    void calibration_data();
    void calibration();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QVERIFY(QDir(m_dir->path()).mkpath(QFileInfo(path(name)).path()));
        QVERIFY(fixtures::writeBytes(path(name), bytes));
    }

    QScopedPointer<QTemporaryDir> m_dir;
};

// Only a name with a stem and the suffix .map, in any letter case: convert reads .MAP
// files in tst_cli_exit_codes and tst_cli_commands.
void TestOziMap::isOziMapPath()
{
    for (const char *path : {"roadmap", "/data/.map", "a.map.png"})
        QVERIFY2(!::isOziMapPath(QString::fromLatin1(path)), path);
}

void TestOziMap::calibration_data()
{
    QTest::addColumn<QByteArray>("file");  // "%DIR%" stands for the test folder
    QTest::addColumn<OziCalibrationSource>("source");
    QTest::addColumn<Calibration>("expected");
    QTest::addColumn<QStringList>("files");  // made in the test folder
    QTest::addColumn<QString>("image");      // the layer's source, "%DIR%" likewise
    const auto row = [](const char *name, const QByteArray &file, OziCalibrationSource source, const Calibration &expected,
                        const QStringList &files = {}, const QString &image = QStringLiteral("%DIR%/topo.png")) {
        QTest::newRow(name) << file << source << expected << files << image;
    };

    const QVector<OziPoint> corners = fixtures::fourCorners();
    // Degrees x 3600000 by hand: 10 -> 36000000, 11 -> 39600000, 45 -> 162000000, 46 -> 165600000.
    const Calibration cornersExpected{0, 0, 36000000, 165600000, 999, 799, 39600000, 162000000};

    // A 3 x 4 grid in which the extreme pixels are the ninth to twelfth points.
    QVector<OziPoint> grid;
    for (int i = 0; i < 8; ++i)
        grid.append({100 + 100 * (i % 4), 100 + 100 * (i / 4), 10.1 + 0.1 * (i % 4), 45.9 - 0.1 * (i / 4)});
    grid += {{0, 50, 10.0, 45.95}, {999, 60, 11.0, 45.94}, {500, 0, 10.5, 46.0}, {510, 799, 10.51, 45.0}};
    row("twelve points, all in the bounding box", withBlock(fixtures::oziPointBlock(grid)), OziCalibrationSource::MmpBlock,
        cornersExpected);

    row("count 0: no points", withBlock("MMPNUM,0\nMM1B,1\n"), OziCalibrationSource::None, kNoCorners);
    // No image named: the map file itself stands as the image.
    row("empty file", QByteArray(), OziCalibrationSource::None, kNoCorners, {}, QStringLiteral("%DIR%/topo.map"));
    // Four pixel lines, then only two geographic lines before the end of the file.
    row("file ends inside the block",
        withBlock("MMPNUM,4\nMMPXY,1,0,0\nMMPXY,2,999,0\nMMPXY,3,999,799\nMMPXY,4,0,799\n"
                  "MMPLL,1,  10.000000,  46.000000\nMMPLL,2,  11.000000,  46.000000\n"),
        OziCalibrationSource::MmpBlock, {0, 0, 36000000, 165600000, 999, 0, 39600000, 165600000});
    row("second block replaces the first",
        withBlock(fixtures::oziPointBlock({{5, 5, 1.0, 2.0}, {6, 6, 3.0, 1.0}}) + fixtures::oziPointBlock(corners)),
        OziCalibrationSource::MmpBlock, cornersExpected);
    row("equal pixels: the earlier point wins",
        withBlock(fixtures::oziPointBlock(
            {{0, 0, 10.0, 46.0}, {0, 0, 12.0, 47.0}, {999, 799, 11.0, 45.0}, {999, 799, 13.0, 44.0}})),
        OziCalibrationSource::MmpBlock, cornersExpected);
    // -10.0000001 x 3600000 = -36000000.36, truncated toward zero.
    row("west and south truncate toward zero",
        withBlock("MMPNUM,2\nMMPXY,1,0,0\nMMPXY,2,10,10\nMMPLL,1,-10.0000001,-1.0000001\nMMPLL,2,-9.5,-2.5\n"),
        OziCalibrationSource::MmpBlock, {0, 0, -36000000, -3600000, 10, 10, -34200000, -9000000});

    // Files written without the moving-map block carry their points on the Point lines
    // only, in degrees and minutes on the datum of line 5.
    const QVector<OziPoint> southWest{{0, 0, -70.5, -33.25}, {400, 300, -70.25, -33.5}};
    row("Point lines, south and west", fixtures::withCrLf(fixtures::oziHeader("topo.png", southWest)), OziCalibrationSource::PointLines,
        {0, 0, -253800000, -119700000, 400, 300, -252900000, -120600000});
    // Maps on other datums are warped (tst_ozi_projection).
    const QByteArray moscow = fixtures::withCrLf(fixtures::oziHeader("topo.png", {{0, 0, 37.5, 56.0}, {20, 16, 38.0, 55.5}}));
    row("the MMP block wins over Point lines", moscow + fixtures::withCrLf(fixtures::oziPointBlock(corners)),
        OziCalibrationSource::MmpBlock, cornersExpected);

    // The image line, resolved against the folder of the map file.
    const auto named = [&](const char *name, const QByteArray &imageLine, const QStringList &files,
                           const QString &image) {
        row(name, fixtures::oziMapFile(imageLine, corners), OziCalibrationSource::MmpBlock, cornersExpected, files, image);
    };
    named("relative folder with backslashes", "scans\\topo.png", {"scans/topo.png"}, "%DIR%/scans/topo.png");
    named("the exact name before another letter case", "C:\\Maps\\topo.png", {"Topo.png", "topo.png"},
          "%DIR%/topo.png");
    named("Windows absolute path, missing", "C:\\Maps\\Scans\\gone.png", {"topo.png"}, "C:/Maps/Scans/gone.png");
    named("absolute path of this machine, trailing blanks", "%DIR%/elsewhere/topo.png  ",
          {"elsewhere/topo.png", "topo.png"}, "%DIR%/elsewhere/topo.png");
    named("UTF-8 Chinese name", QString::fromUtf8("D:\\地图\\地形图.png").toUtf8(), {QString::fromUtf8("地形图.png")},
          QString::fromUtf8("%DIR%/地形图.png"));
    // GBK code table: 地 B5D8, 形 D0CE, 图 CDBC.
    named("GB18030 Chinese name", "D:\\\xb5\xd8\xcd\xbc\\\xb5\xd8\xd0\xce\xcd\xbc.png", {QString::fromUtf8("地形图.png")},
          QString::fromUtf8("%DIR%/地形图.png"));
    // Windows-1252: ü is FC. Read as GB18030 first, FC 72 is one Chinese character.
    named("Windows-1252 name", "C:\\Karten\\Z\xfcrich.png", {QString::fromUtf8("Zürich.png")},
          QString::fromUtf8("%DIR%/Zürich.png"));
    named("empty image line", QByteArray(), {"topo.png"}, "%DIR%/topo.map");
}

void TestOziMap::calibration()
{
    QFETCH(QByteArray, file);
    QFETCH(OziCalibrationSource, source);
    QFETCH(Calibration, expected);
    QFETCH(QStringList, files);
    QFETCH(QString, image);
    for (const QString &name : std::as_const(files))
        writeFile(name, "image");
    writeFile(QStringLiteral("topo.map"), file.replace("%DIR%", m_dir->path().toUtf8()));
    OziMapFile map;
    QCOMPARE(map.read(path(QStringLiteral("topo.map"))), OziMapStatus::Ok);
    const CalibrationPoint tl = map.topLeft();
    const CalibrationPoint br = map.bottomRight();
    const Calibration corners{tl.pixelX, tl.pixelY, tl.lon, tl.lat, br.pixelX, br.pixelY, br.lon, br.lat};
    QCOMPARE(map.hasCorners() ? corners : kNoCorners, expected);
    QCOMPARE(map.summary().source, source);
    QCOMPARE(map.summary().pointCount > 0, source != OziCalibrationSource::None);
    QVERIFY(!map.georeference());
    QCOMPARE(map.imagePath(), image.replace(QStringLiteral("%DIR%"), m_dir->path()));
}

QTEST_GUILESS_MAIN(TestOziMap)
#include "tst_ozi_map.moc"
