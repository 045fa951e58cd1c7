// mapvane-cli info: the header and level records of an SMF file.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <utility>

#include "cli/cli_command.h"
#include "cli/smf_input.h"
#include "smf/smf_text_field.h"

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

int runInfo(const QStringList &args)
{
    QString path;
    bool json = false;
    for (const QString &arg : args) {
        if (arg == QLatin1String("--json")) {
            json = true;
        } else if (arg.startsWith(QLatin1String("--")) || !path.isEmpty()) {
            printErr(QStringLiteral("info: unexpected argument %1").arg(arg));
            return kExitUsage;
        } else {
            path = arg;
        }
    }
    if (path.isEmpty()) {
        printErr(QStringLiteral("info: missing FILE.smf"));
        return kExitUsage;
    }
    QFile file;
    SmfFileIndex index;
    if (!openSmfInput(QStringLiteral("info"), path, &file, &index))
        return kExitIo;
    if (json) {
        const QByteArray bytes = asJson(index);
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    } else {
        printOut(asText(path, index));
    }
    return kExitOk;
}

const CliCommandRegistrar registrar({"info", "FILE.smf [--json]", runInfo});

}  // namespace
