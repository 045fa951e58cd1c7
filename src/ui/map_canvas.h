#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include "view/canvas_view.h"
#include "view/reduced_copies.h"
#include "view/browse_view.h"

class MainWindow;
class QScrollBar;
struct MapLayer;

// The map canvas: shows the current layer's image at any zoom, scrolled with its scroll
// bars or by dragging with the left or middle button, zoomed with the wheel about the
// mouse; marks the two calibration points, which can be dragged to another pixel;
// places them while a placing mode is on; and reports the position under the mouse in
// the window's status bar. In a browse window it draws the SMF file's tiles instead.
class MapCanvas : public QWidget
{
    Q_OBJECT
public:
    // `window` (not owned) is the window whose layer, selectors, zoom actions and status
    // bar the canvas uses.
    explicit MapCanvas(MainWindow *window);
    ~MapCanvas() override;

    // Puts the canvas and its two scroll bars into a new frame widget (owned by parent)
    // and returns the frame. The bars show only while there is something to scroll.
    QWidget *createFrame(QWidget *parent);

    // Replaces the shown image and repaints; zoom and scroll stay, kept in range.
    void setImage(const QImage &newImage);
    // Makes `newLayer` (not owned; nullptr for none) the layer whose points are
    // drawn and whose calibration converts the mouse position. In a browse window
    // it also reads the header of the layer's SMF file.
    void setLayer(MapLayer *newLayer);
    // No image, no layer, zoom 1:1, scroll 0, no reduced copies or shrunk tiles.
    void clearCanvas();
    // Scrolls so that calibration point 1 (top-left) or 2 (bottom-right) and its marker
    // are inside the canvas; other numbers change nothing. Always repaints.
    void ensurePointVisible(int point);

    // The zoom commands: a rung of the zoom ladder in or out about the middle of the
    // canvas, the whole image fitting the canvas, and 1:1 about the middle.
    void zoomIn();
    void zoomOut();
    void zoomToFit();
    void zoomActualSize();
    // An image, or a browsed level, is shown.
    bool hasContent() const;

    QImage image;
    MapLayer *layer = nullptr;   // not owned
    MainWindow *const window;
    CanvasView view;             // zoom and scroll position
    BrowseView browse;           // drawing state of a browse window
    ReducedCopies reducedCopies; // of image, for drawing it zoomed out

signals:
    // The zoom (widget pixels per image pixel) changed, or what is shown; 0 when
    // nothing is shown.
    void zoomChanged(double zoom);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // Takes the size of what is shown now, then viewChanged, and enables the window's
    // zoom actions when there is something to show.
    void contentChanged();
    // Keeps the scroll in range, moves the scroll bars to it and repaints.
    void viewChanged();
    void zoomBy(int steps, QPoint anchor);
    void paintImage(QPainter &painter);
    // A focus frame while the canvas has the keyboard focus.
    void paintFocus(QPainter &painter);
    void showPosition(QPoint widgetPixel);
    // The image pixel that a click at widget pixel p places a point on: the one under
    // it, kept within 0 .. image width and 0 .. image height.
    QPoint placedPixelAt(QPoint p) const;
    // The pixel kept within 0 .. image width and 0 .. image height.
    QPoint withinImage(QPoint pixel) const;
    // Where the dragged marker goes with the mouse at widget pixel p.
    QPoint draggedTo(QPoint p) const;
    // Image pixel of calibration point 1 or 2 of the layer.
    QPoint pointPixel(int point) const;
    // The point (1 or 2) whose marker is under widget pixel p and may be dragged, or 0.
    int markerAt(QPoint p) const;

    QScrollBar *horizontalBar = nullptr;
    QScrollBar *verticalBar = nullptr;
    bool framed = false;      // the bars stand beside the canvas
    bool panning = false;     // the left or middle button drags the view
    QPoint dragAnchor;        // mouse position at the last panning step, or where a marker was taken
    int draggedPoint = 0;     // 1 or 2 while its marker is dragged
    QPoint draggedPixel;      // image pixel the dragged marker is on now
    int wheelAngle = 0;       // wheel turn not yet used for zooming, eighths of a degree
    double reportedZoom = -1.0;  // last zoomChanged value
};
