#include "ui/about_dialog.h"

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
{
    setupUi(this);
    QString text = tr("关\n于");
    text.replace(QLatin1String("\\n"), QLatin1String("\n"));
    // The version mapvane-cli --version prints.
    aboutText->setText(text + QStringLiteral("\n\n") + tr("版本 %1").arg(QStringLiteral(MAPVANE_VERSION)));
}

AboutDialog::~AboutDialog() = default;

void AboutDialog::on_okButton_clicked()
{
    accept();
}
