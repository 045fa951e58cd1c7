// The main window: building it, the commands that fit its actions to the m_project,
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
    DialogProvider m_dialogs;
    m_dialogs.openFile = [](QWidget *parent, const QString &caption, const QString &dir, const QString &filter,
                          const QString &preselected) {
        QString selected = preselected;
        return QFileDialog::getOpenFileName(parent, caption, dir, filter, preselected.isEmpty() ? nullptr : &selected);
    };
    m_dialogs.openFiles = [](QWidget *parent, const QString &caption, const QString &dir, const QString &filter,
                           const QString &preselected) {
        QString selected = preselected;
        return QFileDialog::getOpenFileNames(parent, caption, dir, filter, preselected.isEmpty() ? nullptr : &selected);
    };
    m_dialogs.saveFile = [](QWidget *parent, const QString &caption, const QString &suggested, const QString &filter) {
        return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
    };
    m_dialogs.folder = [](QWidget *parent, const QString &caption, const QString &dir) {
        return QFileDialog::getExistingDirectory(parent, caption, dir, QFileDialog::ShowDirsOnly);
    };
    m_dialogs.integer = [](QWidget *parent, const QString &title, const QString &label, int value, int min, int max,
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
    return m_dialogs;
}

MainWindow::MainWindow(const QString &languageFile, bool browse)
    : m_languageFile(languageFile)
{
    ensureMapvaneResources();
    setupUi(this);

    m_languageActions[0] = actionLanguageEnglish;
    m_languageActions[1] = actionLanguageSimplifiedChinese;
    m_languageActions[2] = actionLanguageTraditionalChinese;
    markCurrentLanguage();
    for (int index = 0; index < 3; ++index)
        connect(m_languageActions[index], &QAction::triggered, this, [this, index] { chooseLanguage(index); });

    m_baseTitle = QStringLiteral("Mapvane");
    m_browseMode = browse;
    m_project.browseMode = browse;
    setWindowTitle(m_baseTitle);

    m_projectState = 0;
    m_currentLayer = 0;
    m_selectionEnabled = false;
    m_lastDirectory = QDir::currentPath();

    m_canvas = new MapCanvas(this);
    m_canvas->setObjectName(QStringLiteral("canvas"));
    if (m_browseMode)
        m_canvas->browse(&m_project.smfImages);
    m_canvasFrame = m_canvas->createFrame(this);
    setCentralWidget(m_canvasFrame);
    connectCanvasCommands();

    createLayerDock();
    createCalibrationDock();
    createStatusLabels();
    createSelectors();
    createPointsDock();
    createUndoStack();
    createTabCycle();

    if (!m_browseMode)
        showMaximized();
    updateActions();

    // The docks' own toggles stand in the View menu for the designed ones.
    QAction *layerToggle = m_layerDock->toggleViewAction();
    QAction *calibrationToggle = m_calibrationDock->toggleViewAction();
    menuView->addAction(layerToggle);
    menuView->addAction(calibrationToggle);
    layerToggle->setText(actionToggleLayerDock->text());
    calibrationToggle->setText(actionToggleCalibrationDock->text());
    menuView->addAction(m_pointsDock->toggleViewAction());
    m_pointsDock->toggleViewAction()->setText(tr("控制点(&C)"));

    readConfiguration();
    fillRecentFilesMenu();
    connect(menuRecentFiles, &QMenu::aboutToShow, this, &MainWindow::fillRecentFilesMenu);
    if (m_browseMode)
        setUpBrowsing();
    else
        setAcceptDrops(true);
}

MainWindow::~MainWindow()
{
    // Browse windows go first; each runs this same destructor for its own.
    qDeleteAll(m_browseWindows);
    m_browseWindows.clear();
    // The stack goes while the actions it updates still exist.
    delete m_undoStack;
    m_undoStack = nullptr;
}

