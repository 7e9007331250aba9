#pragma once
// The one object through which the program talks to the camera: it writes command lines
// through CommLink, assembles reply bytes into lines, queues and logs them, waits for a reply
// with a time-out, checks "COMPLETE" acknowledgements and parses value replies against the
// command table. User-interface thread only.
#include <chrono>
#include <cstdint>
#include <deque>
#include <string>

struct CommandValue {
    int32_t valueKind = 0;
    int32_t intValue = 0;
    double decimalValue = 0.0;
    std::string textValue;
};

struct ReplyRecord {
    std::string raw;
    std::string mnemonic;
    std::string separator;
    std::string values[2];
    int32_t valueCount = 0;
    int32_t commandIndex = -1;
    int32_t decimals = 0;
    int32_t index = 0;
    int32_t error = 0;
    uint32_t valueKind = 0;
    int32_t intValue = 0;
    double decimalValue = 0.0;
    std::string textValue;
};

class Command {
public:
    static Command& Instance();

    void ClearReplies();
    // Completes at most one line per call; 1 when a line was completed.
    int ReceiveLine();
    // Idle reception between exchanges: takes only bytes that are already there, so the
    // user-interface thread never waits for bytes that have not come. 1 when a line completed.
    int ReceivePending();
    bool HasReplies() const { return !m_replies.empty(); }
    std::string PopReply();
    static int ParseReply(const std::string& line, ReplyRecord& record);

    int SendAndReceive(uint32_t& value, const std::string& line, uint32_t timeoutMs, int reportOffline);
    int WaitForComplete(uint32_t timeoutMs);
    int QueryValue(int commandIndex, CommandValue& value, uint32_t timeoutMs);
    int QueryInt(int commandIndex, uint32_t& value, uint32_t timeoutMs);
    int QueryText(int commandIndex, std::string& text, uint32_t timeoutMs);
    int SetValue(int commandIndex, const CommandValue& value, uint32_t timeoutMs);
    int SetInt(int commandIndex, int32_t value, uint32_t timeoutMs);
    int SetText(int commandIndex, const std::string& text, uint32_t timeoutMs);
    static std::string FormatSetLine(int commandIndex, const CommandValue& value, int withCrLf);
    static std::string FormatQueryLine(int commandIndex, int withCrLf);
    static int ParseLine(const std::string& line, int& commandIndex, std::string& mnemonic,
                         int32_t& intValue, std::string& textValue);
    static int ParsePair(const std::string& line, int32_t& first, int32_t& second);

private:
    Command() = default;
    // Files one received byte: 1 a line was completed, -1 the line overflowed, 0 go on.
    int TakeByte(char byte);
    // Takes bytes until a line is complete (1) or nothing more arrives before end (0).
    int ReceiveBefore(std::chrono::steady_clock::time_point end);
    // An exchange's wait for its reply line, waking as soon as the line is complete.
    int WaitForLine(uint32_t timeoutMs);

    char m_buffer[1024] = {};
    int m_count = 0;
    std::deque<std::string> m_replies;
};
