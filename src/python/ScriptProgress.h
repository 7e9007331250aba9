#pragma once
// A long walk's progress as a script sees it: after each exchange the walk's thread takes the
// interpreter's lock, lets Python run its signal handlers (Ctrl-C) and calls the script's
// callback with (done, total). An exception from either stops the walk after the exchange in
// flight, as Cancel does in the window; the module raises it once the walk has returned.
#include "LutTransfer.h"

#include <pybind11/pybind11.h>

#include <optional>

class ScriptProgress : public LutProgress {
public:
    // callback: None or a callable taking (done, total).
    explicit ScriptProgress(pybind11::object callback);
    ~ScriptProgress() override;

    // For a run of walks reported as one (the three channels of a table transfer): the steps
    // of all of them. Without it each walk counts from 0 to its own total.
    void SetTotal(int total) { m_total = total; }

    void begin(const std::string&) override;
    void advance(int) override {}
    void end() override {}
    void say(const std::string&) override {}
    void step(int done, int total) override;
    bool cancelled() const override { return m_error.has_value(); }

    // With the lock held, after the walk: raises what stopped it, if anything did.
    void RaiseIfStopped();

private:
    pybind11::object m_callback;
    std::optional<pybind11::error_already_set> m_error;
    int m_total = 0;
    int m_before = 0;     // with a total: the steps of the walks before this one
    int m_walkSteps = 0;  // the current walk's total
};