void MainWindow::connectCanvasCommands()
{
    actionZoomIn->setShortcuts({actionZoomIn->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    connect(actionZoomIn, &QAction::triggered, m_canvas, &MapCanvas::zoomIn);
    connect(actionZoomOut, &QAction::triggered, m_canvas, &MapCanvas::zoomOut);
    connect(actionZoomToFit, &QAction::triggered, m_canvas, &MapCanvas::zoomToFit);
    connect(actionZoomActualSize, &QAction::triggered, m_canvas, &MapCanvas::zoomActualSize);
    // Held by the window too, so that their shortcuts work where the menu bar is
    // hidden (a browse window, whose tool bar keeps them).
    addActions({actionZoomIn, actionZoomOut, actionZoomToFit, actionZoomActualSize});
    // They are there only while the canvas shows something.
    const auto enableZoom = [this](double zoom) {
        for (QAction *action : {actionZoomIn, actionZoomOut, actionZoomToFit, actionZoomActualSize})
            action->setEnabled(zoom > 0.0);
    };
    connect(m_canvas, &MapCanvas::zoomChanged, this, enableZoom);
    enableZoom(m_canvas->hasContent() ? m_canvas->view().zoom : 0.0);

    // What the user does on the canvas.
    connect(m_canvas, &MapCanvas::pixelHovered, this, &MainWindow::showPositionAt);
    connect(m_canvas, &MapCanvas::pointPlaced, this, [this](QPoint pixel) { placePoint(pixel.x(), pixel.y()); });
    connect(m_canvas, &MapCanvas::pointDragged, this,
            [this](int point, QPoint pixel) { movePoint(point, pixel.x(), pixel.y()); });

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
            const bool on = actionPlaceTopLeftPoint->isChecked() || actionPlaceBottomRightPoint->isChecked();
            stopPlacing->setEnabled(on);
            m_canvas->setPlacing(on);
        });
    }
}

void MainWindow::createLayerDock()
{
    m_layerDock = new QDockWidget(tr("图层"), this);
    m_layerDock->setObjectName(QStringLiteral("layerDock"));
    m_layerTable = new QTableWidget(m_layerDock);
    m_layerTable->setObjectName(QStringLiteral("layerTable"));
    m_layerDock->setWidget(m_layerTable);
    m_layerDock->setAllowedAreas(Qt::AllDockWidgetAreas);
    m_layerDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable
                           | QDockWidget::DockWidgetFloatable);
    m_layerDock->setFloating(false);
    addDockWidget(Qt::LeftDockWidgetArea, m_layerDock);

    m_layerTable->setColumnCount(3);
    m_layerTable->setHorizontalHeaderLabels({tr("层"), tr("比例尺(像素:毫秒)"), QString()});
    m_layerTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_layerTable->verticalHeader()->hide();
    m_layerTable->setColumnHidden(2, true);
    m_layerTable->setShowGrid(false);
    m_layerTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Several rows for merging them; the other layer commands act on the current row.
    m_layerTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // The layer commands on the table's own menu too.
    m_layerTable->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_layerTable->addActions({actionCopyLayer, actionAutoCopies, actionDeleteLayer, actionMergeLayers, actionEditBorder});
    connect(m_layerTable, &QTableWidget::itemSelectionChanged, this, &MainWindow::showSelectedLayer);
}

void MainWindow::createCalibrationDock()
{
    m_calibrationDock = new QDockWidget(tr("定标点"), this);
    m_calibrationDock->setObjectName(QStringLiteral("calibrationDock"));
    m_calibrationForm = new CalibrationForm(this);
    // The point whose pixel was typed comes into view.
    connect(m_calibrationForm, &CalibrationForm::pointEdited, m_canvas, &MapCanvas::ensurePointVisible);
    const int formWidth = m_calibrationForm->width();
    m_calibrationDock->setWidget(m_calibrationForm);
    m_calibrationDock->setAllowedAreas(Qt::AllDockWidgetAreas);
    m_calibrationDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable
                                 | QDockWidget::DockWidgetFloatable);
    m_calibrationDock->setFloating(false);
    addDockWidget(Qt::RightDockWidgetArea, m_calibrationDock);
    m_calibrationDock->setMinimumSize(formWidth - 20, 240);
}

