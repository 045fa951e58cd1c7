#include "view/reduced_copies.h"

#include <QtConcurrent/QtConcurrentMap>

#include <numeric>
#include <vector>

namespace {

constexpr qint64 kParallelPixels = 1 << 20;  // smaller images are shrunk on the calling thread

}  // namespace

QImage reducedImage(const QImage &image, int factor)
{
    if (image.isNull() || factor < 1)
        return QImage();
    const QImage::Format format = image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                          : QImage::Format_RGB32;
    const int width = int((qint64(image.width()) + factor - 1) / factor);
    const int height = int((qint64(image.height()) + factor - 1) / factor);
    QImage reduced(width, height, format);
    if (reduced.isNull())
        return QImage();
    // Taken once here: scanLine() on the shared image would detach it from every
    // worker thread at once.
    uchar *const reducedBits = reduced.bits();
    const qsizetype reducedStride = reduced.bytesPerLine();

    const auto reduceRow = [&](int row) {
        const int top = row * factor;
        const int rows = qMin(factor, image.height() - top);
        // The block's source rows as 32-bit pixels: the image's own, or converted.
        QImage converted;
        const uchar *bits = image.constScanLine(top);
        qsizetype stride = image.bytesPerLine();
        if (image.format() != format) {
            QImage slice(bits, image.width(), rows, stride, image.format());
            slice.setColorTable(image.colorTable());
            converted = slice.convertToFormat(format);
            bits = converted.constBits();
            stride = converted.bytesPerLine();
        }
        std::vector<quint64> sums(size_t(width) * 4, 0);
        for (int y = 0; y < rows; ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(bits + y * stride);
            quint64 *sum = sums.data();
            for (int column = 0; column < width; ++column, sum += 4) {
                const int end = int(qMin<qint64>(qint64(column + 1) * factor, image.width()));
                for (int x = column * factor; x < end; ++x) {
                    const QRgb pixel = line[x];
                    sum[0] += pixel & 0xff;
                    sum[1] += (pixel >> 8) & 0xff;
                    sum[2] += (pixel >> 16) & 0xff;
                    sum[3] += pixel >> 24;
                }
            }
        }
        QRgb *out = reinterpret_cast<QRgb *>(reducedBits + row * reducedStride);
        for (int column = 0; column < width; ++column) {
            const quint64 columns = qMin<qint64>(qint64(column + 1) * factor, image.width()) - qint64(column) * factor;
            const quint64 count = columns * quint64(rows);
            const quint64 *sum = &sums[size_t(column) * 4];
            const auto mean = [count](quint64 total) { return uint((total + count / 2) / count); };
            out[column] = mean(sum[0]) | mean(sum[1]) << 8 | mean(sum[2]) << 16 | mean(sum[3]) << 24;
        }
    };
    if (qint64(image.width()) * image.height() < kParallelPixels) {
        for (int row = 0; row < height; ++row)
            reduceRow(row);
    } else {
        std::vector<int> rows(static_cast<size_t>(height));
        std::iota(rows.begin(), rows.end(), 0);
        QtConcurrent::blockingMap(rows, reduceRow);
    }
    return reduced;
}

QImage ReducedCopies::copy(const QImage &image, int k)
{
    if (image.cacheKey() != m_key) {
        clear();
        m_key = image.cacheKey();
    }
    if (k <= 0 || image.isNull())
        return image;
    if (m_copies.size() < k)
        m_copies.resize(k);
    if (m_copies[k - 1].isNull()) {
        int finer = k - 1;
        while (finer > 0 && m_copies[finer - 1].isNull())
            --finer;
        const QImage &source = finer == 0 ? image : m_copies[finer - 1];
        m_copies[k - 1] = reducedImage(source, 1 << qMin(k - finer, 30));
    }
    return m_copies[k - 1];
}

void ReducedCopies::clear()
{
    m_copies.clear();
    m_key = 0;
}

qint64 ReducedCopies::bytes() const
{
    qint64 total = 0;
    for (const QImage &copy : m_copies)
        total += copy.sizeInBytes();
    return total;
}
