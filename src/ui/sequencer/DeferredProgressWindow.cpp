#include "DeferredProgressWindow.h"

#include "ProgressBarWindow.h"

void DeferredProgressWindow::begin(const std::string& message)
{
    m_message = message;
    m_started = std::chrono::steady_clock::now();
    m_running = true;
    m_shown = false;
    m_borrowed = ProgressBarWindow::Instance().IsVisible();
}

void DeferredProgressWindow::advance(int percent)
{
    if (!m_running || m_borrowed)
        return;
    if (!m_shown && std::chrono::steady_clock::now() - m_started >= m_delay) {
        m_window.begin(m_message);
        m_shown = true;
    }
    if (m_shown)
        m_window.advance(percent);
}

void DeferredProgressWindow::end()
{
    if (m_shown)
        m_window.end();
    m_shown = false;
    m_running = false;
}
