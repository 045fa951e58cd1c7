#include <QtTest>

#include <QComboBox>
#include <QDoubleValidator>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

#include "common/window_fixture.h"
#include "geo/datum_table.h"
#include "geo/notation_choice.h"
#include "geo/position_format.h"
#include "project/map_layer.h"
#include "ui/c_points_form.h"
#include "ui/mapvane2.h"
#include "ui/points_form_angle_text.h"
#include "geo/grid_parse.h"

namespace {

const QString kRefused = QString::fromUtf8("输入无效或超出范围");
constexpr double kMas = 1.0 / 3600000.0;  // one milliarcsecond in degrees
constexpr int kTokyoJapan = 212;

// A project window with one 1000 x 800 image layer, selected.
class FormWindow
{
public:
    FormWindow()
    {
        WindowFixture::startProject(window);
        const QString file = fixture.makeImage(QStringLiteral("map.png"), 1000, 800);
        window.dialogs.openFile = [file](QWidget *, const QString &, const QString &, const QString &,
                                         const QString &) { return file; };
        window.actionAdd->trigger();
        form = window.pointsForm;
    }
    MapLayer *layer() const { return window.project.layers.value(window.currentLayer); }

    WindowFixture fixture;
    Mapvane2 window;
    CPointsForm *form = nullptr;
};

// Replaces the edit's text by typing, keystroke by keystroke, as a user does.
void type(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
}

// Types texts[i] into edits[i], in order.
void typeAll(const QList<QLineEdit *> &edits, const QStringList &texts)
{
    for (int i = 0; i < texts.size(); ++i)
        type(edits[i], texts[i]);
}

const QIntValidator *intRange(const QLineEdit *edit)
{
    return qobject_cast<const QIntValidator *>(edit->validator());
}

const QDoubleValidator *doubleRange(const QLineEdit *edit)
{
    return qobject_cast<const QDoubleValidator *>(edit->validator());
}

QPoint rangeOf(const QLineEdit *edit)
{
    const QIntValidator *v = intRange(edit);
    return v ? QPoint(v->bottom(), v->top()) : QPoint(INT_MIN, INT_MIN);
}

}  // namespace

class TestPointsForm : public QObject
{
    Q_OBJECT
private slots:
    void pixelRanges();
    void pixelLimitHints_data();
    void pixelLimitHints();
    void degreeMinuteLimits();
    void degreeMinuteSecondLimits();
    void gridRanges();
    void angleTexts_data();
    void angleTexts();
    void readAngleTexts_data();
    void readAngleTexts();
    void notationFieldsShareOnePlace_data();
    void notationFieldsShareOnePlace();
    void utmFieldsEmptyWithoutLongitude();
    void tmCombosReturnToEastNorth();
    void latitudeUpdatesScaleLongitudeDoesNot();
    void typedLatitudeStored_data();
    void typedLatitudeStored();
    void datumRoundTrip_data();
    void datumRoundTrip();
    void datumPartnerStaysPut();
    void utmSouthernNorthing();
    void tmRoundTrip();
    void guardsWithoutCurrentLayer();
    void browseModeKeepsValidators();
    void validatorsAreReused();
};

void TestPointsForm::pixelRanges()
{
    FormWindow w;
    CPointsForm *form = w.form;
    // A fresh layer, once shown, has its pixels at the corners (0, 0) and (1000, 800).
    QCOMPARE(rangeOf(form->edX1), QPoint(0, 999));
    QCOMPARE(rangeOf(form->edX2), QPoint(1, 1000));
    QCOMPARE(rangeOf(form->edY1), QPoint(0, 799));
    QCOMPARE(rangeOf(form->edY2), QPoint(1, 800));

    type(form->edX1, QStringLiteral("1000"));
    QCOMPARE(form->edX1->text(), QStringLiteral("100"));
    QCOMPARE(form->lblHint->text(), kRefused);
    QCOMPARE(w.layer()->topLeft.pixelX, 100);
    // The bottom-right x now starts right of the top-left one.
    QCOMPARE(rangeOf(form->edX2), QPoint(101, 1000));

    type(form->edY2, QStringLiteral("600"));
    QCOMPARE(w.layer()->bottomRight.pixelY, 600);
    QCOMPARE(rangeOf(form->edY1), QPoint(0, 599));
    QVERIFY(form->lblHint->text().isEmpty());
}

