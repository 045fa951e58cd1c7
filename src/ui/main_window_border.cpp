// Borders on the canvas: the map face of a layer's source image as a polygon whose
// points are dragged, by which the layer is cut when merged; a merged layer is planned
// again with the edited border of its source.

#include <QTableWidget>
#include <QUndoStack>

#include <algorithm>

#include "project/layer_mosaic.h"
#include "ui/main_window.h"
#include "ui/map_canvas.h"
#include "ui/mosaic_sources_panel.h"

bool MainWindow::canEditBorder() const
{
    const MapLayer *layer = currentLayerRecord();
    return layer && !m_browseMode && !layer->fromSmf && layer->zoom == 1.0 && !layer->controlPoints.active;
}

bool MainWindow::editingBorder() const
{
    return actionEditBorder->isChecked() && canEditBorder();
}

int MainWindow::borderSourceIndex() const
{
    const MapLayer *layer = currentLayerRecord();
    if (!layer || !layer->mosaic)
        return 0;
    return qBound(0, m_sourcesPanel->table()->currentRow(), int(layer->mosaic->sources.size()) - 1);
}

const MapLayer *MainWindow::borderSource() const
{
    const MapLayer *layer = currentLayerRecord();
    return layer && layer->mosaic ? &layer->mosaic->sources.at(borderSourceIndex()).layer : layer;
}

QVector<QPointF> MainWindow::shownBorder() const
{
    const MapLayer *layer = currentLayerRecord();
    if (!layer)
        return {};
    const QVector<QPointF> &border = layer->mosaic ? layer->mosaic->sources.at(borderSourceIndex()).border
                                                   : layer->border;
    if (!border.isEmpty())
        return border;
    const QSize size = m_borderImage.size();
    return {QPointF(0, 0), QPointF(size.width(), 0), QPointF(size.width(), size.height()), QPointF(0, size.height())};
}

void MainWindow::showBorder()
{
    const MapLayer *source = borderSource();
    // The source image at its own size: the border's pixels are its pixels.
    if (m_borderImagePath != source->sourcePath || m_borderImage.isNull()) {
        m_borderImagePath = source->sourcePath;
        m_borderImage = m_project.sourceImage(*source);
    }
    m_canvas->setImage(m_borderImage);
    QVector<ControlPointMark> marks;
    for (const QPointF &point : shownBorder()) {
        ControlPointMark mark;
        mark.pixel = point;
        marks.append(mark);
    }
    m_canvas->setControlPoints(true, marks, true);
}

BorderState MainWindow::borderState(const MapLayer *layer) const
{
    return {layer->border, layer->mosaic, layer->calibration(), layerRows()};
}

void MainWindow::moveBorderPoint(int index, QPointF pixel)
{
    MapLayer *layer = currentLayerRecord();
    QVector<QPointF> border = shownBorder();
    if (!editingBorder() || m_borderImage.isNull() || index < 0 || index >= border.size())
        return;
    // A point dragged off the image stays on its edge.
    border[index] = QPointF(std::clamp(pixel.x(), 0.0, double(m_borderImage.width())),
                            std::clamp(pixel.y(), 0.0, double(m_borderImage.height())));
    const BorderState before = borderState(layer);
    BorderState after = before;
    if (layer->mosaic) {
        // The level is planned again from the sources with the edited border.
        QVector<MosaicSource> sources = layer->mosaic->sources;
        sources[borderSourceIndex()].border = border;
        MapLayer planned;
        int failed = -1;
        QString reason;
        if (!planMosaic(sources, m_project.warpResampling, &planned, &failed, &reason)) {
            message(tr("无法按此边界合并") + QLatin1Char('\n') + reason);
            showBorder();  // the point goes back
            return;
        }
        after.mosaic = planned.mosaic;
        after.calibration = planned.calibration();
    } else {
        after.border = border;
    }
    showBorderState(layer, after);
    m_undoStack->push(new BorderCommand(this, layer, before, after, tr("移动边界点")));
}

void MainWindow::showBorderState(MapLayer *layer, const BorderState &state)
{
    const int index = int(m_project.layers.indexOf(layer));
    if (index < 0)
        return;
    layer->border = state.border;
    if (layer->mosaic != state.mosaic) {
        // Its level is another one now: drawn again when next needed.
        m_project.releaseImage(index);
        layer->mosaic = state.mosaic;
        layer->setCalibration(state.calibration);
        m_project.changeFlags |= MapProject::kLayersChanged | MapProject::kCalibrationChanged;
    }
    showLayerRows(state.rows);
}
