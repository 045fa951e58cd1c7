#include <QtTest>

#include "settings/config_file.h"

// "./config.ini" holds the defaults of new projects: cartographer, map name and
// the fill colour's red, green and blue, one per line. The window reads what it can;
// the command line reads only files whose colour lines are numbers 0 to 255.
class TestConfigFile : public QObject
{
    Q_OBJECT
private slots:
    void read_data();
    void read();
    void unwritablePathFails();
};

void TestConfigFile::read_data()
{
    QTest::addColumn<QByteArray>("content");  // null: no file, which is then created empty
    QTest::addColumn<QString>("cartographer");
    QTest::addColumn<QString>("mapName");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("strict");  // the command line takes it as a settings file

    const QColor grey(122, 122, 122);
    QTest::newRow("no file") << QByteArray() << "Kelvo" << "Kelvo" << grey << false;
    QTest::newRow("empty file") << QByteArray("") << "Kelvo" << "Kelvo" << grey << false;
    QTest::newRow("two lines keep the grey") << QByteArray("Ann\nHills\n") << "Ann" << "Hills" << grey << false;
    QTest::newRow("empty third line reads as 0")
        << QByteArray("Ann\nHills\n\n200\n100\n") << "Ann" << "Hills" << QColor(0, 200, 100) << false;
    QTest::newRow("empty text lines read as Kelvo")
        << QByteArray("\n\n10\n20\n30") << "Kelvo" << "Kelvo" << QColor(10, 20, 30) << true;
    QTest::newRow("not a number reads as 0")
        << QByteArray("A\nB\nred\n20\n30\n") << "A" << "B" << QColor(0, 20, 30) << false;
    QTest::newRow("another program's ini file")
        << QByteArray("[General]\nx=1\ny=2\nz=3\nw=4\n") << "[General]" << "x=1" << QColor(0, 0, 0) << false;
    QTest::newRow("CRLF line ends, blanks") << QByteArray("A\r\nB\r\n 4\r\n5 \r\n6\r\n") << "A" << "B" << QColor(4, 5, 6)
                                            << true;
    QTest::newRow("UTF-8 Chinese texts")
        << QByteArray("\xe5\x88\xb6\xe5\x9b\xbe\n\xe5\x9c\xb0\xe5\x9b\xbe\n1\n1\n1\n")
        << QString::fromUtf8("制图") << QString::fromUtf8("地图") << QColor(1, 1, 1) << true;
}

void TestConfigFile::read()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("config.ini"));
    if (!content.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }
    const ConfigDefaults config = readConfigFile(path);
    QVERIFY(config.opened);
    QVERIFY(QFileInfo::exists(path) && QFileInfo(path).size() == content.size());
    QTEST(config.cartographer, "cartographer");
    QTEST(config.mapName, "mapName");
    QTEST(config.fillColour, "colour");

    QFETCH(bool, strict);
    ConfigDefaults checked = builtInConfigDefaults();
    QString error;
    QCOMPARE(parseConfigText(content, &checked, &error), strict);
    QCOMPARE(error.isEmpty(), strict);
    if (strict) {
        QCOMPARE(checked.cartographer, config.cartographer);
        QCOMPARE(checked.mapName, config.mapName);
        QCOMPARE(checked.fillColour, config.fillColour);
    }
}

void TestConfigFile::unwritablePathFails()
{
    QTemporaryDir dir;
    // A folder that is really a file: the write fails even for root.
    const QString blocker = dir.filePath(QStringLiteral("plain"));
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString path = blocker + QStringLiteral("/config.ini");
    QVERIFY(!writeConfigFile(QStringLiteral("A"), QStringLiteral("B"), QColor(1, 2, 3), path));
    QVERIFY(!readConfigFile(path).opened);
}

QTEST_GUILESS_MAIN(TestConfigFile)
#include "tst_config_file.moc"
