#pragma once

#include <QString>
#include <QtGlobal>

// Reads level, part, column and row from the file name of a sidecar (the folders of
// the path are not looked at). The name ends, before its extension, in
// LEVEL_COLUMNxROW (a plain tile, "15_1234x567.wfl", "OpenStreetMap 15_0x0.wfl") or
// LEVEL (PART)_COLUMNxROW (a tile of a numbered part, "15 (2)_3x4.wfl"); the level is
// the whole run of digits in front of "_" or " (". Each number has at most 9 digits.
// Returns the level, storing part (-1 for a plain tile), column and row; returns -1
// with all three -1 when the name does not parse.
qint32 parseWflTileName(const QString &sidecarPath, qint32 *part, qint32 *column, qint32 *row);
