// The calibration form's edits applied to the current layer: each keystroke that
// leaves a group's texts storable stores them at once through the project's
// calibration setters; one that does not takes the group's coordinates back to not
// entered.

#include "ui/calibration_form.h"

#include "geo/position_parse.h"
#include "geo/position_format.h"
#include "project/map_layer.h"
#include "ui/calibration_form_values.h"
#include "ui/main_window.h"
#include "ui/map_canvas.h"

namespace {

// A whole-number text as the grid reader reads it ("5e1" is "50").
QString wholeNumberText(const QLineEdit *edit)
{
    return QString::number(qint64(numberFromText(edit->text())));
}

// Metres as the grid reader reads them: "691827,5" and "6.918275e5" are "691827.500",
// to the millimetre.
QString metresText(const QLineEdit *edit)
{
    return QString::number(numberFromText(edit->text()), 'f', 3);
}

// The undo key of one field group of one point: the keystrokes typed into it in a
// row are undone as one edit.
int undoKey(bool topLeft, int group)
{
    return (topLeft ? 0 : 8) + group;
}

}  // namespace

void CalibrationForm::applyPixel(bool topLeft, bool horizontal)
{
    if (layerIndex() < 0)
        return;
    const CalibrationEdit edit(window, undoKey(topLeft, horizontal ? 1 : 2));
    updateValidators();
    if (storePixel(topLeft, horizontal)) {
        // The other point's edit of this axis may hold a value that only the old one
        // kept out of range.
        updateValidators();
        storePixel(!topLeft, horizontal);
        emit pointEdited(topLeft ? 1 : 2);
    }
    updateValidators();
    markFields();
}

bool CalibrationForm::storePixel(bool topLeft, bool horizontal)
{
    const int layer = layerIndex();
    QLineEdit *edit = horizontal ? fieldsOf(topLeft).x : fieldsOf(topLeft).y;
    if (layer < 0 || !edit->hasAcceptableInput())
        return false;
    const int value = int(numberFromText(edit->text()));
    const CalibrationPoint &point = topLeft ? window->project().layers[layer]->topLeft
                                            : window->project().layers[layer]->bottomRight;
    if ((horizontal ? point.pixelX : point.pixelY) == value)
        return false;
    MapProject &project = window->project();
    if (topLeft && horizontal)
        project.setTopLeftX(layer, value);
    else if (topLeft)
        project.setTopLeftY(layer, value);
    else if (horizontal)
        project.setBottomRightX(layer, value);
    else
        project.setBottomRightY(layer, value);
    if (!horizontal)
        window->updateLayerRow(window->currentLayer());
    return true;
}

QList<QLineEdit *> CalibrationForm::angleRowEdits(bool topLeft, bool latitude) const
{
    const AngleRowFields &row = latitude ? fieldsOf(topLeft).lat : fieldsOf(topLeft).lon;
    switch (m_notation) {
    case 0:
        return {row.decimal};
    case 1:
        return {row.dmDegrees, row.dmMinutes};
    case 2:
        return {row.dmsDegrees, row.dmsMinutes, row.dmsSeconds};
    default:
        return {};
    }
}

void CalibrationForm::applyAngleRow(bool topLeft, bool latitude)
{
    if (layerIndex() < 0)
        return;
    const CalibrationEdit edit(window, undoKey(topLeft, latitude ? 4 : 3));
    // The ranges of a row's edits follow the row's other edits.
    updateValidators();
    if (const std::optional<double> typed = shownCoordinate(topLeft, latitude))
        storeTypedCoordinate(topLeft, latitude, *typed);
    else
        forgetCoordinates(topLeft, !latitude, latitude);
    updateValidators();
    markFields();
}

void CalibrationForm::applyUtm(bool topLeft)
{
    if (layerIndex() < 0)
        return;
    const CalibrationEdit edit(window, undoKey(topLeft, 5));
    updateValidators();
    const PointFields &fields = fieldsOf(topLeft);
    m_gridRefusal[topLeft ? 0 : 1].clear();
    if (storable({{fields.utmZone, fields.utmBand, fields.utmEasting, fields.lat.decimal}, GroupKind::Grid, {}})) {
        const QString easting = wholeNumberText(fields.utmZone) + QLatin1Char(' ') + fields.utmBand->text().trimmed()
            + QLatin1Char(' ') + metresText(fields.utmEasting);
        storeGridPosition(topLeft, kGridUtm, easting, metresText(fields.lat.decimal));
    } else {
        forgetCoordinates(topLeft, true, true);
    }
    updateValidators();
    markFields();
}

