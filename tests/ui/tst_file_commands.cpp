#include <sys/stat.h>

#include "common/cli_runner.h"
#include "common/ozi_fixtures.h"
#include "common/smf_builder.h"
#include "common/wfl_fixtures.h"
#include "common/window_fixture.h"
#include "settings/recent_files.h"
#include "smf/smf_format.h"

// Answers the properties dialog of a new map (or of the file a conversion writes) with
// the given map name, or cancels it.
static std::function<void(MapPropertiesDialog *)> properties(const QString &mapName, bool accept = true,
                                                             const char *title = "新建地图")
{
    return [mapName, accept, title](MapPropertiesDialog *dialog) {
        const QString shown = dialog->windowTitle();
        dialog->mapNameEdit->setText(mapName);
        (accept ? dialog->okButton : dialog->cancelButton)->click();
        QCOMPARE(shown, QString::fromUtf8(title));
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
    void unsavedWorkAndStatusBar();
    void open();
    void refusedOpenKeepsTheWork_data();
    void refusedOpenKeepsTheWork();
    void savedAndConvertedFiles();
    void outputsNeverInputs_data();
    void outputsNeverInputs();
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
    WindowFixture::calibrate(w.window.project(), 0);
    w.window.project().changeFlags = answer ? 1 : 0;
    const QString target = w.fixture.path(QStringLiteral("saved.smf"));
    int opened = 0;
    w.window.dialogs().saveFile = [target](auto...) { return target; };
    w.window.dialogs().openFile = [&opened](auto...) { ++opened; return QString(); };
    ModalAnswer prompt{QMessageBox::StandardButton(answer)};
    ModalDialogAction<MapPropertiesDialog> dialog(properties(QStringLiteral("fresh"), command != QLatin1String("New cancelled")));
    w.window.findChild<QAction *>("action" + command.section(QLatin1Char(' '), 0, 0))->trigger();
    // Each command that goes on leaves its own trace.
    QTEST(!w.window.isVisible() || opened == 1 || w.window.project().mapName == QLatin1String("fresh"), "proceeds");
    QCOMPARE(prompt.texts, answer ? QStringList{QString::fromUtf8("此操作将会关闭先前文件,是否保存?")} : QStringList());
    QTEST(QFile::exists(target), "saved");
    const bool emptied = command == QLatin1String("New");
    QCOMPARE(layerTableOf(w.window)->rowCount() + w.window.project().layers.size(), emptied ? 0 : 2);
    const QString title = emptied ? QStringLiteral("fresh.smf") : QFile::exists(target) ? target : QStringLiteral("map.smf");
    QCOMPARE(w.window.windowTitle(), "Mapvane - " + title + "[*]");
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
    w.window.dialogs().saveFile = [&](auto...) { return w.fixture.write(QStringLiteral("plain"), {}) + "/x.smf"; };
    ModalAnswer answer;
    action(w.window, "actionSave")->trigger();
    QCOMPARE(w.window.currentLayer(), 1);
    WindowFixture::calibrate(w.window.project(), 0);
    WindowFixture::calibrate(w.window.project(), 1);
    action(w.window, "actionSave")->trigger();
    const QString messages = QString::fromUtf8("输入数据无效或不完整\n层1: 左上 经度 未输入|保存失败\n");
    QCOMPARE(answer.texts.join(QLatin1Char('|')).left(messages.size()), messages);
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Mapvane - map.smf[*]"));
    QVERIFY(w.window.projectState() == 1 && w.window.project().filePath.isEmpty() && w.window.project().changeFlags != 0);
}

// The window, showing an SMF file, opens another one: its levels become the layers,
// and the files opened are listed, the last first, until the list is cleared.
// The title marks unsaved work; an untouched new project closes without a question
// and cannot be saved; the status bar shows the zoom, and forgets the pixel under the
// mouse with its layer and what was saved with New and Open.
void TestFileCommands::unsavedWorkAndStatusBar()
{
    WindowFixture fixture;
    MainWindow window;
    ModalAnswer answer;
    ModalDialogAction<MapPropertiesDialog> accept(properties(QStringLiteral("Kelvo")), false);
    action(window, "actionNew")->trigger();
    QVERIFY(window.windowTitle().endsWith(QLatin1String("[*]")) && !window.isWindowModified());
    int asked = 0;
    window.dialogs().openFile = [&asked](auto...) { ++asked; return QString(); };
    window.dialogs().saveFile = [&](auto...) { ++asked; return fixture.path(QStringLiteral("k.smf")); };
    action(window, "actionSave")->trigger();
    action(window, "actionOpen")->trigger();
    QCOMPARE(answer.texts, QStringList(QString::fromUtf8("项目中没有图层,无法保存")));
    QCOMPARE(asked, 1);  // the file to open, not where to save

    fixture.addLayer(window, 100, 80);
    QVERIFY(window.isWindowModified());
    WindowFixture::calibrate(window.project(), 0);
    action(window, "actionSave")->trigger();
    QVERIFY(!window.isWindowModified() && !part<QLabel>(window, "fileSummary")->text().isEmpty());
    QCOMPARE(part<QLabel>(window, "zoomLabel")->text(), QString::fromUtf8("缩放 100%"));
    canvasOf(window)->zoomIn();
    QCOMPARE(part<QLabel>(window, "zoomLabel")->text(), QString::fromUtf8("缩放 150%"));
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(canvasOf(window), &move);
    QVERIFY(!statusText(window, 0).isEmpty());
    fixture.addLayer(window, 100, 80);
    QVERIFY(statusText(window, 0).isEmpty() && window.isWindowModified());
    window.project().changeFlags = 0;  // nothing to save first
    action(window, "actionNew")->trigger();
    QVERIFY(part<QLabel>(window, "fileSummary")->text().isEmpty() && part<QLabel>(window, "zoomLabel")->text().isEmpty());
}

void TestFileCommands::open()
{
    WindowFixture fixture;
    const QString previous = fixture.write(QStringLiteral("previous.smf"),
                                           buildSmfFile(30, 20, {gridRecord(2, 2)}, positionColour));
    const QString path = fixture.write(QStringLiteral("opened.smf"),
                                       buildSmfFile(30, 20, {gridRecord(3, 2), gridRecord(2, 2)}, positionColour));
    MainWindow window;
    for (const QString &file : {previous, path}) {
        window.dialogs().openFile = [file](auto...) { return file; };
        action(window, "actionOpen")->trigger();
    }
    QVERIFY(layerTableOf(window)->rowCount() == 2 && window.projectState() == 2 && window.project().filePath == path);
    QCOMPARE(canvasOf(window)->layer(), window.project().layers[window.currentLayer()]);
    QCOMPARE(window.windowTitle(), "Mapvane - " + path + "[*]");
    QCOMPARE(readRecentFiles(), QStringList({path, previous}));
    emit part<QMenu>(window, "menuRecentFiles")->aboutToShow();
    QVERIFY(part<QMenu>(window, "menuRecentFiles")->actions().first()->text().endsWith(path));
    part<QMenu>(window, "menuRecentFiles")->actions().last()->trigger();
    QCOMPARE(readRecentFiles(), QStringList());
}

void TestFileCommands::refusedOpenKeepsTheWork_data()
{
    QTest::addColumn<QString>("name");  // in the test's folder
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("answer");    // to the offer of a browse window
    QTest::addColumn<QString>("message");
    const auto blue = [](int, int, int) { return qRgb(8, 80, 160); };
    // 35 x 21 tiles of 300 x 500: cut from at least 10,201 x 10,001 pixels.
    const QByteArray large = buildSmfFile(300, 500, {gridRecord(1, 1), gridRecord(35, 21)}, blue);
    const QString tooLarge = QString::fromUtf8("无法编辑像素超过10,000 x 10,000的SMF文件!");
    const QString unreadable = QString::fromUtf8("无法读取SMF文件\n%1");
    QTest::newRow("level too large, browsing declined") << "large.smf" << large << int(QMessageBox::No) << tooLarge;
    QTest::newRow("level too large, browsed instead") << "large.smf" << large << int(QMessageBox::Yes) << tooLarge;
    const QByteArray twoLevels = buildSmfFile(30, 20, {gridRecord(3, 2), gridRecord(2, 2)}, positionColour);
    QTest::newRow("damaged") << "cut.smf" << twoLevels.left(twoLevels.size() / 2) << 0 << unreadable;
    QTest::newRow("not an SMF file") << "text.smf" << QByteArray(200, 'x') << 0 << unreadable;
    QTest::newRow("gone") << "" << QByteArray() << 0 << unreadable;
}

// A file that cannot be opened for editing leaves the window as it was: the project
// with its changes, its file and its title. The user then adds a layer and saves, as
// the window still names the previous file: Save writes all three levels there,
// asking nothing. (The window used to empty its project but keep its file, and Save
// replaced the previous file by the new layer alone.)
void TestFileCommands::refusedOpenKeepsTheWork()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, file);
    QFETCH(int, answer);
    QFETCH(QString, message);
    WindowFixture fixture;
    const QString previous = fixture.write(QStringLiteral("previous.smf"),
                                           buildSmfFile(30, 20, {gridRecord(3, 2), gridRecord(2, 2)}, positionColour));
    const QString path = name.isEmpty() ? fixture.path(QStringLiteral("gone.smf")) : fixture.write(name, file);
    MainWindow window;
    window.dialogs().openFile = [previous](auto...) { return previous; };
    action(window, "actionOpen")->trigger();
    window.project().setCartographer(QStringLiteral("Changed"));
    const QString title = window.windowTitle();
    const QVector<MapLayer *> layers = window.project().layers;
    // Not saved first; then the row's answer to the offer.
    QStringList texts;
    ModalDialogAction<QMessageBox> answers([&](QMessageBox *box) {
        texts << box->text();
        QAbstractButton *button = box->button(texts.size() == 1 ? QMessageBox::No : QMessageBox::StandardButton(answer));
        (button ? button : box->button(QMessageBox::Ok))->click();
    }, false);
    window.dialogs().openFile = [path](auto...) { return path; };
    action(window, "actionOpen")->trigger();
    QCOMPARE(texts.size(), 2);
    QVERIFY2(texts.last().startsWith(message.arg(path)), qPrintable(texts.last()));
    const bool kept = window.project().layers == layers && layerTableOf(window)->rowCount() == 2
        && window.project().changeFlags != 0 && window.projectState() == 2 && window.project().filePath == previous
        && window.windowTitle() == title;
    QCOMPARE(window.browseWindows().size(), answer == QMessageBox::Yes ? 1 : 0);
    if (!window.browseWindows().isEmpty()) {
        // Read-only, drawing the file's tiles, and never asking to save.
        MainWindow *child = window.browseWindows().first();
        QVERIFY(child->isVisible() && part<QMenuBar>((*child), "mainMenuBar")->isHidden() && !formOf((*child))->fieldsFrame->isEnabled());
        QCOMPARE(child->windowTitle(), "Mapvane - " + path + "[*]");
        canvasOf((*child))->resize(200, 100);
        QCOMPARE(canvasOf((*child))->grab().toImage().pixel(45, 30), qRgb(8, 80, 160));
        QVERIFY(child->close());
        QCOMPARE(texts.size(), 2);
    }
    fixture.addLayer(window, 30, 20);
    WindowFixture::calibrate(window.project(), window.currentLayer());
    int asked = 0;
    window.dialogs().saveFile = [&asked](auto...) { ++asked; return QString(); };
    action(window, "actionSave")->trigger();
    SmfHeader header;
    QVERIFY(SmfHeader::fromBytes(fixtures::fileBytes(previous), &header));
    QVERIFY2(asked == 0 && header.levelCount == 3,
             qPrintable(QStringLiteral("asked %1 times, %2 levels").arg(asked).arg(header.levelCount)));
    QVERIFY(kept);
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
    action(window, "actionNew")->trigger();
    const QString target = fixture.path(QStringLiteral("out/Harbour.smf"));
    QVERIFY(QDir().mkpath(fixture.path(QStringLiteral("out"))));
    QStringList suggested;
    window.dialogs().saveFile = [&](QWidget *, const QString &, const QString &start, const QString &) {
        suggested << start;
        return target;
    };
    fixture.addLayer(window, 640, 480);
    // Both points typed, their positions in decimal degrees on WGS 1984.
    typeInto(formOf(window), QStringLiteral("edX1=30 edY1=40 edX2=600 edY2=450 edLon1=113.25 edLat1=22.75 "
                                               "edLon2=114.5 edLat2=21.5"));
    // 1.25 degrees of latitude over 410 pixels: 4500000 / 410 = 10975.6 ms per pixel.
    QCOMPARE(layerTableOf(window)->item(0, 1)->text(), QStringLiteral("1:10975"));
    action(window, "actionSave")->trigger();
    // One level of 3 x 1 tiles of 300 x 500 for 640 x 480 pixels.
    QVERIFY(part<QLabel>(window, "fileSummary")->text().startsWith(QString::fromUtf8("已保存 %1:1 层,3 个图块,").arg(target)));
    QVERIFY(QFile::remove(target));
    action(window, "actionSave")->trigger();
    QVERIFY(!QFile::exists(target));
    action(window, "actionSaveAs")->trigger();
    QVERIFY(QFile::remove(target));
    window.project().changeFlags = 1;
    action(window, "actionSave")->trigger();
    QCOMPARE(suggested, QStringList({fixture.path(QStringLiteral("Harbour.smf")), target}));

    // In the same folder, the config.ini the dialog wrote gives the same name,
    // cartographer and fill.
    const QString layer = QStringLiteral("1.png@30,40,113.25,22.75,600,450,114.5,21.5");
    cli::run(fixture.dir.path(), {QStringLiteral("convert"), QStringLiteral("cli.smf"), layer});
    QCOMPARE(fixtures::fileBytes(target), fixtures::fileBytes(fixture.path(QStringLiteral("cli.smf"))));

    // WFL到SMF converts the chosen folder into the SMF file asked for, beside it by
    // default, with the properties of its dialog, and tells what it wrote: 3 x 2 tiles
    // of 256 x 256 for 600 x 500 pixels. The project keeps its own and stays saved.
    const QString folder = fixture.path(QStringLiteral("area"));
    QVERIFY(wfl::writeCutMap(folder, wfl::patternImage(600, 500, 1), QSize(256, 256), wfl::MapGeo{},
                             wfl::plainNames(15)));
    window.dialogs().folder = [folder](auto...) { return folder; };
    window.dialogs().saveFile = [&](QWidget *, const QString &, const QString &start, const QString &) {
        suggested << start;
        return start;
    };
    ModalDialogAction<MapPropertiesDialog> converting(properties(QStringLiteral("Area"), true, "WFL到SMF:地图属性"));
    action(window, "actionConvertWfl")->trigger();
    QCOMPARE(suggested.last(), folder + QStringLiteral(".smf"));
    QCOMPARE(messages.texts, QStringList({part<QLabel>(window, "fileSummary")->text()}));
    QVERIFY(messages.texts.first().startsWith(QString::fromUtf8("已保存 %1.smf:1 层,6 个图块,").arg(folder)));
    SmfHeader header;
    QVERIFY(SmfHeader::fromBytes(fixtures::fileBytes(folder + QStringLiteral(".smf")), &header));
    QCOMPARE(header.cartographer + header.mapName, window.project().cartographer + QStringLiteral("Area"));
    QVERIFY(window.project().mapName == QLatin1String("Harbour") && window.project().changeFlags == 0
            && window.projectState() == 2);
}