void TestPointsForm::pixelLimitHints_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hint");
    QTest::newRow("bottom-right x past the width") << "edX2" << "1001" << QString::fromUtf8("最大宽度为1000");
    QTest::newRow("bottom-right y past the height") << "edY2" << "801" << QString::fromUtf8("最大高度为800");
}

// The handler's own limit, behind the validators: nothing is stored.
void TestPointsForm::pixelLimitHints()
{
    QFETCH(QString, edit);
    QFETCH(QString, text);
    FormWindow w;
    auto *field = w.form->findChild<QLineEdit *>(edit);
    QVERIFY(field);
    const CalibrationPoint topLeft = w.layer()->topLeft;
    const CalibrationPoint bottomRight = w.layer()->bottomRight;
    field->setText(text);
    emit field->textEdited(text);
    QTEST(w.form->lblHint->text(), "hint");
    QCOMPARE(w.layer()->topLeft.pixelX, topLeft.pixelX);
    QCOMPARE(w.layer()->bottomRight.pixelX, bottomRight.pixelX);
    QCOMPARE(w.layer()->bottomRight.pixelY, bottomRight.pixelY);
}

void TestPointsForm::degreeMinuteLimits()
{
    FormWindow w;
    CPointsForm *form = w.form;
    w.window.notationSelector->setCurrentIndex(1);
    QCOMPARE(rangeOf(form->edLon1X1), QPoint(-180, 180));
    QCOMPARE(doubleRange(form->edLon1Y1)->top(), 59.99999999);

    // 180 degrees leaves the minutes only 0.
    type(form->edLon1X1, QStringLiteral("180"));
    QCOMPARE(doubleRange(form->edLon1Y1)->top(), 0.0);
    type(form->edLon1Y1, QStringLiteral("3"));
    QVERIFY(form->edLon1Y1->text().isEmpty());
    QCOMPARE(form->lblHint->text(), kRefused);
    type(form->edLon1Y1, QStringLiteral("0"));
    QCOMPARE(form->edLon1Y1->text(), QStringLiteral("0"));

    // 30 minutes with fewer degrees keep the degrees within -179..179.
    type(form->edLon1X1, QStringLiteral("100"));
    type(form->edLon1Y1, QStringLiteral("30"));
    QCOMPARE(rangeOf(form->edLon1X1), QPoint(-179, 179));
    type(form->edLon1X1, QStringLiteral("180"));
    QCOMPARE(form->edLon1X1->text(), QStringLiteral("18"));
    QCOMPARE(form->lblHint->text(), kRefused);
    QCOMPARE(w.layer()->topLeft.lon, 18 * 3600000 + 30 * 60000);

    // Latitude rows stop at 90.
    QCOMPARE(rangeOf(form->edLat2X1), QPoint(-90, 90));
}

void TestPointsForm::degreeMinuteSecondLimits()
{
    FormWindow w;
    CPointsForm *form = w.form;
    w.window.notationSelector->setCurrentIndex(2);
    QCOMPARE(rangeOf(form->edLat1Y2), QPoint(0, 59));
    type(form->edLat1Y2, QStringLiteral("60"));
    QCOMPARE(form->edLat1Y2->text(), QStringLiteral("6"));

    type(form->edLat1Y2, QString());
    type(form->edLat1X2, QStringLiteral("-90"));
    QCOMPARE(rangeOf(form->edLat1Y2), QPoint(0, 0));
    QCOMPARE(doubleRange(form->edLat1Z2)->top(), 0.0);

    type(form->edLat1X2, QStringLiteral("45"));
    type(form->edLat1Z2, QStringLiteral("0.5"));
    QCOMPARE(rangeOf(form->edLat1X2), QPoint(-89, 89));
    QCOMPARE(w.layer()->topLeft.lat, 45 * 3600000 + 500);
}

