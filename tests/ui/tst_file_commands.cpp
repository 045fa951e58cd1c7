#include "common/cli_runner.h"
#include "common/ozi_fixtures.h"
#include "common/smf_builder.h"
#include "common/wfl_fixtures.h"
#include "common/window_fixture.h"
#include "settings/recent_files.h"
#include "smf/smf_format.h"

// Answers the properties dialog of a new map with the given map name, or cancels it.
static std::function<void(MapPropertiesDialog *)> properties(const QString &mapName, bool accept = true)
{
    return [mapName, accept](MapPropertiesDialog *dialog) {
        const QString title = dialog->windowTitle();
        dialog->mapNameEdit->setText(mapName);
        (accept ? dialog->okButton : dialog->cancelButton)->click();
        QCOMPARE(title, QString::fromUtf8("新建地图"));
    };
}

// New, Open, Save, Save As, WFL到SMF, browsing, closing, files dropped on the window or
// named on the command line: what the window shows, what it asks, and what ends on
// disk, failures included.
class TestFileCommands : public QObject
{
    Q_OBJECT
private slots:
    void unsavedChangesPrompt_data();
    void unsavedChangesPrompt();
    void saveRefused();
    void open_data();
    void open();
    void savedAndConvertedFiles();
    void filesFromOutside_data();
    void filesFromOutside();
    void browseWindow();
};

void TestFileCommands::unsavedChangesPrompt_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("answer");  // 0: the project is unchanged, nothing is asked
    QTest::addColumn<bool>("proceeds");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Exit, Cancel keeps the window") << "Exit" << int(QMessageBox::Cancel) << false << false;
    QTest::newRow("Exit, Yes saves and closes") << "Exit" << int(QMessageBox::Yes) << true << true;
    QTest::newRow("Exit unchanged") << "Exit" << 0 << true << false;
    QTest::newRow("New, Yes saves first") << "New" << int(QMessageBox::Yes) << true << true;
    QTest::newRow("New, cancelled dialog keeps the layer") << "New cancelled" << int(QMessageBox::No) << false << false;
    QTest::newRow("Open, Cancel keeps the project") << "Open" << int(QMessageBox::Cancel) << false << false;
    QTest::newRow("Open, No asks for the file") << "Open" << int(QMessageBox::No) << true << false;
}

// The project has one calibrated layer; only a New that goes through empties it.
void TestFileCommands::unsavedChangesPrompt()
{
    QFETCH(QString, command);
    QFETCH(int, answer);
    ProjectWindow w;
    w.fixture.addLayer(w.window, 30, 20);
    WindowFixture::calibrate(w.window.project, 0);
    w.window.project.changeFlags = answer ? 1 : 0;
    const QString target = w.fixture.path(QStringLiteral("saved.smf"));
    int opened = 0;
    w.window.dialogs.saveFile = [target](auto...) { return target; };
    w.window.dialogs.openFile = [&opened](auto...) { ++opened; return QString(); };
    ModalAnswer prompt{QMessageBox::StandardButton(answer)};
    ModalDialogAction<MapPropertiesDialog> dialog(properties(QStringLiteral("fresh"), command != QLatin1String("New cancelled")));
    w.window.findChild<QAction *>("action" + command.section(QLatin1Char(' '), 0, 0))->trigger();
    // Each command that goes on leaves its own trace.
    QTEST(!w.window.isVisible() || opened == 1 || w.window.project.mapName == QLatin1String("fresh"), "proceeds");
    QCOMPARE(prompt.texts, answer ? QStringList{QString::fromUtf8("此操作将会关闭先前文件,是否保存?")} : QStringList());
    QTEST(QFile::exists(target), "saved");
    const bool emptied = command == QLatin1String("New");
    QCOMPARE(w.window.layerTable->rowCount() + w.window.project.layers.size(), emptied ? 0 : 2);
    const QString title = emptied ? QStringLiteral("fresh.smf") : QFile::exists(target) ? target : QString();
    QCOMPARE(w.window.windowTitle(), title.isEmpty() ? QStringLiteral("Mapvane") : "Mapvane - " + title);
}

