#include "ui/control_points_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

#include "geo/position_format.h"
#include "geo/position_parse.h"
#include "ui/calibration_form_values.h"
#include "ui/control_points_fit.h"
#include "ui/hinted_validators.h"
#include "ui/main_window.h"

namespace {

constexpr GcpTransform kTransforms[] = {GcpTransform::Affine, GcpTransform::Poly2, GcpTransform::Tps};

// The largest easting or northing typed on a grid: beyond any grid's extent in metres
// or feet.
constexpr double kMaxGridCoordinate = 1e9;

// The most positions typed before that the dock offers to pick from.
constexpr int kMaxPicks = 500;

QTableWidgetItem *cell(const QString &text, bool editable)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (!editable)
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

QString pixelText(double value)
{
    return QString::number(value, 'f', 2);
}

// An angle as the table shows it in angle notation `style`: "116.3912345",
// "116°23.4740700'", "116°23'28.44420\"".
QString angleText(double degrees, int style)
{
    if (style == kAngleDegreesMinutes) {
        const AngleFieldTexts texts = degreeMinuteTexts(degrees);
        return texts.degrees + degreeSign() + texts.minutes + QLatin1Char('\'');
    }
    if (style == kAngleDegreesMinutesSeconds) {
        const AngleFieldTexts texts = degreeMinuteSecondTexts(degrees);
        return texts.degrees + degreeSign() + texts.minutes + QLatin1Char('\'') + texts.seconds + QLatin1Char('"');
    }
    return QString::number(degrees, 'f', 7);
}

// An angle typed as degrees, minutes and seconds separated by blanks or by their signs.
std::optional<double> readAngle(const QString &text, int style, double limit)
{
    const QStringList parts =
        text.trimmed().split(QRegularExpression(QStringLiteral("[\\s°'\"]+")), Qt::SkipEmptyParts);
    const int count = style == kAngleDegreesMinutesSeconds ? 3 : style == kAngleDegreesMinutes ? 2 : 1;
    if (parts.isEmpty() || parts.size() > count)
        return std::nullopt;
    for (const QString &part : parts) {
        if (readNumberText(part).kind != NumberText::Complete)
            return std::nullopt;
    }
    if (parts.size() > 1 && !(numberFromText(parts.at(1)) >= 0.0 && numberFromText(parts.at(1)) < 60.0))
        return std::nullopt;
    if (parts.size() > 2 && !(numberFromText(parts.at(2)) >= 0.0 && numberFromText(parts.at(2)) < 60.0))
        return std::nullopt;
    const double value = count == 1 ? numberFromText(parts.at(0))
                                    : degreesFromFieldTexts(parts.at(0), parts.value(1), parts.value(2));
    if (!(std::fabs(value) <= limit))
        return std::nullopt;
    return value;
}

}  // namespace

