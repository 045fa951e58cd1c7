#include "ui/map_canvas.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTimer>

#include <cmath>

#include "geo/position_format.h"
#include "view/calibration_marker.h"
#include "project/map_layer.h"
#include "ui/main_window.h"

namespace {

constexpr int kMarkerRadius = 10;  // widget pixels, as drawCalibrationMarker draws it
constexpr int kWheelStep = 120;    // one notch of a common wheel, eighths of a degree

}  // namespace

MapCanvas::MapCanvas(MainWindow *window)
    : window(window)
{
    image = QImage(0, 0, QImage::Format_RGB555);
    setMouseTracking(true);
    horizontalBar = new QScrollBar(Qt::Horizontal, this);
    verticalBar = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar *bar : {horizontalBar, verticalBar}) {
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this, [this](int) {
            view.scroll = QPoint(horizontalBar->value(), verticalBar->value());
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
    grid->addWidget(verticalBar, 0, 1);
    grid->addWidget(horizontalBar, 1, 0);
    framed = true;
    viewChanged();
    return frame;
}

void MapCanvas::setImage(const QImage &newImage)
{
    image = newImage;
    contentChanged();
}

void MapCanvas::setLayer(MapLayer *newLayer)
{
    layer = newLayer;
    draggedPoint = 0;
    if (layer && window->browseMode)
        prepareBrowseLayer(browse, *layer);
    contentChanged();
}

void MapCanvas::clearCanvas()
{
    image = QImage();
    layer = nullptr;
    draggedPoint = 0;
    panning = false;
    view.zoom = 1.0;
    view.scroll = QPoint(0, 0);
    reducedCopies.clear();
    browse.reducedTiles->clear();
    contentChanged();
}

bool MapCanvas::hasContent() const
{
    return !view.imageSize.isEmpty();
}

void MapCanvas::contentChanged()
{
    if (!window->browseMode) {
        view.imageSize = image.size();
    } else if (layer && layer->smfSource < window->project.smfImages.size()) {
        view.imageSize = browseLevelSize(browse, *layer, window->project.smfImages.at(layer->smfSource));
    } else {
        view.imageSize = QSize();
    }
    view.viewSize = size();
    view.zoom = qBound(view.minimumZoom(), view.zoom, view.maximumZoom());
    for (QAction *action : {window->actionZoomIn, window->actionZoomOut, window->actionZoomToFit,
                            window->actionZoomActualSize})
        action->setEnabled(hasContent());
    viewChanged();
}

void MapCanvas::viewChanged()
{
    const double zoom = hasContent() ? view.zoom : 0.0;
    if (zoom != reportedZoom) {
        reportedZoom = zoom;
        emit zoomChanged(zoom);
    }
    view.clampScroll();
    const QRect range = view.scrollRange();
    const int lows[2] = {range.left(), range.top()};
    const int highs[2] = {range.right(), range.bottom()};
    const int values[2] = {view.scroll.x(), view.scroll.y()};
    const int pages[2] = {width(), height()};
    QScrollBar *bars[2] = {horizontalBar, verticalBar};
    for (int i = 0; i < 2; ++i) {
        const QSignalBlocker blocker(bars[i]);
        bars[i]->setRange(lows[i], highs[i]);
        bars[i]->setPageStep(qMax(1, pages[i]));
        bars[i]->setSingleStep(qMax(1, pages[i] / 20));
        bars[i]->setValue(values[i]);
        if (framed)
            bars[i]->setVisible(lows[i] < highs[i]);
    }
    update();
}

void MapCanvas::resizeEvent(QResizeEvent *)
{
    view.viewSize = size();
    viewChanged();
}

void MapCanvas::zoomBy(int steps, QPoint anchor)
{
    if (!hasContent())
        return;
    view.zoomAbout(zoomStep(view.zoom, steps), anchor);
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
    view.fitToView();
    viewChanged();
}

void MapCanvas::zoomActualSize()
{
    if (!hasContent())
        return;
    view.zoomAbout(1.0, rect().center());
    viewChanged();
}

void MapCanvas::ensurePointVisible(int point)
{
    if (layer && (point == 1 || point == 2)) {
        // A marker nearer the edge than its radius is centred.
        const QPoint at = view.widgetPixelOf(pointPixel(point));
        if (at.x() < kMarkerRadius || at.x() >= width() - kMarkerRadius)
            view.scroll.rx() += at.x() - width() / 2;
        if (at.y() < kMarkerRadius || at.y() >= height() - kMarkerRadius)
            view.scroll.ry() += at.y() - height() / 2;
    }
    viewChanged();
}

void MapCanvas::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (window->browseMode) {
        const QVector<QByteArray> &files = window->project.smfImages;
        const bool known = layer && layer->smfSource < files.size();
        // A view left incomplete gets its next tiles in another paint, once pending
        // events have run.
        if (!paintBrowseView(painter, browse, known ? layer : nullptr,
                             known ? files.at(layer->smfSource) : QByteArray(), view))
            QTimer::singleShot(0, this, qOverload<>(&QWidget::update));
        paintFocus(painter);
        return;
    }
    painter.fillRect(event->rect(), palette().window());
    if (!image.isNull())
        paintImage(painter);
    if (layer) {
        painter.setPen(Qt::red);
        for (int point : {1, 2}) {
            const QPoint at = view.widgetPixelOf(point == draggedPoint ? draggedPixel : pointPixel(point));
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
    const QRectF visible = view.visibleImageRect() & QRectF(QPointF(0, 0), QSizeF(image.size()));
    if (visible.isEmpty())
        return;
    const int reduction = view.reduction();
    const QImage source = reducedCopies.copy(image, reduction);
    if (source.isNull())
        return;
    const double block = std::ldexp(1.0, reduction);  // image pixels per source pixel
    const QRect part = QRect(QPoint(int(std::floor(visible.left() / block)), int(std::floor(visible.top() / block))),
                             QPoint(int(std::ceil(visible.right() / block)) - 1,
                                    int(std::ceil(visible.bottom() / block)) - 1))
        & source.rect();
    const double scale = block * view.zoom;
    const QRectF target(part.left() * scale - view.scroll.x(), part.top() * scale - view.scroll.y(),
                        part.width() * scale, part.height() * scale);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, view.zoom < 1.0);
    painter.drawImage(target, source, QRectF(part));
}

void MapCanvas::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    if (window->actionPlaceTopLeftPoint->isChecked()) {
        const QPoint pixel = placedPixelAt(p);
        window->placeTopLeftPoint(pixel.x(), pixel.y());
        update();
    } else if (window->actionPlaceBottomRightPoint->isChecked()) {
        const QPoint pixel = placedPixelAt(p);
        window->placeBottomRightPoint(pixel.x(), pixel.y());
        update();
    } else if (event->button() == Qt::LeftButton && (draggedPoint = markerAt(p)) != 0) {
        draggedPixel = pointPixel(draggedPoint);
        dragAnchor = p;
        setCursor(Qt::ClosedHandCursor);
    } else if (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton) {
        dragAnchor = p;
        panning = true;
    }
}

