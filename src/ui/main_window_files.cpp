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

#include "project/layer_import.h"
#include "project/layer_mosaic.h"
#include "project/map_layer.h"
#include "raster/file_access.h"
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
    // Qt shows "*" in the place of "[*]" while the window is marked modified.
    setWindowTitle(m_baseTitle + QStringLiteral(" - ") + file + QStringLiteral("[*]"));
    showUnsavedChanges();
}

QString MainWindow::folderOf(const QString &path) const
{
    const int slash = int(path.lastIndexOf(QLatin1Char('/')));
    return slash < 0 ? path : path.left(slash);
}

bool MainWindow::saveProjectTo(const QString &path)
{
    if (m_projectState <= 0)
        return false;
    // Never over a file the layers are read from; the m_project's own file is the
    // ordinary Save, its bytes being held in memory.
    QStringList inputs = m_project.inputFiles();
    if (m_projectState == 2)
        inputs.removeIf([this](const QString &input) { return isSameFile(input, m_project.filePath); });
    const QString refusal = outputRefusal(path, inputs);
    if (!refusal.isEmpty()) {
        message(tr("保存失败") + QLatin1Char('\n') + refusal);
        return false;
    }
    const QString previousPath = m_project.filePath;
    m_project.filePath = path;
    SmfStatus result = SmfStatus::Ok;
    {
        SaveProgressDialog progress(this);
        result = saveSmf(m_project, &progress);
    }
    if (result != SmfStatus::Ok) {
        // A failed save leaves the window as it was: same file, same title, still
        // changed, and the previous file on disk untouched.
        m_project.filePath = previousPath;
        // The core names the layer by its index; the window names its row.
        const int failed = m_project.errorLayer;
        const QString where = failed >= 0 && failed < m_layerTable->rowCount()
            ? m_layerTable->item(failed, 0)->text() + QStringLiteral(": ")
            : QString();
        message(tr("保存失败") + QLatin1Char('\n') + where + m_project.errorString());
        return false;
    }
    m_projectState = 2;
    m_lastDirectory = folderOf(path);
    showFileInTitle(path);
    const QList<int> tooLarge = showWrittenFile(path);
    rememberRecentFile(path);
    if (!tooLarge.isEmpty()) {
        QStringList names;
        for (int level : tooLarge)
            names << (level < m_layerTable->rowCount() ? m_layerTable->item(level, 0)->text() : QString::number(level));
        message(tr("超过 10,000 x 10,000 像素,无法编辑:%1。这个文件将以只读方式在浏览窗口中打开。")
                    .arg(names.join(QStringLiteral(", "))));
    }
    return true;
}

QList<int> MainWindow::showWrittenFile(const QString &path)
{
    QString text = tr("已保存 %1").arg(path);
    QList<int> tooLarge;
    QFile file(path);
    SmfFileIndex index;
    QString error;
    if (file.open(QIODevice::ReadOnly) && readSmfStructure(file, &index, &error)) {
        text = tr("已保存 %1:%2,%3,%4")
                   .arg(path, tr("%n 层", nullptr, index.header.levelCount),
                        tr("%n 个图块", nullptr, index.header.tileCount), QLocale().formattedDataSize(file.size()));
        for (int level = 0; level < index.levels.size(); ++level) {
            const SmfLevelRecord &record = index.levels.at(level);
            if (!isEditableLevel(record.tileColumns, record.tileRows, index.header.tileWidth, index.header.tileHeight))
                tooLarge << level;
        }
    }
    if (!m_fileSummary) {
        // Beside the position read-out, which a temporary message would hide.
        m_fileSummary = new QLabel(mainStatusBar);
        m_fileSummary->setObjectName(QStringLiteral("fileSummary"));
        mainStatusBar->addPermanentWidget(m_fileSummary);
    }
    m_fileSummary->setText(text);
    return tooLarge;
}

