#pragma once

#include <QDoubleValidator>
#include <QIntValidator>
#include <QPointer>

class QLabel;

// The texts the calibration form's fields take: a number with an optional sign, a
// point or a comma as the decimal separator ("12,5" is 12.5, ".75" and "-.5" need no
// leading digit) and an optional exponent ("1e3"); blanks around it are ignored.
struct NumberText
{
    enum Kind
    {
        Empty,      // nothing but blanks
        Partial,    // the start of a number, not one yet: "-", ".", "-.", "1e", "1e-"
        Complete,   // a number; value holds it (an infinity when it overflows)
        Malformed,  // no typing can make it a number
    };
    Kind kind = Empty;
    double value = 0.0;
    bool hasSeparator = false;  // a decimal point or comma
};

NumberText readNumberText(const QString &text);

// The validators of the calibration form's fields. Only a keystroke that brings a
// character no number has (a letter) is refused (Invalid), and reported in the form's
// hint label as "输入无效或超出范围"; the label is not owned, and nullptr (or a
// deleted label) reports nothing. Texts on their way to a number, numbers out of range
// and texts of number characters that make no number ("12.5.3", "1,,5") are
// Intermediate: the edit keeps them as typed and the form marks them, so that a
// refused keystroke never joins the digits around it into another number. Neither
// validator ever changes a text (fixup does nothing).

// A whole-number validator: Acceptable for a number without a decimal separator whose
// value is whole and within bottom..top ("1e3" is 1000); an empty text is Intermediate.
class HintedIntValidator : public QIntValidator
{
    Q_OBJECT
public:
    HintedIntValidator(int bottom, int top, QLabel *hintLabel, QObject *parent = nullptr);
    ~HintedIntValidator() override;

    State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

    // The refusal as the hint label shows it.
    static QString refusalText();

private:
    QPointer<QLabel> m_hintLabel;
};

// A decimal validator: Acceptable for an empty text and for a number within
// bottom..top, bounds included; the number of decimals plays no part.
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
    void fixup(QString &input) const override;

private:
    QPointer<QLabel> m_hintLabel;
};
