#pragma once

#include "project/map_project.h"

class QProgressDialog;
class QWidget;

// The window-modal, frameless "正在保存..." dialog of long jobs (saving, WFL
// conversion). Its cancel button exists but is hidden. Pending events are
// processed at every pump, so the window repaints while the job runs. The bar
// shows the job's range with a hundredth of a unit as its step, so a save moves
// it tile by tile; the dialog's own range is the job's range times that factor.
class SaveProgressDialog : public ProgressReporter
{
public:
    explicit SaveProgressDialog(QWidget *parent);
    ~SaveProgressDialog() override;

    void start(int maximum) override;
    void setValue(int value) override;
    void setFineValue(double value) override;
    void pumpEvents() override;
    bool cancelled() const override;
    void finish() override;

    QProgressDialog *dialog() const { return progress; }

private:
    QProgressDialog *progress = nullptr;
    int steps = 1;  // dialog units per unit of the job's range
};
