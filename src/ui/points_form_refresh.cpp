// Filling the calibration form's fields from the current layer.

#include <QComboBox>

#include "geo/position_format.h"
#include "project/map_layer.h"
#include "ui/c_points_form.h"
#include "ui/mapvane2.h"
#include "ui/points_form_angle_text.h"
#include "ui/points_form_typed.h"

namespace {

QString decimalDegreesText(double degrees)
{
    return QString::asprintf("%.7f", degrees);
}

void showDegreesMinutes(const AngleRowFields &row, double degrees)
{
    const AngleFieldTexts texts = degreeMinuteTexts(degrees);
    row.dmDegrees->setText(texts.degrees);
    row.dmMinutes->setText(texts.minutes);
}

void showDegreesMinutesSeconds(const AngleRowFields &row, double degrees)
{
    const AngleFieldTexts texts = degreeMinuteSecondTexts(degrees);
    row.dmsDegrees->setText(texts.degrees);
    row.dmsMinutes->setText(texts.minutes);
    row.dmsSeconds->setText(texts.seconds);
}

// "49 Q 756508": zone before the first blank, band between the first and the last
// blank, easting after the last blank.
void showUtmEasting(const PointFields &fields, const QString &text)
{
    const int first = int(text.indexOf(QLatin1Char(' ')));
    const int last = int(text.lastIndexOf(QLatin1Char(' ')));
    if (first < 0) {
        fields.utmZone->setText(text.trimmed());
        return;
    }
    fields.utmZone->setText(text.left(first).trimmed());
    fields.utmBand->setText(text.mid(first + 1, last - first - 1).trimmed());
    fields.utmEasting->setText(text.mid(last + 1).trimmed());
}

// " 250000E": the number into the edit, the letter chooses the combo item.
void showTmValue(QLineEdit *edit, QComboBox *side, const QString &text, QChar positiveLetter)
{
    edit->setText(text.left(text.size() - 1).trimmed());
    side->setCurrentIndex(text.endsWith(positiveLetter) ? 0 : 1);
}

}  // namespace

void CPointsForm::refreshFromLayer()
{
    const MapLayer *layer = currentLayerRecord();
    if (!layer)
        return;
    m_refreshing = true;
    refreshPoint(*layer, true);
    refreshPoint(*layer, false);
    m_refreshing = false;
    updateValidators();
    // Setting the texts ran the old validators; their verdicts are not news.
    lblHint->clear();
}

void CPointsForm::clearGeographicFields(const PointFields &fields)
{
    for (const AngleRowFields *row : {&fields.lon, &fields.lat}) {
        for (QLineEdit *edit : {row->decimal, row->dmDegrees, row->dmMinutes, row->dmsDegrees, row->dmsMinutes,
                                row->dmsSeconds})
            edit->clear();
    }
    for (QLineEdit *edit : {fields.utmZone, fields.utmBand, fields.utmEasting, fields.tmEasting, fields.tmNorthing})
        edit->clear();
    fields.tmEastingSide->setCurrentIndex(0);
    fields.tmNorthingSide->setCurrentIndex(0);
}

void CPointsForm::refreshPoint(const MapLayer &layer, bool topLeft)
{
    const PointFields &fields = fieldsOf(topLeft);
    const CalibrationPoint &point = topLeft ? layer.topLeft : layer.bottomRight;
    const bool lonSet = topLeft ? layer.topLeftLonSet : layer.bottomRightLonSet;
    const bool latSet = topLeft ? layer.topLeftLatSet : layer.bottomRightLatSet;

    fields.x->setText(QString::number(point.pixelX));
    fields.y->setText(QString::number(point.pixelY));
    clearGeographicFields(fields);

    // A coordinate never entered is not shown, and the shown one is not converted
    // against its world-corner default.
    const NotationChoice &choice = window->notationTable[m_notation];
    const FormattedPosition shown =
        formatPosition(choice.gridKind, datumIndex(), choice.angleStyle, effectivePointWgs84(layer, topLeft));

    switch (m_notation) {
    case 0:
        if (lonSet)
            fields.lon.decimal->setText(decimalDegreesText(shown.lonOrEasting));
        if (latSet)
            fields.lat.decimal->setText(decimalDegreesText(shown.latOrNorthing));
        break;
    case 1:
        if (lonSet)
            showDegreesMinutes(fields.lon, shown.lonOrEasting);
        if (latSet)
            showDegreesMinutes(fields.lat, shown.latOrNorthing);
        break;
    case 2:
        if (lonSet)
            showDegreesMinutesSeconds(fields.lon, shown.lonOrEasting);
        if (latSet)
            showDegreesMinutesSeconds(fields.lat, shown.latOrNorthing);
        break;
    case 3:
        if (lonSet)
            showUtmEasting(fields, shown.lonOrEastingText);
        if (latSet)
            fields.lat.decimal->setText(shown.latOrNorthingText);
        break;
    default:
        if (lonSet)
            showTmValue(fields.tmEasting, fields.tmEastingSide, shown.lonOrEastingText, QLatin1Char('E'));
        if (latSet)
            showTmValue(fields.tmNorthing, fields.tmNorthingSide, shown.latOrNorthingText, QLatin1Char('N'));
        break;
    }
}
