#include <QtTest>

#include "settings/language_settings.h"

// "Language.ini" names the translation file of the next start; the language menu
// marks a row only on an exact match.
class TestLanguageSettings : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void readIni_data();
    void readIni();
    void missingIniRequestsEnglish();
    void markedIndex_data();
    void markedIndex();
    void writeIni_data();
    void writeIni();
    void locateFallsBackToExecutableFolder();

private:
    QTemporaryDir *dir = nullptr;
    QString oldCurrent;
};

void TestLanguageSettings::init()
{
    oldCurrent = QDir::currentPath();
    dir = new QTemporaryDir;
    QVERIFY(QDir::setCurrent(dir->path()));
}

void TestLanguageSettings::cleanup()
{
    QDir::setCurrent(oldCurrent);
    delete dir;
    dir = nullptr;
}

void TestLanguageSettings::readIni_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty file") << QByteArray() << "./Language.qm";
    QTest::newRow("Traditional") << QByteArray("./LanguageTW.qm\n") << "./LanguageTW.qm";
    QTest::newRow("no line end") << QByteArray("./LanguageZH.qm") << "./LanguageZH.qm";
    QTest::newRow("only the first line") << QByteArray("./LanguageZH.qm\n./LanguageTW.qm\n") << "./LanguageZH.qm";
    QTest::newRow("trailing blank kept") << QByteArray("./LanguageZH.qm \n") << "./LanguageZH.qm ";
    QTest::newRow("empty first line") << QByteArray("\n") << "";
}

void TestLanguageSettings::readIni()
{
    QFETCH(QByteArray, content);
    QFile file(QStringLiteral("Language.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    QTEST(readLanguageIni(), "expected");
}

void TestLanguageSettings::missingIniRequestsEnglish()
{
    QCOMPARE(readLanguageIni(), QStringLiteral("./LanguageEN.qm"));
}

void TestLanguageSettings::markedIndex_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("index");
    QTest::newRow("English") << "./LanguageEN.qm" << 0;
    QTest::newRow("Simplified") << "./LanguageZH.qm" << 1;
    QTest::newRow("Traditional") << "./LanguageTW.qm" << 2;
    QTest::newRow("empty ini") << "./Language.qm" << 0;
    QTest::newRow("trailing space") << "./LanguageTW.qm " << 0;
    QTest::newRow("other case") << "./languagetw.qm" << 0;
    QTest::newRow("without ./") << "LanguageTW.qm" << 0;
}

void TestLanguageSettings::markedIndex()
{
    QFETCH(QString, path);
    QTEST(markedLanguageIndex(path), "index");
}

void TestLanguageSettings::writeIni_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("English") << 0 << QByteArray("./LanguageEN.qm\n");
    QTest::newRow("Simplified") << 1 << QByteArray("./LanguageZH.qm\n");
    QTest::newRow("Traditional") << 2 << QByteArray("./LanguageTW.qm\n");
}

void TestLanguageSettings::writeIni()
{
    QFETCH(int, index);
    // An older, longer content is truncated.
    QFile old(QStringLiteral("Language.ini"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("./some/much/longer/path/than/any/row.qm\nsecond line\n");
    old.close();

    QVERIFY(writeLanguageIni(index));
    QFile file(QStringLiteral("Language.ini"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QTEST(file.readAll(), "expected");
}

void TestLanguageSettings::locateFallsBackToExecutableFolder()
{
    // Not in the current folder: the copy next to the executable is used.
    const QString besideExe = QCoreApplication::applicationDirPath() + QStringLiteral("/LanguageXX.qm");
    QFile exeCopy(besideExe);
    QVERIFY(exeCopy.open(QIODevice::WriteOnly));
    exeCopy.close();
    QCOMPARE(locateTranslationFile(QStringLiteral("./LanguageXX.qm")), besideExe);

    // A file in the current folder wins.
    QFile local(QStringLiteral("LanguageXX.qm"));
    QVERIFY(local.open(QIODevice::WriteOnly));
    local.close();
    QCOMPARE(locateTranslationFile(QStringLiteral("./LanguageXX.qm")), QStringLiteral("./LanguageXX.qm"));
    QFile::remove(besideExe);

    // An installed program: bin/../share/mapvane.
    const QString dataFolder = QCoreApplication::applicationDirPath() + QStringLiteral("/../share/mapvane");
    QVERIFY(QDir().mkpath(dataFolder));
    QFile installed(dataFolder + QStringLiteral("/LanguageYY.qm"));
    QVERIFY(installed.open(QIODevice::WriteOnly));
    installed.close();
    const QString located = locateTranslationFile(QStringLiteral("./LanguageYY.qm"));
    QFile::remove(installed.fileName());
    QDir().rmpath(dataFolder);
    QCOMPARE(QDir::cleanPath(located), QDir::cleanPath(installed.fileName()));

    // Found nowhere: the path is handed on unchanged.
    QCOMPARE(locateTranslationFile(QStringLiteral("./Nowhere.qm")), QStringLiteral("./Nowhere.qm"));
}

QTEST_GUILESS_MAIN(TestLanguageSettings)
#include "tst_language_settings.moc"
