#include <QDockWidget>
#include <QStyleOptionFrame>

#include "common/window_fixture.h"
#include "geo/datum_table.h"
#include "geo/position_parse.h"
#include "settings/language_settings.h"
#include "ui/calibration_form_values.h"

namespace {

constexpr double kMas = 1.0 / 3600000.0;  // one milliarcsecond in degrees

// A project window with one 1000 x 800 image layer, current.
struct FormWindow : ProjectWindow
{
    FormWindow() { fixture.addLayer(window, 1000, 800); }
    MapLayer &layer() const { return *window.project().layers.at(window.currentLayer()); }
    QLineEdit *edit(const QString &name) const { return form->findChild<QLineEdit *>(name); }
    CalibrationForm *form = formOf(window);
};

}  // namespace

// The calibration form: every field reaches its own coordinate of its own point, what
// is typed key by key is stored or marked, positions typed on a datum read back as
// typed, a refused save names the field, and nothing is clipped.
class TestCalibrationForm : public QObject
{
    Q_OBJECT
private slots:
    void fieldsReachTheirPoint_data();
    void fieldsReachTheirPoint();
    void keystrokes_data();
    void keystrokes();
    void hintNamesItsField_data();
    void hintNamesItsField();
    void datumReadsBackAsTyped_data();
    void datumReadsBackAsTyped();
    void saveNamesTheField_data();
    void saveNamesTheField();
    void shownNeverBlocksASave_data();
    void shownNeverBlocksASave();
    void nothingClipped_data();
    void nothingClipped();
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
    part<QComboBox>(w.window, "notationSelector")->setCurrentIndex(notation);
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
    QTest::addColumn<QString>("typed");  // field=text, in order, key by key
    QTest::addColumn<QString>("shown");  // the last field's text
    QTest::addColumn<int>("value");      // of the last field, fixtures::calibrationOf
    QTest::addColumn<double>("stored");  // degrees or pixels; NaN: not entered
    QTest::addColumn<bool>("marked");    // the field shows that the layer does not hold its text
    const double none = qQNaN();
    QTest::newRow("a comma separates decimals") << 0 << "edLon1=12,5" << "12,5" << 2 << 12.5 << false;
    QTest::newRow("no digit before the point") << 0 << "edLat2=-.5" << "-.5" << 7 << -0.5 << false;
    QTest::newRow("a point first") << 0 << "edLon2=.75" << ".75" << 6 << 0.75 << false;
    QTest::newRow("1e3 degrees are out of range") << 0 << "edLon1=1e3" << "1e3" << 2 << none << true;
    QTest::newRow("1e3 pixels on a 1000 pixel image") << 0 << "edX2=1e3" << "1e3" << 4 << 1000.0 << false;
    QTest::newRow("a pixel keeps its last whole value") << 0 << "edX1=12,5" << "12,5" << 0 << 12.0 << true;
    QTest::newRow("a letter is refused") << 0 << "edY1=1a" << "1" << 1 << 1.0 << false;
    QTest::newRow("top-left x stays left of bottom-right x") << 0 << "edX1=1000" << "1000" << 0 << 100.0 << true;
    QTest::newRow("a lone minus is no latitude yet") << 0 << "edLat1=-" << "-" << 3 << none << true;
    QTest::newRow("度 latitude stops at -90") << 0 << "edLat1=-90.5" << "-90.5" << 3 << none << true;
    QTest::newRow("度分 decimal comma in the minutes")
        << 1 << "edLat1X1=45 edLat1Y1=12,5" << "12,5" << 3 << 45.0 + 12.5 / 60 << false;
    QTest::newRow("度分 180° leaves no minutes") << 1 << "edLon1X1=180 edLon1Y1=3" << "3" << 2 << none << true;
    QTest::newRow("度分秒 seconds from a point")
        << 2 << "edLon2X2=-10 edLon2Z2=.75" << ".75" << 6 << -10.0 - 0.75 / 3600 << false;
    QTest::newRow("度分秒 1e3 seconds") << 2 << "edLat2X2=10 edLat2Z2=1e3" << "1e3" << 7 << none << true;
    QTest::newRow("UTM in exponents, on the central meridian")
        << 3 << "edUTMX1=50 edUTMY1=Q edLat1=25e5 edUTMZ1=5e5" << "5e5" << 2 << 117.0 << false;
    QTest::newRow("UTM northing without a zone") << 3 << "edLat2=2500000" << "2500000" << 7 << none << false;
    QTest::newRow("TM easting past 6° east") << 4 << "edTMY1=2500000 edTMX1=930000" << "930000" << 2 << none << true;
    // Kept as typed, never merged into 12.53 by a refused separator.
    QTest::newRow("a second separator") << 0 << "edLon1=12.5.3" << "12.5.3" << 2 << none << true;
    QTest::newRow("度分 two commas") << 1 << "edLat2X1=1 edLat2Y1=1,,5" << "1,,5" << 7 << none << true;
}

