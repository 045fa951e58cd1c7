#include "ui/mapvane2.h"

Mapvane2::Mapvane2(QWidget *parent, Qt::WindowFlags flags)
    : QMainWindow(parent, flags)
{
}
