#pragma once

#include <QFile>
#include <QString>

#include "smf/smf_reader.h"

// Opens an SMF file for reading and reads its checked structure. Returns kGoOn, or
// after printing why (prefixed with command): kExitIo when the file cannot be
// opened, kExitInvalidInput when it is not a usable SMF file.
int openSmfInput(const QString &command, const QString &path, QFile *file, SmfFileIndex *index);
