#include <QtTest>

#include <QDockWidget>
#include <QFrame>
#include <QMenuBar>
#include <QTableWidget>
#include <QToolBar>

#include <csignal>
#include <sys/resource.h>

#include "common/modal_answer.h"
#include "common/smf_builder.h"
#include "common/window_fixture.h"
#include "project/map_layer.h"
#include "ui/c_paint_area.h"
#include "ui/c_points_form.h"
#include "ui/c_property.h"
#include "ui/mapvane2.h"

// New, Open, Save, Save As, Browse and closing: what the user sees and what ends on
// disk, including every failure.
class TestFileCommands : public QObject
{
    Q_OBJECT
private slots:
    void saveRightAfterNew();
    void saveUnchangedBoundProjectDoesNothing();
    void bothLayersFailingSelectsTheSecond();
    void closePromptCancelKeepsWindow();
    void closePromptNoCloses();
    void newAnsweringYesSavesFirst();
    void newCancelledDialogKeepsOldProject();
    void openShowsLevels();
    void openTooLarge_data();
    void openTooLarge();
    void openDamagedFile_data();
    void openDamagedFile();
    void openCorruptPayloadDrawsWhite();
    void browseWindow();
    void browseCancelled();
    void saveIntoFolderThatIsAFile();
    void saveFailingHalfWayKeepsOldFile();

private:
    using PropertyAction = ModalDialogAction<CProperty>;
    // Accepts the next properties dialog with the given map name.
    static PropertyAction *acceptNextPropertyDialog(const QString &mapName = QStringLiteral("area"));
    static QByteArray read(const QString &path);
};

TestFileCommands::PropertyAction *TestFileCommands::acceptNextPropertyDialog(const QString &mapName)
{
    return new PropertyAction([mapName](CProperty *dialog) {
        dialog->lineEdit_2->setText(mapName);
        dialog->okButton->click();
    });
}

QByteArray TestFileCommands::read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void TestFileCommands::saveRightAfterNew()
{
    WindowFixture fixture;
    Mapvane2 window;
    std::unique_ptr<PropertyAction> accept(acceptNextPropertyDialog());
    window.actionNew->trigger();
    QCOMPARE(window.projectState, 1);
    QCOMPARE(window.windowTitle(), QStringLiteral("Mapvane - area.smf"));
    QCOMPARE(int(window.project.changeFlags), 1);
    QCOMPARE(window.project.tileWidth, 300);
    QVERIFY(window.actionAdd->isEnabled());
    QVERIFY(!window.actionCopy->isEnabled());

    const QString target = fixture.path(QStringLiteral("out/area.smf"));
    QDir().mkpath(fixture.path(QStringLiteral("out")));
    QString suggested;
    window.dialogs.saveFile = [&](QWidget *, const QString &, const QString &start, const QString &) {
        suggested = start;
        return target;
    };
    window.actionSave->trigger();
    QCOMPARE(suggested, fixture.dir.path() + "/area.smf");
    QCOMPARE(QFileInfo(target).size(), 148);
    QCOMPARE(window.projectState, 2);
    QCOMPARE(window.windowTitle(), "Mapvane - " + target);
    QCOMPARE(window.lastDirectory, fixture.path(QStringLiteral("out")));
    QCOMPARE(int(window.project.changeFlags), 0);
}

void TestFileCommands::saveUnchangedBoundProjectDoesNothing()
{
    WindowFixture fixture;
    Mapvane2 window;
    fixture.startProject(window);
    int asked = 0;
    const QString target = fixture.path(QStringLiteral("a.smf"));
    fixture.answerFiles(window, QString(), target, &asked);
    window.actionSave->trigger();
    QCOMPARE(asked, 1);
    QVERIFY(QFile::remove(target));
    // Bound and unchanged: Save writes nothing, Save As asks again.
    window.actionSave->trigger();
    QCOMPARE(asked, 1);
    QVERIFY(!QFile::exists(target));
    window.actionSaveAs->trigger();
    QCOMPARE(asked, 2);
    QVERIFY(QFile::exists(target));
}