ControlPointsPanel::ControlPointsPanel(MainWindow *window)
    : QWidget(window)
    , window(window)
{
    setObjectName(QStringLiteral("controlPointsPanel"));
    auto *layout = new QVBoxLayout(this);
    m_modeButton = new QPushButton(this);
    m_modeButton->setObjectName(QStringLiteral("pointsModeButton"));
    layout->addWidget(m_modeButton);

    // The box under its caption, as wide as its longest name in every language: the
    // dock stays as narrow as the two-point form's and the name shows whole.
    m_transformLabel = new QLabel(this);
    m_transform = new QComboBox(this);
    m_transform->setObjectName(QStringLiteral("transformBox"));
    m_transform->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (int i = 0; i < 3; ++i)
        m_transform->addItem(QString());
    layout->addWidget(m_transformLabel);
    layout->addWidget(m_transform);
    m_transformNeeds = new QLabel(this);
    m_transformNeeds->setWordWrap(true);
    layout->addWidget(m_transformNeeds);

    // The grid printed on a sheet, by its EPSG code; none: the window's notation and datum.
    auto *gridRow = new QHBoxLayout;
    m_gridLabel = new QLabel(this);
    m_gridEdit = new QLineEdit(this);
    m_gridEdit->setObjectName(QStringLiteral("gridEdit"));
    m_gridEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,9}")), m_gridEdit));
    gridRow->addWidget(m_gridLabel);
    gridRow->addWidget(m_gridEdit, 1);
    layout->addLayout(gridRow);
    m_gridName = new QLabel(this);
    m_gridName->setObjectName(QStringLiteral("gridNameLabel"));
    m_gridName->setWordWrap(true);
    layout->addWidget(m_gridName);

    auto *tools = new QHBoxLayout;
    m_addButton = new QToolButton(this);
    m_addButton->setObjectName(QStringLiteral("addPointButton"));
    m_addButton->setCheckable(true);
    m_deleteButton = new QToolButton(this);
    m_deleteButton->setObjectName(QStringLiteral("deletePointButton"));
    m_resultBox = new QCheckBox(this);
    m_resultBox->setObjectName(QStringLiteral("showResultBox"));
    m_importButton = new QToolButton(this);
    m_importButton->setObjectName(QStringLiteral("importPointsButton"));
    m_exportButton = new QToolButton(this);
    m_exportButton->setObjectName(QStringLiteral("exportPointsButton"));
    tools->addWidget(m_addButton);
    tools->addWidget(m_deleteButton);
    tools->addStretch(1);
    layout->addLayout(tools);
    // Points files on a row of their own: beside the tools they would widen the dock.
    auto *files = new QHBoxLayout;
    files->addWidget(m_importButton);
    files->addWidget(m_exportButton);
    files->addStretch(1);
    layout->addLayout(files);
    // On a row of its own, so that the dock stays as narrow as the two-point form's.
    layout->addWidget(m_resultBox);

    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("controlPointsTable"));
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                             | QAbstractItemView::AnyKeyPressed);
    m_table->setItemDelegate(new ControlPointDelegate(this));
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_table, 1);

    // The positions are long: the box, under its caption, takes the dock's width, and
    // its list as much as they need.
    m_pickLabel = new QLabel(this);
    m_pick = new QComboBox(this);
    m_pick->setObjectName(QStringLiteral("pickPositionBox"));
    m_pick->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_pick->setMinimumContentsLength(12);
    layout->addWidget(m_pickLabel);
    layout->addWidget(m_pick);

    m_rms = new QLabel(this);
    m_rms->setObjectName(QStringLiteral("rmsLabel"));
    m_rms->setWordWrap(true);
    layout->addWidget(m_rms);
    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("pointsHintLabel"));
    m_hint->setWordWrap(true);
    layout->addWidget(m_hint);

    connect(m_modeButton, &QPushButton::clicked, window, [window] {
        const MapLayer *layer = window->currentLayerRecord();
        if (layer && layer->controlPoints.active)
            window->calibrateByHand();
        else
            window->calibrateByPoints();
    });
    connect(m_transform, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        const MapLayer *current = layer();
        if (!current || index < 0 || index > 2)
            return;
        LayerControlPoints points = current->controlPoints;
        points.transform = kTransforms[index];
        this->window->editControlPoints(points, tr("更改变换"));
    });
    connect(m_gridEdit, &QLineEdit::editingFinished, this, &ControlPointsPanel::chooseGrid);
    connect(m_pick, qOverload<int>(&QComboBox::activated), this, &ControlPointsPanel::pickPosition);
    connect(m_addButton, &QToolButton::toggled, window, &MainWindow::placeControlPoints);
    connect(m_deleteButton, &QToolButton::clicked, this, &ControlPointsPanel::deleteSelected);
    connect(m_importButton, &QToolButton::clicked, window, &MainWindow::importControlPoints);
    connect(m_exportButton, &QToolButton::clicked, window, &MainWindow::exportControlPoints);
    connect(m_resultBox, &QCheckBox::toggled, window, [window] { window->showCurrentLayerImage(); });
    connect(m_table, &QTableWidget::itemChanged, this, &ControlPointsPanel::toggleEnabled);
    connect(m_table, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (!m_filling && row >= 0)
            emit pointSelected(row);
    });
    retranslate();
    refresh();
}

