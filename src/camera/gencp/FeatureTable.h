#pragma once
// The parameter list's feature table: one record per camera feature that maps onto a register,
// built from a GenICam feature description (XML). A record names the register's address and
// length and how its bytes are read: a whole number (optionally through a map of choices), a
// floating-point number, a text, or a command that writes a fixed value.
//
// ReadFeatureDescription is the one entry point over the XML text. It takes the categories
// as the sections of the list, in the order the root category names them, and every feature
// under them that stands on one register: Integer, Float, Enumeration, Boolean, Command and
// String features, and registers (IntReg, FloatReg, StringReg) named as features themselves.
// What it cannot map (a computed value, a masked register, an address above 32 bits) is left
// out and named in the problems, never guessed.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct FeatureRecord {
    enum Flag : uint32_t {
        Readable = 1u << 0,
        Writable = 1u << 1,
        Text = 1u << 4,
        Float = 1u << 5,
        Command = 1u << 6,
        Disabled = 1u << 31, // kept in the table, never shown, read or written
    };
    uint32_t flags = 0;
    uint32_t address = 0;
    uint32_t length = 0;       // bytes
    double commandValue = 0;   // what a command record writes
    // Register value and choice text of a drop-down row, in the description's order.
    std::vector<std::pair<int64_t, std::string>> valueMap;
    uint32_t gridRow = 0;      // set by the window that shows the record

    bool isSigned = false;
    bool littleEndian = false;
    std::string name;          // the feature's name in the description
    std::string displayName;   // what the list shows (the name when none is given)
    std::string section;
    std::string tooltip;

    bool Has(Flag flag) const { return (flags & flag) != 0; }
};

struct FeatureDescription {
    // Most records one table holds; features beyond are left out.
    static constexpr size_t kMaxRecords = 5000;

    std::vector<std::string> sections; // in order of first use
    std::vector<FeatureRecord> records;
    std::string modelName;             // from the description's own header, when given
    std::vector<std::string> problems; // features left out, and why
    std::string error;                 // set when the text is no feature description at all

    bool Ok() const { return error.empty(); }
};

FeatureDescription ReadFeatureDescription(std::string_view xml);
