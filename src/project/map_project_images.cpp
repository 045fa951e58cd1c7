// Decoded layer images of MapProject: loading, the memory budget and scaled copies.

#include "project/map_project.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>

#include <cmath>
#include <limits>
#include <memory>

#include "project/layer_mosaic.h"
#include "raster/image_file.h"
#include "raster/image_rows.h"
#include "raster/ozi_map.h"

namespace {

// Budget kept free of decoded images, MiB.
constexpr qint64 kReservedMB = 100;

// How often events are processed while an image decodes for a long job, ms.
constexpr int kPumpIntervalMs = 50;

// value x factor truncated toward zero, saturated to 32 bits.
qint32 scaledCoordinate(qint32 value, double factor)
{
    const double scaled = std::trunc(double(value) * factor);
    if (!(scaled > double(std::numeric_limits<qint32>::min())))
        return std::isnan(scaled) ? 0 : std::numeric_limits<qint32>::min();
    if (scaled >= double(std::numeric_limits<qint32>::max()))
        return std::numeric_limits<qint32>::max();
    return qint32(scaled);
}

// (width x factor, height x factor), truncated; invalid when a side would be empty.
QSize resizedSize(QSize size, double factor)
{
    if (factor == 1.0)
        return size;
    const double width = std::trunc(size.width() * factor);
    const double height = std::trunc(size.height() * factor);
    if (!(width >= 1.0 && height >= 1.0 && width <= std::numeric_limits<int>::max()
          && height <= std::numeric_limits<int>::max())) {
        return QSize();
    }
    return QSize(int(width), int(height));
}

// image resized to resizedSize, nearest pixel, aspect ratio ignored; null when a side
// would be empty.
QImage resized(const QImage &image, double factor)
{
    if (image.isNull())
        return QImage();
    if (factor == 1.0)
        return image;
    const QSize size = resizedSize(image.size(), factor);
    if (!size.isValid())
        return QImage();
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

}  // namespace

void MapProject::setImage(MapLayer *layer, const QImage &image)
{
    layer->image = image;
    layer->loaded = true;
    layer->loadedAt = ++m_loadCounter;
    layer->memoryMB = imageMemoryMB(image.size());
    loadedMB = qint32(qMin<qint64>(qint64(loadedMB) + layer->memoryMB, std::numeric_limits<qint32>::max()));
}

void MapProject::unloadImage(MapLayer *layer)
{
    if (!layer->loaded)
        return;
    loadedMB -= layer->memoryMB;
    layer->image = QImage();
    layer->loaded = false;
}

QImage MapProject::decodeSource(const MapLayer &layer, const QByteArray *smfBytes, SmfLevelDecoder smfDecoder,
                                qint32 budgetMB, std::atomic<qint64> *position, QString *error)
{
    if (layer.fromSmf && !smfDecoder)
        return QImage();
    QImage source;
    if (layer.fromSmf) {
        source = smfDecoder(layer.sourcePath, smfBytes, layer.smfLevel);
    } else {
        const std::unique_ptr<ImageRowReader> rows = openLayerRows(layer, budgetMB, position);
        source = rows->readWholeImage(budgetMB);
        if (source.isNull() && error)
            *error = rows->errorString();
    }
    return resized(source, layer.zoom);
}

const QByteArray *MapProject::smfBytesOf(const MapLayer &layer) const
{
    return layer.fromSmf && layer.smfSource < smfImages.size() ? &smfImages.at(layer.smfSource) : nullptr;
}

void MapProject::loadImage(MapLayer *layer)
{
    QString reason;
    const QImage image = decodeSource(*layer, smfBytesOf(*layer), smfLevelDecoder, physicalMB, nullptr, &reason);
    // A source that cannot be decoded stays unloaded, so the next request tries again.
    if (!image.isNull())
        setImage(layer, image);
    else if (!reason.isEmpty())
        m_errorString = reason;
}

void MapProject::trimMemory()
{
    if (qint64(loadedMB) + kReservedMB <= physicalMB)
        return;
    MapLayer *earliest = nullptr;
    for (MapLayer *layer : std::as_const(layers)) {
        if (layer->loaded && (!earliest || layer->loadedAt < earliest->loadedAt))
            earliest = layer;
    }
    if (earliest)
        unloadImage(earliest);
}

QImage *MapProject::layerImage(int layer)
{
    MapLayer *record = layerAt(layer);
    if (!record)
        return nullptr;
    trimMemory();
    if (!record->loaded)
        loadImage(record);
    record->fitBottomRightToImage();
    return &record->image;
}

QImage MapProject::sourceImage(int layer) const
{
    if (layer < 0 || layer >= layers.size())
        return QImage();
    return sourceImage(*layers.at(layer));
}

QImage MapProject::sourceImage(const MapLayer &layer) const
{
    return openImageRows(layer.sourcePath, physicalMB)->readWholeImage(physicalMB);
}

QImage *MapProject::layerImage(int layer, ProgressReporter *progress, bool *decoded)
{
    MapLayer *record = layerAt(layer);
    if (decoded)
        *decoded = false;
    if (!record)
        return nullptr;
    if (record->loaded || !progress)
        return layerImage(layer);
    trimMemory();
    // The worker gets copies: the events pumped here may change the project.
    const MapLayer source = *record;
    const QByteArray *smfBytes = smfBytesOf(source);
    const QByteArray bytes = smfBytes ? *smfBytes : QByteArray();  // implicitly shared, safe to read there
    const qint32 budgetMB = physicalMB;
    const qint64 fileSize = source.fromSmf ? 0 : QFileInfo(source.sourcePath).size();
    std::atomic<qint64> position{0};
    QImage image;
    const SmfLevelDecoder smfDecoder = smfLevelDecoder;
    std::unique_ptr<QThread> worker(QThread::create([&image, &source, smfBytes, &bytes, smfDecoder, budgetMB, &position]() {
        image = decodeSource(source, smfBytes ? &bytes : nullptr, smfDecoder, budgetMB, &position);
    }));
    worker->start();
    while (!worker->wait(QDeadlineTimer(kPumpIntervalMs))) {
        if (fileSize > 0)
            progress->setFineValue(qBound(0.0, double(position.load(std::memory_order_relaxed)) / fileSize, 1.0));
        progress->pumpEvents();
    }
    // The image belongs to the record it was decoded for, and only while that record is
    // in the project and still reads the same source.
    if (!layers.contains(record))
        return nullptr;
    const bool sameSource = record->sourcePath == source.sourcePath && record->georeference == source.georeference
        && record->mosaic == source.mosaic
        && record->zoom == source.zoom && record->fromSmf == source.fromSmf && record->smfLevel == source.smfLevel
        && record->smfSource == source.smfSource;
    if (sameSource && !record->loaded && !image.isNull()) {
        setImage(record, image);
        if (decoded)
            *decoded = true;
    }
    record->fitBottomRightToImage();
    return &record->image;
}

void MapProject::releaseImage(int layer)
{
    if (MapLayer *record = layerAt(layer))
        unloadImage(record);
}

std::unique_ptr<ImageRowReader> openLayerRows(const MapLayer &layer, qint32 budgetMB, std::atomic<qint64> *position)
{
    if (layer.mosaic)
        return openMosaicRows(layer.mosaic->raster, budgetMB);
    if (layer.georeference)
        return openGeoreferencedRows(*layer.georeference, budgetMB, position);
    return openImageRows(layer.sourcePath, budgetMB, position);
}

QSize layerImageSize(const MapLayer &layer)
{
    if (layer.loaded)
        return layer.image.size();
    if (layer.fromSmf)
        return QSize();
    const QSize size = layer.mosaic ? layer.mosaic->raster.size
        : layer.georeference        ? layer.georeference->size
                                    : imageFileSize(layer.sourcePath);
    return size.isValid() ? resizedSize(size, layer.zoom) : QSize();
}

namespace {

// "the top-left pixel (12, 30)".
QString pixelText(bool topLeft, QPoint pixel)
{
    return (topLeft ? LayerImport::tr("the top-left pixel (%1, %2)")
                    : LayerImport::tr("the bottom-right pixel (%1, %2)"))
        .arg(pixel.x())
        .arg(pixel.y());
}

}  // namespace

bool MapProject::addImportedLayer(LayerImport &import, LayerLoading loading)
{
    const MapLayer &imported = import.layer;
    const auto refuse = [&import](ImageFileStatus status, const QString &reason) {
        import.status =
            status == ImageFileStatus::Unreadable ? LayerImportStatus::Unreadable : LayerImportStatus::Invalid;
        import.reason = reason;
        return false;
    };
    const std::unique_ptr<ImageRowReader> rows = openLayerRows(imported, physicalMB);
    const QImage image = loading == LayerLoading::Decode ? rows->readWholeImage(physicalMB) : QImage();
    if (rows->status() != ImageFileStatus::Ok) {
        return refuse(rows->status(), QCoreApplication::translate("MapProject", "cannot read the image %1: %2")
                                          .arg(imported.sourcePath, rows->failureText()));
    }
    const QSize size = rows->size();
    auto layer = std::make_unique<MapLayer>(imported);
    if (!layer->bottomRightLatSet)
        layer->bottomRight.pixelY = size.height();
    if (loading == LayerLoading::HeaderOnly) {
        layer->fitBottomRightTo(size);
        const QPoint given(imported.bottomRight.pixelX, imported.bottomRight.pixelY);
        if (imported.bottomRightLatSet && QPoint(layer->bottomRight.pixelX, layer->bottomRight.pixelY) != given) {
            import.warnings << LayerImport::tr("%1 lies beyond the %2 x %3 image and is moved to its edge")
                                   .arg(pixelText(false, given))
                                   .arg(size.width())
                                   .arg(size.height());
        }
    }
    if (import.typed) {
        const TypedCalibration &typed = *import.typed;
        const QPoint topLeft = typed.atImageCorners ? QPoint(0, 0) : typed.topLeft;
        const QPoint bottomRight = typed.atImageCorners ? QPoint(size.width(), size.height()) : typed.bottomRight;
        const QRect within(0, 0, size.width() + 1, size.height() + 1);  // pixels 0..width, 0..height
        for (const bool isTopLeft : {true, false}) {
            const QPoint pixel = isTopLeft ? topLeft : bottomRight;
            if (!within.contains(pixel)) {
                return refuse(ImageFileStatus::Invalid,
                              LayerImport::tr("%1 lies outside the %2 x %3 image (x 0 to %2, y 0 to %3)")
                                  .arg(pixelText(isTopLeft, pixel))
                                  .arg(size.width())
                                  .arg(size.height()));
            }
        }
    }
    layer->updateScales();
    if (loading == LayerLoading::Decode)
        setImage(layer.get(), image);
    layers.append(layer.release());
    changeFlags |= kLayersChanged;
    if (import.typed) {
        TypedCalibration typed = *import.typed;
        if (typed.atImageCorners) {
            typed.topLeft = QPoint(0, 0);
            typed.bottomRight = QPoint(size.width(), size.height());
        }
        enterCalibration(int(layers.size()) - 1, typed);
    }
    return true;
}

bool MapProject::setGeoreference(int layer, std::shared_ptr<const RasterGeoreference> georeference,
                                const LayerCalibration &calibration)
{
    MapLayer *record = layerAt(layer);
    if (!record)
        return false;
    if (record->georeference != georeference) {
        if (!georeference) {
            // The plain image must be there to take the place of the raster's own.
            const std::unique_ptr<ImageRowReader> plain = openImageRows(record->sourcePath, physicalMB);
            if (plain->status() != ImageFileStatus::Ok) {
                m_errorString = QCoreApplication::translate("MapProject", "cannot read the image %1: %2")
                                    .arg(record->sourcePath, plain->errorString());
                return false;
            }
        }
        record->georeference = std::move(georeference);
        unloadImage(record);
        record->tileCache.clear();
        changeFlags |= kLayersChanged;
    }
    if (record->calibration() != calibration) {
        record->setCalibration(calibration);
        changeFlags |= kCalibrationChanged;
    }
    record->updateScales();
    return true;
}

bool MapProject::scaledCopy(int layer, double factor, LayerLoading loading)
{
    MapLayer *source = layerAt(layer);
    if (!source || !(factor > 0.0))
        return false;
    QSize sourceSize = loading == LayerLoading::HeaderOnly ? layerImageSize(*source) : QSize();
    if (!sourceSize.isValid()) {
        m_errorString.clear();
        if (!source->loaded)
            layerImage(layer);
        if (source->image.isNull()) {
            if (m_errorString.isEmpty())
                m_errorString = QCoreApplication::translate("SmfFile", "the image %1 cannot be read")
                                    .arg(QFileInfo(source->sourcePath).fileName());
            return false;
        }
        sourceSize = source->image.size();
    }
    const QString percent = QString::number(factor * 100.0, 'g', 6);
    const QSize size = resizedSize(sourceSize, factor);
    if (!size.isValid()) {
        m_errorString = QCoreApplication::translate("MapProject", "a copy at %1 % of the %2 x %3 image would be empty")
                            .arg(percent).arg(sourceSize.width()).arg(sourceSize.height());
        return false;
    }
    // The copy is resized from the whole source: both are in memory at once.
    const qint64 neededMB = qint64(imageMemoryMB(sourceSize)) + imageMemoryMB(size) + 1;
    if (neededMB > physicalMB) {
        m_errorString = QCoreApplication::translate("MapProject", "a copy at %1 % is %2 x %3 pixels: with the whole "
                                                                  "image it is made from it needs %4 MiB, more than "
                                                                  "the memory limit of %5 MiB")
                            .arg(percent).arg(size.width()).arg(size.height()).arg(neededMB).arg(physicalMB);
        return false;
    }
    // Points in order that truncate onto one pixel column or row would leave the copy
    // without a scale (and a bottom-right x of 0 is taken as not placed yet).
    const CalibrationPoint &tl = source->topLeft;
    const CalibrationPoint &br = source->bottomRight;
    if (tl.pixelX < br.pixelX && tl.pixelY < br.pixelY
        && (scaledCoordinate(tl.pixelX, factor) >= scaledCoordinate(br.pixelX, factor)
            || scaledCoordinate(tl.pixelY, factor) >= scaledCoordinate(br.pixelY, factor))) {
        m_errorString = QCoreApplication::translate("MapProject", "a copy at %1 % would bring the two calibration "
                                                                  "points onto one pixel column or row")
                            .arg(percent);
        return false;
    }
    QImage image;
    if (source->loaded) {
        image = resized(source->image, factor);
        if (image.isNull()) {
            m_errorString = QCoreApplication::translate("ImageFile", "not enough memory");
            return false;
        }
    }

    auto *copy = new MapLayer(*source);
    copy->zoom = source->zoom * factor;
    copy->topLeft.pixelX = scaledCoordinate(source->topLeft.pixelX, factor);
    copy->topLeft.pixelY = scaledCoordinate(source->topLeft.pixelY, factor);
    copy->bottomRight.pixelX = scaledCoordinate(source->bottomRight.pixelX, factor);
    copy->bottomRight.pixelY = scaledCoordinate(source->bottomRight.pixelY, factor);
    copy->updateScales();
    copy->sortMark = false;
    copy->tileCache.clear();
    if (!image.isNull()) {
        setImage(copy, image);
        // The copy counts as loaded with its source, so both leave the budget together.
        copy->loadedAt = source->loadedAt;
    }
    layers.append(copy);
    changeFlags |= kLayersChanged;
    return true;
}
