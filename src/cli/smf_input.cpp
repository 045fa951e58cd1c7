#include "cli/smf_input.h"

#include "cli/cli_command.h"

int openSmfInput(const QString &command, const QString &path, QFile *file, SmfFileIndex *index)
{
    file->setFileName(path);
    if (!file->open(QIODevice::ReadOnly)) {
        printErr(QStringLiteral("%1: cannot open %2: %3").arg(command, path, file->errorString()));
        return kExitIo;
    }
    QString error;
    if (!readSmfStructure(*file, index, &error)) {
        printErr(QStringLiteral("%1: %2 is not a usable SMF file: %3").arg(command, path, error));
        return kExitInvalidInput;
    }
    return kGoOn;
}
