// The calibration form's validator ranges, which follow the layer and the other
// fields. The validators themselves are made once, in the constructor.

#include <QLineEdit>

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "geo/grid_parse.h"
#include "project/map_layer.h"
#include "ui/c_points_form.h"
#include "ui/mapvane2.h"
#include "ui/hinted_validators.h"

namespace {

constexpr double kMaxMinutesOrSeconds = 59.99999999;

// A pixel bound one step beside a stored pixel, kept inside the int range.
int pixelBound(qint64 value)
{
    return int(std::clamp<qint64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void setRange(HintedIntValidator *validator, IntRange range)
{
    validator->setRange(range.bottom, range.top);
}

}  // namespace

void CPointsForm::updateValidators()
{
    if (!window || window->browseMode)
        return;
    const MapLayer *layer = currentLayerRecord();
    if (!layer)
        return;
    const QSize image = currentImageSize();
    rangePointValidators(*layer, true, image.width(), image.height());
    rangePointValidators(*layer, false, image.width(), image.height());
}

void CPointsForm::rangePointValidators(const MapLayer &layer, bool topLeft, int imageWidth, int imageHeight)
{
    const PointFields &fields = fieldsOf(topLeft);
    const PointValidators &validators = topLeft ? m_validators1 : m_validators2;

    // The top-left pixel stays left of and above the bottom-right one, which stays
    // inside the image.
    if (topLeft) {
        validators.x->setRange(0, pixelBound(qint64(layer.bottomRight.pixelX) - 1));
        validators.y->setRange(0, pixelBound(qint64(layer.bottomRight.pixelY) - 1));
    } else {
        validators.x->setRange(pixelBound(qint64(layer.topLeft.pixelX) + 1), imageWidth);
        validators.y->setRange(pixelBound(qint64(layer.topLeft.pixelY) + 1), imageHeight);
    }

    rangeAngleRow(fields.lon, validators.lon, 180);
    rangeAngleRow(fields.lat, validators.lat, 90);

    setRange(validators.utmZone, kUtmZoneRange);
    setRange(validators.utmEasting, kUtmEastingRange);
    setRange(validators.northing, kUtmNorthingRange);
    // The latitude edit carries the UTM northing in the UTM notation.
    if (m_notation == 3)
        fields.lat.decimal->setValidator(validators.northing);
    else
        fields.lat.decimal->setValidator(validators.lat.decimal);

    setRange(validators.tmEasting, tmEastingRange());
    setRange(validators.tmNorthing, tmNorthingRange());
}

// 180° (90°) is reachable only with zero minutes and seconds, and a non-zero fraction
// only with at most 179° (89°).
void CPointsForm::rangeAngleRow(const AngleRowFields &fields, const AngleRowValidators &validators, int maxDegrees)
{
    validators.decimal->setRange(-maxDegrees, maxDegrees);

    const bool dmAtLimit = std::abs(fields.dmDegrees->text().toInt(nullptr, 10)) == maxDegrees;
    validators.dmMinutes->setRange(0.0, dmAtLimit ? 0.0 : kMaxMinutesOrSeconds);
    const bool dmFraction = fields.dmMinutes->text().toDouble() > 0.0;
    const int dmDegrees = dmFraction ? maxDegrees - 1 : maxDegrees;
    validators.dmDegrees->setRange(-dmDegrees, dmDegrees);

    const bool dmsAtLimit = std::abs(fields.dmsDegrees->text().toInt(nullptr, 10)) == maxDegrees;
    validators.dmsMinutes->setRange(0, dmsAtLimit ? 0 : 59);
    validators.dmsSeconds->setRange(0.0, dmsAtLimit ? 0.0 : kMaxMinutesOrSeconds);
    const bool dmsFraction =
        fields.dmsMinutes->text().toInt(nullptr, 10) >= 1 || fields.dmsSeconds->text().toDouble() > 0.0;
    const int dmsDegrees = dmsFraction ? maxDegrees - 1 : maxDegrees;
    validators.dmsDegrees->setRange(-dmsDegrees, dmsDegrees);
}
