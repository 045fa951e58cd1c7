// Reading layer images: PNG and JPEG through our row decoders in every colour type and
// depth, BMP bit fields exactly, other formats as the image library decodes them, and
// every damaged or cut-short file refused with the decoder's reason.

#include <QImageWriter>
#include <QTemporaryDir>
#include <QtTest>

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

#include "common/files.h"
#include "raster/image_file.h"
#include "raster/image_rows.h"

namespace {

// A PNG of colour type and bit depth from 16-bit samples (channel-interleaved,
// within the depth), with an optional palette and tRNS chunk, written by libpng.
struct PngLayout
{
    int width = 13;
    int height = 9;
    int colourType = PNG_COLOR_TYPE_RGB;
    int depth = 8;
    bool interlaced = false;
    QVector<quint16> trns;  // grey or RGB sample values, or palette alphas
};

int channels(int colourType)
{
    return colourType == PNG_COLOR_TYPE_RGB ? 3 : colourType == PNG_COLOR_TYPE_RGBA ? 4
         : colourType == PNG_COLOR_TYPE_GA ? 2 : 1;
}

// Sample c of pixel (x, y): a spread of values over the whole depth.
quint16 sample(const PngLayout &layout, int x, int y, int c)
{
    const int max = (1 << layout.depth) - 1;
    if (!layout.trns.isEmpty() && layout.colourType != PNG_COLOR_TYPE_PALETTE && x == 0)
        return layout.trns.value(c) ^ quint16(y == 1);  // the transparent colour, and one a bit off it
    return quint16((x * 7919 + y * 104729 + c * 15485863) % (max + 1));
}

// The colour of palette entry i.
QRgb paletteColour(int i) { return qRgb(i * 37 % 256, i * 91 % 256, i * 53 % 256); }

QByteArray writePng(const PngLayout &layout)
{
    QByteArray bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &bytes, [](png_structp p, png_bytep data, size_t length) {
        static_cast<QByteArray *>(png_get_io_ptr(p))->append(reinterpret_cast<const char *>(data), qsizetype(length));
    }, nullptr);
    png_set_IHDR(png, info, layout.width, layout.height, layout.depth, layout.colourType,
                 layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    QVector<png_color> palette(1 << layout.depth);
    png_color_16 trnsColour{};
    QVector<png_byte> alphas;
    for (int i = 0; i < palette.size(); ++i)
        palette[i] = {png_byte(qRed(paletteColour(i))), png_byte(qGreen(paletteColour(i))), png_byte(qBlue(paletteColour(i)))};
    if (layout.colourType == PNG_COLOR_TYPE_PALETTE)
        png_set_PLTE(png, info, palette.data(), int(palette.size()));
    if (!layout.trns.isEmpty()) {
        trnsColour = {0, layout.trns.value(0), layout.trns.value(1), layout.trns.value(2), layout.trns.value(0)};
        for (quint16 alpha : layout.trns)
            alphas.append(png_byte(alpha));
        png_set_tRNS(png, info, alphas.data(), int(alphas.size()), &trnsColour);
    }
    png_write_info(png, info);
    if (layout.depth < 8)
        png_set_packing(png);
    const int n = channels(layout.colourType);
    const int sampleBytes = layout.depth == 16 ? 2 : 1;
    QVector<QByteArray> rows(layout.height, QByteArray(layout.width * n * sampleBytes, '\0'));
    QVector<png_bytep> pointers;
    for (int y = 0; y < layout.height; ++y) {
        uchar *out = reinterpret_cast<uchar *>(rows[y].data());
        for (int x = 0; x < layout.width; ++x) {
            for (int c = 0; c < n; ++c) {
                const quint16 v = sample(layout, x, y, c);
                if (sampleBytes == 2)
                    *out++ = uchar(v >> 8);
                *out++ = uchar(v);
            }
        }
        pointers.append(reinterpret_cast<png_bytep>(rows[y].data()));
    }
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

// What the PNG of layout shows: samples scaled to 8 bits, rounded; the transparent
// colour (compared at full depth) or palette alphas as alpha.
QImage expectedPng(const PngLayout &layout)
{
    QImage image(layout.width, layout.height, QImage::Format_ARGB32);
    const int max = (1 << layout.depth) - 1;
    const auto scaled = [max](int v) { return (v * 255 + max / 2) / max; };
    const int n = channels(layout.colourType);
    for (int y = 0; y < layout.height; ++y) {
        for (int x = 0; x < layout.width; ++x) {
            quint16 s[4];
            for (int c = 0; c < n; ++c)
                s[c] = sample(layout, x, y, c);
            QRgb p = 0;
            if (layout.colourType == PNG_COLOR_TYPE_PALETTE) {
                p = (paletteColour(s[0]) & 0xffffff) | (uint(s[0] < layout.trns.size() ? layout.trns[s[0]] : 255) << 24);
            } else {
                const bool colour = layout.colourType & PNG_COLOR_MASK_COLOR;
                const int alphaChannel = colour ? 3 : 1;
                int alpha = layout.colourType & PNG_COLOR_MASK_ALPHA ? scaled(s[alphaChannel]) : 255;
                if (!layout.trns.isEmpty() && std::equal(s, s + n, layout.trns.cbegin()))
                    alpha = 0;
                p = qRgba(scaled(s[0]), scaled(s[colour ? 1 : 0]), scaled(s[colour ? 2 : 0]), alpha);
            }
            image.setPixel(x, y, p);
        }
    }
    return image;
}

// A CMYK or YCCK JPEG as graphics programs write them (inverted, Adobe marker), by libjpeg.
QByteArray writeCmykJpeg(J_COLOR_SPACE space)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = 40;
    info.image_height = 24;
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, space);
    jpeg_start_compress(&info, TRUE);
    QByteArray row(40 * 4, '\0');
    for (int y = 0; y < 24; ++y) {
        for (int i = 0; i < row.size(); ++i)
            row[i] = char(255 - (i * 5 + y * 11) % 200);
        JSAMPROW pointer = reinterpret_cast<JSAMPROW>(row.data());
        jpeg_write_scanlines(&info, &pointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const QByteArray bytes(reinterpret_cast<const char *>(buffer), qsizetype(size));
    free(buffer);
    return bytes;
}

QByteArray encoded(const QImage &image, const char *format, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    return buffer.open(QIODevice::WriteOnly) && writer.write(image) ? bytes : QByteArray();
}

// A 2 x 2 BMP of 16 or 32 bits a pixel: words are the pixels from the top left; masks
// (red, green, blue, alpha) follow a 40-byte header (BI_BITFIELDS, or with an alpha
// mask BI_ALPHABITFIELDS), or lie inside a 124-byte one; none: BI_RGB.
QByteArray bitFieldBmp(int bits, const QVector<quint32> &words, const QVector<quint32> &masks, bool v5 = false,
                       bool topDown = false)
{
    const int infoSize = v5 ? 124 : 40;
    const int maskBytes = v5 ? 0 : 4 * int(masks.size());
    const int stride = (2 * bits + 31) / 32 * 4;
    const int dataOffset = 14 + infoSize + maskBytes;
    QByteArray bytes(dataOffset + 2 * stride, '\0');
    uchar *b = reinterpret_cast<uchar *>(bytes.data());
    b[0] = 'B';
    b[1] = 'M';
    qToLittleEndian<quint32>(quint32(bytes.size()), b + 2);
    qToLittleEndian<quint32>(quint32(dataOffset), b + 10);
    qToLittleEndian<quint32>(quint32(infoSize), b + 14);
    qToLittleEndian<qint32>(2, b + 18);
    qToLittleEndian<qint32>(topDown ? -2 : 2, b + 22);
    qToLittleEndian<quint16>(1, b + 26);
    qToLittleEndian<quint16>(quint16(bits), b + 28);
    qToLittleEndian<quint32>(masks.isEmpty() ? 0 : masks.size() == 4 && !v5 ? 6 : 3, b + 30);
    for (int i = 0; i < masks.size(); ++i)
        qToLittleEndian<quint32>(masks[i], b + 54 + 4 * i);
    for (int i = 0; i < 4; ++i) {
        const int row = topDown ? i / 2 : 1 - i / 2;  // bottom row first unless top-down
        uchar *at = b + dataOffset + row * stride + (i % 2) * bits / 8;
        if (bits == 16)
            qToLittleEndian<quint16>(quint16(words[i]), at);
        else
            qToLittleEndian<quint32>(words[i], at);
    }
    return bytes;
}

QImage twoByTwo(const QVector<QRgb> &pixels)
{
    QImage image(2, 2, QImage::Format_ARGB32);
    for (int i = 0; i < 4; ++i)
        image.setPixel(i % 2, i / 2, pixels[i]);
    return image;
}

}  // namespace

class TestImageFile : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();

private:
    QTemporaryDir m_dir;
};