void TestPointsForm::gridRanges()
{
    FormWindow w;
    CPointsForm *form = w.form;
    w.window.notationSelector->setCurrentIndex(3);
    QCOMPARE(rangeOf(form->edUTMX1), QPoint(1, 60));
    // Every real northing: the equator up north, and the south with its false northing.
    QCOMPARE(rangeOf(form->edLat1), QPoint(0, 10000000));
    // Zone edges on the equator lie at about 166 km and 834 km (hand calculation
    // 0.9996 x 6378137 x atanh(sin 3°) = 333 979 m from the central meridian).
    QVERIFY(rangeOf(form->edUTMZ1).x() <= 166021);
    QVERIFY(rangeOf(form->edUTMZ1).y() >= 833979);

    // TM at 121° E: 6° either side on the equator, and the poles.
    QCOMPARE(rangeOf(form->edTMX1), QPoint(-420000, 920000));
    QCOMPARE(rangeOf(form->edTMY2), QPoint(-10002000, 10002000));
    // The widest ellipsoid of the table (International 1924) at 115° E and 127° E on the
    // equator, and at the north pole.
    const int international = datumIndexByName(QStringLiteral("European 1979"));
    QVERIFY(international >= 0);
    const FormattedPosition west = formatPosition(kGridTm, international, 0, GeoPosition{0.0, 115.0, 0.0});
    const FormattedPosition east = formatPosition(kGridTm, international, 0, GeoPosition{0.0, 127.0, 0.0});
    const FormattedPosition pole = formatPosition(kGridTm, international, 0, GeoPosition{90.0, 121.0, 0.0});
    QVERIFY(west.lonOrEasting > -420000 && west.lonOrEasting < -418000);
    QVERIFY(east.lonOrEasting < 920000 && east.lonOrEasting > 918000);
    QVERIFY(pole.latOrNorthing < 10002000 && pole.latOrNorthing > 10001000);
}

void TestPointsForm::angleTexts_data()
{
    QTest::addColumn<double>("degrees");
    QTest::addColumn<QStringList>("dm");
    QTest::addColumn<QStringList>("dms");
    // Values as the form gets them from the formatter: moved 5e-10 away from zero.
    QTest::newRow("121.5 W") << -121.5 - 5e-10 << QStringList{"-121", "30.0000000", ""}
                             << QStringList{"-121", "30", "0.00000"};
    QTest::newRow("half a degree south") << -0.5 - 5e-10 << QStringList{"-0", "30.0000000", ""}
                                         << QStringList{"-0", "30", "0.00000"};
    QTest::newRow("zero") << 5e-10 << QStringList{"0", "0.0000000", ""} << QStringList{"0", "0", "0.00000"};
    // Just below a whole degree: the printed minutes and seconds would read 60.
    QTest::newRow("carry into 23") << 22.99999999999 << QStringList{"23", "0.0000000", ""}
                                   << QStringList{"23", "0", "0.00000"};
    QTest::newRow("carry into 13 minutes") << 22.0 + 12.0 / 60.0 + 59.999999 / 3600.0
                                           << QStringList{"22", "13.0000000", ""}
                                           << QStringList{"22", "13", "0.00000"};
}

void TestPointsForm::angleTexts()
{
    QFETCH(double, degrees);
    QFETCH(QStringList, dm);
    QFETCH(QStringList, dms);
    const AngleFieldTexts a = degreeMinuteTexts(degrees);
    QCOMPARE(QStringList({a.degrees, a.minutes, a.seconds}), dm);
    const AngleFieldTexts b = degreeMinuteSecondTexts(degrees);
    QCOMPARE(QStringList({b.degrees, b.minutes, b.seconds}), dms);
}

