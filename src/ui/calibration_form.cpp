// The calibration form: its fields, the notation shown, and filling the fields from
// the current layer. Its validators are in calibration_form_validators.cpp.

#include "ui/calibration_form.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <functional>

#include "geo/position_parse.h"
#include "geo/position_format.h"
#include "project/map_layer.h"
#include "ui/calibration_form_values.h"
#include "ui/main_window.h"

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

CalibrationForm::CalibrationForm(MainWindow *window)
    : QWidget(window)
    , window(window)
{
    setupUi(this);
    collectFields();
    createValidators();
    connectEdits(true);
    connectEdits(false);
    reserveWidths();
    showNotation(0);
    showGeoreference(nullptr);
    connect(calibrateByHandButton, &QPushButton::clicked, window, &MainWindow::calibrateByHand);
    // Files dropped on a field go to the window, which adds or opens them.
    for (QLineEdit *edit : findChildren<QLineEdit *>()) {
        edit->setAcceptDrops(false);
        edit->installEventFilter(this);
    }
}

bool CalibrationForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        // Not accepted, so the window's shortcut fires; filtered, so the field
        // does not claim the key.
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)
            || key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}


CalibrationForm::~CalibrationForm() = default;

void CalibrationForm::collectFields()
{
    // In the order of PointFields' members.
    m_point1 = {edX1, edY1, lblLon1, lblLat1, lonStack1, latStack1,
                {edLon1, frmLon11, edLon1X1, edLon1Y1, frmLon12, edLon1X2, edLon1Y2, edLon1Z2},
                {edLat1, frmLat11, edLat1X1, edLat1Y1, frmLat12, edLat1X2, edLat1Y2, edLat1Z2},
                frmUTMX1, edUTMX1, edUTMY1, edUTMZ1, frmTMX1, frmTMY1, edTMX1, edTMY1, cmbTMZ1, cmbTMZ2};
    m_point2 = {edX2, edY2, lblLon2, lblLat2, lonStack2, latStack2,
                {edLon2, frmLon21, edLon2X1, edLon2Y1, frmLon22, edLon2X2, edLon2Y2, edLon2Z2},
                {edLat2, frmLat21, edLat2X1, edLat2Y1, frmLat22, edLat2X2, edLat2Y2, edLat2Z2},
                frmUTMX2, edUTMX2, edUTMY2, edUTMZ2, frmTMX2, frmTMY2, edTMX2, edTMY2, cmbTMZ3, cmbTMZ4};
    using F = CalibrationField;
    for (bool topLeft : {true, false}) {
        const PointFields &f = fieldsOf(topLeft);
        const auto name = [topLeft](F topLeftField, F bottomRightField) {
            return topLeft ? topLeftField : bottomRightField;
        };
        m_fieldOfEdit.insert(f.x, name(F::TopLeftX, F::BottomRightX));
        m_fieldOfEdit.insert(f.y, name(F::TopLeftY, F::BottomRightY));
        // The grid's easting side stands for the longitude, its northing side for the
        // latitude, as the refresh shows them.
        for (QLineEdit *edit : {f.lon.decimal, f.lon.dmDegrees, f.lon.dmMinutes, f.lon.dmsDegrees, f.lon.dmsMinutes,
                                f.lon.dmsSeconds, f.utmZone, f.utmBand, f.utmEasting, f.tmEasting})
            m_fieldOfEdit.insert(edit, name(F::TopLeftLon, F::BottomRightLon));
        for (QLineEdit *edit : {f.lat.decimal, f.lat.dmDegrees, f.lat.dmMinutes, f.lat.dmsDegrees, f.lat.dmsMinutes,
                                f.lat.dmsSeconds, f.tmNorthing})
            m_fieldOfEdit.insert(edit, name(F::TopLeftLat, F::BottomRightLat));
        // The edits that hold a part of their coordinate say which.
        for (const AngleRowFields *row : {&f.lon, &f.lat}) {
            for (QLineEdit *degrees : {row->dmDegrees, row->dmsDegrees})
                m_partOfEdit.insert(degrees, tr("度"));
            for (QLineEdit *minutes : {row->dmMinutes, row->dmsMinutes})
                m_partOfEdit.insert(minutes, tr("分"));
            m_partOfEdit.insert(row->dmsSeconds, tr("秒"));
        }
        m_partOfEdit.insert(f.utmZone, tr("UTM 区号"));
        m_partOfEdit.insert(f.utmBand, tr("UTM 纬度带"));
    }
}

