#include <QtTest>

#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QScrollArea>
#include <QTableWidget>

#include "settings/language_settings.h"
#include "common/modal_answer.h"
#include "ui/c_paint_area.h"
#include "ui/c_points_form.h"
#include "ui/mapvane2.h"

// The main window's object tree, command states, view toggles, placing modes,
// language marks and the reading of config.ini. Every test runs in its own
// working folder, because the window reads and writes files there.
class TestMapvane2 : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void windowBasics();
    void selectors();
    void updateActions_data();
    void updateActions();
    void placingModes();
    void viewToggles();
    void languageMarks_data();
    void languageMarks();
    void languageChangeWritesIni();
    void configDefaults_data();
    void configDefaults();
    void saveProjectToWithoutProject();
    void destructionDeletesBrowseWindows();

private:
    static void addRow(Mapvane2 &window);

    QTemporaryDir *dir = nullptr;
    QString oldCurrent;
};

void TestMapvane2::init()
{
    oldCurrent = QDir::currentPath();
    dir = new QTemporaryDir;
    QVERIFY(QDir::setCurrent(dir->path()));
    languageFile = LanguageFileTable[0];
}

void TestMapvane2::cleanup()
{
    QDir::setCurrent(oldCurrent);
    delete dir;
    dir = nullptr;
}

void TestMapvane2::addRow(Mapvane2 &window)
{
    const int row = window.layerTable->rowCount();
    window.layerTable->insertRow(row);
    window.layerTable->setItem(row, 0, new QTableWidgetItem(QStringLiteral("row")));
}

void TestMapvane2::windowBasics()
{
    Mapvane2 window;
    QVERIFY(window.isMaximized());
    QCOMPARE(window.windowTitle(), QStringLiteral("Mapvane"));
    QCOMPARE(window.lastDirectory, QDir::currentPath());
    QCOMPARE(window.scrollArea->widget(), static_cast<QWidget *>(window.canvas));
    QVERIFY(window.canvas->hasMouseTracking());
}







// The two selectors and the notation table behind the notation selector.
void TestMapvane2::selectors()
{
    Mapvane2 window;
    QComboBox *datums = window.datumSelector;
    QCOMPARE(datums->count(), 228);
    QCOMPARE(datums->itemText(0), QStringLiteral("Adindan-Burkina"));
    QCOMPARE(datums->itemText(224), QStringLiteral("WGS 1984"));
    QCOMPARE(datums->itemText(227), QStringLiteral("Zanderij"));
    QCOMPARE(datums->currentIndex(), 224);

    QComboBox *notations = window.notationSelector;
    const QStringList items = {QString::fromUtf8("度"), QString::fromUtf8("度分"), QString::fromUtf8("度分秒"),
                               QStringLiteral("UTM"), QStringLiteral("TM")};
    const int styles[5] = {0, 1, 2, 0, 0};
    const int grids[5] = {0, 0, 0, 1, 12};
    QCOMPARE(notations->count(), 5);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(notations->itemText(i), items[i]);
        QCOMPARE(window.notationTable[i].angleStyle, styles[i]);
        QCOMPARE(window.notationTable[i].gridKind, grids[i]);
    }
}

void TestMapvane2::updateActions_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QStringList>("disabled");
    QTest::newRow("no project") << 0 << 0
                                << QStringList({"actionProperty", "actionAdd", "actionCopy", "actionDelete", "atAuto",
                                                "actionAddPoint1", "actionAddPoint2"});
    QTest::newRow("no project, rows left") << 0 << 2
                                           << QStringList({"actionProperty", "actionAdd", "actionCopy",
                                                           "actionDelete", "atAuto", "actionAddPoint1",
                                                           "actionAddPoint2"});
    QTest::newRow("new project, no rows")
        << 1 << 0 << QStringList({"actionCopy", "actionDelete", "atAuto", "actionAddPoint1", "actionAddPoint2"});
    QTest::newRow("bound project with rows") << 2 << 3 << QStringList();
}

void TestMapvane2::updateActions()
{
    QFETCH(int, state);
    QFETCH(int, rows);
    QFETCH(QStringList, disabled);
    Mapvane2 window;
    for (int i = 0; i < rows; ++i)
        addRow(window);
    // Start from the opposite: everything disabled and both placing actions checked.
    for (QAction *a : window.findChildren<QAction *>())
        a->setEnabled(false);
    window.actionAddPoint1->setChecked(true);
    window.actionAddPoint2->setChecked(true);
    window.projectState = state;
    window.updateActions();

    const QStringList managed = {"actionNew", "actionOpen", "actionSave", "actionSaveAs", "actionProperty",
                                 "actionAdd", "actionCopy", "atAuto", "actionDelete", "actionAddPoint1",
                                 "actionAddPoint2"};
    for (const QString &name : managed) {
        auto *a = window.findChild<QAction *>(name);
        QCOMPARE(a->isEnabled(), !disabled.contains(name));
    }
    const bool unchecked = disabled.contains(QStringLiteral("actionAddPoint1"));
    QCOMPARE(window.actionAddPoint1->isChecked(), !unchecked);
    QCOMPARE(window.actionAddPoint2->isChecked(), !unchecked);
    // Language, view, tool and help actions are not touched.
    QVERIFY(!window.actionAbout->isEnabled());
    QVERIFY(!window.actionWlf_smf->isEnabled());
}

