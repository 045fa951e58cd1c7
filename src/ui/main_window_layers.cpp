// The layer table of the main window and the current layer, the layer commands (Add,
// Copy, Auto, Delete, re-sort) and the placing of the two calibration points. Row i of
// the table always shows layer i of the project.

#include <QMessageBox>
#include <QTableWidget>

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
    const MapLayer *layer = project.layers[n];
    const bool wasEnabled = selectionEnabled;
    selectionEnabled = false;
    layerTable->insertRow(n);
    layerTable->setItem(n, 0, readOnlyItem(tr("层", "layer row name") + QString::number(n)));
    layerTable->setItem(n, 1, readOnlyItem(layer->scaleText()));
    layerTable->setItem(n, 2, scaleKeyItem(layer->scale));
    selectionEnabled = wasEnabled;
    calibrationForm->fieldsFrame->setEnabled(true);
    return 0;
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
    canvas->setLayer(project.layers[currentLayer]);
    if (!browseMode) {
        const QImage *image = project.layerImage(currentLayer);
        canvas->setImage(image ? *image : QImage());
    }
    calibrationForm->refreshFromLayer();
}

int MainWindow::selectLayerRow(int row)
{
    if (layerTable->rowCount() == 0 || row < 0 || row >= layerTable->rowCount()
        || row >= project.layers.size()) {
        canvas->clearCanvas();
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
    if (current < 0)
        return 2;
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

int MainWindow::deleteLayerRow(int row)
{
    if (layerTable->rowCount() == 0)
        return 1;
    if (row < 0 || row >= layerTable->rowCount())
        return 1;
    // The canvas must not keep the layer that is about to be destroyed.
    selectionEnabled = false;
    canvas->clearCanvas();
    layerTable->removeRow(row);
    project.removeLayer(row);
    selectLayerRow(row == 0 ? 0 : row - 1);
    return 0;
}

void MainWindow::clearLayers()
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

int MainWindow::placeTopLeftPoint(int x, int y)
{
    if (!actionPlaceTopLeftPoint->isChecked())
        return 0;
    project.setTopLeftX(currentLayer, x);
    project.setTopLeftY(currentLayer, y);
    leavePlacingMode(actionPlaceTopLeftPoint);
    return 0;
}

int MainWindow::placeBottomRightPoint(int x, int y)
{
    if (!actionPlaceBottomRightPoint->isChecked())
        return 0;
    project.setBottomRightX(currentLayer, x);
    project.setBottomRightY(currentLayer, y);
    leavePlacingMode(actionPlaceBottomRightPoint);
    return 0;
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
    if (layerTable->rowCount() == 0) {
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
    addLayerFiles(dialogs.openFiles(this, tr("打开文件"), lastDirectory, filter, everything));
}

void MainWindow::on_actionCopyLayer_triggered()
{
    if (layerTable->rowCount() == 0)
        return;
    bool ok = false;
    const int percent = dialogs.integer(this, tr("提示"), tr("请输入缩放比例"), 100, 5, 300, 5, &ok);
    if (!ok)
        return;
    if (project.scaledCopy(currentLayer, percent / 100.0) == -1) {
        message(tr("加载失败"));
        return;
    }
    appendLayerRow();
    selectLastLayerRow();
}

void MainWindow::on_actionAutoCopies_triggered()
{
    if (layerTable->rowCount() == 0 || currentLayer < 0 || currentLayer >= project.layers.size())
        return;
    // Every copy comes from the layer that was current at the start, wherever a
    // re-sort after each copy moves it.
    const MapLayer *source = project.layers[currentLayer];
    for (double factor : {0.6, 0.8, 1.2, 1.4}) {
        const int index = int(project.layers.indexOf(const_cast<MapLayer *>(source)));
        if (index < 0 || project.scaledCopy(index, factor) == -1) {
            message(tr("加载失败"));
            return;
        }
        appendLayerRow();
        selectLastLayerRow();
    }
}

void MainWindow::on_actionDeleteLayer_triggered()
{
    deleteLayerRow(currentLayer);
    updateActions();
}

void MainWindow::on_actionSortLayers_triggered()
{
    sortLayerTable();
}