void TestFileCommands::outputsNeverInputs_data()
{
    QTest::addColumn<QString>("command");  // SaveAs or ConvertWfl
    QTest::addColumn<QString>("target");   // in the test's folder
    QTest::addColumn<QString>("message");  // %1 the target's path
    const QString input = QString::fromUtf8("保存失败\nthe output %1 is the input %1");
    QTest::newRow("the image of a .map layer") << "SaveAs" << "a.png" << input;
    QTest::newRow("the .map file") << "SaveAs" << "b.map" << input;
    QTest::newRow("the image's world file") << "SaveAs" << "a.pgw" << input;
    QTest::newRow("a folder") << "SaveAs" << "sub" << QString::fromUtf8("保存失败\nthe output %1 is a folder");
    QTest::newRow("a FIFO") << "SaveAs" << "pipe.smf"
                            << QString::fromUtf8("保存失败\nthe output %1 is not a regular file");
    QTest::newRow("WFL output on a FIFO") << "ConvertWfl" << "pipe.smf"
                                          << QString::fromUtf8("转换失败\nthe output %1 is not a regular file");
    QTest::newRow("WFL output on a tile") << "ConvertWfl" << "area/15_0x0.png"
                                          << QString::fromUtf8("转换失败\nthe output %1 is the input %1");
    QTest::newRow("WFL output on the project's image") << "ConvertWfl" << "a.png"
                                                       << QString::fromUtf8("转换失败\nthe output %1 is the input %1");
    QTest::newRow("another file is replaced") << "SaveAs" << "old.smf" << QString();
}

