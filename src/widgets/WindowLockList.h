#pragma once
// The process-wide list of the program's windows that a long camera transfer disables as a
// whole, so that no second transfer can start meanwhile, and enables again afterwards.
// Windows that were destroyed without unregistering are skipped.
#include <QList>
#include <QPointer>
#include <QWidget>

class WindowLockList {
public:
    static WindowLockList& Instance();

    // Appends the window; the same window may stand more than once.
    void Register(QWidget* window);
    // Removes every entry for that window.
    void Unregister(QWidget* window);
    void DisableAll() { SetAllEnabled(false); }
    void EnableAll() { SetAllEnabled(true); }
    int Count() const { return static_cast<int>(m_windows.size()); }

private:
    WindowLockList() = default;
    void SetAllEnabled(bool enabled);

    QList<QPointer<QWidget>> m_windows;
};
