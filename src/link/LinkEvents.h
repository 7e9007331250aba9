#pragma once
// Where one camera's link reports to its owner: every line sent and received goes to the
// terminal transcript ("Tx: "/"Rx: " plus the line) and bare to the communication dialog's
// message list; every exchange's outcome goes to the online-status notifier; what the person
// must be told goes through the camera's notice relay. The owner (the window, a command-line
// run, a script) attaches here; nothing in link/ knows it. Each camera has its own; the sinks
// are called on the camera's thread.
#include "UserNotice.h"

#include <functional>
#include <string>

class LinkEvents {
public:
    using LineSink = std::function<void(const std::string& line)>;
    using StateSink = std::function<void(bool online)>;

    LinkEvents() = default;
    LinkEvents(const LinkEvents&) = delete;
    LinkEvents& operator=(const LinkEvents&) = delete;

    // Where this camera's reports and questions go (see NoticeRelay).
    NoticeRelay& Notice() { return m_notice; }

    // Attach or detach (pass nullptr) the two log sinks and the online-status sink.
    void SetTranscriptSink(LineSink sink) { m_transcript = std::move(sink); }
    void SetMessageListSink(LineSink sink) { m_messageList = std::move(sink); }
    void SetOnlineSink(StateSink sink) { m_online = std::move(sink); }

    // A line written to the camera, without its trailing CR and LF.
    void LogSent(const std::string& line);
    // A line received from the camera, without its CR and LF.
    void LogReceived(const std::string& line);
    // A note about the traffic that was not shown in a box of its own (a communication error
    // counted into an action's summary), logged as it stands.
    void LogNote(const std::string& text);
    void ReportOnline();
    void ReportOffline();

private:
    NoticeRelay m_notice;
    LineSink m_transcript;
    LineSink m_messageList;
    StateSink m_online;
};
