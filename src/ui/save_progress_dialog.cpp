#include "ui/save_progress_dialog.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <QPushButton>

#include <limits>

SaveProgressDialog::SaveProgressDialog(QWidget *parent)
{
    const QString label = QCoreApplication::translate("Mapvane2", "正在保存...");
    progress = new QProgressDialog(label, QCoreApplication::translate("Mapvane2", "取消"), 0, 0, parent, Qt::SplashScreen);
    progress->setWindowModality(Qt::WindowModal);
    progress->setWindowTitle(label);
    progress->setMinimumDuration(0);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    auto *cancel = new QPushButton(QCoreApplication::translate("Mapvane2", "取消"), progress);
    progress->setCancelButton(cancel);
    cancel->hide();
}

SaveProgressDialog::~SaveProgressDialog()
{
    delete progress;
}

void SaveProgressDialog::start(int maximum)
{
    constexpr int kFineSteps = 100;
    steps = maximum <= std::numeric_limits<int>::max() / kFineSteps ? kFineSteps : 1;
    progress->setRange(0, maximum * steps);
    progress->setValue(0);
    progress->show();
    QCoreApplication::processEvents();
}

void SaveProgressDialog::setValue(int value)
{
    progress->setValue(value * steps);
}

void SaveProgressDialog::setFineValue(double value)
{
    progress->setValue(qBound(0, int(value * steps), progress->maximum()));
}

void SaveProgressDialog::pumpEvents()
{
    QCoreApplication::processEvents();
}

bool SaveProgressDialog::cancelled() const
{
    return progress->wasCanceled();
}

void SaveProgressDialog::finish()
{
    progress->setValue(progress->maximum());
    progress->hide();
}
