#pragma once

#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>

// How a canvas shows an image: at `zoom` widget pixels per image pixel, scrolled by
// `scroll` widget pixels from the zoomed image's top-left corner to the widget's. The
// widget pixel p shows the image pixel under its centre. Pure arithmetic, shared by
// the editing canvas and the drawing of a browsed SMF file.
struct CanvasView
{
    static constexpr double kMinZoom = 1.0 / 64;  // lower still only to fit a huge image
    static constexpr double kMaxZoom = 16.0;
    static constexpr int kMargin = 32;  // widget pixels around the image that scrolling reaches

    QSize imageSize;  // image pixels; empty: nothing to show
    QSize viewSize;   // widget pixels
    double zoom = 1.0;
    QPoint scroll;

    // The image pixel shown at widget pixel p; outside the image too.
    QPoint pixelAt(QPoint widgetPixel) const;
    // The widget pixel at the centre of image pixel p: where its marker goes.
    QPoint widgetPixelOf(QPoint imagePixel) const;
    // The part of the image plane (image pixels) that the widget shows.
    QRectF visibleImageRect() const;
    // The widget rectangle covered by image pixels [x0, x1) x [y0, y1), its edges
    // rounded so that neighbouring rectangles meet without gap or overlap.
    QRect widgetRectOf(qint64 x0, qint64 y0, qint64 x1, qint64 y1) const;

    // The scroll positions allowed: the view stays within the image and its margin, and
    // an image smaller than the view (with its margin) is centred. left/right bound x,
    // top/bottom bound y, both ends included.
    QRect scrollRange() const;
    void clampScroll();

    // Zoom of the whole image with its margin fitting the view; 1 with nothing to show.
    double fitZoom() const;
    // kMinZoom, or the fit zoom when that is smaller; kMaxZoom, or less for an image so
    // large that its zoomed size would leave the 32-bit range.
    double minimumZoom() const;
    double maximumZoom() const;

    // Sets the zoom (bounded to the range above) so that the image pixel under widget
    // pixel `anchor` stays there, as far as the scroll range allows.
    void zoomAbout(double newZoom, QPoint anchor);
    // Fit zoom, centred.
    void fitToView();

    // How many times the image may be halved for drawing at this zoom: the largest k
    // with zoom <= 1 / 2^k, so that a copy 2^k times smaller is the nearest finer one.
    int reduction() const;
};

// The zoom `steps` rungs of the zoom ladder (... 1/2, 3/4, 1, 1.5, 2, 3, 4, 6 ...: powers
// of two with their 1.5-fold between) above `zoom`, or below for negative steps. The
// first rung more than a tenth away from `zoom` is one step. Not bounded.
double zoomStep(double zoom, int steps);
