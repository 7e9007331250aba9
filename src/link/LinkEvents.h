#pragma once
// Where the link layer reports to the windows: every line sent and received goes to the
// terminal transcript ("Tx: "/"Rx: " plus the line) and bare to the communication dialog's
// message list; every exchange's outcome goes to the online-status notifier. The windows
// attach here; nothing in link/ knows them.
#include <functional>
#include <string>

class LinkEvents {
public:
    using LineSink = std::function<void(const std::string& line)>;
    using StateSink = std::function<void(bool online)>;

    static LinkEvents& Instance();

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
    LineSink m_transcript;
    LineSink m_messageList;
    StateSink m_online;
};
