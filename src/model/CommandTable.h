#pragma once
// The fixed table of the 636 camera commands. An entry's position is its command index, the
// number by which every exchange names its command. The entries themselves are data
// (CommandTableData.cpp).
#include <cstdint>
#include <string>

struct CommandEntry {
    uint32_t index;
    std::string mnemonic; // may be empty: a position that parameter rows still refer to
    uint32_t valueKind;   // 0 integer, 1 decimal, 2 text
    uint32_t decimals;    // digits after the point for kind 1
};

class CommandTable {
public:
    static constexpr int kCount = 636;
    static CommandTable& Instance();

    int Count() const { return kCount; }
    // The entry at a command index 0..635 (callers pass only valid indexes).
    CommandEntry& Entry(int commandIndex);
    const CommandEntry& Entry(int commandIndex) const;
    std::string GetMnemonic(int commandIndex) const;
    // First entry whose mnemonic equals the text exactly (case-sensitive); -1 when none.
    int FindCommand(const std::string& mnemonic) const;
    // Restores every entry to its starting state (tests).
    void Reset();

private:
    CommandTable();
    CommandEntry m_entries[kCount];
};
