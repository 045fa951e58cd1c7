#pragma once

#include <QImage>
#include <QtGlobal>

// One decoded SMF tile kept by a layer for drawing a file in a browse window.
struct TileCacheEntry
{
    qint32 column = 0;  // tile column in the level
    qint32 row = 0;     // tile row in the level
    quint32 stamp = 0;  // use counter value of the last use; the smallest is recycled first
    QImage image;       // the decoded tile
};
