// The pixels of a georeferenced raster, read (and warped onto the level grid) by GDAL
// strip by strip.

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentMap>

#include <numeric>
#include <vector>

#include "geo/milliarcseconds.h"
#include "raster/gdal_support.h"
#include "raster/geo_raster.h"
#include "raster/image_file.h"
#include "raster/image_rows.h"
#include "raster/warped_rows.h"

namespace {

// Memory a warp may use for one chunk of its work, MiB, shared by the columns read at
// once.
constexpr int kWarpMemoryMB = 32;
// DatasetChain::build's memory for a chain that ends with the georeferenced source,
// unwarped.
constexpr int kSourceOnly = 0;

QString degrees(qint32 milliarcseconds)
{
    return QString::number(masToDegrees(milliarcseconds), 'g', 17);
}

// What GdalRows reads of the dataset at the end of a chain: one or three colour bands
// and an optional alpha band, of 8 or 16 bits (16-bit samples keep their high byte,
// as the image readers keep it; an alpha band the warp made runs 0 to 255 in any
// case), and for a raster taken as it is the nodata values of its colour bands.
struct BandLayout
{
    int colourBands = 0;  // 1 (grey) or 3 (red, green, blue)
    int alphaBand = 0;    // 0 for none
    bool sixteenBits = false;
    bool warpedAlpha = false;  // the alpha band runs 0 to 255 whatever the samples' size
    // Per colour band, whether it has a nodata value and which: a pixel whose every
    // band with one holds it is transparent.
    std::vector<std::pair<bool, double>> nodata;
};

// Datasets each read from the one before: the raster, a copy of it in memory that says
// what the georeference says, and for a warp the warp's output. Closed last first.
class DatasetChain
{
public:
    DatasetChain() = default;
    DatasetChain(DatasetChain &&other) noexcept = default;
    ~DatasetChain()
    {
        while (!m_sets.empty())
            m_sets.pop_back();
    }
    DatasetChain(const DatasetChain &) = delete;
    DatasetChain &operator=(const DatasetChain &) = delete;

    // Opens the raster and, for a warp, the datasets that warp it (with warpMemoryMB
    // kSourceOnly, the georeferenced source to warp without them); fills the layout of
    // the dataset read last. errorString() says why when it fails.
    ImageFileStatus build(const RasterGeoreference &georeference, int warpMemoryMB, BandLayout *layout);
    QString errorString() const { return m_errorString; }

    GDALDatasetH first() const { return m_sets.front().get(); }
    GDALDatasetH last() const { return m_sets.back().get(); }

private:
    // Appends dataset (may be null) and returns it.
    GDALDatasetH add(GdalDataset dataset)
    {
        if (!dataset)
            return nullptr;
        m_sets.push_back(std::move(dataset));
        return m_sets.back().get();
    }
    ImageFileStatus fail(ImageFileStatus status, const QString &reason)
    {
        m_errorString = reason;
        return status;
    }

    std::vector<GdalDataset> m_sets;
    QString m_errorString;
};

// Rows of a GDAL dataset as ARGB32 words. A warp is read through several chains of
// the same datasets, each warping its own columns of a strip on a thread of the pool (a
// dataset is never shared between threads): GDAL warps one block at a time on the
// thread that reads it.
class GdalRows : public ImageRowReader
{
public:
    GdalRows(std::vector<DatasetChain> chains, const BandLayout &layout)
        : m_chains(std::move(chains)), m_layout(layout)
    {
        GDALDatasetH output = m_chains.front().last();
        m_size = QSize(GDALGetRasterXSize(output), GDALGetRasterYSize(output));
        m_hasAlpha = layout.alphaBand > 0 || hasNodata();
    }

protected:
    bool decodeRows(int count, uchar *dest, qsizetype stride) override
    {
        std::vector<int> parts(m_chains.size());
        std::iota(parts.begin(), parts.end(), 0);
        std::vector<QString> failures(parts.size());
        QtConcurrent::blockingMap(parts, [this, count, dest, stride, &failures](int part) {
            failures[std::size_t(part)] = readPart(part, count, dest, stride);
        });
        for (const QString &failure : failures) {
            if (!failure.isEmpty())
                return fail(ImageFileStatus::Invalid, failure);
        }
        return true;
    }

private:
    bool hasNodata() const
    {
        for (const auto &[has, value] : m_layout.nodata) {
            if (has)
                return true;
        }
        return false;
    }

