#pragma once

#include <QWidget>

#include <optional>

#include "ui_calibration_form.h"

class HintedDoubleValidator;
class HintedIntValidator;
class MainWindow;
class QRegularExpressionValidator;
struct MapLayer;

// The calibration form's fields keep the systematic names of its Designer form, with
// p = 1 for the top-left point (group box topLeftBox) and p = 2 for the bottom-right
// one (bottomRightBox):
//   edXp, edYp                  pixel column and row
//   edLonp, edLatp              decimal degrees (captions lblLonp, lblLatp); in the UTM
//                               notation edLatp holds the northing
//   frmLonp1: edLonpX1 edLonpY1             degrees, minutes (frmLatp1 for latitude)
//   frmLonp2: edLonpX2 edLonpY2 edLonpZ2    degrees, minutes, seconds (frmLatp2)
//   frmUTMXp: edUTMXp edUTMYp edUTMZp       UTM zone, band, easting
//   frmTMXp: edTMXp, frmTMYp: edTMYp        TM easting and northing
//   cmbTMZ1 cmbTMZ2 (point 1), cmbTMZ3 cmbTMZ4 (point 2)   TM sides: E/W, then N/S
// PointFields below gathers one point's fields under plain names, so that the form
// handles both points with the same code.

// The edits of one longitude or latitude row in the three angle notations.
struct AngleRowFields
{
    QLineEdit *decimal = nullptr;     // decimal degrees
    QFrame *dmFrame = nullptr;        // degrees and minutes
    QLineEdit *dmDegrees = nullptr;
    QLineEdit *dmMinutes = nullptr;
    QFrame *dmsFrame = nullptr;       // degrees, minutes and seconds
    QLineEdit *dmsDegrees = nullptr;
    QLineEdit *dmsMinutes = nullptr;
    QLineEdit *dmsSeconds = nullptr;
};

struct PointFields
{
    QLineEdit *x = nullptr;
    QLineEdit *y = nullptr;
    QLabel *lonCaption = nullptr;
    QLabel *latCaption = nullptr;
    AngleRowFields lon;
    AngleRowFields lat;             // lat.decimal also holds the UTM northing
    QFrame *utmFrame = nullptr;
    QLineEdit *utmZone = nullptr;
    QLineEdit *utmBand = nullptr;
    QLineEdit *utmEasting = nullptr;
    QFrame *tmEastingFrame = nullptr;
    QFrame *tmNorthingFrame = nullptr;
    QLineEdit *tmEasting = nullptr;
    QLineEdit *tmNorthing = nullptr;
    QComboBox *tmEastingSide = nullptr;   // "E" / "W"
    QComboBox *tmNorthingSide = nullptr;  // "N" / "S"
};

struct AngleRowValidators
{
    HintedDoubleValidator *decimal = nullptr;
    HintedIntValidator *dmDegrees = nullptr;
    HintedDoubleValidator *dmMinutes = nullptr;
    HintedIntValidator *dmsDegrees = nullptr;
    HintedIntValidator *dmsMinutes = nullptr;
    HintedDoubleValidator *dmsSeconds = nullptr;
};

// One validator per field, made once and re-ranged on every update.
struct PointValidators
{
    HintedIntValidator *x = nullptr;
    HintedIntValidator *y = nullptr;
    AngleRowValidators lon;
    AngleRowValidators lat;
    HintedIntValidator *northing = nullptr;  // the latitude edit in the UTM notation
    HintedIntValidator *utmZone = nullptr;
    HintedIntValidator *utmEasting = nullptr;
    HintedIntValidator *tmEasting = nullptr;
    HintedIntValidator *tmNorthing = nullptr;
};

// The calibration points panel: the top-left and bottom-right points of the window's
// current layer as image pixels and as positions in the notation and datum chosen in
// the window's selectors. Every accepted keystroke goes straight into the layer
// through the project's calibration setters; the form keeps no calibration of its own.
// Positions typed on a datum other than WGS 1984 are taken back to WGS 84 before they
// are stored (see calibration_form_values.h). What the user typed stays as typed until
// the next refresh.
//
// Every operation does nothing while the window has no current layer (empty project,
// currentLayer out of range).
class CalibrationForm : public QWidget, public Ui::CalibrationForm
{
    Q_OBJECT
public:
    // `window` (not owned) is the form's parent until a dock takes it, and holds the
    // project, the current layer and the selectors.
    explicit CalibrationForm(MainWindow *window);
    ~CalibrationForm() override;

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

    MainWindow *const window;

private:
    // Construction (calibration_form.cpp).
    void collectFields();
    void connectEdits(bool topLeft);
    void createValidators();
    void createPointValidators(PointValidators &validators);
    void createAngleRowValidators(AngleRowValidators &validators);
    void installValidators(const PointFields &fields, const PointValidators &validators);
    void alignNotationFrames(const PointFields &fields);

    // The current layer's index and record; -1 / nullptr when there is none.
    int layerIndex() const;
    MapLayer *currentLayerRecord() const;
    int datumIndex() const;
    QSize currentImageSize() const;
    const PointFields &fieldsOf(bool topLeft) const { return topLeft ? m_point1 : m_point2; }

    // Showing the layer and ranging the validators (calibration_form.cpp).
    void refreshPoint(const MapLayer &layer, bool topLeft);
    void clearGeographicFields(const PointFields &fields);
    void rangePointValidators(const MapLayer &layer, bool topLeft, int imageWidth, int imageHeight);
    void rangeAngleRow(const AngleRowFields &fields, const AngleRowValidators &validators, int maxDegrees);

    // Applying what was typed, one handler per field group (calibration_form_edits.cpp).
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

    PointFields m_point1;
    PointFields m_point2;
    PointValidators m_validators1;
    PointValidators m_validators2;
    QRegularExpressionValidator *m_bandValidator = nullptr;
    int m_notation = 0;
    bool m_refreshing = false;  // combos report changes that refreshFromLayer makes
};
