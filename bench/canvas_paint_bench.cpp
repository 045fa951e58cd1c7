// Paints a map-like image of SIDE x SIDE pixels (10000 by default) in the canvas at
// 1600 x 1000 and prints how long the paints take: the first one after fitting the image
// to the canvas (it makes the reduced copies), later ones at that zoom, and at 1:1.
// Usage: canvas_paint_bench [SIDE]   (run with QT_QPA_PLATFORM=offscreen or on a display)

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "map_like_image.h"
#include "ui/map_canvas.h"

namespace {

constexpr int kRepeats = 9;

// One whole paint of the canvas into target, ms.
double paintMs(MapCanvas *canvas, QImage &target)
{
    QElapsedTimer clock;
    clock.start();
    canvas->render(&target);
    return clock.nsecsElapsed() / 1e6;
}

// First paint, then the median of kRepeats more.
void measure(const char *what, MapCanvas *canvas, QImage &target)
{
    const double first = paintMs(canvas, target);
    std::vector<double> later;
    for (int i = 0; i < kRepeats; ++i)
        later.push_back(paintMs(canvas, target));
    std::sort(later.begin(), later.end());
    std::printf("%-22s zoom %.4f  first paint %8.1f ms  later paints (median of %d) %6.1f ms\n", what,
                canvas->view().zoom, first, kRepeats, later[kRepeats / 2]);
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int side = argc > 1 ? std::atoi(argv[1]) : 10000;
    if (side < 1) {
        std::fprintf(stderr, "usage: canvas_paint_bench [SIDE]\n");
        return 2;
    }
    QElapsedTimer clock;
    clock.start();
    const QImage image = mapLikeImage(side, side);
    std::printf("map-like image %d x %d made in %lld ms\n", side, side, clock.elapsed());

    // The canvas alone, at a typical window's size.
    auto *canvas = new MapCanvas;
    canvas->resize(1600, 1000);
    canvas->setImage(image);
    QImage target(canvas->size(), QImage::Format_ARGB32_Premultiplied);

    canvas->zoomToFit();
    measure("fit to window", canvas, target);
    std::printf("%-22s %.1f MiB of reduced copies (the image: %.1f MiB)\n", "", canvas->reducedCopyBytes() / 1048576.0,
                image.sizeInBytes() / 1048576.0);
    canvas->zoomIn();
    measure("one rung in from fit", canvas, target);
    canvas->zoomActualSize();
    measure("1:1, middle", canvas, target);
    delete canvas;
    return 0;
}
