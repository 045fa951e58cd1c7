#include "common/window_fixture.h"
#include "ui/calibration_form_values.h"

namespace {

constexpr double kMas = 1.0 / 3600000.0;  // one milliarcsecond in degrees

// A project window with one 1000 x 800 image layer, current.
struct FormWindow : ProjectWindow
{
    FormWindow() { fixture.addLayer(window, 1000, 800); }
    MapLayer &layer() const { return *window.project.layers.at(window.currentLayer); }
    QLineEdit *edit(const QString &name) const { return form->findChild<QLineEdit *>(name); }
    CalibrationForm *form = window.calibrationForm;
};

}  // namespace

// The calibration form: every field reaches its own coordinate of its own point, the
// validators follow the layer and the other fields keystroke by keystroke, and
// positions typed on a datum read back as typed.
class TestCalibrationForm : public QObject
{
    Q_OBJECT
private slots:
    void fieldsReachTheirPoint_data();
    void fieldsReachTheirPoint();
    void keystrokes_data();
    void keystrokes();
    void datumReadsBackAsTyped_data();
    void datumReadsBackAsTyped();
    void angleTextsCarry();
};

void TestCalibrationForm::fieldsReachTheirPoint_data()
{
    QTest::addColumn<int>("notation");
    QTest::addColumn<QStringList>("fields");  // object names, %1 the point
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("point");
    QTest::addColumn<int>("last");  // the field typed, after the others were filled in; past them a side combo
    QTest::addColumn<QList<int>>("changed");  // of the point: 0 x, 1 y, 2 longitude, 3 latitude
    const auto group = [](const char *name, int notation, const QStringList &fields, const QStringList &texts,
                          const QList<int> &changed) {
        for (int point : {1, 2}) {
            for (int last = 0; last < fields.size() + (notation == 4 ? 2 : 0); ++last)
                QTest::addRow("%s, %s", name, qPrintable(last < fields.size() ? fields[last].arg(point)
                                                         : QStringLiteral("cmbTMZ%1").arg(2 * point - 3 + last)))
                    << notation << fields << texts << point << last << changed;
        }
    };
    group("x", 0, {"edX%1"}, {"500"}, {0});
    group("y", 0, {"edY%1"}, {"400"}, {1});
    group("度 longitude", 0, {"edLon%1"}, {"35.5"}, {2});
    group("度 latitude", 0, {"edLat%1"}, {"35.5"}, {3});
    group("度分 longitude", 1, {"edLon%1X1", "edLon%1Y1"}, {"-0", "40.25"}, {2});
    group("度分 latitude", 1, {"edLat%1X1", "edLat%1Y1"}, {"35", "40.25"}, {3});
    // West of Greenwich with 0 degrees, and 35°40'15.5", which sums to just below
    // 128415500 milliarcseconds in doubles.
    group("度分秒 longitude", 2, {"edLon%1X2", "edLon%1Y2", "edLon%1Z2"}, {"-0", "40", "15.5"}, {2});
    group("度分秒 latitude", 2, {"edLat%1X2", "edLat%1Y2", "edLat%1Z2"}, {"35", "40", "15.5"}, {3});
    group("UTM", 3, {"edUTMX%1", "edUTMY%1", "edUTMZ%1", "edLat%1"}, {"50", "Q", "500000", "2500000"}, {2, 3});
    group("TM", 4, {"edTMX%1", "edTMY%1"}, {"250000", "2500000"}, {2, 3});
}

void TestCalibrationForm::fieldsReachTheirPoint()
{
    QFETCH(int, notation);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, texts);
    QFETCH(int, point);
    QFETCH(int, last);
    QFETCH(QList<int>, changed);
    FormWindow w;
    w.window.notationSelector->setCurrentIndex(notation);
    // The notation's own edits are shown, and no others.
    const QList<QLineEdit *> edits = w.form->findChildren<QLineEdit *>();
    QCOMPARE(std::count_if(edits.cbegin(), edits.cend(), [&](auto edit) { return edit->isVisibleTo(w.form); }),
             std::ptrdiff_t(QList<int>{8, 12, 16, 12, 8}.at(notation)));
    const fixtures::Calibration before = fixtures::calibrationOf(w.layer());
    for (int i = 0; i < fields.size(); ++i) {
        QVERIFY(w.edit(fields[i].arg(point))->isVisibleTo(w.form));
        w.edit(fields[i].arg(point))->setText(texts[i]);
    }
    const auto combo = [&](int side) {
        return w.form->findChild<QComboBox *>(QStringLiteral("cmbTMZ%1").arg(2 * point - 1 + side));
    };
    if (last < fields.size())
        typeInto(w.form, fields[last].arg(point) + QLatin1Char('=') + texts[last]);
    else
        combo(last - int(fields.size()))->setCurrentIndex(1);

    // Only the coordinates of the field change, and emptied and refreshed from the layer
    // the fields read back as typed.
    const fixtures::Calibration after = fixtures::calibrationOf(w.layer());
    for (int i = 0; i < after.size(); ++i)
        QVERIFY2((after[i] != before[i]) == (i / 4 == point - 1 && changed.contains(i % 4)), qPrintable(QString::number(i)));
    for (const QString &field : fields)
        w.edit(field.arg(point))->clear();
    w.form->refreshFromLayer();
    const auto asTyped = [](const QString &text) { return QString::number(text.toDouble(), 'f', 5) + text.left(1); };
    for (int i = 0; i < fields.size(); ++i)
        QCOMPARE(asTyped(w.edit(fields[i].arg(point))->text()), asTyped(texts[i]));
    if (last >= fields.size())
        QCOMPARE(combo(0)->currentText() + combo(1)->currentText(), QStringLiteral("EN"));
}

