// SMF files as every reader meets them: the structure check, the first level's
// image, a project opened for editing and one for browsing, and a browse paint of
// the first tiles.

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include "fuzz_support.h"
#include "project/map_layer.h"
#include "project/map_project.h"
#include "view/browse_view.h"
#include "smf/smf_reader.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    static const QString path = fuzz::scratchPath(QStringLiteral(".smf"));
    if (!fuzz::writeScratch(path, bytes))
        return 0;

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    SmfFileIndex index;
    QString error;
    const bool valid = readSmfStructure(buffer, &index, &error);
    if (valid && !index.levels.isEmpty())
        (void)assembleLevelImage(buffer, index, 0);

    {
        MapProject editing;
        (void)openSmf(editing, path);
    }

    MapProject browsing;
    browsing.browseMode = true;
    if (openSmf(browsing, path) != SmfStatus::Ok || browsing.layers.isEmpty())
        return 0;
    MapLayer *layer = browsing.layers.first();
    BrowseView view;
    if (!prepareBrowseLayer(view, *layer))
        return 0;
    QImage canvas(300, 200, QImage::Format_RGB32);
    QPainter painter(&canvas);
    paintBrowseView(painter, canvas.size(), view, layer, browsing.smfImages.at(layer->smfSource), 0, 0);
    // A second paint scrolled back by a tile draws from the cache.
    paintBrowseView(painter, canvas.size(), view, layer, browsing.smfImages.at(layer->smfSource), -17, -5);
    return 0;
}
