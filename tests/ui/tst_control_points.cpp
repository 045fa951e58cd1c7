#include <QComboBox>
#include <cmath>
#include <QPushButton>
#include <QToolButton>
#include <QUndoStack>

#include "common/cli_runner.h"
#include "common/window_fixture.h"
#include "geo/datum_table.h"
#include "geo/position_parse.h"
#include "raster/qgis_points.h"
#include "ui/control_points_panel.h"

// Calibrating a layer by control points in the window.
class TestControlPoints : public QObject
{
    Q_OBJECT
private slots:
    void calibrateByNinePoints_data();
    void calibrateByNinePoints();
};

namespace {

// Types text into cell (row, column) of the points table as a user does, and commits it.
void typeCell(QTableWidget *table, int row, int column, const QString &text)
{
    table->setCurrentCell(row, column);
    table->editItem(table->item(row, column));
    QLineEdit *editor = nullptr;
    for (QLineEdit *edit : table->findChildren<QLineEdit *>())
        editor = edit->isVisible() ? edit : editor;
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
}

}  // namespace

void TestControlPoints::calibrateByNinePoints_data()
{
    QTest::addColumn<int>("datum");
    QTest::addColumn<int>("epsg");
    QTest::newRow("WGS 84") << kWgs84DatumIndex << 0;
    // Typed on a datum some hundred metres from WGS 84, the points are fitted on it.
    QTest::newRow("Pulkovo 1942") << 176 << 0;
    // Typed on a sheet's grid, they are fitted on it in metres.
    QTest::newRow("UTM 33N") << kWgs84DatumIndex << 32633;
}