void TestFileCommands::bothLayersFailingSelectsTheSecond()
{
    WindowFixture fixture;
    Mapvane2 window;
    fixture.startProject(window);
    const QString image = fixture.makeImage(QStringLiteral("a.png"), 30, 20);
    window.dialogs.openFile = [image](QWidget *, const QString &, const QString &, const QString &,
                                      const QString &) { return image; };
    window.actionAdd->trigger();
    window.actionAdd->trigger();
    window.selectLayerRow(0);
    int asked = 0;
    fixture.answerFiles(window, image, fixture.path(QStringLiteral("x.smf")), &asked);
    ModalAnswer answer;
    window.actionSave->trigger();
    QCOMPARE(answer.texts, QStringList({QString::fromUtf8("输入数据无效或不完整")}));
    QCOMPARE(window.currentLayer, 1);
    QCOMPARE(asked, 0);
    QVERIFY(window.project.changeFlags != 0);
}

void TestFileCommands::closePromptCancelKeepsWindow()
{
    WindowFixture fixture;
    Mapvane2 window;
    fixture.startProject(window);
    ModalAnswer answer({QMessageBox::Cancel});
    QVERIFY(!window.close());
    QCOMPARE(answer.texts, QStringList({QString::fromUtf8("此操作将会关闭先前文件,是否保存?")}));
    QVERIFY(window.isVisible());
}

void TestFileCommands::closePromptNoCloses()
{
    WindowFixture fixture;
    Mapvane2 window;
    fixture.startProject(window);
    ModalAnswer answer({QMessageBox::No});
    QVERIFY(window.close());
    QCOMPARE(answer.texts.size(), 1);
}

void TestFileCommands::newAnsweringYesSavesFirst()
{
    WindowFixture fixture;
    Mapvane2 window;
    fixture.startProject(window);
    int asked = 0;
    const QString target = fixture.path(QStringLiteral("old.smf"));
    fixture.answerFiles(window, QString(), target, &asked);
    ModalAnswer answer({QMessageBox::Yes});
    std::unique_ptr<PropertyAction> accept(acceptNextPropertyDialog(QStringLiteral("fresh")));
    window.actionNew->trigger();
    QCOMPARE(asked, 1);
    QCOMPARE(QFileInfo(target).size(), 148);
    QCOMPARE(window.project.mapName, QStringLiteral("fresh"));
    QCOMPARE(window.projectState, 1);
    QCOMPARE(window.windowTitle(), QStringLiteral("Mapvane - fresh.smf"));
}

void TestFileCommands::newCancelledDialogKeepsOldProject()
{
    WindowFixture fixture;
    Mapvane2 window;
    fixture.startProject(window);
    const QString image = fixture.makeImage(QStringLiteral("a.png"), 30, 20);
    fixture.answerFiles(window, image, QString());
    window.actionAdd->trigger();
    ModalAnswer answer({QMessageBox::No});
    PropertyAction cancel([](CProperty *dialog) { dialog->cancelButton->click(); });
    window.actionNew->trigger();
    QVERIFY(cancel.done);
    QCOMPARE(window.layerTable->rowCount(), 1);
    QCOMPARE(window.project.layers.size(), 1);
    QCOMPARE(window.project.mapName, QStringLiteral("map"));
}

