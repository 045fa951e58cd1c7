// Nearest, bilinear and cubic resampling of ARGB32 words, the four bytes of a word in
// the four lanes of one vector.

#include "project/warp_kernel.h"

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

// The lanczos window of three lobes at t pixels from a position.
inline double lanczosWeight(double t)
{
    if (t == 0.0)
        return 1.0;
    const double pi = M_PI * t;
    return std::sin(pi) * std::sin(pi / 3.0) / (pi * pi / 3.0);
}

// Six pixels a side, from two left of (or above) the one left of the position to three
// right of it, those on the raster weighed and their weights scaled to add up to one.
inline bool lanczos(const SourceWindow &window, double x, double y, quint32 *out)
{
    const double fx = x - 0.5;
    const double fy = y - 0.5;
    const int column = pixelBefore(x);
    const int row = pixelBefore(y);
    const int left = std::max(-2, -column);
    const int right = std::min(3, window.rasterWidth - 1 - column);
    const int top = std::max(-2, -row);
    const int bottom = std::min(3, window.rasterHeight - 1 - row);
    float wx[6];
    float wy[6];
    double sumX = 0.0;
    double sumY = 0.0;
    for (int i = left; i <= right; ++i) {
        const double weight = lanczosWeight(i - (fx - column));
        wx[i - left] = float(weight);
        sumX += weight;
    }
    for (int j = top; j <= bottom; ++j) {
        const double weight = lanczosWeight(j - (fy - row));
        wy[j - top] = float(weight);
        sumY += weight;
    }
    const double weights = sumX * sumY;
    if (weights < 0.000001)
        return false;
    Lanes sum = {0.0f, 0.0f, 0.0f, 0.0f};
    const quint32 *p = pixelAt(window, column + left, row + top);
    for (int j = 0; j <= bottom - top; ++j, p += window.stride) {
        Lanes line = {0.0f, 0.0f, 0.0f, 0.0f};
        for (int i = 0; i <= right - left; ++i)
            line += lanes(p[i]) * wx[i];
        sum += line * wy[j];
    }
    if (weights < 0.99999 || weights > 1.00001)
        sum /= float(weights);
    *out = rounded(clamped(sum));
    return true;
}

template <typename Sample>
void run(const SourceWindow &window, const double *x, const double *y, const unsigned char *ok, int count,
         quint32 *out, Sample sample)
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
    // Lambdas, so that each run inlines its resampling.
    case Resampling::Nearest:
        run(window, x, y, ok, count, out, [](const SourceWindow &w, double sx, double sy, quint32 *word) {
            return nearest(w, sx, sy, word);
        });
        return;
    case Resampling::Bilinear:
        run(window, x, y, ok, count, out, [](const SourceWindow &w, double sx, double sy, quint32 *word) {
            return bilinear(w, sx, sy, word);
        });
        return;
    case Resampling::Cubic:
        run(window, x, y, ok, count, out, [](const SourceWindow &w, double sx, double sy, quint32 *word) {
            return cubic(w, sx, sy, word);
        });
        return;
    case Resampling::Lanczos:
        run(window, x, y, ok, count, out, [](const SourceWindow &w, double sx, double sy, quint32 *word) {
            return lanczos(w, sx, sy, word);
        });
        return;
    }
}
