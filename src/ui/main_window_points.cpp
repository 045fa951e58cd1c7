// Calibrating a layer by any number of control points: the points dock, the points
// on the canvas, and their edits, each fitted again through the core and recorded for
// undo.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QPointer>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QUndoStack>

#include <cmath>

#include "ui/calibration_form.h"
#include "ui/control_points_panel.h"
#include "ui/main_window.h"
#include "ui/map_canvas.h"
#include "ui/mosaic_sources_panel.h"

namespace {

// A calibration whose positions are not entered: a layer calibrated by points that
// cannot be fitted is saved by nobody.
LayerCalibration withoutPositions(LayerCalibration calibration)
{
    calibration.topLeftLonSet = calibration.topLeftLatSet = false;
    calibration.bottomRightLonSet = calibration.bottomRightLatSet = false;
    return calibration;
}

}  // namespace

void MainWindow::createPointsDock()
{
    m_pointsDock = new QDockWidget(tr("控制点"), this);
    m_pointsDock->setObjectName(QStringLiteral("pointsDock"));
    m_pointsPanel = new ControlPointsPanel(this);
    m_sourcesPanel = new MosaicSourcesPanel(this);
    m_pointsPages = new QStackedWidget(m_pointsDock);
    m_pointsPages->addWidget(m_pointsPanel);
    m_pointsPages->addWidget(m_sourcesPanel);
    m_pointsDock->setWidget(m_pointsPages);
    m_pointsDock->setAllowedAreas(Qt::AllDockWidgetAreas);
    m_pointsDock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable
                              | QDockWidget::DockWidgetFloatable);
    addDockWidget(Qt::RightDockWidgetArea, m_pointsDock);
    // Beside the two-point form, which stays in front until a layer is calibrated by points.
    tabifyDockWidget(m_calibrationDock, m_pointsDock);
    m_calibrationDock->raise();
    m_pointsDock->setMinimumWidth(m_calibrationDock->minimumWidth());

    // The table shows positions in the chosen notation, on the chosen datum.
    for (QComboBox *selector : {m_notationSelector, m_datumSelector}) {
        if (selector)
            connect(selector, qOverload<int>(&QComboBox::currentIndexChanged), m_pointsPanel,
                    &ControlPointsPanel::refresh);
    }
    connect(m_canvas, &MapCanvas::controlPointPlaced, this, &MainWindow::addControlPoint);
    // The marks are a border's points while one is edited.
    connect(m_canvas, &MapCanvas::controlPointDragged, this, [this](int index, QPointF pixel) {
        if (editingBorder())
            moveBorderPoint(index, pixel);
        else
            moveControlPoint(index, pixel);
    });
    connect(actionEditBorder, &QAction::toggled, this, [this] {
        m_borderImage = QImage();
        showCurrentLayerImage();
    });
    connect(m_sourcesPanel->table(), &QTableWidget::currentCellChanged, this, [this] {
        if (editingBorder())
            showCurrentLayerImage();
    });
    connect(m_pointsPanel, &ControlPointsPanel::pointSelected, this, [this](int index) {
        const MapLayer *layer = currentLayerRecord();
        if (!layer || !layer->controlPoints.active || index >= layer->controlPoints.points.size())
            return;
        showControlPoints();
        if (m_canvas->controlPointsShown()) {
            const ControlPoint &point = layer->controlPoints.points.at(index);
            m_canvas->centreOn(QPointF(point.pixelX, point.pixelY));
        }
    });
}

MapLayer *MainWindow::currentLayerRecord() const
{
    return m_currentLayer >= 0 && m_currentLayer < m_project.layers.size() ? m_project.layers[m_currentLayer] : nullptr;
}

int MainWindow::notationIndex() const
{
    return m_notationSelector ? qBound(0, m_notationSelector->currentIndex(), 4) : 0;
}

bool MainWindow::canCalibrateByPoints() const
{
    const MapLayer *layer = currentLayerRecord();
    return layer && !m_browseMode && !layer->fromSmf && !layer->mosaic
        && (!layer->georeference || layer->controlPoints.active);
}

QSize MainWindow::controlPointsImageSize() const
{
    const MapLayer *layer = currentLayerRecord();
    if (!layer)
        return QSize();
    if (layer->georeference)
        return layer->georeference->sourceSize;
    if (m_sourceImagePath == layer->sourcePath && !m_sourceImage.isNull())
        return m_sourceImage.size();
    return layer->loaded ? QSize(qRound(layer->image.width() / layer->zoom), qRound(layer->image.height() / layer->zoom))
                         : QSize();
}