// Nine points placed on the map and typed in the table, a point dragged and one
// disabled, fitted by a second-order polynomial: the residuals shown are the core's,
// the saved file is what the command line makes of the same points, and undo walks
// back through every state.
void TestControlPoints::calibrateByNinePoints()
{
    QFETCH(int, datum);
    QFETCH(int, epsg);
    PointGrid grid;
    QString error;
    QVERIFY(epsg == 0 || pointGridFromEpsg(epsg, &grid, &error));
    ProjectWindow w;
    MainWindow &window = w.window;
    w.fixture.addLayer(window, 400, 300);
    part<QComboBox>(window, "datumSelector")->setCurrentIndex(datum);
    auto *panel = window.findChild<ControlPointsPanel *>();
    QTableWidget *table = panel->table();
    MapLayer *layer = window.project().layers[0];
    QVector<LayerControlPoints> states{layer->controlPoints};
    const auto record = [&] { states.append(layer->controlPoints); };

    panel->findChild<QPushButton *>(QStringLiteral("pointsModeButton"))->click();
    record();
    QVERIFY(layer->controlPoints.active);
    if (epsg > 0) {
        QTest::keyClicks(panel->gridEdit(), QString::number(epsg));
        QTest::keyClick(panel->gridEdit(), Qt::Key_Return);
        record();
        QCOMPARE(layer->controlPoints.epsg, epsg);
    }
    panel->addButton()->click();
    QStringList gcps;
    for (int i = 0; i < 9; ++i) {
        // A 3 x 3 grid, slightly skewed and bent, so that residuals are not zero.
        const double x = 20.5 + (i % 3) * 170 + i, y = 15.25 + (i / 3) * 130;
        const QString lon = epsg ? QString::number(600000 + x * 10 + y + (i % 2) * 1.5, 'f', 3)
                                 : QString::number(11.0 + x * 0.001 + y * 0.0001 + (i % 2) * 0.00002, 'f', 7);
        const QString lat = epsg ? QString::number(5150000 - y * 8 + x * 0.5 + (i % 3) * 0.75, 'f', 3)
                                 : QString::number(46.5 - y * 0.0008 + x * 0.00005 + (i % 3) * 0.00001, 'f', 7);
        emit canvasOf(window)->controlPointPlaced(QPointF(x, y));
        record();
        if (i == 8) {
            // The last point (disabled below) takes the first one's position from those typed before.
            QComboBox *pick = panel->pickBox();
            QCOMPARE(pick->count(), 9);
            pick->setCurrentIndex(1);
            emit pick->activated(1);
            record();
            QCOMPARE(layer->controlPoints.points[8].lon, layer->controlPoints.points[0].lon);
            QCOMPARE(layer->controlPoints.points[8].lat, layer->controlPoints.points[0].lat);
            continue;
        }
        typeCell(table, i, ControlPointsPanel::LonColumn, lon);
        record();
        typeCell(table, i, ControlPointsPanel::LatColumn, lat);
        record();
        gcps << QStringLiteral("--gcp") << QStringLiteral("%1,%2,%3,%4").arg(x).arg(y).arg(lon, lat);
    }
    QCOMPARE(layer->controlPoints.points.size(), 9);
    emit canvasOf(window)->controlPointDragged(4, QPointF(200, 150));
    record();
    gcps[9] = QStringLiteral("200,150,") + gcps[9].section(QLatin1Char(','), 2);
    table->item(8, ControlPointsPanel::EnabledColumn)->setCheckState(Qt::Unchecked);
    record();
    QCOMPARE(gcps.size(), 16);
    auto *transform = panel->findChild<QComboBox *>(QStringLiteral("transformBox"));
    transform->setCurrentIndex(1);
    emit transform->activated(1);
    record();
    QVERIFY(layer->georeference);

    // The residuals shown are the core's for the same points.
    QCOMPARE(layer->controlPoints.datumIndex, LayerControlPoints::storedDatum(datum));
    GeoreferenceReader reader;
    QVector<GroundControlPoint> used = layer->controlPoints.fitted();
    for (GroundControlPoint &point : used) {
        const GeoPosition shifted = typedPositionToWgs84(GeoPosition{point.lat, point.lon, 0.0}, datum);
        point.lon = shifted.longitude;
        point.lat = shifted.latitude;
    }
    QCOMPARE(reader.readByPoints(layer->sourcePath, used, GcpTransform::Poly2, Resampling::Bilinear, grid.wkt),
             GeoreferenceStatus::Georeferenced);
    const QVector<PointMiss> residuals = gcpResiduals(reader.georeference());
    QCOMPARE(residuals.size(), 8);
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(table->item(i, ControlPointsPanel::PixelsColumn)->text(), QString::number(residuals[i].pixels, 'f', 2));
        QCOMPARE(table->item(i, ControlPointsPanel::MetresColumn)->text(), QString::number(residuals[i].metres, 'f', 2));
    }
    QVERIFY(residuals[0].pixels > 0.01);
    QVERIFY(table->item(8, ControlPointsPanel::PixelsColumn)->text().isEmpty());

    // Saved, the level is what the command line makes of the same points.
    QVERIFY(window.saveProjectTo(w.fixture.path(QStringLiteral("window.smf"))));
    const cli::Result convert = cli::run(w.fixture.dir.path(),
        QStringList{QStringLiteral("convert"), QStringLiteral("cli.smf"), QStringLiteral("1.png")} + gcps
            + (datum == kWgs84DatumIndex ? QStringList() : QStringList{QStringLiteral("--datum"), QString::number(datum)})
            + (epsg ? QStringList{QStringLiteral("--gcp-crs"), QStringLiteral("EPSG:%1").arg(epsg)} : QStringList())
            + cli::words(QStringLiteral("--transform poly2 --name map --cartographer Tester --fill 122,122,122 "
                                        "--tile 300x500 --no-config")));
    QVERIFY2(convert.exitCode == 0, convert.err.constData());
    QCOMPARE(fixtures::fileBytes(w.fixture.path(QStringLiteral("window.smf"))),
             fixtures::fileBytes(w.fixture.path(QStringLiteral("cli.smf"))));

    // Exported and imported back through the dock, the points are the same on WGS 84:
    // all of them from a ".points" file (on their grid), the enabled ones, on whole
    // pixels and to a few millimetres, from a ".map" file. An import is one undoable step.
    const LayerControlPoints calibrated = layer->controlPoints;
    LayerControlPoints onWgs84 = calibrated.onDatum(kWgs84DatumIndex);
    QVector<QPointF> degrees;
    for (const ControlPoint &point : std::as_const(onWgs84.points))
        degrees.append(QPointF(point.lon, point.lat));
    QVERIFY(positionsToGrid(grid, PointGrid(), &degrees, &error));
    for (const QString &name : {QStringLiteral("points.points"), QStringLiteral("points.map")}) {
        const QString file = w.fixture.path(name);
        window.dialogs().saveFile = [file](auto...) { return file; };
        window.dialogs().openFile = [file](auto...) { return file; };
        panel->exportButton()->click();
        const int steps = window.undoStack()->index();
        panel->importButton()->click();
        const QVector<ControlPoint> &back = layer->controlPoints.points;
        const bool ozi = name.endsWith(QLatin1String(".map"));
        QCOMPARE(back.size(), ozi ? 8 : 9);
        for (int i = 0; i < back.size(); ++i) {
            const ControlPoint &was = onWgs84.points.at(i);
            QCOMPARE(back[i].pixelX, ozi ? std::round(was.pixelX) : was.pixelX);
            QCOMPARE(back[i].pixelY, ozi ? std::round(was.pixelY) : was.pixelY);
            const QPointF position = ozi ? degrees.at(i) : QPointF(was.lon, was.lat);
            QVERIFY(std::fabs(back[i].lon - position.x()) < 1e-7 && std::fabs(back[i].lat - position.y()) < 1e-7);
            QCOMPARE(back[i].enabled, was.enabled);
        }
        QCOMPARE(window.undoStack()->index(), steps + (layer->controlPoints == calibrated ? 0 : 1));
        if (window.undoStack()->index() > steps)
            window.undoStack()->undo();
        QCOMPARE(layer->controlPoints, calibrated);
    }

    if (epsg) {
        // The code cleared and typed again takes the points to degrees and back, undoably.
        QLineEdit *code = panel->gridEdit();
        for (const QString &text : {QString(), QString::number(epsg)}) {
            code->selectAll();
            QTest::keyClick(code, Qt::Key_Backspace);
            QTest::keyClicks(code, text);
            QTest::keyClick(code, Qt::Key_Return);
            QCOMPARE(layer->controlPoints.epsg, text.toInt());
            for (int i = 0; i < 9; ++i) {
                const ControlPoint &point = layer->controlPoints.points.at(i);
                const ControlPoint &was = calibrated.points.at(i);
                QVERIFY(text.isEmpty() ? std::fabs(point.lon - 16.4) < 0.2 && std::fabs(point.lat - 46.5) < 0.2
                                       : std::fabs(point.lon - was.lon) < 1e-3 && std::fabs(point.lat - was.lat) < 1e-3);
            }
        }
        window.undoStack()->undo();
        window.undoStack()->undo();
        QCOMPARE(layer->controlPoints, calibrated);
    }

    // Undo walks back through every state, the fit with it.
    for (int i = int(states.size()) - 2; i >= 0; --i) {
        window.undoStack()->undo();
        QCOMPARE(layer->controlPoints, states[i]);
        // The first three points lie on one row.
        QCOMPARE(bool(layer->georeference), i >= 13 + (epsg ? 1 : 0));
    }
    QCOMPARE(window.undoStack()->index(), 1);  // adding the layer
}

QTEST_MAIN(TestControlPoints)
#include "tst_control_points.moc"
