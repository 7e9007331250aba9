#include "GenCpChannel.h"

#include "CommLink.h"
#include "Deadline.h"
#include "GenCpPacket.h"
#include "LinkEvents.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

using std::chrono::milliseconds;

constexpr uint64_t kBitsPerByte = 10; // start, 8 data, stop
constexpr uint64_t kMsPerSecond = 1000;

// Stray bytes taken before a request, at most; a camera that chatters without end must not
// keep the exchange from starting.
constexpr int kMaxStrayReads = 16;

std::string describe(const char* what, uint64_t address, size_t count, uint16_t requestId)
{
    char text[120];
    std::snprintf(text, sizeof text, "GenCP %s 0x%08llX, %zu bytes, id %u", what,
                  static_cast<unsigned long long>(address), count, unsigned(requestId));
    return text;
}

void logReceived(LinkEvents& events, const std::string& text)
{
    events.LogReceived("GenCP " + text);
}

// The time that bytes take on the line at its current rate (10 bits each).
uint32_t wireMs(const CommLink& link, size_t bytes)
{
    const uint32_t baud = link.GetBaudRate();
    return baud == 0 ? 0 : static_cast<uint32_t>((uint64_t(bytes) * kBitsPerByte * kMsPerSecond + baud - 1) / baud);
}

// Takes up to count bytes into out until the deadline; stops early when the link failed.
void readUntil(CommLink& link, std::string& out, size_t count, const Deadline& deadline)
{
    size_t got = 0;
    const size_t start = out.size();
    out.resize(start + count);
    while (got < count && !link.IsLost()) {
        const uint32_t waitMs = deadline.leftMs(milliseconds::max());
        const int n = link.Read(out.data() + start + got, static_cast<int>(count - got), waitMs);
        if (n > 0)
            got += size_t(n);
        else if (waitMs == 0)
            break;
    }
    out.resize(start + got);
}

void dropStrayBytes(CommLink& link)
{
    char buffer[256];
    size_t dropped = 0;
    for (int i = 0; i < kMaxStrayReads; ++i) {
        const int n = link.Read(buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        dropped += size_t(n);
    }
    if (dropped > 0)
        logReceived(link.Events(), std::to_string(dropped) + " stray bytes dropped");
}

} // namespace

Command::Outcome GenCpChannel::Outcome::AsCommandOutcome() const
{
    switch (result) {
    case Result::Ok: return Command::Outcome::Answered;
    case Result::Refused:
    case Result::Malformed: return Command::Outcome::Refused;
    case Result::Unanswered: return Command::Outcome::Unanswered;
    case Result::LinkLost: return Command::Outcome::LinkLost;
    }
    return Command::Outcome::Unanswered;
}

GenCpChannel::Outcome GenCpChannel::Read(uint64_t address, uint16_t count, std::string& data)
{
    const uint16_t id = m_readId++;
    return exchange(GenCp::ReadRequest(id, address, count), describe("read", address, count, id), GenCp::kReadMemory,
                    id, count, &data);
}

GenCpChannel::Outcome GenCpChannel::Write(uint64_t address, std::string_view data)
{
    const uint16_t id = m_writeId++;
    return exchange(GenCp::WriteRequest(id, address, data), describe("write", address, data.size(), id),
                    GenCp::kWriteMemory, id, static_cast<uint16_t>(data.size()), nullptr);
}

GenCpChannel::Outcome GenCpChannel::exchange(const std::string& request, const std::string& logged, uint16_t command,
                                             uint16_t requestId, uint16_t count, std::string* data)
{
    CommLink& link = m_link;
    const CommLink::Hold hold(m_link);
    dropStrayBytes(m_link);
    Outcome outcome;
    if (!link.WritePacket(request, logged))
        return outcome; // no valid mode: nothing went out, nothing can come
    const GenCp::Expectation expected{command, requestId, count};
    const size_t answerBytes = GenCp::kHeaderSize + (command == GenCp::kReadMemory ? count : GenCp::kWriteAckLength);
    const uint32_t answerMs = m_answerMs + wireMs(m_link, request.size() + answerBytes);
    Deadline deadline(answerMs);
    // However often the camera says it needs more time, the wait ends here.
    const Deadline last(answerMs + kMaxPendingMs);
    for (;;) {
        std::string answer;
        readUntil(m_link, answer, GenCp::kHeaderSize, deadline);
        if (answer.empty()) {
            outcome.result = link.IsLost() ? Result::LinkLost : Result::Unanswered;
            return outcome;
        }
        GenCp::AckHeader header;
        if (GenCp::ParseAckHeader(answer, header))
            readUntil(m_link, answer, GenCp::BodyToRead(header, expected), deadline);
        const GenCp::Acknowledge ack = GenCp::CheckAcknowledge(answer, expected);
        m_link.Events().ReportOnline();
        switch (ack.verdict) {
        case GenCp::Verdict::Accepted:
            logReceived(m_link.Events(), "ack, id " + std::to_string(requestId) + ", " + std::to_string(ack.data.size()) + " bytes");
            if (data)
                *data = ack.data;
            outcome.result = Result::Ok;
            return outcome;
        case GenCp::Verdict::Refused:
            logReceived(m_link.Events(), "ack, id " + std::to_string(requestId) + ", refused: " + GenCp::StatusText(ack.status));
            outcome.result = Result::Refused;
            outcome.status = ack.status;
            return outcome;
        case GenCp::Verdict::Pending:
            logReceived(m_link.Events(), "pending, id " + std::to_string(requestId) + ", " + std::to_string(ack.pendingMs) + " ms more");
            deadline = Deadline(std::min(Deadline(uint32_t(ack.pendingMs) + answerMs).at(), last.at()));
            break;
        case GenCp::Verdict::OtherRequest:
            logReceived(m_link.Events(), "ack of an earlier request skipped");
            break;
        case GenCp::Verdict::Malformed:
            logReceived(m_link.Events(), "answer not understood: " + ack.problem);
            outcome.result = Result::Malformed;
            outcome.problem = ack.problem;
            return outcome;
        }
    }
}