void TestImageFile::read_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QImage>("expected");  // null: refused
    QTest::addColumn<QString>("refusal");  // in the reason
    const auto good = [](const char *name, const QByteArray &bytes, const QImage &expected) {
        QTest::newRow(name) << QStringLiteral("image.img") << bytes << expected.convertToFormat(QImage::Format_ARGB32)
                            << QString();
    };
    const auto refused = [](const char *name, const QByteArray &bytes, const char *refusal) {
        QTest::newRow(name) << QStringLiteral("refused.img") << bytes << QImage() << QString::fromLatin1(refusal);
    };
    const auto png = [&](const char *name, const PngLayout &layout) { good(name, writePng(layout), expectedPng(layout)); };
    png("grey 1-bit", {13, 9, PNG_COLOR_TYPE_GRAY, 1});
    png("grey 2-bit", {13, 9, PNG_COLOR_TYPE_GRAY, 2});
    png("grey 4-bit", {13, 9, PNG_COLOR_TYPE_GRAY, 4});
    png("grey 16-bit", {13, 9, PNG_COLOR_TYPE_GRAY, 16});
    png("grey 8-bit, a transparent grey", {13, 9, PNG_COLOR_TYPE_GRAY, 8, false, {77}});
    png("grey + alpha 8-bit", {13, 9, PNG_COLOR_TYPE_GA, 8});
    png("grey + alpha 16-bit", {13, 9, PNG_COLOR_TYPE_GA, 16});
    png("palette 4-bit", {13, 9, PNG_COLOR_TYPE_PALETTE, 4});
    png("palette 8-bit with alphas", {13, 9, PNG_COLOR_TYPE_PALETTE, 8, false, {0, 128, 255, 3}});
    png("RGB 8-bit", {13, 9, PNG_COLOR_TYPE_RGB, 8});
    // The transparent colour is compared in 16 bits: one a low bit off it stays opaque.
    png("RGB 16-bit, a transparent colour", {13, 9, PNG_COLOR_TYPE_RGB, 16, false, {1000, 40000, 65535}});
    png("RGBA 8-bit", {13, 9, PNG_COLOR_TYPE_RGBA, 8});
    png("RGBA 16-bit", {13, 9, PNG_COLOR_TYPE_RGBA, 16});
    png("interlaced RGB 8-bit", {13, 9, PNG_COLOR_TYPE_RGB, 8, true});
    png("interlaced palette 2-bit", {13, 9, PNG_COLOR_TYPE_PALETTE, 2, true});

    // JPEG and BMP: as the image library decodes the same bytes.
    const QImage map = fixtures::mapLikeImage(64, 48);
    const QByteArray jpeg = encoded(map, "JPEG");
    for (const auto &[name, bytes] : {std::pair{"JPEG baseline", jpeg}, {"JPEG progressive", encoded(map, "JPEG", true)},
                                      {"JPEG grey", encoded(map.convertToFormat(QImage::Format_Grayscale8), "JPEG")},
                                      {"JPEG CMYK", writeCmykJpeg(JCS_CMYK)}, {"JPEG YCCK", writeCmykJpeg(JCS_YCCK)},
                                      {"BMP", encoded(map, "BMP")}}) {
        good(name, bytes, QImage::fromData(bytes));
    }
    // Scans renamed by hand: the content decides the format, not the suffix.
    const QByteArray mapPng = encoded(fixtures::mapLikeImage(640, 480), "PNG");
    good("PNG named .jpg", mapPng, fixtures::mapLikeImage(640, 480));

    // The same PNG claiming 60000 x 60000 pixels: 13 GiB decoded.
    QByteArray huge = mapPng;
    const auto fixCrc = [](QByteArray &bytes, int chunk, int length) {
        const auto *data = reinterpret_cast<const Bytef *>(bytes.constData() + chunk + 4);
        qToBigEndian<quint32>(quint32(crc32(0, data, uInt(length + 4))), bytes.data() + chunk + 8 + length);
    };
    qToBigEndian<quint32>(60000, huge.data() + 16);
    qToBigEndian<quint32>(60000, huge.data() + 20);
    fixCrc(huge, 8, 13);
    refused("larger than the memory budget", huge, "more than the memory limit");
    // Cut short anywhere, the end marker included.
    const QByteArray bmp = encoded(map, "BMP");
    refused("PNG cut short", mapPng.left(mapPng.size() * 2 / 3), "premature end of data");
    refused("PNG without its end chunk", mapPng.chopped(12), "premature end of data");
    refused("JPEG cut short", jpeg.left(jpeg.size() * 2 / 3), "premature end of data");
    refused("JPEG without its end marker", jpeg.chopped(2), "premature end of data");
    refused("BMP cut short", bmp.left(bmp.size() - 100), "its header needs 9216 bytes of pixel data");
    // Its header's claim, 2^31 - 1 a side, is refused for its size before any arithmetic on it.
    QByteArray vast = bmp;
    qToLittleEndian<qint32>(0x7fffffff, vast.data() + 18);
    qToLittleEndian<qint32>(0x7fffffff, vast.data() + 22);
    refused("BMP claiming 2^31 - 1 pixels a side", vast, "the image is too large: 2,147,483,647");
    // A changed byte in the image data: the chunk's checksum, or with the checksum made
    // to match, the zlib stream's.
    const int idat = int(mapPng.indexOf("IDAT")) - 4;
    const int idatLength = int(qFromBigEndian<quint32>(mapPng.constData() + idat));
    QByteArray flipped = mapPng;
    flipped[idat + 8 + idatLength / 2] = char(flipped[idat + 8 + idatLength / 2] ^ 0x10);
    refused("PNG with a checksum error", flipped, "CRC error");
    fixCrc(flipped, idat, idatLength);
    refused("PNG with corrupt compressed data", flipped, "IDAT");
    QByteArray huffman = jpeg;
    const int dht = int(huffman.indexOf("\xff\xc4"));
    for (int i = dht + 5; i < dht + 21; ++i)  // the code counts of the first table
        huffman[i] = char(i % 2);
    refused("JPEG with a damaged Huffman table", huffman, "damaged image data");
    // libjpeg-turbo warns and goes on with made-up pixels: refused all the same.
    QByteArray scan = jpeg;
    for (int i = int(scan.size()) * 3 / 4; i < scan.size() * 3 / 4 + 8; ++i)
        scan[i] = char(0xff - i % 7);
    refused("JPEG with corrupt scan data", scan, "Corrupt JPEG data");
    // Ones without end are no Huffman code; libjpeg-turbo's fast path, taken with more
    // than a few hundred bytes at hand, reads them silently as zeros.
    QByteArray ones = encoded(fixtures::mapLikeImage(640, 480), "JPEG");
    for (int i = 0; i < 16; i += 2)
        ones.replace(int(ones.size()) / 4 + i, 2, QByteArray::fromHex("ff00"));
    refused("JPEG with a bad Huffman code", ones, "bad Huffman code");
    // Seen by the decoder, which refuses it, not by the image library, which lets it pass.
    refused("JPEG with bytes after its start marker", jpeg.left(2) + QByteArray::fromHex("0011") + jpeg.mid(2), "extraneous bytes");

    // BMP bit fields, each scaled to 8 bits and rounded: 4 bits times 17, 5 bits of 1
    // and 16 are 8 and 132, 6 bits of 1 and 32 are 4 and 130, by hand.
    good("BMP 16-bit A4R4G4B4, 124-byte header",
         bitFieldBmp(16, {0xf00f, 0x8f3c, 0x0000, 0xffff}, {0x0f00, 0x00f0, 0x000f, 0xf000}, true),
         twoByTwo({qRgba(0, 0, 255, 255), qRgba(255, 51, 204, 136), qRgba(0, 0, 0, 0), qRgba(255, 255, 255, 255)}));
    good("BMP 16-bit A1R5G5B5, alpha bit field",
         bitFieldBmp(16, {0xfc23, 0x7fff, 0x8000, 0x0421}, {0x7c00, 0x03e0, 0x001f, 0x8000}),
         twoByTwo({qRgba(255, 8, 25, 255), qRgba(255, 255, 255, 0), qRgba(0, 0, 0, 255), qRgba(8, 8, 8, 0)}));
    good("BMP 16-bit R5G6B5, top row first",
         bitFieldBmp(16, {0x07e0, 0x0020, 0xf81f, 0x8410}, {0xf800, 0x07e0, 0x001f}, false, true),
         twoByTwo({qRgb(0, 255, 0), qRgb(0, 4, 0), qRgb(255, 0, 255), qRgb(132, 130, 132)}));
    good("BMP 16-bit without masks (5-5-5)", bitFieldBmp(16, {0x7fff, 0x001f, 0x0001, 0x4210}, {}),
         twoByTwo({qRgb(255, 255, 255), qRgb(0, 0, 255), qRgb(0, 0, 8), qRgb(132, 132, 132)}));
    good("BMP 32-bit ABGR, alpha bit field",
         bitFieldBmp(32, {0x11223344, 0xff0000ff, 0x00ffffff, 0x80000000}, {0xff, 0xff00, 0xff0000, 0xff000000}),
         twoByTwo({qRgba(0x44, 0x33, 0x22, 0x11), qRgba(255, 0, 0, 255), qRgba(255, 255, 255, 0), qRgba(0, 0, 0, 128)}));
    good("BMP 32-bit 10-10-10", bitFieldBmp(32, {0x3ff80001, 0, 0x3fffffff, 0x000ffc00},
                                            {0x3ff00000, 0x000ffc00, 0x000003ff}),
         twoByTwo({qRgb(255, 128, 0), qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(0, 255, 0)}));
    refused("BMP 16-bit with a mask in two runs", bitFieldBmp(16, {0, 0, 0, 0}, {0x0f0f, 0x00f0, 0xf000}),
            "colour masks");
    // 57 bytes claiming a 2 GB chunk: refused without allocating it.
    refused("PNG with a huge sCAL chunk", mapPng.left(33) + QByteArray::fromHex("7ffffff07343414c") + QByteArray(16, '1'),
            "premature end of data");
    refused("text", "not an image\n", "unsupported image format");
}

