#pragma once

#include <QList>
#include <QMainWindow>
#include <QString>

#include <functional>

#include "geo/position_format.h"
#include "project/map_project.h"
#include "ui/layer_undo.h"
#include "ui/map_properties_dialog.h"
#include "ui_main_window.h"

class CalibrationForm;
class ControlPointsPanel;
class MapCanvas;
class MosaicSourcesPanel;
class QAction;
class QComboBox;
class QDockWidget;
class QLabel;
class QProgressDialog;
class QStackedWidget;
class QTableWidget;
class QUndoStack;

// Registers the compiled-in icons (":/icon/Resources/..."). The resources live in a
// static library, so they are registered explicitly; safe to call repeatedly.
void ensureMapvaneResources();

// The standard dialogs the window's commands ask with. The defaults show Qt's
// dialogs; tests put answers in their place.
struct DialogProvider
{
    // Open-file dialog: (parent, caption, start folder, filter, preselected filter)
    // -> chosen path, empty when cancelled.
    std::function<QString(QWidget *, const QString &, const QString &, const QString &, const QString &)> openFile;
    // The same for several files -> the chosen paths, empty when cancelled.
    std::function<QStringList(QWidget *, const QString &, const QString &, const QString &, const QString &)>
        openFiles;
    // Save-file dialog: (parent, caption, suggested path, filter) -> path, empty when cancelled.
    std::function<QString(QWidget *, const QString &, const QString &, const QString &)> saveFile;
    // Folder chooser: (parent, caption, start folder) -> folder, empty when cancelled.
    std::function<QString(QWidget *, const QString &, const QString &)> folder;
    // Integer prompt: (parent, title, label, value, min, max, step, unit shown after
    // the number, ok) -> value.
    std::function<int(QWidget *, const QString &, const QString &, int, int, int, int, const QString &, bool *)>
        integer;

    static DialogProvider standard();
};

// The window-modal, frameless "正在保存..." dialog of long jobs (saving, WFL
// conversion). Its cancel button exists but is hidden. Pending events are
// processed at every pump, so the window repaints while the job runs. The bar
// shows the job's range with a hundredth of a unit as its step, so a save moves
// it tile by tile; the dialog's own range is the job's range times that factor.
class SaveProgressDialog : public ProgressReporter
{
public:
    explicit SaveProgressDialog(QWidget *parent);
    ~SaveProgressDialog() override;

    void start(int maximum) override;
    void setValue(int value) override;
    void setFineValue(double value) override;
    void pumpEvents() override;
    bool cancelled() const override;
    void finish() override;

    QProgressDialog *dialog() const { return progress; }

private:
    QProgressDialog *progress = nullptr;
    int steps = 1;  // dialog units per unit of the job's range
};

// The calibration of a georeferenced layer as its raster's own pixels, at the
// layer's zoom: the top-left point on pixel (0, 0) and the bottom-right one on the
// far corner, both keeping the positions of the level's corners as a start.
LayerCalibration sourceCorners(const MapLayer &layer);

// The program's top-level window. It owns the project, shows the current layer on
// the canvas, lists the layers on the left and the calibration points on the right.
// A second instance in browse mode shows an SMF file read-only.
//
// main_window.cpp builds the window and holds the view, language and help commands;
// main_window_files.cpp the file commands (New, Open, Save, Save As, adding layer
// files, browsing, WFL conversion, closing); main_window_drops.cpp the files dropped
// on the window or named on the command line; main_window_recent.cpp the recent
// files menu; main_window_layers.cpp the layer table, the layer commands and the
// placing of calibration points.
class MainWindow : public QMainWindow, private Ui::MainWindow
{
    Q_OBJECT

public:
    // `languageFile` is the translation file loaded at start-up, as Language.ini
    // names it; the language menu marks its language. An editing window shows itself
    // maximized; a browse window (`browse`) stays hidden until its file is read, and
    // keeps of its menus and tool bar only the notation and datum selectors.
    explicit MainWindow(const QString &languageFile = QString(), bool browse = false);
    ~MainWindow() override;

