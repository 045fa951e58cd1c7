#include <QtTest>

#include <QLabel>
#include <QTableWidget>

#include "settings/language_settings.h"
#include "common/modal_answer.h"
#include "common/window_fixture.h"
#include "project/map_layer.h"
#include "ui/c_paint_area.h"
#include "ui/c_points_form.h"
#include "ui/c_property.h"

namespace {

// One degree of longitude and latitude from 10° E, 46° N.
void calibrate(MapProject &project, int layer)
{
    project.setTopLeftLon(layer, 10.0);
    project.setBottomRightLon(layer, 11.0);
    project.setTopLeftLat(layer, 46.0);
    project.setBottomRightLat(layer, 45.0);
    project.updateScale(layer);
}

QByteArray fileContent(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

}  // namespace

// The main window: language menu, the properties command with the config.ini
// defaults, the layer table with its commands, and the canvas.
class TestMapvane2 : public QObject
{
    Q_OBJECT
private slots:
    void languageMarks_data();
    void languageMarks();
    void propertyCommand_data();
    void propertyCommand();
    void sortKeepsRowsAndLayersInStep();
    void deleteSelectsThePreviousRow_data();
    void deleteSelectsThePreviousRow();
    void placingPoints();
    void positionReadOut();
    void copyCommands();
};

void TestMapvane2::languageMarks_data()
{
    QTest::addColumn<QString>("file");  // as read from Language.ini
    QTest::addColumn<int>("marked");
    QTest::newRow("English") << "./LanguageEN.qm" << 0;
    QTest::newRow("Simplified") << "./LanguageZH.qm" << 1;
    QTest::newRow("Traditional") << "./LanguageTW.qm" << 2;
    QTest::newRow("near miss: trailing blank") << "./LanguageTW.qm " << 0;
}

// The running language is ticked and cannot be chosen again; choosing another one
// names it in Language.ini for the next start.
void TestMapvane2::languageMarks()
{
    QFETCH(QString, file);
    QFETCH(int, marked);
    WindowFixture fixture;
    languageFile = file;
    Mapvane2 window;
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(window.languageActions[i]->isChecked(), i == marked);
        QCOMPARE(window.languageActions[i]->isEnabled(), i != marked);
    }
    ModalAnswer restartNotice;
    window.languageActions[(marked + 1) % 3]->trigger();
    QCOMPARE(fileContent(QStringLiteral("Language.ini")), (LanguageFileTable[(marked + 1) % 3] + "\n").toUtf8());
}

void TestMapvane2::propertyCommand_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("accepted") << true;
    QTest::newRow("cancelled") << false;
}

// The command shows the project's properties, the config.ini defaults at first, and
// refuses an empty map name; an accepted dialog sets them and keeps them in config.ini
// as the next defaults, a cancelled one changes nothing.
void TestMapvane2::propertyCommand()
{
    QFETCH(bool, accept);
    WindowFixture fixture;
    fixture.write(QStringLiteral("config.ini"), "A\nB\n1\n2\n3\n");
    Mapvane2 window;
    QCOMPARE(int(window.project.changeFlags), 0);
    window.projectState = 1;
    window.updateActions();
    QStringList shown;
    ModalAnswer refused;
    ModalDialogAction<CProperty> answer([&](CProperty *dialog) {
        shown << dialog->lineEdit->text() << dialog->lineEdit_2->text() << dialog->swatchColour().name();
        dialog->lineEdit_2->clear();
        dialog->okButton->click();
        dialog->lineEdit_2->setText(QStringLiteral("C"));
        dialog->setSwatchColour(QColor(4, 5, 6));
        (accept ? dialog->okButton : dialog->cancelButton)->click();
        if (dialog->isVisible())
            dialog->reject();
    });
    window.actionProperty->trigger();
    QCOMPARE(shown, QStringList({"A", "B", "#010203"}));
    QCOMPARE(refused.texts, QStringList({QString::fromUtf8("请输入")}));
    QCOMPARE(window.project.mapName, QString(accept ? "C" : "B"));
    QCOMPARE(window.project.fillColour, accept ? QColor(4, 5, 6) : QColor(1, 2, 3));
    QCOMPARE(window.project.changeFlags != 0, accept);
    QCOMPARE(fileContent(QStringLiteral("config.ini")), accept ? QByteArray("A\nC\n4\n5\n6\n") : "A\nB\n1\n2\n3\n");
}

// Row i shows layer i at all times: a re-sort by scale (finest first, ties in their
// order) moves the rows with the layers, and the current layer stays current.
void TestMapvane2::sortKeepsRowsAndLayersInStep()
{
    ProjectWindow w;
    for (int height : {100, 300, 100})
        w.fixture.addLayer(w.window, 40, height);
    const QVector<MapLayer *> added = w.window.project.layers;
    for (int i = 0; i < 3; ++i)
        calibrate(w.window.project, i);
    w.window.selectLayerRow(0);
    QCOMPARE(w.window.project.layers, QVector<MapLayer *>({added[1], added[0], added[2]}));
    QCOMPARE(w.window.layerTable->item(0, 0)->text() + w.window.layerTable->item(1, 0)->text()
                 + w.window.layerTable->item(2, 0)->text(),
             QString::fromUtf8("层1层0层2"));
    QVERIFY(w.window.currentLayer == 1 && w.window.layerTable->item(1, 0)->isSelected());
    QCOMPARE(w.window.canvas->layer, added[0]);
}

