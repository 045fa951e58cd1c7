#include <QtTest>

#include "common/wfl_fixtures.h"
#include "smf/wfl_folder_scan.h"
#include "smf/wfl_status.h"

namespace {

// Creates each file of a folder description; "name" entries are written with short
// contents, since listing looks at names only.
bool makeFiles(const QString &root, const QStringList &files)
{
    for (const QString &file : files) {
        if (!wfl::writeFile(QDir(root).filePath(file), "x"))
            return false;
    }
    return true;
}

QStringList relative(const QString &root, const QStringList &paths)
{
    QStringList names;
    for (const QString &path : paths)
        names.append(QDir(root).relativeFilePath(path));
    return names;
}

}  // namespace

class TestWflFolderScan : public QObject
{
    Q_OBJECT
private slots:
    void list_data();
    void list();
    void scanOrderAndNames();
    void scanFailures_data();
    void scanFailures();
};

void TestWflFolderScan::list_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("sidecars");   // expected, in order
    QTest::addColumn<QStringList>("images");
    QTest::addColumn<QString>("errorPart");      // non-empty: listing fails naming this

    const auto list = [](std::initializer_list<const char *> names) {
        QStringList result;
        for (const char *name : names)
            result.append(QString::fromUtf8(name));
        return result;
    };
    QTest::newRow("flat folder skips area.smf and readme.txt")
        << list({"15_0x0.png", "15_0x0.wfl", "area.smf", "readme.txt", "15_1x0.wfl", "15_1x0.jpg"})
        << list({"15_0x0.wfl", "15_1x0.wfl"}) << list({"15_0x0.png", "15_1x0.jpg"}) << QString();
    QTest::newRow("subfolders hide the folder's own files")
        << list({"top_0x0.wfl", "top_0x0.png", "16/16_0x0.wfl", "16/16_0x0.png", "15/15_0x0.wfl", "15/15_0x0.png"})
        << list({"15/15_0x0.wfl", "16/16_0x0.wfl"}) << list({"15/15_0x0.png", "16/16_0x0.png"}) << QString();
    QTest::newRow("names with blanks, names compared as code units")
        << list({"b 15_0x0.wfl", "b 15_0x0.png", "B 15_0x0.wfl", "B 15_0x0.png", "a 15_0x0.WFL", "a 15_0x0.PNG"})
        << list({"B 15_0x0.wfl", "a 15_0x0.WFL", "b 15_0x0.wfl"})
        << list({"B 15_0x0.png", "a 15_0x0.PNG", "b 15_0x0.png"})
        << QString();
    QTest::newRow("an image without a sidecar is not a tile")
        << list({"15_0x0.wfl", "15_0x0.png", "overview.png"}) << list({"15_0x0.wfl"}) << list({"15_0x0.png"})
        << QString();
    QTest::newRow("dots in the base name") << list({"map.v2 15_0x0.wfl", "map.v2 15_0x0.png"})
                                           << list({"map.v2 15_0x0.wfl"}) << list({"map.v2 15_0x0.png"}) << QString();
    QTest::newRow("empty folder") << QStringList() << QStringList() << QStringList() << QString();

    QTest::newRow("sidecar without an image") << list({"15_0x0.wfl", "15_0x0.png", "15_1x0.wfl", "15_1x0.txt"})
                                              << QStringList() << QStringList() << QStringLiteral("15_1x0.wfl");
    QTest::newRow("sidecar with two images") << list({"15_0x0.wfl", "15_0x0.png", "15_0x0.jpg"}) << QStringList()
                                             << QStringList() << QStringLiteral("15_0x0.wfl");
}

