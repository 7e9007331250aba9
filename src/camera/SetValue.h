#pragma once
// A value typed for a parameter, checked against its command's kind before anything is sent:
// an integer command takes a whole number in 32 bits, a decimal one a number with at most its
// digits after the point (taken in its scaled unit, as the exchange sends it), a text one any
// printable text. A line break or control character is refused, since it would end the line
// early and send the rest as a further command.
#include "CommandTable.h"
#include "ParameterTable.h"
#include "ValueRules.h"

#include <cstdint>
#include <string>

struct SetValue {
    bool isText = false;
    int32_t scaled = 0; // integer and decimal commands: the value times 10^decimals
    std::string text;   // text commands
};

// Empty when the text is a value of the entry; else what is wrong with it.
std::string ParseSetValue(const CommandEntry& entry, const std::string& text, SetValue& value);
// Whether what the camera reads back is the value that was set (texts in any case).
bool SameValue(const CommandEntry& entry, const SetValue& value, const std::string& readBack);

// The window's rules for a value of a parameter row (an integer value): outside the range the
// row takes now (after the sensor, binning and gain-mode rules) it is refused, and so is a
// region that would reach past the sensor's edge (partner: the other half of offset + size);
// the reason is returned and the value left alone. A value the rules change (a mask, an even
// value, the fixed gain) is changed, and `note` says how: "WTC=1001 sent as 992: ...".
std::string ApplyValueRules(const ParameterRow& row, const ValueRules::State& state, int32_t partner,
                            const std::string& mnemonic, SetValue& value, std::string& note);
