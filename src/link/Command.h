#pragma once
// The one object through which a camera is talked to: it writes command lines through its
// CommLink, assembles reply bytes into lines, queues and logs them, waits for a reply with a
// time-out, checks "COMPLETE" acknowledgements and parses value replies against the command
// table. One per camera, used by that camera's thread only.
//
// The line grammar itself lives in LineFramer, ReplyParser and LineFormatter; the static
// operations here are their forms on the shared, constant command table.
#include "CommandValue.h"
#include "LineFramer.h"
#include "ReplyRecord.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <string>

class CommLink;
class LinkEvents;

class Command {
public:
    // How an exchange ended: a fitting reply came, a reply came that was an error or not the
    // one asked for, none came in time, the link failed for good while waiting, or nothing
    // could be sent. A walk over many exchanges may also end because the person cancelled it.
    enum class Outcome { Answered, Refused, Unanswered, LinkLost, NotSent, Cancelled };

    // What an exchange returns instead of showing anything: how it ended and, when the camera
    // refused, its answer as it came. In the int forms of the older callers it counts as 1
    // when answered, else 0.
    struct Result {
        Outcome outcome = Outcome::NotSent;
        std::string refusal;
        bool Answered() const { return outcome == Outcome::Answered; }
        operator int() const { return Answered() ? 1 : 0; }
    };

    Command(CommLink& link, LinkEvents& events) : m_link(link), m_events(events) {}
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    // The longest any one answer is waited for, whatever the exchange asks (0: no limit, each
    // exchange waits its own time-out). For an owner that would rather find a silent camera
    // soon than wait out a slow one.
    void SetWaitLimit(uint32_t limitMs) { m_waitLimitMs = limitMs; }
    // A time-out as this exchange keeps it: the limit when that is shorter.
    uint32_t Limited(uint32_t timeoutMs) const
    {
        return m_waitLimitMs && m_waitLimitMs < timeoutMs ? m_waitLimitMs : timeoutMs;
    }

    void ClearReplies();
    // Completes at most one line per call, waiting up to 10 ms for each further byte; 1 when a
    // line was completed.
    int ReceiveLine();
    // Idle reception between exchanges: takes only bytes that are already there, so the
    // user-interface thread never waits for bytes that have not come. 1 when a line completed.
    // Takes nothing while a binary exchange holds the line (CommLink::Hold).
    int ReceivePending();
    bool HasReplies() const { return !m_replies.empty(); }
    std::string PopReply();
    static int ParseReply(const std::string& line, ReplyRecord& record);

    Result SendAndReceive(uint32_t& value, const std::string& line, uint32_t timeoutMs, int reportOffline);
    Result WaitForComplete(uint32_t timeoutMs);
    Result QueryValue(int commandIndex, CommandValue& value, uint32_t timeoutMs);
    Result QueryInt(int commandIndex, uint32_t& value, uint32_t timeoutMs);
    Result QueryText(int commandIndex, std::string& text, uint32_t timeoutMs);
    // QueryText without the upper-casing: the value as the camera sent it (ReplyParser::rawValue).
    Result QueryRawText(int commandIndex, std::string& text, uint32_t timeoutMs);
    Result SetValue(int commandIndex, const CommandValue& value, uint32_t timeoutMs);
    Result SetInt(int commandIndex, int32_t value, uint32_t timeoutMs);
    // Any entry, whatever its kind, set with the text as its value.
    Result SetText(int commandIndex, const std::string& text, uint32_t timeoutMs);
    static std::string FormatSetLine(int commandIndex, const CommandValue& value, int withCrLf);
    static std::string FormatQueryLine(int commandIndex, int withCrLf);
    static int ParseLine(const std::string& line, int& commandIndex, std::string& mnemonic,
                         int32_t& intValue, std::string& textValue);
    static int ParsePair(const std::string& line, int32_t& first, int32_t& second);

private:
    // A walk over the camera keeps count of how each exchange it drives ended.
    friend class Walk;
    Outcome LastOutcome() const { return m_outcome; }
    // The result of the exchange that just ended.
    Result result() const;

    // The one receive loop: takes bytes until a line is complete (1), or until a byte has not
    // come within byteWait or by end (0). An overflow drops the partial line, tells the person
    // and ends the call (0).
    int receive(std::chrono::milliseconds byteWait, std::chrono::steady_clock::time_point end);
    // An exchange's wait for its reply line, waking as soon as the line is complete.
    int waitForLine(uint32_t timeoutMs);
    // QueryValue, also giving the reply line as it came.
    Result queryValue(int commandIndex, CommandValue& value, uint32_t timeoutMs, std::string& line);
    // Writes a setting line and waits for its acknowledgement.
    Result sendSetting(const std::string& line, uint32_t timeoutMs);

    // Ends a wait without a line: Unanswered, or LinkLost when the link failed meanwhile.
    Outcome missed() const;

    CommLink& m_link;
    LinkEvents& m_events;
    LineFramer m_framer;
    std::deque<std::string> m_replies;
    Outcome m_outcome = Outcome::NotSent;
    std::string m_refusal;
    uint32_t m_waitLimitMs = 0;
};