    // Reads columns of part `part` of the next count rows; the reason on failure.
    QString readPart(int part, int count, uchar *dest, qsizetype stride)
    {
        GdalErrors errors;
        const int parts = int(m_chains.size());
        const int left = int(qint64(m_size.width()) * part / parts);
        const int width = int(qint64(m_size.width()) * (part + 1) / parts) - left;
        uchar *first = dest + 4 * qsizetype(left);
        GDALDatasetH dataset = m_chains[std::size_t(part)].last();
        const bool ok = m_layout.sixteenBits || hasNodata()
            ? readSamples(dataset, left, width, count, first, stride)
            : readBytes(dataset, left, width, count, first, stride);
        return ok ? QString() : errors.text(QCoreApplication::translate("GeoRaster", "the raster cannot be read"));
    }

    // 8-bit samples without nodata, straight into the words.
    bool readBytes(GDALDatasetH dataset, int left, int width, int count, uchar *first, qsizetype stride)
    {
        // ARGB32 words lie in memory as blue, green, red, alpha.
        std::vector<int> bands = m_layout.colourBands == 1 ? std::vector<int>{1, 1, 1} : std::vector<int>{3, 2, 1};
        if (m_layout.alphaBand > 0)
            bands.push_back(m_layout.alphaBand);
        if (GDALDatasetRasterIO(dataset, GF_Read, left, m_nextRow, width, count, first, width, count, GDT_Byte,
                                int(bands.size()), bands.data(), 4, int(stride), 1)
            != CE_None)
            return false;
        if (m_layout.alphaBand == 0) {
            for (int y = 0; y < count; ++y) {
                uchar *row = first + y * stride;
                for (int x = 0; x < width; ++x)
                    row[4 * x + 3] = 0xff;
            }
        }
        return true;
    }

    // Samples as stored, a few rows at a time: nodata compared on them, then reduced to
    // 8 bits.
    bool readSamples(GDALDatasetH dataset, int left, int width, int count, uchar *first, qsizetype stride)
    {
        std::vector<int> bands = m_layout.colourBands == 1 ? std::vector<int>{1} : std::vector<int>{1, 2, 3};
        if (m_layout.alphaBand > 0)
            bands.push_back(m_layout.alphaBand);
        const int bandCount = int(bands.size());
        const int shift = m_layout.sixteenBits ? 8 : 0;
        const int alphaShift = m_layout.warpedAlpha ? 0 : shift;
        constexpr int kRowsAtOnce = 16;
        std::vector<quint16> samples(std::size_t(width) * kRowsAtOnce * std::size_t(bandCount));
        for (int top = 0; top < count; top += kRowsAtOnce) {
            const int rows = std::min(kRowsAtOnce, count - top);
            if (GDALDatasetRasterIO(dataset, GF_Read, left, m_nextRow + top, width, rows, samples.data(), width, rows,
                                    GDT_UInt16, bandCount, bands.data(), 2 * bandCount, 2 * bandCount * width, 2)
                != CE_None)
                return false;
            for (int y = 0; y < rows; ++y) {
                uchar *row = first + (top + y) * stride;
                const quint16 *pixel = samples.data() + std::size_t(y) * width * bandCount;
                for (int x = 0; x < width; ++x, pixel += bandCount) {
                    const int colours = m_layout.colourBands;
                    uchar *word = row + 4 * x;
                    word[2] = uchar(pixel[0] >> shift);
                    word[1] = uchar(pixel[colours == 1 ? 0 : 1] >> shift);
                    word[0] = uchar(pixel[colours == 1 ? 0 : 2] >> shift);
                    word[3] = m_layout.alphaBand > 0 ? uchar(pixel[colours] >> alphaShift) : 0xff;
                    if (isNodata(pixel))
                        word[3] = 0;
                }
            }
        }
        return true;
    }

    bool isNodata(const quint16 *pixel) const
    {
        bool any = false;
        for (int band = 0; band < m_layout.colourBands && band < int(m_layout.nodata.size()); ++band) {
            const auto &[has, value] = m_layout.nodata[std::size_t(band)];
            if (has && double(pixel[band]) != value)
                return false;
            any = any || has;
        }
        return any;
    }

