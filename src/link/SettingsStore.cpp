#include "SettingsStore.h"

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {
MemorySettings g_memory;
SettingsStore* g_store = nullptr;

std::string currentFolder()
{
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string(".");
}
} // namespace

SettingsStore& Settings()
{
    return g_store ? *g_store : g_memory;
}

void SetSettingsStore(SettingsStore* store)
{
    g_store = store;
}

std::string DefaultPortDevice(const std::string& portName)
{
    if (portName.size() > 3 && portName.compare(0, 3, "COM") == 0) {
        int n = std::atoi(portName.c_str() + 3);
        if (n >= 1)
            return "/dev/ttyS" + std::to_string(n - 1);
    }
    return "/dev/" + portName;
}

int MemorySettings::ReadInt(unsigned index, uint32_t& value, uint32_t defaultValue)
{
    auto it = ints.find(index);
    if (index >= kSettingCount || it == ints.end()) {
        value = defaultValue;
        return 0;
    }
    value = it->second;
    return 1;
}

int MemorySettings::WriteInt(unsigned index, uint32_t value)
{
    if (index >= kSettingCount)
        return 0;
    ints[index] = value;
    return 1;
}

int MemorySettings::WriteString(unsigned index, const std::string& text)
{
    if (index >= kSettingCount)
        return 0;
    strings[index] = text;
    return 1;
}

int MemorySettings::ReadPath(unsigned index, std::string& path)
{
    auto it = strings.find(index);
    std::error_code ec;
    if (index < kSettingCount && it != strings.end() && !it->second.empty()
        && std::filesystem::exists(it->second, ec)) {
        path = it->second;
        return 1;
    }
    path = currentFolder();
    return 0;
}

std::string MemorySettings::PortDevice(const std::string& portName)
{
    auto it = ports.find(portName);
    return it != ports.end() ? it->second : DefaultPortDevice(portName);
}
