#include <QtTest>

#include <QComboBox>
#include <QDockWidget>
#include <QMenuBar>
#include <QTableWidget>
#include <QTranslator>

#include "settings/language_settings.h"
#include "ui/c_about.h"
#include "ui/c_points_form.h"
#include "ui/c_property.h"
#include "ui/mapvane2.h"

// The compiled translation files must cover every text the window shows: with the
// English file loaded no Chinese character remains, and the Traditional file
// gives Traditional characters.
class TestTranslations : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void sourcesAreComplete_data();
    void sourcesAreComplete();
    void windowTexts_data();
    void windowTexts();

private:
    static QStringList windowTexts(Mapvane2 &window);
    QTemporaryDir *dir = nullptr;
    QString oldCurrent;
};

void TestTranslations::init()
{
    oldCurrent = QDir::currentPath();
    dir = new QTemporaryDir;
    QVERIFY(QDir::setCurrent(dir->path()));
}

void TestTranslations::cleanup()
{
    QDir::setCurrent(oldCurrent);
    delete dir;
}

void TestTranslations::sourcesAreComplete_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("English") << "LanguageEN.ts";
    QTest::newRow("Simplified") << "LanguageZH.ts";
    QTest::newRow("Traditional") << "LanguageTW.ts";
}

void TestTranslations::sourcesAreComplete()
{
    QFETCH(QString, file);
    QFile ts(QStringLiteral(MAPVANE_SOURCE_DIR "/translations/") + file);
    QVERIFY(ts.open(QIODevice::ReadOnly));
    const QByteArray content = ts.readAll();
    QVERIFY(content.count("<message>") > 30);
    QCOMPARE(content.count("type=\"unfinished\""), qsizetype(0));
    QCOMPARE(content.count("<translation></translation>"), qsizetype(0));
}

QStringList TestTranslations::windowTexts(Mapvane2 &window)
{
    QStringList texts;
    for (QAction *a : window.findChildren<QAction *>()) {
        if (!a->isSeparator() && !a->text().isEmpty())
            texts << a->text();
    }
    for (QDockWidget *dock : window.findChildren<QDockWidget *>())
        texts << dock->windowTitle();
    texts << window.layerTable->horizontalHeaderItem(0)->text()
          << window.layerTable->horizontalHeaderItem(1)->text();
    for (int i = 0; i < window.notationSelector->count(); ++i)
        texts << window.notationSelector->itemText(i);
    CPointsForm *form = window.pointsForm;
    for (int notation : {0, 3}) {
        form->showNotation(notation);
        texts << form->gpBox1->title() << form->gpBox2->title() << form->lblLon1->text() << form->lblLat1->text();
    }
    return texts;
}

void TestTranslations::windowTexts_data()
{
    QTest::addColumn<QString>("qm");
    QTest::addColumn<QString>("newText");
    QTest::addColumn<bool>("noChinese");
    QTest::newRow("English") << "LanguageEN.qm" << "&New" << true;
    QTest::newRow("Simplified") << "LanguageZH.qm" << QString::fromUtf8("新建(&N)") << false;
    QTest::newRow("Traditional") << "LanguageTW.qm" << QString::fromUtf8("新增(&N)") << false;
}

void TestTranslations::windowTexts()
{
    QFETCH(QString, qm);
    QFETCH(bool, noChinese);
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral(MAPVANE_QM_DIR "/") + qm));
    QCoreApplication::installTranslator(&translator);
    {
        Mapvane2 window;
        QTEST(window.actionNew->text(), "newText");
        CProperty property;
        CAbout about;
        QStringList texts = windowTexts(window);
        texts << property.windowTitle() << property.label->text() << property.label_2->text()
              << property.label_3->text() << property.okButton->text() << property.cancelButton->text()
              << about.windowTitle() << about.label->text() << about.pushButton->text();
        if (noChinese) {
            for (const QString &text : texts) {
                for (QChar c : text)
                    QVERIFY2(c.unicode() < 0x2E80, qPrintable(text));
            }
        }
    }
    QCoreApplication::removeTranslator(&translator);
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
