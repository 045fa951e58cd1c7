#include "cli/cli_progress.h"

#include <QByteArray>

#include <cstdio>

#include <unistd.h>

TerminalProgress::TerminalProgress()
    : m_enabled(isatty(fileno(stderr)) == 1)
{
}

void TerminalProgress::start(int maximum)
{
    m_maximum = maximum;
    draw(0);
}

void TerminalProgress::setValue(int value)
{
    draw(value);
}

void TerminalProgress::finish()
{
    if (m_enabled && m_drawn) {
        std::fputc('\n', stderr);
        std::fflush(stderr);
    }
    m_drawn = false;
}

void TerminalProgress::draw(int value)
{
    if (!m_enabled)
        return;
    constexpr int kWidth = 40;
    const int percent = m_maximum > 0 ? qBound(0, value * 100 / m_maximum, 100) : 100;
    const int filled = percent * kWidth / 100;
    const QByteArray bar = "\rsaving [" + QByteArray(filled, '#') + QByteArray(kWidth - filled, ' ') + "] "
        + QByteArray::number(percent) + '%';
    std::fwrite(bar.constData(), 1, size_t(bar.size()), stderr);
    std::fflush(stderr);
    m_drawn = true;
}
