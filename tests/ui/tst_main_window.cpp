#include <QInputDialog>
#include <QSpinBox>

#include <gdal.h>
#include <ogr_srs_api.h>

#include "common/cli_runner.h"
#include "common/mosaic_sheets.h"
#include "common/window_fixture.h"
#include "ui/about_dialog.h"
#include "raster/geo_raster.h"
#include "project/layer_mosaic.h"
#include "ui/file_types.h"
#include "ui/mosaic_sources_panel.h"
#include "settings/language_settings.h"

// The main window: language menu, the properties command with the config.ini
// defaults, the layer table with its commands, and the canvas.
class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void languageMarks_data();
    void languageMarks();
    void propertyCommand();
    void aboutAndLongTexts();
    void layerTableFollowsTheLayers();
    void canvas();
    void undoEachCommand_data();
    void undoEachCommand();
    void georeferencedLayer();
    void mergedLayer();
    void keyboard_data();
    void keyboard();
};

void TestMainWindow::languageMarks_data()
{
    QTest::addColumn<QString>("file");  // as read from Language.ini
    QTest::addColumn<int>("marked");
    QTest::newRow("English") << "./LanguageEN.qm" << 0;
    QTest::newRow("Simplified") << "./LanguageZH.qm" << 1;
    QTest::newRow("Traditional") << "./LanguageTW.qm" << 2;
    QTest::newRow("near miss: trailing blank") << "./LanguageTW.qm " << 0;
}

// The running language is ticked and cannot be chosen again; choosing another one
// names it in Language.ini for the next start.
void TestMainWindow::languageMarks()
{
    QFETCH(QString, file);
    QFETCH(int, marked);
    WindowFixture fixture;
    MainWindow window(file);
    for (int i = 0; i < 3; ++i)
        QVERIFY(languageAction(window, i)->isChecked() == (i == marked)
                && languageAction(window, i)->isEnabled() != (i == marked));
    ModalAnswer restartNotice;
    languageAction(window, (marked + 1) % 3)->trigger();
    QCOMPARE(fixtures::fileBytes(QStringLiteral("Language.ini")), (LanguageFileTable[(marked + 1) % 3] + "\n").toUtf8());
}

// The command shows the project's properties, the config.ini defaults at first, and
// refuses an empty map name; an accepted dialog sets them and keeps them in config.ini
// as the next defaults, a cancelled one changes nothing.
void TestMainWindow::propertyCommand()
{
    for (bool accept : {true, false}) {
        WindowFixture fixture;
        fixture.write(QStringLiteral("config.ini"), "A\nB\n1\n2\n3\n");
        MainWindow window;
        window.startNewProject();
        window.project().changeFlags = 0;  // the properties of config.ini, unchanged
        QStringList shown;
        ModalAnswer refused;
        ModalDialogAction<MapPropertiesDialog> answer([&](MapPropertiesDialog *dialog) {
            shown << dialog->windowTitle() << dialog->cartographerEdit->text() << dialog->mapNameEdit->text()
                  << dialog->fillColour().name();
            dialog->mapNameEdit->clear();
            dialog->okButton->click();
            dialog->mapNameEdit->setText(QStringLiteral("C"));
            dialog->setFillColour(QColor(4, 5, 6));
            (accept ? dialog->okButton : dialog->cancelButton)->click();
            if (dialog->isVisible())
                dialog->reject();
        });
        action(window, "actionProperties")->trigger();
        QCOMPARE(shown, QStringList({QString::fromUtf8("属性"), "A", "B", "#010203"}));
        QCOMPARE(refused.texts, QStringList({QString::fromUtf8("请输入")}));
        QCOMPARE(window.project().mapName, QString(accept ? "C" : "B"));
        QCOMPARE(window.project().fillColour, accept ? QColor(4, 5, 6) : QColor(1, 2, 3));
        QCOMPARE(window.project().changeFlags != 0, accept);
        QCOMPARE(fixtures::fileBytes(QStringLiteral("config.ini")),
                 accept ? QByteArray("A\nC\n4\n5\n6\n") : "A\nB\n1\n2\n3\n");
    }
}