// Save As and WFL到SMF never write over a file the project (or the folder) is read from,
// nor through a folder, device or FIFO; they say why, with the words of mapvane-cli.
void TestFileCommands::outputsNeverInputs()
{
    QFETCH(QString, command);
    QFETCH(QString, target);
    QFETCH(QString, message);
    ProjectWindow w;
    WindowFixture &fixture = w.fixture;
    fixtures::mapLikeImage(100, 80).save(fixture.path(QStringLiteral("a.png")));
    fixture.write(QStringLiteral("a.pgw"), "1\n0\n0\n-1\n10\n46\n");
    fixture.write(QStringLiteral("b.map"), fixtures::oziMapFile("a.png", fixtures::fourCorners()));
    fixture.write(QStringLiteral("old.smf"), "old");
    QVERIFY(QDir().mkpath(fixture.path(QStringLiteral("sub"))));
    QVERIFY(::mkfifo(QFile::encodeName(fixture.path(QStringLiteral("pipe.smf"))).constData(), 0600) == 0);
    QVERIFY(wfl::writeCutMap(fixture.path(QStringLiteral("area")), wfl::patternImage(300, 200, 1), QSize(256, 256),
                             wfl::MapGeo{}, wfl::plainNames(15)));
    w.window.addLayerFiles({fixture.path(QStringLiteral("b.map"))});
    QCOMPARE(w.window.project().layers.size(), 1);
    const QString path = fixture.path(target);
    const QByteArray before = QFileInfo(path).isFile() ? fixtures::fileBytes(path) : QByteArray();
    w.window.dialogs().saveFile = [path](auto...) { return path; };
    w.window.dialogs().folder = [&fixture](auto...) { return fixture.path(QStringLiteral("area")); };
    ModalAnswer answer;
    ModalDialogAction<MapPropertiesDialog> accept([](MapPropertiesDialog *dialog) { dialog->okButton->click(); });
    w.window.findChild<QAction *>("action" + command)->trigger();
    const QString said = answer.texts.value(0);
    QVERIFY2(message.isEmpty() ? answer.texts.isEmpty() : said.startsWith(message.arg(path)), qPrintable(said));
    if (!message.isEmpty()) {
        // Nothing was written, and the window stays as it was.
        QVERIFY(!QFileInfo(path).isFile() || fixtures::fileBytes(path) == before);
        QVERIFY(w.window.projectState() == 1 && w.window.project().changeFlags != 0);
    }
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
        window.startNewProject();
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
    QTEST(layerTableOf(window)->rowCount(), "rows");
    QTEST(window.projectState(), "state");
    QCOMPARE(answer.texts.join(QLatin1Char('|')).left(messages.size()), messages);
    // A project made for the files has the properties of config.ini, here the built-in ones.
    if (!project && window.projectState() == 1)
        QCOMPARE(window.windowTitle(), QStringLiteral("Mapvane - Kelvo.smf[*]"));
}

