// Compares zlib's deflate at its default level with libdeflate at several levels on
// the raw tiles of a generated map or of an image file given as the argument: compression speed (one thread, MB/s of raw
// bytes), total compressed size against zlib, and inflate speed of each with zlib.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImageReader>
#include <QVector>

#include <cstdio>

#include <libdeflate.h>
#include <zlib.h>

#include "map_like_image.h"
#include "smf/smf_format.h"

namespace {

struct Result {
    double seconds = 0;
    qint64 bytes = 0;
    QVector<QByteArray> payloads;
};

Result zlibCompress(const QVector<QByteArray> &raws)
{
    Result result;
    QElapsedTimer timer;
    timer.start();
    for (const QByteArray &raw : raws) {
        uLongf length = compressBound(uLong(raw.size()));
        QByteArray out(qsizetype(length), Qt::Uninitialized);
        compress2(reinterpret_cast<Bytef *>(out.data()), &length, reinterpret_cast<const Bytef *>(raw.constData()),
                  uLong(raw.size()), Z_DEFAULT_COMPRESSION);
        out.truncate(qsizetype(length));
        result.bytes += out.size();
        result.payloads.append(out);
    }
    result.seconds = timer.nsecsElapsed() / 1e9;
    return result;
}

Result libdeflateCompress(const QVector<QByteArray> &raws, int level)
{
    Result result;
    libdeflate_compressor *compressor = libdeflate_alloc_compressor(level);
    QElapsedTimer timer;
    timer.start();
    for (const QByteArray &raw : raws) {
        QByteArray out(qsizetype(libdeflate_zlib_compress_bound(compressor, size_t(raw.size()))), Qt::Uninitialized);
        const size_t length = libdeflate_zlib_compress(compressor, raw.constData(), size_t(raw.size()), out.data(),
                                                       size_t(out.size()));
        out.truncate(qsizetype(length));
        result.bytes += out.size();
        result.payloads.append(out);
    }
    result.seconds = timer.nsecsElapsed() / 1e9;
    libdeflate_free_compressor(compressor);
    return result;
}

// Seconds zlib's uncompress takes for every payload; -1 when one does not give back its raw tile.
double zlibInflate(const QVector<QByteArray> &payloads, const QVector<QByteArray> &raws)
{
    QElapsedTimer timer;
    timer.start();
    QByteArray out(raws.first().size(), Qt::Uninitialized);
    for (int i = 0; i < payloads.size(); ++i) {
        uLongf length = uLongf(out.size());
        if (uncompress(reinterpret_cast<Bytef *>(out.data()), &length,
                       reinterpret_cast<const Bytef *>(payloads.at(i).constData()), uLong(payloads.at(i).size())) != Z_OK
            || out != raws.at(i)) {
            return -1;
        }
    }
    return timer.nsecsElapsed() / 1e9;
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QImageReader::setAllocationLimit(0);
    // The tiles of the image named on the command line (every third one), or of a generated map.
    const QImage image = argc > 1 ? QImage(QString::fromLocal8Bit(argv[1])) : mapLikeImage(3000, 3000);
    const int step = argc > 1 ? 3 : 1;
    QVector<QByteArray> raws;
    int n = 0;
    for (int y = 0; y + 500 <= image.height(); y += 500) {
        for (int x = 0; x + 300 <= image.width(); x += 300) {
            if (n++ % step == 0)
                raws.append(encodeTilePixels(image.copy(x, y, 300, 500)));
        }
    }
    if (raws.isEmpty()) {
        std::fprintf(stderr, "usage: deflate_bench [IMAGE of at least 300 x 500 pixels]\n");
        return 2;
    }
    const double rawMB = double(raws.size()) * raws.first().size() / 1e6;
    std::printf("%d tiles of 300 x 500, %.1f MB raw, one thread\n", int(raws.size()), rawMB);

    const Result zlib = zlibCompress(raws);
    std::printf("%-16s %7.1f MB/s  %9lld bytes  size 100.00 %%  speed 1.00 x  zlib inflate %.3f s\n",
                "zlib level 6", rawMB / zlib.seconds, qlonglong(zlib.bytes), zlibInflate(zlib.payloads, raws));
    for (int level : {1, 4, 5, 6, 7, 9}) {
        const Result deflate = libdeflateCompress(raws, level);
        char name[32];
        std::snprintf(name, sizeof name, "libdeflate %d", level);
        std::printf("%-16s %7.1f MB/s  %9lld bytes  size %6.2f %%  speed %.2f x  zlib inflate %.3f s\n", name,
                    rawMB / deflate.seconds, qlonglong(deflate.bytes), 100.0 * deflate.bytes / zlib.bytes,
                    zlib.seconds / deflate.seconds, zlibInflate(deflate.payloads, raws));
    }
    return 0;
}
