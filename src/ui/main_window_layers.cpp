// The layer table of the main window and the current layer, the layer commands (Add,
// Copy, Auto, Delete, re-sort) and the placing of the two calibration points. Row i of
// the table always shows layer i of the m_project.

#include <QLabel>
#include <QMessageBox>
#include <QItemSelectionModel>
#include <QTableWidget>

#include <algorithm>
#include <cmath>

#include "raster/geo_raster.h"
#include "project/map_layer.h"
#include "ui/calibration_form.h"
#include "ui/file_types.h"
#include "ui/main_window.h"
#include "ui/map_canvas.h"

namespace {

// Hidden column 2 holds the scale, the sort key.
QTableWidgetItem *scaleKeyItem(double scale)
{
    auto *item = new QTableWidgetItem;
    item->setData(Qt::DisplayRole, scale);
    return item;
}

QTableWidgetItem *readOnlyItem(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

}  // namespace

int MainWindow::appendLayerRow()
{
    const int n = m_layerTable->rowCount();
    if (n >= m_project.layers.size())
        return 0;
    insertLayerRow(n, tr("层", "layer row name") + QString::number(n));
    m_calibrationForm->fieldsFrame->setEnabled(true);
    return 0;
}

void MainWindow::insertLayerRow(int row, const QString &name)
{
    const MapLayer *layer = m_project.layers[row];
    const bool wasEnabled = m_selectionEnabled;
    m_selectionEnabled = false;
    m_layerTable->insertRow(row);
    m_layerTable->setItem(row, 0, readOnlyItem(name));
    m_layerTable->setItem(row, 1, readOnlyItem(layer->scaleText()));
    m_layerTable->setItem(row, 2, scaleKeyItem(layer->scale));
    m_selectionEnabled = wasEnabled;
}

void MainWindow::showSelectedLayer()
{
    if (!m_selectionEnabled)
        return;
    const QList<int> selected = selectedLayerRows();
    if (selected.isEmpty()) {
        updateActions();
        return;
    }
    // The row clicked last is current; a row taken out of a selection of several
    // leaves the current layer as it was, while that is still selected.
    const int clicked = m_layerTable->currentRow();
    const int row = selected.contains(clicked) ? clicked
        : selected.contains(m_currentLayer)    ? m_currentLayer
                                               : selected.first();
    if (row < 0 || row >= m_project.layers.size())
        return;
    m_currentLayer = row;
    // The read-outs spoke of the layer shown before.
    if (m_canvas->layer() != m_project.layers[m_currentLayer]) {
        for (QLabel *label : m_statusLabels)
            label->clear();
    }
    m_canvas->setLayer(m_project.layers[m_currentLayer]);
    if (!m_browseMode) {
        showCurrentLayerImage();
        // Placing points depends on the layer.
        updateActions();
    }
    m_calibrationForm->refreshFromLayer();
}

bool MainWindow::selectLayerRow(int row, bool resort)
{
    if (m_layerTable->rowCount() == 0 || row < 0 || row >= m_layerTable->rowCount()
        || row >= m_project.layers.size()) {
        m_canvas->clearCanvas();
        for (QLabel *label : m_statusLabels)
            label->clear();
        // No layer: the form shows nothing of one that was.
        m_calibrationForm->clearFields();
        m_calibrationForm->fieldsFrame->setEnabled(false);
        showControlPoints();
        return false;
    }
    m_selectionEnabled = false;
    m_layerTable->clearSelection();
    m_layerTable->selectionModel()->setCurrentIndex(m_layerTable->model()->index(row, 0),
                                                    QItemSelectionModel::NoUpdate);
    m_layerTable->item(row, 0)->setSelected(true);
    m_currentLayer = row;
    m_selectionEnabled = true;
    // Selecting the second cell shows the layer through showSelectedLayer.
    m_layerTable->item(row, 1)->setSelected(true);
    m_layerTable->setFocus();
    // A layer calibrated by control points is edited in the points dock.
    m_calibrationForm->fieldsFrame->setEnabled(!m_project.layers[row]->controlPoints.active);
    if (resort)
        updateLayerRow(m_currentLayer);
    if (m_browseMode)
        m_calibrationForm->fieldsFrame->setEnabled(false);
    return true;
}

void MainWindow::selectLastLayerRow()
{
    selectLayerRow(m_layerTable->rowCount() - 1);
}

int MainWindow::updateLayerRow(int index)
{
    if (m_layerTable->rowCount() == 0 || index < 0 || index >= m_layerTable->rowCount()
        || index >= m_project.layers.size())
        return 1;
    const QVector<MapLayer *> before = m_project.layers;
    const int current = m_project.rescaleAndSort(index, m_currentLayer);
    if (current < 0) {
        // A latitude taken back to not entered leaves no scale to show.
        m_layerTable->item(index, 1)->setText(before[index]->scaleText());
        return 2;
    }
    m_currentLayer = current;
    // The table still shows the old order: the edited layer's row is `index`.
    m_layerTable->item(index, 1)->setText(before[index]->scaleText());
    m_layerTable->item(index, 2)->setData(Qt::DisplayRole, before[index]->scale);
    followProjectOrder(before);
    return 0;
}

void MainWindow::sortLayerTable()
{
    if (m_layerTable->rowCount() == 0 || m_layerTable->rowCount() != m_project.layers.size())
        return;
    const QVector<MapLayer *> before = m_project.layers;
    m_currentLayer = m_project.sortLayers(m_currentLayer);
    followProjectOrder(before);
}

void MainWindow::followProjectOrder(const QVector<MapLayer *> &before)
{
    // The m_project sorts stably by scale; the table's rows follow the same
    // permutation, so ties end in the same order in both.
    const int rows = m_layerTable->rowCount();
    QVector<QList<QTableWidgetItem *>> rowItems(rows);
    const bool wasEnabled = m_selectionEnabled;
    m_selectionEnabled = false;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < 3; ++column)
            rowItems[row].append(m_layerTable->takeItem(row, column));
    }
    for (int row = 0; row < rows; ++row) {
        const int oldRow = int(before.indexOf(m_project.layers[row]));
        for (int column = 0; column < 3; ++column)
            m_layerTable->setItem(row, column, rowItems[oldRow][column]);
    }
    // The selection follows its row.
    m_layerTable->clearSelection();
    if (m_currentLayer >= 0 && m_currentLayer < rows) {
        m_layerTable->selectionModel()->setCurrentIndex(m_layerTable->model()->index(m_currentLayer, 0),
                                                        QItemSelectionModel::NoUpdate);
        m_layerTable->item(m_currentLayer, 0)->setSelected(true);
        m_layerTable->item(m_currentLayer, 1)->setSelected(true);
    }
    m_selectionEnabled = wasEnabled;
}

