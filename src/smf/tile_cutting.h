#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QRgb>

// Cuts one tile out of a level image, encodes it and compresses it: the result is the
// tile's payload in the SMF file. tileRect is the tile's rectangle in image pixels
// and gives the tile size; the parts of it outside the image take fillColour, and
// transparent image pixels are drawn over fillColour. The same bytes result as from
// drawing the whole image onto a fill-coloured canvas of whole tiles and cutting that
// canvas. Pure function of its arguments, safe to run on several threads at once.
// Returns an empty array when memory runs out.
QByteArray cutTile(const QImage &image, const QRect &tileRect, QRgb fillColour);
