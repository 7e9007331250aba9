#include "WindowLockList.h"

#include "StatusLine.h"

WindowLockList& WindowLockList::Instance()
{
    static WindowLockList list;
    return list;
}

void WindowLockList::Register(QWidget* window)
{
    m_windows.append(QPointer<QWidget>(window));
}

void WindowLockList::Unregister(QWidget* window)
{
    // Entries of windows that are gone are dropped on the way.
    m_windows.removeIf([window](const QPointer<QWidget>& entry) { return entry.isNull() || entry.data() == window; });
}

void WindowLockList::SetAllEnabled(bool enabled)
{
    // Copy: enabling a window can run code that registers or unregisters windows.
    const QList<QPointer<QWidget>> windows = m_windows;
    for (const QPointer<QWidget>& window : windows) {
        if (window)
            window->setEnabled(enabled);
    }
    // Locked windows mean a transfer holds the line.
    StatusLine::Instance().SetBusy(!enabled);
}
