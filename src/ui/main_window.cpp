// The main window: building it, the commands that fit its actions to the project,
// the view toggles, the language menu and the help and properties commands.

#include "ui/main_window.h"

#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>

#include "geo/datum_table.h"
#include "settings/config_file.h"
#include "settings/language_settings.h"
#include "ui/about_dialog.h"
#include "ui/calibration_form.h"
#include "ui/map_canvas.h"
#include "ui/map_properties_dialog.h"

static void registerResources()
{
    Q_INIT_RESOURCE(mapvane);
}

void ensureMapvaneResources()
{
    static const bool registered = (registerResources(), true);
    Q_UNUSED(registered);
}

DialogProvider DialogProvider::standard()
{
    DialogProvider dialogs;
    dialogs.openFile = [](QWidget *parent, const QString &caption, const QString &dir, const QString &filter,
                          const QString &preselected) {
        QString selected = preselected;
        return QFileDialog::getOpenFileName(parent, caption, dir, filter, preselected.isEmpty() ? nullptr : &selected);
    };
    dialogs.openFiles = [](QWidget *parent, const QString &caption, const QString &dir, const QString &filter,
                           const QString &preselected) {
        QString selected = preselected;
        return QFileDialog::getOpenFileNames(parent, caption, dir, filter, preselected.isEmpty() ? nullptr : &selected);
    };
    dialogs.saveFile = [](QWidget *parent, const QString &caption, const QString &suggested, const QString &filter) {
        return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
    };
    dialogs.folder = [](QWidget *parent, const QString &caption, const QString &dir) {
        return QFileDialog::getExistingDirectory(parent, caption, dir, QFileDialog::ShowDirsOnly);
    };
    dialogs.integer = [](QWidget *parent, const QString &title, const QString &label, int value, int min, int max,
                         int step, const QString &suffix, bool *ok) {
        // QInputDialog::getInt() has no unit: the spin box is reached through the dialog.
        QInputDialog dialog(parent);
        dialog.setWindowTitle(title);
        dialog.setLabelText(label);
        dialog.setInputMode(QInputDialog::IntInput);
        dialog.setIntRange(min, max);
        dialog.setIntStep(step);
        dialog.setIntValue(value);
        if (QSpinBox *box = dialog.findChild<QSpinBox *>())
            box->setSuffix(suffix);
        *ok = dialog.exec() == QDialog::Accepted;
        return *ok ? dialog.intValue() : value;
    };
    return dialogs;
}

MainWindow::MainWindow(const QString &languageFile, bool browse)
    : languageFile(languageFile)
{
    ensureMapvaneResources();
    setupUi(this);

    languageActions[0] = actionLanguageEnglish;
    languageActions[1] = actionLanguageSimplifiedChinese;
    languageActions[2] = actionLanguageTraditionalChinese;
    markCurrentLanguage();
    for (int index = 0; index < 3; ++index)
        connect(languageActions[index], &QAction::triggered, this, [this, index] { chooseLanguage(index); });

    baseTitle = QStringLiteral("Mapvane");
    browseMode = browse;
    project.browseMode = browse;
    setWindowTitle(baseTitle);

    projectState = 0;
    currentLayer = 0;
    selectionEnabled = false;
    lastDirectory = QDir::currentPath();

    canvas = new MapCanvas(this);
    canvasFrame = canvas->createFrame(this);
    setCentralWidget(canvasFrame);
    connectCanvasCommands();

    createLayerDock();
    createCalibrationDock();
    createStatusLabels();
    createSelectors();
    createUndoStack();
    createTabCycle();

    if (!browseMode)
        showMaximized();
    updateActions();

    // The docks' own toggles stand in the View menu for the designed ones.
    QAction *layerToggle = layerDock->toggleViewAction();
    QAction *calibrationToggle = calibrationDock->toggleViewAction();
    menuView->addAction(layerToggle);
    menuView->addAction(calibrationToggle);
    layerToggle->setText(actionToggleLayerDock->text());
    calibrationToggle->setText(actionToggleCalibrationDock->text());

    readConfiguration();
    fillRecentFilesMenu();
    connect(menuRecentFiles, &QMenu::aboutToShow, this, &MainWindow::fillRecentFilesMenu);
    if (browseMode)
        setUpBrowsing();
    else
        setAcceptDrops(true);
}

