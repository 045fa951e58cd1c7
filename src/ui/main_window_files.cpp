// File commands of the main window: New, Open, Save, Save As, adding layer files,
// browsing an SMF file, WFL conversion and closing, with the progress dialog of saving
// and converting.

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
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
    showWrittenFile(path);
    rememberRecentFile(path);
    return 1;
}

void MainWindow::showWrittenFile(const QString &path)
{
    QString text = tr("已保存 %1").arg(path);
    QFile file(path);
    SmfHeader header;
    if (file.open(QIODevice::ReadOnly) && SmfHeader::fromBytes(file.read(kSmfHeaderSize), &header)) {
        text = tr("已保存 %1:%2 层,%3 个图块,%4")
                   .arg(path)
                   .arg(header.levelCount)
                   .arg(header.tileCount)
                   .arg(QLocale().formattedDataSize(file.size()));
    }
    if (!fileSummary) {
        // Beside the position read-out, which a temporary message would hide.
        fileSummary = new QLabel(mainStatusBar);
        fileSummary->setObjectName(QStringLiteral("fileSummary"));
        mainStatusBar->addPermanentWidget(fileSummary);
    }
    fileSummary->setText(text);
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
    if (mayCloseProject() && askMapProperties(true)) {
        clearLayers();
        projectState = 1;
        project.changeFlags = 1;  // a new project counts as changed until saved
        selectLayerRow(-1);
        showFileInTitle(project.mapName + QStringLiteral(".smf"));
    }
    updateActions();
}

void MainWindow::startDefaultProject()
{
    clearLayers();
    readConfiguration();
    project.setProperties(project.cartographer, project.mapName, project.fillColour, kDefaultTileWidth,
                          kDefaultTileHeight);
    projectState = 1;
    project.changeFlags = 1;
    selectLayerRow(-1);
    showFileInTitle(project.mapName + QStringLiteral(".smf"));
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
        if (!path.isEmpty())
            readProjectFile(path);
    }
    updateActions();
}

bool MainWindow::openProjectFile(const QString &path)
{
    const bool opened = mayCloseProject() && readProjectFile(path);
    updateActions();
    return opened;
}

bool MainWindow::readProjectFile(const QString &path)
{
    clearLayers();
    const int result = openSmf(project, path);
    if (result == kSmfTooLarge && !browseMode) {
        // The window keeps its empty project, its state and its title.
        clearLayers();
        selectLayerRow(-1);
        if (message(tr("无法编辑像素超过10,000 x 10,000的SMF文件!这个SMF文件会以只读方式显示"),
                    QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes)
            openBrowseWindow(path);
        return false;
    }
    if (result != 0) {
        // Nothing of the file was taken; the emptied project is bound to no file.
        clearLayers();
        selectLayerRow(-1);
        reportUnreadableSmf(path, project.errorString());
        project.filePath.clear();
        if (projectState == 2) {
            projectState = 1;
            showFileInTitle(project.mapName + QStringLiteral(".smf"));
        }
        return false;
    }
    showLayersOf(path);
    showFileInTitle(project.filePath);
    rememberRecentFile(path);
    return true;
}

void MainWindow::addLayerFiles(const QStringList &paths)
{
    if (projectState <= 0 || paths.isEmpty())
        return;
    QStringList failures;
    const LayerRows before = layerRows();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (const QString &path : paths) {
        lastDirectory = folderOf(path);
        if (project.addImageLayer(path) != 0) {
            failures << tr("无法加载 %1").arg(QFileInfo(path).fileName()) + QLatin1Char('\n') + project.errorString();
            continue;
        }
        // Added, but not as the georeferenced raster it looks like: the core says why.
        if (!project.noticeString().isEmpty()) {
            failures << tr("%1 已作为未定标的图像加入").arg(QFileInfo(path).fileName()) + QLatin1Char('\n')
                    + project.noticeString();
        }
        appendLayerRow();
        selectLastLayerRow();
    }
    QApplication::restoreOverrideCursor();
    updateActions();
    // The files added together are undone together.
    if (project.layers.size() != before.layers.size())
        recordLayerChange(before, tr("增加图层"));
    if (!failures.isEmpty())
        message(failures.join(QStringLiteral("\n\n")));
}

void MainWindow::on_actionBrowseSmf_triggered()
{
    openBrowseWindow(QString());
}

void MainWindow::openBrowseWindow(const QString &path)
{
    // The file comes first: no window shows while the dialog is open.
    const QString file = path.isEmpty()
        ? dialogs.openFile(this, tr("打开文件"), QString(), QString::fromLatin1(kSmfFilter), QString())
        : path;
    if (file.isEmpty())
        return;
    auto *child = new MainWindow(languageFile, true);
    if (openSmf(child->project, file) != 0) {
        reportUnreadableSmf(file, child->project.errorString());
        delete child;
        return;
    }
    browseWindows.append(child);
    child->showLayersOf(file);
    child->showFileInTitle(file);
    child->showMaximized();
    rememberRecentFile(file);
}

void MainWindow::setUpBrowsing()
{
    mainMenuBar->hide();
    // The zoom commands stay, and the selectors that switch the position read-out of
    // the status bar. (A hidden action is disabled, shortcut included.)
    const QList<QAction *> zoom = {actionZoomIn, actionZoomOut, actionZoomToFit, actionZoomActualSize};
    for (QAction *action : mainToolBar->actions()) {
        const QWidget *shown = mainToolBar->widgetForAction(action);
        action->setVisible(shown == notationSelector || shown == datumSelector || zoom.contains(action));
    }
    for (QDockWidget *dock : {layerDock, calibrationDock})
        dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
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
    if (!askMapProperties(true))
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

    if (status == kSmfOk) {
        showWrittenFile(converter.outputPath());
        message(fileSummary->text());
    } else {
        message(tr("转换失败") + QLatin1Char('\n') + converter.errorString());
    }
}