int MainWindow::datumIndex() const
{
    return m_datumSelector ? m_datumSelector->currentIndex() : -1;
}

void MainWindow::showPositionAt(QPoint pixel)
{
    m_statusLabels[0]->setText(QString::number(pixel.x()));
    m_statusLabels[1]->setText(QString::number(pixel.y()));
    const MapLayer *layer = m_canvas->layer();
    // A calibration whose points share a pixel row or column has no position.
    // The source image of a layer calibrated by points is not the level its
    // calibration describes.
    const std::optional<GeoPosition> position =
        layer && !m_canvas->controlPointsShown() ? layer->positionAt(pixel) : std::nullopt;
    if (!position) {
        m_statusLabels[2]->setText(QString());
        m_statusLabels[3]->setText(QString());
        return;
    }
    const NotationChoice &choice = notation(m_notationSelector->currentIndex());
    const FormattedPosition shown = formatPosition(choice.gridKind, datumIndex(), choice.angleStyle, *position);
    m_statusLabels[2]->setText(shown.lonOrEastingText);
    m_statusLabels[3]->setText(shown.latOrNorthingText);
}

void MainWindow::createStatusLabels()
{
    static const int widths[4] = {100, 100, 200, 200};
    static const char *const names[4] = {"pixelXLabel", "pixelYLabel", "lonOrEastingLabel", "latOrNorthingLabel"};
    for (int i = 0; i < 4; ++i) {
        m_statusLabels[i] = new QLabel(mainStatusBar);
        m_statusLabels[i]->setObjectName(QLatin1String(names[i]));
        m_statusLabels[i]->setFixedWidth(widths[i]);
        mainStatusBar->addWidget(m_statusLabels[i]);
    }
    m_zoomLabel = new QLabel(mainStatusBar);
    m_zoomLabel->setObjectName(QStringLiteral("zoomLabel"));
    mainStatusBar->addWidget(m_zoomLabel);
    const auto showZoom = [this](double zoom) {
        const double percent = zoom * 100.0;
        m_zoomLabel->setText(zoom > 0.0 ? tr("缩放 %1%").arg(QLocale().toString(percent, 'f', percent < 10.0 ? 1 : 0))
                                      : QString());
    };
    connect(m_canvas, &MapCanvas::zoomChanged, m_zoomLabel, showZoom);
    showZoom(m_canvas->hasContent() ? m_canvas->view().zoom : 0.0);
}

void MainWindow::createSelectors()
{
    m_notationSelector = new QComboBox(mainToolBar);
    m_notationSelector->setObjectName(QStringLiteral("notationSelector"));
    m_notationSelector->addItem(tr("度"));
    m_notationSelector->addItem(tr("度分"));
    m_notationSelector->addItem(tr("度分秒"));
    m_notationSelector->addItem(QStringLiteral("UTM"));
    m_notationSelector->addItem(QStringLiteral("TM"));
    mainToolBar->addWidget(m_notationSelector);

    const QVector<NotationChoice> rows = standardNotationChoices();
    for (int i = 0; i < 5 && i < rows.size(); ++i)
        m_notationTable[i] = rows[i];

    m_datumSelector = new QComboBox(mainToolBar);
    m_datumSelector->setObjectName(QStringLiteral("datumSelector"));
    for (int i = 0; i < kDatumCount; ++i)
        m_datumSelector->addItem(datumName(i));
    m_datumSelector->setCurrentIndex(kWgs84DatumIndex);
    m_notationSelector->setCurrentIndex(0);
    mainToolBar->addWidget(m_datumSelector);

    connect(m_notationSelector, qOverload<int>(&QComboBox::currentIndexChanged), m_calibrationForm,
            &CalibrationForm::showNotation);
    // The form shows its positions on the chosen datum.
    connect(m_datumSelector, qOverload<int>(&QComboBox::currentIndexChanged), m_calibrationForm,
            &CalibrationForm::refreshFromLayer);
}