void TestMapvane2::deleteSelectsThePreviousRow_data()
{
    QTest::addColumn<int>("layers");  // the last one is deleted
    QTest::newRow("second of two") << 2;
    QTest::newRow("the only one") << 1;
}

void TestMapvane2::deleteSelectsThePreviousRow()
{
    QFETCH(int, layers);
    ProjectWindow w;
    for (int i = 0; i < layers; ++i)
        w.fixture.addLayer(w.window, 40 + i, 30);
    MapLayer *kept = layers > 1 ? w.window.project.layers[0] : nullptr;
    w.window.actionDelete->trigger();
    QCOMPARE(w.window.layerTable->rowCount(), layers - 1);
    // The canvas never keeps the deleted layer.
    QCOMPARE(w.window.canvas->layer, kept);
    QCOMPARE(w.window.canvas->image.width(), kept ? 40 : 0);
    QCOMPARE(w.window.pointsForm->frmMain->isEnabled(), kept != nullptr);
}

// A click places a point only while its placing command is checked, at the image
// pixel under the mouse, and ends the placing; a pixel typed in the form brings its
// point into view.
void TestMapvane2::placingPoints()
{
    ProjectWindow w;
    w.fixture.addLayer(w.window, 400, 300);
    CPaintArea *canvas = w.window.canvas;
    const MapLayer *layer = w.window.project.layers[0];
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(20, 30));
    QCOMPARE(layer->topLeft.pixelX, 0);

    canvas->scrollX = 100;
    canvas->scrollY = 50;
    w.window.actionAddPoint2->trigger();
    w.window.actionAddPoint1->trigger();
    QVERIFY(!w.window.actionAddPoint2->isChecked());
    QTest::mouseClick(canvas, Qt::RightButton, {}, QPoint(10, 20));
    QCOMPARE(QPoint(layer->topLeft.pixelX, layer->topLeft.pixelY), QPoint(110, 70));
    QVERIFY(!w.window.actionAddPoint1->isChecked());
    w.window.actionAddPoint2->trigger();
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(150, 120));
    QCOMPARE(QPoint(layer->bottomRight.pixelX, layer->bottomRight.pixelY), QPoint(250, 170));
    QCOMPARE(w.window.pointsForm->edX2->text(), QStringLiteral("250"));

    typeInto(w.window.pointsForm->edY1, QStringLiteral("0"));
    QCOMPARE(QPoint(canvas->scrollX, canvas->scrollY), QPoint(100, 0));
}

// The status bar shows the pixel under the mouse and its position in the chosen
// notation, linear from the top-left point.
void TestMapvane2::positionReadOut()
{
    MapLayer layer;
    layer.topLeft = CalibrationPoint{0, 0, 0, 0};
    layer.scale = layer.lonScale = 1000.0;
    WindowFixture fixture;
    Mapvane2 window;
    window.canvas->setLayer(&layer);
    window.notationSelector->setCurrentIndex(1);
    // At 1000 ms per pixel, 3600 pixels east and 3599 pixels south of 0° 0°.
    QMouseEvent move(QEvent::MouseMove, QPointF(3600, 3599), QPointF(), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(window.canvas, &move);
    QCOMPARE(window.statusLabels[0]->text() + window.statusLabels[1]->text(), QStringLiteral("36003599"));
    QCOMPARE(window.statusLabels[2]->text() + window.statusLabels[3]->text(),
             QString::fromUtf8("E   1°00.00000'S   0°59.98333'"));
}

// Copy adds a copy of the current layer at the percentage asked for; Auto adds four,
// at 60, 80, 120 and 140 %, all of the layer current at the start. The rows follow the
// scales, and the last copy is current.
void TestMapvane2::copyCommands()
{
    ProjectWindow w;
    w.fixture.addLayer(w.window, 100, 100);
    calibrate(w.window.project, 0);
    w.window.selectLayerRow(0);
    w.window.atAuto->trigger();
    w.window.dialogs.integer = [](QWidget *, const QString &, const QString &, int, int, int, int, bool *ok) {
        *ok = true;
        return 5;
    };
    w.window.actionCopy->trigger();
    QList<int> widths;
    for (int row = 0; row < w.window.layerTable->rowCount(); ++row)
        widths << w.window.project.layerImage(row)->width();
    QCOMPARE(widths, QList<int>({140, 120, 100, 80, 60, 7}));
    QCOMPARE(w.window.project.layerImage(w.window.currentLayer)->width(), 7);
}

QTEST_MAIN(TestMapvane2)
#include "tst_mapvane2.moc"
