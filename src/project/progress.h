#pragma once

#include <QtGlobal>

// Progress of a long operation (saving). The GUI implements it with a progress
// dialog, the command line with a terminal bar, tests with a recorder.
struct ProgressReporter {
    virtual ~ProgressReporter() = default;
    virtual void start(int maximum) { Q_UNUSED(maximum); }   // range 0..maximum
    virtual void setValue(int value) { Q_UNUSED(value); }
    // A position between two values (work within one unit of the range, such as the
    // tiles of one layer); reporters without finer steps show its whole part.
    virtual void setFineValue(double value) { setValue(int(value)); }
    // Once per layer and once per tile, and every 50 ms while an image decodes: the GUI
    // processes events here.
    virtual void pumpEvents() {}
    virtual bool cancelled() const { return false; }
    virtual void finish() {}
};
