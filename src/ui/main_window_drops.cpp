// Files that come to the main window from outside: dropped on it, or named on the
// command line of the program.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "ui/file_types.h"
#include "ui/main_window.h"

namespace {

// The local SMF, image and .map files among the dragged URLs.
QStringList droppedFiles(const QMimeData *data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl &url : data->urls()) {
        const QString path = url.toLocalFile();
        if (!path.isEmpty() && (isSmfPath(path) || isLayerFilePath(path)))
            files << path;
    }
    return files;
}

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QStringList files = droppedFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    // Questions and messages come once the drop has ended, so that the program the
    // files came from is not kept waiting.
    QTimer::singleShot(0, this, [this, files] { openFiles(files); });
}

void MainWindow::openFiles(const QStringList &paths)
{
    QStringList smfFiles;
    QStringList layerFiles;
    for (const QString &path : paths) {
        const QString file = QFileInfo(path).absoluteFilePath();
        (isSmfPath(file) ? smfFiles : layerFiles) << file;
    }
    if (!smfFiles.isEmpty()) {
        // One m_project is edited at a time; the other files are shown read-only.
        if (!openProjectFile(smfFiles.takeFirst()))
            return;
        for (const QString &file : std::as_const(smfFiles))
            openBrowseWindow(file);
    }
    if (layerFiles.isEmpty())
        return;
    if (m_projectState <= 0)
        startDefaultProject();
    addLayerFiles(layerFiles);
}
