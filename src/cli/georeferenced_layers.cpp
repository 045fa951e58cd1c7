// mapvane-cli convert: layers that bring their georeferencing, or are tied to it by
// ground control points.

#include "cli/georeferenced_layers.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "project/layer_import.h"

namespace {

template <typename Value, std::size_t N>
bool pick(const QString &text, const char *const (&names)[N], const Value (&values)[N], Value *value)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (text.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0) {
            *value = values[i];
            return true;
        }
    }
    return false;
}

// Ground control points whose residuals are printed one by one: the worst.
constexpr qsizetype kResidualsShown = 20;

QString fixed(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

}  // namespace

bool parseGcp(const QString &text, GroundControlPoint *point, bool degrees)
{
    const QStringList values = text.split(QLatin1Char(','));
    if (values.size() != 4)
        return false;
    double numbers[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        numbers[i] = QLocale::c().toDouble(values.at(i).trimmed(), &ok);
        if (!ok || !std::isfinite(numbers[i]))
            return false;
    }
    if (degrees && (std::fabs(numbers[2]) > 180.0 || std::fabs(numbers[3]) > 90.0))
        return false;
    *point = {numbers[0], numbers[1], numbers[2], numbers[3]};
    return true;
}

bool parseEpsgCode(const QString &text, int *epsg)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("^EPSG:(\\d{1,9})$"), QRegularExpression::CaseInsensitiveOption).match(text);
    *epsg = match.hasMatch() ? match.captured(1).toInt() : 0;
    return *epsg > 0;
}

bool parseGcpTransform(const QString &text, GcpTransform *transform)
{
    static const char *const names[] = {"affine", "poly2", "tps"};
    static const GcpTransform values[] = {GcpTransform::Affine, GcpTransform::Poly2, GcpTransform::Tps};
    return pick(text, names, values, transform);
}

bool parseResampling(const QString &text, Resampling *resampling)
{
    static const char *const names[] = {"nearest", "bilinear", "cubic", "lanczos"};
    static const Resampling values[] = {Resampling::Nearest, Resampling::Bilinear, Resampling::Cubic,
                                        Resampling::Lanczos};
    return pick(text, names, values, resampling);
}

QString georeferenceReport(const QString &path, const RasterGeoreference &georeference)
{
    QString report = QStringLiteral("%1: %2\n").arg(path, georeferenceSummary(georeference));
    if (georeference.gcps.isEmpty())
        return report;
    const QVector<PointMiss> misses = gcpResiduals(georeference);
    double pixels = 0.0;
    double metres = 0.0;
    // The worst points one by one, in the order given; the rest in one line.
    QVector<qsizetype> order(misses.size());
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::stable_sort(order.begin(), order.end(),
                     [&misses](qsizetype a, qsizetype b) { return misses.at(a).pixels > misses.at(b).pixels; });
    const qsizetype shown = std::min<qsizetype>(misses.size(), kResidualsShown);
    std::sort(order.begin(), order.begin() + shown);
    for (qsizetype k = 0; k < shown; ++k) {
        const qsizetype i = order.at(k);
        const GroundControlPoint &point = georeference.gcps.at(i);
        report += QStringLiteral("%1: point %2 (%3, %4): residual %5 px, %6 m\n")
                      .arg(path).arg(i + 1).arg(point.pixelX).arg(point.pixelY)
                      .arg(fixed(misses.at(i).pixels, 2), fixed(misses.at(i).metres, 1));
    }
    if (misses.size() > shown) {
        double largestPixels = 0.0;
        double largestMetres = 0.0;
        for (qsizetype k = shown; k < misses.size(); ++k) {
            largestPixels = std::max(largestPixels, misses.at(order.at(k)).pixels);
            largestMetres = std::max(largestMetres, misses.at(order.at(k)).metres);
        }
        report += QStringLiteral("%1: the other %2 points: residuals up to %3 px, %4 m\n")
                      .arg(path).arg(misses.size() - shown)
                      .arg(fixed(largestPixels, 2), fixed(largestMetres, 1));
    }
    for (const PointMiss &miss : misses) {
        pixels += miss.pixels * miss.pixels;
        metres += miss.metres * miss.metres;
    }
    static const char *const kTransforms[] = {"affine", "poly2", "tps"};
    if (!misses.isEmpty()) {
        report += QStringLiteral("%1: root mean square %2 px, %3 m over %4 points (%5)\n")
                      .arg(path, fixed(std::sqrt(pixels / misses.size()), 2),
                           fixed(std::sqrt(metres / misses.size()), 1))
                      .arg(misses.size())
                      .arg(QLatin1String(kTransforms[int(georeference.transform)]));
    }
    return report;
}
