#pragma once
// Serial devices as a Linux user knows them. A port map entry names a device by its path
// (/dev/ttyUSB0), by the stable link that udev keeps for it under /dev/serial/by-id/ (which
// survives re-plugging and the order in which adapters appear), or by a bare name from either
// folder. These functions turn an entry into the device opened, tell what is behind it, and
// explain an open refused by the device's permissions.
#include <string>
#include <vector>

struct SerialDevice {
    std::string path;       // the device node itself, links followed (e.g. /dev/ttyUSB0)
    std::string stableName; // its link in the by-id folder (full path); empty when none
    bool present = false;   // the node exists
    std::string description; // the adapter's maker and product as the kernel knows them; may be empty
};

// The device a port map entry opens: a path as given; a bare name from the by-id folder when
// it is there, else from /dev.
std::string ResolvePortDevice(const std::string& entry);
// What a port map entry leads to.
SerialDevice DescribePortDevice(const std::string& entry);
// The serial devices present: every device with a stable name (listed by it), then the USB
// serial nodes (/dev/ttyUSB*, /dev/ttyACM*) without one; each with its adapter's description.
std::vector<SerialDevice> ListSerialDevices();
// A further line for the operator after an open refused with EACCES or EPERM: which group may
// use the device and how to join it (or that only its owner may use it). Empty when the
// device's permissions are not the reason.
std::string PermissionAdvice(const std::string& device, int openError);

// The folder of stable names, /dev/serial/by-id unless set otherwise (tests use their own).
const std::string& SerialByIdFolder();
void SetSerialByIdFolder(const std::string& folder);
