#include "ui/my_validator.h"

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

MyValidator::MyValidator(int bottom, int top, QObject *parent)
    : QIntValidator(bottom, top, parent)
{
    setLocale(plainNumberLocale());
}

MyValidator::~MyValidator() = default;

void MyValidator::setHintLabel(QLabel *label)
{
    m_hintLabel = label;
}

QLabel *MyValidator::hintLabel() const
{
    return m_hintLabel;
}

QValidator::State MyValidator::validate(QString &input, int &pos) const
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
