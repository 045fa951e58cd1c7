#include "ui/about_dialog.h"

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
{
    setupUi(this);
    QString text = tr("关\n于");
    text.replace(QLatin1String("\\n"), QLatin1String("\n"));
    aboutText->setText(text);
}

AboutDialog::~AboutDialog() = default;

void AboutDialog::on_okButton_clicked()
{
    accept();
}
