#include "smf/smf_text_field.h"

#include <QtEndian>

#include "smf/smf_layout.h"

QByteArray encodeSmfText(const QString &text)
{
    QByteArray field(2 * kSmfTextFieldUnits, '\0');
    qsizetype units = qMin<qsizetype>(text.size(), kSmfTextFieldUnits);
    if (units < text.size() && text.at(units - 1).isHighSurrogate() && text.at(units).isLowSurrogate())
        --units;
    uchar *out = reinterpret_cast<uchar *>(field.data());
    for (qsizetype i = 0; i < units; ++i)
        qToLittleEndian<quint16>(text.at(i).unicode(), out + 2 * i);
    return field;
}

QString decodeSmfText(const char *field)
{
    QString text;
    const uchar *in = reinterpret_cast<const uchar *>(field);
    for (int i = 0; i < kSmfTextFieldUnits; ++i) {
        const quint16 unit = qFromLittleEndian<quint16>(in + 2 * i);
        if (unit == 0)
            break;
        text.append(QChar(unit));
    }
    return text;
}

QString withUnpairedSurrogatesReplaced(const QString &text)
{
    QString result = text;
    for (qsizetype i = 0; i < result.size(); ++i) {
        const QChar c = result.at(i);
        if (c.isHighSurrogate() && i + 1 < result.size() && result.at(i + 1).isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            result[i] = QChar(QChar::ReplacementCharacter);
        }
    }
    return result;
}