MainWindow::~MainWindow()
{
    // Browse windows go first; each runs this same destructor for its own.
    qDeleteAll(browseWindows);
    browseWindows.clear();
    // The stack goes while the actions it updates still exist.
    delete undoStack;
    undoStack = nullptr;
}

void MainWindow::connectCanvasCommands()
{
    actionZoomIn->setShortcuts({actionZoomIn->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(actionZoomIn, &QAction::triggered, canvas, &MapCanvas::zoomIn);
    connect(actionZoomOut, &QAction::triggered, canvas, &MapCanvas::zoomOut);
    connect(actionZoomToFit, &QAction::triggered, canvas, &MapCanvas::zoomToFit);
    connect(actionZoomActualSize, &QAction::triggered, canvas, &MapCanvas::zoomActualSize);
    // Held by the window too, so that their shortcuts work where the menu bar is
    // hidden (a browse window, whose tool bar keeps them).
    addActions({actionZoomIn, actionZoomOut, actionZoomToFit, actionZoomActualSize});

    // Esc ends either placing mode; it is taken only while one is on.
    auto *stopPlacing = new QAction(this);
    stopPlacing->setShortcut(QKeySequence(Qt::Key_Escape));
    stopPlacing->setEnabled(false);
    addAction(stopPlacing);
    connect(stopPlacing, &QAction::triggered, this, [this] {
        actionPlaceTopLeftPoint->setChecked(false);
        actionPlaceBottomRightPoint->setChecked(false);
        setCursor(Qt::ArrowCursor);
    });
    for (QAction *placing : {actionPlaceTopLeftPoint, actionPlaceBottomRightPoint}) {
        connect(placing, &QAction::toggled, stopPlacing, [this, stopPlacing] {
            stopPlacing->setEnabled(actionPlaceTopLeftPoint->isChecked() || actionPlaceBottomRightPoint->isChecked());
        });
    }
}

void MainWindow::createLayerDock()
{
    layerDock = new QDockWidget(tr("图层"), this);
    layerDock->setObjectName(QStringLiteral("layerDock"));
    layerTable = new QTableWidget(layerDock);
    layerTable->setObjectName(QStringLiteral("layerTable"));
    layerDock->setWidget(layerTable);
    layerDock->setAllowedAreas(Qt::AllDockWidgetAreas);
    layerDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable
                           | QDockWidget::DockWidgetFloatable);
    layerDock->setFloating(false);
    addDockWidget(Qt::LeftDockWidgetArea, layerDock);

    layerTable->setColumnCount(3);
    layerTable->setHorizontalHeaderLabels({tr("层"), tr("比例尺(像素:毫秒)"), QString()});
    layerTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    layerTable->verticalHeader()->hide();
    layerTable->setColumnHidden(2, true);
    layerTable->setShowGrid(false);
    layerTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    layerTable->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(layerTable, &QTableWidget::itemSelectionChanged, this, &MainWindow::showSelectedLayer);
}

void MainWindow::createCalibrationDock()
{
    calibrationDock = new QDockWidget(tr("定标点"), this);
    calibrationDock->setObjectName(QStringLiteral("calibrationDock"));
    calibrationForm = new CalibrationForm(this);
    const int formWidth = calibrationForm->width();
    calibrationDock->setWidget(calibrationForm);
    calibrationDock->setAllowedAreas(Qt::AllDockWidgetAreas);
    calibrationDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable
                                 | QDockWidget::DockWidgetFloatable);
    calibrationDock->setFloating(false);
    addDockWidget(Qt::RightDockWidgetArea, calibrationDock);
    calibrationDock->setMinimumSize(formWidth - 20, 240);
}