ControlPointsState MainWindow::controlPointsState(MapLayer *layer) const
{
    const bool known = m_pointsFitOf == layer && m_pointsFitFor == layer->controlPoints;
    return {layer->controlPoints, layer->georeference, layer->calibration(), known ? m_pointsFit : ControlPointsFit(),
            layerRows()};
}

void MainWindow::showControlPointsState(MapLayer *layer, const ControlPointsState &state)
{
    const int index = int(m_project.layers.indexOf(layer));
    if (index < 0)
        return;
    layer->controlPoints = state.points;
    if (!m_project.setGeoreference(index, state.georeference, state.calibration))
        message(m_project.errorString());
    m_pointsFit = state.fit;
    m_pointsFitOf = layer;
    m_pointsFitFor = state.points;
    showLayerRows(state.rows);
}

bool MainWindow::refitCurrentLayer()
{
    MapLayer *layer = currentLayerRecord();
    ControlPointsFit fit = fitControlPoints(*layer, m_project.warpResampling);
    const bool placed = fit.georeference != nullptr;
    if (!m_project.setGeoreference(m_currentLayer, placed ? fit.georeference : nullptr,
                                   placed ? fit.calibration : withoutPositions(layer->calibration()))) {
        message(m_project.errorString());
        return false;
    }
    m_pointsFit = std::move(fit);
    m_pointsFitOf = layer;
    m_pointsFitFor = layer->controlPoints;
    return true;
}

void MainWindow::calibrateByPoints()
{
    MapLayer *layer = currentLayerRecord();
    if (!canCalibrateByPoints() || layer->controlPoints.active)
        return;
    LayerControlPoints points = layer->controlPoints;
    points.active = true;
    editControlPoints(points, tr("按多点定标"));
    m_pointsDock->show();
    m_pointsDock->raise();
}

void MainWindow::editControlPoints(const LayerControlPoints &points, const QString &text)
{
    MapLayer *layer = currentLayerRecord();
    if (!layer || !canCalibrateByPoints() || !points.active || points == layer->controlPoints)
        return;
    const ControlPointsState before = controlPointsState(layer);
    layer->controlPoints = points;
    if (!refitCurrentLayer()) {
        layer->controlPoints = before.points;
        return;
    }
    // The level's scale may move the layer in the table. Showing the rows again puts
    // the focus on the layer table: it goes back to where the edit came from.
    const QPointer<QWidget> focus = QApplication::focusWidget();
    updateLayerRow(m_currentLayer);
    showLayerRows(layerRows());
    if (focus && m_pointsPanel->isAncestorOf(focus))
        m_pointsPanel->table()->setFocus();
    else if (focus)
        focus->setFocus();
    m_undoStack->push(new ControlPointsCommand(this, layer, before, controlPointsState(layer), text));
}

void MainWindow::addControlPoint(QPointF pixel)
{
    const MapLayer *layer = currentLayerRecord();
    if (!layer || !layer->controlPoints.active)
        return;
    LayerControlPoints points = layer->controlPoints;
    ControlPoint point;
    point.pixelX = pixel.x();
    point.pixelY = pixel.y();
    points.points.append(point);
    editControlPoints(points, tr("添加控制点"));
    // Its position is typed next: the new row is current, at its longitude.
    // The map stays where the user is placing points: the row is not "selected" to
    // centre it.
    QTableWidget *table = m_pointsPanel->table();
    {
        const QSignalBlocker quiet(table);
        table->setCurrentCell(table->rowCount() - 1, ControlPointsPanel::LonColumn);
    }
    table->viewport()->update();
    table->setFocus();
    showControlPoints();
}

void MainWindow::moveControlPoint(int index, QPointF pixel)
{
    const MapLayer *layer = currentLayerRecord();
    if (!layer || !layer->controlPoints.active || index < 0 || index >= layer->controlPoints.points.size())
        return;
    LayerControlPoints points = layer->controlPoints;
    points.points[index].pixelX = pixel.x();
    points.points[index].pixelY = pixel.y();
    editControlPoints(points, tr("移动控制点"));
}

void MainWindow::placeControlPoints(bool on)
{
    const MapLayer *layer = currentLayerRecord();
    on = on && layer && layer->controlPoints.active;
    if (on) {
        // One placing mode at a time.
        actionPlaceTopLeftPoint->setChecked(false);
        actionPlaceBottomRightPoint->setChecked(false);
    }
    m_canvas->setPlacing(on);
    m_canvas->setCursor(on ? Qt::CrossCursor : Qt::ArrowCursor);
    if (m_pointsPanel->addButton()->isChecked() != on)
        m_pointsPanel->addButton()->setChecked(on);
}