// Every field group has one handler; the group's other edits forward to it.
void CalibrationForm::connectEdits(bool topLeft)
{
    const PointFields &fields = fieldsOf(topLeft);
    const auto onEdited = [this](const QList<QLineEdit *> &edits, const std::function<void()> &apply) {
        for (QLineEdit *edit : edits) {
            connect(edit, &QLineEdit::textEdited, this, [this, edit, apply] {
                m_lastEdited = edit;
                m_typed.insert(edit);
                apply();
            });
        }
    };
    onEdited({fields.x}, [this, topLeft] { applyPixel(topLeft, true); });
    onEdited({fields.y}, [this, topLeft] { applyPixel(topLeft, false); });
    // The latitude edit carries the UTM northing in the UTM notation.
    onEdited({fields.lat.decimal}, [this, topLeft] {
        if (m_notation == 3)
            applyUtm(topLeft);
        else
            applyAngleRow(topLeft, true);
    });
    onEdited({fields.lon.decimal}, [this, topLeft] { applyAngleRow(topLeft, false); });
    for (bool latitude : {false, true}) {
        const AngleRowFields &row = latitude ? fields.lat : fields.lon;
        onEdited({row.dmDegrees, row.dmMinutes, row.dmsDegrees, row.dmsMinutes, row.dmsSeconds},
                 [this, topLeft, latitude] { applyAngleRow(topLeft, latitude); });
    }
    onEdited({fields.utmZone, fields.utmBand, fields.utmEasting}, [this, topLeft] { applyUtm(topLeft); });
    onEdited({fields.tmEasting, fields.tmNorthing}, [this, topLeft] { applyTm(topLeft); });
    // The E/W and N/S combos also change when the form is refreshed; only the
    // user's choice is applied.
    for (QComboBox *side : {fields.tmEastingSide, fields.tmNorthingSide}) {
        connect(side, &QComboBox::currentTextChanged, this, [this, topLeft, fields] {
            if (m_refreshing)
                return;
            m_typed.insert(fields.tmEasting);
            applyTm(topLeft);
        });
    }
}

int CalibrationForm::layerIndex() const
{
    const int index = window->currentLayer();
    return index >= 0 && index < window->project().layers.size() ? index : -1;
}

MapLayer *CalibrationForm::currentLayerRecord() const
{
    const int index = layerIndex();
    return index < 0 ? nullptr : window->project().layers[index];
}

int CalibrationForm::datumIndex() const
{
    return window->datumIndex();
}

QSize CalibrationForm::currentImageSize() const
{
    const int index = layerIndex();
    if (index < 0)
        return QSize(0, 0);
    // The loaded image is read directly: handing the image out also resets a
    // bottom-right x of 0 to the image size, which must not happen while the user
    // is typing that x.
    const MapLayer *layer = window->project().layers[index];
    if (layer->loaded)
        return layer->image.size();
    // A level warped from its raster, or merged from several, is read only to be shown
    // or saved: its fields are read-only and its corners give its size.
    if (layer->georeference || layer->mosaic)
        return QSize(layer->bottomRight.pixelX, layer->bottomRight.pixelY);
    const QImage *image = window->project().layerImage(index);
    return image ? image->size() : QSize(0, 0);
}

