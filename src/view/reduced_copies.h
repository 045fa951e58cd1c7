#pragma once

#include <QImage>
#include <QVector>

// The image shrunk `factor` times in both directions: ceil(width / factor) x
// ceil(height / factor) pixels, each the average of the factor x factor block it
// covers (a block cut by the right or bottom edge averages what it holds). The result
// is RGB32, or premultiplied ARGB32 for an image with alpha. Large images are shrunk on
// every core. A null image, or a factor below 1, gives a null image.
QImage reducedImage(const QImage &image, int factor);

// Reduced copies of one image, for drawing it zoomed out: copy k is the image shrunk
// 2^k times. Each is made the first time it is asked for, from the nearest finer copy
// already made (or the image), and kept until the copies of another image are asked for.
class ReducedCopies
{
public:
    // Copy k of image (the image itself for k <= 0), ceil(width / 2^k) x ceil(height / 2^k)
    // pixels; a null image when it cannot be allocated.
    QImage copy(const QImage &image, int k);
    // Drops every copy.
    void clear();
    // Memory held by the copies made, bytes.
    qint64 bytes() const;

private:
    qint64 m_key = 0;          // cacheKey of the image the copies are of
    QVector<QImage> m_copies;  // copy k at index k - 1; null while not made
};
