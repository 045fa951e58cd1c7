// Merging layers: the selected rows become one layer made of their sources, each cut
// to its border and warped onto one grid by the core (planMosaic).

#include <QApplication>
#include <QDockWidget>
#include <QTableWidget>

#include "project/layer_mosaic.h"
#include "ui/main_window.h"

bool MainWindow::canMergeSelectedLayers() const
{
    if (m_browseMode || m_projectState <= 0)
        return false;
    const QList<int> rows = selectedLayerRows();
    for (int row : rows) {
        if (!m_project.layers[row]->isCalibrationValid())
            return false;
    }
    return rows.size() >= 2;
}

void MainWindow::on_actionMergeLayers_triggered()
{
    mergeSelectedLayers();
}

void MainWindow::mergeSelectedLayers()
{
    if (!canMergeSelectedLayers())
        return;
    const QList<int> rows = selectedLayerRows();
    const LayerRows before = layerRows();
    QVector<MosaicSource> sources;
    for (int row : rows) {
        // The sources keep what places them, not their decoded images, which the merged
        // layer would otherwise hold outside the project's memory budget.
        MapLayer source = *m_project.layers[row];
        source.image = QImage();
        source.loaded = false;
        source.memoryMB = 0;
        source.tileCache.clear();
        sources.append(MosaicSource{source, source.border});
    }
    LayerImport merged;
    int failed = -1;
    QString reason;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool added = planMosaic(sources, m_project.warpResampling, &merged.layer, &failed, &reason);
    if (added) {
        merged.status = LayerImportStatus::Calibrated;
        // Its pixels are read when it is shown or saved, not while the window waits.
        added = m_project.addImportedLayer(merged, LayerLoading::HeaderOnly);
        reason = merged.reason;
    }
    QApplication::restoreOverrideCursor();
    if (!added) {
        const QString layer = failed >= 0 ? m_layerTable->item(rows.at(failed), 0)->text() + QStringLiteral(": ")
                                          : QString();
        message(tr("无法合并为一层") + QLatin1Char('\n') + layer + reason);
        return;
    }
    // The merged layer takes the place of the first selected row, named as a new row.
    LayerRows after;
    for (int row = 0; row < before.layers.size(); ++row) {
        if (!rows.contains(row)) {
            after.layers.append(before.layers.at(row));
            after.names.append(before.names.at(row));
        }
    }
    after.current = rows.first();
    after.layers.insert(after.current, m_project.layers.last());
    after.names.insert(after.current, tr("层", "layer row name") + QString::number(before.names.size()));
    showLayerRows(after);
    // Sorted by its scale, as an added layer is.
    selectLayerRow(m_currentLayer);
    recordLayerChange(before, tr("合并为一层"));
    m_pointsDock->raise();
}