// Every edit is wide enough for the longest text the refresh puts in it, and the
// captions for every notation's caption, so that the form keeps one width whatever
// it shows.
void CalibrationForm::reserveWidths()
{
    const auto reserve = [](QLineEdit *edit, const QString &longest) {
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
        const QMargins margins = edit->textMargins();
        // QLineEdit keeps 2 pixels on each side of its text and a pixel for the cursor.
        const QSize text(edit->fontMetrics().horizontalAdvance(longest) + 2 * 2 + 1 + margins.left() + margins.right(),
                         edit->fontMetrics().height());
        edit->setMinimumWidth(edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, edit).width());
    };
    for (const PointFields *f : {&m_point1, &m_point2}) {
        reserve(f->x, QStringLiteral("99999"));
        reserve(f->y, QStringLiteral("99999"));
        for (const AngleRowFields *row : {&f->lon, &f->lat}) {
            reserve(row->decimal, QStringLiteral("-179.9999999"));
            reserve(row->dmDegrees, QStringLiteral("-180"));
            reserve(row->dmMinutes, QStringLiteral("59.9999999"));
            reserve(row->dmsDegrees, QStringLiteral("-180"));
            reserve(row->dmsMinutes, QStringLiteral("59"));
            reserve(row->dmsSeconds, QStringLiteral("59.99999"));
        }
        reserve(f->utmZone, QStringLiteral("60"));
        reserve(f->utmBand, QStringLiteral("X"));
        // The zone and the band never need more; the easting takes the rest.
        f->utmZone->setMaximumWidth(f->utmZone->minimumWidth());
        f->utmBand->setMaximumWidth(f->utmBand->minimumWidth());
        reserve(f->utmEasting, QStringLiteral("833000"));
        reserve(f->tmEasting, QStringLiteral("-10000965"));
        reserve(f->tmNorthing, QStringLiteral("-10000965"));
        int captionWidth = 0;
        for (const QString &caption : {tr("经度"), tr("纬度"), tr("横坐标"), tr("纵坐标")}) {
            f->lonCaption->setText(caption);
            captionWidth = std::max(captionWidth, f->lonCaption->sizeHint().width());
        }
        f->lonCaption->setMinimumWidth(captionWidth);
        f->latCaption->setMinimumWidth(captionWidth);
    }
    // Two lines of hint, as tall as Chinese characters make them, hold their place
    // whether a hint shows or not, so that the fields never move under the mouse.
    hintLabel->setText(QStringLiteral("\u56FDAg\n\u56FDAg"));
    hintLabel->setFixedHeight(std::max(hintLabel->sizeHint().height(), 2 * hintLabel->fontMetrics().lineSpacing()));
    hintLabel->clear();
}

void CalibrationForm::showNotation(int index)
{
    if (index < 0 || index > 4)
        return;
    m_notation = index;
    for (const PointFields *fields : {&m_point1, &m_point2}) {
        QWidget *const lonPages[5] = {fields->lon.decimal, fields->lon.dmFrame, fields->lon.dmsFrame,
                                      fields->utmFrame, fields->tmEastingFrame};
        QWidget *const latPages[5] = {fields->lat.decimal, fields->lat.dmFrame, fields->lat.dmsFrame,
                                      fields->lat.decimal, fields->tmNorthingFrame};
        fields->lonStack->setCurrentWidget(lonPages[index]);
        fields->latStack->setCurrentWidget(latPages[index]);
        const bool grid = index >= 3;
        fields->lonCaption->setText(grid ? tr("横坐标") : tr("经度"));
        fields->latCaption->setText(grid ? tr("纵坐标") : tr("纬度"));
    }
    refreshFromLayer();
}

void CalibrationForm::refreshFromLayer()
{
    const MapLayer *layer = currentLayerRecord();
    if (!layer)
        return;
    showGeoreference(layer);
    m_refreshing = true;
    m_typed.clear();
    m_gridRefusal[0].clear();
    m_gridRefusal[1].clear();
    refreshPoint(*layer, true);
    refreshPoint(*layer, false);
    m_refreshing = false;
    m_lastEdited = nullptr;
    updateValidators();
    markFields();
}

void CalibrationForm::clearGeographicFields(const PointFields &fields)
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

void CalibrationForm::refreshPoint(const MapLayer &layer, bool topLeft)
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
    const NotationChoice &choice = window->notation(m_notation);
    const FormattedPosition shown =
        formatPosition(choice.gridKind, datumIndex(), choice.angleStyle, effectivePointWgs84(layer, topLeft));
    m_outsideGrid[topLeft ? 0 : 1] = m_notation >= 3 && (lonSet || latSet) && shown.outsideGrid;
    if (m_outsideGrid[topLeft ? 0 : 1])
        showOutsideGrid(fields);

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