void MainWindow::createTabCycle()
{
    m_layerTable->setTabKeyNavigation(false);
    m_canvas->setFocusPolicy(Qt::StrongFocus);
    m_tabCycle = {m_layerTable, m_notationSelector, m_datumSelector};
    // The form's own order, as its designer form gives it, from the first field to
    // the last.
    QWidget *last = m_calibrationForm->calibrateByHandButton;
    for (QWidget *widget = m_calibrationForm->edX1; !m_tabCycle.contains(widget); widget = widget->nextInFocusChain()) {
        if (m_calibrationForm->isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus))
            m_tabCycle.append(widget);
        if (widget == last)
            break;
    }
    m_tabCycle.append(m_canvas);
}

bool MainWindow::focusNextPrevChild(bool next)
{
    const int count = int(m_tabCycle.size());
    const int at = int(m_tabCycle.indexOf(focusWidget()));
    if (at < 0)
        return QMainWindow::focusNextPrevChild(next);
    for (int step = 1; step < count; ++step) {
        QWidget *widget = m_tabCycle.at(((next ? at + step : at - step) % count + count) % count);
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
    m_project.setCartographer(config.cartographer);
    m_project.setMapName(config.mapName);
    m_project.setFillColour(config.fillColour);
    // Loading the defaults is not a change of the m_project.
    m_project.changeFlags = 0;
}

void MainWindow::clearStatusBar()
{
    for (QLabel *label : m_statusLabels)
        label->clear();
    if (m_fileSummary)
        m_fileSummary->clear();
}

void MainWindow::updateActions()
{
    showUnsavedChanges();
    for (QAction *a : {actionNew, actionOpen, actionSave, actionSaveAs, actionProperties, actionAddLayer,
                       actionCopyLayer, actionAutoCopies, actionDeleteLayer, actionPlaceTopLeftPoint,
                       actionPlaceBottomRightPoint})
        a->setEnabled(true);
    actionMergeLayers->setEnabled(canMergeSelectedLayers());
    if (!canEditBorder())
        actionEditBorder->setChecked(false);
    actionEditBorder->setEnabled(canEditBorder());
    if (m_projectState <= 0) {
        actionProperties->setEnabled(false);
        actionAddLayer->setEnabled(false);
    } else if (m_layerTable->rowCount() > 0) {
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
    dialog.setProperties(m_project.cartographer, m_project.mapName, m_project.fillColour);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    // Every accepted dialog also sets the file's tile size.
    m_project.setProperties(dialog.cartographerEdit->text(), dialog.mapNameEdit->text(), dialog.fillColour(),
                          kDefaultTileWidth, kDefaultTileHeight);
    showUnsavedChanges();
    return true;
}

void MainWindow::on_actionProperties_triggered()
{
    if (m_projectState > 0)
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
    toggleVisible(m_layerDock);
}

void MainWindow::on_actionToggleCalibrationDock_triggered()
{
    toggleVisible(m_calibrationDock);
}

void MainWindow::markCurrentLanguage()
{
    // English is marked whenever the loaded path matches no row exactly.
    m_languageActions[0]->setEnabled(false);
    m_languageActions[0]->setCheckable(true);
    m_languageActions[0]->setChecked(true);
    for (int index = 1; index < 3; ++index) {
        QAction *item = m_languageActions[index];
        item->setCheckable(false);
        if (m_languageFile == LanguageFileTable[index]) {
            item->setEnabled(false);
            item->setCheckable(true);
            item->setChecked(true);
            m_languageActions[0]->setEnabled(true);
            m_languageActions[0]->setChecked(false);
            m_languageActions[0]->setCheckable(false);
        }
    }
}

void MainWindow::chooseLanguage(int index)
{
    writeLanguageIni(index);
    QMessageBox::information(this, tr("提示"), tr("请重新运行本程序以使语言切换生效."), QMessageBox::Ok);
}