void TestMapvane2::placingModes()
{
    Mapvane2 window;
    window.projectState = 1;
    window.updateActions();
    // Enabled by hand: with no rows the mode is refused and the cursor stays.
    window.actionAddPoint1->setEnabled(true);
    window.actionAddPoint1->trigger();
    QVERIFY(!window.actionAddPoint1->isChecked());
    QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);

    addRow(window);
    window.updateActions();
    window.actionAddPoint1->trigger();
    QVERIFY(window.actionAddPoint1->isChecked());
    QCOMPARE(window.cursor().shape(), Qt::CrossCursor);
    // The modes exclude each other, and triggering a checked one leaves it checked.
    for (int i = 0; i < 2; ++i) {
        window.actionAddPoint2->trigger();
        QVERIFY(window.actionAddPoint2->isChecked());
        QVERIFY(!window.actionAddPoint1->isChecked());
    }
}

void TestMapvane2::viewToggles()
{
    Mapvane2 window;
    window.actionTool_On_Off->trigger();
    QVERIFY(window.mainToolBar->isHidden());
    window.actionTool_On_Off->trigger();
    QCOMPARE(window.toolBarArea(window.mainToolBar), Qt::TopToolBarArea);
    window.actionStatus_On_Off->trigger();
    QVERIFY(window.statusBar1->isHidden());

    // The widget's state decides, not the action's mark.
    window.layerDock->hide();
    window.actionLayer_On_Off->trigger();
    QVERIFY(window.layerDock->isVisible());
    window.actionPoints_On_Off->trigger();
    QVERIFY(window.pointsDock->isHidden());

    // Closing a dock unticks its own menu item.
    QAction *toggle = window.layerDock->toggleViewAction();
    window.layerDock->close();
    QVERIFY(!toggle->isChecked());
    toggle->trigger();
    QVERIFY(window.layerDock->isVisible());
}

void TestMapvane2::languageMarks_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("marked");
    QTest::newRow("missing Language.ini") << "./LanguageEN.qm" << 0;
    QTest::newRow("empty Language.ini") << "./Language.qm" << 0;
    QTest::newRow("Simplified") << "./LanguageZH.qm" << 1;
    QTest::newRow("Traditional") << "./LanguageTW.qm" << 2;
    QTest::newRow("near miss: trailing space") << "./LanguageTW.qm " << 0;
    QTest::newRow("near miss: letter case") << "./languageZH.qm" << 0;
    QTest::newRow("near miss: no ./") << "LanguageZH.qm" << 0;
}

void TestMapvane2::languageMarks()
{
    QFETCH(QString, file);
    QFETCH(int, marked);
    languageFile = file;
    Mapvane2 window;
    for (int i = 0; i < 3; ++i) {
        QAction *a = window.languageActions[i];
        const bool isMarked = i == marked;
        QCOMPARE(a->isEnabled(), !isMarked);
        QCOMPARE(a->isChecked(), isMarked);
        QCOMPARE(a->isCheckable(), isMarked);
    }
}

void TestMapvane2::languageChangeWritesIni()
{
    Mapvane2 window;
    ModalAnswer answer;
    window.action_C->trigger();
    QCOMPARE(answer.texts, QStringList({QString::fromUtf8("请重新运行本程序以使语言切换生效.")}));
    QCOMPARE(answer.titles, QStringList({QString::fromUtf8("提示")}));
    QFile file(QStringLiteral("Language.ini"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("./LanguageZH.qm\n"));
    // The marks stay as they were until the next start.
    QVERIFY(window.action->isChecked());
    QVERIFY(!window.action_C->isChecked());
    QVERIFY(window.action_C->isEnabled());
}

void TestMapvane2::configDefaults_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("cartographer");
    QTest::addColumn<QString>("mapName");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("no config.ini") << QByteArray() << "Kelvo" << "Kelvo" << QColor(122, 122, 122);
    QTest::newRow("five lines") << QByteArray("A\nB\n1\n2\n3\n") << "A" << "B" << QColor(1, 2, 3);
    QTest::newRow("empty third line") << QByteArray("A\nB\n\n2\n3\n") << "A" << "B" << QColor(0, 2, 3);
    QTest::newRow("two lines") << QByteArray("A\nB\n") << "A" << "B" << QColor(122, 122, 122);
}

void TestMapvane2::configDefaults()
{
    QFETCH(QByteArray, content);
    if (!content.isNull()) {
        QFile file(QStringLiteral("config.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    Mapvane2 window;
    // A missing file is created empty.
    QVERIFY(QFile::exists(QStringLiteral("config.ini")));
    QCOMPARE(QFileInfo(QStringLiteral("config.ini")).size(), content.size());
    QTEST(window.project.cartographer, "cartographer");
    QTEST(window.project.mapName, "mapName");
    QTEST(window.project.fillColour, "colour");
    // Loading the defaults is not a change.
    QCOMPARE(int(window.project.changeFlags), 0);
}

void TestMapvane2::saveProjectToWithoutProject()
{
    Mapvane2 window;
    const QString path = QDir::current().filePath(QStringLiteral("x.smf"));
    QCOMPARE(window.saveProjectTo(path), -1);
    QVERIFY(!QFile::exists(path));
    QCOMPARE(window.windowTitle(), QStringLiteral("Mapvane"));
}

void TestMapvane2::destructionDeletesBrowseWindows()
{
    auto *window = new Mapvane2;
    QPointer<Mapvane2> child = new Mapvane2;
    window->childWindows.append(child);
    delete window;
    QVERIFY(child.isNull());
}

QTEST_MAIN(TestMapvane2)
#include "tst_mapvane2.moc"