    // The project the window edits (or, in a browse window, shows), and the index of its
    // current layer (the selected row).
    MapProject &project() { return m_project; }
    const MapProject &project() const { return m_project; }
    int currentLayer() const { return m_currentLayer; }
    // 0 no project, 1 not yet bound to a file, 2 bound to the project's file.
    int projectState() const { return m_projectState; }
    // A read-only window showing an SMF file.
    bool isBrowsing() const { return m_browseMode; }
    // The notation (row of the notation selector, 0..4) and datum (row of the datum
    // table) that positions are shown and typed in.
    const NotationChoice &notation(int row) const { return m_notationTable[qBound(0, row, 4)]; }
    int datumIndex() const;
    // The commands that undo and redo the window's edits.
    QUndoStack *undoStack() const { return m_undoStack; }
    // The dialogs the commands ask with; tests put answers in their place.
    DialogProvider &dialogs() { return m_dialogs; }
    // The browse windows opened from this one (owned).
    const QList<MainWindow *> &browseWindows() const { return m_browseWindows; }
    // Empties the window for a new project with the project's properties, as New does
    // once its dialog is accepted: no layers, no file, nothing in the status bar.
    void startNewProject();

    // Enables the commands that fit projectState and the number of layer rows.
    void updateActions();
    // Binds the project to path and saves it. False when there is no project or the save
    // failed (the reason has then been shown to the user).
    bool saveProjectTo(const QString &path);
    // Empties the undo stack (freeing the records it holds), removes every layer row,
    // last to first, then clears the project.
    void clearLayers();

    // Places the point of the placing mode that is on at image pixel (x, y); nothing
    // while neither is on.
    void placePoint(int x, int y);
    // The current layer's calibration was brought by its raster, or by its control
    // points: its two points are not placed, dragged or typed until it is calibrated
    // by hand.
    bool currentLayerGeoreferenced() const;
    // Makes the current georeferenced layer a plain layer of its raster's own pixels
    // (at the layer's zoom), the top-left point on pixel (0, 0) and the bottom-right
    // one on the far corner, both keeping their positions as a start. Undoable; tells
    // the user when the raster cannot be read as a plain image.
    void calibrateByHand();
    // Stores image pixel (x, y) as point 1 (top-left) or 2 (bottom-right) of the current
    // layer (a marker dragged on the canvas) and shows it in the form and the table.
    // Other point numbers change nothing.
    void movePoint(int point, int x, int y);

    // Layer table. Row number and layer index are the same number at all times.
    // Appends the row of the newest layer ("层N" with N the row count at append).
    int appendLayerRow();
    // Makes `row` the current layer and shows it, then (with resort) refreshes its
    // scale and re-sorts. False when there is no such row (the canvas and the
    // calibration form are then cleared and the form disabled).
    bool selectLayerRow(int row, bool resort = true);
    void selectLastLayerRow();
    // Refreshes the scale of layer `index` (always currentLayer) and re-sorts.
    // 0 done, 1 no rows or index out of range, 2 a latitude not entered.
    int updateLayerRow(int index);
    // Sorts project and table by scale, finest first, keeping the current layer.
    void sortLayerTable();
    // Puts the table rows in the project's order; `before` is the order they show.
    void followProjectOrder(const QVector<MapLayer *> &before);
    // Removes row `row` and takes its layer out of the project, then selects the row
    // before it. The caller owns the record; nullptr when there is no such row.
    MapLayer *takeLayerRow(int row);
    // The rows selected in the table, in its order. Every command on one layer acts on
    // the current layer; merging acts on all of them.
    QList<int> selectedLayerRows() const;

    // Merging layers (main_window_merge.cpp). Two or more selected layers, each
    // calibrated, in an editing window.
    bool canMergeSelectedLayers() const;
    // Replaces the selected layers by one merged layer (planMosaic), each source cut
    // to its border, the later row on top; one undoable step. A refusal tells why,
    // naming the layer concerned, and changes nothing.
    void mergeSelectedLayers();

