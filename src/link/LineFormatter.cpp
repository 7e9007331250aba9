#include "LineFormatter.h"

#include "CommandTable.h"

#include <algorithm>
#include <cstdio>

namespace {

bool validIndex(int commandIndex)
{
    return commandIndex >= 0 && commandIndex < CommandTable::kCount;
}

std::string valueText(const CommandEntry& entry, const CommandValue& value)
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

std::string finished(std::string line, bool withCrLf)
{
    if (withCrLf)
        line += "\r\n";
    return line;
}

} // namespace

std::string LineFormatter::queryLine(int commandIndex, bool withCrLf) const
{
    return finished(m_table.GetMnemonic(commandIndex) + "?", withCrLf);
}

std::string LineFormatter::setLine(int commandIndex, const CommandValue& value, bool withCrLf) const
{
    if (!validIndex(commandIndex))
        return {};
    const CommandEntry& entry = m_table.Entry(commandIndex);
    return finished(entry.mnemonic + "=" + valueText(entry, value), withCrLf);
}

std::string LineFormatter::textSetLine(int commandIndex, const std::string& text, bool withCrLf) const
{
    if (!validIndex(commandIndex))
        return {};
    return finished(m_table.Entry(commandIndex).mnemonic + "=" + text, withCrLf);
}
