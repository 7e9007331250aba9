#pragma once
// One reply line taken apart by ReplyParser.
#include <cstdint>
#include <string>

struct ReplyRecord {
    std::string raw;        // spaces, CR and LF removed, case as received
    std::string mnemonic;   // upper case, before the separator
    std::string separator;  // "=" or "?"
    std::string values[2];  // values[1]: the second value of an indexed reply
    int32_t valueCount = 0; // 0, 1 or 2
    int32_t commandIndex = -1;
    int32_t decimals = 0;
    int32_t index = 0;      // values[0] as a decimal number when there are two values
    int32_t error = 0;      // 1: not parsable, or the mnemonic is no command
    uint32_t valueKind = 0;
    int32_t intValue = 0;   // also the scaled value of a decimal entry
    double decimalValue = 0.0;
    std::string textValue;
};
