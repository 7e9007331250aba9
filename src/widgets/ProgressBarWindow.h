#pragma once
// The process-wide progress window of long camera transfers (reading all settings, loading a
// setting file, LUT and flash transfers): a small modeless window without caption text that
// shows one message line and a bar from 0 to 100. While it exists its owner is disabled, so
// nothing can start a second transfer; the transfer itself keeps the window painted by
// dispatching pending events after each step.
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QString>

class ProgressBarWindow {
public:
    static ProgressBarWindow& Instance();

    // Creates the window (a second Show replaces the message of the open one), disables the
    // owner when it was enabled and shows the message. A cancellable window has a Cancel
    // button (Escape presses it too) that asks the work behind it to stop.
    void Show(QWidget* owner, const QString& message, bool cancellable = false);
    // True once Cancel was pressed in the window shown last.
    bool CancelRequested() const { return m_cancelRequested; }
    void SetMessage(const QString& message);
    // Moves the bar to 0...100; only while the window is visible.
    void SetPos(int position);
    // Only while the window is visible: the bar to 100, a pause so the person sees the end,
    // the owner enabled and activated again, the window destroyed.
    void Close();

    bool IsVisible() const;
    int Position() const;
    QString Message() const;
    QDialog* Window() const { return m_window; }

    // The pause of Close in milliseconds (1000). Benchmarks that time the transfer itself
    // set it to 0; the window behaves the same otherwise.
    void SetClosePause(int milliseconds) { m_closePauseMs = milliseconds; }
    int ClosePause() const { return m_closePauseMs; }

private:
    ProgressBarWindow() = default;

    QPointer<QDialog> m_window;
    QPointer<QLabel> m_message;
    QPointer<QProgressBar> m_bar;
    QPointer<QWidget> m_owner;
    bool m_disabledOwner = false;
    bool m_cancelRequested = false;
    int m_closePauseMs = 1000;
};