// About names the version mapvane-cli prints; the properties dialog warns of a text
// longer than the 32 UTF-16 code units the file keeps, as it is typed.
void TestMainWindow::aboutAndLongTexts()
{
    const QString version = QString::fromUtf8(cli::run(QDir::currentPath(), {QStringLiteral("--version")}).out)
                                .section(QLatin1Char(' '), 1).trimmed();
    QVERIFY(!version.isEmpty());
    AboutDialog about;
    QVERIFY2(about.aboutText->text().endsWith(version), qPrintable(about.aboutText->text()));

    MapPropertiesDialog dialog;
    dialog.setProperties(QStringLiteral("Tester"), QString(32, QLatin1Char('n')), Qt::white);
    QVERIFY(dialog.lengthWarning->text().isEmpty());
    QTest::keyClick(dialog.mapNameEdit, Qt::Key_End);
    QTest::keyClicks(dialog.mapNameEdit, QStringLiteral("x"));
    QCOMPARE(dialog.lengthWarning->text(), QString::fromUtf8("地图名超过 32 个字符(33 个),文件只保存前 32 个"));
}

// Row i shows layer i at all times: a re-sort by scale (finest first, ties in their
// order) moves the rows with the layers, and the current layer stays current. Delete
// shows the row before the deleted one, and the canvas never keeps a deleted layer.
// Copy adds a copy of the current layer at the percentage asked for; Auto adds four,
// at 60, 80, 120 and 140 %, all of the layer current at the start; the last copy is
// current.
void TestMainWindow::layerTableFollowsTheLayers()
{
    ProjectWindow w;
    for (int height : {100, 300, 100})
        w.fixture.addLayer(w.window, 100, height);
    const QVector<MapLayer *> added = w.window.project().layers;
    for (int i = 0; i < 3; ++i)
        WindowFixture::calibrate(w.window.project(), i);
    w.window.selectLayerRow(0);
    QCOMPARE(layerTableOf(w.window)->item(0, 0)->text() + layerTableOf(w.window)->item(1, 0)->text()
                 + layerTableOf(w.window)->item(2, 0)->text(),
             QString::fromUtf8("层1层0层2"));
    QVERIFY(w.window.currentLayer() == 1 && layerTableOf(w.window)->item(1, 0)->isSelected());
    QCOMPARE(canvasOf(w.window)->layer(), added[0]);
    action(w.window, "actionDeleteLayer")->trigger();
    QCOMPARE(canvasOf(w.window)->layer(), added[1]);
    QVERIFY(canvasOf(w.window)->image().height() == 300 && formOf(w.window)->fieldsFrame->isEnabled());
    action(w.window, "actionAutoCopies")->trigger();
    // The standard prompt shows the unit after the number and gives back what was entered.
    QString unit;
    ModalDialogAction<QInputDialog> percent([&unit](QInputDialog *dialog) {
        unit = dialog->findChild<QSpinBox *>()->suffix();
        dialog->setIntValue(40);
        dialog->accept();
    });
    bool asked = false;
    QCOMPARE(DialogProvider::standard().integer(nullptr, {}, {}, 100, 5, 300, 5, QStringLiteral("%"), &asked), 40);
    QVERIFY(asked && unit == QLatin1String("%"));
    w.window.dialogs().integer = [](QWidget *, auto, auto, auto, auto, auto, auto, auto, bool *ok) {
        *ok = true;
        return 5;
    };
    action(w.window, "actionCopyLayer")->trigger();
    QList<int> widths;
    for (int row = 0; row < layerTableOf(w.window)->rowCount(); ++row)
        widths << w.window.project().layerImage(row)->width();
    QCOMPARE(widths, QList<int>({140, 120, 100, 80, 60, 100, 7}));
    QCOMPARE(w.window.project().layerImage(w.window.currentLayer())->width(), 7);
    for (int i = 0; i < 7; ++i)
        action(w.window, "actionDeleteLayer")->trigger();
    QCOMPARE(layerTableOf(w.window)->rowCount(), 0);
    QVERIFY(!canvasOf(w.window)->layer() && canvasOf(w.window)->image().isNull() && !formOf(w.window)->fieldsFrame->isEnabled());
}

