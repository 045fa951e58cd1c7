#pragma once

#include <QImage>
#include <QPoint>
#include <QVector>
#include <QWidget>

#include "view/canvas_view.h"
#include "view/control_point_marker.h"
#include "view/reduced_copies.h"
#include "view/browse_view.h"

class QScrollBar;
struct MapLayer;

// The map canvas: shows an image at any zoom, scrolled with its scroll bars or by
// dragging with the left or middle button, zoomed with the wheel about the mouse; marks
// the two calibration points of its layer, which can be dragged to another pixel. It
// says what the user did by its signals (the pixel under the mouse, a point placed or
// dragged) and is told what to show; in a browse window it draws the SMF file's tiles
// instead of an image.
class MapCanvas : public QWidget
{
    Q_OBJECT
public:
    explicit MapCanvas(QWidget *parent = nullptr);
    ~MapCanvas() override;

    // Puts the canvas and its two scroll bars into a new frame widget (owned by parent)
    // and returns the frame. The bars show only while there is something to scroll.
    QWidget *createFrame(QWidget *parent);

    // Replaces the shown image and repaints; zoom and scroll stay, kept in range.
    void setImage(const QImage &newImage);
    const QImage &image() const { return m_image; }
    // Makes `newLayer` (not owned; nullptr for none) the layer whose points are
    // drawn. In a browse window it also reads the header of the layer's SMF file.
    void setLayer(MapLayer *newLayer);
    MapLayer *layer() const { return m_layer; }
    // Makes this the canvas of a browse window: it draws the tiles of the layer's SMF
    // file, files[layer->smfSource] (not owned; the bytes of its header, records and
    // index at least), and its markers cannot be dragged.
    void browse(const QVector<QByteArray> *files);
    // While placing, a click places a point (pointPlaced) and markers are not dragged.
    void setPlacing(bool placing);
    // No image, no layer, zoom 1:1, scroll 0, no reduced copies or shrunk tiles.
    void clearCanvas();
    // Marks the ground control points `marks` (numbered from 1 in their order) instead
    // of the two calibration points while `shown`: a click while placing reports the
    // exact position (controlPointPlaced), their marks are dragged, and a magnifier
    // follows the mouse while placing or dragging one.
    // With `polygon` the marks are the points of a border, joined in their order into
    // a closed polygon.
    void setControlPoints(bool shown, const QVector<ControlPointMark> &marks, bool polygon = false);
    bool controlPointsShown() const { return m_pointsShown; }
    // Scrolls so that image position `pixel` is in the middle of the canvas.
    void centreOn(QPointF pixel);
    // Scrolls so that calibration point 1 (top-left) or 2 (bottom-right) and its marker
    // are inside the canvas; other numbers change nothing. Always repaints.
    void ensurePointVisible(int point);

    // The zoom commands: a rung of the zoom ladder in or out about the middle of the
    // canvas, the whole image fitting the canvas, and 1:1 about the middle.
    void zoomIn();
    void zoomOut();
    void zoomToFit();
    void zoomActualSize();
    // Zoom (widget pixels per image pixel) and scroll as given, kept in range.
    void setView(double zoom, QPoint scroll);
    const CanvasView &view() const { return m_view; }
    // An image, or a browsed level, is shown.
    bool hasContent() const;
    // Memory held by the reduced copies of the image, bytes.
    qint64 reducedCopyBytes() const { return m_reducedCopies.bytes(); }

signals:
    // The zoom (widget pixels per image pixel) changed, or what is shown; 0 when
    // nothing is shown.
    void zoomChanged(double zoom);
    // The mouse is over image pixel `pixel` (which may lie outside the image).
    void pixelHovered(QPoint pixel);
    // A click while placing, on image pixel `pixel` (within 0 .. the image's width and
    // height).
    void pointPlaced(QPoint pixel);
    // The marker of calibration point 1 (top-left) or 2 (bottom-right) was dragged to
    // another image pixel.
    void pointDragged(int point, QPoint pixel);
    // While control points are shown: a click while placing, at the image position
    // under the mouse to a hundredth of a pixel (within the image); and the mark of
    // point `index` (from 0) dragged to another position.
    void controlPointPlaced(QPointF pixel);
    void controlPointDragged(int index, QPointF pixel);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // Takes the size of what is shown now, then viewChanged.
    void contentChanged();
    // Keeps the scroll in range, moves the scroll bars to it and repaints.
    void viewChanged();
    void zoomBy(int steps, QPoint anchor);
    void paintImage(QPainter &painter);
    // A focus frame while the canvas has the keyboard focus.
    void paintFocus(QPainter &painter);
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

    // Control points (see setControlPoints).
    QPointF exactPixelAt(QPoint p) const;
    QPointF withinImage(QPointF pixel) const;
    int controlPointAt(QPoint p) const;
    QPointF widgetPointOf(QPointF pixel) const;
    void paintControlPoints(QPainter &painter);
    void paintLoupe(QPainter &painter);

    QImage m_image;
    MapLayer *m_layer = nullptr;                    // not owned
    const QVector<QByteArray> *m_browseFiles = nullptr;  // a browse window's SMF files; not owned
    bool m_placing = false;
    CanvasView m_view;             // zoom and scroll position
    BrowseView m_browse;           // drawing state of a browse window
    ReducedCopies m_reducedCopies; // of the image, for drawing it zoomed out
    QScrollBar *m_horizontalBar = nullptr;
    QScrollBar *m_verticalBar = nullptr;
    bool m_framed = false;      // the bars stand beside the canvas
    bool m_panning = false;     // the left or middle button drags the view
    QPoint m_dragAnchor;        // mouse position at the last panning step, or where a marker was taken
    int m_draggedPoint = 0;     // 1 or 2 while its marker is dragged
    QPoint m_draggedPixel;      // image pixel the dragged marker is on now
    int m_wheelAngle = 0;       // wheel turn not yet used for zooming, eighths of a degree
    double m_reportedZoom = -1.0;  // last zoomChanged value
    bool m_pointsShown = false;
    QVector<ControlPointMark> m_marks;
    bool m_marksPolygon = false;  // the marks are a border's points
    int m_draggedMark = -1;      // the control point dragged, or -1
    QPointF m_draggedMarkPixel;  // where it is now
    QPoint m_mouse;              // the mouse over the canvas, widget pixels
    bool m_mouseInside = false;
};
