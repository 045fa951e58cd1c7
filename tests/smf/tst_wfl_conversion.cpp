#include <QThreadPool>
#include <QtTest>


#include "common/project_fixtures.h"
#include "common/wfl_fixtures.h"
#include "smf/smf_reader.h"
#include "smf/wfl_conversion.h"
#include "smf/wfl_folder.h"

// WFL tile folders to SMF: tile names, sidecars, the layouts of levels and parts, the
// same bytes on any number of threads, and every refusal leaving the old file alone.
class TestWflConversion : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_dir.reset(new QTemporaryDir); QVERIFY(m_dir->isValid()); }
    void tileName_data();
    void tileName();
    void sidecar_data();
    void sidecar();
    void levelsAndParts();
    void failureKeepsOldFile_data();
    void failureKeepsOldFile();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    QScopedPointer<QTemporaryDir> m_dir;
};

void TestWflConversion::tileName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QVector<int>>("numbers");  // level, part, column, row; all -1 when refused
    QTest::newRow("one-digit level 5_0x0 is 5, not 0") << "5_0x0.wfl" << QVector<int>{5, -1, 0, 0};
    QTest::newRow("leading zero, upper-case extension") << "05_1x2.WFL" << QVector<int>{5, -1, 1, 2};
    QTest::newRow("earlier digits apart from the tile numbers") << "map2_L15_0x0.wfl" << QVector<int>{15, -1, 0, 0};
    QTest::newRow("downloader name in a folder that looks like a tile")
        << "/maps/tiles_32x24/OpenStreetMap 15_3x7.wfl" << QVector<int>{15, -1, 3, 7};
    QTest::newRow("numbered part with a prefix") << "Topo 12 (10)_0x11.wfl" << QVector<int>{12, 10, 0, 11};
    QTest::newRow("nine digits") << "123456789_987654321x1.wfl" << QVector<int>{123456789, -1, 987654321, 1};
    QTest::newRow("ten-digit level") << "1234567890_0x0.wfl" << QVector<int>{-1, -1, -1, -1};
    QTest::newRow("only the folder matches") << "/maps/tiles_32x24/readme.wfl" << QVector<int>{-1, -1, -1, -1};
    QTest::newRow("text after the row") << "15_3x4 copy.wfl" << QVector<int>{-1, -1, -1, -1};
}

void TestWflConversion::tileName()
{
    QFETCH(QString, path);
    qint32 part = 99, column = 99, row = 99;
    const qint32 level = parseWflTileName(path, &part, &column, &row);
    QTEST((QVector<int>{level, part, column, row}), "numbers");
}

void TestWflConversion::sidecar_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QVector<int>>("edges");  // top, left, bottom, right
    // Degrees x 3600000 truncated toward zero, by hand.
    QTest::newRow("downloader sidecar, Java notation")
        << QByteArray("256\n256\n0.0\n0.0\n51.5\n-0.0\n51.495\n9.441375732421875E-4\n0.0\n0.0\n")
        << QVector<int>{185400000, 0, 185382000, 3398};  // 3398.895... truncated
    QTest::newRow("CR LF line ends, negative values")
        << QByteArray("1\r\n2\r\n3\r\n4\r\n-33.25\r\n-70.5\r\n-33.5\r\n-70.25\r\n")
        << QVector<int>{-119700000, -253800000, -120600000, -252900000};
    QTest::newRow("CR line ends, exponent with plus, blanks, no final line end")
        << QByteArray("a\rb\rc\rd\r 1.5E+1 \r\t120\r1.0e1\r121.0000001")
        << QVector<int>{54000000, 432000000, 36000000, 435600000};
}

void TestWflConversion::sidecar()
{
    QFETCH(QByteArray, text);
    const QString file = path(QStringLiteral("OpenStreetMap 15_0x0.wfl"));
    QVERIFY(fixtures::writeBytes(file, text));
    WflSidecarEdges read;
    QString error;
    QCOMPARE(readWflSidecar(file, &read, &error), SmfStatus::Ok);
    QTEST((QVector<int>{read.top, read.left, read.bottom, read.right}), "edges");
}

