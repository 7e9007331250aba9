#pragma once
// The persisted values that the link layer reads and writes, seen without Qt. The application
// installs its AppSettings (QSettings) behind this interface; tests and tools without an
// installed store get an in-memory one.
#include <cstdint>
#include <map>
#include <string>

// The ten indexed settings values, in their fixed order.
enum SettingIndex : unsigned {
    kShutdownStatus = 0,     // "Previous Application Shutdown Status"
    kCommunicationMode = 1,  // "Communication Mode"
    kBaudrate = 2,           // "Baudrate"
    kComPortNo = 3,          // "Com Port No"
    kCl2000DllIndex = 4,     // "Cameralink 2000 Dll Index"
    kCl2001DllIndex = 5,     // "Cameralink 2001 Dll Index"
    kClVer11DllIndex = 6,    // "Cameralink Ver11 Dll Index"
    kControlMode = 7,        // "Control Mode"
    kCameraFilePath = 8,     // "Camera File Path"
    kCommandLogFilePath = 9, // "Command Log File Path"
    kSettingCount = 10
};

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // 1 and the stored number, or 0 and the default (missing value, index of 10 or more).
    virtual int ReadInt(unsigned index, uint32_t& value, uint32_t defaultValue) = 0;
    // 1 when stored; 0 for an index of 10 or more.
    virtual int WriteInt(unsigned index, uint32_t value) = 0;
    virtual int WriteString(unsigned index, const std::string& text) = 0;
    // 1 and the stored path when it names an existing file or folder; else 0 and the
    // current working directory.
    virtual int ReadPath(unsigned index, std::string& path) = 0;
    // The device that a port name such as "COM3" opens: the port map entry, else /dev/ttyS<n-1>.
    virtual std::string PortDevice(const std::string& portName) = 0;
    // Maps a port name to a device (a path or a bare by-id or /dev name), kept at once.
    virtual void SetPortDevice(const std::string& portName, const std::string& device) = 0;
    // Folder scanned for Camera Link 2000 libraries ("Camera Link Library Folder").
    virtual std::string ClLibraryFolder() = 0;
    // Whether the run before this one ended normally (shutdown status 1 when this run began).
    virtual bool WasPreviousShutdownNormal() = 0;
    // This run ends normally: shutdown status 1.
    virtual void MarkNormalShutdown() = 0;
};

// The process-wide store. Without an installed one, an in-memory store is used.
SettingsStore& Settings();
// Installs a store (not owned); nullptr restores the in-memory one.
void SetSettingsStore(SettingsStore* store);

// The device path a COM name maps to without a port map entry: "COMn" -> /dev/ttyS<n-1>.
std::string DefaultPortDevice(const std::string& portName);

// How the values are named in the settings file, for every program that reads it.
// The name of an indexed value 0-9; empty beyond.
std::string SettingValueName(unsigned index);
constexpr const char* kPortGroup = "Ports";
constexpr const char* kClLibraryFolderName = "Camera Link Library Folder";
// The folder scanned for Camera Link 2000 libraries when the settings name none: the
// platform's multiarch library folder, else /usr/lib.
std::string DefaultClLibraryFolder();
// A stored text read as a decimal number: leading blanks, an optional sign, then digits up to
// the first other character; 0 without digits. Wraps to 32 bits as a number written as
// unsigned does.
uint32_t ParseStoredDecimal(const std::string& text);

// Settings kept in memory; for tests and for programs that persist nothing.
class MemorySettings : public SettingsStore {
public:
    std::map<unsigned, uint32_t> ints;
    std::map<unsigned, std::string> strings;
    std::map<std::string, std::string> ports; // "COM3" -> "/dev/pts/7"
    std::string clFolder = "/usr/lib";

    int ReadInt(unsigned index, uint32_t& value, uint32_t defaultValue) override;
    int WriteInt(unsigned index, uint32_t value) override;
    int WriteString(unsigned index, const std::string& text) override;
    int ReadPath(unsigned index, std::string& path) override;
    std::string PortDevice(const std::string& portName) override;
    void SetPortDevice(const std::string& portName, const std::string& device) override { ports[portName] = device; }
    std::string ClLibraryFolder() override { return clFolder; }
    // The status in ints stands for the previous run's until this run ends.
    bool WasPreviousShutdownNormal() override { return ints.count(kShutdownStatus) && ints[kShutdownStatus] == 1; }
    void MarkNormalShutdown() override { ints[kShutdownStatus] = 1; }
};
