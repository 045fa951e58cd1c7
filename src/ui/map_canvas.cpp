#include "ui/map_canvas.h"

#include <QGridLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "project/map_layer.h"
#include "view/calibration_marker.h"

namespace {

constexpr int kMarkerRadius = 10;  // widget pixels, as drawCalibrationMarker draws it
constexpr int kWheelStep = 120;    // one notch of a common wheel, eighths of a degree

}  // namespace

MapCanvas::MapCanvas(QWidget *parent)
    : QWidget(parent)
{
    m_image = QImage(0, 0, QImage::Format_RGB555);
    setMouseTracking(true);
    m_horizontalBar = new QScrollBar(Qt::Horizontal, this);
    m_verticalBar = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar *bar : {m_horizontalBar, m_verticalBar}) {
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this, [this](int) {
            m_view.scroll = QPoint(m_horizontalBar->value(), m_verticalBar->value());
            viewChanged();
        });
    }
    contentChanged();
}

MapCanvas::~MapCanvas() = default;

QWidget *MapCanvas::createFrame(QWidget *parent)
{
    auto *frame = new QWidget(parent);
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    grid->addWidget(this, 0, 0);
    grid->addWidget(m_verticalBar, 0, 1);
    grid->addWidget(m_horizontalBar, 1, 0);
    m_framed = true;
    viewChanged();
    return frame;
}

void MapCanvas::browse(const QVector<QByteArray> *files)
{
    m_browseFiles = files;
    contentChanged();
}

void MapCanvas::setPlacing(bool placing)
{
    m_placing = placing;
}

void MapCanvas::setView(double zoom, QPoint scroll)
{
    m_view.zoom = zoom;
    m_view.scroll = scroll;
    viewChanged();
}

void MapCanvas::setImage(const QImage &newImage)
{
    m_image = newImage;
    contentChanged();
}

void MapCanvas::setLayer(MapLayer *newLayer)
{
    m_layer = newLayer;
    m_draggedPoint = 0;
    if (m_layer && m_browseFiles)
        prepareBrowseLayer(m_browse, *m_layer);
    contentChanged();
}

void MapCanvas::clearCanvas()
{
    m_image = QImage();
    m_layer = nullptr;
    m_draggedPoint = 0;
    m_panning = false;
    m_view.zoom = 1.0;
    m_view.scroll = QPoint(0, 0);
    m_reducedCopies.clear();
    m_browse.reducedTiles->clear();
    contentChanged();
}

bool MapCanvas::hasContent() const
{
    return !m_view.imageSize.isEmpty();
}

void MapCanvas::contentChanged()
{
    if (!m_browseFiles) {
        m_view.imageSize = m_image.size();
    } else if (m_layer && m_layer->smfSource < m_browseFiles->size()) {
        m_view.imageSize = browseLevelSize(m_browse, *m_layer, m_browseFiles->at(m_layer->smfSource));
    } else {
        m_view.imageSize = QSize();
    }
    m_view.viewSize = size();
    m_view.zoom = qBound(m_view.minimumZoom(), m_view.zoom, m_view.maximumZoom());
    viewChanged();
}

void MapCanvas::viewChanged()
{
    const double zoom = hasContent() ? m_view.zoom : 0.0;
    if (zoom != m_reportedZoom) {
        m_reportedZoom = zoom;
        emit zoomChanged(zoom);
    }
    m_view.clampScroll();
    const QRect range = m_view.scrollRange();
    const int lows[2] = {range.left(), range.top()};
    const int highs[2] = {range.right(), range.bottom()};
    const int values[2] = {m_view.scroll.x(), m_view.scroll.y()};
    const int pages[2] = {width(), height()};
    QScrollBar *bars[2] = {m_horizontalBar, m_verticalBar};
    for (int i = 0; i < 2; ++i) {
        const QSignalBlocker blocker(bars[i]);
        bars[i]->setRange(lows[i], highs[i]);
        bars[i]->setPageStep(qMax(1, pages[i]));
        bars[i]->setSingleStep(qMax(1, pages[i] / 20));
        bars[i]->setValue(values[i]);
        if (m_framed)
            bars[i]->setVisible(lows[i] < highs[i]);
    }
    update();
}

void MapCanvas::resizeEvent(QResizeEvent *)
{
    m_view.viewSize = size();
    viewChanged();
}

