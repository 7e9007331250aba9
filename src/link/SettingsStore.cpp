#include "SettingsStore.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {
MemorySettings g_memory;
SettingsStore* g_store = nullptr;

// The names of the indexed values, in index order.
const char* const kValueNames[kSettingCount] = {
    "Previous Application Shutdown Status",
    "Communication Mode",
    "Baudrate",
    "Com Port No",
    "Cameralink 2000 Dll Index",
    "Cameralink 2001 Dll Index",
    "Cameralink Ver11 Dll Index",
    "Control Mode",
    "Camera File Path",
    "Command Log File Path",
};

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

std::string SettingValueName(unsigned index)
{
    return index < kSettingCount ? kValueNames[index] : std::string();
}

std::string DefaultClLibraryFolder()
{
#if defined(__x86_64__)
    const char* multiarch = "/usr/lib/x86_64-linux-gnu";
#elif defined(__aarch64__)
    const char* multiarch = "/usr/lib/aarch64-linux-gnu";
#else
    const char* multiarch = "/usr/lib";
#endif
    std::error_code ec;
    return std::filesystem::is_directory(multiarch, ec) ? multiarch : "/usr/lib";
}

uint32_t ParseStoredDecimal(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    uint64_t magnitude = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        magnitude = std::min<uint64_t>(magnitude * 10 + uint64_t(text[i] - '0'), UINT32_MAX);
    uint32_t value = static_cast<uint32_t>(magnitude);
    return negative ? 0u - value : value;
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
