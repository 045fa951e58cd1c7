#include "ui/hinted_validators.h"

#include <QLabel>
#include <QLocale>

namespace {

QLocale plainNumberLocale()
{
    QLocale locale = QLocale::c();
    locale.setNumberOptions(QLocale::OmitGroupSeparator | QLocale::RejectGroupSeparator);
    return locale;
}

}  // namespace

HintedIntValidator::HintedIntValidator(int bottom, int top, QLabel *hintLabel, QObject *parent)
    : QIntValidator(bottom, top, parent)
    , m_hintLabel(hintLabel)
{
    setLocale(plainNumberLocale());
}

HintedIntValidator::~HintedIntValidator() = default;

QValidator::State HintedIntValidator::validate(QString &input, int &pos) const
{
    if (m_hintLabel)
        m_hintLabel->clear();
    State state = QIntValidator::validate(input, pos);
    if (state == Intermediate) {
        bool ok = false;
        const qlonglong entered = input.trimmed().toLongLong(&ok, 10);
        // A positive number past the top stays out of range whatever digit follows,
        // unless typing a minus sign in front could still make it fit.
        if (ok && entered > top() && -entered < bottom())
            state = Invalid;
    }
    if (state == Invalid && m_hintLabel)
        m_hintLabel->setText(tr("输入无效或超出范围"));
    return state;
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
    if (m_hintLabel)
        m_hintLabel->clear();
    if (input.isEmpty())
        return Acceptable;
    bool ok = false;
    double value = input.toDouble(&ok);
    if (!ok && input == QLatin1String("-")) {
        ok = true;
        value = 0.0;
    }
    if (ok && value >= bottom() && value <= top())
        return Acceptable;
    if (m_hintLabel)
        m_hintLabel->setText(tr("输入无效或超出范围"));
    return Invalid;
}

void HintedDoubleValidator::fixup(QString &) const
{
}
