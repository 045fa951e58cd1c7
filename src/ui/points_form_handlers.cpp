// The calibration form's edit handlers: every accepted keystroke is applied to the
// current layer at once. Each field group has one handler; its other fields forward to
// it. What the user typed stays as typed until the next refresh.

#include "geo/position_format.h"
#include "project/map_layer.h"
#include "ui/c_paint_area.h"
#include "ui/c_points_form.h"
#include "ui/mapvane2.h"
#include "ui/points_form_angle_text.h"
#include "geo/position_parse.h"
#include "ui/points_form_typed.h"

// Pixels.

void CPointsForm::on_edX1_textEdited(const QString &text)
{
    applyPixel(true, true, text);
}

void CPointsForm::on_edY1_textEdited(const QString &text)
{
    applyPixel(true, false, text);
}

void CPointsForm::on_edX2_textEdited(const QString &text)
{
    applyPixel(false, true, text);
}

void CPointsForm::on_edY2_textEdited(const QString &text)
{
    applyPixel(false, false, text);
}

// Decimal degrees; the latitude edits carry the UTM northing in the UTM notation.

void CPointsForm::on_edLon1_textEdited(const QString &)
{
    applyDecimalDegrees(true, false);
}

void CPointsForm::on_edLat1_textEdited(const QString &text)
{
    if (m_notation == 3)
        on_edUTMX1_textEdited(text);
    else
        applyDecimalDegrees(true, true);
}

void CPointsForm::on_edLon2_textEdited(const QString &)
{
    applyDecimalDegrees(false, false);
}

void CPointsForm::on_edLat2_textEdited(const QString &text)
{
    if (m_notation == 3)
        on_edUTMX2_textEdited(text);
    else
        applyDecimalDegrees(false, true);
}

// Degrees and minutes.

void CPointsForm::on_edLon1X1_textEdited(const QString &)
{
    applyDegreesMinutes(true, false);
}

void CPointsForm::on_edLon1Y1_textEdited(const QString &)
{
    on_edLon1X1_textEdited(edLon1X1->text());
}

void CPointsForm::on_edLat1X1_textEdited(const QString &)
{
    applyDegreesMinutes(true, true);
}

void CPointsForm::on_edLat1Y1_textEdited(const QString &)
{
    on_edLat1X1_textEdited(edLat1X1->text());
}

void CPointsForm::on_edLon2X1_textEdited(const QString &)
{
    applyDegreesMinutes(false, false);
}

void CPointsForm::on_edLon2Y1_textEdited(const QString &)
{
    on_edLon2X1_textEdited(edLon2X1->text());
}

void CPointsForm::on_edLat2X1_textEdited(const QString &)
{
    applyDegreesMinutes(false, true);
}

void CPointsForm::on_edLat2Y1_textEdited(const QString &)
{
    on_edLat2X1_textEdited(edLat2X1->text());
}

// Degrees, minutes and seconds.

void CPointsForm::on_edLon1X2_textEdited(const QString &)
{
    applyDegreesMinutesSeconds(true, false);
}

void CPointsForm::on_edLon1Y2_textEdited(const QString &)
{
    on_edLon1X2_textEdited(edLon1X2->text());
}

void CPointsForm::on_edLon1Z2_textEdited(const QString &)
{
    on_edLon1X2_textEdited(edLon1X2->text());
}

void CPointsForm::on_edLat1X2_textEdited(const QString &)
{
    applyDegreesMinutesSeconds(true, true);
}

void CPointsForm::on_edLat1Y2_textEdited(const QString &)
{
    on_edLat1X2_textEdited(edLat1X2->text());
}

void CPointsForm::on_edLat1Z2_textEdited(const QString &)
{
    on_edLat1X2_textEdited(edLat1X2->text());
}

void CPointsForm::on_edLon2X2_textEdited(const QString &)
{
    applyDegreesMinutesSeconds(false, false);
}

void CPointsForm::on_edLon2Y2_textEdited(const QString &)
{
    on_edLon2X2_textEdited(edLon2X2->text());
}

void CPointsForm::on_edLon2Z2_textEdited(const QString &)
{
    on_edLon2X2_textEdited(edLon2X2->text());
}

void CPointsForm::on_edLat2X2_textEdited(const QString &)
{
    applyDegreesMinutesSeconds(false, true);
}

void CPointsForm::on_edLat2Y2_textEdited(const QString &)
{
    on_edLat2X2_textEdited(edLat2X2->text());
}

void CPointsForm::on_edLat2Z2_textEdited(const QString &)
{
    on_edLat2X2_textEdited(edLat2X2->text());
}

// UTM.

void CPointsForm::on_edUTMX1_textEdited(const QString &)
{
    applyUtm(true);
}

void CPointsForm::on_edUTMY1_textEdited(const QString &)
{
    on_edUTMX1_textEdited(edUTMX1->text());
}

