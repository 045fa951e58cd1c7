#include "project/ozi_map_text.h"

#include <QList>

#include <cmath>

#include "project/milliarcseconds.h"

namespace {

QList<QByteArray> splitLines(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();  // the end of the last line, not a line of its own
    for (QByteArray &line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

// The whole number after the first comma of an "MMPNUM" line; 0 when there is none.
qsizetype pointCount(const QByteArray &line)
{
    const qsizetype comma = line.indexOf(',');
    if (comma < 0)
        return 0;
    bool ok = false;
    const qlonglong count = line.mid(comma + 1).trimmed().toLongLong(&ok, 10);
    return ok && count > 0 ? qsizetype(count) : 0;
}

// The text between the last two commas (or before the only comma) and after the
// last comma, trimmed. Both empty for a line without a comma.
void lastTwoFields(const QByteArray &line, QByteArray *first, QByteArray *second)
{
    const qsizetype last = line.lastIndexOf(',');
    if (last < 0) {
        first->clear();
        second->clear();
        return;
    }
    const qsizetype previous = last > 0 ? line.lastIndexOf(',', last - 1) : -1;
    *first = line.mid(previous + 1, last - previous - 1).trimmed();
    *second = line.mid(last + 1).trimmed();
}

qint32 pixelField(const QByteArray &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

qint32 degreesField(const QByteArray &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? degreesToMilliarcseconds(value) : 0;
}

CalibrationPoint referencePoint(const QByteArray &pixelLine, const QByteArray &geographicLine)
{
    QByteArray first;
    QByteArray second;
    CalibrationPoint point;
    lastTwoFields(pixelLine, &first, &second);
    point.pixelX = pixelField(first);
    point.pixelY = pixelField(second);
    lastTwoFields(geographicLine, &first, &second);
    point.lon = degreesField(first);
    point.lat = degreesField(second);
    return point;
}

bool numberField(const QByteArray &text, double *value)
{
    bool ok = false;
    *value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(*value);
}

// Degrees and minutes with a hemisphere letter: south and west are negative, as is a
// negative degree count.
bool angleFields(const QByteArray &degreesText, const QByteArray &minutesText, const QByteArray &hemisphere,
                 double *degrees)
{
    double whole = 0.0;
    double minutes = 0.0;
    if (!numberField(degreesText, &whole))
        return false;
    if (!minutesText.trimmed().isEmpty() && !numberField(minutesText, &minutes))
        return false;
    const QByteArray letter = hemisphere.trimmed().toUpper();
    const bool negative = whole < 0.0 || degreesText.trimmed().startsWith('-') || letter == "S" || letter == "W";
    *degrees = (std::fabs(whole) + std::fabs(minutes) / 60.0) * (negative ? -1.0 : 1.0);
    return true;
}

// "Point01,xy,  256,  256,in, deg,  55, 45.0000,N,  37, 36.0000,E, grid, ...".
bool datumPoint(const QByteArray &line, OziDatumPoint *point)
{
    if (!line.startsWith("Point"))
        return false;
    const QList<QByteArray> fields = line.split(',');
    if (fields.size() < 12)
        return false;
    bool xOk = false;
    bool yOk = false;
    point->pixelX = fields.at(2).trimmed().toInt(&xOk, 10);
    point->pixelY = fields.at(3).trimmed().toInt(&yOk, 10);
    return xOk && yOk && angleFields(fields.at(6), fields.at(7), fields.at(8), &point->latitude)
        && angleFields(fields.at(9), fields.at(10), fields.at(11), &point->longitude);
}

}  // namespace

OziMapText parseOziMapText(const QByteArray &bytes)
{
    const QList<QByteArray> lines = splitLines(bytes);
    OziMapText result;
    int lineNumber = 0;
    qsizetype next = 0;
    while (next < lines.size()) {
        const QByteArray &line = lines.at(next++);
        ++lineNumber;
        if (lineNumber == 3) {
            result.hasImageLine = true;
            result.imageLine = line;
        }
        if (lineNumber == 5)
            result.datumName = line.left(line.indexOf(',')).trimmed();
        OziDatumPoint point;
        if (datumPoint(line, &point))
            result.datumPoints.append(point);
        if (!line.contains("MMPNUM"))
            continue;
        // Counts beyond the file's end name lines that do not exist: they are no points.
        const qsizetype count = pointCount(line);
        const qsizetype pixelStart = next;
        const qsizetype pixelLines = qMin(count, lines.size() - pixelStart);
        const qsizetype geographicStart = pixelStart + pixelLines;
        const qsizetype geographicLines = qMin(count, lines.size() - geographicStart);
        result.points.clear();
        for (qsizetype i = 0; i < geographicLines; ++i)
            result.points.append(referencePoint(lines.at(pixelStart + i), lines.at(geographicStart + i)));
        next = geographicStart + geographicLines;
    }
    return result;
}
