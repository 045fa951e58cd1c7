// Saves one layer under the window's progress dialog, its image not in memory (so it
// decodes first), and prints how long the window went without processing events,
// without repainting the dialog, and without the progress value changing.
// Usage: window_save_bench IMAGE   (run with QT_QPA_PLATFORM=offscreen or on a display)

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QImageReader>
#include <QMainWindow>
#include <QProgressBar>
#include <QProgressDialog>
#include <QTemporaryDir>

#include <cstdio>

#include "project/map_project.h"
#include "smf/smf_writer.h"
#include "ui/main_window.h"

namespace {

// Largest interval between successive calls of note(), in ms.
struct GapMeter {
    QElapsedTimer clock;
    qint64 last = -1;
    qint64 largest = 0;
    int count = 0;
    void note()
    {
        const qint64 now = clock.elapsed();
        if (last >= 0)
            largest = qMax(largest, now - last);
        last = now;
        ++count;
    }
};

class MeasuredDialog : public QObject, public SaveProgressDialog
{
public:
    explicit MeasuredDialog(QWidget *parent) : SaveProgressDialog(parent)
    {
        for (GapMeter *meter : {&pumps, &paints, &values})
            meter->clock.start();
        dialog()->installEventFilter(this);
        QObject::connect(dialog()->findChild<QProgressBar *>(), &QProgressBar::valueChanged, this,
                         [this]() { values.note(); });
    }
    void pumpEvents() override
    {
        pumps.note();
        SaveProgressDialog::pumpEvents();
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            paints.note();
        return false;
    }
    GapMeter pumps, paints, values;
};

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_save_bench IMAGE\n");
        return 2;
    }
    const QString image = QString::fromLocal8Bit(argv[1]);
    const QSize size = QImageReader(image).size();
    QTemporaryDir folder;
    QMainWindow window;
    window.show();

    MapProject project;
    project.setProperties(QStringLiteral("bench"), QStringLiteral("bench"), QColor(255, 255, 255), 300, 500);
    auto *layer = new MapLayer;
    layer->sourcePath = image;
    layer->topLeft = {0, 0, 0, 36000000};
    layer->bottomRight = {size.width(), size.height(), 36000000, 0};
    layer->topLeftLonSet = layer->topLeftLatSet = layer->bottomRightLonSet = layer->bottomRightLatSet = true;
    layer->updateScales();
    project.layers.append(layer);
    project.filePath = folder.filePath(QStringLiteral("window.smf"));

    MeasuredDialog progress(&window);
    QElapsedTimer timer;
    timer.start();
    const SmfStatus status = saveSmf(project, &progress);
    if (status != SmfStatus::Ok) {
        std::fprintf(stderr, "save failed: %s\n", qPrintable(project.errorString()));
        return 1;
    }
    std::printf("%d x %d saved in %.2f s: events processed %d times, largest gap %lld ms; dialog painted %d "
                "times, largest gap %lld ms; progress changed %d times, largest gap %lld ms\n",
                size.width(), size.height(), timer.nsecsElapsed() / 1e9, progress.pumps.count,
                progress.pumps.largest, progress.paints.count, progress.paints.largest, progress.values.count,
                progress.values.largest);
    return 0;
}
