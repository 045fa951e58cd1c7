// Converts a generated WFL folder of 300 x 500 tiles and prints how fast: wall
// seconds, CPU seconds, tiles per second and the peak resident memory of the
// conversion, which stays flat as the folder grows.
// Usage: wfl_bench [TILES...] (default 500 2000).

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "smf/wfl_conversion.h"

namespace {

constexpr int kTileWidth = 300;
constexpr int kTileHeight = 500;
constexpr double kDegreesPerPixel = 1.0 / 65536;

// Terrain shading with contours and noise, continuous across tiles, so that tiles
// compress as a downloaded topographic map does.
QImage tileImage(int column, int row)
{
    QImage image(kTileWidth, kTileHeight, QImage::Format_RGB32);
    quint32 noise = quint32(column * 7919 + row * 104729 + 1);
    for (int y = 0; y < kTileHeight; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const int gy = row * kTileHeight + y;
        for (int x = 0; x < kTileWidth; ++x) {
            const int gx = column * kTileWidth + x;
            const double h =
                std::sin(gx * 0.0031) * std::cos(gy * 0.0027) * 400 + std::sin((gx + gy) * 0.011) * 60;
            const bool contour = std::fabs(h - std::floor(h / 25.0) * 25.0) < 1.2;
            noise = noise * 1664525u + 1013904223u;
            const int shade = 170 + int(h / 8) + int(noise >> 28) - 8;
            line[x] = contour ? qRgb(150, 90, 40)
                              : qRgb(qBound(0, shade + 40, 255), qBound(0, shade + 30, 255),
                                     qBound(0, shade - 10, 255));
        }
    }
    return image;
}

QByteArray sidecar(int column, int row)
{
    const double left = 10.0 + column * kTileWidth * kDegreesPerPixel;
    const double top = 50.0 - row * kTileHeight * kDegreesPerPixel;
    const double right = left + kTileWidth * kDegreesPerPixel;
    const double bottom = top - kTileHeight * kDegreesPerPixel;
    QByteArray text = "256\n256\n0.0\n0.0\n";
    for (double value : {top, left, bottom, right})
        text += QByteArray::number(value, 'g', 17) + '\n';
    return text + "0.0\n0.0\n";
}

// A columns x rows grid with columns x rows = tiles, as square as it divides.
void gridOf(int tiles, int *columns, int *rows)
{
    *columns = int(std::sqrt(double(tiles)));
    while (*columns > 1 && tiles % *columns != 0)
        --*columns;
    *rows = tiles / *columns;
}

bool writeFolder(const QString &folder, int tiles)
{
    int columns = 0, rows = 0;
    gridOf(tiles, &columns, &rows);
    QDir().mkpath(folder);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const QString base = QStringLiteral("%1/Terrain 15_%2x%3").arg(folder).arg(column).arg(row);
            QFile file(base + QStringLiteral(".wfl"));
            if (!tileImage(column, row).save(base + QStringLiteral(".png"), "PNG") || !file.open(QIODevice::WriteOnly)
                || file.write(sidecar(column, row)) < 0) {
                return false;
            }
        }
    }
    return true;
}

qint64 folderBytes(const QString &folder)
{
    qint64 bytes = 0;
    for (const QFileInfo &info : QDir(folder).entryInfoList(QDir::Files))
        bytes += info.size();
    return bytes;
}

// Converts in a child process, so that the peak memory is that of the conversion
// alone; the child sends its wall time through a pipe. Returns false when the
// conversion fails.
bool convertInChild(const QString &folder, double *seconds, double *cpuSeconds, long *peakKiB)
{
    int channel[2];
    if (pipe(channel) != 0)
        return false;
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        QElapsedTimer timer;
        timer.start();
        WflConverter converter(folder);
        const SmfStatus status = converter.convert(QStringLiteral("bench"), QStringLiteral("bench"), QColor(255, 255, 255));
        const double elapsed = timer.nsecsElapsed() / 1e9;
        if (status != SmfStatus::Ok)
            std::fprintf(stderr, "conversion failed: %s\n", qPrintable(converter.errorString()));
        const bool sent = write(channel[1], &elapsed, sizeof elapsed) == ssize_t(sizeof elapsed);
        _exit(status == SmfStatus::Ok && sent ? 0 : 1);
    }
    close(channel[1]);
    const bool received = child > 0 && read(channel[0], seconds, sizeof *seconds) == ssize_t(sizeof *seconds);
    close(channel[0]);
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0
        || !received) {
        return false;
    }
    *peakKiB = usage.ru_maxrss;
    *cpuSeconds = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    return true;
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QList<int> counts;
    for (int i = 1; i < argc; ++i)
        counts.append(QByteArray(argv[i]).toInt());
    if (counts.isEmpty())
        counts = {500, 2000};

    std::printf("%8s %10s %10s %9s %9s %9s %12s\n", "tiles", "folder MB", "output MB", "seconds", "CPU s",
                "tiles/s", "peak RSS MB");
    for (int tiles : std::as_const(counts)) {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("tiles"));
        if (tiles <= 0 || !writeFolder(folder, tiles)) {
            std::fprintf(stderr, "cannot generate a folder of %d tiles\n", tiles);
            return 1;
        }
        std::fflush(stdout);
        double seconds = 0;
        double cpuSeconds = 0;
        long peakKiB = 0;
        if (!convertInChild(folder, &seconds, &cpuSeconds, &peakKiB))
            return 1;
        const qint64 output = QFileInfo(folder + QStringLiteral(".smf")).size();
        std::printf("%8d %10.1f %10.1f %9.2f %9.2f %9.1f %12.1f\n", tiles, folderBytes(folder) / 1048576.0,
                    output / 1048576.0, seconds, cpuSeconds, tiles / seconds, peakKiB / 1024.0);
    }
    return 0;
}
