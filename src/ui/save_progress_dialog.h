#pragma once

#include "project/progress.h"

class QProgressDialog;
class QWidget;

// The window-modal, frameless "正在保存..." dialog of long jobs (saving, WFL
// conversion). Its cancel button exists but is hidden. Pending events are
// processed at every pump, so the window repaints while the job runs.
class SaveProgressDialog : public ProgressReporter
{
public:
    explicit SaveProgressDialog(QWidget *parent);
    ~SaveProgressDialog() override;

    void start(int maximum) override;
    void setValue(int value) override;
    void pumpEvents() override;
    bool cancelled() const override;
    void finish() override;

    QProgressDialog *dialog() const { return progress; }

private:
    QProgressDialog *progress = nullptr;
};