void TestPointsForm::readAngleTexts_data()
{
    QTest::addColumn<QString>("degrees");
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<double>("value");
    QTest::newRow("-121 30") << "-121" << "30" << "" << -121.5;
    QTest::newRow("-0 30 is south") << "-0" << "30" << "" << -0.5;
    QTest::newRow("lone minus 30 is south") << "-" << "30" << "" << -0.5;
    QTest::newRow("-0 0 15") << "-0" << "0" << "15" << -15.0 / 3600.0;
    QTest::newRow("empty fields") << "" << "" << "" << 0.0;
    QTest::newRow("35 40 15.5") << "35" << "40" << "15.5" << 35.0 + 40.0 / 60.0 + 15.5 / 3600.0;
}

void TestPointsForm::readAngleTexts()
{
    QFETCH(QString, degrees);
    QFETCH(QString, minutes);
    QFETCH(QString, seconds);
    QFETCH(double, value);
    QCOMPARE(degreesFromFieldTexts(degrees, minutes, seconds), value);
}

void TestPointsForm::notationFieldsShareOnePlace_data()
{
    QTest::addColumn<int>("notation");
    QTest::addColumn<QString>("lonField");
    QTest::addColumn<QString>("latField");
    QTest::addColumn<QString>("lonCaption");
    QTest::addColumn<QString>("latCaption");
    const QString lon = QString::fromUtf8("经度");
    const QString lat = QString::fromUtf8("纬度");
    const QString easting = QString::fromUtf8("横坐标");
    const QString northing = QString::fromUtf8("纵坐标");
    QTest::newRow("度") << 0 << "edLon%1" << "edLat%1" << lon << lat;
    QTest::newRow("度分") << 1 << "edLon%1X1" << "edLat%1X1" << lon << lat;
    QTest::newRow("度分秒") << 2 << "edLon%1X2" << "edLat%1X2" << lon << lat;
    QTest::newRow("UTM") << 3 << "edUTMX%1" << "edLat%1" << easting << northing;
    QTest::newRow("TM") << 4 << "edTMX%1" << "edTMY%1" << easting << northing;
}

// Each notation's first fields sit where the decimal-degree edits sit, the other
// notations' fields are hidden, and nothing shown sticks out of its group box.
void TestPointsForm::notationFieldsShareOnePlace()
{
    QFETCH(int, notation);
    QFETCH(QString, lonField);
    QFETCH(QString, latField);
    FormWindow w;
    CPointsForm *form = w.form;
    // A window tall enough for the whole form, with the dock at its narrowest.
    w.window.showNormal();
    w.window.resize(1000, 800);
    w.window.resizeDocks({w.window.pointsDock}, {1}, Qt::Horizontal);
    QTRY_VERIFY(form->height() > 400);
    QVERIFY(form->width() <= 218);
    w.window.notationSelector->setCurrentIndex(notation);
    QCOMPARE(form->notation(), notation);
    for (int point = 1; point <= 2; ++point) {
        auto *box = form->findChild<QGroupBox *>(QStringLiteral("gpBox%1").arg(point));
        auto *decimalLon = form->findChild<QLineEdit *>(QStringLiteral("edLon%1").arg(point));
        auto *decimalLat = form->findChild<QLineEdit *>(QStringLiteral("edLat%1").arg(point));
        auto *lon = form->findChild<QLineEdit *>(lonField.arg(point));
        auto *lat = form->findChild<QLineEdit *>(latField.arg(point));
        QVERIFY(box && lon && lat);
        QVERIFY(lon->isVisibleTo(form));
        QVERIFY(lat->isVisibleTo(form));
        QCOMPARE(lon->mapTo(box, QPoint(0, 0)), decimalLon->pos());
        QCOMPARE(lat->mapTo(box, QPoint(0, 0)), decimalLat->pos());
        int shownEdits = 0;
        for (QWidget *child : box->findChildren<QWidget *>()) {
            if (!child->isVisibleTo(form))
                continue;
            const QRect inBox(child->mapTo(box, QPoint(0, 0)), child->size());
            QVERIFY2(box->rect().contains(inBox), qPrintable(child->objectName()));
            if (qobject_cast<QLineEdit *>(child))
                ++shownEdits;
        }
        // Pixels x and y, then 2, 4, 6, 4 (zone, band, easting, northing) or 2 edits.
        const int geographic[5] = {2, 4, 6, 4, 2};
        QCOMPARE(shownEdits, 2 + geographic[notation]);
        QVERIFY(form->frmMain->rect().contains(QRect(box->pos(), box->size())));
    }
    QTEST(form->lblLon1->text(), "lonCaption");
    QTEST(form->lblLat2->text(), "latCaption");
}

