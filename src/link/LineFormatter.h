#pragma once
// Builds the command lines the program sends: a query ("GA?"), a setting written by the
// entry's value kind (an integer in decimal, a decimal with exactly the entry's digits after
// the point, a text unchanged), and a text setting of any entry. Lines end in CR LF when
// asked. Pure: no port, no window; a text is copied as it is, never used as a format.
#include "CommandValue.h"

#include <string>

class CommandTable;

class LineFormatter {
public:
    explicit LineFormatter(const CommandTable& table) : m_table(table) {}

    std::string queryLine(int commandIndex, bool withCrLf) const;
    // Empty for an index outside the table.
    std::string setLine(int commandIndex, const CommandValue& value, bool withCrLf) const;
    // The text as the value whatever the entry's kind; empty for an index outside the table.
    std::string textSetLine(int commandIndex, const std::string& text, bool withCrLf) const;

private:
    const CommandTable& m_table;
};
