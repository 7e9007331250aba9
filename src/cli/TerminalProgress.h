#pragma once
// A walk's progress as a bar on standard error, redrawn in place; silent when standard error
// is no terminal (a script's log gets no carriage-return litter).
#include "LutTransfer.h"

#include <string>

class TerminalProgress : public LutProgress {
public:
    TerminalProgress();
    ~TerminalProgress() override;

    void begin(const std::string& message) override;
    void advance(int percent) override;
    void end() override;
    void say(const std::string& message) override;

private:
    void draw();

    bool m_shown;
    bool m_drawn = false;
    int m_percent = 0;
    std::string m_message;
};
