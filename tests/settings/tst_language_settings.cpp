#include <QtTest>

#include "settings/language_settings.h"

// "Language.ini" names the translation file of the next start, which is looked for in
// the current folder, beside the program and in an installed program's data folder.
// Both tests run in a fresh current folder.
class TestLanguageSettings : public QObject
{
    Q_OBJECT
    QTemporaryDir folder;
private slots:
    void initTestCase() { QVERIFY(QDir::setCurrent(folder.path())); }
    void readIni();
    void locateTranslationFile();
    void qtTranslationLocale();
};

// English without the file, "./Language.qm" for an empty one, else its first line.
void TestLanguageSettings::readIni()
{
    QCOMPARE(readLanguageIni(), QStringLiteral("./LanguageEN.qm"));
    QFile file(QStringLiteral("Language.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(readLanguageIni(), QStringLiteral("./Language.qm"));
    QVERIFY(file.write("./LanguageZH.qm\n./LanguageTW.qm\n") > 0 && file.flush());
    QCOMPARE(readLanguageIni(), QStringLiteral("./LanguageZH.qm"));
}

// Found nowhere, the path is handed on unchanged; an installed program's
// bin/../share/mapvane is searched, beside the program before it, and the current
// folder first.
void TestLanguageSettings::locateTranslationFile()
{
    const QString name = QStringLiteral("LanguageXX.qm");
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/");
    const QString data = program + QStringLiteral("../share/mapvane/");
    QStringList found;
    for (const QString &folder : {QString(), data, program, QStringLiteral("./")}) {
        QVERIFY(folder.isEmpty() || (QDir().mkpath(folder) && QFile(folder + name).open(QIODevice::WriteOnly)));
        found << QDir::cleanPath(::locateTranslationFile("./" + name));
    }
    QFile::remove(program + name);
    QDir(data).removeRecursively();
    QDir(program).rmdir(QStringLiteral("../share"));
    QCOMPARE(found, QStringList({name, QDir::cleanPath(data + name), QDir::cleanPath(program + name), name}));
}

// Qt's own texts follow the two Chinese files, named in any folder; English needs none.
void TestLanguageSettings::qtTranslationLocale()
{
    QStringList locales;
    for (const QString &file : {LanguageFileTable[0], LanguageFileTable[1], LanguageFileTable[2],
                                QStringLiteral("/usr/share/mapvane/LanguageTW.qm"), QStringLiteral("./Language.qm")})
        locales << ::qtTranslationLocale(file);
    QCOMPARE(locales, QStringList({"", "zh_CN", "zh_TW", "zh_TW", ""}));
}

QTEST_GUILESS_MAIN(TestLanguageSettings)
#include "tst_language_settings.moc"
