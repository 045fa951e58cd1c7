// A level warped by the program's own resampling, strip by strip on the thread pool.

#include "raster/warped_rows.h"

#include <QCoreApplication>
#include <QFuture>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <new>

#include <cpl_string.h>
#include <gdal_alg.h>

#include "raster/gdal_support.h"
#include "raster/geo_raster.h"
#include "raster/image_file.h"
#include "raster/image_rows.h"
#include "geo/milliarcseconds.h"
#include "raster/warp_grid.h"
#include "raster/warp_kernel.h"
#include "raster/warp_source.h"

namespace {

// Level rows one task warps, and level columns resampled from one window of the source.
constexpr int kStripRows = 16;
// Level rows whose positions one grid holds, shared by the strips among them.
constexpr int kGridRows = 64;
constexpr int kPartColumns = 512;
// The most source pixels one window holds: a part of a strip that needs more (a
// transformation that stretches the raster a great deal) is split.
constexpr qint64 kMostWindowPixels = 4 * 1024 * 1024;
// The decoded source a warp may hold whatever its budget, bytes.
constexpr std::size_t kLeastSourceBytes = 64 * 1024 * 1024;

struct TransformerDeleter
{
    void operator()(void *transformer) const { GDALDestroyGenImgProjTransformer(transformer); }
};
using Transformer = std::unique_ptr<void, TransformerDeleter>;

// GDAL's transformation between level pixels and source pixels, set up as gdalwarp sets
// it up for the level's grid: the source's grid and geotransform, or its ground control
// points fitted as the georeference asks, taken to WGS 84 by PROJ.
Transformer levelTransformer(const RasterGeoreference &georeference, GDALDatasetH source)
{
    CPLStringList options;
    options.SetNameValue("DST_SRS", "+proj=longlat +datum=WGS84 +no_defs");
    if (!georeference.gcps.isEmpty()) {
        // gdalwarp's words for the fit, as gdalwarp hands them to the transformer.
        const QStringList words = gcpWarpOptions(georeference);
        for (int i = 0; i < words.size(); ++i) {
            const QString &word = words.at(i);
            if (word == QLatin1String("-tps"))
                options.SetNameValue("METHOD", "GCP_TPS");
            else if (word == QLatin1String("-order") && i + 1 < words.size())
                options.SetNameValue("MAX_GCP_ORDER", words.at(++i).toUtf8().constData());
            else if (word == QLatin1String("-to") && i + 1 < words.size())
                options.AddString(words.at(++i).toUtf8().constData());
        }
    }
    const GdalErrors errors;
    Transformer transformer(GDALCreateGenImgProjTransformer2(source, nullptr, options.List()));
    if (!transformer)
        return transformer;
    const double west = georeference.westMas / kMasPerDegree;
    const double east = georeference.eastMas / kMasPerDegree;
    const double north = georeference.northMas / kMasPerDegree;
    const double south = georeference.southMas / kMasPerDegree;
    double levelGrid[6] = {west, (east - west) / georeference.size.width(), 0.0,
                           north, 0.0, -(north - south) / georeference.size.height()};
    GDALSetGenImgProjTransformerDstGeoTransform(transformer.get(), levelGrid);
    return transformer;
}

// The rows of the level, warped kStripRows at a time: one task per strip on the thread
// pool, a few strips ahead of the rows read. Each strip takes its positions from the
// sparse grid of its kGridRows rows (WarpGrid), made by the first strip that needs it,
// then resamples a part of kPartColumns columns at a time from a window of the source
// that holds what the part needs.
class WarpedRows : public ImageRowReader
{
public:
    WarpedRows(const RasterGeoreference &georeference, GDALDatasetH raster, Transformer transformer,
               std::size_t mostSourceBytes, std::shared_ptr<void> keep)
        : m_keep(std::move(keep)), m_transformer(std::move(transformer)), m_source(raster, mostSourceBytes),
          m_resampling(georeference.resampling)
    {
        m_size = georeference.size;
        m_hasAlpha = true;  // outside the raster's footprint
        m_decodesOnPool = true;
        // Where the middle column's first and last rows lie on the raster.
        double x[2] = {m_size.width() / 2.0, m_size.width() / 2.0};
        double y[2] = {0.5, m_size.height() - 0.5};
        double z[2] = {0.0, 0.0};
        int ok[2] = {FALSE, FALSE};
        GDALGenImgProjTransform(m_transformer.get(), TRUE, 2, x, y, z, ok);
        m_source.setMovesDown(ok[0] && ok[1] && y[1] > y[0]);
    }

    ~WarpedRows() override
    {
        m_stop = true;
        for (const std::unique_ptr<Strip> &strip : m_strips)
            strip->done.waitForFinished();
    }

