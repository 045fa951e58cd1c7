// File commands of the main window: New, Open, Save, Save As, browsing an SMF file,
// WFL conversion and closing, with the progress dialog of saving and converting.

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QToolBar>

#include <limits>

#include "project/map_layer.h"
#include "smf/smf_reader.h"
#include "smf/smf_writer.h"
#include "smf/wfl_conversion.h"
#include "ui/calibration_form.h"
#include "ui/main_window.h"

namespace {
const char *const kSmfFilter = "Map File(*.smf)";
}

SaveProgressDialog::SaveProgressDialog(QWidget *parent)
{
    const QString label = QCoreApplication::translate("MainWindow", "正在保存...");
    progress = new QProgressDialog(label, QCoreApplication::translate("MainWindow", "取消"), 0, 0, parent,
                                   Qt::SplashScreen);
    progress->setWindowModality(Qt::WindowModal);
    progress->setWindowTitle(label);
    progress->setMinimumDuration(0);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    auto *cancel = new QPushButton(QCoreApplication::translate("MainWindow", "取消"), progress);
    progress->setCancelButton(cancel);
    cancel->hide();
}

SaveProgressDialog::~SaveProgressDialog()
{
    delete progress;
}

void SaveProgressDialog::start(int maximum)
{
    constexpr int kFineSteps = 100;
    steps = maximum <= std::numeric_limits<int>::max() / kFineSteps ? kFineSteps : 1;
    progress->setRange(0, maximum * steps);
    progress->setValue(0);
    progress->show();
    QCoreApplication::processEvents();
}

void SaveProgressDialog::setValue(int value)
{
    progress->setValue(value * steps);
}

void SaveProgressDialog::setFineValue(double value)
{
    progress->setValue(qBound(0, int(value * steps), progress->maximum()));
}

void SaveProgressDialog::pumpEvents()
{
    QCoreApplication::processEvents();
}

bool SaveProgressDialog::cancelled() const
{
    return progress->wasCanceled();
}

void SaveProgressDialog::finish()
{
    progress->setValue(progress->maximum());
    progress->hide();
}

void MainWindow::showFileInTitle(const QString &file)
{
    setWindowTitle(baseTitle + QStringLiteral(" - ") + file);
}

QString MainWindow::folderOf(const QString &path) const
{
    const int slash = int(path.lastIndexOf(QLatin1Char('/')));
    return slash < 0 ? path : path.left(slash);
}

