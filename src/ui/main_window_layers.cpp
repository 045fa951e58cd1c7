// The layer table of the main window and the current layer, the layer commands (Add,
// Copy, Auto, Delete, re-sort) and the placing of the two calibration points. Row i of
// the table always shows layer i of the project.

#include <QLabel>
#include <QMessageBox>
#include <QTableWidget>

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
    const int n = layerTable->rowCount();
    if (n >= project.layers.size())
        return 0;
    insertLayerRow(n, tr("层", "layer row name") + QString::number(n));
    calibrationForm->fieldsFrame->setEnabled(true);
    return 0;
}

void MainWindow::insertLayerRow(int row, const QString &name)
{
    const MapLayer *layer = project.layers[row];
    const bool wasEnabled = selectionEnabled;
    selectionEnabled = false;
    layerTable->insertRow(row);
    layerTable->setItem(row, 0, readOnlyItem(name));
    layerTable->setItem(row, 1, readOnlyItem(layer->scaleText()));
    layerTable->setItem(row, 2, scaleKeyItem(layer->scale));
    selectionEnabled = wasEnabled;
}

void MainWindow::showSelectedLayer()
{
    if (!selectionEnabled)
        return;
    const QList<QTableWidgetItem *> selected = layerTable->selectedItems();
    if (selected.isEmpty())
        return;
    const int row = selected.first()->row();
    if (row < 0 || row >= project.layers.size())
        return;
    currentLayer = row;
    // The read-outs spoke of the layer shown before.
    if (canvas->layer != project.layers[currentLayer]) {
        for (QLabel *label : statusLabels)
            label->clear();
    }
    canvas->setLayer(project.layers[currentLayer]);
    if (!browseMode) {
        const QImage *image = project.layerImage(currentLayer);
        canvas->setImage(image ? *image : QImage());
        // Placing points depends on the layer.
        updateActions();
    }
    calibrationForm->refreshFromLayer();
}

int MainWindow::selectLayerRow(int row, bool resort)
{
    if (layerTable->rowCount() == 0 || row < 0 || row >= layerTable->rowCount()
        || row >= project.layers.size()) {
        canvas->clearCanvas();
        for (QLabel *label : statusLabels)
            label->clear();
        // No layer: the form shows nothing of one that was.
        calibrationForm->clearFields();
        calibrationForm->fieldsFrame->setEnabled(false);
        return -1;
    }
    selectionEnabled = false;
    layerTable->clearSelection();
    layerTable->item(row, 0)->setSelected(true);
    currentLayer = row;
    selectionEnabled = true;
    // Selecting the second cell shows the layer through showSelectedLayer.
    layerTable->item(row, 1)->setSelected(true);
    layerTable->setFocus();
    calibrationForm->fieldsFrame->setEnabled(true);
    if (resort)
        updateLayerRow(currentLayer);
    if (browseMode)
        calibrationForm->fieldsFrame->setEnabled(false);
    return 0;
}

void MainWindow::selectLastLayerRow()
{
    selectLayerRow(layerTable->rowCount() - 1);
}

int MainWindow::updateLayerRow(int index)
{
    if (layerTable->rowCount() == 0 || index < 0 || index >= layerTable->rowCount()
        || index >= project.layers.size())
        return 1;
    const QVector<MapLayer *> before = project.layers;
    const int current = project.rescaleAndSort(index, currentLayer);
    if (current < 0) {
        // A latitude taken back to not entered leaves no scale to show.
        layerTable->item(index, 1)->setText(before[index]->scaleText());
        return 2;
    }
    currentLayer = current;
    // The table still shows the old order: the edited layer's row is `index`.
    layerTable->item(index, 1)->setText(before[index]->scaleText());
    layerTable->item(index, 2)->setData(Qt::DisplayRole, before[index]->scale);
    followProjectOrder(before);
    return 0;
}

