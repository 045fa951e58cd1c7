#pragma once

#include <QStringList>
#include <QUndoCommand>
#include <QVector>

#include <memory>

#include "project/map_layer.h"
#include "ui/control_points_fit.h"

class MainWindow;

// The layers of a window as its table shows them: the records in project order,
// each row's name, and the current row.
struct LayerRows
{
    QVector<MapLayer *> layers;
    QStringList names;
    int current = 0;
};

// A change of the layer list (adding, copying, deleting, re-sorting), undone by
// putting the rows back as they were. Records that are out of the project in the
// command's present state belong to the command: the added ones while it is undone,
// the removed ones while it is done. The change has already happened when the
// command is pushed, so its first redo does nothing.
class LayerListCommand : public QUndoCommand
{
public:
    LayerListCommand(MainWindow *window, const LayerRows &before, const LayerRows &after, const QString &text);
    ~LayerListCommand() override;

    void undo() override;
    void redo() override;

private:
    MainWindow *const window;
    const LayerRows before;
    const LayerRows after;
    bool done = true;
    bool pushed = false;
};

// An edit of one layer's calibration points (typed, placed or dragged). Edits of the
// same field of the same layer that follow each other merge into one command, so
// typing a number is undone at once. mergeKey 0 never merges.
class CalibrationCommand : public QUndoCommand
{
public:
    // The rows are the table before and after the edit, which may re-sort it.
    CalibrationCommand(MainWindow *window, MapLayer *layer, const LayerCalibration &before, const LayerRows &rowsBefore,
                       int mergeKey, const QString &text);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

private:
    MainWindow *const window;
    MapLayer *const layer;  // owned by the project, or by a LayerListCommand above this one
    const LayerCalibration before;
    LayerCalibration after;
    const LayerRows rowsBefore;
    LayerRows rowsAfter;
    const int mergeKey;
    bool pushed = false;
};

// Calibrating a georeferenced layer by hand: the layer leaves its raster's
// georeferencing for the raster's own pixels and a calibration of its own. Undone by
// giving the layer back its georeference and calibration. The change has already
// happened when the command is pushed, so its first redo does nothing.
class GeoreferenceCommand : public QUndoCommand
{
public:
    // `layer` holds the new state already; the arguments are what it had before and
    // the table before the change, which may have re-sorted it.
    GeoreferenceCommand(MainWindow *window, MapLayer *layer, std::shared_ptr<const RasterGeoreference> before,
                        const LayerCalibration &calibrationBefore, const LayerRows &rowsBefore, const QString &text);

    void undo() override;
    void redo() override;

private:
    struct State
    {
        std::shared_ptr<const RasterGeoreference> georeference;
        LayerCalibration calibration;
        LayerRows rows;
    };
    MainWindow *const window;
    MapLayer *const layer;  // owned by the project, or by a LayerListCommand above this one
    const State before;
    const State after;
    bool pushed = false;
};

// A layer calibrated by control points as one value: its points and transform, what
// their fit made of the layer (georeference and calibration), the fit as the dock
// shows it, and the table's rows.
struct ControlPointsState
{
    LayerControlPoints points;
    std::shared_ptr<const RasterGeoreference> georeference;
    LayerCalibration calibration;
    ControlPointsFit fit;
    LayerRows rows;
};

// An edit of a layer's control points (adding, moving, typing, enabling, deleting a
// point, the transform, calibrating by points or by two points again), undone by
// putting back the state before it, fit included. The change has already happened
// when the command is pushed, so its first redo does nothing.
class ControlPointsCommand : public QUndoCommand
{
public:
    ControlPointsCommand(MainWindow *window, MapLayer *layer, const ControlPointsState &before,
                         const ControlPointsState &after, const QString &text);

    void undo() override;
    void redo() override;

private:
    MainWindow *const window;
    MapLayer *const layer;  // owned by the project, or by a LayerListCommand above this one
    const ControlPointsState before;
    const ControlPointsState after;
    bool pushed = false;
};

// What an edit of a border changes: the layer's own border, or, for a merged layer,
// its sources (one with the edited border) and the level planned from them.
struct BorderState
{
    QVector<QPointF> border;
    std::shared_ptr<const LayerMosaic> mosaic;
    LayerCalibration calibration;
    LayerRows rows;
};

// An edit of a border on the canvas (a point dragged), undone by putting back the
// state before it. The change has already happened when the command is pushed, so its
// first redo does nothing.
class BorderCommand : public QUndoCommand
{
public:
    BorderCommand(MainWindow *window, MapLayer *layer, const BorderState &before, const BorderState &after,
                  const QString &text);

    void undo() override;
    void redo() override;

private:
    MainWindow *const window;
    MapLayer *const layer;  // owned by the project, or by a LayerListCommand above this one
    const BorderState before;
    const BorderState after;
    bool pushed = false;
};

// One calibration edit of the window's current layer: made before the edit, it
// pushes the edit when it goes out of scope (nothing when the calibration stayed).
class CalibrationEdit
{
public:
    explicit CalibrationEdit(MainWindow *window, int mergeKey = 0);
    ~CalibrationEdit();
    CalibrationEdit(const CalibrationEdit &) = delete;
    CalibrationEdit &operator=(const CalibrationEdit &) = delete;

private:
    MainWindow *const window;
    MapLayer *const layer;
    const LayerCalibration before;
    const LayerRows rowsBefore;
    const int mergeKey;
};
