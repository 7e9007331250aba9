#pragma once
// How a long walk over the camera (a reading of every setting, a transfer) reports itself:
// the windows show a progress window and keep painting, a command-line tool may print.
#include <string>

class Progress {
public:
    virtual ~Progress() = default;
    // The walk starts with this message; the bar stands at 0.
    virtual void begin(const std::string& message) = 0;
    // After each step: 0...100. Windows also dispatch their pending events here.
    virtual void advance(int percent) = 0;
    // Before advance, from a walk that counts its steps: done of total (a script's callback
    // reports these rather than a percentage).
    virtual void step(int done, int total) {}
    virtual void end() = 0;
    // True once the person asked to stop (a Cancel button, Escape); the walk then ends after
    // the exchange in flight.
    virtual bool cancelled() const { return false; }
};

// Reports nowhere; for walks that nobody watches.
class SilentProgress : public Progress {
public:
    void begin(const std::string&) override {}
    void advance(int) override {}
    void end() override {}
};
