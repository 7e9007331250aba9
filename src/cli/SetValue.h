#pragma once
// A value typed for a parameter, checked against its command's kind before anything is sent:
// an integer command takes a whole number in 32 bits, a decimal one a number with at most its
// digits after the point (taken in its scaled unit, as the exchange sends it), a text one any
// printable text. A line break or control character is refused, since it would end the line
// early and send the rest as a further command.
#include "CommandTable.h"

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