MainWindow::LayerCheck MainWindow::checkLayers()
{
    // An SMF file of no levels is no map.
    if (m_project.layers.isEmpty()) {
        message(tr("项目中没有图层,无法保存"));
        return LayerCheck::FailedShown;
    }
    // A text in the form that the current layer does not hold comes first: the user is
    // at it, and showing another layer would refresh the form over it.
    const QLineEdit *typed = nullptr;
    CalibrationCheck fault = m_calibrationForm->firstUnstoredField(&typed);
    const bool typedNotStored = fault.fault != CalibrationFault::None;
    int failing = typedNotStored ? m_currentLayer : -1;
    bool unfitted = false;  // a layer calibrated by points that cannot be fitted
    for (int i = 0; i < m_project.layers.size() && !typedNotStored; ++i) {
        const MapLayer *layer = m_project.layers[i];
        const CalibrationCheck check = layer->checkCalibration();
        if (check.fault != CalibrationFault::None) {
            failing = i;
            fault = check;
            unfitted = layer->controlPoints.active && !layer->georeference;
        }
    }
    if (failing < 0)
        return LayerCheck::AllValid;
    const QTableWidgetItem *name = failing < m_layerTable->rowCount() ? m_layerTable->item(failing, 0) : nullptr;
    const QString layerName = name ? name->text() : QString::number(failing);
    message(tr("输入数据无效或不完整") + QLatin1Char('\n')
            + (unfitted ? tr("%1: 控制点未拟合", "layer name").arg(layerName)
                        : m_calibrationForm->faultText(layerName, fault, typedNotStored ? typed : nullptr)));
    if (typedNotStored)
        return LayerCheck::FailedShown;
    return selectLayerRow(failing) ? LayerCheck::FailedShown : LayerCheck::FailedNotShown;
}

QString MainWindow::savePath(bool saveAs)
{
    if (m_projectState == 2 && !saveAs)
        return m_project.filePath;
    return m_dialogs.saveFile(this, saveAs ? tr("另存为") : tr("保存文件"),
                            m_lastDirectory + QLatin1Char('/') + m_project.mapName + QStringLiteral(".smf"),
                            QString::fromLatin1(kSmfFilter));
}

bool MainWindow::hasUnsavedWork() const
{
    return m_projectState > 0 && m_project.changeFlags != 0 && !(m_project.layers.isEmpty() && m_undoStack->count() == 0);
}

void MainWindow::showUnsavedChanges()
{
    // Only a title that names a m_project has its place for the mark.
    if (windowTitle().contains(QLatin1String("[*]")))
        setWindowModified(!m_browseMode && hasUnsavedWork());
}

bool MainWindow::mayCloseProject()
{
    if (!hasUnsavedWork())
        return true;
    const int answer = message(tr("此操作将会关闭先前文件,是否保存?"),
                               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::No)
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
    return saveProjectTo(path);
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
    if (mayCloseProject() && askMapProperties(MapPropertiesDialog::Purpose::NewMap))
        startNewProject();
    updateActions();
}

void MainWindow::startDefaultProject()
{
    readConfiguration();
    m_project.setProperties(m_project.cartographer, m_project.mapName, m_project.fillColour, kDefaultTileWidth,
                          kDefaultTileHeight);
    startNewProject();
}

void MainWindow::startNewProject()
{
    clearLayers();
    m_project.filePath.clear();
    m_projectState = 1;
    m_project.changeFlags = 1;  // not saved yet; hasUnsavedWork tells an untouched one
    selectLayerRow(-1);
    clearStatusBar();
    showFileInTitle(m_project.mapName + QStringLiteral(".smf"));
    updateActions();
}

void MainWindow::on_actionSave_triggered()
{
    // A m_project bound to its file is written when changed; a new one is always asked for.
    const bool due = m_projectState == 1 || (m_projectState == 2 && m_project.changeFlags != 0);
    if (due && checkLayers() == LayerCheck::AllValid) {
        const QString path = savePath(false);
        if (!path.isEmpty())
            saveProjectTo(path);
    }
    updateActions();
}

void MainWindow::on_actionSaveAs_triggered()
{
    if (m_projectState > 0 && checkLayers() == LayerCheck::AllValid) {
        const QString path = savePath(true);
        if (!path.isEmpty())
            saveProjectTo(path);
    }
    updateActions();
}

void MainWindow::showLayersOf(const QString &path)
{
    m_projectState = 2;
    m_lastDirectory = folderOf(path);
    for (int i = 0; i < m_project.layers.size(); ++i)
        appendLayerRow();
    selectLayerRow(0);
}

