#pragma once

#include <QByteArray>
#include <QString>

// The fixed text fields of an SMF header: 64 bytes holding 32 UTF-16LE code units,
// zero-padded, with no terminating 0 when the text fills the field.

// The 64 bytes of a text field. Text longer than 32 code units is cut to 32, or to
// 31 when the cut would split a surrogate pair.
QByteArray encodeSmfText(const QString &text);

// The code units of a 64-byte field up to the first 0 unit or the end of the field.
// field must point at 64 readable bytes.
QString decodeSmfText(const char *field);

// A copy of text in which every unpaired surrogate is replaced by U+FFFD, so that it
// converts to valid UTF-8.
QString withUnpairedSurrogatesReplaced(const QString &text);
