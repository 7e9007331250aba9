#include "Command.h"

#include "CommLink.h"
#include "CommandTable.h"
#include "LinkEvents.h"
#include "UserNotice.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Longest pause between two looks at the line while an exchange waits.
constexpr milliseconds kCheckInterval{20};
// How long the plain ReceiveLine waits for each further byte.
constexpr uint32_t kByteWaitMs = 10;

char upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Leading decimal integer with optional sign; 0 when there is none. Saturates instead of
// overflowing on absurdly long digit runs.
int32_t leadingDecimal(const std::string& text)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min<int64_t>(value * 10 + (text[i] - '0'), int64_t(INT32_MAX) + 1);
    if (negative)
        value = -value;
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// "&H1F" -> 31. Hex digits after the prefix; saturates at 0xFFFFFFFF. Returns false when no
// digit follows, leaving the value alone (as a failed scan does).
bool readAmpersandHex(const std::string& text, int32_t& value)
{
    uint64_t result = 0;
    size_t i = 2;
    for (; i < text.size() && std::isxdigit(static_cast<unsigned char>(text[i])); ++i) {
        char c = text[i];
        int digit = (c <= '9') ? c - '0' : upper(c) - 'A' + 10;
        result = std::min<uint64_t>(result * 16 + digit, UINT32_MAX);
    }
    if (i == 2)
        return false;
    value = static_cast<int32_t>(static_cast<uint32_t>(result));
    return true;
}

// Integer literal with automatic base: "0x" hexadecimal, leading "0" octal, else decimal;
// 0 when empty or not a number. Out-of-range literals saturate rather than wrap.
uint32_t autoBaseUnsigned(const std::string& text)
{
    long long value = std::strtoll(text.c_str(), nullptr, 0);
    if (value > static_cast<long long>(UINT32_MAX) || value < -static_cast<long long>(UINT32_MAX))
        return UINT32_MAX;
    return static_cast<uint32_t>(value); // a negative literal wraps as an unsigned reading does
}

int32_t autoBaseSigned(const std::string& text)
{
    long long value = std::strtoll(text.c_str(), nullptr, 0);
    return static_cast<int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

bool validIndex(int commandIndex)
{
    return commandIndex >= 0 && commandIndex < CommandTable::kCount;
}

// Scales a decimal reply by 10^decimals, truncated toward zero. Plain decimal texts are scaled
// digit by digit so that "0.29" with 2 decimals is 29 and not the 28 that binary floating point
// would give; anything else (exponents and the like) goes through the floating value.
int32_t scaleDecimal(const std::string& text, double value, uint32_t decimals)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    size_t digitsStart = i;
    int64_t scaled = 0;
    bool saturated = false;
    auto push = [&](int digit) {
        if (scaled > (int64_t(INT32_MAX) + 1 - digit) / 10)
            saturated = true;
        else
            scaled = scaled * 10 + digit;
    };
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        push(text[i] - '0');
    bool plain = i > digitsStart || (i < text.size() && text[i] == '.');
    uint32_t fraction = 0;
    if (plain && i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
            if (fraction < decimals) {
                push(text[i] - '0');
                ++fraction;
            }
        }
    }
    if (plain && i < text.size() && (text[i] == 'E' || text[i] == 'e'))
        plain = false; // an exponent: leave it to the floating value
    if (plain && !saturated && decimals <= 9) {
        for (; fraction < decimals; ++fraction)
            push(0);
        if (!saturated)
            return static_cast<int32_t>(std::clamp<int64_t>(negative ? -scaled : scaled, INT32_MIN, INT32_MAX));
    }
    double result = std::trunc(value * std::pow(10.0, decimals));
    if (std::isnan(result))
        return 0;
    return static_cast<int32_t>(std::clamp(result, double(INT32_MIN), double(INT32_MAX)));
}

std::string formatValue(const CommandEntry& entry, const CommandValue& value)
{
    switch (entry.valueKind) {
    case 0:
        return std::to_string(value.intValue);
    case 1: {
        char text[512];
        std::snprintf(text, sizeof text, "%.*f", static_cast<int>(std::min<uint32_t>(entry.decimals, 30)),
                      value.decimalValue);
        return text;
    }
    default:
        return value.textValue;
    }
}

milliseconds remainingUntil(Clock::time_point end)
{
    auto left = std::chrono::ceil<milliseconds>(end - Clock::now());
    return std::max(left, milliseconds{0});
}

} // namespace

Command& Command::Instance()
{
    static Command command;
    return command;
}

