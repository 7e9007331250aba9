#pragma once
// One user action's report of communication errors (a reload, the start-up, a file load, a
// transfer): while it lives, the first communication error box is shown as always and the
// others are only counted (and logged with the traffic, in the terminal and the message list);
// when it ends, one box says how many more there were. An action inside another (a reading inside
// the start-up) reports with the outer one. User-interface thread only.
#include <string>

class UserNotice;

class ErrorReport {
public:
    // noun names what the exchanges were about in the closing box ("settings", "entries").
    explicit ErrorReport(std::string noun);
    ~ErrorReport();
    ErrorReport(const ErrorReport&) = delete;
    ErrorReport& operator=(const ErrorReport&) = delete;

    // Errors counted but not shown so far (of the outermost report).
    int Suppressed() const;

private:
    class Gate;
    Gate* m_gate = nullptr; // only the outermost report has one
    static Gate* s_outermost;
    UserNotice* m_installedBefore = nullptr;
    std::string m_noun;
};
