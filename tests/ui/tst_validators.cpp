#include <QtTest>

#include <QLabel>
#include <QLineEdit>

#include "ui/my_double_validator.h"
#include "ui/my_validator.h"

Q_DECLARE_METATYPE(QValidator::State)

namespace {
const QString kRefused = QString::fromUtf8("输入无效或超出范围");
}

// The two validators of the calibration form: their verdicts and the hint they leave.
class TestValidators : public QObject
{
    Q_OBJECT
private slots:
    void decimalVerdicts_data();
    void decimalVerdicts();
    void integerVerdicts_data();
    void integerVerdicts();
    void validationClearsOldHint();
    void refusedKeystrokeLeavesTextAndHint();
    void decimalRangeWithoutDecimals();
    void labelDeletedBeforeValidator();
};

void TestValidators::decimalVerdicts_data()
{
    QTest::addColumn<double>("bottom");
    QTest::addColumn<double>("top");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QValidator::State>("state");

    const auto ok = QValidator::Acceptable;
    const auto refused = QValidator::Invalid;
    QTest::newRow("empty field") << -180.0 << 180.0 << "" << ok;
    QTest::newRow("lone minus, longitude") << -180.0 << 180.0 << "-" << ok;
    QTest::newRow("lone minus, 0..0") << 0.0 << 0.0 << "-" << ok;
    QTest::newRow("0 in 0..0") << 0.0 << 0.0 << "0" << ok;
    QTest::newRow("0.0 in 0..0") << 0.0 << 0.0 << "0.0" << ok;
    QTest::newRow("-0 in 0..0") << 0.0 << 0.0 << "-0" << ok;
    QTest::newRow("1 in 0..0") << 0.0 << 0.0 << "1" << refused;
    QTest::newRow("0.5 in 0..0") << 0.0 << 0.0 << "0.5" << refused;
    QTest::newRow("minutes 59.99999999") << 0.0 << 59.99999999 << "59.99999999" << ok;
    QTest::newRow("minutes 60") << 0.0 << 59.99999999 << "60" << refused;
    QTest::newRow("latitude -90 bound") << -90.0 << 90.0 << "-90" << ok;
    QTest::newRow("latitude 90.0000001") << -90.0 << 90.0 << "90.0000001" << refused;
    QTest::newRow("many decimals") << -180.0 << 180.0 << "113.123456789012" << ok;
    // QDoubleValidator would call this Intermediate; these rules never do.
    QTest::newRow("negative below a 0 bottom") << 0.0 << 59.99999999 << "-5" << refused;
    QTest::newRow("letters") << -180.0 << 180.0 << "12a" << refused;
    QTest::newRow("two minus signs") << -180.0 << 180.0 << "--" << refused;
}

void TestValidators::decimalVerdicts()
{
    QFETCH(double, bottom);
    QFETCH(double, top);
    QFETCH(QString, text);
    QFETCH(QValidator::State, state);
    QLabel hint;
    MydoubleValidator validator(bottom, top, &hint);
    int pos = int(text.size());
    QCOMPARE(validator.validate(text, pos), state);
    QCOMPARE(hint.text(), state == QValidator::Invalid ? kRefused : QString());
}

void TestValidators::integerVerdicts_data()
{
    QTest::addColumn<int>("bottom");
    QTest::addColumn<int>("top");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QValidator::State>("state");

    const auto ok = QValidator::Acceptable;
    const auto partial = QValidator::Intermediate;
    const auto refused = QValidator::Invalid;
    QTest::newRow("zone 60") << 1 << 60 << "60" << ok;
    QTest::newRow("zone 61") << 1 << 60 << "61" << refused;
    QTest::newRow("zone 6") << 1 << 60 << "6" << ok;
    QTest::newRow("empty zone") << 1 << 60 << "" << partial;
    QTest::newRow("180 with minutes") << -179 << 179 << "180" << refused;
    QTest::newRow("-180 with minutes") << -179 << 179 << "-180" << refused;
    QTest::newRow("-0 degrees") << -180 << 180 << "-0" << ok;
    QTest::newRow("lone minus for degrees") << -180 << 180 << "-" << partial;
    QTest::newRow("pixel x 1000 of 0..999") << 0 << 999 << "1000" << refused;
    QTest::newRow("pixel x 1000 of 11..1000") << 11 << 1000 << "1000" << ok;
    QTest::newRow("pixel x 5 of 11..1000") << 11 << 1000 << "5" << partial;
    QTest::newRow("negative pixel") << 0 << 999 << "-1" << refused;
    QTest::newRow("minutes 0..0 refuse 1") << 0 << 0 << "1" << refused;
    QTest::newRow("minutes 0..0 take 0") << 0 << 0 << "0" << ok;
    QTest::newRow("TM easting west of 115 E") << -420000 << 920000 << "-419000" << ok;
    QTest::newRow("TM easting beyond the range") << -420000 << 920000 << "930000" << refused;
    QTest::newRow("UTM southern northing") << 0 << 10000000 << "9999988" << ok;
    QTest::newRow("group separator") << 0 << 5000 << "1,000" << refused;
}

