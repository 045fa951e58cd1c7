#include "ui/my_double_validator.h"

#include <QLabel>

MydoubleValidator::MydoubleValidator(double bottom, double top, QLabel *hintLabel, QObject *parent)
    : QDoubleValidator(parent)
    , m_hintLabel(hintLabel)
{
    setRange(bottom, top);
}

MydoubleValidator::~MydoubleValidator() = default;

void MydoubleValidator::setRange(double bottom, double top)
{
    QDoubleValidator::setRange(bottom, top, 0);
}

QLabel *MydoubleValidator::hintLabel() const
{
    return m_hintLabel;
}

QValidator::State MydoubleValidator::validate(QString &input, int &) const
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

void MydoubleValidator::fixup(QString &) const
{
}
