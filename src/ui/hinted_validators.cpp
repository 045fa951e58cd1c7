#include "ui/hinted_validators.h"

#include <QLabel>
#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <limits>

NumberText readNumberText(const QString &text)
{
    static const QRegularExpression complete(
        QStringLiteral("^[+-]?(?:\\d+(?:[.,]\\d*)?|[.,]\\d+)(?:[eE][+-]?\\d+)?$"));
    static const QRegularExpression partial(
        QStringLiteral("^[+-]?(?:[.,]?|(?:\\d+(?:[.,]\\d*)?|[.,]\\d+)[eE][+-]?)$"));
    NumberText result;
    QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return result;
    if (partial.match(trimmed).hasMatch()) {
        result.kind = NumberText::Partial;
        return result;
    }
    if (!complete.match(trimmed).hasMatch()) {
        result.kind = NumberText::Malformed;
        return result;
    }
    result.kind = NumberText::Complete;
    result.hasSeparator = trimmed.contains(QLatin1Char('.')) || trimmed.contains(QLatin1Char(','));
    trimmed.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    result.value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok) {
        // Beyond the range of a double: a large exponent overflows, a negative one
        // underflows to 0.
        const int exponent = int(trimmed.indexOf(QLatin1Char('e'), 0, Qt::CaseInsensitive));
        const bool underflow = exponent >= 0 && trimmed.mid(exponent + 1).startsWith(QLatin1Char('-'));
        const double magnitude = underflow ? 0.0 : std::numeric_limits<double>::infinity();
        result.value = trimmed.startsWith(QLatin1Char('-')) ? -magnitude : magnitude;
    }
    return result;
}

namespace {

void reportRefusal(QLabel *hintLabel)
{
    if (hintLabel)
        hintLabel->setText(HintedIntValidator::refusalText());
}

// A Malformed text made of the characters of numbers only stays as typed; one with
// any other character is refused.
QValidator::State malformedState(const QString &input, QLabel *hintLabel)
{
    static const QRegularExpression numberCharacters(QStringLiteral("^[0-9+\\-.,eE\\s]*$"));
    if (numberCharacters.match(input).hasMatch())
        return QValidator::Intermediate;
    reportRefusal(hintLabel);
    return QValidator::Invalid;
}

}  // namespace

HintedIntValidator::HintedIntValidator(int bottom, int top, QLabel *hintLabel, QObject *parent)
    : QIntValidator(bottom, top, parent)
    , m_hintLabel(hintLabel)
{
}

HintedIntValidator::~HintedIntValidator() = default;

QString HintedIntValidator::refusalText()
{
    return tr("输入无效或超出范围");
}

QValidator::State HintedIntValidator::validate(QString &input, int &) const
{
    const NumberText number = readNumberText(input);
    switch (number.kind) {
    case NumberText::Malformed:
        return malformedState(input, m_hintLabel);
    case NumberText::Complete:
        if (!number.hasSeparator && number.value == std::trunc(number.value) && number.value >= bottom()
            && number.value <= top())
            return Acceptable;
        return Intermediate;
    default:
        return Intermediate;
    }
}

void HintedIntValidator::fixup(QString &) const
{
}

HintedDoubleValidator::HintedDoubleValidator(double bottom, double top, QLabel *hintLabel, QObject *parent)
    : QDoubleValidator(parent)
    , m_hintLabel(hintLabel)
{
    setRange(bottom, top);
}

HintedDoubleValidator::~HintedDoubleValidator() = default;

void HintedDoubleValidator::setRange(double bottom, double top)
{
    QDoubleValidator::setRange(bottom, top, 0);
}

QValidator::State HintedDoubleValidator::validate(QString &input, int &) const
{
    const NumberText number = readNumberText(input);
    switch (number.kind) {
    case NumberText::Empty:
        return Acceptable;
    case NumberText::Malformed:
        return malformedState(input, m_hintLabel);
    case NumberText::Complete:
        return number.value >= bottom() && number.value <= top() ? Acceptable : Intermediate;
    default:
        return Intermediate;
    }
}

void HintedDoubleValidator::fixup(QString &) const
{
}
