// The rows of a mosaic: each piece's own level rows, cut to its face and laid over the
// pieces before it.

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include "raster/geo_raster.h"
#include "raster/image_rows.h"
#include "raster/raster_mosaic.h"

namespace {

// The columns of row centre y that lie inside polygon (even-odd), as pairs of column
// ranges [from, to) clamped to [0, width).
void spansAt(const QVector<QPointF> &polygon, double y, int width, std::vector<double> *crossings,
             std::vector<std::pair<int, int>> *spans)
{
    crossings->clear();
    spans->clear();
    const qsizetype count = polygon.size();
    for (qsizetype i = 0; i < count; ++i) {
        const QPointF &a = polygon.at(i);
        const QPointF &b = polygon.at((i + 1) % count);
        if ((a.y() <= y) != (b.y() <= y))
            crossings->push_back(a.x() + (y - a.y()) * (b.x() - a.x()) / (b.y() - a.y()));
    }
    std::sort(crossings->begin(), crossings->end());
    for (std::size_t i = 0; i + 1 < crossings->size(); i += 2) {
        // Column c is inside when its centre c + 0.5 lies in [from, to).
        const int from = int(std::clamp(std::ceil((*crossings)[i] - 0.5), 0.0, double(width)));
        const int to = int(std::clamp(std::ceil((*crossings)[i + 1] - 0.5), 0.0, double(width)));
        if (from < to)
            spans->emplace_back(from, to);
    }
}

// src laid over dst, both ARGB32 not premultiplied.
inline quint32 over(quint32 src, quint32 dst)
{
    const quint32 alpha = src >> 24;
    if (alpha == 0xff || (dst >> 24) == 0)
        return src;
    if (alpha == 0)
        return dst;
    const double a = alpha / 255.0;
    const double b = (dst >> 24) / 255.0 * (1.0 - a);
    const double outAlpha = a + b;
    quint32 result = quint32(std::lround(outAlpha * 255.0)) << 24;
    for (int shift = 0; shift < 24; shift += 8) {
        const double channel = (((src >> shift) & 0xff) * a + ((dst >> shift) & 0xff) * b) / outAlpha;
        result |= quint32(std::lround(channel)) << shift;
    }
    return result;
}

class MosaicRows : public ImageRowReader
{
public:
    MosaicRows(const RasterMosaic &mosaic, qint32 budgetMB)
        : m_mosaic(mosaic), m_open(std::size_t(mosaic.pieces.size()))
    {
        m_size = mosaic.size;
        m_hasAlpha = true;
        m_decodesOnPool = true;
        // The pieces that are open at once share the budget.
        int most = 1;
        for (int row = 0; row < m_size.height(); ++row) {
            int open = 0;
            for (const MosaicPiece &piece : mosaic.pieces)
                open += row >= piece.offset.y() && row < piece.offset.y() + piece.georeference.size.height();
            most = std::max(most, open);
            // Rows between piece edges change nothing: jump to the next edge.
            int next = m_size.height();
            for (const MosaicPiece &piece : mosaic.pieces) {
                for (const int edge : {piece.offset.y(), piece.offset.y() + piece.georeference.size.height()})
                    if (edge > row)
                        next = std::min(next, edge);
            }
            row = next - 1;
        }
        m_mostOpen = most;
        m_budgetMB = std::max(1, budgetMB / most);
    }

protected:
    bool decodeRows(int count, uchar *dest, qsizetype stride) override
    {
        try {
            for (int i = 0; i < count; ++i)
                std::memset(dest + i * stride, 0, std::size_t(m_size.width()) * 4);
            for (qsizetype p = 0; p < m_mosaic.pieces.size(); ++p) {
                if (!drawPiece(int(p), count, dest, stride))
                    return false;
            }
        } catch (const std::bad_alloc &) {
            return fail(ImageFileStatus::Invalid, QCoreApplication::translate("ImageFile", "not enough memory"));
        }
        return true;
    }

private:
    struct OpenPiece
    {
        std::unique_ptr<ImageRowReader> rows;
        std::vector<quint32> words;
    };

    // Lays rows m_nextRow .. m_nextRow + count - 1 of piece p over dest.
    bool drawPiece(int p, int count, uchar *dest, qsizetype stride)
    {
        const MosaicPiece &piece = m_mosaic.pieces.at(p);
        const QSize size = piece.georeference.size;
        const int top = std::max(m_nextRow, piece.offset.y());
        const int bottom = std::min(m_nextRow + count, piece.offset.y() + size.height());
        if (top >= bottom || size.isEmpty())
            return true;
        OpenPiece &open = m_open[std::size_t(p)];
        if (!open.rows) {
            open.rows = openGeoreferencedRows(piece.georeference, m_budgetMB);
            if (open.rows->status() != ImageFileStatus::Ok)
                return failPiece(piece, *open.rows);
            open.rows->shareDecodingAhead(m_mostOpen);
        }
        const int rows = bottom - top;
        open.words.resize(std::size_t(size.width()) * std::size_t(rows));
        if (!open.rows->readRows(rows, reinterpret_cast<uchar *>(open.words.data()), qsizetype(size.width()) * 4))
            return failPiece(piece, *open.rows);
        for (int r = 0; r < rows; ++r) {
            spansAt(piece.levelFace, top + r + 0.5, m_size.width(), &m_crossings, &m_spans);
            auto *out = reinterpret_cast<quint32 *>(dest + (top + r - m_nextRow) * stride);
            const quint32 *in = open.words.data() + std::size_t(r) * std::size_t(size.width());
            for (const auto &[from, to] : m_spans) {
                const int first = std::max(from, piece.offset.x());
                const int last = std::min(to, piece.offset.x() + size.width());
                for (int x = first; x < last; ++x)
                    out[x] = over(in[x - piece.offset.x()], out[x]);
            }
        }
        // Closed after its last row.
        if (bottom == piece.offset.y() + size.height())
            open = OpenPiece();
        return true;
    }

    bool failPiece(const MosaicPiece &piece, const ImageRowReader &rows)
    {
        return fail(rows.status(), QStringLiteral("%1: %2").arg(QFileInfo(piece.georeference.rasterPath).fileName(),
                                                               rows.errorString()));
    }

    const RasterMosaic m_mosaic;
    std::vector<OpenPiece> m_open;
    qint32 m_budgetMB = 0;
    int m_mostOpen = 1;  // pieces open at once
    std::vector<double> m_crossings;
    std::vector<std::pair<int, int>> m_spans;
};

}  // namespace

std::unique_ptr<ImageRowReader> openMosaicRows(const RasterMosaic &mosaic, qint32 budgetMB)
{
    if (mosaic.size.isEmpty() || mosaic.pieces.isEmpty())
        return failedRows(ImageFileStatus::Invalid,
                          QCoreApplication::translate("GeoRaster", "the level of the sources has not been planned"));
    return std::make_unique<MosaicRows>(mosaic, budgetMB);
}
