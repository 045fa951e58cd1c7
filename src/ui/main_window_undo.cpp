// The window's undo stack: calibration edits and changes of the layer list are
// pushed as commands (layer_undo.h) and undone by putting back what they changed.

#include <QTableWidget>
#include <QUndoStack>

#include "ui/calibration_form.h"
#include "ui/main_window.h"
#include "ui/map_canvas.h"

void MainWindow::createUndoStack()
{
    undoStack = new QUndoStack(this);
    undoStack->setUndoLimit(200);
    actionRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    actionUndo->setEnabled(false);
    actionRedo->setEnabled(false);
    connect(actionUndo, &QAction::triggered, undoStack, &QUndoStack::undo);
    connect(actionRedo, &QAction::triggered, undoStack, &QUndoStack::redo);
    connect(undoStack, &QUndoStack::canUndoChanged, actionUndo, &QAction::setEnabled);
    connect(undoStack, &QUndoStack::canRedoChanged, actionRedo, &QAction::setEnabled);
    // Every edit, undo and redo passes the stack.
    connect(undoStack, &QUndoStack::indexChanged, this, &MainWindow::showUnsavedChanges);
    // The menu names what would be undone.
    const QString undoText = actionUndo->text();
    const QString redoText = actionRedo->text();
    connect(undoStack, &QUndoStack::undoTextChanged, this, [this, undoText](const QString &text) {
        actionUndo->setText(text.isEmpty() ? undoText : undoText + QLatin1Char(' ') + text);
    });
    connect(undoStack, &QUndoStack::redoTextChanged, this, [this, redoText](const QString &text) {
        actionRedo->setText(text.isEmpty() ? redoText : redoText + QLatin1Char(' ') + text);
    });
}

LayerRows MainWindow::layerRows() const
{
    LayerRows rows;
    rows.layers = project.layers;
    for (int row = 0; row < layerTable->rowCount(); ++row)
        rows.names.append(layerTable->item(row, 0)->text());
    rows.current = currentLayer;
    return rows;
}

void MainWindow::showLayerRows(const LayerRows &rows)
{
    selectionEnabled = false;
    // The canvas must not keep a layer that leaves; the view (zoom and scroll) stays
    // for the layer shown next.
    if (canvas->layer && !rows.layers.contains(canvas->layer))
        canvas->setLayer(nullptr);
    for (int index = int(project.layers.size()) - 1; index >= 0; --index) {
        if (!rows.layers.contains(project.layers[index]))
            project.takeLayer(index);
    }
    for (MapLayer *layer : rows.layers) {
        if (!project.layers.contains(layer))
            project.insertLayer(int(project.layers.size()), layer);
    }
    // The same records now; put them in the rows' order, which is the order of the
    // file's levels.
    if (project.layers != rows.layers)
        project.changeFlags |= MapProject::kLayersChanged;
    project.layers = rows.layers;
    layerTable->setRowCount(0);
    for (int row = 0; row < rows.layers.size(); ++row)
        insertLayerRow(row, rows.names.value(row));
    // The rows come back in their own order, not re-sorted.
    selectLayerRow(rows.current, false);
    updateActions();
}

void MainWindow::showCalibration(MapLayer *layer, const LayerCalibration &calibration, const LayerRows &rows)
{
    const int index = int(project.layers.indexOf(layer));
    if (index < 0)
        return;
    project.restoreCalibration(index, calibration);
    showLayerRows(rows);
}

void MainWindow::showGeoreference(MapLayer *layer, std::shared_ptr<const RasterGeoreference> georeference,
                                  const LayerCalibration &calibration, const LayerRows &rows)
{
    const int index = int(project.layers.indexOf(layer));
    if (index < 0)
        return;
    // The plain image may have gone since the layer was calibrated by hand.
    const bool changed = project.setGeoreference(index, std::move(georeference), calibration);
    showLayerRows(rows);
    if (!changed)
        message(project.errorString());
}

void MainWindow::recordLayerChange(const LayerRows &before, const QString &text)
{
    if (browseMode)
        return;
    undoStack->push(new LayerListCommand(this, before, layerRows(), text));
}
