#include "ui/layer_undo.h"

#include <QCoreApplication>

#include "ui/main_window.h"

namespace {

// The records of `from` that are not in `to`.
QVector<MapLayer *> missingFrom(const QVector<MapLayer *> &from, const QVector<MapLayer *> &to)
{
    QVector<MapLayer *> missing;
    for (MapLayer *layer : from) {
        if (!to.contains(layer))
            missing.append(layer);
    }
    return missing;
}

}  // namespace

LayerListCommand::LayerListCommand(MainWindow *window, const LayerRows &before, const LayerRows &after,
                                   const QString &text)
    : QUndoCommand(text)
    , window(window)
    , before(before)
    , after(after)
{
}

LayerListCommand::~LayerListCommand()
{
    qDeleteAll(done ? missingFrom(before.layers, after.layers) : missingFrom(after.layers, before.layers));
}

void LayerListCommand::undo()
{
    window->showLayerRows(before);
    done = false;
}

void LayerListCommand::redo()
{
    if (pushed)
        window->showLayerRows(after);
    pushed = true;
    done = true;
}

CalibrationCommand::CalibrationCommand(MainWindow *window, MapLayer *layer, const LayerCalibration &before,
                                       const LayerRows &rowsBefore, int mergeKey, const QString &text)
    : QUndoCommand(text)
    , window(window)
    , layer(layer)
    , before(before)
    , after(layer->calibration())
    , rowsBefore(rowsBefore)
    , rowsAfter(window->layerRows())
    , mergeKey(mergeKey)
{
}

void CalibrationCommand::undo()
{
    window->showCalibration(layer, before, rowsBefore);
}

void CalibrationCommand::redo()
{
    if (pushed)
        window->showCalibration(layer, after, rowsAfter);
    pushed = true;
}

int CalibrationCommand::id() const
{
    return mergeKey == 0 ? -1 : 1;
}

bool CalibrationCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const CalibrationCommand *>(other);
    if (next->layer != layer || next->mergeKey != mergeKey)
        return false;
    after = next->after;
    rowsAfter = next->rowsAfter;
    // Typing back what was there leaves nothing to undo.
    setObsolete(after == before && rowsAfter.layers == rowsBefore.layers);
    return true;
}

GeoreferenceCommand::GeoreferenceCommand(MainWindow *window, MapLayer *layer,
                                         std::shared_ptr<const RasterGeoreference> before,
                                         const LayerCalibration &calibrationBefore, const LayerRows &rowsBefore,
                                         const QString &text)
    : QUndoCommand(text)
    , window(window)
    , layer(layer)
    , before{std::move(before), calibrationBefore, rowsBefore}
    , after{layer->georeference, layer->calibration(), window->layerRows()}
{
}

void GeoreferenceCommand::undo()
{
    window->showGeoreference(layer, before.georeference, before.calibration, before.rows);
}

void GeoreferenceCommand::redo()
{
    if (pushed)
        window->showGeoreference(layer, after.georeference, after.calibration, after.rows);
    pushed = true;
}

namespace {

MapLayer *currentRecord(const MainWindow *window)
{
    const int index = window->currentLayer();
    return index >= 0 && index < window->project().layers.size() ? window->project().layers[index] : nullptr;
}

}  // namespace

CalibrationEdit::CalibrationEdit(MainWindow *window, int mergeKey)
    : window(window)
    , layer(currentRecord(window))
    , before(layer ? layer->calibration() : LayerCalibration())
    , rowsBefore(window->layerRows())
    , mergeKey(mergeKey)
{
}

CalibrationEdit::~CalibrationEdit()
{
    // The layer cannot leave the project during the edit.
    if (layer && !window->isBrowsing() && layer->calibration() != before)
        window->undoStack()->push(
            new CalibrationCommand(window, layer, before, rowsBefore, mergeKey, QCoreApplication::translate("MainWindow", "修改定标点")));
}

ControlPointsCommand::ControlPointsCommand(MainWindow *window, MapLayer *layer, const ControlPointsState &before,
                                           const ControlPointsState &after, const QString &text)
    : QUndoCommand(text)
    , window(window)
    , layer(layer)
    , before(before)
    , after(after)
{
}

void ControlPointsCommand::undo()
{
    window->showControlPointsState(layer, before);
}

void ControlPointsCommand::redo()
{
    if (!pushed) {
        pushed = true;
        return;
    }
    window->showControlPointsState(layer, after);
}

BorderCommand::BorderCommand(MainWindow *window, MapLayer *layer, const BorderState &before, const BorderState &after,
                             const QString &text)
    : QUndoCommand(text)
    , window(window)
    , layer(layer)
    , before(before)
    , after(after)
{
}

void BorderCommand::undo()
{
    window->showBorderState(layer, before);
}

void BorderCommand::redo()
{
    if (pushed)
        window->showBorderState(layer, after);
    pushed = true;
}
