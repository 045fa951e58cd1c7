#include "ui/map_properties_dialog.h"

#include <QColorDialog>
#include <QMessageBox>

#include "settings/config_file.h"

MapPropertiesDialog::MapPropertiesDialog(QWidget *parent)
    : QDialog(parent)
{
    setupUi(this);
    setFillColour(QColor(122, 122, 122, 255));
    // The first field, not the default button, takes the first keystroke.
    cartographerEdit->setFocus();
}

MapPropertiesDialog::~MapPropertiesDialog() = default;

QColor MapPropertiesDialog::fillColour() const
{
    return fillColourSwatch->palette().color(QPalette::Base);
}

void MapPropertiesDialog::setFillColour(const QColor &colour)
{
    QPalette palette = fillColourSwatch->palette();
    palette.setBrush(QPalette::All, QPalette::Base, QBrush(colour, Qt::SolidPattern));
    fillColourSwatch->setPalette(palette);
}

void MapPropertiesDialog::setPurpose(Purpose purpose)
{
    if (purpose == Purpose::NewMap)
        setWindowTitle(tr("新建地图"));
    else if (purpose == Purpose::ConvertedMap)
        setWindowTitle(tr("WFL到SMF:地图属性"));
}

void MapPropertiesDialog::setProperties(const QString &cartographer, const QString &mapName, const QColor &fill)
{
    cartographerEdit->setText(cartographer);
    mapNameEdit->setText(mapName);
    setFillColour(fill);
}

void MapPropertiesDialog::on_chooseColourButton_clicked()
{
    const QColor chosen = QColorDialog::getColor(fillColour(), this);
    if (chosen.isValid())
        setFillColour(chosen);
}

void MapPropertiesDialog::on_cancelButton_clicked()
{
    reject();
}

void MapPropertiesDialog::on_okButton_clicked()
{
    for (QLineEdit *field : {cartographerEdit, mapNameEdit}) {
        if (field->text().isEmpty()) {
            QMessageBox::information(this, tr("提示"), tr("请输入"), QMessageBox::Ok);
            field->setFocus();
            return;
        }
    }
    writeConfigFile(cartographerEdit->text(), mapNameEdit->text(), fillColour());
    accept();
}