    // Undo (main_window_undo.cpp and layer_undo.h). The rows as the table shows them.
    LayerRows layerRows() const;
    // Makes the project's layers and the table's rows those of `rows`, taking the
    // records that leave out of the project (the caller owns them then) and
    // selecting rows.current.
    void showLayerRows(const LayerRows &rows);
    // Puts `calibration` into `layer` (when it is in the project), then shows `rows`.
    void showCalibration(MapLayer *layer, const LayerCalibration &calibration, const LayerRows &rows);
    // Gives `layer` (when it is in the project) `georeference` and `calibration`, then
    // shows `rows`; says why when the layer's plain image cannot be read.
    void showGeoreference(MapLayer *layer, std::shared_ptr<const RasterGeoreference> georeference,
                          const LayerCalibration &calibration, const LayerRows &rows);
    // Pushes the change from `before` to the present rows as one undoable command.
    void recordLayerChange(const LayerRows &before, const QString &text);

    // Calibrating by control points (main_window_points.cpp). The current layer's
    // record, nullptr when there is none.
    MapLayer *currentLayerRecord() const;
    // The notation selector's row.
    int notationIndex() const;
    // The current layer can be calibrated by points: an image of its own (not a level
    // of an SMF file, not a raster that brought its own georeferencing), or one that
    // is already.
    bool canCalibrateByPoints() const;
    // Makes the current layer one calibrated by its control points (those it had
    // before, if any), which the points dock then shows. Undoable.
    void calibrateByPoints();
    // Makes the current layer calibrated by points one calibrated by two points again,
    // the corners of the fit's level keeping their positions as a start. Undoable.
    void calibrateByTwoPoints();
    // Gives the current layer, calibrated by points, `points` (its mode, points and
    // transform as the dock edits them), fits them again and records the edit as
    // `text` for undo. A layer not calibrated by points is left alone.
    void editControlPoints(const LayerControlPoints &points, const QString &text);
    // Adds a point at image position `pixel` of the layer's source image; moves point
    // `index` (from 0) to `pixel`. Both undoable.
    void addControlPoint(QPointF pixel);
    void moveControlPoint(int index, QPointF pixel);
    // The add-point tool: while on, a click on the map adds a point.
    void placeControlPoints(bool on);
    // Replaces the current layer's points by those of a QGIS ".points" file or the
    // Point lines of an OziExplorer ".map" file the user chooses (one undoable step);
    // writes its positioned points to one of those files (main_window_points_files.cpp).
    void importControlPoints();
    void exportControlPoints();
    // The file dialogs' filter for points files.
    static QString pointsFileFilter();
    // The fit of the current layer's points as the dock shows it.
    const ControlPointsFit &controlPointsFit() const { return m_pointsFit; }
    // The size of the image the points are placed on: the current layer's source image.
    QSize controlPointsImageSize() const;
    // Shows the current layer on the canvas: its level, or, for a layer calibrated by
    // points, its source image with the points unless the dock asks for the result.
    void showCurrentLayerImage();
    // Puts `state` into `layer` (when it is in the project) and shows it (undo, redo).
    void showControlPointsState(MapLayer *layer, const ControlPointsState &state);

    // Borders on the canvas (main_window_border.cpp). While Edit Border is on, the
    // canvas shows the source image of the current layer (of the source chosen in the
    // points dock, for a merged layer) with its border's points, which are dragged:
    // the whole image's corners while it has none. A layer read from an SMF file, a
    // copy at another scale and a layer calibrated by points have none to edit.
    bool canEditBorder() const;
    bool editingBorder() const;
    // The points shown: the border being edited, or the source image's corners.
    QVector<QPointF> shownBorder() const;
    // Moves point `index` of the border shown to `pixel` of the source image, a merged
    // layer planned again with it (a refusal says why and changes nothing). Undoable.
    void moveBorderPoint(int index, QPointF pixel);
    // Puts `state` into `layer` (when it is in the project) and shows it (undo, redo).
    void showBorderState(MapLayer *layer, const BorderState &state);

    // Opens a read-only browse window for the SMF file at path (asking for a file
    // when path is empty) and keeps it in browseWindows.
    void openBrowseWindow(const QString &path);

