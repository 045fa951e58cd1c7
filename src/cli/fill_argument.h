#pragma once

#include <QColor>
#include <QString>

// Reads a fill colour given as "R,G,B", each a decimal 0 to 255 (blanks around the
// numbers allowed). Returns false, leaving colour untouched, for anything else.
bool parseFillArgument(const QString &text, QColor *colour);
