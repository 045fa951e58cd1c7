#pragma once

#include <QIODevice>
#include <QtGlobal>

#include <memory>

#include "raster/image_rows.h"

// The row decoders behind openImageRows. Each takes the open file, positioned at its
// first byte, and reads the header at once; the returned reader's status() tells
// whether that worked. budgetMB bounds what the decoder may allocate beyond a few
// rows (a progressive JPEG's coefficients, an interlaced PNG's whole image).

std::unique_ptr<ImageRowReader> openPngRows(std::unique_ptr<QIODevice> file, qint32 budgetMB);
std::unique_ptr<ImageRowReader> openJpegRows(std::unique_ptr<QIODevice> file, qint32 budgetMB);
// BMP files of 16 or 32 bits a pixel, uncompressed or with colour masks (bit fields,
// alpha included); masks that are not separate runs of bits are refused.
std::unique_ptr<ImageRowReader> openBmpRows(std::unique_ptr<QIODevice> file);

// Whether bytes start like a PNG or a JPEG file (its start-of-image marker).
bool isPngSignature(const QByteArray &bytes);
bool isJpegSignature(const QByteArray &bytes);
// Whether bytes (the first 70 of a file or more) head a BMP that openBmpRows reads.
bool isBitFieldBmp(const QByteArray &bytes);
