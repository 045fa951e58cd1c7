#include "ui/c_points_form.h"

#include <QComboBox>
#include <QRegularExpressionValidator>

#include "project/map_layer.h"
#include "ui/mapvane2.h"
#include "ui/hinted_validators.h"

CPointsForm::CPointsForm(QWidget *parent)
    : QWidget(parent)
{
    setupUi(this);
    collectFields();
    createValidators();
    connect(cmbTMZ1, &QComboBox::currentTextChanged, this, &CPointsForm::on_cmbTMZ1_textChanged);
    connect(cmbTMZ2, &QComboBox::currentTextChanged, this, &CPointsForm::on_cmbTMZ2_textChanged);
    connect(cmbTMZ3, &QComboBox::currentTextChanged, this, &CPointsForm::on_cmbTMZ3_textChanged);
    connect(cmbTMZ4, &QComboBox::currentTextChanged, this, &CPointsForm::on_cmbTMZ4_textChanged);
    alignNotationFrames(m_point1);
    alignNotationFrames(m_point2);
    showNotation(0);
}

CPointsForm::~CPointsForm() = default;

void CPointsForm::collectFields()
{
    m_point1.box = gpBox1;
    m_point1.x = edX1;
    m_point1.y = edY1;
    m_point1.lonCaption = lblLon1;
    m_point1.latCaption = lblLat1;
    m_point1.lon = {edLon1, frmLon11, edLon1X1, edLon1Y1, frmLon12, edLon1X2, edLon1Y2, edLon1Z2};
    m_point1.lat = {edLat1, frmLat11, edLat1X1, edLat1Y1, frmLat12, edLat1X2, edLat1Y2, edLat1Z2};
    m_point1.utmFrame = frmUTMX1;
    m_point1.utmZone = edUTMX1;
    m_point1.utmBand = edUTMY1;
    m_point1.utmEasting = edUTMZ1;
    m_point1.tmEastingFrame = frmTMX1;
    m_point1.tmNorthingFrame = frmTMY1;
    m_point1.tmEasting = edTMX1;
    m_point1.tmNorthing = edTMY1;
    m_point1.tmEastingSide = cmbTMZ1;
    m_point1.tmNorthingSide = cmbTMZ2;

    m_point2.box = gpBox2;
    m_point2.x = edX2;
    m_point2.y = edY2;
    m_point2.lonCaption = lblLon2;
    m_point2.latCaption = lblLat2;
    m_point2.lon = {edLon2, frmLon21, edLon2X1, edLon2Y1, frmLon22, edLon2X2, edLon2Y2, edLon2Z2};
    m_point2.lat = {edLat2, frmLat21, edLat2X1, edLat2Y1, frmLat22, edLat2X2, edLat2Y2, edLat2Z2};
    m_point2.utmFrame = frmUTMX2;
    m_point2.utmZone = edUTMX2;
    m_point2.utmBand = edUTMY2;
    m_point2.utmEasting = edUTMZ2;
    m_point2.tmEastingFrame = frmTMX2;
    m_point2.tmNorthingFrame = frmTMY2;
    m_point2.tmEasting = edTMX2;
    m_point2.tmNorthing = edTMY2;
    m_point2.tmEastingSide = cmbTMZ3;
    m_point2.tmNorthingSide = cmbTMZ4;
}

void CPointsForm::createAngleRowValidators(AngleRowValidators &validators)
{
    validators.decimal = new HintedDoubleValidator(0.0, 0.0, lblHint, this);
    validators.dmDegrees = new HintedIntValidator(0, 0, lblHint, this);
    validators.dmMinutes = new HintedDoubleValidator(0.0, 0.0, lblHint, this);
    validators.dmsDegrees = new HintedIntValidator(0, 0, lblHint, this);
    validators.dmsMinutes = new HintedIntValidator(0, 0, lblHint, this);
    validators.dmsSeconds = new HintedDoubleValidator(0.0, 0.0, lblHint, this);
}