void Command::ClearReplies()
{
    m_count = 0;
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

int Command::TakeByte(char byte)
{
    m_buffer[m_count] = byte;
    if (byte == '\n') {
        // The byte before the LF is the CR of the pair; a bare LF keeps the whole line.
        int length = m_count;
        if (length > 0 && m_buffer[length - 1] == '\r')
            --length;
        std::string line(m_buffer, static_cast<size_t>(length));
        m_count = 0;
        m_replies.push_back(line);
        LinkEvents::Instance().LogReceived(line);
        return 1;
    }
    if (++m_count >= static_cast<int>(sizeof m_buffer)) {
        m_count = 0;
        Notices().Message("RS-232C receiving buffer overflowed", "Communication Error", NoticeIcon::Exclamation);
        return -1;
    }
    return 0;
}

int Command::ReceiveLine()
{
    CommLink& link = CommLink::Instance();
    for (;;) {
        if (link.Read(&m_buffer[m_count], 1, kByteWaitMs) <= 0)
            return 0;
        int state = TakeByte(m_buffer[m_count]);
        if (state != 0)
            return state > 0 ? 1 : 0;
    }
}

int Command::ReceivePending()
{
    CommLink& link = CommLink::Instance();
    for (;;) {
        if (link.Read(&m_buffer[m_count], 1, 0) <= 0)
            return 0;
        int state = TakeByte(m_buffer[m_count]);
        if (state != 0)
            return state > 0 ? 1 : 0;
    }
}

int Command::ReceiveBefore(std::chrono::steady_clock::time_point end)
{
    CommLink& link = CommLink::Instance();
    for (;;) {
        auto wait = static_cast<uint32_t>(remainingUntil(end).count());
        if (link.Read(&m_buffer[m_count], 1, wait) <= 0)
            return 0;
        int state = TakeByte(m_buffer[m_count]);
        if (state != 0)
            return state > 0 ? 1 : 0;
    }
}

int Command::WaitForLine(uint32_t timeoutMs)
{
    // A polling exchange looks every 20 ms and gives up at the first look at or after the
    // time-out, having looked at least once. The same limit holds here, but each look waits
    // on the line itself, so a reply is taken the moment its LF arrives.
    const auto start = Clock::now();
    const int64_t looks = std::max<int64_t>(1, (int64_t(timeoutMs) + kCheckInterval.count() - 1) / kCheckInterval.count());
    const auto limit = start + looks * kCheckInterval;
    for (;;) {
        auto sliceEnd = std::min(Clock::now() + kCheckInterval, limit);
        if (ReceiveBefore(sliceEnd))
            return 1;
        if (Clock::now() >= limit)
            return 0;
    }
}

int Command::ParseReply(const std::string& line, ReplyRecord& record)
{
    record = ReplyRecord{};
    std::string text;
    text.reserve(line.size());
    for (char c : line) {
        if (c != ' ' && c != '\r' && c != '\n')
            text.push_back(c);
    }
    record.raw = text;
    for (char& c : text)
        c = upper(c);

    size_t separator = text.find('=');
    if (separator == std::string::npos)
        separator = text.find('?');
    if (separator == std::string::npos) {
        record.error = 1;
        return 0;
    }
    // A comma ahead of the separator would sit inside the mnemonic, which no command has.
    size_t comma = text.find(',', separator + 1);

    record.mnemonic = text.substr(0, separator);
    record.separator = text.substr(separator, 1);
    if (text[separator] == '=') {
        if (comma == std::string::npos) {
            record.values[0] = text.substr(separator + 1);
            record.valueCount = 1;
        } else {
            record.values[0] = text.substr(separator + 1, comma - separator - 1);
            record.values[1] = text.substr(comma + 1);
            record.index = leadingDecimal(record.values[0]);
            record.valueCount = 2;
        }
    } else if (separator + 1 == text.size()) {
        record.valueCount = 0;
    } else {
        record.values[0] = text.substr(separator + 1);
        record.valueCount = 1;
    }

    record.commandIndex = -1;
    const CommandTable& table = CommandTable::Instance();
    // The table's unnamed positions are not commands on the wire: "=5" names none of them.
    int found = record.mnemonic.empty() ? -1 : table.FindCommand(record.mnemonic);
    if (found < 0) {
        record.error = 1;
        return 0;
    }
    const CommandEntry& entry = table.Entry(found);
    record.commandIndex = found;
    record.decimals = static_cast<int32_t>(entry.decimals);
    record.valueKind = entry.valueKind;

    const std::string& value = record.values[0];
    switch (record.valueKind) {
    case 0:
        if (value.compare(0, 2, "&H") == 0)
            readAmpersandHex(value, record.intValue);
        else
            record.intValue = leadingDecimal(value);
        break;
    case 1:
        record.decimalValue = std::strtod(value.c_str(), nullptr);
        record.intValue = scaleDecimal(value, record.decimalValue, entry.decimals);
        break;
    case 2:
        record.textValue = value;
        break;
    default:
        break;
    }
    record.error = 0;
    return 1;
}

int Command::SendAndReceive(uint32_t& value, const std::string& line, uint32_t timeoutMs, int reportOffline)
{
    ClearReplies();
    CommLink::Instance().Write(line);
    if (!WaitForLine(timeoutMs)) {
        if (reportOffline == 1)
            LinkEvents::Instance().ReportOffline();
        return 0;
    }
    ReplyRecord record;
    ParseReply(PopReply(), record);
    value = autoBaseUnsigned(record.values[0]);
    LinkEvents::Instance().ReportOnline();
    return 1;
}

int Command::WaitForComplete(uint32_t timeoutMs)
{
    UserNotice& notices = Notices();
    notices.BeginWait();
    if (!WaitForLine(timeoutMs)) {
        notices.EndWait();
        LinkEvents::Instance().ReportOffline();
        return 0;
    }
    std::string line = PopReply();
    std::string head = line.substr(0, 8);
    for (char& c : head)
        c = upper(c);
    notices.EndWait();
    if (head == "COMPLETE") {
        LinkEvents::Instance().ReportOnline();
        return 1;
    }
    Notices().Message(line, "Communication Error<2>", NoticeIcon::Exclamation);
    LinkEvents::Instance().ReportOnline();
    return 0;
}

int Command::QueryValue(int commandIndex, CommandValue& value, uint32_t timeoutMs)
{
    const std::string mnemonic = CommandTable::Instance().GetMnemonic(commandIndex);
    if (mnemonic.empty())
        return 0;
    ClearReplies();
    const std::string query = FormatQueryLine(commandIndex, 0);
    CommLink::Instance().Write(query + "\r\n");
    if (!WaitForLine(timeoutMs)) {
        LinkEvents::Instance().ReportOffline();
        return 0;
    }
    ReplyRecord record;
    ParseReply(PopReply(), record);
    if (record.mnemonic == mnemonic && record.error == 0) {
        value.valueKind = static_cast<int32_t>(record.valueKind);
        value.intValue = record.intValue;
        value.decimalValue = record.decimalValue;
        value.textValue = record.textValue;
        LinkEvents::Instance().ReportOnline();
        return 1;
    }
    Notices().Message(record.raw + " for " + query, "Communication Error<1>", NoticeIcon::Exclamation);
    return 0;
}

int Command::QueryInt(int commandIndex, uint32_t& value, uint32_t timeoutMs)
{
    CommandValue reply;
    if (!QueryValue(commandIndex, reply, timeoutMs))
        return 0;
    value = static_cast<uint32_t>(reply.intValue);
    return 1;
}

int Command::QueryText(int commandIndex, std::string& text, uint32_t timeoutMs)
{
    CommandValue reply;
    int result = QueryValue(commandIndex, reply, timeoutMs);
    text = result ? reply.textValue : std::string();
    return result;
}

int Command::SetValue(int commandIndex, const CommandValue& value, uint32_t timeoutMs)
{
    if (!validIndex(commandIndex))
        return 0;
    ClearReplies();
    const std::string line = FormatSetLine(commandIndex, value, 1);
    if (!CommLink::Instance().Write(line))
        return 0;
    return WaitForComplete(timeoutMs);
}

int Command::SetInt(int commandIndex, int32_t value, uint32_t timeoutMs)
{
    if (!validIndex(commandIndex))
        return 0;
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

int Command::SetText(int commandIndex, const std::string& text, uint32_t timeoutMs)
{
    if (!validIndex(commandIndex))
        return 0;
    CommandEntry& entry = CommandTable::Instance().Entry(commandIndex);
    const uint32_t savedKind = entry.valueKind;
    entry.valueKind = 2;
    CommandValue setting;
    setting.valueKind = 2;
    setting.textValue = text;
    int result = SetValue(commandIndex, setting, timeoutMs);
    entry.valueKind = savedKind;
    return result;
}

std::string Command::FormatSetLine(int commandIndex, const CommandValue& value, int withCrLf)
{
    if (!validIndex(commandIndex))
        return {};
    const CommandEntry& entry = CommandTable::Instance().Entry(commandIndex);
    std::string line = entry.mnemonic + "=" + formatValue(entry, value);
    if (withCrLf)
        line += "\r\n";
    return line;
}

std::string Command::FormatQueryLine(int commandIndex, int withCrLf)
{
    std::string line = CommandTable::Instance().GetMnemonic(commandIndex) + "?";
    if (withCrLf)
        line += "\r\n";
    return line;
}

int Command::ParseLine(const std::string& line, int& commandIndex, std::string& mnemonic, int32_t& intValue,
                       std::string& textValue)
{
    ReplyRecord record;
    if (!ParseReply(line, record))
        return 0;
    commandIndex = record.commandIndex;
    mnemonic = record.mnemonic;
    intValue = record.intValue;
    textValue = record.textValue;
    return 1;
}

int Command::ParsePair(const std::string& line, int32_t& first, int32_t& second)
{
    ReplyRecord record;
    if (!ParseReply(line, record))
        return 0;
    first = autoBaseSigned(record.values[0]);
    second = autoBaseSigned(record.values[1]);
    return 1;
}
