#pragma once

#include <QWidget>

class Mapvane2;
class QFrame;

// The calibration points panel: both points of the current layer as pixels and as
// positions in the selected notation and datum.
class CPointsForm : public QWidget
{
    Q_OBJECT
public:
    explicit CPointsForm(QWidget *parent = nullptr);

    // Shows the positions in notation `index` (0..4 of the notation selector).
    void showNotation(int index);
    // Fills every field from the current layer.
    void refreshFromLayer();
    // Sets the validators of all fields for the current layer.
    void updateValidators();

    QFrame *frmMain = nullptr;   // the frame that holds every field
    Mapvane2 *window = nullptr;  // not owned
};