const MapLayer *ControlPointsPanel::layer() const
{
    const MapLayer *current = window->currentLayerRecord();
    return current && current->controlPoints.active ? current : nullptr;
}

void ControlPointsPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void ControlPointsPanel::retranslate()
{
    m_transformLabel->setText(tr("变换:"));
    for (int i = 0; i < 3; ++i)
        m_transform->setItemText(i, ControlPointsFit::transformName(kTransforms[i]));
    m_transformNeeds->setText(ControlPointsFit::transformsNeeds());
    m_gridLabel->setText(tr("坐标系 EPSG:"));
    m_gridEdit->setPlaceholderText(tr("无"));
    m_gridEdit->setToolTip(tr("图上所印坐标网的 EPSG 代码(如 UTM 33N 为 32633):点的位置按该坐标系的横坐标和纵坐标输入,"
                              "并在该坐标系上拟合。留空则按窗口的表示法和基准输入经纬度。"));
    m_pickLabel->setText(tr("已输入的位置:"));
    m_pick->setToolTip(tr("把以前输入的位置(本图层和其他图层的点)用作当前点的位置"));
    m_addButton->setText(tr("添加点"));
    m_addButton->setToolTip(tr("在地图上单击添加控制点,然后在表中输入其位置或从已输入的位置中选取"));
    m_deleteButton->setText(tr("删除点"));
    m_importButton->setText(tr("导入点…"));
    m_importButton->setToolTip(tr("用 QGIS 的 .points 文件或 OziExplorer 的 .map 文件中的点替换这些点"));
    m_exportButton->setText(tr("导出点…"));
    m_exportButton->setToolTip(tr("把这些点写入 QGIS 的 .points 文件或 OziExplorer 的 .map 文件"));
    m_resultBox->setText(tr("显示结果"));
    m_resultBox->setToolTip(tr("在地图上显示校正后的图层"));
    refresh();
}

int ControlPointsPanel::currentPoint() const
{
    return m_table->currentRow();
}

void ControlPointsPanel::selectPoint(int index)
{
    if (index >= 0 && index < m_table->rowCount())
        m_table->setCurrentCell(index, m_table->currentColumn() < 0 ? XColumn : m_table->currentColumn());
}

