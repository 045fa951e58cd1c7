#pragma once

#include <QDoubleValidator>
#include <QIntValidator>
#include <QPointer>

class QLabel;

// The validators of the calibration form's fields. Both report a refused keystroke
// in the form's hint label: every validation first clears the label, and an Invalid
// answer then writes "输入无效或超出范围" into it. The label is not owned; nullptr (or
// a deleted label) writes nothing.

// A whole-number validator. The range follows QIntValidator, with one rule of its
// own: a complete number beyond the top that no further typing can bring into range
// (61 for 1..60, 180 for -179..179) is Invalid. Qt 6's QIntValidator lets such a
// number through as Intermediate while it has no more digits than the top, and the
// form applies every accepted keystroke at once. Numbers are read in the C locale
// without group separators, as the form reads them.
class HintedIntValidator : public QIntValidator
{
    Q_OBJECT
public:
    HintedIntValidator(int bottom, int top, QLabel *hintLabel, QObject *parent = nullptr);
    ~HintedIntValidator() override;

    State validate(QString &input, int &pos) const override;

private:
    QPointer<QLabel> m_hintLabel;
};

// A decimal validator with rules of its own, not QDoubleValidator's: an empty text is
// Acceptable; a text that reads as a double (QString::toDouble) or is exactly "-"
// (read as 0) is Acceptable when the value lies within bottom..top, bounds included;
// anything else is Invalid. It never answers Intermediate, and the number of decimals
// plays no part.
class HintedDoubleValidator : public QDoubleValidator
{
    Q_OBJECT
public:
    HintedDoubleValidator(double bottom, double top, QLabel *hintLabel, QObject *parent = nullptr);
    ~HintedDoubleValidator() override;

    using QDoubleValidator::setRange;
    // The range with 0 decimals (decimals are not looked at by validate).
    virtual void setRange(double bottom, double top);

    State validate(QString &input, int &pos) const override;
    // Leaves the text alone: every text this validator lets into an edit is already
    // acceptable, and QDoubleValidator's own fixup would round it to the decimals.
    void fixup(QString &input) const override;

private:
    QPointer<QLabel> m_hintLabel;
};
