#pragma once

#include <QCoreApplication>
#include <QPointF>
#include <QString>
#include <QVector>

#include <memory>
#include <optional>

#include "project/map_layer.h"
#include "raster/geo_raster.h"

// The fit of a layer's control points, as the points dock shows it. The fit and the
// warp are the core's own (importLayer with the points), so the layer becomes exactly
// what `mapvane-cli convert` makes of the same points.
struct ControlPointsFit
{
    Q_DECLARE_TR_FUNCTIONS(ControlPointsFit)

public:
    // The georeference of the fitted level; nullptr when the points cannot be fitted,
    // refusal then saying why.
    std::shared_ptr<const RasterGeoreference> georeference;
    QString refusal;
    // The level's corners as the layer's calibration (pixels at the layer's zoom).
    LayerCalibration calibration;
    // Per point of the layer, in its order: the residual (gcpResiduals) of a point
    // that took part in the fit, and the way from its pixel to where the fit puts its
    // position, source pixels.
    QVector<std::optional<PointMiss>> residuals;
    QVector<QPointF> misses;
    double rmsPixels = 0.0;
    double rmsMetres = 0.0;

    // The fewest points the transform needs: 3, or 6 for the second-order polynomial.
    static int minimumPoints(GcpTransform transform);
    // The transform's name: "仿射".
    static QString transformName(GcpTransform transform);
    // What each transform needs, in one sentence.
    static QString transformsNeeds();
};

// Fits the enabled, positioned points of `layer` (a plain image at sourcePath) by its
// transform and plans the warped level with `resampling`. Too few points, or points
// on one line (in pixels or in positions), are refused before the core is asked.
ControlPointsFit fitControlPoints(const MapLayer &layer, Resampling resampling);