void MainWindow::sortLayerTable()
{
    if (layerTable->rowCount() == 0 || layerTable->rowCount() != project.layers.size())
        return;
    const QVector<MapLayer *> before = project.layers;
    currentLayer = project.sortLayers(currentLayer);
    followProjectOrder(before);
}

void MainWindow::followProjectOrder(const QVector<MapLayer *> &before)
{
    // The project sorts stably by scale; the table's rows follow the same
    // permutation, so ties end in the same order in both.
    const int rows = layerTable->rowCount();
    QVector<QList<QTableWidgetItem *>> rowItems(rows);
    const bool wasEnabled = selectionEnabled;
    selectionEnabled = false;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < 3; ++column)
            rowItems[row].append(layerTable->takeItem(row, column));
    }
    for (int row = 0; row < rows; ++row) {
        const int oldRow = int(before.indexOf(project.layers[row]));
        for (int column = 0; column < 3; ++column)
            layerTable->setItem(row, column, rowItems[oldRow][column]);
    }
    // The selection follows its row.
    layerTable->clearSelection();
    if (currentLayer >= 0 && currentLayer < rows) {
        layerTable->item(currentLayer, 0)->setSelected(true);
        layerTable->item(currentLayer, 1)->setSelected(true);
    }
    selectionEnabled = wasEnabled;
}

MapLayer *MainWindow::takeLayerRow(int row)
{
    if (row < 0 || row >= layerTable->rowCount())
        return nullptr;
    // The canvas must not keep the layer that leaves; the view stays for the next one.
    selectionEnabled = false;
    canvas->setLayer(nullptr);
    layerTable->removeRow(row);
    MapLayer *record = project.takeLayer(row);
    selectLayerRow(row == 0 ? 0 : row - 1);
    return record;
}

void MainWindow::clearLayers()
{
    // The canvas must not keep a layer the project is about to destroy.
    const bool wasEnabled = selectionEnabled;
    selectionEnabled = false;
    canvas->clearCanvas();
    // Records the undo stack holds out of the project go with it.
    undoStack->clear();
    for (int row = layerTable->rowCount() - 1; row >= 0; --row)
        layerTable->removeRow(row);
    project.clear();
    selectionEnabled = wasEnabled;
}

bool MainWindow::currentLayerGeoreferenced() const
{
    return currentLayer >= 0 && currentLayer < project.layers.size() && project.layers[currentLayer]->georeference;
}

void MainWindow::calibrateByHand()
{
    if (browseMode || !currentLayerGeoreferenced())
        return;
    MapLayer *layer = project.layers[currentLayer];
    const std::shared_ptr<const RasterGeoreference> georeference = layer->georeference;
    const LayerCalibration before = layer->calibration();
    const LayerRows rowsBefore = layerRows();
    // The raster's own pixels at the layer's zoom, sizes truncated as a copy's are.
    LayerCalibration byHand = before;
    byHand.topLeft.pixelX = 0;
    byHand.topLeft.pixelY = 0;
    byHand.bottomRight.pixelX = int(std::trunc(georeference->sourceSize.width() * layer->zoom));
    byHand.bottomRight.pixelY = int(std::trunc(georeference->sourceSize.height() * layer->zoom));
    if (!project.setGeoreference(currentLayer, nullptr, byHand)) {
        message(tr("无法手动定标") + QLatin1Char('\n') + project.errorString());
        return;
    }
    updateLayerRow(currentLayer);
    // The layer shows its own pixels now, on the canvas and in the form.
    showLayerRows(layerRows());
    undoStack->push(new GeoreferenceCommand(this, layer, georeference, before, rowsBefore, tr("手动定标")));
}

int MainWindow::placeTopLeftPoint(int x, int y)
{
    if (!actionPlaceTopLeftPoint->isChecked() || currentLayer < 0 || currentLayer >= project.layers.size()
        || currentLayerGeoreferenced())
        return 0;
    const CalibrationEdit edit(this);
    project.setTopLeftX(currentLayer, x);
    project.setTopLeftY(currentLayer, y);
    leavePlacingMode(actionPlaceTopLeftPoint);
    return 0;
}

