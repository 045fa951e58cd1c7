// OziExplorer .map files: the text parser on its own, and the import into a layer
// from a file.

#include "fuzz_support.h"
#include "raster/ozi_map.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    (void)parseOziMapText(bytes);
    static const QString path = fuzz::scratchPath(QStringLiteral(".map"));
    if (!fuzz::writeScratch(path, bytes))
        return 0;
    OziMapFile map;
    (void)map.read(path);
    return 0;
}
