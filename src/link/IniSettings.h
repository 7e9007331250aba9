#pragma once
// The window's settings file read without Qt, for programs that run beside the window
// (lumora-cli): on Linux QSettings keeps the settings in an INI file, and this reads the values
// that reaching the camera needs from it. It never writes: a command-line run must not change
// what the window finds at its next start, so every write is refused (0) and the shutdown
// status is left alone.
//
// The file's rules as QSettings writes them: "[General]" holds the top-level values, other
// sections are groups; in names "%XX" stands for a byte and "\" for "/"; a value may be quoted,
// with C escapes inside, and an unquoted "," splits it into a list (read back joined by ",");
// a value beginning "@@" is a text beginning "@".
#include "SettingsStore.h"

#include <map>
#include <optional>
#include <string>

class IniSettings : public SettingsStore {
public:
    // $XDG_CONFIG_HOME/Norvik/Lumora Camera Control Tool.conf, else the same under ~/.config.
    static std::string DefaultPath();

    // Reads the file; a missing or unreadable file reads as empty (every value its default).
    explicit IniSettings(const std::string& path);
    // Reads text in the file's format.
    static IniSettings FromText(const std::string& text);

    bool Loaded() const { return m_loaded; }
    // The value of a key ("Ports/COM3", "Baudrate" for [General]); nothing when absent.
    std::optional<std::string> Value(const std::string& key) const;
    // Makes a port name open this device for this run only (a device given on the command line).
    void OverridePort(const std::string& portName, const std::string& device) { m_portOverrides[portName] = device; }

    int ReadInt(unsigned index, uint32_t& value, uint32_t defaultValue) override;
    int WriteInt(unsigned, uint32_t) override { return 0; }
    int WriteString(unsigned, const std::string&) override { return 0; }
    int ReadPath(unsigned index, std::string& path) override;
    std::string PortDevice(const std::string& portName) override;
    // Refused like every write: for this run only, as OverridePort.
    void SetPortDevice(const std::string& portName, const std::string& device) override { OverridePort(portName, device); }
    std::string ClLibraryFolder() override;
    bool WasPreviousShutdownNormal() override { return true; }
    void MarkNormalShutdown() override {}

private:
    IniSettings() = default;
    void parse(const std::string& text);

    bool m_loaded = false;
    std::map<std::string, std::string> m_values;
    std::map<std::string, std::string> m_portOverrides;
};