    void shareDecodingAhead(int readers) override { m_readers = std::max(1, readers); }

protected:
    bool decodeRows(int count, uchar *dest, qsizetype stride) override
    {
        const std::size_t width = std::size_t(m_size.width());
        for (int i = 0; i < count; ++i) {
            try {
                startStrips();
            } catch (const std::bad_alloc &) {
                return fail(ImageFileStatus::Invalid, QCoreApplication::translate("ImageFile", "not enough memory"));
            }
            Strip &strip = *m_strips.front();
            // Runs the strip here if no thread of the pool has taken it yet.
            strip.done.waitForFinished();
            const QString failure = strip.done.result();
            if (!failure.isEmpty())
                return fail(ImageFileStatus::Invalid, failure);
            const int row = m_nextRow + i;
            std::memcpy(dest + i * stride, strip.words.data() + std::size_t(row - strip.top) * width,
                        width * sizeof(quint32));
            if (row == strip.top + strip.rows - 1) {
                m_source.forgetBefore(strip.index);
                m_spare.push_back(std::move(m_strips.front()));
                m_strips.pop_front();
            }
        }
        return true;
    }

private:
    // What a strip's task resamples with, kept from part to part.
    struct Scratch
    {
        std::vector<double> x = std::vector<double>(kPartColumns);
        std::vector<double> y = std::vector<double>(kPartColumns);
        std::vector<unsigned char> ok = std::vector<unsigned char>(kPartColumns);
        std::vector<quint32> window;
    };
    // Used again for later strips once read, memory and all.
    struct Strip
    {
        int index = 0;
        int top = 0;
        int rows = 0;
        int rasterTop = 0;           // the topmost raster row it reads
        std::vector<quint32> words;  // the strip's rows, ARGB32
        Scratch scratch;
        QFuture<QString> done;       // the reason when it failed
    };

    // Keeps two strips a thread of the pool in hand (shared with the readers read in
    // turn with this one): the save compresses tiles on the same threads, and a strip is
    // soon warped. The first strip runs alone, so that the rows a decoder passes on the
    // way to the raster's first window (a collar) are decoded by a strip with none before
    // it, and need not be kept.
    void startStrips()
    {
        const int ahead =
            m_nextStrip <= 1 ? 1 : std::max(2, 2 * QThreadPool::globalInstance()->maxThreadCount() / m_readers);
        while (int(m_strips.size()) < ahead && m_nextStrip * kStripRows < m_size.height()) {
            std::unique_ptr<Strip> strip;
            if (m_spare.empty()) {
                strip = std::make_unique<Strip>();
            } else {
                strip = std::move(m_spare.back());
                m_spare.pop_back();
            }
            strip->index = m_nextStrip++;
            strip->top = strip->index * kStripRows;
            strip->rows = std::min(kStripRows, m_size.height() - strip->top);
            strip->words.resize(std::size_t(m_size.width()) * std::size_t(strip->rows));
            Strip *task = strip.get();
            strip->done = QtConcurrent::run([this, task]() { return warpStrip(*task); });
            m_strips.push_back(std::move(strip));
        }
    }

    // The reason when the strip cannot be warped.
    QString warpStrip(Strip &strip)
    {
        try {
            return warpStripRows(strip);
        } catch (const std::bad_alloc &) {
            return QCoreApplication::translate("ImageFile", "not enough memory");
        }
    }

    QString warpStripRows(Strip &strip)
    {
        if (m_stop)
            return QString();
        const std::shared_ptr<const WarpGrid> grid = gridOf(strip.top);
        // The topmost raster row the strip reads, if it reads any.
        double box[4];
        strip.rasterTop = 0;
        if (grid->bounds(0, m_size.width(), strip.top, strip.rows, box) && box[1] >= 0.0
            && box[1] < m_source.height())
            strip.rasterTop = std::max(0, int(std::floor(box[1])) - resamplingReach(m_resampling));
        QString error;
        for (int left = 0; left < m_size.width() && !m_stop; left += kPartColumns) {
            const int count = std::min(kPartColumns, m_size.width() - left);
            if (!warpPart(strip, *grid, left, count, strip.top, strip.rows, strip.scratch, &error))
                return error;
        }
        return QString();
    }

    // The grid of the rows around level row `row`.
    std::shared_ptr<const WarpGrid> gridOf(int row)
    {
        const int index = row / kGridRows;
        // Strips start in order, so the grids of earlier rows are not needed again.
        const std::lock_guard<std::mutex> lock(m_gridMutex);
        for (auto grid = m_grids.begin(); grid != m_grids.end();)
            grid = grid->first < index - 1 ? m_grids.erase(grid) : std::next(grid);
        std::shared_ptr<const WarpGrid> &grid = m_grids[index];
        if (!grid) {
            // The grid transforms its nodes here and, where it transforms every position,
            // on the strips' threads as they read it.
            const auto transform = [this](int count, double *x, double *y, int *ok) {
                std::vector<double> z(std::size_t(count), 0.0);
                const std::lock_guard<std::mutex> lock(m_transformMutex);
                GDALGenImgProjTransform(m_transformer.get(), TRUE, count, x, y, z.data(), ok);
            };
            const int top = index * kGridRows;
            grid = std::make_shared<const WarpGrid>(transform, m_size.width(), top,
                                                    std::min(kGridRows, m_size.height() - top));
        }
        return grid;
    }

