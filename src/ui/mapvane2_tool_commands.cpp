// Tool and help commands of the main window: properties, about, WFL conversion.

#include <QDir>

#include "smf/wfl_conversion.h"
#include "ui/about_dialog.h"
#include "ui/map_properties_dialog.h"
#include "ui/mapvane2.h"
#include "ui/save_progress_dialog.h"

void Mapvane2::on_actionProperty_triggered()
{
    if (projectState <= 0)
        return;
    MapPropertiesDialog dialog(this);
    dialog.cartographerEdit->setText(project.cartographer);
    dialog.mapNameEdit->setText(project.mapName);
    dialog.setFillColour(project.fillColour);
    if (dialog.exec() == QDialog::Accepted) {
        // Every accepted dialog also sets the file's tile size.
        project.setProperties(dialog.cartographerEdit->text(), dialog.mapNameEdit->text(), dialog.fillColour(), 300,
                              500);
    }
}

void Mapvane2::on_actionAbout_triggered()
{
    AboutDialog dialog(this);
    dialog.exec();
}

void Mapvane2::on_actionWlf_smf_triggered()
{
    const QString folder = dialogs.folder(this, tr("打开文件"), QDir::currentPath());
    if (folder.isEmpty())
        return;
    MapPropertiesDialog dialog(this);
    dialog.cartographerEdit->setText(project.cartographer);
    dialog.mapNameEdit->setText(project.mapName);
    dialog.setFillColour(project.fillColour);
    const QString keptCartographer = project.cartographer;
    const QString keptMapName = project.mapName;
    const QColor keptFill = project.fillColour;
    const quint8 keptFlags = project.changeFlags;
    if (dialog.exec() != QDialog::Accepted)
        return;

    project.setProperties(dialog.cartographerEdit->text(), dialog.mapNameEdit->text(), dialog.fillColour(), 300, 500);
    projectState = 1;
    project.changeFlags = 1;
    WflConversionResult result;
    {
        SaveProgressDialog progress(this);
        result = convertWfl(folder, project.cartographer, project.mapName, project.fillColour, QString(), &progress);
    }
    // The conversion does not touch the project: its own properties come back.
    project.cartographer = keptCartographer;
    project.mapName = keptMapName;
    project.fillColour = keptFill;
    project.changeFlags = keptFlags;
    updateActions();

    if (result.status == 0)
        message(result.outputPath);
    else
        message(tr("转换失败") + QLatin1Char('\n') + result.errorText);
}
