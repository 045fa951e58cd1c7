#pragma once

#include <QStyledItemDelegate>
#include <QWidget>

#include "project/map_layer.h"
#include "raster/qgis_points.h"

class MainWindow;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QToolButton;
struct ControlPointsFit;

// The points dock: the ground control points of the window's current layer in a table
// (number, enabled, pixel, position in the window's notation and datum or on the grid
// of an EPSG code, residual in pixels and metres), the transform that fits them, the
// positions typed before to pick one from, and the root mean square of the residuals
// or why there is no fit. Every edit goes to the window
// (MainWindow::editControlPoints), which fits the points again and records the edit
// for undo; the panel keeps nothing of its own but what the user is typing.
class ControlPointsPanel : public QWidget
{
    Q_OBJECT
public:
    enum Column { NumberColumn, EnabledColumn, XColumn, YColumn, LonColumn, LatColumn, PixelsColumn, MetresColumn,
                  ColumnCount };

    explicit ControlPointsPanel(MainWindow *window);

    // Fills everything from the current layer and the window's fit; notation and datum
    // as the window's selectors say.
    void refresh();
    // The table row shown as current (-1: none), and selecting one (which centres its
    // point on the map).
    int currentPoint() const;
    void selectPoint(int index);

    QTableWidget *table() const { return m_table; }
    QToolButton *addButton() const { return m_addButton; }
    QToolButton *importButton() const { return m_importButton; }
    QToolButton *exportButton() const { return m_exportButton; }
    QCheckBox *resultBox() const { return m_resultBox; }
    QLabel *hintLabel() const { return m_hint; }
    QLineEdit *gridEdit() const { return m_gridEdit; }
    QComboBox *pickBox() const { return m_pick; }

    MainWindow *const window;

signals:
    // The current row changed to point `index`.
    void pointSelected(int index);

protected:
    void changeEvent(QEvent *event) override;

private:
    friend class ControlPointDelegate;
    void retranslate();
    void fillRow(int row, const ControlPoint &point, const ControlPointsFit &fit, int epsg);
    // Stores what was typed into a cell of point `row`; false with the reason in the
    // hint label when it cannot be stored.
    bool storeCell(int row, int column, const QString &text);
    bool storePosition(LayerControlPoints &points, int row, int column, const QString &text);
    // The texts of a point's position as the table shows them (empty when not entered).
    QPair<QString, QString> positionTexts(const ControlPoint &point, int epsg) const;
    // The grid of an EPSG code (0: none), as PROJ names it; nullptr when it has none.
    const PointGrid *gridOf(int epsg) const;
    // Puts the points on the grid typed in the grid field (none when empty), their
    // positions taken there.
    void chooseGrid();
    // The positions typed before: the layer's own points and those of the other layers
    // on the same grid, for the current row to take one.
    void fillPicks(const MapLayer *current);
    void pickPosition(int index);
    void toggleEnabled(QTableWidgetItem *item);
    void deleteSelected();
    const MapLayer *layer() const;

    QPushButton *m_modeButton = nullptr;
    QLabel *m_transformLabel = nullptr;
    QLabel *m_transformNeeds = nullptr;
    QComboBox *m_transform = nullptr;
    QToolButton *m_addButton = nullptr;
    QToolButton *m_deleteButton = nullptr;
    QToolButton *m_importButton = nullptr;
    QToolButton *m_exportButton = nullptr;
    QCheckBox *m_resultBox = nullptr;
    QLabel *m_gridLabel = nullptr;
    QLineEdit *m_gridEdit = nullptr;
    QLabel *m_gridName = nullptr;
    QTableWidget *m_table = nullptr;
    QLabel *m_pickLabel = nullptr;
    QComboBox *m_pick = nullptr;
    QVector<QPointF> m_picks;  // the positions of m_pick's items after the first, as stored
    QLabel *m_rms = nullptr;
    QLabel *m_hint = nullptr;
    bool m_filling = false;
    mutable PointGrid m_grid;  // the grid of the last code asked for
    mutable int m_gridCode = 0;
};

// The editors of the table's cells: pixels and decimal degrees take the calibration
// form's validators, whose refusals go to the panel's hint label.
class ControlPointDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit ControlPointDelegate(ControlPointsPanel *panel);
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

private:
    ControlPointsPanel *const m_panel;
};
