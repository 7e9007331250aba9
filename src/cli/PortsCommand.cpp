// ports: what each communication mode offers, with the device (or network address) behind each
// COM name.
#include "CliExit.h"
#include "IniSettings.h"
#include "NetworkPort.h"
#include "Report.h"
#include "SerialDevices.h"
#include "Subcommands.h"
#include "Transport.h"
#include "UserNotice.h"

#include <CLI/CLI.hpp>

#include <cstdio>

namespace {

const char* const kModeNames[] = {"Serial port", "Camera Link 2000", "Camera Link 2001", "Camera Link Ver 1.1"};

int runPorts(CliContext& context)
{
    IniSettings settings(IniSettings::DefaultPath());
    SetSettingsStore(&settings);
    std::vector<std::string> modes;
    for (unsigned mode = 0; mode < 4; ++mode) {
        const std::unique_ptr<Transport> transport = MakeTransport(mode);
        const int count = transport ? transport->PortCount() : 0;
        if (!context.json)
            std::printf("Mode %u, %s:%s\n", mode, kModeNames[mode], count > 0 ? "" : " none");
        std::vector<std::string> ports;
        for (int i = 0; i < count; ++i) {
            const std::string name = transport->PortName(i);
            Json::Object port;
            port.Int("index", i).Text("name", name);
            const std::string entry = mode == 0 ? settings.PortDevice(name) : std::string();
            if (mode == 0 && IsNetworkAddress(entry)) {
                // A serial port on another machine: listed as mapped, without connecting to it.
                port.Text("address", entry);
                if (!context.json)
                    std::printf("  %-6s %s\n", name.c_str(), entry.c_str());
            } else if (mode == 0) {
                const SerialDevice device = DescribePortDevice(entry);
                port.Text("device", device.path).Bool("present", device.present);
                if (!device.stableName.empty())
                    port.Text("stable_name", device.stableName);
                if (!context.json)
                    std::printf("  %-6s %s%s%s%s\n", name.c_str(), device.path.c_str(),
                                device.present ? "" : " (absent)", device.stableName.empty() ? "" : "  ",
                                device.stableName.c_str());
            } else if (!context.json) {
                std::printf("  %d %s\n", i, name.c_str());
            }
            ports.push_back(port.Str());
        }
        modes.push_back(Json::Object().Int("mode", mode).Text("name", kModeNames[mode]).Raw("ports", Json::Array(ports)).Str());
    }
    SetSettingsStore(nullptr);
    return ReportSuccess(context.json, Json::Object().Raw("modes", Json::Array(modes)));
}

} // namespace

void AddPortsCommand(CLI::App& app, CliContext& context)
{
    CLI::App* ports = app.add_subcommand("ports", "List the ports of every communication mode (--port, --cl-port take them).");
    ports->callback([&context] { context.run = runPorts; });
}
