// mapvane-cli info: the header and level records of an SMF file.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <utility>

#include "cli/cli_command.h"
#include "smf/smf_format.h"

namespace {

// The record's fields under their file-format names, in file order.
QVector<std::pair<QString, qint32>> recordFields(const SmfLevelRecord &r)
{
    return {
        {QStringLiteral("left"), r.left},
        {QStringLiteral("top"), r.top},
        {QStringLiteral("right"), r.right},
        {QStringLiteral("bottom"), r.bottom},
        {QStringLiteral("tileColumns"), r.tileColumns},
        {QStringLiteral("tileRows"), r.tileRows},
        {QStringLiteral("verticalScale"), r.verticalScale},
        {QStringLiteral("firstTile"), r.firstTile},
        {QStringLiteral("topLeftLon"), r.topLeftLon},
        {QStringLiteral("topLeftLat"), r.topLeftLat},
        {QStringLiteral("topLeftX"), r.topLeftX},
        {QStringLiteral("topLeftY"), r.topLeftY},
        {QStringLiteral("bottomRightLon"), r.bottomRightLon},
        {QStringLiteral("bottomRightLat"), r.bottomRightLat},
        {QStringLiteral("bottomRightX"), r.bottomRightX},
        {QStringLiteral("bottomRightY"), r.bottomRightY},
    };
}

QByteArray asJson(const SmfFileIndex &index)
{
    const SmfHeader &h = index.header;
    QJsonObject header{
        {QStringLiteral("magic"), h.magic},
        {QStringLiteral("version"), h.version},
        {QStringLiteral("cartographer"), withUnpairedSurrogatesReplaced(h.cartographer)},
        {QStringLiteral("mapName"), withUnpairedSurrogatesReplaced(h.mapName)},
        {QStringLiteral("levelCount"), h.levelCount},
        {QStringLiteral("tileCount"), h.tileCount},
        {QStringLiteral("tileWidth"), h.tileWidth},
        {QStringLiteral("tileHeight"), h.tileHeight},
    };
    QJsonArray levels;
    for (const SmfLevelRecord &record : index.levels) {
        QJsonObject level;
        for (const auto &[name, value] : recordFields(record))
            level.insert(name, value);
        levels.append(level);
    }
    header.insert(QStringLiteral("levels"), levels);
    return QJsonDocument(header).toJson(QJsonDocument::Indented);
}

QString asText(const QString &path, const SmfFileIndex &index)
{
    const SmfHeader &h = index.header;
    QString text = QStringLiteral("file          %1 (%2 bytes)\n").arg(path).arg(index.fileSize);
    text += QStringLiteral("magic         0x%1\n").arg(h.magic, 4, 16, QLatin1Char('0'));
    text += QStringLiteral("version       %1\n").arg(h.version);
    text += QStringLiteral("cartographer  %1\n").arg(withUnpairedSurrogatesReplaced(h.cartographer));
    text += QStringLiteral("mapName       %1\n").arg(withUnpairedSurrogatesReplaced(h.mapName));
    text += QStringLiteral("levelCount    %1\n").arg(h.levelCount);
    text += QStringLiteral("tileCount     %1\n").arg(h.tileCount);
    text += QStringLiteral("tileSize      %1 x %2\n").arg(h.tileWidth).arg(h.tileHeight);
    for (int k = 0; k < index.levels.size(); ++k) {
        text += QStringLiteral("level %1\n").arg(k);
        for (const auto &[name, value] : recordFields(index.levels.at(k)))
            text += QStringLiteral("  %1 %2\n").arg(name, -15).arg(value);
    }
    return text;
}

constexpr char kName[] = "info";

int runInfo(const QStringList &args)
{
    CliArguments split;
    const int done = splitArguments(kName, args, {{"--json", false}}, false, &split);
    if (done != kGoOn)
        return done;
    if (split.positional.size() != 1) {
        return usageError(kName, split.positional.isEmpty()
                                     ? QStringLiteral("missing FILE.smf")
                                     : QStringLiteral("one FILE.smf expected, got %1").arg(split.positional.size()));
    }
    const QString path = split.positional.first();
    SmfInput input;
    SmfFileIndex index;
    const int opened = openSmfInput(QStringLiteral("info"), path, &input, &index);
    if (opened != kGoOn)
        return opened;
    if (!split.options.isEmpty())
        writeOut(asJson(index));
    else
        printOut(asText(path, index));
    return kExitOk;
}

const CliCommandRegistrar registrar({
    kName,
    "FILE.smf [--json]",
    "Prints the header and the level records of an SMF file: magic, version, cartographer,\n"
    "map name, counts and tile size, then per level its extent, tile grid and calibration\n"
    "points in milliarcseconds (3,600,000 per degree) and pixels. FILE.smf \"-\" is standard\n"
    "input; standard input or a pipe is read whole, up to 256 MiB. Any other file that is\n"
    "not a regular file exits 3.\n"
    "\n"
    "options:\n"
    "  --json         the same as one JSON object, the levels in an array \"levels\"\n"
    "  -h, --help     this help\n"
    "  -V, --version  the version\n",
    runInfo,
});

}  // namespace
