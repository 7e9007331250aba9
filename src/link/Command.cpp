#include "Command.h"

#include "CommLink.h"
#include "CommandTable.h"
#include "Deadline.h"
#include "LineFormatter.h"
#include "LinkEvents.h"
#include "ReplyParser.h"
#include "UserNotice.h"

#include <algorithm>
#include <cmath>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Longest pause between two looks at the line while an exchange waits.
constexpr milliseconds kCheckInterval{20};
// How long the plain ReceiveLine waits for each further byte.
constexpr milliseconds kByteWait{10};

char upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool validIndex(int commandIndex)
{
    return commandIndex >= 0 && commandIndex < CommandTable::kCount;
}

ReplyParser parser()
{
    return ReplyParser(CommandTable::Instance());
}

LineFormatter formatter()
{
    return LineFormatter(CommandTable::Instance());
}

} // namespace

void Command::ClearReplies()
{
    m_framer.clear();
    m_replies.clear();
}

std::string Command::PopReply()
{
    if (m_replies.empty())
        return {};
    std::string line = std::move(m_replies.front());
    m_replies.pop_front();
    return line;
}

int Command::receive(milliseconds byteWait, Clock::time_point end)
{
    CommLink& link = m_link;
    const Deadline deadline(end);
    for (;;) {
        char byte = 0;
        if (link.Read(&byte, 1, deadline.leftMs(byteWait)) <= 0)
            return 0;
        switch (m_framer.push(byte)) {
        case LineFramer::Step::More:
            break;
        case LineFramer::Step::Line: {
            std::string line = m_framer.takeLine();
            m_replies.push_back(line);
            m_events.LogReceived(line);
            return 1;
        }
        case LineFramer::Step::Overflow:
            m_events.Notice().Message(LineFramer::kOverflowText, LineFramer::kOverflowCaption, NoticeIcon::Exclamation);
            return 0;
        }
    }
}

int Command::ReceiveLine()
{
    return receive(kByteWait, Clock::time_point::max());
}

int Command::ReceivePending()
{
    if (m_link.IsHeld())
        return 0;
    return receive(milliseconds(0), Clock::time_point::max());
}

int Command::waitForLine(uint32_t timeoutMs)
{
    // A polling exchange looks every 20 ms and gives up at the first look at or after the
    // time-out, having looked at least once. The same limit holds here, but each look waits
    // on the line itself, so a reply is taken the moment its LF arrives.
    timeoutMs = Limited(timeoutMs);
    const auto start = Clock::now();
    const int64_t looks = std::max<int64_t>(1, (int64_t(timeoutMs) + kCheckInterval.count() - 1) / kCheckInterval.count());
    const auto limit = start + looks * kCheckInterval;
    CommLink& link = m_link;
    struct Waiting {
        CommLink& link;
        explicit Waiting(CommLink& l) : link(l) { link.SetExchangeWaiting(true); }
        ~Waiting() { link.SetExchangeWaiting(false); }
    } waiting(link);
    for (;;) {
        const auto lookEnd = std::min(Clock::now() + kCheckInterval, limit);
        // Sleep until the reply's line end is there (one wake-up for the whole line), then take
        // the bytes; a line that is not whole by then is awaited byte by byte, as before.
        link.WaitLineEnd(Deadline(lookEnd).leftMs(kCheckInterval));
        if (receive(milliseconds::max(), lookEnd))
            return 1;
        // A port that failed for good answers nothing more: no use waiting out the time-out.
        if (Clock::now() >= limit || link.IsLost())
            return 0;
    }
}

Command::Result Command::result() const
{
    return {m_outcome, m_outcome == Outcome::Refused ? m_refusal : std::string()};
}

Command::Outcome Command::missed() const
{
    return m_link.IsLost() ? Outcome::LinkLost : Outcome::Unanswered;
}

int Command::ParseReply(const std::string& line, ReplyRecord& record)
{
    return parser().ParseReply(line, record);
}

Command::Result Command::SendAndReceive(uint32_t& value, const std::string& line, uint32_t timeoutMs, int reportOffline)
{
    ClearReplies();
    m_link.Write(line);
    if (!waitForLine(timeoutMs)) {
        m_outcome = missed();
        if (reportOffline == 1)
            m_events.ReportOffline();
        return result();
    }
    ReplyRecord record;
    ParseReply(PopReply(), record);
    value = ReplyParser::autoBaseValue(record.values[0]);
    m_outcome = Outcome::Answered;
    m_events.ReportOnline();
    return result();
}

Command::Result Command::WaitForComplete(uint32_t timeoutMs)
{
    UserNotice& notices = m_events.Notice();
    notices.BeginWait();
    if (!waitForLine(timeoutMs)) {
        m_outcome = missed();
        notices.EndWait();
        m_events.ReportOffline();
        return result();
    }
    std::string line = PopReply();
    std::string head = line.substr(0, 8);
    for (char& c : head)
        c = upper(c);
    notices.EndWait();
    if (head == "COMPLETE") {
        m_outcome = Outcome::Answered;
        m_events.ReportOnline();
        return result();
    }
    m_outcome = Outcome::Refused;
    m_refusal = line;
    m_events.Notice().Message(line, "Communication Error<2>", NoticeIcon::Exclamation);
    m_events.ReportOnline();
    return result();
}

