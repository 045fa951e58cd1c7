#include "ui/c_about.h"

CAbout::CAbout(QWidget *parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setupUi(this);
    QString text = tr("关\n于");
    text.replace(QLatin1String("\\n"), QLatin1String("\n"));
    label->setText(text);
}

CAbout::~CAbout() = default;

void CAbout::on_pushButton_clicked()
{
    accept();
}
