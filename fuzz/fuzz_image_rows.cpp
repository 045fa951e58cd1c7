// Image files read by rows: the PNG, JPEG and BMP bit-field decoders and the BMP length
// check, as a save reads a layer strip by strip.

#include <memory>
#include <vector>

#include "fuzz_support.h"
#include "raster/image_file.h"
#include "raster/image_rows.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString path = fuzz::scratchPath(QStringLiteral(".img"));
    if (!fuzz::writeScratch(path, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size))))
        return 0;
    const std::unique_ptr<ImageRowReader> rows = openImageRows(path, 64);
    // Rows as wide as a real scan; a header claiming more is only opened.
    if (rows->status() != ImageFileStatus::Ok || rows->size().width() > 20000 || rows->size().height() > 20000)
        return 0;
    constexpr int kStrip = 16;
    std::vector<uchar> strip(size_t(rows->size().width()) * 4 * kStrip);
    for (int y = 0; y < rows->size().height(); y += kStrip) {
        if (!rows->readRows(qMin(kStrip, rows->size().height() - y), strip.data(), rows->size().width() * 4))
            break;
    }
    return 0;
}
