#include <QtTest>

#include "common/cli_runner.h"
#include "common/project_fixtures.h"
#include "common/wfl_fixtures.h"
#include "smf/smf_file_index.h"
#include "smf/tile_encoding.h"

class TestCliWfl : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void convertsBesideTheFolder_data();
    void convertsBesideTheFolder();
    void outputOption();
    void defaultsFromConfigIni();
    void fileSizeLimitKeepsOldFile();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    // A 100 x 50 map cut into 40 x 30 tiles: columns of 40, 40 and 20 pixels, rows of
    // 30 and 20, named as a tile downloader names them.
    void writeTiles(const QString &folder)
    {
        QVERIFY(wfl::writeCutMap(path(folder), wfl::patternImage(100, 50, 1), QSize(40, 30),
                                 wfl::MapGeo{8.5, 47.25, 1.0 / 1024, 1.0 / 1024},
                                 wfl::plainNames(15, QStringLiteral("OpenStreetMap "))));
    }
    // The checked structure of a written file, and the colour of the last tile's
    // bottom-right pixel (padding).
    SmfFileIndex readFile(const QString &name, QRgb *padding)
    {
        QFile file(path(name));
        SmfFileIndex index;
        QString error;
        if (!file.open(QIODevice::ReadOnly) || !readSmfStructure(file, &index, &error)) {
            qWarning("cannot read %s: %s", qPrintable(name), qPrintable(error));
            return index;
        }
        const SmfTileIndexEntry &entry = index.tiles.last();
        file.seek(entry.offset);
        const QImage tile = decodeTile(file.read(entry.size), index.header.tileWidth, index.header.tileHeight);
        *padding = tile.isNull() ? 0 : tile.pixel(tile.width() - 1, tile.height() - 1);
        return index;
    }

    QScopedPointer<QTemporaryDir> m_dir;
};

void TestCliWfl::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
}

void TestCliWfl::convertsBesideTheFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("folder") << QStringLiteral("tiles");
    QTest::newRow("folder with a trailing slash") << QStringLiteral("tiles/");
}

void TestCliWfl::convertsBesideTheFolder()
{
    QFETCH(QString, folder);
    writeTiles(QStringLiteral("tiles"));
    const cli::Result result = cli::run(m_dir->path(),
        {QStringLiteral("wfl"), folder, QStringLiteral("--fill"), QStringLiteral("0,0,255"), QStringLiteral("--name"),
         QStringLiteral("北京"), QStringLiteral("--cartographer"), QStringLiteral("Ann")});
    QVERIFY(!result.crashed);
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.err.isEmpty(), result.err.constData());  // no terminal: no progress bar
    QVERIFY2(result.out.startsWith("tiles.smf: 1 level, 6 tiles of 40 x 30, "), result.out.constData());
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("tiles/.smf"))));

    QRgb padding = 0;
    const SmfFileIndex index = readFile(QStringLiteral("tiles.smf"), &padding);
    QCOMPARE(index.header.cartographer, QStringLiteral("Ann"));
    QCOMPARE(index.header.mapName, QStringLiteral("北京"));
    QCOMPARE(index.header.tileCount, 6);
    QCOMPARE(index.levels.size(), 1);
    QCOMPARE(index.levels.first().tileColumns, 3);
    QCOMPARE(index.levels.first().tileRows, 2);
    QCOMPARE(index.levels.first().right, 31021875);  // by hand: (8.5 + 120 / 1024) x 3600000
    QCOMPARE(padding & 0xF8F8F8, 0x0000F8u);  // 5 bits a component
}

void TestCliWfl::outputOption()
{
    writeTiles(QStringLiteral("tiles"));
    QVERIFY(QDir().mkpath(path(QStringLiteral("out"))));
    const cli::Result result = cli::run(m_dir->path(), {QStringLiteral("wfl"), QStringLiteral("tiles"),
                                                        QStringLiteral("-o"), QStringLiteral("out/map.smf")});
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.out.startsWith("out/map.smf: "));
    QVERIFY(QFileInfo::exists(path(QStringLiteral("out/map.smf"))));
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("tiles.smf"))));
}

void TestCliWfl::defaultsFromConfigIni()
{
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("config.ini")), "Ann\nAtlas\n255\n0\n0\n"));
    writeTiles(QStringLiteral("tiles"));
    QCOMPARE(cli::run(m_dir->path(), {QStringLiteral("wfl"), QStringLiteral("tiles")}).exitCode, 0);
    QRgb padding = 0;
    const SmfFileIndex index = readFile(QStringLiteral("tiles.smf"), &padding);
    QCOMPARE(index.header.cartographer, QStringLiteral("Ann"));
    QCOMPARE(index.header.mapName, QStringLiteral("Atlas"));
    QCOMPARE(padding & 0xF8F8F8, 0xF80000u);
}

void TestCliWfl::fileSizeLimitKeepsOldFile()
{
    QVERIFY(wfl::writeCutMap(path(QStringLiteral("tiles")), wfl::patternImage(600, 600, 2), QSize(200, 200),
                             wfl::MapGeo(), wfl::plainNames(15)));
    const QByteArray old(300, 'o');
    QVERIFY(fixtures::writeBytes(path(QStringLiteral("tiles.smf")), old));
    const cli::Result result = cli::run(m_dir->path(), {QStringLiteral("wfl"), QStringLiteral("tiles")},
                                        {QStringLiteral("prlimit"), QStringLiteral("--fsize=2000")});
    QVERIFY(!result.crashed);
    QCOMPARE(result.exitCode, 3);
    QVERIFY2(result.err.contains("cannot write tiles.smf: File too large"), result.err.constData());
    QCOMPARE(fixtures::fileBytes(path(QStringLiteral("tiles.smf"))), old);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("tiles.smf")});
}

QTEST_GUILESS_MAIN(TestCliWfl)
#include "tst_cli_wfl.moc"
