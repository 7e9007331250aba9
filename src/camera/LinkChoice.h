#pragma once
// How a program beside the window reaches a camera (lumora-cli's --port and friends, the
// Python module's open()): the port as a person names it — a COM name through the window's
// port map, a device path, or a network address — with the mode, the baud rate and the Camera
// Link port, each taken from the settings when not given. One choice for every such front end,
// so that the same words open the same port whichever of them is used.
#include <cstdint>
#include <string>
#include <vector>

class Camera;
class SettingsStore;

struct LinkRequest {
    std::string port;    // a COM name, a device path or a network address; empty: the stored port
    int64_t baud = -1;   // -1: the stored baud rate
    int mode = -1;       // 0..3; -1: the stored mode (0 when a port is given)
    int64_t clPort = -1; // the Camera Link port index; -1: the stored one
};

struct LinkChoice {
    // Why the request cannot be met; the link is then not opened.
    enum class Problem { None, ModeOutOfRange, PortOutsideMode0 };
    Problem problem = Problem::None;
    unsigned mode = 0;
    uint32_t baud = 9600;
    unsigned index = 0;
    // Where the link leads, for messages: "COM3 (/dev/ttyUSB0)", a device path or address as it
    // was given, "Camera Link port 0 (mode 2)".
    std::string where;
    // A device path or address is opened under this COM name (empty when a COM name or a
    // Camera Link port was chosen); the link layer's messages name it so.
    std::string aliasName;
    std::string aliasPath;

    // The text with the alias's COM name, where it stands as a word of its own, replaced by
    // the path the person gave.
    std::string AsGiven(std::string text) const;
};

// Chooses the link. A device path or network address is mapped to COM1 in settings, which
// should be the camera's own store (or one that keeps the mapping for this run only).
LinkChoice ChooseLink(const LinkRequest& request, SettingsStore& settings);

// How opening the chosen link ended, and the sentence that says so when it failed:
// "Cannot open <where>." or "No camera answers on <where>.".
struct LinkOpening {
    enum class Result { Connected, CannotOpen, NoAnswer };
    Result result = Result::CannotOpen;
    std::string text;
};
// Opens the camera's link as chosen and asks the camera for its model.
LinkOpening OpenChosenLink(Camera& camera, const LinkChoice& choice);

// One port a front end may name, as the ports listing shows it.
struct PortListing {
    unsigned mode = 0;
    int index = 0;
    std::string name;        // "COM3", or the Camera Link library's port name
    std::string device;      // mode 0: the device the COM name leads to (links followed)
    std::string address;     // mode 0: a network address the COM name is mapped to
    std::string stableName;  // mode 0: the device's by-id name, when it has one
    bool present = false;    // mode 0: the device exists (a network address is not tried)
};
// The names of the four modes: "Serial port", "Camera Link 2000", ...
const char* ModeName(unsigned mode);
constexpr unsigned kLinkModes = 4;
// Every port of every mode, with the device or address behind each COM name. Nothing is
// opened or connected to.
std::vector<PortListing> ListPorts(SettingsStore& settings);