void TestFileCommands::openShowsLevels()
{
    WindowFixture fixture;
    const QString path = fixture.path(QStringLiteral("two.smf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(buildSmfFile(30, 20, {gridRecord(3, 2), gridRecord(2, 2)}, positionColour));
    file.close();

    Mapvane2 window;
    fixture.answerFiles(window, path, QString());
    window.actionOpen->trigger();
    QCOMPARE(window.projectState, 2);
    QCOMPARE(window.layerTable->rowCount(), 2);
    QCOMPARE(window.windowTitle(), "Mapvane - " + path);
    QCOMPARE(window.lastDirectory, fixture.dir.path());
    QVERIFY(window.canvas->layer != nullptr);
    QCOMPARE(window.canvas->image.size(), QSize(90, 40));
    QVERIFY(window.pointsForm->frmMain->isEnabled());
    QCOMPARE(int(window.project.changeFlags), 0);
    QVERIFY(window.actionCopy->isEnabled());
}

void TestFileCommands::openTooLarge_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes opens a browse window") << int(QMessageBox::Yes);
    QTest::newRow("No leaves the window empty") << int(QMessageBox::No);
}

void TestFileCommands::openTooLarge()
{
    QFETCH(int, answer);
    WindowFixture fixture;
    const QString path = fixture.path(QStringLiteral("big.smf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(buildSmfFile(300, 500, {gridRecord(1, 1), gridRecord(34, 20)},
                            [](int, int, int) { return qRgb(255, 255, 255); }));
    file.close();
    const QString small = fixture.path(QStringLiteral("small.smf"));
    QFile smallFile(small);
    QVERIFY(smallFile.open(QIODevice::WriteOnly));
    smallFile.write(buildSmfFile(30, 20, {gridRecord(2, 2)}, positionColour));
    smallFile.close();

    // A window showing a small file opens the large one.
    Mapvane2 window;
    fixture.answerFiles(window, small, QString());
    window.actionOpen->trigger();
    QVERIFY(window.canvas->layer != nullptr);
    fixture.answerFiles(window, path, QString());
    ModalAnswer answers({QMessageBox::StandardButton(answer)});
    window.actionOpen->trigger();
    QCOMPARE(answers.texts,
             QStringList({QString::fromUtf8("无法编辑像素超过10,000 x 10,000的SMF文件!这个SMF文件会以只读方式显示")}));
    // Empty, with its state and title; the canvas keeps nothing of the destroyed layers.
    QCOMPARE(window.layerTable->rowCount(), 0);
    QVERIFY(window.project.layers.isEmpty());
    QVERIFY(window.canvas->layer == nullptr);
    QVERIFY(window.canvas->image.isNull());
    QCOMPARE(window.projectState, 2);
    QCOMPARE(window.windowTitle(), "Mapvane - " + small);
    QVERIFY(window.project.filePath != path);
    if (answer == QMessageBox::Yes) {
        QCOMPARE(window.childWindows.size(), 1);
        Mapvane2 *child = window.childWindows.first();
        QVERIFY(child->browseMode);
        QCOMPARE(child->layerTable->rowCount(), 2);
        QCOMPARE(child->windowTitle(), "Mapvane - " + path);
    } else {
        QVERIFY(window.childWindows.isEmpty());
    }
}

void TestFileCommands::openDamagedFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = buildSmfFile(30, 20, {gridRecord(2, 2)}, positionColour);
    QTest::newRow("truncated") << good.left(good.size() / 2);
    QTest::newRow("not an SMF file") << QByteArray("PK\x03\x04 some archive");
    QTest::newRow("missing file") << QByteArray();
}

