#include "ui/c_points_form.h"

CPointsForm::CPointsForm(QWidget *parent)
    : QWidget(parent)
{
    resize(238, 663);
}

void CPointsForm::showNotation(int index)
{
    Q_UNUSED(index);
}