    // Opens the SMF file at path as Open does once a file is chosen, asking first
    // whether to save a changed project. True when the file was opened for editing.
    bool openProjectFile(const QString &path);
    // Adds each image or OziExplorer .map file as a layer, in order, and then says
    // once which files could not be added and why. Needs a project (projectState > 0).
    void addLayerFiles(const QStringList &paths);
    // Files dropped on the window or named on the command line: the first SMF file is
    // opened (openProjectFile), any further one in a browse window; images and .map
    // files are then added as layers, to a new project with the default properties
    // when there is none.
    void openFiles(const QStringList &paths);

protected:
    // Tab and Shift+Tab go round the layer table, the notation and datum selectors,
    // the calibration fields and the map, skipping what cannot take the focus.
    bool focusNextPrevChild(bool next) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private slots:
    // File commands (main_window_files.cpp).
    void on_actionNew_triggered();
    void on_actionOpen_triggered();
    void on_actionSave_triggered();
    void on_actionSaveAs_triggered();
    void on_actionExit_triggered();
    void on_actionBrowseSmf_triggered();
    void on_actionConvertWfl_triggered();
    // The layer table's selection and the layer commands (main_window_layers.cpp).
    void showSelectedLayer();
    void on_actionAddLayer_triggered();
    void on_actionCopyLayer_triggered();
    void on_actionAutoCopies_triggered();
    void on_actionDeleteLayer_triggered();
    void on_actionSortLayers_triggered();
    void on_actionMergeLayers_triggered();
    void on_actionPlaceTopLeftPoint_triggered();
    void on_actionPlaceBottomRightPoint_triggered();
    // View and help commands (main_window.cpp).
    void on_actionProperties_triggered();
    void on_actionAbout_triggered();
    void on_actionToggleToolBar_triggered();
    void on_actionToggleStatusBar_triggered();
    void on_actionToggleLayerDock_triggered();
    void on_actionToggleCalibrationDock_triggered();

private:
    // Shows in the status bar the pixel under the mouse and its position in the chosen
    // notation and datum.
    void showPositionAt(QPoint pixel);
    // Wires the zoom commands to the canvas, and Esc to end placing a point.
    void connectCanvasCommands();
    void createLayerDock();
    void createCalibrationDock();
    void createPointsDock();
    ControlPointsState controlPointsState(MapLayer *layer) const;
    // Fits the current layer's points again and gives the layer what the fit made.
    // False (the layer unchanged) when its plain image cannot be read.
    bool refitCurrentLayer();
    // The marks of the current layer's points on the canvas, and the dock's contents.
    void showControlPoints();
    // The source image of the border edited, and its points, on the canvas.
    void showBorder();
    BorderState borderState(const MapLayer *layer) const;
    // The source whose border is edited: the layer itself, or the merged layer's source
    // chosen in the points dock.
    const MapLayer *borderSource() const;
    int borderSourceIndex() const;
    void createStatusLabels();
    void createSelectors();
    void createUndoStack();
    // The order Tab goes round in (focusNextPrevChild): the table, the selectors, the
    // form in its own tab order, and the map.
    void createTabCycle();
    // Inserts the table row of layer `row` named `name`.
    void insertLayerRow(int row, const QString &name);
    void readConfiguration();
    // Ticks the running language, which cannot be chosen again.
    void markCurrentLanguage();
    // Names language `index` in Language.ini for the next start.
    void chooseLanguage(int index);
    static void toggleVisible(QWidget *widget);
    // Checks `first`, unchecks `other` and shows the cross cursor; with no layer only
    // unchecks `first`.
    void enterPlacingMode(QAction *first, QAction *other);
    void leavePlacingMode(QAction *placing);

    // Shows the map properties dialog filled with the project's properties, titled for
    // purpose. When the dialog is accepted its values become the project's, with the
    // file's tile size 300 x 500, and the result is true.
    bool askMapProperties(MapPropertiesDialog::Purpose purpose = MapPropertiesDialog::Purpose::OpenMap);
    int message(const QString &text, int buttons = 0x00000400 /* QMessageBox::Ok */);
    // Says that the SMF file at path could not be opened, and why.
    void reportUnreadableSmf(const QString &path, const QString &reason);
    // "Mapvane - file" as the window title; a project not yet saved shows its map
    // name with ".smf".
    void showFileInTitle(const QString &file);
    QString folderOf(const QString &path) const;

