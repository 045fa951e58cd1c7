#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include "smf/browse_view.h"

class MainWindow;
struct MapLayer;

// The map canvas: shows the current layer's image pixel for pixel, scrolls by
// dragging with the left button, marks the two calibration points, places them
// while a placing mode is on, and reports the position under the mouse in the
// window's status bar. In a browse window it draws the SMF file's tiles instead.
class MapCanvas : public QWidget
{
public:
    // `window` (not owned) is the window whose layer, selectors and status bar the
    // canvas uses.
    explicit MapCanvas(MainWindow *window);
    ~MapCanvas() override;

    // Replaces the shown image and repaints.
    void setImage(const QImage &newImage);
    // Makes `newLayer` (not owned; nullptr for none) the layer whose points are
    // drawn and whose calibration converts the mouse position. In a browse window
    // it also reads the header of the layer's SMF file.
    void setLayer(MapLayer *newLayer);
    // No image, no layer, scroll offsets 0.
    void clearCanvas();
    // Scrolls so that calibration point 1 (top-left) or 2 (bottom-right) is inside
    // the canvas; other numbers change nothing. Always repaints.
    void ensurePointVisible(int point);

    QImage image;
    MapLayer *layer = nullptr;   // not owned
    MainWindow *const window;
    QPoint dragAnchor;
    int scrollX = 0;  // image pixel at the canvas's left edge
    int scrollY = 0;  // image pixel at the canvas's top edge
    BrowseView browse;  // drawing state of a browse window

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void showPosition(int x, int y);
};
