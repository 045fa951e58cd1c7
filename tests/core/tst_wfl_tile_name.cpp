#include <QtTest>

#include "smf/wfl_tile_name.h"

class TestWflTileName : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
};

void TestWflTileName::parse_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("part");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");

    QTest::newRow("plain 15_1234x567") << QStringLiteral("15_1234x567.wfl") << 15 << -1 << 1234 << 567;
    QTest::newRow("one-digit level 5_0x0 is 5, not 0") << QStringLiteral("5_0x0.wfl") << 5 << -1 << 0 << 0;
    QTest::newRow("leading zero 05_0x0") << QStringLiteral("05_0x0.wfl") << 5 << -1 << 0 << 0;
    QTest::newRow("level 0") << QStringLiteral("0_2x1.wfl") << 0 << -1 << 2 << 1;
    QTest::newRow("three-digit level 123") << QStringLiteral("123_4x5.wfl") << 123 << -1 << 4 << 5;
    QTest::newRow("letter before the level L15_0x0") << QStringLiteral("L15_0x0.wfl") << 15 << -1 << 0 << 0;
    QTest::newRow("downloader name with a blank")
        << QStringLiteral("/data/OpenStreetMap 15_3x7.wfl") << 15 << -1 << 3 << 7;
    QTest::newRow("numbered part 15 (2)_3x4") << QStringLiteral("15 (2)_3x4.wfl") << 15 << 2 << 3 << 4;
    QTest::newRow("part with a prefix") << QStringLiteral("Topo 12 (10)_0x11.wfl") << 12 << 10 << 0 << 11;
    QTest::newRow("upper-case extension") << QStringLiteral("15_1x2.WFL") << 15 << -1 << 1 << 2;
    QTest::newRow("folder name that looks like a tile")
        << QStringLiteral("/maps/tiles_32x24/15_1x2.wfl") << 15 << -1 << 1 << 2;
    QTest::newRow("earlier digits apart from the tile numbers")
        << QStringLiteral("map2_15_0x0.wfl") << 15 << -1 << 0 << 0;
    QTest::newRow("nine digits") << QStringLiteral("123456789_987654321x1.wfl") << 123456789 << -1 << 987654321 << 1;

    QTest::newRow("only the folder matches") << QStringLiteral("/maps/tiles_32x24/readme.wfl") << -1 << -1 << -1 << -1;
    QTest::newRow("ten-digit level") << QStringLiteral("1234567890_0x0.wfl") << -1 << -1 << -1 << -1;
    QTest::newRow("text after the row") << QStringLiteral("15_3x4 copy.wfl") << -1 << -1 << -1 << -1;
    QTest::newRow("upper-case X") << QStringLiteral("15_3X4.wfl") << -1 << -1 << -1 << -1;
    QTest::newRow("negative column") << QStringLiteral("15_-1x2.wfl") << -1 << -1 << -1 << -1;
    QTest::newRow("part without the blank") << QStringLiteral("15(2)_3x4.wfl") << -1 << -1 << -1 << -1;
    QTest::newRow("no level") << QStringLiteral("_3x4.wfl") << -1 << -1 << -1 << -1;
}

void TestWflTileName::parse()
{
    QFETCH(QString, path);
    QFETCH(int, level);
    QFETCH(int, part);
    QFETCH(int, column);
    QFETCH(int, row);
    qint32 gotPart = 99, gotColumn = 99, gotRow = 99;
    QCOMPARE(parseWflTileName(path, &gotPart, &gotColumn, &gotRow), level);
    QCOMPARE(gotPart, part);
    QCOMPARE(gotColumn, column);
    QCOMPARE(gotRow, row);
}

QTEST_GUILESS_MAIN(TestWflTileName)
#include "tst_wfl_tile_name.moc"
