#pragma once

#include <QPointF>
#include <QVector>
#include <QWidget>

#include <memory>

struct LayerMosaic;
struct MapLayer;
class QLabel;
class QTableWidget;

// The points dock's page while a merged layer is current: its sources in drawing order
// (a later row lies over an earlier one), each with its file, where its calibration
// came from and its border.
class MosaicSourcesPanel : public QWidget
{
    Q_OBJECT
public:
    enum Column { FileColumn, OriginColumn, BorderColumn, ColumnCount };

    explicit MosaicSourcesPanel(QWidget *parent);

    // Lists the sources of `layer`; none when it is not a merged layer.
    void showLayer(const MapLayer *layer);
    QTableWidget *table() const { return m_table; }

    // Where a source's calibration came from, in words: its raster's georeferencing,
    // its control points, its OziExplorer file, or two points placed or typed.
    static QString originText(const MapLayer &layer);
    // "whole image", or the number of points of its polygon.
    static QString borderText(const QVector<QPointF> &border);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    void fill();

    QLabel *m_title = nullptr;
    QTableWidget *m_table = nullptr;
    std::shared_ptr<const LayerMosaic> m_mosaic;  // of the layer shown
};
