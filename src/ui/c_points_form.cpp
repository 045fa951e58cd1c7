#include "ui/c_points_form.h"

#include <QFrame>
#include <QVBoxLayout>

CPointsForm::CPointsForm(QWidget *parent)
    : QWidget(parent)
{
    resize(238, 663);
    frmMain = new QFrame(this);
    frmMain->setObjectName(QStringLiteral("frmMain"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frmMain);
    frmMain->setEnabled(false);
}

void CPointsForm::showNotation(int index)
{
    Q_UNUSED(index);
    refreshFromLayer();
}

void CPointsForm::refreshFromLayer()
{
}

void CPointsForm::updateValidators()
{
}