void TestImageFile::read()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QImage, expected);
    QFETCH(QString, refusal);
    const QString path = m_dir.filePath(name);
    QVERIFY(fixtures::writeBytes(path, bytes));
    std::atomic<qint64> position{0};
    const std::unique_ptr<ImageRowReader> whole = openImageRows(path, 4096, &position);
    const QImage image = whole->readWholeImage(4096);
    QCOMPARE(whole->status(), expected.isNull() ? ImageFileStatus::Invalid : ImageFileStatus::Ok);
    QVERIFY2(whole->failureText().contains(refusal), qPrintable(whole->failureText()));
    QCOMPARE(image.convertToFormat(QImage::Format_ARGB32), expected);
    if (!image.isNull())
        QVERIFY(position.load() > bytes.size() / 2 && position.load() <= bytes.size());

    // Read by rows, a few at a time, as a save reads them: the same pixels, the same refusals.
    const std::unique_ptr<ImageRowReader> rows = openImageRows(path, 4096);
    QImage strips(rows->size(), QImage::Format_ARGB32);
    bool read = rows->status() == ImageFileStatus::Ok;
    for (int y = 0; read && y < strips.height(); y += 4)
        read = rows->readRows(qMin(4, strips.height() - y), strips.scanLine(y), strips.bytesPerLine());
    QCOMPARE(read, !expected.isNull());
    if (read)
        QCOMPARE(strips, expected);
}

QTEST_GUILESS_MAIN(TestImageFile)
#include "tst_image_file.moc"
