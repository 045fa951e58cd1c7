#include "smf/wfl_tile_name.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

constexpr int kMaxDigits = 9;  // keeps every number inside 32 bits

bool readNumber(const QString &digits, qint32 *value)
{
    if (digits.isEmpty() || digits.size() > kMaxDigits)
        return false;
    bool ok = false;
    *value = digits.toInt(&ok);
    return ok;
}

}  // namespace

qint32 parseWflTileName(const QString &sidecarPath, qint32 *part, qint32 *column, qint32 *row)
{
    *part = *column = *row = -1;
    // The tile numbers are what precedes the extension; the leftmost match takes the
    // whole run of digits of the level.
    static const QRegularExpression pattern(
        QStringLiteral("([0-9]+)(?: \\(([0-9]+)\\))?_([0-9]+)x([0-9]+)$"));
    const QString name = QFileInfo(sidecarPath).fileName();
    const int dot = int(name.lastIndexOf(QLatin1Char('.')));
    const QString base = dot > 0 ? name.left(dot) : name;
    const QRegularExpressionMatch match = pattern.match(base);
    if (!match.hasMatch())
        return -1;
    qint32 level = -1;
    qint32 numbers[3] = {-1, -1, -1};
    if (!readNumber(match.captured(1), &level) || !readNumber(match.captured(3), &numbers[1])
        || !readNumber(match.captured(4), &numbers[2])) {
        return -1;
    }
    if (match.capturedStart(2) >= 0 && !readNumber(match.captured(2), &numbers[0]))
        return -1;
    *part = numbers[0];
    *column = numbers[1];
    *row = numbers[2];
    return level;
}
