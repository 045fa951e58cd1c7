// Project file commands of the main window: New, Open, Save, Save As, Browse,
// closing, and binding the project to a file.

#include <QCloseEvent>
#include <QDockWidget>
#include <QMenuBar>
#include <QToolBar>
#include <QMessageBox>

#include "project/map_layer.h"
#include "ui/map_properties_dialog.h"
#include "ui/mapvane2.h"
#include "ui/save_progress_dialog.h"

namespace {
const char *const kSmfFilter = "Map File(*.smf)";
}

int Mapvane2::message(const QString &text, int buttons)
{
    return QMessageBox::information(this, tr("提示"), text, QMessageBox::StandardButtons(buttons));
}

QString Mapvane2::folderOf(const QString &path) const
{
    const int slash = int(path.lastIndexOf(QLatin1Char('/')));
    return slash < 0 ? path : path.left(slash);
}

int Mapvane2::saveProjectTo(const QString &path)
{
    if (projectState <= 0)
        return -1;
    const QString previousPath = project.filePath;
    project.filePath = path;
    int result = 0;
    {
        SaveProgressDialog progress(this);
        result = project.saveSmf(&progress);
    }
    if (result != 0) {
        // A failed save leaves the window as it was: same file, same title, still
        // changed, and the previous file on disk untouched.
        project.filePath = previousPath;
        message(tr("保存失败") + QLatin1Char('\n') + project.errorString());
        return -1;
    }
    projectState = 2;
    lastDirectory = folderOf(path);
    setWindowTitle(baseTitle + QStringLiteral(" - ") + path);
    return 1;
}

Mapvane2::LayerCheck Mapvane2::checkLayers()
{
    int failing = -1;
    for (int i = 0; i < project.layers.size(); ++i) {
        if (!project.layers[i]->isCalibrationValid())
            failing = i;
    }
    if (failing < 0)
        return LayerCheck::AllValid;
    message(tr("输入数据无效或不完整"));
    return selectLayerRow(failing) == 0 ? LayerCheck::FailedShown : LayerCheck::FailedNotShown;
}

QString Mapvane2::savePath(bool saveAs)
{
    if (projectState == 2 && !saveAs)
        return project.filePath;
    return dialogs.saveFile(this, tr("保存文件"), lastDirectory + QLatin1Char('/') + project.mapName
                                + QStringLiteral(".smf"), QString::fromLatin1(kSmfFilter));
}

int Mapvane2::closeCheck()
{
    if (project.changeFlags == 0)
        return 1;
    const int answer = message(tr("此操作将会关闭先前文件,是否保存?"),
                               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return 0;
    if (answer == QMessageBox::No || projectState <= 0)
        return 1;
    switch (checkLayers()) {
    case LayerCheck::FailedShown:
        return 0;
    case LayerCheck::FailedNotShown:
        return 1;
    case LayerCheck::AllValid:
        break;
    }
    const QString path = savePath(false);
    if (path.isEmpty())
        return 0;
    // A save that failed keeps the work: the window stays and the command stops.
    return saveProjectTo(path) == 1 ? 1 : 0;
}

void Mapvane2::closeEvent(QCloseEvent *event)
{
    if (closeCheck() == 1)
        event->accept();
    else
        event->ignore();
}

void Mapvane2::on_actionNew_triggered()
{
    if (closeCheck() == 1) {
        MapPropertiesDialog dialog(this);
        dialog.cartographerEdit->setText(project.cartographer);
        dialog.mapNameEdit->setText(project.mapName);
        dialog.setFillColour(project.fillColour);
        if (dialog.exec() == QDialog::Accepted) {
            clearLayers();
            project.setProperties(dialog.cartographerEdit->text(), dialog.mapNameEdit->text(), dialog.fillColour(), 300,
                                  500);
            projectState = 1;
            project.changeFlags = 1;  // a new project counts as changed until saved
            selectLayerRow(0);
            setWindowTitle(baseTitle + QStringLiteral(" - ") + project.mapName + QStringLiteral(".smf"));
        }
    }
    updateActions();
}

void Mapvane2::on_actionSave_triggered()
{
    if (project.changeFlags != 0 && projectState > 0 && checkLayers() == LayerCheck::AllValid) {
        const QString path = savePath(false);
        if (!path.isEmpty())
            saveProjectTo(path);
    }
    updateActions();
}

void Mapvane2::on_actionSaveAs_triggered()
{
    if (projectState > 0 && checkLayers() == LayerCheck::AllValid) {
        const QString path = savePath(true);
        if (!path.isEmpty())
            saveProjectTo(path);
    }
    updateActions();
}

void Mapvane2::showLayersOf(const QString &path)
{
    projectState = 2;
    lastDirectory = folderOf(path);
    for (int i = 0; i < project.layers.size(); ++i)
        appendLayerRow();
    selectLayerRow(0);
}

void Mapvane2::on_actionOpen_triggered()
{
    if (closeCheck() == 1) {
        const QString path = dialogs.openFile(this, tr("打开文件"), lastDirectory, QString::fromLatin1(kSmfFilter),
                                              QString());
        if (!path.isEmpty()) {
            clearLayers();
            const int result = project.openSmf(path);
            if (result == -2 && !browseMode) {
                // The window keeps its empty project, its state and its title.
                clearLayers();
                if (message(tr("无法编辑像素超过10,000 x 10,000的SMF文件!这个SMF文件会以只读方式显示"),
                            QMessageBox::Yes | QMessageBox::No)
                    == QMessageBox::Yes)
                    openBrowseWindow(path);
            } else if (result != 0) {
                // Nothing of the file was taken; the emptied project is bound to no file.
                clearLayers();
                message(tr("无法读取SMF文件") + QLatin1Char('\n') + path + QLatin1Char('\n') + project.errorString());
                project.filePath.clear();
                if (projectState == 2) {
                    projectState = 1;
                    setWindowTitle(baseTitle + QStringLiteral(" - ") + project.mapName + QStringLiteral(".smf"));
                }
            } else {
                showLayersOf(path);
                setWindowTitle(baseTitle + QStringLiteral(" - ") + project.filePath);
            }
        }
    }
    updateActions();
}

void Mapvane2::on_action_smf_triggered()
{
    openBrowseWindow(QString());
}

void Mapvane2::openBrowseWindow(const QString &path)
{
    auto *child = new Mapvane2(nullptr);
    childWindows.append(child);
    child->browseMode = true;
    child->project.browseMode = true;
    child->menuBar1->hide();
    child->mainToolBar->hide();
    for (QDockWidget *dock : {child->layerDock, child->pointsDock})
        dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);

    QString file = path;
    if (file.isEmpty())
        file = dialogs.openFile(child, tr("打开文件"), QString(), QString::fromLatin1(kSmfFilter), QString());
    if (file.isEmpty()) {
        child->hide();
        return;
    }
    child->clearLayers();
    if (child->project.openSmf(file) != 0) {
        child->hide();
        message(tr("无法读取SMF文件") + QLatin1Char('\n') + file + QLatin1Char('\n') + child->project.errorString());
        childWindows.removeOne(child);
        child->deleteLater();
        return;
    }
    child->showLayersOf(file);
    child->setWindowTitle(baseTitle + QStringLiteral(" - ") + file);
    child->showMaximized();
}