void CPointsForm::on_edUTMZ1_textEdited(const QString &)
{
    on_edUTMX1_textEdited(edUTMX1->text());
}

void CPointsForm::on_edUTMX2_textEdited(const QString &)
{
    applyUtm(false);
}

void CPointsForm::on_edUTMY2_textEdited(const QString &)
{
    on_edUTMX2_textEdited(edUTMX2->text());
}

void CPointsForm::on_edUTMZ2_textEdited(const QString &)
{
    on_edUTMX2_textEdited(edUTMX2->text());
}

// TM.

void CPointsForm::on_edTMX1_textEdited(const QString &)
{
    applyTm(true);
}

void CPointsForm::on_edTMY1_textEdited(const QString &)
{
    on_edTMX1_textEdited(edTMX1->text());
}

void CPointsForm::on_cmbTMZ1_textChanged(const QString &)
{
    if (!m_refreshing)
        on_edTMX1_textEdited(edTMX1->text());
}

void CPointsForm::on_cmbTMZ2_textChanged(const QString &)
{
    if (!m_refreshing)
        on_edTMX1_textEdited(edTMX1->text());
}

void CPointsForm::on_edTMX2_textEdited(const QString &)
{
    applyTm(false);
}

void CPointsForm::on_edTMY2_textEdited(const QString &)
{
    on_edTMX2_textEdited(edTMX2->text());
}

void CPointsForm::on_cmbTMZ3_textChanged(const QString &)
{
    if (!m_refreshing)
        on_edTMX2_textEdited(edTMX2->text());
}

void CPointsForm::on_cmbTMZ4_textChanged(const QString &)
{
    if (!m_refreshing)
        on_edTMX2_textEdited(edTMX2->text());
}

// Shared handlers.

void CPointsForm::applyPixel(bool topLeft, bool horizontal, const QString &text)
{
    const int layer = layerIndex();
    if (layer < 0)
        return;
    const QSize image = currentImageSize();
    const int limit = horizontal ? image.width() : image.height();
    const int value = text.toInt(nullptr, 10);
    if (value > limit) {
        lblHint->setText((horizontal ? tr("最大宽度为") : tr("最大高度为")) + QString::number(limit));
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

void CPointsForm::applyDecimalDegrees(bool topLeft, bool latitude)
{
    const AngleRowFields &row = latitude ? fieldsOf(topLeft).lat : fieldsOf(topLeft).lon;
    storeTypedCoordinate(topLeft, latitude, degreesFromDecimalText(row.decimal->text()));
}

void CPointsForm::applyDegreesMinutes(bool topLeft, bool latitude)
{
    const AngleRowFields &row = latitude ? fieldsOf(topLeft).lat : fieldsOf(topLeft).lon;
    storeTypedCoordinate(topLeft, latitude, degreesFromFieldTexts(row.dmDegrees->text(), row.dmMinutes->text()));
}

void CPointsForm::applyDegreesMinutesSeconds(bool topLeft, bool latitude)
{
    const AngleRowFields &row = latitude ? fieldsOf(topLeft).lat : fieldsOf(topLeft).lon;
    storeTypedCoordinate(
        topLeft, latitude,
        degreesFromFieldTexts(row.dmsDegrees->text(), row.dmsMinutes->text(), row.dmsSeconds->text()));
}

void CPointsForm::applyUtm(bool topLeft)
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

void CPointsForm::applyTm(bool topLeft)
{
    const PointFields &fields = fieldsOf(topLeft);
    if (fields.tmEasting->text().isEmpty() || layerIndex() < 0)
        return;
    // The E/W and N/S combos are not part of the texts.
    const GeoPosition wgs84 =
        parseGridPositionToWgs84(kGridTm, datumIndex(), fields.tmEasting->text(), fields.tmNorthing->text());
    storeGridPosition(topLeft, wgs84.latitude, wgs84.longitude);
}

void CPointsForm::setCoordinate(int layer, bool topLeft, bool latitude, double degrees)
{
    MapProject &project = window->project;
    if (topLeft)
        latitude ? project.setTopLeftLat(layer, degrees) : project.setTopLeftLon(layer, degrees);
    else
        latitude ? project.setBottomRightLat(layer, degrees) : project.setBottomRightLon(layer, degrees);
}

std::optional<double> CPointsForm::shownCoordinate(bool topLeft, bool latitude) const
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

void CPointsForm::storeTypedCoordinate(bool topLeft, bool latitude, double typedDegrees)
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

void CPointsForm::storeGridPosition(bool topLeft, double latitude, double longitude)
{
    const int layer = layerIndex();
    if (layer < 0)
        return;
    setCoordinate(layer, topLeft, false, longitude);
    setCoordinate(layer, topLeft, true, latitude);
    window->updateLayerRow(window->currentLayer);
    updateValidators();
}