void TestCalibrationForm::hintNamesItsField_data()
{
    QTest::addColumn<int>("notation");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("hint");
    QTest::newRow("UTM zone") << 3 << "edUTMX1=61" << "左上 UTM 区号: 超出范围 (1 … 60)";
    QTest::newRow("UTM easting") << 3 << "edUTMZ2=99999.5" << "右下 横坐标: 超出范围 (100000 … 900000)";
    QTest::newRow("minutes") << 1 << "edLon1Y1=75" << "左上 经度 分: 超出范围 (0 … 59.99999999)";
    QTest::newRow("a second separator") << 0 << "edLat1=12.5.3" << "左上 纬度: 不是数字";
    QTest::newRow("a pixel with decimals") << 0 << "edX1=12,5" << "左上 X1: 须为整数";
    QTest::newRow("a lone minus") << 2 << "edLat2X2=-" << "右下 纬度 度: 数字不完整";
}

// The hint names the very field typed in, and why its text is not stored.
void TestCalibrationForm::hintNamesItsField()
{
    QFETCH(int, notation);
    QFETCH(QString, typed);
    FormWindow w;
    part<QComboBox>(w.window, "notationSelector")->setCurrentIndex(notation);
    typeInto(w.form, typed);
    QTEST(w.form->hintLabel->text(), "hint");
}

// Typed key by key, every text stays as typed unless refused, and the layer holds it,
// or the field is marked and says why in the hint.
void TestCalibrationForm::keystrokes()
{
    QFETCH(int, notation);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, value);
    QFETCH(double, stored);
    FormWindow w;
    part<QComboBox>(w.window, "notationSelector")->setCurrentIndex(notation);
    QLineEdit *last = typeInto(w.form, typed);
    QCOMPARE(last->text(), shown);
    const MapLayer &layer = w.layer();
    const QList<bool> entered = {true, true, layer.topLeftLonSet, layer.topLeftLatSet,
                                 true, true, layer.bottomRightLonSet, layer.bottomRightLatSet};
    QCOMPARE(entered[value], !qIsNaN(stored));
    const double unit = value % 4 < 2 ? 1.0 : kMas;  // pixels, or milliarcseconds in degrees
    if (entered[value])
        QVERIFY2(qAbs(fixtures::calibrationOf(layer)[value] * unit - stored) <= kMas, qPrintable(QString::number(stored)));
    QTEST(w.form->isMarked(last), "marked");
    const QList<QLineEdit *> edits = w.form->findChildren<QLineEdit *>();
    const bool anyMarked = std::any_of(edits.cbegin(), edits.cend(), [&](auto edit) { return w.form->isMarked(edit); });
    if (!typed.endsWith(shown))
        QCOMPARE(w.form->hintLabel->text(), QString::fromUtf8("输入无效或超出范围"));
    else
        QCOMPARE(w.form->hintLabel->text().isEmpty(), !anyMarked);
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
    part<QComboBox>(w.window, "datumSelector")->setCurrentIndex(part<QComboBox>(w.window, "datumSelector")->findText(datum));
    QCOMPARE(part<QComboBox>(w.window, "datumSelector")->currentText(), datum);
    typeInto(w.form, typed);
    w.form->refreshFromLayer();
    QVERIFY2(qAbs(w.form->edLon1->text().toDouble() - 139.5) < kMas, qPrintable(w.form->edLon1->text()));
    QVERIFY2(qAbs(w.form->edLat1->text().toDouble() - 35.25) < kMas, qPrintable(w.form->edLat1->text()));
    QTEST(qAbs(w.layer().topLeft.lat * kMas - 35.25) > 5.0 / 3600.0, "shifted");
    QTEST(qAbs(w.layer().topLeft.lon * kMas - 139.5) > 5.0 / 3600.0, "shifted");
    // Another datum shows at once.
    part<QComboBox>(w.window, "datumSelector")->setCurrentIndex(kWgs84DatumIndex);
    QVERIFY2(qAbs(w.form->edLon1->text().toDouble() - w.layer().topLeft.lon * kMas) < kMas,
             qPrintable(w.form->edLon1->text()));
}

