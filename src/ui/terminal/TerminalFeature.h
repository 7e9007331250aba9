#pragma once
// The "Terminal" button of the pages brings the RS-232C terminal to the front.
#include "Feature.h"

class TerminalWindow;

class TerminalFeature : public Feature {
public:
    // The terminal belongs to the main window and outlives this object.
    explicit TerminalFeature(TerminalWindow& terminal) : m_terminal(terminal) {}

    std::vector<Claim> Claims() const override;
    void OnControl(int ctrlId, When when) override;

private:
    TerminalWindow& m_terminal;
};
