// The pixels of a georeferenced raster, read (and warped onto the level grid) by GDAL
// strip by strip.

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QThreadPool>

#include <cpl_string.h>
#include <gdal_utils.h>

#include <thread>
#include <vector>

#include "project/gdal_support.h"
#include "project/geo_raster.h"
#include "project/image_file.h"
#include "project/image_rows.h"
#include "project/map_layer.h"

namespace {

// Memory a warp may use for one chunk of its work, MiB, shared by the columns read at
// once.
constexpr int kWarpMemoryMB = 32;

QString degrees(qint32 milliarcseconds)
{
    return QString::number(milliarcseconds / kMilliarcsecondsPerDegree, 'g', 17);
}

// A NULL-terminated list of C strings holding words, freed with it.
class CslList
{
public:
    explicit CslList(const QStringList &words)
    {
        for (const QString &word : words)
            m_list = CSLAddString(m_list, word.toUtf8().constData());
    }
    ~CslList() { CSLDestroy(m_list); }
    CslList(const CslList &) = delete;
    CslList &operator=(const CslList &) = delete;
    char **get() const { return m_list; }

private:
    char **m_list = nullptr;
};

// Datasets each read from the one before: closed last first.
class DatasetChain
{
public:
    DatasetChain() = default;
    DatasetChain(DatasetChain &&other) noexcept : m_sets(std::move(other.m_sets)) { other.m_sets.clear(); }
    ~DatasetChain()
    {
        for (auto set = m_sets.rbegin(); set != m_sets.rend(); ++set)
            GDALClose(*set);
    }
    DatasetChain(const DatasetChain &) = delete;
    DatasetChain &operator=(const DatasetChain &) = delete;

    // Appends dataset (may be null) and returns it.
    GDALDatasetH add(GDALDatasetH dataset)
    {
        if (dataset)
            m_sets.push_back(dataset);
        return dataset;
    }
    GDALDatasetH last() const { return m_sets.back(); }

private:
    std::vector<GDALDatasetH> m_sets;
};

// Rows of a GDAL dataset of one or three colour bands and an optional alpha band, as
// ARGB32 words. A warp is read through several chains of the same datasets, each
// warping its own columns of a strip on its own thread (a dataset is never shared
// between threads): GDAL warps one block at a time on the thread that reads it.
class GdalRows : public ImageRowReader
{
public:
    GdalRows(std::vector<DatasetChain> chains, int colourBands, int alphaBand)
        : m_chains(std::move(chains)), m_alphaBand(alphaBand)
    {
        GDALDatasetH output = m_chains.front().last();
        m_size = QSize(GDALGetRasterXSize(output), GDALGetRasterYSize(output));
        m_hasAlpha = alphaBand > 0;
        // ARGB32 words lie in memory as blue, green, red, alpha.
        m_bands = colourBands == 1 ? std::vector<int>{1, 1, 1} : std::vector<int>{3, 2, 1};
        if (alphaBand > 0)
            m_bands.push_back(alphaBand);
    }

protected:
    bool decodeRows(int count, uchar *dest, qsizetype stride) override
    {
        const int parts = int(m_chains.size());
        std::vector<QString> failures(static_cast<std::size_t>(parts));
        std::vector<std::thread> threads;
        for (int part = 1; part < parts; ++part)
            threads.emplace_back([this, part, count, dest, stride, &failures]() {
                failures[std::size_t(part)] = readPart(part, count, dest, stride);
            });
        failures[0] = readPart(0, count, dest, stride);
        for (std::thread &thread : threads)
            thread.join();
        for (const QString &failure : failures) {
            if (!failure.isEmpty())
                return fail(kImageFileInvalid, failure);
        }
        return true;
    }

private:
    // Reads columns of part `part` of the next count rows; the reason on failure.
    QString readPart(int part, int count, uchar *dest, qsizetype stride)
    {
        GdalErrors errors;
        const int parts = int(m_chains.size());
        const int left = int(qint64(m_size.width()) * part / parts);
        const int width = int(qint64(m_size.width()) * (part + 1) / parts) - left;
        uchar *first = dest + 4 * qsizetype(left);
        const CPLErr result = GDALDatasetRasterIO(m_chains[std::size_t(part)].last(), GF_Read, left, m_nextRow,
                                                  width, count, first, width, count, GDT_Byte,
                                                  int(m_bands.size()), m_bands.data(), 4, int(stride), 1);
        if (result != CE_None)
            return errors.text(QCoreApplication::translate("GeoRaster", "the raster cannot be read"));
        if (m_alphaBand == 0) {
            for (int y = 0; y < count; ++y) {
                uchar *row = first + y * stride;
                for (int x = 0; x < width; ++x)
                    row[4 * x + 3] = 0xff;
            }
        }
        return QString();
    }

