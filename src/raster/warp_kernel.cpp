// Nearest, bilinear and cubic resampling of ARGB32 words, the four bytes of a word in
// the four lanes of one vector.

#include "raster/warp_kernel.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Blue, green, red and alpha, as an ARGB32 word lies in memory: GCC and Clang compute
// on all four at once with SIMD instructions.
typedef float Lanes __attribute__((vector_size(16)));
typedef qint32 IntLanes __attribute__((vector_size(16)));
typedef quint8 ByteLanes __attribute__((vector_size(4)));

constexpr quint32 kOpaque = 0xff000000u;

// The widening and narrowing of the four bytes, which compilers do a byte at a time for
// vectors this short, in SSE2's instructions where there are.
inline Lanes lanes(quint32 word)
{
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i bytes = _mm_cvtsi32_si128(int(word));
    return (Lanes)_mm_cvtepi32_ps(_mm_unpacklo_epi16(_mm_unpacklo_epi8(bytes, zero), zero));
#else
    ByteLanes bytes;
    std::memcpy(&bytes, &word, sizeof word);
    return __builtin_convertvector(bytes, Lanes);
#endif
}

// Values of 0 to 255, rounded as GDAL rounds them for 8-bit bands (+ 0.5, truncated).
inline quint32 rounded(Lanes value)
{
#if defined(__SSE2__)
    const __m128i whole = _mm_cvttps_epi32((__m128)(value + 0.5f));
    const __m128i words = _mm_packs_epi32(whole, whole);
    return quint32(_mm_cvtsi128_si32(_mm_packus_epi16(words, words))) | kOpaque;
#else
    const IntLanes whole = __builtin_convertvector(value + 0.5f, IntLanes);
    const ByteLanes bytes = __builtin_convertvector(whole, ByteLanes);
    quint32 word;
    std::memcpy(&word, &bytes, sizeof word);
    return word | kOpaque;
#endif
}

inline Lanes clamped(Lanes value)
{
    const Lanes zero = {0.0f, 0.0f, 0.0f, 0.0f};
    const Lanes top = {255.0f, 255.0f, 255.0f, 255.0f};
    const IntLanes below = value < zero;
    const IntLanes above = value > top;
    // Casts between vectors of one size keep the bits.
    return (Lanes)(((IntLanes)value & ~below & ~above) | ((IntLanes)top & above));
}

inline const quint32 *pixelAt(const SourceWindow &window, int x, int y)
{
    return window.words + qsizetype(y - window.top) * window.stride + (x - window.left);
}

// GDAL's test: a position on the raster's right or bottom edge is still on it.
inline bool onRaster(const SourceWindow &window, double x, double y)
{
    return x >= 0.0 && y >= 0.0 && x + 1e-10 <= window.rasterWidth && y + 1e-10 <= window.rasterHeight;
}

Q_ALWAYS_INLINE bool nearest(const SourceWindow &window, double x, double y, quint32 *out)
{
    const int column = std::min(int(x + 1e-10), window.rasterWidth - 1);
    const int row = std::min(int(y + 1e-10), window.rasterHeight - 1);
    *out = *pixelAt(window, column, row) | kOpaque;
    return true;
}

// Along the raster's outer half pixel: of the four pixels around the position (column
// and row those left of and above it, left and upper their weights), those on the
// raster, their weights scaled to add up to one.
Q_NEVER_INLINE bool bilinearAtEdge(const SourceWindow &window, int column, int row, double left, double upper,
                                   quint32 *out)
{
    Lanes sum = {0.0f, 0.0f, 0.0f, 0.0f};
    double weights = 0.0;
    for (int dy = 0; dy < 2; ++dy) {
        for (int dx = 0; dx < 2; ++dx) {
            const int px = column + dx;
            const int py = row + dy;
            if (px < 0 || px >= window.rasterWidth || py < 0 || py >= window.rasterHeight)
                continue;
            const double weight = (dx ? 1.0 - left : left) * (dy ? 1.0 - upper : upper);
            weights += weight;
            sum += lanes(*pixelAt(window, px, py)) * float(weight);
        }
    }
    if (weights < 0.00001)
        return false;
    *out = rounded(weights == 1.0 ? sum : sum / float(weights));
    return true;
}