int MainWindow::placeBottomRightPoint(int x, int y)
{
    if (!actionPlaceBottomRightPoint->isChecked() || currentLayer < 0 || currentLayer >= project.layers.size()
        || currentLayerGeoreferenced())
        return 0;
    const CalibrationEdit edit(this);
    project.setBottomRightX(currentLayer, x);
    project.setBottomRightY(currentLayer, y);
    leavePlacingMode(actionPlaceBottomRightPoint);
    return 0;
}

void MainWindow::movePoint(int point, int x, int y)
{
    if (currentLayerGeoreferenced())
        return;
    const CalibrationEdit edit(this);
    if (point == 1) {
        project.setTopLeftX(currentLayer, x);
        project.setTopLeftY(currentLayer, y);
    } else if (point == 2) {
        project.setBottomRightX(currentLayer, x);
        project.setBottomRightY(currentLayer, y);
    } else {
        return;
    }
    calibrationForm->refreshFromLayer();
    updateLayerRow(currentLayer);
}

// A placed point ends its placing mode and shows in the form and the table.
void MainWindow::leavePlacingMode(QAction *placing)
{
    placing->setChecked(false);
    calibrationForm->refreshFromLayer();
    setCursor(Qt::ArrowCursor);
    updateLayerRow(currentLayer);
}

void MainWindow::enterPlacingMode(QAction *first, QAction *other)
{
    if (layerTable->rowCount() == 0 || currentLayerGeoreferenced()) {
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
    if (projectState <= 0)
        return;
    const QString filter = layerFileFilter();
    const QString everything = filter.section(QStringLiteral(";;"), 0, 0);
    addLayerFiles(dialogs.openFiles(this, tr("增加图层", "dialog title"), lastDirectory, filter, everything));
}

void MainWindow::on_actionCopyLayer_triggered()
{
    if (layerTable->rowCount() == 0)
        return;
    bool ok = false;
    const int percent =
        dialogs.integer(this, tr("复制图层", "dialog title"), tr("请输入缩放比例(%)"), 100, 5, 300, 5,
                        QStringLiteral("%"), &ok);
    if (!ok)
        return;
    const LayerRows before = layerRows();
    if (!project.scaledCopy(currentLayer, percent / 100.0)) {
        message(tr("加载失败"));
        return;
    }
    appendLayerRow();
    selectLastLayerRow();
    recordLayerChange(before, tr("复制图层"));
}

void MainWindow::on_actionAutoCopies_triggered()
{
    if (layerTable->rowCount() == 0 || currentLayer < 0 || currentLayer >= project.layers.size())
        return;
    // Every copy comes from the layer that was current at the start, wherever a
    // re-sort after each copy moves it.
    const MapLayer *source = project.layers[currentLayer];
    const LayerRows before = layerRows();
    for (double factor : {0.6, 0.8, 1.2, 1.4}) {
        const int index = int(project.layers.indexOf(const_cast<MapLayer *>(source)));
        if (index < 0 || !project.scaledCopy(index, factor)) {
            message(tr("加载失败"));
            break;
        }
        appendLayerRow();
        selectLastLayerRow();
    }
    // The copies made before a failure stay, and are undone together.
    if (project.layers.size() != before.layers.size())
        recordLayerChange(before, tr("自动复制图层"));
}

void MainWindow::on_actionDeleteLayer_triggered()
{
    const LayerRows before = layerRows();
    MapLayer *record = takeLayerRow(currentLayer);
    if (!record)
        return;
    updateActions();
    // The record stays with the undo command, so Delete asks nothing.
    if (browseMode)
        delete record;
    else
        recordLayerChange(before, tr("删除图层"));
}

void MainWindow::on_actionSortLayers_triggered()
{
    const LayerRows before = layerRows();
    sortLayerTable();
    if (project.layers != before.layers) {
        // The levels of the file change order.
        project.changeFlags |= MapProject::kLayersChanged;
        recordLayerChange(before, tr("排序图层"));
    }
}
