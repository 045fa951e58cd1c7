#pragma once

#include <QFile>
#include <QString>

#include "smf/smf_file_index.h"

// Opens an SMF file for reading and reads its checked structure. Returns false after
// printing why (prefixed with command) when the file cannot be opened or is damaged.
bool openSmfInput(const QString &command, const QString &path, QFile *file, SmfFileIndex *index);
