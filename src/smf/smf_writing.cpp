// MapProject::saveSmf and writeSmf: the save pipeline and the file writer.

#include "project/map_project.h"

#include <QSaveFile>

#include <limits>

#include "smf/smf_header.h"
#include "smf/smf_layout.h"
#include "smf/smf_save_status.h"
#include "smf/smf_tile_index_entry.h"

int MapProject::failSave(int status, const QString &reason)
{
    m_errorString = reason;
    return status;
}

int MapProject::saveSmf(ProgressReporter *progress)
{
    ProgressReporter silent;
    if (!progress)
        progress = &silent;
    m_errorString.clear();
    discardLevels();

    const int count = int(layers.size());
    progress->start(count * 10);
    int status = kSmfSaveOk;
    for (int i = 0; i < count && status == kSmfSaveOk; ++i) {
        progress->setValue(i * 10);
        progress->pumpEvents();
        if (progress->cancelled())
            status = failSave(kSmfSaveCancelled, QStringLiteral("the save was cancelled"));
        else
            status = buildLevel(i, progress);
    }
    if (status == kSmfSaveOk)
        status = writeSmf();
    if (status != kSmfSaveOk) {
        discardLevels();
        progress->finish();
        return status;
    }
    progress->setValue(count * 10);
    progress->finish();
    changeFlags = 0;
    return kSmfSaveOk;
}

int MapProject::writeSmf()
{
    const int status = writeLevels();
    discardLevels();
    return status;
}

int MapProject::writeLevels()
{
    if (filePath.isEmpty())
        return failSave(kSmfSaveInvalidProject, QStringLiteral("the project has no file path"));
    if (levelTiles.size() != levelRecords.size())
        return failSave(kSmfSaveInvalidProject, QStringLiteral("the levels are incomplete"));

    // Lay the file out first: nothing is written for a file that cannot be described
    // in the 32-bit offsets of the format.
    const qint64 maxSize = std::numeric_limits<qint32>::max();
    qint64 tileCount = 0;
    for (int k = 0; k < levelRecords.size(); ++k) {
        levelRecords[k].firstTile = qint32(qMin(tileCount, maxSize));
        tileCount += levelTiles.at(k).size();
    }
    qint64 end = tileDataOffset(levelRecords.size(), tileCount);
    QByteArray index;
    for (const QVector<SmfTileBlob> &tiles : std::as_const(levelTiles)) {
        for (const SmfTileBlob &blob : tiles) {
            if (end > maxSize)
                break;
            index += SmfTileIndexEntry{quint32(end), quint32(blob.size())}.toBytes();
            end += blob.size();
        }
    }
    if (end > maxSize) {
        return failSave(kSmfSaveTooLarge, QStringLiteral("the file would be larger than 2,147,483,647 bytes, "
                                                         "the most an SMF file can describe"));
    }

    SmfHeader header;
    header.cartographer = cartographer;
    header.mapName = mapName;
    header.levelCount = qint32(levelRecords.size());
    header.tileCount = qint32(tileCount);
    header.tileWidth = tileWidth;
    header.tileHeight = tileHeight;

    // The target is replaced only by commit(), after every byte reached the disk.
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return failSave(kSmfSaveWriteError, QStringLiteral("cannot create %1: %2").arg(filePath, file.errorString()));
    const auto put = [&file](const QByteArray &bytes) { return file.write(bytes) == bytes.size(); };
    bool written = put(header.toBytes());
    for (const SmfLevelRecord &record : std::as_const(levelRecords))
        written = written && put(record.toBytes());
    written = written && put(index);
    for (const QVector<SmfTileBlob> &tiles : std::as_const(levelTiles)) {
        for (const SmfTileBlob &blob : tiles)
            written = written && put(blob);
    }
    if (!written || !file.commit())
        return failSave(kSmfSaveWriteError, QStringLiteral("cannot write %1: %2").arg(filePath, file.errorString()));
    return kSmfSaveOk;
}
