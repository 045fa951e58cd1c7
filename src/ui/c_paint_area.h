#pragma once

#include <QWidget>

class Mapvane2;

// The map canvas: shows the current layer's image at scale 1, scrolls by dragging,
// places calibration points and reports the position under the mouse.
class CPaintArea : public QWidget
{
public:
    explicit CPaintArea(QWidget *parent = nullptr);
    ~CPaintArea() override;

    Mapvane2 *window = nullptr;  // not owned
};
