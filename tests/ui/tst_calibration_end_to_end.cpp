#include <QtTest>

#include <QLineEdit>
#include <QTableWidget>

#include "common/cli_runner.h"
#include "common/modal_answer.h"
#include "common/window_fixture.h"
#include "project/map_layer.h"
#include "ui/c_paint_area.h"
#include "ui/c_points_form.h"
#include "ui/c_property.h"
#include "ui/mapvane2.h"

// One project made the way a user makes it, through the real widgets, must give the
// same file as mapvane-cli convert of the same calibration.
class TestCalibrationEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void windowAndCliWriteTheSameFile();

private:
    static void type(QLineEdit *edit, const QString &text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
};

void TestCalibrationEndToEnd::windowAndCliWriteTheSameFile()
{
    WindowFixture fixture;
    const QString image = fixture.makeImage(QStringLiteral("scan.png"), 640, 480);
    Mapvane2 window;
    window.showNormal();
    window.resize(1200, 900);
    QTRY_VERIFY(window.canvas->width() > 620 && window.canvas->height() > 460);

    // New: the properties dialog is answered as a user would.
    {
        ModalDialogAction<CProperty> answer([](CProperty *dialog) {
            dialog->lineEdit->setText(QStringLiteral("Tester"));
            dialog->lineEdit_2->setText(QStringLiteral("Harbour"));
            dialog->okButton->click();
        });
        window.actionNew->trigger();
        QVERIFY(answer.done);
    }
    QCOMPARE(window.projectState, 1);

    // Add the image.
    window.dialogs.openFile = [image](QWidget *, const QString &, const QString &, const QString &,
                                      const QString &) { return image; };
    window.actionAdd->trigger();
    QCOMPARE(window.layerTable->rowCount(), 1);
    QVERIFY(window.pointsForm->frmMain->isEnabled());

    // Both points placed on the canvas with the placing tools.
    window.actionAddPoint1->trigger();
    QTest::mouseClick(window.canvas, Qt::LeftButton, {}, QPoint(30, 40));
    window.actionAddPoint2->trigger();
    QTest::mouseClick(window.canvas, Qt::LeftButton, {}, QPoint(600, 450));
    CPointsForm *form = window.pointsForm;
    QCOMPARE(form->edX1->text(), QStringLiteral("30"));
    QCOMPARE(form->edY2->text(), QStringLiteral("450"));

    // Both positions typed in decimal degrees on WGS 1984.
    QCOMPARE(window.notationSelector->currentIndex(), 0);
    type(form->edLon1, QStringLiteral("113.25"));
    type(form->edLat1, QStringLiteral("22.75"));
    type(form->edLon2, QStringLiteral("114.5"));
    type(form->edLat2, QStringLiteral("21.5"));
    const MapLayer *layer = window.project.layers[0];
    QVERIFY(layer->isCalibrationValid());
    // 1.25 degrees of latitude over 410 pixels: 4500000 / 410 = 10975.6 ms per pixel.
    QCOMPARE(window.layerTable->item(0, 1)->text(), QStringLiteral("1:10975"));

    // Save.
    const QString guiFile = fixture.path(QStringLiteral("window.smf"));
    window.dialogs.saveFile = [guiFile](QWidget *, const QString &, const QString &, const QString &) {
        return guiFile;
    };
    window.actionSave->trigger();
    QCOMPARE(window.projectState, 2);

    // The same calibration through the command line, in the same folder, so the
    // config.ini the dialog wrote gives the same name, cartographer and fill.
    const QString cliFile = fixture.path(QStringLiteral("cli.smf"));
    const cli::Result result = cli::run(fixture.dir.path(),
                                        {QStringLiteral("convert"), cliFile,
                                         QStringLiteral("scan.png@30,40,113.25,22.75,600,450,114.5,21.5")});
    QVERIFY2(result.exitCode == 0, result.err.constData());

    QFile gui(guiFile);
    QFile cliOutput(cliFile);
    QVERIFY(gui.open(QIODevice::ReadOnly));
    QVERIFY(cliOutput.open(QIODevice::ReadOnly));
    const QByteArray guiBytes = gui.readAll();
    QVERIFY(guiBytes.size() > 148);
    QCOMPARE(guiBytes, cliOutput.readAll());
}

QTEST_MAIN(TestCalibrationEndToEnd)
#include "tst_calibration_end_to_end.moc"