void TestPointsForm::utmFieldsEmptyWithoutLongitude()
{
    FormWindow w;
    CPointsForm *form = w.form;
    type(form->edLat1, QStringLiteral("22.5"));
    QVERIFY(w.layer()->topLeftLatSet);
    QVERIFY(!w.layer()->topLeftLonSet);
    w.window.notationSelector->setCurrentIndex(3);
    QCOMPARE(form->edUTMX1->text() + form->edUTMY1->text() + form->edUTMZ1->text(), QString());
    // The longitude, entered nowhere, is taken as 0 for the grid, not as its -180° default.
    const FormattedPosition shown = formatPosition(kGridUtm, kWgs84DatumIndex, 0, GeoPosition{22.5, 0.0, 0.0});
    QCOMPARE(form->edLat1->text(), shown.latOrNorthingText);
    QVERIFY(form->edLat2->text().isEmpty());

    // With the longitude entered the easting text is split into its three edits.
    w.window.notationSelector->setCurrentIndex(0);
    type(form->edLon1, QStringLiteral("113.5"));
    w.window.notationSelector->setCurrentIndex(3);
    QCOMPARE(form->edUTMX1->text(), QStringLiteral("49"));
    QCOMPARE(form->edUTMY1->text(), QStringLiteral("Q"));
    const FormattedPosition both = formatPosition(kGridUtm, kWgs84DatumIndex, 0, GeoPosition{22.5, 113.5, 0.0});
    QVERIFY(both.lonOrEastingText.endsWith(QLatin1Char(' ') + form->edUTMZ1->text()));
}

void TestPointsForm::tmCombosReturnToEastNorth()
{
    FormWindow w;
    CPointsForm *form = w.form;
    typeAll({form->edLon1, form->edLat1}, {"121.5", "23"});
    w.window.notationSelector->setCurrentIndex(4);
    const FormattedPosition shown = formatPosition(kGridTm, kWgs84DatumIndex, 0, GeoPosition{23.0, 121.5, 0.0});
    QCOMPARE(form->edTMX1->text(), shown.lonOrEastingText.chopped(1).trimmed());
    QCOMPARE(form->edTMY1->text(), shown.latOrNorthingText.chopped(1).trimmed());
    const int lonBefore = w.layer()->topLeft.lon;
    for (QComboBox *combo : {form->cmbTMZ1, form->cmbTMZ2, form->cmbTMZ3, form->cmbTMZ4})
        combo->setCurrentIndex(1);
    // The combos are not part of the position: the point stays where it was (to the
    // metre of the texts).
    QVERIFY(qAbs(w.layer()->topLeft.lon - lonBefore) < 100);
    form->refreshFromLayer();
    QCOMPARE(form->cmbTMZ1->currentText() + form->cmbTMZ2->currentText() + form->cmbTMZ3->currentText()
                 + form->cmbTMZ4->currentText(),
             QStringLiteral("ENEN"));
    // Bottom-right never entered: empty edits.
    QVERIFY(form->edTMX2->text().isEmpty());
}