void MapCanvas::zoomBy(int steps, QPoint anchor)
{
    if (!hasContent())
        return;
    m_view.zoomAbout(zoomStep(m_view.zoom, steps), anchor);
    viewChanged();
}

void MapCanvas::zoomIn()
{
    zoomBy(1, rect().center());
}

void MapCanvas::zoomOut()
{
    zoomBy(-1, rect().center());
}

void MapCanvas::zoomToFit()
{
    m_view.fitToView();
    viewChanged();
}

void MapCanvas::zoomActualSize()
{
    if (!hasContent())
        return;
    m_view.zoomAbout(1.0, rect().center());
    viewChanged();
}

void MapCanvas::ensurePointVisible(int point)
{
    if (m_layer && (point == 1 || point == 2)) {
        // A marker nearer the edge than its radius is centred.
        const QPoint at = m_view.widgetPixelOf(pointPixel(point));
        if (at.x() < kMarkerRadius || at.x() >= width() - kMarkerRadius)
            m_view.scroll.rx() += at.x() - width() / 2;
        if (at.y() < kMarkerRadius || at.y() >= height() - kMarkerRadius)
            m_view.scroll.ry() += at.y() - height() / 2;
    }
    viewChanged();
}

void MapCanvas::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (m_browseFiles) {
        const QVector<QByteArray> &files = *m_browseFiles;
        const bool known = m_layer && m_layer->smfSource < files.size();
        // A view left incomplete gets its next tiles in another paint, once pending
        // events have run.
        if (!paintBrowseView(painter, m_browse, known ? m_layer : nullptr,
                             known ? files.at(m_layer->smfSource) : QByteArray(), m_view))
            QTimer::singleShot(0, this, qOverload<>(&QWidget::update));
        paintFocus(painter);
        return;
    }
    painter.fillRect(event->rect(), palette().window());
    if (!m_image.isNull())
        paintImage(painter);
    if (m_pointsShown) {
        paintControlPoints(painter);
    } else if (m_layer) {
        painter.setPen(Qt::red);
        for (int point : {1, 2}) {
            const QPoint at = m_view.widgetPixelOf(point == m_draggedPoint ? m_draggedPixel : pointPixel(point));
            drawCalibrationMarker(painter, at.x(), at.y(), point == 1 ? QStringLiteral("P1") : QStringLiteral("P2"));
        }
    }
    paintFocus(painter);
}

void MapCanvas::paintFocus(QPainter &painter)
{
    // The map reached with Tab says so, as other widgets do.
    if (!hasFocus())
        return;
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(1, 1, -1, -1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

void MapCanvas::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void MapCanvas::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

void MapCanvas::paintImage(QPainter &painter)
{
    // Only the visible part is drawn: zoomed out from the nearest finer reduced copy,
    // smoothed; from 1:1 up from the image, each pixel a sharp square.
    const QRectF visible = m_view.visibleImageRect() & QRectF(QPointF(0, 0), QSizeF(m_image.size()));
    if (visible.isEmpty())
        return;
    const int reduction = m_view.reduction();
    const QImage source = m_reducedCopies.copy(m_image, reduction);
    if (source.isNull())
        return;
    const double block = std::ldexp(1.0, reduction);  // image pixels per source pixel
    const QRect part = QRect(QPoint(int(std::floor(visible.left() / block)), int(std::floor(visible.top() / block))),
                             QPoint(int(std::ceil(visible.right() / block)) - 1,
                                    int(std::ceil(visible.bottom() / block)) - 1))
        & source.rect();
    const double scale = block * m_view.zoom;
    const QRectF target(part.left() * scale - m_view.scroll.x(), part.top() * scale - m_view.scroll.y(),
                        part.width() * scale, part.height() * scale);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, m_view.zoom < 1.0);
    painter.drawImage(target, source, QRectF(part));
}

void MapCanvas::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    if (m_placing && m_pointsShown) {
        emit controlPointPlaced(exactPixelAt(p));
        update();
    } else if (m_placing) {
        emit pointPlaced(placedPixelAt(p));
        update();
    } else if (m_pointsShown && event->button() == Qt::LeftButton && (m_draggedMark = controlPointAt(p)) >= 0) {
        m_draggedMarkPixel = m_marks.at(m_draggedMark).pixel;
        m_dragAnchor = p;
        setCursor(Qt::ClosedHandCursor);
        update();
    } else if (event->button() == Qt::LeftButton && (m_draggedPoint = markerAt(p)) != 0) {
        m_draggedPixel = pointPixel(m_draggedPoint);
        m_dragAnchor = p;
        setCursor(Qt::ClosedHandCursor);
    } else if (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton) {
        m_dragAnchor = p;
        m_panning = true;
    }
}

