#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QtGlobal>

#include <atomic>
#include <memory>

#include "project/layer_import.h"
#include "project/map_layer.h"
#include "raster/geo_raster.h"

class ImageRowReader;

// The rows of a layer's source file at its own size: the image at sourcePath, or the
// georeferenced raster the layer was made from, warped as it describes. Arguments
// and result as openImageRows.
std::unique_ptr<ImageRowReader> openLayerRows(const MapLayer &layer, qint32 budgetMB,
                                              std::atomic<qint64> *position = nullptr);

// The size of the layer's image without decoding it: the decoded image's, else its
// source's (the raster's, or the image file's header) resized by its zoom as the image
// is. Invalid for a layer read from an SMF file or a header that cannot be read.
QSize layerImageSize(const MapLayer &layer);

// Progress of a long operation (saving). The GUI implements it with a progress
// dialog, the command line with a terminal bar, tests with a recorder.
struct ProgressReporter {
    virtual ~ProgressReporter() = default;
    virtual void start(int maximum) { Q_UNUSED(maximum); }   // range 0..maximum
    virtual void setValue(int value) { Q_UNUSED(value); }
    // A position between two values (work within one unit of the range, such as the
    // tiles of one layer); reporters without finer steps show its whole part.
    virtual void setFineValue(double value) { setValue(int(value)); }
    // Once per layer and once per tile, and every 50 ms while an image decodes: the GUI
    // processes events here.
    virtual void pumpEvents() {}
    virtual bool cancelled() const { return false; }
    virtual void finish() {}
};

// Decodes one level of an SMF file as a layer image (see readSmfLayerImage): from
// fileBytes when given, else from the file at path. May run on any thread.
using SmfLevelDecoder = QImage (*)(const QString &path, const QByteArray *fileBytes, int level);

// How MapProject::addImportedLayer reads a layer's image.
enum class LayerLoading : quint8 {
    Decode,      // the whole image at once (the window)
    HeaderOnly,  // only its size; the pixels when first needed (a conversion)
};

// The factors of the copies Auto copies makes of a layer, in the order it makes them.
inline constexpr double kAutoCopyFactors[] = {0.6, 0.8, 1.2, 1.4};

// The tile size of new projects, pixels.
inline constexpr int kDefaultTileWidth = 300;
inline constexpr int kDefaultTileHeight = 500;

// The document of one main window: the ordered layers that become the levels of one
// SMF file, the map's properties, the file it is bound to and its change flags. It
// owns its layers and their decoded images, and keeps the decoded images within a
// budget of the machine's physical memory less 100 MiB, dropping the earliest loaded
// image first. Layer indices are the layer table's row numbers.
class MapProject
{
public:
    // Change flag bits.
    static constexpr quint8 kCalibrationChanged = 1;  // calibration, cartographer or map name
    static constexpr quint8 kLayersChanged = 2;       // layers, fill colour or tile size

    MapProject();
    // physicalMB: the machine's physical memory in MiB to budget against, for tests.
    explicit MapProject(qint32 physicalMB);
    ~MapProject();
    MapProject(const MapProject &) = delete;
    MapProject &operator=(const MapProject &) = delete;

    // Each stores a different value and marks the project changed; an equal value
    // changes nothing.
    void setCartographer(const QString &text);
    void setMapName(const QString &text);
    void setFillColour(const QColor &colour);
    // The three setters above, then tile width and height (pixels).
    void setProperties(const QString &cartographer, const QString &mapName, const QColor &colour,
                      int tileWidth, int tileHeight);

    // Calibration setters of layer `layer`. Pixels are image pixels; longitudes and
    // latitudes are degrees, stored as milliarcseconds truncated toward zero. A value
    // equal to the stored one changes nothing, not even the entered flag; a different
    // one is stored, sets the entered flag (geographic values) and marks the
    // calibration changed. False for a layer index out of range.
    bool setTopLeftX(int layer, int pixel);
    bool setTopLeftY(int layer, int pixel);
    bool setTopLeftLon(int layer, double degrees);
    bool setTopLeftLat(int layer, double degrees);
    bool setBottomRightX(int layer, int pixel);
    bool setBottomRightY(int layer, int pixel);
    bool setBottomRightLon(int layer, double degrees);
    bool setBottomRightLat(int layer, double degrees);

    // Recomputes the layer's scale and lonScale. False for an index out of range.
    bool updateScale(int layer);

