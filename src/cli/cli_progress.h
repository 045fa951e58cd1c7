#pragma once

#include "project/map_project.h"

// A progress bar on standard error, drawn only when standard error is a terminal.
class TerminalProgress : public ProgressReporter
{
public:
    TerminalProgress();
    void start(int maximum) override;
    void setValue(int value) override;
    void finish() override;

private:
    void draw(int value);

    bool m_enabled = false;
    bool m_drawn = false;
    int m_maximum = 0;
};