    std::vector<DatasetChain> m_chains;  // each: source first, the dataset read last
    BandLayout m_layout;
};

// The bands of a dataset that hold colour (1 grey or 3 RGB) and its alpha band
// (0 for none), all of 8 or all of 16 bits; false for other layouts.
bool bandLayout(GDALDatasetH dataset, BandLayout *layout)
{
    const int count = GDALGetRasterCount(dataset);
    if (count < 1 || count > 4)
        return false;
    const GDALDataType type = GDALGetRasterDataType(GDALGetRasterBand(dataset, 1));
    for (int band = 1; band <= count; ++band) {
        const GDALDataType own = GDALGetRasterDataType(GDALGetRasterBand(dataset, band));
        if (own != type || (own != GDT_Byte && own != GDT_UInt16))
            return false;
    }
    layout->sixteenBits = type == GDT_UInt16;
    layout->alphaBand = 0;
    if (count == 2 || count == 4) {
        const GDALRasterBandH last = GDALGetRasterBand(dataset, count);
        if (GDALGetRasterColorInterpretation(last) != GCI_AlphaBand)
            return false;
        layout->alphaBand = count;
    }
    layout->colourBands = count >= 3 ? 3 : 1;
    return true;
}

ImageFileStatus DatasetChain::build(const RasterGeoreference &georeference, int warpMemoryMB, BandLayout *layout)
{
    GdalErrors errors;
    ImageFileStatus opened = ImageFileStatus::Ok;
    QString reason;
    GDALDatasetH raster = add(openRasterFile(georeference.rasterPath, &opened, &reason));
    if (!raster)
        return fail(opened, reason);
    // A copy of the source in memory that says what the georeference says: its grid
    // (a world file's .prj), its ground control points; palettes become colours, and
    // their nodata entry transparent.
    QStringList words{QStringLiteral("-of"), QStringLiteral("VRT")};
    const GDALRasterBandH first = GDALGetRasterBand(raster, 1);
    if (first && GDALGetRasterColorTable(first))
        words << QStringLiteral("-expand") << QStringLiteral("rgba");
    // Four bands whose last is no alpha (red, green, blue, infrared): the colours only.
    if (GDALGetRasterCount(raster) == 4
        && GDALGetRasterColorInterpretation(GDALGetRasterBand(raster, 4)) != GCI_AlphaBand)
        words << QStringLiteral("-b") << QStringLiteral("1") << QStringLiteral("-b") << QStringLiteral("2")
              << QStringLiteral("-b") << QStringLiteral("3");
    const GdalTranslateOptions translate(GDALTranslateOptionsNew(gdalStringList(words).get(), nullptr));
    GDALDatasetH source = add(GdalDataset(GDALTranslate("", raster, translate.get(), nullptr)));
    if (!source) {
        return fail(ImageFileStatus::Invalid,
                    errors.text(QCoreApplication::translate("GeoRaster", "the raster cannot be read")));
    }
    if (!bandLayout(source, layout)) {
        return fail(ImageFileStatus::Invalid,
                    QCoreApplication::translate("GeoRaster", "only rasters of 8- or 16-bit grey, RGB or palette "
                                                             "colours (with or without alpha) can be read"));
    }
    if (georeference.kind == RasterGeoreference::AsIs) {
        for (int band = 1; band <= layout->colourBands; ++band) {
            int has = FALSE;
            const double value = GDALGetRasterNoDataValue(GDALGetRasterBand(source, band), &has);
            layout->nodata.emplace_back(has != FALSE, value);
        }
        return ImageFileStatus::Ok;
    }

    if (georeference.gcps.isEmpty()) {
        OGRSpatialReference reference;
        referenceFromWkt(georeference.srsWkt, &reference);
        GDALSetSpatialRef(source, OGRSpatialReference::ToHandle(&reference));
        std::array<double, 6> transform = georeference.geoTransform;
        GDALSetGeoTransform(source, transform.data());
    } else {
        // The points on their own grid: the warp fits them there, then reprojects.
        std::vector<GDAL_GCP> gcps = gdalGcps(georeference);
        OGRSpatialReference grid = wgs84Reference();
        if (!georeference.srsWkt.isEmpty())
            referenceFromWkt(georeference.srsWkt, &grid);
        GDALSetGCPs2(source, int(gcps.size()), gcps.data(), OGRSpatialReference::ToHandle(&grid));
        GDALDeinitGCPs(int(gcps.size()), gcps.data());
    }
    if (warpMemoryMB == kSourceOnly)
        return ImageFileStatus::Ok;
    static const char *const kResampling[] = {"near", "bilinear", "cubic", "lanczos"};
    words = QStringList{QStringLiteral("-of"), QStringLiteral("VRT"), QStringLiteral("-t_srs"),
                        QStringLiteral("+proj=longlat +datum=WGS84 +no_defs"), QStringLiteral("-te"),
                        degrees(georeference.westMas), degrees(georeference.southMas), degrees(georeference.eastMas),
                        degrees(georeference.northMas), QStringLiteral("-ts"),
                        QString::number(georeference.size.width()), QString::number(georeference.size.height()),
                        QStringLiteral("-r"), QString::fromLatin1(kResampling[int(georeference.resampling)]),
                        QStringLiteral("-wm"), QString::number(warpMemoryMB),
                        // A pixel is nodata when every band holds its nodata value, never for one
                        // band alone (a pure blue with no red).
                        QStringLiteral("-wo"), QStringLiteral("UNIFIED_SRC_NODATA=YES")};
    if (layout->alphaBand == 0)
        words << QStringLiteral("-dstalpha");
    if (layout->sixteenBits) {
        words << QStringLiteral("-wo") << QStringLiteral("DST_ALPHA_MAX=255");
        if (layout->alphaBand > 0)
            words << QStringLiteral("-wo") << QStringLiteral("SRC_ALPHA_MAX=65535");
    }
    // The points, not a geotransform the raster may also carry, map its pixels.
    if (!georeference.gcps.isEmpty())
        words << gcpWarpOptions(georeference);
    const GdalWarpOptions warp(GDALWarpAppOptionsNew(gdalStringList(words).get(), nullptr));
    GDALDatasetH sources[] = {source};
    if (!add(GdalDataset(GDALWarp("", nullptr, 1, sources, warp.get(), nullptr)))) {
        return fail(ImageFileStatus::Invalid,
                    errors.text(QCoreApplication::translate("GeoRaster", "the raster cannot be warped")));
    }
    // The warp's output: the source's colour bands and an alpha band that is 0 outside
    // the footprint and where the source has no data.
    layout->alphaBand = layout->colourBands + 1;
    layout->warpedAlpha = true;
    return ImageFileStatus::Ok;
}

}  // namespace