void TestWflConversion::levelsAndParts()
{
    const QString tiles = path(QStringLiteral("tiles"));
    // Level 16: parts 7 and 3 above 5 and 1, numbered in no order and of different
    // widths, ordered west to east by the longitude of their corners and north to
    // south by their latitude.
    const auto parts = [](int column, int row) {
        return QStringLiteral("16 (%1)_%2x%3").arg((row < 2 ? 7 : 5) - (column < 2 ? 0 : 4))
            .arg(column < 2 ? column : column - 2).arg(row % 2);
    };
    const QImage maps[] = {wfl::patternImage(160, 128, 2), wfl::patternImage(80, 40, 3)};
    QVERIFY(wfl::writeCutMap(tiles + QStringLiteral("/16"), maps[0], QSize(32, 32),
                             {-70.5, -33.25, 1.0 / 4096, 1.0 / 4096}, parts));
    // Level 15 as tile downloaders cut it: columns of 32, 32 and 16 pixels, rows of 32 and
    // 8, padded with the fill colour; each sidecar states the full tile extent. Files
    // that are no tiles lie beside them.
    const wfl::MapGeo downloaded{-0.0, 51.5, 9.441375732421875E-4 / 32, 1000.0 / 131072 / 64};
    QVERIFY(wfl::writeCutMap(tiles + QStringLiteral("/15"), maps[1], QSize(32, 32), downloaded,
                             wfl::plainNames(15, QStringLiteral("Open.Street Map "))));
    QVERIFY(fixtures::writeBytes(tiles + QStringLiteral("/15/area.smf"), "an older conversion")
            && fixtures::writeBytes(tiles + QStringLiteral("/15/readme.txt"), "tiles")
            && wfl::patternImage(8, 8, 1).save(tiles + QStringLiteral("/15/overview.png")));
    // Tiles beside the subfolders are not read.
    QVERIFY(wfl::writeCutMap(tiles, wfl::patternImage(32, 32, 9), QSize(32, 32), {}, wfl::plainNames(14)));

    // The same bytes on 1, 3 and 16 threads, written beside the folder (where it is read
    // back below).
    const int poolThreads = QThreadPool::globalInstance()->maxThreadCount();
    QByteArray bytes;
    for (int threads : {1, 3, 16}) {
        QThreadPool::globalInstance()->setMaxThreadCount(threads);
        fixtures::RecordingProgress recorder;
        WflConverter converter(tiles);
        const SmfStatus status = converter.convert(QStringLiteral("Kelvo"), QStringLiteral("测试图"), QColor(200, 16, 40),
                                             &recorder);
        QVERIFY2(status == SmfStatus::Ok, qPrintable(converter.errorString()));
        QCOMPARE(recorder.values.size(), 27);  // each of the 26 tiles, then the end
        QVERIFY(bytes.isEmpty() || fixtures::fileBytes(converter.outputPath()) == bytes);
        bytes = fixtures::fileBytes(converter.outputPath());
    }
    QThreadPool::globalInstance()->setMaxThreadCount(poolThreads);
    QCOMPARE(defaultWflOutputPath(QStringLiteral(".")), QDir::cleanPath(QDir::currentPath()) + QStringLiteral(".smf"));
    // Read back through the checked reader, level by level.
    QFile file(path(QStringLiteral("tiles.smf")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    SmfFileIndex index;
    QString error;
    QVERIFY2(readSmfStructure(file, &index, &error), qPrintable(error));
    QCOMPARE(index.levels.size(), 2);
    // The edges of the full tiles, by hand: 160 x 128 pixels of 1/4096 degree from 70.5 W,
    // 33.25 S; 96 x 9.441375732421875E-4 / 32 degrees = 10196.69 mas east of 0, and 51.5 -
    // 1000 / 131072 degrees = 185372534.18 mas.
    const QVector<qint32> edges[] = {{-253800000, -119700000, -253659375, -119812500}, {0, 185400000, 10196, 185372534}};
    for (int k = 0; k < 2; ++k) {
        const SmfLevelRecord &r = index.levels.at(k);
        QCOMPARE((QVector<qint32>{r.left, r.top, r.right, r.bottom}), edges[k]);
        QCOMPARE(assembleLevelImage(file, index, k).image,
                 fixtures::savedLevel(maps[k], k ? QSize(96, 64) : QSize(160, 128), qRgb(200, 16, 40)));
    }
}

void TestWflConversion::failureKeepsOldFile_data()
{
    // Each case starts from a flat folder of 3 x 2 plain tiles of 16 x 16 at level 15.
    QTest::addColumn<QVariantMap>("written");  // file name: bytes or an image, or nothing to remove the file
    QTest::addColumn<SmfStatus>("status");
    QTest::addColumn<QString>("named");  // what the message must name
    const QByteArray notAnImage("\x89PNG\r\n\x1a\n but nothing after");
    const QByteArray brokenSidecar("256\n256\n0.0\n0.0\n1.0\n0.0\n");  // lines 7 and 8 missing
    const QByteArray sidecar = wfl::sidecarText(1, 0, 0, 1);
    const QImage tile = wfl::patternImage(16, 16, 2);
    const SmfStatus invalid = SmfStatus::InvalidTiles;
    const QVariant removed;
    QTest::newRow("sidecar without an image") << QVariantMap{{"15_1x1.png", removed}} << invalid << "tiles/15_1x1.wfl";
    QTest::newRow("sidecar with two images") << QVariantMap{{"15_1x1.jpg", notAnImage}} << invalid
                                             << "tiles/15_1x1.wfl has more than one image";
    QTest::newRow("sidecar of a broken download") << QVariantMap{{"15_1x1.wfl", brokenSidecar}} << invalid
                                                  << "tiles/15_1x1.wfl: line 7 holds no number";
    QTest::newRow("sidecar value not a finite number") << QVariantMap{{"15_1x1.wfl", brokenSidecar + "0.0\ninf\n"}}
                                                      << invalid << "tiles/15_1x1.wfl: line 8 is not a number";
    QTest::newRow("sidecar latitude beyond 90") << QVariantMap{{"15_1x1.wfl", brokenSidecar + "90.5\n1.0\n"}}
                                                << invalid << "tiles/15_1x1.wfl: line 7 gives 90.5 degrees";
    QTest::newRow("plain level with a tile missing") << QVariantMap{{"15_1x1.png", removed}, {"15_1x1.wfl", removed}}
                                                     << invalid << "column 1, row 1";
    QTest::newRow("tile larger than the first")
        << QVariantMap{{"15_1x0.png", wfl::patternImage(16, 17, 2)}} << invalid << "tiles/15_1x0.png";
    QTest::newRow("narrow tile inside the grid")
        << QVariantMap{{"15_0x1.png", wfl::patternImage(15, 16, 2)}} << invalid << "tiles/15_0x1.png";
    QTest::newRow("the same tile under two names") << QVariantMap{{"Topo 15_0x0.wfl", sidecar}, {"Topo 15_0x0.png", tile}}
                                                   << invalid << "tiles/Topo 15_0x0.wfl are the same tile";
    QTest::newRow("plain tiles and parts in one level")
        << QVariantMap{{"15 (1)_0x0.wfl", sidecar}, {"15 (1)_0x0.png", tile}} << invalid << "tiles/15 (1)_0x0.wfl";
    QTest::newRow("part without its top-left tile")
        << QVariantMap{{"14 (2)_1x0.wfl", sidecar}, {"14 (2)_1x0.png", tile}} << invalid << "part 2";
    QTest::newRow("two parts at one corner") << QVariantMap{{"14 (1)_0x0.wfl", sidecar}, {"14 (1)_0x0.png", tile},
                                                            {"14 (2)_0x0.wfl", sidecar}, {"14 (2)_0x0.png", tile}}
                                             << invalid << "tiles/14 (2)_0x0.wfl";
    QTest::newRow("cancelled") << QVariantMap() << SmfStatus::Cancelled << "cancelled";
    // An image that does not decode. Later sidecars are read while earlier tiles are
    // still being made: the first bad tile in index order is still the one reported.
    QTest::newRow("bad image before a bad sidecar")
        << QVariantMap{{"15_2x0.png", notAnImage}, {"15_1x1.wfl", brokenSidecar}} << invalid << "tiles/15_2x0.png";
}

void TestWflConversion::failureKeepsOldFile()
{
    QFETCH(QVariantMap, written);
    const QString tiles = path(QStringLiteral("tiles"));
    QVERIFY(wfl::writeCutMap(tiles, wfl::patternImage(48, 32, 1), QSize(16, 16), wfl::MapGeo(), wfl::plainNames(15)));
    for (auto it = written.cbegin(); it != written.cend(); ++it) {
        const QString file = tiles + QLatin1Char('/') + it.key();
        const QVariant &v = it.value();
        QVERIFY(v.typeId() == QMetaType::QImage ? v.value<QImage>().save(file)
                : v.isValid() ? fixtures::writeBytes(file, v.toByteArray()) : QFile::remove(file));
    }
    const QString output = path(QStringLiteral("out.smf"));
    QVERIFY(fixtures::writeBytes(output, "the previous file"));
    fixtures::RecordingProgress recorder;
    QFETCH(SmfStatus, status);
    recorder.cancelAfterPumps = status == SmfStatus::Cancelled ? 3 : -1;
    WflConverter converter(tiles, output);
    QCOMPARE(converter.convert(QString(), QString(), QColor(), &recorder), status);
    QFETCH(QString, named);
    QVERIFY2(converter.errorString().contains(named), qPrintable(converter.errorString()));
    QCOMPARE(fixtures::fileBytes(output), QByteArray("the previous file"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("out.smf")});
    QCOMPARE(recorder.finished, recorder.maximum >= 0 ? 1 : 0);
}

QTEST_GUILESS_MAIN(TestWflConversion)
#include "tst_wfl_conversion.moc"
