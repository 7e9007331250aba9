#pragma once
// One user action's report of communication errors (a reload, the start-up, a file load, a
// transfer): while it lives, the first communication error box is shown as always and the
// others are only counted (and logged with the traffic, in the terminal and the message list);
// when it ends, one box says how many more there were. An action inside another (a reading inside
// the start-up) reports with the outer one. Each camera has its own reports, kept on the
// camera's thread; they hold back the boxes of that camera's notice relay.
#include <string>

class Camera;
class UserNotice;

class ErrorReport {
public:
    // noun names what the exchanges were about in the closing box ("settings", "entries").
    ErrorReport(Camera& camera, std::string noun);
    ~ErrorReport();
    ErrorReport(const ErrorReport&) = delete;
    ErrorReport& operator=(const ErrorReport&) = delete;

    // Errors counted but not shown so far (of the outermost report).
    int Suppressed() const;
    // For an action that counts its failures itself and says so in its own closing message:
    // the errors counted so far are not told again when the report ends. Returns them.
    int TakeSuppressed();

private:
    class Gate;
    Gate* outermost() const;
    Camera& m_camera;
    Gate* m_gate = nullptr; // only the outermost report has one
    UserNotice* m_installedBefore = nullptr;
    std::string m_noun;
};