void MapCanvas::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    m_mouse = p;
    m_mouseInside = true;
    if (m_draggedMark >= 0) {
        m_draggedMarkPixel = withinImage(m_marks.at(m_draggedMark).pixel + QPointF(p - m_dragAnchor) / m_view.zoom);
        emit pixelHovered(m_view.pixelAt(p));
        update();
        return;
    }
    if (m_placing && m_pointsShown)
        update();  // the magnifier follows the mouse
    if (m_draggedPoint != 0) {
        m_draggedPixel = draggedTo(p);
        emit pixelHovered(m_view.pixelAt(p));
        update();
        return;
    }
    if (m_panning && (event->buttons() & (Qt::LeftButton | Qt::MiddleButton))) {
        m_view.scroll += m_dragAnchor - p;
        m_dragAnchor = p;
        viewChanged();
        return;
    }
    emit pixelHovered(m_view.pixelAt(p));
    if (markerAt(p) != 0 || controlPointAt(p) >= 0)
        setCursor(Qt::OpenHandCursor);
    else
        unsetCursor();
}

void MapCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_draggedMark >= 0) {
        const int index = m_draggedMark;
        const QPointF pixel = m_draggedMarkPixel;
        m_draggedMark = -1;
        unsetCursor();
        if (index < m_marks.size() && pixel != m_marks.at(index).pixel)
            emit controlPointDragged(index, pixel);
        update();
    }
    if (event->button() == Qt::LeftButton && m_draggedPoint != 0) {
        const int point = m_draggedPoint;
        const QPoint pixel = draggedTo(event->position().toPoint());
        m_draggedPoint = 0;
        unsetCursor();
        if (m_layer && pixel != pointPixel(point))
            emit pointDragged(point, pixel);
        update();
    }
    if (!(event->buttons() & (Qt::LeftButton | Qt::MiddleButton)))
        m_panning = false;
}

void MapCanvas::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    m_mouseInside = false;
    if (m_placing && m_pointsShown)
        update();
}

void MapCanvas::wheelEvent(QWheelEvent *event)
{
    // The wheel zooms about the mouse, a rung of the zoom ladder per notch.
    event->accept();
    m_wheelAngle += event->angleDelta().y();
    const int steps = m_wheelAngle / kWheelStep;
    m_wheelAngle -= steps * kWheelStep;
    if (steps != 0)
        zoomBy(steps, event->position().toPoint());
}

QPoint MapCanvas::placedPixelAt(QPoint p) const
{
    return withinImage(m_view.pixelAt(p));
}

QPoint MapCanvas::withinImage(QPoint pixel) const
{
    if (!hasContent())
        return pixel;
    return QPoint(qBound(0, pixel.x(), m_view.imageSize.width()), qBound(0, pixel.y(), m_view.imageSize.height()));
}

QPoint MapCanvas::draggedTo(QPoint p) const
{
    // The marker moves with the mouse, wherever on it the mouse took hold, by the
    // mouse's movement in image pixels: a click that does not move leaves the point
    // where it is at every zoom.
    const QPointF moved = QPointF(p - m_dragAnchor) / m_view.zoom;
    return withinImage(pointPixel(m_draggedPoint) + QPoint(qRound(moved.x()), qRound(moved.y())));
}

QPoint MapCanvas::pointPixel(int point) const
{
    if (!m_layer)
        return QPoint();
    const CalibrationPoint &calibration = point == 1 ? m_layer->topLeft : m_layer->bottomRight;
    return QPoint(calibration.pixelX, calibration.pixelY);
}

int MapCanvas::markerAt(QPoint p) const
{
    // A layer calibrated by its raster keeps its points where the raster put them.
    if (!m_layer || m_layer->georeference || m_layer->mosaic || m_browseFiles || m_placing || m_pointsShown)
        return 0;
    int nearest = 0;
    int nearestDistance = kMarkerRadius * kMarkerRadius + 1;
    for (int point : {1, 2}) {
        const QPoint offset = m_view.widgetPixelOf(pointPixel(point)) - p;
        const int distance = QPoint::dotProduct(offset, offset);
        if (distance < nearestDistance) {
            nearest = point;
            nearestDistance = distance;
        }
    }
    return nearest;
}