void TestPointsForm::latitudeUpdatesScaleLongitudeDoesNot()
{
    FormWindow w;
    CPointsForm *form = w.form;
    QTableWidgetItem *scale = w.window.layerTable->item(0, 1);
    w.window.project.setBottomRightLat(0, 22.0);
    QCOMPARE(scale->text(), QStringLiteral("1:---"));
    // Half a degree over 800 pixels: 1800000 / 800 = 2250 ms per pixel.
    type(form->edLat1, QStringLiteral("22.5"));
    QCOMPARE(scale->text(), QStringLiteral("1:2250"));

    w.window.project.setBottomRightLat(0, 21.0);
    type(form->edLon1, QStringLiteral("113"));
    QCOMPARE(scale->text(), QStringLiteral("1:2250"));
    QCOMPARE(w.layer()->scale, 2250.0);
    type(form->edLat1, QStringLiteral("22.25"));
    // 1.25 degrees over 800 pixels.
    QCOMPARE(scale->text(), QStringLiteral("1:5625"));
}

void TestPointsForm::typedLatitudeStored_data()
{
    QTest::addColumn<int>("notation");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<int>("stored");  // milliarcseconds
    QTest::addColumn<QStringList>("shown");  // after a refresh; empty: not checked
    QTest::newRow("度分 22 30") << 1 << QStringList{"22", "30"} << 81000000 << QStringList{"22", "30.0000000"};
    // Truncated to whole milliarcseconds, never rounded up.
    QTest::newRow("度 10.0000001 truncates") << 0 << QStringList{"10.0000001"} << 36000000 << QStringList();
    // 35°40'15.5" sums to 128415499.99999999 milliarcseconds in doubles.
    QTest::newRow("度分秒 35 40 15.5 stays whole") << 2 << QStringList{"35", "40", "15.5"} << 128415500
                                                << QStringList{"35", "40", "15.50000"};
    QTest::newRow("度分 -0 30 is south") << 1 << QStringList{"-0", "30"} << -1800000
                                      << QStringList{"-0", "30.0000000"};
    QTest::newRow("度分 lone minus 30 is south") << 1 << QStringList{"-", "30"} << -1800000
                                              << QStringList{"-0", "30.0000000"};
    QTest::newRow("度分秒 -0 30 is south") << 2 << QStringList{"-0", "30"} << -1800000
                                        << QStringList{"-0", "30", "0.00000"};
}

void TestPointsForm::typedLatitudeStored()
{
    QFETCH(int, notation);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, shown);
    FormWindow w;
    CPointsForm *form = w.form;
    w.window.notationSelector->setCurrentIndex(notation);
    const QList<QLineEdit *> fields = notation == 0   ? QList<QLineEdit *>{form->edLat1}
                                      : notation == 1 ? QList<QLineEdit *>{form->edLat1X1, form->edLat1Y1}
                                                      : QList<QLineEdit *>{form->edLat1X2, form->edLat1Y2,
                                                                           form->edLat1Z2};
    typeAll(fields, typed);
    QTEST(w.layer()->topLeft.lat, "stored");
    if (shown.isEmpty())
        return;
    form->refreshFromLayer();
    QStringList texts;
    for (QLineEdit *field : fields)
        texts << field->text();
    QCOMPARE(texts, shown);
}

void TestPointsForm::datumRoundTrip_data()
{
    QTest::addColumn<int>("datum");
    QTest::addColumn<bool>("latitudeFirst");
    QTest::addColumn<bool>("shifted");
    QTest::newRow("Tokyo, longitude first") << kTokyoJapan << false << true;
    QTest::newRow("Tokyo, latitude first") << kTokyoJapan << true << true;
    QTest::newRow("WGS 1972, shown unshifted") << kWgs72DatumIndex << false << false;
    QTest::newRow("WGS 1984") << kWgs84DatumIndex << true << false;
}