void TestFileCommands::openDamagedFile()
{
    QFETCH(QByteArray, bytes);
    WindowFixture fixture;
    const QString path = fixture.path(QStringLiteral("bad.smf"));
    if (!bytes.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    Mapvane2 window;
    fixture.startProject(window);
    window.projectState = 2;
    window.project.filePath = fixture.path(QStringLiteral("previous.smf"));
    window.project.changeFlags = 0;
    fixture.answerFiles(window, path, QString());
    ModalAnswer answer;
    window.actionOpen->trigger();
    QCOMPARE(answer.texts.size(), 1);
    QVERIFY(answer.texts.first().startsWith(QString::fromUtf8("无法读取SMF文件")));
    QVERIFY(answer.texts.first().contains(path));
    // Empty and bound to no file: a later Save cannot overwrite anything by accident.
    QVERIFY(window.project.layers.isEmpty());
    QCOMPARE(window.layerTable->rowCount(), 0);
    QVERIFY(window.project.filePath.isEmpty());
    QCOMPARE(window.projectState, 1);
}

void TestFileCommands::openCorruptPayloadDrawsWhite()
{
    WindowFixture fixture;
    QByteArray bytes = buildSmfFile(30, 20, {gridRecord(2, 1)}, [](int, int column, int) {
        return column == 0 ? qRgb(0, 0, 0) : qRgb(8, 8, 8);
    });
    for (int i = 1; i <= 10; ++i)
        bytes[bytes.size() - i] = char(0x33);
    const QString path = fixture.path(QStringLiteral("corrupt.smf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    Mapvane2 window;
    fixture.answerFiles(window, path, QString());
    window.actionOpen->trigger();
    QCOMPARE(window.layerTable->rowCount(), 1);
    QCOMPARE(window.canvas->image.pixel(10, 10), qRgb(0, 0, 0));
    QCOMPARE(window.canvas->image.pixel(40, 10), qRgb(255, 255, 255));
}

void TestFileCommands::browseWindow()
{
    WindowFixture fixture;
    const QString path = fixture.path(QStringLiteral("b.smf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(buildSmfFile(30, 20, {gridRecord(3, 2)}, positionColour));
    file.close();
    Mapvane2 window;
    fixture.answerFiles(window, path, QString());
    window.action_smf->trigger();
    QCOMPARE(window.childWindows.size(), 1);
    Mapvane2 *child = window.childWindows.first();
    QVERIFY(child->browseMode);
    QVERIFY(child->project.browseMode);
    QVERIFY(child->isVisible());
    QVERIFY(child->menuBar1->isHidden());
    QVERIFY(child->mainToolBar->isHidden());
    QVERIFY(!child->layerDock->features().testFlag(QDockWidget::DockWidgetClosable));
    QVERIFY(child->layerDock->features().testFlag(QDockWidget::DockWidgetMovable));
    QVERIFY(!child->pointsForm->frmMain->isEnabled());
    QCOMPARE(child->projectState, 2);
    QCOMPARE(child->windowTitle(), "Mapvane - " + path);
    // Only header, record and index are held; no level image is assembled.
    QCOMPARE(child->project.smfImages.first().size(), 148 + 288 + 6 * 8);
    QVERIFY(child->canvas->image.isNull());
    // The canvas draws the file's tiles.
    child->canvas->resize(200, 100);
    const QImage shot = child->canvas->grab().toImage();
    QCOMPARE(shot.pixel(45, 30), positionColour(0, 1, 1) | 0xFF000000);
    QCOMPARE(shot.pixel(150, 80), qRgb(255, 255, 255));
    QCOMPARE(child->project.layers.first()->tileCache.size(), 6);
    // Never asks to save.
    QVERIFY(child->close());
}

void TestFileCommands::browseCancelled()
{
    WindowFixture fixture;
    Mapvane2 window;
    fixture.answerFiles(window, QString(), QString());
    window.action_smf->trigger();
    for (Mapvane2 *child : window.childWindows)
        QVERIFY(!child->isVisible());
}

void TestFileCommands::saveIntoFolderThatIsAFile()
{
    WindowFixture fixture;
    Mapvane2 window;
    fixture.startProject(window);
    QFile blocker(fixture.path(QStringLiteral("plain")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString target = fixture.path(QStringLiteral("plain/x.smf"));
    fixture.answerFiles(window, QString(), target);
    ModalAnswer answer;
    window.actionSave->trigger();
    QCOMPARE(answer.texts.size(), 1);
    QVERIFY(answer.texts.first().startsWith(QString::fromUtf8("保存失败")));
    QCOMPARE(window.projectState, 1);
    QCOMPARE(window.windowTitle(), QStringLiteral("Mapvane"));
    QVERIFY(window.project.changeFlags != 0);
    QVERIFY(window.project.filePath.isEmpty());
}

void TestFileCommands::saveFailingHalfWayKeepsOldFile()
{
    WindowFixture fixture;
    Mapvane2 window;
    fixture.startProject(window);
    const QString image = fixture.makeImage(QStringLiteral("a.png"), 900, 1000);
    const QString target = fixture.path(QStringLiteral("kept.smf"));
    fixture.answerFiles(window, image, target);
    window.actionAdd->trigger();
    window.project.setTopLeftLon(0, 10.0);
    window.project.setTopLeftLat(0, 46.0);
    window.project.setBottomRightLon(0, 11.0);
    window.project.setBottomRightLat(0, 45.0);
    window.actionSave->trigger();
    const QByteArray before = read(target);
    QVERIFY(before.size() > 10000);
    QCOMPARE(window.windowTitle(), "Mapvane - " + target);

    // A file-size limit far below the file: the write fails half way.
    window.project.setBottomRightLat(0, 44.0);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit low = old;
    low.rlim_cur = 4096;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &low), 0);
    ModalAnswer answer;
    window.actionSave->trigger();
    setrlimit(RLIMIT_FSIZE, &old);

    QCOMPARE(answer.texts.size(), 1);
    QVERIFY(answer.texts.first().startsWith(QString::fromUtf8("保存失败")));
    QCOMPARE(read(target), before);
    QVERIFY(window.project.changeFlags != 0);
    QCOMPARE(window.projectState, 2);
    const QStringList leftovers = QDir(fixture.dir.path()).entryList(QDir::Files);
    QCOMPARE(leftovers.filter(QStringLiteral("kept")).size(), 1);
}

QTEST_MAIN(TestFileCommands)
#include "tst_file_commands.moc"