// A click places a point only while its placing command is checked, at the image
// pixel under the mouse, and ends the placing; the status bar shows the pixel under
// the mouse and its position in the chosen notation, linear between the points; a
// pixel typed in the form brings its point and marker into view.
void TestMainWindow::canvas()
{
    ProjectWindow w;
    w.fixture.addLayer(w.window, 1200, 900);
    MapCanvas *canvas = canvasOf(w.window);
    const MapLayer *layer = w.window.project().layers[0];
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(20, 30));
    QCOMPARE(layer->topLeft.pixelX, 0);

    canvas->setView(1.0, QPoint(100, 50));
    QCOMPARE(canvas->view().scroll, QPoint(100, 50));
    action(w.window, "actionPlaceBottomRightPoint")->trigger();
    action(w.window, "actionPlaceTopLeftPoint")->trigger();
    QVERIFY(!action(w.window, "actionPlaceBottomRightPoint")->isChecked());
    QTest::mouseClick(canvas, Qt::RightButton, {}, QPoint(10, 20));
    QCOMPARE(QPoint(layer->topLeft.pixelX, layer->topLeft.pixelY), QPoint(110, 70));
    QVERIFY(!action(w.window, "actionPlaceTopLeftPoint")->isChecked());
    action(w.window, "actionPlaceBottomRightPoint")->trigger();
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(150, 120));
    QCOMPARE(QPoint(layer->bottomRight.pixelX, layer->bottomRight.pixelY), QPoint(250, 170));
    QCOMPARE(formOf(w.window)->edX2->text(), QStringLiteral("250"));

    // Half way between 10° E, 46° N and 11° E, 45° N.
    WindowFixture::calibrate(w.window.project(), 0);
    part<QComboBox>(w.window, "notationSelector")->setCurrentIndex(1);
    QMouseEvent move(QEvent::MouseMove, QPointF(80, 70), QPointF(), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
    QCOMPARE(statusText(w.window, 0) + QLatin1Char(',') + statusText(w.window, 1), "180,120");
    QCOMPARE(statusText(w.window, 2) + statusText(w.window, 3),
             QString::fromUtf8("E  10°30.00000'N  45°30.00000'"));

    typeInto(formOf(w.window), QStringLiteral("edY1=0"));
    const QPoint marker = canvas->view().widgetPixelOf(QPoint(110, 0));
    QVERIFY(canvas->rect().adjusted(10, 10, -10, -10).contains(marker));
}

// What the window shows of its layers: each row's name, image, zoom, points and
// scale, the current row, and whether canvas and form show the current layer.
static QString shownLayers(MainWindow &window)
{
    QStringList rows;
    for (int row = 0; row < layerTableOf(window)->rowCount(); ++row) {
        const MapLayer *layer = window.project().layers[row];
        rows << QStringLiteral("%1 %2 x%3 %4,%5 %6,%7 %8")
                    .arg(layerTableOf(window)->item(row, 0)->text(), QFileInfo(layer->sourcePath).fileName())
                    .arg(layer->zoom)
                    .arg(layer->topLeft.pixelX)
                    .arg(layer->topLeft.pixelY)
                    .arg(layer->bottomRight.pixelX)
                    .arg(layer->bottomRight.pixelY)
                    .arg(layerTableOf(window)->item(row, 1)->text());
    }
    const int current = window.currentLayer();
    const bool shown = current < window.project().layers.size() && canvasOf(window)->layer() == window.project().layers[current]
        && formOf(window)->edX1->text().toInt() == canvasOf(window)->layer()->topLeft.pixelX;
    return rows.join(QLatin1Char('|')) + QStringLiteral(" current %1 %2").arg(current).arg(shown);
}