std::unique_ptr<ImageRowReader> openGeoreferencedRows(const RasterGeoreference &georeference, qint32 budgetMB,
                                                      std::atomic<qint64> *position)
{
    if (georeference.kind == RasterGeoreference::AsIs && !georeference.nodata) {
        // The image readers decode PNG, JPEG and BMP as they always have, so a raster
        // on the level grid gives the same level as the image calibrated by hand; GDAL
        // streams the rest (a GeoTIFF), which the image library would decode whole.
        // One with nodata goes to GDAL, which knows where it has none.
        std::unique_ptr<ImageRowReader> own = openImageRows(georeference.rasterPath, budgetMB, position);
        if (own->status() == ImageFileStatus::Ok
            && (own->streams() || QImageReader::imageFormat(georeference.rasterPath) == "bmp"))
            return own;
    }
    ensureGdal();
    // The program resamples what it can itself (see openWarpedRows); GDAL's warp the rest.
    if (georeference.kind == RasterGeoreference::Warped) {
        auto chain = std::make_shared<DatasetChain>();
        BandLayout layout;
        const ImageFileStatus built = chain->build(georeference, kSourceOnly, &layout);
        if (built != ImageFileStatus::Ok)
            return failedRows(built, chain->errorString());
        const GDALDatasetH raster = chain->first();
        const GDALDatasetH source = chain->last();
        if (std::unique_ptr<ImageRowReader> own = openWarpedRows(georeference, raster, source, budgetMB,
                                                                 std::move(chain)))
            return own;
    }
    // Wide warps are shared among the cores by columns; a narrow one is not worth it.
    const int parts = georeference.kind == RasterGeoreference::Warped && georeference.size.width() >= 2048
        ? qBound(1, QThreadPool::globalInstance()->maxThreadCount(), 8)
        : 1;
    std::vector<DatasetChain> chains(static_cast<std::size_t>(parts));
    BandLayout layout;
    for (DatasetChain &chain : chains) {
        layout = BandLayout();
        const ImageFileStatus built = chain.build(georeference, std::max(8, kWarpMemoryMB / parts), &layout);
        if (built != ImageFileStatus::Ok)
            return failedRows(built, chain.errorString());
    }
    return std::make_unique<GdalRows>(std::move(chains), layout);
}
