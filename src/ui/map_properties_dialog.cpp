#include "ui/map_properties_dialog.h"

#include <QColorDialog>
#include <QMessageBox>

#include "settings/config_file.h"
#include "smf/smf_format.h"

MapPropertiesDialog::MapPropertiesDialog(QWidget *parent)
    : QDialog(parent)
{
    setupUi(this);
    setFillColour(QColor(122, 122, 122, 255));
    // The first field, not the default button, takes the first keystroke.
    cartographerEdit->setFocus();
    for (QLineEdit *field : {cartographerEdit, mapNameEdit})
        connect(field, &QLineEdit::textChanged, this, &MapPropertiesDialog::showLengthWarning);
    showLengthWarning();
}

void MapPropertiesDialog::showLengthWarning()
{
    // The file keeps 32 UTF-16 code units of each text.
    QStringList warnings;
    const std::pair<const QLineEdit *, QString> fields[] = {{cartographerEdit, tr("制图人")},
                                                            {mapNameEdit, tr("地图名")}};
    for (const auto &[field, name] : fields) {
        if (field->text().size() > kSmfTextFieldUnits) {
            warnings << tr("%1超过 %2 个字符(%3 个),文件只保存前 %2 个")
                            .arg(name)
                            .arg(kSmfTextFieldUnits)
                            .arg(field->text().size());
        }
    }
    lengthWarning->setText(warnings.join(QLatin1Char('\n')));
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
