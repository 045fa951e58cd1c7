// Layer commands of the main window: Add, Copy, Auto, Delete and re-sort.

#include <QMessageBox>
#include <QTableWidget>

#include "project/map_layer.h"
#include "ui/mapvane2.h"

void Mapvane2::on_actionAdd_triggered()
{
    if (projectState <= 0)
        return;
    const QString allFiles = QStringLiteral("All Files(*.bmp *.jpg *.png *.map)");
    const QString filter = QStringLiteral("BMP(*.bmp);;JPG(*.jpg);;PNG(*.png);;Ozi Map(*.map);;") + allFiles;
    const QString path = dialogs.openFile(this, tr("打开文件"), lastDirectory, filter, allFiles);
    if (path.isEmpty())
        return;
    lastDirectory = folderOf(path);
    if (project.addImageLayer(path) != 0) {
        message(tr("不支持的图片格式"));
        return;
    }
    appendLayerRow();
    selectLastLayerRow();
    updateActions();
}

void Mapvane2::on_actionCopy_triggered()
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

void Mapvane2::on_atAuto_triggered()
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

void Mapvane2::on_actionDelete_triggered()
{
    deleteLayerRow(currentLayer);
    updateActions();
}

void Mapvane2::on_actionOptions_triggered()
{
    sortLayerTable();
}