// The pixel left of (or above) a position on the raster: whole of at - 0.5, rounded
// down (at - 0.5 is at least -0.5, so truncation suffices once it is made positive).
inline int pixelBefore(double at)
{
    return int(at + 0.5) - 1;
}

Q_ALWAYS_INLINE bool bilinear(const SourceWindow &window, double x, double y, quint32 *out)
{
    const double fx = x - 0.5;
    const double fy = y - 0.5;
    const int column = pixelBefore(x);
    const int row = pixelBefore(y);
    // The weights of the left column and the upper row.
    const double left = 1.0 - (fx - column);
    const double upper = 1.0 - (fy - row);
    if (column < 0 || column + 1 >= window.rasterWidth || row < 0 || row + 1 >= window.rasterHeight)
        return bilinearAtEdge(window, column, row, left, upper, out);
    const quint32 *p = pixelAt(window, column, row);
    const float wx = float(left);
    const float wy = float(upper);
    const Lanes top = lanes(p[0]) * wx + lanes(p[1]) * (1.0f - wx);
    const Lanes bottom = lanes(p[window.stride]) * wx + lanes(p[window.stride + 1]) * (1.0f - wx);
    *out = rounded(top * wy + bottom * (1.0f - wy));
    return true;
}

// Catmull-Rom weights of the pixels at -1, 0, 1 and 2 from the one left of (or above)
// a position t pixels past its centre.
inline void cubicWeights(double t, float *weights)
{
    const double half = 0.5 * t;
    const double halfSquare = half * t;
    weights[0] = float(half * (-1.0 + t * (2.0 - t)));
    weights[1] = float(1.0 + halfSquare * (-5.0 + 3.0 * t));
    weights[2] = float(half * (1.0 + t * (4.0 - 3.0 * t)));
    weights[3] = float(halfSquare * (-1.0 + t));
}

Q_ALWAYS_INLINE bool cubic(const SourceWindow &window, double x, double y, quint32 *out)
{
    // Truncated, not floored, as GDAL does: left of the first centre it is bilinear anyway.
    const int column = int(x - 0.5);
    const int row = int(y - 0.5);
    if (column - 1 < 0 || column + 2 >= window.rasterWidth || row - 1 < 0 || row + 2 >= window.rasterHeight)
        return bilinear(window, x, y, out);
    float wx[4];
    float wy[4];
    cubicWeights(x - 0.5 - column, wx);
    cubicWeights(y - 0.5 - row, wy);
    const quint32 *p = pixelAt(window, column - 1, row - 1);
    Lanes sum = {0.0f, 0.0f, 0.0f, 0.0f};
    for (int i = 0; i < 4; ++i, p += window.stride)
        sum += (lanes(p[0]) * wx[0] + lanes(p[1]) * wx[1] + lanes(p[2]) * wx[2] + lanes(p[3]) * wx[3]) * wy[i];
    *out = rounded(clamped(sum));
    return true;
}

