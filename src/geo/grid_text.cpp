#include "geo/grid_text.h"

#include <QByteArray>

namespace {

// White space as the C scanner sees it in the "C" locale.
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void skipBlanks(const QByteArray &bytes, qsizetype *pos)
{
    while (*pos < bytes.size() && isBlank(bytes.at(*pos)))
        ++*pos;
}

// "%d": optional sign and at least one digit at *pos (after blanks). Moves *pos
// past what it read and returns false when there is no digit. A value beyond
// the int range is read in full and gives 0.
bool scanInt(const QByteArray &bytes, qsizetype *pos, int *value)
{
    skipBlanks(bytes, pos);
    qsizetype p = *pos;
    bool negative = false;
    if (p < bytes.size() && (bytes.at(p) == '+' || bytes.at(p) == '-')) {
        negative = bytes.at(p) == '-';
        ++p;
    }
    const qsizetype firstDigit = p;
    long long magnitude = 0;
    bool overflow = false;
    while (p < bytes.size() && bytes.at(p) >= '0' && bytes.at(p) <= '9') {
        if (!overflow) {
            magnitude = magnitude * 10 + (bytes.at(p) - '0');
            overflow = magnitude > 2147483648LL;
        }
        ++p;
    }
    if (p == firstDigit)
        return false;
    *pos = p;
    if (overflow || (!negative && magnitude > 2147483647LL))
        *value = 0;
    else
        *value = static_cast<int>(negative ? -magnitude : magnitude);
    return true;
}

// "%s": the next run of non-blank bytes (after blanks).
bool scanWord(const QByteArray &bytes, qsizetype *pos, QByteArray *word)
{
    skipBlanks(bytes, pos);
    const qsizetype start = *pos;
    while (*pos < bytes.size() && !isBlank(bytes.at(*pos)))
        ++*pos;
    if (*pos == start)
        return false;
    *word = bytes.mid(start, *pos - start);
    return true;
}

}  // namespace

UtmEastingText parseUtmEastingText(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    UtmEastingText out;
    qsizetype pos = 0;
    if (!scanInt(bytes, &pos, &out.zone))
        return out;
    QByteArray word;
    if (!scanWord(bytes, &pos, &word))
        return out;
    out.bandWord = QString::fromUtf8(word);
    out.band = word.at(0);
    scanInt(bytes, &pos, &out.easting);
    return out;
}

int readBase10Integer(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}
