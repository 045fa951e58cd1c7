// Times how long the window takes to fit a layer's control points again after one is
// moved: the fit and the level's plan through the core (fitControlPoints), and the
// whole edit as the window makes it (fit, layer row, dock and canvas), for 30 points
// by each transform, on the image given.
// Usage: control_points_bench IMAGE [--points N] [--language FILE.qm] [--hold SECONDS] [--narrow] [--pick]
// --hold leaves the window showing the image with its points in the points dock
// (fitted by affine) for that long, for a look or a screenshot; --narrow with the dock
// at its narrowest, --pick with the list of positions typed before open.
// Run with QT_QPA_PLATFORM=offscreen, or on a display with --hold.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QImageReader>
#include <QTimer>
#include <QTranslator>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "ui/control_points_fit.h"
#include "ui/main_window.h"

namespace {

// n points spread over a grid across the image, tied to positions by a gently bent
// mapping, with a little noise, so that every transform has residuals to show.
LayerControlPoints pointsOver(QSize size, int n)
{
    LayerControlPoints points;
    points.active = true;
    const int side = int(std::ceil(std::sqrt(double(n))));
    for (int i = 0; i < n; ++i) {
        const double x = size.width() * (0.08 + 0.84 * (i % side) / std::max(1, side - 1)) + (i * 37) % 11;
        const double y = size.height() * (0.08 + 0.84 * (i / side) / std::max(1, side - 1)) + (i * 53) % 13;
        ControlPoint point;
        point.pixelX = x;
        point.pixelY = y;
        point.lon = 11.0 + x * 2e-5 + y * 1e-6 + 1e-11 * x * y + ((i * 7) % 5 - 2) * 2e-5;
        point.lat = 46.5 - y * 1.5e-5 + x * 1e-6 + ((i * 3) % 5 - 2) * 2e-5;
        point.lonSet = point.latSet = true;
        points.points.append(point);
    }
    return points;
}

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: control_points_bench IMAGE [--points N] [--language FILE.qm] [--hold SECONDS] "
                             "[--narrow] [--pick]\n");
        return 2;
    }
    const QString image = args.at(1);
    const int n = args.contains(QStringLiteral("--points")) ? args.value(args.indexOf(QStringLiteral("--points")) + 1).toInt() : 30;
    const int hold = args.contains(QStringLiteral("--hold")) ? args.value(args.indexOf(QStringLiteral("--hold")) + 1).toInt() : -1;
    QString language;
    QTranslator translator;
    if (args.contains(QStringLiteral("--language"))) {
        language = args.value(args.indexOf(QStringLiteral("--language")) + 1);
        if (translator.load(language))
            app.installTranslator(&translator);
    }
    const QSize size = QImageReader(image).size();

    MainWindow window(language);
    window.project().setProperties(QStringLiteral("bench"), QStringLiteral("bench"), QColor(255, 255, 255), 300, 500);
    window.startNewProject();
    window.addLayerFiles({image});
    window.calibrateByPoints();
    const LayerControlPoints points = pointsOver(size, n);
    window.editControlPoints(points, QStringLiteral("bench"));
    for (GcpTransform transform : {GcpTransform::Affine, GcpTransform::Poly2, GcpTransform::Tps}) {
        LayerControlPoints changed = points;
        changed.transform = transform;
        window.editControlPoints(changed, QStringLiteral("bench"));
        const MapLayer &layer = *window.currentLayerRecord();
        constexpr int kRounds = 5;
        QElapsedTimer clock;
        clock.start();
        for (int round = 0; round < kRounds; ++round)
            fitControlPoints(layer, Resampling::Bilinear);
        const double fitMs = clock.nsecsElapsed() / 1e6 / kRounds;
        clock.restart();
        for (int round = 0; round < kRounds; ++round) {
            changed.points[round % n].pixelX += 1.0;  // a point moved
            window.editControlPoints(changed, QStringLiteral("bench"));
        }
        const double editMs = clock.nsecsElapsed() / 1e6 / kRounds;
        std::printf("%d x %d, %d points, %-6s fit %.1f ms, whole edit %.1f ms, RMS %.2f px\n", size.width(),
                    size.height(), n, transform == GcpTransform::Affine ? "affine" : transform == GcpTransform::Poly2 ? "poly2" : "tps",
                    fitMs, editMs, window.controlPointsFit().rmsPixels);
    }
    // The level itself is warped only when it is shown or saved.
    QElapsedTimer warp;
    warp.start();
    const QImage *level = window.project().layerImage(window.currentLayer());
    std::printf("warped level %d x %d (tps) in %.0f ms\n", level ? level->width() : 0, level ? level->height() : 0,
                warp.nsecsElapsed() / 1e6);
    if (hold < 0)
        return 0;
    window.editControlPoints(points, QStringLiteral("bench"));
    window.setGeometry(app.primaryScreen()->availableGeometry());
    window.show();
    if (auto *dock = window.findChild<QDockWidget *>(QStringLiteral("pointsDock")))
        dock->raise();
    // The whole image with its points, point 5 selected, the add tool on so that the
    // magnifier follows the mouse.
    const bool narrow = args.contains(QStringLiteral("--narrow"));
    const bool pick = args.contains(QStringLiteral("--pick"));
    QTimer::singleShot(500, &window, [&window, narrow, pick] {
        auto *dock = window.findChild<QDockWidget *>(QStringLiteral("pointsDock"));
        if (dock && narrow) {
            window.resizeDocks({dock}, {dock->minimumSizeHint().width()}, Qt::Horizontal);
            QCoreApplication::processEvents();
        }
        if (auto *fit = window.findChild<QAction *>(QStringLiteral("actionZoomToFit")))
            fit->trigger();
        if (auto *table = window.findChild<QTableWidget *>(QStringLiteral("controlPointsTable"))) {
            table->setCurrentCell(4, 2);
            // The residuals, at the table's right.
            table->horizontalScrollBar()->setValue(table->horizontalScrollBar()->maximum());
        }
        window.placeControlPoints(true);
        if (auto *box = window.findChild<QComboBox *>(QStringLiteral("pickPositionBox")); box && pick)
            box->showPopup();
    });
    // Leaves without asking to save the bench's project.
    QTimer::singleShot(hold * 1000, &app, [] {
        std::fflush(stdout);
        std::_Exit(0);
    });
    return app.exec();
}
