#pragma once

#include <QIntValidator>
#include <QPointer>

class QLabel;

// A whole-number validator for the calibration form's fields that reports a refused
// keystroke in the form's hint label. Every validation first clears the label; an
// Invalid answer then writes "输入无效或超出范围" into it.
//
// The range follows QIntValidator, with one rule of its own: a complete number
// beyond the top that no further typing can bring into range (61 for 1..60, 180 for
// -179..179) is Invalid. Qt 6's QIntValidator lets such a number through as
// Intermediate while it has no more digits than the top, and the form applies every
// accepted keystroke at once. Numbers are read in the C locale without group
// separators, as the form reads them.
class MyValidator : public QIntValidator
{
    Q_OBJECT
public:
    MyValidator(int bottom, int top, QObject *parent = nullptr);
    ~MyValidator() override;

    // The label written to; not owned. nullptr (or a deleted label) writes nothing.
    void setHintLabel(QLabel *label);
    QLabel *hintLabel() const;

    State validate(QString &input, int &pos) const override;

private:
    QPointer<QLabel> m_hintLabel;
};