// A save that is refused or fails says why and leaves the window as it was: not bound
// to the file, same title, still changed. Of the layers without a valid calibration the
// last one is shown, and no file is asked for.
void TestFileCommands::saveRefused()
{
    ProjectWindow w;
    w.fixture.addLayer(w.window, 30, 20);
    w.fixture.addLayer(w.window, 30, 20);
    w.window.selectLayerRow(0);
    // A file stands where the folder of the chosen path should be.
    w.window.dialogs.saveFile = [&](auto...) { return w.fixture.write(QStringLiteral("plain"), {}) + "/x.smf"; };
    ModalAnswer answer;
    w.window.actionSave->trigger();
    QCOMPARE(w.window.currentLayer, 1);
    WindowFixture::calibrate(w.window.project, 0);
    WindowFixture::calibrate(w.window.project, 1);
    w.window.actionSave->trigger();
    const QString messages = QString::fromUtf8("输入数据无效或不完整\n层1: 左上 经度 未输入|保存失败\n");
    QCOMPARE(answer.texts.join(QLatin1Char('|')).left(messages.size()), messages);
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Mapvane"));
    QVERIFY(w.window.projectState == 1 && w.window.project.filePath.isEmpty() && w.window.project.changeFlags != 0);
}

void TestFileCommands::open_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("title");  // %1 the file opened, %2 the file shown before
    QTest::addColumn<QString>("message");
    const QByteArray twoLevels = buildSmfFile(30, 20, {gridRecord(3, 2), gridRecord(2, 2)}, positionColour);
    QTest::newRow("two levels") << twoLevels << 2 << 2 << "Mapvane - %1" << "";
    // Nothing of a file that cannot be read is kept, and the emptied project (named as
    // the file shown before) is bound to no file: a later Save cannot overwrite anything.
    QTest::newRow("truncated") << twoLevels.left(twoLevels.size() / 2) << 0 << 1 << "Mapvane - Built.smf"
                               << QString::fromUtf8("无法读取SMF文件\n%1");
    // Offered, and answered Yes, in a browse window of its own.
    const auto blue = [](int, int, int) { return qRgb(8, 80, 160); };
    QTest::newRow("too large to edit") << buildSmfFile(300, 500, {gridRecord(1, 1), gridRecord(34, 20)}, blue)
                                       << 0 << 2 << "Mapvane - %2"
                                       << QString::fromUtf8("无法编辑像素超过10,000 x 10,000的SMF文件!");
}

// The window, showing an SMF file, opens another one (answering Yes to browsing).
void TestFileCommands::open()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, title);
    QFETCH(QString, message);
    WindowFixture fixture;
    const QString previous = fixture.write(QStringLiteral("previous.smf"),
                                           buildSmfFile(30, 20, {gridRecord(2, 2)}, positionColour));
    const QString path = fixture.write(QStringLiteral("opened.smf"), file);
    MainWindow window;
    ModalAnswer answer(QMessageBox::Yes);
    window.dialogs.openFile = [previous](auto...) { return previous; };
    window.actionOpen->trigger();
    window.dialogs.openFile = [path](auto...) { return path; };
    window.actionOpen->trigger();
    message.replace(QLatin1String("%1"), path);
    QCOMPARE(answer.texts.join(QLatin1Char('|')).left(message.size()), message);
    QTEST(window.layerTable->rowCount(), "rows");
    QTEST(window.projectState, "state");
    const bool emptied = window.layerTable->rowCount() == 0;
    // The canvas keeps nothing of the layers that are gone.
    QCOMPARE(window.canvas->layer, emptied ? nullptr : window.project.layers[window.currentLayer]);
    QCOMPARE(window.windowTitle(), title.replace(QLatin1String("%1"), path).replace(QLatin1String("%2"), previous));
    QCOMPARE(window.project.filePath.isEmpty(), window.projectState == 1);
    // Without a layer the points form is empty and takes nothing.
    QCOMPARE(window.calibrationForm->fieldsFrame->isEnabled(), !emptied);
    for (const QLineEdit *edit : window.calibrationForm->fieldsFrame->findChildren<QLineEdit *>())
        QVERIFY(!emptied || edit->text().isEmpty());
    // The files opened or browsed are listed, the last first, until the list is cleared.
    QCOMPARE(readRecentFiles(), window.projectState == 1 ? QStringList{previous} : QStringList({path, previous}));
    emit window.menuRecentFiles->aboutToShow();
    QVERIFY(window.menuRecentFiles->actions().first()->text().endsWith(readRecentFiles().first()));
    window.menuRecentFiles->actions().last()->trigger();
    QCOMPARE(readRecentFiles(), QStringList());
    const bool browsed = emptied && window.projectState == 2;
    QCOMPARE(window.browseWindows.size(), browsed ? 1 : 0);
    if (browsed) {
        // Read-only, drawing the file's tiles, and never asking to save.
        MainWindow *child = window.browseWindows.first();
        QVERIFY(child->isVisible() && child->mainMenuBar->isHidden() && !child->calibrationForm->fieldsFrame->isEnabled());
        QCOMPARE(child->windowTitle(), "Mapvane - " + path);
        child->canvas->resize(200, 100);
        QCOMPARE(child->canvas->grab().toImage().pixel(45, 30), qRgb(8, 80, 160));
        QVERIFY(child->close());
        QCOMPARE(answer.texts.size(), 1);
    }
}