void CPointsForm::createPointValidators(PointValidators &validators)
{
    // Ranges are set by updateValidators.
    for (HintedIntValidator **v : {&validators.x, &validators.y, &validators.northing, &validators.utmZone,
                                   &validators.utmEasting, &validators.tmEasting, &validators.tmNorthing})
        *v = new HintedIntValidator(0, 0, lblHint, this);
    createAngleRowValidators(validators.lon);
    createAngleRowValidators(validators.lat);
}

void CPointsForm::createValidators()
{
    createPointValidators(m_validators1);
    createPointValidators(m_validators2);
    // One band letter C to X other than I and O, or a blank.
    m_bandValidator = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[C-H J-N P-X]")), this);
    installValidators(m_point1, m_validators1);
    installValidators(m_point2, m_validators2);
}

void CPointsForm::installValidators(const PointFields &fields, const PointValidators &validators)
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

int CPointsForm::layerIndex() const
{
    if (!window)
        return -1;
    const int index = window->currentLayer;
    return index >= 0 && index < window->project.layers.size() ? index : -1;
}

MapLayer *CPointsForm::currentLayerRecord() const
{
    const int index = layerIndex();
    return index < 0 ? nullptr : window->project.layers[index];
}

int CPointsForm::datumIndex() const
{
    return window && window->datumSelector ? window->datumSelector->currentIndex() : -1;
}

QSize CPointsForm::currentImageSize() const
{
    const int index = layerIndex();
    if (index < 0)
        return QSize(0, 0);
    // The loaded image is read directly: handing the image out also resets a
    // bottom-right x of 0 to the image size, which must not happen while the user
    // is typing that x.
    const MapLayer *layer = window->project.layers[index];
    if (layer->loaded)
        return layer->image.size();
    const QImage *image = window->project.layerImage(index);
    return image ? image->size() : QSize(0, 0);
}

// Every notation's fields sit where the decimal-degree edits of the same row sit.
void CPointsForm::alignNotationFrames(const PointFields &fields)
{
    const auto align = [](QFrame *frame, QWidget *firstEdit, QWidget *anchor) {
        frame->move(anchor->pos() - firstEdit->pos());
    };
    align(fields.lon.dmFrame, fields.lon.dmDegrees, fields.lon.decimal);
    align(fields.lat.dmFrame, fields.lat.dmDegrees, fields.lat.decimal);
    align(fields.lon.dmsFrame, fields.lon.dmsDegrees, fields.lon.decimal);
    align(fields.lat.dmsFrame, fields.lat.dmsDegrees, fields.lat.decimal);
    align(fields.utmFrame, fields.utmZone, fields.lon.decimal);
    align(fields.tmEastingFrame, fields.tmEasting, fields.lon.decimal);
    align(fields.tmNorthingFrame, fields.tmNorthing, fields.lat.decimal);
}

void CPointsForm::showNotation(int index)
{
    if (index < 0 || index > 4)
        return;
    m_notation = index;
    for (const PointFields *fields : {&m_point1, &m_point2}) {
        const QList<QWidget *> byNotation[5] = {
            {fields->lon.decimal, fields->lat.decimal},
            {fields->lon.dmFrame, fields->lat.dmFrame},
            {fields->lon.dmsFrame, fields->lat.dmsFrame},
            {fields->utmFrame, fields->lat.decimal},
            {fields->tmEastingFrame, fields->tmNorthingFrame},
        };
        for (const QList<QWidget *> &widgets : byNotation) {
            for (QWidget *widget : widgets)
                widget->hide();
        }
        for (QWidget *widget : byNotation[index])
            widget->show();
        const bool grid = index >= 3;
        fields->lonCaption->setText(grid ? tr("横坐标") : tr("经度"));
        fields->latCaption->setText(grid ? tr("纵坐标") : tr("纬度"));
    }
    refreshFromLayer();
}