void MapCanvas::setControlPoints(bool shown, const QVector<ControlPointMark> &marks, bool polygon)
{
    m_pointsShown = shown;
    m_marksPolygon = polygon;
    m_marks = shown ? marks : QVector<ControlPointMark>();
    if (m_draggedMark >= m_marks.size())
        m_draggedMark = -1;
    update();
}

void MapCanvas::centreOn(QPointF pixel)
{
    m_view.scroll = QPoint(qRound(pixel.x() * m_view.zoom - width() / 2.0), qRound(pixel.y() * m_view.zoom - height() / 2.0));
    viewChanged();
}

QPointF MapCanvas::exactPixelAt(QPoint p) const
{
    const auto hundredths = [](double v) { return std::round(v * 100.0) / 100.0; };
    return withinImage(QPointF(hundredths((m_view.scroll.x() + p.x() + 0.5) / m_view.zoom),
                               hundredths((m_view.scroll.y() + p.y() + 0.5) / m_view.zoom)));
}

QPointF MapCanvas::withinImage(QPointF pixel) const
{
    if (!hasContent())
        return pixel;
    return QPointF(qBound(0.0, pixel.x(), double(m_view.imageSize.width())),
                   qBound(0.0, pixel.y(), double(m_view.imageSize.height())));
}

QPointF MapCanvas::widgetPointOf(QPointF pixel) const
{
    return QPointF(pixel.x() * m_view.zoom - m_view.scroll.x(), pixel.y() * m_view.zoom - m_view.scroll.y());
}

int MapCanvas::controlPointAt(QPoint p) const
{
    if (!m_pointsShown || m_placing || m_browseFiles)
        return -1;
    // The last drawn lies on top.
    for (int i = int(m_marks.size()) - 1; i >= 0; --i) {
        const QPointF d = widgetPointOf(m_marks.at(i).pixel) - QPointF(p);
        if (d.x() * d.x() + d.y() * d.y() <= kMarkerRadius * kMarkerRadius)
            return i;
    }
    return -1;
}

void MapCanvas::paintControlPoints(QPainter &painter)
{
    const double lengthen = residualLineScale(m_marks, m_view.zoom) * m_view.zoom;
    if (m_marksPolygon) {
        QPolygonF edges;
        for (int i = 0; i < m_marks.size(); ++i)
            edges << widgetPointOf(i == m_draggedMark ? m_draggedMarkPixel : m_marks.at(i).pixel);
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Qt::NoBrush);
        // A light line under a dark one shows on any map.
        painter.setPen(QPen(QColor(255, 255, 255, 200), 4));
        painter.drawPolygon(edges);
        painter.setPen(QPen(QColor(200, 0, 160), 2));
        painter.drawPolygon(edges);
        painter.restore();
    }
    for (int i = 0; i < m_marks.size(); ++i) {
        ControlPointMark mark = m_marks.at(i);
        if (i == m_draggedMark) {
            mark.pixel = m_draggedMarkPixel;
            mark.fitted = false;  // the fit spoke of where it was
        }
        drawControlPointMark(painter, widgetPointOf(mark.pixel), i + 1, mark, mark.residual * lengthen);
    }
    paintLoupe(painter);
}

void MapCanvas::paintLoupe(QPainter &painter)
{
    const bool dragging = m_draggedMark >= 0;
    if (m_image.isNull() || !(dragging || (m_placing && m_mouseInside && rect().contains(m_mouse))))
        return;
    const QPointF pixel = dragging ? m_draggedMarkPixel : exactPixelAt(m_mouse);
    const QPointF at = dragging ? widgetPointOf(pixel) : QPointF(m_mouse);
    constexpr int kRadius = 80;
    // Beside the mouse, up and to the right, inside the canvas where there is room.
    QPointF centre = at + QPointF(kRadius + 24, -(kRadius + 24));
    if (centre.x() + kRadius > width())
        centre.rx() = at.x() - (kRadius + 24);
    if (centre.y() - kRadius < 0)
        centre.ry() = at.y() + kRadius + 24;
    drawLoupe(painter, m_image, pixel, centre, std::max(4.0 * m_view.zoom, 4.0), kRadius);
}
