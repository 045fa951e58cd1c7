// View toggles and the two point placing modes of the main window.

#include <QDockWidget>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>

#include "ui/mapvane2.h"

void Mapvane2::toggleVisible(QWidget *widget)
{
    // The action's own check mark is not consulted: the widget's state decides.
    widget->setVisible(widget->isHidden());
}

void Mapvane2::on_actionPoints_On_Off_triggered()
{
    toggleVisible(pointsDock);
}

void Mapvane2::on_actionLayer_On_Off_triggered()
{
    toggleVisible(layerDock);
}

void Mapvane2::on_actionStatus_On_Off_triggered()
{
    toggleVisible(statusBar1);
}

void Mapvane2::on_actionTool_On_Off_triggered()
{
    toggleVisible(mainToolBar);
}

void Mapvane2::enterPlacingMode(QAction *first, QAction *other)
{
    if (layerTable->rowCount() == 0) {
        first->setChecked(false);
        return;
    }
    setCursor(Qt::CrossCursor);
    first->setChecked(true);
    other->setChecked(false);
}

void Mapvane2::on_actionAddPoint1_triggered()
{
    enterPlacingMode(actionAddPoint1, actionAddPoint2);
}

void Mapvane2::on_actionAddPoint2_triggered()
{
    enterPlacingMode(actionAddPoint2, actionAddPoint1);
}
