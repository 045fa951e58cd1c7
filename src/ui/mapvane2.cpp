#include "ui/mapvane2.h"

#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QScrollArea>
#include <QStatusBar>
#include <QTableWidget>

#include "settings/config_file.h"
#include "geo/datum_table.h"
#include "ui/map_canvas.h"
#include "ui/calibration_form.h"
#include "ui/resources_init.h"

Mapvane2::Mapvane2(QWidget *parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags)
{
    ensureMapvaneResources();
    setupUi(this);

    languageActions[0] = action;
    languageActions[1] = action_C;
    languageActions[2] = action_2;
    markCurrentLanguage();

    baseTitle = QStringLiteral("Mapvane");
    browseMode = false;
    setWindowTitle(baseTitle);

    projectState = 0;
    currentLayer = 0;
    selectionEnabled = false;
    lastDirectory = QDir::currentPath();

    canvas = new MapCanvas(this);
    scrollArea = new QScrollArea(this);
    scrollArea->setBackgroundRole(QPalette::Window);
    scrollArea->setWidgetResizable(true);
    canvas->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    scrollArea->setWidget(canvas);
    setCentralWidget(scrollArea);  // deletes the designed central widget
    Ui::Mapvane2Class::centralWidget = scrollArea;

    createLayerDock();
    createPointsDock();
    createStatusLabels();
    createSelectors();

    showMaximized();
    updateActions();

    QAction *layerToggle = layerDock->toggleViewAction();
    QAction *pointsToggle = pointsDock->toggleViewAction();
    menuView->addAction(layerToggle);
    menuView->addAction(pointsToggle);
    layerToggle->setText(actionLayer_On_Off->text());
    pointsToggle->setText(actionPoints_On_Off->text());

    readConfiguration();
}

Mapvane2::~Mapvane2()
{
    // Browse windows go first; each runs this same destructor for its own children.
    qDeleteAll(childWindows);
    childWindows.clear();
}

void Mapvane2::createLayerDock()
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
    connect(layerTable, &QTableWidget::itemSelectionChanged, this, &Mapvane2::doSelectionChanged);
}

void Mapvane2::createPointsDock()
{
    pointsDock = new QDockWidget(tr("定标点"), this);
    pointsDock->setObjectName(QStringLiteral("pointsDock"));
    pointsForm = new CalibrationForm(this);
    const int formWidth = pointsForm->width();
    pointsDock->setWidget(pointsForm);
    pointsDock->setAllowedAreas(Qt::AllDockWidgetAreas);
    pointsDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable
                            | QDockWidget::DockWidgetFloatable);
    pointsDock->setFloating(false);
    addDockWidget(Qt::RightDockWidgetArea, pointsDock);
    pointsDock->setMinimumSize(formWidth - 20, 240);
}

void Mapvane2::createStatusLabels()
{
    static const int widths[4] = {100, 100, 200, 200};
    for (int i = 0; i < 4; ++i) {
        statusLabels[i] = new QLabel(statusBar1);
        statusLabels[i]->setFixedWidth(widths[i]);
        statusBar1->addWidget(statusLabels[i]);
    }
}

void Mapvane2::createSelectors()
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

    // A new datum takes effect the next time a position is shown.
    connect(notationSelector, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &Mapvane2::formatInxChanged);
}

void Mapvane2::readConfiguration()
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

void Mapvane2::updateActions()
{
    for (QAction *a : {actionNew, actionOpen, actionSave, actionSaveAs, actionProperty, actionAdd,
                       actionCopy, atAuto, actionDelete, actionAddPoint1, actionAddPoint2})
        a->setEnabled(true);
    if (projectState <= 0) {
        actionProperty->setEnabled(false);
        actionAdd->setEnabled(false);
    } else if (layerTable->rowCount() > 0) {
        return;
    }
    for (QAction *a : {actionCopy, actionDelete, atAuto, actionAddPoint1, actionAddPoint2})
        a->setEnabled(false);
    actionAddPoint1->setChecked(false);
    actionAddPoint2->setChecked(false);
}

void Mapvane2::clearLayers()
{
    // The canvas must not keep a layer the project is about to destroy.
    const bool wasEnabled = selectionEnabled;
    selectionEnabled = false;
    canvas->clearCanvas();
    for (int row = layerTable->rowCount() - 1; row >= 0; --row)
        layerTable->removeRow(row);
    project.clear();
    selectionEnabled = wasEnabled;
}

void Mapvane2::formatInxChanged(int index)
{
    pointsForm->showNotation(index);
}

void Mapvane2::on_actionExit_triggered()
{
    close();
}

void Mapvane2::on_actionGrid_On_Off_triggered()
{
}
