#include "ui/control_points_fit.h"

#include <cmath>

#include "project/layer_import.h"

namespace {

// Points that span no area: the smaller spread of their scatter about its centre is
// negligible beside the larger one.
bool collinear(const QVector<GroundControlPoint> &points, bool positions)
{
    double mx = 0.0, my = 0.0;
    for (const GroundControlPoint &p : points) {
        mx += positions ? p.lon : p.pixelX;
        my += positions ? p.lat : p.pixelY;
    }
    mx /= points.size();
    my /= points.size();
    double sxx = 0.0, syy = 0.0, sxy = 0.0;
    for (const GroundControlPoint &p : points) {
        const double dx = (positions ? p.lon : p.pixelX) - mx;
        const double dy = (positions ? p.lat : p.pixelY) - my;
        sxx += dx * dx;
        syy += dy * dy;
        sxy += dx * dy;
    }
    const double trace = sxx + syy;
    const double det = sxx * syy - sxy * sxy;
    return !(trace > 0.0) || det <= 1e-10 * trace * trace;
}

}  // namespace

int ControlPointsFit::minimumPoints(GcpTransform transform)
{
    return transform == GcpTransform::Poly2 ? 6 : 3;
}

QString ControlPointsFit::transformName(GcpTransform transform)
{
    switch (transform) {
    case GcpTransform::Poly2:
        return tr("二次多项式");
    case GcpTransform::Tps:
        return tr("薄板样条");
    case GcpTransform::Affine:
        break;
    }
    return tr("仿射");
}

QString ControlPointsFit::transformsNeeds()
{
    return tr("仿射和薄板样条至少需要 %1 个点,二次多项式至少需要 %2 个点;薄板样条经过每个点。")
        .arg(minimumPoints(GcpTransform::Affine))
        .arg(minimumPoints(GcpTransform::Poly2));
}

ControlPointsFit fitControlPoints(const MapLayer &layer, Resampling resampling)
{
    ControlPointsFit fit;
    const LayerControlPoints &points = layer.controlPoints;
    fit.residuals.resize(points.points.size());
    fit.misses.resize(points.points.size());
    QVector<int> indices;
    const QVector<GroundControlPoint> gcps = points.fitted(&indices);
    const int needed = ControlPointsFit::minimumPoints(points.transform);
    if (gcps.size() < needed) {
        fit.refusal = ControlPointsFit::tr("需要至少 %1 个启用且已输入位置的点,现有 %2 个")
                          .arg(needed)
                          .arg(gcps.size());
        return fit;
    }
    if (collinear(gcps, false) || collinear(gcps, true)) {
        fit.refusal = ControlPointsFit::tr("这些点在一条直线上,无法拟合");
        return fit;
    }
    if (points.transform == GcpTransform::Tps && gcps.size() > kMaxTpsPoints) {
        fit.refusal = ControlPointsFit::tr("薄板样条最多 %1 个点").arg(kMaxTpsPoints);
        return fit;
    }
    LayerImportOptions options;
    options.gcps = gcps;
    options.gcpTransform = points.transform;
    options.gcpDatum = points.epsg > 0 ? -1 : points.datumIndex;
    options.gcpEpsg = points.epsg;
    options.resampling = resampling;
    LayerImport import = importLayer(layer.sourcePath, options);
    if (import.refused() || !import.layer.georeference) {
        fit.refusal = import.reason.isEmpty() ? ControlPointsFit::tr("无法拟合这些点") : import.reason;
        return fit;
    }
    fit.georeference = import.layer.georeference;
    // The level at the layer's zoom, its pixels truncated as a copy's are.
    LayerCalibration calibration = import.layer.calibration();
    for (CalibrationPoint *corner : {&calibration.topLeft, &calibration.bottomRight}) {
        corner->pixelX = qint32(std::trunc(corner->pixelX * layer.zoom));
        corner->pixelY = qint32(std::trunc(corner->pixelY * layer.zoom));
    }
    fit.calibration = calibration;

    const QVector<PointMiss> residuals = gcpResiduals(*fit.georeference);
    // Which way each point misses: its distances from where the fit puts its position,
    // seen from its pixel and from the pixels one to the right and one down, place
    // that spot exactly.
    QVector<GroundControlPoint> probes;
    for (const GroundControlPoint &p : gcps) {
        probes.append(p);
        probes.append({p.pixelX + 1.0, p.pixelY, p.lon, p.lat});
        probes.append({p.pixelX, p.pixelY + 1.0, p.lon, p.lat});
    }
    const QVector<PointMiss> distances = pointMisses(*fit.georeference, probes);
    double sumPixels = 0.0, sumMetres = 0.0;
    for (int k = 0; k < indices.size() && k < residuals.size(); ++k) {
        const PointMiss &miss = residuals.at(k);
        fit.residuals[indices.at(k)] = miss;
        sumPixels += miss.pixels * miss.pixels;
        sumMetres += miss.metres * miss.metres;
        if (distances.size() == probes.size()) {
            const double d0 = distances.at(3 * k).pixels, d1 = distances.at(3 * k + 1).pixels,
                         d2 = distances.at(3 * k + 2).pixels;
            fit.misses[indices.at(k)] = QPointF((d0 * d0 - d1 * d1 + 1.0) / 2.0, (d0 * d0 - d2 * d2 + 1.0) / 2.0);
        }
    }
    if (!residuals.isEmpty()) {
        fit.rmsPixels = std::sqrt(sumPixels / residuals.size());
        fit.rmsMetres = std::sqrt(sumMetres / residuals.size());
    }
    return fit;
}
