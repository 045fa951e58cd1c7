#pragma once

#include <QWidget>

#include <optional>

#include "ui/points_form_fields.h"
#include "ui_pointsform.h"

class Mapvane2;
class QRegularExpressionValidator;
struct MapLayer;

// The calibration points panel: the top-left and bottom-right points of the window's
// current layer as image pixels and as positions in the notation and datum chosen in
// the window's selectors. Every accepted keystroke goes straight into the layer
// through the project's calibration setters; the form keeps no calibration of its own.
// Positions typed on a datum other than WGS 1984 are taken back to WGS 84 before they
// are stored (see points_form_typed.h).
//
// Every operation does nothing while the window has no current layer (empty project,
// currentLayer out of range).
class CPointsForm : public QWidget, public Ui::Form
{
    Q_OBJECT
public:
    explicit CPointsForm(QWidget *parent = nullptr);
    ~CPointsForm() override;

    // Shows the fields of notation `index` (0 "度" .. 4 "TM", the rows of the window's
    // notation table) in the place of the decimal-degree edits, sets the row captions
    // and refreshes. An index outside 0..4 changes nothing.
    void showNotation(int index);
    // Fills every field from the current layer; values never entered stay empty. Then
    // sets the validators and clears the hint.
    void refreshFromLayer();
    // Ranges every field's validator for the current layer and the current field
    // contents. Does nothing in a browse window.
    void updateValidators();

    // The notation shown, 0..4.
    int notation() const { return m_notation; }

    Mapvane2 *window = nullptr;  // set by the window after construction; not owned

private slots:
    void on_edX1_textEdited(const QString &text);
    void on_edY1_textEdited(const QString &text);
    void on_edX2_textEdited(const QString &text);
    void on_edY2_textEdited(const QString &text);
    void on_edLon1_textEdited(const QString &text);
    void on_edLat1_textEdited(const QString &text);
    void on_edLon2_textEdited(const QString &text);
    void on_edLat2_textEdited(const QString &text);
    void on_edLon1X1_textEdited(const QString &text);
    void on_edLon1Y1_textEdited(const QString &text);
    void on_edLat1X1_textEdited(const QString &text);
    void on_edLat1Y1_textEdited(const QString &text);
    void on_edLon2X1_textEdited(const QString &text);
    void on_edLon2Y1_textEdited(const QString &text);
    void on_edLat2X1_textEdited(const QString &text);
    void on_edLat2Y1_textEdited(const QString &text);
    void on_edLon1X2_textEdited(const QString &text);
    void on_edLon1Y2_textEdited(const QString &text);
    void on_edLon1Z2_textEdited(const QString &text);
    void on_edLat1X2_textEdited(const QString &text);
    void on_edLat1Y2_textEdited(const QString &text);
    void on_edLat1Z2_textEdited(const QString &text);
    void on_edLon2X2_textEdited(const QString &text);
    void on_edLon2Y2_textEdited(const QString &text);
    void on_edLon2Z2_textEdited(const QString &text);
    void on_edLat2X2_textEdited(const QString &text);
    void on_edLat2Y2_textEdited(const QString &text);
    void on_edLat2Z2_textEdited(const QString &text);
    void on_edUTMX1_textEdited(const QString &text);
    void on_edUTMY1_textEdited(const QString &text);
    void on_edUTMZ1_textEdited(const QString &text);
    void on_edUTMX2_textEdited(const QString &text);
    void on_edUTMY2_textEdited(const QString &text);
    void on_edUTMZ2_textEdited(const QString &text);
    void on_edTMX1_textEdited(const QString &text);
    void on_edTMY1_textEdited(const QString &text);
    void on_edTMX2_textEdited(const QString &text);
    void on_edTMY2_textEdited(const QString &text);

private:
    // The TM side combos; connected to currentTextChanged in the constructor (a combo
    // box has no textChanged signal for the name-based wiring).
    void on_cmbTMZ1_textChanged(const QString &text);
    void on_cmbTMZ2_textChanged(const QString &text);
    void on_cmbTMZ3_textChanged(const QString &text);
    void on_cmbTMZ4_textChanged(const QString &text);

    void collectFields();
    void createValidators();
    void createPointValidators(PointValidators &validators);
    void createAngleRowValidators(AngleRowValidators &validators);
    void installValidators(const PointFields &fields, const PointValidators &validators);

    // The current layer's index and record; -1 / nullptr when there is none.
    int layerIndex() const;
    MapLayer *currentLayerRecord() const;
    int datumIndex() const;

    void alignNotationFrames(const PointFields &fields);
    void refreshPoint(const MapLayer &layer, bool topLeft);
    void clearGeographicFields(const PointFields &fields);
    void rangePointValidators(const MapLayer &layer, bool topLeft, int imageWidth, int imageHeight);
    void rangeAngleRow(const AngleRowFields &fields, const AngleRowValidators &validators, int maxDegrees);

    // Handlers shared by both points.
    void applyPixel(bool topLeft, bool horizontal, const QString &text);
    void applyDecimalDegrees(bool topLeft, bool latitude);
    void applyDegreesMinutes(bool topLeft, bool latitude);
    void applyDegreesMinutesSeconds(bool topLeft, bool latitude);
    void applyUtm(bool topLeft);
    void applyTm(bool topLeft);
    // The value in degrees that the edits of one coordinate show in the current angle
    // notation; nothing when they are empty or the notation is a grid.
    std::optional<double> shownCoordinate(bool topLeft, bool latitude) const;
    // Stores a coordinate typed on the selected datum, then the follow-ups.
    void storeTypedCoordinate(bool topLeft, bool latitude, double typedDegrees);
    // Stores a grid position (WGS 84 degrees) in both coordinates of the point.
    void storeGridPosition(bool topLeft, double latitude, double longitude);
    void setCoordinate(int layer, bool topLeft, bool latitude, double degrees);
    QSize currentImageSize() const;
    const PointFields &fieldsOf(bool topLeft) const { return topLeft ? m_point1 : m_point2; }

    PointFields m_point1;
    PointFields m_point2;
    PointValidators m_validators1;
    PointValidators m_validators2;
    QRegularExpressionValidator *m_bandValidator = nullptr;
    int m_notation = 0;
    bool m_refreshing = false;  // combos report changes that refreshFromLayer makes
};
