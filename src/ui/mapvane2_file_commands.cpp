// Project file commands of the main window: New, Open, Save, Save As, Browse,
// closing, and binding the project to a file.

#include <QCloseEvent>
#include <QMessageBox>

#include "ui/mapvane2.h"
#include "ui/save_progress_dialog.h"

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
        // A failed save leaves the window as it was: same file, same title, still changed.
        project.filePath = previousPath;
        QMessageBox::information(this, tr("提示"), tr("保存失败") + QLatin1Char('\n') + project.errorString(),
                                 QMessageBox::Ok);
        return -1;
    }
    projectState = 2;
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    lastDirectory = slash < 0 ? path : path.left(slash);
    setWindowTitle(baseTitle + QStringLiteral(" - ") + path);
    return 1;
}

void Mapvane2::closeEvent(QCloseEvent *event)
{
    event->accept();
}

void Mapvane2::on_actionNew_triggered()
{
}

void Mapvane2::on_actionOpen_triggered()
{
}

void Mapvane2::on_actionSave_triggered()
{
}

void Mapvane2::on_actionSaveAs_triggered()
{
}

void Mapvane2::on_action_smf_triggered()
{
}
