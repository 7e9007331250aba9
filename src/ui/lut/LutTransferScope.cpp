#include "LutTransferScope.h"

#include "ProgressBarWindow.h"
#include "UserNotice.h"
#include "WindowLockList.h"

int LutTransferScope::s_depth = 0;

LutTransferScope::LutTransferScope()
{
    if (s_depth++ > 0)
        return;
    Notices().BeginWait();
    WindowLockList::Instance().DisableAll();
}

LutTransferScope::~LutTransferScope()
{
    if (--s_depth > 0)
        return;
    WindowLockList::Instance().EnableAll();
    Notices().EndWait();
}

void LutProgressWindow::begin(const std::string& message)
{
    m_steps = 0;
    m_message.clear();
    m_window.begin(message);
}

void LutProgressWindow::advance(int percent)
{
    const auto now = std::chrono::steady_clock::now();
    if (m_steps++ > 0 && now - m_shown < kRefresh)
        return;
    m_shown = now;
    // Once Cancel was pressed the window says that it is stopping; the count may wait.
    if (!m_message.empty() && !cancelled())
        ProgressBarWindow::Instance().SetMessage(QString::fromStdString(m_message));
    m_window.advance(percent);
}