int MainWindow::saveProjectTo(const QString &path)
{
    if (projectState <= 0)
        return -1;
    const QString previousPath = project.filePath;
    project.filePath = path;
    int result = 0;
    {
        SaveProgressDialog progress(this);
        result = saveSmf(project, &progress);
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
    showFileInTitle(path);
    return 1;
}

MainWindow::LayerCheck MainWindow::checkLayers()
{
    // A text in the form that the current layer does not hold comes first: the user is
    // at it, and showing another layer would refresh the form over it.
    CalibrationCheck fault = calibrationForm->firstUnstoredField();
    const bool typedNotStored = fault.fault != CalibrationFault::None;
    int failing = typedNotStored ? currentLayer : -1;
    for (int i = 0; i < project.layers.size() && !typedNotStored; ++i) {
        const CalibrationCheck check = project.layers[i]->checkCalibration();
        if (check.fault != CalibrationFault::None) {
            failing = i;
            fault = check;
        }
    }
    if (failing < 0)
        return LayerCheck::AllValid;
    const QTableWidgetItem *name = failing < layerTable->rowCount() ? layerTable->item(failing, 0) : nullptr;
    message(tr("输入数据无效或不完整") + QLatin1Char('\n')
            + calibrationForm->faultText(name ? name->text() : QString::number(failing), fault));
    if (typedNotStored)
        return LayerCheck::FailedShown;
    return selectLayerRow(failing) == 0 ? LayerCheck::FailedShown : LayerCheck::FailedNotShown;
}

QString MainWindow::savePath(bool saveAs)
{
    if (projectState == 2 && !saveAs)
        return project.filePath;
    return dialogs.saveFile(this, tr("保存文件"), lastDirectory + QLatin1Char('/') + project.mapName
                                + QStringLiteral(".smf"), QString::fromLatin1(kSmfFilter));
}

bool MainWindow::mayCloseProject()
{
    if (project.changeFlags == 0)
        return true;
    const int answer = message(tr("此操作将会关闭先前文件,是否保存?"),
                               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::No || projectState <= 0)
        return true;
    switch (checkLayers()) {
    case LayerCheck::FailedShown:
        return false;
    case LayerCheck::FailedNotShown:
        return true;
    case LayerCheck::AllValid:
        break;
    }
    const QString path = savePath(false);
    if (path.isEmpty())
        return false;
    // A save that failed keeps the work: the window stays and the command stops.
    return saveProjectTo(path) == 1;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (mayCloseProject())
        event->accept();
    else
        event->ignore();
}

void MainWindow::on_actionExit_triggered()
{
    close();
}

void MainWindow::on_actionNew_triggered()
{
    if (mayCloseProject() && askMapProperties()) {
        clearLayers();
        projectState = 1;
        project.changeFlags = 1;  // a new project counts as changed until saved
        selectLayerRow(0);
        showFileInTitle(project.mapName + QStringLiteral(".smf"));
    }
    updateActions();
}

void MainWindow::on_actionSave_triggered()
{
    if (project.changeFlags != 0 && projectState > 0 && checkLayers() == LayerCheck::AllValid) {
        const QString path = savePath(false);
        if (!path.isEmpty())
            saveProjectTo(path);
    }
    updateActions();
}

void MainWindow::on_actionSaveAs_triggered()
{
    if (projectState > 0 && checkLayers() == LayerCheck::AllValid) {
        const QString path = savePath(true);
        if (!path.isEmpty())
            saveProjectTo(path);
    }
    updateActions();
}

void MainWindow::showLayersOf(const QString &path)
{
    projectState = 2;
    lastDirectory = folderOf(path);
    for (int i = 0; i < project.layers.size(); ++i)
        appendLayerRow();
    selectLayerRow(0);
}

void MainWindow::on_actionOpen_triggered()
{
    if (mayCloseProject()) {
        const QString path = dialogs.openFile(this, tr("打开文件"), lastDirectory, QString::fromLatin1(kSmfFilter),
                                              QString());
        if (!path.isEmpty()) {
            clearLayers();
            const int result = openSmf(project, path);
            if (result == kSmfTooLarge && !browseMode) {
                // The window keeps its empty project, its state and its title.
                clearLayers();
                if (message(tr("无法编辑像素超过10,000 x 10,000的SMF文件!这个SMF文件会以只读方式显示"),
                            QMessageBox::Yes | QMessageBox::No)
                    == QMessageBox::Yes)
                    openBrowseWindow(path);
            } else if (result != 0) {
                // Nothing of the file was taken; the emptied project is bound to no file.
                clearLayers();
                reportUnreadableSmf(path, project.errorString());
                project.filePath.clear();
                if (projectState == 2) {
                    projectState = 1;
                    showFileInTitle(project.mapName + QStringLiteral(".smf"));
                }
            } else {
                showLayersOf(path);
                showFileInTitle(project.filePath);
            }
        }
    }
    updateActions();
}

void MainWindow::on_actionBrowseSmf_triggered()
{
    openBrowseWindow(QString());
}

void MainWindow::openBrowseWindow(const QString &path)
{
    auto *child = new MainWindow(languageFile);
    browseWindows.append(child);
    child->browseMode = true;
    child->project.browseMode = true;
    child->mainMenuBar->hide();
    child->mainToolBar->hide();
    for (QDockWidget *dock : {child->layerDock, child->calibrationDock})
        dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);

    QString file = path;
    if (file.isEmpty())
        file = dialogs.openFile(child, tr("打开文件"), QString(), QString::fromLatin1(kSmfFilter), QString());
    if (file.isEmpty()) {
        child->hide();
        return;
    }
    child->clearLayers();
    if (openSmf(child->project, file) != 0) {
        child->hide();
        reportUnreadableSmf(file, child->project.errorString());
        browseWindows.removeOne(child);
        child->deleteLater();
        return;
    }
    child->showLayersOf(file);
    child->showFileInTitle(file);
    child->showMaximized();
}

void MainWindow::on_actionConvertWfl_triggered()
{
    const QString folder = dialogs.folder(this, tr("打开文件"), QDir::currentPath());
    if (folder.isEmpty())
        return;
    // The conversion does not touch the project: its own properties come back.
    const QString keptCartographer = project.cartographer;
    const QString keptMapName = project.mapName;
    const QColor keptFill = project.fillColour;
    const quint8 keptFlags = project.changeFlags;
    if (!askMapProperties())
        return;

    projectState = 1;
    project.changeFlags = 1;
    WflConverter converter(folder);
    int status = kSmfOk;
    {
        SaveProgressDialog progress(this);
        status = converter.convert(project.cartographer, project.mapName, project.fillColour, &progress);
    }
    project.cartographer = keptCartographer;
    project.mapName = keptMapName;
    project.fillColour = keptFill;
    project.changeFlags = keptFlags;
    updateActions();

    if (status == kSmfOk)
        message(converter.outputPath());
    else
        message(tr("转换失败") + QLatin1Char('\n') + converter.errorString());
}