QList<int> MainWindow::selectedLayerRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_layerTable->selectionModel()->selectedIndexes()) {
        if (!rows.contains(index.row()) && index.row() < m_project.layers.size())
            rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

MapLayer *MainWindow::takeLayerRow(int row)
{
    if (row < 0 || row >= m_layerTable->rowCount())
        return nullptr;
    // The m_canvas must not keep the layer that leaves; the view stays for the next one.
    m_selectionEnabled = false;
    m_canvas->setLayer(nullptr);
    m_layerTable->removeRow(row);
    MapLayer *record = m_project.takeLayer(row);
    selectLayerRow(row == 0 ? 0 : row - 1);
    return record;
}

void MainWindow::clearLayers()
{
    // The m_canvas must not keep a layer the m_project is about to destroy.
    const bool wasEnabled = m_selectionEnabled;
    m_selectionEnabled = false;
    m_canvas->clearCanvas();
    // Records the undo stack holds out of the m_project go with it.
    m_undoStack->clear();
    for (int row = m_layerTable->rowCount() - 1; row >= 0; --row)
        m_layerTable->removeRow(row);
    m_project.clear();
    m_selectionEnabled = wasEnabled;
}

LayerCalibration sourceCorners(const MapLayer &layer)
{
    // The raster's own pixels at the layer's zoom, sizes truncated as a copy's are.
    LayerCalibration corners = layer.calibration();
    corners.topLeft.pixelX = 0;
    corners.topLeft.pixelY = 0;
    corners.bottomRight.pixelX = int(std::trunc(layer.georeference->sourceSize.width() * layer.zoom));
    corners.bottomRight.pixelY = int(std::trunc(layer.georeference->sourceSize.height() * layer.zoom));
    return corners;
}

bool MainWindow::currentLayerGeoreferenced() const
{
    const MapLayer *layer = currentLayerRecord();
    return layer && (layer->georeference || layer->controlPoints.active || layer->mosaic);
}

void MainWindow::calibrateByHand()
{
    if (const MapLayer *current = currentLayerRecord(); current && current->controlPoints.active) {
        calibrateByTwoPoints();
        return;
    }
    // A merged layer is its sources' level: it has no pixels of its own to calibrate.
    if (m_browseMode || !currentLayerGeoreferenced() || currentLayerRecord()->mosaic)
        return;
    MapLayer *layer = m_project.layers[m_currentLayer];
    const std::shared_ptr<const RasterGeoreference> georeference = layer->georeference;
    const LayerCalibration before = layer->calibration();
    const LayerRows rowsBefore = layerRows();
    const LayerCalibration byHand = sourceCorners(*layer);
    if (!m_project.setGeoreference(m_currentLayer, nullptr, byHand)) {
        message(tr("无法手动定标") + QLatin1Char('\n') + m_project.errorString());
        return;
    }
    updateLayerRow(m_currentLayer);
    // The layer shows its own pixels now, on the m_canvas and in the form.
    showLayerRows(layerRows());
    m_undoStack->push(new GeoreferenceCommand(this, layer, georeference, before, rowsBefore, tr("手动定标")));
}

void MainWindow::placePoint(int x, int y)
{
    const bool topLeft = actionPlaceTopLeftPoint->isChecked();
    if ((!topLeft && !actionPlaceBottomRightPoint->isChecked()) || m_currentLayer < 0
        || m_currentLayer >= m_project.layers.size() || currentLayerGeoreferenced())
        return;
    const CalibrationEdit edit(this);
    if (topLeft) {
        m_project.setTopLeftX(m_currentLayer, x);
        m_project.setTopLeftY(m_currentLayer, y);
    } else {
        m_project.setBottomRightX(m_currentLayer, x);
        m_project.setBottomRightY(m_currentLayer, y);
    }
    leavePlacingMode(topLeft ? actionPlaceTopLeftPoint : actionPlaceBottomRightPoint);
}

void MainWindow::movePoint(int point, int x, int y)
{
    if (currentLayerGeoreferenced())
        return;
    const CalibrationEdit edit(this);
    if (point == 1) {
        m_project.setTopLeftX(m_currentLayer, x);
        m_project.setTopLeftY(m_currentLayer, y);
    } else if (point == 2) {
        m_project.setBottomRightX(m_currentLayer, x);
        m_project.setBottomRightY(m_currentLayer, y);
    } else {
        return;
    }
    m_calibrationForm->refreshFromLayer();
    updateLayerRow(m_currentLayer);
}

// A placed point ends its placing mode and shows in the form and the table.
void MainWindow::leavePlacingMode(QAction *placing)
{
    placing->setChecked(false);
    m_calibrationForm->refreshFromLayer();
    setCursor(Qt::ArrowCursor);
    updateLayerRow(m_currentLayer);
}

void MainWindow::enterPlacingMode(QAction *first, QAction *other)
{
    if (m_layerTable->rowCount() == 0 || currentLayerGeoreferenced()) {
        first->setChecked(false);
        return;
    }
    setCursor(Qt::CrossCursor);
    first->setChecked(true);
    other->setChecked(false);
}

void MainWindow::on_actionPlaceTopLeftPoint_triggered()
{
    enterPlacingMode(actionPlaceTopLeftPoint, actionPlaceBottomRightPoint);
}

void MainWindow::on_actionPlaceBottomRightPoint_triggered()
{
    enterPlacingMode(actionPlaceBottomRightPoint, actionPlaceTopLeftPoint);
}

void MainWindow::on_actionAddLayer_triggered()
{
    if (m_projectState <= 0)
        return;
    const QString filter = layerFileFilter();
    const QString everything = filter.section(QStringLiteral(";;"), 0, 0);
    addLayerFiles(m_dialogs.openFiles(this, tr("增加图层", "dialog title"), m_lastDirectory, filter, everything));
}

void MainWindow::on_actionCopyLayer_triggered()
{
    if (m_layerTable->rowCount() == 0)
        return;
    bool ok = false;
    const int percent =
        m_dialogs.integer(this, tr("复制图层", "dialog title"), tr("请输入缩放比例(%)"), 100, 5, 300, 5,
                        QStringLiteral("%"), &ok);
    if (!ok)
        return;
    const LayerRows before = layerRows();
    if (!m_project.scaledCopy(m_currentLayer, percent / 100.0)) {
        message(tr("加载失败"));
        return;
    }
    appendLayerRow();
    selectLastLayerRow();
    recordLayerChange(before, tr("复制图层"));
}

void MainWindow::on_actionAutoCopies_triggered()
{
    if (m_layerTable->rowCount() == 0 || m_currentLayer < 0 || m_currentLayer >= m_project.layers.size())
        return;
    // Every copy comes from the layer that was current at the start, wherever a
    // re-sort after each copy moves it.
    const MapLayer *source = m_project.layers[m_currentLayer];
    const LayerRows before = layerRows();
    for (double factor : kAutoCopyFactors) {
        const int index = int(m_project.layers.indexOf(const_cast<MapLayer *>(source)));
        if (index < 0 || !m_project.scaledCopy(index, factor)) {
            message(tr("加载失败"));
            break;
        }
        appendLayerRow();
        selectLastLayerRow();
    }
    // The copies made before a failure stay, and are undone together.
    if (m_project.layers.size() != before.layers.size())
        recordLayerChange(before, tr("自动复制图层"));
}

void MainWindow::on_actionDeleteLayer_triggered()
{
    const LayerRows before = layerRows();
    MapLayer *record = takeLayerRow(m_currentLayer);
    if (!record)
        return;
    updateActions();
    // The record stays with the undo command, so Delete asks nothing.
    if (m_browseMode)
        delete record;
    else
        recordLayerChange(before, tr("删除图层"));
}

void MainWindow::on_actionSortLayers_triggered()
{
    const LayerRows before = layerRows();
    sortLayerTable();
    if (m_project.layers != before.layers) {
        // The levels of the file change order.
        m_project.changeFlags |= MapProject::kLayersChanged;
        recordLayerChange(before, tr("排序图层"));
    }
}