Command::Result Command::QueryValue(int commandIndex, CommandValue& value, uint32_t timeoutMs)
{
    std::string line;
    return queryValue(commandIndex, value, timeoutMs, line);
}

Command::Result Command::queryValue(int commandIndex, CommandValue& value, uint32_t timeoutMs, std::string& line)
{
    const std::string mnemonic = CommandTable::Instance().GetMnemonic(commandIndex);
    if (mnemonic.empty()) {
        m_outcome = Outcome::NotSent;
        return result();
    }
    ClearReplies();
    const std::string query = FormatQueryLine(commandIndex, 0);
    m_link.Write(query + "\r\n");
    if (!waitForLine(timeoutMs)) {
        m_outcome = missed();
        m_events.ReportOffline();
        return result();
    }
    line = PopReply();
    ReplyRecord record;
    ParseReply(line, record);
    if (record.mnemonic == mnemonic && record.error == 0) {
        value.valueKind = static_cast<int32_t>(record.valueKind);
        value.intValue = record.intValue;
        value.decimalValue = record.decimalValue;
        value.textValue = record.textValue;
        m_outcome = Outcome::Answered;
        m_events.ReportOnline();
        return result();
    }
    m_outcome = Outcome::Refused;
    m_refusal = line;
    m_events.Notice().Message(record.raw + " for " + query, "Communication Error<1>", NoticeIcon::Exclamation);
    return result();
}

Command::Result Command::QueryInt(int commandIndex, uint32_t& value, uint32_t timeoutMs)
{
    CommandValue reply;
    const Result answer = QueryValue(commandIndex, reply, timeoutMs);
    if (answer)
        value = static_cast<uint32_t>(reply.intValue);
    return answer;
}

Command::Result Command::QueryText(int commandIndex, std::string& text, uint32_t timeoutMs)
{
    CommandValue reply;
    const Result answer = QueryValue(commandIndex, reply, timeoutMs);
    text = answer ? reply.textValue : std::string();
    return answer;
}

Command::Result Command::QueryRawText(int commandIndex, std::string& text, uint32_t timeoutMs)
{
    CommandValue reply;
    std::string line;
    const Result answer = queryValue(commandIndex, reply, timeoutMs, line);
    text = answer ? ReplyParser::rawValue(line) : std::string();
    return answer;
}

Command::Result Command::sendSetting(const std::string& line, uint32_t timeoutMs)
{
    if (!m_link.Write(line)) {
        m_outcome = Outcome::NotSent;
        return result();
    }
    return WaitForComplete(timeoutMs);
}

Command::Result Command::SetValue(int commandIndex, const CommandValue& value, uint32_t timeoutMs)
{
    if (!validIndex(commandIndex)) {
        m_outcome = Outcome::NotSent;
        return result();
    }
    ClearReplies();
    return sendSetting(FormatSetLine(commandIndex, value, 1), timeoutMs);
}

Command::Result Command::SetInt(int commandIndex, int32_t value, uint32_t timeoutMs)
{
    if (!validIndex(commandIndex)) {
        m_outcome = Outcome::NotSent;
        return result();
    }
    CommandValue setting;
    setting.intValue = value;
    const CommandEntry& entry = CommandTable::Instance().Entry(commandIndex);
    setting.valueKind = static_cast<int32_t>(entry.valueKind);
    // For a decimal entry the integer is taken in the entry's scaled unit, as QueryInt gives
    // it back, so that a value read and written again is unchanged.
    if (entry.valueKind == 1)
        setting.decimalValue = value / std::pow(10.0, std::min<uint32_t>(entry.decimals, 30));
    return SetValue(commandIndex, setting, timeoutMs);
}

Command::Result Command::SetText(int commandIndex, const std::string& text, uint32_t timeoutMs)
{
    if (!validIndex(commandIndex)) {
        m_outcome = Outcome::NotSent;
        return result();
    }
    ClearReplies();
    return sendSetting(formatter().textSetLine(commandIndex, text, true), timeoutMs);
}

std::string Command::FormatSetLine(int commandIndex, const CommandValue& value, int withCrLf)
{
    return formatter().setLine(commandIndex, value, withCrLf != 0);
}

std::string Command::FormatQueryLine(int commandIndex, int withCrLf)
{
    return formatter().queryLine(commandIndex, withCrLf != 0);
}

int Command::ParseLine(const std::string& line, int& commandIndex, std::string& mnemonic, int32_t& intValue,
                       std::string& textValue)
{
    return parser().ParseLine(line, commandIndex, mnemonic, intValue, textValue);
}

int Command::ParsePair(const std::string& line, int32_t& first, int32_t& second)
{
    return parser().ParsePair(line, first, second);
}
