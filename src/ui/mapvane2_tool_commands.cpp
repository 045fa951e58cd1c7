// Tool and help commands of the main window: properties, about, WFL conversion.

#include "ui/c_about.h"
#include "ui/c_property.h"
#include "ui/mapvane2.h"

void Mapvane2::on_actionProperty_triggered()
{
    if (projectState <= 0)
        return;
    CProperty dialog(this);
    dialog.lineEdit->setText(project.cartographer);
    dialog.lineEdit_2->setText(project.mapName);
    dialog.setSwatchColour(project.fillColour);
    if (dialog.exec() == QDialog::Accepted) {
        // Every accepted dialog also sets the file's tile size.
        project.setProperties(dialog.lineEdit->text(), dialog.lineEdit_2->text(), dialog.swatchColour(), 300,
                              500);
    }
}

void Mapvane2::on_actionAbout_triggered()
{
    CAbout dialog(this);
    dialog.exec();
}

void Mapvane2::on_actionWlf_smf_triggered()
{
}
