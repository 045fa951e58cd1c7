#include <QtTest>

#include "settings/config_file.h"
#include "settings/recent_files.h"
#include "settings/settings_folder.h"

// Where Language.ini, config.ini and the recent files live: the current folder for a
// program run from its build folder, ~/.config/mapvane for an installed one; and the
// list of recent files.
class TestSettingsFolder : public QObject
{
    Q_OBJECT
    QTemporaryDir root;
private slots:
    void folder_data();
    void folder();
    void recentFiles();
};

void TestSettingsFolder::folder_data()
{
    QTest::addColumn<QString>("program");   // the executable's folder; "@" stands for the temporary root
    QTest::addColumn<QString>("beside");    // a file made beside the executable
    QTest::addColumn<QString>("settings");  // "~" stands for the home folder
    QTest::newRow("the build's program folder") << MAPVANE_QM_DIR << "" << ".";
    QTest::newRow("a test inside the build folder") << QCoreApplication::applicationDirPath() << "" << ".";
    QTest::newRow("installed under a prefix") << "@/usr/bin" << "mapvane" << "~/.config/mapvane";
    // Its translations are in share/mapvane, not beside it.
    QTest::newRow("installed beside share") << "@/opt/bin" << "../share/mapvane/LanguageZH.qm"
                                            << "~/.config/mapvane";
    QTest::newRow("a build folder moved away") << "@/moved/bin" << "LanguageTW.qm" << ".";
}

void TestSettingsFolder::folder()
{
    QFETCH(QString, program);
    QFETCH(QString, beside);
    QFETCH(QString, settings);
    program.replace(QLatin1Char('@'), root.path());
    if (!beside.isEmpty()) {
        QVERIFY(QDir().mkpath(program) && makeFolderOf(program + QLatin1Char('/') + beside));
        QVERIFY(QFile(program + QLatin1Char('/') + beside).open(QIODevice::WriteOnly));
    }
    // Wherever the current folder is.
    const QString home = root.filePath(QStringLiteral("home"));
    qunsetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home));
    QCOMPARE(settingsFolderFor(program), settings.replace(QLatin1Char('~'), home));
    QCOMPARE(runsFromBuildFolder(program), settings == QLatin1String("."));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root.filePath(QStringLiteral("xdg"))));
    if (settings != QLatin1String("."))
        QCOMPARE(settingsFolderFor(program), root.filePath(QStringLiteral("xdg/mapvane")));
    // This test runs in the build folder: its files are in the current folder.
    QCOMPARE(configIniPath(), QStringLiteral("./config.ini"));
}

// Most recent first, each file once, at most ten; the file keeps them across runs
// and is written into a folder made for it.
void TestSettingsFolder::recentFiles()
{
    QStringList list;
    for (int i = 0; i < 12; ++i)
        list = withRecentFile(list, QStringLiteral("/maps/%1.smf").arg(i));
    list = withRecentFile(list, QStringLiteral("/maps/5.smf"));
    list = withRecentFile(list, QStringLiteral("/maps/../maps/7.smf"));
    QStringList expected;
    for (int i : {7, 5, 11, 10, 9, 8, 6, 4, 3, 2})
        expected << QStringLiteral("/maps/%1.smf").arg(i);
    QCOMPARE(list, expected);

    const QString path = root.filePath(QStringLiteral("new/folder/recent.ini"));
    QVERIFY(writeRecentFiles(list + QStringList{QString(), QStringLiteral("/maps/1.smf")}, path));
    QCOMPARE(readRecentFiles(path), expected);
    QVERIFY(writeRecentFiles({}, path));
    QCOMPARE(readRecentFiles(path), QStringList());
}

QTEST_GUILESS_MAIN(TestSettingsFolder)
#include "tst_settings_folder.moc"