    std::vector<DatasetChain> m_chains;  // each: source first, the dataset read last
    std::vector<int> m_bands;
    int m_alphaBand = 0;
};

// The bands of a dataset that hold colour (1 grey or 3 RGB) and its alpha band
// (0 for none); false for other layouts.
bool bandLayout(GDALDatasetH dataset, int *colourBands, int *alphaBand)
{
    const int count = GDALGetRasterCount(dataset);
    for (int band = 1; band <= count; ++band) {
        if (GDALGetRasterDataType(GDALGetRasterBand(dataset, band)) != GDT_Byte)
            return false;
    }
    *alphaBand = 0;
    if (count == 2 || count == 4) {
        const GDALRasterBandH last = GDALGetRasterBand(dataset, count);
        if (GDALGetRasterColorInterpretation(last) != GCI_AlphaBand)
            return false;
        *alphaBand = count;
    }
    *colourBands = count >= 3 ? 3 : 1;
    return count >= 1 && count <= 4;
}

// Opens the raster into *built and, for a warp, the datasets that warp it; fills the
// bands of the dataset read last. Returns the reason on failure, with *status.
QString buildChain(const RasterGeoreference &georeference, int warpMemoryMB, DatasetChain *built, int *colourBands,
                   int *alphaBand, int *status)
{
    const auto failed = [status](int code, const QString &reason) {
        *status = code;
        return reason;
    };
    GdalErrors errors;
    const QByteArray name = QFile::encodeName(georeference.rasterPath);
    DatasetChain &chain = *built;
    GDALDatasetH raster = chain.add(GDALOpenEx(name.constData(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr,
                                               nullptr, nullptr));
    if (!raster) {
        return failed(QFileInfo::exists(georeference.rasterPath) ? kImageFileInvalid : kImageFileUnreadable,
                      errors.text(QCoreApplication::translate("GeoRaster", "the raster cannot be opened")));
    }
    // A copy of the source in memory that says what the georeference says: its grid
    // (a world file's .prj), its ground control points; palettes become colours.
    QStringList words{QStringLiteral("-of"), QStringLiteral("VRT")};
    const GDALRasterBandH first = GDALGetRasterBand(raster, 1);
    if (first && GDALGetRasterColorTable(first))
        words << QStringLiteral("-expand") << QStringLiteral("rgba");
    // 16-bit samples (PNG, TIFF) keep their high byte, as the image readers keep it:
    // GDAL rounds v / 256 - 0.5, which is v / 256 cut.
    if (first && GDALGetRasterDataType(first) == GDT_UInt16)
        words << QStringLiteral("-ot") << QStringLiteral("Byte") << QStringLiteral("-scale") << QStringLiteral("0")
              << QStringLiteral("65536") << QStringLiteral("-0.5") << QStringLiteral("255.5");
    // Four bands whose last is no alpha (red, green, blue, infrared): the colours only.
    if (GDALGetRasterCount(raster) == 4
        && GDALGetRasterColorInterpretation(GDALGetRasterBand(raster, 4)) != GCI_AlphaBand)
        words << QStringLiteral("-b") << QStringLiteral("1") << QStringLiteral("-b") << QStringLiteral("2")
              << QStringLiteral("-b") << QStringLiteral("3");
    GDALDatasetH source = nullptr;
    {
        const CslList list(words);
        GDALTranslateOptions *options = GDALTranslateOptionsNew(list.get(), nullptr);
        source = chain.add(GDALTranslate("", raster, options, nullptr));
        GDALTranslateOptionsFree(options);
    }
    if (!source)
        return failed(kImageFileInvalid,
                      errors.text(QCoreApplication::translate("GeoRaster", "the raster cannot be read")));
    if (!bandLayout(source, colourBands, alphaBand))
        return failed(kImageFileInvalid,
                      QCoreApplication::translate("GeoRaster", "only rasters of 8-bit grey, RGB or palette colours "
                                                               "(with or without alpha) can be read"));
    if (georeference.kind == RasterGeoreference::AsIs)
        return QString();

    if (georeference.gcps.isEmpty()) {
        OGRSpatialReference reference;
        referenceFromWkt(georeference.srsWkt, &reference);
        GDALSetSpatialRef(source, OGRSpatialReference::ToHandle(&reference));
        std::array<double, 6> transform = georeference.geoTransform;
        GDALSetGeoTransform(source, transform.data());
    } else {
        std::vector<GDAL_GCP> gcps = gdalGcps(georeference);
        OGRSpatialReference wgs84 = wgs84Reference();
        GDALSetGCPs2(source, int(gcps.size()), gcps.data(), OGRSpatialReference::ToHandle(&wgs84));
        GDALDeinitGCPs(int(gcps.size()), gcps.data());
    }
    static const char *const kResampling[] = {"near", "bilinear", "cubic", "lanczos"};
    words = QStringList{QStringLiteral("-of"), QStringLiteral("VRT"), QStringLiteral("-t_srs"),
                        QStringLiteral("+proj=longlat +datum=WGS84 +no_defs"), QStringLiteral("-te"),
                        degrees(georeference.westMas), degrees(georeference.southMas), degrees(georeference.eastMas),
                        degrees(georeference.northMas), QStringLiteral("-ts"),
                        QString::number(georeference.size.width()), QString::number(georeference.size.height()),
                        QStringLiteral("-r"), QString::fromLatin1(kResampling[int(georeference.resampling)]),
                        QStringLiteral("-wm"), QString::number(warpMemoryMB)};
    if (*alphaBand == 0)
        words << QStringLiteral("-dstalpha");
    // The points, not a geotransform the raster may also carry, map its pixels.
    if (!georeference.gcps.isEmpty())
        words << gcpWarpOptions(georeference);
    const CslList list(words);
    GDALWarpAppOptions *options = GDALWarpAppOptionsNew(list.get(), nullptr);
    GDALDatasetH sources[] = {source};
    const GDALDatasetH warped = chain.add(GDALWarp("", nullptr, 1, sources, options, nullptr));
    GDALWarpAppOptionsFree(options);
    if (!warped)
        return failed(kImageFileInvalid,
                      errors.text(QCoreApplication::translate("GeoRaster", "the raster cannot be warped")));
    // The warp's output: the source's colour bands and an alpha band that is 0 outside
    // the footprint.
    *alphaBand = *colourBands + 1;
    return QString();
}

}  // namespace

std::unique_ptr<ImageRowReader> openGeoreferencedRows(const RasterGeoreference &georeference, qint32 budgetMB,
                                                      std::atomic<qint64> *position, int *status, QString *error)
{
    if (georeference.kind == RasterGeoreference::AsIs) {
        // The image readers decode PNG, JPEG and BMP as they always have, so a raster
        // on the level grid gives the same level as the image calibrated by hand; GDAL
        // streams the rest (a GeoTIFF), which the image library would decode whole.
        std::unique_ptr<ImageRowReader> own = openImageRows(georeference.rasterPath, budgetMB, position, status,
                                                            error);
        if (own && (own->streams() || QImageReader::imageFormat(georeference.rasterPath) == "bmp"))
            return own;
    }
    ensureGdal();
    // Wide warps are shared among the cores by columns; a narrow one is not worth it.
    const int parts = georeference.kind == RasterGeoreference::Warped && georeference.size.width() >= 2048
        ? qBound(1, QThreadPool::globalInstance()->maxThreadCount(), 8)
        : 1;
    std::vector<DatasetChain> chains(static_cast<std::size_t>(parts));
    int colourBands = 0;
    int alphaBand = 0;
    for (DatasetChain &chain : chains) {
        const QString reason = buildChain(georeference, std::max(8, kWarpMemoryMB / parts), &chain, &colourBands,
                                          &alphaBand, status);
        if (!reason.isEmpty()) {
            *error = reason;
            return nullptr;
        }
    }
    *status = kImageFileOk;
    return std::make_unique<GdalRows>(std::move(chains), colourBands, alphaBand);
}
