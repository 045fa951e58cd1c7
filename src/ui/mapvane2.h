#pragma once

#include <QList>
#include <QMainWindow>
#include <QString>

#include "geo/notation_choice.h"
#include "project/map_project.h"
#include "ui/dialog_provider.h"
#include "ui_mapvane2.h"

class QAction;
class QComboBox;
class QDockWidget;
class QLabel;
class QScrollArea;
class QTableWidget;
class MapCanvas;
class CalibrationForm;

// The program's top-level window. It owns the project, shows the current layer on
// the canvas, lists the layers on the left and the calibration points on the right.
// A second instance in browse mode shows an SMF file read-only.
class Mapvane2 : public QMainWindow, public Ui::Mapvane2Class
{
    Q_OBJECT

public:
    explicit Mapvane2(QWidget *parent = nullptr, Qt::WindowFlags flags = {});
    ~Mapvane2() override;

    // Enables the commands that fit projectState and the number of layer rows.
    void updateActions();
    // Binds the project to path and saves it. 1 after saving; -1 when there is no
    // project or the save failed (the reason has then been shown to the user).
    int saveProjectTo(const QString &path);
    // Removes every layer row, last to first, then clears the project.
    void clearLayers();

    // Called by the canvas with an image pixel; each does nothing unless its
    // placing action is checked. Return 0.
    int placeTopLeftPoint(int x, int y);
    int placeBottomRightPoint(int x, int y);

    // Layer table. Row number and layer index are the same number at all times.
    // Appends the row of the newest layer ("层N" with N the row count at append).
    int appendLayerRow();
    // Makes `row` the current layer and shows it. 0, or -1 when there is no such
    // row (the canvas is then cleared and the points form disabled).
    int selectLayerRow(int row);
    void selectLastLayerRow();
    // Refreshes the scale of layer `index` (always currentLayer) and re-sorts.
    // 0 done, 1 no rows or index out of range, 2 a latitude not entered.
    int updateLayerRow(int index);
    // Sorts project and table by scale, finest first, keeping the current layer.
    void sortLayerTable();
    // Removes row and layer `row`, then selects the row before it. 0, or 1 when the
    // table is empty.
    int deleteLayerRow(int row);

    QLabel *statusLabels[4] = {};
    QComboBox *notationSelector = nullptr;
    QComboBox *datumSelector = nullptr;
    QDockWidget *layerDock = nullptr;
    QTableWidget *layerTable = nullptr;
    QDockWidget *pointsDock = nullptr;
    CalibrationForm *pointsForm = nullptr;
    MapCanvas *canvas = nullptr;
    QScrollArea *scrollArea = nullptr;
    MapProject project;
    int projectState = 0;  // 0 no project, 1 not yet bound to a file, 2 bound to filePath
    QString lastDirectory;
    bool selectionEnabled = false;
    int currentLayer = 0;
    QString baseTitle;
    NotationChoice notationTable[5];
    bool browseMode = false;
    QList<Mapvane2 *> childWindows;  // owned browse windows
    QAction *languageActions[3] = {};
    DialogProvider dialogs = DialogProvider::standard();

    // Opens a read-only browse window for the SMF file at path (asking for a file
    // when path is empty) and keeps it in childWindows.
    void openBrowseWindow(const QString &path);

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void on_action_2_triggered();
    void on_action_C_triggered();
    void on_action_triggered();
    void on_atAuto_triggered();
    void on_actionWlf_smf_triggered();
    void on_action_smf_triggered();
    void on_actionAbout_triggered();
    void on_actionAddPoint1_triggered();
    void on_actionSaveAs_triggered();
    void on_actionAddPoint2_triggered();
    void on_actionOptions_triggered();
    void on_actionDelete_triggered();
    void on_actionPoints_On_Off_triggered();
    void on_actionLayer_On_Off_triggered();
    void on_actionStatus_On_Off_triggered();
    void on_actionTool_On_Off_triggered();
    void on_actionCopy_triggered();
    void on_actionAdd_triggered();
    void on_actionExit_triggered();
    void on_actionProperty_triggered();
    void on_actionOpen_triggered();
    void on_actionSave_triggered();
    void on_actionNew_triggered();
    void doSelectionChanged();
    void formatInxChanged(int index);
    void LanguageChange(int index);

private:
    enum class LayerCheck { AllValid, FailedShown, FailedNotShown };
    // Every layer must pass isCalibrationValid; the last failing one is reported
    // and selected.
    LayerCheck checkLayers();
    // The path to save to: asked for a new project or Save As, else the bound file.
    // Empty when the user cancelled.
    QString savePath(bool saveAs);
    // 1: the window may close (or the command go on); 0: stay.
    int closeCheck();
    int message(const QString &text, int buttons = 0x00000400 /* QMessageBox::Ok */);
    QString folderOf(const QString &path) const;
    // Binds the window to the SMF file just read into its project and lists its layers.
    void showLayersOf(const QString &path);

    // There is no grid action; kept out of the slots so the name-based wiring
    // does not look for one.
    void on_actionGrid_On_Off_triggered();
    void markCurrentLanguage();
    void createLayerDock();
    void createPointsDock();
    void createStatusLabels();
    void createSelectors();
    void readConfiguration();
    void enterPlacingMode(QAction *first, QAction *other);
    static void toggleVisible(QWidget *widget);
};