void MapCanvas::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    if (draggedPoint != 0) {
        draggedPixel = draggedTo(p);
        showPosition(p);
        update();
        return;
    }
    if (panning && (event->buttons() & (Qt::LeftButton | Qt::MiddleButton))) {
        view.scroll += dragAnchor - p;
        dragAnchor = p;
        viewChanged();
        return;
    }
    showPosition(p);
    if (markerAt(p) != 0)
        setCursor(Qt::OpenHandCursor);
    else
        unsetCursor();
}

void MapCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && draggedPoint != 0) {
        const int point = draggedPoint;
        const QPoint pixel = draggedTo(event->position().toPoint());
        draggedPoint = 0;
        unsetCursor();
        if (layer && pixel != pointPixel(point))
            window->movePoint(point, pixel.x(), pixel.y());
        update();
    }
    if (!(event->buttons() & (Qt::LeftButton | Qt::MiddleButton)))
        panning = false;
}

void MapCanvas::wheelEvent(QWheelEvent *event)
{
    // The wheel zooms about the mouse, a rung of the zoom ladder per notch.
    event->accept();
    wheelAngle += event->angleDelta().y();
    const int steps = wheelAngle / kWheelStep;
    wheelAngle -= steps * kWheelStep;
    if (steps != 0)
        zoomBy(steps, event->position().toPoint());
}