void MainWindow::showCurrentLayerImage()
{
    MapLayer *layer = currentLayerRecord();
    if (!layer || m_browseMode)
        return;
    if (editingBorder()) {
        showControlPoints();
        showBorder();
        return;
    }
    const bool placing = layer->controlPoints.active && !m_pointsPanel->resultBox()->isChecked();
    if (!placing) {
        // The source image is kept while the layer is calibrated by points, for going
        // back from its result.
        if (!layer->controlPoints.active || m_sourceImagePath != layer->sourcePath) {
            m_sourceImage = QImage();
            m_sourceImagePath.clear();
        }
        const QImage *image = m_project.layerImage(m_currentLayer);
        m_canvas->setImage(image ? *image : QImage());
        showControlPoints();
        return;
    }
    // The points lie on the source image at its own size, whatever the level is.
    if (m_sourceImagePath != layer->sourcePath || m_sourceImage.isNull()) {
        m_sourceImagePath = layer->sourcePath;
        if (!layer->georeference && layer->zoom == 1.0) {
            const QImage *image = m_project.layerImage(m_currentLayer);
            m_sourceImage = image ? *image : QImage();
        } else {
            m_sourceImage = m_project.sourceImage(m_currentLayer);
        }
    }
    m_canvas->setImage(m_sourceImage);
    showControlPoints();
}

void MainWindow::showControlPoints()
{
    MapLayer *layer = currentLayerRecord();
    if (layer && layer->controlPoints.active && (m_pointsFitOf != layer || m_pointsFitFor != layer->controlPoints)) {
        // A layer shown again: its fit as its points make it (the layer keeps its level).
        m_pointsFit = fitControlPoints(*layer, m_project.warpResampling);
        m_pointsFitOf = layer;
        m_pointsFitFor = layer->controlPoints;
    }
    const bool shown = layer && layer->controlPoints.active && !m_pointsPanel->resultBox()->isChecked();
    QVector<ControlPointMark> marks;
    if (shown) {
        const int selected = m_pointsPanel->currentPoint();
        for (int i = 0; i < layer->controlPoints.points.size(); ++i) {
            const ControlPoint &point = layer->controlPoints.points.at(i);
            ControlPointMark mark;
            mark.pixel = QPointF(point.pixelX, point.pixelY);
            mark.enabled = point.enabled;
            mark.selected = i == selected;
            mark.fitted = m_pointsFit.georeference && i < m_pointsFit.residuals.size() && m_pointsFit.residuals.at(i);
            mark.residual = m_pointsFit.misses.value(i);
            marks.append(mark);
        }
    }
    m_canvas->setControlPoints(shown, marks);
    if (!shown && m_canvas->controlPointsShown() == false && m_pointsPanel->addButton()->isChecked())
        placeControlPoints(false);
    m_pointsPanel->refresh();
    // A merged layer has sources rather than points.
    m_sourcesPanel->showLayer(layer);
    m_pointsPages->setCurrentWidget(layer && layer->mosaic ? static_cast<QWidget *>(m_sourcesPanel) : m_pointsPanel);
}

void MainWindow::calibrateByTwoPoints()
{
    MapLayer *layer = currentLayerRecord();
    if (!layer || !layer->controlPoints.active || m_browseMode)
        return;
    const ControlPointsState before = controlPointsState(layer);
    // The fit's corners stay as a start: the top-left point on pixel (0, 0) and the
    // bottom-right one on the far corner of the source image at the layer's zoom.
    const LayerCalibration byHand = layer->georeference ? sourceCorners(*layer) : layer->calibration();
    if (!m_project.setGeoreference(m_currentLayer, nullptr, byHand)) {
        message(tr("无法手动定标") + QLatin1Char('\n') + m_project.errorString());
        return;
    }
    layer->controlPoints.active = false;
    m_pointsFit = ControlPointsFit();
    m_pointsFitOf = layer;
    m_pointsFitFor = layer->controlPoints;
    updateLayerRow(m_currentLayer);
    showLayerRows(layerRows());
    m_undoStack->push(new ControlPointsCommand(this, layer, before, controlPointsState(layer), tr("改回两点定标")));
    m_calibrationDock->raise();
}
