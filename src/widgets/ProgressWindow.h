#pragma once
// A long walk's progress shown in the process-wide progress window: it opens over its owner
// (which it disables) with a Cancel button, moves its bar, lets the window system paint and
// handle input after each step, and closes with its pause. The bar moves at most about thirty
// times a second: a walk of hundreds of quick steps must not pay a repaint for each.
#include "Progress.h"

#include <QPointer>

#include <chrono>

class QWidget;

class ProgressWindow : public Progress {
public:
    explicit ProgressWindow(QWidget* owner) : m_owner(owner) {}

    void begin(const std::string& message) override;
    void advance(int percent) override;
    void end() override;
    bool cancelled() const override;

private:
    QPointer<QWidget> m_owner;
    std::chrono::steady_clock::time_point m_lastMove{};
};
