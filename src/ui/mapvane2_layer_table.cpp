// The layer table of the main window and the current layer. Row i of the table
// always shows layer i of the project.

#include <QFrame>
#include <QTableWidget>

#include "project/map_layer.h"
#include "ui/map_canvas.h"
#include "ui/calibration_form.h"
#include "ui/mapvane2.h"

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

int Mapvane2::appendLayerRow()
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
    pointsForm->fieldsFrame->setEnabled(true);
    return 0;
}

void Mapvane2::doSelectionChanged()
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
    pointsForm->refreshFromLayer();
}

int Mapvane2::selectLayerRow(int row)
{
    if (layerTable->rowCount() == 0 || row < 0 || row >= layerTable->rowCount()
        || row >= project.layers.size()) {
        canvas->clearCanvas();
        pointsForm->fieldsFrame->setEnabled(false);
        return -1;
    }
    selectionEnabled = false;
    layerTable->clearSelection();
    layerTable->item(row, 0)->setSelected(true);
    currentLayer = row;
    selectionEnabled = true;
    // Selecting the second cell shows the layer through doSelectionChanged.
    layerTable->item(row, 1)->setSelected(true);
    layerTable->setFocus();
    pointsForm->fieldsFrame->setEnabled(true);
    updateLayerRow(currentLayer);
    if (browseMode)
        pointsForm->fieldsFrame->setEnabled(false);
    return 0;
}

void Mapvane2::selectLastLayerRow()
{
    selectLayerRow(layerTable->rowCount() - 1);
}

int Mapvane2::updateLayerRow(int index)
{
    if (layerTable->rowCount() == 0 || index < 0 || index >= layerTable->rowCount()
        || index >= project.layers.size())
        return 1;
    MapLayer *layer = project.layers[index];
    if (!layer->topLeftLatSet || !layer->bottomRightLatSet)
        return 2;
    project.updateScale(index);
    layerTable->item(index, 1)->setText(layer->scaleText());
    layerTable->item(index, 2)->setData(Qt::DisplayRole, layer->scale);
    sortLayerTable();
    return 0;
}

void Mapvane2::sortLayerTable()
{
    const int rows = layerTable->rowCount();
    if (rows == 0 || rows != project.layers.size())
        return;
    // The project sorts stably by scale; the table's rows follow the same
    // permutation, so ties end in the same order in both.
    const QVector<MapLayer *> before = project.layers;
    currentLayer = project.sortLayers(currentLayer);

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

int Mapvane2::deleteLayerRow(int row)
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

int Mapvane2::placeTopLeftPoint(int x, int y)
{
    if (!actionAddPoint1->isChecked())
        return 0;
    project.setTopLeftX(currentLayer, x);
    project.setTopLeftY(currentLayer, y);
    actionAddPoint1->setChecked(false);
    pointsForm->refreshFromLayer();
    setCursor(Qt::ArrowCursor);
    updateLayerRow(currentLayer);
    return 0;
}

int Mapvane2::placeBottomRightPoint(int x, int y)
{
    if (!actionAddPoint2->isChecked())
        return 0;
    project.setBottomRightX(currentLayer, x);
    project.setBottomRightY(currentLayer, y);
    actionAddPoint2->setChecked(false);
    pointsForm->refreshFromLayer();
    setCursor(Qt::ArrowCursor);
    updateLayerRow(currentLayer);
    return 0;
}