    // Columns left .. left + count - 1 of level rows top .. top + rows - 1 of the strip.
    bool warpPart(Strip &strip, const WarpGrid &grid, int left, int count, int top, int rows, Scratch &scratch,
                  QString *error)
    {
        const int width = m_size.width();
        quint32 *out = strip.words.data() + std::size_t(top - strip.top) * std::size_t(width) + std::size_t(left);
        const int rasterWidth = m_source.width();
        const int rasterHeight = m_source.height();
        double box[4];
        if (!grid.bounds(left, count, top, rows, box) || !(box[2] >= 0.0 && box[3] >= 0.0)
            || !(box[0] <= rasterWidth && box[1] <= rasterHeight)) {
            for (int r = 0; r < rows; ++r)
                std::fill_n(out + std::size_t(r) * std::size_t(width), count, 0u);
            return true;
        }
        // The raster pixels within reach of those the positions lie in.
        const int reach = resamplingReach(m_resampling);
        const auto pixel = [](double at, int side) { return int(std::clamp(std::floor(at), 0.0, side - 1.0)); };
        const int x0 = std::max(0, pixel(box[0], rasterWidth) - reach);
        const int y0 = std::max(0, pixel(box[1], rasterHeight) - reach);
        const int x1 = std::min(rasterWidth - 1, pixel(box[2], rasterWidth) + reach);
        const int y1 = std::min(rasterHeight - 1, pixel(box[3], rasterHeight) + reach);
        const qint64 pixels = qint64(x1 - x0 + 1) * (y1 - y0 + 1);
        if (pixels > kMostWindowPixels && (count > 1 || rows > 1)) {
            if (count > 1) {
                const int half = count / 2;
                return warpPart(strip, grid, left, half, top, rows, scratch, error)
                    && warpPart(strip, grid, left + half, count - half, top, rows, scratch, error);
            }
            const int half = rows / 2;
            return warpPart(strip, grid, left, count, top, half, scratch, error)
                && warpPart(strip, grid, left, count, top + half, rows - half, scratch, error);
        }
        scratch.window.resize(std::size_t(pixels));
        if (!m_source.read(x0, y0, x1 - x0 + 1, y1 - y0 + 1, scratch.window.data(), x1 - x0 + 1, strip.index,
                           strip.rasterTop, error))
            return false;
        const SourceWindow window{scratch.window.data(), x1 - x0 + 1, x0, y0, rasterWidth, rasterHeight};
        for (int r = 0; r < rows; ++r) {
            grid.row(top + r, left, count, scratch.x.data(), scratch.y.data(), scratch.ok.data());
            resampleRun(m_resampling, window, scratch.x.data(), scratch.y.data(), scratch.ok.data(), count,
                        out + std::size_t(r) * std::size_t(width));
        }
        return true;
    }

    std::shared_ptr<void> m_keep;  // the datasets, closed last
    Transformer m_transformer;
    std::mutex m_transformMutex;  // GDAL's transformer serves one thread at a time
    std::mutex m_gridMutex;
    std::map<int, std::shared_ptr<const WarpGrid>> m_grids;  // by kGridRows of level rows
    WarpSource m_source;
    Resampling m_resampling;
    std::deque<std::unique_ptr<Strip>> m_strips;  // started, in order
    std::vector<std::unique_ptr<Strip>> m_spare;  // read
    int m_nextStrip = 0;
    int m_readers = 1;
    std::atomic<bool> m_stop{false};
};

}  // namespace

std::unique_ptr<ImageRowReader> openWarpedRows(const RasterGeoreference &georeference, GDALDatasetH raster,
                                               GDALDatasetH source, qint32 budgetMB, std::shared_ptr<void> keep)
{
    if (!WarpSource::reads(raster) || georeference.size.isEmpty())
        return nullptr;
    Transformer transformer = levelTransformer(georeference, source);
    if (!transformer)
        return nullptr;
    // A warp needs a few rows of the raster at a time; one that needs the raster's every
    // row for each strip (a sheet turned a quarter) may hold up to a quarter of the budget.
    const std::size_t quarter = std::size_t(std::max(budgetMB, 0)) << 18;
    const std::size_t mostSourceBytes = std::max(kLeastSourceBytes, quarter);
    return std::make_unique<WarpedRows>(georeference, raster, std::move(transformer), mostSourceBytes,
                                        std::move(keep));
}
