#include "CommandTable.h"

#include "TableData.h"

CommandTable& CommandTable::Instance()
{
    static CommandTable table;
    return table;
}

CommandTable::CommandTable()
{
    Reset();
}

void CommandTable::Reset()
{
    for (int i = 0; i < kCount; ++i) {
        const CommandSeed& seed = kCommandSeeds[i];
        m_entries[i] = CommandEntry{static_cast<uint32_t>(i), seed.mnemonic, seed.valueKind, seed.decimals};
    }
}

CommandEntry& CommandTable::Entry(int commandIndex)
{
    return m_entries[commandIndex];
}

const CommandEntry& CommandTable::Entry(int commandIndex) const
{
    return m_entries[commandIndex];
}

std::string CommandTable::GetMnemonic(int commandIndex) const
{
    // Out-of-range indexes are a caller's error; answer with no mnemonic rather than read past the table.
    if (commandIndex < 0 || commandIndex >= kCount)
        return {};
    return m_entries[commandIndex].mnemonic;
}

int CommandTable::FindCommand(const std::string& mnemonic) const
{
    for (int i = 0; i < kCount; ++i) {
        if (m_entries[i].mnemonic == mnemonic)
            return i;
    }
    return -1;
}