// The lanczos weights, sinc(t) sinc(t / 3) with three lobes, of the pixels at
// i = -2 .. 3 from the one left of (or above) a position t pixels past its centre
// (0 <= t < 1), in weights[i + 2]. sin(pi (i - t)) and sin(pi (i - t) / 3) follow from
// sin and cos of pi t / 3, so each position takes one sine instead of twelve.
void lanczosWeights(double t, float *weights)
{
    if (t == 0.0) {
        for (int i = -2; i <= 3; ++i)
            weights[i + 2] = i == 0 ? 1.0f : 0.0f;
        return;
    }
    constexpr double kSinThirds[] = {-0.8660254037844386, -0.8660254037844386, 0.0, 0.8660254037844386,
                                     0.8660254037844386, 0.0};  // sin(pi i / 3), i = -2 .. 3
    constexpr double kCosThirds[] = {-0.5, 0.5, 1.0, 0.5, -0.5, -1.0};
    const double sinThird = std::sin(M_PI * t / 3.0);
    const double cosThird = std::sqrt(1.0 - sinThird * sinThird);
    const double sinWhole = sinThird * (3.0 - 4.0 * sinThird * sinThird);  // sin(pi t)
    for (int i = -2; i <= 3; ++i) {
        const double d = i - t;
        // sin(pi (i - t)) = -cos(pi i) sin(pi t)
        const double sinD = (i % 2 == 0 ? -sinWhole : sinWhole);
        const double sinDThird = kSinThirds[i + 2] * cosThird - kCosThirds[i + 2] * sinThird;
        weights[i + 2] = float(sinD * sinDThird / (M_PI * M_PI * d * d / 3.0));
    }
}

// Six pixels a side, from two left of (or above) the one left of the position to three
// right of it, those on the raster weighed and their weights scaled to add up to one.
inline bool lanczos(const SourceWindow &window, double x, double y, quint32 *out)
{
    const int column = pixelBefore(x);
    const int row = pixelBefore(y);
    float wx[6];
    float wy[6];
    lanczosWeights(x - 0.5 - column, wx);
    lanczosWeights(y - 0.5 - row, wy);
    // The pixels on the raster, and the sum of their weights.
    const int left = std::max(-2, -column);
    const int right = std::min(3, window.rasterWidth - 1 - column);
    const int top = std::max(-2, -row);
    const int bottom = std::min(3, window.rasterHeight - 1 - row);
    double sumX = 0.0;
    double sumY = 0.0;
    for (int i = left; i <= right; ++i)
        sumX += wx[i + 2];
    for (int j = top; j <= bottom; ++j)
        sumY += wy[j + 2];
    const double weights = sumX * sumY;
    if (weights < 0.000001)
        return false;
    Lanes sum = {0.0f, 0.0f, 0.0f, 0.0f};
    const quint32 *p = pixelAt(window, column + left, row + top);
    for (int j = top; j <= bottom; ++j, p += window.stride) {
        Lanes line = {0.0f, 0.0f, 0.0f, 0.0f};
        for (int i = left; i <= right; ++i)
            line += lanes(p[i - left]) * wx[i + 2];
        sum += line * wy[j + 2];
    }
    if (weights < 0.99999 || weights > 1.00001)
        sum /= float(weights);
    *out = rounded(clamped(sum));
    return true;
}

using Sample = bool (*)(const SourceWindow &window, double x, double y, quint32 *out);

// A template of the resampling, so that each run inlines it.
template <Sample sample>
void run(const SourceWindow &window, const double *x, const double *y, const unsigned char *ok, int count,
         quint32 *out)
{
    for (int i = 0; i < count; ++i) {
        quint32 word = 0;
        if (!ok[i] || !onRaster(window, x[i], y[i]) || !sample(window, x[i], y[i], &word))
            word = 0;
        out[i] = word;
    }
}

}  // namespace

int resamplingReach(Resampling resampling)
{
    switch (resampling) {
    case Resampling::Nearest:
        return 0;
    case Resampling::Bilinear:
        return 1;
    case Resampling::Cubic:
        return 2;
    case Resampling::Lanczos:
        break;
    }
    return 3;
}

void resampleRun(Resampling resampling, const SourceWindow &window, const double *x, const double *y,
                 const unsigned char *ok, int count, quint32 *out)
{
    switch (resampling) {
    case Resampling::Nearest:
        run<nearest>(window, x, y, ok, count, out);
        return;
    case Resampling::Bilinear:
        run<bilinear>(window, x, y, ok, count, out);
        return;
    case Resampling::Cubic:
        run<cubic>(window, x, y, ok, count, out);
        return;
    case Resampling::Lanczos:
        run<lanczos>(window, x, y, ok, count, out);
        return;
    }
}