// Browsing asks for the file before a window shows, and the browse window keeps the
// selectors that switch its position read-out and the zoom commands.
void TestFileCommands::browseWindow()
{
    WindowFixture fixture;
    const QString path = fixture.write(QStringLiteral("b.smf"), buildSmfFile(30, 20, {gridRecord(2, 2)}, positionColour));
    MainWindow window;
    int shownWhileAsked = 0;
    window.dialogs().openFile = [&](auto...) {
        for (QWidget *widget : QApplication::topLevelWidgets())
            shownWhileAsked += widget->isVisible() && qobject_cast<MainWindow *>(widget);
        return path;
    };
    action(window, "actionBrowseSmf")->trigger();
    QCOMPARE(shownWhileAsked, 1);
    QCOMPARE(window.browseWindows().size(), 1);
    const MainWindow *child = window.browseWindows().first();
    QVERIFY(child->isVisible() && part<QComboBox>((*child), "notationSelector")->isVisible() && part<QComboBox>((*child), "datumSelector")->isVisible());
    QVERIFY(!action((*child), "actionSave")->isVisible() && !child->acceptDrops());
    QVERIFY(action((*child), "actionZoomToFit")->isEnabled());
}

QTEST_MAIN(TestFileCommands)
#include "tst_file_commands.moc"