    // Enters both calibration points of layer `layer` through the setters above, as
    // if typed; all four geographic values then count as entered, even one equal to a
    // fresh layer's default. False for an index out of range.
    bool enterCalibration(int layer, const TypedCalibration &calibration);

    // What a calibration edit leads to: once both latitudes of layer `layer` were
    // entered, its scale is worked out again and the layers are re-sorted by scale.
    // Returns the new index of the layer that had index `current`, or -1 when the layer
    // has no scale yet (nothing changes then).
    int rescaleAndSort(int layer, int current);

    // Appends the layer of a file read by importLayer (not refused), reading its image
    // as loading says: decoded whole at once, or only its header, for its size, the
    // pixels being decoded when first needed and a save reading them strip by strip
    // (damage in the pixels is found then). The bottom-right point is fitted to the
    // image (MapLayer::fitBottomRightTo) at once when only the header is read, when the
    // image is first handed out otherwise; a typed calibration is entered then, its
    // pixels within 0 .. the image's width and height. True when the layer was added;
    // false when the image cannot be read or a typed pixel lies outside it, with
    // import's status and reason saying why (nothing changes then). A warning is added
    // to import when a bottom-right point the file gave lies beyond the image.
    bool addImportedLayer(LayerImport &import, LayerLoading loading = LayerLoading::Decode);

    // Appends a copy of layer `layer` resized by factor (pixel positions scaled and
    // truncated, same geographic points). The copy is resized from the whole source
    // image: with loading Decode the source is decoded now and the copy made at once;
    // with HeaderOnly a source not in memory stays so, and the copy's pixels are made
    // from it when first needed. False, with errorString() saying why, when the source
    // cannot be decoded, the resized image would be empty, or the source and the copy
    // together would pass the memory limit (physicalMB); nothing changes then.
    bool scaledCopy(int layer, double factor, LayerLoading loading = LayerLoading::Decode);

    // The layer's decoded image, decoding it when it is not in memory (after giving
    // the budget a chance to drop the earliest loaded image). Also gives the
    // bottom-right point the image size (MapLayer::fitBottomRightToImage). The
    // pointer stays owned by the layer and is valid while the layer exists; its image
    // becomes null when the budget drops it. Never nullptr for a valid index; the
    // image is null when the source cannot be decoded. nullptr for an index out of
    // range.
    QImage *layerImage(int layer);

    // The image the layer's pixels come from, decoded at its own size, neither warped
    // nor resized (what a layer calibrated by control points is placed on), within
    // the memory limit and outside the budget of layer images. Null when the index is
    // out of range or the source cannot be decoded.
    QImage sourceImage(int layer) const;
    // The same for a layer record outside the project (a source of a merged layer).
    QImage sourceImage(const MapLayer &layer) const;

    // layerImage for long jobs: when the image has to be decoded, the decode runs on
    // a thread of its own while this thread calls progress->pumpEvents() every 50 ms,
    // each time after progress->setFineValue(how much of an image file the decoder has
    // read, 0 to 1). The events may change the project meanwhile: the image is stored
    // only in the record it was decoded for, while that record is still in the project
    // and reads the same source; the result is that record's image (null when it was
    // not stored), or nullptr once the record has left the project. *decoded (may be
    // nullptr) tells whether this call decoded and stored the image.
    QImage *layerImage(int layer, ProgressReporter *progress, bool *decoded);

    // Drops the layer's decoded image from memory; it is decoded again when next
    // needed. Does nothing for an index out of range or an image not in memory.
    void releaseImage(int layer);

    // Drops at most one decoded image, the earliest loaded, when the loaded images
    // pass the budget.
    void trimMemory();

    // Removes and destroys one layer with its image. False for an index out of range.
    bool removeLayer(int layer);

    // Takes layer `layer` out of the project without destroying it: its image is
    // dropped (it is decoded again from its source when needed) and the caller owns
    // the record. nullptr for an index out of range.
    MapLayer *takeLayer(int layer);
    // Puts a record taken by takeLayer back at `index` (clamped to the layer count);
    // the project owns it again.
    void insertLayer(int index, MapLayer *record);
    // Makes the project's layers exactly `records`, in that order (an undone or redone
    // change of the layer list): the layers not among them are taken out as takeLayer
    // takes them (the caller owns them then), records not in the project are owned by
    // it again. Marks the layers changed when the list or its order changes.
    void setLayers(const QVector<MapLayer *> &records);
    // Puts back both points of layer `layer` as they were (an undone edit) and marks
    // the calibration changed when they differ. False for an index out of range.
    bool restoreCalibration(int layer, const LayerCalibration &calibration);
    // Gives layer `layer` another georeference (nullptr: none, the layer then being
    // the plain image at its sourcePath, resized by its zoom) and `calibration`, its
    // scales worked out again from the points. A changed georeference drops the
    // decoded image, which is read again when next needed, and marks the layers
    // changed; a changed calibration marks the calibration changed. False for an index
    // out of range, or when the georeference is taken away and the plain image cannot
    // be opened (nothing changes then, errorString() says why).
    bool setGeoreference(int layer, std::shared_ptr<const RasterGeoreference> georeference,
                        const LayerCalibration &calibration);

