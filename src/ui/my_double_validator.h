#pragma once

#include <QDoubleValidator>
#include <QPointer>

class QLabel;

// A decimal validator for the calibration form's fields with rules of its own, not
// QDoubleValidator's: an empty text is Acceptable; a text that reads as a double
// (QString::toDouble) or is exactly "-" (read as 0) is Acceptable when the value lies
// within bottom..top, bounds included; anything else is Invalid and writes
// "输入无效或超出范围" into the hint label. It never answers Intermediate, and the
// number of decimals plays no part. Every validation first clears the label.
class MydoubleValidator : public QDoubleValidator
{
    Q_OBJECT
public:
    // hintLabel is not owned; nullptr writes nothing.
    MydoubleValidator(double bottom, double top, QLabel *hintLabel, QObject *parent = nullptr);
    ~MydoubleValidator() override;

    using QDoubleValidator::setRange;
    // The range with 0 decimals (decimals are not looked at by validate).
    virtual void setRange(double bottom, double top);

    QLabel *hintLabel() const;

    State validate(QString &input, int &pos) const override;
    // Leaves the text alone: every text this validator lets into an edit is already
    // acceptable, and QDoubleValidator's own fixup would round it to the decimals.
    void fixup(QString &input) const override;

private:
    QPointer<QLabel> m_hintLabel;
};
