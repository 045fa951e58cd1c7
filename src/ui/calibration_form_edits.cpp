// The calibration form's edits applied to the current layer: each accepted keystroke
// is stored at once through the project's calibration setters.

#include "ui/calibration_form.h"

#include "geo/position_parse.h"
#include "geo/position_format.h"
#include "project/map_layer.h"
#include "ui/calibration_form_values.h"
#include "ui/main_window.h"
#include "ui/map_canvas.h"

void CalibrationForm::applyPixel(bool topLeft, bool horizontal, const QString &text)
{
    const int layer = layerIndex();
    if (layer < 0)
        return;
    const QSize image = currentImageSize();
    const int limit = horizontal ? image.width() : image.height();
    const int value = text.toInt(nullptr, 10);
    if (value > limit) {
        hintLabel->setText((horizontal ? tr("最大宽度为") : tr("最大高度为")) + QString::number(limit));
        return;
    }
    MapProject &project = window->project;
    if (topLeft && horizontal)
        project.setTopLeftX(layer, value);
    else if (topLeft)
        project.setTopLeftY(layer, value);
    else if (horizontal)
        project.setBottomRightX(layer, value);
    else
        project.setBottomRightY(layer, value);
    if (!horizontal)
        window->updateLayerRow(window->currentLayer);
    window->canvas->ensurePointVisible(topLeft ? 1 : 2);
    updateValidators();
}

void CalibrationForm::applyDecimalDegrees(bool topLeft, bool latitude)
{
    const AngleRowFields &row = latitude ? fieldsOf(topLeft).lat : fieldsOf(topLeft).lon;
    storeTypedCoordinate(topLeft, latitude, degreesFromDecimalText(row.decimal->text()));
}

void CalibrationForm::applyDegreesMinutes(bool topLeft, bool latitude)
{
    const AngleRowFields &row = latitude ? fieldsOf(topLeft).lat : fieldsOf(topLeft).lon;
    storeTypedCoordinate(topLeft, latitude, degreesFromFieldTexts(row.dmDegrees->text(), row.dmMinutes->text()));
}

void CalibrationForm::applyDegreesMinutesSeconds(bool topLeft, bool latitude)
{
    const AngleRowFields &row = latitude ? fieldsOf(topLeft).lat : fieldsOf(topLeft).lon;
    storeTypedCoordinate(
        topLeft, latitude,
        degreesFromFieldTexts(row.dmsDegrees->text(), row.dmsMinutes->text(), row.dmsSeconds->text()));
}

void CalibrationForm::applyUtm(bool topLeft)
{
    const PointFields &fields = fieldsOf(topLeft);
    if (fields.utmZone->text().isEmpty() || fields.utmBand->text().isEmpty() || fields.utmEasting->text().isEmpty())
        return;
    if (layerIndex() < 0)
        return;
    const QString easting = fields.utmZone->text() + QLatin1Char(' ') + fields.utmBand->text() + QLatin1Char(' ')
        + fields.utmEasting->text();
    // An empty northing reads as 0.
    const GeoPosition wgs84 = parseGridPositionToWgs84(kGridUtm, datumIndex(), easting, fields.lat.decimal->text());
    storeGridPosition(topLeft, wgs84.latitude, wgs84.longitude);
}

void CalibrationForm::applyTm(bool topLeft)
{
    const PointFields &fields = fieldsOf(topLeft);
    if (fields.tmEasting->text().isEmpty() || layerIndex() < 0)
        return;
    // The E/W and N/S combos are not part of the texts.
    const GeoPosition wgs84 =
        parseGridPositionToWgs84(kGridTm, datumIndex(), fields.tmEasting->text(), fields.tmNorthing->text());
    storeGridPosition(topLeft, wgs84.latitude, wgs84.longitude);
}

void CalibrationForm::setCoordinate(int layer, bool topLeft, bool latitude, double degrees)
{
    MapProject &project = window->project;
    if (topLeft)
        latitude ? project.setTopLeftLat(layer, degrees) : project.setTopLeftLon(layer, degrees);
    else
        latitude ? project.setBottomRightLat(layer, degrees) : project.setBottomRightLon(layer, degrees);
}

std::optional<double> CalibrationForm::shownCoordinate(bool topLeft, bool latitude) const
{
    const AngleRowFields &row = latitude ? fieldsOf(topLeft).lat : fieldsOf(topLeft).lon;
    switch (m_notation) {
    case 0:
        if (row.decimal->text().isEmpty())
            return std::nullopt;
        return degreesFromDecimalText(row.decimal->text());
    case 1:
        if (row.dmDegrees->text().isEmpty() && row.dmMinutes->text().isEmpty())
            return std::nullopt;
        return degreesFromFieldTexts(row.dmDegrees->text(), row.dmMinutes->text());
    case 2:
        if (row.dmsDegrees->text().isEmpty() && row.dmsMinutes->text().isEmpty() && row.dmsSeconds->text().isEmpty())
            return std::nullopt;
        return degreesFromFieldTexts(row.dmsDegrees->text(), row.dmsMinutes->text(), row.dmsSeconds->text());
    default:
        return std::nullopt;
    }
}

void CalibrationForm::storeTypedCoordinate(bool topLeft, bool latitude, double typedDegrees)
{
    const int layer = layerIndex();
    if (layer < 0)
        return;
    const TypedCoordinate stored = typedCoordinateToWgs84(*window->project.layers[layer], topLeft, latitude,
                                                          typedDegrees, shownCoordinate(topLeft, !latitude),
                                                          datumIndex());
    setCoordinate(layer, topLeft, latitude, stored.value);
    if (stored.storePartner)
        setCoordinate(layer, topLeft, !latitude, stored.partner);
    // Only the latitudes make the scale; a longitude edit leaves the row alone.
    if (latitude || stored.storePartner)
        window->updateLayerRow(window->currentLayer);
    updateValidators();
}

void CalibrationForm::storeGridPosition(bool topLeft, double latitude, double longitude)
{
    const int layer = layerIndex();
    if (layer < 0)
        return;
    setCoordinate(layer, topLeft, false, longitude);
    setCoordinate(layer, topLeft, true, latitude);
    window->updateLayerRow(window->currentLayer);
    updateValidators();
}
