#pragma once
// The windows' side of a table transfer: the wait cursor and the disabled windows of the lock
// list for as long as the outermost transfer runs ("Load all" keeps them across its three
// reads, so nothing can start between two of them), and the progress window whose message
// counts the entries.
#include "LutTransfer.h"
#include "ProgressWindow.h"

class LutTransferScope {
public:
    LutTransferScope();
    ~LutTransferScope();
    LutTransferScope(const LutTransferScope&) = delete;
    LutTransferScope& operator=(const LutTransferScope&) = delete;

private:
    static int s_depth;
};

class LutProgressWindow : public LutProgress {
public:
    explicit LutProgressWindow(QWidget* owner) : m_window(owner) {}

    void begin(const std::string& message) override { m_window.begin(message); }
    void advance(int percent) override { m_window.advance(percent); }
    void end() override { m_window.end(); }
    bool cancelled() const override { return m_window.cancelled(); }
    void say(const std::string& message) override;

private:
    ProgressWindow m_window;
};