void MainWindow::on_actionOpen_triggered()
{
    if (mayCloseProject()) {
        const QString path = m_dialogs.openFile(this, tr("打开文件"), m_lastDirectory, QString::fromLatin1(kSmfFilter),
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
    // The file is read aside: a file that cannot be opened for editing leaves the
    // window as it was (m_project, file, title, changes), so that nothing of it is lost
    // and a later Save writes where the title says.
    MapProject opened(m_project.physicalMB);
    opened.browseMode = m_browseMode;
    const SmfStatus result = openSmf(opened, path);
    if (result == SmfStatus::TooLarge && !m_browseMode) {
        if (message(tr("无法编辑像素超过10,000 x 10,000的SMF文件!这个SMF文件会以只读方式显示"),
                    QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes)
            openBrowseWindow(path);
        return false;
    }
    if (result != SmfStatus::Ok) {
        reportUnreadableSmf(path, opened.errorString());
        return false;
    }
    clearLayers();
    m_project.takeOpenedFile(opened);
    clearStatusBar();
    showLayersOf(path);
    showFileInTitle(m_project.filePath);
    rememberRecentFile(path);
    return true;
}

void MainWindow::addLayerFiles(const QStringList &paths)
{
    if (m_projectState <= 0 || paths.isEmpty())
        return;
    QStringList failures;
    const LayerRows before = layerRows();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (const QString &path : paths) {
        m_lastDirectory = folderOf(path);
        LayerImportOptions options;
        options.resampling = m_project.warpResampling;
        LayerImport import = importLayer(path, options);
        // A sheet merged with others shows the map face its OziExplorer file marks.
        if (import.kind == LayerKind::OziExplorer && !import.refused())
            import.layer.border = oziBorderFace(import.ozi, import.layer);
        if (import.refused() || !m_project.addImportedLayer(import)) {
            failures << tr("无法加载 %1").arg(QFileInfo(path).fileName()) + QLatin1Char('\n') + import.reason;
            continue;
        }
        // Added, but not as the georeferenced raster it looks like: the core says why.
        if (import.status == LayerImportStatus::Uncalibrated && !import.reason.isEmpty()) {
            failures << tr("%1 已作为未定标的图像加入").arg(QFileInfo(path).fileName()) + QLatin1Char('\n')
                    + import.reason;
        }
        appendLayerRow();
        selectLastLayerRow();
    }
    QApplication::restoreOverrideCursor();
    updateActions();
    // The files added together are undone together.
    if (m_project.layers.size() != before.layers.size())
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
        ? m_dialogs.openFile(this, tr("浏览SMF文件"), QString(), QString::fromLatin1(kSmfFilter), QString())
        : path;
    if (file.isEmpty())
        return;
    auto *child = new MainWindow(m_languageFile, true);
    if (openSmf(child->m_project, file) != SmfStatus::Ok) {
        reportUnreadableSmf(file, child->m_project.errorString());
        delete child;
        return;
    }
    m_browseWindows.append(child);
    child->showLayersOf(file);
    child->showFileInTitle(file);
    child->showMaximized();
    rememberRecentFile(file);
}

void MainWindow::setUpBrowsing()
{
    mainMenuBar->hide();
    m_layerTable->setContextMenuPolicy(Qt::NoContextMenu);
    // The zoom commands stay, and the selectors that switch the position read-out of
    // the status bar. (A hidden action is disabled, shortcut included.)
    const QList<QAction *> zoom = {actionZoomIn, actionZoomOut, actionZoomToFit, actionZoomActualSize};
    for (QAction *action : mainToolBar->actions()) {
        const QWidget *shown = mainToolBar->widgetForAction(action);
        action->setVisible(shown == m_notationSelector || shown == m_datumSelector || zoom.contains(action));
    }
    for (QDockWidget *dock : {m_layerDock, m_calibrationDock})
        dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    // A file's levels are not calibrated again.
    m_pointsDock->hide();
    m_pointsDock->toggleViewAction()->setVisible(false);
}

void MainWindow::on_actionConvertWfl_triggered()
{
    const QString folder = m_dialogs.folder(this, tr("选择WFL文件夹"), QDir::currentPath());
    if (folder.isEmpty())
        return;
    // The standard dialog confirms replacing a file; the converter itself refuses the
    // folder's own files, and the open m_project's files are kept here.
    const QString output =
        m_dialogs.saveFile(this, tr("保存SMF文件"), defaultWflOutputPath(folder), QString::fromLatin1(kSmfFilter));
    if (output.isEmpty())
        return;
    QStringList inputs = m_project.inputFiles();
    if (m_projectState == 2)
        inputs << m_project.filePath;
    const QString refusal = outputRefusal(output, inputs);
    if (!refusal.isEmpty()) {
        message(tr("转换失败") + QLatin1Char('\n') + refusal);
        return;
    }
    // The file's own properties; the m_project keeps its.
    MapPropertiesDialog dialog(this);
    dialog.setPurpose(MapPropertiesDialog::Purpose::ConvertedMap);
    dialog.setProperties(m_project.cartographer, m_project.mapName, m_project.fillColour);
    if (dialog.exec() != QDialog::Accepted)
        return;

    WflConverter converter(folder, output);
    SmfStatus status = SmfStatus::Ok;
    {
        SaveProgressDialog progress(this);
        status = converter.convert(dialog.cartographerEdit->text(), dialog.mapNameEdit->text(), dialog.fillColour(),
                                   &progress);
    }
    if (status == SmfStatus::Ok) {
        showWrittenFile(converter.outputPath());
        message(m_fileSummary->text());
    } else {
        message(tr("转换失败") + QLatin1Char('\n') + converter.errorString());
    }
}
