#pragma once

class HintedIntValidator;
class HintedDoubleValidator;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;

// The calibration form's widgets and validators of one point, grouped so that the
// form handles the top-left and the bottom-right point with the same code. Pointers
// only; the widgets belong to the form's generated interface and the validators to
// the form.

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
    QGroupBox *box = nullptr;
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
