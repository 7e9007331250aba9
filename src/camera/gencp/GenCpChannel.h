#pragma once
// Register reads and writes with the camera over GenCP serial framing, through the active link
// of whichever communication mode is chosen. Each exchange holds the line for itself (the idle
// reception takes nothing meanwhile), drops stray bytes left from an earlier late answer, sends
// its request, and waits a bounded time for the acknowledge that names its request id: the
// header, then at most as many data bytes as it asked for. A late answer to an earlier request
// is skipped; a pending answer extends the wait by the time the camera names, within a bound.
// Requests and answers are logged to the transcript as short readable lines.
//
// Two 16-bit request counters, one per kind, start at 0 and grow with every request.
// User-interface thread only; every exchange blocks while it waits.
#include "Command.h"
#include "Timeouts.h"

#include <cstdint>
#include <string>
#include <string_view>

class CommLink;

class GenCpChannel {
public:
    // How long an answer may take beyond its own time on the wire.
    static constexpr uint32_t kAnswerMs = Timeouts::kGenCpAnswerMs;
    // The longest extension a pending answer may ask for, all told.
    static constexpr uint32_t kMaxPendingMs = Timeouts::kGenCpMaxPendingMs;

    enum class Result { Ok, Refused, Malformed, Unanswered, LinkLost };
    struct Outcome {
        Result result = Result::Unanswered;
        uint16_t status = 0;  // the acknowledge's status when refused
        std::string problem;  // what was wrong with a malformed answer
        // For a walk's bookkeeping.
        Command::Outcome AsCommandOutcome() const;
    };

    explicit GenCpChannel(CommLink& link, uint32_t answerMs = kAnswerMs) : m_link(link), m_answerMs(answerMs) {}

    Outcome Read(uint64_t address, uint16_t count, std::string& data);
    Outcome Write(uint64_t address, std::string_view data);

    uint16_t ReadCounter() const { return m_readId; }
    uint16_t WriteCounter() const { return m_writeId; }

private:
    Outcome exchange(const std::string& request, const std::string& logged, uint16_t command, uint16_t requestId,
                     uint16_t count, std::string* data);

    CommLink& m_link;
    uint32_t m_answerMs;
    uint16_t m_readId = 0;
    uint16_t m_writeId = 0;
};