    // Sorts the layers by scale, finest first; layers of equal scale keep their order
    // (NaN scales last, see layerScaleLess). Returns the new index of the layer that
    // had index `current`, or 0 when there are no layers.
    int sortLayers(int current);

    // The files the layers are read from, each named once: every layer's source (an
    // image, a raster or an SMF file), the raster of its georeference, the OziExplorer
    // file it was added from, and the georeferencing sidecars beside its images and
    // rasters (georeferencingSidecars). A save never writes over one of them
    // (outputRefusal).
    QStringList inputFiles() const;

    // Removes every layer, image and SMF buffer and clears the change flags. The file
    // path, the properties and the memory budget stay.
    void clear();

    // Makes this project the SMF file that openSmf read into `opened`, a project of
    // the same browseMode: this project's layers are destroyed, and the layers, SMF
    // bytes and decoder, file path, cartographer, map name and tile size of `opened`
    // move here; the fill colour and the budget stay, the change flags are cleared.
    // `opened` is left without layers. So a file is read aside, and the project
    // changes only once it has been read.
    void takeOpenedFile(MapProject &opened);

    // Why the last operation on the project failed (a save, opening a file, taking a
    // layer's georeference away), as it reported through setErrorString. The core's
    // reasons are translatable texts: English unless a translator is installed.
    QString errorString() const { return m_errorString; }
    void setErrorString(const QString &text) { m_errorString = text; }

    QVector<MapLayer *> layers;                // owned, in project order
    QVector<QByteArray> smfImages;             // SMF file bytes read into the project; MapLayer::smfSource
    SmfLevelDecoder smfLevelDecoder = nullptr;  // given by the SMF reader; decodes layers read from SMF files
    QString filePath;                          // the SMF file the project is bound to
    QString cartographer;
    QString mapName;
    QColor fillColour;                         // pads tiles beyond the image; invalid reads as black
    quint8 changeFlags = 0;                    // kCalibrationChanged | kLayersChanged; 0: unchanged
    qint32 physicalMB = 0;                     // physical memory of the machine, MiB
    qint32 loadedMB = 0;                       // sum of memoryMB over the loaded layers
    int tileWidth = 0;                         // pixels
    int tileHeight = 0;                        // pixels
    bool browseMode = false;                   // the project backs a read-only browse window
    // A save drops each layer's image once its tiles are written (a one-shot
    // conversion); otherwise only images the save itself had to decode are dropped.
    bool saveReleasesImages = false;
    // How the window's layers that are not on their level grid are warped onto it.
    Resampling warpResampling = Resampling::Bilinear;
    // The layer (index) the last failed save concerns; -1 when it concerns none.
    int errorLayer = -1;

private:
    MapLayer *layerAt(int layer) const;
    // Stores value in one coordinate of a calibration point when it differs, then
    // sets enteredFlag (when given) and marks the calibration changed.
    bool setPointValue(int layer, CalibrationPoint MapLayer::*point, qint32 CalibrationPoint::*field,
                      qint32 value, bool MapLayer::*enteredFlag);
    void setImage(MapLayer *layer, const QImage &image);
    void unloadImage(MapLayer *layer);
    void loadImage(MapLayer *layer);
    // The bytes of the SMF file a layer comes from; nullptr for an image file.
    const QByteArray *smfBytesOf(const MapLayer &layer) const;
    // The layer's source decoded and resized; touches nothing shared but the
    // implicitly shared bytes of an SMF source, so it may run on any thread. position
    // (may be nullptr) follows how far the decoder has read an image file.
    // error (may be nullptr) tells why a source cannot be decoded.
    static QImage decodeSource(const MapLayer &layer, const QByteArray *smfBytes, SmfLevelDecoder smfDecoder,
                               qint32 budgetMB, std::atomic<qint64> *position = nullptr, QString *error = nullptr);

    quint64 m_loadCounter = 0;  // eviction order: increases with every image load
    QString m_errorString;
};
