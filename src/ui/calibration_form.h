#pragma once

#include <QHash>
#include <QSet>
#include <QWidget>

#include <optional>

#include "project/map_layer.h"
#include "ui_calibration_form.h"

class HintedDoubleValidator;
class HintedIntValidator;
class MainWindow;
class QRegularExpressionValidator;
struct RasterGeoreference;

// The calibration form's fields keep the systematic names of its Designer form, with
// p = 1 for the top-left point (group box topLeftBox) and p = 2 for the bottom-right
// one (bottomRightBox):
//   edXp, edYp                  pixel column and row
//   lonStackp, latStackp        one page per notation of the longitude and latitude rows
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
    QStackedWidget *lonStack = nullptr;
    QStackedWidget *latStack = nullptr;
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

// One validator per field, made once and re-ranged on every update. Grid metres may
// have decimals.
struct PointValidators
{
    HintedIntValidator *x = nullptr;
    HintedIntValidator *y = nullptr;
    AngleRowValidators lon;
    AngleRowValidators lat;
    HintedDoubleValidator *northing = nullptr;  // the latitude edit in the UTM notation
    HintedIntValidator *utmZone = nullptr;
    HintedDoubleValidator *utmEasting = nullptr;
    HintedDoubleValidator *tmEasting = nullptr;
    HintedDoubleValidator *tmNorthing = nullptr;
};

// The calibration points panel: the top-left and bottom-right points of the window's
// current layer as image pixels and as positions in the notation and datum chosen in
// the window's selectors. The form keeps no calibration of its own: every keystroke
// that leaves a field's text acceptable goes straight into the layer through the
// project's calibration setters. Positions typed on a datum other than WGS 1984 are
// taken back to WGS 84 before they are stored (see calibration_form_values.h). What
// the user typed stays as typed until the next refresh.
//
// The layer never holds anything but what the fields show. A text typed that cannot
// be stored (unfinished, out of range, an empty pixel, a grid position missing a part)
// is marked in its edit, with the reason in the hint label, for as long as it stays;
// meanwhile the longitude or latitude it stands for counts as not entered (both of a
// grid position), and a pixel keeps its stored value, which firstUnstoredField then
// reports. An empty longitude or latitude is simply not entered. Only what the user
// typed since the fields were last filled from the layer is judged, in the notation
// it was typed in: what a refresh shows never decides what is saved. A position that
// the grid notation shown cannot express (UTM beyond 84° N or 80° S, TM outside its
// grid) is shown read-only, with a note in the hint label.
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

protected:
    // Undo and redo keys typed in a field reach the window's commands, not the
    // field's own text history, which a refresh empties anyway.
    bool eventFilter(QObject *watched, QEvent *event) override;

public:

    // Shows the fields of notation `index` (0 "度" .. 4 "TM", the rows of the window's
    // notation table) in the place of the decimal-degree edits, sets the row captions
    // and refreshes. An index outside 0..4 changes nothing.
    void showNotation(int index);
    // Fills every field from the current layer; values never entered stay empty. Then
    // sets the validators and the marks.
    void refreshFromLayer();
    // Empties every field, its mark and the hint: the form of no layer.
    void clearFields();
    // Ranges every field's validator for the current layer and the current field
    // contents. Does nothing in a browse window.
    void updateValidators();

    // The first shown field whose text is not in the current layer: NotEntered for an
    // empty part of a grid position or an empty pixel, OutOfRange for any other
    // marked text; fault None when every field is stored. *edit (may be nullptr) is
    // that field.
    CalibrationCheck firstUnstoredField(const QLineEdit **edit = nullptr) const;
    // Whether the edit is marked as holding a text that is not stored.
    bool isMarked(const QLineEdit *edit) const;
    // A calibration fault of the layer named `layerName`, worded with the names the
    // form shows: "层2: 右下 纬度 未输入"; naming `edit`, when given, rather than its
    // coordinate ("层2: 右下 UTM 区号 未输入").
    QString faultText(const QString &layerName, const CalibrationCheck &check,
                      const QLineEdit *edit = nullptr) const;

    // The narrowest form that shows every notation whole.
    QSize sizeHint() const override { return minimumSizeHint(); }

    // The notation shown, 0..4.
    int notation() const { return m_notation; }

    // Where a layer's calibration came from when its raster brought it, in words:
    // "来自 GeoTIFF:WGS 84 / UTM zone 33N(WGS 84),已重投影".
    static QString georeferenceText(const RasterGeoreference &georeference);
    // The part of it that names where it came from: "GeoTIFF", "世界文件".
    static QString originText(const RasterGeoreference &georeference);

    MainWindow *const window;

signals:
    // A pixel of point 1 (top-left) or 2 (bottom-right) was typed and stored.
    void pointEdited(int point);

