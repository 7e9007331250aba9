#pragma once
// The starting contents of the command and parameter tables, kept as data in
// CommandTableData.cpp and ParameterTableData.cpp. Internal to model/.
#include "CommandTable.h"
#include "ParameterTable.h"

struct CommandSeed {
    const char* mnemonic;
    uint32_t valueKind;
    uint32_t decimals;
};

extern const CommandSeed kCommandSeeds[CommandTable::kCount];
// kRowCount rows followed by the terminator row.
extern const ParameterRow kInitialParameterRows[ParameterTable::kRowCount + 1];
