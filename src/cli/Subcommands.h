#pragma once
// Every subcommand of lumora-cli, one file each; main() calls these in the order --help lists
// them. Each adds its subcommand with its options and sets CliContext::run when chosen.
#include "CliContext.h"

namespace CLI {
class App;
}

void AddPortsCommand(CLI::App& app, CliContext& context);
void AddGetCommand(CLI::App& app, CliContext& context);
void AddSetCommand(CLI::App& app, CliContext& context);
void AddSendCommand(CLI::App& app, CliContext& context);
void AddLutCommand(CLI::App& app, CliContext& context);
void AddUserSetCommand(CLI::App& app, CliContext& context); // userset and area: FlashCommand.cpp
void AddSettingFileCommands(CLI::App& app, CliContext& context); // dump, apply, diff
void AddAreaCommand(CLI::App& app, CliContext& context);
