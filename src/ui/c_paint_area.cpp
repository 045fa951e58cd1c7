#include "ui/c_paint_area.h"

CPaintArea::CPaintArea(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
}

CPaintArea::~CPaintArea() = default;