void TestValidators::integerVerdicts()
{
    QFETCH(int, bottom);
    QFETCH(int, top);
    QFETCH(QString, text);
    QFETCH(QValidator::State, state);
    QLabel hint;
    MyValidator validator(bottom, top);
    validator.setHintLabel(&hint);
    int pos = int(text.size());
    QCOMPARE(validator.validate(text, pos), state);
    QCOMPARE(hint.text(), state == QValidator::Invalid ? kRefused : QString());
}

void TestValidators::validationClearsOldHint()
{
    QLabel hint;
    MyValidator integer(0, 10);
    integer.setHintLabel(&hint);
    MydoubleValidator decimal(0.0, 10.0, &hint);
    QString text = QStringLiteral("5");
    int pos = 1;
    hint.setText(QStringLiteral("old"));
    integer.validate(text, pos);
    QVERIFY(hint.text().isEmpty());
    hint.setText(QStringLiteral("old"));
    decimal.validate(text, pos);
    QVERIFY(hint.text().isEmpty());
}

// Typed as a user types: the refused digit never reaches the edit.
void TestValidators::refusedKeystrokeLeavesTextAndHint()
{
    QLabel hint;
    QLineEdit zone;
    MyValidator zoneRange(1, 60, &zone);
    zoneRange.setHintLabel(&hint);
    zone.setValidator(&zoneRange);
    QTest::keyClicks(&zone, QStringLiteral("61"));
    QCOMPARE(zone.text(), QStringLiteral("6"));
    QCOMPARE(hint.text(), kRefused);
    QTest::keyClick(&zone, Qt::Key_0);
    QCOMPARE(zone.text(), QStringLiteral("60"));
    QVERIFY(hint.text().isEmpty());

    QLineEdit minutes;
    MydoubleValidator minuteRange(0.0, 59.99999999, &hint, &minutes);
    minutes.setValidator(&minuteRange);
    QTest::keyClicks(&minutes, QStringLiteral("59.5"));
    QCOMPARE(minutes.text(), QStringLiteral("59.5"));
    QTest::keyClicks(&minutes, QStringLiteral("x"));
    QCOMPARE(minutes.text(), QStringLiteral("59.5"));
    QCOMPARE(hint.text(), kRefused);
}

void TestValidators::decimalRangeWithoutDecimals()
{
    MydoubleValidator validator(-90.0, 90.0, nullptr);
    validator.setRange(0.0, 59.99999999);
    QCOMPARE(validator.bottom(), 0.0);
    QCOMPARE(validator.top(), 59.99999999);
    QCOMPARE(validator.decimals(), 0);
    // The decimals play no part, and without a label nothing is written anywhere.
    QString text = QStringLiteral("12.3456789");
    int pos = 0;
    QCOMPARE(validator.validate(text, pos), QValidator::Acceptable);
}

void TestValidators::labelDeletedBeforeValidator()
{
    auto *hint = new QLabel;
    MyValidator integer(1, 60);
    integer.setHintLabel(hint);
    MydoubleValidator decimal(0.0, 1.0, hint);
    delete hint;
    QString text = QStringLiteral("99");
    int pos = 2;
    QCOMPARE(integer.validate(text, pos), QValidator::Invalid);
    QCOMPARE(decimal.validate(text, pos), QValidator::Invalid);
    QVERIFY(integer.hintLabel() == nullptr);
}

QTEST_MAIN(TestValidators)
#include "tst_validators.moc"
