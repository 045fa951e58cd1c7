// Saves generated map-like layers as SMF files and prints how fast: wall seconds,
// tiles per second, MB/s of raw (uncompressed 16-bit) tile bytes and the peak
// resident memory of the process.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

#include <sys/resource.h>

#include "project/map_project.h"
#include "smf/smf_header.h"
#include "smf/smf_layout.h"

namespace {

// Shaded relief with contour lines, roads, blocks of flat colour and a little scanner
// noise: compresses about as a scanned topographic sheet does.
QImage mapLikeImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    quint32 noise = 12345;
    for (int y = 0; y < height; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double h = std::sin(x * 0.0031) * std::cos(y * 0.0027) * 400 + std::sin((x + y) * 0.011) * 60;
            const int level = int(std::floor(h / 25.0));
            const bool contour = std::fabs(h - level * 25.0) < 1.2;
            noise = noise * 1664525u + 1013904223u;
            const int shade = 170 + int(h / 8) + int(noise >> 28) - 8;
            line[x] = contour ? qRgb(150, 90, 40) : qRgb(qBound(0, shade + 40, 255), qBound(0, shade + 30, 255),
                                                         qBound(0, shade - 10, 255));
        }
    }
    QPainter painter(&image);
    painter.setPen(QPen(QColor(220, 40, 30), 5));
    for (int i = 0; i < width + height; i += 853)
        painter.drawLine(i, 0, i - height / 3, height);
    painter.setPen(QPen(QColor(30, 30, 30), 2));
    for (int i = 0; i < height; i += 1187)
        painter.drawLine(0, i, width, i + width / 5);
    for (int i = 0; i < 40; ++i)
        painter.fillRect(QRect((i * 7919) % width, (i * 104729) % height, 300, 200), QColor(120, 180, 230));
    return image;
}

long peakResidentMB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;  // KiB on Linux
}

// User and system CPU seconds of the process so far; steadier than wall time on a
// shared machine.
double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

bool bench(const QString &folder, int width, int height)
{
    const QImage image = mapLikeImage(width, height);
    MapProject project;
    project.setProperties(QStringLiteral("bench"), QStringLiteral("bench"), QColor(255, 255, 255), 300, 500);
    auto *layer = new MapLayer;
    layer->image = image;
    layer->loaded = true;
    layer->memoryMB = imageMemoryMB(image.size());
    layer->topLeft = {0, 0, 0, 36000000};
    layer->bottomRight = {width, height, 36000000, 0};
    layer->topLeftLonSet = layer->topLeftLatSet = layer->bottomRightLonSet = layer->bottomRightLatSet = true;
    layer->updateScales();
    project.layers.append(layer);
    project.loadedMB = layer->memoryMB;
    project.filePath = folder + QStringLiteral("/bench-%1x%2.smf").arg(width).arg(height);

    QElapsedTimer timer;
    const double cpuBefore = cpuSeconds();
    timer.start();
    const int status = project.saveSmf();
    const double seconds = timer.nsecsElapsed() / 1e9;
    const double cpu = cpuSeconds() - cpuBefore;
    if (status != 0) {
        std::fprintf(stderr, "save failed: %s\n", qPrintable(project.errorString()));
        return false;
    }
    QFile file(project.filePath);
    SmfHeader header;
    if (!file.open(QIODevice::ReadOnly) || !SmfHeader::fromBytes(file.read(kSmfHeaderSize), &header))
        return false;
    const double rawMB = double(header.tileCount) * rawTileSize(header.tileWidth, header.tileHeight) / 1e6;
    std::printf("%5d x %-5d  %4d tiles  %7.2f s wall (%6.2f s CPU)  %7.1f tiles/s  %6.1f MB/s raw  "
                "file %6.1f MB  peak RSS %ld MB\n",
                width, height, header.tileCount, seconds, cpu, header.tileCount / seconds, rawMB / seconds,
                file.size() / 1e6, peakResidentMB());
    return true;
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    if (!folder.isValid())
        return 1;
    std::printf("saving one layer in 300 x 500 tiles\n");
    const bool ok = bench(folder.path(), 4000, 3000) && bench(folder.path(), 10000, 10000);
    return ok ? 0 : 1;
}