void ControlPointsPanel::refresh()
{
    const MapLayer *current = window->currentLayerRecord();
    const bool active = current && current->controlPoints.active;
    const bool possible = window->canCalibrateByPoints();
    m_modeButton->setText(active ? tr("改回两点定标") : tr("按多点定标"));
    m_modeButton->setEnabled(possible);
    for (QWidget *part : {static_cast<QWidget *>(m_transform), static_cast<QWidget *>(m_addButton),
                          static_cast<QWidget *>(m_deleteButton), static_cast<QWidget *>(m_importButton),
                          static_cast<QWidget *>(m_exportButton), static_cast<QWidget *>(m_resultBox),
                          static_cast<QWidget *>(m_gridEdit), static_cast<QWidget *>(m_pick),
                          static_cast<QWidget *>(m_table)})
        part->setEnabled(active);
    if (!active && m_addButton->isChecked())
        m_addButton->setChecked(false);

    const NotationChoice &notation = window->notation(window->notationIndex());
    const int epsg = active ? current->controlPoints.epsg : 0;
    const PointGrid *pointGrid = gridOf(epsg);
    const bool grid = pointGrid ? !pointGrid->geographic : notation.gridKind != kGridLatLon;
    if (!(m_gridEdit->hasFocus() && m_gridEdit->isModified()))
        m_gridEdit->setText(epsg > 0 ? QString::number(epsg) : QString());
    m_gridName->setText(pointGrid ? pointGrid->name : tr("经纬度:按窗口的表示法和基准"));
    m_table->setHorizontalHeaderLabels({tr("号"), tr("启用"), QStringLiteral("X"), QStringLiteral("Y"),
                                        grid ? tr("横坐标") : tr("经度"), grid ? tr("纵坐标") : tr("纬度"),
                                        tr("残差(像素)"), tr("残差(米)")});
    m_filling = true;
    const int keep = m_table->currentRow();
    const ControlPointsFit &fit = window->controlPointsFit();
    const QVector<ControlPoint> points =
        active ? current->controlPoints.onDatum(window->datumIndex()).points : QVector<ControlPoint>();
    m_table->setRowCount(int(points.size()));
    for (int row = 0; row < points.size(); ++row)
        fillRow(row, points.at(row), fit, epsg);
    if (keep >= 0 && keep < m_table->rowCount())
        m_table->setCurrentCell(keep, qMax(0, m_table->currentColumn()));
    m_filling = false;

    if (active)
        fillPicks(current);
    else
        m_pick->clear();
    if (active) {
        const int index = int(std::find(std::begin(kTransforms), std::end(kTransforms), current->controlPoints.transform)
                              - std::begin(kTransforms));
        m_transform->setCurrentIndex(index);
    }
    if (!active) {
        m_rms->setText(possible ? tr("按多点定标:任意多个点,可选变换,显示残差") : QString());
        m_rms->setStyleSheet(QString());
    } else if (fit.georeference) {
        m_rms->setText(tr("均方根误差:%1 像素,%2 米").arg(fit.rmsPixels, 0, 'f', 2).arg(fit.rmsMetres, 0, 'f', 2));
        m_rms->setStyleSheet(QString());
    } else {
        m_rms->setText(tr("未拟合:%1").arg(fit.refusal));
        m_rms->setStyleSheet(QStringLiteral("color: #b00000;"));
    }
}

void ControlPointsPanel::fillRow(int row, const ControlPoint &point, const ControlPointsFit &fit, int epsg)
{
    m_table->setItem(row, NumberColumn, cell(QString::number(row + 1), false));
    auto *enabled = new QTableWidgetItem;
    enabled->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    enabled->setCheckState(point.enabled ? Qt::Checked : Qt::Unchecked);
    m_table->setItem(row, EnabledColumn, enabled);
    m_table->setItem(row, XColumn, cell(pixelText(point.pixelX), true));
    m_table->setItem(row, YColumn, cell(pixelText(point.pixelY), true));
    const auto [lon, lat] = positionTexts(point, epsg);
    m_table->setItem(row, LonColumn, cell(lon, true));
    m_table->setItem(row, LatColumn, cell(lat, true));
    const std::optional<PointMiss> residual =
        fit.georeference && row < fit.residuals.size() ? fit.residuals.at(row) : std::optional<PointMiss>();
    m_table->setItem(row, PixelsColumn, cell(residual ? QString::number(residual->pixels, 'f', 2) : QString(), false));
    m_table->setItem(row, MetresColumn, cell(residual ? QString::number(residual->metres, 'f', 2) : QString(), false));
}

QPair<QString, QString> ControlPointsPanel::positionTexts(const ControlPoint &point, int epsg) const
{
    QString lon, lat;
    if (const PointGrid *grid = gridOf(epsg)) {
        const int decimals = grid->geographic ? 7 : 3;
        if (point.lonSet)
            lon = QString::number(point.lon, 'f', decimals);
        if (point.latSet)
            lat = QString::number(point.lat, 'f', decimals);
        return {lon, lat};
    }
    // The point is on the datum positions typed on the window's are kept on.
    const NotationChoice &notation = window->notation(window->notationIndex());
    const int datum = window->datumIndex();
    if (notation.gridKind != kGridLatLon) {
        if (point.positioned()) {
            const GeoPosition wgs84 = typedPositionToWgs84(GeoPosition{point.lat, point.lon, 0.0},
                                                           LayerControlPoints::storedDatum(datum));
            const FormattedPosition shown = formatPosition(notation.gridKind, datum, notation.angleStyle, wgs84);
            lon = shown.lonOrEastingText.trimmed();
            lat = shown.latOrNorthingText.trimmed();
        }
        return {lon, lat};
    }
    if (point.lonSet)
        lon = angleText(point.lon, notation.angleStyle);
    if (point.latSet)
        lat = angleText(point.lat, notation.angleStyle);
    return {lon, lat};
}