private:
    // Construction (calibration_form.cpp).
    void collectFields();
    void connectEdits(bool topLeft);
    void createValidators();
    void createPointValidators(PointValidators &validators);
    void createAngleRowValidators(AngleRowValidators &validators);
    void installValidators(const PointFields &fields, const PointValidators &validators);
    void reserveWidths();

    // The current layer's index and record; -1 / nullptr when there is none.
    int layerIndex() const;
    MapLayer *currentLayerRecord() const;
    int datumIndex() const;
    QSize currentImageSize() const;
    const PointFields &fieldsOf(bool topLeft) const { return topLeft ? m_point1 : m_point2; }

    // A layer whose raster brought its georeferencing shows where it came from, and
    // its fields stay read-only until it is calibrated by hand; any other layer, or
    // none, hides that line (calibration_form_georeference.cpp).
    void showGeoreference(const MapLayer *layer);

    // Showing the layer and ranging the validators (calibration_form.cpp).
    void refreshPoint(const MapLayer &layer, bool topLeft);
    void clearGeographicFields(const PointFields &fields);
    void rangePointValidators(const MapLayer &layer, bool topLeft, int imageWidth, int imageHeight);
    void rangeAngleRow(const AngleRowFields &fields, const AngleRowValidators &validators, int maxDegrees);

    // Which texts can be stored (calibration_form_marks.cpp). A group is the edits
    // that make one stored value: a pixel, a longitude or latitude row, a grid
    // position.
    enum class GroupKind
    {
        Pixel,  // one edit, never empty
        Angle,  // empty parts read as 0; all empty is not entered
        Grid,   // every part needed once one is filled
    };
    struct FieldGroup
    {
        QList<QLineEdit *> edits;
        GroupKind kind = GroupKind::Pixel;
        QString refusal;  // why a grid position read from acceptable texts was refused
    };
    // The groups of the point in the current notation.
    QList<FieldGroup> groupsOf(bool topLeft) const;
    // The edits of the group whose text keeps it from being stored: all of them when
    // the group was refused as a whole.
    static QList<QLineEdit *> blockingEdits(const FieldGroup &group);
    // The group's texts can be stored: none blocks and at least one is filled.
    static bool storable(const FieldGroup &group);
    // The blocking edits of the groups typed in since the last refresh.
    QList<QLineEdit *> typedBlockingEdits(bool topLeft) const;
    // Marks every shown edit whose text is not stored and says why in the hint label.
    void markFields();
    QString reasonFor(const QLineEdit *edit) const;
    QString fieldName(CalibrationField field) const;
    // The name of one edit: its coordinate's, and the part it holds ("左上 经度 分").
    QString editName(const QLineEdit *edit) const;
    // Fills the point's grid edits read-only: the notation cannot express its position.
    void showOutsideGrid(const PointFields &fields);

    // Applying what was typed, one handler per field group (calibration_form_edits.cpp).
    void applyPixel(bool topLeft, bool horizontal);
    void applyAngleRow(bool topLeft, bool latitude);
    void applyUtm(bool topLeft);
    void applyTm(bool topLeft);
    // Stores the pixel edit's value when it is acceptable and differs from the layer;
    // returns whether it stored.
    bool storePixel(bool topLeft, bool horizontal);
    // The row's edits in the current angle notation (none for a grid notation).
    QList<QLineEdit *> angleRowEdits(bool topLeft, bool latitude) const;
    // The value in degrees that the edits of one coordinate show in the current angle
    // notation; nothing when they cannot be stored or the notation is a grid.
    std::optional<double> shownCoordinate(bool topLeft, bool latitude) const;
    // Stores a coordinate typed on the selected datum, then the follow-ups.
    void storeTypedCoordinate(bool topLeft, bool latitude, double typedDegrees);
    // Reads a grid position typed on the selected datum (readGridPosition) and stores
    // it in both coordinates of the point; a position it refuses takes them back to not
    // entered, and its reason stays with the point's grid group until the next refresh.
    void storeGridPosition(bool topLeft, int gridKind, const QString &easting, const QString &northing);
    // Stores one coordinate and marks it entered, even when the value was stored before.
    void setCoordinate(int layer, bool topLeft, bool latitude, double degrees);
    // Marks coordinates of the point not entered.
    void forgetCoordinates(bool topLeft, bool longitude, bool latitude);

    PointFields m_point1;
    PointFields m_point2;
    PointValidators m_validators1;
    PointValidators m_validators2;
    QHash<const QLineEdit *, CalibrationField> m_fieldOfEdit;  // the coordinate each edit stands for
    QHash<const QLineEdit *, QString> m_partOfEdit;  // the part of its coordinate an edit holds, if one
    QSet<const QLineEdit *> m_typed;  // edited by the user since the last refresh
    QString m_gridRefusal[2];         // of the top-left and bottom-right grid group
    bool m_outsideGrid[2] = {};       // the point's position is shown read-only
    QRegularExpressionValidator *m_bandValidator = nullptr;
    QLineEdit *m_lastEdited = nullptr;  // its reason goes first in the hint label
    int m_notation = 0;
    bool m_refreshing = false;  // combos report changes that refreshFromLayer makes
};
