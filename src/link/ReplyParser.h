#pragma once
// Takes the camera's reply lines apart against the command table: the mnemonic, the separator
// ("=" or "?"), one value or an indexed pair, and the value converted by the entry's kind
// (decimal or "&H" hexadecimal integers, decimals scaled to integers, upper-cased texts).
// Pure: no port, no window; every line is data.
#include "ReplyRecord.h"

#include <cstdint>
#include <string>

class CommandTable;

class ReplyParser {
public:
    explicit ReplyParser(const CommandTable& table) : m_table(table) {}

    // 1 and a filled record; 0 with record.error 1 when the line has no separator or its
    // mnemonic is no command.
    int ParseReply(const std::string& line, ReplyRecord& record) const;
    // ParseReply, then the command index, mnemonic, integer and text of the record; the
    // outputs stay untouched on failure.
    int ParseLine(const std::string& line, int& commandIndex, std::string& mnemonic, int32_t& intValue,
                  std::string& textValue) const;
    // ParseReply, then both values read as integer literals with automatic base.
    int ParsePair(const std::string& line, int32_t& first, int32_t& second) const;

    // An integer literal with automatic base ("0x" hexadecimal, leading "0" octal, else
    // decimal; 0 when empty or no number), as a ready line's reply value is read.
    static uint32_t autoBaseValue(const std::string& text);
    // The value of a reply line as the camera sent it, for texts that are shown and may be
    // written back (a user id): everything after the separator, case and inner spaces kept,
    // without the line end and the spaces around it. Empty when the line has no separator.
    static std::string rawValue(const std::string& line);

private:
    const CommandTable& m_table;
};
