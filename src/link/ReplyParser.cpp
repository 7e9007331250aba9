#include "ReplyParser.h"

#include "CommandTable.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

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

// As autoBaseValue, clamped to the signed range.
int32_t autoBaseSigned(const std::string& text)
{
    long long value = std::strtoll(text.c_str(), nullptr, 0);
    return static_cast<int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
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

} // namespace

// Out-of-range literals saturate rather than wrap.
uint32_t ReplyParser::autoBaseValue(const std::string& text)
{
    long long value = std::strtoll(text.c_str(), nullptr, 0);
    if (value > static_cast<long long>(UINT32_MAX) || value < -static_cast<long long>(UINT32_MAX))
        return UINT32_MAX;
    return static_cast<uint32_t>(value); // a negative literal wraps as an unsigned reading does
}

std::string ReplyParser::rawValue(const std::string& line)
{
    size_t separator = line.find('=');
    if (separator == std::string::npos)
        separator = line.find('?');
    if (separator == std::string::npos)
        return {};
    const size_t begin = line.find_first_not_of(" \r\n", separator + 1);
    if (begin == std::string::npos)
        return {};
    const size_t end = line.find_last_not_of(" \r\n");
    return line.substr(begin, end - begin + 1);
}

int ReplyParser::ParseReply(const std::string& line, ReplyRecord& record) const
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
    // The table's unnamed positions are not commands on the wire: "=5" names none of them.
    int found = record.mnemonic.empty() ? -1 : m_table.FindCommand(record.mnemonic);
    if (found < 0) {
        record.error = 1;
        return 0;
    }
    const CommandEntry& entry = m_table.Entry(found);
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

int ReplyParser::ParseLine(const std::string& line, int& commandIndex, std::string& mnemonic, int32_t& intValue,
                           std::string& textValue) const
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

int ReplyParser::ParsePair(const std::string& line, int32_t& first, int32_t& second) const
{
    ReplyRecord record;
    if (!ParseReply(line, record))
        return 0;
    first = autoBaseSigned(record.values[0]);
    second = autoBaseSigned(record.values[1]);
    return 1;
}