const PointGrid *ControlPointsPanel::gridOf(int epsg) const
{
    if (epsg <= 0)
        return nullptr;
    if (m_gridCode != epsg) {
        PointGrid grid;
        QString error;
        if (!pointGridFromEpsg(epsg, &grid, &error))
            return nullptr;
        m_grid = grid;
        m_gridCode = epsg;
    }
    return &m_grid;
}

void ControlPointsPanel::chooseGrid()
{
    const MapLayer *current = layer();
    const bool typed = m_gridEdit->isModified();
    m_gridEdit->setModified(false);
    if (!current || !typed)
        return;
    const QString text = m_gridEdit->text().trimmed();
    int code = text.isEmpty() ? 0 : text.toInt();
    PointGrid to;
    QString error;
    if (code > 0 && !pointGridFromEpsg(code, &to, &error)) {
        m_hint->setText(error);
        return;
    }
    if (to.wkt.isEmpty())
        code = 0;  // WGS 84 in degrees: the window's own notation does
    if (code == current->controlPoints.epsg) {
        refresh();
        return;
    }
    // The positions go with the points to the new grid; a coordinate typed alone
    // cannot, and is dropped.
    LayerControlPoints points = current->controlPoints.onDatum(-1);
    PointGrid from;
    if (points.epsg > 0 && !pointGridFromEpsg(points.epsg, &from, &error)) {
        m_hint->setText(error);
        return;
    }
    QVector<QPointF> positions;
    for (ControlPoint &point : points.points) {
        if (!point.positioned())
            point.lonSet = point.latSet = false;
        else
            positions.append(QPointF(point.lon, point.lat));
    }
    if (!positionsToGrid(from, to, &positions, &error)) {
        m_hint->setText(error);
        return;
    }
    qsizetype next = 0;
    for (ControlPoint &point : points.points) {
        if (point.positioned()) {
            point.lon = positions.at(next).x();
            point.lat = positions.at(next++).y();
        }
    }
    points.epsg = code;
    points.datumIndex = -1;
    m_hint->clear();
    window->editControlPoints(points, tr("更改点的坐标系"));
}