void MainWindow::createStatusLabels()
{
    static const int widths[4] = {100, 100, 200, 200};
    for (int i = 0; i < 4; ++i) {
        statusLabels[i] = new QLabel(mainStatusBar);
        statusLabels[i]->setFixedWidth(widths[i]);
        mainStatusBar->addWidget(statusLabels[i]);
    }
    zoomLabel = new QLabel(mainStatusBar);
    zoomLabel->setObjectName(QStringLiteral("zoomLabel"));
    mainStatusBar->addWidget(zoomLabel);
    const auto showZoom = [this](double zoom) {
        const double percent = zoom * 100.0;
        zoomLabel->setText(zoom > 0.0 ? tr("缩放 %1%").arg(QLocale().toString(percent, 'f', percent < 10.0 ? 1 : 0))
                                      : QString());
    };
    connect(canvas, &MapCanvas::zoomChanged, zoomLabel, showZoom);
    showZoom(canvas->hasContent() ? canvas->view.zoom : 0.0);
}

void MainWindow::createSelectors()
{
    notationSelector = new QComboBox(mainToolBar);
    notationSelector->setObjectName(QStringLiteral("notationSelector"));
    notationSelector->addItem(tr("度"));
    notationSelector->addItem(tr("度分"));
    notationSelector->addItem(tr("度分秒"));
    notationSelector->addItem(QStringLiteral("UTM"));
    notationSelector->addItem(QStringLiteral("TM"));
    mainToolBar->addWidget(notationSelector);

    const QVector<NotationChoice> rows = standardNotationChoices();
    for (int i = 0; i < 5 && i < rows.size(); ++i)
        notationTable[i] = rows[i];

    datumSelector = new QComboBox(mainToolBar);
    datumSelector->setObjectName(QStringLiteral("datumSelector"));
    for (int i = 0; i < kDatumCount; ++i)
        datumSelector->addItem(datumName(i));
    datumSelector->setCurrentIndex(kWgs84DatumIndex);
    notationSelector->setCurrentIndex(0);
    mainToolBar->addWidget(datumSelector);

    connect(notationSelector, qOverload<int>(&QComboBox::currentIndexChanged), calibrationForm,
            &CalibrationForm::showNotation);
    // The form shows its positions on the chosen datum.
    connect(datumSelector, qOverload<int>(&QComboBox::currentIndexChanged), calibrationForm,
            &CalibrationForm::refreshFromLayer);
}

void MainWindow::createTabCycle()
{
    layerTable->setTabKeyNavigation(false);
    canvas->setFocusPolicy(Qt::StrongFocus);
    tabCycle = {layerTable, notationSelector, datumSelector};
    // The form's own order, as its designer form gives it, from the first field to
    // the last.
    QWidget *last = calibrationForm->calibrateByHandButton;
    for (QWidget *widget = calibrationForm->edX1; !tabCycle.contains(widget); widget = widget->nextInFocusChain()) {
        if (calibrationForm->isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus))
            tabCycle.append(widget);
        if (widget == last)
            break;
    }
    tabCycle.append(canvas);
}