void TestCalibrationForm::saveNamesTheField_data()
{
    QTest::addColumn<int>("uncalibrated");  // the layer left as added, or -1
    QTest::addColumn<QString>("typed");     // into 层1 after calibrating
    QTest::addColumn<QString>("detail");    // the message's second line, which names the layer shown
    QTest::newRow("another layer") << 0 << "" << "层0: 左上 经度 未输入";
    QTest::newRow("the layer typed in before the others") << 0 << "edLat2=-" << "层1: 右下 纬度 输入无效或超出范围";
    QTest::newRow("typed out of range") << -1 << "edLon1=1e3" << "层1: 左上 经度 输入无效或超出范围";
    QTest::newRow("a pixel not whole") << -1 << "edY2=7,5" << "层1: 右下 Y2 输入无效或超出范围";
    QTest::newRow("points in the wrong order") << -1 << "edLon2=9" << "层1: 右下 经度 须大于 左上 经度";
    QTest::newRow("a grid position missing a part") << -1 << "edUTMX1=" << "层1: 左上 UTM 区号 未输入";
}

// A refused save names the layer and the field, shows the layer and leaves what was
// typed in place.
void TestCalibrationForm::saveNamesTheField()
{
    QFETCH(int, uncalibrated);
    QFETCH(QString, typed);
    QFETCH(QString, detail);
    FormWindow w;
    w.fixture.addLayer(w.window, 30, 20);
    for (int layer : {0, 1}) {
        if (layer != uncalibrated)
            WindowFixture::calibrate(w.window.project(), layer);
    }
    part<QComboBox>(w.window, "notationSelector")->setCurrentIndex(typed.startsWith(QLatin1String("edUTM")) ? 3 : 0);
    w.window.selectLayerRow(1);  // 层1, then sorted by its new scale
    if (!typed.isEmpty()) {
        QLineEdit *edit = typeInto(w.form, typed);
        if (typed.endsWith(QLatin1Char('=')))
            QTest::keyClick(edit, Qt::Key_Backspace);
    }
    w.window.dialogs().saveFile = [](auto...) { return QString(); };
    ModalAnswer answer;
    action(w.window, "actionSave")->trigger();
    QCOMPARE(answer.texts, QStringList(QString::fromUtf8("输入数据无效或不完整\n") + detail));
    QCOMPARE(layerTableOf(w.window)->item(w.window.currentLayer(), 0)->text(), detail.section(':', 0, 0));
    if (!typed.isEmpty()) {
        const QString shown = w.form->findChild<QLineEdit *>(typed.section('=', 0, 0))->text();
        QCOMPARE(numberFromText(shown), numberFromText(typed.section('=', 1)));
    }
}

void TestCalibrationForm::shownNeverBlocksASave_data()
{
    QTest::addColumn<int>("notation");
    QTest::addColumn<QString>("typed");       // into the top-left point, after selecting the notation
    QTest::addColumn<QLineF>("corners");      // top-left and bottom-right longitude, latitude
    const char *names[] = {"度", "度分", "度分秒", "UTM", "TM"};
    for (int notation = 0; notation < 5; ++notation)
        QTest::addRow("calibrated in 度, shown in %s", names[notation])
            << notation << QString() << QLineF(10, 46, 11, 45);
    // Near 9° E, 46.5° N; half a metre of easting is some 23 milliarcseconds.
    QTest::newRow("UTM in decimal metres, comma and point")
        << 3 << "edUTMX1=32 edUTMY1=T edUTMZ1=500000,5 edLat1=5152640.25" << QLineF(10, 46, 11, 45);
    QTest::newRow("TM in decimal metres") << 4 << "edTMX1=250000.5 edTMY1=2500000,25" << QLineF(120, 24, 122, 22);
}

// A calibration saves whatever notation shows it. At 10° to 11° E the TM grid (at
// 121° E) cannot express the points: their TM fields are filled read-only, unmarked,
// with a note. Metres typed with decimals are stored with them.
void TestCalibrationForm::shownNeverBlocksASave()
{
    QFETCH(int, notation);
    QFETCH(QString, typed);
    QFETCH(QLineF, corners);
    FormWindow w;
    w.window.project().enterCalibration(0, {QPoint(0, 0), corners.x1(), corners.y1(), QPoint(1000, 800), corners.x2(),
                                          corners.y2()});
    w.window.selectLayerRow(0);
    part<QComboBox>(w.window, "notationSelector")->setCurrentIndex(notation);
    if (notation == 4 && typed.isEmpty()) {
        for (QLineEdit *edit : {w.form->edTMX1, w.form->edTMY2})
            QVERIFY(edit->isReadOnly() && !edit->text().isEmpty() && !w.form->isMarked(edit));
        QVERIFY(!w.form->cmbTMZ1->isEnabled());
        QCOMPARE(w.form->hintLabel->text(), QString::fromUtf8("左上, 右下:超出 TM 的范围,只读显示"));
    }
    if (!typed.isEmpty()) {
        typeInto(w.form, typed);
        // The typed metres as the core reads them.
        const QStringList parts = typed.split(QLatin1Char(' '));
        const auto text = [&](int i) { return parts[i].section('=', 1).replace(',', '.'); };
        GeoPosition expected;
        QString error;
        QVERIFY(notation == 3 ? readGridPosition(kGridUtm, kWgs84DatumIndex, text(0) + " " + text(1) + " " + text(2),
                                                 text(3), &expected, &error)
                              : readGridPosition(kGridTm, kWgs84DatumIndex, text(0), text(1), &expected, &error));
        QVERIFY(qAbs(w.layer().topLeft.lon * kMas - expected.longitude) <= kMas);
        QVERIFY(qAbs(w.layer().topLeft.lat * kMas - expected.latitude) <= kMas);
    }
    const QString path = w.fixture.path(QStringLiteral("shown.smf"));
    w.window.dialogs().saveFile = [path](auto...) { return path; };
    ModalAnswer answer;
    action(w.window, "actionSave")->trigger();
    QCOMPARE(answer.texts, QStringList());
    QVERIFY(QFile::exists(path));
}

