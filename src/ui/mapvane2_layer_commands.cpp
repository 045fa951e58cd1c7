// Layer commands of the main window: Add, Copy, Auto, Delete, the layer table's
// selection and the placing of calibration points from the canvas.

#include "ui/mapvane2.h"

void Mapvane2::on_actionAdd_triggered()
{
}

void Mapvane2::on_actionCopy_triggered()
{
}

void Mapvane2::on_atAuto_triggered()
{
}

void Mapvane2::on_actionDelete_triggered()
{
}

void Mapvane2::on_actionOptions_triggered()
{
}

void Mapvane2::doSelectionChanged()
{
}

int Mapvane2::placeTopLeftPoint(int x, int y)
{
    Q_UNUSED(x);
    Q_UNUSED(y);
    return 0;
}

int Mapvane2::placeBottomRightPoint(int x, int y)
{
    Q_UNUSED(x);
    Q_UNUSED(y);
    return 0;
}
