#pragma once

#include <QtGlobal>

// Progress of a long operation (saving). The GUI implements it with a progress
// dialog, the command line with a terminal bar, tests with a recorder.
struct ProgressReporter {
    virtual ~ProgressReporter() = default;
    virtual void start(int maximum) { Q_UNUSED(maximum); }   // range 0..maximum
    virtual void setValue(int value) { Q_UNUSED(value); }
    virtual void pumpEvents() {}      // once per layer and once per tile: the GUI processes events here
    virtual bool cancelled() const { return false; }
    virtual void finish() {}
};
