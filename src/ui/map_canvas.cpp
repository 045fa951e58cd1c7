#include "ui/map_canvas.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

#include "geo/position_format.h"
#include "project/calibration_marker.h"
#include "project/map_layer.h"
#include "ui/main_window.h"

MapCanvas::MapCanvas(MainWindow *window)
    : window(window)
{
    image = QImage(0, 0, QImage::Format_RGB555);
    setMouseTracking(true);
}

MapCanvas::~MapCanvas() = default;

void MapCanvas::setImage(const QImage &newImage)
{
    image = newImage;
    update();
}

void MapCanvas::setLayer(MapLayer *newLayer)
{
    layer = newLayer;
    if (layer && window->browseMode)
        prepareBrowseLayer(browse, *layer);
    update();
}

void MapCanvas::clearCanvas()
{
    image = QImage();
    scrollX = 0;
    scrollY = 0;
    layer = nullptr;
    update();
}

void MapCanvas::ensurePointVisible(int point)
{
    const int w = width();
    const int h = height();
    if (layer && point == 1) {
        const int x1 = layer->topLeft.pixelX;
        const int y1 = layer->topLeft.pixelY;
        if (x1 - scrollX > w || x1 < scrollX)
            scrollX = x1 - w / 2;
        if (y1 - scrollY > h || y1 < scrollY)
            scrollY = y1 - h / 2;
        scrollX = qMax(scrollX, 0);
        scrollY = qMax(scrollY, 0);
    } else if (layer && point == 2) {
        // A point left of or above the view does not scroll, and the offsets may
        // become negative here.
        const int x2 = layer->bottomRight.pixelX;
        const int y2 = layer->bottomRight.pixelY;
        if (x2 - scrollX > w)
            scrollX = x2 - w / 2;
        if (y2 - scrollY > h)
            scrollY = y2 - h / 2;
    }
    update();
}

void MapCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (window->browseMode) {
        const QVector<QByteArray> &files = window->project.smfImages;
        const bool known = layer && layer->smfSource < files.size();
        paintBrowseView(painter, size(), browse, known ? layer : nullptr,
                        known ? files.at(layer->smfSource) : QByteArray(), scrollX, scrollY);
        return;
    }
    if (!image.isNull()) {
        // A negative offset leaves the area before the image unpainted.
        const int sx = qMax(scrollX, 0);
        const int sy = qMax(scrollY, 0);
        painter.drawImage(QPoint(sx - scrollX, sy - scrollY), image,
                          QRect(sx, sy, image.width() - sx, image.height() - sy));
    }
    if (layer) {
        painter.setPen(Qt::red);
        drawCalibrationMarker(painter, layer->topLeft.pixelX - scrollX, layer->topLeft.pixelY - scrollY,
                              QStringLiteral("P1"));
        drawCalibrationMarker(painter, layer->bottomRight.pixelX - scrollX, layer->bottomRight.pixelY - scrollY,
                              QStringLiteral("P2"));
    }
}

void MapCanvas::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    if (window->actionPlaceTopLeftPoint->isChecked()) {
        window->placeTopLeftPoint(scrollX + p.x(), scrollY + p.y());
        update();
    } else if (window->actionPlaceBottomRightPoint->isChecked()) {
        window->placeBottomRightPoint(scrollX + p.x(), scrollY + p.y());
        update();
    } else if (event->button() == Qt::LeftButton) {
        dragAnchor = p;
    }
}

void MapCanvas::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    if (event->buttons() & Qt::LeftButton) {
        if (!layer)
            return;
        scrollX += dragAnchor.x() - p.x();
        scrollY += dragAnchor.y() - p.y();
        dragAnchor = p;
        scrollX = qMax(scrollX, 0);
        scrollY = qMax(scrollY, 0);
        update();
        return;
    }
    showPosition(p.x(), p.y());
}

void MapCanvas::showPosition(int x, int y)
{
    window->statusLabels[0]->setText(QString::number(scrollX + x));
    window->statusLabels[1]->setText(QString::number(scrollY + y));
    if (!layer) {
        window->statusLabels[2]->setText(QString());
        window->statusLabels[3]->setText(QString());
        return;
    }
    // Linear from the top-left point, also outside the image and the two points.
    const int dx = scrollX + x - layer->topLeft.pixelX;
    const int dy = scrollY + y - layer->topLeft.pixelY;
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

void MapCanvas::wheelEvent(QWheelEvent *event)
{
    // The wheel neither scrolls the canvas nor reaches the scroll area.
    event->accept();
}
