// Saves generated map-like layers as SMF files and prints how fast: wall seconds,
// tiles per second, MB/s of raw (uncompressed 16-bit) tile bytes and the peak
// resident memory of the process.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdio>

#include <sys/resource.h>

#include "map_like_image.h"
#include "project/map_project.h"
#include "smf/smf_writer.h"
#include "smf/smf_format.h"

namespace {

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
    const SmfStatus status = saveSmf(project);
    const double seconds = timer.nsecsElapsed() / 1e9;
    const double cpu = cpuSeconds() - cpuBefore;
    if (status != SmfStatus::Ok) {
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
