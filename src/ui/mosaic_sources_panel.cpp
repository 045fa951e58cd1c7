#include "ui/mosaic_sources_panel.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "project/layer_mosaic.h"
#include "ui/calibration_form.h"

MosaicSourcesPanel::MosaicSourcesPanel(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("mosaicSourcesPanel"));
    auto *layout = new QVBoxLayout(this);
    m_title = new QLabel(this);
    m_title->setWordWrap(true);
    layout->addWidget(m_title);
    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("mosaicSourcesTable"));
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The file takes what room is left, its whole path in its tip: no column hides
    // behind a scroll bar in a narrow dock.
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(FileColumn, QHeaderView::Stretch);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setTextElideMode(Qt::ElideMiddle);
    layout->addWidget(m_table, 1);
    retranslate();
}

void MosaicSourcesPanel::showLayer(const MapLayer *layer)
{
    m_mosaic = layer ? layer->mosaic : nullptr;
    fill();
}

QString MosaicSourcesPanel::originText(const MapLayer &layer)
{
    if (layer.controlPoints.active)
        return tr("窗口中的控制点");
    if (layer.georeference)
        return CalibrationForm::originText(*layer.georeference);
    if (!layer.oziMapPath.isEmpty())
        return QCoreApplication::translate("CalibrationForm", "OziExplorer 文件");
    return tr("两点定标");
}

QString MosaicSourcesPanel::borderText(const QVector<QPointF> &border)
{
    return border.isEmpty() ? tr("整幅图像") : tr("%1 个点").arg(border.size());
}

void MosaicSourcesPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void MosaicSourcesPanel::retranslate()
{
    m_title->setText(tr("合并图层的来源,后列的在上:"));
    m_table->setHorizontalHeaderLabels({tr("文件"), tr("定标"), tr("边界")});
    fill();
}

void MosaicSourcesPanel::fill()
{
    // Filling is no choice of the user's: the window hears of none of it.
    const QSignalBlocker quiet(m_table);
    const QVector<MosaicSource> sources = m_mosaic ? m_mosaic->sources : QVector<MosaicSource>();
    m_table->setRowCount(int(sources.size()));
    for (int row = 0; row < sources.size(); ++row) {
        const MapLayer &layer = sources.at(row).layer;
        // A sheet is known by the OziExplorer file it was added from.
        const QString file = layer.oziMapPath.isEmpty() ? layer.sourcePath : layer.oziMapPath;
        const QString origin = originText(layer);
        const QString texts[ColumnCount] = {QFileInfo(file).fileName(), origin, borderText(sources.at(row).border)};
        const QString tips[ColumnCount] = {QDir::toNativeSeparators(file),
                                           layer.georeference ? CalibrationForm::georeferenceText(*layer.georeference)
                                                              : origin,
                                           QString()};
        for (int column = 0; column < ColumnCount; ++column) {
            auto *item = new QTableWidgetItem(texts[column]);
            item->setToolTip(tips[column]);
            m_table->setItem(row, column, item);
        }
    }
    // The source whose border Edit Border shows.
    if (m_table->rowCount() > 0 && m_table->currentRow() < 0)
        m_table->setCurrentCell(0, FileColumn);
}