// A position typed on a datum reads back as typed after a refresh, on the same datum.
void TestPointsForm::datumRoundTrip()
{
    QFETCH(int, datum);
    QFETCH(bool, latitudeFirst);
    QFETCH(bool, shifted);
    FormWindow w;
    CPointsForm *form = w.form;
    w.window.datumSelector->setCurrentIndex(datum);
    w.window.notationSelector->setCurrentIndex(2);
    const double lon = 139.0 + 45.0 / 60.0 + 30.0 / 3600.0;
    const double lat = 35.0 + 40.0 / 60.0 + 15.0 / 3600.0;
    const auto typeLon = [&] { typeAll({form->edLon1X2, form->edLon1Y2, form->edLon1Z2}, {"139", "45", "30"}); };
    const auto typeLat = [&] { typeAll({form->edLat1X2, form->edLat1Y2, form->edLat1Z2}, {"35", "40", "15"}); };
    latitudeFirst ? (typeLat(), typeLon()) : (typeLon(), typeLat());
    form->refreshFromLayer();
    const double lonBack = degreesFromFieldTexts(form->edLon1X2->text(), form->edLon1Y2->text(), form->edLon1Z2->text());
    const double latBack = degreesFromFieldTexts(form->edLat1X2->text(), form->edLat1Y2->text(), form->edLat1Z2->text());
    QVERIFY2(qAbs(lonBack - lon) < kMas, qPrintable(form->edLon1Z2->text()));
    QVERIFY2(qAbs(latBack - lat) < kMas, qPrintable(form->edLat1Z2->text()));
    // Tokyo lies some 10" of latitude and longitude away from WGS 84 there.
    const double storedLat = w.layer()->topLeft.lat / 3600000.0;
    const double storedLon = w.layer()->topLeft.lon / 3600000.0;
    if (shifted) {
        QVERIFY(qAbs(storedLat - lat) > 5.0 / 3600.0);
        QVERIFY(qAbs(storedLon - lon) > 5.0 / 3600.0);
    } else {
        QCOMPARE(w.layer()->topLeft.lat, 128415000);
        QCOMPARE(w.layer()->topLeft.lon, 503130000);
    }
    QVERIFY(w.layer()->topLeftLatSet && w.layer()->topLeftLonSet);
    QVERIFY(!w.layer()->bottomRightLatSet && !w.layer()->bottomRightLonSet);
}

// Typing one coordinate again and again never walks the other one away, and a
// latitude passing through the pole does not lose the longitude.
void TestPointsForm::datumPartnerStaysPut()
{
    FormWindow w;
    CPointsForm *form = w.form;
    w.window.datumSelector->setCurrentIndex(kTokyoJapan);
    type(form->edLon2, QStringLiteral("139.5"));
    type(form->edLat2, QStringLiteral("35.25"));
    const qint32 lat = w.layer()->bottomRight.lat;
    for (int i = 0; i < 20; ++i)
        type(form->edLon2, i % 2 ? QStringLiteral("139.5") : QStringLiteral("-170.125"));
    QCOMPARE(w.layer()->bottomRight.lat, lat);

    type(form->edLat2, QStringLiteral("90"));
    type(form->edLat2, QStringLiteral("35.25"));
    form->refreshFromLayer();
    QVERIFY2(qAbs(form->edLon2->text().toDouble() - 139.5) < kMas, qPrintable(form->edLon2->text()));
    QVERIFY2(qAbs(form->edLat2->text().toDouble() - 35.25) < kMas, qPrintable(form->edLat2->text()));
}

