#include "TerminalProgress.h"

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {
constexpr int kBarWidth = 30;
}

TerminalProgress::TerminalProgress() : m_shown(isatty(STDERR_FILENO) == 1) {}

TerminalProgress::~TerminalProgress()
{
    end();
}

void TerminalProgress::begin(const std::string& message)
{
    m_message = message;
    m_percent = 0;
    draw();
}

void TerminalProgress::advance(int percent)
{
    percent = std::clamp(percent, 0, 100);
    if (m_drawn && percent == m_percent)
        return; // a slow terminal line is not filled with the same bar again
    m_percent = percent;
    draw();
}

void TerminalProgress::say(const std::string& message)
{
    m_message = message;
    draw();
}

void TerminalProgress::end()
{
    if (m_drawn)
        std::fputs("\n", stderr);
    m_drawn = false;
}

void TerminalProgress::draw()
{
    if (!m_shown)
        return;
    const int filled = m_percent * kBarWidth / 100;
    std::fprintf(stderr, "\r\033[K[%s%s] %3d%% %s", std::string(size_t(filled), '#').c_str(),
                 std::string(size_t(kBarWidth - filled), '.').c_str(), m_percent, m_message.c_str());
    std::fflush(stderr);
    m_drawn = true;
}