void TestCalibrationForm::keystrokes_data()
{
    QTest::addColumn<int>("notation");
    QTest::addColumn<QString>("typed");  // field=text, in order
    QTest::addColumn<QString>("shown");  // the last field's text
    QTest::addColumn<bool>("refused");   // the hint says so
    QTest::newRow("a letter in a pixel") << 0 << "edX1=1a" << "1" << true;
    QTest::newRow("a letter in degrees") << 0 << "edLon2=1a" << "1" << true;
    QTest::newRow("a group separator; the next digit clears the hint") << 0 << "edX2=1,0" << "10" << false;
    QTest::newRow("top-left x stays left of bottom-right x") << 0 << "edX2=600 edX1=600" << "60" << true;
    QTest::newRow("bottom-right y stays in the image") << 0 << "edY2=801" << "80" << true;
    QTest::newRow("度 latitude stops at -90") << 0 << "edLat1=-90.5" << "-90." << true;
    QTest::newRow("度分 180° leaves no minutes") << 1 << "edLon1X1=180 edLon1Y1=3" << "" << true;
    QTest::newRow("度分 minutes keep the degrees within 179") << 1 << "edLon2Y1=30 edLon2X1=180" << "18" << true;
    QTest::newRow("度分秒 minutes stop at 59") << 2 << "edLat1Y2=60" << "6" << true;
    QTest::newRow("度分秒 90° south leaves no seconds") << 2 << "edLat2X2=-90 edLat2Z2=0.5" << "0." << true;
    QTest::newRow("UTM zones stop at 60") << 3 << "edUTMX1=61" << "6" << true;
    QTest::newRow("UTM bands have no I, no hint") << 3 << "edUTMY2=I" << "" << false;
    QTest::newRow("UTM northing south of the equator") << 3 << "edLat1=9999999" << "9999999" << false;
    QTest::newRow("TM easting 6° west on the widest ellipsoid") << 4 << "edTMX1=-419000" << "-419000" << false;
    QTest::newRow("TM easting past 6° east") << 4 << "edTMX2=930000" << "93000" << true;
}

void TestCalibrationForm::keystrokes()
{
    QFETCH(int, notation);
    QFETCH(QString, typed);
    QFETCH(bool, refused);
    FormWindow w;
    w.window.notationSelector->setCurrentIndex(notation);
    QTEST(typeInto(w.form, typed)->text(), "shown");
    QCOMPARE(w.form->hintLabel->text(), refused ? QString::fromUtf8("输入无效或超出范围") : QString());
}

void TestCalibrationForm::datumReadsBackAsTyped_data()
{
    QTest::addColumn<QString>("datum");
    QTest::addColumn<QString>("typed");  // ends at 139.5° E, 35.25° N
    QTest::addColumn<bool>("shifted");   // stored on WGS 84 some 10" away from the typed position
    const QString position = QStringLiteral("edLon1=139.5 edLat1=35.25");
    QTest::newRow("Tokyo, longitude typed again and again")
        << "Tokyo-Japan" << position + QStringLiteral(" edLon1=-170.125 edLon1=139.5").repeated(10) << true;
    QTest::newRow("Tokyo, latitude through the pole") << "Tokyo-Japan" << position + " edLat1=90 edLat1=35.25" << true;
    QTest::newRow("WGS 1972, never shifted") << "WGS 1972" << position << false;
}

void TestCalibrationForm::datumReadsBackAsTyped()
{
    QFETCH(QString, datum);
    QFETCH(QString, typed);
    FormWindow w;
    w.window.datumSelector->setCurrentIndex(w.window.datumSelector->findText(datum));
    QCOMPARE(w.window.datumSelector->currentText(), datum);
    typeInto(w.form, typed);
    w.form->refreshFromLayer();
    QVERIFY2(qAbs(w.form->edLon1->text().toDouble() - 139.5) < kMas, qPrintable(w.form->edLon1->text()));
    QVERIFY2(qAbs(w.form->edLat1->text().toDouble() - 35.25) < kMas, qPrintable(w.form->edLat1->text()));
    QTEST(qAbs(w.layer().topLeft.lat * kMas - 35.25) > 5.0 / 3600.0, "shifted");
    QTEST(qAbs(w.layer().topLeft.lon * kMas - 139.5) > 5.0 / 3600.0, "shifted");
}

// Just below a whole degree the printed minutes and seconds would read 60.
void TestCalibrationForm::angleTextsCarry()
{
    const AngleFieldTexts dm = degreeMinuteTexts(22.99999999999);
    const AngleFieldTexts dms = degreeMinuteSecondTexts(22.99999999999);
    QCOMPARE(QStringList({dm.degrees, dm.minutes, dms.degrees, dms.minutes, dms.seconds}),
             QStringList({"23", "0.0000000", "23", "0", "0.00000"}));
    // A lone minus, typed before the degrees, already makes the angle south or west.
    QCOMPARE(degreesFromFieldTexts(QStringLiteral("-"), QStringLiteral("30")), -0.5);
}

QTEST_MAIN(TestCalibrationForm)
#include "tst_calibration_form.moc"
