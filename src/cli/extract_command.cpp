// mapvane-cli extract: one level of an SMF file as a PNG image.

#include <QImageWriter>
#include <QLocale>
#include <QSaveFile>

#include "cli/cli_command.h"
#include "cli/smf_input.h"
#include "smf/smf_level_image.h"

namespace {

int runExtract(const QStringList &args)
{
    if (args.size() != 3) {
        printErr(QStringLiteral("extract: needs FILE.smf LEVEL OUT.png"));
        return kExitUsage;
    }
    bool ok = false;
    const int level = QLocale::c().toInt(args.at(1), &ok);
    if (!ok || level < 0) {
        printErr(QStringLiteral("extract: LEVEL must be a level number 0 or more, not '%1'").arg(args.at(1)));
        return kExitUsage;
    }
    QFile file;
    SmfFileIndex index;
    if (!openSmfInput(QStringLiteral("extract"), args.at(0), &file, &index))
        return kExitIo;
    if (level >= index.levels.size()) {
        printErr(QStringLiteral("extract: %1 has no level %2 (it has %3)")
                     .arg(args.at(0)).arg(level).arg(index.levels.size()));
        return kExitInvalidInput;
    }
    const SmfLevelRecord &record = index.levels.at(level);
    if (record.tileColumns == 0 || record.tileRows == 0) {
        printErr(QStringLiteral("extract: level %1 of %2 has no tiles").arg(level).arg(args.at(0)));
        return kExitInvalidInput;
    }

    const SmfLevelImage assembled = assembleLevelImage(file, index, level);
    if (assembled.image.isNull()) {
        printErr(QStringLiteral("extract: %1: %2").arg(args.at(0), assembled.error));
        return kExitIo;
    }
    for (const QPoint &tile : assembled.damagedTiles) {
        printErr(QStringLiteral("extract: warning: tile (%1, %2) of level %3 is damaged and drawn white")
                     .arg(tile.x()).arg(tile.y()).arg(level));
    }

    QSaveFile out(args.at(2));
    QImageWriter writer(&out, "png");
    if (!out.open(QIODevice::WriteOnly) || !writer.write(assembled.image) || !out.commit()) {
        const QString reason = writer.error() != QImageWriter::UnknownError ? writer.errorString() : out.errorString();
        printErr(QStringLiteral("extract: cannot write %1: %2").arg(args.at(2), reason));
        return kExitIo;
    }
    printOut(QStringLiteral("%1: level %2, %3 x %4 pixels\n")
                 .arg(args.at(2)).arg(level).arg(assembled.image.width()).arg(assembled.image.height()));
    return kExitOk;
}

const CliCommandRegistrar registrar({"extract", "FILE.smf LEVEL OUT.png", runExtract});

}  // namespace