QPoint MapCanvas::placedPixelAt(QPoint p) const
{
    return withinImage(view.pixelAt(p));
}

QPoint MapCanvas::withinImage(QPoint pixel) const
{
    if (!hasContent())
        return pixel;
    return QPoint(qBound(0, pixel.x(), view.imageSize.width()), qBound(0, pixel.y(), view.imageSize.height()));
}

QPoint MapCanvas::draggedTo(QPoint p) const
{
    // The marker moves with the mouse, wherever on it the mouse took hold, by the
    // mouse's movement in image pixels: a click that does not move leaves the point
    // where it is at every zoom.
    const QPointF moved = QPointF(p - dragAnchor) / view.zoom;
    return withinImage(pointPixel(draggedPoint) + QPoint(qRound(moved.x()), qRound(moved.y())));
}

QPoint MapCanvas::pointPixel(int point) const
{
    if (!layer)
        return QPoint();
    const CalibrationPoint &calibration = point == 1 ? layer->topLeft : layer->bottomRight;
    return QPoint(calibration.pixelX, calibration.pixelY);
}

int MapCanvas::markerAt(QPoint p) const
{
    // A layer calibrated by its raster keeps its points where the raster put them.
    if (!layer || layer->georeference || window->browseMode || window->actionPlaceTopLeftPoint->isChecked()
        || window->actionPlaceBottomRightPoint->isChecked())
        return 0;
    int nearest = 0;
    int nearestDistance = kMarkerRadius * kMarkerRadius + 1;
    for (int point : {1, 2}) {
        const QPoint offset = view.widgetPixelOf(pointPixel(point)) - p;
        const int distance = QPoint::dotProduct(offset, offset);
        if (distance < nearestDistance) {
            nearest = point;
            nearestDistance = distance;
        }
    }
    return nearest;
}

void MapCanvas::showPosition(QPoint widgetPixel)
{
    const QPoint pixel = view.pixelAt(widgetPixel);
    window->statusLabels[0]->setText(QString::number(pixel.x()));
    window->statusLabels[1]->setText(QString::number(pixel.y()));
    if (!layer) {
        window->statusLabels[2]->setText(QString());
        window->statusLabels[3]->setText(QString());
        return;
    }
    // Linear from the top-left point, also outside the image and the two points.
    const int dx = pixel.x() - layer->topLeft.pixelX;
    const int dy = pixel.y() - layer->topLeft.pixelY;
    GeoPosition position;
    position.longitude = (dx * layer->lonScale + layer->topLeft.lon) / 3600000.0;
    position.latitude = (layer->topLeft.lat - dy * layer->scale) / 3600000.0;
    position.height = 0.0;
    if (!std::isfinite(position.longitude) || !std::isfinite(position.latitude)) {
        // A calibration whose points share a pixel row or column has no position.
        window->statusLabels[2]->setText(QString());
        window->statusLabels[3]->setText(QString());
        return;
    }
    const int row = qBound(0, window->notationSelector->currentIndex(), 4);
    const NotationChoice &notation = window->notationTable[row];
    const FormattedPosition shown = formatPosition(notation.gridKind, window->datumSelector->currentIndex(),
                                                   notation.angleStyle, position);
    window->statusLabels[2]->setText(shown.lonOrEastingText);
    window->statusLabels[3]->setText(shown.latOrNorthingText);
}
