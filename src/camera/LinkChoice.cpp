#include "LinkChoice.h"

#include "Camera.h"
#include "CommLink.h"
#include "NetworkPort.h"
#include "SerialDevices.h"
#include "SettingsStore.h"
#include "Transport.h"

#include <cctype>
#include <regex>

namespace {

// The rate the link takes when the settings hold none, as the window's link does.
constexpr uint32_t kDefaultBaud = 9600;

// "COM7" -> 6; -1 for anything that is not a COM name.
int comIndex(const std::string& port)
{
    static const std::regex com(R"(COM([1-9][0-9]*))", std::regex::icase);
    std::smatch match;
    if (!std::regex_match(port, match, com) || match[1].length() > 4)
        return -1;
    return std::stoi(match[1]) - 1;
}

} // namespace

std::string LinkChoice::AsGiven(std::string text) const
{
    const std::string& name = aliasName;
    if (name.empty())
        return text;
    // "COM1" standing as a word of its own (not the start of "COM10") is replaced.
    for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at)) {
        const size_t end = at + name.size();
        if (end < text.size() && std::isalnum(static_cast<unsigned char>(text[end]))) {
            at = end;
            continue;
        }
        text.replace(at, name.size(), aliasPath);
        at += aliasPath.size();
    }
    return text;
}

LinkChoice ChooseLink(const LinkRequest& request, SettingsStore& settings)
{
    LinkChoice choice;
    uint32_t stored = 0;
    settings.ReadInt(kCommunicationMode, stored, 0);
    choice.mode = request.mode >= 0 ? unsigned(request.mode) : (request.port.empty() ? stored : 0);
    if (choice.mode >= kLinkModes) {
        choice.problem = LinkChoice::Problem::ModeOutOfRange;
        return choice;
    }
    settings.ReadInt(kBaudrate, stored, kDefaultBaud);
    choice.baud = request.baud > 0 ? uint32_t(request.baud) : stored;

    if (choice.mode == 0) {
        settings.ReadInt(kComPortNo, stored, 0);
        choice.index = stored;
        if (!request.port.empty()) {
            const int com = comIndex(request.port);
            if (com >= 0) {
                choice.index = unsigned(com);
            } else {
                // A device path or address is opened under the first COM name; the messages
                // name it as it was given.
                choice.index = 0;
                settings.SetPortDevice("COM1", request.port);
                choice.aliasName = "COM1";
                choice.aliasPath = request.port;
            }
        }
        const std::string name = "COM" + std::to_string(choice.index + 1);
        choice.where = choice.aliasName.empty() ? name + " (" + settings.PortDevice(name) + ")" : request.port;
        return choice;
    }
    settings.ReadInt(SettingIndex(kCl2000DllIndex + choice.mode - 1), stored, 0);
    choice.index = request.clPort >= 0 ? unsigned(request.clPort) : stored;
    if (!request.port.empty()) {
        choice.problem = LinkChoice::Problem::PortOutsideMode0;
        return choice;
    }
    choice.where = "Camera Link port " + std::to_string(choice.index) + " (mode " + std::to_string(choice.mode) + ")";
    return choice;
}

LinkOpening OpenChosenLink(Camera& camera, const LinkChoice& choice)
{
    if (!camera.Link().Open(choice.mode, choice.baud, choice.index))
        return {LinkOpening::Result::CannotOpen, "Cannot open " + choice.where + "."};
    if (!camera.CheckModel())
        return {LinkOpening::Result::NoAnswer, "No camera answers on " + choice.where + "."};
    return {LinkOpening::Result::Connected, {}};
}

const char* ModeName(unsigned mode)
{
    static const char* const kNames[kLinkModes] = {"Serial port", "Camera Link 2000", "Camera Link 2001",
                                                   "Camera Link Ver 1.1"};
    return mode < kLinkModes ? kNames[mode] : "";
}

std::vector<PortListing> ListPorts(SettingsStore& settings)
{
    std::vector<PortListing> ports;
    for (unsigned mode = 0; mode < kLinkModes; ++mode) {
        const std::unique_ptr<Transport> transport = MakeTransport(mode, false, PortContext{&settings, nullptr});
        const int count = transport ? transport->PortCount() : 0;
        for (int i = 0; i < count; ++i) {
            PortListing port;
            port.mode = mode;
            port.index = i;
            port.name = transport->PortName(i);
            if (mode == 0) {
                const std::string entry = settings.PortDevice(port.name);
                if (IsNetworkAddress(entry)) {
                    // A serial port on another machine: listed as mapped, without connecting to it.
                    port.address = entry;
                } else {
                    const SerialDevice device = DescribePortDevice(entry);
                    port.device = device.path;
                    port.present = device.present;
                    port.stableName = device.stableName;
                }
            }
            ports.push_back(port);
        }
    }
    return ports;
}
