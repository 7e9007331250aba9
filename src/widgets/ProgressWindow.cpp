#include "ProgressWindow.h"

#include "ProgressBarWindow.h"

#include <QCoreApplication>

void ProgressWindow::begin(const std::string& message)
{
    ProgressBarWindow::Instance().Show(m_owner, QString::fromStdString(message), true);
}

namespace {
constexpr std::chrono::milliseconds kMoveInterval{33};
}

void ProgressWindow::advance(int percent)
{
    const auto now = std::chrono::steady_clock::now();
    if (now - m_lastMove >= kMoveInterval) {
        ProgressBarWindow::Instance().SetPos(percent);
        m_lastMove = now;
    }
    // Every waiting event is still dispatched after each step, so the window stays responsive.
    QCoreApplication::processEvents();
}

void ProgressWindow::end()
{
    ProgressBarWindow::Instance().Close();
}

bool ProgressWindow::cancelled() const
{
    return ProgressBarWindow::Instance().CancelRequested();
}
