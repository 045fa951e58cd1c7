// The window and convert take a layer file through the one import: for each file they
// both refuse, each says the reason importLayer gives, the window in its language
// (here its source texts, with the core's English reason), convert in English with
// the exit code of the failure.

#include "common/cli_runner.h"
#include "common/ozi_fixtures.h"
#include "common/window_fixture.h"

class TestImportReasons : public QObject
{
    Q_OBJECT
private slots:
    void sameReason_data();
    void sameReason();
};

void TestImportReasons::sameReason_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");  // written to file unless empty
    QTest::addColumn<int>("exitCode");      // of convert: 3 unreadable, 1 invalid
    QByteArray mars = fixtures::oziMapFile("scan.png", fixtures::fourCorners());
    mars.replace("WGS 84,WGS 84,", "Mars 2000,WGS 84,").replace("Latitude/Longitude", "UTM Grid");
    QTest::newRow("missing raster") << "nothing.tif" << QByteArray() << 3;
    QTest::newRow("text named .png") << "text.png" << QByteArray("not an image\n") << 1;
    QTest::newRow("world file with a .prj that is no grid") << "scan.png" << QByteArray() << 1;
    QTest::newRow("OziExplorer file missing") << "gone.map" << QByteArray() << 3;
    QTest::newRow("grid on a datum no list knows") << "mars.map" << mars << 1;
    QTest::newRow("OziExplorer's own image format")
        << "ozf.map" << fixtures::oziMapFile("topo.ozf2", fixtures::fourCorners()) << 1;
}

void TestImportReasons::sameReason()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(int, exitCode);
    ProjectWindow w;
    QVERIFY(fixtures::mapLikeImage(40, 30).save(w.fixture.path(QStringLiteral("scan.png"))));
    w.fixture.write(QStringLiteral("scan.pgw"), "0.01\n0\n0\n-0.01\n10\n46\n");
    w.fixture.write(QStringLiteral("scan.prj"), "not a grid at all");
    if (!bytes.isEmpty())
        w.fixture.write(file, bytes);
    const QString path = w.fixture.path(file);

    const LayerImport import = importLayer(path);
    QVERIFY(import.refused());
    QCOMPARE(int(import.status == LayerImportStatus::Unreadable ? 3 : 1), exitCode);
    const cli::Result convert = cli::run(w.fixture.dir.path(), {QStringLiteral("convert"), QStringLiteral("x.smf"), path});
    QCOMPARE(convert.exitCode, exitCode);
    QCOMPARE(QString::fromUtf8(convert.err), QStringLiteral("mapvane-cli: convert: layer 1 (%1): %2\n").arg(path, import.reason));
    ModalAnswer answer;
    w.window.addLayerFiles({path});
    QCOMPARE(answer.texts, QStringList{QString::fromUtf8("无法加载 %1\n%2").arg(file, import.reason)});
    QVERIFY(w.window.project().layers.isEmpty());
}

QTEST_MAIN(TestImportReasons)
#include "tst_import_reasons.moc"