// One project made the way a user makes it, through the real widgets, gives the same
// file as mapvane-cli convert of the same calibration. Save asks for a file once,
// suggesting the map name in the last folder used, and then writes only while there
// are changes; Save As always asks.
void TestFileCommands::savedAndConvertedFiles()
{
    WindowFixture fixture;
    MainWindow window;
    ModalAnswer messages;
    ModalDialogAction<MapPropertiesDialog> answer(properties(QStringLiteral("Harbour")));
    window.actionNew->trigger();
    const QString target = fixture.path(QStringLiteral("out/Harbour.smf"));
    QVERIFY(QDir().mkpath(fixture.path(QStringLiteral("out"))));
    QStringList suggested;
    window.dialogs.saveFile = [&](QWidget *, const QString &, const QString &start, const QString &) {
        suggested << start;
        return target;
    };
    fixture.addLayer(window, 640, 480);
    // Both points typed, their positions in decimal degrees on WGS 1984.
    typeInto(window.calibrationForm, QStringLiteral("edX1=30 edY1=40 edX2=600 edY2=450 edLon1=113.25 edLat1=22.75 "
                                               "edLon2=114.5 edLat2=21.5"));
    // 1.25 degrees of latitude over 410 pixels: 4500000 / 410 = 10975.6 ms per pixel.
    QCOMPARE(window.layerTable->item(0, 1)->text(), QStringLiteral("1:10975"));
    window.actionSave->trigger();
    // One level of 3 x 1 tiles of 300 x 500 for 640 x 480 pixels.
    QVERIFY(window.fileSummary->text().startsWith(QString::fromUtf8("已保存 %1:1 层,3 个图块,").arg(target)));
    QVERIFY(QFile::remove(target));
    window.actionSave->trigger();
    QVERIFY(!QFile::exists(target));
    window.actionSaveAs->trigger();
    QVERIFY(QFile::remove(target));
    window.project.changeFlags = 1;
    window.actionSave->trigger();
    QCOMPARE(suggested, QStringList({fixture.path(QStringLiteral("Harbour.smf")), target}));

    // In the same folder, the config.ini the dialog wrote gives the same name,
    // cartographer and fill.
    const QString layer = QStringLiteral("1.png@30,40,113.25,22.75,600,450,114.5,21.5");
    cli::run(fixture.dir.path(), {QStringLiteral("convert"), QStringLiteral("cli.smf"), layer});
    QCOMPARE(fixtures::fileBytes(target), fixtures::fileBytes(fixture.path(QStringLiteral("cli.smf"))));

    // WFL到SMF converts the chosen folder into an SMF file beside it with the properties
    // of its dialog, and tells what it wrote: 3 x 2 tiles of 256 x 256 for 600 x 500
    // pixels. The project keeps its own and stays saved.
    const QString folder = fixture.path(QStringLiteral("area"));
    QVERIFY(wfl::writeCutMap(folder, wfl::patternImage(600, 500, 1), QSize(256, 256), wfl::MapGeo{},
                             wfl::plainNames(15)));
    window.dialogs.folder = [folder](auto...) { return folder; };
    ModalDialogAction<MapPropertiesDialog> converting(properties(QStringLiteral("Area")));
    window.actionConvertWfl->trigger();
    QCOMPARE(messages.texts, QStringList({window.fileSummary->text()}));
    QVERIFY(messages.texts.first().startsWith(QString::fromUtf8("已保存 %1.smf:1 层,6 个图块,").arg(folder)));
    SmfHeader header;
    QVERIFY(SmfHeader::fromBytes(fixtures::fileBytes(folder + QStringLiteral(".smf")), &header));
    QCOMPARE(header.cartographer + header.mapName, window.project.cartographer + QStringLiteral("Area"));
    QVERIFY(window.project.mapName == QLatin1String("Harbour") && window.project.changeFlags == 0);
}