    enum class LayerCheck { AllValid, FailedShown, FailedNotShown };
    // There must be a layer, and every layer must pass isCalibrationValid; the last
    // failing one is reported and selected.
    LayerCheck checkLayers();
    // The path to save to: asked for a new project or Save As, else the bound file.
    // Empty when the user cancelled.
    QString savePath(bool saveAs);
    // Whether closing the project would lose work: it changed since it was opened or
    // saved, and it is not an untouched new project (no layers and nothing to undo).
    bool hasUnsavedWork() const;
    // Marks the title ("[*]") while hasUnsavedWork.
    void showUnsavedChanges();
    // Offers to save the project before it is closed when hasUnsavedWork. True when the
    // window may close (or the command go on), false when it stays.
    bool mayCloseProject();
    // Binds the window to the SMF file just read into its project and lists its layers.
    void showLayersOf(const QString &path);
    // The part of Open after its questions: reads the SMF file at path into the
    // emptied project. True when it was opened for editing.
    bool readProjectFile(const QString &path);
    // A new project, as New makes it, with the properties of config.ini and no dialog.
    void startDefaultProject();
    // Empties the status bar: the pixel and position read-outs and what was last saved.
    void clearStatusBar();
    // Keeps only the notation and datum selectors of the menus and tool bar, and
    // docks that cannot be closed.
    void setUpBrowsing();
    // Shows in the status bar what the SMF file at path holds: levels, tiles and size.
    // Returns the levels too large to edit (isEditableLevel), which the file shows
    // only in a browse window when it is opened again.
    QList<int> showWrittenFile(const QString &path);
    // The recent files menu: filled again each time it opens.
    void fillRecentFilesMenu();
    // Puts path first in the list of recent files.
    void rememberRecentFile(const QString &path);

    const QString m_languageFile;
    QLabel *m_statusLabels[4] = {};  // pixel x, pixel y, easting or longitude, northing or latitude
    QLabel *m_zoomLabel = nullptr;   // the canvas's zoom, in percent
    QComboBox *m_notationSelector = nullptr;
    QComboBox *m_datumSelector = nullptr;
    QDockWidget *m_layerDock = nullptr;
    QTableWidget *m_layerTable = nullptr;
    QDockWidget *m_calibrationDock = nullptr;
    CalibrationForm *m_calibrationForm = nullptr;
    QDockWidget *m_pointsDock = nullptr;
    ControlPointsPanel *m_pointsPanel = nullptr;
    // The points dock's pages: the points, or the sources of a merged layer.
    QStackedWidget *m_pointsPages = nullptr;
    MosaicSourcesPanel *m_sourcesPanel = nullptr;
    ControlPointsFit m_pointsFit;        // of the current layer's points
    const MapLayer *m_pointsFitOf = nullptr;  // the layer m_pointsFit was made for
    LayerControlPoints m_pointsFitFor;        // and its points then
    // The source image a border is shown on.
    QString m_borderImagePath;
    QImage m_borderImage;
    QString m_sourceImagePath;           // the source image shown while placing points
    QImage m_sourceImage;
    MapCanvas *m_canvas = nullptr;
    QWidget *m_canvasFrame = nullptr;  // the canvas with its scroll bars
    MapProject m_project;
    int m_projectState = 0;  // 0 no project, 1 not yet bound to a file, 2 bound to filePath
    QString m_lastDirectory;
    bool m_selectionEnabled = false;  // false while the window itself changes the table's selection
    int m_currentLayer = 0;
    QString m_baseTitle;
    NotationChoice m_notationTable[5];
    bool m_browseMode = false;
    QList<MainWindow *> m_browseWindows;  // owned
    QAction *m_languageActions[3] = {};   // English, Simplified Chinese, Traditional Chinese
    DialogProvider m_dialogs = DialogProvider::standard();
    QUndoStack *m_undoStack = nullptr;
    QLabel *m_fileSummary = nullptr;  // what the last save or conversion wrote; made at the first save
    QList<QWidget *> m_tabCycle;      // see createTabCycle

};
