#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <QVector>

#include "smf/smf_header.h"
#include "smf/smf_level_record.h"
#include "smf/smf_tile_index_entry.h"

// Writes an SMF file front to back without holding its payloads: the header, level
// records and tile index go out as zero placeholders, the payloads follow one by one
// in index order, and finish() writes the header, records and index over the
// placeholders and puts the file in place. Nothing appears at the path before
// finish() succeeds; a writer destroyed unfinished leaves the path as it was.
// Every method returns an SmfSaveStatus: 0, or a failure with errorString() saying
// why, in English; after a failure the writer is done and the path untouched.
class SmfStreamWriter
{
public:
    // maxFileSize: the largest file accepted, in bytes; smaller values serve tests.
    explicit SmfStreamWriter(const QString &path, qint64 maxFileSize = 2147483647);

    // Opens the temporary file and writes placeholders for levelCount records and
    // tileCount index entries. kSmfSaveTooLarge when the layout alone passes
    // maxFileSize (nothing is created then).
    int begin(qint64 levelCount, qint64 tileCount);

    // Appends the payload of the next tile in index order. kSmfSaveTooLarge when the
    // file would pass maxFileSize or more payloads come than begin() announced.
    int appendPayload(const QByteArray &payload);

    // Payloads appended so far.
    qint64 payloadCount() const { return m_index.size(); }

    // Writes header (its levelCount and tileCount set from begin()), the records and
    // the index, and commits. kSmfSaveInvalidProject unless exactly tileCount
    // payloads and levelCount records came.
    int finish(SmfHeader header, const QVector<SmfLevelRecord> &records);

    QString errorString() const { return m_errorString; }

private:
    int fail(int status, const QString &reason);
    int writeFailure();
    bool put(const QByteArray &bytes);

    QSaveFile m_file;
    qint64 m_maxFileSize;
    QString m_errorString;
    QVector<SmfTileIndexEntry> m_index;
    qint64 m_levelCount = 0;
    qint64 m_tileCount = 0;
    qint64 m_offset = 0;  // file offset of the next payload
};
