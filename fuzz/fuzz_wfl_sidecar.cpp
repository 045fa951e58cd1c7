// WFL tile folders: the tile name parser and the sidecar reader. The input's first
// line is a file name, the rest the sidecar's text.

#include "fuzz_support.h"
#include "smf/wfl_folder.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    fuzz::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype newline = bytes.indexOf('\n');
    const QString name = QString::fromUtf8(newline < 0 ? bytes : bytes.left(newline));
    qint32 part = 0;
    qint32 column = 0;
    qint32 row = 0;
    (void)parseWflTileName(name, &part, &column, &row);
    (void)parseWflTileName(QStringLiteral("folder/") + name + QStringLiteral(".wfl"), &part, &column, &row);

    static const QString path = fuzz::scratchPath(QStringLiteral(".wfl"));
    if (!fuzz::writeScratch(path, newline < 0 ? QByteArray() : bytes.mid(newline + 1)))
        return 0;
    WflSidecarEdges edges;
    QString error;
    (void)readWflSidecar(path, &edges, &error);
    qint32 longitude = 0;
    qint32 latitude = 0;
    (void)readWflPartCorner(path, &longitude, &latitude, &error);
    return 0;
}
