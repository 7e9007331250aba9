#pragma once
// The progress window for a short walk over the camera (a sequencer set of some twenty
// fields): it stays away while the walk is quick and opens, with its Cancel button, only once
// the walk has taken longer than a moment, so that a slow or silent camera never freezes the
// window without a word. Until it opens no event is dispatched, so nothing else can start.
// A progress window already open for an enclosing walk is left to that walk.
#include "ProgressWindow.h"

#include <chrono>
#include <string>

class DeferredProgressWindow : public Progress {
public:
    static constexpr std::chrono::milliseconds kDefaultDelay{400};

    explicit DeferredProgressWindow(QWidget* owner, std::chrono::milliseconds delay = kDefaultDelay)
        : m_window(owner), m_delay(delay)
    {
    }
    ~DeferredProgressWindow() override { end(); }

    void begin(const std::string& message) override;
    void advance(int percent) override;
    void end() override;
    bool cancelled() const override { return m_shown && m_window.cancelled(); }

    bool Shown() const { return m_shown; }

private:
    ProgressWindow m_window;
    std::chrono::milliseconds m_delay;
    std::chrono::steady_clock::time_point m_started;
    std::string m_message;
    bool m_running = false;
    bool m_borrowed = false; // an enclosing walk's window was open at the start
    bool m_shown = false;
};
