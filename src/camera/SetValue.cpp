#include "SetValue.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <regex>

namespace {

// The number in the entry's scaled unit; false when it is no number of the kind or too large.
bool scaledNumber(const CommandEntry& entry, const std::string& text, int32_t& scaled)
{
    static const std::regex number(R"(([+-]?)([0-9]+)(?:\.([0-9]*))?)");
    std::smatch match;
    if (!std::regex_match(text, match, number))
        return false;
    const uint32_t decimals = entry.valueKind == 1 ? std::min<uint32_t>(entry.decimals, 9) : 0;
    const std::string fraction = match[3].str();
    if (fraction.size() > decimals)
        return false;
    const std::string digits = match[2].str() + fraction + std::string(decimals - fraction.size(), '0');
    if (digits.size() > 12)
        return false;
    int64_t magnitude = std::stoll(digits);
    const int64_t signedValue = match[1].str() == "-" ? -magnitude : magnitude;
    if (signedValue < std::numeric_limits<int32_t>::min() || signedValue > std::numeric_limits<int32_t>::max())
        return false;
    scaled = int32_t(signedValue);
    return true;
}

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return text;
}

} // namespace

std::string ParseSetValue(const CommandEntry& entry, const std::string& text, SetValue& value)
{
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7F)
            return entry.mnemonic + ": a value may not hold line breaks or control characters";
    if (entry.valueKind == 2) {
        value.isText = true;
        value.text = text;
        return {};
    }
    if (!scaledNumber(entry, text, value.scaled)) {
        if (entry.valueKind == 1)
            return entry.mnemonic + " takes a number with at most " + std::to_string(entry.decimals) +
                   " digits after the point, not \"" + text + "\"";
        return entry.mnemonic + " takes a whole number, not \"" + text + "\"";
    }
    return {};
}

bool SameValue(const CommandEntry& entry, const SetValue& value, const std::string& readBack)
{
    if (value.isText)
        return upper(value.text) == upper(readBack);
    int32_t scaled = 0;
    // The camera may send fewer or more digits after the point than the entry keeps.
    if (entry.valueKind == 1) {
        static const std::regex number(R"([+-]?[0-9]+(\.[0-9]*)?)");
        if (!std::regex_match(readBack, number))
            return false;
        double factor = 1;
        for (uint32_t i = 0; i < std::min<uint32_t>(entry.decimals, 9); ++i)
            factor *= 10;
        const double read = std::stod(readBack) * factor;
        return std::llround(read) == value.scaled;
    }
    return scaledNumber(entry, readBack, scaled) && scaled == value.scaled;
}

std::string ApplyValueRules(const ParameterRow& row, const ValueRules::State& state, int32_t partner,
                            const std::string& mnemonic, SetValue& value, std::string& note)
{
    const int id = int(row.ctrlId);
    const int32_t typed = value.scaled;
    const int32_t ruled = ValueRules::Apply(id, typed, state);
    // A number box's range is what the window keeps a typed value inside; lists and check
    // boxes take their items' values.
    if (row.ctrlKind == kNumberBox && row.minValue < row.maxValue) {
        const ValueRules::Range range = ValueRules::Accepted(id, {row.minValue, row.maxValue}, state);
        const auto outside = [&range](int32_t v) { return v < range.low || v > range.high; };
        const std::string span = std::to_string(range.low) + " to " + std::to_string(range.high);
        if (outside(typed))
            return mnemonic + " takes " + span + " now, not " + std::to_string(typed);
        if (outside(ruled))
            return mnemonic + "=" + std::to_string(typed) + " would go out as " + std::to_string(ruled) +
                   ", outside " + span;
    }
    if (const ValueRules::RegionCheck* check = ValueRules::FindRegionCheck(id)) {
        const int32_t extent = ValueRules::Extent(*check, state);
        if (int64_t(ruled) + partner > extent)
            return mnemonic + "=" + std::to_string(typed) + " would reach past the sensor's edge (" +
                   std::to_string(ruled) + " + " + std::to_string(partner) + " > " + std::to_string(extent) + ")";
    }
    if (ruled != typed)
        note = mnemonic + "=" + std::to_string(typed) + " sent as " + std::to_string(ruled) + ": " +
               ValueRules::Explain(id, typed, ruled, ruled, state);
    value.scaled = ruled;
    return {};
}
