#include "view/canvas_view.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kLargestZoomedSide = 1e9;  // widget pixels; keeps scroll positions in 32 bits

int toInt(double value)
{
    return int(qBound(-2e9, value, 2e9));
}

// Allowed scroll positions along one axis.
void axisRange(int imageSide, int viewSide, double zoom, int *low, int *high)
{
    const double zoomed = imageSide * zoom;
    if (imageSide <= 0) {
        *low = *high = 0;
    } else if (zoomed + 2 * CanvasView::kMargin <= viewSide) {
        *low = *high = toInt(std::floor((zoomed - viewSide) / 2));
    } else {
        *low = -CanvasView::kMargin;
        *high = toInt(std::ceil(zoomed)) + CanvasView::kMargin - viewSide;
    }
}

// Rung i of the zoom ladder: 2^(i/2) for even i, 1.5 times that for odd i.
double rung(int i)
{
    const int power = i >= 0 ? i / 2 : -((1 - i) / 2);
    return std::ldexp((i & 1) ? 1.5 : 1.0, power);
}

}  // namespace

QPoint CanvasView::pixelAt(QPoint widgetPixel) const
{
    return QPoint(toInt(std::floor((scroll.x() + widgetPixel.x() + 0.5) / zoom)),
                  toInt(std::floor((scroll.y() + widgetPixel.y() + 0.5) / zoom)));
}

QPoint CanvasView::widgetPixelOf(QPoint imagePixel) const
{
    return QPoint(toInt(std::floor((imagePixel.x() + 0.5) * zoom - scroll.x())),
                  toInt(std::floor((imagePixel.y() + 0.5) * zoom - scroll.y())));
}

QRectF CanvasView::visibleImageRect() const
{
    return QRectF(scroll.x() / zoom, scroll.y() / zoom, viewSize.width() / zoom, viewSize.height() / zoom);
}

QRect CanvasView::widgetRectOf(qint64 x0, qint64 y0, qint64 x1, qint64 y1) const
{
    // The first widget pixel whose centre lies at or right of image edge x.
    const auto edge = [this](qint64 x, int scrolled) { return toInt(std::ceil(x * zoom - scrolled - 0.5)); };
    const int left = edge(x0, scroll.x());
    const int top = edge(y0, scroll.y());
    return QRect(left, top, edge(x1, scroll.x()) - left, edge(y1, scroll.y()) - top);
}

QRect CanvasView::scrollRange() const
{
    int left = 0, right = 0, top = 0, bottom = 0;
    axisRange(imageSize.width(), viewSize.width(), zoom, &left, &right);
    axisRange(imageSize.height(), viewSize.height(), zoom, &top, &bottom);
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

void CanvasView::clampScroll()
{
    const QRect range = scrollRange();
    scroll = QPoint(qBound(range.left(), scroll.x(), range.right()), qBound(range.top(), scroll.y(), range.bottom()));
}

double CanvasView::fitZoom() const
{
    if (imageSize.isEmpty())
        return 1.0;
    const double across = qMax(1, viewSize.width() - 2 * kMargin) / double(imageSize.width());
    const double down = qMax(1, viewSize.height() - 2 * kMargin) / double(imageSize.height());
    return std::min(across, down);
}

double CanvasView::minimumZoom() const
{
    return std::min(kMinZoom, fitZoom());
}

double CanvasView::maximumZoom() const
{
    const int side = qMax(imageSize.width(), imageSize.height());
    return std::max(minimumZoom(), std::min(kMaxZoom, kLargestZoomedSide / qMax(side, 1)));
}

void CanvasView::zoomAbout(double newZoom, QPoint anchor)
{
    const double centreX = anchor.x() + 0.5;
    const double centreY = anchor.y() + 0.5;
    const double imageX = (scroll.x() + centreX) / zoom;
    const double imageY = (scroll.y() + centreY) / zoom;
    zoom = qBound(minimumZoom(), newZoom, maximumZoom());
    // Rounded to whole widget pixels, the scroll may shift the image by half a widget
    // pixel; from 1:1 up an image pixel spans a whole one, so some whole scroll
    // position keeps the same pixel under the anchor, and the nearest such one is taken.
    const auto keep = [this](double image, double centre) {
        const double wanted = image * zoom - centre;
        double scrolled = std::floor(wanted + 0.5);
        if (zoom >= 1.0) {
            const double low = std::floor(image) * zoom - centre;
            scrolled = qBound(std::ceil(low), scrolled, std::ceil(low + zoom) - 1);
        }
        return toInt(scrolled);
    };
    scroll = QPoint(keep(imageX, centreX), keep(imageY, centreY));
    clampScroll();
}

void CanvasView::fitToView()
{
    zoom = qBound(minimumZoom(), fitZoom(), maximumZoom());
    scroll = QPoint(toInt(std::floor((imageSize.width() * zoom - viewSize.width()) / 2)),
                    toInt(std::floor((imageSize.height() * zoom - viewSize.height()) / 2)));
    clampScroll();
}

int CanvasView::reduction() const
{
    if (zoom >= 1.0)
        return 0;
    return qMin(30, int(std::floor(std::log2(1.0 / zoom) + 1e-9)));
}

double zoomStep(double zoom, int steps)
{
    if (steps == 0 || !(zoom > 0))
        return zoom;
    // The first rung more than a tenth above (or below) the zoom is one step away.
    const double near = 1.1;
    int i = 2 * int(std::floor(std::log2(zoom)));
    if (steps > 0) {
        for (i -= 2; rung(i) <= zoom * near; ++i) {
        }
        return rung(i + steps - 1);
    }
    for (i += 4; rung(i) >= zoom / near; --i) {
    }
    return rung(i + steps + 1);
}