void TestWflFolderScan::list()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, sidecars);
    QFETCH(QStringList, images);
    QFETCH(QString, errorPart);
    QTemporaryDir dir;
    QVERIFY(makeFiles(dir.path(), files));

    QStringList gotSidecars;
    QStringList gotImages;
    QString error;
    const int status = listWflFiles(dir.path(), &gotSidecars, &gotImages, &error);
    if (!errorPart.isEmpty()) {
        QCOMPARE(status, int(kWflInvalidTiles));
        QVERIFY2(error.contains(errorPart), qPrintable(error));
        return;
    }
    QCOMPARE(status, int(kWflOk));
    QCOMPARE(relative(dir.path(), gotSidecars), sidecars);
    QCOMPARE(relative(dir.path(), gotImages), images);
}

void TestWflFolderScan::scanOrderAndNames()
{
    QTemporaryDir dir;
    QVERIFY(makeFiles(dir.path(), {QStringLiteral("15/15_0x0.wfl"), QStringLiteral("15/15_0x0.png"),
                                   QStringLiteral("15/15_1x0.wfl"), QStringLiteral("15/15_1x0.png"),
                                   QStringLiteral("tiles_32x24/16 (2)_0x1.wfl"),
                                   QStringLiteral("tiles_32x24/16 (2)_0x1.png"),
                                   QStringLiteral("tiles_32x24/16 (3)_0x0.wfl"),
                                   QStringLiteral("tiles_32x24/16 (3)_0x0.png")}));
    QVector<WflTile> tiles;
    QString error;
    QCOMPARE(scanWflFolder(dir.path(), &tiles, &error), int(kWflOk));
    // Level, part, column, row, each descending; the folder name tiles_32x24 plays no part.
    QCOMPARE(tiles.size(), 4);
    const int expected[4][4] = {{16, 3, 0, 0}, {16, 2, 0, 1}, {15, -1, 1, 0}, {15, -1, 0, 0}};
    for (int i = 0; i < 4; ++i) {
        const WflTile &tile = tiles.at(i);
        QCOMPARE(tile.level, expected[i][0]);
        QCOMPARE(tile.part, expected[i][1]);
        QCOMPARE(tile.column, expected[i][2]);
        QCOMPARE(tile.row, expected[i][3]);
        QCOMPARE(QFileInfo(tile.imagePath).completeBaseName(), QFileInfo(tile.sidecarPath).completeBaseName());
    }
}

void TestWflFolderScan::scanFailures_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("named");  // the files the message must name
    QTest::newRow("a name that does not parse")
        << QStringList{QStringLiteral("15_0x0.wfl"), QStringLiteral("15_0x0.png"), QStringLiteral("tile.wfl"),
                       QStringLiteral("tile.png")}
        << QStringList{QStringLiteral("tile.wfl")};
    QTest::newRow("the same tile in two subfolders")
        << QStringList{QStringLiteral("a/15_0x0.wfl"), QStringLiteral("a/15_0x0.png"), QStringLiteral("b/15_0x0.wfl"),
                       QStringLiteral("b/15_0x0.jpg")}
        << QStringList{QStringLiteral("a/15_0x0.wfl"), QStringLiteral("b/15_0x0.wfl")};
    QTest::newRow("the same tile under two prefixes")
        << QStringList{QStringLiteral("Osm 15_0x0.wfl"), QStringLiteral("Osm 15_0x0.png"),
                       QStringLiteral("Topo 15_0x0.wfl"), QStringLiteral("Topo 15_0x0.png")}
        << QStringList{QStringLiteral("Osm 15_0x0.wfl"), QStringLiteral("Topo 15_0x0.wfl")};
}

void TestWflFolderScan::scanFailures()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, named);
    QTemporaryDir dir;
    QVERIFY(makeFiles(dir.path(), files));
    QVector<WflTile> tiles;
    QString error;
    QCOMPARE(scanWflFolder(dir.path(), &tiles, &error), int(kWflInvalidTiles));
    QVERIFY(tiles.isEmpty());
    for (const QString &name : std::as_const(named))
        QVERIFY2(error.contains(QDir(dir.path()).filePath(name)), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestWflFolderScan)
#include "tst_wfl_folder_scan.moc"