void TestPointsForm::utmSouthernNorthing()
{
    FormWindow w;
    CPointsForm *form = w.form;
    w.window.notationSelector->setCurrentIndex(3);
    // About 3 km south of the equator: northing 10000000 less the distance.
    typeAll({form->edUTMX1, form->edUTMY1, form->edUTMZ1, form->edLat1}, {"50", "M", "500000", "9996700"});
    QVERIFY(form->lblHint->text().isEmpty());
    const double lat = w.layer()->topLeft.lat / 3600000.0;
    QVERIFY2(lat < -0.02 && lat > -0.04, qPrintable(QString::number(lat)));
    QVERIFY(qAbs(w.layer()->topLeft.lon / 3600000.0 - 117.0) < 1e-6);

    // Reads back as typed.
    form->refreshFromLayer();
    QCOMPARE(form->edLat1->text(), QStringLiteral("9996700"));
    QCOMPARE(form->edUTMZ1->text(), QStringLiteral("500000"));
    QCOMPARE(form->edUTMY1->text(), QStringLiteral("M"));
}

void TestPointsForm::tmRoundTrip()
{
    FormWindow w;
    CPointsForm *form = w.form;
    w.window.datumSelector->setCurrentIndex(kTokyoJapan);
    w.window.notationSelector->setCurrentIndex(4);
    typeAll({form->edTMX2, form->edTMY2}, {"100000", "2500000"});
    form->refreshFromLayer();
    QCOMPARE(form->edTMX2->text(), QStringLiteral("100000"));
    QCOMPARE(form->edTMY2->text(), QStringLiteral("2500000"));
    // 150 km west of the false easting: about 1.5° west of 121° E.
    const double lon = w.layer()->bottomRight.lon / 3600000.0;
    QVERIFY2(lon > 119.3 && lon < 119.7, qPrintable(QString::number(lon)));
}

void TestPointsForm::guardsWithoutCurrentLayer()
{
    WindowFixture fixture;
    Mapvane2 window;
    CPointsForm *form = window.pointsForm;
    for (int notation = 0; notation < 5; ++notation) {
        form->showNotation(notation);
        form->refreshFromLayer();
        form->updateValidators();
        for (QLineEdit *edit : form->findChildren<QLineEdit *>()) {
            edit->setText(QStringLiteral("5"));
            emit edit->textEdited(edit->text());
        }
    }
    QVERIFY(window.project.layers.isEmpty());
    QCOMPARE(window.project.changeFlags, quint8(0));

    // A current layer past the end of the project is no layer either.
    WindowFixture::startProject(window);
    window.currentLayer = 3;
    form->showNotation(0);
    form->edLat1->setText(QStringLiteral("12"));
    emit form->edLat1->textEdited(form->edLat1->text());
    QCOMPARE(window.project.layers.size(), 0);
}

void TestPointsForm::browseModeKeepsValidators()
{
    FormWindow w;
    CPointsForm *form = w.form;
    w.window.project.setBottomRightX(0, 500);
    w.window.browseMode = true;
    form->updateValidators();
    QCOMPARE(rangeOf(form->edX1), QPoint(0, 999));
    w.window.browseMode = false;
    form->updateValidators();
    QCOMPARE(rangeOf(form->edX1), QPoint(0, 499));
}

void TestPointsForm::validatorsAreReused()
{
    FormWindow w;
    CPointsForm *form = w.form;
    const int children = int(form->findChildren<QObject *>().size());
    const QValidator *northingBefore = form->edLat1->validator();
    for (int i = 0; i < 2000; ++i) {
        w.window.notationSelector->setCurrentIndex(i % 5);
        form->updateValidators();
        emit form->edX1->textEdited(QString::number(i % 900));
    }
    QCOMPARE(int(form->findChildren<QObject *>().size()), children);
    w.window.notationSelector->setCurrentIndex(0);
    QCOMPARE(form->edLat1->validator(), northingBefore);
}

QTEST_MAIN(TestPointsForm)
#include "tst_points_form.moc"