void TestFileCommands::filesFromOutside_data()
{
    QTest::addColumn<QString>("files");  // in the test's folder, which is the current folder
    QTest::addColumn<bool>("dropped");   // else named on the command line
    QTest::addColumn<bool>("project");   // the window shows a changed project of one layer
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("messages");
    QTest::newRow("image dropped on a new window") << "a.png" << true << false << 1 << 1 << "";
    QTest::newRow(".map dropped on a project") << "b.map" << true << true << 2 << 1 << "";
    QTest::newRow("SMF dropped on a changed project, not saved")
        << "x.smf" << true << true << 1 << 2 << QString::fromUtf8("此操作将会关闭先前文件,是否保存?");
    QTest::newRow("a text file is not taken") << "note.txt" << true << false << 0 << 0 << "";
    // Each file that fails is named with the reason; the others are added.
    QTest::newRow("command line, a .map whose image is gone")
        << "gone.map a.png" << false << false << 1 << 1 << QString::fromUtf8("无法加载 gone.map\n");
    QTest::newRow("command line, an SMF file and an image") << "x.smf a.png" << false << false << 2 << 2 << "";
}

void TestFileCommands::filesFromOutside()
{
    QFETCH(QString, files);
    QFETCH(bool, dropped);
    QFETCH(QString, messages);
    WindowFixture fixture;
    fixtures::mapLikeImage(1000, 800).save(fixture.path(QStringLiteral("a.png")));
    fixture.write(QStringLiteral("b.map"), fixtures::oziMapFile("a.png", fixtures::fourCorners()));
    fixture.write(QStringLiteral("gone.map"), fixtures::oziMapFile("gone.png", fixtures::fourCorners()));
    fixture.write(QStringLiteral("x.smf"), buildSmfFile(30, 20, {gridRecord(2, 2)}, positionColour));
    fixture.write(QStringLiteral("note.txt"), "text");
    MainWindow window;
    QFETCH(bool, project);
    if (project) {
        window.projectState = 1;
        window.updateActions();
        fixture.addLayer(window, 30, 20);
    }
    ModalAnswer answer(QMessageBox::No);
    QMimeData data;
    for (const QString &name : files.split(QLatin1Char(' ')))
        data.setUrls(data.urls() << QUrl::fromLocalFile(fixture.path(name)));
    if (dropped) {
        QDragEnterEvent enter(QPoint(9, 9), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QDropEvent drop(QPointF(9, 9), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        QApplication::sendEvent(&window, &drop);
        QCOMPARE(enter.isAccepted(), files != QLatin1String("note.txt"));
        QCoreApplication::processEvents();
    } else {
        // As main() hands them on: relative to the current folder.
        window.openFiles(files.split(QLatin1Char(' ')));
    }
    QTEST(window.layerTable->rowCount(), "rows");
    QTEST(window.projectState, "state");
    QCOMPARE(answer.texts.join(QLatin1Char('|')).left(messages.size()), messages);
    // A project made for the files has the properties of config.ini, here the built-in ones.
    if (!project && window.projectState == 1)
        QCOMPARE(window.windowTitle(), QStringLiteral("Mapvane - Kelvo.smf"));
}

// Browsing asks for the file before a window shows, and the browse window keeps the
// selectors that switch its position read-out and the zoom commands.
void TestFileCommands::browseWindow()
{
    WindowFixture fixture;
    const QString path = fixture.write(QStringLiteral("b.smf"), buildSmfFile(30, 20, {gridRecord(2, 2)}, positionColour));
    MainWindow window;
    int shownWhileAsked = 0;
    window.dialogs.openFile = [&](auto...) {
        for (QWidget *widget : QApplication::topLevelWidgets())
            shownWhileAsked += widget->isVisible() && qobject_cast<MainWindow *>(widget);
        return path;
    };
    window.actionBrowseSmf->trigger();
    QCOMPARE(shownWhileAsked, 1);
    QCOMPARE(window.browseWindows.size(), 1);
    const MainWindow *child = window.browseWindows.first();
    QVERIFY(child->isVisible() && child->notationSelector->isVisible() && child->datumSelector->isVisible());
    QVERIFY(!child->actionSave->isVisible() && !child->acceptDrops());
    QVERIFY(child->actionZoomToFit->isEnabled());
}

QTEST_MAIN(TestFileCommands)
#include "tst_file_commands.moc"
