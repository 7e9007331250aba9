#include "Bootstrap.h"

#include <algorithm>

std::string ManifestEntry::VersionText() const
{
    return std::to_string(fileVersion >> 24) + "." + std::to_string((fileVersion >> 16) & 0xFF) + "."
        + std::to_string(fileVersion & 0xFFFF);
}

std::string BootstrapText(std::string_view bytes)
{
    return std::string(bytes.substr(0, bytes.find('\0')));
}

uint64_t BigEndian(std::string_view bytes)
{
    uint64_t value = 0;
    for (size_t i = 0; i < bytes.size() && i < 8; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

uint64_t ManifestCount(std::string_view bytes)
{
    return std::min(BigEndian(bytes.substr(0, Bootstrap::kCountLength)), Bootstrap::kMaxEntries);
}

std::vector<ManifestEntry> ParseManifestEntries(std::string_view bytes)
{
    std::vector<ManifestEntry> entries;
    for (size_t at = 0; at + Bootstrap::kEntryLength <= bytes.size(); at += Bootstrap::kEntryLength) {
        const std::string_view entry = bytes.substr(at, Bootstrap::kEntryLength);
        ManifestEntry e;
        e.fileVersion = uint32_t(BigEndian(entry.substr(0, 4)));
        e.schemaAndType = uint32_t(BigEndian(entry.substr(4, 4)));
        e.address = BigEndian(entry.substr(8, 8));
        e.size = BigEndian(entry.substr(16, 8));
        entries.push_back(e);
    }
    return entries;
}