void ControlPointsPanel::fillPicks(const MapLayer *current)
{
    const int epsg = current->controlPoints.epsg;
    const int datum = window->datumIndex();
    QVector<const MapLayer *> layers{current};
    for (const MapLayer *other : window->project().layers) {
        if (other != current)
            layers.append(other);
    }
    QStringList texts;
    m_picks.clear();
    for (const MapLayer *source : layers) {
        if (source->controlPoints.epsg != epsg)
            continue;
        // On the datum the current layer's points are kept on for the window's datum.
        const LayerControlPoints points = source->controlPoints.onDatum(datum);
        for (int i = 0; i < points.points.size() && m_picks.size() < kMaxPicks; ++i) {
            const ControlPoint &point = points.points.at(i);
            const QPointF position(point.lon, point.lat);
            if (!point.positioned() || m_picks.contains(position))
                continue;
            const auto [lon, lat] = positionTexts(point, epsg);
            m_picks.append(position);
            texts.append(source == current ? tr("点 %1:%2, %3").arg(i + 1).arg(lon, lat)
                                           : tr("%1 的点 %2:%3, %4")
                                                 .arg(QFileInfo(source->sourcePath).fileName())
                                                 .arg(i + 1)
                                                 .arg(lon, lat));
        }
    }
    const QSignalBlocker quiet(m_pick);
    m_pick->clear();
    m_pick->addItem(m_picks.isEmpty() ? tr("(还没有)") : tr("选取…"));
    m_pick->addItems(texts);
    // The list as wide as its longest position.
    m_pick->view()->setMinimumWidth(m_pick->view()->sizeHintForColumn(0)
                                    + m_pick->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    m_pick->setEnabled(!m_picks.isEmpty());
}

void ControlPointsPanel::pickPosition(int index)
{
    const MapLayer *current = layer();
    const int row = m_table->currentRow();
    if (!current || index <= 0 || index > m_picks.size())
        return;
    if (row < 0 || row >= current->controlPoints.points.size()) {
        m_hint->setText(tr("请先在表中选择一个点"));
        m_pick->setCurrentIndex(0);
        return;
    }
    LayerControlPoints points = current->controlPoints.onDatum(window->datumIndex());
    ControlPoint &point = points.points[row];
    point.lon = m_picks.at(index - 1).x();
    point.lat = m_picks.at(index - 1).y();
    point.lonSet = point.latSet = true;
    m_hint->clear();
    m_pick->setCurrentIndex(0);
    window->editControlPoints(points, tr("选取控制点位置"));
}

void ControlPointsPanel::toggleEnabled(QTableWidgetItem *item)
{
    const MapLayer *current = layer();
    if (m_filling || !current || item->column() != EnabledColumn || item->row() >= current->controlPoints.points.size())
        return;
    LayerControlPoints points = current->controlPoints;
    points.points[item->row()].enabled = item->checkState() == Qt::Checked;
    window->editControlPoints(points, points.points[item->row()].enabled ? tr("启用控制点") : tr("停用控制点"));
}

void ControlPointsPanel::deleteSelected()
{
    const MapLayer *current = layer();
    const int row = m_table->currentRow();
    if (!current || row < 0 || row >= current->controlPoints.points.size())
        return;
    LayerControlPoints points = current->controlPoints;
    points.points.remove(row);
    window->editControlPoints(points, tr("删除控制点"));
}

bool ControlPointsPanel::storeCell(int row, int column, const QString &text)
{
    const MapLayer *current = layer();
    if (!current || row < 0 || row >= current->controlPoints.points.size())
        return false;
    // A position typed on another datum than the points' takes them all to it: they
    // are fitted on the datum they were typed on.
    LayerControlPoints points = column == XColumn || column == YColumn
        ? current->controlPoints
        : current->controlPoints.onDatum(window->datumIndex());
    ControlPoint &point = points.points[row];
    if (column == XColumn || column == YColumn) {
        const NumberText number = readNumberText(text);
        const QSize size = window->controlPointsImageSize();
        const double limit = column == XColumn ? size.width() : size.height();
        if (number.kind != NumberText::Complete || !(number.value >= 0.0 && number.value <= limit)) {
            m_hint->setText(tr("像素须在 0 到 %1 之间").arg(limit));
            return false;
        }
        (column == XColumn ? point.pixelX : point.pixelY) = number.value;
    } else if (!storePosition(points, row, column, text)) {
        return false;
    }
    m_hint->clear();
    window->editControlPoints(points, tr("输入控制点"));
    return true;
}

bool ControlPointsPanel::storePosition(LayerControlPoints &points, int row, int column, const QString &text)
{
    ControlPoint &point = points.points[row];
    const NotationChoice &notation = window->notation(window->notationIndex());
    const int datum = window->datumIndex();
    const bool latitude = column == LatColumn;
    // points are on the window's datum (LayerControlPoints::onDatum): what is typed is
    // stored as typed.
    if (text.trimmed().isEmpty()) {
        // An empty position is not entered.
        (latitude ? point.latSet : point.lonSet) = false;
        if (points.epsg == 0 && notation.gridKind != kGridLatLon)
            point.lonSet = point.latSet = false;
        return true;
    }
    if (const PointGrid *grid = gridOf(points.epsg)) {
        // On the grid of a code: a number in its units, or degrees on a geographic one.
        const NumberText number = readNumberText(text);
        const double limit = grid->geographic ? (latitude ? 90.0 : 180.0) : kMaxGridCoordinate;
        if (number.kind != NumberText::Complete || !(std::fabs(number.value) <= limit)) {
            m_hint->setText(HintedIntValidator::refusalText());
            return false;
        }
        (latitude ? point.lat : point.lon) = number.value;
        (latitude ? point.latSet : point.lonSet) = true;
        return true;
    }
    if (notation.gridKind != kGridLatLon) {
        // A grid position needs both its texts; the other one may still be typed.
        const QTableWidgetItem *other = m_table->item(row, latitude ? LonColumn : LatColumn);
        const QString otherText = other ? other->text() : QString();
        if (otherText.trimmed().isEmpty()) {
            m_hint->setText(latitude ? tr("请再输入横坐标") : tr("请再输入纵坐标"));
            return false;
        }
        GeoPosition position;
        QString error;
        if (!readGridPosition(notation.gridKind, datum, latitude ? otherText : text, latitude ? text : otherText,
                              &position, &error)) {
            m_hint->setText(error);
            return false;
        }
        point.lon = position.longitude;
        point.lat = position.latitude;
        point.lonSet = point.latSet = true;
        return true;
    }
    const std::optional<double> typed = readAngle(text, notation.angleStyle, latitude ? 90.0 : 180.0);
    if (!typed) {
        m_hint->setText(HintedIntValidator::refusalText());
        return false;
    }
    (latitude ? point.lat : point.lon) = *typed;
    (latitude ? point.latSet : point.lonSet) = true;
    return true;
}

ControlPointDelegate::ControlPointDelegate(ControlPointsPanel *panel)
    : QStyledItemDelegate(panel)
    , m_panel(panel)
{
}

QWidget *ControlPointDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                            const QModelIndex &index) const
{
    auto *edit = qobject_cast<QLineEdit *>(QStyledItemDelegate::createEditor(parent, option, index));
    if (!edit)
        return nullptr;
    const QSize size = m_panel->window->controlPointsImageSize();
    const NotationChoice &notation = m_panel->window->notation(m_panel->window->notationIndex());
    QLabel *hint = m_panel->hintLabel();
    switch (index.column()) {
    case ControlPointsPanel::XColumn:
        edit->setValidator(new HintedDoubleValidator(0.0, size.width(), hint, edit));
        break;
    case ControlPointsPanel::YColumn:
        edit->setValidator(new HintedDoubleValidator(0.0, size.height(), hint, edit));
        break;
    case ControlPointsPanel::LonColumn:
    case ControlPointsPanel::LatColumn:
        if (const PointGrid *grid = m_panel->gridOf(m_panel->layer() ? m_panel->layer()->controlPoints.epsg : 0)) {
            const bool latitude = index.column() == ControlPointsPanel::LatColumn;
            const double limit = grid->geographic ? (latitude ? 90.0 : 180.0) : kMaxGridCoordinate;
            edit->setValidator(new HintedDoubleValidator(-limit, limit, hint, edit));
        } else if (notation.gridKind == kGridLatLon && notation.angleStyle == kAngleDegrees) {
            const double limit = index.column() == ControlPointsPanel::LatColumn ? 90.0 : 180.0;
            edit->setValidator(new HintedDoubleValidator(-limit, limit, hint, edit));
        }
        break;
    default:
        break;
    }
    return edit;
}

void ControlPointDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    Q_UNUSED(model);
    const auto *edit = qobject_cast<QLineEdit *>(editor);
    if (!edit)
        return;
    // The window refreshes the table from the layer once the edit is stored; a text
    // that cannot be stored stays in its cell, with the reason in the hint label.
    const int row = index.row();
    const int column = index.column();
    const QString text = edit->text();
    if (!m_panel->storeCell(row, column, text)) {
        QTableWidgetItem *item = m_panel->table()->item(row, column);
        if (item)
            item->setText(text);
    }
}