void CalibrationForm::applyTm(bool topLeft)
{
    if (layerIndex() < 0)
        return;
    const CalibrationEdit edit(window, undoKey(topLeft, 6));
    updateValidators();
    const PointFields &fields = fieldsOf(topLeft);
    // The E/W and N/S combos are not part of the texts.
    m_gridRefusal[topLeft ? 0 : 1].clear();
    if (storable({{fields.tmEasting, fields.tmNorthing}, GroupKind::Grid, {}}))
        storeGridPosition(topLeft, kGridTm, metresText(fields.tmEasting), metresText(fields.tmNorthing));
    else
        forgetCoordinates(topLeft, true, true);
    updateValidators();
    markFields();
}

void CalibrationForm::setCoordinate(int layer, bool topLeft, bool latitude, double degrees)
{
    MapProject &project = window->project();
    if (topLeft)
        latitude ? project.setTopLeftLat(layer, degrees) : project.setTopLeftLon(layer, degrees);
    else
        latitude ? project.setBottomRightLat(layer, degrees) : project.setBottomRightLon(layer, degrees);
    // The setters leave the entered flag alone for a value already stored, such as a
    // value typed again after it was taken back, or a world corner.
    MapLayer &record = *project.layers[layer];
    bool &entered = topLeft ? (latitude ? record.topLeftLatSet : record.topLeftLonSet)
                            : (latitude ? record.bottomRightLatSet : record.bottomRightLonSet);
    if (!entered) {
        entered = true;
        project.changeFlags |= MapProject::kCalibrationChanged;
    }
}

void CalibrationForm::forgetCoordinates(bool topLeft, bool longitude, bool latitude)
{
    const int layer = layerIndex();
    if (layer < 0)
        return;
    MapProject &project = window->project();
    MapLayer &record = *project.layers[layer];
    for (bool *entered : {longitude ? (topLeft ? &record.topLeftLonSet : &record.bottomRightLonSet) : nullptr,
                          latitude ? (topLeft ? &record.topLeftLatSet : &record.bottomRightLatSet) : nullptr}) {
        if (entered && *entered) {
            *entered = false;
            project.changeFlags |= MapProject::kCalibrationChanged;
        }
    }
    if (latitude)
        window->updateLayerRow(window->currentLayer());
}

std::optional<double> CalibrationForm::shownCoordinate(bool topLeft, bool latitude) const
{
    const QList<QLineEdit *> edits = angleRowEdits(topLeft, latitude);
    if (edits.isEmpty() || !storable({edits, GroupKind::Angle, {}}))
        return std::nullopt;
    if (edits.size() == 1)
        return numberFromText(edits[0]->text());
    return degreesFromFieldTexts(edits[0]->text(), edits[1]->text(), edits.value(2) ? edits[2]->text() : QString());
}

void CalibrationForm::storeTypedCoordinate(bool topLeft, bool latitude, double typedDegrees)
{
    const int layer = layerIndex();
    if (layer < 0)
        return;
    const TypedCoordinate stored = typedCoordinateToWgs84(*window->project().layers[layer], topLeft, latitude,
                                                          typedDegrees, shownCoordinate(topLeft, !latitude),
                                                          datumIndex());
    setCoordinate(layer, topLeft, latitude, stored.value);
    if (stored.storePartner)
        setCoordinate(layer, topLeft, !latitude, stored.partner);
    // Only the latitudes make the scale; a longitude edit leaves the row alone.
    if (latitude || stored.storePartner)
        window->updateLayerRow(window->currentLayer());
}

void CalibrationForm::storeGridPosition(bool topLeft, int gridKind, const QString &easting,
                                        const QString &northing)
{
    const int layer = layerIndex();
    if (layer < 0)
        return;
    GeoPosition onDatum;
    QString error;
    if (!readGridPosition(gridKind, datumIndex(), easting, northing, &onDatum, &error)) {
        m_gridRefusal[topLeft ? 0 : 1] = error;
        forgetCoordinates(topLeft, true, true);
        return;
    }
    const GeoPosition wgs84 = typedPositionToWgs84(onDatum, datumIndex());
    setCoordinate(layer, topLeft, false, wgs84.longitude);
    setCoordinate(layer, topLeft, true, wgs84.latitude);
    window->updateLayerRow(window->currentLayer());
}
