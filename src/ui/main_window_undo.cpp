// The window's undo stack: calibration edits and changes of the layer list are
// pushed as commands (layer_undo.h) and undone by putting back what they changed.

#include <QTableWidget>
#include <QUndoStack>

#include "ui/calibration_form.h"
#include "ui/main_window.h"
#include "ui/map_canvas.h"

void MainWindow::createUndoStack()
{
    m_undoStack = new QUndoStack(this);
    m_undoStack->setUndoLimit(200);
    actionRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    actionUndo->setEnabled(false);
    actionRedo->setEnabled(false);
    connect(actionUndo, &QAction::triggered, m_undoStack, &QUndoStack::undo);
    connect(actionRedo, &QAction::triggered, m_undoStack, &QUndoStack::redo);
    connect(m_undoStack, &QUndoStack::canUndoChanged, actionUndo, &QAction::setEnabled);
    connect(m_undoStack, &QUndoStack::canRedoChanged, actionRedo, &QAction::setEnabled);
    // Every edit, undo and redo passes the stack.
    connect(m_undoStack, &QUndoStack::indexChanged, this, &MainWindow::showUnsavedChanges);
    // The menu names what would be undone.
    const QString undoText = actionUndo->text();
    const QString redoText = actionRedo->text();
    connect(m_undoStack, &QUndoStack::undoTextChanged, this, [this, undoText](const QString &text) {
        actionUndo->setText(text.isEmpty() ? undoText : undoText + QLatin1Char(' ') + text);
    });
    connect(m_undoStack, &QUndoStack::redoTextChanged, this, [this, redoText](const QString &text) {
        actionRedo->setText(text.isEmpty() ? redoText : redoText + QLatin1Char(' ') + text);
    });
}

LayerRows MainWindow::layerRows() const
{
    LayerRows rows;
    rows.layers = m_project.layers;
    for (int row = 0; row < m_layerTable->rowCount(); ++row)
        rows.names.append(m_layerTable->item(row, 0)->text());
    rows.current = m_currentLayer;
    return rows;
}

void MainWindow::showLayerRows(const LayerRows &rows)
{
    m_selectionEnabled = false;
    // The m_canvas must not keep a layer that leaves; the view (zoom and scroll) stays
    // for the layer shown next.
    if (m_canvas->layer() && !rows.layers.contains(m_canvas->layer()))
        m_canvas->setLayer(nullptr);
    m_project.setLayers(rows.layers);
    m_layerTable->setRowCount(0);
    for (int row = 0; row < rows.layers.size(); ++row)
        insertLayerRow(row, rows.names.value(row));
    // The rows come back in their own order, not re-sorted.
    selectLayerRow(rows.current, false);
    updateActions();
}

void MainWindow::showCalibration(MapLayer *layer, const LayerCalibration &calibration, const LayerRows &rows)
{
    const int index = int(m_project.layers.indexOf(layer));
    if (index < 0)
        return;
    m_project.restoreCalibration(index, calibration);
    showLayerRows(rows);
}

void MainWindow::showGeoreference(MapLayer *layer, std::shared_ptr<const RasterGeoreference> georeference,
                                  const LayerCalibration &calibration, const LayerRows &rows)
{
    const int index = int(m_project.layers.indexOf(layer));
    if (index < 0)
        return;
    // The plain image may have gone since the layer was calibrated by hand.
    const bool changed = m_project.setGeoreference(index, std::move(georeference), calibration);
    showLayerRows(rows);
    if (!changed)
        message(m_project.errorString());
}

void MainWindow::recordLayerChange(const LayerRows &before, const QString &text)
{
    if (m_browseMode)
        return;
    m_undoStack->push(new LayerListCommand(this, before, layerRows(), text));
}
