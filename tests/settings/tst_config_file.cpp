#include <QtTest>

#include "app/settings/config_file.h"

class TestConfigFile : public QObject
{
    Q_OBJECT
private slots:
    void missingFileGivesDefaults();
};

void TestConfigFile::missingFileGivesDefaults()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("config.ini"));
    const ConfigDefaults config = readConfigFile(path);
    QVERIFY(config.opened);
    QCOMPARE(config.cartographer, QStringLiteral("Kelvo"));
    QVERIFY(QFileInfo::exists(path));
}

QTEST_GUILESS_MAIN(TestConfigFile)
#include "tst_config_file.moc"
