#include "ui/c_property.h"

#include <QColorDialog>
#include <QMessageBox>

#include "settings/config_file.h"

CProperty::CProperty(QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setupUi(this);
    setSwatchColour(QColor(122, 122, 122, 255));
}

CProperty::~CProperty() = default;

QColor CProperty::swatchColour() const
{
    return lineEdit_3->palette().color(QPalette::Base);
}

void CProperty::setSwatchColour(const QColor &colour)
{
    QPalette palette = lineEdit_3->palette();
    palette.setBrush(QPalette::All, QPalette::Base, QBrush(colour, Qt::SolidPattern));
    lineEdit_3->setPalette(palette);
}

void CProperty::on_toolButton_clicked()
{
    const QColor chosen = QColorDialog::getColor(swatchColour(), this);
    if (chosen.isValid())
        setSwatchColour(chosen);
}

void CProperty::on_cancelButton_clicked()
{
    reject();
}

void CProperty::on_okButton_clicked()
{
    for (QLineEdit *field : {lineEdit, lineEdit_2}) {
        if (field->text().isEmpty()) {
            QMessageBox::information(this, tr("提示"), tr("请输入"), QMessageBox::Ok);
            field->setFocus();
            return;
        }
    }
    const QColor colour = swatchColour();
    writeConfigFile(lineEdit->text(), lineEdit_2->text(), colour);
    accept();
}
