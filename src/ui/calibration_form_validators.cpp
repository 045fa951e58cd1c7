// The validators of the calibration form: one per field, made once, and ranged again
// for the current layer and the other fields after every change.

#include <QRegularExpressionValidator>

#include <algorithm>
#include <cmath>
#include <limits>

#include "geo/position_parse.h"
#include "project/map_layer.h"
#include "ui/calibration_form.h"
#include "ui/calibration_form_values.h"
#include "ui/hinted_validators.h"
#include "ui/main_window.h"

namespace {

// The largest minutes or seconds a field takes below the next whole unit.
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

void setRange(HintedDoubleValidator *validator, IntRange range)
{
    validator->setRange(range.bottom, range.top);
}

}  // namespace

void CalibrationForm::createAngleRowValidators(AngleRowValidators &validators)
{
    validators.decimal = new HintedDoubleValidator(0.0, 0.0, hintLabel, this);
    validators.dmDegrees = new HintedIntValidator(0, 0, hintLabel, this);
    validators.dmMinutes = new HintedDoubleValidator(0.0, 0.0, hintLabel, this);
    validators.dmsDegrees = new HintedIntValidator(0, 0, hintLabel, this);
    validators.dmsMinutes = new HintedIntValidator(0, 0, hintLabel, this);
    validators.dmsSeconds = new HintedDoubleValidator(0.0, 0.0, hintLabel, this);
}

void CalibrationForm::createPointValidators(PointValidators &validators)
{
    // Ranges are set by updateValidators.
    for (HintedIntValidator **v : {&validators.x, &validators.y, &validators.utmZone})
        *v = new HintedIntValidator(0, 0, hintLabel, this);
    for (HintedDoubleValidator **v :
         {&validators.northing, &validators.utmEasting, &validators.tmEasting, &validators.tmNorthing})
        *v = new HintedDoubleValidator(0.0, 0.0, hintLabel, this);
    createAngleRowValidators(validators.lon);
    createAngleRowValidators(validators.lat);
}

void CalibrationForm::createValidators()
{
    createPointValidators(m_validators1);
    createPointValidators(m_validators2);
    // One band letter C to X other than I and O, or a blank.
    m_bandValidator = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[C-H J-N P-X]")), this);
    installValidators(m_point1, m_validators1);
    installValidators(m_point2, m_validators2);
}

void CalibrationForm::installValidators(const PointFields &fields, const PointValidators &validators)
{
    fields.x->setValidator(validators.x);
    fields.y->setValidator(validators.y);
    for (int row = 0; row < 2; ++row) {
        const AngleRowFields &f = row == 0 ? fields.lon : fields.lat;
        const AngleRowValidators &v = row == 0 ? validators.lon : validators.lat;
        f.decimal->setValidator(v.decimal);
        f.dmDegrees->setValidator(v.dmDegrees);
        f.dmMinutes->setValidator(v.dmMinutes);
        f.dmsDegrees->setValidator(v.dmsDegrees);
        f.dmsMinutes->setValidator(v.dmsMinutes);
        f.dmsSeconds->setValidator(v.dmsSeconds);
    }
    fields.utmZone->setValidator(validators.utmZone);
    fields.utmBand->setValidator(m_bandValidator);
    fields.utmEasting->setValidator(validators.utmEasting);
    fields.tmEasting->setValidator(validators.tmEasting);
    fields.tmNorthing->setValidator(validators.tmNorthing);
}

void CalibrationForm::updateValidators()
{
    if (window->isBrowsing())
        return;
    const MapLayer *layer = currentLayerRecord();
    if (!layer)
        return;
    const QSize image = currentImageSize();
    rangePointValidators(*layer, true, image.width(), image.height());
    rangePointValidators(*layer, false, image.width(), image.height());
}

void CalibrationForm::rangePointValidators(const MapLayer &layer, bool topLeft, int imageWidth, int imageHeight)
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
void CalibrationForm::rangeAngleRow(const AngleRowFields &fields, const AngleRowValidators &validators, int maxDegrees)
{
    validators.decimal->setRange(-maxDegrees, maxDegrees);

    const bool dmAtLimit = std::fabs(numberFromText(fields.dmDegrees->text())) == maxDegrees;
    validators.dmMinutes->setRange(0.0, dmAtLimit ? 0.0 : kMaxMinutesOrSeconds);
    const bool dmFraction = numberFromText(fields.dmMinutes->text()) > 0.0;
    const int dmDegrees = dmFraction ? maxDegrees - 1 : maxDegrees;
    validators.dmDegrees->setRange(-dmDegrees, dmDegrees);

    const bool dmsAtLimit = std::fabs(numberFromText(fields.dmsDegrees->text())) == maxDegrees;
    validators.dmsMinutes->setRange(0, dmsAtLimit ? 0 : 59);
    validators.dmsSeconds->setRange(0.0, dmsAtLimit ? 0.0 : kMaxMinutesOrSeconds);
    const bool dmsFraction =
        numberFromText(fields.dmsMinutes->text()) >= 1.0 || numberFromText(fields.dmsSeconds->text()) > 0.0;
    const int dmsDegrees = dmsFraction ? maxDegrees - 1 : maxDegrees;
    validators.dmsDegrees->setRange(-dmsDegrees, dmsDegrees);
}