bool MainWindow::focusNextPrevChild(bool next)
{
    const int count = int(tabCycle.size());
    const int at = int(tabCycle.indexOf(focusWidget()));
    if (at < 0)
        return QMainWindow::focusNextPrevChild(next);
    for (int step = 1; step < count; ++step) {
        QWidget *widget = tabCycle.at(((next ? at + step : at - step) % count + count) % count);
        if (widget->isVisible() && widget->isEnabled()) {
            widget->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return true;
}

void MainWindow::readConfiguration()
{
    const ConfigDefaults config = readConfigFile();
    if (!config.opened)
        return;
    project.setCartographer(config.cartographer);
    project.setMapName(config.mapName);
    project.setFillColour(config.fillColour);
    // Loading the defaults is not a change of the project.
    project.changeFlags = 0;
}

void MainWindow::clearStatusBar()
{
    for (QLabel *label : statusLabels)
        label->clear();
    if (fileSummary)
        fileSummary->clear();
}

void MainWindow::updateActions()
{
    showUnsavedChanges();
    for (QAction *a : {actionNew, actionOpen, actionSave, actionSaveAs, actionProperties, actionAddLayer,
                       actionCopyLayer, actionAutoCopies, actionDeleteLayer, actionPlaceTopLeftPoint,
                       actionPlaceBottomRightPoint})
        a->setEnabled(true);
    if (projectState <= 0) {
        actionProperties->setEnabled(false);
        actionAddLayer->setEnabled(false);
    } else if (layerTable->rowCount() > 0) {
        // The points of a layer calibrated by its raster are not placed.
        if (currentLayerGeoreferenced()) {
            if (actionPlaceTopLeftPoint->isChecked() || actionPlaceBottomRightPoint->isChecked())
                setCursor(Qt::ArrowCursor);
            for (QAction *a : {actionPlaceTopLeftPoint, actionPlaceBottomRightPoint}) {
                a->setChecked(false);
                a->setEnabled(false);
            }
        }
        return;
    }
    for (QAction *a : {actionCopyLayer, actionDeleteLayer, actionAutoCopies, actionPlaceTopLeftPoint,
                       actionPlaceBottomRightPoint})
        a->setEnabled(false);
    actionPlaceTopLeftPoint->setChecked(false);
    actionPlaceBottomRightPoint->setChecked(false);
}

int MainWindow::message(const QString &text, int buttons)
{
    return QMessageBox::information(this, tr("提示"), text, QMessageBox::StandardButtons(buttons));
}

void MainWindow::reportUnreadableSmf(const QString &path, const QString &reason)
{
    message(tr("无法读取SMF文件") + QLatin1Char('\n') + path + QLatin1Char('\n') + reason);
}

bool MainWindow::askMapProperties(MapPropertiesDialog::Purpose purpose)
{
    MapPropertiesDialog dialog(this);
    dialog.setPurpose(purpose);
    dialog.setProperties(project.cartographer, project.mapName, project.fillColour);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    // Every accepted dialog also sets the file's tile size.
    project.setProperties(dialog.cartographerEdit->text(), dialog.mapNameEdit->text(), dialog.fillColour(),
                          kDefaultTileWidth, kDefaultTileHeight);
    showUnsavedChanges();
    return true;
}

void MainWindow::on_actionProperties_triggered()
{
    if (projectState > 0)
        askMapProperties();
}

void MainWindow::on_actionAbout_triggered()
{
    AboutDialog dialog(this);
    dialog.exec();
}

void MainWindow::toggleVisible(QWidget *widget)
{
    // The action's own check mark is not consulted: the widget's state decides.
    widget->setVisible(widget->isHidden());
}

void MainWindow::on_actionToggleToolBar_triggered()
{
    toggleVisible(mainToolBar);
}

void MainWindow::on_actionToggleStatusBar_triggered()
{
    toggleVisible(mainStatusBar);
}

void MainWindow::on_actionToggleLayerDock_triggered()
{
    toggleVisible(layerDock);
}

void MainWindow::on_actionToggleCalibrationDock_triggered()
{
    toggleVisible(calibrationDock);
}

void MainWindow::markCurrentLanguage()
{
    // English is marked whenever the loaded path matches no row exactly.
    languageActions[0]->setEnabled(false);
    languageActions[0]->setCheckable(true);
    languageActions[0]->setChecked(true);
    for (int index = 1; index < 3; ++index) {
        QAction *item = languageActions[index];
        item->setCheckable(false);
        if (languageFile == LanguageFileTable[index]) {
            item->setEnabled(false);
            item->setCheckable(true);
            item->setChecked(true);
            languageActions[0]->setEnabled(true);
            languageActions[0]->setChecked(false);
            languageActions[0]->setCheckable(false);
        }
    }
}

void MainWindow::chooseLanguage(int index)
{
    writeLanguageIni(index);
    QMessageBox::information(this, tr("提示"), tr("请重新运行本程序以使语言切换生效."), QMessageBox::Ok);
}
