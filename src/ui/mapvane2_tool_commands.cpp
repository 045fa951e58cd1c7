// Tool and help commands of the main window: properties, about, WFL conversion.

#include "ui/mapvane2.h"

void Mapvane2::on_actionProperty_triggered()
{
}

void Mapvane2::on_actionAbout_triggered()
{
}

void Mapvane2::on_actionWlf_smf_triggered()
{
}
