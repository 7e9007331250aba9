#pragma once
// The windows' side of a table transfer: the wait cursor and the disabled windows of the lock
// list for as long as the outermost transfer runs ("Load all" keeps them across its three
// reads, so nothing can start between two of them), and the progress window whose message
// counts the entries.
#include "LutTransfer.h"
#include "ProgressWindow.h"

#include <chrono>
#include <string>

class LutTransferScope {
public:
    LutTransferScope();
    ~LutTransferScope();
    LutTransferScope(const LutTransferScope&) = delete;
    LutTransferScope& operator=(const LutTransferScope&) = delete;

private:
    static int s_depth;
};

// Shows a transfer's progress at the pace a person can follow: the first step at once, then
// at most one update of the text and the bar (with the window's events dispatched) per
// refresh interval. At 115200 bit/s an entry takes under 2 ms, and painting the window after
// every one of them would take longer than the line.
class LutProgressWindow : public LutProgress {
public:
    static constexpr std::chrono::milliseconds kRefresh{25};

    explicit LutProgressWindow(QWidget* owner) : m_window(owner) {}

    void begin(const std::string& message) override;
    void advance(int percent) override;
    void end() override { m_window.end(); }
    bool cancelled() const override { return m_window.cancelled(); }
    void say(const std::string& message) override { m_message = message; }

private:
    ProgressWindow m_window;
    std::string m_message;
    int m_steps = 0;
    std::chrono::steady_clock::time_point m_shown;
};