void TestMainWindow::undoEachCommand_data()
{
    QTest::addColumn<std::function<void(ProjectWindow &)>>("command");
    const auto trigger = [](const char *name) {
        return std::function<void(ProjectWindow &)>([name](ProjectWindow &w) { action(w.window, name)->trigger(); });
    };
    QTest::newRow("add") << std::function<void(ProjectWindow &)>(
        [](ProjectWindow &w) { w.fixture.addLayer(w.window, 50, 60); });
    QTest::newRow("copy") << std::function<void(ProjectWindow &)>([](ProjectWindow &w) {
        w.window.dialogs().integer = [](QWidget *, auto, auto, auto, auto, auto, auto, auto, bool *ok) { *ok = true; return 50; };
        action(w.window, "actionCopyLayer")->trigger();
    });
    QTest::newRow("auto copies") << trigger("actionAutoCopies");
    QTest::newRow("delete") << trigger("actionDeleteLayer");
    QTest::newRow("sort") << trigger("actionSortLayers");
    QTest::newRow("place a point") << std::function<void(ProjectWindow &)>([](ProjectWindow &w) {
        action(w.window, "actionPlaceTopLeftPoint")->trigger();
        w.window.placePoint(7, 9);
    });
    QTest::newRow("type a latitude, undone at once") << std::function<void(ProjectWindow &)>(
        [](ProjectWindow &w) { typeInto(formOf(w.window), QStringLiteral("edLat2=44,5")); });
    QTest::newRow("merge two of three") << std::function<void(ProjectWindow &)>([](ProjectWindow &w) {
        QTableWidget *table = layerTableOf(w.window);
        table->selectionModel()->select(table->model()->index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QVERIFY(w.window.selectedLayerRows().size() == 2);
        action(w.window, "actionMergeLayers")->trigger();
    });
    QTest::newRow("drag a marker") << std::function<void(ProjectWindow &)>(
        [](ProjectWindow &w) { w.window.movePoint(2, 50, 40); });
}

// Each command is undone to exactly what the window showed before it, at the zoom it
// was shown, and redone to what it showed after; a new command after an undo drops the redo (records the undone
// command held are freed, which the sanitized run checks).
void TestMainWindow::undoEachCommand()
{
    QFETCH(std::function<void(ProjectWindow &)>, command);
    ProjectWindow w;
    for (int height : {100, 300, 200})
        w.fixture.addLayer(w.window, 100, height);
    for (int i = 0; i < 3; ++i)
        WindowFixture::calibrate(w.window.project(), i);
    // Rows with the new scales, in the order of adding.
    w.window.showLayerRows(w.window.layerRows());
    w.window.undoStack()->clear();
    canvasOf(w.window)->zoomIn();
    const double zoom = canvasOf(w.window)->view().zoom;
    const QString before = shownLayers(w.window);
    command(w);
    const QString after = shownLayers(w.window);
    QVERIFY(after != before);
    QVERIFY(action(w.window, "actionUndo")->isEnabled() && !action(w.window, "actionRedo")->isEnabled());
    w.window.project().changeFlags = 0;  // as a save leaves it: the undo is a change to save
    // Ctrl+Z undoes from wherever the focus is, a calibration field too.
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(shownLayers(w.window), before);
    QCOMPARE(canvasOf(w.window)->view().zoom, zoom);  // the view stays
    QVERIFY(w.window.project().changeFlags != 0);
    action(w.window, "actionRedo")->trigger();
    QCOMPARE(shownLayers(w.window), after);
    action(w.window, "actionUndo")->trigger();
    action(w.window, "actionDeleteLayer")->trigger();
    QVERIFY(!action(w.window, "actionRedo")->isEnabled());
    QCOMPARE(layerTableOf(w.window)->rowCount(), 2);
}

// A 40 x 30 GeoTIFF on UTM zone 33N, 100 m pixels, made through GDAL.
static QString writeUtmGeoTiff(const QString &path)
{
    GDALAllRegister();
    GDALDatasetH memory = GDALCreate(GDALGetDriverByName("MEM"), "", 40, 30, 3, GDT_Byte, nullptr);
    double transform[6] = {500000.0, 100.0, 0.0, 5600000.0, 0.0, -100.0};
    GDALSetGeoTransform(memory, transform);
    OGRSpatialReferenceH grid = OSRNewSpatialReference(nullptr);
    OSRImportFromEPSG(grid, 32633);
    GDALSetSpatialRef(memory, grid);
    GDALClose(GDALCreateCopy(GDALGetDriverByName("GTiff"), path.toUtf8().constData(), memory, false, nullptr,
                             nullptr, nullptr));
    OSRDestroySpatialReference(grid);
    GDALClose(memory);
    return path;
}

// A raster that brings its own grid is added warped and calibrated; the form says
// where the calibration came from and nothing can change its points, until the user
// calibrates it by hand: the layer is then the raster's own pixels with its corners
// kept as a start, and undo makes it the warped layer again.
void TestMainWindow::georeferencedLayer()
{
    ProjectWindow w;
    QVERIFY(isLayerFilePath(QStringLiteral("sheet.TIFF")));
    const QString tiff = writeUtmGeoTiff(w.fixture.path(QStringLiteral("sheet.tif")));
    w.window.dialogs().openFiles = [tiff](auto...) { return QStringList{tiff}; };
    action(w.window, "actionAddLayer")->trigger();
    QCOMPARE(w.window.project().layers.size(), 1);
    const MapLayer *layer = w.window.project().layers[0];
    CalibrationForm *form = formOf(w.window);
    // Fields read-only, placing refused, the origin line shown.
    const auto fixed = [&] {
        return QList<bool>{form->edX1->isReadOnly(), form->edLat2->isReadOnly(),
                           !action(w.window, "actionPlaceTopLeftPoint")->isEnabled(), !form->georeferenceFrame->isHidden()};
    };
    QVERIFY(layer->georeference && fixed() == QList<bool>(4, true));
    const QSize warped = layer->georeference->size;
    QCOMPARE(form->georeferenceLabel->text(),
             QString::fromUtf8("来自 GeoTIFF:WGS 84 / UTM zone 33N(WGS 84),已重投影"));
    QCOMPARE(form->edX2->text().toInt(), warped.width());
    const CalibrationPoint corner = layer->bottomRight;
    w.window.movePoint(2, 5, 5);
    QCOMPARE(layer->bottomRight.pixelX, warped.width());

    form->calibrateByHandButton->click();
    QVERIFY(!layer->georeference && fixed() == QList<bool>(4, false));
    QCOMPARE(canvasOf(w.window)->image().size(), QSize(40, 30));
    QVERIFY(layer->bottomRight.pixelX == 40 && layer->bottomRight.pixelY == 30
            && layer->bottomRight.lon == corner.lon && layer->bottomRightLatSet);
    action(w.window, "actionUndo")->trigger();
    QVERIFY(layer->georeference && fixed() == QList<bool>(4, true));
    QCOMPARE(canvasOf(w.window)->image().size(), warped);
}

// Three sheets, selected in the table and merged, are one layer whose sources the
// points dock lists; saved, it is the file `convert` writes of the same group. Undo
// takes it apart again and redo merges again. A save never writes over a source of
// it, and a selection with a layer not calibrated cannot be merged.
void TestMainWindow::mergedLayer()
{
    ProjectWindow w;
    const sheets::Sheets written = sheets::writeSheets(w.fixture.dir.path(), true);
    QVERIFY(!written.maps.isEmpty());
    w.window.dialogs().openFiles = [&written](auto...) { return written.maps; };
    action(w.window, "actionAddLayer")->trigger();
    const QVector<MapLayer *> sheetLayers = w.window.project().layers;
    QTableWidget *table = layerTableOf(w.window);
    QAction *merge = action(w.window, "actionMergeLayers");
    const auto click = [table](int row, Qt::KeyboardModifiers modifiers) {
        QTest::mouseClick(table->viewport(), Qt::LeftButton, modifiers, table->visualItemRect(table->item(row, 0)).center());
    };
    click(0, {});
    QVERIFY(!merge->isEnabled());
    click(2, Qt::ShiftModifier);
    QVERIFY(merge->isEnabled() && w.window.currentLayer() == 2);
    merge->trigger();
    QCOMPARE(table->rowCount(), 1);
    const MapLayer *merged = w.window.project().layers[0];
    QVERIFY(merged->mosaic && canvasOf(w.window)->layer() == merged && formOf(w.window)->edX1->isReadOnly());
    QVERIFY(!merged->mosaic->sources.at(2).layer.loaded && merged->mosaic->sources.at(2).layer.image.isNull());
    const QTableWidget *sources = part<QTableWidget>(w.window, "mosaicSourcesTable");
    QStringList listed;
    for (int row = 0; row < sources->rowCount(); ++row) {
        for (int column = 0; column < MosaicSourcesPanel::ColumnCount; ++column)
            listed << sources->item(row, column)->text();
    }
    QCOMPARE(listed.join(QLatin1Char('|')), QString::fromUtf8("sheet0.map|OziExplorer 文件|4 个点|sheet1.map|"
                                                              "OziExplorer 文件|4 个点|sheet2.map|OziExplorer 文件|4 个点"));

    ModalAnswer refusal;
    const QByteArray sheet = fixtures::fileBytes(written.maps.at(2));
    QVERIFY(!w.window.saveProjectTo(written.maps.at(2)) && fixtures::fileBytes(written.maps.at(2)) == sheet);
    QVERIFY(w.window.saveProjectTo(w.fixture.path(QStringLiteral("window.smf"))));
    const cli::Result converted = cli::run(
        w.fixture.dir.path(), QStringList{QStringLiteral("convert"), QStringLiteral("cli.smf"), QStringLiteral("(")}
                                  + written.maps
                                  + cli::words(QStringLiteral(") --fill 122,122,122 --cartographer Tester --name map")));
    QVERIFY2(converted.exitCode == 0, converted.err.constData());
    QVERIFY(fixtures::fileBytes(w.fixture.path(QStringLiteral("window.smf")))
            == fixtures::fileBytes(w.fixture.path(QStringLiteral("cli.smf"))));

    action(w.window, "actionUndo")->trigger();
    QVERIFY(w.window.project().layers == sheetLayers && table->rowCount() == 3);
    QVERIFY(part<QTableWidget>(w.window, "controlPointsTable")->isVisibleTo(&w.window));
    action(w.window, "actionRedo")->trigger();
    QVERIFY(w.window.project().layers == QVector<MapLayer *>{const_cast<MapLayer *>(merged)});
    action(w.window, "actionAutoCopies")->trigger();
    QSet<int> widths;
    for (int row = 0; row < table->rowCount(); ++row) {
        QVERIFY(w.window.project().layers[row]->mosaic == merged->mosaic);
        widths << w.window.project().layerImage(row)->width();
    }
    QVERIFY(widths.size() == 5 && !widths.contains(0));
    // Refused by the core, which says why and of which layer; nothing changes.
    table->selectAll();
    merge->trigger();
    QVERIFY(table->rowCount() == 5 && refusal.texts.size() == 2);
    QVERIFY2(refusal.texts.last().contains(QString::fromUtf8("无法合并为一层\n%1: a copy at another scale").arg(
                 table->item(int(w.window.project().layers.indexOf(const_cast<MapLayer *>(merged))) == 0, 0)->text())),
             qPrintable(refusal.texts.last()));
    action(w.window, "actionUndo")->trigger();
    w.window.selectLayerRow(0);

    // A source's border dragged on its own image plans the level again, and undo puts it back.
    action(w.window, "actionEditBorder")->trigger();
    QVERIFY(canvasOf(w.window)->image().size() == QSize(sheets::kWidth, sheets::kHeight)
            && canvasOf(w.window)->controlPointsShown());
    const std::shared_ptr<const LayerMosaic> planned = merged->mosaic;
    emit canvasOf(w.window)->controlPointDragged(0, QPointF(0, 0));
    QVERIFY(merged->mosaic != planned && merged->mosaic->sources.at(0).border.at(0) == QPointF(0, 0));
    QVERIFY(merged->mosaic->raster.size.width() > planned->raster.size.width());
    action(w.window, "actionUndo")->trigger();
    QVERIFY(merged->mosaic == planned);

    // A layer not calibrated is merged with nothing; its border starts at the image's corners.
    w.fixture.addLayer(w.window, 30, 20);
    const MapLayer *plain = w.window.project().layers[w.window.currentLayer()];
    emit canvasOf(w.window)->controlPointDragged(2, QPointF(20, 15));
    QCOMPARE(plain->border, (QVector<QPointF>{{0, 0}, {30, 0}, {20, 15}, {0, 20}}));
    click(0, Qt::ControlModifier);
    QVERIFY(w.window.selectedLayerRows().size() == 2 && !merge->isEnabled());
}

void TestMainWindow::keyboard_data()
{
    InterfaceLanguage::addRows();
}

// In every language each menu gives each command a mnemonic of its own; Tab goes round
// the layer table, the selectors, the calibration fields and the map; a dialog takes
// its first keystroke in its first field.
void TestMainWindow::keyboard()
{
    QFETCH(int, language);
    const InterfaceLanguage installed(language);
    QVERIFY(installed.loaded);
    ProjectWindow w;
    w.fixture.addLayer(w.window, 100, 80);
    emit part<QMenu>(w.window, "menuRecentFiles")->aboutToShow();
    QList<QMenu *> menus = {nullptr};  // the menu bar itself first
    for (QAction *action : part<QMenuBar>(w.window, "mainMenuBar")->actions())
        menus << action->menu() << action->menu()->findChildren<QMenu *>();
    for (QMenu *menu : std::as_const(menus)) {
        QStringList keys;
        for (const QAction *action : menu ? menu->actions() : part<QMenuBar>(w.window, "mainMenuBar")->actions()) {
            if (action->isVisible() && !action->isSeparator())
                keys << QKeySequence::mnemonic(action->text()).toString();
        }
        QVERIFY2(!keys.contains(QString()) && QSet<QString>(keys.cbegin(), keys.cend()).size() == keys.size(),
                 qPrintable((menu ? menu->title() : QStringLiteral("menu bar")) + ": " + keys.join(' ')));
    }

    // Wide enough for the tool bar to show its selectors.
    w.window.showNormal();
    w.window.resize(2000, 800);
    QVERIFY(QTest::qWaitForWindowActive(&w.window));
    layerTableOf(w.window)->setFocus();
    QList<QWidget *> visited;
    for (int i = 0; i < 20 && (visited.isEmpty() || visited.last() != layerTableOf(w.window)); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget();
    }
    const QList<QWidget *> cycle = {part<QComboBox>(w.window, "notationSelector"), part<QComboBox>(w.window, "datumSelector"), formOf(w.window)->edX1,
                                    formOf(w.window)->edY1, formOf(w.window)->edLon1,
                                    formOf(w.window)->edLat1, formOf(w.window)->edX2,
                                    formOf(w.window)->edY2, formOf(w.window)->edLon2,
                                    formOf(w.window)->edLat2, canvasOf(w.window), layerTableOf(w.window)};
    QCOMPARE(visited, cycle);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), canvasOf(w.window));

    bool focused = false;
    ModalDialogAction<MapPropertiesDialog> dialog([&focused](MapPropertiesDialog *shown) {
        focused = shown->focusWidget() == shown->cartographerEdit;
        shown->reject();
    });
    w.window.project().changeFlags = 0;  // nothing to save first
    action(w.window, "actionNew")->trigger();
    QVERIFY(focused);
}

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