void TestCalibrationForm::nothingClipped_data()
{
    InterfaceLanguage::addRows();
}

// At the dock's narrowest, in every language and notation, every caption shows whole,
// every edit holds its longest text, and a hint takes no room from the fields.
void TestCalibrationForm::nothingClipped()
{
    QFETCH(int, language);
    const InterfaceLanguage installed(language);
    QVERIFY(installed.loaded);
    FormWindow w;
    const QList<std::pair<QRegularExpression, QString>> longest = {
        {QRegularExpression("^ed[XY]\\d$"), "99999"},          {QRegularExpression("^edL..\\d$"), "-179.9999999"},
        {QRegularExpression("^edL..\\dX[12]$"), "-180"},       {QRegularExpression("^edL..\\dY1$"), "59.9999999"},
        {QRegularExpression("^edL..\\dY2$"), "59"},            {QRegularExpression("^edL..\\dZ2$"), "59.99999"},
        {QRegularExpression("^edUTMX"), "60"},                 {QRegularExpression("^edUTMY"), "X"},
        {QRegularExpression("^edUTMZ"), "833000"},             {QRegularExpression("^edTM"), "-10000965"}};
    for (int notation = 0; notation < 5; ++notation) {
        part<QComboBox>(w.window, "notationSelector")->setCurrentIndex(notation);
        w.window.resizeDocks({part<QDockWidget>(w.window, "calibrationDock")}, {0}, Qt::Horizontal);
        QCoreApplication::processEvents();
        QCOMPARE(part<QDockWidget>(w.window, "calibrationDock")->width(), part<QDockWidget>(w.window, "calibrationDock")->minimumSizeHint().width());
        for (const QLabel *label : w.form->findChildren<QLabel *>()) {
            if (label->isVisibleTo(w.form))
                QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
        }
        for (QLineEdit *edit : w.form->findChildren<QLineEdit *>()) {
            if (!edit->isVisibleTo(w.form))
                continue;
            const auto match = std::find_if(longest.cbegin(), longest.cend(),
                                            [&](const auto &m) { return m.first.match(edit->objectName()).hasMatch(); });
            QVERIFY2(match != longest.cend(), qPrintable(edit->objectName()));
            QStyleOptionFrame option;
            option.initFrom(edit);
            option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
            const QRect text = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                                   .marginsRemoved(edit->textMargins()).adjusted(2, 0, -2, 0);  // QLineEdit's own margin
            QVERIFY2(text.width() > edit->fontMetrics().horizontalAdvance(match->second), qPrintable(edit->objectName()));
        }
    }
    // The points dock beside it, as narrow, clips nothing either.
    part<QDockWidget>(w.window, "pointsDock")->raise();
    QCoreApplication::processEvents();
    for (const QWidget *widget : part(w.window, "controlPointsPanel")->findChildren<QWidget *>()) {
        const auto *label = qobject_cast<const QLabel *>(widget);
        if (label && label->wordWrap())
            QVERIFY2(label->height() >= label->heightForWidth(label->width()), qPrintable(label->text()));
        else if (widget->isVisible() && (label || qobject_cast<const QAbstractButton *>(widget)))
            QVERIFY2(widget->width() >= widget->sizeHint().width(), widget->metaObject()->className());
    }
    // A hint of two lines, Chinese ones too, shows whole in the place kept for it: the
    // fields do not move under the mouse.
    const int top = w.form->topLeftBox->mapTo(w.form, QPoint()).y();
    w.form->hintLabel->setText(QString::fromUtf8("左上 经度: 超出范围\nTop left X1: not entered"));
    QCoreApplication::processEvents();
    QCOMPARE(w.form->topLeftBox->mapTo(w.form, QPoint()).y(), top);
    QVERIFY(w.form->hintLabel->height() >= w.form->hintLabel->sizeHint().height());
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
