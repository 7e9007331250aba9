// ports: what each communication mode offers, with the device (or network address) behind each
// COM name.
#include "CliExit.h"
#include "IniSettings.h"
#include "LinkChoice.h"
#include "Report.h"
#include "Subcommands.h"

#include <CLI/CLI.hpp>

#include <cstdio>

namespace {

int runPorts(CliContext& context)
{
    IniSettings settings(IniSettings::DefaultPath());
    const std::vector<PortListing> listing = ListPorts(settings);
    std::vector<std::string> modes;
    for (unsigned mode = 0; mode < kLinkModes; ++mode) {
        std::vector<const PortListing*> entries;
        for (const PortListing& entry : listing)
            if (entry.mode == mode)
                entries.push_back(&entry);
        if (!context.json)
            std::printf("Mode %u, %s:%s\n", mode, ModeName(mode), entries.empty() ? " none" : "");
        std::vector<std::string> ports;
        for (const PortListing* entry : entries) {
            const char* name = entry->name.c_str();
            Json::Object port;
            port.Int("index", entry->index).Text("name", entry->name);
            if (!entry->address.empty()) {
                port.Text("address", entry->address);
                if (!context.json)
                    std::printf("  %-6s %s\n", name, entry->address.c_str());
            } else if (mode == 0) {
                port.Text("device", entry->device).Bool("present", entry->present);
                if (!entry->stableName.empty())
                    port.Text("stable_name", entry->stableName);
                if (!context.json)
                    std::printf("  %-6s %s%s%s%s\n", name, entry->device.c_str(), entry->present ? "" : " (absent)",
                                entry->stableName.empty() ? "" : "  ", entry->stableName.c_str());
            } else if (!context.json) {
                std::printf("  %d %s\n", entry->index, name);
            }
            ports.push_back(port.Str());
        }
        modes.push_back(Json::Object().Int("mode", mode).Text("name", ModeName(mode)).Raw("ports", Json::Array(ports)).Str());
    }
    return ReportSuccess(context.json, Json::Object().Raw("modes", Json::Array(modes)));
}

} // namespace

void AddPortsCommand(CLI::App& app, CliContext& context)
{
    CLI::App* ports = app.add_subcommand("ports", "List the ports of every communication mode (--port, --cl-port take them).");
    ports->callback([&context] { context.run = runPorts; });
}
