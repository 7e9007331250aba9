#pragma once
// One run's hold on the camera: it owns the run's camera object, reads the window's settings
// file (never writes it), sends the camera's reports to standard error (questions are
// answered No: a script is never asked anything), keeps the camera's last answer for the
// report, opens the link as the options say and checks that a camera answers. The link is
// closed in the destructor.
#include "Camera.h"
#include "CliContext.h"
#include "IniSettings.h"
#include "LinkChoice.h"
#include "UserNotice.h"

#include <memory>
#include <string>
#include <vector>

class Session {
public:
    explicit Session(const ConnectionOptions& options);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Opens the link and asks the camera for its model: kExitOk, kExitUsage for an option out
    // of range, or kExitNoCamera (the reason is on standard error and in Error()).
    int Connect();

    Camera& Cam() { return m_camera; }
    // Where this run's reports go (standard error), for work done without the camera.
    UserNotice& Notice() { return m_notice; }

    // The last line the camera sent; empty when none came.
    const std::string& LastAnswer() const { return m_lastAnswer; }
    // The messages the camera layer gave during the run, in order.
    const std::vector<std::string>& Messages() const { return m_notice.messages; }
    // The last message, or the given text when there is none.
    std::string Error(const std::string& fallback) const;
    // Where the link leads, for messages: "COM3 (/dev/ttyUSB0)", a device path given with
    // --port as it was given, "Camera Link port 0 (mode 2)".
    const std::string& Where() const { return m_where; }

private:
    // Message boxes become lines on standard error.
    class StderrNotice : public UserNotice {
    public:
        std::vector<std::string> messages;
        // A device path given with --port and the COM name it is opened under.
        LinkChoice alias;
        void Message(const std::string& text, const std::string& caption, NoticeIcon icon) override;
        bool AskYesNo(const std::string& text, const std::string& caption) override;
        std::string OpenFileName(const std::string&, const std::string&, const std::string&) override { return {}; }
        std::string SaveFileName(const std::string&, const std::string&, const std::string&) override { return {}; }
    };

    ConnectionOptions m_options;
    IniSettings m_settings;
    StderrNotice m_notice;
    Camera m_camera;
    std::string m_lastAnswer;
    std::string m_where;
};
