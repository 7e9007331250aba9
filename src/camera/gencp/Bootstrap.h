#pragma once
// The GenCP bootstrap registers that say who the camera is and where its feature description
// lies, and the manifest table that lists its description files. Pure functions over bytes.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Bootstrap {

// Addresses in the technology-agnostic bootstrap register map.
constexpr uint64_t kManufacturerName = 0x0004;
constexpr uint64_t kModelName = 0x0044;
constexpr uint64_t kDeviceVersion = 0x00C4;
constexpr uint64_t kSerialNumber = 0x0144;
constexpr uint64_t kManifestTableAddress = 0x01D0;
constexpr uint16_t kTextLength = 64;
constexpr uint16_t kAddressLength = 8;

// The manifest table: a 64-bit entry count, then entries of 64 bytes.
constexpr uint16_t kCountLength = 8;
constexpr uint16_t kEntryLength = 64;
// More entries than a camera needs; a larger count is taken as this many.
constexpr uint64_t kMaxEntries = 16;

} // namespace Bootstrap

struct DeviceIdentity {
    std::string manufacturer;
    std::string model;
    std::string version;
    std::string serial;

    bool operator==(const DeviceIdentity&) const = default;
};

struct ManifestEntry {
    uint32_t fileVersion = 0;   // major, minor (8 bits each) and subminor (16 bits)
    uint32_t schemaAndType = 0; // schema version and, in bits 10 to 15, the file type
    uint64_t address = 0;
    uint64_t size = 0;

    // 0 an uncompressed XML file, 1 a ZIP archive.
    unsigned FileType() const { return (schemaAndType >> 10) & 0x3F; }
    std::string VersionText() const;
    bool operator==(const ManifestEntry&) const = default;
};

// A text register: its bytes up to the first NUL.
std::string BootstrapText(std::string_view bytes);
// A big-endian number of up to 8 bytes.
uint64_t BigEndian(std::string_view bytes);
// The number of entries that the table's first 8 bytes announce, at most kMaxEntries.
uint64_t ManifestCount(std::string_view bytes);
// The entries of a table whose bytes (after the count) are given; as many as are complete.
std::vector<ManifestEntry> ParseManifestEntries(std::string_view bytes);
