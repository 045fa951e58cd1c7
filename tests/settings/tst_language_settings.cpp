#include <QtTest>

#include "settings/language_settings.h"

namespace {

// Runs a test in a fresh current folder, where Language.ini is read and written.
struct InTemporaryFolder
{
    InTemporaryFolder() { QDir::setCurrent(dir.path()); }
    ~InTemporaryFolder() { QDir::setCurrent(old); }
    QString old = QDir::currentPath();
    QTemporaryDir dir;
};

}  // namespace

// "Language.ini" names the translation file of the next start, which is looked for in
// the current folder, beside the program and in an installed program's data folder.
class TestLanguageSettings : public QObject
{
    Q_OBJECT
private slots:
    void readIni_data();
    void readIni();
    void locateTranslationFile();
};

void TestLanguageSettings::readIni_data()
{
    QTest::addColumn<QByteArray>("content");  // null: no Language.ini
    QTest::addColumn<QString>("expected");
    QTest::newRow("no file: English") << QByteArray() << "./LanguageEN.qm";
    QTest::newRow("empty file") << QByteArray("") << "./Language.qm";
    QTest::newRow("only the first line") << QByteArray("./LanguageZH.qm\n./LanguageTW.qm\n") << "./LanguageZH.qm";
}

void TestLanguageSettings::readIni()
{
    QFETCH(QByteArray, content);
    InTemporaryFolder folder;
    QFile file(QStringLiteral("Language.ini"));
    QVERIFY(content.isNull() || (file.open(QIODevice::WriteOnly) && file.write(content) == content.size()));
    file.close();
    QTEST(readLanguageIni(), "expected");
}

void TestLanguageSettings::locateTranslationFile()
{
    InTemporaryFolder folder;
    const auto touch = [](const QString &path) { return QFile(path).open(QIODevice::WriteOnly); };
    const auto locate = [] { return ::locateTranslationFile(QStringLiteral("./LanguageXX.qm")); };
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/");
    const QString data = program + QStringLiteral("../share/mapvane/");
    // Found nowhere: the path is handed on unchanged.
    QCOMPARE(locate(), QStringLiteral("./LanguageXX.qm"));
    // An installed program's bin/../share/mapvane, beside the program before it, and the
    // current folder first.
    QVERIFY(QDir().mkpath(data) && touch(data + QStringLiteral("LanguageXX.qm")));
    const QString installed = locate();
    QVERIFY(touch(program + QStringLiteral("LanguageXX.qm")));
    const QString beside = locate();
    QVERIFY(touch(QStringLiteral("LanguageXX.qm")));
    const QString current = locate();
    QFile::remove(program + QStringLiteral("LanguageXX.qm"));
    QDir(data).removeRecursively();
    QDir(program).rmdir(QStringLiteral("../share"));
    QCOMPARE(QDir::cleanPath(installed), QDir::cleanPath(data + QStringLiteral("LanguageXX.qm")));
    QCOMPARE(QDir::cleanPath(beside), QDir::cleanPath(program + QStringLiteral("LanguageXX.qm")));
    QCOMPARE(current, QStringLiteral("./LanguageXX.qm"));
}

QTEST_GUILESS_MAIN(TestLanguageSettings)
#include "tst_language_settings.moc"
